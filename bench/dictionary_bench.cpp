// Dictionary lookups on a library of dictionary size: 42,000 characters in zizi, 278,000 words
// in ncidian and 47,000 Kangxi entries, generated here. Every lookup reads one row through an
// index and should take well under 5 ms, the Kangxi form included.
#include "app/program.h"
#include "platform/richedit.h"
#include "platform/widgets.h"
#include "support/library.h"
#include "support/scripted.h"
#include "support/shownform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kCharacters = 42'000;
constexpr int kWords = 278'000;
constexpr int kKangxi = 47'000;

// The i-th character of the library, as kCharacter below makes it.
QString character(int i) {
    if (i < 20'902) return QString(QChar(0x4E00 + i));
    if (i < 20'902 + 6'592) return QString(QChar(0x3400 + i - 20'902));
    return QString::fromUcs4(std::array<char32_t, 1>{char32_t(0x20000 + i - 20'902 - 6'592)}.data(),
                             1);
}

// SQL that numbers 0 … count-1 as i.
QString numbers(int count) {
    return "with recursive n(i) as (select 0 union all select i+1 from n where i<" +
           QString::number(count - 1) + ") ";
}

// A text of about `n` characters.
QString filler(int n) {
    return "replace(hex(zeroblob(" + QString::number(n / 4) + ")),'00','釋義之文')";
}

// The i-th character: the basic CJK block, then Extension A, then Extension B.
const QString kCharacter =
    "char(case when i<20902 then 19968+i when i<27494 then 13312+i-20902 else 131072+i-27494 end)";

struct Library {
    QTemporaryDir dir;
    Library() {
        QDir::setCurrent(dir.path());
        TestLibrary lib;
        // Every third character has no detailed explanation.
        lib.exec("wxlb.dbx", "begin;" + numbers(kCharacters) + "insert into zizi select " +
                                 kCharacter + ",'pīn yīn','部','12'," + filler(400) + "," +
                                 filler(600) + ",case when i%3=0 then '' else " + filler(2000) +
                                 " end from n;commit;");
        // Two to four characters of the basic block.
        lib.exec(
            "wxlb.dbx",
            "begin;" + numbers(kWords) +
                "insert into ncidian select char(19968+i%20902,19968+(i/20902*7919+i*31)%20902)||"
                "case i%3 when 0 then '' when 1 then char(19968+i*131%20902) "
                "else char(19968+i*131%20902,19968+i*17%20902) end,'pīn yīn'," +
                filler(120) + " from n;commit;");
        // Every fifth entry has no pinyin.
        lib.exec("kxzd.dbx", "begin;" + numbers(kKangxi) + "insert into kxzd select " + kCharacter +
                                 ",case when i%5=0 then '' else 'yīn' end,printf('U+%X',unicode(" +
                                 kCharacter + "))," + filler(800) + "," + filler(400) +
                                 " from n;commit;");
    }
};

Library &library() {
    static Library lib;
    return lib;
}

// Words of the table to ask for, picked at random.
QStringList sampleWords() {
    library();
    auto catalogue = openSqlite("wxlb.dbx", Configuration().key1());
    std::mt19937 random(7);
    QStringList words;
    for (int k = 0; k < 1'000; ++k)
        words << scalar(
            *catalogue,
            QStringLiteral("select ci from ncidian where rowid=%1").arg(1 + random() % kWords));
    return words;
}

// Builds the library (and enters its folder) before the windows open.
struct LibraryFirst {
    LibraryFirst() { library(); }
};

struct Form : LibraryFirst, ShownForm {
    std::mt19937 random{20'240'611};
    const QStringList words = sampleWords();
    QString anyCharacter() { return character(int(random() % kCharacters)); }
    QString anyWord() { return words[int(random() % words.size())]; }
    void selectInReader(const QString &text) {
        f.rc->SetText(text);
        f.rc->Select(0, int(text.size()));
    }
    void check(benchmark::State &state, const QString &expected) {
        if (!dialogs.messages.isEmpty())
            state.SkipWithError(dialogs.messages.first().text.toStdString().c_str());
        else if (!f.jsedit->Text().contains(expected))
            state.SkipWithError("the pane does not show the entry");
    }
};

void BM_ChaziModern(benchmark::State &state) {
    Form form;
    for (auto _ : state)
        form.f.chazi(form.anyCharacter());
    form.check(state, "==新华字典解释==");
}
BENCHMARK(BM_ChaziModern)->Unit(benchmark::kMillisecond);

void BM_ChaziKangxi(benchmark::State &state) {
    Form form;
    form.f.usekangxi = true;
    for (auto _ : state) {
        try {
            form.f.chazi(form.anyCharacter());
        } catch (const std::exception &e) {
            state.SkipWithError(e.what());
            break;
        }
    }
    form.check(state, "==康熙字典解释==");
}
BENCHMARK(BM_ChaziKangxi)->Unit(benchmark::kMillisecond);

// 查康熙字典 closes the Access connection after each lookup, so each one connects again.
void BM_KangxiTyped(benchmark::State &state) {
    Form form;
    for (auto _ : state) {
        form.dialogs.inputAnswers = {form.anyCharacter()};
        form.f.action("N80")->trigger();
        if (!form.dialogs.messages.isEmpty()) break;
    }
    form.check(state, "==康熙字典解释==");
}
BENCHMARK(BM_KangxiTyped)->Unit(benchmark::kMillisecond);

void BM_AncientTyped(benchmark::State &state) {
    Form form;
    for (auto _ : state) {
        form.dialogs.inputAnswers = {form.anyCharacter()};
        form.f.action("N11")->trigger();
    }
    form.check(state, "部首");
}
BENCHMARK(BM_AncientTyped)->Unit(benchmark::kMillisecond);

void BM_SelectionWord(benchmark::State &state) {
    Form form;
    for (auto _ : state) {
        state.PauseTiming();
        form.selectInReader(form.anyWord());
        state.ResumeTiming();
        form.f.rcMouseUp();
    }
    form.check(state, "釋義之文");
}
BENCHMARK(BM_SelectionWord)->Unit(benchmark::kMillisecond);

// A phrase the word table lacks: a miss in ncidian, then the character lookup.
void BM_SelectionPhraseFallsBackToItsFirstCharacter(benchmark::State &state) {
    Form form;
    for (auto _ : state) {
        state.PauseTiming();
        form.selectInReader(form.anyCharacter() + QStringLiteral("之所以然者何也"));
        state.ResumeTiming();
        form.f.rcMouseUp();
    }
    form.check(state, "==新华字典解释==");
}
BENCHMARK(BM_SelectionPhraseFallsBackToItsFirstCharacter)->Unit(benchmark::kMillisecond);

// Dragging over a long passage ends in a lookup too: 100,000 characters, no such word.
void BM_SelectionOfALongPassage(benchmark::State &state) {
    Form form;
    QString passage;
    while (passage.size() < 100'000)
        passage += QStringLiteral("黄帝者，少典之子，姓公孙，名曰轩辕。");
    form.selectInReader(passage);
    for (auto _ : state)
        form.f.rcMouseUp();
    form.check(state, "==新华字典解释==");
}
BENCHMARK(BM_SelectionOfALongPassage)->Unit(benchmark::kMillisecond);

void BM_WordTyped(benchmark::State &state) {
    Form form;
    for (auto _ : state) {
        form.dialogs.inputAnswers = {form.anyWord()};
        form.f.action("N8")->trigger();
    }
    form.check(state, "==《汉语词典》==");
}
BENCHMARK(BM_WordTyped)->Unit(benchmark::kMillisecond);

} // namespace
