// The online chapter load: the cache file in "data", the server's tables, the failure text.
#include "catalogue/nodedata.h"
#include "platform/richedit.h"
#include "platform/widgets.h"
#include "support/fixture.h"
#include "support/mariadb_server.h"
#include "support/ports.h"
#include "support/richtext.h"
#include "support/trees.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>

namespace {

const QColor kBlue(0, 0, 200);

class OnlineReaderTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
        library->addBook({81, "联网书", "", "", "集部", "别集", 2, 0, ""});
        library->addChapter(810000, 81, "上卷", 5, "集部", "别集");
        library->addChapter(810001, 81, "下卷", 5, "集部", "别集");
        library->addBook({82, "结果", "", "", "集部", "别集", 2, 0, ""}, "tmpwxlb");
        library->addChapter(810001, 82, "下卷", 5, "集部", "别集", QString(), "tmpzjlist");
    }
    // The online edition with a server that cannot be reached: any query fails.
    TForm2 &onlineForm() {
        config.serverHost = QStringLiteral("127.0.0.1");
        config.serverPort = closed.port();
        return makeForm(true);
    }
    TTreeNode *chapterNode(TForm2 &f, const QString &title) {
        TTreeNode *sub = subcategoryNode(f, "集部", "别集");
        sub->Expand();
        TTreeNode *book = childNode(sub, "联网书");
        book->Expand();
        return childNode(book, title);
    }
    // Writes the cache file of `id` as the reader saves it: `text` with `passage` in blue.
    void writeCache(int id, const QString &text, std::pair<int, int> passage) {
        TRichEdit pane;
        pane.SetText(text);
        pane.ColorRanges({passage}, kBlue);
        QDir().mkpath("data");
        pane.SaveToFile(QStringLiteral("data/%1.dbx").arg(id));
    }
    QString failureText() const {
        return "\n  网络故障：无法连接服务器，建议下载离线版Kelvaro！\n\n  请到官方网站 ( " +
               config.productHost() +
               " ) 下载离线版。\n\n  或者点击左侧列表重新尝试连接服务器。\n\n  "
               "或点击左下角进行联网查看：";
    }
    std::unique_ptr<TestLibrary> library;
    const ClosedPort closed;
};

