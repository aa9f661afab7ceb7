#include "engine/Calculator.h"

#include "conv/ConversionFactory.h"
#include "core/ModeWidth.h"
#include "engine/CalculatorDisplay.h"

#include <cstdint>
#include <utility>

namespace pexa {

Calculator::Calculator(CalculatorDisplay& display) : display_(display), bars_(display) {}

// ---- State --------------------------------------------------------------------

std::string Calculator::PendingOperatorSymbol() const {
    if (!pending_ || entry_ == EntryState::Equalled)
        return {};
    return BinaryOperators[*pending_].Symbol;
}

bool Calculator::IsBlocked() const {
    const std::optional<BarKind> active = bars_.Active();
    return active && bars_.HasError(*active);
}

// ---- Showing values and failures -------------------------------------------

void Calculator::ReportFailure(std::exception_ptr failure, std::optional<BarKind> bar) {
    std::optional<CalcErrorKind> kind;
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const CalcError& error) {
        kind = error.Kind();
    } catch (...) {
    }
    if (bar) {
        bars_.SetError(*bar, kind);
        return;
    }
    for (int i = 0; i < bars_.Count(); ++i)
        bars_.SetError(bars_.KindAt(i), kind);
}

// Like typing, a new value takes away the bar's error first.
void Calculator::SetBarValue(BarKind bar, const CalcValue& value) {
    Conversion* conversion = bars_.Find(bar);
    if (conversion == nullptr)
        return;
    try {
        if (bars_.HasError(bar))
            bars_.SetError(bar, std::nullopt);
        conversion->SetValue(value);
        display_.BarTextChanged(bar);
    } catch (...) {
        ReportFailure(std::current_exception(), bar);
    }
}

void Calculator::ClearBar(BarKind bar) {
    Conversion* conversion = bars_.Find(bar);
    if (conversion == nullptr)
        return;
    conversion->Clear();
    if (bars_.HasError(bar))
        bars_.SetError(bar, std::nullopt);
    else
        display_.BarTextChanged(bar);
}

void Calculator::ShowValue(const CalcValue& value) {
    // A copy: the value may be one of the calculator's own registers.
    const CalcValue shown = value;
    try {
        CalcValue converted = MakeZero();
        ConvertValue(converted, mode_, shown);
        current_ = converted;
    } catch (...) {
        ReportFailure(std::current_exception(), std::nullopt);
    }
    for (int i = 0; i < bars_.Count(); ++i)
        SetBarValue(bars_.KindAt(i), shown);
}

void Calculator::SetComputedValue(const CalcValue& value) {
    ShowValue(value);
    entry_ = EntryState::Computed;
}

void Calculator::SyncFromBar(std::optional<BarKind> edited) {
    if (edited) {
        if (Conversion* conversion = bars_.Find(*edited)) {
            try {
                current_ = conversion->GetValue();
            } catch (...) {
                ReportFailure(std::current_exception(), edited);
            }
        }
    }
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind other = bars_.KindAt(i);
        if (other != edited)
            SetBarValue(other, current_);
    }
}

// ---- Entry --------------------------------------------------------------------

bool Calculator::CanTypeInto(BarKind bar, char ch, bool newEntry, bool pasting) const {
    const Conversion* conversion = bars_.Find(bar);
    return conversion != nullptr && !bars_.HasError(bar) &&
           conversion->CanInputChar(ch, newEntry, pasting);
}

bool Calculator::CanType(char ch, bool startNew, bool pasting) const {
    const std::optional<BarKind> active = bars_.Active();
    const bool newEntry = startNew || entry_ != EntryState::Entering;
    return active && CanTypeInto(*active, ch, newEntry, pasting);
}

bool Calculator::Type(char ch, bool startNew, bool pasting) {
    const std::optional<BarKind> active = bars_.Active();
    return active && TypeInto(*active, ch, startNew, pasting, false);
}

