#include "platform/richedit.h"

#include <QApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TRichEdit::TRichEdit(QWidget *parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                            Qt::LinksAccessibleByMouse);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QString TRichEdit::Text() const { return document()->toPlainText(); }

void TRichEdit::SetText(const QString &text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(plain);
}

int TRichEdit::TextLength() const { return document()->characterCount() - 1; }

int TRichEdit::SelStart() const { return textCursor().selectionStart(); }

int TRichEdit::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::Select(int start, int length) {
    const int end = TextLength();
    start = std::clamp(start, 0, end);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(std::clamp(start + length, start, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString TRichEdit::SelText() const {
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

int TRichEdit::FindText(const QString &what, int start, int length, bool caseSensitive) const {
    if (what.isEmpty() || start < 0) return -1;
    const QString text = Text();
    const int pos = text.indexOf(what, start, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (pos < 0 || pos + what.size() > start + length) return -1;
    return pos;
}

void TRichEdit::ColorRanges(const std::vector<std::pair<int, int>> &ranges, const QColor &color) {
    if (ranges.empty()) return;
    QTextCharFormat format;
    format.setForeground(color);
    QTextCursor c(document());
    c.beginEditBlock();
    for (const auto &[start, length] : ranges) {
        if (length <= 0) continue;
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        c.mergeCharFormat(format);
    }
    c.endEditBlock();
}

QColor TRichEdit::HighlightColor() { return QApplication::palette().color(QPalette::Highlight); }
