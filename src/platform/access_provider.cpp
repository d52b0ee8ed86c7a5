#include "platform/access_provider.h"

#include "platform/sqlite_provider.h"

#include <QFile>
#include <QFileInfo>
#include <mdbsql.h>

#include <cstdio>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// Bytes each bound column can hold; mdbtools' default of 16 KiB would cut long entries.
constexpr size_t kBindSize = 256 * 1024;

// mdbtools keeps parser state in globals and writes its errors to the process's stderr, so
// every statement runs under this lock with fd 2 pointed at a buffer of our own for the
// moment of the call; what it wrote becomes the text of our exception. (Anything another
// thread writes to stderr during that moment lands in the buffer too.)
std::mutex &mdbLock() {
    static std::mutex lock;
    return lock;
}

class StderrCapture {
  public:
    StderrCapture() {
        buffer_ = memfd_create("kelvaro-mdb-errors", MFD_CLOEXEC);
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        if (buffer_ >= 0 && saved_ >= 0) dup2(buffer_, STDERR_FILENO);
    }
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;
    ~StderrCapture() { restore(); }

    // Puts stderr back and returns what was written meanwhile.
    QString finish() {
        restore();
        QByteArray text;
        if (buffer_ >= 0) {
            char chunk[4096];
            lseek(buffer_, 0, SEEK_SET);
            ssize_t n;
            while ((n = read(buffer_, chunk, sizeof chunk)) > 0)
                text.append(chunk, n);
            close(buffer_);
            buffer_ = -1;
        }
        return QString::fromUtf8(text);
    }

  private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    int buffer_ = -1;
    int saved_ = -1;
};

// The library's message lines, without repeats, most specific first; "syntax error" and
// "Column x not found" are followed by a generic "Got no result for '...'" line.
QString engineMessage(const QString &captured, const char *last) {
    QStringList lines;
    for (const QString &line : captured.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !lines.contains(trimmed)) lines << trimmed;
    }
    const QString lastText = QString::fromUtf8(last).trimmed();
    if (!lastText.isEmpty() && !lines.contains(lastText)) lines << lastText;
    if (lines.isEmpty()) lines << QStringLiteral("Access statement failed");
    return lines.join(QLatin1String("; "));
}

// All rows of one statement, read at once: mdbtools keeps a single running statement per
// handle, and the program's lookups return a handful of rows.
class MdbCursor final : public DbCursor {
  public:
    MdbCursor(QStringList names, std::vector<bool> textColumns, std::vector<QStringList> rows)
        : names_(std::move(names)), textColumns_(std::move(textColumns)), rows_(std::move(rows)) {}
    bool eof() const override { return row_ >= rows_.size(); }
    void next() override {
        if (row_ < rows_.size()) ++row_;
    }
    QStringList fieldNames() const override { return names_; }
    // mdbtools hands a NULL over as an empty text; only a non-text column can tell.
    bool isNull(int column) const override {
        return value(column).isEmpty() && !textColumns_.at(size_t(column));
    }
    QString text(int column) const override { return value(column); }
    qint64 integer(int column) const override {
        const QString v = value(column);
        bool ok = false;
        const qint64 whole = v.toLongLong(&ok);
        if (ok) return whole;
        const double number = v.toDouble(&ok);
        return ok ? qint64(number) : 0;
    }

  private:
    const QString &value(int column) const {
        if (eof()) throw DbError(QStringLiteral("No current record"));
        const QStringList &row = rows_[row_];
        if (column < 0 || column >= row.size())
            throw DbError(QStringLiteral("Column %1 out of range").arg(column));
        return row[column];
    }
    QStringList names_;
    std::vector<bool> textColumns_;
    std::vector<QStringList> rows_;
    size_t row_ = 0;
};

