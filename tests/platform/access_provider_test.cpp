#include "platform/access_provider.h"
#include "support/jet_samples.h"
#include "support/library.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AccessProviderTest : public ::testing::Test {
  protected:
    // The Access connection the program uses for "kxzd.dbx", on a file of this test's folder.
    TUniConnection &connect(const QString &name) {
        db.ProviderName = QStringLiteral("Access");
        db.Database = dir.filePath(name);
        db.SpecificOptions.insert(QStringLiteral("Access.UseUnicode"), QStringLiteral("True"));
        return db;
    }
    // A copy of a sample in this test's folder, so a test may change it.
    QString copyOf(const JetSample &sample, const QString &name) {
        const QString target = dir.filePath(name);
        QFile::copy(sample.path, target);
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return target;
    }
    QStringList column(const QString &sql, const QString &field) {
        TUniQuery q(&db);
        q.SQL.Clear();
        q.SQL.Add(sql);
        q.Open();
        QStringList values;
        for (; !q.Eof(); q.Next())
            values << q.FieldByName(field).AsString();
        q.Close();
        return values;
    }
    QTemporaryDir dir;
    TUniConnection db;
};

#define REQUIRE_SAMPLE(sample)                                                                     \
    if ((sample).path.isEmpty())                                                                   \
    GTEST_SKIP() << "Debian sample not available: " << (sample).error.toStdString()

TEST_F(AccessProviderTest, TheFileSignatureDecidesTheEngine) {
    struct Case {
        const char *name;
        QByteArray head;
        AccessFileKind kind;
    } cases[] = {
        {"sqlite", QByteArrayLiteral("SQLite format 3\0rest of the header"),
         AccessFileKind::Sqlite},
        {"jet", QByteArrayLiteral("\0\1\0\0Standard Jet DB\0\0\0\0"), AccessFileKind::Jet},
        {"ace", QByteArrayLiteral("\0\1\0\0Standard ACE DB\0\2\0\0"), AccessFileKind::Jet},
        {"sqlite-without-nul", QByteArrayLiteral("SQLite format 3 but not really"),
         AccessFileKind::Unknown},
        {"jet-at-wrong-offset", QByteArrayLiteral("Standard Jet DB\0\0\0\0\0"),
         AccessFileKind::Unknown},
        {"text", QByteArrayLiteral("之乎者也"), AccessFileKind::Unknown},
        {"empty", QByteArray(), AccessFileKind::Unknown},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.head);
        f.close();
        EXPECT_EQ(accessFileKind(path), c.kind);
    }
    EXPECT_EQ(accessFileKind(dir.filePath(QStringLiteral("missing.dbx"))), AccessFileKind::Missing);
    EXPECT_EQ(accessFileKind(dir.path()), AccessFileKind::Missing); // a folder is no file
}

TEST_F(AccessProviderTest, AFileThatIsNeitherAccessNorSqliteIsAnErrorAndMissingOneToo) {
    QFile f(dir.filePath(QStringLiteral("kxzd.dbx")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, '\0'));
    f.close();
    connect(QStringLiteral("kxzd.dbx"));
    try {
        db.Connect();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("not an Access or SQLite file")))
            << e.what();
    }
    EXPECT_FALSE(db.Connected());

    connect(QStringLiteral("nothing-here.dbx"));
    try {
        db.Connect();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("file not found"))) << e.what();
    }
    EXPECT_FALSE(QFile::exists(db.Database)); // nothing is created
}

