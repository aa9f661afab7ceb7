#pragma once

#include "conv/Conversion.h"

#include <memory>

namespace pexa {

// The table of conversion classes by bar kind: a new conversion of the class
// that serves the kind (0 DecimalConversion, 1 HexConversion, 2 OctalConversion, 3
// BinaryConversion, 4 CharacterConversion, 5 IPv4Conversion, 6 SexagesimalConversion, 7
// FloatConversion, 8 DateTimeConversion, 9 SizeConversion), in its initial state: mode Byte, no
// options, zero value, empty entry form.
//
// Returns nullptr for a number outside 0..9.
std::unique_ptr<Conversion> CreateConv(int kind);

} // namespace pexa
