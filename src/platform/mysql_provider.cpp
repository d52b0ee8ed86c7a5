#include "platform/mysql_provider.h"

#include "platform/hostip.h"

#include <errmsg.h>
#include <mysql.h>

#include <mutex>

namespace {

// The client library's global state must be set up once, before any thread connects.
void initClientLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

QString clientMessage(MYSQL *mysql) {
    return QString::fromUtf8(mysql_error(mysql));
}

bool connectionLost(unsigned error) {
    return error == CR_SERVER_GONE_ERROR || error == CR_SERVER_LOST;
}

class MySqlCursor final : public DbCursor {
  public:
    // Takes a stored (fully read) result, or none for a statement without rows.
    explicit MySqlCursor(MYSQL_RES *result) : result_(result) {
        if (result_) {
            const unsigned n = mysql_num_fields(result_);
            const MYSQL_FIELD *fields = mysql_fetch_fields(result_);
            for (unsigned i = 0; i < n; ++i)
                names_ << QString::fromUtf8(fields[i].name, int(fields[i].name_length));
        }
        next();
    }
    MySqlCursor(const MySqlCursor &) = delete;
    MySqlCursor &operator=(const MySqlCursor &) = delete;
    ~MySqlCursor() override {
        if (result_) mysql_free_result(result_);
    }

    bool eof() const override { return row_ == nullptr; }
    void next() override {
        row_ = result_ ? mysql_fetch_row(result_) : nullptr;
        lengths_ = row_ ? mysql_fetch_lengths(result_) : nullptr;
    }
    QStringList fieldNames() const override { return names_; }
    bool isNull(int column) const override { return cell(column) == nullptr; }
    QString text(int column) const override {
        const char *value = cell(column);
        return value ? QString::fromUtf8(value, qsizetype(lengths_[column])) : QString();
    }
    qint64 integer(int column) const override {
        const char *value = cell(column);
        if (!value) return 0;
        const QByteArray digits(value, qsizetype(lengths_[column]));
        bool ok = false;
        const qint64 whole = digits.toLongLong(&ok);
        if (ok) return whole;
        const double number = digits.toDouble(&ok);
        return ok ? qint64(number) : 0;
    }

  private:
    const char *cell(int column) const {
        if (!row_) throw DbError(QStringLiteral("No current record"));
        if (column < 0 || column >= names_.size())
            throw DbError(QStringLiteral("Column %1 out of range").arg(column));
        return row_[column];
    }

    MYSQL_RES *result_;
    MYSQL_ROW row_ = nullptr;
    unsigned long *lengths_ = nullptr;
    QStringList names_;
};

struct ServerAddress {
    QByteArray host, user, password, database;
    unsigned port = kMySqlDefaultPort;
    unsigned connectTimeout = kMySqlConnectTimeout;
};

class MySqlSession final : public DbSession {
  public:
    explicit MySqlSession(const TUniConnection &connection) {
        const QString server =
            connection.Server.isEmpty() ? QStringLiteral("localhost") : connection.Server;
        address_.host = hostip(server).toUtf8();
        address_.user = connection.Username.toUtf8();
        address_.password = connection.Password.toUtf8();
        address_.database = connection.Database.toUtf8();
        if (connection.Port > 0) address_.port = unsigned(connection.Port);
        bool ok = false;
        const int timeout =
            connection.SpecificOptions.value(QStringLiteral("MySQL.ConnectionTimeout")).toInt(&ok);
        if (ok && timeout > 0) address_.connectTimeout = unsigned(timeout);
        connect();
    }
    MySqlSession(const MySqlSession &) = delete;
    MySqlSession &operator=(const MySqlSession &) = delete;
    ~MySqlSession() override { close(); }

    std::unique_ptr<DbCursor> open(const QString &sql) override {
        send(sql);
        MYSQL_RES *result = mysql_store_result(mysql_);
        if (!result && mysql_field_count(mysql_) != 0) fail();
        auto cursor = std::make_unique<MySqlCursor>(result);
        drainResults();
        return cursor;
    }

    void execute(const QString &sql) override {
        send(sql);
        MYSQL_RES *result = mysql_store_result(mysql_);
        if (result)
            mysql_free_result(result);
        else if (mysql_field_count(mysql_) != 0)
            fail();
        drainResults();
    }

    QString escapeText(const QString &text) override {
        ensureConnected();
        const QByteArray from = text.toUtf8();
        QByteArray to(from.size() * 2 + 1, Qt::Uninitialized);
        const unsigned long n =
            mysql_real_escape_string(mysql_, to.data(), from.constData(), from.size());
        to.truncate(qsizetype(n));
        return QString::fromUtf8(to);
    }

  private:
    void connect() {
        initClientLibrary();
        mysql_ = mysql_init(nullptr);
        if (!mysql_) throw DbError(QStringLiteral("out of memory"));
        const unsigned protocol = MYSQL_PROTOCOL_TCP;
        const unsigned readWrite = kMySqlReadWriteTimeout;
        const my_bool noReconnect = 0;
        mysql_optionsv(mysql_, MYSQL_OPT_PROTOCOL, &protocol);
        mysql_optionsv(mysql_, MYSQL_OPT_CONNECT_TIMEOUT, &address_.connectTimeout);
        mysql_optionsv(mysql_, MYSQL_OPT_READ_TIMEOUT, &readWrite);
        mysql_optionsv(mysql_, MYSQL_OPT_WRITE_TIMEOUT, &readWrite);
        mysql_optionsv(mysql_, MYSQL_OPT_RECONNECT, &noReconnect); // we reconnect ourselves
        mysql_optionsv(mysql_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
        const char *database =
            address_.database.isEmpty() ? nullptr : address_.database.constData();
        if (!mysql_real_connect(mysql_, address_.host.constData(), address_.user.constData(),
                                address_.password.constData(), database, address_.port, nullptr,
                                CLIENT_MULTI_STATEMENTS)) {
            const QString message = clientMessage(mysql_);
            close();
            throw DbError(message);
        }
    }

    void close() {
        if (mysql_) mysql_close(mysql_);
        mysql_ = nullptr;
    }

    // A connection lost by an earlier statement is opened again before the next one.
    void ensureConnected() {
        if (!mysql_) connect();
    }

    void send(const QString &sql) {
        ensureConnected();
        const QByteArray text = sql.toUtf8();
        if (mysql_real_query(mysql_, text.constData(), text.size()) != 0) fail();
    }

    // Later results of a batch of statements; the first failure among them is raised.
    void drainResults() {
        for (;;) {
            const int status = mysql_next_result(mysql_);
            if (status < 0) return; // no more results
            if (status > 0) fail();
            if (MYSQL_RES *more = mysql_store_result(mysql_))
                mysql_free_result(more);
            else if (mysql_field_count(mysql_) != 0)
                fail();
        }
    }

    [[noreturn]] void fail() {
        const QString message = clientMessage(mysql_);
        if (connectionLost(mysql_errno(mysql_))) {
            close();
        } else {
            // Leave the connection ready for the next statement.
            while (mysql_more_results(mysql_) && mysql_next_result(mysql_) == 0)
                if (MYSQL_RES *r = mysql_store_result(mysql_)) mysql_free_result(r);
        }
        throw DbError(message);
    }

    ServerAddress address_;
    MYSQL *mysql_ = nullptr;
};

} // namespace

std::unique_ptr<DbSession> openMySqlSession(const TUniConnection &connection) {
    return std::make_unique<MySqlSession>(connection);
}
