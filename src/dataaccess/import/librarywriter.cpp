#include "dataaccess/import/librarywriter.h"

#include "dataaccess/configuration.h"
#include "dataaccess/import/idrules.h"
#include "dataaccess/schema.h"
#include "dataaccess/sqltext.h"
#include "platform/sqlite_bulk.h"

#include <QDir>
#include <QScopeGuard>

namespace libraryimport {

LibraryKeys LibraryKeys::fromConfiguration() {
    const Configuration config;
    return {config.key1(), config.key2()};
}

struct LibraryWriter::Shelf {
    int number = 0;
    QByteArray fl1, fl2;
    std::unique_ptr<SqliteBulkStatement> insertBody;
};

namespace {
std::unique_ptr<SqliteBulkFile> createFile(const QString &dir, const QString &name,
                                           const QString &key, const QString &schemaSql) {
    auto file = std::make_unique<SqliteBulkFile>(QDir(dir).filePath(name), key);
    file->setFastUnsafeWrites();
    if (!schemaSql.isEmpty()) file->execute(schemaSql);
    file->begin();
    return file;
}

qint64 codePoints(const QByteArray &utf8) {
    qint64 n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}
} // namespace

LibraryWriter::LibraryWriter(const QString &dir, const LibraryKeys &keys) : dir_(dir) {
    try {
        catalogue_ = createFile(dir, kCatalogueFile, keys.key1, schema::catalogueSql());
        text_ = createFile(dir, kTextFile, QString(), QString());
        secondText_ = createFile(dir, kSecondTextFile, keys.key2, schema::secondTextSql());
        kangxi_ = createFile(dir, kKangxiFile, QString(), schema::kangxiSql());

        insertBook_ = std::make_unique<SqliteBulkStatement>(
            *catalogue_, QStringLiteral("INSERT INTO wxlb (id, a1, a2, a3, fl1, fl2, cnt, zid, zmf)"
                                        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        insertChapter_ = std::make_unique<SqliteBulkStatement>(
            *catalogue_, QStringLiteral("INSERT INTO zjlist (id, bid, zj, fldb, fl1, fl2)"
                                        " VALUES (?, ?, ?, ?, ?, ?)"));
        insertFldb_ = std::make_unique<SqliteBulkStatement>(
            *catalogue_, QStringLiteral("INSERT INTO fldb (id, fl1, fl2) VALUES (?, ?, ?)"));
        insertSecond_ = std::make_unique<SqliteBulkStatement>(
            *secondText_,
            QStringLiteral("INSERT INTO wx (id, body, bid, fl1, fl2) VALUES (?, ?, ?, ?, ?)"));
    } catch (const DbError &e) {
        throw ImportError(e.message());
    }
}

LibraryWriter::~LibraryWriter() = default;

LibraryWriter::Shelf &LibraryWriter::shelfOf(const BookHeader &book) {
    const int number = bodyTableNumber(book.section, book.category);
    if (!number)
        throw ImportError(QStringLiteral("not a sub-category of the catalogue: %1/%2")
                              .arg(book.section, book.category));
    auto &slot = shelves_[number];
    if (!slot) {
        auto shelf = std::make_unique<Shelf>();
        shelf->number = number;
        shelf->fl1 = book.section.toUtf8();
        shelf->fl2 = book.category.toUtf8();
        text_->execute(schema::bodyTableSql(number));
        shelf->insertBody = std::make_unique<SqliteBulkStatement>(
            *text_, QStringLiteral("INSERT INTO %1 (id, body, bid) VALUES (?, ?, ?)")
                        .arg(schema::bodyTableName(number)));
        insertFldb_->bind(1, number);
        insertFldb_->bindUtf8(2, shelf->fl1);
        insertFldb_->bindUtf8(3, shelf->fl2);
        insertFldb_->step();
        ++counts_.bodyTables;
        slot = std::move(shelf);
    }
    return *slot;
}

void LibraryWriter::addBook(int id, const BookHeader &book, int cnt, int zid) {
    try {
        currentShelf_ = &shelfOf(book);
        currentBook_ = id;
        insertBook_->bind(1, id);
        insertBook_->bind(2, book.title);
        insertBook_->bind(3, book.note);
        insertBook_->bind(4, book.author);
        insertBook_->bindUtf8(5, currentShelf_->fl1);
        insertBook_->bindUtf8(6, currentShelf_->fl2);
        insertBook_->bind(7, cnt);
        insertBook_->bind(8, zid);
        insertBook_->bind(9, book.zmf);
        insertBook_->step();
        ++counts_.books;
    } catch (const DbError &e) {
        throw ImportError(e.message());
    }
}

void LibraryWriter::addChapter(int id, const QString &title, const QByteArray &body) {
    if (!currentShelf_) throw ImportError(QStringLiteral("a chapter before its book"));
    const Shelf &shelf = *currentShelf_;
    try {
        insertChapter_->bind(1, id);
        insertChapter_->bind(2, currentBook_);
        insertChapter_->bind(3, title);
        insertChapter_->bind(4, shelf.number);
        insertChapter_->bindUtf8(5, shelf.fl1);
        insertChapter_->bindUtf8(6, shelf.fl2);
        insertChapter_->step();
        if (inSecondTextFile(id)) {
            insertSecond_->bind(1, id);
            insertSecond_->bindUtf8(2, body);
            insertSecond_->bind(3, currentBook_);
            insertSecond_->bindUtf8(4, shelf.fl1);
            insertSecond_->bindUtf8(5, shelf.fl2);
            insertSecond_->step();
            ++counts_.secondTextChapters;
        } else {
            shelf.insertBody->bind(1, id);
            shelf.insertBody->bindUtf8(2, body);
            shelf.insertBody->bind(3, currentBook_);
            shelf.insertBody->step();
        }
    } catch (const DbError &e) {
        throw ImportError(e.message());
    }
    ++counts_.chapters;
    counts_.characters += codePoints(body);
}

void LibraryWriter::addDictionaryRow(const DictionaryTable &table, const QStringList &values) {
    try {
        auto &insert = insertDictionary_[table.table];
        if (!insert) {
            QStringList marks(table.columns.size(), QStringLiteral("?"));
            insert = std::make_unique<SqliteBulkStatement>(
                table.kangxi ? *kangxi_ : *catalogue_,
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(table.table, table.columns.join(QStringLiteral(", ")),
                         marks.join(QStringLiteral(", "))));
        }
        for (int k = 0; k < values.size(); ++k)
            insert->bind(k + 1, values[k]);
        insert->step();
        ++counts_.dictionaryRows;
    } catch (const DbError &e) {
        throw ImportError(e.message());
    }
}

void LibraryWriter::finish(bool vacuum, const ImportProgress &progress) {
    try {
        // Statements must be gone before their files close.
        insertBook_.reset();
        insertChapter_.reset();
        insertSecond_.reset();
        insertFldb_.reset();
        insertDictionary_.clear();
        for (auto &[number, shelf] : shelves_)
            shelf->insertBody.reset();
        currentShelf_ = nullptr;

        SqliteBulkFile *files[] = {catalogue_.get(), secondText_.get(), kangxi_.get(), text_.get()};
        progress.startPhase(vacuum ? QStringLiteral("analysing and compacting")
                                   : QStringLiteral("analysing"),
                            std::size(files));
        // VACUUM builds a full copy of a file, which the engine keeps in memory by default. It
        // goes to a file in the library's own folder instead, which has room for the library.
        // That folder setting is global to the process: it is cleared again when done.
        auto setTempFolder = [&](const QString &folder) {
            catalogue_->execute(
                QStringLiteral("PRAGMA temp_store_directory = '%1'").arg(sqlText(folder)));
        };
        if (vacuum) setTempFolder(dir_);
        auto clearTempFolder = qScopeGuard([&] {
            try {
                if (vacuum && catalogue_->isOpen()) setTempFolder(QString());
            } catch (const DbError &) {
            }
        });
        qint64 done = 0;
        for (SqliteBulkFile *file : files) {
            file->commit();
            file->execute(QStringLiteral("ANALYZE"));
            if (vacuum) file->execute(QStringLiteral("PRAGMA temp_store = FILE; VACUUM"));
            if (file != catalogue_.get()) file->close();
            progress.step(++done);
        }
        clearTempFolder.dismiss();
        if (vacuum) setTempFolder(QString());
        catalogue_->close();
    } catch (const DbError &e) {
        throw ImportError(e.message());
    }
}

} // namespace libraryimport
