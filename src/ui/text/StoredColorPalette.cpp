#include "ui/text/StoredColorPalette.h"

#include <QGuiApplication>

#include <iterator>

namespace pexa {

namespace {

// Where each system colour of the settings file stands in Qt's palette, in
// the order of SystemColor.
struct PaletteRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};
constexpr PaletteRole kSystemColorRoles[] = {
    {QPalette::Active, QPalette::Button},          // ButtonFace
    {QPalette::Active, QPalette::Base},            // Window
    {QPalette::Active, QPalette::Text},            // WindowText
    {QPalette::Active, QPalette::ButtonText},      // ButtonText
    {QPalette::Disabled, QPalette::Text},          // GreyText
    {QPalette::Active, QPalette::Dark},            // ButtonShadow
    {QPalette::Active, QPalette::Base},            // Menu
    {QPalette::Active, QPalette::WindowText},      // MenuText
    {QPalette::Active, QPalette::Highlight},       // Highlight
    {QPalette::Active, QPalette::HighlightedText}, // HighlightText
    {QPalette::Active, QPalette::Light},           // ButtonHighlight
    {QPalette::Active, QPalette::Shadow},          // DarkShadow
    {QPalette::Active, QPalette::Midlight},        // Light
    {QPalette::Active, QPalette::ToolTipText},     // ToolTipText
    {QPalette::Active, QPalette::ToolTipBase},     // ToolTipBase
};
static_assert(std::size(kSystemColorRoles) == std::size(detail::kSystemColorIndexes));

} // namespace

QColor ColorOf(Rgb color) {
    return QColor(color.Red, color.Green, color.Blue);
}

QColor ColorOf(const StoredColor& color, const QPalette& palette) {
    if (const auto* rgb = std::get_if<Rgb>(&color))
        return ColorOf(*rgb);
    const PaletteRole at =
        kSystemColorRoles[static_cast<std::size_t>(std::get<SystemColor>(color))];
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
