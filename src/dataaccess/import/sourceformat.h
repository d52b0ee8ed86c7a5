// Reading a library source folder:
//
//   <src>/books/**/*.book   one book per file (header lines, then "## " chapters)
//   <src>/dict/*.tsv        optional dictionary tables: zizi, ncidian, cidian, kxzd
//   <src>/NOTICE.txt        optional, copied into the library as it is
//
// Every function here checks its input completely and throws ImportError naming the file and
// line of the first problem.
#pragma once

#include "dataaccess/import/importerror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace libraryimport {

struct SourceChapter {
    QString title;
    QByteArray body; // UTF-8, lines separated by CR LF, no leading or trailing blank lines
    int line = 0;    // line of the "## " heading
};

struct SourceBook {
    QString file; // as named in messages
    QString title;
    QString author;
    QString note;
    QString section;
    QString category;
    QString zmf;
    std::vector<SourceChapter> chapters;
};

// Parses the content of one book file. `file` names it in messages and warnings (unbalanced
// "[[[" "]]]" markers are only a warning).
SourceBook parseBook(const QByteArray &content, const QString &file,
                     const ImportProgress &progress = {});
// Reads and parses a book file.
SourceBook readBook(const QString &path, const QString &displayName,
                    const ImportProgress &progress = {});

// Checks `text` for one pair of markers after the other; returns the 1-based line (counted
// from the body's first line) of the first marker without its partner, or 0.
int unbalancedMarkerLine(const QByteArray &text);

// The book files below <source>/books, ordered by their paths relative to that folder,
// compared by code point. Throws when there is no books folder or no book in it.
struct BookFile {
    QString path;        // absolute
    QString displayName; // "books/<relative path>"
};
std::vector<BookFile> listBookFiles(const QString &sourceDir);

// A dictionary table of the source folder and the library table it fills.
struct DictionaryTable {
    QString file;        // "zizi.tsv"
    QString table;       // "zizi"
    QStringList columns; // the table's columns in order; the first is the lookup key
    bool kangxi = false; // the table lives in "kxzd.dbx", not in the catalogue file
};
const std::vector<DictionaryTable> &dictionaryTables();

// Parses a TSV dictionary: a header line naming columns of `table` (in any order, the key
// column required), then one row per line. `row` receives each row's values in the order of
// table.columns, with "\n" turned into CR LF, "\t" into a tab and "\\" into a backslash.
// Blank lines are skipped. Returns the number of rows.
qint64 parseDictionary(const QByteArray &content, const QString &file, const DictionaryTable &table,
                       const std::function<void(const QStringList &values)> &row);

// Reads a whole file; throws ImportError naming `displayName` when it cannot.
QByteArray readWholeFile(const QString &path, const QString &displayName);

} // namespace libraryimport
