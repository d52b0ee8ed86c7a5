// kelvaro-import --mysql: copies every chapter body of a finished library folder into the
// server database of the online edition. Bodies of chapters up to 810000 go to `wxhao`, the
// others to `wx5`; a chapter loaded again replaces its row. With administrator credentials
// the database, the program's user (allowed to read it) and the tables are created first,
// all named by the same hidden values the program unhides at start.
#include "serverload.h"

#include "dataaccess/configuration.h"
#include "dataaccess/schema.h"
#include "platform/dataaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

const char *const kUsage =
    "usage: kelvaro-import --mysql [--library DIR] [--host HOST] [--port PORT]\n"
    "                      [--admin-user USER [--admin-password PASSWORD]]\n"
    "  Loads the chapter bodies of the library in DIR (default: the current folder) into\n"
    "  the online edition's server database (default 127.0.0.1, port 3306). With an\n"
    "  administrator account the database, the program's user and the tables are created\n"
    "  first; without one the program's own account is used and the tables must exist.\n";

// A batch ends at this many rows or this many characters of statement (at most three UTF-8
// bytes each, so 6 MiB), whichever comes first: below the server's default
// max_allowed_packet of 16 MiB.
constexpr int kBatchRows = 500;
constexpr qsizetype kBatchChars = 2 * 1024 * 1024;
constexpr int kLastWxhaoChapter = 810000;

struct LoadOptions {
    QString library = QStringLiteral(".");
    QString host = QStringLiteral("127.0.0.1");
    int port = 3306;
    QString adminUser;
    QString adminPassword;
};

void print(std::FILE *to, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

// nullopt (after a message) when the arguments are wrong; argv[1] is "--mysql".
std::optional<LoadOptions> parse(int argc, char **argv, bool &help) {
    LoadOptions o;
    for (int i = 2; i < argc; ++i) {
        QString name = QString::fromLocal8Bit(argv[i]);
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && eq > 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
            hasValue = true;
        }
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            help = true;
            return o;
        }
        const QStringList withValue = {"--library", "--host", "--port", "--admin-user",
                                       "--admin-password"};
        if (!withValue.contains(name)) {
            print(stderr, QStringLiteral("kelvaro-import: unknown option %1\n").arg(name));
            return std::nullopt;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                print(stderr, QStringLiteral("kelvaro-import: %1 needs a value\n").arg(name));
                return std::nullopt;
            }
            value = QString::fromLocal8Bit(argv[++i]);
        }
        if (name == QLatin1String("--library"))
            o.library = value;
        else if (name == QLatin1String("--host"))
            o.host = value;
        else if (name == QLatin1String("--admin-user"))
            o.adminUser = value;
        else if (name == QLatin1String("--admin-password"))
            o.adminPassword = value;
        else {
            bool ok = false;
            o.port = value.toInt(&ok);
            if (!ok || o.port <= 0 || o.port > 65535) {
                print(stderr, QStringLiteral("kelvaro-import: bad port %1\n").arg(value));
                return std::nullopt;
            }
        }
    }
    return o;
}

QString identifier(const QString &name) {
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QLatin1String("``")) +
           QLatin1Char('`');
}

void openLibraryFile(TUniConnection &c, const QString &folder, const QString &file,
                     const QString &key) {
    c.ProviderName = QStringLiteral("SQLite");
    c.Database = QDir(folder).filePath(file);
    if (!key.isEmpty()) c.SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
    c.Connect(); // a missing file or a wrong key fails here
}

// The database, the program's read-only user and the two tables, as the administrator.
void prepareServer(DbSession &admin, const Configuration &config) {
    const QString db = identifier(config.serverDatabase());
    const QString user = QStringLiteral("'%1'@'%'").arg(admin.escapeText(config.serverUser()));
    const QString password = admin.escapeText(config.serverPassword());
    admin.execute(
        QStringLiteral("CREATE DATABASE IF NOT EXISTS %1 CHARACTER SET utf8mb4 COLLATE utf8mb4_bin")
            .arg(db));
    admin.execute(
        QStringLiteral("CREATE USER IF NOT EXISTS %1 IDENTIFIED BY '%2'").arg(user, password));
    admin.execute(QStringLiteral("ALTER USER %1 IDENTIFIED BY '%2'").arg(user, password));
    admin.execute(QStringLiteral("GRANT SELECT ON %1.* TO %2").arg(db, user));
    admin.execute(QStringLiteral("USE %1").arg(db));
    admin.execute(schema::serverSql());
}

