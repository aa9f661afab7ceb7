#include "ConvDriver.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pexa {
namespace {

using namespace test;

struct TypingCase {
    CalcValueMode mode;
    bool isSigned;
    bool reversed;
    const char* keys;
    const char* marks; // per key: + accepted, - refused, x key disabled
    const char* text;
    std::int64_t value; // GetInteger of GetValue
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE(std::string("keys ") + c.keys + " mode " + ModeCaption(c.mode) +
                 (c.isSigned ? " signed" : "") + (c.reversed ? " reversed" : ""));
    auto conv = MakeConv(BarKind::Decimal, c.mode, c.isSigned, c.reversed);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(IntOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.mode);
}

TEST(ConvDecimal, TypingIntegers) {
    const TypingCase cases[] = {
        {Byte, false, false, "2555", "+++-", "255", 255},
        {Byte, false, false, "256", "++-", "25", 25},
        {Byte, true, false, "128", "++-", "12", 12},
        {Byte, true, false, "1-28", "++++", "-128", 0x80},
        {Byte, true, false, "1-29", "+++-", "-12", 0xF4},
        {Byte, false, false, "00", "++", "0", 0},
        {Byte, false, false, "07", "++", "7", 7},
        {Byte, false, false, "-", "x", "0", 0},
        {Byte, false, false, ".", "x", "0", 0},
        {Byte, false, false, "5:A", "+xx", "5", 5},
        {Byte, true, false, "-", "-", "0", 0},
        {Byte, true, false, "5--", "+++", "5", 5},
        {Word, false, false, "65535", "+++++", "65535", 65535},
        {Word, true, false, "32768", "++++-", "3276", 3276},
        {Word, true, false, "3-2768", "++++++", "-32768", 0x8000},
        {Word, false, true, "256", "+++", "256", 1},
        {Word, false, true, "513", "+++", "513", 0x0102},
        {Word, true, true, "1-", "++", "-1", 0xFFFF},
        {Word, true, true, "2-", "++", "-2", 0xFEFF},
        {DWord, false, false, "42949672950", "++++++++++-", "4294967295", 4294967295LL},
        {DWord, true, false, "2-147483648", "+++++++++++", "-2147483648", 0x80000000LL},
        {DWord, false, true, "1", "+", "1", 0x01000000},
        {QWord, false, false, "5-", "++", "-5", -5},
        {QWord, false, false, "92233720368547758070", "+++++++++++++++++++-", "9223372036854775807",
         std::numeric_limits<std::int64_t>::max()},
        {QWord, false, false, "9-223372036854775808", "++++++++++++++++++++",
         "-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {QWord, false, false, "9223372036854775808", "++++++++++++++++++-", "922337203685477580",
         922337203685477580LL},
        {QWord, false, true, "1", "+", "1", 0x0100000000000000LL},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

struct RealTypingCase {
    const char* keys;
    const char* marks;
    const char* text;
    Real value;
};

void RunRealTyping(const RealTypingCase& c) {
    SCOPED_TRACE(std::string("keys ") + c.keys);
    auto conv = MakeConv(BarKind::Decimal, Float);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    const Real value = RealOf(*conv);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(std::signbit(value), std::signbit(c.value));
}

TEST(ConvDecimal, TypingReals) {
    const RealTypingCase cases[] = {
        {".", "+", "0.", 0.0L},
        {"1.5", "+++", "1.5", 1.5L},
        {"1.5.", "+++x", "1.5", 1.5L},
        {"12.", "+++", "12.", 12.0L},
        {"-", "-", "0", 0.0L},
        {"5-", "++", "-5", -5.0L},
        {"1.5--", "+++++", "1.5", 1.5L},
        {".-", "++", "-0.", -0.0L},
        {"0.1", "+++", "0.1", 0.1L},
        {"1.1234567890123456789", "++++++++++++++++++++-", "1.123456789012345678",
         1.123456789012345678L},
        {"9223372036854775807", "+++++++++++++++++++", "9223372036854775807",
         9223372036854775807.0L},
        {"9223372036854775808", "++++++++++++++++++-", "922337203685477580", 922337203685477580.0L},
        {"9-223372036854775808", "++++++++++++++++++++", "-9223372036854775808",
         -9223372036854775808.0L},
        {"9-223372036854775809", "+++++++++++++++++++-", "-922337203685477580",
         -922337203685477580.0L},
    };
    for (const RealTypingCase& c : cases)
        RunRealTyping(c);
}

TEST(ConvDecimal, SecondSeparatorStartsANewEntry) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    TypeKeys(*conv, "1.5");
    EXPECT_FALSE(conv->CanInputChar('.', false, false));
    EXPECT_TRUE(conv->CanInputChar('.', true, false));
    EXPECT_EQ(TypeKeys(*conv, ".2"), "++");
    EXPECT_EQ(conv->GetText(false), "0.2");
    EXPECT_FALSE(conv->InputChar('.'));
    EXPECT_EQ(conv->GetText(false), "0.2");
}

TEST(ConvDecimal, RefusedCharactersChangeNothing) {
    const char junk[] = {'\0', 'E', 'e', '+', ' ', ',', 'x', ':', '\x80', '\xFF', '\xA5'};
    for (const CalcValueMode mode : AllModes) {
        auto conv = MakeConv(BarKind::Decimal, mode, true);
        TypeKeys(*conv, "12");
        for (const char ch : junk) {
            EXPECT_FALSE(conv->CanInputChar(ch, false, true)) << int(ch);
            EXPECT_FALSE(conv->InputChar(ch)) << int(ch);
            EXPECT_EQ(conv->GetText(false), "12");
            EXPECT_EQ(IntOf(*conv), 12);
        }
    }
}

struct RenderCase {
    CalcValueMode mode;
    bool isSigned;
    bool reversed;
    CalcValue value;
    const char* plain;
    const char* grouped;
};

void RunRender(const RenderCase& c) {
    SCOPED_TRACE(std::string("expect ") + c.plain + " mode " + ModeCaption(c.mode));
    auto conv = MakeConv(BarKind::Decimal, c.mode, c.isSigned, c.reversed);
    conv->SetValue(c.value);
    EXPECT_EQ(conv->GetText(false), c.plain);
    EXPECT_EQ(conv->GetText(true), c.grouped);
    EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
}

TEST(ConvDecimal, RenderingIntegers) {
    const RenderCase cases[] = {
        {Byte, false, false, Int(200), "200", "200"},
        {Byte, true, false, Int(200), "-56", "-56"},
        {Byte, true, false, Int(-1), "-1", "-1"},
        {Word, false, true, Int(0x0102), "513", "513"},
        {Word, false, true, Int(1), "256", "256"},
        {Word, true, true, Int(0x00FF), "-256", "-256"},
        {Byte, false, true, Int(0x12), "18", "18"},
        {DWord, false, false, Int(-1), "4294967295", "4,294,967,295"},
        {DWord, true, false, Int(-1), "-1", "-1"},
        {DWord, false, true, Int(0x12345678), "2018915346", "2,018,915,346"},
        {QWord, false, false, Int(-1234567), "-1234567", "-1,234,567"},
        {QWord, false, false, Int(999), "999", "999"},
        {QWord, false, false, IntValue(QWord, std::numeric_limits<std::int64_t>::min()),
         "-9223372036854775808", "-9,223,372,036,854,775,808"},
        {QWord, false, true, Int(1), "72057594037927936", "72,057,594,037,927,936"},
        {DWord, false, false, RealValue(300.9L), "300", "300"},
    };
    for (const RenderCase& c : cases)
        RunRender(c);
}

TEST(ConvDecimal, RenderingReals) {
    const RenderCase cases[] = {
        {Float, false, false, RealValue(123.45L), "123.45", "123.45"},
        {Float, false, false, RealValue(7), "7", "7"},
        {Float, false, false, RealValue(0), "0", "0"},
        {Float, false, false, RealValue(-0.0L), "0", "0"},
        {Float, false, false, RealValue(1234.5678L), "1234.5678", "1,234.5678"},
        {Float, false, false, RealValue(-1234567.891L), "-1234567.891", "-1,234,567.891"},
        {Float, false, false, RealValue(0.1L), "0.1", "0.1"},
        {Float, false, false, RealValue(1.0L / 3), "0.333333333333333333", "0.333333333333333333"},
        {Float, false, false, RealValue(2.0L / 3), "0.666666666666666667", "0.666666666666666667"},
        {Float, false, false, RealValue(1e-18L), "0.000000000000000001", "0.000000000000000001"},
        {Float, false, false, RealValue(1.5e-18L), "0.000000000000000001", "0.000000000000000001"},
        {Float, false, false, RealValue(1e-19L), "0", "0"},
        {Float, false, false, RealValue(-1e-19L), "0", "0"},
        {Float, false, false, RealValue(1.0L / 7 * 1e6L), "142857.142857142857",
         "142,857.142857142857"},
        {Float, false, false, RealValue(999999999999999999.0L), "999999999999999999",
         "999,999,999,999,999,999"},
        {Float, false, false, RealValue(1e18L), "1E18", "1E18"},
        {Float, false, false, RealValue(1.5e18L), "1.5E18", "1.5E18"},
        {Float, false, false, RealValue(-9223372036854775808.0L), "-9.22337203685477581E18",
         "-9.22337203685477581E18"},
        // Signed and Reverse Endian never change how a real reads.
        {Float, true, true, RealValue(-2.5L), "-2.5", "-2.5"},
    };
    for (const RenderCase& c : cases)
        RunRender(c);
}

TEST(ConvDecimal, LocaleCharacters) {
    FormatSettingsScope scope(CommaDecimal);
    auto conv = MakeConv(BarKind::Decimal, Float);
    conv->SetValue(RealValue(-1234567.891L));
    EXPECT_EQ(conv->GetText(false), "-1234567,891");
    EXPECT_EQ(conv->GetText(true), "-1.234.567,891");
    conv->SetValue(RealValue(1.5e18L));
    EXPECT_EQ(conv->GetText(false), "1,5E18");

    EXPECT_EQ(TypeKeys(*conv, "1.5"), "+x+");
    EXPECT_EQ(conv->GetText(false), "15");
    EXPECT_EQ(TypeKeys(*conv, "1,5,"), "+++x");
    EXPECT_EQ(conv->GetText(false), "1,5");
    EXPECT_EQ(RealOf(*conv), 1.5L);
    EXPECT_TRUE(conv->IsIgnoredChar('.'));
    EXPECT_FALSE(conv->IsIgnoredChar(','));

    EXPECT_TRUE(PasteText(*conv, "-1.234,25"));
    EXPECT_EQ(conv->GetText(false), "-1234,25");
    EXPECT_EQ(RealOf(*conv), -1234.25L);

    auto word = MakeConv(BarKind::Decimal, Word);
    word->SetValue(Int(54321));
    EXPECT_EQ(word->GetText(true), "54.321");
    EXPECT_FALSE(word->CanInputChar(',', true, false));
}

TEST(ConvDecimal, PastingSkipsThousandsSeparators) {
    auto conv = MakeConv(BarKind::Decimal, DWord, true);
    EXPECT_TRUE(PasteText(*conv, "1,234"));
    EXPECT_EQ(IntOf(*conv), 1234);
    EXPECT_TRUE(PasteText(*conv, "-1,234"));
    EXPECT_EQ(conv->GetText(false), "-1234");
    EXPECT_EQ(IntOf(*conv), static_cast<std::int64_t>(0xFFFFFFFFu - 1233));
    EXPECT_FALSE(PasteText(*conv, "12x4"));
    EXPECT_EQ(conv->GetText(false), "12");
}

TEST(ConvDecimal, GroupingDropsAFractionInIntegerModes) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    TypeKeys(*conv, "1234.5");
    conv->SetMode(DWord); // regenerates from the value
    EXPECT_EQ(conv->GetText(false), "1234");
    EXPECT_EQ(conv->GetText(true), "1,234");
}

struct BackspaceCase {
    CalcValueMode mode;
    const char* keys;
    int presses;
    const char* text;
    Real value;
};

TEST(ConvDecimal, Backspace) {
    const BackspaceCase cases[] = {
        {QWord, "5-", 1, "0", 0},
        {QWord, "7", 1, "0", 0},
        {Float, ".", 1, "0", 0},
        {Float, "12.5", 1, "12.", 12},
        {Float, ".5-", 2, "0", 0},
        {Float, ".5-", 1, "-0.", 0},
        {QWord, "123", 1, "12", 12},
        {QWord, "1-23", 2, "-1", -1},
        {Float, "1.25-", 1, "-1.2", -1.2L},
    };
    for (const BackspaceCase& c : cases) {
        SCOPED_TRACE(c.keys);
        auto conv = MakeConv(BarKind::Decimal, c.mode);
        TypeKeys(*conv, c.keys);
        for (int i = 0; i < c.presses; ++i) {
            ASSERT_TRUE(conv->CanBackspace());
            EXPECT_TRUE(conv->Backspace());
        }
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(RealOf(*conv), c.value);
    }
    auto conv = MakeConv(BarKind::Decimal, Byte);
    EXPECT_FALSE(conv->CanBackspace());
}

TEST(ConvDecimal, BackspaceThenModeChangeShowsTheShortenedNumber) {
    auto conv = MakeConv(BarKind::Decimal, DWord);
    TypeKeys(*conv, "123");
    conv->Backspace();
    conv->SetMode(Word);
    EXPECT_EQ(conv->GetText(false), "12");
    conv->SetOption(ConvOption::ReverseEndian, true);
    EXPECT_EQ(conv->GetText(false), "3072");
    EXPECT_EQ(IntOf(*conv), 12);
}

TEST(ConvDecimal, BackspaceOverAnExponentKeepsTextAndValueTogether) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    conv->SetValue(RealValue(1.5e18L));
    ASSERT_EQ(conv->GetText(false), "1.5E18");
    conv->Backspace();
    EXPECT_EQ(conv->GetText(false), "1.5E1");
    EXPECT_EQ(RealOf(*conv), 15.0L);
    conv->Backspace(); // "1.5E" would denote nothing
    EXPECT_EQ(conv->GetText(false), "1.5");
    EXPECT_EQ(RealOf(*conv), 1.5L);
    // Digits cannot extend a rendered exponent beyond the range; the sign
    // still toggles.
    conv->SetValue(RealValue(1.5e18L));
    EXPECT_FALSE(conv->InputChar('0'));
    EXPECT_EQ(conv->GetText(false), "1.5E18");
    EXPECT_TRUE(conv->InputChar('-'));
    EXPECT_EQ(conv->GetText(true), "-1.5E18");
    EXPECT_EQ(RealOf(*conv), -1.5e18L);
}

