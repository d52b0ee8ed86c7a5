#include "platform/sqlite_provider.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

// Owns one prepared statement; finalized when the cursor goes.
class SqliteStatement {
  public:
    explicit SqliteStatement(sqlite3_stmt *stmt) : stmt_(stmt) {}
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;
    ~SqliteStatement() { sqlite3_finalize(stmt_); }
    sqlite3_stmt *get() const { return stmt_; }

  private:
    sqlite3_stmt *stmt_;
};

QString engineMessage(sqlite3 *db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

class SqliteCursor final : public DbCursor {
  public:
    SqliteCursor(sqlite3 *db, sqlite3_stmt *stmt) : db_(db), stmt_(stmt) {
        const int n = sqlite3_column_count(stmt);
        for (int i = 0; i < n; ++i)
            names_ << QString::fromUtf8(sqlite3_column_name(stmt, i));
        step();
    }
    bool eof() const override { return eof_; }
    void next() override { step(); }
    QStringList fieldNames() const override { return names_; }
    bool isNull(int column) const override {
        return sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL;
    }
    QString text(int column) const override {
        const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(stmt_.get(), column));
        return QString::fromUtf8(data, sqlite3_column_bytes(stmt_.get(), column));
    }
    qint64 integer(int column) const override { return sqlite3_column_int64(stmt_.get(), column); }

  private:
    void step() {
        const int rc = sqlite3_step(stmt_.get());
        if (rc == SQLITE_ROW) {
            eof_ = false;
        } else if (rc == SQLITE_DONE) {
            eof_ = true;
        } else {
            eof_ = true;
            throw DbError(engineMessage(db_));
        }
    }

    sqlite3 *db_;
    SqliteStatement stmt_;
    QStringList names_;
    bool eof_ = true;
};

class SqliteSession final : public DbSession {
  public:
    explicit SqliteSession(const TUniConnection &connection) {
        const QString file = connection.Database;
        if (file.isEmpty()) throw DbError(QStringLiteral("Database file name is not set"));
        const bool create =
            connection.SpecificOptions.value(QStringLiteral("SQLite.ForceCreateDatabase"))
                .compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
        db_ = openSqliteHandle(
            file, connection.SpecificOptions.value(QStringLiteral("EncryptionKey")), create);
    }
    ~SqliteSession() override { sqlite3_close_v2(db_); }

    std::unique_ptr<DbCursor> open(const QString &sql) override {
        const QByteArray text = sql.toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db_, text.constData(), text.size(), &stmt, nullptr) != SQLITE_OK)
            throw DbError(engineMessage(db_));
        if (!stmt) throw DbError(QStringLiteral("Query has no statement"));
        return std::make_unique<SqliteCursor>(db_, stmt);
    }

    void execute(const QString &sql) override {
        const QByteArray text = sql.toUtf8();
        const char *tail = text.constData();
        const char *end = tail + text.size();
        while (tail < end) {
            sqlite3_stmt *raw = nullptr;
            // -1: the text is nul-terminated; a length would make SQLite copy the whole rest of
            // a long batch for every statement.
            if (sqlite3_prepare_v2(db_, tail, -1, &raw, &tail) != SQLITE_OK)
                throw DbError(engineMessage(db_));
            if (!raw) break; // only blanks or comments left
            SqliteStatement stmt(raw);
            int rc;
            while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) throw DbError(engineMessage(db_));
        }
    }

  private:
    sqlite3 *db_ = nullptr;
};

} // namespace

sqlite3 *openSqliteHandle(const QString &path, const QString &key, bool create) {
    sqlite3 *db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const QByteArray file = QFileInfo(path).filePath().toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString message = db ? engineMessage(db) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("%1: %2").arg(message, path));
    }
    sqlite3_busy_timeout(db, 5000);
    const auto run = [db](const QString &sql) {
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DbError(engineMessage(db));
    };
    try {
        if (!key.isEmpty()) {
            const QByteArray k = key.toUtf8();
            if (sqlite3_key(db, k.constData(), int(k.size())) != SQLITE_OK)
                throw DbError(engineMessage(db));
            run(QStringLiteral("PRAGMA cipher_page_size = %1;").arg(kCipherPageSize));
        }
        // A wrong key or a file that is no database only shows at the first read.
        run(QStringLiteral("SELECT count(*) FROM sqlite_master;"));
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

std::unique_ptr<DbSession> openSqliteSession(const TUniConnection &connection) {
    return std::make_unique<SqliteSession>(connection);
}
