// Fast writing of fresh SQLite files: one open database with prepared statements that are
// bound, stepped and reset row after row. For building library files, where sending every
// row as statement text would cost most of the time. The program itself reads through
// TUniConnection; only tools and tests write this way.
#pragma once

#include "platform/dataaccess.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

class SqliteBulkFile {
  public:
    // Opens (creating if missing) `path`. A non-empty `key` turns page encryption on, with the
    // program's cipher page size, before the first statement. Throws DbError.
    SqliteBulkFile(const QString &path, const QString &key);
    SqliteBulkFile(const SqliteBulkFile &) = delete;
    SqliteBulkFile &operator=(const SqliteBulkFile &) = delete;
    ~SqliteBulkFile();

    // Runs one or more statements that return no rows.
    void execute(const QString &sql);
    // Settings for a file that nobody else reads while it is written: no rollback journal,
    // no waiting for the disk. A crash leaves a broken file, so use it on temporary files only.
    void setFastUnsafeWrites();
    void begin() { execute(QStringLiteral("BEGIN")); }
    void commit() { execute(QStringLiteral("COMMIT")); }
    // Closes the file; further use throws. Errors at closing throw as well.
    void close();

    bool isOpen() const { return db_ != nullptr; }
    const QString &path() const { return path_; }
    sqlite3 *handle() const;

  private:
    QString path_;
    sqlite3 *db_ = nullptr;
};

// One prepared statement of a SqliteBulkFile. Parameters are numbered from 1.
class SqliteBulkStatement {
  public:
    SqliteBulkStatement(SqliteBulkFile &file, const QString &sql);
    SqliteBulkStatement(const SqliteBulkStatement &) = delete;
    SqliteBulkStatement &operator=(const SqliteBulkStatement &) = delete;
    ~SqliteBulkStatement();

    void bind(int index, qint64 value);
    void bind(int index, const QString &value);
    // UTF-8 text, copied by the engine.
    void bindUtf8(int index, const QByteArray &value);
    // Runs the statement with the bound values, then resets it for the next row.
    void step();

  private:
    void check(int rc) const;
    SqliteBulkFile &file_;
    sqlite3_stmt *stmt_ = nullptr;
};
