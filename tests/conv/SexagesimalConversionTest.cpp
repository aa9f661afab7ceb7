#include "ConvDriver.h"

#include "conv/SexagesimalConversion.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using namespace test;

constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

std::unique_ptr<Conversion> MakeDegree(CalcValueMode mode, bool hms = false, bool isSigned = false,
                                       bool reversed = false) {
    auto conv = MakeConv(BarKind::Degree, mode, isSigned, reversed);
    dynamic_cast<SexagesimalConversion&>(*conv).SetHmsStyle(hms);
    return conv;
}

struct RenderCase {
    CalcValueMode mode;
    bool isSigned;
    bool reversed;
    CalcValue value;
    const char* text;    // without the h:m:s style
    const char* hmsText; // with it
};

TEST(ConvDegree, Rendering) {
    const RenderCase cases[] = {
        {DWord, false, false, Int(3661), "01:01:01", "1:01:01"},
        {DWord, false, false, Int(0), "00:00:00", "0:00:00"},
        {DWord, false, false, Int(59), "00:00:59", "0:00:59"},
        {DWord, false, false, Int(216000), "01:00:00:00", "60:00:00"},
        {DWord, false, false, Int(359999), "01:39:59:59", "99:59:59"},
        {DWord, false, false, Int(-90), "05:31:24:06:26:46", "1193046:26:46"},
        {DWord, true, false, Int(-90), "-00:01:30", "-0:01:30"},
        {Byte, true, false, Int(0x80), "-00:02:08", "-0:02:08"},
        {Byte, false, false, Int(0x80), "00:02:08", "0:02:08"},
        {Word, false, true, Int(0x0100), "00:00:01", "0:00:01"},
        {Word, true, true, Int(0x00FF), "-00:04:16", "-0:04:16"},
        {QWord, false, false, Int(-1), "-00:00:01", "-0:00:01"},
        {QWord, false, false, Int(Int64Max), "15:15:13:34:32:31:55:20:15:30:07",
         "2562047788015215:30:07"},
        {QWord, false, false, Int(Int64Min), "-15:15:13:34:32:31:55:20:15:30:08",
         "-2562047788015215:30:08"},
        {Float, false, false, MakeReal(Float, 3661.25L), "01:01:01.25", "1:01:01.25"},
        {Float, false, false, MakeReal(Float, -90.5L), "-00:01:30.5", "-0:01:30.5"},
        {Float, false, false, MakeReal(Float, -0.5L), "-00:00:00.5", "-0:00:00.5"},
        {Float, false, false, MakeReal(Float, 0.1L), "00:00:00.1", "0:00:00.1"},
        {Float, false, false, MakeReal(Float, 1e-20L), "00:00:00", "0:00:00"},
        {Float, false, false, MakeReal(Float, -1e-20L), "00:00:00", "0:00:00"},
        {Float, false, false, MakeReal(Float, 59.9999999999999999999L), "00:01:00", "0:01:00"},
        {Float, false, false, MakeReal(Float, 1e18L), "01:39:13:44:30:30:27:09:37:46:40",
         "277777777777777:46:40"},
        // Rounding to 18 digits would carry past 2^63: the exact integer shows.
        {Float, false, false, MakeReal(Float, 9223372036854775807.0L),
         "15:15:13:34:32:31:55:20:15:30:07", "2562047788015215:30:07"},
        {Float, true, true, MakeReal(Float, 3661.0L), "01:01:01", "1:01:01"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.mode)) + (c.isSigned ? " signed" : "") +
                     (c.reversed ? " reversed " : " ") + c.text);
        for (const bool hms : {false, true}) {
            auto conv = MakeDegree(c.mode, hms, c.isSigned, c.reversed);
            conv->SetValue(c.value);
            EXPECT_EQ(conv->GetText(false), hms ? c.hmsText : c.text);
            EXPECT_EQ(conv->GetText(true), hms ? c.hmsText : c.text);
            EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
        }
    }
}

