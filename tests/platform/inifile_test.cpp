#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kSection = QStringLiteral("Kelvaro");

TEST(IniFileTest, ChineseKeysRoundTripAndStayReadableInTheFile) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Kelvaro.ini")));
    ASSERT_TRUE(ini.WriteString(kSection, QStringLiteral("最后检索"), QStringLiteral("李白 杜甫")));
    ASSERT_TRUE(ini.WriteString(kSection, QStringLiteral("文字颜色"), QStringLiteral("-16777208")));
    ASSERT_TRUE(ini.WriteString(kSection, QStringLiteral("最后检索"), QStringLiteral("蘇軾")));
    EXPECT_EQ(ini.ReadString(kSection, QStringLiteral("最后检索"), QString()),
              QStringLiteral("蘇軾"));
    EXPECT_EQ(ini.ReadInteger(kSection, QStringLiteral("文字颜色"), 0), -16777208);

    QFile file(ini.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text, QStringLiteral("[Kelvaro]\r\n最后检索=蘇軾\r\n文字颜色=-16777208\r\n"));
}

TEST(IniFileTest, DefaultsForMissingFileKeyAndNonIntegerValues) {
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("Kelvaro.ini")));
    EXPECT_EQ(ini.ReadString(kSection, QStringLiteral("皮肤"), QStringLiteral("Cyan Night")),
              QStringLiteral("Cyan Night"));
    EXPECT_EQ(ini.ReadInteger(kSection, QStringLiteral("文字大小"), 14), 14);
    EXPECT_TRUE(ini.ReadBool(kSection, QStringLiteral("不查佛道"), true));

    struct Case {
        const char *value;
        int integer; // default 14
        bool flag;   // default true
    } cases[] = {{"abc", 14, true}, {"", 14, true},   {"12abc", 14, true}, {"0", 0, false},
                 {"1", 1, true},    {"-3", -3, true}, {" 20 ", 20, true},  {"2.5", 14, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        ini.WriteString(kSection, QStringLiteral("文字大小"), QString::fromUtf8(c.value));
        EXPECT_EQ(ini.ReadInteger(kSection, QStringLiteral("文字大小"), 14), c.integer);
        EXPECT_EQ(ini.ReadBool(kSection, QStringLiteral("文字大小"), true), c.flag);
    }
}

TEST(IniFileTest, OtherSectionsAndForeignLinesAreKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvaro.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Other]\nx=1\n[Kelvaro]\n; note\n语音=2\n");
    file.close();
    IniFile ini(path);
    ASSERT_TRUE(ini.WriteString(kSection, QStringLiteral("语速"), QStringLiteral("-5")));
    EXPECT_EQ(ini.ReadInteger(kSection, QStringLiteral("语音"), 0), 2);
    EXPECT_EQ(ini.ReadInteger(kSection, QStringLiteral("语速"), 0), -5);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Other"), QStringLiteral("x"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("Other"), QStringLiteral("语音"), QStringLiteral("none")),
        QStringLiteral("none"));
}

TEST(IniFileTest, AFailedWriteReportsFalseAndDoesNotCrash) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    IniFile ini(dir.filePath(QStringLiteral("not-a-folder/Kelvaro.ini")));
    EXPECT_FALSE(ini.WriteString(kSection, QStringLiteral("皮肤"), QStringLiteral("Luna")));
    EXPECT_EQ(ini.ReadString(kSection, QStringLiteral("皮肤"), QStringLiteral("Cyan Night")),
              QStringLiteral("Cyan Night"));
}
} // namespace
