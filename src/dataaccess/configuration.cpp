#include "dataaccess/configuration.h"

#include "dataaccess/hiddentext.h"

#include <QUrl>

QString Configuration::productHost() const {
    return QUrl(productSite).host();
}

QString Configuration::productDomain() const {
    QString host = productHost();
    if (host.startsWith(QLatin1String("www."))) host.remove(0, 4);
    return host;
}

QString Configuration::key1() const {
    return unhidetext(hiddenKey1, kHiddenTextKey);
}
QString Configuration::key2() const {
    return unhidetext(hiddenKey2, kHiddenTextKey);
}
QString Configuration::serverUser() const {
    return unhidetext(hiddenUser, kHiddenTextKey);
}
QString Configuration::serverPassword() const {
    return unhidetext(hiddenPassword, kHiddenTextKey);
}
QString Configuration::serverDatabase() const {
    return unhidetext(hiddenDatabase, kHiddenTextKey);
}