// With deferSync the bar is neither redrawn nor are the other bars given the
// value: a paste does both once, at its end.
bool Calculator::TypeInto(BarKind bar, char ch, bool startNew, bool pasting, bool deferSync) {
    const bool newEntry = startNew || entry_ != EntryState::Entering;
    if (!CanTypeInto(bar, ch, newEntry, pasting))
        return false;
    return EnterInto(bar, newEntry, deferSync, [ch](Conversion& c) { return c.InputChar(ch); });
}

template <class Input>
bool Calculator::EnterInto(BarKind bar, bool newEntry, bool deferSync, Input input) {
    Conversion& conversion = *bars_.Find(bar);
    if (newEntry) {
        ClearBar(bar);
        if (entry_ == EntryState::Equalled)
            SetPendingOperator(std::nullopt);
        entry_ = EntryState::Entering;
    }
    // A bar takes nothing while it shows an error; the clear above took any
    // away, and a deferred character reaches only an entry started that way.
    const bool accepted = (deferSync || !bars_.HasError(bar)) && input(conversion);
    if (accepted && !deferSync)
        display_.BarTextChanged(bar);
    if (!newEntry && !accepted)
        return false;
    if (!deferSync)
        SyncFromBar(bar);
    return true;
}

bool Calculator::IsIgnoredInPaste(char ch) const {
    const std::optional<BarKind> active = bars_.Active();
    return active && bars_.Find(*active)->IsIgnoredChar(ch);
}

// Toggles the sign of the entry a paste has typed so far, as the "-" key does.
bool Calculator::ApplyPastedSign(Conversion& conversion) const {
    if (!conversion.CanInputChar('-', false, true))
        return false;
    return conversion.InputChar('-');
}

// Every character goes through the same acceptance test as a typed one. The
// bar is redrawn and the other bars follow once, after the last character,
// which keeps a long clipboard text (a stray file, megabytes of zeros) fast.
bool Calculator::Paste(const std::vector<std::optional<std::string>>& characters) {
    const std::optional<BarKind> active = bars_.Active();
    Conversion* conversion = active ? bars_.Find(*active) : nullptr;
    size_t start = 0;
    bool negative = false;
    if (characters.size() > 1 && characters.front() == std::string("-") && conversion != nullptr &&
        conversion->GetCapabilities().Contains(ConvOption::Signed) &&
        !conversion->TakesPastedSignFirst()) {
        start = 1;
        negative = true;
    }
    bool typed = false;
    bool refused = false;
    bool stopped = false;
    for (size_t i = start; i < characters.size() && !refused && !stopped; ++i) {
        if (!characters[i]) {
            refused = true;
            break;
        }
        for (const char byte : *characters[i]) {
            if (IsIgnoredInPaste(byte))
                continue;
            if (!CanType(byte, !typed, true)) {
                refused = true;
                break;
            }
            if (!TypeInto(*active, byte, !typed, true, true)) {
                // The digits of a negative number may only fit the signed
                // range once the sign is on ("-128" in a signed Byte bar):
                // put the sign on now and offer the digit again.
                if (!(negative && typed && ApplyPastedSign(*conversion))) {
                    stopped = true;
                    break;
                }
                negative = false;
                if (!TypeInto(*active, byte, false, true, true)) {
                    stopped = true;
                    break;
                }
            }
            typed = true;
        }
    }
    if (typed) {
        display_.BarTextChanged(*active);
        SyncFromBar(active);
        if (negative)
            Type('-', false, true);
        entry_ = EntryState::Computed;
    }
    return !refused;
}

bool Calculator::TakesWholeCharacters() const {
    const std::optional<BarKind> active = bars_.Active();
    return active && bars_.Find(*active)->TakesWholeCharacters();
}

// Asked first, so that a character that cannot go in leaves the bar as it
// was instead of clearing it for a new entry.
bool Calculator::TypeCharacter(char32_t ch) {
    const std::optional<BarKind> active = bars_.Active();
    if (!active || bars_.HasError(*active))
        return false;
    const bool newEntry = entry_ != EntryState::Entering;
    if (!bars_.Find(*active)->CanInputCharacter(ch, newEntry))
        return false;
    return EnterInto(*active, newEntry, false,
                     [ch](Conversion& c) { return c.InputCharacter(ch); });
}

