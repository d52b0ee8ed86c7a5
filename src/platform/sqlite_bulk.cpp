#include "platform/sqlite_bulk.h"

#include "platform/sqlite_provider.h"

#include <sqlite3.h>

namespace {
QString engineMessage(sqlite3 *db, const QString &path) {
    return QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
}
} // namespace

SqliteBulkFile::SqliteBulkFile(const QString &path, const QString &key) : path_(path) {
    try {
        db_ = openSqliteHandle(path, key, true);
    } catch (const DbError &e) {
        // Name the file: the importer writes several at once.
        throw DbError(e.message().contains(path) ? e.message()
                                                 : path + QStringLiteral(": ") + e.message());
    }
}

SqliteBulkFile::~SqliteBulkFile() {
    sqlite3_close_v2(db_);
}

sqlite3 *SqliteBulkFile::handle() const {
    if (!db_) throw DbError(QStringLiteral("%1: the file is closed").arg(path_));
    return db_;
}

void SqliteBulkFile::execute(const QString &sql) {
    sqlite3 *db = handle();
    const QByteArray text = sql.toUtf8();
    const char *tail = text.constData();
    const char *end = tail + text.size();
    while (tail < end) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, tail, int(end - tail), &stmt, &tail) != SQLITE_OK)
            throw DbError(engineMessage(db, path_));
        if (!stmt) break;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) throw DbError(engineMessage(db, path_));
    }
}

void SqliteBulkFile::setFastUnsafeWrites() {
    execute(QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                           " PRAGMA cache_size = -65536;"));
}

void SqliteBulkFile::close() {
    if (!db_) return;
    const int rc = sqlite3_close(db_);
    if (rc != SQLITE_OK) {
        const QString message = engineMessage(db_, path_);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw DbError(message);
    }
    db_ = nullptr;
}

SqliteBulkStatement::SqliteBulkStatement(SqliteBulkFile &file, const QString &sql) : file_(file) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(file.handle(), text.constData(), int(text.size()), &stmt_, nullptr) !=
        SQLITE_OK)
        throw DbError(engineMessage(file.handle(), file.path()));
}

SqliteBulkStatement::~SqliteBulkStatement() {
    sqlite3_finalize(stmt_);
}

void SqliteBulkStatement::check(int rc) const {
    if (rc != SQLITE_OK) throw DbError(engineMessage(file_.handle(), file_.path()));
}

void SqliteBulkStatement::bind(int index, qint64 value) {
    check(sqlite3_bind_int64(stmt_, index, value));
}

void SqliteBulkStatement::bind(int index, const QString &value) {
    bindUtf8(index, value.toUtf8());
}

void SqliteBulkStatement::bindUtf8(int index, const QByteArray &value) {
    // An empty QByteArray may have no data pointer; bind "" rather than NULL.
    check(sqlite3_bind_text64(stmt_, index, value.isNull() ? "" : value.constData(),
                              sqlite3_uint64(value.size()), SQLITE_TRANSIENT, SQLITE_UTF8));
}

void SqliteBulkStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        const QString message = engineMessage(file_.handle(), file_.path());
        sqlite3_reset(stmt_);
        throw DbError(message);
    }
    sqlite3_reset(stmt_);
}
