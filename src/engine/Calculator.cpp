#include "engine/Calculator.h"

#include "conv/ConversionFactory.h"
#include "core/ModeWidth.h"
#include "enc/EncUnicode.h"
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

std::optional<BarKind> Calculator::InvalidEntryBar() const {
    if (entry_ != EntryState::Entering || !entryBar_)
        return std::nullopt;
    const Conversion* conversion = bars_.Find(*entryBar_);
    if (conversion == nullptr || conversion->GetTextState() != ConvTextState::Invalid)
        return std::nullopt;
    return entryBar_;
}

// The value such an entry hands out is only what its text reads as so far
// (a masked date, 0 for half a word): computing with it would report a
// number the user never entered.
bool Calculator::RefuseInvalidEntry() {
    const std::optional<BarKind> invalid = InvalidEntryBar();
    if (!invalid)
        return false;
    Refusal refusal;
    refusal.Kind = RefusalKind::InvalidEntry;
    refusal.Bar = *invalid;
    display_.OperationRefused(refusal);
    return true;
}

// ---- Showing values and failures -------------------------------------------

void Calculator::ReportFailure(std::exception_ptr failure, std::optional<BarKind> bar) {
    const Step step(*this);
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
    ForgetLogOf(bar);
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
    ForgetLogOf(bar);
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
    const Step step(*this);
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
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    return active && TypeInto(*active, ch, startNew, pasting, false);
}

// With deferSync the bar is neither redrawn nor are the other bars given the
// value: a paste does both once, at its end.
bool Calculator::TypeInto(BarKind bar, char ch, bool startNew, bool pasting, bool deferSync) {
    const bool newEntry = startNew || entry_ != EntryState::Entering;
    if (!CanTypeInto(bar, ch, newEntry, pasting))
        return false;
    return EnterInto(bar, newEntry, deferSync,
                     EntryInput{EntryInput::Kind::Char, static_cast<unsigned char>(ch)},
                     [ch](Conversion& c) { return c.InputChar(ch); });
}

