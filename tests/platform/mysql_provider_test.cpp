#include "platform/mysql_provider.h"
#include "support/mariadb_server.h"
#include "support/ports.h"

#include <QTcpServer>
#include <gtest/gtest.h>

#include <chrono>

namespace {

class MySqlProviderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server = &MariaDbServer::shared();
        server->exec(
            QStringLiteral("DROP DATABASE IF EXISTS providertest; "
                           "CREATE DATABASE providertest CHARACTER SET utf8mb4; "
                           "CREATE TABLE providertest.t (id INT PRIMARY KEY, body LONGTEXT) "
                           "DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin"));
        db.ProviderName = QStringLiteral("MySQL");
        db.Server = server->host();
        db.Port = server->port();
        db.Username = QStringLiteral("root");
        db.Database = QStringLiteral("providertest");
        db.SpecificOptions.insert(QStringLiteral("MySQL.UseUnicode"), QStringLiteral("True"));
    }
    QString scalar(const QString &sql) {
        TUniQuery q(&db);
        q.SQL.Add(sql);
        q.Open();
        return q.Eof() ? QStringLiteral("<no row>") : q.Field(0).AsString();
    }
    MariaDbServer *server = nullptr;
    TUniConnection db;
};

TEST_F(MySqlProviderTest, TextComesBackByteIdenticalIncludingExtensionB) {
    const QString texts[] = {
        QStringLiteral("之乎者也"),
        QStringLiteral("𠀀𠀁𪚥𰻞"), // outside the BMP: four UTF-8 bytes each
        QStringLiteral("[[[卷一]]]\r\n　天地玄黄，宇宙洪荒。"),
        QStringLiteral("It's a \\ back'slash\" and a NUL-free ;-- line"),
        QString(),
    };
    int id = 0;
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        ++id;
        TUniQuery q(&db);
        q.SQL.Add(QStringLiteral("insert into t (id, body) values (%1, '%2')")
                      .arg(id)
                      .arg(db.session().escapeText(text)));
        q.ExecSQL();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral(
                      "select body, hex(body) as raw, char_length(body) as n from t where id=%1")
                      .arg(id));
        q.Open();
        ASSERT_FALSE(q.Eof());
        EXPECT_EQ(q.FieldByName(QStringLiteral("body")).AsString(), text);
        // Stored as UTF-8 of the text itself, not re-encoded on the way in.
        EXPECT_EQ(q.FieldByName(QStringLiteral("raw")).AsString().toLatin1(),
                  text.toUtf8().toHex().toUpper());
        EXPECT_EQ(q.FieldByName(QStringLiteral("n")).AsInteger(), text.toUcs4().size());
    }
    // A quoted number matches the integer key as well as a bare one.
    EXPECT_EQ(scalar(QStringLiteral("select body from t where id='1' limit 1")), texts[0]);
    EXPECT_EQ(
        scalar(QStringLiteral("select @@character_set_client, @@character_set_results")).left(7),
        QStringLiteral("utf8mb4"));
}

TEST_F(MySqlProviderTest, LocalhostGoesOverTcpToTheAddress) {
    // The server's socket is in its private folder, not where the client library looks for
    // it: this only connects because "localhost" is resolved and reached by TCP.
    db.Server = QStringLiteral("localhost");
    EXPECT_EQ(scalar(QStringLiteral("select 7")), QStringLiteral("7"));
    EXPECT_EQ(
        scalar(QStringLiteral(
                   "select host from information_schema.processlist where id=connection_id()"))
            .section(QLatin1Char(':'), 0, 0),
        QStringLiteral("127.0.0.1"));
}

TEST_F(MySqlProviderTest, ErrorsCarryTheServersMessage) {
    struct Case {
        const char *sql;
        const char *message;
    } cases[] = {
        {"select * from no_such_table", "Table 'providertest.no_such_table' doesn't exist"},
        {"select body frm t", "You have an error in your SQL syntax"},
        {"insert into t (id, body) values (1, 'a'); insert into t (id, body) values (1, 'b')",
         "Duplicate entry '1' for key 'PRIMARY'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        TUniQuery q(&db);
        q.SQL.Add(QString::fromUtf8(c.sql));
        try {
            q.ExecSQL();
            ADD_FAILURE() << "no error";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << e.what();
        }
    }
    // The first statement of the failed batch took effect; the connection still works.
    EXPECT_EQ(scalar(QStringLiteral("select body from t where id=1")), QStringLiteral("a"));

    db.Disconnect();
    db.Password = QStringLiteral("wrong");
    try {
        db.Connect();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Access denied for user 'root'")))
            << e.what();
    }
    EXPECT_FALSE(db.Connected());
}

TEST_F(MySqlProviderTest, AStatementOnAClosedOrLostConnectionConnectsAgain) {
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(scalar(QStringLiteral("select 1")), QStringLiteral("1")); // connects
    EXPECT_TRUE(db.Connected());
    db.SetConnected(false);
    EXPECT_FALSE(db.Connected());
    EXPECT_EQ(scalar(QStringLiteral("select 2")), QStringLiteral("2"));

    // The server ends the session under us: that statement fails, the next one reconnects.
    const QString id = scalar(QStringLiteral("select connection_id()"));
    server->exec(QStringLiteral("KILL ") + id);
    EXPECT_THROW(scalar(QStringLiteral("select 3")), DbError);
    EXPECT_EQ(scalar(QStringLiteral("select 4")), QStringLiteral("4"));
    EXPECT_NE(scalar(QStringLiteral("select connection_id()")), id);
}

TEST_F(MySqlProviderTest, UnreachableServersFailInsteadOfHanging) {
    // Nothing listens on a reserved port; a listener that never answers is silent.
    const ClosedPort closed;
    ASSERT_NE(closed.port(), 0);
    const int closedPort = closed.port();
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    struct Case {
        const char *name;
        QString server;
        int port;
        const char *message;
    } cases[] = {
        {"closed port", QStringLiteral("127.0.0.1"), closedPort,
         "Can't connect to server on '127.0.0.1'"},
        {"unresolvable host", QStringLiteral("no-such-host.invalid"), 3306,
         "Unknown server host 'no-such-host.invalid'"},
        {"silent peer", QStringLiteral("127.0.0.1"), int(silent.serverPort()), "Lost connection"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TUniConnection peer;
        peer.ProviderName = QStringLiteral("MySQL");
        peer.Server = c.server;
        peer.Port = c.port;
        peer.Username = QStringLiteral("root");
        peer.SpecificOptions.insert(QStringLiteral("MySQL.ConnectionTimeout"), QStringLiteral("1"));
        const auto started = std::chrono::steady_clock::now();
        try {
            peer.Connect();
            ADD_FAILURE() << "connected";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << e.what();
        }
        // Far below the minutes a silent peer costs without a time-out of our own.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
        EXPECT_FALSE(peer.Connected());
    }
}

} // namespace
