#include "engine/ValueBits.h"

#include "core/ModeWidth.h"

#include <cstring>

namespace pexa {

namespace {

// The x87 extended format: the significand in the first 8 bytes, the sign
// and biased exponent in the next 2 (little-endian).
void SplitReal(Real x, std::uint64_t& low, std::uint16_t& high) {
    unsigned char bytes[sizeof(Real)] = {};
    std::memcpy(bytes, &x, sizeof(Real));
    std::memcpy(&low, bytes, 8);
    std::memcpy(&high, bytes + 8, 2);
}

Real JoinReal(std::uint64_t low, std::uint16_t high) {
    unsigned char bytes[sizeof(Real)] = {};
    std::memcpy(bytes, &low, 8);
    std::memcpy(bytes + 8, &high, 2);
    Real x = 0.0L;
    std::memcpy(&x, bytes, sizeof(Real));
    return x;
}

} // namespace

ValueBits BitsOfValue(const CalcValue& value) {
    ValueBits bits;
    bits.Mode = value.Mode;
    if (IsFloatMode(value.Mode))
        SplitReal(value.RealValue, bits.Low, bits.High);
    else
        bits.Low = static_cast<std::uint64_t>(MaskToMode(value.Mode, value.IntValue));
    return bits;
}

// Read back through the calculator's own setters, and kept only when they
// give the same bits: that refuses every pattern they would not make.
std::optional<CalcValue> ValueOfBits(int modeCode, std::uint64_t low, std::uint16_t high) {
    if (modeCode < 0 || modeCode >= CalcValueModeCount)
        return std::nullopt;
    const auto mode = static_cast<CalcValueMode>(modeCode);
    CalcValue value;
    try {
        if (IsFloatMode(mode)) {
            SetReal(value, mode, JoinReal(low, high));
        } else {
            if (high != 0)
                return std::nullopt;
            SetInteger(value, mode, static_cast<std::int64_t>(low));
        }
    } catch (...) {
        return std::nullopt;
    }
    if (!(BitsOfValue(value) == ValueBits{mode, low, high}))
        return std::nullopt;
    return value;
}

} // namespace pexa
