#include "platform/richedit.h"
#include "platform/treeview.h"
#include "platform/widgets.h"
#include "support/fixture.h"

#include <QAction>
#include <QSplitter>
#include <QTimer>

namespace {

class StartupTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
    }
    void writeSetting(const QString &key, const QString &value) {
        IniFile(settingsPath()).WriteString("Kelvaro", key, value);
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(StartupTest, WithoutSettingsFileEveryDefaultHolds) {
    TForm2 &f = makeForm();
    EXPECT_FALSE(f.onlineedition);
    EXPECT_EQ(f.siteurl, config.productSite);
    EXPECT_EQ(f.curchapterid, 0);
    EXPECT_TRUE(f.jiase.isEmpty());
    EXPECT_TRUE(f.soci.isEmpty());
    EXPECT_TRUE(f.nofodao);
    EXPECT_FALSE(f.usekangxi);
    EXPECT_FALSE(f.applystyle);
    EXPECT_FALSE(f.firstshown);
    EXPECT_EQ(f.cidiantable, "ncidian");
    EXPECT_EQ(f.windowTitle(), "Kelvaro  (24亿字2万种图书28万卷)  V3.2");
    EXPECT_EQ(f.lwtxt->text(), "Kelvaro，24亿字2万种图书28万卷");
    EXPECT_TRUE(f.Timer1->isActive());
    EXPECT_EQ(f.Timer1->interval(), 20000);
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_FALSE(f.Timer3->isActive());
    EXPECT_EQ(f.ac1.SpecificOptions.value("EncryptionKey").size(), 17);
    EXPECT_EQ(f.ac4.SpecificOptions.value("EncryptionKey").size(), 15);
    EXPECT_EQ(f.ac2.Database, "kelva.dbx");
    EXPECT_EQ(f.ac4.Database, "kelva2.dbx");
    EXPECT_FALSE(f.mysqla.Connected());
    EXPECT_FALSE(QFile::exists(settingsPath())); // reading creates nothing
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartupTest, StoredSettingsHidePanesAndTickTheirItems) {
    writeSetting("隐藏字典", "1");
    writeSetting("隐藏目录", "1");
    writeSetting("不查佛道", "0");
    writeSetting("康熙字典", "1");
    writeSetting("最后检索", "春江花月夜");
    TForm2 &f = makeForm();
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_TRUE(f.Panel4->isHidden());
    EXPECT_TRUE(f.action("N35")->isChecked());
    EXPECT_TRUE(f.action("N36")->isChecked());
    EXPECT_FALSE(f.nofodao);
    EXPECT_FALSE(f.action("N78")->isChecked());
    EXPECT_TRUE(f.usekangxi);
    EXPECT_TRUE(f.action("N84")->isChecked());
    EXPECT_FALSE(f.action("N83")->isChecked());
    EXPECT_EQ(f.soci, "春江花月夜");
}

TEST_F(StartupTest, FirstShowPutsHelpAndWelcomeTextsOnceAndColoursThePassages) {
    TForm2 &f = makeForm();
    f.show();
    EXPECT_TRUE(f.firstshown);
    EXPECT_TRUE(f.applystyle);
    EXPECT_TRUE(f.jsedit->Text().startsWith("\n在左边框内双击某个字"));
    const QString shown = f.rc->Text();
    EXPECT_TRUE(shown.startsWith(
        "《Kelvaro》集成古典图书2万种28万卷约24亿字，数据库大小6.5G纯文字，费时五年"));
    EXPECT_FALSE(shown.contains("[[["));
    EXPECT_FALSE(shown.contains("]]]"));
    EXPECT_TRUE(shown.contains("官方网站： " + config.productSite));
    EXPECT_EQ(f.rc->SelStart(), 0);
    EXPECT_EQ(f.rc->SelLength(), 0);
    // The first passage is in the highlight colour, the text before it is not.
    QTextCursor c(f.rc->document());
    c.setPosition(shown.indexOf("2万种") + 1);
    EXPECT_EQ(c.charFormat().foreground().color(), TRichEdit::HighlightColor());
    c.setPosition(3);
    EXPECT_NE(c.charFormat().foreground().color(), TRichEdit::HighlightColor());

    f.rc->SetText("读者正在读的文字");
    f.hide();
    f.show(); // a second show resets nothing
    EXPECT_EQ(f.rc->Text(), "读者正在读的文字");
    EXPECT_FALSE(f.Timer2->isActive()); // the offline edition shows no splash
}

TEST_F(StartupTest, TheSplitterKeepsTheReaderWiderThanTheDictionaryPane) {
    TForm2 &f = makeForm();
    f.show();
    f.Splitter3->setSizes({f.Splitter3->width() - 60, 56});
    f.Splitter3Moved();
    EXPECT_GE(f.Panel5->width(), f.Panel2->width() + 50);
}

TEST_F(StartupTest, ToolWindowsAreCreatedHiddenWithTheirCaptions) {
    makeForm();
    ASSERT_NE(windows.Form3, nullptr);
    EXPECT_FALSE(windows.Form3->isVisible());
    EXPECT_EQ(windows.Form3->size(), QSize(271, 65));
    EXPECT_EQ(windows.ffjzh->windowTitle(), "繁简转换工具");
    EXPECT_EQ(windows.tts->windowTitle(), "《Kelvaro》朗读测试");
    EXPECT_EQ(windows.gjso->windowTitle(), "全文检索 (卷章节内容检索)");
    EXPECT_FALSE(windows.ffjzh->isVisible());
    EXPECT_FALSE(windows.tts->isVisible());
    EXPECT_FALSE(windows.gjso->isVisible());
}

TEST_F(StartupTest, AMissingCatalogueIsReportedAndStartUpGoesOn) {
    library.reset();
    QFile::remove("wxlb.dbx");
    TForm2 &f = makeForm();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("unable to open database file"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(f.TreeViewa->Visible());
    EXPECT_EQ(f.TreeViewa->ItemsCount(), 225);
}

} // namespace
