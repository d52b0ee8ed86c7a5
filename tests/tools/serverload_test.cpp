#include "serverload.h"
#include "support/library.h"
#include "support/mariadb_server.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

class ServerLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server = &MariaDbServer::shared();
        // Start from a server that has neither the program's database nor its user.
        server->exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`; DROP USER IF EXISTS '%2'@'%'")
                         .arg(config.serverDatabase(), config.serverUser()));
    }

    int load(QStringList arguments) {
        arguments.prepend(QStringLiteral("--mysql"));
        arguments.prepend(QStringLiteral("kelvaro-import"));
        std::vector<QByteArray> bytes;
        for (const QString &a : arguments)
            bytes.push_back(a.toLocal8Bit());
        std::vector<char *> argv;
        for (QByteArray &b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = runServerLoad(int(bytes.size()), argv.data());
        out = QString::fromLocal8Bit(testing::internal::GetCapturedStdout());
        err = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
        return code;
    }
    QStringList serverArguments(bool admin = true) const {
        QStringList a = {"--library",    dir.path(), "--host",
                         server->host(), "--port",   QString::number(server->port())};
        if (admin)
            a << "--admin-user"
              << "root";
        return a;
    }
    // What the online edition reads, with the program's own account.
    std::unique_ptr<TUniConnection> asProgram() const {
        auto c = std::make_unique<TUniConnection>();
        c->ProviderName = QStringLiteral("MySQL");
        c->Server = server->host();
        c->Port = server->port();
        c->Username = config.serverUser();
        c->Password = config.serverPassword();
        c->Database = config.serverDatabase();
        return c;
    }

    Configuration config;
    MariaDbServer *server = nullptr;
    QTemporaryDir dir;
    QString out, err;
};

TEST_F(ServerLoadTest, EveryBodyReachesItsServerTableUnchanged) {
    const QString special[] = {
        QStringLiteral("[[[卷一]]]\r\n　天地玄黄，宇宙洪荒。"),
        QStringLiteral("𠀀𪚥𰻞 outside the BMP"),
        QStringLiteral("quote ' backslash \\ \\' double \" percent %1 %2"),
        QStringLiteral(""),
    };
    {
        TestLibrary library(dir.path(), config);
        library.addBook({1, "甲书", "", "", "史部", "正史", 4, 0, ""});
        // 1 to 3 in wx1 and 20 in the second text database; 810000 in wx2 (not below 810000)
        // and 810001 too, but the server splits them at 810000.
        library.addChapter(1, 1, "卷一", 1, "史部", "正史", special[0]);
        library.addChapter(2, 1, "卷二", 1, "史部", "正史", special[1]);
        library.addChapter(3, 1, "卷三", 1, "史部", "正史", special[2]);
        library.addChapter(20, 1, "卷四", 1, "史部", "正史", special[3]);
        library.addChapter(810000, 1, "卷五", 2, "佛部", "经藏", QStringLiteral("810000 的正文"));
        library.addChapter(810001, 1, "卷六", 2, "佛部", "经藏", QStringLiteral("810001 的正文"));
        // Enough chapters for several statements.
        const QStringList files = {"wxlb.dbx", "kelva.dbx", "kelva2.dbx"};
        for (const QString &file : files)
            library.exec(file, QStringLiteral("begin;"));
        for (int id = 100; id < 1300; ++id)
            if (id % 20 != 0)
                library.addChapter(id, 1, "卷", 3, "子部", "农家",
                                   QStringLiteral("第%1卷").arg(id));
        for (const QString &file : files)
            library.exec(file, QStringLiteral("Commit;"));
    }
    ASSERT_EQ(load(serverArguments()), 0) << err.toStdString();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("wxhao 1145 chapters, wx5 1 chapters")))
        << out.toStdString();

    auto program = asProgram();
    const auto body = [&](const QString &table, int id) {
        TUniQuery q(program.get());
        q.SQL.Add(
            QStringLiteral("select body, hex(body) as raw from %1 where id=%2").arg(table).arg(id));
        q.Open();
        if (q.Eof()) return QStringLiteral("<missing>");
        EXPECT_EQ(q.FieldByName(QStringLiteral("raw")).AsString().toLatin1(),
                  q.FieldByName(QStringLiteral("body")).AsString().toUtf8().toHex().toUpper());
        return q.FieldByName(QStringLiteral("body")).AsString();
    };
    EXPECT_EQ(body("wxhao", 1), special[0]);
    EXPECT_EQ(body("wxhao", 2), special[1]);
    EXPECT_EQ(body("wxhao", 3), special[2]);
    EXPECT_EQ(body("wxhao", 20), special[3]);
    EXPECT_EQ(body("wxhao", 810000), QStringLiteral("810000 的正文"));
    EXPECT_EQ(body("wx5", 810001), QStringLiteral("810001 的正文"));
    EXPECT_EQ(body("wxhao", 810001), QStringLiteral("<missing>"));
    EXPECT_EQ(body("wxhao", 1299), QStringLiteral("第1299卷"));
    EXPECT_EQ(scalar(*program, QStringLiteral("select count(*) from wxhao")),
              QStringLiteral("1145"));

    // The program's account reads, and only reads.
    TUniQuery write(program.get());
    write.SQL.Add(QStringLiteral("delete from wxhao"));
    EXPECT_THROW(write.ExecSQL(), DbError);

    // Loading again replaces rows instead of failing on their keys.
    ASSERT_EQ(load(serverArguments()), 0) << err.toStdString();
    EXPECT_EQ(scalar(*program, QStringLiteral("select count(*) from wxhao")),
              QStringLiteral("1145"));
    EXPECT_EQ(scalar(*program, QStringLiteral("select count(*) from wx5")), QStringLiteral("1"));
}

TEST_F(ServerLoadTest, FailuresEndWithAMessageAndAnExitCode) {
    { TestLibrary library(dir.path(), config); }
    // Without the administrator there is no database and no user yet.
    EXPECT_EQ(load(serverArguments(false)), 1);
    EXPECT_TRUE(
        err.contains(QStringLiteral("Access denied for user '%1'").arg(config.serverUser())))
        << err.toStdString();

    EXPECT_EQ(load({"--library", dir.filePath("nowhere"), "--admin-user", "root"}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("is not a folder"))) << err.toStdString();

    QTemporaryDir empty;
    EXPECT_EQ(load({"--library", empty.path(), "--admin-user", "root"}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("wxlb.dbx"))) << err.toStdString();

    EXPECT_EQ(load({"--port", "seventy"}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("bad port seventy"))) << err.toStdString();
    EXPECT_EQ(load({"--colour"}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("usage: kelvaro-import --mysql"))) << err.toStdString();
    EXPECT_EQ(load({"--help"}), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("--admin-user"))) << out.toStdString();
}

} // namespace
