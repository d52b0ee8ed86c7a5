#include "platform/rtf.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <vector>

// Readable failure messages.
static void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// What the reader pane shows of a run of text, with unset properties resolved against the
// document's default font, so that documents made in different ways compare equal.
struct Span {
    QString text;
    QString family;
    int halfPoints = 0;
    QString fg; // "#rrggbb", empty for no colour
    QString bg;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator==(const Span &) const = default;
};

struct Paragraph {
    Qt::Alignment align;
    std::vector<Span> runs;
    bool operator==(const Paragraph &) const = default;
};

void PrintTo(const Span &r, std::ostream *os) {
    *os << '"' << r.text.toStdString() << "\" " << r.family.toStdString() << ' ' << r.halfPoints
        << " fg=" << r.fg.toStdString() << " bg=" << r.bg.toStdString() << (r.bold ? " b" : "")
        << (r.italic ? " i" : "") << (r.underline ? " ul" : "") << (r.strike ? " strike" : "");
}

void PrintTo(const Paragraph &p, std::ostream *os) {
    *os << "align=" << int(p.align) << " [";
    for (const Span &r : p.runs) {
        PrintTo(r, os);
        *os << "; ";
    }
    *os << ']';
}

QString brushName(const QTextCharFormat &f, QTextFormat::Property property) {
    if (!f.hasProperty(property)) return {};
    const QBrush brush = f.brushProperty(property);
    return brush.style() == Qt::NoBrush ? QString() : brush.color().name();
}

Span runProps(const QTextDocument &doc, const QTextCharFormat &f) {
    Span r;
    r.family = f.fontFamilies().toStringList().value(0);
    if (r.family.isEmpty()) r.family = doc.defaultFont().family();
    r.halfPoints =
        qRound(2 * (f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                              : doc.defaultFont().pointSizeF()));
    r.fg = brushName(f, QTextFormat::ForegroundBrush);
    r.bg = brushName(f, QTextFormat::BackgroundBrush);
    r.bold = f.fontWeight() >= QFont::DemiBold;
    r.italic = f.fontItalic();
    r.underline = f.fontUnderline();
    r.strike = f.fontStrikeOut();
    return r;
}

std::vector<Paragraph> paragraphs(const QTextDocument &doc) {
    std::vector<Paragraph> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        Paragraph p{b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, {}};
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            Span r = runProps(doc, it.fragment().charFormat());
            r.text = it.fragment().text();
            if (!p.runs.empty()) {
                Span &last = p.runs.back();
                Span cmp = r;
                cmp.text = last.text;
                if (cmp == last) { // same format: fragments split differently merge here
                    last.text += r.text;
                    continue;
                }
            }
            p.runs.push_back(r);
        }
        out.push_back(p);
    }
    return out;
}

// Properties of the character at a position.
Span runAt(const QTextDocument &doc, int position) {
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(position + 1);
    return runProps(doc, c.charFormat());
}

// The text of the paragraphs joined by newlines, with no-break spaces and line separators
// kept as they are.
QString blockTexts(const QTextDocument &doc) {
    QStringList texts;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        texts << b.text();
    return texts.join('\n');
}

// Chainable character format for building test documents.
struct Fmt : QTextCharFormat {
    Fmt &family(const QString &f) {
        setFontFamilies({f});
        return *this;
    }
    Fmt &size(qreal pt) {
        setFontPointSize(pt);
        return *this;
    }
    Fmt &fg(const QColor &c) {
        setForeground(c);
        return *this;
    }
    Fmt &bg(const QColor &c) {
        setBackground(c);
        return *this;
    }
    Fmt &bold() {
        setFontWeight(QFont::Bold);
        return *this;
    }
    Fmt &italic() {
        setFontItalic(true);
        return *this;
    }
    Fmt &underline() {
        setFontUnderline(true);
        return *this;
    }
    Fmt &strike() {
        setFontStrikeOut(true);
        return *this;
    }
};

void setAlign(QTextCursor &c, Qt::Alignment a) {
    QTextBlockFormat f = c.blockFormat();
    f.setAlignment(a);
    c.setBlockFormat(f);
}

struct RoundTripCase {
    const char *name;
    std::function<void(QTextCursor &)> build;
};

const QColor red(255, 0, 0);
const QColor passage(0, 0, 160);
const QColor paper(255, 255, 204);