template <class Input>
bool Calculator::EnterInto(BarKind bar, bool newEntry, bool deferSync, EntryInput logged,
                           Input input) {
    Conversion& conversion = *bars_.Find(bar);
    if (newEntry) {
        ClearBar(bar);
        if (entry_ == EntryState::Equalled)
            SetPendingOperator(std::nullopt);
        entry_ = EntryState::Entering;
    }
    entryBar_ = bar;
    // A bar takes nothing while it shows an error; the clear above took any
    // away, and a deferred character reaches only an entry started that way.
    const bool accepted = (deferSync || !bars_.HasError(bar)) && input(conversion);
    if (newEntry)
        log_ = EntryLog{bar, std::nullopt, {}};
    if (accepted)
        LogInput(bar, logged);
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
bool Calculator::ApplyPastedSign(Conversion& conversion) {
    if (!conversion.CanInputChar('-', false, true))
        return false;
    return conversion.InputChar('-');
}

namespace {

bool IsBlank(char32_t ch) {
    // A byte order mark has no place in a number either: it counts as a
    // blank, so that a text saved with one pastes as the number it holds.
    return ch == U' ' || ch == U'\t' || ch == U'\r' || ch == U'\n' || ch == U'\uFEFF';
}

bool IsCharacter(const PastedCharacter& pasted, char ch) {
    return pasted.Bytes && *pasted.Bytes == std::string(1, ch);
}

// The refusal of a paste, about the characters [begin, end).
Refusal PasteRefusal(RefusalKind kind, BarKind bar, std::size_t begin, std::size_t end) {
    Refusal refusal;
    refusal.Kind = kind;
    refusal.Bar = bar;
    refusal.TextBegin = begin;
    refusal.TextEnd = end;
    return refusal;
}

// The reading of the range that a number did not fit.
void DescribeRange(Refusal& refusal, const Conversion& conversion) {
    refusal.RangeName = conversion.RangeName();
    const CalcValueMode mode = conversion.GetMode();
    refusal.Signed =
        conversion.HasOption(ConvOption::Signed) && !IsFloatMode(mode) && !Is64BitMode(mode);
}

} // namespace

std::optional<Refusal> Calculator::TypePasted(Conversion& conversion,
                                              const std::vector<PastedCharacter>& text,
                                              std::size_t begin, std::size_t end, bool negative,
                                              std::vector<EntryInput>* inputs) const {
    const auto log = [inputs](char ch) {
        // One beyond the longest logged entry tells that it went beyond.
        if (inputs != nullptr && inputs->size() <= MaxLoggedInputs)
            inputs->push_back(EntryInput{EntryInput::Kind::Char, static_cast<unsigned char>(ch)});
    };
    const std::size_t first = negative ? begin + 1 : begin;
    const auto refuse = [&](RefusalKind kind, std::optional<std::size_t> at) {
        Refusal refusal = PasteRefusal(kind, conversion.GetKind(), begin, end);
        refusal.Offending = at;
        return refusal;
    };
    conversion.Clear();
    bool typed = false;
    for (std::size_t i = first; i < end; ++i) {
        if (!text[i].Bytes)
            return refuse(RefusalKind::NotOfNotation, i);
        for (const char byte : *text[i].Bytes) {
            if (conversion.IsIgnoredChar(byte))
                continue;
            if (!conversion.CanInputChar(byte, !typed, true))
                return refuse(RefusalKind::NotOfNotation, i);
            if (!conversion.InputChar(byte)) {
                // The digits of a negative number may only fit the signed
                // range once the sign is on ("-128" in a signed Byte bar):
                // put the sign on now and offer the digit again.
                const bool signedNow = negative && typed && ApplyPastedSign(conversion);
                if (signedNow) {
                    negative = false;
                    log('-');
                }
                if (!signedNow || !conversion.InputChar(byte)) {
                    switch (conversion.RefusalOf(byte)) {
                    case InputRefusal::NotOfNotation:
                        return refuse(RefusalKind::NotOfNotation, i);
                    case InputRefusal::TooManyDigits:
                    case InputRefusal::TooLong:
                    case InputRefusal::OutOfRange: {
                        const InputRefusal why = conversion.RefusalOf(byte);
                        const bool below = IsCharacter(text[begin], '-');
                        Refusal refusal =
                            refuse(why == InputRefusal::TooManyDigits ? RefusalKind::TooManyDigits
                                   : why == InputRefusal::TooLong     ? RefusalKind::TooLong
                                   : below                            ? RefusalKind::TooSmall
                                                                      : RefusalKind::TooLarge,
                                   std::nullopt);
                        DescribeRange(refusal, conversion);
                        return refusal;
                    }
                    }
                }
            }
            typed = true;
            log(byte);
        }
    }
    // Only characters the bar skips ("," in the decimal bar).
    if (!typed)
        return refuse(RefusalKind::NotOfNotation, std::nullopt);
    if (negative) {
        if (!ApplyPastedSign(conversion))
            return refuse(RefusalKind::NegativeUnsigned, std::nullopt);
        log('-');
    }
    // Every character went in, yet the text names nothing (a date that does
    // not exist in the mode, the start of a word).
    if (conversion.GetTextState() == ConvTextState::Invalid)
        return refuse(RefusalKind::NotOfNotation, std::nullopt);
    return std::nullopt;
}

// The pasted text is logged for undo as if typed; a long one (a stray file)
// is not: undo gives its value back as the bar shows a value, rather than
// keep megabytes in every step.
template <class Typing> void Calculator::ApplyPaste(BarKind bar, Typing typing) {
    if (entry_ == EntryState::Equalled)
        SetPendingOperator(std::nullopt);
    ForgetLogOf(bar);
    std::vector<EntryInput> inputs;
    typing(*bars_.Find(bar), inputs);
    if (inputs.size() <= MaxLoggedInputs)
        log_ = EntryLog{bar, std::nullopt, std::move(inputs)};
    entry_ = EntryState::Entering;
    entryBar_ = bar;
    display_.BarTextChanged(bar);
    SyncFromBar(bar);
    entry_ = EntryState::Computed;
    AddTapeLine(TapeLineKind::Paste, {}, std::nullopt, current_, current_, current_);
}

// The bar is redrawn and the other bars follow once, after the last
// character, which keeps a long clipboard text (a stray file, megabytes of
// zeros) fast.
PasteResult Calculator::PasteText(const std::vector<PastedCharacter>& text) {
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    if (text.empty())
        return {};
    if (!active)
        return PasteRefusal(RefusalKind::NotOfNotation, BarKind::Decimal, 0, text.size());
    if (bars_.HasError(*active))
        return PasteRefusal(RefusalKind::Blocked, *active, 0, text.size());
    Conversion& conversion = *bars_.Find(*active);
    std::size_t begin = 0;
    std::size_t end = text.size();
    // The character bar takes its text verbatim: blanks and signs are
    // characters there, not the frame and sign of a number.
    const bool readsNumber = !conversion.KeepsPastedBlanks();
    if (readsNumber) {
        while (begin < end && IsBlank(text[begin].Code))
            ++begin;
        while (end > begin && IsBlank(text[end - 1].Code))
            --end;
        if (begin == end)
            return PasteRefusal(RefusalKind::Blank, *active, 0, text.size());
        if (end - begin == 1 && (IsCharacter(text[begin], '-') || IsCharacter(text[begin], '+')))
            return PasteRefusal(RefusalKind::OnlySign, *active, begin, end);
    }
    const bool negative = readsNumber && end - begin > 1 && IsCharacter(text[begin], '-') &&
                          conversion.GetCapabilities().Contains(ConvOption::Signed) &&
                          !conversion.TakesPastedSignFirst();
    if (negative && !conversion.IsSigned())
        return PasteRefusal(RefusalKind::NegativeUnsigned, *active, begin, end);
    const std::unique_ptr<Conversion> trial = conversion.Clone();
    if (!trial)
        return PasteRefusal(RefusalKind::NotOfNotation, *active, begin, end);
    if (std::optional<Refusal> refusal = TypePasted(*trial, text, begin, end, negative))
        return *refusal;
    ApplyPaste(*active, [&](Conversion& real, std::vector<EntryInput>& inputs) {
        TypePasted(real, text, begin, end, negative, &inputs);
    });
    return {};
}

PasteResult Calculator::Paste(const std::vector<std::optional<std::string>>& characters) {
    std::vector<PastedCharacter> text;
    text.reserve(characters.size());
    for (const std::optional<std::string>& bytes : characters) {
        const bool ascii =
            bytes && bytes->size() == 1 && static_cast<unsigned char>((*bytes)[0]) < 0x80;
        text.push_back({ascii ? static_cast<char32_t>((*bytes)[0]) : U'\uFFFD', bytes});
    }
    return PasteText(text);
}

bool Calculator::TakesWholeCharacters() const {
    const std::optional<BarKind> active = bars_.Active();
    return active && bars_.Find(*active)->TakesWholeCharacters();
}

// Asked first, so that a character that cannot go in leaves the bar as it
// was instead of clearing it for a new entry.
bool Calculator::TypeCharacter(char32_t ch) {
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    if (!active || bars_.HasError(*active))
        return false;
    const bool newEntry = entry_ != EntryState::Entering;
    if (!bars_.Find(*active)->CanInputCharacter(ch, newEntry))
        return false;
    return EnterInto(*active, newEntry, false, EntryInput{EntryInput::Kind::Character, ch},
                     [ch](Conversion& c) { return c.InputCharacter(ch); });
}

std::optional<Refusal> Calculator::TypePastedCharacters(Conversion& conversion,
                                                        const std::u32string& text,
                                                        std::vector<EntryInput>* inputs) const {
    conversion.Clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!conversion.CanInputCharacter(text[i], i == 0) || !conversion.InputCharacter(text[i])) {
            Refusal refusal = PasteRefusal(IsScalarValue(text[i]) ? RefusalKind::TooLong
                                                                  : RefusalKind::NotOfNotation,
                                           conversion.GetKind(), 0, text.size());
            refusal.Offending = i;
            DescribeRange(refusal, conversion);
            return refusal;
        }
        if (inputs != nullptr && inputs->size() <= MaxLoggedInputs)
            inputs->push_back(EntryInput{EntryInput::Kind::Character, text[i]});
    }
    return std::nullopt;
}

