#pragma once

#include "enc/DecimalNumber.h"
#include "enc/FloatLayout.h"

#include <cstdint>

namespace pexa {

// The pattern of a decimal number correctly rounded to one of the 16- and
// 8-bit formats (Half, BFloat16, E4M3, E5M2): nearest, ties to even,
// subnormals kept, a magnitude below half the smallest subnormal becomes a
// zero of the number's sign. Raises CalcError Overflow when the rounded
// magnitude exceeds the format's largest finite number. Any other format
// code is treated as Half.
std::uint64_t RoundToSmallFloat(const DecimalNumber& number, FloatFormat format);

} // namespace pexa
