#include "app/skins.h"

#include "app/Unit2.h"
#include "app/settings.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QMenu>

QStringList skinNames() {
    return QStringLiteral(
               "Amethyst Kamri|Iceberg Classico|Cyan Night|Auric|Lavender Classico|"
               "Emerald Light Slate|Luna|Cyan Dusk|Silver|Aqua Light Slate|Slate Classico|"
               "Sapphire Kamri|Metropolis UI Blue|Turquoise Gray|Light|Metropolis UI Green|"
               "Smokey Quartz Kamri")
        .split(QLatin1Char('|'));
}

QString skinFilePath(const QString &name) {
    QString file = name;
    file.remove(QLatin1Char(' '));
    return QStringLiteral("style/") + file + QStringLiteral(".vsf");
}

QString builtInSkinSheet() {
    QFile file(QStringLiteral(":/skins/CyanNight.qss"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

void applySkinSheet(const QString &sheet) {
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        app->setStyleSheet(sheet);
}

void TForm2::loadskin(const QString &name) {
    // A skin file that is missing or unreadable leaves the skin in use.
    QFile file(skinFilePath(name));
    if (!file.open(QIODevice::ReadOnly)) return;
    applySkinSheet(QString::fromUtf8(file.readAll()));
}

void TForm2::buildskinmenu() {
    const QString stored = ini().ReadString(kSettingsSection, QStringLiteral("皮肤"), kBuiltInSkin);
    skinGroup = new QActionGroup(this);
    for (const QString &name : skinNames()) {
        QAction *item = pf->addAction(name);
        skinGroup->addAction(item);
        tick(item, name == stored);
        connect(item, &QAction::triggered, this,
                [this, item] { guarded(OnError::Report, [&] { changepf(item); }); });
    }
}

void TForm2::changepf(QAction *) {}
