#include "settings/StoredColor.h"

#include "settings/Profile.h"

#include <cstdio>
#include <optional>

namespace pexa {

namespace {

Rgb RgbOfBits(std::uint32_t bits) {
    return Rgb{static_cast<std::uint8_t>(bits & 0xFFu),
               static_cast<std::uint8_t>((bits >> 8) & 0xFFu),
               static_cast<std::uint8_t>((bits >> 16) & 0xFFu)};
}

} // namespace

StoredColorValue EncodeStoredColor(const StoredColor& color) {
    return std::visit([](auto c) { return EncodeStoredColor(c); }, color);
}

StoredColor DecodeStoredColor(StoredColorValue value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if ((bits & detail::kSystemColorBit) == 0)
        return RgbOfBits(bits);
    const auto index = static_cast<std::uint8_t>(bits & 0xFFu);
    for (std::size_t i = 0; i < std::size(detail::kSystemColorIndexes); ++i)
        if (detail::kSystemColorIndexes[i] == index)
            return static_cast<SystemColor>(i);
    return SystemColor::ButtonFace;
}

Rgb RgbOfHexText(std::string_view text) {
    const std::optional<int> parsed = ParseProfileInt("$" + std::string(text));
    return RgbOfBits(static_cast<std::uint32_t>(parsed.value_or(0xFFFFFF)));
}

std::string HexTextOfRgb(Rgb color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(EncodeStoredColor(color)));
    return buffer;
}

} // namespace pexa
