#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace pexa {

// A colour as pexa.ini stores it in "BodyColor": a 32-bit integer, either an
// RGB colour 0x00BBGGRR or one of the desktop's colours, with the top bit set
// and the colour's index in the low byte (button face, 0x8000000F, is
// written as -2147483633).
using StoredColorValue = std::int32_t;

struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The desktop's colours a stored value can name, by what they colour. The
// first six are the ones the program writes; the others are read from
// files written elsewhere.
enum class SystemColor : std::uint8_t {
    ButtonFace,
    Window, // the background of text areas
    WindowText,
    ButtonText,
    GreyText, // disabled text
    ButtonShadow,
    Menu,
    MenuText,
    Highlight,
    HighlightText,
    ButtonHighlight,
    DarkShadow,
    Light,
    ToolTipText,
    ToolTipBase,
};

using StoredColor = std::variant<Rgb, SystemColor>;

namespace detail {
inline constexpr std::uint32_t kSystemColorBit = 0x80000000u;
// The index each system colour is stored under, in the enum's order.
inline constexpr std::uint8_t kSystemColorIndexes[] = {15, 5,  8,  18, 17, 16, 4, 7,
                                                       13, 14, 20, 21, 22, 23, 24};
} // namespace detail

constexpr StoredColorValue EncodeStoredColor(SystemColor color) {
    return static_cast<StoredColorValue>(
        detail::kSystemColorBit | detail::kSystemColorIndexes[static_cast<std::size_t>(color)]);
}
constexpr StoredColorValue EncodeStoredColor(Rgb color) {
    return static_cast<StoredColorValue>(color.Red | (color.Green << 8) | (color.Blue << 16));
}
StoredColorValue EncodeStoredColor(const StoredColor& color);

// Every value reads as a colour: the bits beside the top bit are ignored, and
// an index that names no colour (a hand-edited file) reads as ButtonFace, the
// default.
StoredColor DecodeStoredColor(StoredColorValue value);

// The colour chooser's custom colours are kept as six hexadecimal digits
// "BBGGRR"; a text that is no hexadecimal number reads as white.
Rgb RgbOfHexText(std::string_view text);
std::string HexTextOfRgb(Rgb color);

} // namespace pexa
