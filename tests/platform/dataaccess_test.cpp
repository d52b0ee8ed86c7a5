#include "platform/dataaccess.h"
#include "support/library.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataAccessTest : public ::testing::Test {
  protected:
    TUniConnection &create(const QString &name, const QString &key = QString()) {
        db.ProviderName = QStringLiteral("SQLite");
        db.Database = dir.filePath(name);
        db.SpecificOptions.insert(QStringLiteral("SQLite.ForceCreateDatabase"),
                                  QStringLiteral("True"));
        if (!key.isEmpty()) db.SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
        return db;
    }
    QTemporaryDir dir;
    TUniConnection db;
};

TEST_F(DataAccessTest, QueryReadsFieldsByNameInTheDesignersOrder) {
    create(QStringLiteral("a.dbx"));
    TUniQuery q(&db);
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("create table t (id integer primary key, a1 text, t integer);"));
    q.SQL.Add(QStringLiteral("insert into t values (7, '甲𠀀乙', 5000000000), (8, 'b', -1);"));
    q.ExecSQL();
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select * from t where id='7'"));
    q.Open();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.FieldByName(QStringLiteral("ID")).AsInteger(), 7);
    EXPECT_EQ(q.FieldByName(QStringLiteral("a1")).AsString(), QStringLiteral("甲𠀀乙"));
    EXPECT_EQ(q.FieldByName(QStringLiteral("t")).AsLargeInt(), 5000000000LL);
    EXPECT_EQ(q.FieldByName(QStringLiteral("id")).AsString(), QStringLiteral("7"));
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_THROW(q.FieldByName(QStringLiteral("a1")).AsString(), DbError);
    q.Close();
    EXPECT_FALSE(q.Active());
}

TEST_F(DataAccessTest, ErrorsCarryTheEnginesMessage) {
    create(QStringLiteral("b.dbx"));
    TUniQuery q(&db);
    q.SQL.Add(QStringLiteral("select * from missing_table"));
    try {
        q.Open();
        FAIL() << "no error";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: missing_table")))
            << e.what();
    }
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("select 1 as x"));
    q.Open();
    EXPECT_THROW(q.FieldByName(QStringLiteral("y")), DbError);
}

TEST_F(DataAccessTest, AMissingFileIsAnErrorNotANewDatabase) {
    TUniConnection c;
    c.ProviderName = QStringLiteral("SQLite");
    c.Database = dir.filePath(QStringLiteral("wxlb.dbx"));
    EXPECT_THROW(c.Connect(), DbError);
    EXPECT_FALSE(c.Connected());
    EXPECT_FALSE(QFile::exists(c.Database));
}

TEST_F(DataAccessTest, WrongOrMissingKeyFailsLoudlyAtTheFirstStatement) {
    create(QStringLiteral("enc.dbx"), QStringLiteral("right-key-123"));
    db.session().execute(QStringLiteral("create table t (x); insert into t values (42);"));
    db.Disconnect();

    for (const QString &key : {QStringLiteral("wrong-key-456"), QString()}) {
        SCOPED_TRACE(key.toStdString());
        TUniConnection other;
        other.ProviderName = QStringLiteral("SQLite");
        other.Database = db.Database;
        if (!key.isEmpty()) other.SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
        TUniQuery q(&other);
        q.SQL.Add(QStringLiteral("select x from t"));
        try {
            q.Open();
            FAIL() << "opened an encrypted file without its key";
        } catch (const DbError &e) {
            EXPECT_TRUE(
                e.message().contains(QStringLiteral("file is encrypted or is not a database")))
                << e.what();
        }
    }
    auto right = openSqlite(db.Database, QStringLiteral("right-key-123"));
    EXPECT_EQ(scalar(*right, QStringLiteral("select x from t")), QStringLiteral("42"));
}

TEST_F(DataAccessTest, UnknownProviderIsReported) {
    TUniConnection c;
    c.ProviderName = QStringLiteral("Paradox");
    EXPECT_THROW(c.Connect(), DbError);
}

} // namespace
