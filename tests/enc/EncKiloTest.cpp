#include "enc/EncKilo.h"

#include "EncTestSupport.h"

#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using test::DashCommaFormat;
using test::Int64Max;
using test::Int64Min;

// The message of the ConvertError that parsing text raises, or "" when none.
std::string ParseError(const std::string& text, CalcValueMode mode = CalcValueMode::QWord) {
    CalcValue value;
    try {
        ParseSizeText(value, text, mode);
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "";
}

std::int64_t ParseInteger(const std::string& text) {
    CalcValue value;
    ParseSizeText(value, text, CalcValueMode::QWord);
    return GetInteger(value);
}

Real ParseReal(const std::string& text) {
    CalcValue value;
    ParseSizeText(value, text, CalcValueMode::Float);
    EXPECT_EQ(value.Mode, CalcValueMode::Float);
    return GetReal(value);
}

TEST(EncKilo, UnitIndexOfEveryByte) {
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::string upper = "KMGTPE";
        const std::string lower = "kmgtpe";
        int expected = -1;
        if (upper.find(c) != std::string::npos)
            expected = static_cast<int>(upper.find(c)) + 1;
        else if (lower.find(c) != std::string::npos)
            expected = static_cast<int>(lower.find(c)) + 1;
        EXPECT_EQ(SizeUnitIndex(c), expected) << "byte " << b;
        EXPECT_EQ(IsSizeUnitChar(c), expected > 0) << "byte " << b;
    }
}

