#include "app/colors.h"

#include <QApplication>
#include <QPalette>

qint32 toStoredColor(const QColor &color) {
    const QColor rgb = color.toRgb();
    return qint32((quint32(rgb.blue()) << 16) | (quint32(rgb.green()) << 8) | quint32(rgb.red()));
}

bool isStoredSystemColor(qint32 stored) {
    return stored < 0;
}

QColor fromStoredColor(qint32 stored) {
    if (isStoredSystemColor(stored)) return systemColor(stored & 0xFF);
    const quint32 v = quint32(stored);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor systemColor(int number) {
    const QPalette p = QApplication::palette();
    const auto active = [&p](QPalette::ColorRole role) { return p.color(QPalette::Active, role); };
    switch (number) {
    case kScrollBar:
        return active(QPalette::Button);
    case kDesktop:
        return active(QPalette::Dark);
    case kActiveCaption:
        return active(QPalette::Highlight);
    case kInactiveCaption:
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case kMenu:
        return active(QPalette::Window);
    case kWindow:
        return active(QPalette::Base);
    case kWindowFrame:
        return active(QPalette::Shadow);
    case kMenuText:
        return active(QPalette::WindowText);
    case kWindowText:
        return active(QPalette::Text);
    case kCaptionText:
        return active(QPalette::HighlightedText);
    case kActiveBorder:
        return active(QPalette::Window);
    case kInactiveBorder:
        return active(QPalette::Window);
    case kAppWorkspace:
        return active(QPalette::Dark);
    case kHighlight:
        return active(QPalette::Highlight);
    case kHighlightText:
        return active(QPalette::HighlightedText);
    case kButtonFace:
        return active(QPalette::Button);
    case kButtonShadow:
        return active(QPalette::Dark);
    case kGrayText:
        return p.color(QPalette::Disabled, QPalette::Text);
    case kButtonText:
        return active(QPalette::ButtonText);
    case kInactiveCaptionText:
        return p.color(QPalette::Inactive, QPalette::HighlightedText);
    case kButtonHighlight:
        return active(QPalette::Light);
    case kDarkShadow3D:
        return active(QPalette::Shadow);
    case kLight3D:
        return active(QPalette::Midlight);
    case kInfoText:
        return active(QPalette::ToolTipText);
    case kInfoBackground:
        return active(QPalette::ToolTipBase);
    case kHotLight:
        return active(QPalette::Link);
    case kGradientActiveCaption:
        return active(QPalette::Highlight);
    case kGradientInactiveCaption:
        return p.color(QPalette::Inactive, QPalette::Highlight);
    case kMenuHighlight:
        return active(QPalette::Highlight);
    case kMenuBar:
        return active(QPalette::Window);
    default:
        return QColor(Qt::black);
    }
}
