#include "dictionary/chinesetext.h"

#include <gtest/gtest.h>

namespace {

struct TestCase {
    const char *text;
    bool chinese;
};

TEST(ChineseTextTest, PassesWhenCodeUnitsAndGbkBytesDiffer) {
    const TestCase cases[] = {
        {"", false},
        {"abc 123 ?!", false},
        {"之", true},
        {"\uFF0C", true},       // full-width comma
        {"\u3000", true},       // ideographic space
        {"a之", true},          // an ASCII letter and one Chinese character
        {"\U00020000", true},   // Extension B: two code units, one substitute byte
        {"\U00020000之", true}, // three code units and three bytes, yet it holds 之
        {"\U00020000\U0002A6D6之之", true},
        {"a\U00020000", true},
        {"e\u0301", false}, // a combining accent GBK lacks: one byte each, two units
        {"\u20AC", false},  // the euro sign is one byte in code page 936
    };
    for (const TestCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isChineseText(QString::fromUtf8(c.text)), c.chinese);
    }
}

TEST(ChineseTextTest, FirstCharacterNeverSplitsASurrogatePair) {
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {"之", "之"},
        {"天下", "天"},
        {"a之", "a"},
        {"\U00020000", "\U00020000"},
        {"\U0002A6D6乎", "\U0002A6D6"},
        {"之\U00020000", "之"},
    };
    for (const auto &[text, first] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(firstCharacter(QString::fromUtf8(text)), QString::fromUtf8(first));
    }
    // A lone half of a pair is a character of its own.
    EXPECT_EQ(firstCharacter(QString(QChar(0xD840)) + "x"), QString(QChar(0xD840)));
}

TEST(ChineseTextTest, TrimsSpacesAndControlCharactersAtBothEnds) {
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {" \t\r\n", ""},
        {"\x01之\x1f", "之"},
        {"\u3000之乎\u3000", "之乎"},
        {"\u2029天 下\n", "天 下"}, // a selection's paragraph separator
        {" '之' ", "'之'"},
    };
    for (const auto &[text, trimmed] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(trimSpaces(QString::fromUtf8(text)), QString::fromUtf8(trimmed));
    }
}

TEST(ChineseTextTest, RemovesEverySingleQuote) {
    EXPECT_EQ(withoutQuotes("'天'下''"), QString::fromUtf8("天下"));
    EXPECT_EQ(withoutQuotes("' '"), " ");
    EXPECT_EQ(withoutQuotes(QString::fromUtf8("“之”")), QString::fromUtf8("“之”"));
}

} // namespace
