// Read-only rich-text pane: plain text in and out, positions and selections counted the way
// the pane counts them (a line break is one position), formatting of the selection and of
// many ranges at once, the pane's own font and colours, web links, RTF load and save.
#pragma once

#include <QColor>
#include <QTextCharFormat>
#include <QTextEdit>
#include <optional>
#include <utility>
#include <vector>

class TRichEdit : public QTextEdit {
    Q_OBJECT
  public:
    explicit TRichEdit(QWidget *parent = nullptr);

    // ---- text ----
    // Whole text; line breaks come back as "\n", one position each.
    QString Text() const;
    // Sets the whole text as plain text ("\r\n", "\n" and "\r" are each one line break). The
    // new text carries no formatting of its own: it shows in the pane's font and text colour,
    // whatever was selected before.
    void SetText(const QString &text);
    void Clear();
    int TextLength() const;

    // ---- selection and caret ----
    int SelStart() const;
    int SelLength() const;
    // Selects `length` positions from `start` (clamped to the text); the caret ends at the end.
    void Select(int start, int length);
    QString SelText() const;
    // Replaces the selection with `text`, which takes the formatting of the selection's first
    // character; the caret ends after it.
    void ReplaceSel(const QString &text);
    void ScrollCaret() { ensureCursorVisible(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }

    // ---- finding ----
    // Forward search from `start` over `length` positions; -1 when not found.
    int FindText(const QString &what, int start, int length, bool caseSensitive) const;

    // ---- formatting ----
    void SetSelColor(const QColor &color);
    void SetSelSize(int points);
    // Merges `format` into each (start, length) range, all in one edit block: thousands of
    // ranges stay fast.
    void FormatRanges(const std::vector<std::pair<int, int>> &ranges,
                      const QTextCharFormat &format);
    void ColorRanges(const std::vector<std::pair<int, int>> &ranges, const QColor &color);
    // Replaces each (start, length) range by `replacement`, which takes the formatting of the
    // range's first character with `format` merged in; a range that already reads
    // `replacement` keeps its text and only takes the format. The ranges are positions of the
    // current text, ascending and not overlapping; all of it is one edit block.
    void ReplaceRanges(const std::vector<std::pair<int, int>> &ranges, const QString &replacement,
                       const QTextCharFormat &format);
    static QColor HighlightColor();

    // ---- the pane's own font and colours ----
    // The font of text without a font of its own; it survives every later SetText and any
    // font a skin gives the widget.
    void SetDefaultFont(const QFont &font);
    QFont DefaultFont() const;
    // Colour of text without a colour of its own, and the background. Kept in the pane's own
    // style sheet, so an application skin never overrides them.
    void SetTextColor(const QColor &color);
    QColor TextColor() const { return textColor_; }
    void SetBackgroundColor(const QColor &color);
    QColor BackgroundColor() const { return backgroundColor_; }

    // ---- web links ----
    // When on (the default), addresses in the text ("http://…", "https://…", "ftp://…",
    // "mailto:…", "www.…") are shown as links after every change of the text, and pressing any
    // mouse button on one raises URLClick with the address as written.
    void SetAutoURLDetect(bool on);
    bool AutoURLDetect() const { return autoURLDetect_; }
    // The link at a point of the viewport; empty when there is none.
    QString LinkAt(const QPoint &viewportPos) const;

    // ---- RTF ----
    QByteArray SaveRtf() const;
    // Throws RtfError (rtf.h) for input that is not RTF; the text then stays as it was.
    void LoadRtf(const QByteArray &rtf);
    // Writes the file whole or not at all; throws std::runtime_error when it cannot be written.
    void SaveToFile(const QString &path) const;
    // Throws std::runtime_error when the file cannot be read, RtfError when it is not RTF.
    void LoadFromFile(const QString &path);

  signals:
    // The text was set, cleared, loaded or replaced (formatting alone does not count).
    void Change();
    void URLClick(const QString &url, Qt::MouseButton button);

  protected:
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    bool replaceRanges(QTextCursor &cursor, const QString &text,
                       const std::vector<std::pair<int, int>> &ranges, const QString &replacement,
                       const QTextCharFormat &format);
    void parkCaret();
    void textWasSet();
    void detectLinks();
    void updateColours();

    QColor textColor_;
    QColor backgroundColor_;
    std::optional<QFont> defaultFont_; // set by SetDefaultFont; until then the widget's font
    bool autoURLDetect_ = true;
};

// Shows the hourglass cursor over the whole application while it lives.
class HourglassCursor {
  public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};
