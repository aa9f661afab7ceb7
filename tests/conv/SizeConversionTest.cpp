#include "ConvDriver.h"

#include "core/FormatSettings.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using namespace test;

constexpr std::int64_t K = 1024;
constexpr std::int64_t M = K * K;
constexpr std::int64_t G = M * K;

std::unique_ptr<Conversion> MakeKilo(CalcValueMode mode, bool isSigned = false,
                                     bool reversed = false) {
    return MakeConv(BarKind::Kilo, mode, isSigned, reversed);
}

// An independent reading of a written size text: terms joined by single "+",
// units strictly falling, every term below 1024 except an E term.
bool ReadWrittenSize(const std::string& text, std::int64_t& v) {
    if (text == "0") {
        v = 0;
        return true;
    }
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++pos;
    const std::string units = " KMGTPE";
    int lastUnit = 7;
    std::uint64_t sum = 0;
    while (pos < text.size()) {
        std::uint64_t digits = 0;
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 19)
            digits = digits * 10 + static_cast<unsigned>(text[pos++] - '0');
        if (pos == start || text[start] == '0')
            return false;
        int unit = 0;
        if (pos < text.size() && text[pos] != '+') {
            const auto found = units.find(text[pos++]);
            if (found == std::string::npos || found == 0)
                return false;
            unit = static_cast<int>(found);
        }
        if (unit >= lastUnit || (unit < 6 && digits >= 1024) || (unit == 6 && digits > 8))
            return false;
        lastUnit = unit;
        sum += digits << (10 * unit);
        if (pos < text.size() && (text[pos++] != '+' || pos == text.size()))
            return false;
    }
    if (sum > (std::uint64_t{1} << 63) - (negative ? 0 : 1))
        return false;
    v = static_cast<std::int64_t>(negative ? 0 - sum : sum);
    return true;
}

// Types a text as one new entry, as pasted but with its sign where it
// stands; false at the first refused character.
bool EnterText(Conversion& conv, const std::string& text) {
    bool newEntry = true;
    for (const char ch : text) {
        if (conv.IsIgnoredChar(ch))
            continue;
        if (!conv.CanInputChar(ch, newEntry, true))
            return false;
        if (newEntry)
            conv.Clear();
        newEntry = false;
        if (!conv.InputChar(ch))
            return false;
    }
    return true;
}

TEST(ConvKilo, ClassContract) {
    auto conv = MakeKilo(DWord);
    EXPECT_EQ(conv->GetCapabilities().Bits(),
              (ConvOptionSet{ConvOption::Signed, ConvOption::ReverseEndian}.Bits()));
    EXPECT_EQ(conv->GetLabel(), "KILO");
    EXPECT_EQ(conv->GetAccessKey(), 'K');
    EXPECT_EQ(conv->GetSeparatorCaption(), "KMG");
    EXPECT_TRUE(conv->CanToggleSign());
    EXPECT_TRUE(conv->IsIgnoredChar('+'));
    EXPECT_FALSE(conv->IsIgnoredChar(','));
    EXPECT_EQ(conv->GetText(false), "0");
    EXPECT_FALSE(conv->CanBackspace());
    EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
}

