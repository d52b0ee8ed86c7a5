// Helpers of the importer tests: a library source folder written file by file, and checks of
// the rules every library must keep, however it was made.
#pragma once

#include "catalogue/skeleton.h"
#include "dataaccess/configuration.h"
#include "dataaccess/schema.h"
#include "platform/dataaccess.h"
#include "support/library.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

inline void writeFile(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
}

// A book file's text: the header lines, a blank line, then "## title" and body per chapter.
inline QByteArray bookText(const QString &title, const QString &section, const QString &category,
                           const QStringList &chapters, const QString &extraHeader = QString()) {
    QString text =
        QStringLiteral("title: %1\nsection: %2\ncategory: %3\n").arg(title, section, category);
    text += extraHeader;
    text += QLatin1Char('\n');
    for (const QString &chapter : chapters)
        text += QStringLiteral("## ") + chapter + QLatin1Char('\n');
    return text.toUtf8();
}

struct ChapterRow {
    int id, bid, fldb;
    QString zj, fl1, fl2;
};

inline std::vector<ChapterRow> chapterRows(TUniConnection &catalogue) {
    std::vector<ChapterRow> rows;
    TUniQuery q(&catalogue);
    q.SQL.Add(QStringLiteral("select id, bid, zj, fldb, fl1, fl2 from zjlist order by id"));
    for (q.Open(); !q.Eof(); q.Next())
        rows.push_back({q.FieldByName(QStringLiteral("id")).AsInteger(),
                        q.FieldByName(QStringLiteral("bid")).AsInteger(),
                        q.FieldByName(QStringLiteral("fldb")).AsInteger(),
                        q.FieldByName(QStringLiteral("zj")).AsString(),
                        q.FieldByName(QStringLiteral("fl1")).AsString(),
                        q.FieldByName(QStringLiteral("fl2")).AsString()});
    return rows;
}

// The body of a chapter where the reader looks for it; null when it is not there.
inline QString storedBody(TUniConnection &text, TUniConnection &secondText, const ChapterRow &row) {
    const bool second = row.id < 810000 && row.id % 20 == 0;
    TUniQuery q(second ? &secondText : &text);
    q.SQL.Add(QStringLiteral("select body from %1 where id=%2")
                  .arg(second ? QStringLiteral("wx") : schema::bodyTableName(row.fldb))
                  .arg(row.id));
    q.Open();
    return q.Eof() ? QString() : q.FieldByName(QStringLiteral("body")).AsString();
}

// Checks the id ranges, the counts, the body tables and that every body is in exactly one place.
inline void expectConsistentLibrary(const QString &dir) {
    const Configuration config;
    auto catalogue = openSqlite(QDir(dir).filePath(QStringLiteral("wxlb.dbx")), config.key1());
    auto text = openSqlite(QDir(dir).filePath(QStringLiteral("kelva.dbx")));
    auto secondText = openSqlite(QDir(dir).filePath(QStringLiteral("kelva2.dbx")), config.key2());
    auto daoFo = [](const QString &section) { return isDaoFoSection(section); };

    // Books: id range by section, a skeleton pair, cnt and zid agree with zjlist.
    TUniQuery books(catalogue.get());
    books.SQL.Add(QStringLiteral(
        "select id, fl1, fl2, cnt, zid, (select count(*) from zjlist where bid=wxlb.id) as n,"
        " (select min(id) from zjlist where bid=wxlb.id) as first from wxlb"));
    for (books.Open(); !books.Eof(); books.Next()) {
        const int id = books.FieldByName(QStringLiteral("id")).AsInteger();
        const QString fl1 = books.FieldByName(QStringLiteral("fl1")).AsString();
        EXPECT_EQ(id >= 50000, daoFo(fl1)) << id;
        EXPECT_GT(id, 0);
        EXPECT_TRUE(
            skeletonCategories(fl1).contains(books.FieldByName(QStringLiteral("fl2")).AsString()))
            << id;
        EXPECT_EQ(books.FieldByName(QStringLiteral("cnt")).AsInteger(),
                  books.FieldByName(QStringLiteral("n")).AsInteger())
            << id;
        EXPECT_GE(books.FieldByName(QStringLiteral("cnt")).AsInteger(), 1) << id;
        EXPECT_EQ(books.FieldByName(QStringLiteral("zid")).AsInteger(),
                  books.FieldByName(QStringLiteral("first")).AsInteger())
            << id;
    }

    // Body tables: one per sub-category that has books, named by fldb, in the right range.
    QSet<int> fldbRows;
    TUniQuery fldb(catalogue.get());
    fldb.SQL.Add(QStringLiteral("select id, fl1, fl2 from fldb"));
    for (fldb.Open(); !fldb.Eof(); fldb.Next()) {
        const int n = fldb.FieldByName(QStringLiteral("id")).AsInteger();
        EXPECT_EQ(n >= 50000, daoFo(fldb.FieldByName(QStringLiteral("fl1")).AsString())) << n;
        fldbRows << n;
    }
    EXPECT_EQ(scalar(*catalogue,
                     QStringLiteral("select count(*) from (select distinct fl1, fl2 from wxlb)"))
                  .toInt(),
              fldbRows.size());
    EXPECT_EQ(
        scalar(*catalogue, QStringLiteral("select count(*) from (select distinct fl2 from fldb)"))
            .toInt(),
        fldbRows.size());
    QSet<int> tables;
    TUniQuery master(text.get());
    master.SQL.Add(QStringLiteral(
        "select name from sqlite_master where type='table' and name not like 'sqlite%'"));
    for (master.Open(); !master.Eof(); master.Next())
        tables << master.FieldByName(QStringLiteral("name")).AsString().mid(2).toInt();
    EXPECT_EQ(tables, fldbRows);

    // Chapters: id range, the book's section and sub-category, the body in exactly one place.
    qint64 bodyRows = 0;
    for (const int n : tables)
        bodyRows +=
            scalar(*text, QStringLiteral("select count(*) from %1").arg(schema::bodyTableName(n)))
                .toLongLong();
    bodyRows += scalar(*secondText, QStringLiteral("select count(*) from wx")).toLongLong();
    const std::vector<ChapterRow> rows = chapterRows(*catalogue);
    EXPECT_EQ(bodyRows, qint64(rows.size()));
    for (const ChapterRow &row : rows) {
        if (daoFo(row.fl1))
            EXPECT_GE(row.id, 810000);
        else
            EXPECT_LT(row.id, 800000);
        EXPECT_EQ(
            scalar(*catalogue,
                   QStringLiteral("select fl1 || '/' || fl2 from wxlb where id=%1").arg(row.bid)),
            row.fl1 + QLatin1Char('/') + row.fl2);
        EXPECT_EQ(
            scalar(*catalogue, QStringLiteral("select fl2 from fldb where id=%1").arg(row.fldb)),
            row.fl2);
        EXPECT_FALSE(storedBody(*text, *secondText, row).isNull()) << row.id;
    }
    // Rows of wx are below 810000 and multiples of 20, and no such chapter is in wx<n>.
    EXPECT_EQ(
        scalar(*secondText, QStringLiteral("select count(*) from wx where id>=810000 or id%20<>0")),
        QStringLiteral("0"));
}