// Multi-row REPLACE statements for one server table.
class Batch {
  public:
    Batch(DbSession &server, QString table) : server_(server), table_(std::move(table)) {}
    void add(qint64 id, const QString &body) {
        if (rows_ == 0)
            statement_ = QStringLiteral("REPLACE INTO %1 (id, body) VALUES ").arg(table_);
        else
            statement_ += QLatin1Char(',');
        statement_ += QStringLiteral("(%1,'%2')").arg(id).arg(server_.escapeText(body));
        ++rows_;
        ++total_;
        if (rows_ >= kBatchRows || statement_.size() >= kBatchChars) flush();
    }
    void flush() {
        if (rows_ == 0) return;
        server_.execute(statement_);
        statement_.clear();
        rows_ = 0;
    }
    qint64 total() const { return total_; }

  private:
    DbSession &server_;
    QString table_;
    QString statement_;
    int rows_ = 0;
    qint64 total_ = 0;
};

void loadBodies(TUniConnection &text, const QString &table, Batch &low, Batch &high) {
    TUniQuery q(&text);
    q.SQL.Add(QStringLiteral("select id, body from %1 order by id").arg(table));
    q.Open();
    for (; !q.Eof(); q.Next()) {
        const qint64 id = q.FieldByName(QStringLiteral("id")).AsLargeInt();
        const QString body = q.FieldByName(QStringLiteral("body")).AsString();
        (id <= kLastWxhaoChapter ? low : high).add(id, body);
    }
}

int load(const LoadOptions &o) {
    const Configuration config;
    if (!QFileInfo(o.library).isDir()) {
        print(stderr, QStringLiteral("kelvaro-import: %1 is not a folder\n").arg(o.library));
        return 1;
    }
    TUniConnection catalogue, text1, text2, server;
    openLibraryFile(catalogue, o.library, QStringLiteral("wxlb.dbx"), config.key1());
    openLibraryFile(text1, o.library, QStringLiteral("kelva.dbx"), QString());
    openLibraryFile(text2, o.library, QStringLiteral("kelva2.dbx"), config.key2());

    server.ProviderName = QStringLiteral("MySQL");
    server.Server = o.host;
    server.Port = o.port;
    if (o.adminUser.isEmpty()) {
        server.Username = config.serverUser();
        server.Password = config.serverPassword();
        server.Database = config.serverDatabase();
    } else {
        server.Username = o.adminUser;
        server.Password = o.adminPassword;
    }
    DbSession &session = server.session();
    if (!o.adminUser.isEmpty()) prepareServer(session, config);

    Batch low(session, QStringLiteral("wxhao")), high(session, QStringLiteral("wx5"));
    QList<int> bodyTables;
    {
        TUniQuery q(&catalogue);
        q.SQL.Add(QStringLiteral("select id from fldb order by id"));
        q.Open();
        for (; !q.Eof(); q.Next())
            bodyTables << q.FieldByName(QStringLiteral("id")).AsInteger();
    }
    for (int n : bodyTables)
        loadBodies(text1, schema::bodyTableName(n), low, high);
    loadBodies(text2, QStringLiteral("wx"), low, high);
    low.flush();
    high.flush();
    print(stdout, QStringLiteral("kelvaro-import: %1 body tables read; wxhao %2 chapters, wx5 %3 "
                                 "chapters loaded into %4 on %5:%6\n")
                      .arg(bodyTables.size() + 1)
                      .arg(low.total())
                      .arg(high.total())
                      .arg(config.serverDatabase(), o.host)
                      .arg(o.port));
    return 0;
}

} // namespace

int runServerLoad(int argc, char **argv) {
    bool help = false;
    const std::optional<LoadOptions> options = parse(argc, argv, help);
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        return load(*options);
    } catch (const std::exception &e) {
        print(stderr, QStringLiteral("kelvaro-import: %1\n").arg(QString::fromUtf8(e.what())));
        return 1;
    }
}
