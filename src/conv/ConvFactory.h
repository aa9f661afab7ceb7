#pragma once

#include "conv/CalcConv.h"

#include <memory>

namespace pexa {

// The table of conversion classes by bar kind: a new conversion of the class
// that serves the kind (0 TConvDecimal, 1 TConvHex, 2 TConvOct, 3 TConvBin,
// 4 TConvChar, 5 TConvIP, 6 TConvDegree, 7 TConvFloat, 8 TConvTime,
// 9 TConvKilo), in its initial state: mode Byte, no options, zero value,
// empty entry form.
//
// Returns nullptr for a number outside 0..9.
std::unique_ptr<TCalcConv> CreateConv(int kind);

} // namespace pexa
