#include "catalogue/nodedata.h"
#include "platform/widgets.h"
#include "support/fixture.h"
#include "support/richtext.h"
#include "support/trees.h"

#include <QGroupBox>

namespace {

const QString kSep = QStringLiteral("　");
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kRed(255, 0, 0);

class ReaderTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
    }
    // Expands 集部 / 别集 and returns the book node captioned `title`.
    TTreeNode *book(TForm2 &f, const QString &title) {
        TTreeNode *sub = subcategoryNode(f, "集部", "别集");
        sub->Expand();
        return childNode(sub, title);
    }
    QString bookUrl(int id, const QString &zmf = {}) const {
        return config.productSite + "/roll/go.php?ver=3&f=" + QString::number(id) + zmf;
    }
    QString chapterUrl(int id, const QString &suffix = {}) const {
        return config.productSite + "/roll/go.php?ver=3&t=" + QString::number(id) + suffix;
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(ReaderTest, BookHeadersJoinTitleAuthorAndNote) {
    const struct {
        int id;
        QString a1, a2, a3, zmf, header;
    } cases[] = {
        {11, "甲", "丙", "乙", "", "甲　乙 [丙]"}, // title, U+3000, author, space, [note]
        {12, "甲", "", "", "", "甲"},              // no trailing space
        {13, "甲", "", "乙", "_x", "甲　乙"},
        {14, "甲", "丙", "", "", "甲 [丙]"},
        {15, "书名's", "", "", "", "书名's"},
    };
    for (const auto &c : cases)
        library->addBook({c.id, c.a1, c.a2, c.a3, "集部", "别集", 3, 0, c.zmf});
    TForm2 &f = makeForm();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        f.chazz(1, c.id);
        EXPECT_EQ(f.rc->Text(), c.header);
        EXPECT_EQ(f.GroupBox2->title(), c.header);
        EXPECT_EQ(f.lwtxt->text(), "联网:" + c.header);
        EXPECT_EQ(f.siteurl, bookUrl(c.id, c.zmf));
    }
    EXPECT_EQ(f.curchapterid, 0); // a header is no chapter
}

TEST_F(ReaderTest, AHeaderCanBeFoundThroughOneOfItsChaptersAndNothingShowsForUnknownIds) {
    library->addBook({21, "孤本", "", "某人", "集部", "别集", 1, 901, "_k"});
    library->addChapter(901, 21, "全卷", 1, "集部", "别集", "正文");
    TForm2 &f = makeForm();
    f.chazz(2, 901);
    EXPECT_EQ(f.rc->Text(), "孤本　某人");
    EXPECT_EQ(f.siteurl, bookUrl(21, "_k"));
    f.rc->SetText("原样");
    const QString url = f.siteurl;
    for (auto [n, id] : {std::pair{1, 0}, {1, -5}, {1, 999}, {2, 999}}) {
        f.chazz(n, id);
        EXPECT_EQ(f.rc->Text(), "原样");
        EXPECT_EQ(f.siteurl, url);
    }
}

TEST_F(ReaderTest, ClickingBooksAndChaptersSetsCaptionsLabelAndAddress) {
    library->addBook({31, "甲", "", "", "集部", "别集", 2, 0, ""});
    library->addChapter(41, 31, "卷一", 1, "集部", "别集", "卷一正文");
    library->addChapter(42, 31, "卷二", 1, "集部", "别集", "卷二正文");
    library->addBook({32, "单卷书", "注", "", "集部", "别集", 1, 43, ""});
    library->addChapter(43, 32, "单卷", 1, "集部", "别集", "单卷正文");
    library->exec("wxlb.dbx", "insert into zmf (id,z) values (41,'ab')");
    TForm2 &f = makeForm();
    EXPECT_EQ(f.lwtxt->fontColor(), QColor(0, 0, 255)); // blue until the first update

    TTreeNode *jia = book(f, "甲");
    clickNode(f.TreeViewa, jia);
    EXPECT_EQ(f.rc->Text(), "甲");
    EXPECT_EQ(f.lwtxt->fontColor(), kNavy);
    jia->Expand();
    clickNode(f.TreeViewa, childNode(jia, "卷一"));
    EXPECT_EQ(f.rc->Text(), "卷一正文");
    EXPECT_EQ(f.GroupBox2->title(), "甲" + kSep + "卷一");
    EXPECT_EQ(f.lwtxt->text(), "联网:甲" + kSep + "卷一");
    EXPECT_EQ(f.lwtxt->fontColor(), kMaroon);
    EXPECT_EQ(f.siteurl, chapterUrl(41, "_ab"));
    EXPECT_EQ(f.curchapterid, 41);

    // A one-chapter book: its header, then in the same click its text; the header stays the
    // caption, the address is the chapter's, and the label changed colour twice.
    clickNode(f.TreeViewa, book(f, "单卷书"));
    EXPECT_EQ(f.rc->Text(), "单卷正文");
    EXPECT_EQ(f.GroupBox2->title(), "单卷书 [注]");
    EXPECT_EQ(f.lwtxt->text(), "联网:单卷书 [注]");
    EXPECT_EQ(f.lwtxt->fontColor(), kMaroon);
    EXPECT_EQ(f.siteurl, chapterUrl(43));
    EXPECT_EQ(f.curchapterid, 43);

    // Sections, sub-categories and placeholders open nothing.
    clickNode(f.TreeViewa, f.TreeViewa->Root(0));
    clickNode(f.TreeViewa, subcategoryNode(f, "集部", "别集"));
    EXPECT_EQ(f.rc->Text(), "单卷正文");
    EXPECT_EQ(f.lwtxt->fontColor(), kMaroon);
}

TEST_F(ReaderTest, OfflineChaptersComeFromTheSecondTextDatabaseOnlyBelow810000AndEveryTwentieth) {
    const struct {
        int id;
        const char *wrongFile; // where a decoy with the same id lies
        QString wrongTable;
    } cases[] = {
        {40, "kelva.dbx", "wx3"},     // below 810000, multiple of 20: kelva2's wx
        {41, "kelva2.dbx", "wx"},     // the others through zjlist.fldb
        {810000, "kelva2.dbx", "wx"}, // multiple of 20, but not below 810000
        {810001, "kelva2.dbx", "wx"}, {799980, "kelva.dbx", "wx3"},
    };
    library->addBook({51, "边界", "", "", "集部", "别集", 5, 0, ""});
    library->addChapter(1, 51, "占位", 3, "集部", "别集", "占位"); // creates wx3
    for (const auto &c : cases) {
        library->addChapter(c.id, 51, QString::number(c.id), 3, "集部", "别集",
                            "正文" + QString::number(c.id));
        library->exec(c.wrongFile, QStringLiteral("insert into %1 (id,body) values (%2,'错的')")
                                       .arg(c.wrongTable)
                                       .arg(c.id));
    }
    TForm2 &f = makeForm();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        f.chanr(1, c.id);
        EXPECT_EQ(f.rc->Text(), "正文" + QString::number(c.id));
        EXPECT_EQ(f.curchapterid, c.id);
    }
    EXPECT_EQ(f.siteurl, chapterUrl(799980));
}

TEST_F(ReaderTest, ChapterAddressesHaveTheZmfSuffixOnlyUpTo810000) {
    library->exec("wxlb.dbx", "insert into zmf (id,z) values (40,'q'),(810000,'r'),(810001,'s')");
    TForm2 &f = makeForm();
    const std::pair<int, QString> cases[] = {{40, "_q"}, {41, ""}, {810000, "_r"}, {810001, ""}};
    for (const auto &[id, suffix] : cases) {
        SCOPED_TRACE(id);
        f.chazmf(id);
        EXPECT_EQ(f.siteurl, chapterUrl(id, suffix));
    }
}

TEST_F(ReaderTest, AMissingChapterChangesOnlyTheLabelAndTheAddress) {
    library->addBook({61, "乙", "", "", "集部", "别集", 2, 0, ""});
    library->addChapter(61001, 61, "有", 2, "集部", "别集", "有正文");
    library->addChapter(61002, 61, "无", 2, "集部", "别集"); // no body row
    TForm2 &f = makeForm();
    TTreeNode *yi = book(f, "乙");
    yi->Expand();
    clickNode(f.TreeViewa, childNode(yi, "有"));
    const QColor color = f.lwtxt->fontColor();
    clickNode(f.TreeViewa, childNode(yi, "无"));
    EXPECT_EQ(f.rc->Text(), "有正文");
    EXPECT_EQ(f.GroupBox2->title(), "乙" + kSep + "有");
    EXPECT_EQ(f.curchapterid, 61001);
    EXPECT_EQ(f.siteurl, chapterUrl(61002));
    EXPECT_NE(f.lwtxt->fontColor(), color);
    f.chanr(1, 0); // nothing at all for id 0
    EXPECT_EQ(f.siteurl, chapterUrl(61002));
}

TEST_F(ReaderTest, DatabaseErrorsEndTheClickSilently) {
    library->addBook({71, "丙", "", "", "集部", "别集", 2, 0, ""});
    library->addChapter(71001, 71, "一", 7, "集部", "别集", "一正文");
    library->addChapter(71002, 71, "二", 7, "集部", "别集", "二正文");
    TForm2 &f = makeForm();
    TTreeNode *bing = book(f, "丙");
    bing->Expand();
    clickNode(f.TreeViewa, childNode(bing, "一"));
    library->exec("kelva.dbx", "drop table wx7");
    clickNode(f.TreeViewa, childNode(bing, "二"));
    f.N25Click(); // reopening goes through the same silent click
    library->exec("wxlb.dbx", "drop table wxlb");
    clickNode(f.TreeViewa, bing);
    EXPECT_EQ(f.rc->Text(), "一正文");
    EXPECT_EQ(f.curchapterid, 71001);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ReaderTest, MarkedPassagesAreShownWithoutMarkersInTheHighlightColour) {
    library->addBook({81, "丁", "", "", "集部", "别集", 1, 81001, ""});
    library->addChapter(81001, 81, "卷", 1, "集部", "别集", "甲[[[乙丙]]]丁[[[]]]戊\r\n[[[未闭");
    TForm2 &f = makeForm();
    clickNode(f.TreeViewa, book(f, "丁"));
    EXPECT_EQ(f.rc->Text(), "甲乙丙丁戊\n[[[未闭");
    EXPECT_EQ(colorAt(*f.rc, 1), TRichEdit::HighlightColor());
    EXPECT_EQ(colorAt(*f.rc, 2), TRichEdit::HighlightColor());
    for (int pos : {0, 3, 4, 6, 9})
        EXPECT_EQ(colorAt(*f.rc, pos), f.rc->TextColor()) << pos;
    EXPECT_EQ(f.rc->SelStart(), 0);
    EXPECT_EQ(f.rc->SelLength(), 0);
}

TEST_F(ReaderTest, AfterAFullTextSearchEveryOccurrenceIsRedAndTheFirstSelected) {
    library->addBook({91, "论语", "", "", "儒部", "四书", 2, 0, ""}, "tmpwxlb");
    library->addChapter(91001, 91, "学而", 1, "儒部", "四书", QString(), "tmpzjlist");
    library->addChapter(
        91001, 91, "学而", 1, "儒部", "四书",
        "学而时习之，不亦说乎？\r\n有朋自远方来，不亦乐乎？[[[人不知]]]而不愠，不亦君子乎？之");
    library->addBook({92, "其他", "", "", "儒部", "四书", 1, 92001, ""});
    library->addChapter(92001, 92, "一", 1, "儒部", "四书", "无所标记之文");
    TForm2 &f = makeForm();
    f.show();
    f.jiase = "之";
    f.StaticText1Click();
    TTreeNode *result = f.TreeViewb->Root(0);
    result->Expand();
    clickNode(f.TreeViewb, result->Item(0));
    const QString text = f.rc->Text();
    ASSERT_EQ(text.count("之"), 2);
    const int first = int(text.indexOf("之")), last = int(text.lastIndexOf("之"));
    for (int pos : {first, last}) {
        EXPECT_EQ(colorAt(*f.rc, pos), kRed) << pos;
        EXPECT_EQ(sizeAt(*f.rc, pos), 16) << pos;
    }
    EXPECT_EQ(colorAt(*f.rc, first + 1), f.rc->TextColor());
    EXPECT_EQ(colorAt(*f.rc, int(text.indexOf("人不知"))), TRichEdit::HighlightColor());
    EXPECT_EQ(f.rc->SelStart(), first);
    EXPECT_EQ(f.rc->SelLength(), 1);
    EXPECT_EQ(f.GroupBox2->title(), "论语" + kSep + "学而");
    EXPECT_EQ(f.focusWidget(), f.TreeViewb); // the keyboard stays with the result tree

    // After "浏览全部" no marking: the next chapter shows no trace of the red marks.
    f.N71Click();
    f.chanr(1, 92001);
    EXPECT_EQ(f.rc->Text(), "无所标记之文");
    for (int pos = 0; pos < f.rc->TextLength(); ++pos) {
        EXPECT_EQ(colorAt(*f.rc, pos), f.rc->TextColor()) << pos;
        EXPECT_EQ(sizeAt(*f.rc, pos), f.rc->DefaultFont().pointSizeF()) << pos;
    }
}

TEST_F(ReaderTest, RedMarkingFindsWithoutCaseAndPutsInTheReplacement) {
    TForm2 &f = makeForm();
    const struct {
        QString text, search, replacement, shown;
        std::vector<int> red; // where each red replacement starts
    } cases[] = {
        {"之乎之之", "之", "之", "之乎之之", {0, 2, 3}},
        {"Kelvaro kelvaro", "KELVARO", "KELVARO", "KELVARO KELVARO", {0, 8}},
        {"aaaa", "aa", "b", "bb", {0, 1}},
        {"甲乙甲", "甲", "丙丁", "丙丁乙丙丁", {0, 3}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        f.rc->SetText(c.text);
        f.RearchAndReplace(c.search, c.replacement);
        EXPECT_EQ(f.rc->Text(), c.shown);
        for (int pos = 0; pos < f.rc->TextLength(); ++pos) {
            const bool red = std::any_of(c.red.begin(), c.red.end(), [&](int start) {
                return pos >= start && pos < start + c.replacement.size();
            });
            EXPECT_EQ(colorAt(*f.rc, pos) == kRed, red) << pos;
        }
        EXPECT_EQ(f.rc->SelStart(), c.red.front());
        EXPECT_EQ(f.rc->SelLength(), c.replacement.size());
    }
    f.rc->SetText("无此字");
    f.rc->Select(1, 1);
    f.RearchAndReplace("之", "之"); // nothing found: nothing coloured, the selection stays
    EXPECT_EQ(colorAt(*f.rc, 0), f.rc->TextColor());
    EXPECT_EQ(f.rc->SelStart(), 1);
    EXPECT_EQ(f.rc->SelLength(), 1);
}

} // namespace
