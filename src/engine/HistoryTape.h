#pragma once

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace pexa {

enum class TapeLineKind : std::uint8_t {
    Binary,     // Left Operator Right = Result: a step of a chain, or "="
    Unary,      // Operator(Left) = Result: a function applied to a value
    Paste,      // Result: a value pasted over the current one
    Expression, // Operator = Result: an expression entered on the expression line
};

// One completed calculation. The values are in the mode they were computed
// in, as the bars showed them.
struct TapeLine {
    TapeLineKind Kind = TapeLineKind::Binary;
    // The engine's symbol of the operator or function ("+", "sqrt", "sin",
    // "<<"); the expression as the user typed it, for an expression line;
    // empty for a paste. Free text: whoever stores it must escape it.
    std::string Operator;
    // The binary operator, when the line is one of them.
    std::optional<BinaryOp::Index> Binary;
    CalcValue Left;
    CalcValue Right;
    CalcValue Result;
    CalcValueMode Mode = CalcValueMode::DWord;
};

// The calculations of the session, oldest first; beyond the capacity the
// oldest line is dropped.
class HistoryTape {
public:
    static constexpr std::size_t Capacity = 1000;

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    // The line at an index (0 the oldest); none outside the tape.
    const TapeLine* At(std::size_t index) const;
    void Add(TapeLine line);
    void Clear() { lines_.clear(); }

private:
    std::deque<TapeLine> lines_;
};

// Gives a value's text in some notation.
using ValueFormatter = std::function<std::string(const CalcValue&)>;

// A formatter that shows values as the bar does, in each value's mode and
// without digit grouping, and leaves the bar itself untouched (a copy of its
// conversion does the work). A value the notation cannot take reads "?".
ValueFormatter BarValueFormatter(const Conversion& bar);

// "12 + 3 = 15", "sqrt(9) = 3", "(1 << 4) | 1 = 17", or a pasted value alone.
std::string TapeLineText(const TapeLine& line, const ValueFormatter& format);
// Every line of the tape, oldest first, each ended by a line feed.
std::string TapeText(const HistoryTape& tape, const ValueFormatter& format);

} // namespace pexa
