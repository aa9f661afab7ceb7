// Copy as C literal: the integer texts by hand, and the real texts read back
// with the C library (strtod/strtold) as the reference for "round-trips" and
// printf's rounding to one digit fewer for "shortest".

#include "engine/CLiteral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

using namespace pexa;

namespace {

struct IntegerLiteralCase {
    CalcValueMode Mode;
    bool Signed;
    std::int64_t Value;
    const char* Expected;
};

constexpr IntegerLiteralCase IntegerCases[] = {
    {CalcValueMode::DWord, false, 249, "0x000000F9u"},
    {CalcValueMode::Byte, false, 0xF9, "0xF9u"},
    {CalcValueMode::Word, false, 0xF9, "0x00F9u"},
    {CalcValueMode::QWord, false, 0xF9, "0x00000000000000F9ull"},
    {CalcValueMode::QWord, false, -1, "0xFFFFFFFFFFFFFFFFull"},
    {CalcValueMode::DWord, false, -7, "0xFFFFFFF9u"},
    {CalcValueMode::DWord, true, -7, "-0x00000007"},
    {CalcValueMode::DWord, true, 7, "0x00000007"},
    {CalcValueMode::DWord, true, 0, "0x00000000"},
    {CalcValueMode::Byte, true, 0x80, "-0x80"},
    {CalcValueMode::Byte, true, 0x7F, "0x7F"},
    {CalcValueMode::Word, true, 0xFFFF, "-0x0001"},
    {CalcValueMode::DWord, true, 0x80000000, "(-0x7FFFFFFF - 1)"},
    {CalcValueMode::QWord, true, -1, "-0x0000000000000001ll"},
    {CalcValueMode::QWord, true, 5, "0x0000000000000005ll"},
    {CalcValueMode::QWord, true, INT64_MIN, "(-0x7FFFFFFFFFFFFFFFll - 1)"},
};

TEST(CLiteralTest, IntegerModes) {
    for (const IntegerLiteralCase& c : IntegerCases) {
        SCOPED_TRACE(c.Expected);
        CalcValue value;
        SetInteger(value, c.Mode, c.Value);
        EXPECT_EQ(FormatCLiteral(value, c.Mode, c.Signed), c.Expected);
    }
}

// A real value as the Real mode holds it, also beyond the 64-bit integers
// (which SetReal refuses).
CalcValue RealValue(Real x) {
    return CalcValue{CalcValueMode::Float, 0, x};
}

struct RealLiteralCase {
    Real Value;
    const char* Expected;
};

const RealLiteralCase RealCases[] = {
    {1.5L, "1.5"},
    {3.0L, "3.0"},
    {-2.25L, "-2.25"},
    {0.0L, "0.0"},
    {1e20L, "1e+20"},
    {1e15L, "1000000000000000.0"},
    {1e16L, "1e+16"},
    {0.001L, "0.001L"},
    {static_cast<Real>(0.001), "0.001"},
    {0.0001L, "0.0001L"},
    {static_cast<Real>(0.0001), "0.0001"},
    {static_cast<Real>(0.00001), "1e-05"},
    {123.456L, "123.456L"},
    {1234567890123456789.0L, "1.234567890123456789e+18L"},
    {0.1L, "0.1L"},
    {static_cast<Real>(0.1), "0.1"},
    {PiValue, "3.1415926535897932385L"},
};

TEST(CLiteralTest, RealExamples) {
    for (const RealLiteralCase& c : RealCases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(FormatCLiteral(RealValue(c.Value), CalcValueMode::Float, false), c.Expected);
    }
}

// The significant digits of a literal's mantissa, from the first nonzero
// digit to the last.
int SignificantDigits(const std::string& text) {
    std::string digits;
    for (const char c : text.substr(0, text.find_first_of("eL"))) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    return static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

// Reads a literal as C would: a double, or a long double with "L".
Real ReadBack(const std::string& text) {
    if (!text.empty() && text.back() == 'L')
        return std::strtold(text.substr(0, text.size() - 1).c_str(), nullptr);
    return static_cast<Real>(std::strtod(text.c_str(), nullptr));
}

// Whether one significant digit fewer still reads back as the value.
bool ShorterReadsBack(Real x, const std::string& text, int digits) {
    if (digits <= 1)
        return false;
    char shorter[128];
    if (text.back() == 'L') {
        std::snprintf(shorter, sizeof shorter, "%.*Le", digits - 2, x);
        return std::strtold(shorter, nullptr) == x;
    }
    std::snprintf(shorter, sizeof shorter, "%.*e", digits - 2, static_cast<double>(x));
    return static_cast<Real>(std::strtod(shorter, nullptr)) == x;
}

TEST(CLiteralTest, RealsRoundTripWithTheFewestDigits) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> exponents(-16400, 16380);
    for (int i = 0; i < 20000; ++i) {
        Real x = 0;
        if (i % 2 == 0) {
            // Any 80-bit value: a 64-bit mantissa and any exponent.
            const auto mantissa = static_cast<Real>(random() | (std::uint64_t{1} << 63));
            x = std::ldexp(mantissa, exponents(random) - 63);
        } else {
            // Values that doubles hold.
            x = static_cast<Real>(std::ldexp(static_cast<double>(random() >> 11), (i % 200) - 100));
        }
        if (i % 3 == 0)
            x = -x;
        if (!std::isfinite(x))
            continue;
        const std::string text = FormatCLiteral(RealValue(x), CalcValueMode::Float, false);
        SCOPED_TRACE(text);
        ASSERT_NE(text.find_first_of(".e"), std::string::npos);
        ASSERT_EQ(ReadBack(text), x);
        EXPECT_FALSE(ShorterReadsBack(x, text, SignificantDigits(text)));
    }
}

} // namespace
