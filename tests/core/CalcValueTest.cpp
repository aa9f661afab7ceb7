// The calculator value: how stores keep the two readings in step, how values
// move between modes, and the bit and text helpers the conversions share.
#include "core/CalcValue.h"
#include "core/CalcError.h"
#include "core/DigitText.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>

using namespace pexa;

namespace {

using M = CalcValueMode;
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr Real TwoTo63 = 9223372036854775808.0L;

const M AllModes[] = {M::Byte, M::Word, M::DWord, M::QWord, M::Float};

CalcErrorKind KindOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "no CalcError raised";
    return CalcErrorKind::MathError;
}

} // namespace

TEST(CalcValueModes, TablesAndPredicates) {
    const int bytes[] = {1, 2, 4, 8, 8};
    const bool multiByte[] = {false, true, true, true, false};
    const bool wide[] = {false, false, false, true, true};
    const char* captions[] = {"Byte", "Word", "DWord", "Int64", "Real"};
    for (int i = 0; i < CalcValueModeCount; ++i) {
        const M mode = AllModes[i];
        EXPECT_EQ(ModeByteCount[i], bytes[i]);
        EXPECT_EQ(IsMultiByteMode(mode), multiByte[i]) << i;
        EXPECT_EQ(Is64BitMode(mode), wide[i]) << i;
        EXPECT_EQ(IsFloatMode(mode), i == 4) << i;
        EXPECT_STREQ(ModeCaption(mode), captions[i]);
    }
}

TEST(CalcValueModes, RangeTable) {
    struct Row {
        M mode;
        std::int64_t umin, umax, smin, smax;
    };
    const Row rows[] = {
        {M::Byte, 0, 255, -128, 127},
        {M::Word, 0, 65535, -32768, 32767},
        {M::DWord, 0, 4294967295LL, -2147483648LL, 2147483647LL},
        {M::QWord, Int64Min, Int64Max, Int64Min, Int64Max},
        {M::Float, Int64Min, Int64Max, Int64Min, Int64Max},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RangeOf(row.mode, false).Min, row.umin);
        EXPECT_EQ(RangeOf(row.mode, false).Max, row.umax);
        EXPECT_EQ(RangeOf(row.mode, true).Min, row.smin);
        EXPECT_EQ(RangeOf(row.mode, true).Max, row.smax);
    }
}

TEST(CalcValueModes, MaskToMode) {
    struct Row {
        M mode;
        std::int64_t in, out;
    };
    const Row rows[] = {
        {M::Byte, -1, 0xFF},        {M::Byte, 0x1234, 0x34},
        {M::Word, -1, 0xFFFF},      {M::Word, 0x12345, 0x2345},
        {M::DWord, -1, 0xFFFFFFFF}, {M::DWord, 0x123456789, 0x23456789},
        {M::QWord, -1, -1},         {M::Float, Int64Min, Int64Min},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MaskToMode(row.mode, row.in), row.out) << static_cast<int>(row.mode);
}

TEST(CalcValueStore, SetIntegerKeepsSignedRealAndMaskedInteger) {
    struct Row {
        M mode;
        std::int64_t v;
        std::int64_t intValue;
        Real realValue;
        std::int64_t getInteger;
        Real getReal;
    };
    const Row rows[] = {
        {M::Byte, -1, 255, -1.0L, 255, 255.0L},
        {M::Byte, 300, 44, 300.0L, 44, 44.0L},
        {M::Word, -2, 0xFFFE, -2.0L, 0xFFFE, 65534.0L},
        {M::DWord, -1, 0xFFFFFFFF, -1.0L, 0xFFFFFFFF, 4294967295.0L},
        {M::QWord, -1, -1, -1.0L, -1, -1.0L},
        {M::QWord, Int64Min, Int64Min, -TwoTo63, Int64Min, -TwoTo63},
        {M::QWord, Int64Max, Int64Max, TwoTo63 - 1, Int64Max, TwoTo63 - 1},
    };
    for (const Row& row : rows) {
        CalcValue v;
        SetInteger(v, row.mode, row.v);
        EXPECT_EQ(v.Mode, row.mode);
        EXPECT_EQ(v.IntValue, row.intValue) << row.v;
        EXPECT_EQ(v.RealValue, row.realValue) << row.v;
        EXPECT_EQ(GetInteger(v), row.getInteger) << row.v;
        EXPECT_EQ(GetReal(v), row.getReal) << row.v;
    }
}

