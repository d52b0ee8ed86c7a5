#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultSettingsPath() {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = QDir(folder).filePath(kSettingsFileName);
    if (QFileInfo::exists(beside) || QFileInfo(folder).isWritable()) return beside;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Kelvaro/") + kSettingsFileName);
}
