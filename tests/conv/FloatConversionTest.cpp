#include "ConvDriver.h"

#include "conv/FloatConversion.h"
#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace pexa {
namespace {

using namespace test;

// Independent references: the bit patterns of the machine's own float and
// double, and the C library's correctly rounded decimal readers.
std::int64_t SingleBits(float f) {
    std::uint32_t u = 0;
    std::memcpy(&u, &f, sizeof u);
    return u;
}
std::int64_t DoubleBits(double d) {
    std::int64_t u = 0;
    std::memcpy(&u, &d, sizeof u);
    return u;
}
float SingleOf(std::int64_t bits) {
    const auto u = static_cast<std::uint32_t>(bits);
    float f = 0;
    std::memcpy(&f, &u, sizeof f);
    return f;
}
double DoubleOf(std::int64_t bits) {
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The bar's text with the locale separator, read by strtod in the "C" locale.
std::string ToCText(std::string text) {
    for (char& c : text) {
        if (c == CurrentFormat().DecimalSeparator)
            c = '.';
    }
    return text;
}

struct TypingCase {
    CalcValueMode mode;
    bool reversed;
    std::string keys;
    std::string marks; // per key: + accepted, - refused, x key disabled
    std::string text;
    std::int64_t value; // GetInteger of GetValue
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE("keys " + c.keys + " " + ModeCaption(c.mode) + (c.reversed ? " reversed" : ""));
    auto conv = MakeConv(BarKind::Float, c.mode, false, c.reversed);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(conv->GetText(true), c.text);
    EXPECT_EQ(IntOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.mode);
}

TEST(ConvFloat, Typing) {
    const TypingCase cases[] = {
        {DWord, false, "1.5", "+++", "1.5", 0x3FC00000},
        {DWord, false, "1.5E-3", "++++++", "1.5E-3", SingleBits(1.5e-3f)},
        {DWord, false, "1.5E--", "++++++", "1.5E", 0x3FC00000},
        {DWord, false, "1.5E--3", "+++++++", "1.5E3", SingleBits(1500.0f)},
        {DWord, false, "1.5E-3-", "+++++++", "-1.5E-3", SingleBits(-1.5e-3f)},
        {DWord, false, "1.5E-3--", "++++++++", "1.5E-3", SingleBits(1.5e-3f)},
        {DWord, false, "1.5e-3", "++++++", "1.5e-3", SingleBits(1.5e-3f)},
        {DWord, false, "2-", "++", "-2", static_cast<std::int64_t>(0xC0000000)},
        {DWord, false, "-", "+", "-0", static_cast<std::int64_t>(0x80000000)},
        {DWord, false, "--", "++", "0", 0},
        {DWord, false, "-1.5", "++++", "-1.5", SingleBits(-1.5f)},
        {QWord, false, "-0", "++", "-0", INT64_MIN},
        {DWord, false, "00.5", "++++", "0.5", 0x3F000000},
        {DWord, false, "E", "+", "0E", 0},
        {DWord, false, "e", "+", "0e", 0},
        {DWord, false, ".", "+", "0.", 0},
        {DWord, false, "1E05", "++++", "1E5", SingleBits(1e5f)},
        // Once the exponent has a digit, "-" signs the whole number.
        {DWord, false, "1E0-5", "+++++", "-1E5", SingleBits(-1e5f)},
        {DWord, false, "1.5.", "+++x", "1.5", 0x3FC00000},
        {DWord, false, "1E5.", "+++x", "1E5", SingleBits(1e5f)},
        {DWord, false, "1E5E", "+++x", "1E5", SingleBits(1e5f)},
        {DWord, false, "1A:,", "+xxx", "1", 0x3F800000},
        {DWord, false, "1E39", "+++-", "1E3", SingleBits(1e3f)},
        {DWord, false, "34E37", "+++++", "34E37", SingleBits(3.4e38f)},
        {DWord, false, "35E37", "++++-", "35E3", SingleBits(35e3f)},
        {DWord, false, "1E-50", "+++++", "1E-50", 0},
        {DWord, false, "1E-50-", "++++++", "-1E-50", static_cast<std::int64_t>(0x80000000)},
        {DWord, false, "0.12345678901234567890", std::string(22, '+'), "0.12345678901234567890",
         SingleBits(0.1234567890123456789f)},
        {DWord, false, "0.123456789012345678901", std::string(22, '+') + "-",
         "0.12345678901234567890", SingleBits(0.1234567890123456789f)},
        {DWord, true, "1", "+", "1", 0x0000803F},
        {QWord, false, "1", "+", "1", 0x3FF0000000000000},
        {QWord, false, "0.1", "+++", "0.1", DoubleBits(0.1)},
        {QWord, false, "1E39", "++++", "1E39", DoubleBits(1e39)},
        {QWord, false, "1E309", "++++-", "1E30", DoubleBits(1e30)},
        {QWord, true, "1", "+", "1", 0xF03F},
        // Word mode reads half precision, Byte mode E4M3 (until chosen otherwise).
        {Word, false, "1", "+", "1", 0x3C00},
        {Word, false, "65519", "+++++", "65519", 0x7BFF},
        {Word, false, "65520", "++++-", "6552", 0x6E66},
        {Word, true, "1", "+", "1", 0x003C},
        {Byte, false, "2", "+", "2", 0x40},
        {Byte, false, "500", "++-", "50", 0x64}, // 50 ties down to 48
        {Byte, false, "-448", "++++", "-448", 0xFE},
        // No format fits Float mode: the Single pattern is kept as an integer.
        {Float, false, "1", "+", "1", 0x3F800000},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

TEST(ConvFloat, KeyEnabling) {
    auto conv = MakeConv(BarKind::Float, DWord);
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool expected =
            (ch >= '0' && ch <= '9') || ch == '-' || ch == '.' || ch == 'E' || ch == 'e';
        EXPECT_EQ(conv->CanInputChar(ch, true, false), expected) << c;
        // Pasted, the first letters of "Inf", "QNaN" and "SNaN" go in too.
        const bool wordStart = ch == 'I' || ch == 'Q' || ch == 'S';
        EXPECT_EQ(conv->CanInputChar(ch, true, true), expected || wordStart) << c;
    }
    TypeKeys(*conv, "1.5");
    EXPECT_FALSE(conv->CanInputChar('.', false, false));
    EXPECT_TRUE(conv->CanInputChar('.', true, false));
    EXPECT_TRUE(conv->CanInputChar('E', false, false));
    TypeKeys(*conv, "1E", true);
    EXPECT_FALSE(conv->CanInputChar('.', false, false));
    EXPECT_FALSE(conv->CanInputChar('e', false, false));
    EXPECT_FALSE(conv->CanInputChar('E', false, false));
    EXPECT_TRUE(conv->CanInputChar('E', true, false));
    // The separator key is never accepted.
    EXPECT_EQ(conv->GetSeparatorCaption(), ":");
    EXPECT_FALSE(conv->CanInputChar(':', true, false));
    // The sign key always types "-" here.
    for (const CalcValueMode mode : AllModes) {
        conv->SetMode(mode);
        EXPECT_TRUE(conv->CanToggleSign());
        EXPECT_TRUE(conv->CanInputChar('-', false, false));
    }
    EXPECT_FALSE(conv->IsIgnoredChar(','));
}

TEST(ConvFloat, RenderingAndTextState) {
    const auto N = ConvTextState::Normal;
    const auto G = ConvTextState::NotApplicable;
    const ShownCase cases[] = {
        {DWord, false, Int(0x3F800000), "1", N},
        {DWord, false, Int(0), "0", N},
        {DWord, false, Int(0x80000000), "-0", N},
        {DWord, false, Int(0x7F800000), "Inf", N},
        {DWord, false, Int(0xFF800000), "-Inf", N},
        {DWord, false, Int(0x7FC00000), "QNaN", N},
        {DWord, false, Int(0x7F800001), "SNaN", N},
        {DWord, false, Int(0x3DCCCCCD), "0.100000001490116", N},
        {DWord, false, Int(1), "1.40129846432482E-45", N},
        {DWord, true, Int(0x0000803F), "1", N},
        {QWord, false, Int(0x3F800000), "5.26354424712089E-315", N},
        {QWord, false, Int(0x4059000000000000), "100", N},
        {QWord, false, Int(0x3FB999999999999A), "0.1", N},
        {QWord, false, Int(0x7FF8000000000000), "QNaN", N},
        {QWord, true, Int(0x000000000000F03F), "1", N},
        {Word, false, Int(0x3C00), "1", N},
        {Word, false, Int(0x7C00), "Inf", N},
        {Word, true, Int(0x003C), "1", N},
        {Byte, false, Int(0x7F), "NaN", N},
        {Byte, false, Int(0x01), "0.001953125", N},
        {Float, false, MakeReal(Float, 1065353216.75L), "1", G},
        {Float, true, MakeReal(Float, 1065353216.0L), "1", G},
    };
    ExpectShown(BarKind::Float, cases, [](Conversion& conv) { EXPECT_FALSE(conv.CanBackspace()); });
}

// The words shown for infinities and NaNs paste back as a pattern that
// shows the same word; the keyboard cannot type them.
TEST(ConvFloat, PastedWordsGiveTheirPatterns) {
    const auto N = ConvTextState::Normal;
    const auto R = ConvTextState::Invalid;
    const struct {
        CalcValueMode mode;
        bool reversed;
        const char* pasted;
        bool accepted; // every character went in
        const char* text;
        std::int64_t value;
        ConvTextState state;
    } cases[] = {
        {DWord, false, "Inf", true, "Inf", 0x7F800000, N},
        {DWord, false, "-Inf", true, "-Inf", 0xFF800000, N},
        {DWord, true, "-Inf", true, "-Inf", 0x000080FF, N},
        {DWord, false, "QNaN", true, "QNaN", 0x7FC00000, N},
        {DWord, false, "SNaN", true, "SNaN", 0x7FA00000, N},
        {QWord, false, "-Inf", true, "-Inf", DoubleBits(-INFINITY), N},
        {QWord, false, "QNaN", true, "QNaN", 0x7FF8000000000000, N},
        {Word, false, "Inf", true, "Inf", 0x7C00, N},
        {Byte, false, "NaN", true, "NaN", 0x7F, N},
        // Words of other formats, other spellings and unfinished words.
        {Byte, false, "Inf", false, "0", 0, N},
        {DWord, false, "NaN", false, "0", 0, N},
        {DWord, false, "inf", false, "0", 0, N},
        {DWord, false, "-QNaN", false, "-0", SingleBits(-0.0f), N},
        {DWord, false, "Inf1", true, "Inf", 0x7F800000, N}, // stops at the 1
        {DWord, false, "1Inf", false, "1", SingleBits(1.0f), N},
        {DWord, false, "In", true, "In", 0, R},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.mode)) + (c.reversed ? " reversed " : " ") +
                     c.pasted);
        auto conv = MakeConv(BarKind::Float, c.mode, false, c.reversed);
        EXPECT_EQ(PasteText(*conv, c.pasted), c.accepted);
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(IntOf(*conv), c.value);
        EXPECT_EQ(conv->GetTextState(), c.state);
        // Rendered from its value, the bar shows the word again.
        if (c.state == N) {
            conv->SetValue(conv->GetValue());
            EXPECT_EQ(conv->GetText(false), c.text);
        }
    }
    auto conv = MakeConv(BarKind::Float, DWord);
    EXPECT_EQ(TypeKeys(*conv, "Inf"), "xxx");
    EXPECT_EQ(TypeKeys(*conv, "N"), "x");
    // The word goes as a whole, and "-" signs an infinity.
    ASSERT_TRUE(PasteText(*conv, "Inf"));
    EXPECT_TRUE(conv->InputChar('-'));
    EXPECT_EQ(conv->GetText(false), "-Inf");
    EXPECT_EQ(IntOf(*conv), 0xFF800000);
    EXPECT_TRUE(conv->Backspace());
    EXPECT_EQ(conv->GetText(false), "0");
    EXPECT_EQ(IntOf(*conv), 0);
}

