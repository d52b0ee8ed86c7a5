#include "platform/rtf.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

enum class Align { Left, Centre, Right, Justify };

Align alignOf(const QTextBlockFormat &format) {
    const Qt::Alignment a = format.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) return Align::Centre;
    if (a & Qt::AlignJustify) return Align::Justify;
    if (a & Qt::AlignRight) return Align::Right;
    return Align::Left;
}

Qt::Alignment qtAlignment(Align a) {
    switch (a) {
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Justify:
        return Qt::AlignJustify;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// ---------------------------------------------------------------------------------------------
// Writing

class Writer {
  public:
    explicit Writer(const QTextDocument &doc) : doc_(doc), defaultFont_(doc.defaultFont()) {}
    QByteArray write();

  private:
    struct RunState {
        int font = -1;
        int halfPoints = -1;
        int fg = 0;
        int bg = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
    };

    int fontIndex(const QTextCharFormat &format);
    int colourIndex(const QBrush &brush);
    void setFormat(const QTextCharFormat &format);
    void setAlign(Align align);
    void word(const char *controlWord);
    void word(const char *controlWord, int value);
    void flag(const char *controlWord, bool on);
    void text(QStringView text);

    const QTextDocument &doc_;
    const QFont defaultFont_;
    QByteArray body_;
    bool needSpace_ = false; // a control word was written and the next text must delimit it
    RunState cur_;
    Align align_ = Align::Left;
    QHash<QString, int> fontIndex_;
    QStringList fonts_;
    QHash<QRgb, int> colourIndex_;
    std::vector<QRgb> colours_;
};

void appendNumber(QByteArray &out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

// A \uN escape: N is the UTF-16 code unit as a signed 16-bit number, "?" the fallback.
void appendUnicode(QByteArray &out, char16_t unit) {
    out.append("\\u");
    appendNumber(out, static_cast<int16_t>(unit));
    out.append('?');
}

int Writer::fontIndex(const QTextCharFormat &format) {
    QString family;
    if (format.hasProperty(QTextFormat::FontFamilies))
        family = format.fontFamilies().toStringList().value(0);
    if (family.isEmpty()) family = defaultFont_.family();
    const auto it = fontIndex_.constFind(family);
    if (it != fontIndex_.constEnd()) return *it;
    fonts_.append(family);
    return *fontIndex_.insert(family, int(fonts_.size()) - 1);
}

// Index into the colour table; 0 is the table's "automatic" entry and stands for no colour.
int Writer::colourIndex(const QBrush &brush) {
    if (brush.style() == Qt::NoBrush) return 0;
    const QRgb rgb = brush.color().rgb();
    const auto it = colourIndex_.constFind(rgb);
    if (it != colourIndex_.constEnd()) return *it;
    colours_.push_back(rgb);
    return *colourIndex_.insert(rgb, int(colours_.size()));
}

void Writer::word(const char *controlWord) {
    body_.append('\\').append(controlWord);
    needSpace_ = true;
}

void Writer::word(const char *controlWord, int value) {
    body_.append('\\').append(controlWord);
    appendNumber(body_, value);
    needSpace_ = true;
}

void Writer::flag(const char *controlWord, bool on) {
    if (on)
        word(controlWord);
    else
        word(controlWord, 0);
}

void Writer::setFormat(const QTextCharFormat &format) {
    RunState next;
    next.font = fontIndex(format);
    const qreal points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                        : defaultFont_.pointSizeF();
    next.halfPoints = points > 0 ? qRound(points * 2) : 24;
    next.fg =
        format.hasProperty(QTextFormat::ForegroundBrush) ? colourIndex(format.foreground()) : 0;
    next.bg =
        format.hasProperty(QTextFormat::BackgroundBrush) ? colourIndex(format.background()) : 0;
    next.bold = format.fontWeight() >= QFont::DemiBold;
    next.italic = format.fontItalic();
    next.underline = format.fontUnderline();
    next.strike = format.fontStrikeOut();

    if (next.font != cur_.font) word("f", next.font);
    if (next.halfPoints != cur_.halfPoints) word("fs", next.halfPoints);
    if (next.fg != cur_.fg) word("cf", next.fg);
    if (next.bg != cur_.bg) word("highlight", next.bg);
    if (next.bold != cur_.bold) flag("b", next.bold);
    if (next.italic != cur_.italic) flag("i", next.italic);
    if (next.underline != cur_.underline) word(next.underline ? "ul" : "ulnone");
    if (next.strike != cur_.strike) flag("strike", next.strike);
    cur_ = next;
}

void Writer::setAlign(Align align) {
    if (align == align_) return;
    static const char *const words[] = {"ql", "qc", "qr", "qj"};
    word(words[int(align)]);
    align_ = align;
}

void Writer::text(QStringView text) {
    if (needSpace_) {
        body_.append(' ');
        needSpace_ = false;
    }
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x7f) {
            if (c == '\\' || c == '{' || c == '}') body_.append('\\');
            body_.append(char(c));
        } else if (c == '\t') {
            body_.append("\\tab ");
        } else if (c == QChar::LineSeparator) {
            body_.append("\\line ");
        } else if (c < 0x20 || c == QChar::ObjectReplacementCharacter || c == 0xfdd0 ||
                   c == 0xfdd1 || c == QChar::ParagraphSeparator) {
            // Control characters, embedded objects and frame marks have no text to keep.
        } else {
            appendUnicode(body_, c);
        }
    }
}

// A font name: like body text, but ";" would end the table entry, so it is dropped.
void appendFontName(QByteArray &out, QStringView text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == ';' || c < 0x20) continue;
        if (c < 0x7f) {
            if (c == '\\' || c == '{' || c == '}') out.append('\\');
            out.append(char(c));
        } else {
            appendUnicode(out, c);
        }
    }
}

