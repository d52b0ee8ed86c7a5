#include "dataaccess/configuration.h"
#include "dataaccess/hiddentext.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(HiddenTextTest, EachPairAfterTheFirstGivesOneCharacter) {
    struct Case {
        const char *hidden;
        const char *key;
        QString plain;
    } cases[] = {
        {"0000", "t", QStringLiteral("t")},        // c = 0 xor 't' = 116, prev 0 < c
        {"1074", "t", QString(QChar(255 - 16))},   // c = 0, prev 16 > c: 0 + 255 - 16
        {"7400", "t", QString(QChar(255))},        // prev == c: 255, not 256
        {"FF8B", "t", QString(QChar(255))},        // c = 0xFF == prev
        {"01FE", "t", QString(QChar(0x8A - 1))},   // c = 0xFE ^ 0x74 = 0x8A
        {"00000000", "ab", QStringLiteral("aba")}, // the key restarts after its last character
        {"5A", "t", QString()},                    // a single pair yields nothing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hidden);
        EXPECT_EQ(unhidetext(QString::fromLatin1(c.hidden), QString::fromLatin1(c.key)), c.plain);
    }
}

TEST(HiddenTextTest, TheKeyIsUsedInTurnFromItsFirstCharacter) {
    // All pairs zero: each output character is the key character itself.
    EXPECT_EQ(unhidetext(QString(20, QLatin1Char('0')), kHiddenTextKey),
              QStringLiteral("tqwnmzetq"));
    EXPECT_EQ(unhidetext(QStringLiteral("0000"), kHiddenTextKey), QStringLiteral("t"));
    // The key's whole 16-bit code takes part, not only its low byte.
    EXPECT_EQ(unhidetext(QStringLiteral("0000"), QStringLiteral("之")), QStringLiteral("之"));
    // Lower-case digits read the same.
    EXPECT_EQ(unhidetext(QStringLiteral("ff8b"), QStringLiteral("t")),
              unhidetext(QStringLiteral("FF8B"), QStringLiteral("t")));
}

TEST(HiddenTextTest, HidingAndUnhidingGiveTheTextBack) {
    QString everyCode;
    for (int code = 1; code <= 255; ++code)
        everyCode += QChar(code);
    const QString texts[] = {QStringLiteral("kelvaro-catalogue"), QStringLiteral("A"), everyCode,
                             QString(QChar(255)) + QChar(1) + QChar(255), QString()};
    for (const QString &text : texts)
        for (int seed : {0x00, 0x5A, 0xFF})
            for (const QString &key : {kHiddenTextKey, QStringLiteral("k")}) {
                SCOPED_TRACE(QStringLiteral("%1 seed %2 key %3")
                                 .arg(text.left(8))
                                 .arg(seed)
                                 .arg(key)
                                 .toStdString());
                const QString hidden = hidetext(text, key, seed);
                EXPECT_EQ(hidden.size(), 2 * (text.size() + 1));
                EXPECT_TRUE(
                    QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(hidden).hasMatch());
                if (text.isEmpty()) continue; // fewer than two pairs: nothing to unhide
                EXPECT_EQ(unhidetext(hidden, key), text);
            }
}

TEST(HiddenTextTest, EveryConfiguredValueUnhidesToItsLength) {
    const Configuration config;
    struct Case {
        const char *name;
        QString hidden;
        QString plain;
        int length;
    } cases[] = {
        {"key 1", config.hiddenKey1, config.key1(), 17},
        {"key 2", config.hiddenKey2, config.key2(), 15},
        {"user", config.hiddenUser, config.serverUser(), 11},
        {"password", config.hiddenPassword, config.serverPassword(), 17},
        {"database", config.hiddenDatabase, config.serverDatabase(), 7},
    };
    const QRegularExpression hex(QStringLiteral("^([0-9A-F]{2})+$"));
    // Printable ASCII without quotes or backslashes: safe as a key text, user name and password.
    const QRegularExpression plain(QStringLiteral("^[!#-&(-\\[\\]-~]+$"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(hex.match(c.hidden).hasMatch()) << c.hidden.toStdString();
        EXPECT_EQ(c.plain.size(), c.length);
        EXPECT_EQ(c.plain, unhidetext(c.hidden, kHiddenTextKey));
        EXPECT_TRUE(plain.match(c.plain).hasMatch()) << c.plain.toStdString();
    }
    EXPECT_NE(config.key1(), config.key2());
}

} // namespace
