// Skins: Qt style sheets; "Cyan Night" is built in, the others are read from style/<name>.vsf.
#pragma once

#include <QString>
#include <QStringList>

inline const QString kBuiltInSkin = QStringLiteral("Cyan Night");

// The skin names of the menu, in order.
QStringList skinNames();
// File of a skin: "style/" + the name without blanks + ".vsf", against the working directory.
QString skinFilePath(const QString &name);
// Style sheet of the built-in skin.
QString builtInSkinSheet();
// Switches the whole program to `sheet`.
void applySkinSheet(const QString &sheet);
