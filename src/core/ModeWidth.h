#pragma once

#include "core/CalcValue.h"

#include <cstdint>

namespace pexa {

// The integer width of each calculation mode, and what follows from it:
// the value range, masking to the width, byte order and sign extension.
// Real mode keeps its bits in 64 bits, like QWord.

// Bytes per mode, indexed by mode code: 1, 2, 4, 8, 8.
inline constexpr int ModeByteCount[CalcValueModeCount] = {1, 2, 4, 8, 8};

struct ModeRangeEntry {
    std::int64_t Min;
    std::int64_t Max;
};

// Indexed by mode code and signedness (0 unsigned, 1 signed).
extern const ModeRangeEntry ModeRange[CalcValueModeCount][2];

inline int ByteCountOf(CalcValueMode mode) {
    return ModeByteCount[static_cast<int>(mode)];
}
inline int BitCountOf(CalcValueMode mode) {
    return 8 * ByteCountOf(mode);
}
const ModeRangeEntry& RangeOf(CalcValueMode mode, bool isSigned);

bool IsMultiByteMode(CalcValueMode mode);
bool Is64BitMode(CalcValueMode mode);
std::int64_t MaskToMode(CalcValueMode mode, std::int64_t v);

void ReverseBytes(std::int64_t& v, CalcValueMode mode);
void SignExtend(std::int64_t& v, CalcValueMode mode);

} // namespace pexa
