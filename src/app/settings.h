// The settings file "Kelvaro.ini", section "Kelvaro".
#pragma once

#include <QString>

inline const QString kSettingsSection = QStringLiteral("Kelvaro");
inline const QString kSettingsFileName = QStringLiteral("Kelvaro.ini");

// Next to the executable when that folder is writable or already holds the file; otherwise
// ~/.config/Kelvaro/Kelvaro.ini (an installed program cannot write next to /usr/bin).
QString defaultSettingsPath();
