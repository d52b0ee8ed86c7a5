#include "support/library.h"

#include "dataaccess/schema.h"
#include "dataaccess/sqltext.h"

#include <QDir>

namespace {
void setUp(TUniConnection &c, const QString &file, const QString &key) {
    c.ProviderName = QStringLiteral("SQLite");
    c.Database = file;
    c.SpecificOptions.insert(QStringLiteral("SQLite.ForceCreateDatabase"), QStringLiteral("True"));
    if (!key.isEmpty()) c.SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
    c.Connect();
}

QString quoted(const QString &text) {
    return QLatin1Char('\'') + sqlText(text) + QLatin1Char('\'');
}
// A value list built by concatenation: a "%1" inside a text stays as it is.
QString row(const QStringList &values) {
    return QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
}
} // namespace

TestLibrary::TestLibrary(const QString &folder, const Configuration &config)
    : folder_(folder), config_(config) {
    QDir().mkpath(folder_);
    setUp(catalogue_, path(QStringLiteral("wxlb.dbx")), config_.key1());
    setUp(text1_, path(QStringLiteral("kelva.dbx")), QString());
    setUp(text2_, path(QStringLiteral("kelva2.dbx")), config_.key2());
    setUp(kangxi_, path(QStringLiteral("kxzd.dbx")), QString());
    catalogue_.session().execute(schema::catalogueSql());
    text2_.session().execute(schema::secondTextSql());
    kangxi_.session().execute(schema::kangxiSql());
}

QString TestLibrary::path(const QString &file) const {
    return QDir(folder_).filePath(file);
}

TUniConnection &TestLibrary::connectionFor(const QString &file) {
    if (file == QLatin1String("kelva.dbx")) return text1_;
    if (file == QLatin1String("kelva2.dbx")) return text2_;
    if (file == QLatin1String("kxzd.dbx")) return kangxi_;
    return catalogue_;
}

void TestLibrary::exec(const QString &file, const QString &sql) {
    connectionFor(file).session().execute(sql);
}

void TestLibrary::addBook(const BookRow &r, const QString &table) {
    catalogue_.session().execute(
        QStringLiteral("insert into ") + table +
        QStringLiteral(" (id,a1,a2,a3,fl1,fl2,cnt,zid,zmf) values ") +
        row({QString::number(r.id), quoted(r.a1), quoted(r.a2), quoted(r.a3), quoted(r.fl1),
             quoted(r.fl2), QString::number(r.cnt), QString::number(r.zid), quoted(r.zmf)}));
}

void TestLibrary::addChapter(int id, int bid, const QString &zj, int fldb, const QString &fl1,
                             const QString &fl2, const QString &body, const QString &table) {
    catalogue_.session().execute(QStringLiteral("insert into ") + table +
                                 QStringLiteral(" (id,bid,zj,fldb,fl1,fl2) values ") +
                                 row({QString::number(id), QString::number(bid), quoted(zj),
                                      QString::number(fldb), quoted(fl1), quoted(fl2)}));
    if (body.isNull()) return;
    if (id < 810000 && id % 20 == 0) {
        text2_.session().execute(QStringLiteral("insert into wx (id,body,bid,fl1,fl2) values ") +
                                 row({QString::number(id), quoted(body), QString::number(bid),
                                      quoted(fl1), quoted(fl2)}));
        return;
    }
    if (!bodyTables_.contains(fldb)) {
        text1_.session().execute(schema::bodyTableSql(fldb));
        catalogue_.session().execute(
            QStringLiteral("insert or ignore into fldb (id,fl1,fl2) values ") +
            row({QString::number(fldb), quoted(fl1), quoted(fl2)}));
        bodyTables_ << fldb;
    }
    text1_.session().execute(QStringLiteral("insert into ") + schema::bodyTableName(fldb) +
                             QStringLiteral(" (id,body,bid) values ") +
                             row({QString::number(id), quoted(body), QString::number(bid)}));
}

void TestLibrary::addBookWithChapters(int id, const QString &title, const QString &fl1,
                                      const QString &fl2, int count, int firstChapter, int fldb) {
    addBook({id, title, QString(), QString(), fl1, fl2, count, count < 2 ? firstChapter : 0,
             QString()});
    for (int i = 0; i < count; ++i)
        addChapter(firstChapter + i, id, QStringLiteral("卷%1").arg(i + 1), fldb, fl1, fl2,
                   QStringLiteral("第%1卷正文").arg(i + 1));
}

std::unique_ptr<TUniConnection> openSqlite(const QString &file, const QString &key) {
    auto c = std::make_unique<TUniConnection>();
    c->ProviderName = QStringLiteral("SQLite");
    c->Database = file;
    if (!key.isEmpty()) c->SpecificOptions.insert(QStringLiteral("EncryptionKey"), key);
    c->Connect();
    return c;
}

QString scalar(TUniConnection &connection, const QString &sql) {
    TUniQuery query(&connection);
    query.SQL.Add(sql);
    query.Open();
    if (query.Eof()) return QString();
    return query.Field(0).AsString();
}
