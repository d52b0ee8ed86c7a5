// Saving and loading a long chapter as RTF: 500,000 characters in 1,000 paragraphs with
// 5,000 coloured passages (every fifth one a red 16 pt mark). Each should take well under
// 100 ms.
#include "platform/rtf.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

constexpr int totalChars = 500'000;
constexpr int colouredRuns = 5'000;
constexpr int paragraphs = 1'000;

void buildChapter(QTextDocument &doc) {
    const QString sample =
        QString::fromUtf8("黄帝者少典之子姓公孙名曰轩辕生而神灵弱而能言幼而徇齐"
                          "长而敦敏成而聪明轩辕之时神农氏世衰诸侯相侵伐暴虐百姓");
    QTextCharFormat plain;
    plain.setFontFamilies({QString::fromUtf8("宋体")});
    plain.setFontPointSize(12);
    QTextCharFormat passage = plain;
    passage.setForeground(QColor(0, 0, 160));
    QTextCharFormat mark = plain;
    mark.setForeground(QColor(255, 0, 0));
    mark.setFontPointSize(16);

    // Each paragraph: five pieces of plain text, each followed by a coloured run.
    const int runsPerParagraph = colouredRuns / paragraphs;
    const int charsPerPiece = totalChars / colouredRuns;
    const int colouredLength = 20;
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    int run = 0;
    int offset = 0;
    auto take = [&](int n) {
        QString s;
        s.reserve(n);
        for (int i = 0; i < n; ++i)
            s += sample[offset++ % sample.size()];
        return s;
    };
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0) cursor.insertBlock();
        for (int r = 0; r < runsPerParagraph; ++r, ++run) {
            // One paragraph separator per paragraph counts as a character too.
            const int plainLength = charsPerPiece - colouredLength - (r == 0 && p > 0 ? 1 : 0);
            cursor.insertText(take(plainLength), plain);
            cursor.insertText(take(colouredLength), run % 5 == 4 ? mark : passage);
        }
    }
    cursor.endEditBlock();
}

void writeChapter(benchmark::State &state) {
    QTextDocument doc;
    buildChapter(doc);
    QByteArray rtf;
    for (auto _ : state) {
        rtf = writeRtf(doc);
        benchmark::DoNotOptimize(rtf.data());
    }
    state.counters["chars"] = doc.characterCount() - 1;
    state.counters["rtf_bytes"] = double(rtf.size());
}

void readChapter(benchmark::State &state) {
    QTextDocument source;
    buildChapter(source);
    const QByteArray rtf = writeRtf(source);
    QTextDocument doc;
    for (auto _ : state) {
        readRtf(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.counters["chars"] = doc.characterCount() - 1;
    state.counters["rtf_bytes"] = double(rtf.size());
}

BENCHMARK(writeChapter)->Unit(benchmark::kMillisecond);
BENCHMARK(readChapter)->Unit(benchmark::kMillisecond);

} // namespace
