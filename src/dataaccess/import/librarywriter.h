// Writes the four files of a library into a folder: "wxlb.dbx" (catalogue and dictionaries,
// page-encrypted with key 1), "kelva.dbx" (one body table wx<n> per sub-category that has
// books), "kelva2.dbx" (table wx, page-encrypted with key 2) and "kxzd.dbx" (the Kangxi
// dictionary). Books and chapters arrive with their ids already chosen (see idrules.h).
#pragma once

#include "dataaccess/import/importerror.h"
#include "dataaccess/import/sourceformat.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>

class SqliteBulkFile;
class SqliteBulkStatement;

namespace libraryimport {

inline const QString kCatalogueFile = QStringLiteral("wxlb.dbx");
inline const QString kTextFile = QStringLiteral("kelva.dbx");
inline const QString kSecondTextFile = QStringLiteral("kelva2.dbx");
inline const QString kKangxiFile = QStringLiteral("kxzd.dbx");
inline const QString kNoticeFile = QStringLiteral("NOTICE.txt");

struct LibraryKeys {
    QString key1; // "wxlb.dbx"
    QString key2; // "kelva2.dbx"
    // The keys the program opens its files with.
    static LibraryKeys fromConfiguration();
};

struct BookHeader {
    QString title, author, note, section, category, zmf;
};

struct LibraryCounts {
    qint64 books = 0;
    qint64 chapters = 0;
    qint64 secondTextChapters = 0; // of them, in "kelva2.dbx"
    qint64 characters = 0;         // of all chapter bodies, in code points
    qint64 bodyTables = 0;
    qint64 dictionaryRows = 0;
};

class LibraryWriter {
  public:
    // Creates the four files with their tables in `dir`, an existing folder without them.
    LibraryWriter(const QString &dir, const LibraryKeys &keys);
    LibraryWriter(const LibraryWriter &) = delete;
    LibraryWriter &operator=(const LibraryWriter &) = delete;
    ~LibraryWriter();

    // A book with `cnt` chapters whose first chapter is `zid`; its chapters follow through
    // addChapter. Section and category must be a pair of the catalogue skeleton.
    void addBook(int id, const BookHeader &book, int cnt, int zid);
    // A chapter of the book added last; `body` is UTF-8.
    void addChapter(int id, const QString &title, const QByteArray &body);
    void addDictionaryRow(const DictionaryTable &table, const QStringList &values);

    // Commits everything, then runs ANALYZE and (when `vacuum`) VACUUM on every file and closes
    // them. Nothing may be added afterwards.
    void finish(bool vacuum, const ImportProgress &progress = {});

    const LibraryCounts &counts() const { return counts_; }

  private:
    struct Shelf;
    Shelf &shelfOf(const BookHeader &book);

    QString dir_;
    std::unique_ptr<SqliteBulkFile> catalogue_, text_, secondText_, kangxi_;
    std::unique_ptr<SqliteBulkStatement> insertBook_, insertChapter_, insertSecond_, insertFldb_;
    std::map<QString, std::unique_ptr<SqliteBulkStatement>> insertDictionary_;
    std::map<int, std::unique_ptr<Shelf>> shelves_;
    Shelf *currentShelf_ = nullptr;
    int currentBook_ = 0;
    LibraryCounts counts_;
};

} // namespace libraryimport
