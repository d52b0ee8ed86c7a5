#include "dictionary/dictionary_fixture.h"

using namespace dictionary;

namespace {

class WordLookupTest : public DictionaryTest {};

TEST_F(WordLookupTest, SelectionInTheReaderShowsTheWordOrItsFirstCharacter) {
    struct Case {
        const char *name;
        QString selection;
        QString pane;
    } cases[] = {
        {"ASCII only", "abc", kOld},
        {"an ASCII letter and one Chinese character", "a之", kOld},
        {"a word in the table", "天下", selectionWordEntry(tianxia)},
        {"a word with spaces and a line break around it", " \u3000天下\n",
         selectionWordEntry(tianxia)},
        {"a word with quotes in it", "'天'下'", selectionWordEntry(tianxia)},
        {"a longer phrase the table lacks", "天下之大", modernEntry(tian)},
        {"one character", "之", modernEntry(zhi)},
        {"one character in quotes", "'之'", modernEntry(zhi)},
        {"one character beyond the BMP", "\U00020000", modernEntry(extB)},
        {"a phrase starting beyond the BMP", "\U00020000之", modernEntry(extB)},
        {"quotes and spaces only", " ' ' ", kOld},
        {"nothing selected", "", kOld},
    };
    TForm2 &f = form();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        f.jsedit->SetText(kOld);
        selectInReader(f, c.selection);
        f.rcMouseUp();
        EXPECT_EQ(f.jsedit->Text(), shown(c.pane));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(WordLookupTest, SelectionLookupFollowsTheKangxiSetting) {
    TForm2 &f = form();
    f.usekangxi = true;
    selectInReader(f, "之");
    f.rcMouseUp();
    EXPECT_EQ(f.jsedit->Text(), shown(shortEntry(zhi) + "\r\n\r\n" + kangxiEntry(kxZhi)));
}

TEST_F(WordLookupTest, NothingHappensWhileThePaneIsHidden) {
    TForm2 &f = form();
    f.N35Click(); // 隐藏字典栏
    ASSERT_TRUE(f.Panel2->isHidden());
    for (const char *selection : {"天下", "之"}) {
        selectInReader(f, selection);
        f.rcMouseUp();
        EXPECT_EQ(f.jsedit->Text(), kOld);
    }
}

TEST_F(WordLookupTest, TheOnlineEditionReadsItsOwnWordTable) {
    TForm2 &f = form(true);
    selectInReader(f, "天下");
    f.rcMouseUp();
    EXPECT_EQ(f.jsedit->Text(), shown(selectionWordEntry(tianxiaOnline)));
}

TEST_F(WordLookupTest, SelectionLookupSwallowsDatabaseErrors) {
    TForm2 &f = form();
    f.cidiantable = "nosuchtable";
    selectInReader(f, "天下");
    EXPECT_NO_THROW(f.rcMouseUp());
    EXPECT_EQ(f.jsedit->Text(), kOld);

    // What the character lookup wrote before its error stays.
    f.usekangxi = true;
    f.acc.Database = "missing/kxzd.dbx";
    selectInReader(f, "之");
    EXPECT_NO_THROW(f.rcMouseUp());
    EXPECT_EQ(f.jsedit->Text(), shown(shortEntry(zhi)));

    // Through the reader's own mouse release as well.
    f.jsedit->SetText(kOld);
    selectInReader(f, "天下");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5),
                        f.rc->viewport()->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(f.rc->viewport(), &release);
    QApplication::processEvents();
    EXPECT_EQ(f.jsedit->Text(), kOld);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(WordLookupTest, TypedWordIsLookedUpExactlyAsTyped) {
    struct Case {
        const char *name;
        std::optional<QString> answer;
        QString pane;
    } cases[] = {
        {"a word in the table", QStringLiteral("天下"), typedWordEntry(tianxia)},
        {"untrimmed", QStringLiteral(" 天下"), kOld},
        {"a single character: no fall-back", QStringLiteral("乎"), kOld},
        {"a single character the word table holds", QStringLiteral("之"),
         typedWordEntry({"之", "", "单字词条"})},
        {"a quote stays part of the word", QStringLiteral("天'下"), kOld},
        {"empty", QStringLiteral(""), kOld},
        {"cancelled", std::nullopt, kOld},
    };
    TForm2 &f = form();
    for (const char *handler : {"N8", "N13"}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(handler) + ": " + c.name);
            f.jsedit->SetText(kOld);
            selectInReader(f, "天下");
            dialogs.inputPrompts.clear();
            dialogs.inputAnswers = {c.answer};
            f.action(handler)->trigger();
            EXPECT_EQ(dialogs.inputPrompts, QStringList{"输入要查询的词语|词语:|天下"});
            EXPECT_EQ(f.jsedit->Text(), shown(c.pane));
        }
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(WordLookupTest, TypedWordPromptStartsFromThePaneWhenTheReaderHasNoSelection) {
    TForm2 &f = form();
    f.rc->SetText("前文");
    f.jsedit->SetText("释：天下大同");
    f.jsedit->Select(2, 4);
    dialogs.inputAnswers = {QStringLiteral("天下")};
    f.N8Click();
    EXPECT_EQ(dialogs.inputPrompts, QStringList{"输入要查询的词语|词语:|天下大同"});
    EXPECT_EQ(f.jsedit->Text(), shown(typedWordEntry(tianxia)));
}

TEST_F(WordLookupTest, TypedWordLookupReportsDatabaseErrors) {
    TForm2 &f = form();
    f.cidiantable = "nosuchtable";
    dialogs.inputAnswers = {QStringLiteral("天下")};
    f.action("N13")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(f.jsedit->Text(), kOld);
}

} // namespace
