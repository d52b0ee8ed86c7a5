#include "app/skins.h"
#include "platform/richedit.h"
#include "platform/rtf.h"
#include "support/richtext.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 160);

TEST(RichEditTest, PositionsCountEachLineBreakAsOne) {
    TRichEdit rc;
    rc.SetText("甲\r\n乙\n丙\r丁");
    EXPECT_EQ(rc.Text(), "甲\n乙\n丙\n丁");
    EXPECT_EQ(rc.TextLength(), 7);
    rc.Select(2, 3);
    EXPECT_EQ(rc.SelStart(), 2);
    EXPECT_EQ(rc.SelLength(), 3);
    EXPECT_EQ(rc.SelText(), "乙\n丙");
    EXPECT_EQ(rc.FindText("丁", 0, 7, true), 6);
    EXPECT_EQ(rc.FindText("丁", 0, 6, true), -1); // the match must end inside the range
    EXPECT_EQ(rc.FindText("乙", 3, 4, true), -1); // only forward from the start
    rc.Select(5, 100);
    EXPECT_EQ(rc.SelLength(), 2); // clamped to the text
}

TEST(RichEditTest, FindsWithOrWithoutCase) {
    TRichEdit rc;
    rc.SetText("Kelvaro kelvaro");
    EXPECT_EQ(rc.FindText("kelvaro", 0, rc.TextLength(), true), 8);
    EXPECT_EQ(rc.FindText("kelvaro", 0, rc.TextLength(), false), 0);
    EXPECT_EQ(rc.FindText("", 0, rc.TextLength(), false), -1);
}

