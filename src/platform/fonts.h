// Font fallbacks, so Chinese (CJK Extension B included) never shows as boxes and the font
// names the program was designed with map to installed fonts.
#pragma once

#include <QString>

void installFontFallbacks();
// The installed family that stands in for a family name the settings may hold.
QString resolveFontFamily(const QString &family);