class MdbSession final : public DbSession {
  public:
    explicit MdbSession(const QString &file) {
        std::lock_guard lock(mdbLock());
        StderrCapture capture;
        // mdb_open directly: mdb_sql_open would run the name through shell word expansion.
        MdbHandle *mdb = mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS);
        const QString printed = capture.finish();
        if (!mdb)
            throw DbError(QStringLiteral("Cannot open Access database %1: %2")
                              .arg(file, engineMessage(printed, "")));
        mdb_set_bind_size(mdb, kBindSize);
        sql_ = mdb_sql_init();
        sql_->mdb = mdb;
    }
    ~MdbSession() override {
        std::lock_guard lock(mdbLock());
        mdb_sql_exit(sql_); // closes the file and frees sql_
    }

    std::unique_ptr<DbCursor> open(const QString &sql) override {
        std::lock_guard lock(mdbLock());
        const QByteArray text = sql.toUtf8();
        StderrCapture capture;
        MdbSQL *ran = mdb_sql_run_query(sql_, text.constData());
        if (!ran || mdb_sql_has_error(sql_) || !sql_->cur_table) {
            const QString message = engineMessage(capture.finish(), mdb_sql_last_error(sql_));
            mdb_sql_reset(sql_);
            throw DbError(message);
        }

        QStringList names;
        std::vector<bool> textColumns;
        for (unsigned i = 0; i < sql_->num_columns; ++i) {
            const auto *column = static_cast<MdbSQLColumn *>(g_ptr_array_index(sql_->columns, i));
            names << QString::fromUtf8(column->name);
            textColumns.push_back(isTextColumn(column->name));
        }
        long limit = mdb_sql_get_limit(sql_);
        if (limit >= 0 && sql_->limit_percent)
            limit = long(sql_->cur_table->num_rows) * limit / 100;
        std::vector<QStringList> rows;
        while ((limit < 0 || long(rows.size()) < limit) && mdb_fetch_row(sql_->cur_table)) {
            QStringList row;
            for (unsigned i = 0; i < sql_->num_columns; ++i)
                row << QString::fromUtf8(
                    static_cast<const char *>(g_ptr_array_index(sql_->bound_values, i)));
            rows.push_back(std::move(row));
        }
        const QString printed = capture.finish();
        mdb_sql_reset(sql_);
        Q_UNUSED(printed); // warnings while reading rows are the library's own business
        return std::make_unique<MdbCursor>(std::move(names), std::move(textColumns),
                                           std::move(rows));
    }

    // mdbtools reads only; a statement that is not a select fails as its parser says.
    void execute(const QString &sql) override { open(sql); }

  private:
    bool isTextColumn(const char *name) const {
        const MdbTableDef *table = sql_->cur_table;
        for (unsigned i = 0; i < table->num_cols; ++i) {
            const auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
            if (g_ascii_strcasecmp(column->name, name) == 0)
                return column->col_type == MDB_TEXT || column->col_type == MDB_MEMO;
        }
        return true;
    }

    MdbSQL *sql_ = nullptr;
};

} // namespace

AccessFileKind accessFileKind(const QString &path) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) return AccessFileKind::Missing;
    if (!file.open(QIODevice::ReadOnly)) return AccessFileKind::Unknown;
    const QByteArray head = file.read(20);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0"))) return AccessFileKind::Sqlite;
    const QByteArray jetName = head.mid(4);
    if (jetName.startsWith(QByteArrayLiteral("Standard Jet DB\0")) ||
        jetName.startsWith(QByteArrayLiteral("Standard ACE DB\0")))
        return AccessFileKind::Jet;
    return AccessFileKind::Unknown;
}

std::unique_ptr<DbSession> openAccessSession(const TUniConnection &connection) {
    const QString file = connection.Database;
    if (file.isEmpty()) throw DbError(QStringLiteral("Database file name is not set"));
    switch (accessFileKind(file)) {
    case AccessFileKind::Jet:
        return std::make_unique<MdbSession>(file);
    case AccessFileKind::Sqlite: {
        // The importer's converted copy: plain SQLite, no page encryption, never created.
        TUniConnection copy;
        copy.Database = file;
        return openSqliteSession(copy);
    }
    case AccessFileKind::Missing:
        throw DbError(QStringLiteral("Cannot open Access database %1: file not found").arg(file));
    case AccessFileKind::Unknown:
        break;
    }
    throw DbError(
        QStringLiteral("Cannot open Access database %1: not an Access or SQLite file").arg(file));
}
