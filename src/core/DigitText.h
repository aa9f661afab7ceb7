#pragma once

#include <string>

namespace pexa {

// Shaping the digits of a number's text: padding to a width, grouping with
// a separator, and writing out an exponent as plain digits.

void PadText(std::string& text, char fill, int width, bool atLeft);
void GroupDigits(std::string& text, char separator, int groupSize, int length);
// "1.5E3" -> "1500", "1E-2" -> "0.01", with the current decimal separator.
std::string ExpandExponent(const std::string& text);

} // namespace pexa