PasteResult Calculator::PasteCharacters(const std::u32string& text) {
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    if (text.empty())
        return {};
    if (!active || !bars_.Find(*active)->TakesWholeCharacters())
        return PasteRefusal(RefusalKind::NotOfNotation, active.value_or(BarKind::Char), 0,
                            text.size());
    if (bars_.HasError(*active))
        return PasteRefusal(RefusalKind::Blocked, *active, 0, text.size());
    const std::unique_ptr<Conversion> trial = bars_.Find(*active)->Clone();
    if (!trial)
        return PasteRefusal(RefusalKind::NotOfNotation, *active, 0, text.size());
    if (std::optional<Refusal> refusal = TypePastedCharacters(*trial, text))
        return *refusal;
    ApplyPaste(*active, [&](Conversion& real, std::vector<EntryInput>& inputs) {
        TypePastedCharacters(real, text, &inputs);
    });
    return {};
}

void Calculator::ToggleSign() {
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    if (entry_ == EntryState::Entering && active && bars_.Find(*active)->CanToggleSign() &&
        CanType('-', false, false))
        Type('-', false, false);
    else
        ApplyUnary(UnaryOp::Negate);
}

void Calculator::BackSpace() {
    const Step step(*this);
    const std::optional<BarKind> active = bars_.Active();
    if (entry_ != EntryState::Entering || !active || bars_.HasError(*active))
        return;
    Conversion& conversion = *bars_.Find(*active);
    if (!conversion.CanBackspace() || !conversion.Backspace())
        return;
    LogInput(*active, EntryInput{EntryInput::Kind::Backspace, 0});
    display_.BarTextChanged(*active);
    SyncFromBar(active);
}

