// Opening a chapter of 500,000 characters with 5,000 marked passages (from the text database,
// and from its cache file in the online edition), the same after a full-text search (10,000
// red marks), and red marking of a one-character text with 10,000 occurrences. Each should
// take well under 150 ms.
#include "app/program.h"
#include "platform/richedit.h"
#include "support/library.h"
#include "support/scripted.h"
#include "support/shownform.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kChapterChars = 500'000;
constexpr int kPassages = 5'000;
constexpr int kMarks = 10'000;
constexpr int kPlainChapter = 41;
constexpr int kMarkedChapter = 43;

const QString kSample =
    QStringLiteral("黄帝者少典之子姓公孙名曰轩辕生而神灵弱而能言幼而徇齐长而敦敏成而"
                   "聪明轩辕之时神农氏世衰诸侯相侵伐暴虐百姓而神农氏弗能征");

// `chars` characters of text in lines of 500, without the character 之.
QString plainText(int chars) {
    QString text;
    text.reserve(chars);
    for (int i = 0; text.size() < chars; ++i) {
        const QChar c = kSample[i % kSample.size()];
        text += c == QChar(0x4E4B) ? QChar(0x4E43) : c;
        if (i % 500 == 499 && text.size() < chars) text += QLatin1Char('\n');
    }
    return text;
}

// A chapter as stored: 500,000 shown characters, 5,000 passages between markers, and
// `marks` occurrences of 之 spread evenly.
QString storedChapter(int marks) {
    QString shown = plainText(kChapterChars);
    for (int i = 0; i < marks; ++i)
        shown[qsizetype(i) * (kChapterChars / marks) + 7] = QChar(0x4E4B);
    QString stored;
    stored.reserve(shown.size() + kPassages * 6);
    const int step = kChapterChars / kPassages;
    for (int i = 0; i < kPassages; ++i) {
        const QString piece = shown.mid(qsizetype(i) * step, step);
        stored +=
            piece.left(step - 20) + QStringLiteral("[[[") + piece.right(20) + QStringLiteral("]]]");
    }
    return stored;
}

struct Library {
    QTemporaryDir dir;
    Library() {
        QDir::setCurrent(dir.path());
        TestLibrary lib;
        lib.addBook({31, "长书", "", "", "集部", "别集", 3, 0, ""});
        lib.addChapter(kPlainChapter, 31, "卷一", 1, "集部", "别集", storedChapter(0));
        lib.addChapter(kMarkedChapter, 31, "卷三", 1, "集部", "别集", storedChapter(kMarks));
    }
};

Library &library() {
    static Library lib;
    return lib;
}

// Builds the library (and enters its folder) before the windows open.
struct LibraryFirst {
    LibraryFirst() { library(); }
};

struct Form : LibraryFirst, ShownForm {};

void check(benchmark::State &state, bool ok, const char *what) {
    if (!ok) state.SkipWithError(what);
}

void BM_OpenChapter500kWith5000Passages(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    for (auto _ : state) {
        f.chanr(1, kPlainChapter);
        QApplication::processEvents(); // laid out and painted
    }
    check(state, f.rc->TextLength() == kChapterChars && f.curchapterid == kPlainChapter,
          "wrong chapter");
}
BENCHMARK(BM_OpenChapter500kWith5000Passages)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenChapterAfterFullTextSearch10000Marks(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    f.jiase = QStringLiteral("之");
    for (auto _ : state) {
        f.chanr(1, kMarkedChapter);
        QApplication::processEvents();
    }
    check(state, f.rc->TextLength() == kChapterChars && f.rc->SelLength() == 1, "not marked");
}
BENCHMARK(BM_OpenChapterAfterFullTextSearch10000Marks)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_OpenCachedChapter500kWith5000Passages(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    f.chanr(1, kPlainChapter);
    QDir().mkpath(QStringLiteral("data"));
    f.rc->SaveToFile(QStringLiteral("data/%1.dbx").arg(kPlainChapter));
    f.onlineedition = true;
    for (auto _ : state) {
        f.chanrlw(1, kPlainChapter);
        QApplication::processEvents();
    }
    check(state, f.rc->TextLength() == kChapterChars, "wrong chapter");
}
BENCHMARK(BM_OpenCachedChapter500kWith5000Passages)->Unit(benchmark::kMillisecond)->Iterations(10);

// state.range(0): 0 marks a chapter just opened (its layout still running in idle steps),
// 1 a chapter laid out to its end (the reader has scrolled through it).
void BM_RearchAndReplace10000Occurrences(benchmark::State &state) {
    Form form;
    TForm2 &f = form.f;
    QString text = plainText(kChapterChars);
    for (int i = 0; i < kMarks; ++i)
        text[qsizetype(i) * (kChapterChars / kMarks) + 3] = QChar(0x4E4B);
    for (auto _ : state) {
        state.PauseTiming();
        f.rc->SetText(text);
        QApplication::processEvents();
        if (state.range(0) == 1) {
            f.rc->Select(f.rc->TextLength(), 0); // lays out everything
            f.rc->Select(0, 0);
        }
        state.ResumeTiming();
        f.RearchAndReplace(QStringLiteral("之"), QStringLiteral("之"));
        QApplication::processEvents();
    }
    check(state, f.rc->SelStart() == 3 && f.rc->SelLength() == 1, "not marked");
}
BENCHMARK(BM_RearchAndReplace10000Occurrences)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace
