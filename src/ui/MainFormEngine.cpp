// The calculator engine of the main window: entry state, pending operator,
// evaluation, functions, modes and options, and the commands that run them.

#include "ui/MainForm.h"

#include "core/CalcArithmetic.h"
#include "core/CalcConvCommonDef.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/CalcBar.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionList.h"

namespace pexa {

namespace {

struct BinaryCommand {
    const char* Action;
    BinaryOp::Index Op;
};
// The shift commands are not here: what they do depends on the options.
constexpr BinaryCommand BinaryCommands[] = {
    {"ActOpAdd", BinaryOp::Add},   {"ActOpSub", BinaryOp::Sub},   {"ActOpMul", BinaryOp::Mul},
    {"ActOpDiv", BinaryOp::Div},   {"ActOpMod", BinaryOp::Mod},   {"ActOpAnd", BinaryOp::And},
    {"ActOpOr", BinaryOp::Or},     {"ActOpXor", BinaryOp::Xor},   {"ActOpPower", BinaryOp::Power},
    {"ActOpRoot", BinaryOp::Root}, {"ActOpLogN", BinaryOp::LogN},
};

struct UnaryCommand {
    const char* Action;
    UnaryOp::Index Op;
};
constexpr UnaryCommand UnaryCommands[] = {
    {"ActOpNot", UnaryOp::Not},
    {"ActOpReverse", UnaryOp::ReverseByteOrder},
    {"ActOpBitReverse", UnaryOp::ReverseBitOrder},
    {"ActOpIntFloor", UnaryOp::Floor},
    {"ActOpIntCeil", UnaryOp::Ceil},
    {"ActOpIntRound", UnaryOp::Round},
    {"ActOpFrac", UnaryOp::Frac},
    {"ActOpSquare", UnaryOp::Square},
    {"ActOpSqrt", UnaryOp::Sqrt},
    {"ActOpInvert", UnaryOp::Reciprocal},
    {"ActOpFactorial", UnaryOp::Factorial},
    {"ActOpLogE", UnaryOp::Ln},
    {"ActOpLog2", UnaryOp::Log2},
    {"ActOpLog10", UnaryOp::Log10},
    {"ActOpExpE", UnaryOp::Exp},
    {"ActOpExp2", UnaryOp::Exp2},
    {"ActOpExp10", UnaryOp::Exp10},
};

constexpr const char* DigitActions[] = {
    "ActDigit0", "ActDigit1", "ActDigit2", "ActDigit3", "ActDigit4",    "ActDigit5",
    "ActDigit6", "ActDigit7", "ActDigit8", "ActDigit9", "ActDigitA",    "ActDigitB",
    "ActDigitC", "ActDigitD", "ActDigitE", "ActDigitF", "ActDegreeSep",
};

// Enabled only in these modes.
constexpr const char* FloatOnlyActions[] = {
    "ActOpIntFloor", "ActOpIntCeil", "ActOpIntRound", "ActOpFrac",   "ActOpInvert", "ActPi",
    "ActOpSin",      "ActOpCos",     "ActOpTan",      "ActOpArcSin", "ActOpArcCos", "ActOpArcTan",
};

constexpr const char* ModeActions[] = {"ActModeByte", "ActModeWord", "ActModeDWord", "ActModeQWord",
                                       "ActModeFloat"};
constexpr const char* AngleActions[] = {"ActTriModeDeg", "ActTriModeRad", "ActTriModeGrad"};
constexpr const char* ShiftAmountActions[] = {
    "ActShiftAmount1", "ActShiftAmount2", "ActShiftAmount4", "ActShiftAmount8", "ActShiftAmount16"};

struct TrigCommand {
    const char* Action;
    bool Inverse;
};
constexpr TrigCommand TrigCommands[] = {
    {"ActOpSin", false},   {"ActOpCos", false},   {"ActOpTan", false},
    {"ActOpArcSin", true}, {"ActOpArcCos", true}, {"ActOpArcTan", true},
};

char TagChar(const TAction& action) {
    return static_cast<char>(action.Tag());
}

// 80-bit pi: mantissa C90FDAA22168C235, biased exponent 4000 (hex).
CalcValue PiFloatValue() {
    return MakeReal(CalcValueMode::Float, PiValue);
}

} // namespace

// ---- Typing ----------------------------------------------------------------

bool TForm_Main::CanTypeChar(char ch, bool startNew, bool pasting) const {
    const bool newEntry = startNew || state_ != EntryState::Entering;
    const TCalcBar* bar = ActiveBar();
    return bar != nullptr && bar->CanInputChar(ch, newEntry, pasting);
}

bool TForm_Main::TypeChar(char ch, bool startNew, bool pasting) {
    TCalcBar* bar = ActiveBar();
    if (bar == nullptr)
        return false;
    return TypeCharInto(*bar, ch, startNew, pasting, false);
}

// With deferSync the bar is neither redrawn nor are the other bars given the
// value: a paste does both once, at its end.
bool TForm_Main::TypeCharInto(TCalcBar& bar, char ch, bool startNew, bool pasting, bool deferSync) {
    const bool newEntry = startNew || state_ != EntryState::Entering;
    if (!bar.CanInputChar(ch, newEntry, pasting))
        return false;
    if (newEntry) {
        bar.Clear();
        if (state_ == EntryState::Equalled)
            SetPendingOp(NoOp);
        state_ = EntryState::Entering;
    }
    // The bar accepts nothing while it shows a message; Clear above removed
    // any, and a deferred character reaches only an entry started that way.
    const bool accepted = deferSync ? bar.Conv().InputChar(ch) : bar.InputChar(ch);
    if (!newEntry && !accepted)
        return false;
    if (!deferSync)
        SyncFromBar(&bar);
    return true;
}

bool TForm_Main::IsPasteIgnored(char ch) const {
    const TCalcBar* bar = ActiveBar();
    return bar != nullptr && bar->IsIgnoredChar(ch);
}

void TForm_Main::SyncFromBar(TCalcBar* bar) {
    if (bar != nullptr) {
        try {
            currentValue_ = bar->GetValue();
        } catch (...) {
            ShowCalcError(std::current_exception(), bar);
        }
    }
    for (int i = 0; i < BarCount(); ++i) {
        TCalcBar* other = BarAt(i);
        if (other == bar)
            continue;
        try {
            other->SetValue(currentValue_);
        } catch (...) {
            ShowCalcError(std::current_exception(), other);
        }
    }
}

void TForm_Main::BackSpace() {
    TCalcBar* bar = ActiveBar();
    if (state_ != EntryState::Entering || bar == nullptr || !bar->CanBackspace())
        return;
    if (bar->Backspace())
        SyncFromBar(bar);
}

// ---- Operators and evaluation -----------------------------------------------

void TForm_Main::PressOperator(BinaryOp::Index op) {
    if (IsBlocked())
        return;
    if (state_ == EntryState::Entering || state_ == EntryState::Computed)
        Evaluate(false);
    state_ = EntryState::Idle;
    SetPendingOp(op);
}

void TForm_Main::Evaluate(bool isEquals) {
    if (IsBlocked())
        return;
    if (pendingOp_ != NoOp) {
        if (state_ == EntryState::Entering || state_ == EntryState::Computed)
            operandValue_ = currentValue_;
        try {
            CalcValue result = MakeZero();
            BinaryOperators[pendingOp_].Operation(accumValue_, operandValue_, result);
            accumValue_ = result;
        } catch (...) {
            ShowCalcError(std::current_exception(), nullptr);
        }
    } else {
        accumValue_ = currentValue_;
        operandValue_ = currentValue_;
    }
    if (!IsBlocked())
        ShowValue(accumValue_);
    if (isEquals) {
        state_ = EntryState::Equalled;
        RefreshOperatorText();
    } else {
        state_ = EntryState::Idle;
    }
}

void TForm_Main::Equal() {
    Evaluate(true);
    answerValue_ = accumValue_;
}

void TForm_Main::RecallAnswer() {
    SetComputedValue(answerValue_);
}

void TForm_Main::EnterPi() {
    SetComputedValue(PiFloatValue());
}

// ---- Functions ------------------------------------------------------------

template <class Operation> void TForm_Main::ApplyInPlace(Operation operation) {
    if (IsBlocked())
        return;
    bool done = false;
    try {
        operation(currentValue_);
        done = true;
    } catch (...) {
        ShowCalcError(std::current_exception(), nullptr);
    }
    if (done)
        ShowValue(currentValue_);
    state_ = EntryState::Computed;
}

void TForm_Main::ApplyUnary(UnaryOp::Index op) {
    ApplyInPlace([op](CalcValue& value) { UnaryOperators[op].Operation(value); });
}

void TForm_Main::ShiftByAmount(int direction) {
    const int count = direction >= 0 ? shiftAmount_ : -shiftAmount_;
    const bool rotate = RotationInEffect();
    const bool arithmetic = ArithmeticShiftInEffect();
    ApplyInPlace([=](CalcValue& value) { ShiftValue(value, count, rotate, arithmetic); });
}

void TForm_Main::ApplyTrig(TrigFunctionKind kind, bool inverse) {
    const bool hyperbolic = hyp_;
    const AngleUnit unit = angleMode_;
    ApplyInPlace([=](CalcValue& value) {
        if (inverse)
            InverseTrigFunction(value, kind, hyperbolic, unit);
        else
            TrigFunction(value, kind, hyperbolic, unit);
    });
}

void TForm_Main::ToggleSign() {
    const TCalcBar* bar = ActiveBar();
    if (state_ == EntryState::Entering && bar != nullptr && bar->CanToggleSign() &&
        CanTypeChar('-', false, false))
        TypeChar('-', false, false);
    else
        ApplyUnary(UnaryOp::Negate);
}

// ---- Showing values and failures --------------------------------------------

void TForm_Main::ShowValue(const CalcValue& value) {
    // A copy: the value may be one of the engine's own registers.
    const CalcValue shown = value;
    try {
        CalcValue converted = MakeZero();
        ConvertValue(converted, calcMode_, shown);
        currentValue_ = converted;
    } catch (...) {
        ShowCalcError(std::current_exception(), nullptr);
    }
    for (int i = 0; i < BarCount(); ++i) {
        TCalcBar* bar = BarAt(i);
        try {
            bar->SetValue(shown);
        } catch (...) {
            ShowCalcError(std::current_exception(), bar);
        }
    }
}

void TForm_Main::SetComputedValue(const CalcValue& value) {
    ShowValue(value);
    state_ = EntryState::Computed;
}

QString TForm_Main::CalcErrorText(std::exception_ptr failure) {
    if (!failure)
        return {};
    try {
        std::rethrow_exception(failure);
    } catch (const CalcError& error) {
        return QString::fromUtf8(CalcErrorMessage(error.Kind()));
    } catch (...) {
        return {};
    }
}

void TForm_Main::ShowCalcError(std::exception_ptr failure, TCalcBar* bar) {
    const QString message = CalcErrorText(failure);
    if (bar != nullptr) {
        bar->SetMessageText(message);
        return;
    }
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetMessageText(message);
}

bool TForm_Main::IsBlocked() const {
    const TCalcBar* bar = ActiveBar();
    return bar != nullptr && bar->HasMessage();
}

void TForm_Main::ClearCalc(bool all) {
    currentValue_ = MakeZero();
    operandValue_ = MakeZero();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->Clear();
    if (all) {
        accumValue_ = MakeZero();
        SetPendingOp(NoOp);
    }
    SyncFromBar(nullptr);
    state_ = EntryState::Idle;
}

QString TForm_Main::OperatorText() const {
    if (pendingOp_ == NoOp || state_ == EntryState::Equalled)
        return {};
    return QString::fromLatin1(BinaryOperators[pendingOp_].Symbol);
}

void TForm_Main::SetPendingOp(int op) {
    pendingOp_ = (op >= 0 && op < BinaryOperatorCount) ? op : NoOp;
    RefreshOperatorText();
}

void TForm_Main::RefreshOperatorText() {
    const QString text = OperatorText();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetOperatorText(text);
}

// ---- Modes and options ------------------------------------------------------

void TForm_Main::SetCalcMode(CalcValueMode mode) {
    calcMode_ = mode;
    try {
        CalcValue changed = currentValue_;
        ChangeMode(changed, mode);
        currentValue_ = changed;
    } catch (...) {
        ShowCalcError(std::current_exception(), nullptr);
    }
    for (int i = 0; i < BarCount(); ++i) {
        TCalcBar* bar = BarAt(i);
        try {
            bar->SetMode(mode);
        } catch (...) {
            ShowCalcError(std::current_exception(), bar);
        }
    }
}

void TForm_Main::SetModeSigned(bool on) {
    modeSigned_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetSigned(on);
}

void TForm_Main::SetModeReversed(bool on) {
    modeReversed_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetReverse(on);
}

bool TForm_Main::RotationInEffect() const {
    return rotate_ && !IsFloatMode(calcMode_);
}

bool TForm_Main::ArithmeticShiftInEffect() const {
    return arithmetic_ && !IsFloatMode(calcMode_);
}

BinaryOp::Index TForm_Main::ShiftLeftOp() const {
    return RotationInEffect() ? BinaryOp::RotateLeft : BinaryOp::ShiftLeft;
}

BinaryOp::Index TForm_Main::ShiftRightOp() const {
    if (RotationInEffect())
        return BinaryOp::RotateRight;
    return ArithmeticShiftInEffect() ? BinaryOp::ShiftRightArith : BinaryOp::ShiftRight;
}

void TForm_Main::SetAngleMode(AngleUnit unit) {
    const int code = static_cast<int>(unit);
    if (code >= 0 && code <= 2)
        angleMode_ = unit;
}

void TForm_Main::SetHyp(bool on) {
    hyp_ = on;
    SetTrigCaptions();
}

void TForm_Main::SetRotate(bool on) {
    rotate_ = on;
    SetShiftCaptions();
}

void TForm_Main::SetArithmetic(bool on) {
    arithmetic_ = on;
}

bool TForm_Main::IsValidShiftAmount(int bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
}

void TForm_Main::SetShiftAmount(int bits) {
    if (!IsValidShiftAmount(bits))
        return;
    shiftAmount_ = bits;
    SetShiftCaptions();
}

// The captions follow the Rotate flag itself, not whether rotation applies in
// the current mode.
void TForm_Main::SetShiftCaptions() {
    const QString left = rotate_ ? QStringLiteral("<rot") : QStringLiteral("<<");
    const QString right = rotate_ ? QStringLiteral("rot>") : QStringLiteral(">>");
    const QString amount = QString::number(shiftAmount_);
    FindAction("ActOpShiftLeft")->SetCaption(left);
    FindAction("ActOpShiftRight")->SetCaption(right);
    FindAction("ActOpQShiftL")->SetCaption(left + amount);
    FindAction("ActOpQShiftR")->SetCaption(right + amount);
}

void TForm_Main::SetTrigCaptions() {
    for (const TrigCommand& command : TrigCommands) {
        TAction* action = FindAction(command.Action);
        const auto kind = static_cast<TrigFunctionKind>(action->Tag());
        action->SetCaption(
            QString::fromStdString(TrigFunctionCaption(kind, command.Inverse, hyp_)));
    }
}

// ---- Command bindings -------------------------------------------------------

void TForm_Main::BindEngineActions() {
    for (const char* name : DigitActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute([this](TAction& a) { TypeChar(TagChar(a), false, false); });
        action->SetOnUpdate(
            [this](TAction& a) { a.SetEnabled(CanTypeChar(TagChar(a), false, false)); });
    }
    // The separator key is typed as ":"; its caption is the active bar's.
    FindAction("ActDegreeSep")->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(CanTypeChar(TagChar(a), false, false));
        const TCalcBar* bar = ActiveBar();
        a.SetCaption(bar != nullptr ? QString::fromStdString(bar->GetSeparatorCaption())
                                    : QStringLiteral(":"));
    });
    TAction* period = FindAction("ActPeriod");
    period->SetOnExecute(
        [this](TAction&) { TypeChar(CurrentFormat().DecimalSeparator, false, false); });
    period->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(CanTypeChar(CurrentFormat().DecimalSeparator, false, false));
    });
    TAction* backSpace = FindAction("ActBackSpace");
    backSpace->SetOnExecute([this](TAction&) { BackSpace(); });
    backSpace->SetOnUpdate([this](TAction& a) { a.SetEnabled(state_ == EntryState::Entering); });
    FindAction("ActClearError")->SetOnExecute([this](TAction&) { ClearCalc(false); });
    FindAction("ActAllClear")->SetOnExecute([this](TAction&) { ClearCalc(true); });

    for (const BinaryCommand& command : BinaryCommands) {
        const BinaryOp::Index op = command.Op;
        FindAction(command.Action)->SetOnExecute([this, op](TAction&) { PressOperator(op); });
    }
    FindAction("ActOpShiftLeft")->SetOnExecute([this](TAction&) { PressOperator(ShiftLeftOp()); });
    FindAction("ActOpShiftRight")->SetOnExecute([this](TAction&) {
        PressOperator(ShiftRightOp());
    });
    FindAction("ActEqual")->SetOnExecute([this](TAction&) { Equal(); });
    FindAction("ActRecallAnswer")->SetOnExecute([this](TAction&) { RecallAnswer(); });
    FindAction("ActPi")->SetOnExecute([this](TAction&) { EnterPi(); });
    FindAction("ActNegate")->SetOnExecute([this](TAction&) { ToggleSign(); });
    for (const UnaryCommand& command : UnaryCommands) {
        const UnaryOp::Index op = command.Op;
        FindAction(command.Action)->SetOnExecute([this, op](TAction&) { ApplyUnary(op); });
    }
    FindAction("ActOpQShiftL")->SetOnExecute([this](TAction&) { ShiftByAmount(+1); });
    FindAction("ActOpQShiftR")->SetOnExecute([this](TAction&) { ShiftByAmount(-1); });
    for (const TrigCommand& command : TrigCommands) {
        const bool inverse = command.Inverse;
        FindAction(command.Action)->SetOnExecute([this, inverse](TAction& a) {
            ApplyTrig(static_cast<TrigFunctionKind>(a.Tag()), inverse);
        });
    }

    for (const char* name : ModeActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute(
            [this](TAction& a) { SetCalcMode(static_cast<CalcValueMode>(a.Tag())); });
        action->SetOnUpdate([this](TAction& a) {
            a.SetEnabled(true);
            a.SetChecked(static_cast<int>(calcMode_) == a.Tag());
        });
    }
    TAction* modeSigned = FindAction("ActModeSigned");
    modeSigned->SetOnExecute([this](TAction&) { SetModeSigned(!modeSigned_); });
    modeSigned->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(calcMode_ == CalcValueMode::Byte || calcMode_ == CalcValueMode::Word ||
                     calcMode_ == CalcValueMode::DWord);
        a.SetChecked(modeSigned_);
    });
    TAction* modeReversed = FindAction("ActModeReversed");
    modeReversed->SetOnExecute([this](TAction&) { SetModeReversed(!modeReversed_); });
    modeReversed->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsMultiByteMode(calcMode_));
        a.SetChecked(modeReversed_);
    });
    FindAction("ActOpReverse")->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsMultiByteMode(calcMode_));
    });
    for (const char* name : FloatOnlyActions)
        FindAction(name)->SetOnUpdate([this](TAction& a) { a.SetEnabled(IsFloatMode(calcMode_)); });
    FindAction("ActOpBitReverse")->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(calcMode_));
    });

    TAction* triHyp = FindAction("ActTriHyp");
    triHyp->SetOnExecute([this](TAction&) { SetHyp(!hyp_); });
    triHyp->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsFloatMode(calcMode_));
        a.SetChecked(hyp_);
    });
    TAction* rotate = FindAction("ActRotate");
    rotate->SetOnExecute([this](TAction&) { SetRotate(!rotate_); });
    rotate->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(calcMode_));
        a.SetChecked(rotate_);
    });
    TAction* shiftAr = FindAction("ActShiftAr");
    shiftAr->SetOnExecute([this](TAction&) { SetArithmetic(!arithmetic_); });
    shiftAr->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(calcMode_));
        a.SetChecked(arithmetic_);
    });
    for (const char* name : ShiftAmountActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute([this](TAction& a) { SetShiftAmount(a.Tag()); });
        action->SetOnUpdate([this](TAction& a) { a.SetChecked(shiftAmount_ == a.Tag()); });
    }
    for (const char* name : AngleActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute([this](TAction& a) { SetAngleMode(static_cast<AngleUnit>(a.Tag())); });
        action->SetOnUpdate(
            [this](TAction& a) { a.SetChecked(static_cast<int>(angleMode_) == a.Tag()); });
    }
}

} // namespace pexa
