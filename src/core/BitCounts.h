#pragma once

#include "core/CalcValue.h"

namespace pexa {

// Counts over the bit pattern of a value, in the width its mode's bit
// operations use (64 bits in Real mode, where a value is read as its
// truncation, as the other bit operations read it). Each replaces the value
// with the count, an integer of that width's mode; like the unary operations
// of core/CalcArithmetic.h they change the value in place.

// The number of one bits.
void PopCount(CalcValue& v);
// The zero bits above the highest one bit: the width for 0.
void CountLeadingZeros(CalcValue& v);
// The zero bits below the lowest one bit: the width for 0.
void CountTrailingZeros(CalcValue& v);
// 1 when the number of one bits is odd, else 0.
void Parity(CalcValue& v);

} // namespace pexa
