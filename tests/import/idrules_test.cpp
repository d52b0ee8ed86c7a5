#include "catalogue/skeleton.h"
#include "dataaccess/import/idrules.h"
#include "dataaccess/import/importerror.h"

#include <gtest/gtest.h>

using namespace libraryimport;

namespace {

TEST(IdRules, SkeletonHasElevenSectionsWith107SubCategories) {
    std::vector<int> sizes;
    for (const auto &[section, list] : catalogueSkeleton())
        sizes.push_back(int(skeletonCategories(section).size()));
    EXPECT_EQ(sizes, (std::vector<int>{15, 9, 11, 6, 12, 10, 11, 7, 8, 9, 9}));
    EXPECT_TRUE(skeletonCategories(QStringLiteral("经部")).isEmpty());
    EXPECT_TRUE(isDaoFoSection(QStringLiteral("道部")));
    EXPECT_TRUE(isDaoFoSection(QStringLiteral("佛部")));
    EXPECT_FALSE(isDaoFoSection(QStringLiteral("丛部")));
}

TEST(IdRules, BodyTablesAreNumberedByPlaceInTheirRange) {
    EXPECT_EQ(bodyTableNumber(QStringLiteral("史部"), QStringLiteral("正史")), 1);
    EXPECT_EQ(bodyTableNumber(QStringLiteral("集部"), QStringLiteral("别集")), 26);
    EXPECT_EQ(bodyTableNumber(QStringLiteral("丛部"), QStringLiteral("其他")), 89);
    EXPECT_EQ(bodyTableNumber(QStringLiteral("道部"), QStringLiteral("洞神部")), 50000);
    EXPECT_EQ(bodyTableNumber(QStringLiteral("佛部"), QStringLiteral("藏外")), 50017);
    EXPECT_EQ(bodyTableNumber(QStringLiteral("诗部"), QStringLiteral("别集")), 0);
}

TEST(IdRules, AllocatorKeepsTheRanges) {
    IdAllocator ids;
    const QString other = QStringLiteral("子部"), fo = QStringLiteral("佛部");
    EXPECT_EQ(ids.nextBook(fo), 50000);
    EXPECT_EQ(ids.nextBook(other), 1);
    EXPECT_EQ(ids.nextBook(fo), 50001);
    EXPECT_EQ(ids.nextChapters(other, 3), 1);
    EXPECT_EQ(ids.nextChapters(fo, 2), 810000);
    EXPECT_EQ(ids.nextChapters(other, 1), 4);
    EXPECT_EQ(ids.nextChapters(fo, 1), 810002);
    EXPECT_EQ(ids.nextChapters(other, 799999 - 4), 5);
    EXPECT_THROW(ids.nextChapters(other, 1), ImportError); // 800000 would be past the range
    for (int i = 2; i < 50000; ++i)
        ids.nextBook(other);
    EXPECT_THROW(ids.nextBook(other), ImportError);
    EXPECT_EQ(ids.nextBook(fo), 50002);
}

TEST(IdRules, SecondTextFileHoldsMultiplesOf20Below810000) {
    EXPECT_TRUE(inSecondTextFile(20));
    EXPECT_TRUE(inSecondTextFile(809980));
    EXPECT_FALSE(inSecondTextFile(810000));
    EXPECT_FALSE(inSecondTextFile(41));
    EXPECT_FALSE(inSecondTextFile(810020));
}

} // namespace