TEST_F(AccessProviderTest, Jet3FileAnswersSelectsByName) {
    const JetSample sample = jet3Sample();
    REQUIRE_SAMPLE(sample);
    copyOf(sample, QStringLiteral("kxzd.dbx"));
    connect(QStringLiteral("kxzd.dbx"));
    struct Case {
        const char *sql;
        QStringList ids;
    } cases[] = {
        {"select * from FPdev where id=3", {"3"}},
        // Measured: a quoted number does not match an integer column (no error, no row).
        {"select * from FPdev where id='3'", {}},
        {"select id from FPdev where UserName='Carl-Eric Codere' ", {"3"}},
        {"select id, UserName from FPdev where UserName like '%Mantione%'", {"4"}},
        {"select * from fpdev limit 2", {"1", "2"}},
        {"select * from FPdev where id>6", {"7", "8"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(column(QString::fromUtf8(c.sql), QStringLiteral("ID")), c.ids);
    }

    TUniQuery q(&db);
    q.SQL.Add(QStringLiteral("select * from FPdev where id=1"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldCount(), 3);
    EXPECT_EQ(q.FieldByName(QStringLiteral("id")).AsInteger(), 1);
    EXPECT_EQ(q.FieldByName(QStringLiteral("username")).AsString(),
              QStringLiteral("Michael Van Canneyt"));
    EXPECT_FALSE(q.FieldByName(QStringLiteral("UserName")).IsNull());
    q.Next();
    EXPECT_TRUE(q.Eof());
}

TEST_F(AccessProviderTest, Jet4FileReturnsAndMatchesChineseText) {
    const JetSample sample = jet4Sample();
    REQUIRE_SAMPLE(sample);
    const QString path = copyOf(sample, QStringLiteral("kxzd.dbx"));
    // Jet 4 keeps this text as UTF-16: put eight Chinese characters in place of "12345678".
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray data = f.readAll();
    const auto utf16 = [](const QString &s) {
        return QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
    };
    const QString chinese = QStringLiteral("之乎者也矣焉哉兮");
    const qsizetype at = data.indexOf(utf16(QStringLiteral("12345678")));
    ASSERT_GE(at, 0);
    data.replace(at, 16, utf16(chinese));
    f.seek(0);
    f.write(data);
    f.close();

    connect(QStringLiteral("kxzd.dbx"));
    const QString statement =
        QStringLiteral("select * from Monitor_Authenticate where LinePassword='") + chinese +
        QStringLiteral("' ");
    TUniQuery q(&db);
    q.SQL.Add(statement);
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("LinePassword")).AsString(), chinese);
    EXPECT_EQ(q.FieldByName(QStringLiteral("ID")).AsInteger(), 1);
    EXPECT_EQ(q.FieldByName(QStringLiteral("EMail_Address")).AsString(),
              QStringLiteral("nobody@sunnyline.co.za"));
    EXPECT_TRUE(q.FieldByName(QStringLiteral("Comment"))
                    .AsString()
                    .startsWith(QStringLiteral("Example Circuit")));
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(column(QStringLiteral("select ID from Monitor_Authenticate where LinePassword='之' "),
                     "ID"),
              QStringList());
    EXPECT_EQ(column(QStringLiteral(
                         "select ID from Monitor_Authenticate where LinePassword like '%者也%'"),
                     "ID"),
              QStringList{"1"});
}

TEST_F(AccessProviderTest, EngineFailuresBecomeErrorsAndNothingReachesStderr) {
    const JetSample sample = jet3Sample();
    REQUIRE_SAMPLE(sample);
    copyOf(sample, QStringLiteral("kxzd.dbx"));
    connect(QStringLiteral("kxzd.dbx"));
    struct Case {
        const char *sql;
        const char *message;
    } cases[] = {
        {"select * from FPdev where UserName='O''Neil'", "syntax error"},
        {"select * from FPdev where UserName=\"x\"", "syntax error"},
        {"select * from kxzd where a='之' ", "kxzd is not a table"},
        {"select nosuch from FPdev", "Column nosuch not found"},
        {"delete from FPdev", "syntax error"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        TUniQuery q(&db);
        q.SQL.Add(QString::fromUtf8(c.sql));
        testing::internal::CaptureStderr();
        try {
            q.Open();
            ADD_FAILURE() << "no error";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << e.what();
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_THROW(q.ExecSQL(), DbError);
    }
    // The connection is still usable after its failures.
    EXPECT_EQ(column(QStringLiteral("select * from FPdev where id=8"), "id"), QStringList{"8"});
}

TEST_F(AccessProviderTest, TheImportersSqliteCopyIsReadWithTheSameStatements) {
    {
        TestLibrary library(dir.path());
        library.exec(
            QStringLiteral("kxzd.dbx"),
            QStringLiteral(
                "insert into kxzd (a,yin,uc,b,d) values ('之','zhī','4E4B','【子集上】','又'),"
                "('𠀀','','20000','【補遺】',''),('乎','hū','4E4E','','')"));
    }
    connect(QStringLiteral("kxzd.dbx"));
    TUniQuery q(&db);
    q.SQL.Add(QStringLiteral("select * from kxzd where a='之' "));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("yin")).AsString(), QStringLiteral("zhī"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("uc")).AsString(), QStringLiteral("4E4B"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("b")).AsString(), QStringLiteral("【子集上】"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("d")).AsString(), QStringLiteral("又"));
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(column(QStringLiteral("select * from kxzd where a='𠀀' "), "b"),
              QStringList{"【補遺】"});
}

} // namespace
