#include "platform/dataaccess.h"

#include "platform/access_provider.h"
#include "platform/mysql_provider.h"
#include "platform/sqlite_provider.h"

TUniConnection::~TUniConnection() {
    Disconnect();
}

bool TUniConnection::Connected() const {
    std::lock_guard lock(mutex_);
    return session_ != nullptr;
}

void TUniConnection::Connect() {
    std::lock_guard lock(mutex_);
    if (!session_) session_ = openProviderSession(*this);
}

void TUniConnection::Disconnect() {
    std::unique_ptr<DbSession> closing;
    {
        std::lock_guard lock(mutex_);
        closing = std::move(session_);
    }
    // Closing is allowed to fail silently: there is nothing left to tell the user.
    try {
        closing.reset();
    } catch (...) {
    }
}

DbSession &TUniConnection::session() {
    std::lock_guard lock(mutex_);
    if (!session_) session_ = openProviderSession(*this);
    return *session_;
}

std::unique_ptr<DbSession> openProviderSession(const TUniConnection &connection) {
    const QString provider = connection.ProviderName.toLower();
    if (provider == QLatin1String("sqlite")) return openSqliteSession(connection);
    if (provider == QLatin1String("access")) return openAccessSession(connection);
    if (provider == QLatin1String("mysql")) return openMySqlSession(connection);
    throw DbError(QStringLiteral("Unknown database provider \"%1\"").arg(connection.ProviderName));
}

void TUniQuery::Open() {
    Close();
    if (!Connection) throw DbError(QStringLiteral("Connection not defined"));
    cursor_ = Connection->session().open(SQL.Text());
    const QStringList names = cursor_->fieldNames();
    for (int i = 0; i < names.size(); ++i) {
        const QString key = names[i].toLower();
        if (!columns_.contains(key)) columns_.insert(key, i);
    }
}

void TUniQuery::ExecSQL() {
    Close();
    if (!Connection) throw DbError(QStringLiteral("Connection not defined"));
    Connection->session().execute(SQL.Text());
}

void TUniQuery::Close() {
    cursor_.reset();
    columns_.clear();
}

bool TUniQuery::Eof() const {
    return !cursor_ || cursor_->eof();
}

void TUniQuery::Next() {
    if (cursor_ && !cursor_->eof()) cursor_->next();
}

const DbCursor &TUniQuery::cursor() const {
    if (!cursor_) throw DbError(QStringLiteral("Dataset is not open"));
    return *cursor_;
}

TField TUniQuery::FieldByName(const QString &name) const {
    cursor();
    const auto it = columns_.constFind(name.toLower());
    if (it == columns_.constEnd()) throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return TField(*this, it.value());
}

static const DbCursor &currentRow(const DbCursor &cursor) {
    if (cursor.eof()) throw DbError(QStringLiteral("No current record"));
    return cursor;
}

QString TField::AsString() const {
    return currentRow(query_.cursor()).text(column_);
}

qint64 TField::AsLargeInt() const {
    return currentRow(query_.cursor()).integer(column_);
}

int TField::AsInteger() const {
    return static_cast<int>(AsLargeInt());
}

bool TField::IsNull() const {
    return currentRow(query_.cursor()).isNull(column_);
}
