#include "QtColour.h"

#include <QPalette>

namespace numora {

QColor resolveColour(qint32 value, const QPalette &pal)
{
    if (!isSystemColour(value)) {
        const quint32 v = quint32(value);
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    switch (quint32(value) & 0xFF) {
    case 1: return pal.color(QPalette::Window); // desktop
    case 2:
    case 13: return pal.color(QPalette::Highlight); // active caption, highlight
    case 5: return pal.color(QPalette::Base);       // window background
    case 8: return pal.color(QPalette::Text);       // window text
    case 9:
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button); // button face
    case 16: return pal.color(QPalette::Mid);    // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText); // button text
    case 20: return pal.color(QPalette::Light);      // 3D highlight
    case 21: return pal.color(QPalette::Shadow);
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::WindowText);
    }
}

} // namespace numora
