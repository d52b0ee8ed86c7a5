#include "support/mariadb_server.h"

#include "dataaccess/schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const QString &why) {
    throw std::runtime_error(why.toStdString());
}

QString program(const QString &name) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) return found;
    const QString system =
        QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/local/sbin", "/usr/bin"});
    if (system.isEmpty())
        fail(name +
             QStringLiteral(
                 " not found: the tests need a MariaDB server (Debian package mariadb-server)"));
    return system;
}

int freePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        fail(QStringLiteral("no free port on 127.0.0.1"));
    return probe.serverPort();
}

// The child dies with the test program, so a crashed run leaves no server behind.
void dieWithParent(QProcess &process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

class PrivateServer final : public MariaDbServer {
  public:
    PrivateServer() {
        if (!folder_.isValid()) fail(QStringLiteral("no temporary folder for the server"));
        const QString data = folder_.filePath(QStringLiteral("data"));
        // Servers of parallel test programs must not share a temporary folder.
        const QString tmp = folder_.filePath(QStringLiteral("tmp"));
        QDir().mkpath(tmp);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tmp);
        QProcess install;
        install.setProcessEnvironment(env);
        server_.setProcessEnvironment(env);
        install.setProcessChannelMode(QProcess::MergedChannels);
        dieWithParent(install);
        install.start(program(QStringLiteral("mariadb-install-db")),
                      {"--no-defaults", "--user=root", "--datadir=" + data,
                       "--auth-root-authentication-method=normal", "--skip-test-db"});
        if (!install.waitForFinished(120000) || install.exitStatus() != QProcess::NormalExit ||
            install.exitCode() != 0)
            fail(QStringLiteral("mariadb-install-db failed: ") +
                 QString::fromLocal8Bit(install.readAll()));

        // A port found free may be taken before the server binds it: try a few.
        QString lastLog;
        for (int attempt = 0; attempt < 3; ++attempt) {
            port_ = freePort();
            if (start(data, lastLog)) return;
        }
        fail(QStringLiteral("mariadbd did not start:\n") + lastLog);
    }

    ~PrivateServer() override {
        if (server_.state() == QProcess::NotRunning) return;
        server_.terminate(); // a clean shutdown
        if (!server_.waitForFinished(30000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }

    QString host() const override { return QStringLiteral("127.0.0.1"); }
    int port() const override { return port_; }

  private:
    bool start(const QString &data, QString &log) {
        const QString logFile = folder_.filePath(QStringLiteral("server.log"));
        QFile::remove(logFile);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.setStandardOutputFile(logFile);
        dieWithParent(server_);
        server_.start(program(QStringLiteral("mariadbd")),
                      {"--no-defaults", "--user=root", "--datadir=" + data,
                       "--bind-address=127.0.0.1", QStringLiteral("--port=%1").arg(port_),
                       "--socket=" + folder_.filePath(QStringLiteral("mysqld.sock")),
                       "--pid-file=" + folder_.filePath(QStringLiteral("mysqld.pid")),
                       "--skip-name-resolve", "--character-set-server=utf8mb4",
                       "--tmpdir=" + folder_.filePath(QStringLiteral("tmp"))});
        if (!server_.waitForStarted(10000)) {
            log = server_.errorString();
            return false;
        }
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (Clock::now() < deadline) {
            if (server_.state() == QProcess::NotRunning) break;
            try {
                root()->Connect();
                return true;
            } catch (const DbError &) {
                QThread::msleep(100);
            }
        }
        if (server_.state() != QProcess::NotRunning) {
            server_.kill();
            server_.waitForFinished(5000);
        }
        QFile f(logFile);
        log = f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll())
                                          : QStringLiteral("(no log)");
        return false;
    }

    QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/kelvaro-mariadb-XXXXXX")};
    QProcess server_;
    int port_ = 0;
};

std::unique_ptr<PrivateServer> &sharedSlot() {
    static std::unique_ptr<PrivateServer> server;
    return server;
}

// Stops the server when the tests end, while the application object still exists.
class ServerEnvironment final : public ::testing::Environment {
  public:
    void TearDown() override { stopSharedMariaDbServer(); }
};
[[maybe_unused]] ::testing::Environment *const environment =
    ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

QString identifier(const QString &name) {
    return QLatin1Char('`') + QString(name).replace(QLatin1Char('`'), QLatin1String("``")) +
           QLatin1Char('`');
}

} // namespace

MariaDbServer &MariaDbServer::shared() {
    auto &server = sharedSlot();
    if (!server) server = std::make_unique<PrivateServer>();
    return *server;
}

void stopSharedMariaDbServer() {
    sharedSlot().reset();
}

std::unique_ptr<TUniConnection> MariaDbServer::root(const QString &database) const {
    auto c = std::make_unique<TUniConnection>();
    c->ProviderName = QStringLiteral("MySQL");
    c->Server = host();
    c->Port = port();
    c->Username = QStringLiteral("root");
    c->Database = database;
    return c;
}

void MariaDbServer::exec(const QString &sql, const QString &database) const {
    root(database)->session().execute(sql);
}

void MariaDbServer::prepareProgramDatabase(const Configuration &config) const {
    auto admin = root();
    DbSession &s = admin->session();
    const QString db = identifier(config.serverDatabase());
    const QString user = QStringLiteral("'%1'@'%'").arg(s.escapeText(config.serverUser()));
    s.execute(
        QStringLiteral("CREATE DATABASE IF NOT EXISTS %1 CHARACTER SET utf8mb4 COLLATE utf8mb4_bin")
            .arg(db));
    s.execute(QStringLiteral("CREATE USER IF NOT EXISTS %1 IDENTIFIED BY '%2'")
                  .arg(user, s.escapeText(config.serverPassword())));
    s.execute(QStringLiteral("GRANT SELECT ON %1.* TO %2").arg(db, user));
    s.execute(QStringLiteral("USE %1").arg(db));
    s.execute(schema::serverSql());
}

Configuration MariaDbServer::configuration(Configuration config) const {
    config.serverHost = host();
    config.serverPort = port();
    return config;
}