TEST(ConvDegree, HmsStyleRewritesTheText) {
    auto conv = MakeDegree(DWord);
    auto& degree = dynamic_cast<SexagesimalConversion&>(*conv);
    EXPECT_FALSE(degree.GetHmsStyle());
    conv->SetValue(Int(216000));
    EXPECT_EQ(conv->GetText(false), "01:00:00:00");
    degree.SetHmsStyle(true);
    EXPECT_TRUE(degree.GetHmsStyle());
    EXPECT_EQ(conv->GetText(false), "60:00:00");
    EXPECT_EQ(IntOf(*conv), 216000);
}

struct TypingCase {
    CalcValueMode mode;
    bool isSigned;
    bool reversed;
    std::string keys;
    std::string marks; // per key: + accepted, - refused, x key disabled
    std::string text;
    Real value; // GetReal of GetValue
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE("keys " + c.keys + " " + ModeCaption(c.mode) + (c.isSigned ? " signed" : "") +
                 (c.reversed ? " reversed" : ""));
    auto conv = MakeDegree(c.mode, false, c.isSigned, c.reversed);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(RealOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.mode);
}

TEST(ConvDegree, TypingIntegers) {
    const TypingCase cases[] = {
        {DWord, false, false, "1:30", "++++", "1:30", 90},
        {DWord, false, false, "1.30", "++++", "1:30", 90},
        {DWord, false, false, "1'30\"15", "+++++++", "1:30:15", 5415},
        {DWord, false, false, "1::", "++-", "1:", 1},
        {DWord, false, false, "1:05", "++++", "1:5", 65},
        {DWord, false, false, "1:75", "++++", "1:75", 135},
        {DWord, false, false, "00", "++", "0", 0},
        {DWord, false, false, "07", "++", "7", 7},
        {DWord, false, false, ":5", "++", "0:5", 5},
        {DWord, false, false, "-", "x", "00:00:00", 0},
        {DWord, false, false, "5-", "+x", "5", 5},
        {DWord, false, false, "5A E,", "+xxxx", "5", 5},
        {DWord, true, false, "-", "-", "0", 0},
        {DWord, true, false, "5-", "++", "-5", 4294967291.0L},
        {DWord, true, false, "5--", "+++", "5", 5},
        {DWord, true, false, "1:30-", "+++++", "-1:30", 4294967206.0L},
        {Byte, false, false, "4:15", "++++", "4:15", 255},
        {Byte, false, false, "4:16", "+++-", "4:1", 241},
        {Byte, true, false, "2:8", "++-", "2:", 2},
        {Byte, true, false, "2-:8", "++++", "-2:8", 128},
        {Byte, true, false, "2-:9", "+++-", "-2:", 254},
        {Word, false, true, "1", "+", "1", 256},
        {Word, true, true, "1-", "++", "-1", 65535},
        {QWord, false, false, "5-", "++", "-5", -5},
        // The largest integer that ten fields can hold.
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:29:67", std::string(32, '+'),
         "15:15:13:34:32:31:55:20:15:29:67", 9223372036854775807.0L},
        // One more would wrap past 2^63 in the last field: refused.
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:29:68", std::string(31, '+') + "-",
         "15:15:13:34:32:31:55:20:15:29:6", 9223372036854775746.0L},
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:29:6-8", std::string(33, '+'),
         "-15:15:13:34:32:31:55:20:15:29:68", -9223372036854775808.0L},
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:29:6-9", std::string(32, '+') + "-",
         "-15:15:13:34:32:31:55:20:15:29:6", -9223372036854775746.0L},
        // The text the largest integer shows, and the smallest one's.
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:30:07", std::string(32, '+'),
         "15:15:13:34:32:31:55:20:15:30:7", 9223372036854775807.0L},
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:30:08", std::string(31, '+') + "-",
         "15:15:13:34:32:31:55:20:15:30:0", 9223372036854775800.0L},
        {QWord, false, false, "15:15:13:34:32:31:55:20:15:30:0-8", std::string(33, '+'),
         "-15:15:13:34:32:31:55:20:15:30:8", -9223372036854775807.0L - 1},
        // A field beyond 64 bits cannot be read.
        {QWord, false, false, "1:9999999999999999999", std::string(20, '+') + "-",
         "1:999999999999999999", 60.0L + 999999999999999999.0L},
        {DWord, false, false, "1:2147483647", std::string(12, '+'), "1:2147483647",
         60.0L + 2147483647.0L},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

