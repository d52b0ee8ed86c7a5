#include "catalogue/nodedata.h"
#include "platform/richedit.h"
#include "support/fixture.h"
#include "support/trees.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>

namespace {

class TreeCommandsTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
        library->addBookWithChapters(31, "甲", "诗部", "楚辞", 3, 3101);
        library->addBookWithChapters(32, "乙", "诗部", "楚辞", 2, 3201);
        library->addBook({41, "结果书", "", "", "诗部", "楚辞", 3, 0, ""}, "tmpwxlb");
        library->addBook({41, "结果书", "", "", "诗部", "楚辞", 3, 0, ""});
        library->addChapter(3101, 41, "卷1", 1, "诗部", "楚辞", QString(), "tmpzjlist");
        library->addChapter(3103, 41, "卷3", 1, "诗部", "楚辞", QString(), "tmpzjlist");
    }
    TForm2 &form() {
        TForm2 &f = makeForm();
        f.show();
        QApplication::processEvents();
        return f;
    }
    TTreeNode *chuci(TForm2 &f) { return subcategoryNode(f, "诗部", "楚辞"); }
    TTreeNode *bookNode(TForm2 &f, const QString &title) {
        chuci(f)->Expand();
        return childNode(chuci(f), title);
    }
    static void key(TTreeView *tree, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(tree, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(tree, &release);
    }
    // A press of `button` on the tree at `pos`, then what the press started.
    static void press(TTreeView *tree, const QPoint &pos,
                      Qt::MouseButton button = Qt::RightButton) {
        const QPoint global = tree->viewport()->mapToGlobal(pos);
        QMouseEvent down(QEvent::MouseButtonPress, pos, global, button, button, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, pos, global, button, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &up);
        QApplication::processEvents();
    }
    static QPoint at(TTreeView *tree, TTreeNode *node) {
        tree->scrollToItem(node);
        return tree->visualItemRect(node).center();
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(TreeCommandsTest, UpAndDownOpenTheSelectedNodeEvenWhenTheSelectionStays) {
    TForm2 &f = form();
    TTreeNode *jia = bookNode(f, "甲");
    jia->Expand();
    f.TreeViewa->setFocus();
    f.TreeViewa->SetSelected(jia->Item(0));
    key(f.TreeViewa, Qt::Key_Down);
    EXPECT_EQ(f.TreeViewa->Selected(), jia->Item(1));
    EXPECT_EQ(f.rc->Text(), "第2卷正文");
    key(f.TreeViewa, Qt::Key_Up);
    EXPECT_EQ(f.rc->Text(), "第1卷正文");
    key(f.TreeViewa, Qt::Key_Up); // onto the book: its header
    EXPECT_EQ(f.rc->Text(), "甲");

    // The last node of the result tree: Down does not move, and opens it again.
    f.StaticText1Click();
    TTreeNode *result = f.TreeViewb->Root(0);
    result->Expand();
    TTreeNode *last = result->Item(1);
    f.TreeViewb->SetSelected(last);
    f.rc->SetText("别的文字");
    key(f.TreeViewb, Qt::Key_Down);
    EXPECT_EQ(f.TreeViewb->Selected(), last);
    EXPECT_EQ(f.rc->Text(), "第3卷正文");

    f.rc->SetText("别的文字");
    for (int k : {Qt::Key_Left, Qt::Key_Space, Qt::Key_Home, Qt::Key_A})
        f.TreeViewbKeyUp(k);
    EXPECT_EQ(f.rc->Text(), "别的文字"); // no other key opens anything
}

TEST_F(TreeCommandsTest, EnterOpensAndClosesNodesThatHaveChildren) {
    TForm2 &f = form();
    TTreeNode *jia = bookNode(f, "甲");
    ASSERT_EQ(jia->Count(), 1); // the placeholder
    f.TreeViewa->SetSelected(jia);
    key(f.TreeViewa, Qt::Key_Return);
    EXPECT_TRUE(jia->Expanded());
    EXPECT_EQ(jia->Count(), 3);
    EXPECT_EQ(jia->Item(2)->Text(), "卷3");
    key(f.TreeViewa, Qt::Key_Enter);
    EXPECT_FALSE(jia->Expanded());

    // Enter on a chapter does nothing; on an open sub-category it closes every open book too.
    jia->Expand();
    f.TreeViewa->SetSelected(jia->Item(0));
    f.rc->SetText("不变");
    key(f.TreeViewa, Qt::Key_Return);
    EXPECT_TRUE(jia->Expanded());
    EXPECT_EQ(f.rc->Text(), "不变");
    f.TreeViewa->SetSelected(chuci(f));
    key(f.TreeViewa, Qt::Key_Return);
    EXPECT_FALSE(chuci(f)->Expanded());
    EXPECT_FALSE(jia->Expanded());
}

TEST_F(TreeCommandsTest, TheRightButtonMenuNeedsANonRootSelectionAndDoesNotOpenTheNode) {
    TForm2 &f = form();
    TTreeNode *jia = bookNode(f, "甲");
    jia->Expand();
    TTreeNode *section = f.TreeViewa->Root(3); // 诗部
    f.TreeViewa->SetSelected(section);
    press(f.TreeViewa, at(f.TreeViewa, jia->Item(1)));
    EXPECT_FALSE(f.PopupMenu4->isVisible());
    EXPECT_EQ(f.TreeViewa->Selected(), section);

    clickNode(f.TreeViewa, jia->Item(0));
    ASSERT_EQ(f.rc->Text(), "第1卷正文");
    press(f.TreeViewa, at(f.TreeViewa, jia->Item(2)));
    EXPECT_TRUE(f.PopupMenu4->isVisible());
    EXPECT_EQ(f.TreeViewa->Selected(), jia->Item(2));
    EXPECT_EQ(f.rc->Text(), "第1卷正文"); // selected, not opened
    f.PopupMenu4->hide();

    press(f.TreeViewa, at(f.TreeViewa, jia->Item(0)), Qt::MiddleButton);
    EXPECT_FALSE(f.PopupMenu4->isVisible());
}

TEST_F(TreeCommandsTest, RightButtonOnEmptySpaceEmptiesTheSelectionAndTheMenuThenDoesNothing) {
    TForm2 &f = form();
    for (int i = 0; i < f.TreeViewa->RootCount(); ++i)
        f.TreeViewa->Root(i)->Collapse(true);
    f.TreeViewa->Root(3)->Expand();
    TTreeNode *yi = bookNode(f, "乙");
    f.TreeViewa->SetSelected(yi);
    const QPoint below(10, f.TreeViewa->viewport()->height() - 3);
    ASSERT_EQ(f.TreeViewa->itemAt(below), nullptr);
    QApplication::clipboard()->setText("剪贴板原有");
    press(f.TreeViewa, below);
    EXPECT_TRUE(f.PopupMenu4->isVisible());
    EXPECT_EQ(f.TreeViewa->Selected(), nullptr);
    EXPECT_TRUE(f.TreeViewa->selectedItems().isEmpty());
    f.PopupMenu4->hide();
    f.action("N21")->trigger();
    f.action("N86")->trigger();
    EXPECT_TRUE(chuci(f)->Expanded());
    EXPECT_EQ(QApplication::clipboard()->text(), "剪贴板原有");
}

TEST_F(TreeCommandsTest, CloseNodeCollapsesTheParentBranch) {
    TForm2 &f = form();
    TTreeNode *jia = bookNode(f, "甲");
    TTreeNode *yi = bookNode(f, "乙");
    jia->Expand();
    yi->Expand();
    f.TreeViewa->SetSelected(jia->Item(1));
    f.N21Click();
    EXPECT_FALSE(jia->Expanded());
    EXPECT_TRUE(yi->Expanded());
    EXPECT_TRUE(chuci(f)->Expanded());

    jia->Expand();
    f.TreeViewa->SetSelected(yi);
    f.N21Click(); // the sub-category and every book opened under it
    EXPECT_FALSE(chuci(f)->Expanded());
    EXPECT_FALSE(jia->Expanded());
    EXPECT_FALSE(yi->Expanded());

    f.TreeViewa->SetSelected(f.TreeViewa->Root(3));
    f.N21Click(); // a root has no parent
    EXPECT_TRUE(f.TreeViewa->Root(3)->Expanded());
}

TEST_F(TreeCommandsTest, CopyNodePutsTheCaptionOfTheVisibleTreeOnTheClipboard) {
    TForm2 &f = form();
    f.TreeViewa->SetSelected(bookNode(f, "乙"));
    f.TreeViewb->SetSelected(f.TreeViewb->Root(0)); // hidden: not copied
    f.N86Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "乙");
    f.StaticText1Click();
    f.N86Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "结果书");
}