// ---- Operators and evaluation -----------------------------------------------

void Calculator::PressOperator(BinaryOp::Index op) {
    const Step step(*this);
    if (IsBlocked() || RefuseInvalidEntry())
        return;
    if (entry_ == EntryState::Entering || entry_ == EntryState::Computed)
        Evaluate(false);
    entry_ = EntryState::Idle;
    SetPendingOperator(op);
}

void Calculator::Evaluate(bool isEquals) {
    const Step step(*this);
    if (IsBlocked() || RefuseInvalidEntry())
        return;
    if (pending_) {
        if (entry_ == EntryState::Entering || entry_ == EntryState::Computed)
            operand_ = current_;
        try {
            CalcValue result = MakeZero();
            BinaryOperators[*pending_].Operation(accumulator_, operand_, result);
            const CalcValue left = accumulator_;
            accumulator_ = result;
            AddTapeLine(TapeLineKind::Binary, BinaryOperators[*pending_].Symbol, *pending_, left,
                        operand_, result);
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
    const Step step(*this);
    if (RefuseInvalidEntry())
        return;
    Evaluate(true);
    answer_ = accumulator_;
}

void Calculator::RecallAnswer() {
    const Step step(*this);
    SetComputedValue(answer_);
}

void Calculator::EnterExpressionResult(std::string expression, const CalcValue& value) {
    const Step step(*this);
    SetComputedValue(value);
    AddTapeLine(TapeLineKind::Expression, std::move(expression), std::nullopt, value, value, value);
}

void Calculator::EnterPi() {
    const Step step(*this);
    // The 80-bit pi: mantissa C90FDAA22168C235, biased exponent 4000 (hex).
    SetComputedValue(MakeReal(CalcValueMode::Float, PiValue));
}

void Calculator::Clear(bool all) {
    const Step step(*this);
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
    const Step step(*this);
    if (op && (*op < 0 || *op >= BinaryOperatorCount))
        op.reset();
    pending_ = op;
    display_.PendingOperatorChanged();
}

// ---- Functions ------------------------------------------------------------

template <class Operation>
bool Calculator::ApplyInPlace(Operation operation, std::optional<std::string> symbol) {
    if (IsBlocked() || RefuseInvalidEntry())
        return false;
    const CalcValue argument = current_;
    bool done = false;
    try {
        operation(current_);
        done = true;
    } catch (...) {
        ReportFailure(std::current_exception(), std::nullopt);
    }
    if (done) {
        ShowValue(current_);
        if (symbol)
            AddTapeLine(TapeLineKind::Unary, std::move(*symbol), std::nullopt, argument, argument,
                        current_);
    }
    entry_ = EntryState::Computed;
    return done;
}

void Calculator::ApplyUnary(UnaryOp::Index op) {
    const Step step(*this);
    ApplyInPlace([op](CalcValue& value) { UnaryOperators[op].Operation(value); },
                 UnaryOperators[op].Symbol);
}

// On the tape as the binary operation the key stands for, by the amount.
void Calculator::ShiftByAmount(int direction) {
    const Step step(*this);
    const int count = direction >= 0 ? options_.ShiftAmount() : -options_.ShiftAmount();
    const bool rotate = options_.RotationInEffect(mode_);
    const bool arithmetic = options_.ArithmeticShiftInEffect(mode_);
    const BinaryOp::Index op =
        direction >= 0 ? options_.ShiftLeftOperator(mode_) : options_.ShiftRightOperator(mode_);
    const CalcValue argument = current_;
    if (ApplyInPlace([=](CalcValue& value) { ShiftValue(value, count, rotate, arithmetic); },
                     std::nullopt))
        AddTapeLine(TapeLineKind::Binary, BinaryOperators[op].Symbol, op, argument,
                    MakeReal(mode_, options_.ShiftAmount()), current_);
}

void Calculator::ApplyTrig(TrigFunctionKind kind, bool inverse) {
    const Step step(*this);
    const bool hyperbolic = options_.Hyperbolic();
    const AngleUnit unit = options_.Angle();
    ApplyInPlace(
        [=](CalcValue& value) {
            if (inverse)
                InverseTrigFunction(value, kind, hyperbolic, unit);
            else
                TrigFunction(value, kind, hyperbolic, unit);
        },
        TrigFunctionCaption(kind, inverse, hyperbolic));
}

// A bit edit, not a calculation: the tape is not told.
bool Calculator::FlipBit(int bit) {
    const Step step(*this);
    if (IsBlocked() || IsFloatMode(mode_) || bit < 0 || bit >= BitCountOf(mode_) ||
        RefuseInvalidEntry())
        return false;
    const CalcValueMode mode = mode_;
    ApplyInPlace(
        [=](CalcValue& value) {
            SetInteger(value, mode, GetInteger(value) ^ (std::int64_t{1} << bit));
        },
        std::nullopt);
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
    const Step step(*this);
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
            ForgetLogOf(bar);
            bars_.Find(bar)->SetMode(mode);
            display_.BarReadingChanged(bar);
        } catch (...) {
            ReportFailure(std::current_exception(), bar);
        }
    }
}

