// Keys and credentials are kept in the program as hidden texts of hexadecimal digit pairs and
// turned back into plain text at start.
#pragma once

#include <QString>

// The key text every stored hidden value is made with.
inline const QString kHiddenTextKey = QStringLiteral("tqwnmze");

// Plain text of a hidden text: each pair after the first, XORed with the next key character,
// minus the previous raw pair (wrapping at 255, not 256).
QString unhidetext(const QString &hidden, const QString &key);

// The inverse, for characters with codes 1 to 255: what unhidetext turns back into `plain`.
// `seed` is the first pair's value.
QString hidetext(const QString &plain, const QString &key, int seed = 0x5A);
