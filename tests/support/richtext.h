// Reading what the reader pane shows at a position.
#pragma once

#include "platform/richedit.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

// The format of the character at `pos` (a cursor reports the character before it).
inline QTextCharFormat formatAt(const TRichEdit &rc, int pos) {
    QTextCursor c(rc.document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

// The colour the character at `pos` is drawn in: its own, or the pane's text colour.
inline QColor colorAt(const TRichEdit &rc, int pos) {
    const QTextCharFormat f = formatAt(rc, pos);
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : rc.TextColor();
}

// The size in points the character at `pos` is drawn in.
inline double sizeAt(const TRichEdit &rc, int pos) {
    const QTextCharFormat f = formatAt(rc, pos);
    return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                     : rc.DefaultFont().pointSizeF();
}

// A pixel of the pane's empty lower right corner, as painted (skin and all).
inline QColor paintedBackground(TRichEdit &rc) {
    rc.resize(300, 200);
    rc.ensurePolished();
    const QImage image = rc.viewport()->grab().toImage();
    return image.pixelColor(image.width() - 5, image.height() - 5);
}

// The font family the character at `pos` is drawn in.
inline QString familyAt(const TRichEdit &rc, int pos) {
    const QStringList families = formatAt(rc, pos).fontFamilies().toStringList();
    return families.isEmpty() ? rc.DefaultFont().family() : families.first();
}
