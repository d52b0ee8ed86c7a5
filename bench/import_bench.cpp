// Importing a library source folder: 1,500 books with 30,000 chapters and 2.5 million
// characters (a tenth of the sample library), with and without the final VACUUM. The sample
// library itself (341,000 chapters, 25 million characters) should import in well under a
// minute; this size should take a few seconds at most.
#include "catalogue/skeleton.h"
#include "dataaccess/import/importer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBooks = 1'500;
constexpr int kChapters = 30'000;
constexpr int kCharactersPerChapter = 83;

// A source folder in a temporary directory, made once for all runs.
const QString &sourceFolder() {
    static QTemporaryDir dir;
    static const QString root = [] {
        const QString text =
            QString::fromUtf8("黄帝者少典之子姓公孙名曰轩辕生而神灵弱而能言幼而徇齐"
                              "长而敦敏成而聪明轩辕之时神农氏世衰诸侯相侵伐暴虐百姓");
        std::vector<std::pair<QString, QString>> shelves;
        for (const auto &[section, list] : catalogueSkeleton())
            for (const QString &category : list.split(QLatin1Char('|')))
                shelves.emplace_back(section, category);
        std::mt19937 random(1);
        for (int b = 0; b < kBooks; ++b) {
            const auto &[section, category] = shelves[random() % shelves.size()];
            QString book = QStringLiteral("title: 書%1\nauthor: 某\nsection: %2\ncategory: %3\n\n")
                               .arg(b)
                               .arg(section, category);
            for (int c = 0; c < kChapters / kBooks; ++c) {
                book += QStringLiteral("## 卷%1\n").arg(c + 1);
                for (int k = 0; k < kCharactersPerChapter; ++k) {
                    book += text.at(int(random() % text.size()));
                    if (k % 30 == 29) book += QLatin1Char('\n');
                }
                book += QLatin1Char('\n');
            }
            QDir().mkpath(QDir(dir.path()).filePath(QStringLiteral("books/%1").arg(section)));
            QFile f(
                QDir(dir.path()).filePath(QStringLiteral("books/%1/%2.book").arg(section).arg(b)));
            if (f.open(QIODevice::WriteOnly)) f.write(book.toUtf8());
        }
        return dir.path();
    }();
    return root;
}

void BM_ImportLibrary(benchmark::State &state) {
    const QString source = sourceFolder();
    libraryimport::ImportOptions options;
    options.vacuum = state.range(0) != 0;
    for (auto _ : state) {
        QTemporaryDir out;
        const auto counts = libraryimport::importLibrary(
            source, QDir(out.path()).filePath(QStringLiteral("lib")), options);
        benchmark::DoNotOptimize(counts.chapters);
    }
    state.SetItemsProcessed(state.iterations() * kChapters);
}
BENCHMARK(BM_ImportLibrary)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
