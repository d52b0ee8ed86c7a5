// Dictionary entries as the pane shows them: the statements that find one row, the rows, and
// the layouts of character and word entries. Every line break is CR LF.
#pragma once

#include <QString>

class TUniQuery;

namespace dictionary {

// A row of the character table zizi.
struct ZiziRow {
    QString zi, py, bs, bhs, guyi, jb, xx;
};
// A row of the Kangxi dictionary table kxzd.
struct KangxiRow {
    QString a, yin, uc, b, d;
};
// A row of a word table (cidian or ncidian).
struct WordRow {
    QString ci, py, js;
};

// "select * from zizi where zi='…' limit 1"
QString ziziSql(const QString &zi);
// "select * from kxzd where a='…' " (the trailing space belongs to it)
QString kangxiSql(const QString &zi);
// "select * from <table> where ci='…' limit 1"
QString wordSql(const QString &table, const QString &word);

// The current row of an open query, every column read as text.
ZiziRow ziziRow(const TUniQuery &query);
KangxiRow kangxiRow(const TUniQuery &query);
WordRow wordRow(const TUniQuery &query);

// Character, ideographic space, pinyin; radical; stroke count; ancient meanings.
QString shortEntry(const ZiziRow &row);
// The short entry, then the modern dictionary's explanation and, when there is one, the
// detailed explanation.
QString modernEntry(const ZiziRow &row);
// The modern dictionary alone: no ancient meanings, one line break before its heading.
QString xinhuaEntry(const ZiziRow &row);
// The detailed section appended after the modern explanation; empty when `xx` is blank.
QString detailSection(const QString &xx);
// The Kangxi entry from its heading on: heading, character, pinyin and Unicode lines when
// present, the two parts of the entry text.
QString kangxiEntry(const KangxiRow &row);
// The word entry of a selection in the reader: no heading, a line break before and after.
QString selectionWordEntry(const WordRow &row);
// The word entry of a typed word: a heading, no trailing line break.
QString typedWordEntry(const WordRow &row);

} // namespace dictionary
