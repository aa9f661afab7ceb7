#include "ui/toolkit/SystemColors.h"

#include <QGuiApplication>

namespace pexa {

namespace {

struct TRoleOf {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Besides the six colours the program names, the other classic indexes get
// their nearest palette role, so that a settings file written elsewhere
// still shows something sensible.
TRoleOf RoleOf(int index) {
    switch (index) {
    case 4: // menu
    case 5: // window
        return {QPalette::Active, QPalette::Base};
    case 7: // menu text
        return {QPalette::Active, QPalette::WindowText};
    case 8: // window text
        return {QPalette::Active, QPalette::Text};
    case 13: // highlight
        return {QPalette::Active, QPalette::Highlight};
    case 14: // highlight text
        return {QPalette::Active, QPalette::HighlightedText};
    case 16: // button shadow
        return {QPalette::Active, QPalette::Dark};
    case 17: // grey text
        return {QPalette::Disabled, QPalette::Text};
    case 18: // button text
        return {QPalette::Active, QPalette::ButtonText};
    case 20: // button highlight
        return {QPalette::Active, QPalette::Light};
    case 21: // dark shadow
        return {QPalette::Active, QPalette::Shadow};
    case 22: // 3-D light
        return {QPalette::Active, QPalette::Midlight};
    case 23: // tooltip text
        return {QPalette::Active, QPalette::ToolTipText};
    case 24: // tooltip background
        return {QPalette::Active, QPalette::ToolTipBase};
    case 15: // button face
    default:
        return {QPalette::Active, QPalette::Button};
    }
}

} // namespace

QColor SystemColorByIndex(int index, const QPalette& palette) {
    const TRoleOf at = RoleOf(index);
    return palette.color(at.group, at.role);
}

QColor SystemColor(TSystemColor color, const QPalette& palette) {
    return SystemColorByIndex(static_cast<int>(color), palette);
}

QColor SystemColor(TSystemColor color) {
    return SystemColor(color, QGuiApplication::palette());
}

QColor ColorFromValue(TColorValue value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (IsSystemColorValue(value))
        return SystemColorByIndex(static_cast<int>(bits & 0xFFu), palette);
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

QColor ColorFromValue(TColorValue value) {
    return ColorFromValue(value, QGuiApplication::palette());
}

TColorValue ValueFromColor(const QColor& color) {
    const QColor rgb = color.isValid() ? color.toRgb() : QColor(Qt::black);
    const auto r = static_cast<std::uint32_t>(rgb.red());
    const auto g = static_cast<std::uint32_t>(rgb.green());
    const auto b = static_cast<std::uint32_t>(rgb.blue());
    return static_cast<TColorValue>(r | (g << 8) | (b << 16));
}

} // namespace pexa