bool Calculator::PasteCharacters(const std::u32string& text) {
    const std::optional<BarKind> active = bars_.Active();
    if (!active || !bars_.Find(*active)->TakesWholeCharacters())
        return text.empty();
    Conversion& conversion = *bars_.Find(*active);
    bool typed = false;
    bool refused = false;
    for (const char32_t ch : text) {
        if (!conversion.CanInputCharacter(ch, !typed) || (typed && bars_.HasError(*active))) {
            refused = true;
            break;
        }
        EnterInto(*active, !typed, true, [ch](Conversion& c) { return c.InputCharacter(ch); });
        typed = true;
    }
    if (typed) {
        display_.BarTextChanged(*active);
        SyncFromBar(active);
        entry_ = EntryState::Computed;
    }
    return !refused;
}

void Calculator::ToggleSign() {
    const std::optional<BarKind> active = bars_.Active();
    if (entry_ == EntryState::Entering && active && bars_.Find(*active)->CanToggleSign() &&
        CanType('-', false, false))
        Type('-', false, false);
    else
        ApplyUnary(UnaryOp::Negate);
}

void Calculator::BackSpace() {
    const std::optional<BarKind> active = bars_.Active();
    if (entry_ != EntryState::Entering || !active || bars_.HasError(*active))
        return;
    Conversion& conversion = *bars_.Find(*active);
    if (!conversion.CanBackspace() || !conversion.Backspace())
        return;
    display_.BarTextChanged(*active);
    SyncFromBar(active);
}

// ---- Operators and evaluation -----------------------------------------------

void Calculator::PressOperator(BinaryOp::Index op) {
    if (IsBlocked())
        return;
    if (entry_ == EntryState::Entering || entry_ == EntryState::Computed)
        Evaluate(false);
    entry_ = EntryState::Idle;
    SetPendingOperator(op);
}

void Calculator::Evaluate(bool isEquals) {
    if (IsBlocked())
        return;
    if (pending_) {
        if (entry_ == EntryState::Entering || entry_ == EntryState::Computed)
            operand_ = current_;
        try {
            CalcValue result = MakeZero();
            BinaryOperators[*pending_].Operation(accumulator_, operand_, result);
            accumulator_ = result;
        } catch (...) {
            ReportFailure(std::current_exception(), std::nullopt);
        }
    } else {
        accumulator_ = current_;
        operand_ = current_;
    }
    if (!IsBlocked())
        ShowValue(accumulator_);
    if (isEquals) {
        entry_ = EntryState::Equalled;
        display_.PendingOperatorChanged();
    } else {
        entry_ = EntryState::Idle;
    }
}

void Calculator::Equal() {
    Evaluate(true);
    answer_ = accumulator_;
}

void Calculator::RecallAnswer() {
    SetComputedValue(answer_);
}

void Calculator::EnterPi() {
    // The 80-bit pi: mantissa C90FDAA22168C235, biased exponent 4000 (hex).
    SetComputedValue(MakeReal(CalcValueMode::Float, PiValue));
}

void Calculator::Clear(bool all) {
    current_ = MakeZero();
    operand_ = MakeZero();
    for (int i = 0; i < bars_.Count(); ++i)
        ClearBar(bars_.KindAt(i));
    if (all) {
        accumulator_ = MakeZero();
        SetPendingOperator(std::nullopt);
    }
    SyncFromBar(std::nullopt);
    entry_ = EntryState::Idle;
}

void Calculator::SetPendingOperator(std::optional<BinaryOp::Index> op) {
    if (op && (*op < 0 || *op >= BinaryOperatorCount))
        op.reset();
    pending_ = op;
    display_.PendingOperatorChanged();
}

// ---- Functions ------------------------------------------------------------

template <class Operation> void Calculator::ApplyInPlace(Operation operation) {
    if (IsBlocked())
        return;
    bool done = false;
    try {
        operation(current_);
        done = true;
    } catch (...) {
        ReportFailure(std::current_exception(), std::nullopt);
    }
    if (done)
        ShowValue(current_);
    entry_ = EntryState::Computed;
}

void Calculator::ApplyUnary(UnaryOp::Index op) {
    ApplyInPlace([op](CalcValue& value) { UnaryOperators[op].Operation(value); });
}

