// kelvaro-import: builds a library folder from a library source folder, generates a library
// of any size from real texts for benchmarks, or (--mysql) loads chapter texts into the
// online edition's server database.
#include "dataaccess/import/generator.h"
#include "dataaccess/import/importer.h"
#include "platform/dataaccess.h"
#include "progressview.h"
#include "serverload.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char *const kUsage =
    "Usage:\n"
    "  kelvaro-import [options] <source folder> <library folder>\n"
    "  kelvaro-import --generate <library folder> --from <source folder or library>\n"
    "                 [--books N] [--chapters N] [--chars N] [--seed N] [options]\n"
    "  kelvaro-import --mysql ...\n"
    "\n"
    "Builds the library files wxlb.dbx, kelva.dbx, kelva2.dbx and kxzd.dbx in the library\n"
    "folder from a source folder (books/**/*.book, dict/*.tsv, NOTICE.txt). The library is\n"
    "written into a temporary folder next to the target and moved into place when complete.\n"
    "\n"
    "--generate builds a library of the given size from the chapters of an existing source\n"
    "folder or library, repeated and shuffled (defaults: 20000 books, 280000 chapters, each\n"
    "chapter as long as the text it is made from). N may end in K, M or G.\n"
    "\n"
    "Options:\n"
    "  --replace     write over a library that is already in the library folder\n"
    "  --no-vacuum   leave out the final VACUUM (saves time and disk on huge libraries)\n"
    "  --quiet       no progress output (warnings and errors are still shown)\n"
    "  -h, --help    this text\n";

