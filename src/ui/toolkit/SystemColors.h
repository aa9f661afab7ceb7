#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace pexa {

// The system colours the program uses, by their classic index.
enum class SystemColorId : std::uint8_t {
    Window = 5,        // background of text areas (QPalette::Base)
    WindowText = 8,    // QPalette::Text
    ButtonFace = 15,   // QPalette::Button
    ButtonShadow = 16, // QPalette::Dark
    GrayText = 17,     // disabled QPalette::Text
    ButtonText = 18,   // QPalette::ButtonText
};

// A stored colour is a 32-bit value: 0x00BBGGRR, or a system colour with the
// top bit set and the index in the low byte (button face is 0x8000000F,
// written as the integer -2147483633).
using ColorValue = std::int32_t;

constexpr ColorValue SystemColorValue(SystemColorId color) {
    return static_cast<ColorValue>(0x80000000u | static_cast<std::uint32_t>(color));
}

constexpr bool IsSystemColorValue(ColorValue value) {
    return value < 0;
}

// The palette colour that stands for a system colour. An index that the
// program does not know (a hand-edited settings file) reads as button face.
QColor SystemColor(SystemColorId color, const QPalette& palette);
QColor SystemColor(SystemColorId color); // from the application's palette
QColor SystemColorByIndex(int index, const QPalette& palette);

// A stored value as a colour (system colours through the palette).
QColor ColorFromValue(ColorValue value, const QPalette& palette);
QColor ColorFromValue(ColorValue value); // from the application's palette
// A colour as a stored RGB value 0x00BBGGRR (alpha is not kept).
ColorValue ValueFromColor(const QColor& color);

// Legibility of text against its background: the ratio of the two colours'
// relative luminances (each plus 0.05), from 1 (same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The colour `t` of the way from `from` to `to` (0: from, 1: to), in RGB.
QColor BlendColors(const QColor& from, const QColor& to, double t);

// Body text is legible from this ratio on.
inline constexpr double kReadableContrast = 4.5;

// The colour itself when it stands out from the background by at least
// `minimum`; otherwise the colour moved just far enough towards black or
// white (whichever the background contrasts with more) to reach it, so that
// its hue is kept where it can be. A background that allows no such colour
// gets the extreme.
QColor Legible(const QColor& color, const QColor& background, double minimum = kReadableContrast);

// Text that must read as "not a result" (a message, a value the mode cannot
// show): the palette's grey text, moved towards the normal text colour until
// it is legible on the background.
QColor LegibleGreyText(const QPalette& palette, const QColor& background);

// The colours of controls drawn on a body colour the user chose: the body
// is their window and button face, and their texts (enabled ones readable,
// disabled ones at least as distinct as the system's palette draws them on
// its own window) are legible on it. Other roles are the system's.
QPalette BodyPalette(const QPalette& system, const QColor& body);

// The edge and border widths of frames, in device-independent pixels.
inline constexpr int kEdgeWidth = 2;
inline constexpr int kBorderWidth = 1;
constexpr int EdgeWidth() {
    return kEdgeWidth;
}
constexpr int BorderWidth() {
    return kBorderWidth;
}

} // namespace pexa
