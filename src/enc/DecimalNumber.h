#pragma once

#include <cstdint>
#include <string>

namespace pexa {

// A decimal real number as typed, exactly: (Negative ? -1 : 1) * 0.Digits *
// 10^Exponent. Digits is empty for zero and otherwise has no leading or
// trailing zeros.
struct DecimalNumber {
    bool Negative = false;
    std::string Digits;
    std::int64_t Exponent = 0;
};

// Significant digits kept when reading a number. Every halfway point between
// two neighbouring 80-bit reals (denormals included) has fewer significant
// digits, so cutting there and appending one nonzero "sticky" digit keeps
// the rounding decision of every format exact.
inline constexpr std::size_t MaxSignificantDigits = 20000;

// Reads an optional sign, decimal digits with the locale's decimal separator
// (at least one digit on either side of it), and an optional exponent ("E"
// or "e", optional sign, digits; the digits may be missing, and the exponent
// saturates far beyond every range). False for any other text.
bool ScanDecimal(const std::string& text, DecimalNumber& number);

// The sign of |number| - value for a finite, nonnegative double: -1, 0 or 1.
int CompareMagnitude(const DecimalNumber& number, double value);

} // namespace pexa
