#include "platform/widgets.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <algorithm>

QString TMemo::SelText() const {
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

int TMemo::SelStart() const {
    return textCursor().selectionStart();
}

int TMemo::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TMemo::Select(int start, int length) {
    const int end = document()->characterCount() - 1;
    start = std::clamp(start, 0, end);
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(std::clamp(start + length, start, end), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

bool TMemo::SelectHanCharacterAt(const QPoint &pos) {
    const QTextBlock block = cursorForPosition(pos).block();
    const QTextLayout *layout = block.layout();
    if (!block.isValid() || !layout) return false;
    const QPointF local =
        QPointF(pos) - blockBoundingGeometry(block).translated(contentOffset()).topLeft();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (local.y() < line.y() || local.y() >= line.y() + line.height()) continue;
        int at = line.xToCursor(local.x(), QTextLine::CursorOnCharacter);
        const QString text = block.text();
        if (at < line.textStart() || at >= line.textStart() + line.textLength() ||
            at >= text.size())
            return false;
        // Start at the high half of a surrogate pair.
        if (at > 0 && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate()) --at;
        const bool pair =
            at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate();
        const char32_t code =
            pair ? QChar::surrogateToUcs4(text[at], text[at + 1]) : text[at].unicode();
        const int length = pair ? 2 : 1;
        if (QChar::script(code) != QChar::Script_Han) return false;
        // The pointer must be over the character itself, not past the end of the line.
        const qreal left = line.cursorToX(at), right = line.cursorToX(at + length);
        if (local.x() < std::min(left, right) || local.x() > std::max(left, right)) return false;
        Select(block.position() + at, length);
        return true;
    }
    return false;
}

void TMemo::mousePressEvent(QMouseEvent *event) {
    holdingCharacter_ = false;
    QPlainTextEdit::mousePressEvent(event);
}

void TMemo::mouseDoubleClickEvent(QMouseEvent *event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    holdingCharacter_ =
        event->button() == Qt::LeftButton && SelectHanCharacterAt(event->position().toPoint());
}

void TMemo::mouseMoveEvent(QMouseEvent *event) {
    if (holdingCharacter_ && (event->buttons() & Qt::LeftButton)) return;
    QPlainTextEdit::mouseMoveEvent(event);
}

void TMemo::mouseReleaseEvent(QMouseEvent *event) {
    holdingCharacter_ = false;
    QPlainTextEdit::mouseReleaseEvent(event);
}
