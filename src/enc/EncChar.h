#pragma once

#include "core/CalcValue.h"
#include "enc/EncUnicode.h"

#include <cstdint>
#include <string>

namespace pexa {

// How the bytes of a value are read as characters.
enum class CharEncoding : std::uint8_t {
    Ascii = 0,     // every byte on its own
    ShiftJis = 1,  // Shift JIS pairs and half-width katakana, other bytes on their own
    Euc = 2,       // EUC-JP pairs, other bytes on their own
    Jis = 3,       // JIS X 0208 row/cell pairs only, without escape sequences
    Utf8 = 4,      // UTF-8 sequences
    Utf16 = 5,     // big-endian UTF-16 code units, surrogate pairs joined
    CodePoint = 6, // the whole pattern is one Unicode code point
};

// The encodings whose texts are UTF-8 rather than Shift JIS: Utf8, Utf16, CodePoint.
bool IsUnicodeEncoding(CharEncoding encoding);

// Lead 0x81..0x9F or 0xE0..0xFC and trail 0x40..0x7E or 0x80..0xFC.
bool IsSjisPair(std::uint8_t lead, std::uint8_t trail);
// Single-byte half-width katakana of Shift JIS: 0xA1..0xDF.
bool IsHalfWidthKana(std::uint8_t b);

// Converts a JIS X 0208 pair (both bytes 0x21..0x7E) to Shift JIS in place. Bytes outside
// that range give false and are left unchanged.
bool JisToSjis(std::uint8_t& lead, std::uint8_t& trail);
// The inverses: a Shift JIS pair that JisToSjis (EucToSjis) gives is converted back in place;
// any other pair gives false and is left unchanged.
bool SjisToJis(std::uint8_t& lead, std::uint8_t& trail);
bool SjisToEuc(std::uint8_t& lead, std::uint8_t& trail);
// Converts an EUC-JP pair to Shift JIS in place. Unless both bytes have bit 7 set the result is
// false and the bytes are unchanged; otherwise bit 7 is cleared on both and the JIS pair is
// converted as by JisToSjis.
bool EucToSjis(std::uint8_t& lead, std::uint8_t& trail);

// The bytes of bits, from the highest non-zero one within the mode's width down to the lowest,
// as text in the given encoding; bytes that are not characters show as '_'. A zero pattern
// gives an empty text in every encoding. The text is Shift JIS, or UTF-8 for the Unicode encodings
// (EncUnicode). Codes outside the enumeration read as Ascii.
std::string CharCodeText(CharEncoding encoding, CalcValueMode mode, std::int64_t bits);

// "ASCII", "SJIS", "EUC", "JIS", "UTF-8", "UTF-16", "U+"; empty for any other code.
std::string CharEncodingName(CharEncoding encoding);

} // namespace pexa
