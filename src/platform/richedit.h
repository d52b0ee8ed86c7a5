// Read-only rich-text pane: plain text in and out, positions and selections counted the way
// the pane counts them (a line break is one position), colouring of ranges.
#pragma once

#include <QTextEdit>
#include <utility>
#include <vector>

class TRichEdit : public QTextEdit {
    Q_OBJECT
  public:
    explicit TRichEdit(QWidget *parent = nullptr);

    // Whole text; line breaks come back as "\n", one position each.
    QString Text() const;
    // Sets the whole text as plain text ("\r\n" and "\n" are both one line break).
    void SetText(const QString &text);
    void Clear() { clear(); }
    int TextLength() const;

    int SelStart() const;
    int SelLength() const;
    void Select(int start, int length);
    QString SelText() const;

    // Forward search from `start` over `length` positions; -1 when not found.
    int FindText(const QString &what, int start, int length, bool caseSensitive) const;

    // Colours each (start, length) range in one edit block: thousands of ranges stay fast.
    void ColorRanges(const std::vector<std::pair<int, int>> &ranges, const QColor &color);

    static QColor HighlightColor();
};
