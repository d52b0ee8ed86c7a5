// Tables of the four library files and of the server database. The program itself never
// creates a table: the importer and the tests build libraries from these statements.
// The copying statements of the program rely on the column orders given here
// ("replace into tmpwxlb select * from wxlb", "replace into bookmark select zjlist.*, ...").
#pragma once

#include <QString>
#include <QStringList>

namespace schema {

// Column orders the copying statements depend on.
inline const QStringList kBookColumns = {"id", "a1", "a2", "a3", "fl1", "fl2", "cnt", "zid", "zmf"};
inline const QStringList kChapterColumns = {"id", "bid", "zj", "fldb", "fl1", "fl2"};

// "wxlb.dbx": catalogue, dictionaries, bookmarks and search results.
QString catalogueSql();
// "kelva.dbx": one body table per sub-category; wx<n>.
QString bodyTableSql(int n);
// "kelva2.dbx": the bodies of chapters below 810000 that are multiples of 20.
QString secondTextSql();
// "kxzd.dbx": the Kangxi dictionary.
QString kangxiSql();
// The online edition's server database (MySQL / MariaDB).
QString serverSql();

// Body table name of a fldb number: "wx" followed by the number.
inline QString bodyTableName(int n) {
    return QStringLiteral("wx%1").arg(n);
}

} // namespace schema