TEST_F(TreeCommandsTest, BrowseAllShowsTheCataloguePaneStoresItAndEndsTheMarking) {
    IniFile(settingsPath()).WriteString("Kelvaro", "隐藏目录", "1");
    TForm2 &f = form();
    ASSERT_TRUE(f.Panel4->isHidden());
    f.StaticText1Click();
    f.jiase = "之";
    f.action("N71")->trigger();
    EXPECT_FALSE(f.Panel4->isHidden());
    EXPECT_FALSE(f.action("N36")->isChecked());
    EXPECT_EQ(IniFile(settingsPath()).ReadString("Kelvaro", "隐藏目录", ""), "0");
    EXPECT_TRUE(f.TreeViewa->Visible());
    EXPECT_FALSE(f.TreeViewb->Visible());
    EXPECT_TRUE(f.jiase.isEmpty());

    IniFile(settingsPath()).WriteString("Kelvaro", "隐藏目录", "x");
    f.Label3Click(); // shown already: stays shown, the same value is stored
    EXPECT_FALSE(f.Panel4->isHidden());
    EXPECT_EQ(IniFile(settingsPath()).ReadString("Kelvaro", "隐藏目录", ""), "0");
}

TEST_F(TreeCommandsTest, SearchResultShowsTheOldResultsWithTheFirstNodeSelectedUnopened) {
    TForm2 &f = form();
    f.rc->SetText("阅读中");
    f.N71Click();
    f.action("N71")->trigger();
    f.StaticText1Click();
    EXPECT_TRUE(f.TreeViewb->Visible());
    EXPECT_FALSE(f.TreeViewa->Visible());
    ASSERT_EQ(f.TreeViewb->RootCount(), 1);
    EXPECT_EQ(f.TreeViewb->Selected(), f.TreeViewb->Root(0));
    EXPECT_EQ(f.TreeViewb->Root(0)->Text(), "结果书");
    EXPECT_EQ(f.rc->Text(), "阅读中");
}

TEST_F(TreeCommandsTest, ViewOriginalReopensTheNodeOfTheVisibleTree) {
    TForm2 &f = form();
    TTreeNode *jia = bookNode(f, "甲");
    jia->Expand();
    clickNode(f.TreeViewa, jia->Item(2));
    f.rc->SetText("轉換後的文字");
    f.action("N25")->trigger();
    EXPECT_EQ(f.rc->Text(), "第3卷正文");

    f.StaticText1Click(); // the result tree: its selected book's header
    f.rc->SetText("轉換後的文字");
    f.N25Click();
    EXPECT_EQ(f.rc->Text(), "结果书");

    f.TreeViewb->SetSelected(nullptr);
    f.rc->SetText("无所选");
    f.N25Click();
    EXPECT_EQ(f.rc->Text(), "无所选");
}

} // namespace
