#include "dictionary/entries.h"

#include "dataaccess/sqltext.h"
#include "dictionary/chinesetext.h"
#include "platform/dataaccess.h"

namespace dictionary {

namespace {
const QString kBreak = QStringLiteral("\r\n");
const QString kTwoBreaks = kBreak + kBreak;
const QChar kIdeographicSpace(0x3000);

QString field(const TUniQuery &query, const char *name) {
    return query.FieldByName(QLatin1String(name)).AsString();
}

// Pieces 1 to 3 of a character entry: character and pinyin, radical, stroke count.
QString heading(const ZiziRow &row) {
    return row.zi + kIdeographicSpace + row.py + kBreak + QStringLiteral("部首：") + row.bs +
           kBreak + QStringLiteral("笔画数：") + row.bhs + kBreak;
}

QString labelledLine(const QString &label, const QString &value) {
    return value.isEmpty() ? QString() : label + value + kBreak;
}
} // namespace

QString ziziSql(const QString &zi) {
    return QStringLiteral("select * from zizi where zi='") + sqlText(zi) +
           QStringLiteral("' limit 1");
}

QString kangxiSql(const QString &zi) {
    return QStringLiteral("select * from kxzd where a='") + sqlText(zi) + QStringLiteral("' ");
}

QString wordSql(const QString &table, const QString &word) {
    return QStringLiteral("select * from ") + table + QStringLiteral(" where ci='") +
           sqlText(word) + QStringLiteral("' limit 1");
}

ZiziRow ziziRow(const TUniQuery &q) {
    return {field(q, "zi"),   field(q, "py"), field(q, "bs"), field(q, "bhs"),
            field(q, "guyi"), field(q, "jb"), field(q, "xx")};
}

KangxiRow kangxiRow(const TUniQuery &q) {
    return {field(q, "a"), field(q, "yin"), field(q, "uc"), field(q, "b"), field(q, "d")};
}

WordRow wordRow(const TUniQuery &q) {
    return {field(q, "ci"), field(q, "py"), field(q, "js")};
}

QString shortEntry(const ZiziRow &row) {
    return heading(row) + row.guyi;
}

QString modernEntry(const ZiziRow &row) {
    return shortEntry(row) + kTwoBreaks + QStringLiteral("==新华字典解释==") + kTwoBreaks + row.jb +
           detailSection(row.xx);
}

QString xinhuaEntry(const ZiziRow &row) {
    return heading(row) + QStringLiteral("==新华字典解释==") + kTwoBreaks + row.jb +
           detailSection(row.xx);
}

QString detailSection(const QString &xx) {
    if (trimSpaces(xx).isEmpty()) return QString();
    return kTwoBreaks + QStringLiteral("===详细解释===") + kTwoBreaks + xx;
}

QString kangxiEntry(const KangxiRow &row) {
    return QStringLiteral("==康熙字典解释==") + kTwoBreaks + row.a + kBreak +
           labelledLine(QStringLiteral("【拼音】: "), row.yin) +
           labelledLine(QStringLiteral("【Unicode】: "), row.uc) + row.b + kBreak + row.d;
}

QString selectionWordEntry(const WordRow &row) {
    return kBreak + row.ci + kBreak + row.py + kBreak + row.js + kBreak;
}

QString typedWordEntry(const WordRow &row) {
    return QStringLiteral("==《汉语词典》==") + kBreak + row.ci + kBreak + row.py + kBreak + row.js;
}

} // namespace dictionary
