#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <optional>

namespace pexa {

// A value as its mode and bits, the form the settings file keeps it in: an
// integer mode's value in Low (within the mode's width), a real's 80 bits as
// its 64-bit significand in Low and its sign and exponent in High.
struct ValueBits {
    CalcValueMode Mode = CalcValueMode::DWord;
    std::uint64_t Low = 0;
    std::uint16_t High = 0;

    bool operator==(const ValueBits&) const = default;
};

ValueBits BitsOfValue(const CalcValue& value);
// The value the bits stand for; none for a mode code outside 0..4, an
// integer with bits beyond its mode's width, a real no calculation can hold
// (an infinity, a NaN, one beyond the signed 64-bit range) and an 80-bit
// pattern the processor does not make (an unnormal).
std::optional<CalcValue> ValueOfBits(int modeCode, std::uint64_t low, std::uint16_t high);

} // namespace pexa
