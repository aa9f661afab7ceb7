#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// IEEE 754 binary interchange formats the float bar can show. A pattern is
// held in the low 32 or 64 bits of a 64-bit integer in the usual layout.
enum class FloatFormat : int {
    Single = 0, // binary32: 1 sign, 8 exponent, 23 fraction bits, bias 127
    Double = 1, // binary64: 1 sign, 11 exponent, 52 fraction bits, bias 1023
};

// Double in QWord mode, Single in every other mode (Float included).
FloatFormat DefaultFloatFormat(CalcValueMode mode);

// Whether the mode is wide enough to hold the format's pattern; never in Float mode.
bool IsFloatFormatUsable(FloatFormat format, CalcValueMode mode);

// "Single", "Double", or an empty text for a code that is neither.
std::string FloatFormatName(FloatFormat format);

// The bit pattern of the decimal real number in text, correctly rounded to
// the format (nearest, ties to even; denormals kept, smaller magnitudes
// become a zero of the same sign). For Single the upper 32 bits are 0.
// Raises ConvertError when the text is not a decimal real number and
// CalcError Overflow when the rounded magnitude exceeds the format's range.
std::int64_t FloatTextToBits(const std::string& text, FloatFormat format);

// The text of the number a pattern encodes: 15 significant digits, "Inf",
// "-Inf", "QNaN", "SNaN", "0" or "-0". Bits above the format's width are ignored.
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
