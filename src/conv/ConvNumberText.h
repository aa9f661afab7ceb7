#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// Decimal number texts as the bars write and read them: the locale decimal
// separator of CurrentFormat() in place of '.', an upper-case 'E' before an
// exponent, and no dependence on the C library's locale.

// The real rounded to 18 significant digits and written with exactly 18 digits
// after the decimal separator (places beyond the 18th significant digit are
// '0', places beyond the 18th decimal are dropped). When the integer part would
// need more than 18 digits, the general scientific form is written instead:
// the significant digits without trailing zeros, 'E' and the exponent, as in
// 1.5E20. A non-finite real, which no stored value can be, gives "INF", "-INF"
// or "NAN".
std::string FormatRealFixed18(Real x);

// The text the decimal bar shows for a real: FormatRealFixed18 with the
// trailing zeros of the fraction (and a separator left at the end) removed. A
// negative number that rounds to zero at 18 decimals is written "0".
std::string FormatRealShort(Real x);

// Removes trailing '0's of a fraction and then a decimal separator left at the
// end; a text without the separator, or with an exponent, is left alone.
void StripFractionZeros(std::string& text);

// Reads -?digits[sep digits*][E[+-]digits] (the separator being the locale
// decimal separator; a text may end right after it). False for anything
// else, and for a number beyond the range of the 80-bit real.
bool ParseDecimalReal(const std::string& text, Real& x);

// Reads -?digits as a signed 64-bit integer. False for anything else and for a
// number that does not fit.
bool ParseDecimalInteger(const std::string& text, std::int64_t& n);

// The signed decimal text of n, without separators.
std::string FormatDecimalInteger(std::int64_t n);

} // namespace pexa
