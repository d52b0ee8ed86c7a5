#include "app/colors.h"
#include "platform/fonts.h"
#include "support/fixture.h"
#include "support/richtext.h"
#include "support/trees.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QSplitter>

namespace {

const QColor kRed(255, 0, 0);

class PreferencesTest : public KelvaroTest {
  protected:
    void SetUp() override {
        KelvaroTest::SetUp();
        library = std::make_unique<TestLibrary>();
        library->addBook({11, "诗集甲", "", "", "集部", "别集", 1, 1001, ""});
        library->addChapter(1001, 11, "全卷", 1, "集部", "别集", "床前明月光，疑是地上霜。");
    }
    void writeSetting(const QString &key, const QString &value) {
        IniFile(settingsPath()).WriteString("Kelvaro", key, value);
    }
    QString setting(const QString &key) const {
        return IniFile(settingsPath()).ReadString("Kelvaro", key, "<none>");
    }
    // The form shown with its welcome text, then the first real chapter opened.
    TForm2 &formWithChapter() {
        TForm2 &f = makeForm();
        f.show();
        TTreeNode *sub = subcategoryNode(f, "集部", "别集");
        sub->Expand();
        clickNode(f.TreeViewa, sub->Item(0));
        return f;
    }
    std::unique_ptr<TestLibrary> library;
};

TEST_F(PreferencesTest, WithoutSettingsTheFirstChapterShowsTheDefaults) {
    TForm2 &f = makeForm();
    f.show();
    EXPECT_TRUE(f.applystyle); // the welcome text carries the website's address
    EXPECT_EQ(f.rc->DefaultFont().pixelSize(), 13);
    TTreeNode *sub = subcategoryNode(f, "集部", "别集");
    sub->Expand();
    clickNode(f.TreeViewa, sub->Item(0));
    EXPECT_FALSE(f.applystyle);

    const QString family = f.rc->DefaultFont().family();
    EXPECT_EQ(family, resolveFontFamily("Microsoft JhengHei"));
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::TraditionalChinese));
    EXPECT_EQ(f.rc->DefaultFont().pointSize(), 14);
    EXPECT_FALSE(f.rc->DefaultFont().bold());
    EXPECT_EQ(f.rc->TextColor(), systemColor(kWindowText));
    EXPECT_EQ(f.rc->BackgroundColor(), QColor(Qt::white));
    EXPECT_EQ(paintedBackground(*f.rc), QColor(Qt::white));
    EXPECT_EQ(f.FontDialog1.font.family(), family);
    EXPECT_EQ(f.FontDialog1.font.pointSize(), 14);
    EXPECT_EQ(f.FontDialog1.color, systemColor(kWindowText));
    EXPECT_FALSE(QFile::exists(settingsPath())); // reading writes nothing
}

TEST_F(PreferencesTest, SavedPreferencesAreAppliedOnceAndSurviveTheNextChapters) {
    const QString family = QStringLiteral("Noto Serif CJK SC");
    writeSetting("文字大小", "20");
    writeSetting("文字颜色", "32768"); // 0x008000: green
    writeSetting("文字字体", family);
    writeSetting("文字样式", ",fsItalic,fsBold"); // the order of the pieces does not matter
    writeSetting("背景颜色", "255");              // 0x0000FF: red
    TForm2 &f = formWithChapter();
    const auto check = [&] {
        EXPECT_EQ(f.rc->DefaultFont().family(), family);
        EXPECT_EQ(f.rc->DefaultFont().pointSize(), 20);
        EXPECT_TRUE(f.rc->DefaultFont().bold());
        EXPECT_TRUE(f.rc->DefaultFont().italic());
        EXPECT_FALSE(f.rc->DefaultFont().underline());
        EXPECT_EQ(f.rc->TextColor(), QColor(0, 128, 0));
        EXPECT_EQ(f.rc->BackgroundColor(), kRed);
        EXPECT_EQ(paintedBackground(*f.rc), kRed);
    };
    check();
    EXPECT_EQ(f.FontDialog1.font.family(), family);
    EXPECT_TRUE(f.FontDialog1.font.italic());
    EXPECT_EQ(f.FontDialog1.color, QColor(0, 128, 0));

    // Applied once per run: later changes of the file are not read, the next chapter keeps
    // the look.
    writeSetting("文字大小", "9");
    f.N25Click();
    f.chazz(1, 11);
    check();
}

TEST_F(PreferencesTest, StyleTextsAreReadPieceByPiece) {
    const struct {
        const char *style;
        bool bold, italic, underline, strike;
    } cases[] = {
        {"", false, false, false, false},
        {",fsBold", true, false, false, false},
        {",fsUnderline,fsStrikeOut", false, false, true, true},
        {"fsStrikeOut,fsItalic", false, true, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.style);
        writeSetting("文字样式", c.style);
        TForm2 &f = formWithChapter();
        const QFont font = f.rc->DefaultFont();
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_EQ(font.italic(), c.italic);
        EXPECT_EQ(font.underline(), c.underline);
        EXPECT_EQ(font.strikeOut(), c.strike);
        windows = {};
    }
}

TEST_F(PreferencesTest, AMissingFontGivesWayToAnInstalledChineseFont) {
    writeSetting("文字字体", "No Such Font 字体");
    TForm2 &f = formWithChapter();
    const QString family = f.rc->DefaultFont().family();
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese));
}

TEST_F(PreferencesTest, TextsWithTheWebsiteDomainWaitForTheFirstRealText) {
    writeSetting("文字大小", "22");
    TForm2 &f = makeForm();
    f.show();
    f.rc->SetText("请访问 " + config.productDomain() + " 获取更多");
    EXPECT_TRUE(f.applystyle);
    EXPECT_NE(f.rc->DefaultFont().pointSize(), 22);
    f.chazz(1, 11);
    EXPECT_FALSE(f.applystyle);
    EXPECT_EQ(f.rc->DefaultFont().pointSize(), 22);
}