TEST(CalcValueStore, SetRealTruncatesThenMasks) {
    struct Row {
        M mode;
        Real x;
        std::int64_t getInteger;
        Real getReal;
    };
    const Row rows[] = {
        {M::DWord, 4294967296.5L, 0, 0.0L},
        {M::Float, -2.7L, -2, -2.7L},
        {M::Byte, 300.9L, 44, 44.0L},
        {M::Byte, -1.0L, 255, 255.0L},
        {M::Float, TwoTo63 - 1, Int64Max, TwoTo63 - 1},
        {M::Float, -TwoTo63, Int64Min, -TwoTo63},
        {M::Float, TwoTo63 - 0.5L, Int64Max, TwoTo63 - 0.5L},
        {M::Float, 1e-4940L, 0, 1e-4940L},
        {M::QWord, -0.999L, 0, 0.0L},
    };
    for (const Row& row : rows) {
        CalcValue v;
        SetReal(v, row.mode, row.x);
        EXPECT_EQ(v.RealValue, row.x);
        EXPECT_EQ(GetInteger(v), row.getInteger) << static_cast<double>(row.x);
        EXPECT_EQ(GetReal(v), row.getReal) << static_cast<double>(row.x);
    }
}

TEST(CalcValueStore, SetRealOutOfRangeRaisesAfterReplacingModeAndReal) {
    const Real bad[] = {9.3e18L,
                        TwoTo63,
                        -TwoTo63 - 1,
                        -1e30L,
                        std::numeric_limits<Real>::infinity(),
                        std::numeric_limits<Real>::quiet_NaN()};
    for (M mode : AllModes)
        for (Real x : bad) {
            CalcValue v;
            SetInteger(v, M::Word, 1234);
            EXPECT_EQ(KindOf([&] { SetReal(v, mode, x); }), CalcErrorKind::InvalidOperation);
            EXPECT_EQ(v.Mode, mode);
            EXPECT_EQ(v.IntValue, 1234);
            if (!std::isnan(x)) {
                EXPECT_EQ(v.RealValue, x);
            }
        }
}

TEST(CalcValueStore, ConvertAndChangeMode) {
    struct Row {
        CalcValue from;
        M to;
        std::int64_t getInteger;
        Real getReal;
    };
    const Row rows[] = {
        {MakeReal(M::Float, 300.9L), M::Byte, 44, 44.0L},
        {MakeReal(M::Byte, 255), M::Float, 255, 255.0L},
        {MakeReal(M::QWord, -1), M::Word, 65535, 65535.0L},
        {MakeReal(M::QWord, -1), M::Float, -1, -1.0L},
        {MakeReal(M::Float, -2.5L), M::QWord, -2, -2.0L},
        {MakeReal(M::Float, -2.5L), M::Float, -2, -2.5L},
        {MakeZero(), M::DWord, 0, 0.0L},
    };
    for (const Row& row : rows) {
        CalcValue dest;
        ConvertValue(dest, row.to, row.from);
        EXPECT_EQ(dest.Mode, row.to);
        EXPECT_EQ(GetInteger(dest), row.getInteger);
        EXPECT_EQ(GetReal(dest), row.getReal);

        CalcValue same = row.from;
        ChangeMode(same, row.to);
        EXPECT_EQ(same.Mode, row.to);
        EXPECT_EQ(GetInteger(same), row.getInteger);
        EXPECT_EQ(GetReal(same), row.getReal);
    }
    EXPECT_EQ(MakeZero().Mode, M::Float);
    EXPECT_EQ(GetReal(MakeReal(M::Float, PiValue)), 3.1415926535897932385L);
}

TEST(CalcValueBits, ReverseBytesAndSignExtendMatchReference) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t v = static_cast<std::int64_t>(rng());
        for (M mode : AllModes) {
            const int bits = 8 * ModeByteCount[static_cast<int>(mode)];
            std::int64_t reversed = v;
            ReverseBytes(reversed, mode);
            const std::uint64_t expected =
                __builtin_bswap64(static_cast<std::uint64_t>(v)) >> (64 - bits);
            ASSERT_EQ(static_cast<std::uint64_t>(reversed), expected);

            std::int64_t extended = MaskToMode(mode, v);
            SignExtend(extended, mode);
            std::int64_t reference = MaskToMode(mode, v);
            if (bits == 8)
                reference = static_cast<std::int8_t>(v);
            else if (bits == 16)
                reference = static_cast<std::int16_t>(v);
            else if (bits == 32)
                reference = static_cast<std::int32_t>(v);
            ASSERT_EQ(extended, reference);
        }
    }
}

