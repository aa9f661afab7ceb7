// The real functions at the arguments where the rounding is known without
// MPFR: exact results, the C library's long double constants (each the nearest
// long double, some rounded up and some down), and subnormal squares rounded
// by integer arithmetic. A wrong rounding mode, a working precision below 64
// bits or a second rounding of subnormals each fails some row here.
#include "core/RealFunctions.h"
#include "core/CalcError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace pexa;

namespace {

using T = TrigFunctionKind;
constexpr AngleUnit D = AngleUnit::Degree;
constexpr AngleUnit R = AngleUnit::Radian;
constexpr AngleUnit G = AngleUnit::Gradian;

__extension__ typedef unsigned __int128 UInt128;

int BitLength(UInt128 v) {
    int n = 0;
    for (; v != 0; v >>= 1)
        ++n;
    return n;
}

// v rounded to the nearest number of `bits` significant bits, ties to even.
UInt128 RoundToBits(UInt128 v, int bits) {
    const int shift = BitLength(v) - bits;
    if (shift <= 0)
        return v;
    UInt128 q = v >> shift;
    const UInt128 rest = v & ((UInt128{1} << shift) - 1);
    const UInt128 half = UInt128{1} << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0))
        ++q;
    return q << shift;
}

} // namespace

TEST(RealFunctions, ExactResults) {
    struct Row {
        std::string name;
        Real got, expected;
    };
    const Row rows[] = {
        {"sin 30°", real::Circular(30, T::Sin, D), 0.5L},
        {"cos 60°", real::Circular(60, T::Cos, D), 0.5L},
        {"tan 45°", real::Circular(45, T::Tan, D), 1},
        {"sin (30° + 2^40 turns)", real::Circular(30 + 360 * 0x1p40L, T::Sin, D), 0.5L},
        {"tan (-45° + 2^50 half turns)", real::Circular(-45 + 180 * 0x1p50L, T::Tan, D), -1},
        {"cos 300 grad", real::Circular(300, T::Cos, G), 0},
        {"asin ½ in degrees", real::InverseCircular(0.5L, T::Sin, D), 30},
        {"acos -½ in degrees", real::InverseCircular(-0.5L, T::Cos, D), 120},
        {"atan 1 in gradians", real::InverseCircular(1, T::Tan, G), 50},
        {"cosh 0°", real::Hyperbolic(0, T::Cos, D), 1},
        {"acosh 1 in gradians", real::InverseHyperbolic(1, T::Cos, G), 0},
        {"root 40 of 3^40", real::Root(12157665459056928801.0L, 40), 3},
        {"root -3 of 2^-300", real::Root(0x1p-300L, -3), 0x1p100L},
        {"root 2.5 of 32", real::Root(32, 2.5L), 4},
        {"root 1.5 of 8", real::Root(8, 1.5L), 4},
        {"root 0.75 of 2^-12", real::Root(0x1p-12L, 0.75L), 0x1p-16L},
        {"log 8 to base 4", real::LogN(8, 4), 1.5L},
        {"log 8 to base ¼", real::LogN(8, 0.25L), -1.5L},
        {"log 10^18 to base 1000", real::LogN(1e18L, 1000), 6},
        {"log 2^-16445 to base 2", real::LogN(0x1p-16445L, 2), -16445},
        {"3^-2", real::Power(3, -2), 1 / 9.0L},
        {"(-2)^63", real::Power(-2, 63), -0x1p63L},
        {"2^-16445.5 (0.71 of the smallest subnormal)", real::Exp2(-16445.5L), 0x1p-16445L},
        {"2^-16446 (a tie, to even)", real::Exp2(-16446), 0},
        {"2^-16446.1", real::Exp2(-16446.1L), 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;

    for (int k = 0; k <= 27; ++k) {
        const Real power = real::Power(10, k); // exact: 5^27 < 2^64
        EXPECT_EQ(real::Log10(power), k) << "log10 of 10^" << k;
        EXPECT_EQ(real::Exp10(k), power) << "10^" << k;
    }
    for (int k = -16445; k <= 16383; ++k) {
        const Real power = std::ldexp(1.0L, k);
        ASSERT_EQ(real::Exp2(k), power) << "2^" << k;
        ASSERT_EQ(real::Log2(power), k) << "log2 of 2^" << k;
    }
    Real power = 3;
    for (int n = 2; n <= 40; ++n) {
        power *= 3; // exact: 3^40 < 2^64
        EXPECT_EQ(real::Root(power, n), 3) << "root " << n << " of 3^" << n;
        EXPECT_EQ(real::LogN(power, 3), n) << "log of 3^" << n << " to base 3";
    }
}

TEST(RealFunctions, NearestLongDoubleBothWays) {
    struct Row {
        std::string name;
        Real got, expected;
    };
    // ln 2, ln 10, e and pi lie below the midpoint past their long double and
    // are rounded up; √2 and √½ are rounded down.
    const Row rows[] = {
        {"ln 2", real::Ln(2), M_LN2l},
        {"ln 10", real::Ln(10), M_LN10l},
        {"e", real::Exp(1), M_El},
        {"acos -1", real::InverseCircular(-1, T::Cos, R), M_PIl},
        {"asin 1", real::InverseCircular(1, T::Sin, R), M_PI_2l},
        {"atan 1", real::InverseCircular(1, T::Tan, R), M_PI_4l},
        {"sqrt 2", real::Sqrt(2), M_SQRT2l},
        {"sqrt ½", real::Sqrt(0.5L), M_SQRT1_2l},
        {"2^½", real::Exp2(0.5L), M_SQRT2l},
        {"root 2 of 2", real::Root(2, 2), M_SQRT2l},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.got, row.expected) << row.name;
}

// b^2 for b = (2^32 + c)·2^s, whose 65-bit square falls in the subnormal range:
// rounded once to the bits left there, as integer arithmetic rounds it. Some of
// these squares round to 64 bits exactly onto a midpoint of the shorter
// precision, where a second rounding goes the wrong way.
TEST(RealFunctions, SubnormalResultsAreRoundedOnce) {
    constexpr int smallestExponent = -16445; // of the smallest subnormal
    for (int c = 1; c <= 64; ++c) {
        const UInt128 root = (UInt128{1} << 32) + static_cast<unsigned>(c);
        const UInt128 square = root * root;
        for (int s = -8255; s <= -8224; ++s) {
            const int bits = BitLength(square) + 2 * s - smallestExponent;
            if (bits < 1 || bits > 63)
                continue;
            const Real b = std::ldexp(static_cast<Real>(root), s);
            const Real expected = std::ldexp(static_cast<Real>(RoundToBits(square, bits)), 2 * s);
            ASSERT_EQ(real::Power(b, 2), expected) << "c " << c << " s " << s;
        }
    }
}

TEST(RealFunctions, ErrorKinds) {
    struct Row {
        std::string name;
        Real (*run)();
        CalcErrorKind kind;
    };
    const Row rows[] = {
        {"tan 90°", [] { return real::Circular(90, T::Tan, D); }, CalcErrorKind::InvalidOperation},
        {"tan -300 grad", [] { return real::Circular(-300, T::Tan, G); },
         CalcErrorKind::InvalidOperation},
        {"e^11357", [] { return real::Exp(11357); }, CalcErrorKind::Overflow},
        {"2^16384", [] { return real::Exp2(16384); }, CalcErrorKind::Overflow},
        {"cosh 11356.6", [] { return real::Hyperbolic(11356.6L, T::Cos, R); },
         CalcErrorKind::Overflow},
        {"acosh 0.5", [] { return real::InverseHyperbolic(0.5L, T::Cos, D); },
         CalcErrorKind::InvalidOperation},
        {"atanh 1 in degrees", [] { return real::InverseHyperbolic(1, T::Tan, D); },
         CalcErrorKind::Overflow},
        {"log 2 to base 1", [] { return real::LogN(2, 1); }, CalcErrorKind::DivideByZero},
        {"(-8)^(1/3)", [] { return real::Power(-8, 1.0L / 3); }, CalcErrorKind::InvalidOperation},
    };
    for (const Row& row : rows) {
        try {
            row.run();
            ADD_FAILURE() << row.name << ": nothing raised";
        } catch (const CalcError& e) {
            EXPECT_EQ(e.Kind(), row.kind) << row.name;
        }
    }
    // Just below the range: e^ln(LDBL_MAX) and the largest sinh are finite.
    EXPECT_TRUE(std::isfinite(real::Exp(11356.5L)));
    EXPECT_TRUE(std::isfinite(real::Hyperbolic(11356.5L, T::Sin, R)));
}