QByteArray Writer::write() {
    body_.reserve(qsizetype(doc_.characterCount()) * 8 + 1024);
    word("pard");
    for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
        setAlign(alignOf(block.blockFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            setFormat(fragment.charFormat());
            text(fragment.text());
        }
        // Every paragraph ends with \par, the last one too, as word processors write it.
        body_.append("\\par\r\n");
        needSpace_ = false;
    }

    QByteArray out;
    out.reserve(body_.size() + 256 + 64 * (fonts_.size() + colours_.size()));
    out.append("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1");
    if (fonts_.isEmpty()) fonts_.append(defaultFont_.family());
    out.append("{\\fonttbl");
    for (qsizetype i = 0; i < fonts_.size(); ++i) {
        out.append("{\\f");
        appendNumber(out, int(i));
        out.append("\\fnil\\fcharset134 ");
        appendFontName(out, fonts_[i]);
        out.append(";}");
    }
    out.append("}\r\n{\\colortbl ;");
    for (const QRgb rgb : colours_) {
        out.append("\\red");
        appendNumber(out, qRed(rgb));
        out.append("\\green");
        appendNumber(out, qGreen(rgb));
        out.append("\\blue");
        appendNumber(out, qBlue(rgb));
        out.append(';');
    }
    out.append("}\r\n{\\*\\generator Kelvaro;}\r\n");
    out.append(body_);
    out.append("}\r\n");
    return out;
}

// ---------------------------------------------------------------------------------------------
// Reading

// The code page that a \fcharsetN implies; 0 means the document's own code page.
int codePageOfCharset(int charset) {
    switch (charset) {
    case 2:
        return 1252; // symbol fonts: one byte per character
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

QStringDecoder makeDecoder(int codePage) {
    QByteArrayList names;
    switch (codePage) {
    case 936:
        names = {"GBK"};
        break;
    case 950:
        names = {"Big5"};
        break;
    case 932:
        names = {"Shift_JIS"};
        break;
    case 10000:
        names = {"macintosh"};
        break;
    case 20936:
        names = {"GB2312"};
        break;
    case 54936:
        names = {"GB18030"};
        break;
    case 65001:
        names = {"UTF-8"};
        break;
    default:
        break;
    }
    const QByteArray number = QByteArray::number(codePage);
    names << "windows-" + number << "cp" + number << "IBM" + number;
    for (const QByteArray &name : std::as_const(names)) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) return decoder;
    }
    return QStringDecoder(QStringConverter::Latin1);
}