TEST(CalcValueBits, Examples) {
    std::int64_t v = 0x1234;
    ReverseBytes(v, M::Word);
    EXPECT_EQ(v, 0x3412);
    v = 0x51234;
    ReverseBytes(v, M::Word);
    EXPECT_EQ(v, 0x3412);
    v = 0x1234;
    ReverseBytes(v, M::Byte);
    EXPECT_EQ(v, 0x34);
    v = 0x0102030405060708;
    ReverseBytes(v, M::Float);
    EXPECT_EQ(v, 0x0807060504030201);

    struct Row {
        M mode;
        std::int64_t in, out;
    };
    const Row extend[] = {{M::Byte, 0x80, -128},     {M::Byte, 0x7F, 127},
                          {M::Word, 0x8000, -32768}, {M::DWord, 0xFFFFFFFF, -1},
                          {M::QWord, 0x80, 0x80},    {M::Float, Int64Min, Int64Min}};
    for (const Row& row : extend) {
        std::int64_t x = row.in;
        SignExtend(x, row.mode);
        EXPECT_EQ(x, row.out);
    }
}

TEST(CalcValueText, PadText) {
    struct Row {
        const char* in;
        char fill;
        int width;
        bool atLeft;
        const char* out;
    };
    const Row rows[] = {
        {"1F", '0', 4, true, "001F"},     {"1F", ' ', 4, false, "1F  "},
        {"12345", '0', 4, true, "12345"}, {"", '0', 3, true, "000"},
        {"ab", '0', 0, true, "ab"},       {"ab", '0', -5, false, "ab"},
    };
    for (const Row& row : rows) {
        std::string text = row.in;
        PadText(text, row.fill, row.width, row.atLeft);
        EXPECT_EQ(text, row.out);
    }
}

TEST(CalcValueText, GroupDigits) {
    struct Row {
        const char* in;
        char separator;
        int groupSize;
        int length;
        const char* out;
    };
    const Row rows[] = {
        {"1234567", ',', 3, -1, "1,234,567"},
        {"1010101010", ' ', 4, -1, "10 1010 1010"},
        {"1234.56", ',', 3, 4, "1,234.56"},
        {"123", ',', 3, -1, "123"},
        {"1234", ',', 1, -1, "1234"},
        {"", ',', 3, -1, ""},
        {"123456", ',', 3, -1, "123,456"},
        {"1234", ',', 3, 0, "1234"},
        {"ABCDEF01", ' ', 2, -1, "AB CD EF 01"},
    };
    for (const Row& row : rows) {
        std::string text = row.in;
        GroupDigits(text, row.separator, row.groupSize, row.length);
        EXPECT_EQ(text, row.out) << row.in;
    }
}

TEST(CalcValueText, ExpandExponent) {
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"1.5E+20", "150000000000000000000"},
        {"1.2345E+3", "1234.5"},
        {"1E+2", "100"},
        {"1.5E+1", "15"},
        {"1.5E+0", "1.5"},
        {"1.5E-1", "0.15"},
        {"1.5E-3", "0.0015"},
        {"-1.5E-3", "-0.0015"},
        {"-1.5E+2", "-150"},
        {"12.5", "12.5"},
        {"1.5e+3", "1.5e+3"},
        {"INF", "INF"},
        {"NAN", "NAN"},
        {"1.25E2", "125"},
        {"1.5Ex", "1.5"},
        {"1.50E-1", "0.150"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ExpandExponent(row.in), row.out) << row.in;
}

TEST(CalcValueText, ExpandExponentUsesLocaleSeparator) {
    FormatSettings comma;
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    FormatSettingsScope scope(comma);
    EXPECT_EQ(ExpandExponent("1,2345E+3"), "1234,5");
    EXPECT_EQ(ExpandExponent("1,5E-3"), "0,0015");
    EXPECT_EQ(ExpandExponent("-2,5E+1"), "-25");
}

TEST(CalcValueText, ExpandExponentHugeExponentStaysBounded) {
    // A typed or pasted exponent far beyond any real must not exhaust memory.
    const std::string out = ExpandExponent("1E+99999999999999999999");
    EXPECT_LE(out.size(), 10000000u);
    EXPECT_EQ(out.substr(0, 3), "100");
}
