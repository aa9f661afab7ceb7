#include "core/ModeWidth.h"

#include <cstdlib>
#include <limits>

namespace pexa {

namespace {

constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();

// Low `bits` bits of v; bits is 1..64.
std::uint64_t LowBits(std::uint64_t v, int bits) {
    return bits >= 64 ? v : v & ((std::uint64_t{1} << bits) - 1);
}

} // namespace

const ModeRangeEntry ModeRange[CalcValueModeCount][2] = {
    {{0, 255}, {-128, 127}},
    {{0, 65535}, {-32768, 32767}},
    {{0, 4294967295LL}, {-2147483648LL, 2147483647LL}},
    {{Int64Min, Int64Max}, {Int64Min, Int64Max}},
    {{Int64Min, Int64Max}, {Int64Min, Int64Max}},
};

const ModeRangeEntry& RangeOf(CalcValueMode mode, bool isSigned) {
    return ModeRange[static_cast<int>(mode)][isSigned ? 1 : 0];
}

bool IsMultiByteMode(CalcValueMode mode) {
    return mode == CalcValueMode::Word || mode == CalcValueMode::DWord ||
           mode == CalcValueMode::QWord;
}

bool Is64BitMode(CalcValueMode mode) {
    return mode == CalcValueMode::QWord || mode == CalcValueMode::Float;
}

std::int64_t MaskToMode(CalcValueMode mode, std::int64_t v) {
    return static_cast<std::int64_t>(LowBits(static_cast<std::uint64_t>(v), BitCountOf(mode)));
}

void ReverseBytes(std::int64_t& v, CalcValueMode mode) {
    auto source = static_cast<std::uint64_t>(v);
    std::uint64_t result = 0;
    for (int i = 0; i < ByteCountOf(mode); ++i) {
        result = (result << 8) | (source & 0xFF);
        source >>= 8;
    }
    v = static_cast<std::int64_t>(result);
}

void SignExtend(std::int64_t& v, CalcValueMode mode) {
    if (Is64BitMode(mode))
        return;
    const int width = BitCountOf(mode);
    const auto bits = static_cast<std::uint64_t>(v);
    if ((bits >> (width - 1)) & 1)
        v = static_cast<std::int64_t>(bits | (~std::uint64_t{0} << width));
}

} // namespace pexa
