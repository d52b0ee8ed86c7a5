#include "platform/dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

static const QString kTitle = QStringLiteral("Kelvaro");

void QtDialogs::message(MessageKind kind, const QString &text) {
    switch (kind) {
    case MessageKind::Information:
        QMessageBox::information(parent_, kTitle, text);
        break;
    case MessageKind::Warning:
        QMessageBox::warning(parent_, kTitle, text);
        break;
    case MessageKind::Error:
        QMessageBox::critical(parent_, kTitle, text);
        break;
    }
}

bool QtDialogs::confirm(const QString &text) {
    return QMessageBox::question(parent_, kTitle, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<QString> QtDialogs::input(const QString &caption, const QString &prompt,
                                        const QString &initial) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice &initial) {
    // Qt's font dialog has no colour; the colour dialog follows it, as the font dialog of the
    // reader's preferences chooses both.
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.font, parent_, kTitle);
    if (!ok) return std::nullopt;
    const QColor color = QColorDialog::getColor(initial.color, parent_, kTitle);
    return FontChoice{font, color.isValid() ? color : initial.color};
}

std::optional<QColor> QtDialogs::chooseColor(const QColor &initial) {
    const QColor color = QColorDialog::getColor(initial, parent_, kTitle);
    if (!color.isValid()) return std::nullopt;
    return color;
}

std::optional<QString> QtDialogs::saveFileName(const FileDialogRequest &request) {
    const QString name =
        QFileDialog::getSaveFileName(parent_, request.title, request.defaultName, request.filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

void QtShell::open(const QString &, const QString &target) {
    const QUrl url = QUrl::fromUserInput(target, QString(), QUrl::AssumeLocalFile);
    QDesktopServices::openUrl(url);
}

void QtShell::start(const QString &program, const QStringList &arguments) {
    QProcess::startDetached(program, arguments);
}