// Bytes of one code page as text. Bytes the code page has no character for come out as
// U+FFFD (some converters give U+001A for them); other control characters are dropped.
QString decodeText(QStringDecoder &decoder, const QByteArray &bytes) {
    QString text = decoder.decode(bytes);
    decoder.resetState();
    text.replace(QChar(0x1a), QChar::ReplacementCharacter);
    text.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
    return text;
}

enum class Dest { Text, FontTable, ColourTable, Skip };

struct CharProps {
    int font = -1;
    int halfPoints = 24;
    int fg = -1; // colour table index, -1 for none
    int bg = -1;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const CharProps &) const = default;
};

struct GroupState {
    CharProps chr;
    Align align = Align::Left;
    int uc = 1; // fallback characters after each \uN
    bool hidden = false;
    Dest dest = Dest::Text;
};

enum class Kw {
    Ansi,
    Mac,
    Pc,
    Pca,
    Ansicpg,
    Deff,
    Fonttbl,
    Colortbl,
    SkipDest,
    F,
    Fcharset,
    Cpg,
    Red,
    Green,
    Blue,
    Fs,
    Cf,
    Bg,
    B,
    I,
    Ul,
    Ulnone,
    Ulc,
    Strike,
    V,
    Plain,
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Par,
    Line,
    Tab,
    Char,
    U,
    Uc,
    Bin,
};

struct Keyword {
    Kw kw;
    char32_t ch = 0; // for Kw::Char
};

const std::unordered_map<std::string_view, Keyword> &keywords() {
    static const std::unordered_map<std::string_view, Keyword> table = [] {
        std::unordered_map<std::string_view, Keyword> t = {
            {"ansi", {Kw::Ansi}},
            {"mac", {Kw::Mac}},
            {"pc", {Kw::Pc}},
            {"pca", {Kw::Pca}},
            {"ansicpg", {Kw::Ansicpg}},
            {"deff", {Kw::Deff}},
            {"fonttbl", {Kw::Fonttbl}},
            {"colortbl", {Kw::Colortbl}},
            {"f", {Kw::F}},
            {"fcharset", {Kw::Fcharset}},
            {"cpg", {Kw::Cpg}},
            {"red", {Kw::Red}},
            {"green", {Kw::Green}},
            {"blue", {Kw::Blue}},
            {"fs", {Kw::Fs}},
            {"cf", {Kw::Cf}},
            {"highlight", {Kw::Bg}},
            {"cb", {Kw::Bg}},
            {"chcbpat", {Kw::Bg}},
            {"b", {Kw::B}},
            {"i", {Kw::I}},
            {"ul", {Kw::Ul}},
            {"ulnone", {Kw::Ulnone}},
            {"ulc", {Kw::Ulc}},
            {"strike", {Kw::Strike}},
            {"striked", {Kw::Strike}},
            {"v", {Kw::V}},
            {"plain", {Kw::Plain}},
            {"pard", {Kw::Pard}},
            {"ql", {Kw::Ql}},
            {"qc", {Kw::Qc}},
            {"qr", {Kw::Qr}},
            {"qj", {Kw::Qj}},
            {"par", {Kw::Par}},
            {"sect", {Kw::Par}},
            {"page", {Kw::Par}},
            {"row", {Kw::Par}},
            {"line", {Kw::Line}},
            {"tab", {Kw::Tab}},
            {"cell", {Kw::Tab}},
            {"nestcell", {Kw::Tab}},
            {"emdash", {Kw::Char, 0x2014}},
            {"endash", {Kw::Char, 0x2013}},
            {"bullet", {Kw::Char, 0x2022}},
            {"lquote", {Kw::Char, 0x2018}},
            {"rquote", {Kw::Char, 0x2019}},
            {"ldblquote", {Kw::Char, 0x201c}},
            {"rdblquote", {Kw::Char, 0x201d}},
            {"emspace", {Kw::Char, 0x2003}},
            {"enspace", {Kw::Char, 0x2002}},
            {"qmspace", {Kw::Char, 0x2005}},
            {"zwj", {Kw::Char, 0x200d}},
            {"zwnj", {Kw::Char, 0x200c}},
            {"ltrmark", {Kw::Char, 0x200e}},
            {"rtlmark", {Kw::Char, 0x200f}},
            {"u", {Kw::U}},
            {"uc", {Kw::Uc}},
            {"bin", {Kw::Bin}},
        };
        // Destinations whose text is not part of the document.
        for (const char *name : {"info",       "stylesheet",   "pict",      "header",
                                 "headerl",    "headerr",      "headerf",   "footer",
                                 "footerl",    "footerr",      "footerf",   "footnote",
                                 "annotation", "atnid",        "atnauthor", "fldinst",
                                 "object",     "objdata",      "themedata", "colorschememapping",
                                 "datastore",  "latentstyles", "listtable", "listoverridetable",
                                 "rsidtbl",    "revtbl",       "filetbl",   "xmlnstbl",
                                 "generator",  "nonshppict",   "shpinst",   "pgdsctbl",
                                 "private",    "bkmkstart",    "bkmkend",   "template",
                                 "xe",         "tc",           "tcn",       "txe",
                                 "mmathPr",    "userprops",    "docvar",    "pnseclvl",
                                 "listpicture"})
            t.emplace(name, Keyword{Kw::SkipDest});
        return t;
    }();
    return table;
}