TEST(ConvDecimal, OptionsRegenerateTheText) {
    auto conv = MakeConv(BarKind::Decimal, Byte);
    conv->SetValue(Int(200));
    conv->SetOption(ConvOption::Signed, true);
    EXPECT_EQ(conv->GetText(false), "-56");
    EXPECT_TRUE(conv->HasOption(ConvOption::Signed));
    conv->SetOption(ConvOption::Signed, false);
    EXPECT_EQ(conv->GetText(false), "200");
    EXPECT_EQ(conv->GetCapabilities(), (ConvOptionSet{ConvOption::DigitGrouping, ConvOption::Signed,
                                                      ConvOption::ReverseEndian}));
    EXPECT_TRUE(conv->CanToggleSign());
    // A typed entry is replaced by the value's own text on an option change.
    TypeKeys(*conv, "7");
    conv->SetOption(ConvOption::Signed, true);
    EXPECT_EQ(conv->GetText(false), "7");
}

// Types a shown number as a user would: thousands separators left out, the
// sign toggled as soon as the entry is no longer "0" (typed last, a negative
// number's digits could leave the unsigned range before the sign comes).
void TypeShownNumber(Conversion& conv, const std::string& text) {
    bool minusPending = !text.empty() && text[0] == '-';
    std::string keys;
    for (const char ch : text) {
        if (ch == '-' || conv.IsIgnoredChar(ch))
            continue;
        keys += ch;
        if (minusPending && keys != "0") {
            keys += '-';
            minusPending = false;
        }
    }
    EXPECT_EQ(TypeKeys(conv, keys), std::string(keys.size(), '+')) << keys;
}

