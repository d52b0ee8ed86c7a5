// Values the program is built with, outside the settings file: the five website base
// addresses, the database server, the contact lines of the welcome text and the hidden keys
// and credentials. One place, handed to the main window, so tests can supply their own.
#pragma once

#include <QString>

struct Configuration {
    // Base addresses: scheme and host, no trailing slash. Under the reserved .example domain,
    // so nothing real is ever contacted by surprise.
    QString productSite = QStringLiteral("https://www.kelvaro.example");
    QString forumSite = QStringLiteral("https://bbs.kelvaro.example");
    QString diskSearchSite = QStringLiteral("https://pan.kelvaro.example");
    QString variantDictionarySite = QStringLiteral("https://yiti.kelvaro.example");
    QString imageEditionSite = QStringLiteral("https://siku.kelvaro.example");

    // Database server of the online edition.
    QString serverHost = QStringLiteral("db.kelvaro.example");
    int serverPort = 3306;

    // Contact lines of the welcome text.
    QString qqGroup = QStringLiteral("100000001");
    QString email = QStringLiteral("service@kelvaro.example");
    QString authorQQ = QStringLiteral("100000002");

    // Hidden texts (see hiddentext.h): key 1 of the catalogue file, key 2 of the second text
    // database, and the server's user name, password and database name.
    QString hiddenKey1 = QStringLiteral("5AD146C552DE2BFF59C14DD757FE54F052FF");
    QString hiddenKey2 = QStringLiteral("5AD146C552DE2BFF59DC35C355F84EF0");
    QString hiddenUser = QStringLiteral("5AB166A572BE4BDF4BCC46D6");
    QString hiddenPassword = QStringLiteral("5AD139110D1FFA3AEB2F2B151BF40D4EF15F");
    QString hiddenDatabase = QStringLiteral("5AB166A572BE4BDF");

    // Host name of the product website, as the user reads it in messages ("www.kelvaro.example").
    QString productHost() const;
    // Its domain without a leading "www.": the welcome and failure texts contain it.
    QString productDomain() const;

    QString key1() const;
    QString key2() const;
    QString serverUser() const;
    QString serverPassword() const;
    QString serverDatabase() const;
};
