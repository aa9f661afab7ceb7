#pragma once

#include "core/CalcValue.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pexa {

// The Unicode readings of the character bar. Their texts are UTF-8, unlike
// the Shift JIS texts of the byte encodings: a Unicode character need not
// exist in the display code page.
//
// The bytes of a value are taken as the byte encodings take them: from the
// highest non-zero byte within the mode's width down to the lowest. A byte or
// code unit that is not part of a well-formed sequence, and a control
// character, shows as one '_'.

inline constexpr char32_t MaxCodePoint = 0x10FFFF;

// A Unicode scalar value: 0..0x10FFFF without the surrogates 0xD800..0xDFFF.
bool IsScalarValue(std::uint64_t value);

// How many bytes of bits take part: up to and including the highest non-zero
// byte, at most the mode's byte count (0 for a zero pattern).
int UsedByteCount(CalcValueMode mode, std::int64_t bits);

// One step of decoding: the character at the front of a byte or unit
// sequence and how many bytes or units it took. Length 1 with Valid false is
// an element that begins no well-formed sequence.
struct DecodedChar {
    bool Valid = false;
    char32_t CodePoint = 0;
    std::size_t Length = 1;
};

// The well-formed UTF-8 sequence at the front of bytes (count > 0): shortest
// forms only, no surrogates, nothing above U+10FFFF.
DecodedChar DecodeUtf8(const std::uint8_t* bytes, std::size_t count);
// The character at the front of 16-bit units (count > 0): a surrogate pair
// is joined, a lone surrogate is not valid.
DecodedChar DecodeUtf16(const std::uint16_t* units, std::size_t count);

// The UTF-8 form of a scalar value (1 to 4 bytes); empty for anything else.
std::string EncodeUtf8(char32_t ch);
// The UTF-16 units of a scalar value, high unit first, in the low 32 bits
// (one unit: the value; two: high surrogate << 16 | low surrogate), and
// their count in units (0 for anything that is not a scalar value).
int EncodeUtf16(char32_t ch, std::uint32_t& units);

// The bytes of bits read as UTF-8; the text is UTF-8.
std::string Utf8CodeText(CalcValueMode mode, std::int64_t bits);
// The bytes of bits read as big-endian 16-bit code units (an odd byte count
// is completed by a zero byte above); the text is UTF-8.
std::string Utf16CodeText(CalcValueMode mode, std::int64_t bits);
// Bytes (UTF-8) or units (UTF-16) that the last character or unshown
// element of the reading takes; 0 for a zero pattern. Backspace drops them.
std::size_t LastUtf8CharLength(CalcValueMode mode, std::int64_t bits);
std::size_t LastUtf16CharLength(CalcValueMode mode, std::int64_t bits);

// The pattern as one code point: its character, '_' for a control character
// and for a value that is no scalar value. The text is UTF-8.
std::string CodePointText(std::uint64_t value);

} // namespace pexa
