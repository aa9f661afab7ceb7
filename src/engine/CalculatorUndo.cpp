// The calculator's undo steps, its memory and its history tape.
#include "engine/Calculator.h"

#include "core/CalcError.h"
#include "engine/CalculatorDisplay.h"

#include <utility>

namespace pexa {

// ---- Steps ----------------------------------------------------------------------

Calculator::Step::Step(Calculator& calculator) : calculator_(calculator) {
    if (calculator_.stepDepth_ == 0)
        before_ = calculator_.Snapshot();
    ++calculator_.stepDepth_;
}

// A step that cannot be recorded (no memory left) is lost, not the command.
Calculator::Step::~Step() {
    if (--calculator_.stepDepth_ != 0 || !before_)
        return;
    try {
        calculator_.RecordStep(*before_);
    } catch (...) {
    }
}

// Compared in place: a typed digit pays for one copy of the state, not two.
bool Calculator::Matches(const CalculatorSnapshot& snapshot) const {
    const bool same =
        SameValue(current_, snapshot.Current) && entry_ == snapshot.Entry && log_ == snapshot.Log &&
        pending_ == snapshot.Pending && SameValue(accumulator_, snapshot.Accumulator) &&
        SameValue(operand_, snapshot.Operand) && SameValue(answer_, snapshot.Answer) &&
        entryBar_ == snapshot.EntryBar && mode_ == snapshot.Mode && signed_ == snapshot.Signed &&
        reversed_ == snapshot.Reversed && options_ == snapshot.Options &&
        memory_.has_value() == snapshot.Memory.has_value() &&
        (!memory_ || SameValue(*memory_, *snapshot.Memory));
    if (!same)
        return false;
    std::array<std::optional<CalcErrorKind>, BarKindCount> errors{};
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        errors[static_cast<std::size_t>(bar)] = bars_.ErrorOf(bar);
    }
    return errors == snapshot.Errors;
}

void Calculator::RecordStep(const CalculatorSnapshot& before) {
    if (!Matches(before))
        undo_.Record(before);
}

CalculatorSnapshot Calculator::Snapshot() const {
    CalculatorSnapshot snapshot;
    snapshot.Current = current_;
    snapshot.Accumulator = accumulator_;
    snapshot.Operand = operand_;
    snapshot.Answer = answer_;
    snapshot.Memory = memory_;
    snapshot.Pending = pending_;
    snapshot.Entry = entry_;
    snapshot.EntryBar = entryBar_;
    snapshot.Mode = mode_;
    snapshot.Signed = signed_;
    snapshot.Reversed = reversed_;
    snapshot.Options = options_;
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        snapshot.Errors[static_cast<std::size_t>(bar)] = bars_.ErrorOf(bar);
    }
    snapshot.Log = log_;
    return snapshot;
}

bool Calculator::Undo() {
    if (stepDepth_ != 0 || !undo_.CanUndo())
        return false;
    Restore(undo_.Undo(Snapshot()));
    return true;
}

bool Calculator::Redo() {
    if (stepDepth_ != 0 || !undo_.CanRedo())
        return false;
    Restore(undo_.Redo(Snapshot()));
    return true;
}

void Calculator::SetOptions(const FunctionOptions& options) {
    const Step step(*this);
    options_ = options;
}

// ---- The entry log ------------------------------------------------------------------

// Called after the conversion took the input and before the other bars
// follow, so that the current value is still the one the bar showed.
void Calculator::LogInput(BarKind bar, EntryInput input) {
    if (log_.Bar != bar)
        log_ = EntryLog{bar, current_, {}};
    if (log_.Inputs.size() >= MaxLoggedInputs) {
        log_ = EntryLog{};
        return;
    }
    log_.Inputs.push_back(input);
}

void Calculator::ForgetLogOf(BarKind bar) {
    if (log_.Bar == bar)
        log_ = EntryLog{};
}

bool Calculator::ReplayLog(Conversion& conversion) const {
    if (log_.Base)
        conversion.SetValue(*log_.Base);
    else
        conversion.Clear();
    for (const EntryInput& input : log_.Inputs) {
        switch (input.What) {
        case EntryInput::Kind::Char:
            conversion.InputChar(static_cast<char>(input.Code));
            break;
        case EntryInput::Kind::Character:
            conversion.InputCharacter(input.Code);
            break;
        case EntryInput::Kind::Backspace:
            conversion.Backspace();
            break;
        }
    }
    return true;
}

// ---- Restoring a state --------------------------------------------------------------

// A value that does not convert leaves the bar as it was, as a failed
// calculation does; the bar is emptied only when its old value cannot even
// take the mode, which would leave the bar in its old mode.
void Calculator::RestoreBar(BarKind bar, const CalculatorSnapshot& snapshot) {
    Conversion& conversion = *bars_.Find(bar);
    std::optional<CalcErrorKind> failure;
    try {
        if (conversion.GetMode() != mode_) {
            try {
                conversion.SetMode(mode_);
            } catch (...) {
                conversion.Clear();
                conversion.SetMode(mode_);
            }
        }
        if (conversion.GetCapabilities().Contains(ConvOption::Signed))
            conversion.SetOption(ConvOption::Signed, signed_);
        if (conversion.GetCapabilities().Contains(ConvOption::ReverseEndian))
            conversion.SetOption(ConvOption::ReverseEndian, reversed_);
        if (log_.Bar == bar)
            ReplayLog(conversion);
        else
            conversion.SetValue(current_);
    } catch (const CalcError& error) {
        // A bar opened since shows the failure, as it did when it opened.
        failure = error.Kind();
    } catch (...) {
    }
    bars_.SetError(bar, snapshot.Errors[static_cast<std::size_t>(bar)]
                            ? snapshot.Errors[static_cast<std::size_t>(bar)]
                            : failure);
    display_.BarReadingChanged(bar);
}

