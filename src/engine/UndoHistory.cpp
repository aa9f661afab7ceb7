#include "engine/UndoHistory.h"

#include <cstring>
#include <utility>

namespace pexa {

namespace {

bool SameOptionalValue(const std::optional<CalcValue>& a, const std::optional<CalcValue>& b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || SameValue(*a, *b);
}

} // namespace

// The real's padding bytes after its 80 bits hold anything.
bool SameValue(const CalcValue& a, const CalcValue& b) {
    return a.Mode == b.Mode && a.IntValue == b.IntValue &&
           std::memcmp(&a.RealValue, &b.RealValue, 10) == 0;
}

bool EntryLog::operator==(const EntryLog& other) const {
    return Bar == other.Bar && SameOptionalValue(Base, other.Base) && Inputs == other.Inputs;
}

bool CalculatorSnapshot::operator==(const CalculatorSnapshot& other) const {
    return SameValue(Current, other.Current) && SameValue(Accumulator, other.Accumulator) &&
           SameValue(Operand, other.Operand) && SameValue(Answer, other.Answer) &&
           SameOptionalValue(Memory, other.Memory) && Pending == other.Pending &&
           Entry == other.Entry && EntryBar == other.EntryBar && Mode == other.Mode &&
           Signed == other.Signed && Reversed == other.Reversed && Options == other.Options &&
           Errors == other.Errors && Log == other.Log;
}

void UndoHistory::PushUndo(CalculatorSnapshot snapshot) {
    undo_.push_back(std::move(snapshot));
    if (undo_.size() > Depth)
        undo_.pop_front();
}

void UndoHistory::Record(CalculatorSnapshot before) {
    PushUndo(std::move(before));
    redo_.clear();
}

CalculatorSnapshot UndoHistory::Undo(CalculatorSnapshot now) {
    CalculatorSnapshot back = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(now));
    return back;
}

CalculatorSnapshot UndoHistory::Redo(CalculatorSnapshot now) {
    CalculatorSnapshot forward = std::move(redo_.back());
    redo_.pop_back();
    PushUndo(std::move(now));
    return forward;
}

void UndoHistory::ForgetEntriesOf(BarKind bar) {
    const auto forget = [bar](CalculatorSnapshot& snapshot) {
        if (snapshot.Log.Bar == bar)
            snapshot.Log = EntryLog{};
    };
    for (CalculatorSnapshot& snapshot : undo_)
        forget(snapshot);
    for (CalculatorSnapshot& snapshot : redo_)
        forget(snapshot);
}

void UndoHistory::Forget() {
    undo_.clear();
    redo_.clear();
}

} // namespace pexa
