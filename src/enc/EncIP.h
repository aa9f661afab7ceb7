#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// Number of dotted-decimal octets shown for a mode: 1 in Byte, 2 in Word, 4 otherwise.
int OctetCount(CalcValueMode mode);

// The low OctetCount bytes of bits (at most the low 32) as dotted decimal octets, most
// significant first, without leading zeros: DWord 0xC0A80001 gives "192.168.0.1".
std::string FormatIPv4(std::int64_t bits, CalcValueMode mode);

// Reads a possibly partial dotted text: each field present shifts one octet in from the
// right (its value taken modulo 256), so "192.168" gives 0xC0A8. Reading stops at the first
// empty field and after OctetCount fields; a field that is not a decimal integer counts as 0.
std::int64_t ParseIPv4(const std::string& text, CalcValueMode mode);

// Whether text is an acceptable dotted text for the mode (with allowPartial, also one that is
// still being typed). Removes one leading zero from a field of two or more characters, even
// when the answer is false; the caller keeps the text only on true.
bool ValidateIPv4(std::string& text, bool allowPartial, CalcValueMode mode);

} // namespace pexa
