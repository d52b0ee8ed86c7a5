#include "dataaccess/schema.h"

namespace schema {

namespace {
const char *const kCatalogue = R"SQL(
CREATE TABLE wxlb (
    id INTEGER PRIMARY KEY,
    a1 TEXT NOT NULL DEFAULT '',
    a2 TEXT NOT NULL DEFAULT '',
    a3 TEXT NOT NULL DEFAULT '',
    fl1 TEXT NOT NULL DEFAULT '',
    fl2 TEXT NOT NULL DEFAULT '',
    cnt INTEGER NOT NULL DEFAULT 0,
    zid INTEGER NOT NULL DEFAULT 0,
    zmf TEXT NOT NULL DEFAULT ''
);
CREATE INDEX wxlb_fl2 ON wxlb(fl2);
CREATE TABLE zjlist (
    id INTEGER PRIMARY KEY,
    bid INTEGER NOT NULL DEFAULT 0,
    zj TEXT NOT NULL DEFAULT '',
    fldb INTEGER NOT NULL DEFAULT 0,
    fl1 TEXT NOT NULL DEFAULT '',
    fl2 TEXT NOT NULL DEFAULT ''
);
CREATE INDEX zjlist_bid ON zjlist(bid);
CREATE TABLE fldb (
    id INTEGER PRIMARY KEY,
    fl1 TEXT NOT NULL DEFAULT '',
    fl2 TEXT NOT NULL DEFAULT ''
);
CREATE INDEX fldb_fl2 ON fldb(fl2);
CREATE TABLE zizi (
    zi TEXT NOT NULL,
    py TEXT NOT NULL DEFAULT '',
    bs TEXT NOT NULL DEFAULT '',
    bhs TEXT NOT NULL DEFAULT '',
    guyi TEXT NOT NULL DEFAULT '',
    jb TEXT NOT NULL DEFAULT '',
    xx TEXT NOT NULL DEFAULT ''
);
CREATE INDEX zizi_zi ON zizi(zi);
CREATE TABLE zmf (
    id INTEGER PRIMARY KEY,
    z TEXT NOT NULL DEFAULT ''
);
CREATE TABLE cidian (
    ci TEXT NOT NULL,
    py TEXT NOT NULL DEFAULT '',
    js TEXT NOT NULL DEFAULT ''
);
CREATE INDEX cidian_ci ON cidian(ci);
CREATE TABLE ncidian (
    ci TEXT NOT NULL,
    py TEXT NOT NULL DEFAULT '',
    js TEXT NOT NULL DEFAULT ''
);
CREATE INDEX ncidian_ci ON ncidian(ci);
CREATE TABLE bookmark (
    id INTEGER PRIMARY KEY,
    bid INTEGER,
    zj TEXT,
    fldb INTEGER,
    fl1 TEXT,
    fl2 TEXT,
    shu TEXT,
    selsart INTEGER,
    t INTEGER
);
CREATE TABLE bookmark2 (
    id INTEGER PRIMARY KEY,
    bid INTEGER,
    zj TEXT,
    fldb INTEGER,
    fl1 TEXT,
    fl2 TEXT,
    shu TEXT,
    selsart INTEGER,
    t INTEGER
);
CREATE TABLE tmpwxlb (
    id INTEGER PRIMARY KEY,
    a1 TEXT,
    a2 TEXT,
    a3 TEXT,
    fl1 TEXT,
    fl2 TEXT,
    cnt INTEGER,
    zid INTEGER,
    zmf TEXT
);
CREATE TABLE tmpzjlist (
    id INTEGER PRIMARY KEY,
    bid INTEGER,
    zj TEXT,
    fldb INTEGER,
    fl1 TEXT,
    fl2 TEXT
);
CREATE INDEX tmpzjlist_bid ON tmpzjlist(bid);
CREATE TABLE tmpid (
    id INTEGER PRIMARY KEY
);
)SQL";

const char *const kSecondText = R"SQL(
CREATE TABLE wx (
    id INTEGER PRIMARY KEY,
    body TEXT NOT NULL DEFAULT '',
    bid INTEGER NOT NULL DEFAULT 0,
    fl1 TEXT NOT NULL DEFAULT '',
    fl2 TEXT NOT NULL DEFAULT ''
);
)SQL";

const char *const kKangxi = R"SQL(
CREATE TABLE kxzd (
    a TEXT NOT NULL,
    yin TEXT NOT NULL DEFAULT '',
    uc TEXT NOT NULL DEFAULT '',
    b TEXT NOT NULL DEFAULT '',
    d TEXT NOT NULL DEFAULT ''
);
CREATE INDEX kxzd_a ON kxzd(a);
)SQL";

const char *const kServer = R"SQL(
CREATE TABLE IF NOT EXISTS wxhao (
    id INT NOT NULL PRIMARY KEY,
    body LONGTEXT NOT NULL
) DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;
CREATE TABLE IF NOT EXISTS wx5 (
    id INT NOT NULL PRIMARY KEY,
    body LONGTEXT NOT NULL
) DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_bin;
)SQL";
} // namespace

QString catalogueSql() {
    return QString::fromUtf8(kCatalogue);
}

QString bodyTableSql(int n) {
    return QStringLiteral(
               "CREATE TABLE %1 (\n    id INTEGER PRIMARY KEY,\n"
               "    body TEXT NOT NULL DEFAULT '',\n    bid INTEGER NOT NULL DEFAULT 0\n);\n")
        .arg(bodyTableName(n));
}

QString secondTextSql() {
    return QString::fromUtf8(kSecondText);
}
QString kangxiSql() {
    return QString::fromUtf8(kKangxi);
}
QString serverSql() {
    return QString::fromUtf8(kServer);
}

} // namespace schema
