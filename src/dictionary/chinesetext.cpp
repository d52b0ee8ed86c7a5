#include "dictionary/chinesetext.h"

#include <QStringEncoder>

bool isChineseText(const QString &text) {
    // A character beyond the Basic Multilingual Plane is two code units and one substitute
    // byte. Counted over the whole text, each one would cancel a two-byte character out ("𠀀之"
    // would fail), so any such character passes on its own.
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) return true;
    if (text.isEmpty()) return false;
    // Without them every character is one code unit and one or two bytes.
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(text);
    return bytes.size() != text.size();
}

QString firstCharacter(const QString &text) {
    if (text.isEmpty()) return QString();
    const bool pair = text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate();
    return text.left(pair ? 2 : 1);
}

namespace {
bool isBlank(QChar c) {
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}
} // namespace

QString trimSpaces(const QString &text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString withoutQuotes(QString text) {
    return text.remove(QLatin1Char('\''));
}
