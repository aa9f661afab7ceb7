#include "core/BitCounts.h"

#include "core/CalcArithmetic.h"
#include "core/ModeWidth.h"

#include <bit>
#include <cstdint>

namespace pexa {

namespace {

// The pattern the count reads, its bits above the width cleared, and the width.
template <typename Count> void CountBits(CalcValue& v, Count count) {
    const CalcValueMode mode = BitMode(v.Mode);
    const auto bits = static_cast<std::uint64_t>(MaskToMode(mode, GetInteger(v)));
    SetInteger(v, mode, count(bits, BitCountOf(mode)));
}

} // namespace

void PopCount(CalcValue& v) {
    CountBits(v, [](std::uint64_t bits, int) { return std::popcount(bits); });
}

void CountLeadingZeros(CalcValue& v) {
    // The 64-bit count includes the bits above the width, which are all zero.
    CountBits(v,
              [](std::uint64_t bits, int width) { return std::countl_zero(bits) - (64 - width); });
}

void CountTrailingZeros(CalcValue& v) {
    CountBits(v, [](std::uint64_t bits, int width) {
        return bits == 0 ? width : std::countr_zero(bits);
    });
}

void Parity(CalcValue& v) {
    CountBits(v, [](std::uint64_t bits, int) { return std::popcount(bits) & 1; });
}

} // namespace pexa
