#include "dictionary/entries.h"

#include <gtest/gtest.h>

using namespace dictionary;

namespace {

const ZiziRow kZhi{"之", "zhī", "丿", "3", "古义：往也。", "①往，到。", "详：代词。"};

TEST(EntriesTest, CharacterEntriesHaveTheirPiecesInOrder) {
    // The labels' colons are full-width; the space after the character is ideographic.
    const QString head = QString::fromUtf8("之\u3000zhī\r\n部首\uFF1A丿\r\n笔画数\uFF1A3\r\n");
    EXPECT_EQ(shortEntry(kZhi), head + QString::fromUtf8("古义：往也。"));
    EXPECT_EQ(modernEntry(kZhi),
              head + QString::fromUtf8("古义：往也。\r\n\r\n==新华字典解释==\r\n\r\n①往，到。"
                                       "\r\n\r\n===详细解释===\r\n\r\n详：代词。"));
    EXPECT_EQ(xinhuaEntry(kZhi),
              head + QString::fromUtf8("==新华字典解释==\r\n\r\n①往，到。"
                                       "\r\n\r\n===详细解释===\r\n\r\n详：代词。"));
}

TEST(EntriesTest, DetailedSectionOnlyForANonBlankExplanationAndAsStored) {
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},
        {"   ", ""},
        {"\r\n\t", ""},
        {"\u3000", ""},
        {"  详", "\r\n\r\n===详细解释===\r\n\r\n  详"},
        {"详\r\n", "\r\n\r\n===详细解释===\r\n\r\n详\r\n"},
    };
    for (const auto &[xx, section] : cases) {
        SCOPED_TRACE(xx);
        EXPECT_EQ(detailSection(QString::fromUtf8(xx)), QString::fromUtf8(section));
        ZiziRow row = kZhi;
        row.xx = QString::fromUtf8(xx);
        EXPECT_TRUE(
            modernEntry(row).endsWith(QString::fromUtf8("①往，到。") + QString::fromUtf8(section)));
    }
}

TEST(EntriesTest, KangxiEntryDropsEmptyPinyinAndUnicodeLines) {
    struct Case {
        const char *yin, *uc, *entry;
    } cases[] = {
        {"zhī", "U+4E4B",
         "==康熙字典解释==\r\n\r\n之\r\n【拼音】: zhī\r\n【Unicode】: "
         "U+4E4B\r\n《唐韻》止而切\r\n又"},
        {"zhī", "", "==康熙字典解释==\r\n\r\n之\r\n【拼音】: zhī\r\n《唐韻》止而切\r\n又"},
        {"", "U+4E4B", "==康熙字典解释==\r\n\r\n之\r\n【Unicode】: U+4E4B\r\n《唐韻》止而切\r\n又"},
        {"", "", "==康熙字典解释==\r\n\r\n之\r\n《唐韻》止而切\r\n又"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        const KangxiRow row{"之", QString::fromUtf8(c.yin), QString::fromUtf8(c.uc),
                            QString::fromUtf8("《唐韻》止而切"), QString::fromUtf8("又")};
        EXPECT_EQ(kangxiEntry(row), QString::fromUtf8(c.entry));
    }
    // Full-width brackets, an ASCII colon and one ASCII space.
    EXPECT_TRUE(kangxiEntry({"之", "a", "b", "", ""})
                    .contains(QString::fromUtf8("\u3010拼音\u3011: a\r\n")));
}

TEST(EntriesTest, WordEntriesOfASelectionAndOfATypedWord) {
    const WordRow row{"天下", "tiān xià", "全国。"};
    EXPECT_EQ(selectionWordEntry(row), QString::fromUtf8("\r\n天下\r\ntiān xià\r\n全国。\r\n"));
    EXPECT_EQ(typedWordEntry(row),
              QString::fromUtf8("==《汉语词典》==\r\n天下\r\ntiān xià\r\n全国。"));
}

TEST(EntriesTest, StatementsFindOneRowAndQuotesCannotEndTheLiteral) {
    EXPECT_EQ(ziziSql("之"), QString::fromUtf8("select * from zizi where zi='之' limit 1"));
    EXPECT_EQ(kangxiSql("之"), QString::fromUtf8("select * from kxzd where a='之' "));
    EXPECT_EQ(wordSql("ncidian", "天下"),
              QString::fromUtf8("select * from ncidian where ci='天下' limit 1"));
    EXPECT_EQ(ziziSql("'"), "select * from zizi where zi='''' limit 1");
    EXPECT_EQ(kangxiSql("a' or 'x'='x"), "select * from kxzd where a='a'' or ''x''=''x' ");
    EXPECT_EQ(wordSql("cidian", "x';drop table cidian;--"),
              "select * from cidian where ci='x'';drop table cidian;--' limit 1");
}

} // namespace