TEST(ConvFloat, FormatFollowsTheMode) {
    auto conv = MakeConv(BarKind::Float, DWord);
    auto& flt = dynamic_cast<FloatConversion&>(*conv);
    const struct {
        CalcValueMode mode;
        FloatFormat format;
    } rows[] = {{Byte, FloatFormat::E4M3},
                {Word, FloatFormat::Half},
                {DWord, FloatFormat::Single},
                {QWord, FloatFormat::Double},
                {Float, FloatFormat::Single}};
    for (const auto& row : rows) {
        conv->SetMode(row.mode);
        EXPECT_EQ(flt.GetFloatFormat(), row.format) << ModeCaption(row.mode);
    }
}

TEST(ConvFloat, ChosenSmallFormatsAndTheirTexts) {
    auto conv = MakeConv(BarKind::Float, Word);
    auto& flt = dynamic_cast<FloatConversion&>(*conv);
    EXPECT_EQ(TypeKeys(*conv, "1"), "+");
    // Choosing another format drops the typed text: the pattern now means another number.
    flt.SetWordFormat(FloatFormat::BFloat16);
    EXPECT_EQ(flt.GetFloatFormat(), FloatFormat::BFloat16);
    EXPECT_EQ(conv->GetText(false), "0.0078125"); // 0x3C00 read as bfloat16
    EXPECT_EQ(TypeKeys(*conv, "1"), "+");
    EXPECT_EQ(IntOf(*conv), 0x3F80);
    flt.SetWordFormat(FloatFormat::E5M2); // not a 16-bit format: ignored
    EXPECT_EQ(flt.GetWordFormat(), FloatFormat::BFloat16);

    conv->SetMode(Byte);
    EXPECT_EQ(flt.GetFloatFormat(), FloatFormat::E4M3);
    flt.SetByteFormat(FloatFormat::E5M2);
    EXPECT_EQ(TypeKeys(*conv, "1"), "+");
    EXPECT_EQ(IntOf(*conv), 0x3C);
    EXPECT_EQ(TypeKeys(*conv, "61440"), "++++-"); // ties up to 65536: beyond E5M2
    conv->SetMode(Word);
    EXPECT_EQ(flt.GetFloatFormat(), FloatFormat::BFloat16); // each choice is kept
}