constexpr bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    Reader(const char *begin, const char *end, QTextDocument &doc)
        : p_(begin), end_(end), cursor_(&doc) {}
    void read();

  private:
    struct FontDef {
        QString name;
        int codePage = 0; // 0: the document's code page
    };

    void parse();
    void openGroup();
    bool closeGroup();
    void controlWord();
    void controlSymbol(char c);
    void handleWord(std::string_view word, bool hasParam, int param);
    bool skipFallback();
    void textByte(uchar b, bool literal);
    void textChar(char32_t c);

    void appendByte(uchar b);
    void appendChar(char32_t c);
    void startRun();
    void decodeBytes();
    void flushRun();
    void endParagraph();
    void applyAlign();

    void startFont(int id);
    void finishFont();
    void finishColour();
    int codePageOfFont(int font) const;
    QStringDecoder &decoder(int codePage);
    QColor colour(int index) const;
    QTextCharFormat charFormat(const CharProps &props) const;

    GroupState &top() { return stack_.back(); }

    static constexpr std::size_t maxDepth = 1000;

    const char *p_;
    const char *end_;
    QTextCursor cursor_;

    std::vector<GroupState> stack_;
    int overflowGroups_ = 0; // groups opened beyond maxDepth, not on the stack
    int skip_ = 0;           // \uN fallback characters still to skip
    int docCodePage_ = 1252;
    int defaultFont_ = -1;

    QHash<int, FontDef> fonts_;
    int fontDef_ = -1; // font table entry being read
    QByteArray fontBytes_;
    QString fontName_;

    std::vector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;

    std::unordered_map<int, QStringDecoder> decoders_;

    CharProps runProps_; // format of the text collected in runBytes_ and runText_
    QByteArray runBytes_;
    QString runText_;
    bool pendingPar_ = false; // a \par was read; its new paragraph is made with the next text
    Align blockAlign_ = Align::Left;
};

void Reader::read() {
    cursor_.beginEditBlock();
    parse();
    flushRun();
    if (!pendingPar_) applyAlign();
    cursor_.endEditBlock();
}

void Reader::parse() {
    while (p_ < end_) {
        const char c = *p_++;
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            if (closeGroup())
                return; // the document's outermost group is closed; what follows is not RTF
            break;
        case '\\':
            if (p_ < end_) {
                if (isLetter(*p_))
                    controlWord();
                else
                    controlSymbol(*p_++);
            }
            break;
        case '\r':
        case '\n':
            break;
        default:
            textByte(uchar(c), true);
            break;
        }
    }
}

void Reader::openGroup() {
    skip_ = 0;
    if (stack_.empty())
        stack_.emplace_back();
    else if (stack_.size() >= maxDepth)
        ++overflowGroups_;
    else
        stack_.push_back(stack_.back());
}

