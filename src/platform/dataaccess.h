// Connection and query objects: the one way the program talks to its databases.
// A connection names a provider ("SQLite", "MySQL", "Access") and its settings; a query is
// pointed at a connection, given its statement text, then opened (rows) or executed.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <stdexcept>

// Every database failure is one of these, carrying the engine's own message.
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// Rows of an opened statement, read forward only.
class DbCursor {
  public:
    virtual ~DbCursor() = default;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    virtual QStringList fieldNames() const = 0;
    virtual bool isNull(int column) const = 0;
    virtual QString text(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
};

// One open session of a provider: what a connected connection holds.
class DbSession {
  public:
    virtual ~DbSession() = default;
    virtual std::unique_ptr<DbCursor> open(const QString &sql) = 0;
    virtual void execute(const QString &sql) = 0;
    // The inside of a single-quoted text literal for this engine: quotes doubled, and
    // whatever else the engine treats specially (MySQL: backslashes) escaped.
    virtual QString escapeText(const QString &text) {
        return QString(text).replace(QLatin1Char('\''), QLatin1String("''"));
    }
};

class TUniConnection {
  public:
    TUniConnection() = default;
    TUniConnection(const TUniConnection &) = delete;
    TUniConnection &operator=(const TUniConnection &) = delete;
    ~TUniConnection();

    QString ProviderName; // "SQLite", "MySQL" or "Access"
    QString Database;     // file name (SQLite, Access) or database name (MySQL)
    QString Server;
    QString Username;
    QString Password;
    int Port = 0;
    // Provider options such as "EncryptionKey" or "SQLite.ForceCreateDatabase".
    QHash<QString, QString> SpecificOptions;

    bool Connected() const;
    void Connect();    // throws DbError
    void Disconnect(); // never throws
    void SetConnected(bool on) { on ? Connect() : Disconnect(); }

    // The session, connecting first when needed (a statement on a closed connection connects).
    DbSession &session();

  private:
    mutable std::mutex mutex_; // the online edition connects from a background thread
    std::unique_ptr<DbSession> session_;
};

// Creates the session of a connection's provider; throws DbError for an unknown provider.
std::unique_ptr<DbSession> openProviderSession(const TUniConnection &connection);

class TUniQuery;

class TField {
  public:
    TField(const TUniQuery &query, int column) : query_(query), column_(column) {}
    QString AsString() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    bool IsNull() const;

  private:
    const TUniQuery &query_;
    int column_;
};

// Statement text, kept as lines like the designer's string lists.
class TStrings {
  public:
    void Clear() { lines_.clear(); }
    void Add(const QString &line) { lines_ << line; }
    void SetText(const QString &text) { lines_ = QStringList{text}; }
    QString Text() const { return lines_.join(QLatin1Char('\n')); }

  private:
    QStringList lines_;
};

class TUniQuery {
  public:
    TUniQuery() = default;
    explicit TUniQuery(TUniConnection *connection) : Connection(connection) {}
    TUniQuery(const TUniQuery &) = delete;
    TUniQuery &operator=(const TUniQuery &) = delete;

    TUniConnection *Connection = nullptr;
    TStrings SQL;

    void Open();    // runs SQL and positions on the first row
    void ExecSQL(); // runs SQL that returns no rows
    void Close();
    bool Active() const { return cursor_ != nullptr; }
    bool Eof() const;
    bool IsEmpty() const { return Eof(); }
    void Next();
    TField FieldByName(const QString &name) const;
    TField Field(int column) const { return TField(*this, column); }
    int FieldCount() const { return cursor_ ? int(cursor_->fieldNames().size()) : 0; }

  private:
    friend class TField;
    const DbCursor &cursor() const;
    std::unique_ptr<DbCursor> cursor_;
    QHash<QString, int> columns_; // lower-case field name -> column
};