// Every finite Single pattern shown with 15 digits reads back as the same
// float, and typed back it gives the same pattern.
TEST(ConvFloat, SinglePatternsAgreeWithTheMachine) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<std::uint32_t> dist;
    for (const FormatSettings& format : {FormatSettings{}, CommaDecimal}) {
        const FormatSettingsScope scope(format);
        for (const bool reversed : {false, true}) {
            auto conv = MakeConv(BarKind::Float, DWord, false, reversed);
            for (int i = 0; i < 400; ++i) {
                const std::uint32_t bits = dist(rng);
                const float f = SingleOf(bits);
                if (!std::isfinite(f))
                    continue;
                const std::uint32_t held =
                    reversed ? __builtin_bswap32(bits) : bits; // memory order
                conv->SetValue(Int(held));
                const std::string text = conv->GetText(false);
                SCOPED_TRACE(text);
                EXPECT_EQ(std::strtof(ToCText(text).c_str(), nullptr), f);
                ASSERT_TRUE(PasteText(*conv, text));
                EXPECT_EQ(conv->GetText(false), text);
                EXPECT_EQ(IntOf(*conv), held);
            }
        }
    }
}

TEST(ConvFloat, DoublePatternsAgreeWithTheMachine) {
    std::mt19937_64 rng(99);
    auto conv = MakeConv(BarKind::Float, QWord);
    for (int i = 0; i < 400; ++i) {
        const auto bits = static_cast<std::int64_t>(rng());
        const double d = DoubleOf(bits);
        if (!std::isfinite(d))
            continue;
        conv->SetValue(Int(bits));
        const std::string text = conv->GetText(false);
        SCOPED_TRACE(text);
        // As many digits as tell the double from its neighbours.
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), d);
        // Pasted back, the text gives the same pattern.
        ASSERT_TRUE(PasteText(*conv, text));
        EXPECT_EQ(IntOf(*conv), bits);
    }
}