// The text shown for a value, typed back into a fresh bar, gives that value,
// and GetValue hands back what SetValue was given.
TEST(ConvDecimal, ValuesSurviveTheirText) {
    const std::int64_t ints[] = {0,
                                 1,
                                 -1,
                                 127,
                                 128,
                                 255,
                                 256,
                                 -32768,
                                 0x12345678,
                                 -0x7FFFFFFF,
                                 1000000,
                                 std::numeric_limits<std::int64_t>::max(),
                                 std::numeric_limits<std::int64_t>::min()};
    const Real reals[] = {0.5L, -0.25L, 123.45L, 1e17L, -98765.4321L, 0.1L, 3.0L};
    const FormatSettings locales[] = {FormatSettings{}, CommaDecimal};
    for (const FormatSettings& locale : locales) {
        FormatSettingsScope scope(locale);
        for (const CalcValueMode mode : AllModes) {
            for (int opts = 0; opts < 4; ++opts) {
                const bool isSigned = opts & 1;
                const bool reversed = opts & 2;
                std::vector<CalcValue> values;
                for (const std::int64_t v : ints)
                    values.push_back(IntValue(QWord, v));
                if (mode == Float) {
                    for (const Real x : reals)
                        values.push_back(RealValue(x));
                }
                for (const CalcValue& v : values) {
                    CalcValue expected;
                    ConvertValue(expected, mode, v);
                    auto shown = MakeConv(BarKind::Decimal, mode, isSigned, reversed);
                    shown->SetValue(v);
                    const std::string text = shown->GetText(false);
                    SCOPED_TRACE(text + " mode " + ModeCaption(mode) + " opts " +
                                 std::to_string(opts));
                    EXPECT_EQ(GetReal(shown->GetValue()), GetReal(expected));
                    EXPECT_EQ(GetInteger(shown->GetValue()), GetInteger(expected));
                    if (text.find('E') != std::string::npos)
                        continue; // 19-digit reals are shown rounded, and "E" cannot be typed
                    auto typed = MakeConv(BarKind::Decimal, mode, isSigned, reversed);
                    TypeShownNumber(*typed, shown->GetText(true));
                    EXPECT_EQ(typed->GetText(false), text);
                    EXPECT_EQ(GetReal(typed->GetValue()), GetReal(expected));
                    EXPECT_EQ(GetInteger(typed->GetValue()), GetInteger(expected));
                }
            }
        }
    }
}

