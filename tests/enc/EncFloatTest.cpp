#include "enc/EncFloat.h"

#include "EncTestSupport.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace pexa {
namespace {

using test::DecimalComma;

// The "C" locale, independent of whatever the process's global locale is.
locale_t CLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

std::uint32_t FloatBits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

std::uint64_t DoubleBits(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

float BitsFloat(std::uint32_t u) {
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

double BitsDouble(std::uint64_t u) {
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

// Expected outcome of FloatTextToBits against the C library: the pattern,
// or -1 for an overflow.
std::int64_t ReferenceBits(const std::string& text, FloatFormat format) {
    char* end = nullptr;
    if (format == FloatFormat::Single) {
        const float f = strtof_l(text.c_str(), &end, CLocale());
        return std::isinf(f) ? -1 : static_cast<std::int64_t>(FloatBits(f));
    }
    const double d = strtod_l(text.c_str(), &end, CLocale());
    return std::isinf(d) ? -1 : static_cast<std::int64_t>(DoubleBits(d));
}

std::int64_t BitsOrOverflow(const std::string& text, FloatFormat format) {
    try {
        return FloatTextToBits(text, format);
    } catch (const CalcError& e) {
        EXPECT_EQ(e.Kind(), CalcErrorKind::Overflow) << text;
        return -1;
    }
}

struct TextToBitsCase {
    const char* Text;
    FloatFormat Format;
    std::uint64_t Bits;
};

TEST(EncFloatTest, TextToBitsTable) {
    const TextToBitsCase cases[] = {
        {"1", FloatFormat::Single, 0x3F800000},
        {"1", FloatFormat::Double, 0x3FF0000000000000},
        {"-2", FloatFormat::Single, 0xC0000000},
        {"1e-50", FloatFormat::Single, 0},
        {"-1e-50", FloatFormat::Single, 0x80000000},
        {"-0", FloatFormat::Double, 0x8000000000000000},
        {"0.1", FloatFormat::Single, 0x3DCCCCCD},
        {"0.1", FloatFormat::Double, 0x3FB999999999999A},
        // A mantissa may end in the separator, an exponent mark may lack digits.
        {"1.", FloatFormat::Single, 0x3F800000},
        {"1E", FloatFormat::Single, 0x3F800000},
        {"1E-", FloatFormat::Single, 0x3F800000},
        {"1e+", FloatFormat::Double, 0x3FF0000000000000},
        {".5", FloatFormat::Single, 0x3F000000},
        {"+1.5E-3", FloatFormat::Double, DoubleBits(1.5e-3)},
        {"00012.50e0001", FloatFormat::Double, DoubleBits(125.0)},
        // Largest finite single, and just below the halfway point to infinity.
        {"3.4028234663852886e38", FloatFormat::Single, 0x7F7FFFFF},
        {"340282356779733661637539395458142568447", FloatFormat::Single, 0x7F7FFFFF},
        // Smallest denormals; the exact half of the smallest rounds to even (zero).
        {"1.4e-45", FloatFormat::Single, 0x00000001},
        {"7.00649232162408535461864791644958065640130970938257885878534141944895541342930300743"
         "319094181060791015625E-46",
         FloatFormat::Single, 0},
        {"7.0064923216240853546186479164495806564013097093825788587853414194489554134293030074"
         "332E-46",
         FloatFormat::Single, 0x00000001},
        {"4.9406564584124654e-324", FloatFormat::Double, 0x0000000000000001},
        {"2.4703282292062327e-324", FloatFormat::Double, 0},
        {"2.4703282292062328e-324", FloatFormat::Double, 0x0000000000000001},
        // Just above the halfway point between 1 and its successor: a reading
        // through 80 bits would land on the halfway point and round to even (1).
        {"1.00000000000000011102230328969626659539084168049072331996285356581211090087890625",
         FloatFormat::Double, 0x3FF0000000000001},
        {"1.00000000000000011102230246251565404236316680908203125", FloatFormat::Double,
         0x3FF0000000000000},
        // Exponents far outside the range, with digits that bring them back.
        {"1E-999999999999999999999", FloatFormat::Double, 0},
        {"0E999999999999999999", FloatFormat::Double, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<std::uint64_t>(FloatTextToBits(c.Text, c.Format)), c.Bits) << c.Text;
    }
}

TEST(EncFloatTest, LongTextsKeepTheirExponent) {
    // 0.000…01 with 30000 zeros, scaled back to 1 by the exponent.
    const std::string tiny = "0." + std::string(29999, '0') + "1E30000";
    EXPECT_EQ(FloatTextToBits(tiny, FloatFormat::Double), 0x3FF0000000000000);
    const std::string huge = "1" + std::string(30000, '0') + "E-30000";
    EXPECT_EQ(FloatTextToBits(huge, FloatFormat::Single), 0x3F800000);
    // 1.5 followed by many zeros and a 1 far beyond every rounding position.
    const std::string above = "1." + std::string(1, '5') + std::string(40000, '0') + "1";
    EXPECT_EQ(FloatTextToBits(above, FloatFormat::Double), 0x3FF8000000000000);
    // Halfway between 1 and its successor, followed by a far nonzero digit: rounds up.
    const std::string halfway =
        "1.00000000000000011102230246251565404236316680908203125" + std::string(30000, '0') + "1";
    EXPECT_EQ(FloatTextToBits(halfway, FloatFormat::Double), 0x3FF0000000000001);
}

TEST(EncFloatTest, OverflowAndRefusals) {
    const std::pair<const char*, FloatFormat> overflows[] = {
        {"1e39", FloatFormat::Single},
        {"-1e39", FloatFormat::Single},
        {"340282356779733661637539395458142568448", FloatFormat::Single}, // ties to infinity
        {"1.8e308", FloatFormat::Double},
        {"1E999999999999999999999", FloatFormat::Double},
        {"1e5000", FloatFormat::Single},
    };
    for (const auto& [text, format] : overflows) {
        try {
            FloatTextToBits(text, format);
            ADD_FAILURE() << text << " was accepted";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.Kind(), CalcErrorKind::Overflow) << text;
        }
    }
    const char* const notNumbers[] = {
        "",   "abc",  "-",    "+",   ".",   "-.",  "E5",  "1E5E",  "1..5",  "1.5.", " 1",
        "1 ", "1e5x", "0x10", "inf", "nan", "1,5", "--1", "1e--5", "1e5.5", "1-",   "1+1"};
    for (const char* text : notNumbers) {
        EXPECT_THROW(FloatTextToBits(text, FloatFormat::Single), ConvertError) << text;
        EXPECT_THROW(FloatTextToBits(text, FloatFormat::Double), ConvertError) << text;
    }
    EXPECT_THROW(FloatTextToBits(std::string("1\0", 2), FloatFormat::Double), ConvertError);
}

TEST(EncFloatTest, DecimalCommaLocale) {
    FormatSettingsScope scope(DecimalComma());
    EXPECT_EQ(FloatTextToBits("1,5", FloatFormat::Single), 0x3FC00000);
    EXPECT_EQ(FloatTextToBits("-0,1E1", FloatFormat::Double), 0xBFF0000000000000);
    EXPECT_THROW(FloatTextToBits("1.5", FloatFormat::Single), ConvertError);
    EXPECT_EQ(FormatFloatBits(FloatFormat::Double, 0x3FB999999999999A), "0,1");
    EXPECT_EQ(FormatFloatBits(FloatFormat::Single, 0x00000001), "1,40129846432482E-45");
    std::string text = "00,5";
    EXPECT_TRUE(NormalizeFloatText(text));
    EXPECT_EQ(text, "0,5");
    text = "1,0000000000000000001";
    EXPECT_FALSE(NormalizeFloatText(text));
    Real r = 0;
    EXPECT_TRUE(TryReadReal("0,25", r));
    EXPECT_EQ(r, 0.25L);
}

// Random decimal texts of every shape the reader accepts, compared with the C library.
std::string RandomDecimalText(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string text;
    if (percent(rng) < 50)
        text += '-';
    const int intDigits = percent(rng) < 10 ? 0 : 1 + static_cast<int>(rng() % 20);
    for (int i = 0; i < intDigits; ++i)
        text += static_cast<char>('0' + digit(rng));
    int fracDigits = static_cast<int>(rng() % 20);
    if (percent(rng) < 3)
        fracDigits = 700 + static_cast<int>(rng() % 200); // beyond the fast paths
    if (intDigits == 0 && fracDigits == 0)
        fracDigits = 1;
    if (fracDigits > 0 || percent(rng) < 10)
        text += '.';
    for (int i = 0; i < fracDigits; ++i)
        text += static_cast<char>('0' + digit(rng));
    if (percent(rng) < 80) {
        text += percent(rng) < 50 ? 'e' : 'E';
        text += std::to_string(static_cast<int>(rng() % 700) - 350);
    }
    return text;
}

TEST(EncFloatTest, TextToBitsAgreesWithCLibraryOnRandomTexts) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 40000; ++i) {
        const std::string text = RandomDecimalText(rng);
        for (FloatFormat format : {FloatFormat::Single, FloatFormat::Double}) {
            ASSERT_EQ(BitsOrOverflow(text, format), ReferenceBits(text, format))
                << text << " as " << FloatFormatName(format);
        }
    }
}

// Halfway points between neighbouring values, exactly and nudged either way,
// where a single misstep in rounding shows.
TEST(EncFloatTest, TextToBitsRoundsHalfwayPointsLikeCLibrary) {
    std::mt19937_64 rng(77);
    char buffer[1200];
    for (int i = 0; i < 3000; ++i) {
        const double d = BitsDouble(rng() & 0x7FEFFFFFFFFFFFFF);
        const long double mid =
            (static_cast<long double>(d) + std::nextafter(d, INFINITY)) / 2; // exact in 80 bits
        const auto r =
            std::to_chars(buffer, buffer + sizeof buffer, mid, std::chars_format::scientific, 800);
        ASSERT_EQ(r.ec, std::errc{});
        std::string exact(buffer, r.ptr);
        const std::size_t e = exact.find('e');
        std::string mantissa = exact.substr(0, e);
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        const std::string exponent = exact.substr(e);
        for (const std::string& text : {mantissa + exponent, mantissa + "1" + exponent,
                                        mantissa.substr(0, mantissa.size() - 1) + exponent}) {
            ASSERT_EQ(BitsOrOverflow(text, FloatFormat::Double),
                      ReferenceBits(text, FloatFormat::Double))
                << text;
        }
        const float f = BitsFloat(static_cast<std::uint32_t>(rng()) & 0x7F7FFFFF);
        const double fmid = (static_cast<double>(f) + std::nextafter(f, INFINITY)) / 2;
        const auto fr =
            std::to_chars(buffer, buffer + sizeof buffer, fmid, std::chars_format::scientific, 200);
        const std::string text(buffer, fr.ptr);
        ASSERT_EQ(BitsOrOverflow(text, FloatFormat::Single),
                  ReferenceBits(text, FloatFormat::Single))
            << text;
    }
}

TEST(EncFloatTest, TryReadRealAgreesWithCLibrary) {
    std::mt19937_64 rng(4932);
    for (int i = 0; i < 20000; ++i) {
        std::string text = RandomDecimalText(rng);
        if (i % 4 == 0)
            text += std::to_string(static_cast<int>(rng() % 10)) + "00"; // exponents to ±3500
        Real value = -1;
        char* end = nullptr;
        const long double reference = strtold_l(text.c_str(), &end, CLocale());
        ASSERT_EQ(TryReadReal(text, value), !std::isinf(reference)) << text;
        if (!std::isinf(reference)) {
            ASSERT_EQ(std::memcmp(&value, &reference, 10), 0) << text;
        }
    }
    Real value = 0;
    EXPECT_FALSE(TryReadReal("1e5000", value));
    EXPECT_TRUE(TryReadReal("-1e-5000", value));
    EXPECT_EQ(value, 0.0L);
    EXPECT_TRUE(std::signbit(value));
    EXPECT_FALSE(TryReadReal("", value));
}

struct FormatCase {
    FloatFormat Format;
    std::uint64_t Bits;
    const char* Text;
};

TEST(EncFloatTest, FormatBitsTable) {
    const FormatCase cases[] = {
        {FloatFormat::Single, 0x00000000, "0"},
        {FloatFormat::Single, 0x80000000, "-0"},
        {FloatFormat::Single, 0x7F800000, "Inf"},
        {FloatFormat::Single, 0xFF800000, "-Inf"},
        {FloatFormat::Single, 0x7FC00000, "QNaN"},
        {FloatFormat::Single, 0xFFC00001, "QNaN"},
        {FloatFormat::Single, 0x7F800001, "SNaN"},
        {FloatFormat::Single, 0xFFBFFFFF, "SNaN"},
        {FloatFormat::Single, 0x3F800000, "1"},
        {FloatFormat::Single, 0x00000001, "1.40129846432482E-45"},
        {FloatFormat::Single, 0x3DCCCCCD, "0.100000001490116"},
        {FloatFormat::Single, 0x7F7FFFFF, "3.40282346638529E38"},
        {FloatFormat::Single, 0xFFFFFFFF00000000, "0"}, // bits above the width ignored
        {FloatFormat::Double, 0x7FF8000000000000, "QNaN"},
        {FloatFormat::Double, 0x7FF0000000000001, "SNaN"},
        {FloatFormat::Double, 0xFFF0000000000000, "-Inf"},
        {FloatFormat::Double, 0x8000000000000000, "-0"},
        {FloatFormat::Double, 0x4059000000000000, "100"},
        {FloatFormat::Double, 0x3FB999999999999A, "0.1"},
        {FloatFormat::Double, 0x0000000000000001, "4.94065645841247E-324"},
        {FloatFormat::Double, DoubleBits(1e20), "1E20"},
        {FloatFormat::Double, DoubleBits(-1.5e-7), "-1.5E-7"},
        {FloatFormat::Double, DoubleBits(1e-4), "0.0001"},
        {FloatFormat::Double, DoubleBits(9.99999999999999e-5), "9.99999999999999E-5"},
        {FloatFormat::Double, DoubleBits(12345.5), "12345.5"},
        {FloatFormat::Double, DoubleBits(123456789012345.0), "123456789012345"},
        {FloatFormat::Double, DoubleBits(1234567890123456.0), "1.23456789012346E15"},
        {FloatFormat::Double, DoubleBits(100000000000000.0), "100000000000000"},
        {FloatFormat::Double, DoubleBits(999999999999999.5), "1E15"}, // rounds up a decade
        {FloatFormat::Double, DoubleBits(0.000099999999999999995), "0.0001"},
        {FloatFormat::Double, DoubleBits(-2.5), "-2.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFloatBits(c.Format, static_cast<std::int64_t>(c.Bits)), c.Text)
            << std::hex << c.Bits;
    }
}

// printf's %.15G follows the same rule, with a signed two-digit exponent.
std::string ReferenceGeneral15(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value); // test program runs in the "C" locale
    std::string text = buffer;
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return text;
    const bool negative = text[e + 1] == '-';
    std::string digits = text.substr(e + 2);
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    return text.substr(0, e + 1) + (negative ? "-" : "") + digits;
}

TEST(EncFloatTest, FormatBitsOfRandomPatternsMatchesPrintfAndReadsBack) {
    ASSERT_STREQ(setlocale(LC_NUMERIC, nullptr), "C");
    std::mt19937_64 rng(2718);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = rng();
        const double d = BitsDouble(bits);
        const std::string text =
            FormatFloatBits(FloatFormat::Double, static_cast<std::int64_t>(bits));
        if (std::isfinite(d) && d != 0) {
            ASSERT_EQ(text, ReferenceGeneral15(d)) << std::hex << bits;
            // 15 digits stand within half a unit of their last place.
            const double back = BitsDouble(FloatTextToBits(text, FloatFormat::Double));
            ASSERT_LE(std::fabs(back - d), std::fabs(d) * 5.1e-15) << text;
        }
        const auto bits32 = static_cast<std::uint32_t>(bits);
        const float f = BitsFloat(bits32);
        const std::string text32 = FormatFloatBits(FloatFormat::Single, bits32);
        if (std::isfinite(f) && f != 0) {
            ASSERT_EQ(text32, ReferenceGeneral15(f)) << std::hex << bits32;
            // 15 digits are more than a single needs: the pattern comes back.
            ASSERT_EQ(FloatTextToBits(text32, FloatFormat::Single), bits32) << text32;
        }
    }
}

