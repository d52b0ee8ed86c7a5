#include "dataaccess/import/importer.h"
#include "import/sourcefolder.h"

#include <QDateTime>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gmock/gmock.h>

using namespace libraryimport;

namespace {

class ImporterTest : public ::testing::Test {
  protected:
    QString src(const QString &relative = QString()) const {
        return QDir(dir.filePath(QStringLiteral("src"))).filePath(relative);
    }
    QString lib(const QString &relative = QString()) const {
        return QDir(dir.filePath(QStringLiteral("lib"))).filePath(relative);
    }
    void book(const QString &relative, const QByteArray &content) {
        writeFile(src(QStringLiteral("books/") + relative), content);
    }
    // A source with books in three sub-categories, one of them in 佛部, and one book long
    // enough to reach chapters 40 and 41.
    void writeTypicalSource() {
        QStringList many;
        for (int i = 1; i <= 45; ++i)
            many << QStringLiteral("卷%1\n第%1卷正文").arg(i);
        book(QStringLiteral("集部/b李白.book"),
             bookText(QStringLiteral("李白詩集"), QStringLiteral("集部"), QStringLiteral("别集"),
                      {QStringLiteral(
                           "靜夜思\n\n  \n床前明月光，疑是地上霜。\n舉頭望明月，低頭思故鄉。\n\n"),
                       QStringLiteral("將進酒\n[[[君不見]]]黃河之水天上來\n\\## 不是標題")},
                      QStringLiteral("author: 李白\nnote: 字太白\nzmf: _libai\n")));
        book(QStringLiteral("集部/a杜甫.book"),
             bookText(QStringLiteral("杜甫詩集"), QStringLiteral("集部"), QStringLiteral("别集"),
                      many, QStringLiteral("author: 杜甫\n")));
        book(QStringLiteral("佛部/心經.book"),
             bookText(QStringLiteral("心經"), QStringLiteral("佛部"), QStringLiteral("经藏"),
                      {QStringLiteral("般若波羅蜜多心經\n觀自在菩薩")}));
        book(QStringLiteral("佛部/金剛經.book"),
             bookText(QStringLiteral("金剛經"), QStringLiteral("佛部"), QStringLiteral("经藏"),
                      {QStringLiteral("第一\n如是我聞"), QStringLiteral("第二\n善現啓請")}));
        book(QStringLiteral("诗部/楚辭.book"),
             bookText(QStringLiteral("楚辭"), QStringLiteral("诗部"), QStringLiteral("楚辞"),
                      {QStringLiteral("離騷\n帝高陽之苗裔兮")}));
        writeFile(src(QStringLiteral("NOTICE.txt")), "Licences of the texts.\n");
    }
    LibraryCounts run(const ImportOptions &options = {}) {
        ImportProgress progress;
        progress.warning = [this](const QString &m) { warnings << m; };
        return importLibrary(src(), lib(), options, progress);
    }