bool Reader::closeGroup() {
    skip_ = 0;
    if (overflowGroups_ > 0) {
        --overflowGroups_;
        return false;
    }
    if (top().dest == Dest::FontTable)
        finishFont();
    else if (top().dest == Dest::ColourTable && colourSet_)
        finishColour();
    stack_.pop_back();
    return stack_.empty();
}

void Reader::controlWord() {
    const char *start = p_;
    while (p_ < end_ && isLetter(*p_))
        ++p_;
    const std::string_view word(start, std::size_t(p_ - start));
    bool negative = false;
    if (p_ + 1 < end_ && *p_ == '-' && isDigit(p_[1])) {
        negative = true;
        ++p_;
    }
    bool hasParam = false;
    long long value = 0;
    while (p_ < end_ && isDigit(*p_)) {
        hasParam = true;
        if (value < 10'000'000'000LL) value = value * 10 + (*p_ - '0');
        ++p_;
    }
    if (p_ < end_ && *p_ == ' ') ++p_;
    if (negative) value = -value;
    handleWord(word, hasParam, int(std::clamp<long long>(value, INT_MIN, INT_MAX)));
}

// Inside the fallback of a \uN every character, hex byte, control word or symbol counts one.
bool Reader::skipFallback() {
    if (skip_ <= 0) return false;
    --skip_;
    return true;
}

void Reader::controlSymbol(char c) {
    if (c == '\'') {
        int value = 0;
        for (int digits = 0; digits < 2 && p_ < end_; ++digits) {
            const int v = hexValue(*p_);
            if (v < 0) break;
            value = value * 16 + v;
            ++p_;
        }
        if (!skipFallback()) textByte(uchar(value), false);
        return;
    }
    if (c == '*') {
        top().dest = Dest::Skip; // an optional destination this reader does not know
        return;
    }
    if (skipFallback()) return;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        textByte(uchar(c), false);
        break;
    case '~':
        textChar(0xa0);
        break;
    case '-':
        textChar(0xad);
        break;
    case '_':
        textChar(0x2011);
        break;
    case '\r':
    case '\n':
        if (top().dest == Dest::Text) endParagraph();
        break;
    default:
        break;
    }
}

