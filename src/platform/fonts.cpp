#include "platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {
const QStringList kSansCjk = {"Noto Sans CJK SC", "Noto Sans CJK TC", "HanaMinA", "HanaMinB"};
const QStringList kSerifCjk = {"Noto Serif CJK SC", "Noto Serif CJK TC", "HanaMinA", "HanaMinB"};
} // namespace

void installFontFallbacks() {
    // Names of the fonts the windows were designed with, mapped to installed families.
    QFont::insertSubstitutions("Microsoft JhengHei", QStringList{"Noto Sans CJK TC"} + kSansCjk);
    QFont::insertSubstitutions("微软正黑体", QStringList{"Noto Sans CJK TC"} + kSansCjk);
    QFont::insertSubstitutions("新宋体", kSerifCjk);
    QFont::insertSubstitutions("宋体", kSerifCjk);
    QFont::insertSubstitutions("Tahoma", QStringList{"DejaVu Sans"} + kSansCjk);
    QFont font = QApplication::font();
    font.setFamilies(QStringList{"DejaVu Sans"} + kSansCjk);
    QApplication::setFont(font);
}

QString resolveFontFamily(const QString &family) {
    if (QFontDatabase::hasFamily(family)) return family;
    for (const QString &candidate : QFont::substitutes(family))
        if (QFontDatabase::hasFamily(candidate)) return candidate;
    for (const QString &candidate : kSansCjk)
        if (QFontDatabase::hasFamily(candidate)) return candidate;
    return family;
}