const RoundTripCase roundTripCases[] = {
    {"Empty", [](QTextCursor &) {}},
    {"AsciiWithRtfSpecials",
     [](QTextCursor &c) {
         c.insertText("back\\slash {braces} semi;colon ?question\ttab -dash 123", Fmt());
     }},
    {"ColouredChineseWithRedMarks",
     [](QTextCursor &c) {
         c.insertText("史记　卷一", Fmt().family("宋体").size(12));
         c.insertText("五帝本纪", Fmt().family("宋体").size(12).fg(passage));
         c.insertText("黄帝", Fmt().family("宋体").size(16).fg(red));
         c.insertText("者，少典之子，姓公孙，名曰轩辕。", Fmt().family("宋体").size(12));
         c.insertText("生而神灵", Fmt().family("宋体").size(12).bg(paper).fg(passage));
     }},
    {"BeyondTheBasicPlane",
     [](QTextCursor &c) {
         // U+20000 and U+2A6D6 (surrogate pairs), U+FF01 and U+9FA5 (above 0x7fff), é, €.
         c.insertText(QString::fromUtf8("𠀀甲𪛖！龥 café 5€"), Fmt().family("SimSun-ExtB"));
         c.insertText(QString::fromUtf8("𠀀"), Fmt().family("SimSun-ExtB").fg(red).size(16));
     }},
    {"ParagraphsLinesAndAlignment",
     [](QTextCursor &c) {
         setAlign(c, Qt::AlignHCenter);
         c.insertText("卷一", Fmt().size(18).bold());
         c.insertBlock();
         setAlign(c, Qt::AlignLeft);
         c.insertBlock(); // an empty paragraph between title and text
         c.insertText(QString("第一行") + QChar::LineSeparator + "第二行", Fmt());
         c.insertBlock();
         setAlign(c, Qt::AlignRight);
         c.insertText("right", Fmt());
         c.insertBlock();
         setAlign(c, Qt::AlignJustify);
         c.insertText("justified", Fmt());
         c.insertBlock(); // the document ends with an empty paragraph
     }},
    {"CharacterStylesAndFonts",
     [](QTextCursor &c) {
         c.insertText("bold", Fmt().bold());
         c.insertText("italic", Fmt().italic());
         c.insertText("under", Fmt().underline());
         c.insertText("struck", Fmt().strike());
         c.insertText("all", Fmt().bold().italic().underline().strike().family("Arial"));
         c.insertText("plain", Fmt().family("Times New Roman").size(10.5));
         c.insertText("楷体", Fmt().family("楷体").size(9));
     }},
};

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, KeepsTextAndFormatting) {
    QTextDocument original;
    QTextCursor cursor(&original);
    GetParam().build(cursor);

    const QByteArray rtf = writeRtf(original);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0")) << rtf.left(60).constData();
    for (const char byte : rtf)
        ASSERT_TRUE(uchar(byte) < 0x80) << "non-ASCII byte in " << rtf.constData();

    QTextDocument loaded;
    loaded.setPlainText("previous content");
    readRtf(rtf, loaded);
    EXPECT_EQ(blockTexts(loaded), blockTexts(original)) << rtf.constData();
    EXPECT_EQ(paragraphs(loaded), paragraphs(original)) << rtf.constData();
    // A second round gives the same RTF.
    EXPECT_EQ(writeRtf(loaded), rtf);
}

INSTANTIATE_TEST_SUITE_P(Documents, RoundTrip, testing::ValuesIn(roundTripCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WriteRtf, EscapesAsOtherReadersExpect) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QString::fromUtf8("你{\\}\t𠀀"), Fmt().family("宋体").size(16).fg(red).bg(paper));
    c.insertText("x", Fmt().family("宋体").size(16).bold());
    const QByteArray rtf = writeRtf(doc);
    // 你 is U+4F60 = 20320; U+20000 is the pair D840 DC00, written as signed 16-bit numbers.
    for (const char *expected :
         {"{\\fonttbl{\\f0\\fnil\\fcharset134 \\u23435?\\u20307?;}}",
          "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue204;}",
          "\\pard\\f0\\fs32\\cf1\\highlight2 \\u20320?\\{\\\\\\}\\tab \\u-10176?\\u-9216?",
          "\\cf0\\highlight0\\b x\\par\r\n}"})
        EXPECT_TRUE(rtf.contains(expected)) << expected << "\nin\n" << rtf.constData();
}

