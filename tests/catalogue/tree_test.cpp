#include "catalogue/nodedata.h"
#include "platform/richedit.h"
#include "support/fixture.h"
#include "support/trees.h"

namespace {

class CatalogueTreeTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
    }
    TTreeNode *subcategory(TForm2 &f, const QString &section, const QString &name) {
        return subcategoryNode(f, section, name);
    }
    static QStringList texts(const TTreeNode *node) {
        QStringList out;
        for (int i = 0; i < node->Count(); ++i)
            out << node->Item(i)->Text();
        return out;
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(CatalogueTreeTest, SkeletonHasElevenSectionsAtTheirFlatPositionsAndOpensTheFirstFour) {
    TForm2 &f = makeForm();
    EXPECT_EQ(f.TreeViewa->ItemsCount(), 225);
    const std::pair<int, const char *> sections[] = {
        {0, "史部"},   {31, "子部"},  {50, "集部"},  {73, "诗部"},  {86, "儒部"}, {111, "易部"},
        {132, "艺部"}, {155, "医部"}, {170, "丛部"}, {187, "道部"}, {206, "佛部"}};
    for (const auto &[position, name] : sections) {
        SCOPED_TRACE(name);
        TTreeNode *node = f.TreeViewa->Items(position);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->Text(), QString::fromUtf8(name));
        EXPECT_EQ(node->Level(), 0);
        EXPECT_EQ(node->Expanded(), position <= 73);
        for (int i = 0; i < node->Count(); ++i) {
            EXPECT_FALSE(node->Item(i)->Expanded()); // no books loaded at start
            ASSERT_EQ(node->Item(i)->Count(), 1);
            EXPECT_EQ(node->Item(i)->Item(0)->Text(), QStringLiteral("loading..."));
        }
    }
    EXPECT_EQ(f.TreeViewa->Items(225), nullptr);
    EXPECT_EQ(texts(f.TreeViewa->Root(3)),
              QStringList({"诗集", "词集", "剧曲", "楚辞", "汉赋", "对联"}));
    EXPECT_TRUE(f.TreeViewa->Visible());
    EXPECT_FALSE(f.TreeViewb->Visible());
}

TEST_F(CatalogueTreeTest, ExpandingASubcategoryLoadsItsBooksAsTheirKindsSay) {
    library->addBook({11, "一卷书", "", "", "集部", "别集", 1, 501, ""});
    library->addBook({12, "无卷书", "", "", "集部", "别集", 0, 0, ""});
    library->addBook({13, "多卷书", "", "", "集部", "别集", 3, 0, ""});
    library->addBook({14, "他类书", "", "", "集部", "总集", 2, 0, ""});
    library->addChapter(603, 13, "卷三", 1, "集部", "别集");
    library->addChapter(601, 13, "卷一", 1, "集部", "别集");
    library->addChapter(602, 13, "卷二", 1, "集部", "别集");
    TForm2 &f = makeForm();

    TTreeNode *sub = subcategory(f, "集部", "别集");
    sub->Expand();
    ASSERT_EQ(texts(sub), QStringList({"一卷书", "无卷书", "多卷书"}));
    const struct { int id, cnt, children; } expected[] = {{501, 1, 0}, {0, 0, 0}, {13, 3, 1}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        tnodedata *d = nodedata(sub->Item(i));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->id, expected[i].id);
        EXPECT_EQ(d->cnt, expected[i].cnt);
        EXPECT_EQ(d->ff, 0);
        EXPECT_EQ(d->caption, sub->Item(i)->Text());
        EXPECT_EQ(sub->Item(i)->Count(), expected[i].children);
        EXPECT_EQ(sub->Item(i)->Level(), 2);
    }
    TTreeNode *book = sub->Item(2);
    EXPECT_EQ(book->Item(0)->Text(), QStringLiteral("loading.."));
    book->Expand();
    EXPECT_EQ(texts(book), QStringList({"卷一", "卷二", "卷三"})); // by chapter id
    EXPECT_EQ(nodedata(book)->ff, 1);
    EXPECT_EQ(nodedata(book->Item(1))->id, 602);
    EXPECT_EQ(nodedata(book->Item(1))->cnt, 0);
    EXPECT_EQ(book->Item(1)->Level(), 3);

    // Loaded once: collapsing and expanding again keeps the same nodes.
    TTreeNode *first = book->Item(0);
    book->Collapse();
    sub->Collapse();
    sub->Expand();
    book->Expand();
    EXPECT_EQ(book->Item(0), first);
    EXPECT_EQ(sub->Count(), 3);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CatalogueTreeTest, EmptyAndSingleBookSubcategoriesQueryOnEveryExpansion) {
    library->addBook({21, "孤本", "", "", "子部", "兵家", 2, 0, ""});
    TForm2 &f = makeForm();
    TTreeNode *empty = subcategory(f, "子部", "农家");
    empty->Expand();
    EXPECT_EQ(empty->Count(), 0);

    TTreeNode *single = subcategory(f, "子部", "兵家");
    single->Expand();
    ASSERT_EQ(texts(single), QStringList({"孤本"}));
    nodedata(single->Item(0))->ff = 7; // a mark that a rebuilt node does not carry
    library->addBook({22, "新本", "", "", "子部", "兵家", 1, 9, ""});
    single->Collapse();
    single->Expand(); // fewer than two children: emptied and filled again
    EXPECT_EQ(texts(single), QStringList({"孤本", "新本"}));
    EXPECT_EQ(nodedata(single->Item(0))->ff, 0);
    EXPECT_FALSE(single->Item(0)->Expanded());
}

