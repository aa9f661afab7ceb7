#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// (2^63 - 1) div 60: a larger sum cannot take another base-60 group.
inline constexpr std::int64_t SexagesimalGroupLimit = 153722867280912930;

// Writes v in base 60 as ":"-separated groups of two digits, at least three
// groups, "-" in front of a negative number. With hmsStyle the third group
// from the right takes all the rest (hours), without padding.
std::string FormatSexagesimal(bool hmsStyle, std::int64_t v);

// Reads a sexagesimal text (groups separated by ":", an optional leading "-",
// an optional decimal fraction of the last unit) into value: SetReal in
// Float mode (fraction included), SetInteger otherwise (fraction dropped).
// Raises ConvertError "The number is too large" and stores nothing when the
// groups exceed the 64-bit range or the real cannot be stored.
void ParseSexagesimal(CalcValue& value, const std::string& text, CalcValueMode mode);

// Checks a sexagesimal text while it is being typed; may remove one leading
// zero of each group of two or more characters. The part from the decimal
// separator on is not examined. Raises nothing.
bool ValidateSexagesimal(std::string& text, bool allowLeadingEmpty);

} // namespace pexa
