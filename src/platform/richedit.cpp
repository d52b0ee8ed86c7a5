#include "platform/richedit.h"

#include "platform/rtf.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPalette>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <stdexcept>

namespace {

// Addresses the pane shows as links: a scheme or "www." followed by printable ASCII. Chinese
// text and full-width punctuation end an address; so do a few marks that usually close a
// sentence rather than the address.
const QRegularExpression &linkPattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(((?:https?|ftp|file)://|mailto:|www\.)[!#-;=?-~]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

QString trimLinkEnd(QString link) {
    while (!link.isEmpty() && QStringLiteral(".,;:!?)]}'").contains(link.back()))
        link.chop(1);
    return link;
}

QString cssColor(const QColor &color) {
    return color.name(QColor::HexRgb);
}

std::runtime_error fileError(const QString &what, const QString &path, const QString &reason) {
    return std::runtime_error(
        (what + QStringLiteral(" \"") + path + QStringLiteral("\": ") + reason).toStdString());
}

// One edit block for many changes. Scattered changes make the layout redo at once every
// line it has already laid out between the first change and the last: nothing much while
// new text is still being laid out in idle steps, but 120 ms over a long chapter laid out
// to its end. In that case the page size is taken away, so the layout ignores the changes,
// and given back, so it lays the document out afresh as it does new text: the page in view
// first, the rest in idle steps.
class BulkChange {
  public:
    BulkChange(QTextDocument *doc, const std::vector<std::pair<int, int>> &ranges)
        : doc_(doc), cursor_(doc) {
        bulk_ = ranges.size() >= 100 && isLaidOut(doc, ranges.back().first);
        if (bulk_) {
            page_ = doc->pageSize();
            doc->setPageSize(QSizeF());
        }
        cursor_.beginEditBlock();
    }
    ~BulkChange() {
        cursor_.endEditBlock();
        if (bulk_) doc_->setPageSize(page_);
    }
    BulkChange(const BulkChange &) = delete;
    BulkChange &operator=(const BulkChange &) = delete;
    QTextCursor &cursor() { return cursor_; }

  private:
    static bool isLaidOut(QTextDocument *doc, int position) {
        const QTextBlock block = doc->findBlock(position);
        return block.isValid() && block.layout() && block.layout()->lineCount() > 0;
    }

    QTextDocument *doc_;
    QTextCursor cursor_;
    bool bulk_;
    QSizeF page_;
};

} // namespace

TRichEdit::TRichEdit(QWidget *parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                            Qt::LinksAccessibleByMouse);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The design colours: the system's text colour on white.
    textColor_ = QApplication::palette().color(QPalette::Text);
    backgroundColor_ = Qt::white;
    updateColours();
}

// ---- text ----

QString TRichEdit::Text() const {
    return document()->toPlainText();
}

void TRichEdit::SetText(const QString &text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // Through the document, not QTextEdit::setPlainText: that one gives the whole new text
    // the character format found at the old caret (a red mark would colour the next chapter).
    parkCaret();
    document()->setPlainText(plain);
    textWasSet();
}

void TRichEdit::Clear() {
    parkCaret();
    document()->clear();
    textWasSet();
}

void TRichEdit::parkCaret() {
    // New text goes in at position 0, which would stretch a caret there into a selection of
    // the whole new text; the next caret move would then lay out the whole document at once
    // (90 ms for a long chapter) to repaint that selection. A caret detached from the
    // document while the text changes costs nothing; textWasSet puts it at the start.
    setTextCursor(QTextCursor());
}

int TRichEdit::TextLength() const {
    return document()->characterCount() - 1;
}

void TRichEdit::textWasSet() {
    if (textCursor().isNull() || textCursor().position() != 0 || textCursor().hasSelection())
        setTextCursor(QTextCursor(document()));
    if (autoURLDetect_) detectLinks();
    emit Change();
}

// ---- selection and caret ----

int TRichEdit::SelStart() const {
    return textCursor().selectionStart();
}

int TRichEdit::SelLength() const {
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::Select(int start, int length) {
    const int end = TextLength();
    start = std::clamp(start, 0, end);
    const int stop = std::clamp(start + length, start, end);
    const QTextCursor current = textCursor();
    if (current.anchor() == start && current.position() == stop) return;
    QTextCursor c(document());
    c.setPosition(start);
    c.setPosition(stop, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString TRichEdit::SelText() const {
    QString s = textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

void TRichEdit::ReplaceSel(const QString &text) {
    QTextCursor c = textCursor();
    QTextCursor first(document());
    first.setPosition(c.hasSelection() ? c.selectionStart() + 1 : c.position());
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    c.insertText(plain, first.charFormat());
    setTextCursor(c);
    if (autoURLDetect_) detectLinks();
    emit Change();
}

// ---- finding ----

int TRichEdit::FindText(const QString &what, int start, int length, bool caseSensitive) const {
    if (what.isEmpty() || start < 0) return -1;
    const QString text = Text();
    const int pos =
        int(text.indexOf(what, start, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive));
    if (pos < 0 || pos + what.size() > qint64(start) + length) return -1;
    return pos;
}

// ---- formatting ----

void TRichEdit::SetSelColor(const QColor &color) {
    QTextCharFormat format;
    format.setForeground(color);
    mergeCurrentCharFormat(format);
}

void TRichEdit::SetSelSize(int points) {
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeCurrentCharFormat(format);
}

void TRichEdit::FormatRanges(const std::vector<std::pair<int, int>> &ranges,
                             const QTextCharFormat &format) {
    if (ranges.empty()) return;
    const int end = TextLength();
    BulkChange change(document(), ranges);
    QTextCursor &c = change.cursor();
    for (const auto &[start, length] : ranges) {
        if (length <= 0 || start < 0 || start >= end) continue;
        c.setPosition(start);
        c.setPosition(std::min(start + length, end), QTextCursor::KeepAnchor);
        c.mergeCharFormat(format);
    }
}

void TRichEdit::ColorRanges(const std::vector<std::pair<int, int>> &ranges, const QColor &color) {
    QTextCharFormat format;
    format.setForeground(color);
    FormatRanges(ranges, format);
}

void TRichEdit::ReplaceRanges(const std::vector<std::pair<int, int>> &ranges,
                              const QString &replacement, const QTextCharFormat &format) {
    if (ranges.empty()) return;
    const QString text = Text();
    bool replaced = false;
    {
        BulkChange change(document(), ranges);
        replaced = replaceRanges(change.cursor(), text, ranges, replacement, format);
    }
    if (replaced) {
        if (autoURLDetect_) detectLinks();
        emit Change();
    }
}

bool TRichEdit::replaceRanges(QTextCursor &c, const QString &text,
                              const std::vector<std::pair<int, int>> &ranges,
                              const QString &replacement, const QTextCharFormat &format) {
    bool replaced = false;
    // From the last range back, so the positions of the ranges still to do stay valid.
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        const auto [start, length] = *it;
        if (start < 0 || length <= 0 || start + length > text.size()) continue;
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        if (QStringView(text).mid(start, length) == replacement) {
            c.mergeCharFormat(format);
            continue;
        }
        QTextCursor first(document());
        first.setPosition(start + 1);
        QTextCharFormat taken = first.charFormat();
        taken.merge(format);
        c.insertText(replacement, taken);
        replaced = true;
    }
    return replaced;
}

QColor TRichEdit::HighlightColor() {
    return QApplication::palette().color(QPalette::Highlight);
}

// ---- the pane's own font and colours ----

void TRichEdit::SetDefaultFont(const QFont &font) {
    defaultFont_ = font;
    setFont(font);
    document()->setDefaultFont(font);
}

void TRichEdit::changeEvent(QEvent *event) {
    QTextEdit::changeEvent(event);
    // The text edit hands every new widget font to its document; a style sheet's font must
    // not replace the reader's chosen one.
    if (event->type() == QEvent::FontChange && defaultFont_ &&
        document()->defaultFont() != *defaultFont_)
        document()->setDefaultFont(*defaultFont_);
}

QFont TRichEdit::DefaultFont() const {
    return document()->defaultFont();
}

void TRichEdit::SetTextColor(const QColor &color) {
    textColor_ = color;
    updateColours();
}

void TRichEdit::SetBackgroundColor(const QColor &color) {
    backgroundColor_ = color;
    updateColours();
}

void TRichEdit::updateColours() {
    // The pane's own sheet wins over the application's skin; the palette follows for code
    // that reads it.
    setStyleSheet(QStringLiteral("TRichEdit { color: %1; background-color: %2; }")
                      .arg(cssColor(textColor_), cssColor(backgroundColor_)));
    QPalette p = palette();
    p.setColor(QPalette::Text, textColor_);
    p.setColor(QPalette::Base, backgroundColor_);
    setPalette(p);
}

// ---- web links ----

void TRichEdit::SetAutoURLDetect(bool on) {
    autoURLDetect_ = on;
    if (on) detectLinks();
}

void TRichEdit::detectLinks() {
    const QString text = Text();
    std::vector<std::pair<int, int>> ranges;
    QStringList targets;
    QRegularExpressionMatchIterator it = linkPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString link = trimLinkEnd(m.captured());
        if (link.size() <= m.capturedLength(1)) continue; // a scheme alone is no address
        ranges.emplace_back(int(m.capturedStart()), int(link.size()));
        targets << link;
    }
    if (ranges.empty()) return;
    const QColor linkColor = QApplication::palette().color(QPalette::Link);
    QTextCursor c(document());
    c.beginEditBlock();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorHref(targets[qsizetype(i)]);
        format.setFontUnderline(true);
        format.setForeground(linkColor);
        c.setPosition(ranges[i].first);
        c.setPosition(ranges[i].first + ranges[i].second, QTextCursor::KeepAnchor);
        c.mergeCharFormat(format);
    }
    c.endEditBlock();
}

QString TRichEdit::LinkAt(const QPoint &viewportPos) const {
    return autoURLDetect_ ? anchorAt(viewportPos) : QString();
}

bool TRichEdit::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *m = static_cast<QMouseEvent *>(event);
        const QString link = LinkAt(m->position().toPoint());
        if (!link.isEmpty()) emit URLClick(link, m->button());
    }
    return QTextEdit::viewportEvent(event);
}

// ---- RTF ----

QByteArray TRichEdit::SaveRtf() const {
    return writeRtf(*document());
}

void TRichEdit::LoadRtf(const QByteArray &rtf) {
    parkCaret();
    try {
        // One edit block: the layout hears of the new content once, as a whole, and lays
        // out the page in view instead of every run as it arrives.
        QTextCursor block(document());
        block.beginEditBlock();
        const auto end = qScopeGuard([&block] { block.endEditBlock(); });
        readRtf(rtf, *document());
    } catch (...) {
        setTextCursor(QTextCursor(document())); // not RTF: the text stays as it was
        throw;
    }
    textWasSet();
}

void TRichEdit::SaveToFile(const QString &path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw fileError("Cannot create", path, file.errorString());
    const QByteArray rtf = SaveRtf();
    if (file.write(rtf) != rtf.size() || !file.commit())
        throw fileError("Cannot write", path, file.errorString());
}

void TRichEdit::LoadFromFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw fileError("Cannot open", path, file.errorString());
    LoadRtf(file.readAll());
}

// ---- hourglass ----

HourglassCursor::HourglassCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

HourglassCursor::~HourglassCursor() {
    QApplication::restoreOverrideCursor();
}