void printErr(const QString &text) {
    const QByteArray bytes = (text + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int usageError(const QString &message) {
    printErr(QStringLiteral("kelvaro-import: %1").arg(message));
    std::fputs(kUsage, stderr);
    return 2;
}

// "280000", "25M", "2.4G".
std::optional<qint64> parseCount(QString text) {
    double factor = 1;
    if (text.endsWith(QLatin1Char('K'), Qt::CaseInsensitive)) factor = 1e3;
    if (text.endsWith(QLatin1Char('M'), Qt::CaseInsensitive)) factor = 1e6;
    if (text.endsWith(QLatin1Char('G'), Qt::CaseInsensitive)) factor = 1e9;
    if (factor != 1) text.chop(1);
    bool ok = false;
    const double value = text.toDouble(&ok) * factor;
    if (!ok || value < 0 || value > 9e18) return std::nullopt;
    return qint64(value + 0.5);
}

// Ctrl-C or a termination request: the run stops at its next progress report and removes its
// temporary folder. A second signal ends the process at once.
volatile std::sig_atomic_t interrupted = 0;
extern "C" void onSignal(int signal) {
    interrupted = 1;
    std::signal(signal, SIG_DFL);
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "--mysql") == 0) return runServerLoad(argc, argv);

    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption replace(QStringLiteral("replace"), QString());
    const QCommandLineOption noVacuum(QStringLiteral("no-vacuum"), QString());
    const QCommandLineOption quiet(QStringLiteral("quiet"), QString());
    const QCommandLineOption generate(QStringLiteral("generate"), QString(), QStringLiteral("dir"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("dir"));
    const QCommandLineOption books(QStringLiteral("books"), QString(), QStringLiteral("n"));
    const QCommandLineOption chapters(QStringLiteral("chapters"), QString(), QStringLiteral("n"));
    const QCommandLineOption chars(QStringLiteral("chars"), QString(), QStringLiteral("n"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("n"));
    parser.addOptions(
        {help, replace, noVacuum, quiet, generate, from, books, chapters, chars, seed});
    parser.addPositionalArgument(QStringLiteral("folders"), QString());
    if (!parser.parse(app.arguments())) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    const bool generating = parser.isSet(generate);
    const QStringList args = parser.positionalArguments();
    if (generating) {
        if (!args.isEmpty()) return usageError(QStringLiteral("--generate takes no other folders"));
        if (!parser.isSet(from)) return usageError(QStringLiteral("--generate needs --from"));
    } else {
        for (const auto *option : {&from, &books, &chapters, &chars, &seed})
            if (parser.isSet(*option))
                return usageError(
                    QStringLiteral("--%1 belongs to --generate").arg(option->names().first()));
        if (args.size() != 2)
            return usageError(QStringLiteral("expected a source folder and a library folder"));
    }

    libraryimport::GenerateOptions generateOptions;
    for (auto [option, target] : {std::pair{&books, &generateOptions.books},
                                  std::pair{&chapters, &generateOptions.chapters}}) {
        if (!parser.isSet(*option)) continue;
        const auto n = parseCount(parser.value(*option));
        if (!n || *n > 0x7fffffff)
            return usageError(QStringLiteral("bad number for --%1").arg(option->names().first()));
        *target = int(*n);
    }
    if (parser.isSet(chars)) {
        const auto n = parseCount(parser.value(chars));
        if (!n) return usageError(QStringLiteral("bad number for --chars"));
        generateOptions.characters = *n;
    }
    if (parser.isSet(seed)) {
        const auto n = parseCount(parser.value(seed));
        if (!n || *n > 0xffffffffLL) return usageError(QStringLiteral("bad number for --seed"));
        generateOptions.seed = quint32(*n);
    }

    ProgressView view(parser.isSet(quiet));
    qint64 warnings = 0;
    libraryimport::ImportProgress progress = view.callbacks();
    auto showWarning = progress.warning;
    progress.warning = [&](const QString &message) {
        ++warnings;
        showWarning(message);
    };
    auto showPhase = progress.phase;
    auto showAdvance = progress.advance;
    auto checkInterrupted = [] {
        if (interrupted) throw libraryimport::ImportError(QStringLiteral("interrupted"));
    };
    progress.phase = [&](const QString &name, qint64 total) {
        checkInterrupted();
        showPhase(name, total);
    };
    progress.advance = [&](qint64 done) {
        checkInterrupted();
        showAdvance(done);
    };
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    QElapsedTimer clock;
    clock.start();
    const QString target = generating ? parser.value(generate) : args.at(1);
    libraryimport::LibraryCounts counts;
    try {
        if (generating) {
            generateOptions.replace = parser.isSet(replace);
            generateOptions.vacuum = !parser.isSet(noVacuum);
            counts = libraryimport::generateLibrary(parser.value(from), target, generateOptions,
                                                    progress);
        } else {
            libraryimport::ImportOptions options;
            options.replace = parser.isSet(replace);
            options.vacuum = !parser.isSet(noVacuum);
            counts = libraryimport::importLibrary(args.at(0), target, options, progress);
        }
    } catch (const libraryimport::ImportError &e) {
        view.finishLine();
        printErr(QStringLiteral("kelvaro-import: %1").arg(e.text()));
        printErr(QStringLiteral("kelvaro-import: nothing was written"));
        return 1;
    } catch (const DbError &e) {
        view.finishLine();
        printErr(QStringLiteral("kelvaro-import: %1").arg(e.message()));
        printErr(QStringLiteral("kelvaro-import: nothing was written"));
        return 1;
    }
    view.finishLine();
    const QString summary =
        QStringLiteral("kelvaro-import: wrote %1: %2 books, %3 chapters (%4 in kelva2.dbx), %5 "
                       "characters, %6 body tables, %7 dictionary rows, %8 warnings, %9 s\n")
            .arg(target)
            .arg(counts.books)
            .arg(counts.chapters)
            .arg(counts.secondTextChapters)
            .arg(counts.characters)
            .arg(counts.bodyTables)
            .arg(counts.dictionaryRows)
            .arg(warnings)
            .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1);
    std::fputs(summary.toLocal8Bit().constData(), stdout);
    return 0;
}