// Typed decimal texts give the pattern strtof / strtod give them.
TEST(ConvFloat, TypedNumbersAgreeWithTheCLibrary) {
    std::mt19937 rng(42);
    const auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    for (int i = 0; i < 300; ++i) {
        std::string mantissa = std::to_string(1 + rng() % 9) + digits(static_cast<int>(rng() % 6));
        std::string fraction = digits(static_cast<int>(rng() % 12));
        const int exponent = static_cast<int>(rng() % 80) - 40;
        const bool negative = rng() % 2;
        std::string keys = mantissa + "." + fraction + "E" + (exponent < 0 ? "-" : "") +
                           std::to_string(std::abs(exponent)) + (negative ? "-" : "");
        const std::string c =
            (negative ? "-" : "") + mantissa + "." + fraction + "E" + std::to_string(exponent);
        SCOPED_TRACE(keys);
        auto single = MakeConv(BarKind::Float, DWord);
        const float f = std::strtof(c.c_str(), nullptr);
        if (std::isfinite(f)) {
            EXPECT_EQ(TypeKeys(*single, keys), std::string(keys.size(), '+'));
            EXPECT_EQ(IntOf(*single), SingleBits(f));
        }
        auto dbl = MakeConv(BarKind::Float, QWord);
        EXPECT_EQ(TypeKeys(*dbl, keys), std::string(keys.size(), '+'));
        EXPECT_EQ(IntOf(*dbl), DoubleBits(std::strtod(c.c_str(), nullptr)));
    }
}