// What another word processor writes: code page 936 bytes, \u with fallbacks, tables and
// destinations this program does not show.
const char wordPadRtf[] =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\nouicompat\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial"
    "{\\*\\panose 020b0604020202020204};}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
    "{\\info{\\title Hidden title}{\\author Somebody}}"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\qc\\f0\\fs32\\lang2052\\'c4\\'e3\\'ba\\'c3\\cf1\\u20320?"
    "\\u22909?"
    "\\cf0\\par\r\n"
    "\\pard\\f1\\fs22\\lang1033 Hello \\b bold\\b0  \\i it\\i0  \\ul under\\ulnone  "
    "\\strike gone\\strike0  {\\cf2 blue} {\\highlight1 marked}\\par\r\n"
    "{\\header \\pard header text\\par}"
    "{\\pict\\wmetafile8\\picw100\\pich100 0a0b{}0c\\bin4 {}\\\\ 0d}"
    "{\\field{\\*\\fldinst HYPERLINK \"http://example.org\"}{\\fldrslt link}}"
    "\\tab\\~x\\-y\\_z\\{\\}\\\\\\emdash\\unknownword42 end\\line next\\par\r\n"
    "}\r\n";

TEST(ReadRtf, WordProcessorDocument) {
    QTextDocument doc;
    readRtf(wordPadRtf, doc);
    EXPECT_EQ(blockTexts(doc), QString::fromUtf8("你好你好\n"
                                                 "Hello bold it under gone blue marked\n"
                                                 "link\t\u00a0x\u00ady\u2011z{}\\—end\u2028next"));
    ASSERT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);

    const Span song{{}, "宋体", 32, "", "", false, false, false, false};
    Span redSong = song;
    redSong.fg = "#ff0000";
    EXPECT_EQ(runAt(doc, 0), song);
    EXPECT_EQ(runAt(doc, 1), song);
    EXPECT_EQ(runAt(doc, 2), redSong);
    EXPECT_EQ(runAt(doc, 3), redSong);

    struct Expect {
        const char *needle;
        Span props;
    };
    const Expect expects[] = {
        {"Hello", {{}, "Arial", 22, "", "", false, false, false, false}},
        {"bold", {{}, "Arial", 22, "", "", true, false, false, false}},
        {"it", {{}, "Arial", 22, "", "", false, true, false, false}},
        {"under", {{}, "Arial", 22, "", "", false, false, true, false}},
        {"gone", {{}, "Arial", 22, "", "", false, false, false, true}},
        {"blue", {{}, "Arial", 22, "#0000ff", "", false, false, false, false}},
        {"marked", {{}, "Arial", 22, "", "#ff0000", false, false, false, false}},
        {"link", {{}, "Arial", 22, "", "", false, false, false, false}},
    };
    for (const Expect &e : expects) {
        const QTextCursor found = doc.find(e.needle);
        ASSERT_FALSE(found.isNull()) << e.needle;
        EXPECT_EQ(runAt(doc, found.selectionStart()), e.props) << e.needle;
    }
}

// Smaller pieces of other programs' RTF, each showing one rule of the reader.
struct ReadCase {
    const char *name;
    QByteArray rtf;
    QString text;
};

