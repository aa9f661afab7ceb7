#include "ConvDriver.h"

#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <limits>

namespace pexa {
namespace {

using namespace test;

constexpr BarKind RadixKinds[] = {BarKind::Hex, BarKind::Oct, BarKind::Bin};

struct RenderCase {
    BarKind kind;
    CalcValueMode mode;
    CalcValue value;
    const char* plain;
    const char* grouped;
};

const std::string Ones64(64, '1');
const std::string Ones64Grouped =
    "11111111 11111111 11111111 11111111 11111111 11111111 11111111 11111111";

TEST(ConvRadix, Rendering) {
    const RenderCase cases[] = {
        {BarKind::Hex, Byte, Int(0), "00", "00"},
        {BarKind::Oct, Byte, Int(0), "000", "000"},
        {BarKind::Bin, Byte, Int(0), "00000000", "0000 0000"},
        {BarKind::Hex, DWord, Int(0x1234), "00001234", "0000 1234"},
        {BarKind::Oct, DWord, Int(0x1234), "00000011064", "00000011064"},
        {BarKind::Bin, DWord, Int(0x1234), "00000000000000000001001000110100",
         "0000 0000 0000 0000 0001 0010 0011 0100"},
        {BarKind::Hex, QWord, Int(-1), "FFFFFFFFFFFFFFFF", "FFFF FFFF FFFF FFFF"},
        {BarKind::Oct, QWord, Int(-1), "1777777777777777777777", "1777777777777777777777"},
        {BarKind::Bin, QWord, Int(-1), Ones64.c_str(), Ones64Grouped.c_str()},
        {BarKind::Hex, Float, MakeReal(Float, 255.75L), "FF", "FF"},
        {BarKind::Oct, Float, MakeReal(Float, 255.75L), "377", "377"},
        {BarKind::Bin, Float, MakeReal(Float, 255.75L), "11111111", "11111111"},
        {BarKind::Bin, Float, MakeReal(Float, 256.0L), "100000000", "1 00000000"},
        {BarKind::Hex, Float, MakeReal(Float, 0.9L), "0", "0"},
        {BarKind::Hex, Float, MakeReal(Float, -1.5L), "FFFFFFFFFFFFFFFF", "FFFF FFFF FFFF FFFF"},
        {BarKind::Oct, Float, Int(-1), "1777777777777777777777", "1777777777777777777777"},
        {BarKind::Bin, Float, Int(-1), Ones64.c_str(), Ones64Grouped.c_str()},
        {BarKind::Hex, Word, Int(0xABCD), "ABCD", "ABCD"},
        {BarKind::Oct, Word, Int(0xABCD), "125715", "125715"},
        {BarKind::Bin, Word, Int(0xABCD), "1010101111001101", "1010 1011 1100 1101"},
        {BarKind::Hex, Byte, Int(-56), "C8", "C8"},
        {BarKind::Hex, Word, Int(0x51234), "1234", "1234"},
        {BarKind::Oct, QWord, Int(8), "0000000000000000000010", "0000000000000000000010"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(std::string(GetBarKindInfo(c.kind).Label) + " " + ModeCaption(c.mode) + " " +
                     c.plain);
        auto conv = MakeConv(c.kind, c.mode);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), c.plain);
        EXPECT_EQ(conv->GetText(true), c.grouped);
        EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
    }
}

struct TypingCase {
    BarKind kind;
    CalcValueMode mode;
    const char* keys;
    const char* marks; // per key: + accepted, - refused, x key disabled
    std::int64_t value;
};

TEST(ConvRadix, Typing) {
    const TypingCase cases[] = {
        {BarKind::Hex, Byte, "FF1", "++-", 0xFF},
        {BarKind::Hex, Byte, "12", "++", 0x12},
        {BarKind::Hex, Byte, "ab", "++", 0xAB},
        {BarKind::Hex, Byte, "G.-:", "xxxx", 0},
        {BarKind::Oct, Byte, "377", "+++", 0xFF},
        {BarKind::Oct, Byte, "777", "++-", 0x3F},
        {BarKind::Oct, Byte, "8A9", "xxx", 0},
        {BarKind::Bin, Byte, "111111111", "++++++++-", 0xFF},
        {BarKind::Bin, Byte, "011111111", "+++++++++", 0xFF},
        {BarKind::Bin, Byte, "0111111110", "+++++++++-", 0xFF},
        {BarKind::Bin, Byte, "1201", "+x++", 0x5},
        {BarKind::Hex, Word, "12345", "++++-", 0x1234},
        {BarKind::Hex, Word, "00000000", "++++++++", 0},
        {BarKind::Hex, Word, "0001234", "+++++++", 0x1234},
        {BarKind::Hex, DWord, "89ABCDEF0", "++++++++-", 0x89ABCDEF},
        {BarKind::Hex, QWord, "FFFFFFFFFFFFFFFFF", "++++++++++++++++-", -1},
        {BarKind::Hex, QWord, "8000000000000000", "++++++++++++++++",
         std::numeric_limits<std::int64_t>::min()},
        {BarKind::Oct, QWord, "17777777777777777777777", "++++++++++++++++++++++-", -1},
        {BarKind::Oct, QWord, "2000000000000000000000", "+++++++++++++++++++++-",
         0x2000000000000000},
        {BarKind::Hex, Float, "FFFFFFFFFFFFFFFF1", "++++++++++++++++-", -1},
        {BarKind::Hex, Float, "1F", "++", 0x1F},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(std::string(GetBarKindInfo(c.kind).Label) + " " + ModeCaption(c.mode) + " " +
                     c.keys);
        auto conv = MakeConv(c.kind, c.mode);
        EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
        EXPECT_EQ(IntOf(*conv), c.value);
        EXPECT_EQ(conv->GetValue().Mode, c.mode);
    }
}

TEST(ConvRadix, TypedTextMatchesTheKeys) {
    auto hex = MakeConv(BarKind::Hex, DWord);
    TypeKeys(*hex, "beef");
    EXPECT_EQ(hex->GetText(false), "0000BEEF");
    auto real = MakeConv(BarKind::Hex, Float);
    TypeKeys(*real, "beef");
    EXPECT_EQ(real->GetText(false), "BEEF");
    EXPECT_EQ(GetReal(real->GetValue()), 48879.0L);
}

TEST(ConvRadix, Backspace) {
    auto hex = MakeConv(BarKind::Hex, Word);
    EXPECT_FALSE(hex->CanBackspace());
    TypeKeys(*hex, "1234");
    ASSERT_TRUE(hex->CanBackspace());
    EXPECT_TRUE(hex->Backspace());
    EXPECT_EQ(IntOf(*hex), 0x123);
    EXPECT_EQ(hex->GetText(false), "0123");

    auto oct = MakeConv(BarKind::Oct, Byte);
    TypeKeys(*oct, "377");
    oct->Backspace();
    EXPECT_EQ(IntOf(*oct), 037);

    // In Float mode the shift sees a negative integer as its unsigned pattern.
    auto bin = MakeConv(BarKind::Bin, Float);
    bin->SetValue(Int(-1));
    bin->Backspace();
    EXPECT_EQ(IntOf(*bin), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(bin->GetText(false), std::string(63, '1'));

    auto fraction = MakeConv(BarKind::Hex, Float);
    fraction->SetValue(MakeReal(Float, 0.5L));
    EXPECT_TRUE(fraction->CanBackspace()); // the real is not zero
    fraction->Backspace();
    EXPECT_FALSE(fraction->CanBackspace());
}

struct PasteCase {
    BarKind kind;
    CalcValueMode mode;
    const char* text;
    bool complete; // false: stopped with a beep
    std::int64_t value;
};

TEST(ConvRadix, PastingSkipsPrefixesAndBlanks) {
    const PasteCase cases[] = {
        {BarKind::Hex, Word, "&HFF", true, 0xFF},
        {BarKind::Hex, Word, "0x1F", true, 0x1F},
        {BarKind::Hex, Word, "0X1f", true, 0x1F},
        {BarKind::Hex, Word, "$1F", true, 0x1F},
        {BarKind::Hex, Word, "#1F", true, 0x1F},
        {BarKind::Hex, Word, "1Fh", true, 0x1F},
        {BarKind::Hex, DWord, "DEAD BEEF", true, 0xDEADBEEF},
        {BarKind::Hex, Word, "12345", true, 0x1234},
        {BarKind::Hex, Word, "-12", false, 0},
        {BarKind::Oct, Word, "&O17", true, 017},
        {BarKind::Oct, Word, "0o17", true, 017},
        {BarKind::Oct, Word, "0x17", false, 0},
        {BarKind::Bin, Byte, "1010 1010", true, 0xAA},
        {BarKind::Bin, Byte, "&B101", true, 5},
        {BarKind::Bin, Byte, "0B101", true, 5},
        {BarKind::Bin, Byte, "0b11", false, 0},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(std::string(GetBarKindInfo(c.kind).Label) + " " + c.text);
        auto conv = MakeConv(c.kind, c.mode);
        EXPECT_EQ(PasteText(*conv, c.text), c.complete);
        EXPECT_EQ(IntOf(*conv), c.value);
    }
    auto hex = MakeConv(BarKind::Hex, Word);
    EXPECT_FALSE(hex->IsIgnoredChar('\0'));
    EXPECT_FALSE(hex->IsIgnoredChar(','));
}

TEST(ConvRadix, SignedAndReverseEndianDoNotApply) {
    for (const BarKind kind : RadixKinds) {
        for (const CalcValueMode mode : AllModes) {
            auto plain = MakeConv(kind, mode);
            auto switched = MakeConv(kind, mode, true, true);
            SCOPED_TRACE(std::string(GetBarKindInfo(kind).Label) + " " + ModeCaption(mode));
            EXPECT_EQ(switched->GetOptions().Bits(), 0);
            EXPECT_FALSE(switched->HasOption(ConvOption::Signed));
            EXPECT_FALSE(switched->CanToggleSign());
            EXPECT_FALSE(switched->CanInputChar('-', false, false));
            EXPECT_FALSE(switched->GetCapabilities().Contains(ConvOption::Signed));
            EXPECT_FALSE(switched->GetCapabilities().Contains(ConvOption::ReverseEndian));
            EXPECT_EQ(switched->GetCapabilities().Contains(ConvOption::DigitGrouping),
                      kind != BarKind::Oct);
            for (const std::int64_t v : {std::int64_t{0x1234}, std::int64_t{-2}}) {
                plain->SetValue(Int(v));
                switched->SetValue(Int(v));
                EXPECT_EQ(switched->GetText(true), plain->GetText(true));
                EXPECT_EQ(IntOf(*switched), IntOf(*plain));
            }
            EXPECT_EQ(TypeKeys(*switched, "101"), TypeKeys(*plain, "101"));
            EXPECT_EQ(IntOf(*switched), IntOf(*plain));
        }
    }
}

TEST(ConvRadix, ModeChangeKeepsTheLowBits) {
    auto hex = MakeConv(BarKind::Hex, DWord);
    TypeKeys(*hex, "1234");
    hex->SetMode(Byte);
    EXPECT_EQ(hex->GetText(false), "34");
    hex->SetMode(Float);
    EXPECT_EQ(hex->GetText(false), "34");
    EXPECT_EQ(GetReal(hex->GetValue()), 52.0L);
}

// The text shown for a value, pasted into a fresh bar, gives that value back;
// the locale characters play no part.
TEST(ConvRadix, ValuesSurviveTheirText) {
    const std::int64_t ints[] = {0,
                                 1,
                                 -1,
                                 0x7F,
                                 0x80,
                                 0xFF,
                                 0x1234,
                                 -0x8000,
                                 0x7FFFFFFF,
                                 0x0123456789ABCDEFLL,
                                 std::numeric_limits<std::int64_t>::min()};
    const FormatSettings locales[] = {FormatSettings{}, CommaDecimal};
    for (const FormatSettings& locale : locales) {
        FormatSettingsScope scope(locale);
        for (const BarKind kind : RadixKinds) {
            for (const CalcValueMode mode : AllModes) {
                for (const std::int64_t v : ints) {
                    CalcValue value;
                    SetInteger(value, CalcValueMode::QWord, v);
                    CalcValue expected;
                    ConvertValue(expected, mode, value);
                    auto shown = MakeConv(kind, mode);
                    shown->SetValue(value);
                    SCOPED_TRACE(shown->GetText(true) + " " + ModeCaption(mode));
                    EXPECT_EQ(GetInteger(shown->GetValue()), GetInteger(expected));
                    EXPECT_EQ(GetReal(shown->GetValue()), GetReal(expected));
                    auto typed = MakeConv(kind, mode);
                    EXPECT_TRUE(PasteText(*typed, shown->GetText(true)));
                    EXPECT_EQ(GetInteger(typed->GetValue()), GetInteger(expected));
                    EXPECT_EQ(typed->GetText(false), shown->GetText(false));
                }
            }
        }
    }
}

} // namespace
} // namespace pexa