void Calculator::SetSigned(bool on) {
    const Step step(*this);
    signed_ = on;
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        Conversion& conversion = *bars_.Find(bar);
        if (conversion.GetCapabilities().Contains(ConvOption::Signed)) {
            // Only a change rewrites the bar's text.
            if (conversion.HasOption(ConvOption::Signed) != on)
                ForgetLogOf(bar);
            conversion.SetOption(ConvOption::Signed, on);
            display_.BarReadingChanged(bar);
        }
    }
}

void Calculator::SetReversed(bool on) {
    const Step step(*this);
    reversed_ = on;
    for (int i = 0; i < bars_.Count(); ++i) {
        const BarKind bar = bars_.KindAt(i);
        Conversion& conversion = *bars_.Find(bar);
        if (conversion.GetCapabilities().Contains(ConvOption::ReverseEndian)) {
            // Only a change rewrites the bar's text.
            if (conversion.HasOption(ConvOption::ReverseEndian) != on)
                ForgetLogOf(bar);
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

void Calculator::BarSettingsChanged(BarKind kind) {
    ForgetLogOf(kind);
    undo_.ForgetEntriesOf(kind);
}

// A bar opened again is a new conversion, with settings of its own: the
// entries typed into the closed one are not replayed into it.
std::unique_ptr<Conversion> Calculator::CloseBar(BarKind kind) {
    ForgetLogOf(kind);
    undo_.ForgetEntriesOf(kind);
    return bars_.Remove(kind);
}

} // namespace pexa
