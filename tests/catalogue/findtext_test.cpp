#include "platform/finddialog.h"
#include "platform/richedit.h"
#include "support/fixture.h"
#include "support/richtext.h"
#include "support/trees.h"

#include <QAction>
#include <QPushButton>

namespace {

const QColor kRed(255, 0, 0);

class FindTextTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
        library->addBook({11, "诗", "", "", "诗部", "诗集", 1, 1101, ""});
        library->addChapter(
            1101, 11, "卷", 1, "诗部", "诗集",
            "明月几时有，把酒问青天。\r\n不知天上宫阙，今夕是何年。\r\n千里共婵娟，天涯共此时。");
    }
    TForm2 &form() {
        TForm2 &f = makeForm();
        f.show();
        TTreeNode *sub = subcategoryNode(f, "诗部", "诗集");
        sub->Expand();
        clickNode(f.TreeViewa, sub->Item(0));
        return f;
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(FindTextTest, TheDialogProposesTheSelectionOrElseTheLastSearch) {
    TForm2 &f = form();
    f.action("N54")->trigger();
    ASSERT_NE(f.FindDialog1, nullptr);
    EXPECT_TRUE(f.FindDialog1->isVisible());
    EXPECT_FALSE(f.FindDialog1->isModal());
    EXPECT_EQ(f.FindDialog1->FindText(), ""); // no search made yet
    EXPECT_FALSE(f.FindDialog1->findNextButton()->isEnabled());
    EXPECT_TRUE(f.FindDialog1->Down());

    f.soci = "青天";
    f.action("N14")->trigger();
    EXPECT_EQ(f.FindDialog1->FindText(), "青天");
    f.rc->Select(0, 2);
    f.N54Click();
    EXPECT_EQ(f.FindDialog1->FindText(), "明月");
    EXPECT_TRUE(f.FindDialog1->findNextButton()->isEnabled());
}

TEST_F(FindTextTest, FindNextWalksThroughTheOccurrencesReddeningEachThenSaysItIsDone) {
    TForm2 &f = form();
    f.soci = "天";
    f.N54Click();
    const QString text = f.rc->Text();
    ASSERT_EQ(text.count("天"), 3);
    const int expected[] = {int(text.indexOf("青天")) + 1, int(text.indexOf("天上")),
                            int(text.indexOf("天涯"))};
    const int third = expected[2];
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        f.FindDialog1->findNextButton()->click();
        EXPECT_EQ(f.rc->SelStart(), expected[step]);
        EXPECT_EQ(f.rc->SelLength(), 1);
        EXPECT_EQ(f.focusWidget(), f.rc);
    }
    for (int pos : expected)
        EXPECT_EQ(colorAt(*f.rc, pos), kRed) << pos; // all stay red
    EXPECT_EQ(colorAt(*f.rc, expected[0] + 1), f.rc->TextColor());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    f.FindDialog1->findNextButton()->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.messages[0].text, "没有找到【天】 或 查找结束");
    EXPECT_FALSE(f.FindDialog1->isVisible());
    EXPECT_EQ(f.rc->SelStart(), third + 1); // the caret after the third occurrence
    EXPECT_EQ(f.rc->SelLength(), 0);

    // Reopening the chapter removes the marks.
    f.N25Click();
    for (int pos = 0; pos < f.rc->TextLength(); ++pos)
        EXPECT_EQ(colorAt(*f.rc, pos), f.rc->TextColor()) << pos;
}

TEST_F(FindTextTest, SearchesMatchCaseAndOnlyGoForwardFromTheSelection) {
    TForm2 &f = form();
    f.rc->SetText("Moon river, moon light, MOON.");
    f.N54Click();
    f.FindDialog1->SetFindText("moon");
    f.rc->Select(0, 0);
    f.FindDialog1Find();
    EXPECT_EQ(f.rc->SelStart(), 12); // "Moon" and "MOON" differ in case
    f.FindDialog1Find();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(f.rc->SelStart(), 16);

    f.N54Click();
    f.FindDialog1->SetFindText("river");
    f.rc->Select(20, 0); // after the only occurrence: not found until the caret moves back
    f.FindDialog1Find();
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, "没有找到【river】 或 查找结束");
    f.rc->Select(1, 0);
    f.N54Click();
    f.FindDialog1->SetFindText("river");
    f.FindDialog1Find();
    EXPECT_EQ(f.rc->SelStart(), 5);
    EXPECT_EQ(colorAt(*f.rc, 5), kRed);
}

} // namespace
