#include "dataaccess/import/generator.h"
#include "dataaccess/import/importer.h"
#include "import/sourcefolder.h"

#include <QTemporaryDir>

using namespace libraryimport;

namespace {

class GeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString books = QDir(dir.path()).filePath(QStringLiteral("src/books/"));
        writeFile(
            books + QStringLiteral("a.book"),
            bookText(QStringLiteral("李白詩集"), QStringLiteral("集部"), QStringLiteral("别集"),
                     {QStringLiteral("靜夜思\n床前明月光，疑是地上霜。\n舉頭望明月，低頭思故鄉。"),
                      QStringLiteral("將進酒\n[[[君不見]]]，黃河之水天上來，奔流到海不復回。")},
                     QStringLiteral("author: 李白\n")));
        writeFile(
            books + QStringLiteral("b.book"),
            bookText(QStringLiteral("心經"), QStringLiteral("佛部"), QStringLiteral("经藏"),
                     {QStringLiteral("心經\n觀自在菩薩，行深般若波羅蜜多時，照見五蘊皆空。")}));
        writeFile(QDir(dir.path()).filePath(QStringLiteral("src/dict/zizi.tsv")),
                  "zi\tpy\n一\tyī\n二\tèr\n");
        writeFile(QDir(dir.path()).filePath(QStringLiteral("src/NOTICE.txt")), "notice\n");
        sourceTexts = {QStringLiteral("床前明月光，疑是地上霜。\r\n舉頭望明月，低頭思故鄉。"),
                       QStringLiteral("[[[君不見]]]，黃河之水天上來，奔流到海不復回。"),
                       QStringLiteral("觀自在菩薩，行深般若波羅蜜多時，照見五蘊皆空。")};
    }
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    QStringList sourceTexts;
    Configuration config;
};

TEST_F(GeneratorTest, BuildsTheRequestedSizeWithTheLibraryRules) {
    GenerateOptions options;
    options.books = 150;
    options.chapters = 500;
    options.characters = 20000;
    const LibraryCounts counts =
        generateLibrary(path(QStringLiteral("src")), path(QStringLiteral("big")), options);
    EXPECT_EQ(counts.books, 150);
    EXPECT_EQ(counts.chapters, 500);
    EXPECT_NEAR(double(counts.characters), 20000.0, 1000.0);
    expectConsistentLibrary(path(QStringLiteral("big")));

    auto catalogue = openSqlite(path(QStringLiteral("big/wxlb.dbx")), config.key1());
    auto text = openSqlite(path(QStringLiteral("big/kelva.dbx")));
    auto second = openSqlite(path(QStringLiteral("big/kelva2.dbx")), config.key2());
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select sum(cnt) from wxlb")),
              QStringLiteral("500"));
    EXPECT_EQ(scalar(*catalogue,
                     QStringLiteral("select count(*) from zjlist where id<810000 and id%20=0"))
                  .toLongLong(),
              counts.secondTextChapters);
    EXPECT_GT(counts.secondTextChapters, 0);
    // Both id ranges are used, and several sub-categories.
    EXPECT_NE(scalar(*catalogue, QStringLiteral("select count(*) from wxlb where id>=50000")),
              QStringLiteral("0"));
    EXPECT_NE(scalar(*catalogue, QStringLiteral("select count(*) from zjlist where id>=810000")),
              QStringLiteral("0"));
    EXPECT_GT(scalar(*catalogue, QStringLiteral("select count(*) from fldb")).toInt(), 20);
    EXPECT_GT(scalar(*catalogue, QStringLiteral("select count(*) from wxlb where cnt=1")).toInt(),
              10);
    // Bodies are made of the real texts, whole or cut, with balanced markers.
    for (const ChapterRow &row : chapterRows(*catalogue)) {
        const QString body = storedBody(*text, *second, row);
        ASSERT_FALSE(body.isEmpty()) << row.id;
        EXPECT_TRUE(std::any_of(sourceTexts.begin(), sourceTexts.end(), [&](const QString &t) {
            return t.startsWith(body.left(8));
        })) << body.toStdString();
        EXPECT_EQ(body.count(QStringLiteral("[[[")), body.count(QStringLiteral("]]]")))
            << body.toStdString();
    }
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select count(*) from zizi")), QStringLiteral("2"));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("big/NOTICE.txt"))));
}

TEST_F(GeneratorTest, KeepsChaptersWholeWithoutACharacterTargetAndReadsALibrary) {
    importLibrary(path(QStringLiteral("src")), path(QStringLiteral("lib")));
    GenerateOptions options;
    options.books = 30;
    options.chapters = 60;
    const LibraryCounts counts =
        generateLibrary(path(QStringLiteral("lib")), path(QStringLiteral("big")), options);
    EXPECT_EQ(counts.chapters, 60);
    expectConsistentLibrary(path(QStringLiteral("big")));
    auto catalogue = openSqlite(path(QStringLiteral("big/wxlb.dbx")), config.key1());
    auto text = openSqlite(path(QStringLiteral("big/kelva.dbx")));
    auto second = openSqlite(path(QStringLiteral("big/kelva2.dbx")), config.key2());
    for (const ChapterRow &row : chapterRows(*catalogue))
        EXPECT_TRUE(sourceTexts.contains(storedBody(*text, *second, row))) << row.id;
    EXPECT_EQ(scalar(*catalogue, QStringLiteral("select py from zizi where zi='二'")),
              QStringLiteral("èr"));
}

TEST_F(GeneratorTest, RefusesImpossibleSizes) {
    GenerateOptions options;
    options.books = 10;
    options.chapters = 5;
    EXPECT_THROW(generateLibrary(path(QStringLiteral("src")), path(QStringLiteral("big")), options),
                 ImportError);
    options.chapters = 10;
    EXPECT_THROW(
        generateLibrary(path(QStringLiteral("nothing")), path(QStringLiteral("big")), options),
        ImportError);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("big"))));
}

} // namespace
