// Colours as the settings file keeps them: 0x00BBGGRR for an RGB colour (red in the lowest
// byte), 0xFF0000nn for the system colour number nn, written as signed decimal, so the
// system colour for window text is stored as -16777208.
#pragma once

#include <QColor>
#include <QtGlobal>

// The system colour numbers the settings may name.
enum SystemColor : int {
    kScrollBar = 0,
    kDesktop = 1,
    kActiveCaption = 2,
    kInactiveCaption = 3,
    kMenu = 4,
    kWindow = 5,
    kWindowFrame = 6,
    kMenuText = 7,
    kWindowText = 8,
    kCaptionText = 9,
    kActiveBorder = 10,
    kInactiveBorder = 11,
    kAppWorkspace = 12,
    kHighlight = 13,
    kHighlightText = 14,
    kButtonFace = 15,
    kButtonShadow = 16,
    kGrayText = 17,
    kButtonText = 18,
    kInactiveCaptionText = 19,
    kButtonHighlight = 20,
    kDarkShadow3D = 21,
    kLight3D = 22,
    kInfoText = 23,
    kInfoBackground = 24,
    kHotLight = 26,
    kGradientActiveCaption = 27,
    kGradientInactiveCaption = 28,
    kMenuHighlight = 29,
    kMenuBar = 30,
};

inline constexpr qint32 kStoredSystemColor = qint32(0xFF000000u);
// The stored forms of the reader's default colours.
inline constexpr qint32 kStoredWindowText = kStoredSystemColor | kWindowText; // -16777208
inline constexpr qint32 kStoredWhite = 0x00FFFFFF;                            // 16777215

// The stored number of an RGB colour (alpha is dropped).
qint32 toStoredColor(const QColor &color);
// A stored number as a colour: RGB as it is, system colours from the application's palette
// (an unknown system colour number gives black, as the system gives for it).
QColor fromStoredColor(qint32 stored);
bool isStoredSystemColor(qint32 stored);
// The palette colour that stands for a system colour number.
QColor systemColor(int number);
