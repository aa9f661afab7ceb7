#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pexa {

// The calculator's memory as pexa.ini keeps it, in the [Memory] section:
// "Mode" the mode's code (0 Byte … 3 Int64, 4 Real; -1 or missing: the memory
// is empty) and "Value" its bits in hexadecimal, as many digits as the mode
// has bytes times two (an integer), or 20 for a real: its sign and exponent
// (4 digits), then its significand (16), so that an 80-bit real comes back
// to the bit.
struct StoredMemory {
    int Mode = 0;
    std::uint64_t Low = 0;  // the integer, or the real's significand
    std::uint16_t High = 0; // the real's sign and biased exponent; 0 for an integer

    bool operator==(const StoredMemory&) const = default;
};

// A stored value's bits as text, the memory's Value and each value of a
// stored history line: the digits described above, upper case.
std::string StoredValueDigits(const StoredMemory& value);
// The value of that text in a mode (its code); none for a mode outside 0..4
// and for a text that is not exactly the mode's hexadecimal digits (either
// case).
std::optional<StoredMemory> StoredValueOfDigits(int mode, std::string_view digits);

// The stored memory; none when it is empty, and when the mode or the value
// is unreadable (a damaged or hand-edited file starts with an empty memory).
// Whether the bits make a value the calculator can hold is the caller's to
// check (ValueOfBits in the engine).
std::optional<StoredMemory> ReadStoredMemory();
// Writes Mode, then Value; an empty memory as Mode=-1 and an empty Value.
// Throws ProfileError at the first failed write.
void WriteStoredMemory(const std::optional<StoredMemory>& memory);

} // namespace pexa
