#include "ui/text/StoredColorPalette.h"

#include <QGuiApplication>

namespace pexa {

PaletteRole PaletteRoleOf(SystemColor color) {
    switch (color) {
    case SystemColor::Window:
    case SystemColor::Menu:
        return {QPalette::Active, QPalette::Base};
    case SystemColor::WindowText:
        return {QPalette::Active, QPalette::Text};
    case SystemColor::ButtonText:
        return {QPalette::Active, QPalette::ButtonText};
    case SystemColor::GreyText:
        return {QPalette::Disabled, QPalette::Text};
    case SystemColor::ButtonShadow:
        return {QPalette::Active, QPalette::Dark};
    case SystemColor::MenuText:
        return {QPalette::Active, QPalette::WindowText};
    case SystemColor::Highlight:
        return {QPalette::Active, QPalette::Highlight};
    case SystemColor::HighlightText:
        return {QPalette::Active, QPalette::HighlightedText};
    case SystemColor::ButtonHighlight:
        return {QPalette::Active, QPalette::Light};
    case SystemColor::DarkShadow:
        return {QPalette::Active, QPalette::Shadow};
    case SystemColor::Light:
        return {QPalette::Active, QPalette::Midlight};
    case SystemColor::ToolTipText:
        return {QPalette::Active, QPalette::ToolTipText};
    case SystemColor::ToolTipBase:
        return {QPalette::Active, QPalette::ToolTipBase};
    case SystemColor::ButtonFace:
        break;
    }
    return {QPalette::Active, QPalette::Button};
}

QColor ColorOf(Rgb color) {
    return QColor(color.Red, color.Green, color.Blue);
}

QColor ColorOf(const StoredColor& color, const QPalette& palette) {
    if (const auto* rgb = std::get_if<Rgb>(&color))
        return ColorOf(*rgb);
    const PaletteRole at = PaletteRoleOf(std::get<SystemColor>(color));
    return palette.color(at.Group, at.Role);
}

QColor ColorOf(StoredColorValue value) {
    return ColorOf(DecodeStoredColor(value), QGuiApplication::palette());
}

Rgb RgbOf(const QColor& color) {
    const QColor rgb = color.isValid() ? color.toRgb() : QColor(Qt::black);
    return Rgb{static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
               static_cast<std::uint8_t>(rgb.blue())};
}

} // namespace pexa