TEST(EncFloatTest, FormatBitsRoundTripsDoublesOfFifteenDigits) {
    std::mt19937_64 rng(1414);
    char text[64];
    for (int i = 0; i < 50000; ++i) {
        const std::int64_t mantissa =
            100000000000000 + static_cast<std::int64_t>(rng() % 900000000000000);
        const int exponent = static_cast<int>(rng() % 600) - 300;
        std::snprintf(text, sizeof text, "%lldE%d", static_cast<long long>(mantissa), exponent);
        const double d = strtod_l(text, nullptr, CLocale());
        if (!std::isnormal(d))
            continue;
        const std::string shown = FormatFloatBits(FloatFormat::Double, DoubleBits(d));
        ASSERT_EQ(static_cast<std::uint64_t>(FloatTextToBits(shown, FloatFormat::Double)),
                  DoubleBits(d))
            << text << " shown as " << shown;
    }
}

TEST(EncFloatTest, NormalizeFloatText) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.5", "0.5"},
        {"00.5", "0.5"},
        {"007", "7"},
        {"-05", "-5"},
        {"1E05", "1E5"},
        {"1e-007", "1e-7"},
        {"1.5E+0003", "1.5E+3"},
        {"100", "100"},
        {"0.05", "0.05"},
        {"10.0", "10.0"},
        {"0", "0"},
        {"00", "0"},
        {"-0", "-0"},
        {"-00.0", "-0.0"},
        {"1E0", "1E0"},
        {"1E00", "1E0"},
        {"", ""},
        {"0E", "0E"},
        {"000000001", "1"},
        {".05", ".05"},
    };
    for (const auto& [in, out] : cases) {
        std::string text = in;
        EXPECT_TRUE(NormalizeFloatText(text)) << in;
        EXPECT_EQ(text, out) << in;
    }
    std::string eighteen = "1." + std::string(18, '3');
    EXPECT_TRUE(NormalizeFloatText(eighteen));
    std::string nineteen = "1." + std::string(19, '3');
    EXPECT_FALSE(NormalizeFloatText(nineteen));
    std::string withExponent = "1." + std::string(18, '3') + "E12345";
    EXPECT_TRUE(NormalizeFloatText(withExponent));
    std::string lowerE = "1." + std::string(19, '3') + "e1";
    EXPECT_FALSE(NormalizeFloatText(lowerE));
    // A long run of zeros is handled in one pass.
    std::string zeros(1000000, '0');
    zeros += '7';
    EXPECT_TRUE(NormalizeFloatText(zeros));
    EXPECT_EQ(zeros, "7");
}

