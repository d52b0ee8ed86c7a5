#include "dictionary/dictionary_fixture.h"

#include <QApplication>
#include <QTextBlock>

using namespace dictionary;

namespace {

class CharLookupTest : public DictionaryTest {};

TEST_F(CharLookupTest, ChaziShowsTheModernOrTheKangxiForm) {
    const QString old = kOld;
    const QString kx = QStringLiteral("\r\n\r\n");
    struct Case {
        const char *name;
        bool kangxi;
        QString zi;
        QString pane;
    } cases[] = {
        {"modern with a detailed explanation", false, "之", modernEntry(zhi)},
        {"modern, blank detailed explanation", false, "乎", modernEntry(hu)},
        {"modern, detailed explanation with leading spaces", false, "也", modernEntry(ye)},
        {"modern, beyond the BMP", false, "\U00020000", modernEntry(extB)},
        {"modern, no character row", false, "兮", old},
        {"modern, a run of characters", false, "之乎", old},
        {"Kangxi", true, "之", shortEntry(zhi) + kx + kangxiEntry(kxZhi)},
        {"Kangxi without pinyin and Unicode", true, "乎", shortEntry(hu) + kx + kangxiEntry(kxHu)},
        {"Kangxi, no Kangxi row", true, "也", shortEntry(ye)},
        {"Kangxi appended after a missing character row", true, "兮", old + kx + kangxiEntry(kxXi)},
        {"Kangxi, in neither table", true, "无", old},
    };
    TForm2 &f = form();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        f.jsedit->SetText(old);
        f.usekangxi = c.kangxi;
        f.chazi(c.zi);
        EXPECT_EQ(f.jsedit->Text(), shown(c.pane));
    }
    // The exact texts of both forms, once, with their labels.
    f.usekangxi = false;
    f.chazi("乎");
    EXPECT_EQ(f.jsedit->Text(),
              QString::fromUtf8("乎\u3000hū\n部首\uFF1A丿\n笔画数\uFF1A5\n語之餘也。\n\n"
                                "==新华字典解释==\n\n①助词。"));
    f.usekangxi = true;
    f.chazi("之");
    EXPECT_EQ(f.jsedit->Text(),
              QString::fromUtf8("之\u3000zhī\n部首\uFF1A丿\n笔画数\uFF1A3\n往也。\n\n"
                                "==康熙字典解释==\n\n之\n\u3010拼音\u3011: zhī\n"
                                "\u3010Unicode\u3011: U+4E4B\n《唐韻》止而切\n又往也。"));
}

TEST_F(CharLookupTest, TheKangxiConnectionOpensOnDemandAndStaysOpenAfterChazi) {
    TForm2 &f = form();
    f.chazi("之");
    EXPECT_FALSE(f.acc.Connected()); // the modern form never reads the Kangxi dictionary
    f.usekangxi = true;
    f.chazi("之");
    EXPECT_TRUE(f.acc.Connected());
}

TEST_F(CharLookupTest, DatabaseErrorsReachTheErrorReport) {
    TForm2 &f = form();
    library->exec("wxlb.dbx", "drop table zizi");
    dialogs.inputAnswers = {QStringLiteral("之")};
    f.action("N11")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(f.jsedit->Text(), kOld);
    EXPECT_THROW(f.chazi("之"), DbError);
}

// ---- double-click in the pane ----

TEST_F(CharLookupTest, DoubleClickLooksUpTheWholeTrimmedSelection) {
    TForm2 &f = form();
    f.jsedit->SetText("甲\n 之\t\n乙之乎");
    f.jsedit->Select(1, 4); // line break, space, 之, tab
    f.jseditDblClick();
    EXPECT_EQ(f.jsedit->Text(), shown(modernEntry(zhi)));

    f.jsedit->SetText("乙之乎");
    f.jsedit->Select(1, 2); // 之乎: passed whole, so nothing matches
    f.jseditDblClick();
    EXPECT_EQ(f.jsedit->Text(), "乙之乎");

    f.jsedit->Select(1, 0);
    f.jseditDblClick();
    EXPECT_EQ(f.jsedit->Text(), "乙之乎");
}

// The middle of the character at `position` of the pane, in viewport coordinates.
QPoint pointAt(TMemo &memo, int position, int length = 1) {
    QTextCursor c(memo.document());
    c.setPosition(position);
    const QRect left = memo.cursorRect(c);
    c.setPosition(position + length);
    const QRect right = memo.cursorRect(c);
    return QPoint((left.left() + right.left()) / 2, left.center().y());
}