void Reader::handleWord(std::string_view word, bool hasParam, int param) {
    Keyword keyword{Kw::U};
    if (word != "u") {
        const auto &table = keywords();
        const auto it = table.find(word);
        if (it != table.end())
            keyword = it->second;
        else if (word.size() > 2 && word.substr(0, 2) == "ul")
            keyword = {Kw::Ul}; // \uld, \uldb, \ulwave and the other underline styles
        else
            keyword = {Kw::Char, 0}; // unknown: nothing to do
    }
    if (keyword.kw == Kw::Bin) {
        // Binary data: skipped byte for byte, as it may hold braces and backslashes.
        if (hasParam && param > 0) p_ += std::min<qsizetype>(param, end_ - p_);
        skipFallback();
        return;
    }
    if (skipFallback()) return;
    GroupState &s = top();
    if (s.dest == Dest::Skip) return;
    const bool on = !hasParam || param != 0;
    switch (keyword.kw) {
    case Kw::Ansi:
        docCodePage_ = 1252;
        break;
    case Kw::Mac:
        docCodePage_ = 10000;
        break;
    case Kw::Pc:
        docCodePage_ = 437;
        break;
    case Kw::Pca:
        docCodePage_ = 850;
        break;
    case Kw::Ansicpg:
        if (param > 0) docCodePage_ = param;
        break;
    case Kw::Deff:
        defaultFont_ = param;
        if (s.chr.font < 0) s.chr.font = param;
        break;
    case Kw::Fonttbl:
        s.dest = Dest::FontTable;
        fontDef_ = -1;
        break;
    case Kw::Colortbl:
        s.dest = Dest::ColourTable;
        colours_.clear();
        colourSet_ = false;
        red_ = green_ = blue_ = 0;
        break;
    case Kw::SkipDest:
        s.dest = Dest::Skip;
        break;
    case Kw::F:
        if (s.dest == Dest::FontTable)
            startFont(param);
        else
            s.chr.font = param;
        break;
    case Kw::Fcharset:
        if (s.dest == Dest::FontTable && fontDef_ >= 0)
            fonts_[fontDef_].codePage = codePageOfCharset(param);
        break;
    case Kw::Cpg:
        if (s.dest == Dest::FontTable && fontDef_ >= 0 && param > 0)
            fonts_[fontDef_].codePage = param;
        break;
    case Kw::Red:
    case Kw::Green:
    case Kw::Blue:
        if (s.dest == Dest::ColourTable) {
            const int v = std::clamp(param, 0, 255);
            (keyword.kw == Kw::Red ? red_ : keyword.kw == Kw::Green ? green_ : blue_) = v;
            colourSet_ = true;
        }
        break;
    case Kw::Fs:
        s.chr.halfPoints = param > 0 ? std::min(param, 3276) : 24;
        break;
    case Kw::Cf:
        s.chr.fg = param;
        break;
    case Kw::Bg:
        s.chr.bg = param;
        break;
    case Kw::B:
        s.chr.bold = on;
        break;
    case Kw::I:
        s.chr.italic = on;
        break;
    case Kw::Ul:
        s.chr.underline = on;
        break;
    case Kw::Ulnone:
        s.chr.underline = false;
        break;
    case Kw::Strike:
        s.chr.strike = on;
        break;
    case Kw::V:
        s.hidden = on;
        break;
    case Kw::Plain:
        s.chr = CharProps{};
        s.chr.font = defaultFont_;
        s.hidden = false;
        break;
    case Kw::Pard:
        s.align = Align::Left;
        break;
    case Kw::Ql:
        s.align = Align::Left;
        break;
    case Kw::Qc:
        s.align = Align::Centre;
        break;
    case Kw::Qr:
        s.align = Align::Right;
        break;
    case Kw::Qj:
        s.align = Align::Justify;
        break;
    case Kw::Par:
        if (s.dest == Dest::Text) endParagraph();
        break;
    case Kw::Line:
        textChar(QChar::LineSeparator);
        break;
    case Kw::Tab:
        textChar('\t');
        break;
    case Kw::Char:
        if (keyword.ch) textChar(keyword.ch);
        break;
    case Kw::U: {
        int unit = param;
        if (unit < 0) unit += 65536;
        if (unit > 0) textChar(char32_t(unit));
        skip_ = s.uc;
        break;
    }
    case Kw::Uc:
        s.uc = std::clamp(param, 0, 16);
        break;
    case Kw::Ulc:
    case Kw::Bin:
        break;
    }
}

// One byte of text: a literal byte of the file or a \'hh.
void Reader::textByte(uchar b, bool literal) {
    if (literal && skipFallback()) return;
    GroupState &s = top();
    switch (s.dest) {
    case Dest::Text:
        if (!s.hidden) appendByte(b);
        break;
    case Dest::FontTable:
        if (literal && b == ';')
            finishFont();
        else if (b >= 0x20)
            fontBytes_.append(char(b));
        break;
    case Dest::ColourTable:
        if (literal && b == ';') finishColour();
        break;
    case Dest::Skip:
        break;
    }
}

// One character given by a control word or \uN.
void Reader::textChar(char32_t c) {
    GroupState &s = top();
    if (s.dest == Dest::Text) {
        if (!s.hidden) appendChar(c);
    } else if (s.dest == Dest::FontTable && c >= 0x20) {
        if (!fontBytes_.isEmpty()) {
            fontName_ += decodeText(decoder(codePageOfFont(fontDef_)), fontBytes_);
            fontBytes_.clear();
        }
        fontName_ += QString::fromUcs4(&c, 1);
    }
}

void Reader::startRun() {
    const CharProps &props = top().chr;
    if (props == runProps_) return;
    if (!runBytes_.isEmpty() || !runText_.isEmpty()) flushRun();
    runProps_ = props;
}

void Reader::appendByte(uchar b) {
    if (b < 0x20) {
        if (b == '\t') appendChar('\t');
        return;
    }
    startRun();
    runBytes_.append(char(b));
}

