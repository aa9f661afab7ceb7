// The 16- and 8-bit float formats against MPFR set to each format's
// precision and exponent range, with subnormals.
#include "enc/EncFloat.h"

#include "core/CalcError.h"
#include "enc/ConvertError.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

namespace pexa {
namespace {

struct SmallFormat {
    FloatFormat Format;
    int Width;
    int ExponentBits;
    int FractionBits;
    int Bias;
    double MaxFinite;
};

constexpr SmallFormat SmallFormats[] = {
    {FloatFormat::Half, 16, 5, 10, 15, 65504.0},
    {FloatFormat::BFloat16, 16, 8, 7, 127, 0x1.FEp127},
    {FloatFormat::E4M3, 8, 4, 3, 7, 448.0},
    {FloatFormat::E5M2, 8, 5, 2, 15, 57344.0},
};

// MPFR's exponent range narrowed to a format's for the life of the object.
class MpfrRange {
public:
    explicit MpfrRange(const SmallFormat& f) : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        // MPFR writes x = 0.1b... * 2^e: the smallest subnormal 2^(1-bias-f)
        // has e = 2-bias-f, and the top binade [2^Emax, 2^(Emax+1)) has e = Emax+1.
        const int topExponent = (1 << f.ExponentBits) - 1;
        const int maxExponent =
            (f.Format == FloatFormat::E4M3 ? topExponent : topExponent - 1) - f.Bias;
        mpfr_set_emin(2 - f.Bias - f.FractionBits);
        mpfr_set_emax(maxExponent + 1);
    }
    ~MpfrRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    MpfrRange(const MpfrRange&) = delete;
    MpfrRange& operator=(const MpfrRange&) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

// MPFR's rounding of a decimal text to the format: the value, or nothing on
// overflow. The text uses '.' as its decimal separator.
std::optional<double> MpfrRound(const std::string& text, const SmallFormat& f) {
    MpfrRange range(f);
    mpfr_t x;
    mpfr_init2(x, f.FractionBits + 1);
    int inexact = mpfr_strtofr(x, text.c_str(), nullptr, 10, MPFR_RNDN);
    inexact = mpfr_check_range(x, inexact, MPFR_RNDN);
    mpfr_subnormalize(x, inexact, MPFR_RNDN);
    const double value = mpfr_get_d(x, MPFR_RNDN);
    mpfr_clear(x);
    if (std::isinf(value) || std::fabs(value) > f.MaxFinite)
        return std::nullopt;
    return value;
}

// The value of a pattern, built from its fields by the textbook formula.
double PatternValue(std::uint64_t bits, const SmallFormat& f) {
    const std::uint64_t fraction = bits & ((1u << f.FractionBits) - 1);
    const int exponent = static_cast<int>((bits >> f.FractionBits) & ((1u << f.ExponentBits) - 1));
    const double magnitude =
        exponent == 0 ? std::ldexp(static_cast<double>(fraction), 1 - f.Bias - f.FractionBits)
                      : std::ldexp(1.0 + std::ldexp(static_cast<double>(fraction), -f.FractionBits),
                                   exponent - f.Bias);
    return ((bits >> (f.Width - 1)) & 1) != 0 ? -magnitude : magnitude;
}

bool IsFinitePattern(std::uint64_t bits, const SmallFormat& f) {
    const std::uint64_t top = (1u << f.ExponentBits) - 1;
    const std::uint64_t magnitude = bits & ((std::uint64_t{1} << (f.Width - 1)) - 1);
    if (f.Format == FloatFormat::E4M3)
        return magnitude != 0x7F;
    return (magnitude >> f.FractionBits) != top;
}

// FloatTextToBits as a value, or nothing on overflow.
std::optional<double> PexaRound(const std::string& text, const SmallFormat& f) {
    try {
        const auto bits = static_cast<std::uint64_t>(FloatTextToBits(text, f.Format));
        EXPECT_EQ(bits >> f.Width, 0u) << text;
        EXPECT_TRUE(IsFinitePattern(bits, f)) << text;
        return PatternValue(bits, f);
    } catch (const CalcError& e) {
        EXPECT_EQ(e.Kind(), CalcErrorKind::Overflow) << text;
        return std::nullopt;
    }
}

void ExpectSameRounding(const std::string& text, const SmallFormat& f) {
    const std::optional<double> expected = MpfrRound(text, f);
    const std::optional<double> actual = PexaRound(text, f);
    ASSERT_EQ(actual.has_value(), expected.has_value()) << FloatFormatName(f.Format) << " " << text;
    if (expected) {
        ASSERT_EQ(*actual, *expected) << FloatFormatName(f.Format) << " " << text;
        ASSERT_EQ(std::signbit(*actual), std::signbit(*expected))
            << FloatFormatName(f.Format) << " " << text;
    }
}

// The exact decimal expansion of a double.
std::string Exact(double value) {
    char buffer[1200];
    std::snprintf(buffer, sizeof buffer, "%.1100e", value);
    std::string text = buffer;
    const std::size_t e = text.find('e');
    const std::size_t last = text.find_last_not_of('0', e - 1);
    return text.substr(0, last + 1) + text.substr(e);
}

// A decimal text a hair below or above x: the last significant digit moved
// by one, then many 9s or a far 1.
std::string Nudge(double x, bool up) {
    std::string text = Exact(x);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') == std::string::npos)
        mantissa += '.';
    if (up) {
        mantissa += "0000000000000000000000000001";
    } else {
        std::size_t i = mantissa.size() - 1;
        while (mantissa[i] == '0' || mantissa[i] == '.')
            --i;
        --mantissa[i];
        for (std::size_t j = i + 1; j < mantissa.size(); ++j) {
            if (mantissa[j] == '0')
                mantissa[j] = '9';
        }
        mantissa += "9999999999999999999999999999";
    }
    return mantissa + text.substr(e);
}

TEST(EncSmallFloat, EveryPatternShowsATextThatReadsBackToIt) {
    for (const SmallFormat& f : SmallFormats) {
        for (std::uint64_t bits = 0; bits < (std::uint64_t{1} << f.Width); ++bits) {
            if (!IsFinitePattern(bits, f))
                continue;
            const std::string text = FormatFloatBits(f.Format, static_cast<std::int64_t>(bits));
            ASSERT_EQ(FloatTextToBits(text, f.Format), static_cast<std::int64_t>(bits)) << text;
            if (text != "0" && text != "-0") {
                ASSERT_EQ(MpfrRound(text, f), PatternValue(bits, f)) << text;
            }
        }
    }
}

TEST(EncSmallFloat, EveryHalfwayPointRoundsAsMpfr) {
    // The point halfway between each neighbouring pair of finite values,
    // exactly and a hair either side, where ties to even decides.
    for (const SmallFormat& f : SmallFormats) {
        const std::uint64_t count = std::uint64_t{1} << (f.Width - 1);
        for (std::uint64_t bits = 0; bits + 1 < count; ++bits) {
            if (!IsFinitePattern(bits, f))
                continue;
            const double low = PatternValue(bits, f);
            const double high = IsFinitePattern(bits + 1, f) ? PatternValue(bits + 1, f)
                                                             : std::ldexp(1.0, std::ilogb(low) + 1);
            const double mid = (low + high) / 2;
            for (const std::string& text : {Exact(mid), Nudge(mid, true), Nudge(mid, false)})
                ExpectSameRounding(text, f);
            // The sign is symmetric; a sample of negative ties is enough.
            if (bits % 61 == 0)
                ExpectSameRounding("-" + Exact(mid), f);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(EncSmallFloat, RandomDecimalTextsRoundAsMpfr) {
    std::mt19937_64 random(16);
    for (const SmallFormat& f : SmallFormats) {
        const int maxDecimalExponent = f.Format == FloatFormat::BFloat16 ? 39 : 6;
        const int minDecimalExponent = f.Format == FloatFormat::BFloat16 ? -42 : -10;
        for (int n = 0; n < 20000; ++n) {
            std::string text = (random() & 1) != 0 ? "-" : "";
            const auto digits = 1 + random() % 22;
            for (std::uint64_t i = 0; i < digits; ++i)
                text += static_cast<char>('0' + random() % 10);
            const auto span = static_cast<std::uint64_t>(maxDecimalExponent - minDecimalExponent);
            text += "e" + std::to_string(minDecimalExponent + static_cast<int>(random() % span) -
                                         static_cast<int>(digits));
            ExpectSameRounding(text, f);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(EncSmallFloat, Examples) {
    struct Case {
        FloatFormat format;
        std::uint64_t bits;
        std::string text;
    };
    const Case cases[] = {
        {FloatFormat::Half, 0x3C00, "1"},
        {FloatFormat::Half, 0x8000, "-0"},
        {FloatFormat::Half, 0x7BFF, "65504"},
        {FloatFormat::Half, 0x0001, "5.96046447753906E-8"},
        {FloatFormat::Half, 0x7C00, "Inf"},
        {FloatFormat::Half, 0xFC00, "-Inf"},
        {FloatFormat::Half, 0x7E00, "QNaN"},
        {FloatFormat::Half, 0x7C01, "SNaN"},
        {FloatFormat::Half, 0x2E66, "0.0999755859375"},
        {FloatFormat::BFloat16, 0x3F80, "1"},
        {FloatFormat::BFloat16, 0x7F80, "Inf"},
        {FloatFormat::BFloat16, 0x3DCD, "0.10009765625"},
        {FloatFormat::E4M3, 0x38, "1"},
        {FloatFormat::E4M3, 0x7E, "448"},
        {FloatFormat::E4M3, 0x78, "256"},
        {FloatFormat::E4M3, 0x7F, "NaN"},
        {FloatFormat::E4M3, 0xFF, "NaN"},
        {FloatFormat::E4M3, 0x01, "0.001953125"},
        {FloatFormat::E5M2, 0x3C, "1"},
        {FloatFormat::E5M2, 0x7B, "57344"},
        {FloatFormat::E5M2, 0x7C, "Inf"},
        {FloatFormat::E5M2, 0x7E, "QNaN"},
        {FloatFormat::E5M2, 0x7D, "SNaN"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloatBits(c.format, static_cast<std::int64_t>(c.bits)), c.text);
    // Overflow is refused as Single and Double refuse it; E4M3 has no infinity
    // to round to, and 464 (halfway to the NaN's place) still ties down to 448.
    EXPECT_EQ(FloatTextToBits("464", FloatFormat::E4M3), 0x7E);
    EXPECT_THROW(FloatTextToBits("464.001", FloatFormat::E4M3), CalcError);
    EXPECT_THROW(FloatTextToBits("65520", FloatFormat::Half), CalcError);
    EXPECT_EQ(FloatTextToBits("65519.99", FloatFormat::Half), 0x7BFF);
    EXPECT_EQ(FloatTextToBits("-1e-30", FloatFormat::Half), 0x8000);
    EXPECT_THROW(FloatTextToBits("x", FloatFormat::E5M2), ConvertError);
}

TEST(EncSmallFloat, FormatsFollowTheModeAndTheChoice) {
    using M = CalcValueMode;
    const FloatFormat half = FloatFormat::Half;
    const FloatFormat bf16 = FloatFormat::BFloat16;
    const FloatFormat e4 = FloatFormat::E4M3;
    const FloatFormat e5 = FloatFormat::E5M2;
    EXPECT_EQ(FloatFormatForMode(M::Byte, half, e4), e4);
    EXPECT_EQ(FloatFormatForMode(M::Byte, half, e5), e5);
    EXPECT_EQ(FloatFormatForMode(M::Byte, half, FloatFormat::Double), e4);
    EXPECT_EQ(FloatFormatForMode(M::Word, bf16, e5), bf16);
    EXPECT_EQ(FloatFormatForMode(M::Word, e5, e5), half);
    EXPECT_EQ(FloatFormatForMode(M::DWord, bf16, e5), FloatFormat::Single);
    EXPECT_EQ(FloatFormatForMode(M::QWord, bf16, e5), FloatFormat::Double);
    EXPECT_EQ(FloatFormatForMode(M::Float, bf16, e5), FloatFormat::Single);
    EXPECT_TRUE(IsFloatFormatUsable(e4, M::Byte));
    EXPECT_FALSE(IsFloatFormatUsable(half, M::Byte));
    EXPECT_TRUE(IsFloatFormatUsable(bf16, M::Word));
    EXPECT_FALSE(IsFloatFormatUsable(e5, M::Float));
}

TEST(EncSmallFloat, FieldsOfEveryFormat) {
    struct Case {
        FloatFormat format;
        std::uint64_t bits;
        bool negative;
        std::uint32_t biased;
        int unbiased;
        std::uint64_t fraction;
        FloatClass kind;
    };
    const Case cases[] = {
        {FloatFormat::Single, 0xBFC00000, true, 127, 0, 0x400000, FloatClass::Normal},
        {FloatFormat::Double, 0x0000000000000001, false, 0, -1022, 1, FloatClass::Subnormal},
        {FloatFormat::Double, 0xFFF0000000000000, true, 2047, 1024, 0, FloatClass::Infinity},
        {FloatFormat::Half, 0x7E00, false, 31, 16, 0x200, FloatClass::QuietNaN},
        {FloatFormat::BFloat16, 0x8000, true, 0, -126, 0, FloatClass::Zero},
        {FloatFormat::E4M3, 0x7E, false, 15, 8, 6, FloatClass::Normal},
        {FloatFormat::E4M3, 0xFF, true, 15, 8, 7, FloatClass::NaN},
        {FloatFormat::E5M2, 0x7D, false, 31, 16, 1, FloatClass::SignalingNaN},
    };
    for (const Case& c : cases) {
        const FloatFields fields = DecomposeFloat(c.format, static_cast<std::int64_t>(c.bits));
        SCOPED_TRACE(FloatFormatName(c.format));
        EXPECT_EQ(fields.Negative, c.negative);
        EXPECT_EQ(fields.BiasedExponent, c.biased);
        EXPECT_EQ(fields.UnbiasedExponent, c.unbiased);
        EXPECT_EQ(fields.Fraction, c.fraction);
        EXPECT_EQ(fields.Class, c.kind);
    }
}

} // namespace
} // namespace pexa
