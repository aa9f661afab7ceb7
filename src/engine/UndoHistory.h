#pragma once

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"
#include "engine/FunctionOptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace pexa {

// Where the user is in an entry.
enum class EntryState {
    Idle,     // after a binary operator, a clear, and at start-up
    Entering, // characters are being typed into the active bar
    Computed, // the value came from a function, pi, Answer or a paste
    Equalled, // after "="
};

// Whether two values are the same to the bit (the 80 bits of the real
// included, so that a NaN equals itself and -0 differs from +0).
bool SameValue(const CalcValue& a, const CalcValue& b);

// An entry longer than this (a key held down with Backspace between, a long
// paste) is logged no further: undo then gives its value back rather than
// its text.
inline constexpr std::size_t MaxLoggedInputs = 256;

// One input to a bar's conversion, as typed.
struct EntryInput {
    enum class Kind : std::uint8_t { Char, Character, Backspace };
    Kind What = Kind::Char;
    char32_t Code = 0; // the byte of a Char, the character of a Character

    bool operator==(const EntryInput&) const = default;
};

// How a bar's text came about when it is not simply the current value
// rendered: the entry typed into it since its last clear (or since it last
// showed a value, Base), input by input. A conversion keeps its text as
// typed ("1.50", a date half entered), which the value alone cannot give
// back; replaying the inputs into the same conversion gives it back exactly.
struct EntryLog {
    // The bar whose text the log gives; none when every bar shows the value.
    std::optional<BarKind> Bar;
    // The value the bar showed when the inputs began; none after a clear.
    std::optional<CalcValue> Base;
    std::vector<EntryInput> Inputs;

    bool operator==(const EntryLog& other) const;
};

// Everything a user sees change in the calculator, as one value: what undo
// and redo put back. The open bars, which one is active, and each bar's
// own settings (character encoding, time format) are view and stay as they
// are.
struct CalculatorSnapshot {
    CalcValue Current;
    CalcValue Accumulator;
    CalcValue Operand;
    CalcValue Answer;
    std::optional<CalcValue> Memory;
    std::optional<BinaryOp::Index> Pending;
    EntryState Entry = EntryState::Idle;
    std::optional<BarKind> EntryBar;
    CalcValueMode Mode = CalcValueMode::DWord;
    bool Signed = false;
    bool Reversed = false;
    FunctionOptions Options;
    // The error each open bar shows, by kind.
    std::array<std::optional<CalcErrorKind>, BarKindCount> Errors{};
    EntryLog Log;

    bool operator==(const CalculatorSnapshot& other) const;
};

// The undo and redo stacks of snapshots. A new step drops the redo steps;
// beyond the depth the oldest step is forgotten.
class UndoHistory {
public:
    static constexpr std::size_t Depth = 1000;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }

    // The state before a command that changed it.
    void Record(CalculatorSnapshot before);
    // The state to go back to; now is kept for the redo. Call only when CanUndo.
    CalculatorSnapshot Undo(CalculatorSnapshot now);
    // The state to go forward to; now is kept for the undo. Call only when CanRedo.
    CalculatorSnapshot Redo(CalculatorSnapshot now);
    void Forget();
    // Drops the entry logs of the bar from every step: its entries are then
    // given back as the bar shows their values.
    void ForgetEntriesOf(BarKind bar);

private:
    void PushUndo(CalculatorSnapshot snapshot);

    std::deque<CalculatorSnapshot> undo_;
    std::vector<CalculatorSnapshot> redo_;
};

} // namespace pexa