QStringList settingsLines(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove('\r');
    return text.split('\n', Qt::SkipEmptyParts);
}

TEST_F(PreferencesTest, FontCommandStoresTheFourKeysInOrderAndShowsTheContentAgain) {
    TForm2 &f = formWithChapter();
    QFont chosen("Noto Serif CJK SC");
    chosen.setPointSize(18);
    chosen.setBold(true);
    chosen.setUnderline(true);
    dialogs.fontAnswers.push_back(FontChoice{chosen, QColor(0, 0, 255)});
    f.rc->SetText("转换后的文字"); // "查看原文" shows the stored text again
    f.action("N33")->trigger();

    ASSERT_EQ(dialogs.fontDialogs, 1);
    EXPECT_EQ(dialogs.lastFontInitial->font.pointSize(), 14); // opened with the saved choice
    EXPECT_EQ(settingsLines(settingsPath()).join(" | ").toStdString(),
              "[Kelvaro] | 文字颜色=16711680 | 文字字体=Noto Serif CJK SC | 文字大小=18 | "
              "文字样式=,fsBold,fsUnderline");
    EXPECT_EQ(f.rc->Text(), "床前明月光，疑是地上霜。");
    EXPECT_EQ(f.rc->DefaultFont().family(), "Noto Serif CJK SC");
    EXPECT_EQ(f.rc->DefaultFont().pointSize(), 18);
    EXPECT_TRUE(f.rc->DefaultFont().underline());
    EXPECT_EQ(f.rc->TextColor(), QColor(0, 0, 255));
    EXPECT_EQ(f.FontDialog1.font.pointSize(), 18);
}

TEST_F(PreferencesTest, AnUnchangedSystemColourStaysASystemColourAndCancelChangesNothing) {
    TForm2 &f = formWithChapter();
    FontChoice same = f.FontDialog1;
    same.font.setPointSize(16);
    dialogs.fontAnswers.push_back(same);
    f.N33Click();
    EXPECT_EQ(setting("文字颜色"), "-16777208");
    EXPECT_EQ(setting("文字样式"), "");
    EXPECT_EQ(setting("文字大小"), "16");

    dialogs.fontAnswers.push_back(std::nullopt);
    f.rc->SetText("不变");
    f.N33Click();
    EXPECT_EQ(f.rc->Text(), "不变"); // nothing reloaded either
    EXPECT_EQ(f.rc->DefaultFont().pointSize(), 16);
    EXPECT_EQ(setting("文字大小"), "16");
}

TEST_F(PreferencesTest, BackgroundCommandPaintsAndStoresTheColour) {
    TForm2 &f = formWithChapter();
    dialogs.colorAnswers.push_back(QColor(0x12, 0x34, 0x56));
    f.action("N37")->trigger();
    EXPECT_EQ(setting("背景颜色"), QString::number(0x563412));
    EXPECT_EQ(paintedBackground(*f.rc), QColor(0x12, 0x34, 0x56));
    f.rc->SetText("下一章");
    EXPECT_EQ(paintedBackground(*f.rc), QColor(0x12, 0x34, 0x56));

    dialogs.colorAnswers.push_back(std::nullopt);
    f.N37Click();
    EXPECT_EQ(dialogs.colorDialogs, 2);
    EXPECT_EQ(setting("背景颜色"), QString::number(0x563412));
    EXPECT_EQ(f.rc->BackgroundColor(), QColor(0x12, 0x34, 0x56));
}

TEST_F(PreferencesTest, FontNoteTellsAndOpensTheFontPage) {
    TForm2 &f = makeForm();
    f.action("N76")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.messages[0].text,
              "软件正文默认字体为：【微软正黑体】。\r\n\r\n如果系统无此字体的话，请手动下载安装。");
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(shell.opened[0].verb, "Open");
    EXPECT_EQ(shell.opened[0].target, config.productSite + "/roll/go2.php?f=fonts");
}

TEST_F(PreferencesTest, RestoringDefaultsAsksThenDeletesTheFileAndStartsANewInstance) {
    writeSetting("文字大小", "20");
    TForm2 &f = makeForm();
    f.action("N75")->trigger(); // answered No
    ASSERT_EQ(dialogs.confirmations, QStringList({"确定要将所有设置恢复到默认状态？　"}));
    EXPECT_TRUE(QFile::exists(settingsPath()));
    EXPECT_TRUE(shell.started.isEmpty());

    dialogs.confirmAnswers.push_back(true);
    f.N75Click();
    EXPECT_FALSE(QFile::exists(settingsPath()));
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].target, QCoreApplication::applicationFilePath());
    EXPECT_TRUE(shell.started[0].arguments.isEmpty());

    dialogs.confirmAnswers.push_back(true);
    f.N75Click(); // no file any more: the new instance is started all the same
    EXPECT_EQ(shell.started.size(), 2);
}

TEST_F(PreferencesTest, HidingTheDictionaryTwiceShowsItAgainRightOfItsSplitter) {
    TForm2 &f = makeForm();
    f.show();
    f.N35Click();
    EXPECT_TRUE(f.Panel2->isHidden());
    EXPECT_EQ(setting("隐藏字典"), "1");
    f.N35Click();
    EXPECT_FALSE(f.Panel2->isHidden());
    EXPECT_EQ(setting("隐藏字典"), "0");
    EXPECT_EQ(f.Splitter1->indexOf(f.Panel2), 1);
    EXPECT_FALSE(f.action("N35")->isChecked());
}

} // namespace