TEST(ConvFloat, LocaleCharacters) {
    const FormatSettingsScope scope(CommaDecimal);
    auto conv = MakeConv(BarKind::Float, DWord);
    EXPECT_EQ(TypeKeys(*conv, "1,5E2"), "+++++");
    EXPECT_EQ(conv->GetText(false), "1,5E2");
    EXPECT_EQ(IntOf(*conv), SingleBits(150.0f));
    EXPECT_EQ(TypeKeys(*conv, "1.5"), "+x+");
    EXPECT_EQ(IntOf(*conv), SingleBits(15.0f));
    conv->SetValue(Int(0x3FC00000));
    EXPECT_EQ(conv->GetText(false), "1,5");
    EXPECT_FALSE(conv->IsIgnoredChar('.'));
    EXPECT_FALSE(PasteText(*conv, "1.000,5"));
}

TEST(ConvFloat, SetValueDropsTheTypedText) {
    auto conv = MakeConv(BarKind::Float, DWord);
    TypeKeys(*conv, "1.50");
    EXPECT_EQ(conv->GetText(false), "1.50");
    EXPECT_TRUE(conv->CanBackspace());
    conv->SetValue(Int(0x40000000));
    EXPECT_EQ(conv->GetText(false), "2");
    EXPECT_FALSE(conv->CanBackspace());
    EXPECT_FALSE(conv->Backspace());
    EXPECT_EQ(IntOf(*conv), 0x40000000);
    // A digit as the first key of a new entry starts a new text.
    EXPECT_EQ(TypeKeys(*conv, "3"), "+");
    EXPECT_EQ(conv->GetText(false), "3");
    EXPECT_EQ(IntOf(*conv), SingleBits(3.0f));
}

TEST(ConvFloat, ModeAndByteOrderChangesShowTheHeldPattern) {
    auto conv = MakeConv(BarKind::Float, DWord);
    TypeKeys(*conv, "1.5");
    conv->SetMode(QWord);
    EXPECT_EQ(IntOf(*conv), 0x3FC00000);
    EXPECT_EQ(conv->GetText(false), "5.28426686226704E-315");
    conv->SetMode(DWord);
    TypeKeys(*conv, "1.5");
    conv->SetOption(ConvOption::ReverseEndian, true);
    EXPECT_EQ(IntOf(*conv), 0x3FC00000);
    EXPECT_EQ(conv->GetText(false), "6.89649039217459E-41");
    // An option that does not apply changes nothing.
    TypeKeys(*conv, "2.5");
    conv->SetOption(ConvOption::Signed, true);
    EXPECT_FALSE(conv->HasOption(ConvOption::Signed));
    EXPECT_EQ(conv->GetText(false), "2.5");
}

TEST(ConvFloat, Backspace) {
    auto conv = MakeConv(BarKind::Float, DWord);
    TypeKeys(*conv, "1.5E-3-");
    const struct {
        const char* text;
        std::int64_t value;
    } steps[] = {{"-1.5E-", SingleBits(-1.5f)}, {"-1.5E", SingleBits(-1.5f)},
                 {"-1.5", SingleBits(-1.5f)},   {"-1.", SingleBits(-1.0f)},
                 {"-1", SingleBits(-1.0f)},     {"0", 0}};
    for (const auto& step : steps) {
        ASSERT_TRUE(conv->CanBackspace());
        EXPECT_TRUE(conv->Backspace());
        EXPECT_EQ(conv->GetText(false), step.text);
        EXPECT_EQ(IntOf(*conv), step.value);
    }
    EXPECT_FALSE(conv->CanBackspace());
    // The value follows the shortened text, so a mode change shows it.
    TypeKeys(*conv, "12");
    conv->Backspace();
    conv->SetMode(DWord);
    EXPECT_EQ(conv->GetText(false), "1");
}

TEST(ConvFloat, ClearGivesZero) {
    for (const CalcValueMode mode : AllModes) {
        auto conv = MakeConv(BarKind::Float, mode, false, true);
        conv->SetValue(Int(0x3F800000));
        conv->Clear();
        EXPECT_EQ(conv->GetText(false), "0");
        EXPECT_EQ(IntOf(*conv), 0);
        EXPECT_FALSE(conv->CanBackspace());
    }
}

TEST(ConvFloat, ValuesSurviveSetAndGet) {
    ExpectValuesSurvive(
        BarKind::Float,
        {0, 1, 0x3F800000, 0x7FC00000, 0x7FF8000000000001, -1, INT64_MIN, INT64_MAX},
        1065353216.75L);
}

} // namespace
} // namespace pexa
