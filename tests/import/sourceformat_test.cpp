#include "dataaccess/import/sourceformat.h"

#include <gtest/gtest.h>

using namespace libraryimport;

namespace {

TEST(SourceFormat, CrLfFilesWithByteOrderMarkAndLeadingBlankLines) {
    const QByteArray content =
        "\xEF\xBB\xBF\r\n\r\ntitle: 甲 \r\nsection: 子部\r\ncategory: 笔记\r\nnote: 注：有冒號\r\n"
        "\r\n## 一 \r\n  正文 \r\n\r\n第二行\r\n\r\n## 二\r\n";
    const SourceBook book = parseBook(content, QStringLiteral("x.book"));
    EXPECT_EQ(book.title, QStringLiteral("甲"));
    EXPECT_EQ(book.note, QStringLiteral("注：有冒號"));
    ASSERT_EQ(book.chapters.size(), 2u);
    EXPECT_EQ(book.chapters[0].title, QStringLiteral("一"));
    EXPECT_EQ(book.chapters[0].line, 8);
    // Leading and trailing blank lines go; blanks inside and spaces inside a line stay.
    EXPECT_EQ(QString::fromUtf8(book.chapters[0].body), QStringLiteral("  正文 \r\n\r\n第二行"));
    EXPECT_TRUE(book.chapters[1].body.isEmpty());
}

TEST(SourceFormat, HeaderMayEndAtTheFirstChapter) {
    const SourceBook book =
        parseBook("title: 甲\nsection: 子部\ncategory: 笔记\n## 一\n文\n## 二\n\\## 三\n##\n##四\n",
                  QStringLiteral("x.book"));
    ASSERT_EQ(book.chapters.size(), 2u);
    // Only "## " begins a chapter; an escaped one and "##" without the space are body text.
    EXPECT_EQ(QString::fromUtf8(book.chapters[1].body), QStringLiteral("## 三\r\n##\r\n##四"));
}

struct MarkerCase {
    const char *text;
    int line;
};

TEST(SourceFormat, UnbalancedMarkerLine) {
    const MarkerCase cases[] = {
        {"", 0},
        {"無標記", 0},
        {"[[[甲]]]乙[[[丙]]]", 0},
        {"[[[甲\r\n乙]]]", 0},
        {"[[[[甲]]]]", 0},
        {"甲\r\n[[[乙", 2},
        {"甲]]]", 1},
        {"[[[甲\r\n[[[乙]]]", 1},
        {"[[[甲]]]\r\n\r\n]]]", 3},
        {"[[甲]]", 0},
    };
    for (const MarkerCase &c : cases)
        EXPECT_EQ(unbalancedMarkerLine(QByteArray(c.text)), c.line) << c.text;
}

} // namespace