void Calculator::Restore(const CalculatorSnapshot& snapshot) {
    ++stepDepth_;
    current_ = snapshot.Current;
    accumulator_ = snapshot.Accumulator;
    operand_ = snapshot.Operand;
    answer_ = snapshot.Answer;
    memory_ = snapshot.Memory;
    pending_ = snapshot.Pending;
    entry_ = snapshot.Entry;
    entryBar_ = snapshot.EntryBar;
    mode_ = snapshot.Mode;
    signed_ = snapshot.Signed;
    reversed_ = snapshot.Reversed;
    options_ = snapshot.Options;
    log_ = snapshot.Log;
    for (int i = 0; i < bars_.Count(); ++i)
        RestoreBar(bars_.KindAt(i), snapshot);
    display_.PendingOperatorChanged();
    display_.MemoryChanged();
    display_.StateRestored();
    --stepDepth_;
}

// ---- Memory ---------------------------------------------------------------------------

// The blocking rules of the functions: nothing to store while an error is
// shown or the entry denotes no value.
bool Calculator::RefuseMemoryCommand() {
    return IsBlocked() || RefuseInvalidEntry();
}

bool Calculator::MemoryStore() {
    const Step step(*this);
    if (RefuseMemoryCommand())
        return false;
    memory_ = current_;
    if (entry_ == EntryState::Entering)
        entry_ = EntryState::Computed;
    display_.MemoryChanged();
    return true;
}

// The memory is read in the current mode first, so that the operation is
// the mode's (a DWord memory wraps at 8 bits in Byte mode).
bool Calculator::ChangeMemory(BinaryOp::Index op) {
    const Step step(*this);
    if (RefuseMemoryCommand())
        return false;
    try {
        CalcValue stored = MakeZero();
        ConvertValue(stored, mode_, memory_.value_or(MakeZero()));
        CalcValue operand = MakeZero();
        ConvertValue(operand, mode_, current_);
        CalcValue result = MakeZero();
        BinaryOperators[op].Operation(stored, operand, result);
        ChangeMode(result, mode_);
        memory_ = result;
    } catch (...) {
        ReportFailure(std::current_exception(), std::nullopt);
        return false;
    }
    if (entry_ == EntryState::Entering)
        entry_ = EntryState::Computed;
    display_.MemoryChanged();
    return true;
}

bool Calculator::MemoryAdd() {
    return ChangeMemory(BinaryOp::Add);
}

bool Calculator::MemorySubtract() {
    return ChangeMemory(BinaryOp::Sub);
}

bool Calculator::MemoryRecall() {
    const Step step(*this);
    if (!memory_)
        return false;
    SetComputedValue(*memory_);
    return true;
}

void Calculator::MemoryClear() {
    const Step step(*this);
    if (!memory_)
        return;
    memory_.reset();
    display_.MemoryChanged();
}

void Calculator::SetMemory(const std::optional<CalcValue>& value) {
    const Step step(*this);
    memory_ = value;
    display_.MemoryChanged();
}

// ---- History tape -----------------------------------------------------------------------

// The values as the bars showed them: in the mode of the calculation.
void Calculator::AddTapeLine(TapeLineKind kind, std::string symbol,
                             std::optional<BinaryOp::Index> binary, const CalcValue& left,
                             const CalcValue& right, const CalcValue& result) {
    TapeLine line;
    line.Kind = kind;
    line.Operator = std::move(symbol);
    line.Binary = binary;
    line.Mode = mode_;
    const auto shown = [this](const CalcValue& value) {
        CalcValue converted = MakeZero();
        try {
            ConvertValue(converted, mode_, value);
        } catch (...) {
            return value;
        }
        return converted;
    };
    line.Left = shown(left);
    line.Right = shown(right);
    line.Result = shown(result);
    tape_.Add(std::move(line));
    display_.TapeChanged();
}

void Calculator::ClearTape() {
    tape_.Clear();
    display_.TapeChanged();
}

bool Calculator::RecallTapeLine(std::size_t index) {
    const TapeLine* line = tape_.At(index);
    if (line == nullptr)
        return false;
    const Step step(*this);
    const TapeLine recalled = *line;
    if (recalled.Mode != mode_)
        SetMode(recalled.Mode);
    SetComputedValue(recalled.Result);
    return true;
}

void Calculator::RestoreTape(std::vector<TapeLine> lines) {
    tape_.Clear();
    for (TapeLine& line : lines)
        tape_.Add(std::move(line));
    display_.TapeChanged();
}

} // namespace pexa