void Calculator::ShiftByAmount(int direction) {
    const int count = direction >= 0 ? options_.ShiftAmount() : -options_.ShiftAmount();
    const bool rotate = options_.RotationInEffect(mode_);
    const bool arithmetic = options_.ArithmeticShiftInEffect(mode_);
    ApplyInPlace([=](CalcValue& value) { ShiftValue(value, count, rotate, arithmetic); });
}

void Calculator::ApplyTrig(TrigFunctionKind kind, bool inverse) {
    const bool hyperbolic = options_.Hyperbolic();
    const AngleUnit unit = options_.Angle();
    ApplyInPlace([=](CalcValue& value) {
        if (inverse)
            InverseTrigFunction(value, kind, hyperbolic, unit);
        else
            TrigFunction(value, kind, hyperbolic, unit);
    });
}

bool Calculator::FlipBit(int bit) {
    if (IsBlocked() || IsFloatMode(mode_) || bit < 0 || bit >= BitCountOf(mode_))
        return false;
    const CalcValueMode mode = mode_;
    ApplyInPlace([=](CalcValue& value) {
        SetInteger(value, mode, GetInteger(value) ^ (std::int64_t{1} << bit));
    });
    return true;
}

int ValueBitShownAt(int shownBit, CalcValueMode mode, bool reversed) {
    if (IsFloatMode(mode) || shownBit < 0 || shownBit >= BitCountOf(mode))
        return -1;
    if (!reversed || !IsMultiByteMode(mode))
        return shownBit;
    const int shownByte = shownBit / 8;
    return (ByteCountOf(mode) - 1 - shownByte) * 8 + shownBit % 8;
}

// ---- Modes and options ------------------------------------------------------

void Calculator::SetMode(CalcValueMode mode) {
    mode_ = mode;
    try {
        CalcValue changed = current_;
        ChangeMode(changed, mode);
        current_ = changed;
    } catch (...) {
        ReportFailure(std::current_exception(), std::nullopt);
    }
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        try {
            bars_.Find(bar)->SetMode(mode);
            display_.BarReadingChanged(bar);
        } catch (...) {
            ReportFailure(std::current_exception(), bar);
        }
    }
}

void Calculator::SetSigned(bool on) {
    signed_ = on;
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        Conversion& conversion = *bars_.Find(bar);
        if (conversion.GetCapabilities().Contains(ConvOption::Signed)) {
            conversion.SetOption(ConvOption::Signed, on);
            display_.BarReadingChanged(bar);
        }
    }
}

void Calculator::SetReversed(bool on) {
    reversed_ = on;
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        Conversion& conversion = *bars_.Find(bar);
        if (conversion.GetCapabilities().Contains(ConvOption::ReverseEndian)) {
            conversion.SetOption(ConvOption::ReverseEndian, on);
            display_.BarReadingChanged(bar);
        }
    }
}

// ---- Bars ---------------------------------------------------------------------

bool CanOpenBarKind(BarKind kind) {
    return CreateConv(static_cast<int>(kind)) != nullptr;
}

Conversion* Calculator::OpenBar(BarKind kind) {
    if (bars_.IsOpen(kind))
        return nullptr;
    std::unique_ptr<Conversion> created = CreateConv(static_cast<int>(kind));
    if (created == nullptr)
        return nullptr;
    bars_.Add(std::move(created));
    Conversion& conversion = *bars_.Find(kind);
    try {
        conversion.SetMode(mode_);
    } catch (...) {
        ReportFailure(std::current_exception(), kind);
    }
    if (conversion.GetCapabilities().Contains(ConvOption::Signed))
        conversion.SetOption(ConvOption::Signed, signed_);
    if (conversion.GetCapabilities().Contains(ConvOption::ReverseEndian))
        conversion.SetOption(ConvOption::ReverseEndian, reversed_);
    SetBarValue(kind, current_);
    return &conversion;
}

std::unique_ptr<Conversion> Calculator::CloseBar(BarKind kind) {
    return bars_.Remove(kind);
}

} // namespace pexa
