#pragma once

#include "settings/MemorySettings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pexa {

// A value as pexa.ini keeps it: its mode's code and its exact bits, as the
// memory is kept.
using StoredValue = StoredMemory;

// One calculation of the history tape as the [History] section keeps it. The
// codes are the calculator's own (the window maps them both ways); the
// settings keep them as they are and check only that they are numbers.
struct StoredTapeLine {
    int Kind = 0;    // the line's kind: binary, unary, paste, expression
    int Mode = 2;    // the mode of the calculation (0 Byte … 4 Real)
    int Binary = -1; // the binary operator's index; -1 for none
    // The operator's or function's symbol, or an expression's text as typed:
    // any bytes, empty too.
    std::string Operator;
    StoredValue Left;
    StoredValue Right;
    StoredValue Result;

    bool operator==(const StoredTapeLine&) const = default;
};

// No more lines are read than the tape holds.
inline constexpr int MaxStoredTapeLines = 1000;

// Each line is one entry "LineN=Kind,Mode,Binary,Operator,Left,Right,Result"
// (N from 0), a value written "mode:digits" as the memory's Value is
// ("2:0000000F"). The operator is written with every byte that is not a
// printable ASCII character, and every '%' and ',', as %XX, so that any text
// (a line feed, a quote, a blank at either end) stays one entry and reads back
// unchanged.

// The saved tape, oldest first, when [History] Keep is on; none when it is
// off (the default) or missing. The first Count lines are read, at most
// MaxStoredTapeLines; a line that cannot be read is left out.
std::vector<StoredTapeLine> ReadStoredTape();
// With Keep on, writes Count and the lines (the last MaxStoredTapeLines of
// them) and empties the lines a longer tape left behind; with Keep off,
// writes nothing at all. Keep itself is the user's to set and is never
// written. Throws ProfileError at the first failed write.
void WriteStoredTape(const std::vector<StoredTapeLine>& lines);

} // namespace pexa