TEST(ConvDegree, TypingReals) {
    const TypingCase cases[] = {
        {Float, false, false, "1:30.5", "++++++", "1:30.5", 90.5L},
        {Float, false, false, "1.5", "+++", "1.5", 1.5L},
        {Float, false, false, ".5", "++", "0.5", 0.5L},
        {Float, false, false, "1.5:", "+++x", "1.5", 1.5L},
        {Float, false, false, "1.5.", "+++x", "1.5", 1.5L},
        {Float, false, false, "1.5'", "+++x", "1.5", 1.5L},
        {Float, false, false, "1'30\"", "+++++", "1:30:", 90.0L},
        {Float, false, false, "1:30.5-", "+++++++", "-1:30.5", -90.5L},
        {Float, false, false, "-", "-", "0", 0.0L},
        {Float, false, false, "1.123456789012345678", std::string(20, '+'), "1.123456789012345678",
         1.123456789012345678L},
        {Float, false, false, "1.1234567890123456789", std::string(20, '+') + "-",
         "1.123456789012345678", 1.123456789012345678L},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

TEST(ConvDegree, SeparatorKeysAndPasting) {
    auto conv = MakeDegree(DWord);
    // Typed, the decimal-point key is a field separator in the integer modes.
    EXPECT_TRUE(conv->CanInputChar('.', true, false));
    EXPECT_TRUE(conv->CanInputChar('.', false, false));
    EXPECT_FALSE(conv->CanInputChar('.', true, true));
    EXPECT_FALSE(PasteText(*conv, "1.5"));
    EXPECT_EQ(conv->GetText(false), "1");
    EXPECT_TRUE(PasteText(*conv, "1:30:15"));
    EXPECT_EQ(IntOf(*conv), 5415);
    // Thousands separators are skipped.
    EXPECT_TRUE(conv->IsIgnoredChar(','));
    EXPECT_TRUE(PasteText(*conv, "1,000"));
    EXPECT_EQ(IntOf(*conv), 1000);
    EXPECT_EQ(conv->GetSeparatorCaption(), ":");

    auto real = MakeDegree(Float);
    EXPECT_TRUE(PasteText(*real, "1:30.25"));
    EXPECT_EQ(RealOf(*real), 90.25L);
    // A second separator only as the first key of a new entry.
    EXPECT_FALSE(real->CanInputChar('.', false, false));
    EXPECT_TRUE(real->CanInputChar('.', true, false));
    EXPECT_FALSE(real->CanInputChar(':', false, false));
    EXPECT_TRUE(real->CanInputChar(':', true, false));
    // A leading minus of pasted text is typed at the end.
    EXPECT_TRUE(PasteText(*real, "-1:30.25"));
    EXPECT_EQ(real->GetText(false), "-1:30.25");
    EXPECT_EQ(RealOf(*real), -90.25L);
}

TEST(ConvDegree, LocaleCharacters) {
    const FormatSettingsScope scope(CommaDecimal);
    auto real = MakeDegree(Float);
    EXPECT_EQ(TypeKeys(*real, "1:30,5"), "++++++");
    EXPECT_EQ(RealOf(*real), 90.5L);
    EXPECT_EQ(TypeKeys(*real, "1.5"), "+x+");
    real->SetValue(MakeReal(Float, 3661.25L));
    EXPECT_EQ(real->GetText(false), "01:01:01,25");
    EXPECT_EQ(real->GetText(true), "01:01:01,25");
    EXPECT_TRUE(real->IsIgnoredChar('.'));
    EXPECT_FALSE(real->IsIgnoredChar(','));
    EXPECT_TRUE(PasteText(*real, "1.000,5"));
    EXPECT_EQ(RealOf(*real), 1000.5L);

    auto integer = MakeDegree(DWord);
    EXPECT_EQ(TypeKeys(*integer, "1,30"), "++++");
    EXPECT_EQ(integer->GetText(false), "1:30");
    EXPECT_EQ(IntOf(*integer), 90);
    EXPECT_FALSE(integer->CanInputChar('.', false, false));
}

TEST(ConvDegree, Backspace) {
    auto conv = MakeDegree(DWord, false, true);
    TypeKeys(*conv, "1:30");
    const struct {
        const char* text;
        std::int64_t value;
    } steps[] = {{"1:3", 63}, {"1:", 1}, {"1", 1}, {"0", 0}};
    for (const auto& step : steps) {
        ASSERT_TRUE(conv->CanBackspace());
        EXPECT_TRUE(conv->Backspace());
        EXPECT_EQ(conv->GetText(false), step.text);
        EXPECT_EQ(IntOf(*conv), step.value);
    }
    EXPECT_FALSE(conv->CanBackspace());

    TypeKeys(*conv, "5-");
    EXPECT_TRUE(conv->Backspace());
    EXPECT_EQ(conv->GetText(false), "0");
    EXPECT_EQ(IntOf(*conv), 0);

    auto real = MakeDegree(Float);
    TypeKeys(*real, "-");
    TypeKeys(*real, "1.5-");
    EXPECT_TRUE(real->Backspace());
    EXPECT_EQ(real->GetText(false), "-1.");
    EXPECT_EQ(RealOf(*real), -1.0L);
    EXPECT_TRUE(real->Backspace());
    EXPECT_TRUE(real->Backspace());
    EXPECT_EQ(real->GetText(false), "0");
    EXPECT_FALSE(real->CanBackspace());
}

TEST(ConvDegree, BackspaceThenModeChangeShowsTheShortenedNumber) {
    auto conv = MakeDegree(DWord);
    TypeKeys(*conv, "1:30");
    conv->Backspace();
    conv->SetMode(DWord);
    EXPECT_EQ(conv->GetText(false), "00:01:03");
    conv->SetMode(Float);
    EXPECT_EQ(conv->GetText(false), "00:01:03");
    EXPECT_EQ(RealOf(*conv), 63.0L);
}

TEST(ConvDegree, OptionsRegenerateTheText) {
    auto conv = MakeDegree(Word);
    EXPECT_EQ(conv->GetCapabilities(),
              (ConvOptionSet{ConvOption::Signed, ConvOption::ReverseEndian}));
    EXPECT_TRUE(conv->CanToggleSign());
    TypeKeys(*conv, "18:12");
    EXPECT_EQ(IntOf(*conv), 1092);
    conv->SetOption(ConvOption::ReverseEndian, true);
    EXPECT_EQ(conv->GetText(false), "04:50:12"); // 0x0444 read reversed is 0x4404
    conv->SetOption(ConvOption::ReverseEndian, false);
    conv->SetOption(ConvOption::Signed, true);
    EXPECT_EQ(conv->GetText(false), "00:18:12");
    conv->SetValue(Int(0xFFFF));
    EXPECT_EQ(conv->GetText(false), "-00:00:01");
}

TEST(ConvDegree, ClearGivesTheEmptyEntry) {
    for (const CalcValueMode mode : AllModes) {
        auto conv = MakeDegree(mode, true);
        conv->SetValue(Int(3661));
        conv->Clear();
        EXPECT_EQ(conv->GetText(false), "0");
        EXPECT_EQ(RealOf(*conv), 0.0L);
        EXPECT_FALSE(conv->CanBackspace());
    }
}

// The number the bar's notation shows for a value.
Real ShownNumber(const Conversion& conv, const CalcValue& v) {
    if (IsFloatMode(v.Mode))
        return GetReal(v);
    std::int64_t bits = GetInteger(v);
    if (conv.IsReversed())
        ReverseBytes(bits, v.Mode);
    if (conv.IsSigned())
        SignExtend(bits, v.Mode);
    return static_cast<Real>(bits);
}

// Types a text as a new entry the way a user would: a leading "-" is typed as
// soon as the entry has digits it can sign (so that the smallest number of a
// signed range is never refused as one too large on the way).
void TypeAsUser(Conversion& conv, const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    bool signPending = negative;
    conv.Clear();
    for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        ASSERT_TRUE(conv.CanInputChar(text[i], false, false)) << text << " at " << i;
        ASSERT_TRUE(conv.InputChar(text[i])) << text << " at " << i;
        if (signPending && conv.GetText(false) != "0") {
            ASSERT_TRUE(conv.InputChar('-')) << text;
            signPending = false;
        }
    }
    EXPECT_EQ(conv.GetText(false).front() == '-', negative) << text;
}

// Every value given to the bar comes back unchanged, and its text, typed or
// pasted as a new entry, denotes it again.
TEST(ConvDegree, ValuesSurviveTheirText) {
    std::mt19937_64 rng(7);
    int typedBack = 0;
    for (const CalcValueMode mode : AllModes) {
        for (int options = 0; options < 8; ++options) {
            const bool isSigned = options & 1;
            const bool reversed = options & 2;
            const bool hms = options & 4;
            auto conv = MakeDegree(mode, hms, isSigned, reversed);
            for (int i = 0; i < 40; ++i) {
                const auto bits = static_cast<std::int64_t>(rng() >> (rng() % 64));
                CalcValue v = MakeZero();
                if (IsFloatMode(mode))
                    SetReal(v, mode, static_cast<Real>(bits >> 20) / 64 * (i % 2 ? -1 : 1));
                else
                    SetInteger(v, mode, bits);
                SCOPED_TRACE(std::string(ModeCaption(mode)) + " " + std::to_string(options) + " " +
                             std::to_string(bits));
                conv->SetValue(v);
                EXPECT_EQ(GetInteger(conv->GetValue()), GetInteger(v));
                EXPECT_EQ(GetReal(conv->GetValue()), GetReal(v));
                const std::string text = conv->GetText(false);
                // Ten fields and more cannot be multiplied in, and a field is
                // read in 32 bits: such texts are shown but cannot be typed.
                const Real magnitude = std::fabs(ShownNumber(*conv, v));
                if (magnitude >= 9223372036854775740.0L ||
                    (hms && magnitude >= 2147483647.0L * 3600))
                    continue;
                TypeAsUser(*conv, text);
                ++typedBack;
                EXPECT_EQ(GetInteger(conv->GetValue()), GetInteger(v)) << text;
                EXPECT_EQ(GetReal(conv->GetValue()), GetReal(v)) << text;
            }
        }
    }
    // Most texts are typeable; the skipped ones are the exceptions.
    EXPECT_GT(typedBack, 1300) << typedBack;
}

TEST(ConvDegree, RealsKeepTheirPrecisionThroughTheBar) {
    auto conv = MakeDegree(Float);
    const Real third = 1.0L / 3.0L;
    conv->SetValue(MakeReal(Float, third));
    EXPECT_EQ(conv->GetText(false), "00:00:00.333333333333333333");
    EXPECT_EQ(RealOf(*conv), third);
    // Typed back, the 18 decimals give the nearest real to that text.
    ASSERT_TRUE(PasteText(*conv, conv->GetText(false)));
    EXPECT_NEAR(static_cast<double>(RealOf(*conv) - third), 0.0, 1e-18);
}

} // namespace
} // namespace pexa