const ReadCase readCases[] = {
    {"FontCharsetDecidesCodePage",
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 SimSun;}"
     "{\\f2\\fcharset136 MingLiU;}}caf\\'e9 \\f1\\'c4\\'e3\\'ba\\'c3\\f2\\'a4\\'a4\\f0\\'e9}",
     QString::fromUtf8("café 你好中é")},
    {"UnmappedByteIsReplacementCharacter", "{\\rtf1\\ansi\\ansicpg932 \\'a0x}",
     QString::fromUtf8("\ufffdx")},
    {"TrailByteAsPlainCharacter", "{\\rtf1\\ansi\\ansicpg936 \\'81@\\'c4\\'e3}",
     QString::fromUtf8("丂你")},
    {"DocumentWithoutCodePageIsWindows1252", "{\\rtf1\\ansi \\'93q\\'94 \\'80}",
     QString::fromUtf8("“q” €")},
    {"UcCountsFallbackCharacters",
     "{\\rtf1\\ansi\\ansicpg936\\uc2\\u20320\\'c4\\'e3\\uc0\\u22909 \\uc1\\u-10176?\\u-9216?!}",
     QString::fromUtf8("你好𠀀!")},
    {"FallbackEndsAtGroupEnd", "{\\rtf1{\\uc3\\u20320}X{\\uc2\\u22909\\'ba\\'c3Y}}",
     QString::fromUtf8("你X好Y")},
    {"HiddenTextAndUnknownDestinations",
     "{\\rtf1 a{\\v hidden}b{\\*\\bkmkstart x}{\\*\\unknown {nested} text}c\\v d\\v0 e}", "abce"},
    {"PlainResetsAndParagraphMarks", "{\\rtf1 \\b x\\plain y\\page z\\sect w\\\r\nv}",
     "xy\nz\nw\nv"},
    {"LeadingByteOrderMarkAndSpace", "\xef\xbb\xbf \r\n{\\rtf1 ok}", "ok"},
    {"TruncatedInText", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello\\par Wor", "Hello\nWor"},
    {"TruncatedInsideFontTable", "{\\rtf1{\\fonttbl{\\f0 Ari", ""},
    {"TruncatedAfterLeadByte", "{\\rtf1\\ansicpg936 \\'c4\\'e3\\'c4", QString::fromUtf8("你")},
    {"TruncatedInControlWord", "{\\rtf1 ab\\pa", "ab"},
    {"TruncatedAfterBackslash", "{\\rtf1 ab\\", "ab"},
    {"TruncatedHexDigit", "{\\rtf1 ab\\'4", "ab"},
    {"ExtraClosingBraceEndsDocument", "{\\rtf1 a}b}c", "a"},
    {"MissingClosingBraces", "{\\rtf1 {{{{a\\par b", "a\nb"},
    {"DeepNesting", "{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "!}",
     "deep!"},
    {"HugeBinaryLength", "{\\rtf1 a{\\bin999999999999 }}}b}", "a"},
    {"HugeParametersAndBadIndexes", "{\\rtf1\\fs99999999999999\\cf99\\f42\\highlight-5 x}", "x"},
    {"GarbageControlCharacters", QByteArray("{\\rtf1 a\0\x01\x7f\\'0a\\'0db}", 21),
     "a\x7f"
     "b"},
};

class ReadPieces : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadPieces, LoadsWhatCanBeRead) {
    QTextDocument doc;
    readRtf(GetParam().rtf, doc);
    EXPECT_EQ(blockTexts(doc), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Pieces, ReadPieces, testing::ValuesIn(readCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReadRtf, RandomBytesAfterHeaderNeverCrash) {
    std::mt19937 random(20240601);
    // Bytes weighted towards RTF's own syntax so that the damage reaches every state.
    const char syntax[] = "{}\\'*;0123456789-abcdefuflrtbinpaxv ";
    for (int round = 0; round < 200; ++round) {
        QByteArray rtf = round % 2 ? "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 A;}}"
                                     "{\\colortbl;\\red1\\green2\\blue3;}\\f0 "
                                   : "{\\rtf1 ";
        const int length = int(random() % 2000);
        for (int i = 0; i < length; ++i) {
            const unsigned r = random();
            rtf.append(r % 3 ? syntax[(r >> 8) % (sizeof syntax - 1)] : char(r >> 8));
        }
        QTextDocument doc;
        readRtf(rtf, doc);
        for (const QChar c : doc.toPlainText())
            ASSERT_TRUE(c >= ' ' || c == '\t' || c == '\n')
                << "round " << round << " U+" << std::hex << int(c.unicode());
        writeRtf(doc); // what was loaded can be saved again
    }
}

TEST(ReadRtf, RejectsInputThatIsNotRtf) {
    for (const QByteArray &input :
         {QByteArray(), QByteArray("   "), QByteArray("hello"), QByteArray("{\\rt"),
          QByteArray("{rtf1 x}"), QByteArray("<html><body>{\\rtf1}</body></html>"),
          QByteArray("\0{\\rtf1 x}", 10), QByteArray("\\rtf1 x}")}) {
        QTextDocument doc;
        doc.setPlainText("kept");
        EXPECT_THROW(readRtf(input, doc), RtfError) << input.constData();
        EXPECT_EQ(doc.toPlainText(), "kept");
    }
}

} // namespace