void sendMouse(QWidget *viewport, QEvent::Type type, const QPoint &at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// Press, release, double-click and, unless the button stays down, release.
void doubleClick(QWidget *viewport, const QPoint &at, bool release = true) {
    sendMouse(viewport, QEvent::MouseButtonPress, at);
    sendMouse(viewport, QEvent::MouseButtonRelease, at);
    sendMouse(viewport, QEvent::MouseButtonDblClick, at);
    if (release) sendMouse(viewport, QEvent::MouseButtonRelease, at);
}

TEST(TMemoTest, DoubleClickSelectsOneChineseCharacterAndWholeWordsOtherwise) {
    TMemo memo;
    memo.setReadOnly(true);
    memo.resize(400, 200);
    memo.show();
    memo.SetText(QString::fromUtf8("学而时习之，不亦说乎\nabc define 之\U00020000乎"));
    QApplication::processEvents();
    const int second = memo.document()->findBlockByNumber(1).position();
    struct Case {
        const char *name;
        int position, length;
        const char *selected;
    } cases[] = {
        {"a character inside a run of Chinese", 2, 1, "时"},
        {"the first character of a run", 0, 1, "学"},
        {"the last character before punctuation", 4, 1, "之"},
        {"an English word", second + 5, 1, "define"},
        {"a character beyond the BMP", second + 12, 2, "\U00020000"},
        {"the character after it", second + 14, 1, "乎"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        memo.Select(0, 0);
        doubleClick(memo.viewport(), pointAt(memo, c.position, c.length));
        EXPECT_EQ(memo.SelText(), QString::fromUtf8(c.selected));
    }
    // Moving the pointer with the button still down keeps the one character.
    doubleClick(memo.viewport(), pointAt(memo, 2), false);
    sendMouse(memo.viewport(), QEvent::MouseMove, pointAt(memo, 3));
    EXPECT_EQ(memo.SelText(), QString::fromUtf8("时"));
    sendMouse(memo.viewport(), QEvent::MouseButtonRelease, pointAt(memo, 3));
    EXPECT_EQ(memo.SelText(), QString::fromUtf8("时"));
    // Past the end of a line nothing is taken for a character, and the selection stays.
    EXPECT_FALSE(memo.SelectHanCharacterAt(QPoint(390, pointAt(memo, 2).y())));
    EXPECT_EQ(memo.SelText(), QString::fromUtf8("时"));
}

TEST_F(CharLookupTest, DoubleClickOnACharacterOfThePaneShowsItsEntry) {
    TForm2 &f = form();
    f.show();
    QApplication::processEvents();
    f.jsedit->SetText(QString::fromUtf8("学而时习之，不亦说乎"));
    QApplication::processEvents();
    doubleClick(f.jsedit->viewport(), pointAt(*f.jsedit, 4));
    QApplication::processEvents(); // the handler runs after Qt's own handling
    EXPECT_EQ(f.jsedit->Text(), shown(modernEntry(zhi)));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// ---- typed-character prompts ----

struct PromptCase {
    const char *handler; // menu item
    bool fromPane;       // the initial value comes from the pane's selection, not the reader's
    bool focusesPane;
};
const PromptCase kPrompts[] = {
    {"N7", true, false}, {"N11", false, true}, {"N12", false, true}, {"N80", false, true}};

TEST_F(CharLookupTest, TypedCharacterPromptsUseOnlyTheFirstCharacter) {
    TForm2 &f = form();
    f.show();
    f.activateWindow();
    QApplication::processEvents();
    const QHash<QString, QString> entries{{"N7", modernEntry(zhi)},
                                          {"N11", shortEntry(zhi)},
                                          {"N12", xinhuaEntry(zhi)},
                                          {"N80", kangxiEntry(kxZhi)}};
    for (const PromptCase &c : kPrompts) {
        SCOPED_TRACE(c.handler);
        f.jsedit->SetText(kOld);
        dialogs.inputPrompts.clear();
        // The selection's first character is the initial value; beyond the BMP it stays whole.
        if (c.fromPane) {
            f.jsedit->SetText(QString::fromUtf8("甲\U00020000乙") + kOld);
            f.jsedit->Select(1, 3);
            f.rc->SetText("");
        } else {
            selectInReader(f, QString::fromUtf8("\U00020000乙"));
        }
        dialogs.inputAnswers = {QStringLiteral("之乎")};
        f.rc->setFocus();
        f.action(c.handler)->trigger();
        EXPECT_EQ(dialogs.inputPrompts,
                  QStringList{QString::fromUtf8("输入要查询的汉字|汉字:|\U00020000")});
        EXPECT_EQ(f.jsedit->hasFocus(), c.focusesPane);
        EXPECT_EQ(f.jsedit->Text(), shown(entries[c.handler]));
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(CharLookupTest, CancelledOrEmptyPromptsChangeNothing) {
    TForm2 &f = form();
    for (const PromptCase &c : kPrompts) {
        for (const std::optional<QString> &answer :
             {std::optional<QString>(), std::optional<QString>("")}) {
            SCOPED_TRACE(std::string(c.handler) + (answer ? " empty" : " cancelled"));
            f.rc->SetText("");
            dialogs.inputPrompts.clear();
            dialogs.inputAnswers = {answer};
            f.action(c.handler)->trigger();
            EXPECT_EQ(dialogs.inputPrompts,
                      QStringList{QString::fromUtf8("输入要查询的汉字|汉字:|")});
            EXPECT_EQ(f.jsedit->Text(), kOld);
            EXPECT_FALSE(f.acc.Connected());
        }
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CharLookupTest, TypedLookupsWithoutARowLeaveThePane) {
    TForm2 &f = form();
    for (const PromptCase &c : kPrompts) {
        SCOPED_TRACE(c.handler);
        dialogs.inputAnswers = {QStringLiteral("无")};
        f.action(c.handler)->trigger();
        EXPECT_EQ(f.jsedit->Text(), kOld);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CharLookupTest, AncientAndModernLookupsIgnoreTheKangxiSetting) {
    TForm2 &f = form();
    f.usekangxi = true;
    dialogs.inputAnswers = {QStringLiteral("之"), QStringLiteral("之")};
    f.N11Click();
    EXPECT_EQ(f.jsedit->Text(), shown(shortEntry(zhi)));
    f.N12Click();
    EXPECT_EQ(f.jsedit->Text(), shown(xinhuaEntry(zhi)));
    EXPECT_FALSE(f.acc.Connected());
}

// ---- the Kangxi dictionary and its setting ----

TEST_F(CharLookupTest, KangxiCommandsLeaveTheConnectionAsDocumented) {
    TForm2 &f = form();
    dialogs.inputAnswers = {QStringLiteral("之")};
    f.N80Click();
    EXPECT_EQ(f.jsedit->Text(), shown(kangxiEntry(kxZhi)));
    EXPECT_FALSE(f.acc.Connected()); // 查康熙字典 closes it after the lookup

    f.N84Click();
    EXPECT_FALSE(f.acc.Connected()); // opened by the next lookup, not by the setting
    f.chazi("之");
    EXPECT_TRUE(f.acc.Connected());
    f.N84Click();
    EXPECT_TRUE(f.acc.Connected());

    f.N83Click();
    EXPECT_FALSE(f.acc.Connected());

    // 查康熙字典 works whatever the setting, and the catalogue lookups still work after it.
    dialogs.inputAnswers = {QStringLiteral("乎"), QStringLiteral("之")};
    f.N80Click();
    EXPECT_EQ(f.jsedit->Text(), shown(kangxiEntry(kxHu)));
    f.N11Click();
    EXPECT_EQ(f.jsedit->Text(), shown(shortEntry(zhi)));
}

TEST_F(CharLookupTest, SettingCommandsTickTheirItemAndStoreTheSetting) {
    TForm2 &f = form();
    f.action("N84")->trigger();
    EXPECT_TRUE(f.usekangxi);
    EXPECT_TRUE(f.action("N84")->isChecked());
    EXPECT_FALSE(f.action("N83")->isChecked());
    EXPECT_EQ(f.ini().ReadString("Kelvaro", "康熙字典", ""), "1");
    f.chazi("之");
    EXPECT_FALSE(f.jsedit->Text().contains("==新华字典解释=="));

    // The next start reads it back.
    windows = {};
    TForm2 &again = form();
    EXPECT_TRUE(again.usekangxi);
    EXPECT_TRUE(again.action("N84")->isChecked());
    EXPECT_FALSE(again.action("N83")->isChecked());

    again.action("N83")->trigger();
    EXPECT_FALSE(again.usekangxi);
    EXPECT_TRUE(again.action("N83")->isChecked());
    EXPECT_FALSE(again.action("N84")->isChecked());
    EXPECT_EQ(again.ini().ReadString("Kelvaro", "康熙字典", ""), "0");
    again.chazi("之");
    EXPECT_EQ(again.jsedit->Text(), shown(modernEntry(zhi)));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CharLookupTest, TheOnlineEditionRefusesTheKangxiDictionary) {
    const QString refusal = QString::fromUtf8("联网版本地没有数据库，《康熙字典》不可用！\r\n\r\n"
                                              "《Kelvaro》离线版，可从官网下载离线版。");
    for (const char *handler : {"N80", "N84"}) {
        SCOPED_TRACE(handler);
        dialogs.messages.clear();
        shell.opened.clear();
        TForm2 &f = form(true);
        selectInReader(f, "之");
        dialogs.inputAnswers = {QStringLiteral("之")};
        f.action(handler)->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(dialogs.messages[0].text, refusal);
        ASSERT_EQ(shell.opened.size(), 1);
        EXPECT_EQ(shell.opened[0].verb, "Open");
        EXPECT_EQ(shell.opened[0].target, config.productSite + "/");
        EXPECT_TRUE(dialogs.inputPrompts.isEmpty());
        EXPECT_EQ(f.jsedit->Text(), kOld);
        EXPECT_FALSE(f.usekangxi);
        EXPECT_TRUE(f.action("N83")->isChecked());
        EXPECT_FALSE(f.action("N84")->isChecked());
        EXPECT_EQ(f.ini().ReadString("Kelvaro", "康熙字典", "unset"), "unset");
        EXPECT_FALSE(f.acc.Connected());
    }
    // Going back to the modern dictionary works in the online edition too.
    TForm2 &f = form(true);
    f.usekangxi = true;
    f.N83Click();
    EXPECT_FALSE(f.usekangxi);
    EXPECT_EQ(f.ini().ReadString("Kelvaro", "康熙字典", ""), "0");
}

} // namespace
