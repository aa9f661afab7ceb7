#pragma once

#include "core/CalcValue.h"
#include "enc/FloatLayout.h"

#include <cstdint>
#include <string>

namespace pexa {

// Double in QWord mode, Single in every other mode (Float included).
FloatFormat DefaultFloatFormat(CalcValueMode mode);

// The format the float bar reads in a mode: the chosen 8-bit format in
// Byte mode (E4M3 or E5M2; anything else counts as E4M3), the chosen 16-bit
// format in Word mode (Half or BFloat16; anything else counts as Half), and
// DefaultFloatFormat in the other modes.
FloatFormat FloatFormatForMode(CalcValueMode mode, FloatFormat wordChoice, FloatFormat byteChoice);

// Whether the mode is wide enough to hold the format's pattern; never in Float mode.
bool IsFloatFormatUsable(FloatFormat format, CalcValueMode mode);

// "Single", "Double", "Half", "BF16", "E4M3", "E5M2"; empty for any other code.
std::string FloatFormatName(FloatFormat format);

// The bit pattern of the decimal real number in text, correctly rounded to
// the format (nearest, ties to even; denormals kept, smaller magnitudes
// become a zero of the same sign). Bits above the format's width are 0.
// Raises ConvertError when the text is not a decimal real number and
// CalcError Overflow when the rounded magnitude exceeds the format's range.
std::int64_t FloatTextToBits(const std::string& text, FloatFormat format);

// The text of the number a pattern encodes: 15 significant digits, "Inf",
// "-Inf", "QNaN", "SNaN" ("NaN" in E4M3, which has no quiet or signalling
// kind), "0" or "-0". Bits above the format's width are ignored.
std::string FormatFloatBits(FloatFormat format, std::int64_t bits);

// Removes superfluous leading zeros of the integer part and of the exponent
// while the user types; false when the fraction has more than 18 digits.
bool NormalizeFloatText(std::string& text);

// Reads a decimal real number (optional sign, digits with the locale's
// decimal separator, optional exponent "E"/"e" with optional sign and
// digits) into 80-bit precision, correctly rounded. A mantissa may end in
// the separator and an exponent mark may stand without digits ("1.", "1E",
// "1E-"). False for any other text and for a magnitude beyond the 80-bit
// range; a magnitude below the smallest denormal reads as zero.
bool TryReadReal(const std::string& text, Real& result);

} // namespace pexa