    QTemporaryDir dir;
    QStringList warnings;
    Configuration config;
};

TEST_F(ImporterTest, NumbersBooksByPathAndChaptersInFileOrderWithinTheirRanges) {
    writeTypicalSource();
    const LibraryCounts counts = run();
    EXPECT_EQ(counts.books, 5);
    EXPECT_EQ(counts.chapters, 51);
    EXPECT_EQ(counts.bodyTables, 3);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    expectConsistentLibrary(lib());

    auto catalogue = openSqlite(lib(QStringLiteral("wxlb.dbx")), config.key1());
    // Paths in code-point order: 佛部/心經 < 佛部/金剛經 < 诗部/楚辭 < 集部/a杜甫 < 集部/b李白.
    auto bookRow = [&](int id) {
        return scalar(
            *catalogue,
            QStringLiteral("select a1 || '|' || a2 || '|' || a3 || '|' || fl1 || '|' || fl2"
                           " || '|' || cnt || '|' || zid || '|' || zmf from wxlb where id=%1")
                .arg(id));
    };
    EXPECT_EQ(bookRow(50000), QStringLiteral("心經|||佛部|经藏|1|810000|"));
    EXPECT_EQ(bookRow(50001), QStringLiteral("金剛經|||佛部|经藏|2|810001|"));
    EXPECT_EQ(bookRow(1), QStringLiteral("楚辭|||诗部|楚辞|1|1|"));
    EXPECT_EQ(bookRow(2), QStringLiteral("杜甫詩集||杜甫|集部|别集|45|2|"));
    EXPECT_EQ(bookRow(3), QStringLiteral("李白詩集|字太白|李白|集部|别集|2|47|_libai"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from wxlb")), QStringLiteral("5"));

    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select group_concat(zj, ',') from (select zj from "
                                                "zjlist where bid=50001 order by id)")),
              QStringLiteral("第一,第二"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select zj from zjlist where id=46")),
              QStringLiteral("卷45"));
    EXPECT_EQ(
        scalar(*catalogue,
               QStringLiteral(
                   "select zj || '|' || bid || '|' || fl1 || '|' || fl2 from zjlist where id=48")),
        QStringLiteral("將進酒|3|集部|别集"));
    // Body tables numbered by the sub-category's place in the catalogue.
    EXPECT_EQ(
        scalar(*catalogue,
               QStringLiteral(
                   "select group_concat(id || fl2, ',') from (select * from fldb order by id)")),
        QStringLiteral("26别集,39楚辞,50009经藏"));
    EXPECT_EQ(QFile(lib(QStringLiteral("NOTICE.txt"))).size(), 23);
}

TEST_F(ImporterTest, BodiesAreTrimmedWithCrLfLineEndsAndUnescapedHeadings) {
    writeTypicalSource();
    run();
    auto text = openSqlite(lib(QStringLiteral("kelva.dbx")));
    EXPECT_EQ(scalar(*text, QStringLiteral("select body from wx26 where id=47")),
              QStringLiteral("床前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。"));
    EXPECT_EQ(scalar(*text, QStringLiteral("select body from wx26 where id=48")),
              QStringLiteral("[[[君不見]]]黃河之水天上來\r\n## 不是標題"));
    EXPECT_EQ(scalar(*text, QStringLiteral("select bid from wx26 where id=48")),
              QStringLiteral("3"));
}

TEST_F(ImporterTest, EveryTwentiethChapterBelow810000IsInTheSecondTextFile) {
    writeTypicalSource();
    const LibraryCounts counts = run();
    EXPECT_EQ(counts.secondTextChapters, 2); // 20 and 40
    auto text = openSqlite(lib(QStringLiteral("kelva.dbx")));
    auto second = openSqlite(lib(QStringLiteral("kelva2.dbx")), config.key2());
    EXPECT_EQ(
        scalar(*second,
               QStringLiteral(
                   "select body || '|' || bid || '|' || fl1 || '|' || fl2 from wx where id=40")),
        QStringLiteral("第39卷正文|2|集部|别集"));
    EXPECT_EQ(scalar(*text, QStringLiteral("select count(*) from wx26 where id=40")),
              QStringLiteral("0"));
    EXPECT_EQ(scalar(*text, QStringLiteral("select body from wx26 where id=41")),
              QStringLiteral("第40卷正文"));
    EXPECT_EQ(scalar(*second, QStringLiteral("select count(*) from wx where id=41")),
              QStringLiteral("0"));
    // 810000 is a multiple of 20 but not below 810000.
    EXPECT_EQ(scalar(*text, QStringLiteral("select body from wx50009 where id=810000")),
              QStringLiteral("觀自在菩薩"));
    EXPECT_EQ(scalar(*second, QStringLiteral("select count(*) from wx where id>=810000")),
              QStringLiteral("0"));
}

TEST_F(ImporterTest, CatalogueAndSecondTextFileNeedTheirKeys) {
    writeTypicalSource();
    run();
    const QString wxlb = lib(QStringLiteral("wxlb.dbx")),
                  kelva2 = lib(QStringLiteral("kelva2.dbx"));
    EXPECT_EQ(scalar(*openSqlite(wxlb, config.key1()), QStringLiteral("select count(*) from wxlb")),
              QStringLiteral("5"));
    EXPECT_THROW(openSqlite(wxlb), DbError);
    EXPECT_THROW(openSqlite(wxlb, config.key2()), DbError);
    EXPECT_EQ(scalar(*openSqlite(kelva2, config.key2()), QStringLiteral("select count(*) from wx")),
              QStringLiteral("2"));
    EXPECT_THROW(openSqlite(kelva2), DbError);
    EXPECT_THROW(openSqlite(kelva2, config.key1()), DbError);
    // The other two are plain SQLite files.
    EXPECT_EQ(scalar(*openSqlite(lib(QStringLiteral("kelva.dbx"))),
                     QStringLiteral("select count(*) from wx26")),
              QStringLiteral("45"));
    EXPECT_EQ(scalar(*openSqlite(lib(QStringLiteral("kxzd.dbx"))),
                     QStringLiteral("select count(*) from kxzd")),
              QStringLiteral("0"));

    const QString sqlcipher = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (sqlcipher.isEmpty()) GTEST_SKIP() << "no sqlcipher command-line tool";
    auto shell = [&](const QString &script) {
        QProcess p;
        p.start(sqlcipher, {wxlb});
        p.write(script.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
    };
    const QString key = QStringLiteral("PRAGMA key='%1';").arg(config.key1());
    EXPECT_EQ(
        shell(key + QStringLiteral("PRAGMA cipher_page_size=4096; select count(*) from wxlb;\n")),
        QStringLiteral("5"));
    EXPECT_THAT(shell(QStringLiteral("select count(*) from wxlb;\n")).toStdString(),
                ::testing::HasSubstr("not a database"));
    // The page size is part of the format: the default one does not open the file.
    EXPECT_THAT(shell(key + QStringLiteral("select count(*) from wxlb;\n")).toStdString(),
                ::testing::HasSubstr("not a database"));
}

TEST_F(ImporterTest, ResultAndBookmarkTablesStartEmpty) {
    writeTypicalSource();
    run();
    auto catalogue = openSqlite(lib(QStringLiteral("wxlb.dbx")), config.key1());
    for (const char *table : {"bookmark", "bookmark2", "tmpwxlb", "tmpzjlist", "tmpid", "zmf",
                              "zizi", "ncidian", "cidian"})
        EXPECT_EQ(
            scalar(*catalogue, QStringLiteral("select count(*) from %1").arg(QLatin1String(table))),
            QStringLiteral("0"))
            << table;
    // The copying statements of the program work on the written tables.
    catalogue->session().execute(
        QStringLiteral("replace into tmpwxlb select * from wxlb where id<50000"));
    catalogue->session().execute(
        QStringLiteral("replace into bookmark select zjlist.*,wxlb.a1,5,1000 from wxlb,zjlist "
                       "where zjlist.id='47' "
                       "and wxlb.id=zjlist.bid limit 1"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from tmpwxlb")),
              QStringLiteral("3"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select shu || zj from bookmark")),
              QStringLiteral("李白詩集靜夜思"));
}

TEST_F(ImporterTest, DictionaryTablesFillTheirTables) {
    writeTypicalSource();
    // Columns in any order, missing ones empty; escapes; CR LF line ends; a trailing blank line.
    writeFile(src(QStringLiteral("dict/zizi.tsv")),
              "zi\tjb\tpy\r\n一\t數之始\\n二行\ty\xC4\xAB\r\n丁\ta\\tb\\\\c\tdīng\r\n\r\n");
    writeFile(src(QStringLiteral("dict/ncidian.tsv")), "ci\tpy\tjs\n一丁\tyī dīng\t一個丁\n");
    writeFile(src(QStringLiteral("dict/cidian.tsv")),
              "ci\tpy\tjs\n一二\tyī èr\tone two\n上下\tshàng xià\tup down\n");
    writeFile(src(QStringLiteral("dict/kxzd.tsv")),
              "a\tyin\tuc\tb\td\n一\tyī\tU+4E00\t康熙字典第75頁第1字；一部0畫\t惟初太始\n");
    const LibraryCounts counts = run();
    EXPECT_EQ(counts.dictionaryRows, 6);

    auto catalogue = openSqlite(lib(QStringLiteral("wxlb.dbx")), config.key1());
    EXPECT_EQ(
        scalar(*catalogue,
               QStringLiteral("select py || '|' || bs || '|' || bhs || '|' || guyi || '|' || jb"
                              " || '|' || xx from zizi where zi='一'")),
        QStringLiteral("yī||||數之始\r\n二行|"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select jb from zizi where zi='丁'")),
              QStringLiteral("a\tb\\c"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from zizi")), QStringLiteral("2"));
    EXPECT_EQ(
        scalar(*catalogue, QStringLiteral("select py || '|' || js from ncidian where ci='一丁'")),
        QStringLiteral("yī dīng|一個丁"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from cidian")),
              QStringLiteral("2"));
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from ncidian where ci='上下'")),
              QStringLiteral("0"));
    auto kangxi = openSqlite(lib(QStringLiteral("kxzd.dbx")));
    EXPECT_EQ(
        scalar(*kangxi,
               QStringLiteral(
                   "select yin || '|' || uc || '|' || b || '|' || d from kxzd where a='一' ")),
        QStringLiteral("yī|U+4E00|康熙字典第75頁第1字；一部0畫|惟初太始"));
    // The program reads it through its Access connection.
    TUniConnection acc;
    acc.ProviderName = QStringLiteral("Access");
    acc.Database = lib(QStringLiteral("kxzd.dbx"));
    EXPECT_EQ(scalar(acc, QStringLiteral("select * from kxzd where a='一' ")),
              QStringLiteral("一"));
}

TEST_F(ImporterTest, UnbalancedMarkersAreAWarningNamingFileAndLine) {
    book(QStringLiteral("a.book"),
         "title: 甲\nsection: 子部\ncategory: 笔记\n\n## 一\n\n正文[[[注\n更多\n## 二\n]]]多餘\n");
    run();
    ASSERT_EQ(warnings.size(), 2) << warnings.join('\n').toStdString();
    EXPECT_EQ(warnings[0], src(QStringLiteral("books/a.book")) +
                               QStringLiteral(":7: unbalanced \"[[[\" \"]]]\" in chapter \"一\""));
    EXPECT_EQ(warnings[1], src(QStringLiteral("books/a.book")) +
                               QStringLiteral(":10: unbalanced \"[[[\" \"]]]\" in chapter \"二\""));
    EXPECT_TRUE(QFileInfo::exists(lib(QStringLiteral("wxlb.dbx"))));
}

TEST_F(ImporterTest, BookPathsAreOrderedByCodePoint) {
    // UTF-16 would put 𠀀 (a surrogate pair) before Ａ (U+FF21); code points put it after.
    for (const QString &name :
         {QStringLiteral("𠀀"), QStringLiteral("Ａ"), QStringLiteral("b"), QStringLiteral("a/z")})
        book(name + QStringLiteral(".book"),
             bookText(name, QStringLiteral("子部"), QStringLiteral("笔记"),
                      {QStringLiteral("一\n文")}));
    run();
    auto catalogue = openSqlite(lib(QStringLiteral("wxlb.dbx")), config.key1());
    EXPECT_EQ(scalar(*catalogue,
                     QStringLiteral(
                         "select group_concat(a1, ',') from (select a1 from wxlb order by id)")),
              QStringLiteral("a/z,b,Ａ,𠀀"));
}

TEST_F(ImporterTest, ExistingLibraryIsKeptUnlessReplaced) {
    writeTypicalSource();
    run();
    writeFile(lib(QStringLiteral("Kelvaro.ini")), "[Kelvaro]\n");
    const QDateTime before = QFileInfo(lib(QStringLiteral("wxlb.dbx"))).lastModified();
    EXPECT_THROW(run(), ImportError);
    EXPECT_EQ(QFileInfo(lib(QStringLiteral("wxlb.dbx"))).lastModified(), before);

    QFile::remove(src(QStringLiteral("NOTICE.txt")));
    QFile::remove(src(QStringLiteral("books/佛部/心經.book")));
    ImportOptions replace;
    replace.replace = true;
    EXPECT_EQ(run(replace).books, 4);
    EXPECT_EQ(scalar(*openSqlite(lib(QStringLiteral("wxlb.dbx")), config.key1()),
                     QStringLiteral("select a1 from wxlb where id=50000")),
              QStringLiteral("金剛經"));
    EXPECT_FALSE(
        QFileInfo::exists(lib(QStringLiteral("NOTICE.txt")))); // a stale notice does not stay
    EXPECT_TRUE(QFileInfo::exists(lib(QStringLiteral("Kelvaro.ini"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("lib"), QStringLiteral("src")}));
}

TEST_F(ImporterTest, EmptyTargetFolderBecomesTheLibrary) {
    writeTypicalSource();
    QDir().mkpath(lib());
    run();
    EXPECT_EQ(QDir(lib()).entryList(QDir::Files).size(), 5);
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
        2);
}

// Bad input: the message names file and line, and nothing is written.
struct BadInput {
    const char *name;
    const char *file; // relative to the source folder
    QByteArray content;
    const char *where; // "file:line" relative to the source folder
    const char *message;
};

class BadInputTest : public ImporterTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputTest, IsRefusedWithItsPlaceAndNothingIsWritten) {
    const BadInput &bad = GetParam();
    writeTypicalSource();
    writeFile(src(QString::fromUtf8(bad.file)), bad.content);
    QDir().mkpath(lib());
    writeFile(lib(QStringLiteral("keep.txt")), "untouched");
    try {
        run();
        FAIL() << "no error";
    } catch (const ImportError &e) {
        EXPECT_EQ(e.text(), src(QString::fromUtf8(bad.where)) + QStringLiteral(": ") +
                                QString::fromUtf8(bad.message));
    }
    EXPECT_EQ(QDir(lib()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("keep.txt")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("lib"), QStringLiteral("src")}));
}

const BadInput kBadInputs[] = {
    {"UnknownSection", "books/x.book", "title: 甲\nsection: 经部\ncategory: 别集\n\n## 一\n文\n",
     "books/x.book:2",
     "unknown section \"经部\" (one of 史部, 子部, 集部, 诗部, 儒部, 易部, 艺部, 医部, 丛部, 道部, "
     "佛部)"},
    {"CategoryOfAnotherSection", "books/x.book",
     "title: 甲\nsection: 诗部\ncategory: 别集\n\n## 一\n文\n", "books/x.book:3",
     "unknown category \"别集\" of section 诗部 (one of 诗集, 词集, 剧曲, 楚辞, 汉赋, 对联)"},
    {"MissingTitle", "books/x.book", "author: 甲\nsection: 子部\ncategory: 笔记\n\n## 一\n文\n",
     "books/x.book:1", "missing title (a header line \"title: ...\")"},
    {"EmptyTitle", "books/x.book", "title:  \nsection: 子部\ncategory: 笔记\n\n## 一\n文\n",
     "books/x.book:1", "missing title (a header line \"title: ...\")"},
    {"MissingCategory", "books/x.book", "title: 甲\nsection: 子部\n\n## 一\n文\n", "books/x.book:1",
     "missing category (a header line \"category: ...\")"},
    {"EmptyBook", "books/x.book", "title: 甲\nsection: 子部\ncategory: 笔记\n\n\n",
     "books/x.book:5",
     "the book has no chapters (a chapter begins with a line \"## \" and its title)"},
    {"InvalidUtf8", "books/x.book",
     "title: 甲\nsection: 子部\ncategory: 笔记\n\n## 一\n正\xE6\x96\n", "books/x.book:6",
     "invalid UTF-8"},
    {"UnknownKey", "books/x.book",
     "title: 甲\nauther: 乙\nsection: 子部\ncategory: 笔记\n\n## 一\n文\n", "books/x.book:2",
     "unknown header key \"auther\" (known keys: title, author, note, section, category, zmf)"},
    {"KeyTwice", "books/x.book",
     "title: 甲\nsection: 子部\ntitle: 乙\ncategory: 笔记\n\n## 一\n文\n", "books/x.book:3",
     "header key \"title\" given twice (first on line 1)"},
    {"NotAHeaderLine", "books/x.book",
     "title: 甲\nsection: 子部\ncategory: 笔记\n正文\n## 一\n文\n", "books/x.book:4",
     "expected a header line \"key: value\" or a blank line before the chapters"},
    {"TextBeforeFirstChapter", "books/x.book",
     "title: 甲\nsection: 子部\ncategory: 笔记\n\n序\n## 一\n文\n", "books/x.book:5",
     "text before the first chapter (a chapter begins with a line \"## \" and its title)"},
    {"ChapterWithoutTitle", "books/x.book",
     "title: 甲\nsection: 子部\ncategory: 笔记\n\n## 一\n文\n##   \n文\n", "books/x.book:7",
     "chapter without a title"},
    {"DictionaryUnknownColumn", "dict/zizi.tsv", "zi\tpinyin\n一\tyi\n", "dict/zizi.tsv:1",
     "unknown column \"pinyin\" (columns of zizi: zi py bs bhs guyi jb xx)"},
    {"DictionaryWithoutKey", "dict/ncidian.tsv", "py\tjs\nyi\tone\n", "dict/ncidian.tsv:1",
     "the header lacks the key column \"ci\""},
    {"DictionaryRowWidth", "dict/cidian.tsv", "ci\tpy\tjs\n一\tyi\tone\n二\ter\n",
     "dict/cidian.tsv:3", "expected 3 columns separated by tabs, found 2"},
    {"DictionaryInvalidUtf8", "dict/kxzd.tsv", "a\tb\n一\tx\n\xFF\ty\n", "dict/kxzd.tsv:3",
     "invalid UTF-8"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ImporterTest, FailureWhileWritingLeavesNothingBehind) {
    writeTypicalSource();
    ImportProgress progress;
    QString phase;
    progress.phase = [&](const QString &name, qint64) { phase = name; };
    progress.advance = [&](qint64 done) {
        if (phase == QLatin1String("writing books") && done == 3)
            throw ImportError(QStringLiteral("interrupted"));
    };
    EXPECT_THROW(importLibrary(src(), lib(), {}, progress), ImportError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("src")});
}

TEST_F(ImporterTest, MissingBooksFolderIsRefused) {
    writeFile(src(QStringLiteral("dict/zizi.tsv")), "zi\n一\n");
    try {
        run();
        FAIL() << "no error";
    } catch (const ImportError &e) {
        EXPECT_EQ(e.text(), QDir::cleanPath(src(QStringLiteral("books"))) +
                                QStringLiteral(": no such folder"));
    }
    EXPECT_FALSE(QFileInfo::exists(lib()));
}

// The command-line tool: exit codes and messages on stderr.
class ImportToolTest : public ImporterTest {
  protected:
    void SetUp() override {
        tool = QStringLiteral(KELVARO_BINARY_DIR "/kelvaro-import");
        if (!QFileInfo(tool).isExecutable()) GTEST_SKIP() << "kelvaro-import is not built";
    }
    int runTool(const QStringList &arguments) {
        QProcess p;
        p.start(tool, arguments);
        EXPECT_TRUE(p.waitForFinished(60000));
        out = QString::fromUtf8(p.readAllStandardOutput());
        err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }
    QString tool, out, err;
};

TEST_F(ImportToolTest, ImportsAndReportsProgressAsLinesWhenNotOnATerminal) {
    writeTypicalSource();
    EXPECT_EQ(runTool({src(), lib()}), 0) << err.toStdString();
    EXPECT_THAT(out.toStdString(), ::testing::HasSubstr("5 books, 51 chapters (2 in kelva2.dbx)"));
    EXPECT_THAT(err.toStdString(), ::testing::HasSubstr("kelvaro-import: writing books (5)\n"));
    EXPECT_FALSE(err.contains(QLatin1Char('\r')));
    expectConsistentLibrary(lib());
}

TEST_F(ImportToolTest, BadInputExitsNonZeroWithTheMessage) {
    writeTypicalSource();
    book(QStringLiteral("x.book"), "title: 甲\nsection: 子部\ncategory: 小说\n\n## 一\n文\n");
    EXPECT_EQ(runTool({QStringLiteral("--quiet"), src(), lib()}), 1);
    EXPECT_EQ(
        err,
        QStringLiteral(
            "kelvaro-import: %1:3: unknown category \"小说\" of section 子部 (one of 农家, 兵家, "
            "法家, 诸子, 道释, 算法, 杂论, 笔记, 类书)\nkelvaro-import: nothing was written\n")
            .arg(src(QStringLiteral("books/x.book"))));
    EXPECT_FALSE(QFileInfo::exists(lib()));
}

TEST_F(ImportToolTest, UsageErrorsAndTheServerHook) {
    EXPECT_EQ(runTool({src()}), 2);
    EXPECT_THAT(err.toStdString(), ::testing::HasSubstr("Usage:"));
    // --mysql takes options only (the server load is tested in tests/tools/serverload_test.cpp).
    EXPECT_EQ(runTool({QStringLiteral("--mysql"), src()}), 2);
    EXPECT_THAT(err.toStdString(), ::testing::HasSubstr("unknown option"));
    EXPECT_THAT(err.toStdString(), ::testing::HasSubstr("usage: kelvaro-import --mysql"));
}

} // namespace
