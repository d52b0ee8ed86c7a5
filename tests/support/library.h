// A small library in a test's own folder, built with the program's schema: the catalogue
// (page-encrypted with key 1), the first and second text databases and the Kangxi file.
#pragma once

#include "dataaccess/configuration.h"
#include "platform/dataaccess.h"

#include <QString>
#include <memory>

struct BookRow {
    int id;
    QString a1;
    QString a2;
    QString a3;
    QString fl1;
    QString fl2;
    int cnt;
    int zid;
    QString zmf;
};

class TestLibrary {
  public:
    // Creates empty library files in `folder` (default: the working directory).
    explicit TestLibrary(const QString &folder = QStringLiteral("."),
                         const Configuration &config = {});

    void exec(const QString &file, const QString &sql);
    void addBook(const BookRow &row, const QString &table = QStringLiteral("wxlb"));
    // Adds the chapter to zjlist (or `table`) and, unless `body` is null, its body where the
    // reader looks for it: wx of the second text database or wx<fldb> of the first.
    void addChapter(int id, int bid, const QString &zj, int fldb, const QString &fl1,
                    const QString &fl2, const QString &body = QString(),
                    const QString &table = QStringLiteral("zjlist"));
    // A book with `count` chapters numbered from `firstChapter`, all in body table `fldb`.
    void addBookWithChapters(int id, const QString &title, const QString &fl1, const QString &fl2,
                             int count, int firstChapter, int fldb = 1);

    TUniConnection &catalogue() { return catalogue_; }
    QString path(const QString &file) const;

  private:
    TUniConnection &connectionFor(const QString &file);
    QString folder_;
    Configuration config_;
    TUniConnection catalogue_, text1_, text2_, kangxi_;
    QList<int> bodyTables_;
};

// Opens `file` with `key` (empty: no encryption) for checks of what a test wrote.
std::unique_ptr<TUniConnection> openSqlite(const QString &file, const QString &key = QString());
// The first column of the first row of `sql`, as text; empty when there is no row.
QString scalar(TUniConnection &connection, const QString &sql);