TEST(EncFloatTest, FormatsAndModes) {
    using M = CalcValueMode;
    EXPECT_EQ(DefaultFloatFormat(M::QWord), FloatFormat::Double);
    for (M mode : {M::Byte, M::Word, M::DWord, M::Float})
        EXPECT_EQ(DefaultFloatFormat(mode), FloatFormat::Single);
    const bool singleUsable[] = {false, false, true, true, false};
    const bool doubleUsable[] = {false, false, false, true, false};
    for (int m = 0; m < CalcValueModeCount; ++m) {
        const auto mode = static_cast<M>(m);
        EXPECT_EQ(IsFloatFormatUsable(FloatFormat::Single, mode), singleUsable[m]) << m;
        EXPECT_EQ(IsFloatFormatUsable(FloatFormat::Double, mode), doubleUsable[m]) << m;
    }
    EXPECT_EQ(FloatFormatName(FloatFormat::Single), "Single");
    EXPECT_EQ(FloatFormatName(FloatFormat::Double), "Double");
    EXPECT_EQ(FloatFormatName(FloatFormat::Half), "Half");
    EXPECT_EQ(FloatFormatName(FloatFormat::BFloat16), "BF16");
    EXPECT_EQ(FloatFormatName(FloatFormat::E4M3), "E4M3");
    EXPECT_EQ(FloatFormatName(FloatFormat::E5M2), "E5M2");
    EXPECT_EQ(FloatFormatName(static_cast<FloatFormat>(6)), "");
    EXPECT_EQ(FloatFormatName(static_cast<FloatFormat>(-1)), "");
}

} // namespace
} // namespace pexa
