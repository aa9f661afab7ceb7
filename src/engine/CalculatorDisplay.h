#pragma once

namespace pexa {

struct Refusal;

// What the calculator tells whatever shows it. The calculator holds every
// value and state; a display reads what it needs back from the calculator
// when it is told that something changed, and never keeps a copy.
class CalculatorDisplay {
public:
    virtual ~CalculatorDisplay() = default;

    // The bar's text changed: a new value, an edited entry, or an error shown
    // in place of the value (or taken away).
    virtual void BarTextChanged(BarKind bar) = 0;
    // The bar reads the value differently (mode, signed or reversed): its
    // indicators and its text.
    virtual void BarReadingChanged(BarKind bar) = 0;
    // The pending operator's symbol changed.
    virtual void PendingOperatorChanged() = 0;
    // Another bar, or none, is the active one.
    virtual void ActiveBarChanged() = 0;
    // An operation was refused and changed nothing; the user is to see why.
    virtual void OperationRefused(const Refusal& /*refusal*/) {}
    // Undo or redo put back an earlier state: the mode, Signed, Reverse
    // Endian, the function options and the memory may all differ now (the
    // bars and the pending operator were told of their own changes).
    virtual void StateRestored() {}
    // The memory was stored, changed or cleared.
    virtual void MemoryChanged() {}
    // A line joined the history tape, or the tape was cleared.
    virtual void TapeChanged() {}

protected:
    CalculatorDisplay() = default;
    CalculatorDisplay(const CalculatorDisplay&) = default;
    CalculatorDisplay& operator=(const CalculatorDisplay&) = default;
};

} // namespace pexa