TEST(RichEditTest, NewTextDoesNotTakeTheFormatOfTheOldSelection) {
    TRichEdit rc;
    rc.SetText("红字在此");
    rc.Select(0, 2);
    rc.SetSelColor(kRed);
    rc.SetSelSize(16);
    EXPECT_EQ(colorAt(rc, 1), kRed);
    EXPECT_EQ(sizeAt(rc, 1), 16);
    rc.SetText("下一章的正文");
    for (int i = 0; i < rc.TextLength(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(formatAt(rc, i).hasProperty(QTextFormat::ForegroundBrush));
        EXPECT_FALSE(formatAt(rc, i).hasProperty(QTextFormat::FontPointSize));
    }
    EXPECT_EQ(rc.SelStart(), 0);
    EXPECT_EQ(rc.SelLength(), 0);
}

TEST(RichEditTest, ChangeIsRaisedForNewTextButNotForFormatting) {
    TRichEdit rc;
    int changes = 0;
    QObject::connect(&rc, &TRichEdit::Change, [&] { ++changes; });
    rc.SetText("之乎者也之");
    EXPECT_EQ(changes, 1);
    rc.ColorRanges({{0, 1}}, kRed);
    rc.Select(1, 1);
    rc.SetSelColor(kBlue);
    rc.ReplaceRanges({{0, 1}, {4, 1}}, "之", QTextCharFormat()); // same text: format only
    EXPECT_EQ(changes, 1);
    rc.ReplaceRanges({{0, 1}}, "矣", QTextCharFormat());
    EXPECT_EQ(changes, 2);
    rc.Clear();
    EXPECT_EQ(changes, 3);
    rc.LoadRtf("{\\rtf1 abc}");
    EXPECT_EQ(changes, 4);
}

TEST(RichEditTest, ReplacedRangesTakeTheFirstCharactersFormatWithTheMarkMerged) {
    TRichEdit rc;
    rc.SetText("之乎者也之乎");
    rc.ColorRanges({{4, 2}}, kBlue);
    QFont bold = rc.DefaultFont();
    QTextCharFormat boldFormat;
    boldFormat.setFontWeight(QFont::Bold);
    rc.FormatRanges({{0, 1}}, boldFormat);
    QTextCharFormat mark;
    mark.setForeground(kRed);
    mark.setFontPointSize(16);
    rc.ReplaceRanges({{0, 1}, {4, 1}}, "矣哉", mark);
    EXPECT_EQ(rc.Text(), "矣哉乎者也矣哉乎");
    for (int pos : {0, 1, 5, 6}) {
        SCOPED_TRACE(pos);
        EXPECT_EQ(colorAt(rc, pos), kRed);
        EXPECT_EQ(sizeAt(rc, pos), 16);
    }
    EXPECT_EQ(formatAt(rc, 0).fontWeight(), QFont::Bold); // taken from the replaced character
    EXPECT_EQ(colorAt(rc, 2), rc.TextColor());
    EXPECT_EQ(colorAt(rc, 7), kBlue); // the text after a range keeps its own format
}

TEST(RichEditTest, ManyRangesInATextLaidOutToItsEndAreFormattedAndLaidOutAgain) {
    TRichEdit rc;
    rc.resize(400, 300);
    rc.show();
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("第%1行之文字\n").arg(i, 3, 10, QChar('0'));
    rc.SetText(text);
    rc.Select(rc.TextLength(), 0); // lays the whole text out
    rc.Select(0, 0);
    const QSizeF page = rc.document()->pageSize();
    const qreal height = rc.document()->documentLayout()->documentSize().height();
    std::vector<std::pair<int, int>> ranges;
    for (int i = 0; i < 400; ++i)
        ranges.emplace_back(i * 9 + 5, 1); // every 之
    QTextCharFormat mark;
    mark.setForeground(kRed);
    mark.setFontPointSize(16);
    rc.ReplaceRanges(ranges, "之", mark);
    EXPECT_EQ(rc.Text().toStdString(), text.toStdString());
    EXPECT_EQ(rc.document()->pageSize(), page);
    for (int pos : {5, 14, 399 * 9 + 5}) {
        EXPECT_EQ(colorAt(rc, pos), kRed) << pos;
        EXPECT_EQ(sizeAt(rc, pos), 16) << pos;
    }
    EXPECT_EQ(colorAt(rc, 4), rc.TextColor());
    rc.Select(rc.TextLength(), 0);
    EXPECT_GT(rc.document()->documentLayout()->documentSize().height(), height); // larger marks
    EXPECT_GT(rc.cursorRect().bottom(), 0);
}

TEST(RichEditTest, FontAndColoursSurviveNewTextAndTheApplicationSkin) {
    const QString family = QStringLiteral("Noto Serif CJK SC");
    ASSERT_TRUE(QFontDatabase::hasFamily(family));
    TRichEdit rc;
    EXPECT_EQ(paintedBackground(rc), QColor(Qt::white)); // the design background, under the skin
    QFont font(family);
    font.setPointSize(20);
    font.setBold(true);
    rc.SetDefaultFont(font);
    rc.SetTextColor(QColor(0, 128, 0));
    rc.SetBackgroundColor(kRed);
    rc.SetText("新的一章");
    // A skin switch re-polishes every widget; a skin may even style text panes.
    applySkinSheet(builtInSkinSheet() +
                   "\nQTextEdit { background-color: #101010; color: #eeeeee; font-size: 9pt; }");
    rc.SetText("又一章");
    EXPECT_EQ(rc.DefaultFont().family(), family);
    EXPECT_EQ(rc.DefaultFont().pointSize(), 20);
    EXPECT_TRUE(rc.DefaultFont().bold());
    EXPECT_EQ(rc.palette().color(QPalette::Text), QColor(0, 128, 0));
    EXPECT_EQ(paintedBackground(rc), kRed);
    applySkinSheet(builtInSkinSheet());
}

QPoint pointOf(TRichEdit &rc, int pos) {
    QTextCursor c(rc.document());
    c.setPosition(pos);
    return rc.cursorRect(c).center() + QPoint(3, 0);
}

TEST(RichEditTest, AddressesBecomeLinksThatAnyMouseButtonClicks) {
    TRichEdit rc;
    rc.resize(500, 300);
    rc.show();
    rc.SetText(
        "官方网站： https://www.kelvaro.example\n联系 www.abc.example。见http://a.example/x.");
    const QString text = rc.Text();
    const int first = int(text.indexOf("https://"));
    const int second = int(text.indexOf("www.abc"));
    const int third = int(text.indexOf("http://a"));
    EXPECT_EQ(formatAt(rc, first).anchorHref(), "https://www.kelvaro.example");
    EXPECT_TRUE(formatAt(rc, first).fontUnderline());
    EXPECT_EQ(formatAt(rc, second).anchorHref(), "www.abc.example");
    EXPECT_EQ(formatAt(rc, third + 17).anchorHref(), "http://a.example/x");
    EXPECT_FALSE(formatAt(rc, third + 18).isAnchor()); // the closing full stop is no part
    EXPECT_FALSE(formatAt(rc, 0).isAnchor());

    QList<std::pair<QString, Qt::MouseButton>> clicks;
    QObject::connect(&rc, &TRichEdit::URLClick, [&](const QString &url, Qt::MouseButton button) {
        clicks.append({url, button});
    });
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        const QPoint at = pointOf(rc, second + 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, rc.viewport()->mapToGlobal(at), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(rc.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, rc.viewport()->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(rc.viewport(), &release);
    }
    ASSERT_EQ(clicks.size(), 3);
    EXPECT_EQ(clicks[0].first, "www.abc.example");
    EXPECT_EQ(clicks[1].second, Qt::RightButton);
    EXPECT_EQ(clicks[2].second, Qt::MiddleButton);

    const QPoint plain = pointOf(rc, 1);
    QMouseEvent press(QEvent::MouseButtonPress, plain, rc.viewport()->mapToGlobal(plain),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rc.viewport(), &press);
    EXPECT_EQ(clicks.size(), 3); // plain text is no link
}

TEST(RichEditTest, RtfFileKeepsTextColoursAndSizes) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("810005.dbx");
    TRichEdit source;
    source.SetText("黄帝者\r\n少典之子");
    source.ColorRanges({{1, 2}}, kBlue);
    QTextCharFormat mark;
    mark.setForeground(kRed);
    mark.setFontPointSize(16);
    source.FormatRanges({{5, 1}}, mark);
    source.SaveToFile(path);

    TRichEdit loaded;
    loaded.SetDefaultFont(source.DefaultFont());
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Text(), source.Text());
    for (int i = 0; i < source.TextLength(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(colorAt(loaded, i), colorAt(source, i));
        EXPECT_EQ(sizeAt(loaded, i), sizeAt(source, i));
    }
}

TEST(RichEditTest, UnwritableAndUnreadableFilesRaiseErrorsAndKeepTheText) {
    QTemporaryDir dir;
    TRichEdit rc;
    rc.SetText("原有的文字");
    const QString missingFolder = QDir(dir.path()).filePath("no/such/folder/1.dbx");
    EXPECT_THROW(rc.SaveToFile(missingFolder), std::runtime_error);
    EXPECT_FALSE(QFile::exists(missingFolder));
    EXPECT_THROW(rc.LoadFromFile(QDir(dir.path()).filePath("absent.dbx")), std::runtime_error);

    const QString garbage = QDir(dir.path()).filePath("garbage.dbx");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01\x02 not rtf at all {\\");
    file.close();
    EXPECT_THROW(rc.LoadFromFile(garbage), RtfError);
    EXPECT_EQ(rc.Text(), "原有的文字");
    rc.Select(1, 2);
    EXPECT_EQ(rc.SelText(), "有的"); // the caret still works
}

TEST(RichEditTest, HourglassLastsAsLongAsItsScope) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        const HourglassCursor hourglass;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
