#include "dictionary/chinesetext.h"

#include <QStringEncoder>

bool isChineseText(const QString &text) {
    if (text.isEmpty()) return false;
    QStringEncoder gbk("GBK");
    // Characters GBK cannot hold come out as one substitute byte each.
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
