// A library with a few dictionary rows and a main window over it.
#pragma once

#include "dictionary/entries.h"
#include "platform/richedit.h"
#include "platform/widgets.h"
#include "support/fixture.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

class DictionaryTest : public KelvaroTest {
  protected:
    // 之 has a detailed explanation, 乎 a blank one, 也 one with leading spaces; 𠀀 lies beyond
    // the Basic Multilingual Plane. 兮 is only in the Kangxi dictionary.
    const dictionary::ZiziRow zhi{"之", "zhī", "丿", "3", "往也。", "①往，到。", "代词。"};
    const dictionary::ZiziRow hu{"乎", "hū", "丿", "5", "語之餘也。", "①助词。", "   "};
    const dictionary::ZiziRow ye{"也", "yě", "乙", "3", "語之餘也。", "①助词。", "  也：句末。"};
    const dictionary::ZiziRow tian{"天", "tiān", "大", "4", "顚也。", "①天空。", ""};
    const dictionary::ZiziRow extB{"\U00020000", "hē", "一", "2", "古文。", "①同“呵”。", ""};
    const dictionary::KangxiRow kxZhi{"之", "zhī", "U+4E4B", "《唐韻》止而切", "又往也。"};
    const dictionary::KangxiRow kxHu{"乎", "", "", "《唐韻》戶吳切", "語之餘。"};
    const dictionary::KangxiRow kxXi{"兮", "xī", "", "《唐韻》胡雞切", "語所稽也。"};
    const dictionary::WordRow tianxia{"天下", "tiān xià", "全国。"};
    const dictionary::WordRow tianxiaOnline{"天下", "tiān xià", "联网版词典：全国。"};

    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
        for (const auto &r : {zhi, hu, ye, tian, extB})
            library->exec(
                "wxlb.dbx",
                QStringLiteral("insert into zizi values ('%1','%2','%3','%4','%5','%6','%7')")
                    .arg(r.zi, r.py, r.bs, r.bhs, r.guyi, r.jb, r.xx));
        for (const auto &r : {kxZhi, kxHu, kxXi})
            library->exec("kxzd.dbx",
                          QStringLiteral("insert into kxzd values ('%1','%2','%3','%4','%5')")
                              .arg(r.a, r.yin, r.uc, r.b, r.d));
        library->exec("wxlb.dbx", QStringLiteral("insert into ncidian values ('%1','%2','%3')")
                                      .arg(tianxia.ci, tianxia.py, tianxia.js));
        // Single characters in the word table: a selection of one character never reads it.
        for (const QString &zi : {QStringLiteral("之"), QStringLiteral("\U00020000")})
            library->exec(
                "wxlb.dbx",
                QStringLiteral("insert into ncidian values ('%1','','单字词条')").arg(zi));
        library->exec("wxlb.dbx", QStringLiteral("insert into cidian values ('%1','%2','%3')")
                                      .arg(tianxiaOnline.ci, tianxiaOnline.py, tianxiaOnline.js));
    }

    TForm2 &form(bool online = false) {
        TForm2 &f = makeForm(online);
        f.jsedit->SetText(kOld);
        return f;
    }

    // What the pane shows for an entry: it keeps line breaks as "\n".
    static QString shown(QString entry) {
        return entry.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    }

    // Selects `text` in the reader.
    static void selectInReader(TForm2 &f, const QString &text) {
        const QString before = QStringLiteral("前文");
        f.rc->SetText(before + text + QStringLiteral("后文"));
        f.rc->Select(before.size(), text.size());
    }

    const QString kOld = QStringLiteral("旧的内容");
    std::unique_ptr<TestLibrary> library;
};
