#include "enc/EncUnicode.h"

#include "EncTestSupport.h"

#include "enc/EncChar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace pexa {
namespace {

using M = CalcValueMode;
using test::Iconv;

// The one code point iconv makes of exactly these bytes, if any.
std::optional<char32_t> IconvOneChar(Iconv& toUtf32, const std::string& bytes) {
    const std::optional<std::string> out = toUtf32.Convert(bytes);
    if (!out || out->size() != 4)
        return std::nullopt;
    char32_t ch = 0;
    for (const char b : *out)
        ch = (ch << 8) | static_cast<unsigned char>(b);
    return ch;
}

bool IsControl(char32_t ch) {
    return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

// The text the bar should show for a byte string, decided by iconv alone: at
// each position the shortest run of elements that iconv reads as one
// character is that character, and an element that begins none is "_".
std::string ReferenceText(const std::string& bytes, const char* encoding, std::size_t unit) {
    Iconv toUtf32("UTF-32BE", encoding);
    Iconv toUtf8("UTF-8", "UTF-32BE");
    std::string text;
    for (std::size_t i = 0; i < bytes.size();) {
        std::optional<char32_t> ch;
        std::size_t length = unit;
        for (; length <= 4 && i + length <= bytes.size(); length += unit) {
            ch = IconvOneChar(toUtf32, bytes.substr(i, length));
            if (ch)
                break;
        }
        if (!ch || IsControl(*ch)) {
            text += '_';
        } else {
            const std::string utf32 = {static_cast<char>(*ch >> 24), static_cast<char>(*ch >> 16),
                                       static_cast<char>(*ch >> 8), static_cast<char>(*ch)};
            text += toUtf8.Convert(utf32).value();
        }
        i += ch ? length : unit;
    }
    return text;
}

// The bytes a Utf8/Utf16 reading of a QWord pattern takes, most significant first.
std::string PatternBytes(std::uint64_t pattern, std::size_t unit) {
    std::string bytes;
    for (int i = 7; i >= 0; --i)
        bytes += static_cast<char>(pattern >> (8 * i));
    const std::size_t first = bytes.find_first_not_of('\0');
    if (first == std::string::npos)
        return {};
    return bytes.substr(first - first % unit);
}

// Patterns made of the bytes where UTF-8 and UTF-16 have their edges.
std::uint64_t EdgePattern(std::mt19937_64& random) {
    static constexpr std::uint8_t Edges[] = {
        0x00, 0x0A, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
        0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF, 0xD8, 0xDB, 0xDC, 0xDF, 0x3D, 0xDE, 0x65};
    std::uint64_t pattern = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint64_t r = random();
        const auto b = (r & 1) != 0 ? Edges[(r >> 1) % std::size(Edges)] : (r >> 8) & 0xFF;
        pattern = (pattern << 8) | b;
    }
    return pattern;
}

TEST(EncUnicode, TextsAgreeWithIconvOverRandomAndEdgePatterns) {
    std::mt19937_64 random(14);
    for (int n = 0; n < 40000; ++n) {
        const std::uint64_t pattern = EdgePattern(random) >> (8 * (random() % 8));
        const auto bits = static_cast<std::int64_t>(pattern);
        ASSERT_EQ(Utf8CodeText(M::QWord, bits), ReferenceText(PatternBytes(pattern, 1), "UTF-8", 1))
            << std::hex << pattern;
        ASSERT_EQ(Utf16CodeText(M::QWord, bits),
                  ReferenceText(PatternBytes(pattern, 2), "UTF-16BE", 2))
            << std::hex << pattern;
    }
}

TEST(EncUnicode, EveryTwoAndThreeByteUtf8PrefixAgreesWithIconv) {
    // Every lead and second byte, with third and fourth bytes at the
    // continuation range's edges and outside it: overlong forms, surrogates,
    // values above U+10FFFF and truncated sequences all come up.
    for (unsigned lead = 0; lead < 256; ++lead) {
        for (unsigned second = 0; second < 256; ++second) {
            for (const unsigned tail : {0x80u, 0xBFu, 0x41u}) {
                const std::uint64_t pattern =
                    (std::uint64_t{lead} << 24) | (second << 16) | (tail << 8) | tail;
                const std::string bytes = PatternBytes(pattern, 1);
                ASSERT_EQ(Utf8CodeText(M::DWord, static_cast<std::int64_t>(pattern)),
                          ReferenceText(bytes, "UTF-8", 1))
                    << std::hex << pattern;
            }
        }
    }
}

TEST(EncUnicode, EncodersAgreeWithIconvForEveryScalarValue) {
    Iconv toUtf8("UTF-8", "UTF-32BE");
    Iconv toUtf16("UTF-16BE", "UTF-32BE");
    for (char32_t ch = 0; ch <= 0x110000; ++ch) {
        const std::string utf32 = {static_cast<char>(ch >> 24), static_cast<char>(ch >> 16),
                                   static_cast<char>(ch >> 8), static_cast<char>(ch)};
        const std::optional<std::string> utf8 = toUtf8.Convert(utf32);
        ASSERT_EQ(IsScalarValue(ch), utf8.has_value())
            << std::hex << static_cast<std::uint32_t>(ch);
        ASSERT_EQ(EncodeUtf8(ch), utf8.value_or("")) << std::hex << static_cast<std::uint32_t>(ch);
        std::uint32_t units = 0;
        const int count = EncodeUtf16(ch, units);
        std::string utf16;
        for (int i = 2 * count - 1; i >= 0; --i)
            utf16 += static_cast<char>(units >> (8 * i));
        ASSERT_EQ(utf16, toUtf16.Convert(utf32).value_or(""))
            << std::hex << static_cast<std::uint32_t>(ch);
    }
}

TEST(EncUnicode, Examples) {
    struct Case {
        CharEncoding encoding;
        CalcValueMode mode;
        std::uint64_t bits;
        std::string text;
    };
    const Case cases[] = {
        {CharEncoding::Utf8, M::DWord, 0xE697A5, "日"},
        {CharEncoding::Utf8, M::DWord, 0xF09F9880, "😀"},
        {CharEncoding::Utf8, M::Word, 0xF09F9880, "__"}, // only the low bytes take part
        {CharEncoding::Utf8, M::DWord, 0xE697, "__"},    // truncated
        {CharEncoding::Utf8, M::DWord, 0xC0AF, "__"},    // overlong "/"
        {CharEncoding::Utf8, M::DWord, 0xEDA080, "___"}, // a surrogate
        {CharEncoding::Utf8, M::DWord, 0x410042, "A_B"}, // the zero byte is a control
        {CharEncoding::Utf8, M::DWord, 0xC280, "_"},     // a C1 control is one column
        {CharEncoding::Utf16, M::DWord, 0xD83DDE00, "😀"},
        {CharEncoding::Utf16, M::DWord, 0xDE00D83D, "__"}, // pair in the wrong order
        {CharEncoding::Utf16, M::DWord, 0x41D83D, "A_"},   // lone high surrogate
        {CharEncoding::Utf16, M::Word, 0x65E5, "日"},
        {CharEncoding::Utf16, M::DWord, 0x41, "A"},
        {CharEncoding::CodePoint, M::DWord, 0x65E5, "日"},
        {CharEncoding::CodePoint, M::DWord, 0x1F600, "😀"},
        {CharEncoding::CodePoint, M::Byte, 0xE9, "é"},
        {CharEncoding::CodePoint, M::Byte, 0x1F600, ""}, // the low byte is 0
        {CharEncoding::CodePoint, M::DWord, 0xDFFF, "_"},
        {CharEncoding::CodePoint, M::DWord, 0x110000, "_"},
        {CharEncoding::CodePoint, M::DWord, 0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {CharEncoding::CodePoint, M::QWord, 0xFFFFFFFF00000041, "_"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharCodeText(c.encoding, c.mode, static_cast<std::int64_t>(c.bits)), c.text)
            << CharEncodingName(c.encoding) << " " << std::hex << c.bits;
    }
    for (const CharEncoding e : {CharEncoding::Utf8, CharEncoding::Utf16, CharEncoding::CodePoint})
        EXPECT_EQ(CharCodeText(e, M::QWord, 0), "");
}

} // namespace
} // namespace pexa