TEST_F(CatalogueTreeTest, ABookWithoutChapterRowsLosesItsPlaceholderAndStaysUnloaded) {
    library->addBook({31, "缺卷", "", "", "史部", "正史", 5, 0, ""});
    TForm2 &f = makeForm();
    TTreeNode *sub = subcategory(f, "史部", "正史");
    sub->Expand();
    TTreeNode *book = sub->Item(0);
    book->Expand();
    EXPECT_EQ(book->Count(), 0);
    EXPECT_EQ(nodedata(book)->ff, 0);
}

TEST_F(CatalogueTreeTest, LoadFailureReachesTheErrorReportAndDeletedChildrenStayDeleted) {
    TForm2 &f = makeForm();
    library->exec("wxlb.dbx", "drop table wxlb");
    TTreeNode *sub = subcategory(f, "诗部", "楚辞");
    sub->Expand();
    EXPECT_EQ(sub->Count(), 0);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains("no such table: wxlb"))
        << dialogs.messages[0].text.toStdString();
}

TEST_F(CatalogueTreeTest, EmptyResultTablesGiveTheSingleEmptyResultNode) {
    TForm2 &f = makeForm();
    ASSERT_EQ(f.TreeViewb->RootCount(), 1);
    TTreeNode *node = f.TreeViewb->Root(0);
    EXPECT_EQ(node->Text(), QStringLiteral("无检索结果..."));
    EXPECT_EQ(node->Count(), 0);
    ASSERT_NE(nodedata(node), nullptr);
    EXPECT_EQ(nodedata(node)->id, 0);
    EXPECT_EQ(nodedata(node)->ff, 1);
    EXPECT_EQ(nodedata(node)->cnt, 0);
    EXPECT_TRUE(f.TreeViewa->Visible()); // the catalogue is what the user sees at start
    EXPECT_FALSE(f.TreeViewb->Visible());
}

TEST_F(CatalogueTreeTest, StoredResultIsLoadedHiddenAndExpandsToTheMatchingChaptersOnly) {
    library->addBook({41, "李太白集", "", "李白", "集部", "别集", 3, 0, ""}, "tmpwxlb");
    library->addBook({42, "短篇", "", "", "集部", "别集", 1, 777, ""}, "tmpwxlb");
    library->addChapter(902, 41, "卷二", 1, "集部", "别集", QString(), "tmpzjlist");
    library->addChapter(901, 41, "卷一", 1, "集部", "别集", QString(), "tmpzjlist");
    TForm2 &f = makeForm();
    ASSERT_EQ(f.TreeViewb->RootCount(), 2);
    TTreeNode *book = f.TreeViewb->Root(0);
    EXPECT_EQ(book->Text(), QStringLiteral("李太白集"));
    EXPECT_EQ(nodedata(book)->id, 41);
    EXPECT_EQ(nodedata(book)->cnt, 3); // the book's own count, not the number of matches
    EXPECT_EQ(nodedata(f.TreeViewb->Root(1))->id, 777);
    EXPECT_EQ(f.TreeViewb->Root(1)->Count(), 0);
    book->Expand();
    EXPECT_EQ(texts(book), QStringList({"卷一", "卷二"}));
    EXPECT_EQ(nodedata(book)->ff, 1);
    EXPECT_EQ(book->Item(0)->Level(), 1);

    f.loadtree(); // a later search rebuilds the result tree and shows it
    EXPECT_TRUE(f.TreeViewb->Visible());
    EXPECT_FALSE(f.TreeViewa->Visible());
    EXPECT_EQ(f.TreeViewb->RootCount(), 2);
    EXPECT_EQ(f.TreeViewb->Root(0)->Item(0)->Text(), QStringLiteral("loading.."));
}

} // namespace
