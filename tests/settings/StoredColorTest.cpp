#include "settings/StoredColor.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pexa {
namespace {

// The indexes a stored system colour has always used, and the value the
// settings file holds by default.
TEST(StoredColor, SystemColorsEncodeAsTheirIndexWithTheTopBit) {
    const struct {
        SystemColor Color;
        std::uint32_t Stored;
    } cases[] = {
        {SystemColor::ButtonFace, 0x8000000Fu},
        {SystemColor::Window, 0x80000005u},
        {SystemColor::ButtonText, 0x80000012u},
        {SystemColor::GreyText, 0x80000011u},
        {SystemColor::WindowText, 0x80000008u},
        {SystemColor::ButtonShadow, 0x80000010u},
        {SystemColor::Menu, 0x80000004u},
        {SystemColor::MenuText, 0x80000007u},
        {SystemColor::Highlight, 0x8000000Du},
        {SystemColor::HighlightText, 0x8000000Eu},
        {SystemColor::ButtonHighlight, 0x80000014u},
        {SystemColor::DarkShadow, 0x80000015u},
        {SystemColor::Light, 0x80000016u},
        {SystemColor::ToolTipText, 0x80000017u},
        {SystemColor::ToolTipBase, 0x80000018u},
    };
    for (const auto& c : cases) {
        const auto value = static_cast<StoredColorValue>(c.Stored);
        EXPECT_EQ(EncodeStoredColor(c.Color), value);
        EXPECT_EQ(EncodeStoredColor(StoredColor(c.Color)), value);
        EXPECT_EQ(DecodeStoredColor(value), StoredColor(c.Color)) << std::hex << c.Stored;
    }
    EXPECT_EQ(EncodeStoredColor(SystemColor::ButtonFace), -2147483633);
}

TEST(StoredColor, RgbIsBlueGreenRed) {
    EXPECT_EQ(EncodeStoredColor(Rgb{0xFF, 0, 0}), 0x000000FF);
    EXPECT_EQ(EncodeStoredColor(Rgb{0, 0xFF, 0}), 0x0000FF00);
    EXPECT_EQ(EncodeStoredColor(Rgb{0, 0, 0xFF}), 0x00FF0000);
    EXPECT_EQ(DecodeStoredColor(0x00563412), StoredColor(Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(DecodeStoredColor(0), StoredColor(Rgb{}));
    // Bits above the blue byte (and below the top bit) carry nothing.
    EXPECT_EQ(DecodeStoredColor(0x7F563412), StoredColor(Rgb{0x12, 0x34, 0x56}));
}

TEST(StoredColor, EveryRgbValueRoundTrips) {
    for (int v = 0; v < 256; ++v) {
        for (const int shift : {0, 8, 16}) {
            const auto other = static_cast<std::uint32_t>((v * 37 + 11) % 256);
            const auto value = static_cast<StoredColorValue>(
                (static_cast<std::uint32_t>(v) << shift) | (other << ((shift + 8) % 24)));
            EXPECT_EQ(EncodeStoredColor(DecodeStoredColor(value)), value);
        }
    }
}

// Hand-edited values still read as a colour: the index is the low byte
// alone, and one that names no colour is the default button face.
TEST(StoredColor, UnknownOrDecoratedSystemValuesReadSensibly) {
    for (const std::uint32_t raw :
         {0x800000FFu, 0x80000000u, 0xFFFFFFFFu, 0x80001F63u, 0x80000006u})
        EXPECT_EQ(DecodeStoredColor(static_cast<StoredColorValue>(raw)),
                  StoredColor(SystemColor::ButtonFace))
            << std::hex << raw;
    EXPECT_EQ(DecodeStoredColor(static_cast<StoredColorValue>(0xFF000005u)),
              StoredColor(SystemColor::Window));
}

TEST(StoredColor, CustomColourTexts) {
    EXPECT_EQ(RgbOfHexText("FFFFFF"), (Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RgbOfHexText("563412"), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(RgbOfHexText("0000ff"), (Rgb{0xFF, 0, 0}));
    EXPECT_EQ(RgbOfHexText("zz"), (Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RgbOfHexText(""), (Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(HexTextOfRgb(Rgb{0x12, 0x34, 0x56}), "563412");
    EXPECT_EQ(HexTextOfRgb(Rgb{}), "000000");
    EXPECT_EQ(HexTextOfRgb(Rgb{0xFF, 0xFF, 0xFF}), "FFFFFF");
}

} // namespace
} // namespace pexa
