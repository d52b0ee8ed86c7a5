// Text rules shared by the dictionary lookups and the searches.
#pragma once

#include <QString>

// The Chinese-character test: true when the text's number of UTF-16 code units differs from
// its number of bytes in code page 936 (GBK), whatever the system's locale; in practice when it
// holds a Chinese character or a full-width sign. An empty or pure ASCII text fails. A character
// GBK cannot hold counts as one byte, so a character beyond the Basic Multilingual Plane (two
// code units) passes, and it does so also beside two-byte characters whose count it would
// otherwise cancel out.
bool isChineseText(const QString &text);

// The first character a reader sees, as a text: a surrogate pair is never split. Empty for an
// empty text.
QString firstCharacter(const QString &text);

// The text without leading and trailing spaces and control characters: ASCII blanks and
// controls, the ideographic space U+3000 and the paragraph separators a selection holds.
QString trimSpaces(const QString &text);

// The text without any single quote "'".
QString withoutQuotes(QString text);
