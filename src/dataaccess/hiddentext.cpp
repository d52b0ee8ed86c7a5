#include "dataaccess/hiddentext.h"

QString unhidetext(const QString &hidden, const QString &key) {
    QString out;
    if (hidden.size() < 4 || key.isEmpty()) return out;
    int prev = hidden.left(2).toInt(nullptr, 16);
    int k = 0;
    for (int i = 2; i + 1 < hidden.size(); i += 2) {
        const int cur = hidden.mid(i, 2).toInt(nullptr, 16);
        const int c = cur ^ key[k].unicode();
        k = (k + 1) % key.size();
        out.append(QChar(prev < c ? c - prev : c + 255 - prev));
        prev = cur;
    }
    return out;
}

QString hidetext(const QString &plain, const QString &key, int seed) {
    QString hidden = QStringLiteral("%1").arg(seed & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    int prev = seed & 0xFF;
    int k = 0;
    for (const QChar ch : plain) {
        const int code = ch.unicode();
        // c - prev when prev < c, c + 255 - prev otherwise: pick the c that gives `code`.
        const int c = prev + code <= 255 ? prev + code : prev + code - 255;
        const int cur = c ^ key[k].unicode();
        k = (k + 1) % key.size();
        hidden += QStringLiteral("%1").arg(cur & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
        prev = cur;
    }
    return hidden;
}
