// RTF for the reader pane: the pane's document is saved as RTF to the chapter cache files and
// to exported ".rtf" and ".doc" files, and RTF files written by other programs are loaded back.
//
// writeRtf keeps what the pane uses: font family and size, foreground and background colour,
// bold, italic, underline, strike-out, paragraph alignment, tabs and line breaks. Its output
// is pure 7-bit ASCII: every character outside ASCII is a \uN escape with "?" as fallback.
//
// readRtf takes what writeRtf writes and the usual RTF of word processors: code pages for
// \'hh bytes (the document's \ansicpgN or a font's \fcharsetN / \cpgN), \uN with \ucN
// fallbacks, the font and colour tables, character and paragraph formatting, and it skips
// destinations it does not show (pictures, headers, style sheets, {\*\...} groups). Damaged
// input (truncated, unbalanced braces, stray bytes) loads as far as it can be read.
#pragma once

#include <QByteArray>
#include <stdexcept>

class QTextDocument;

struct RtfError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The whole document as RTF.
QByteArray writeRtf(const QTextDocument &doc);

// Replaces the content of doc with the RTF text. Throws RtfError, leaving doc untouched, when
// the input does not start with "{\rtf" (leading white space and a UTF-8 byte-order mark are
// allowed).
void readRtf(const QByteArray &rtf, QTextDocument &doc);