TEST_F(OnlineReaderTest, ACachedChapterOpensFromItsFileWithoutAskingTheServer) {
    writeCache(810001, "缓存的下卷\r\n第二行", {2, 3});
    TForm2 &f = onlineForm();
    clickNode(f.TreeViewa, chapterNode(f, "下卷"));
    EXPECT_EQ(f.rc->Text(), "缓存的下卷\n第二行"); // a query would have failed
    EXPECT_EQ(colorAt(*f.rc, 2), kBlue);
    EXPECT_EQ(colorAt(*f.rc, 4), kBlue);
    EXPECT_EQ(colorAt(*f.rc, 1), f.rc->TextColor());
    EXPECT_EQ(f.curchapterid, 810001);
    EXPECT_EQ(f.GroupBox2->title(), "联网书　下卷");
    EXPECT_EQ(f.lwtxt->text(), "联网:联网书　下卷");
    EXPECT_EQ(f.siteurl, config.productSite + "/roll/go.php?ver=3&t=810001");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(OnlineReaderTest, AFailedFetchTellsSoInTheReaderWithTheSelectedResultNode) {
    ASSERT_NE(closed.port(), 0);
    TForm2 &f = onlineForm();
    writeCache(810000, "上卷", {0, 1});
    clickNode(f.TreeViewa, chapterNode(f, "上卷"));
    ASSERT_EQ(f.curchapterid, 810000);

    f.StaticText1Click();
    TTreeNode *result = f.TreeViewb->Root(0);
    result->Expand();
    clickNode(f.TreeViewb, result->Item(0));
    EXPECT_EQ(f.rc->Text(), failureText() + "下卷");
    EXPECT_EQ(f.curchapterid, 810000); // no row was read
    EXPECT_EQ(f.GroupBox2->title(), "结果　下卷");
    EXPECT_FALSE(QFile::exists("data/810001.dbx")); // nothing cached
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The failure text carries the website's address: it does not take the preferences.
    TForm2 &g = onlineForm();
    g.applystyle = true; // as after the first show
    g.TreeViewa->SetSelected(nullptr);
    g.chanrlw(1, 810001); // nothing selected: nothing appended
    EXPECT_EQ(g.rc->Text().toStdString(), failureText().toStdString());
    EXPECT_TRUE(g.applystyle);
}

TEST_F(OnlineReaderTest, AnUnreadableCacheFileIsFetchedAgain) {
    QDir().mkpath("data");
    QFile bad("data/810001.dbx");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("half a file");
    bad.close();
    TForm2 &f = onlineForm();
    f.chanrlw(1, 810001);
    EXPECT_EQ(f.rc->Text(), failureText()); // the server was asked
    EXPECT_EQ(f.curchapterid, 0);
}

TEST_F(OnlineReaderTest, TheEmptyResultNodeStillLooksForChapterZero) {
    library->exec("wxlb.dbx", "delete from tmpwxlb; delete from tmpzjlist");
    TForm2 &f = onlineForm();
    f.StaticText1Click();
    clickNode(f.TreeViewb, f.TreeViewb->Root(0)); // "无检索结果..."
    EXPECT_EQ(f.siteurl, config.productSite + "/roll/go.php?ver=3&t=0");
    EXPECT_EQ(f.rc->Text(), failureText() + "无检索结果...");
    EXPECT_EQ(f.curchapterid, 0);
}

// ---- against the real server ----

class ServerReaderTest : public OnlineReaderTest {
  protected:
    void SetUp() override {
        OnlineReaderTest::SetUp();
        server = &MariaDbServer::shared();
        server->prepareProgramDatabase(config);
        server->exec("DELETE FROM wxhao; DELETE FROM wx5", config.serverDatabase());
        config = server->configuration(config);
    }
    void serverRow(const QString &table, int id, const QString &body) {
        server->exec(QStringLiteral("REPLACE INTO %1 (id, body) VALUES (%2, '%3')")
                         .arg(table)
                         .arg(id)
                         .arg(QString(body).replace("'", "''")),
                     config.serverDatabase());
    }
    // What the reader shows, character by character.
    struct Look {
        QString text;
        std::vector<std::tuple<QRgb, double, QString>> chars;
        bool operator==(const Look &) const = default;
    };
    static Look look(const TRichEdit &rc) {
        Look l{rc.Text(), {}};
        for (int i = 0; i < rc.TextLength(); ++i)
            l.chars.emplace_back(colorAt(rc, i).rgb(), sizeAt(rc, i), familyAt(rc, i));
        return l;
    }
    MariaDbServer *server = nullptr;
};

TEST_F(ServerReaderTest, ChaptersUpTo810000ComeFromWxhaoTheOthersFromWx5) {
    serverRow("wxhao", 810000, "上卷正文");
    serverRow("wx5", 810000, "错的");
    serverRow("wx5", 810001, "下卷正文");
    serverRow("wxhao", 810001, "错的");
    library->exec("wxlb.dbx", "insert into zmf (id,z) values (810000,'r'),(810001,'s')");
    TForm2 &f = makeForm(true);
    clickNode(f.TreeViewa, chapterNode(f, "上卷"));
    EXPECT_EQ(f.rc->Text(), "上卷正文");
    EXPECT_EQ(f.curchapterid, 810000);
    EXPECT_EQ(f.siteurl, config.productSite + "/roll/go.php?ver=3&t=810000_r");
    clickNode(f.TreeViewa, chapterNode(f, "下卷"));
    EXPECT_EQ(f.rc->Text(), "下卷正文");
    EXPECT_EQ(f.curchapterid, 810001);
    EXPECT_EQ(f.siteurl, config.productSite + "/roll/go.php?ver=3&t=810001");
    EXPECT_EQ(f.GroupBox2->title(), "联网书　下卷");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ServerReaderTest, AFetchedChapterIsCachedAndOpensLaterExactlyAsFetchedWithoutTheServer) {
    serverRow("wx5", 810001, "甲[[[乙丙]]]丁\r\n𠀀之[[[戊]]]");
    ASSERT_FALSE(QFileInfo::exists("data"));
    TForm2 &f = makeForm(true);
    f.jiase = "之";      // the online edition never marks in red
    f.applystyle = true; // as after the first show: the first text takes the preferences
    clickNode(f.TreeViewa, chapterNode(f, "下卷"));
    ASSERT_EQ(f.rc->Text(), "甲乙丙丁\n𠀀之戊");
    EXPECT_EQ(colorAt(*f.rc, 1), TRichEdit::HighlightColor());
    EXPECT_EQ(colorAt(*f.rc, 8), TRichEdit::HighlightColor());
    EXPECT_EQ(colorAt(*f.rc, 7), f.rc->TextColor()); // 之 stays as it is
    EXPECT_EQ(sizeAt(*f.rc, 7), 14);
    ASSERT_TRUE(QFileInfo::exists("data/810001.dbx")); // the folder is made when missing
    const Look fetched = look(*f.rc);

    // The server has lost the row and cannot be reached: the file is all there is.
    server->exec("DELETE FROM wx5", config.serverDatabase());
    f.mysqla.Disconnect();
    f.mysqla.Port = closed.port();
    f.rc->SetText("别的");
    clickNode(f.TreeViewa, chapterNode(f, "下卷"));
    EXPECT_EQ(look(*f.rc), fetched);
    EXPECT_EQ(f.curchapterid, 810001);

    // The same file serves the result tree.
    f.rc->SetText("别的");
    f.StaticText1Click();
    TTreeNode *result = f.TreeViewb->Root(0);
    result->Expand();
    clickNode(f.TreeViewb, result->Item(0));
    EXPECT_EQ(look(*f.rc), fetched);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ServerReaderTest, ACacheThatCannotBeWrittenCostsOnlyTheCaching) {
    QFile blocker("data"); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    serverRow("wxhao", 810000, "第一次");
    TForm2 &f = makeForm(true);
    clickNode(f.TreeViewa, chapterNode(f, "上卷"));
    EXPECT_EQ(f.rc->Text(), "第一次");
    EXPECT_EQ(f.curchapterid, 810000);
    serverRow("wxhao", 810000, "第二次");
    clickNode(f.TreeViewa, chapterNode(f, "上卷"));
    EXPECT_EQ(f.rc->Text(), "第二次"); // fetched again
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ServerReaderTest, AMissingRowLeavesTheReaderAsItWasAndCachesNothing) {
    TForm2 &f = makeForm(true);
    f.rc->SetText("原来的");
    clickNode(f.TreeViewa, chapterNode(f, "上卷"));
    EXPECT_EQ(f.rc->Text(), "原来的");
    EXPECT_EQ(f.curchapterid, 0);
    EXPECT_EQ(f.GroupBox2->title(), "联网书　上卷"); // set before the fetch
    EXPECT_FALSE(QFileInfo::exists("data/810000.dbx"));
}

} // namespace