TEST(ConvKilo, RenderingTable) {
    struct Case {
        CalcValueMode mode;
        bool isSigned;
        bool reversed;
        CalcValue value;
        const char* text;
    };
    const Case cases[] = {
        {DWord, false, false, IntValue(DWord, 1536), "1K+512"},
        {DWord, false, false, IntValue(DWord, M), "1M"},
        {DWord, false, false, IntValue(DWord, 0), "0"},
        {DWord, false, false, IntValue(DWord, 4294966272LL), "3G+1023M+1023K"},
        {DWord, true, false, IntValue(DWord, 4294966272LL), "-1K"},
        {Byte, false, false, IntValue(Byte, 255), "255"},
        {Byte, true, false, IntValue(Byte, 255), "-1"},
        {Word, false, true, IntValue(Word, 0x0004), "1K"},
        {Word, true, true, IntValue(Word, 0x00FC), "-1K"},
        {QWord, false, false, IntValue(QWord, std::numeric_limits<std::int64_t>::max()),
         "7E+1023P+1023T+1023G+1023M+1023K+1023"},
        {QWord, false, false, IntValue(QWord, std::numeric_limits<std::int64_t>::min()), "-8E"},
        {QWord, false, true, IntValue(QWord, 0x0004000000000000LL), "1K"},
        {Float, false, false, RealValue(1536.5L), "1K+512.5"},
        {Float, false, false, RealValue(-1536.5L), "-1K+512.5"},
        {Float, false, false, RealValue(-0.5L), "-0.5"},
        {Float, false, false, RealValue(0.1L), "0.1"},
        {Float, false, false, RealValue(1e-20L), "0"},
        {Float, false, false, RealValue(-1e-20L), "0"},
        {Float, false, false, RealValue(2 * G + 3 * M), "2G+3M"},
        // Beyond 18 digits the integer is exact, with no decimals.
        {Float, false, false, RealValue(9223372036854775807.0L),
         "7E+1023P+1023T+1023G+1023M+1023K+1023"},
        {Float, false, false, RealValue(-9223372036854775808.0L), "-8E"},
        {Float, false, false, RealValue(1152921504606846977.0L), "1E+1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto conv = MakeKilo(c.mode, c.isSigned, c.reversed);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(conv->GetText(true), c.text);
    }
}

TEST(ConvKilo, IntegerTextsReadAsTheirBits) {
    std::mt19937_64 rng(12);
    for (const CalcValueMode mode : AllModes) {
        for (const bool isSigned : {false, true}) {
            for (const bool reversed : {false, true}) {
                SCOPED_TRACE(std::string(ModeCaption(mode)) + (isSigned ? " signed" : "") +
                             (reversed ? " reversed" : ""));
                auto conv = MakeKilo(mode, isSigned, reversed);
                for (int i = 0; i < 400; ++i) {
                    // Sparse bit patterns, so that zero groups are skipped.
                    const auto bits = static_cast<std::int64_t>(rng() & rng() & rng());
                    CalcValue value;
                    if (mode == Float)
                        SetReal(value, mode, static_cast<Real>(bits >> 2));
                    else
                        SetInteger(value, mode, bits);
                    conv->SetValue(value);
                    std::int64_t shown = GetInteger(value);
                    if (IsMultiByteMode(mode) && reversed)
                        ReverseBytes(shown, mode);
                    if (isSigned || Is64BitMode(mode))
                        SignExtend(shown, mode);
                    std::int64_t read = 0;
                    const std::string text = conv->GetText(false);
                    ASSERT_TRUE(ReadWrittenSize(text, read)) << text;
                    ASSERT_EQ(read, shown) << text;
                }
            }
        }
    }
}

struct TypingCase {
    CalcValueMode mode;
    bool isSigned;
    const char* keys;
    const char* marks; // per key: + accepted, - refused, x key disabled
    const char* text;
    Real value;
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE(std::string("keys \"") + c.keys + "\" " + ModeCaption(c.mode) +
                 (c.isSigned ? " signed" : ""));
    auto conv = MakeKilo(c.mode, c.isSigned);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(RealOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.mode);
}

TEST(ConvKilo, Typing) {
    const TypingCase cases[] = {
        // The separator key closes a group and raises the units before it.
        {QWord, false, "1:", "++", "1K", K},
        {QWord, false, "1::", "+++", "1M", M},
        {QWord, false, "1::5", "++++", "1M+5", M + 5},
        {QWord, false, "1:512:3", "+++++++", "1M+512K+3", 1572867},
        {QWord, false, "1:05", "++++", "1K+5", K + 5},
        {QWord, false, "00:", "+++", "0K", 0},
        {QWord, false, ":", "+", "0K", 0},
        {QWord, false, "1::::::", "+++++++", "1E", static_cast<Real>(M * M * M)},
        // 8E would wrap to -2^63.
        {QWord, false, "8::::::", "++++++-", "8P", 8 * static_cast<Real>(M * M * K)},
        {QWord, false, "-8::::::", "++++++++", "-8E", -9223372036854775808.0L},
        {QWord, false, "7:1023:::::", "+++++++++++", "7E+1023P", 0x1FFFp50L},
        {QWord, false, "7::::::", "+++++++", "7E", 7 * static_cast<Real>(M * M * M)},
        // The decimal-point key is the separator key in the integer modes.
        {DWord, false, "1.512", "+++++", "1K+512", K + 512},
        {DWord, false, "4..", "+++", "4M", 4 * M},
        {DWord, false, "4...", "+++-", "4M", 4 * M},
        {DWord, false, "3...1023..1023.1023", "+++++++++++++++++++", "3G+1023M+1023K+1023",
         4294967295.0L},
        {Byte, false, "255", "+++", "255", 255},
        {Byte, false, "256", "++-", "25", 25},
        {Byte, false, "1:", "+-", "1", 1},
        {Word, false, "63:1023", "+++++++", "63K+1023", 65535},
        {Word, false, "64:", "++-", "64", 64},
        // The sign, where the reading is signed.
        {DWord, false, "5-", "+x", "5", 5},
        {DWord, true, "1:-", "+++", "-1K", 4294966272.0L},
        {DWord, true, "1:--", "++++", "1K", K},
        {QWord, false, "-5", "++", "-5", -5},
        {QWord, false, "A", "x", "0", 0},
        // Float mode: a decimal fraction after the units, up to 18 digits.
        {Float, false, "1:512.5", "+++++++", "1K+512.5", 1536.5L},
        {Float, false, "1.5:", "+++x", "1.5", 1.5L},
        {Float, false, "1..", "++x", "1.", 1},
        {Float, false, ".5", "++", "0.5", 0.5L},
        {Float, false, "0.1234567890123456789", "++++++++++++++++++++-", "0.123456789012345678",
         0.123456789012345678L},
        {Float, false, "1.5-", "++++", "-1.5", -1.5L},
        {Float, false, "8::::::", "++++++-", "8P", 8 * static_cast<Real>(M * M * K)},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

// The decimal-point key is the locale's; pasting skips "+" and "K" is typed
// as a letter only from a pasted text.
TEST(ConvKilo, Pasting) {
    auto conv = MakeKilo(QWord);
    EXPECT_FALSE(conv->CanInputChar('K', false, false));
    EXPECT_TRUE(conv->CanInputChar('K', false, true));
    EXPECT_TRUE(PasteText(*conv, "2G+3M"));
    EXPECT_EQ(IntOf(*conv), 2 * G + 3 * M);
    EXPECT_EQ(conv->GetText(false), "2G+3M");
    EXPECT_TRUE(PasteText(*conv, "1M+512K"));
    EXPECT_EQ(IntOf(*conv), M + 512 * K);
    EXPECT_TRUE(PasteText(*conv, "-1k+512"));
    EXPECT_EQ(IntOf(*conv), -(K + 512));
    EXPECT_EQ(conv->GetText(false), "-1k+512");
    EXPECT_TRUE(PasteText(*conv, "7E+1023P+1023T+1023G+1023M+1023K+1023"));
    EXPECT_EQ(IntOf(*conv), std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(PasteText(*conv, "1,000"));
    EXPECT_EQ(conv->GetText(false), "1");

    auto real = MakeKilo(Float);
    EXPECT_TRUE(PasteText(*real, "1K+512.25"));
    EXPECT_EQ(RealOf(*real), 1536.25L);
    // Units end where the fraction begins.
    EXPECT_FALSE(PasteText(*real, "1.5K"));
    EXPECT_EQ(RealOf(*real), 1.5L);
}

TEST(ConvKilo, Backspace) {
    struct Case {
        CalcValueMode mode;
        const char* keys;
        int presses;
        const char* text;
        Real value;
    };
    const Case cases[] = {
        {QWord, "1::5", 1, "1M", M},
        {QWord, "1:", 1, "1", 1},
        {QWord, "1:512", 1, "1K+51", K + 51},
        {QWord, "5-", 1, "0", 0},
        {QWord, "7", 1, "0", 0},
        {Float, "1:5.25", 1, "1K+5.2", K + 5.2L},
        {Float, "1.5", 1, "1.", 1},
        {Float, "1.5", 2, "1", 1},
        {Float, ".5-", 1, "-0.", 0},
        {Float, ".5-", 2, "0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " x" + std::to_string(c.presses));
        auto conv = MakeKilo(c.mode);
        TypeKeys(*conv, c.keys);
        for (int i = 0; i < c.presses; ++i) {
            ASSERT_TRUE(conv->CanBackspace());
            EXPECT_TRUE(conv->Backspace());
        }
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(RealOf(*conv), c.value);
        // The held value follows: a later rewrite shows the same number.
        conv->SetMode(c.mode);
        EXPECT_EQ(RealOf(*conv), c.value);
    }
    auto conv = MakeKilo(QWord);
    EXPECT_FALSE(conv->CanBackspace());
}

// The sign key on a fresh entry types a bare "-"; pressing it again gives the
// zero back instead of an empty text, typed or pasted as "--".
TEST(ConvKilo, SignOffABareMinusLeavesZero) {
    for (const CalcValueMode mode : {DWord, QWord, Float}) {
        SCOPED_TRACE(static_cast<int>(mode));
        auto conv = MakeKilo(mode, true);
        EXPECT_EQ(TypeKeys(*conv, "-"), "+");
        EXPECT_EQ(conv->GetText(false), "-");
        EXPECT_EQ(TypeKeys(*conv, "-", false), "+");
        EXPECT_EQ(conv->GetText(false), "0");
        EXPECT_EQ(RealOf(*conv), 0);
        EXPECT_EQ(TypeKeys(*conv, "5", false), "+");
        EXPECT_EQ(conv->GetText(false), "5");
        EXPECT_EQ(RealOf(*conv), 5);

        PasteText(*conv, "--");
        EXPECT_EQ(conv->GetText(false), "0");
        EXPECT_EQ(RealOf(*conv), 0);
    }
}

TEST(ConvKilo, CommaDecimalLocale) {
    const FormatSettingsScope scope(DashDates);
    auto real = MakeKilo(Float);
    real->SetValue(RealValue(1536.5L));
    EXPECT_EQ(real->GetText(false), "1K+512,5");
    EXPECT_FALSE(real->CanInputChar('.', true, false));
    EXPECT_EQ(TypeKeys(*real, "1:512,25"), "++++++++");
    EXPECT_EQ(real->GetText(false), "1K+512,25");
    EXPECT_EQ(RealOf(*real), 1536.25L);
    EXPECT_TRUE(PasteText(*real, "2M+1,5"));
    EXPECT_EQ(RealOf(*real), 2 * M + 1.5L);

    auto dword = MakeKilo(DWord);
    EXPECT_EQ(TypeKeys(*dword, "1,5"), "+++");
    EXPECT_EQ(dword->GetText(false), "1K+5");
    // The thousands point is no part of a size.
    EXPECT_FALSE(PasteText(*dword, "1.000"));
    EXPECT_EQ(IntOf(*dword), 1);
}

// What SetValue gives, GetValue hands back; the text, typed anew, denotes the
// same value.
TEST(ConvKilo, ValueRoundTripsInEveryMode) {
    std::mt19937_64 rng(13);
    for (const bool comma : {false, true}) {
        const FormatSettingsScope scope(comma ? DashDates : FormatSettings{});
        for (const CalcValueMode mode : AllModes) {
            for (const bool isSigned : {false, true}) {
                for (const bool reversed : {false, true}) {
                    SCOPED_TRACE(std::string(ModeCaption(mode)) + (isSigned ? " signed" : "") +
                                 (reversed ? " reversed" : "") + (comma ? " comma" : ""));
                    auto shown = MakeKilo(mode, isSigned, reversed);
                    auto typed = MakeKilo(mode, isSigned, reversed);
                    for (int i = 0; i < 100; ++i) {
                        CalcValue value;
                        const auto bits = static_cast<std::int64_t>(rng());
                        if (mode == Float) // up to 18 significant digits
                            SetReal(value, mode, static_cast<Real>(bits >> 11) / 4);
                        else
                            SetInteger(value, mode, bits);
                        shown->SetValue(value);
                        const CalcValue back = shown->GetValue();
                        ASSERT_EQ(GetInteger(back), GetInteger(value));
                        ASSERT_EQ(GetReal(back), GetReal(value));
                        const std::string text = shown->GetText(false);
                        ASSERT_TRUE(EnterText(*typed, text)) << text;
                        ASSERT_EQ(GetInteger(typed->GetValue()), GetInteger(value)) << text;
                        ASSERT_EQ(GetReal(typed->GetValue()), GetReal(value)) << text;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace pexa