void Reader::appendChar(char32_t c) {
    // Characters that would break the paragraph structure or mean embedded objects.
    if ((c < 0x20 && c != '\t') || c == 0xfdd0 || c == 0xfdd1 || c == 0xfffc || c > 0x10ffff)
        return;
    startRun();
    decodeBytes();
    if (QChar::requiresSurrogates(c)) {
        runText_.append(QChar::highSurrogate(c));
        runText_.append(QChar::lowSurrogate(c));
    } else {
        runText_.append(QChar(char16_t(c)));
    }
}

// Bytes are collected until the run of them ends, as one character may take two bytes.
void Reader::decodeBytes() {
    if (runBytes_.isEmpty()) return;
    runText_ += decodeText(decoder(codePageOfFont(runProps_.font)), runBytes_);
    runBytes_.clear();
}

void Reader::flushRun() {
    decodeBytes();
    if (runText_.isEmpty()) return;
    if (pendingPar_) {
        cursor_.insertBlock();
        pendingPar_ = false;
    }
    cursor_.insertText(runText_, charFormat(runProps_));
    runText_.clear();
}

void Reader::endParagraph() {
    flushRun();
    if (pendingPar_) cursor_.insertBlock(); // the paragraph ending here is empty
    applyAlign();
    pendingPar_ = true;
}

void Reader::applyAlign() {
    const Align align = top().align;
    if (align == blockAlign_) return;
    QTextBlockFormat format = cursor_.blockFormat();
    format.setAlignment(qtAlignment(align));
    cursor_.setBlockFormat(format);
    blockAlign_ = align;
}

void Reader::startFont(int id) {
    finishFont();
    fontDef_ = id;
    fonts_[id] = FontDef{};
}

void Reader::finishFont() {
    if (fontDef_ < 0 || (fontBytes_.isEmpty() && fontName_.isEmpty())) return;
    if (!fontBytes_.isEmpty()) {
        fontName_ += decodeText(decoder(codePageOfFont(fontDef_)), fontBytes_);
        fontBytes_.clear();
    }
    fonts_[fontDef_].name = fontName_.trimmed();
    fontName_.clear();
}

void Reader::finishColour() {
    colours_.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
}

int Reader::codePageOfFont(int font) const {
    const auto it = fonts_.constFind(font);
    if (it != fonts_.constEnd() && it->codePage > 0) return it->codePage;
    return docCodePage_;
}

QStringDecoder &Reader::decoder(int codePage) {
    auto it = decoders_.find(codePage);
    if (it == decoders_.end()) it = decoders_.emplace(codePage, makeDecoder(codePage)).first;
    return it->second;
}

QColor Reader::colour(int index) const {
    if (index < 0 || std::size_t(index) >= colours_.size()) return QColor();
    return colours_[std::size_t(index)];
}

QTextCharFormat Reader::charFormat(const CharProps &props) const {
    QTextCharFormat format;
    const auto font = fonts_.constFind(props.font);
    if (font != fonts_.constEnd() && !font->name.isEmpty()) format.setFontFamilies({font->name});
    format.setFontPointSize(props.halfPoints / 2.0);
    if (const QColor c = colour(props.fg); c.isValid()) format.setForeground(c);
    if (const QColor c = colour(props.bg); c.isValid()) format.setBackground(c);
    if (props.bold) format.setFontWeight(QFont::Bold);
    if (props.italic) format.setFontItalic(true);
    if (props.underline) format.setFontUnderline(true);
    if (props.strike) format.setFontStrikeOut(true);
    return format;
}

} // namespace

QByteArray writeRtf(const QTextDocument &doc) {
    return Writer(doc).write();
}

void readRtf(const QByteArray &rtf, QTextDocument &doc) {
    QByteArrayView input(rtf);
    if (input.startsWith("\xef\xbb\xbf")) input = input.sliced(3);
    while (!input.isEmpty() && (input.front() == ' ' || input.front() == '\t' ||
                                input.front() == '\r' || input.front() == '\n'))
        input = input.sliced(1);
    if (!input.startsWith("{\\rtf"))
        throw RtfError("not an RTF document: it does not start with {\\rtf");

    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    Reader(input.data(), input.data() + input.size(), doc).read();
    doc.setUndoRedoEnabled(undo);
}
