#pragma once

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"
#include "core/RealFunctions.h"
#include "engine/Calculator.h"

#include <optional>

namespace pexa {

// The calculator's states that decide which commands apply and how they
// show (enabled, checked, captions), as a value that two moments compare.
// The texts of the bars are not here: the display hears of those as they
// change.
struct CalculatorStates {
    CalcValueMode Mode = CalcValueMode::DWord;
    bool Signed = false;
    bool Reversed = false;
    AngleUnit Angle{};
    bool Hyperbolic = false;
    bool Rotate = false;
    bool ArithmeticShift = false;
    int ShiftAmount = 0;
    EntryState Entry = EntryState::Idle;
    std::optional<BinaryOp::Index> Pending;
    std::optional<BarKind> ActiveBar;
    // One bit per open bar kind.
    unsigned OpenBars = 0;

    bool operator==(const CalculatorStates&) const = default;
};

CalculatorStates StatesOf(const Calculator& calculator);

// Which groups of states differ between two moments.
struct StateChanges {
    bool Entry = false;   // the entry state or the pending operator
    bool Mode = false;    // the mode, signed or reversed
    bool Options = false; // the function options: angle, hyperbolic, shifts
    bool Bars = false;    // which bars are open, and the active one

    bool Any() const { return Entry || Mode || Options || Bars; }
};

StateChanges ChangesBetween(const CalculatorStates& before, const CalculatorStates& after);

} // namespace pexa
