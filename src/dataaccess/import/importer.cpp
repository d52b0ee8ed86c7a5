#include "dataaccess/import/importer.h"

#include "dataaccess/import/idrules.h"
#include "dataaccess/import/sourceformat.h"
#include "dataaccess/import/stagedlibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace libraryimport {

namespace {

struct PlannedBook {
    BookFile file;
    int id = 0;
    int firstChapter = 0;
    int chapters = 0;
};

struct PlannedDictionary {
    const DictionaryTable *table;
    QString path, displayName;
    qint64 rows = 0;
};

BookHeader headerOf(const SourceBook &book) {
    return {book.title, book.author, book.note, book.section, book.category, book.zmf};
}

std::vector<PlannedDictionary> findDictionaries(const QString &sourceDir,
                                                const ImportProgress &progress) {
    std::vector<PlannedDictionary> found;
    const QDir dict(QDir(sourceDir).filePath(QStringLiteral("dict")));
    if (!dict.exists()) return found;
    const QString shown = QDir::cleanPath(dict.path());
    for (const DictionaryTable &table : dictionaryTables())
        if (dict.exists(table.file))
            found.push_back(
                {&table, dict.filePath(table.file), shown + QLatin1Char('/') + table.file, 0});
    for (const QString &name : dict.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const bool known = std::any_of(dictionaryTables().begin(), dictionaryTables().end(),
                                       [&](const DictionaryTable &t) { return t.file == name; });
        if (!known)
            progress.warn(ImportError::format(
                shown + QLatin1Char('/') + name, 0,
                QStringLiteral("not a dictionary table of the library; ignored")));
    }
    return found;
}

} // namespace

LibraryCounts importLibrary(const QString &sourceDir, const QString &libraryDir,
                            const ImportOptions &options, const ImportProgress &progress) {
    if (!QFileInfo(sourceDir).isDir())
        throw ImportError(sourceDir, 0, QStringLiteral("no such folder"));
    checkLibraryTarget(libraryDir, options.replace);

    // First pass: check everything and number the books before a single byte is written.
    std::vector<PlannedBook> books;
    {
        const std::vector<BookFile> files = listBookFiles(sourceDir);
        progress.startPhase(QStringLiteral("checking books"), qint64(files.size()));
        IdAllocator ids;
        books.reserve(files.size());
        for (const BookFile &file : files) {
            const SourceBook book = readBook(file.path, file.displayName, progress);
            PlannedBook planned;
            planned.file = file;
            planned.chapters = int(book.chapters.size());
            try {
                planned.id = ids.nextBook(book.section);
                planned.firstChapter = ids.nextChapters(book.section, planned.chapters);
            } catch (const ImportError &e) {
                throw ImportError(file.displayName, 0, e.message());
            }
            books.push_back(std::move(planned));
            progress.step(qint64(books.size()));
        }
    }
    std::vector<PlannedDictionary> dictionaries = findDictionaries(sourceDir, progress);
    if (!dictionaries.empty()) {
        progress.startPhase(QStringLiteral("checking dictionaries"), qint64(dictionaries.size()));
        qint64 done = 0;
        for (PlannedDictionary &d : dictionaries) {
            d.rows = parseDictionary(readWholeFile(d.path, d.displayName), d.displayName, *d.table,
                                     [](const QStringList &) {});
            progress.step(++done);
        }
    }

    // Second pass: write into the temporary folder.
    StagedLibrary staged(libraryDir, options.replace);
    LibraryWriter writer(staged.dir(), options.keys);
    progress.startPhase(QStringLiteral("writing books"), qint64(books.size()));
    qint64 done = 0;
    for (const PlannedBook &planned : books) {
        const SourceBook book = readBook(planned.file.path, planned.file.displayName);
        if (int(book.chapters.size()) != planned.chapters)
            throw ImportError(planned.file.displayName, 0,
                              QStringLiteral("changed during the import"));
        writer.addBook(planned.id, headerOf(book), planned.chapters, planned.firstChapter);
        int id = planned.firstChapter;
        for (const SourceChapter &chapter : book.chapters)
            writer.addChapter(id++, chapter.title, chapter.body);
        progress.step(++done);
    }
    if (!dictionaries.empty()) {
        qint64 rows = 0;
        for (const PlannedDictionary &d : dictionaries)
            rows += d.rows;
        progress.startPhase(QStringLiteral("writing dictionaries"), rows);
        qint64 written = 0;
        for (const PlannedDictionary &d : dictionaries)
            parseDictionary(readWholeFile(d.path, d.displayName), d.displayName, *d.table,
                            [&](const QStringList &values) {
                                writer.addDictionaryRow(*d.table, values);
                                if (++written % 1000 == 0) progress.step(written);
                            });
        progress.step(written);
    }
    writer.finish(options.vacuum, progress);

    const QString notice = QDir(sourceDir).filePath(kNoticeFile);
    if (QFileInfo::exists(notice) && !QFile::copy(notice, QDir(staged.dir()).filePath(kNoticeFile)))
        throw ImportError(notice, 0, QStringLiteral("cannot copy into the library"));
    staged.commit();
    return writer.counts();
}

} // namespace libraryimport