TEST(EncKilo, FormatTable) {
    const struct {
        std::int64_t Value;
        const char* Text;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {1023, "1023"},
        {1024, "1K"},
        {1025, "1K+1"},
        {1536, "1K+512"},
        {-1536, "-1K+512"},
        {1048576, "1M"},
        {1049088, "1M+512"},
        {(std::int64_t{2} << 30) + (std::int64_t{3} << 20), "2G+3M"},
        {std::int64_t{1} << 60, "1E"},
        {(std::int64_t{1} << 62) + 5, "4E+5"},
        {Int64Max, "7E+1023P+1023T+1023G+1023M+1023K+1023"},
        {Int64Min, "-8E"},
        {Int64Min + 1, "-7E+1023P+1023T+1023G+1023M+1023K+1023"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSizeText(c.Value), c.Text) << c.Value;
}

TEST(EncKilo, ParseTable) {
    const struct {
        const char* Text;
        std::int64_t Value;
    } cases[] = {
        {"1K+512", 1536},
        {"1k512", 1536},
        {"1K++512", 1536},
        {"-1K", -1024},
        {"-1K+512", -1536},
        {"1M+0", 1048576},
        {"", 0},
        {"-", 0},
        {"K", 0},
        {"1K1K", 2048},
        {"1K+1M", 1049600},
        {"2G+3M", (std::int64_t{2} << 30) + (std::int64_t{3} << 20)},
        {"1M+512K+3", 1572867},
        {"1.5K", 1}, // the fraction text is no number and counts 0
        {"1K+512.5", 1536},
        {"8E", Int64Min},            // 2^63 wraps
        {"16E", 0},                  // 2^64 wraps
        {"18446744073709551617", 1}, // digits wrap too
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInteger(c.Text), c.Value) << c.Text;
}

TEST(EncKilo, ParseStoresByMode) {
    CalcValue value;
    ParseSizeText(value, "1K+512", CalcValueMode::Byte);
    EXPECT_EQ(value.Mode, CalcValueMode::Byte);
    EXPECT_EQ(GetInteger(value), 0); // 1536 masked to 8 bits
    ParseSizeText(value, "1K+512", CalcValueMode::Word);
    EXPECT_EQ(GetInteger(value), 1536);

    EXPECT_EQ(ParseReal("1K+512.5"), 1536.5L);
    EXPECT_EQ(ParseReal("-1K+512.5"), -1536.5L);
    EXPECT_EQ(ParseReal(".25"), 0.25L);
    EXPECT_EQ(ParseReal("-.25"), -0.25L);
    EXPECT_EQ(ParseReal("1.5K"), 1.0L);
    EXPECT_EQ(ParseReal("1.5E3"), 1.0L); // E is a unit, never an exponent
    EXPECT_EQ(ParseReal("1."), 1.0L);
    EXPECT_EQ(ParseReal("3.1.2"), 3.0L);
    EXPECT_EQ(ParseReal("1.00000000000000000000000000000000000000000001"), 1.0L);
}

TEST(EncKilo, ParseRefusals) {
    EXPECT_EQ(ParseError("1X"), "Invalid character X");
    EXPECT_EQ(ParseError("1x"), "Invalid character X");
    EXPECT_EQ(ParseError("512+1K"), "Invalid character +");
    EXPECT_EQ(ParseError("1,000"), "Invalid character ,");
    EXPECT_EQ(ParseError("1-2"), "Invalid character -");
    EXPECT_EQ(ParseError("1K:"), "Invalid character :");
    // The message holds the NUL itself; what() shows the text up to it.
    EXPECT_EQ(ParseError(std::string("1\0", 2)), "Invalid character ");
    EXPECT_EQ(ParseError("1K+512X.5"), "Invalid character X");
    EXPECT_EQ(ParseError("1K+512.X"), ""); // the fraction is not examined for units
    // The largest sum with a fraction rounds to 2^63, which no value holds.
    EXPECT_EQ(ParseError("7E+1023P+1023T+1023G+1023M+1023K+1023.9", CalcValueMode::Float),
              "The number is too large");
    EXPECT_EQ(ParseError("-8E.9", CalcValueMode::Float), "The number is too large");
    EXPECT_EQ(ParseError("-8E.4", CalcValueMode::Float), "");

    // A refused text stores nothing.
    CalcValue value;
    SetInteger(value, CalcValueMode::Word, 77);
    EXPECT_THROW(ParseSizeText(value, "1Q", CalcValueMode::QWord), ConvertError);
    EXPECT_EQ(value.Mode, CalcValueMode::Word);
    EXPECT_EQ(GetInteger(value), 77);
    EXPECT_THROW(
        ParseSizeText(value, "7E+1023P+1023T+1023G+1023M+1023K+1023.9", CalcValueMode::Float),
        ConvertError);
    EXPECT_EQ(value.Mode, CalcValueMode::Word);
    EXPECT_EQ(GetInteger(value), 77);
}

TEST(EncKilo, FormatThenParseGivesTheValueBack) {
    std::mt19937_64 random(20240611);
    auto check = [](std::int64_t v) {
        const std::string text = FormatSizeText(v);
        EXPECT_EQ(ParseInteger(text), v) << text;
        std::string normalized = text;
        EXPECT_TRUE(NormalizeSizeText(normalized)) << text;
        EXPECT_EQ(normalized, text);
    };
    for (std::int64_t v : {Int64Min, Int64Min + 1, Int64Max, std::int64_t{-1}, std::int64_t{0}})
        check(v);
    for (int i = 0; i < 20000; ++i) {
        // Vary the magnitude so that every unit count gets its share.
        const auto v = static_cast<std::int64_t>(random());
        check(v >> (random() % 64));
    }
}

TEST(EncKilo, ParseInDecimalCommaLocale) {
    FormatSettingsScope scope(DashCommaFormat());
    EXPECT_EQ(ParseReal("1K+512,5"), 1536.5L);
    EXPECT_EQ(ParseInteger("1K+512,5"), 1536);
    EXPECT_EQ(ParseError("1.000"), "Invalid character .");
}

struct NormalizeCase {
    const char* Text;
    bool Ok;
    const char* Result; // only checked when Ok
};

void CheckNormalize(const NormalizeCase& c) {
    std::string text = c.Text;
    EXPECT_EQ(NormalizeSizeText(text), c.Ok) << c.Text;
    if (c.Ok) {
        EXPECT_EQ(text, c.Result) << c.Text;
    }
}

TEST(EncKilo, NormalizeTable) {
    const NormalizeCase cases[] = {
        {"", true, ""},
        {"1", true, "1"},
        {"1:", true, "1K"},
        {"1K5", true, "1K+5"},
        {"1k5", true, "1k+5"},
        {"1K+512:", true, "1M+512K"},
        {"1M+512K3", true, "1M+512K+3"},
        {"1K:", true, "1M"},
        {"1K::", true, "1G"},
        {"1:2", true, "1K2"},
        {"1::::::", true, "1E"},
        {"1:::::::", false, ""},
        {"1E:", false, ""},
        {"1K1P:", false, ""}, // the K would have to rise past E
        {"1K1T:", true, "1E+1P"},
        {"1K1G:", true, "1P+1T"},
        {":", false, ""},
        {"-:", false, ""},
        {"1+:", false, ""},
        {"-1:", true, "-1K"},
        {"1-2", false, ""},
        {"--1", false, ""},
        {"1K+05", true, "1K+5"},
        {"1K05", true, "1K+5"},
        {"1K+0", true, "1K+0"},
        {"05", true, "05"},
        {"-05", true, "-5"},
        {"1K+00", true, "1K+0"},
        {"1,000", true, "1,0"}, // refused later by the parser
        {"1X", false, ""},
        {"1K+512.5:", true, "1K+512.5:"},
        {"1.:", true, "1.:"},
        {"1G+5M+3:", true, "1G+5M+3K"},
        {"1K+3:", true, "1M+3K"},
        {"1K+2K+3:", true, "1G+2M+3K"},
        {"1k:", true, "1M"},
        {"1M+2:3:", true, "1G+2M3K"},
        {"K", true, "K"},
        {"E1", true, "E+1"},
    };
    for (const auto& c : cases)
        CheckNormalize(c);
}

TEST(EncKilo, NormalizeMarkLimit) {
    std::string letters;
    for (int i = 0; i < MaxUnitMarks; ++i)
        letters += "1K";
    std::string text = letters;
    EXPECT_TRUE(NormalizeSizeText(text));
    text = letters + "1K";
    EXPECT_FALSE(NormalizeSizeText(text));
    // Separators turned into K count as marks too.
    std::string separators;
    for (int i = 0; i <= MaxUnitMarks; ++i)
        separators += "1:";
    EXPECT_FALSE(NormalizeSizeText(separators));
}

// Types text one character at a time as the size bar does: each candidate is
// the previous normalised text plus the character.
std::string TypeSize(const std::string& keys) {
    std::string entry;
    for (char key : keys) {
        std::string candidate = entry + key;
        if (NormalizeSizeText(candidate))
            entry = candidate;
    }
    return entry;
}

TEST(EncKilo, TypingWithTheSeparatorKey) {
    EXPECT_EQ(TypeSize("1:512:3"), "1M+512K+3");
    EXPECT_EQ(ParseInteger(TypeSize("1:512:3")), 1572867);
    EXPECT_EQ(TypeSize("1:"), "1K");
    EXPECT_EQ(TypeSize("1::"), "1M");
    EXPECT_EQ(TypeSize("1::5"), "1M+5");
    EXPECT_EQ(TypeSize("1:05"), "1K+5");
    EXPECT_EQ(TypeSize("1:::::::5"), "1E+5"); // the seventh separator is refused
    EXPECT_EQ(TypeSize("2:3:4:"), "2G+3M+4K");
}

TEST(EncKilo, NormalizeInDecimalCommaLocale) {
    FormatSettingsScope scope(DashCommaFormat());
    const NormalizeCase cases[] = {
        {"1K,5:", true, "1K,5:"},
        {"1.000", true, "1.0"},
        {"1,", true, "1,"},
        {"1:", true, "1K"},
    };
    for (const auto& c : cases)
        CheckNormalize(c);
}

} // namespace
} // namespace pexa
