#pragma once

#include <cstdint>

namespace pexa {

// The binary floating-point formats the float bar can show. A pattern is
// held in the low bits of a 64-bit integer in the usual layout: the sign in
// the top bit of the format's width, then the biased exponent, then the
// fraction in the low bits.
enum class FloatFormat : int {
    Single = 0,   // IEEE 754 binary32: 1 sign, 8 exponent, 23 fraction bits, bias 127
    Double = 1,   // IEEE 754 binary64: 1 sign, 11 exponent, 52 fraction bits, bias 1023
    Half = 2,     // IEEE 754 binary16: 1 sign, 5 exponent, 10 fraction bits, bias 15
    BFloat16 = 3, // bfloat16: 1 sign, 8 exponent, 7 fraction bits, bias 127
    E4M3 = 4,     // OCP 8-bit E4M3: 1 sign, 4 exponent, 3 fraction bits, bias 7
    E5M2 = 5,     // OCP 8-bit E5M2: 1 sign, 5 exponent, 2 fraction bits, bias 15
};

inline constexpr int FloatFormatCount = 6;

struct FloatLayout {
    int Width;
    int ExponentBits;
    int FractionBits;
    int Bias;
    // False for E4M3, which spends the all-ones exponent on numbers and has
    // no infinities; its one NaN per sign has every exponent and fraction bit set.
    bool HasInfinity;
};

// The layout of a format; Single's for a code outside the enumeration.
const FloatLayout& LayoutOf(FloatFormat format);

enum class FloatClass : std::uint8_t {
    Zero,
    Subnormal,
    Normal,
    Infinity,
    QuietNaN,     // IEEE formats: the top fraction bit set
    SignalingNaN, // IEEE formats: the top fraction bit clear
    NaN,          // E4M3, whose NaN is neither
};

// The fields of a pattern (bits above the format's width are ignored).
struct FloatFields {
    bool Negative = false;
    std::uint32_t BiasedExponent = 0;
    // The power of two the significand is scaled by: BiasedExponent - Bias,
    // and 1 - Bias for zeros and subnormals, which share the lowest binade.
    int UnbiasedExponent = 0;
    std::uint64_t Fraction = 0; // the stored fraction bits, without the hidden bit
    FloatClass Class = FloatClass::Zero;
};

FloatFields DecomposeFloat(FloatFormat format, std::int64_t bits);

// The largest finite magnitude of a format.
double MaxFiniteValue(FloatFormat format);

// The number a finite pattern encodes (every format here fits a double
// exactly); 0 for Inf and NaN patterns.
double FiniteFloatValue(FloatFormat format, std::int64_t bits);

} // namespace pexa
