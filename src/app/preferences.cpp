// Display preferences of the reader and the pane commands.
#include "app/Unit2.h"
#include "app/colors.h"
#include "app/settings.h"
#include "platform/fonts.h"
#include "platform/richedit.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>

namespace {

const QString kFontSize = QStringLiteral("文字大小");
const QString kFontColor = QStringLiteral("文字颜色");
const QString kFontName = QStringLiteral("文字字体");
const QString kFontStyle = QStringLiteral("文字样式");
const QString kBackground = QStringLiteral("背景颜色");
const QString kDefaultFontName = QStringLiteral("Microsoft JhengHei");

// The style pieces in the order they are written; reading only looks for each piece.
QString styleText(const QFont &font) {
    QString style;
    if (font.bold()) style += QStringLiteral(",fsBold");
    if (font.italic()) style += QStringLiteral(",fsItalic");
    if (font.underline()) style += QStringLiteral(",fsUnderline");
    if (font.strikeOut()) style += QStringLiteral(",fsStrikeOut");
    return style;
}

void applyStyleText(QFont &font, const QString &style) {
    font.setBold(style.contains(QLatin1String("fsBold")));
    font.setItalic(style.contains(QLatin1String("fsItalic")));
    font.setUnderline(style.contains(QLatin1String("fsUnderline")));
    font.setStrikeOut(style.contains(QLatin1String("fsStrikeOut")));
}

// A size in points; a negative size is a height in pixels, 0 leaves the size as it is.
void applySize(QFont &font, int size) {
    if (size > 0)
        font.setPointSize(size);
    else if (size < 0)
        font.setPixelSize(-size);
}

} // namespace

void TForm2::rcChange() {
    if (!applystyle) return;
    // The welcome and network-failure texts carry the website's address: the preferences wait
    // for the first real book or chapter.
    if (rc->Text().contains(config.productDomain())) return;

    const IniFile settings = ini();
    QFont font = rc->DefaultFont();
    applySize(font, settings.ReadInteger(kSettingsSection, kFontSize, 14));
    const qint32 color = settings.ReadInteger(kSettingsSection, kFontColor, kStoredWindowText);
    // A font that is not installed gives way to an installed Chinese one.
    font.setFamily(
        resolveFontFamily(settings.ReadString(kSettingsSection, kFontName, kDefaultFontName)));
    const qint32 background = settings.ReadInteger(kSettingsSection, kBackground, kStoredWhite);
    applyStyleText(font, settings.ReadString(kSettingsSection, kFontStyle, QString()));
    rc->SetDefaultFont(font);
    rc->SetTextColor(fromStoredColor(color));
    rc->SetBackgroundColor(fromStoredColor(background));

    // The font dialog opens with the same choice.
    FontDialog1.font = font;
    FontDialog1.color = fromStoredColor(color);
    FontDialog1StoredColor = color;
    applystyle = false;
}

void TForm2::N33Click() {
    if (!FontDialog1.color.isValid()) {
        // Before the saved preferences were applied the dialog offers what the reader shows.
        FontDialog1.font = rc->DefaultFont();
        FontDialog1.color = rc->TextColor();
        FontDialog1StoredColor = toStoredColor(rc->TextColor());
    }
    const std::optional<FontChoice> choice = dialogs.chooseFont(FontDialog1);
    if (!choice) return;
    rc->SetDefaultFont(choice->font);
    rc->SetTextColor(choice->color);
    const qint32 stored =
        choice->color == FontDialog1.color ? FontDialog1StoredColor : toStoredColor(choice->color);
    FontDialog1 = *choice;
    FontDialog1StoredColor = stored;

    writeini(kFontColor, QString::number(stored));
    writeini(kFontName, choice->font.family());
    const int points =
        choice->font.pointSize() > 0 ? choice->font.pointSize() : qRound(choice->font.pointSizeF());
    writeini(kFontSize, QString::number(points));
    writeini(kFontStyle, styleText(choice->font));
    N25Click();
}

void TForm2::N37Click() {
    const std::optional<QColor> color = dialogs.chooseColor(rc->BackgroundColor());
    if (!color) return;
    rc->SetBackgroundColor(*color);
    writeini(kBackground, QString::number(toStoredColor(*color)));
}

void TForm2::N76Click() {
    dialogs.message(
        MessageKind::Information,
        QStringLiteral("软件正文默认字体为：【微软正黑体】。\r\n\r\n如果系统无此字体的话，"
                       "请手动下载安装。"));
    shell.open(QStringLiteral("Open"),
               config.productSite + QStringLiteral("/roll/go2.php?f=fonts"));
}

void TForm2::N75Click() {
    if (!dialogs.confirm(QStringLiteral("确定要将所有设置恢复到默认状态？　"))) return;
    if (QFile::exists(settingsPath())) QFile::remove(settingsPath());
    shell.start(QCoreApplication::applicationFilePath(), {});
    N23Click();
}

void TForm2::N35Click() {
    QAction *item = action(QStringLiteral("N35"));
    const bool hide = !ticked(QStringLiteral("N35"));
    tick(item, hide);
    // The pane comes back to the right of its splitter.
    Panel2->setVisible(!hide);
    writeini(QStringLiteral("隐藏字典"), hide ? QStringLiteral("1") : QStringLiteral("0"));
}

void TForm2::N36Click() {
    QAction *item = action(QStringLiteral("N36"));
    const bool hide = !ticked(QStringLiteral("N36"));
    tick(item, hide);
    Panel4->setVisible(!hide);
    writeini(QStringLiteral("隐藏目录"), hide ? QStringLiteral("1") : QStringLiteral("0"));
}