TEST(ConvDecimal, ValueBeyondEighteenDigitsReadsBackExactly) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    const Real x = 9223372036854775807.0L; // shown rounded: 9.22337203685477581E18
    conv->SetValue(RealValue(x));
    EXPECT_EQ(conv->GetText(false), "9.22337203685477581E18");
    EXPECT_EQ(RealOf(*conv), x);
    conv->SetValue(RealValue(1.0L / 3));
    EXPECT_EQ(RealOf(*conv), 1.0L / 3);
}

// Reals of 19 integer digits are shown in scientific form; a copy of that text
// pasted back gives the value again, the ends of the 64-bit range included,
// which 18 digits round outward.
TEST(ConvDecimal, PastedScientificTextReadsBack) {
    struct Case {
        Real shown;
        const char* text;
        Real read;
    };
    const Case cases[] = {
        {-9223372036854775808.0L, "-9.22337203685477581E18", -9223372036854775808.0L},
        {-9223372036854775806.0L, "-9.22337203685477581E18", -9223372036854775808.0L},
        {9223372036854775807.0L, "9.22337203685477581E18", 9223372036854775807.0L},
        {1.5e18L, "1.5E18", 1.5e18L},
        {-1e18L, "-1E18", -1e18L},
        {1234567890123456789.0L, "1.23456789012345679E18", 1234567890123456790.0L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto shown = MakeConv(BarKind::Decimal, Float);
        shown->SetValue(RealValue(c.shown));
        ASSERT_EQ(shown->GetText(false), c.text);
        auto pasted = MakeConv(BarKind::Decimal, Float);
        EXPECT_TRUE(PasteText(*pasted, c.text));
        EXPECT_EQ(pasted->GetText(false), c.text);
        EXPECT_EQ(RealOf(*pasted), c.read);
    }
    const FormatSettingsScope scope(CommaDecimal);
    auto conv = MakeConv(BarKind::Decimal, Float);
    EXPECT_TRUE(PasteText(*conv, "-1,5E18"));
    EXPECT_EQ(RealOf(*conv), -1.5e18L);
}

// Only a paste of the bar's own form takes an exponent: no key types one, no
// other mantissa takes one, and the range still holds.
TEST(ConvDecimal, ExponentOnlyInPastedScientificForm) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    EXPECT_EQ(TypeKeys(*conv, "1.5E18"), "+++x++");
    EXPECT_EQ(conv->GetText(false), "1.518");
    EXPECT_FALSE(PasteText(*conv, "15E17"));
    EXPECT_EQ(conv->GetText(false), "15");
    EXPECT_TRUE(PasteText(*conv, "9.2233720368547759E18"));
    EXPECT_EQ(conv->GetText(false), "9.2233720368547759E1");
    EXPECT_TRUE(PasteText(*conv, "1E19"));
    EXPECT_EQ(RealOf(*conv), 10.0L);
    for (const CalcValueMode mode : {Byte, QWord}) {
        auto integer = MakeConv(BarKind::Decimal, mode, true);
        EXPECT_FALSE(PasteText(*integer, "1E18"));
        EXPECT_EQ(integer->GetText(false), "1");
    }
}

TEST(ConvDecimal, ClearGivesTheEmptyEntry) {
    auto conv = MakeConv(BarKind::Decimal, Float);
    conv->SetValue(RealValue(12.5L));
    conv->Clear();
    EXPECT_EQ(conv->GetText(false), "0");
    EXPECT_EQ(RealOf(*conv), 0.0L);
    EXPECT_FALSE(conv->CanBackspace());
}

} // namespace
} // namespace pexa
