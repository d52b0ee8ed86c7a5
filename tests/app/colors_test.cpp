#include "app/colors.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(StoredColorTest, RgbColoursRoundTripWithRedInTheLowestByte) {
    const struct {
        qint32 stored;
        QColor color;
    } cases[] = {
        {0, QColor(0, 0, 0)},
        {255, QColor(255, 0, 0)}, // "背景颜色=255" is red
        {0x00FF00, QColor(0, 255, 0)},
        {0xFF0000, QColor(0, 0, 255)},
        {16777215, QColor(255, 255, 255)}, // the default background
        {0x123456, QColor(0x56, 0x34, 0x12)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(fromStoredColor(c.stored), c.color);
        EXPECT_EQ(toStoredColor(c.color), c.stored);
        EXPECT_FALSE(isStoredSystemColor(c.stored));
    }
    EXPECT_EQ(toStoredColor(QColor(10, 20, 30, 40)), 0x1E140A); // alpha is not kept
}

TEST(StoredColorTest, SystemColoursComeFromThePalette) {
    const QPalette p = QApplication::palette();
    const struct {
        qint32 stored;
        QColor color;
    } cases[] = {
        {-16777208, p.color(QPalette::Active, QPalette::Text)}, // window text, the default
        {kStoredWindowText, p.color(QPalette::Active, QPalette::Text)},
        {qint32(0xFF000005u), p.color(QPalette::Active, QPalette::Base)},      // window
        {qint32(0xFF00000Du), p.color(QPalette::Active, QPalette::Highlight)}, // highlight
        {qint32(0xFF00000Eu), p.color(QPalette::Active, QPalette::HighlightedText)},
        {qint32(0xFF00000Fu), p.color(QPalette::Active, QPalette::Button)}, // button face
        {qint32(0xFF000012u), p.color(QPalette::Active, QPalette::ButtonText)},
        {qint32(0xFF000011u), p.color(QPalette::Disabled, QPalette::Text)}, // grey text
        {qint32(0xFF00001Au), p.color(QPalette::Active, QPalette::Link)},   // hot light
        {qint32(0xFF0000C8u), QColor(Qt::black)},                           // no such number
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_TRUE(isStoredSystemColor(c.stored));
        EXPECT_EQ(fromStoredColor(c.stored), c.color);
    }
    EXPECT_EQ(QString::number(kStoredWindowText), "-16777208");
    EXPECT_EQ(QString::number(kStoredWhite), "16777215");
}

} // namespace
