#pragma once

#include "core/CalcValue.h"

#include <string>

namespace pexa {

// The value as a literal of C source that gives the same value back.
//
// Integer modes: hexadecimal, zero-padded to the mode's width. The unsigned
// reading adds "u" ("ull" in Int64): "0x000000F9u". The signed reading writes
// a negative value with a minus ("-0x00000007"), and Int64's suffix is "ll".
// The smallest DWord and Int64 integers have no literal of their own type in
// C (its magnitude does not fit), so they are written "(-0x7FFFFFFF - 1)".
//
// Real mode: the fewest significant digits that read back as the value
// (plain for decimal exponents -4 to 15, scientific beyond). A value that
// a double holds exactly is written as a double literal ("1.5", "0.1",
// "1e+20"); any other needs the 80-bit precision and gets C's "L" suffix.
// Every text is a floating literal ("3.0", never "3").
std::string FormatCLiteral(const CalcValue& value, CalcValueMode mode, bool isSigned);

} // namespace pexa
