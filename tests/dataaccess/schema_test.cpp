// Every lookup the program makes must use an index, also in the quoted-integer forms.
#include "dataaccess/schema.h"
#include "platform/dataaccess.h"
#include "support/library.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString plan(TUniConnection &c, const QString &sql) {
    TUniQuery q(&c);
    q.SQL.Add(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    q.Open();
    QStringList steps;
    for (; !q.Eof(); q.Next())
        steps << q.FieldByName(QStringLiteral("detail")).AsString();
    return steps.join(QStringLiteral("; "));
}

TEST(SchemaTest, LookupsOfTheProgramUseAnIndex) {
    QTemporaryDir dir;
    TestLibrary library(dir.path());
    library.exec("kelva.dbx", schema::bodyTableSql(12));
    auto catalogue = openSqlite(library.path("wxlb.dbx"), Configuration().key1());
    auto text1 = openSqlite(library.path("kelva.dbx"));
    auto text2 = openSqlite(library.path("kelva2.dbx"), Configuration().key2());
    auto kangxi = openSqlite(library.path("kxzd.dbx"));

    struct Case {
        TUniConnection *db;
        const char *sql;
    } cases[] = {
        {catalogue.get(), "select * from wxlb where fl2='别集'"},
        {catalogue.get(), "select * from wxlb where id='41' limit 1"},
        {catalogue.get(), "select * from zjlist where bid='41'  order by id asc"},
        {catalogue.get(), "select * from zjlist where id='41' limit 1"},
        {catalogue.get(),
         "select wxlb.* from wxlb,zjlist where wxlb.id=zjlist.bid and zjlist.id='41' limit 1"},
        {catalogue.get(), "select * from zmf where id='41' limit 1"},
        {catalogue.get(), "select * from zizi where zi='之' limit 1"},
        {catalogue.get(), "select * from ncidian where ci='天下' limit 1"},
        {catalogue.get(), "select * from cidian where ci='天下' limit 1"},
        {catalogue.get(), "select * from tmpzjlist where bid='41' order by id asc"},
        {catalogue.get(), "select * from fldb where fl2='别集'"},
        {catalogue.get(), "select * from bookmark where id=41"},
        {text1.get(), "select * from wx12 where id='41' limit 1"},
        {text2.get(), "select * from wx where id='40' limit 1"},
        {kangxi.get(), "select * from kxzd where a='之' "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        const QString steps = plan(*c.db, QString::fromUtf8(c.sql));
        EXPECT_TRUE(steps.contains(QStringLiteral("USING"))) << steps.toStdString();
        EXPECT_FALSE(steps.startsWith(QStringLiteral("SCAN"))) << steps.toStdString();
    }
}

TEST(SchemaTest, CopyingStatementsFitTheColumnOrders) {
    QTemporaryDir dir;
    TestLibrary library(dir.path());
    library.addBook({7, "书", "注", "者", "集部", "别集", 2, 0, "_x"});
    library.addChapter(70, 7, "卷一", 3, "集部", "别集");
    auto db = openSqlite(library.path("wxlb.dbx"), Configuration().key1());
    db->session().execute("replace into tmpwxlb select * from wxlb where a1 like '%书%'");
    db->session().execute("replace into tmpzjlist select * from zjlist where zj like '%卷%'");
    db->session().execute(
        "replace into bookmark select zjlist.*,wxlb.a1,12,1700000000 from wxlb,zjlist "
        "where zjlist.id='70' and wxlb.id=zjlist.bid limit 1");
    db->session().execute("replace INTO tmpid(id) VALUES (70);");
    EXPECT_EQ(scalar(*db, "select a3||zmf||cnt from tmpwxlb"), "者_x2");
    EXPECT_EQ(scalar(*db, "select zj||fldb||fl2 from tmpzjlist"), "卷一3别集");
    EXPECT_EQ(scalar(*db, "select shu||selsart||'/'||t||zj from bookmark"), "书12/1700000000卷一");
    EXPECT_EQ(scalar(*db, "select count(id) as cnt from tmpid"), "1");
}

} // namespace
