#include "catalogue/markup.h"

#include <gtest/gtest.h>

namespace {
struct Passage {
    int start, length;
    bool operator==(const Passage &) const = default;
};

TEST(MarkupPassTest, RemovesMarkersAndReportsPassages) {
    struct Case {
        QString input;
        QString shown;
        std::vector<std::pair<int, int>> passages;
    } cases[] = {
        {"甲[[[乙丙]]]丁", "甲乙丙丁", {{1, 2}}},
        {"no markers", "no markers", {}},
        {"a[[[]]]b", "ab", {}}, // empty pair: removed, nothing coloured
        {"a[[[b", "a[[[b", {}}, // unclosed: unchanged
        {"[[[x]]] and [[[y]]]", "x and y", {{0, 1}, {6, 1}}},
        {"[[[one]]]two[[[three", "onetwo[[[three", {{0, 3}}}, // second unclosed stays
        {"]]][[[z]]]", "]]]z", {{3, 1}}},
        {"[[[[x]]]", "[x", {{0, 2}}}, // fourth bracket belongs to the passage
        {"[[[甲\n乙]]]", "甲\n乙", {{0, 3}}},
        {"𠀀[[[𠀁]]]", "𠀀𠀁", {{2, 2}}}, // positions in UTF-16 units
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        const MarkupResult r = markupPass(c.input);
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.passages, c.passages);
    }
}

TEST(MarkupPassTest, ManyPassagesInALongTextStayLinear) {
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("正文正文正文[[[标注]]]");
    const MarkupResult r = markupPass(text);
    ASSERT_EQ(r.passages.size(), 5000u);
    EXPECT_EQ(r.text.size(), 5000 * 8);
    EXPECT_EQ(r.passages[4999], std::make_pair(4999 * 8 + 6, 2));
}
} // namespace
