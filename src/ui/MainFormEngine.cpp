// The calculator engine of the main window: entry state, pending operator,
// evaluation, functions, modes and options, and the commands that run them.

#include "ui/MainForm.h"

#include "core/CalcArithmetic.h"
#include "core/CalcConvCommonDef.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/CalcBar.h"
#include "ui/CalcErrorText.h"
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

} // namespace

// ---- What the calculator reports ---------------------------------------------

void TForm_Main::ShowBarText(TCalcBar& bar) {
    const std::optional<CalcErrorKind> error = calculator_.Bars().ErrorOf(bar.Kind());
    bar.SetMessageText(error ? pexa::CalcErrorText(*error) : QString());
}

void TForm_Main::BarTextChanged(BarKind kind) {
    if (TCalcBar* bar = FindBar(kind))
        ShowBarText(*bar);
}

void TForm_Main::BarReadingChanged(BarKind kind) {
    if (TCalcBar* bar = FindBar(kind)) {
        bar->UpdateIndicators();
        ShowBarText(*bar);
    }
}

void TForm_Main::PendingOperatorChanged() {
    const QString text = OperatorText();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetOperatorText(text);
}

void TForm_Main::ActiveBarChanged() {
    const std::optional<BarKind> active = calculator_.Bars().Active();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetActive(active == BarAt(i)->Kind());
    UpdateCaption();
}

// ---- Commands passed to the calculator -----------------------------------------

int TForm_Main::PendingOp() const {
    const std::optional<BinaryOp::Index> op = calculator_.PendingOperator();
    return op ? static_cast<int>(*op) : NoOp;
}

bool TForm_Main::CanTypeChar(char ch, bool startNew, bool pasting) const {
    return calculator_.CanType(ch, startNew, pasting);
}

bool TForm_Main::TypeChar(char ch, bool startNew, bool pasting) {
    return calculator_.Type(ch, startNew, pasting);
}

bool TForm_Main::IsPasteIgnored(char ch) const {
    return calculator_.IsIgnoredInPaste(ch);
}

void TForm_Main::SyncFromBar(TCalcBar* bar) {
    calculator_.SyncFromBar(bar != nullptr ? std::optional<BarKind>(bar->Kind()) : std::nullopt);
}

void TForm_Main::BackSpace() {
    calculator_.BackSpace();
}

void TForm_Main::PressOperator(BinaryOp::Index op) {
    calculator_.PressOperator(op);
}

void TForm_Main::Evaluate(bool isEquals) {
    calculator_.Evaluate(isEquals);
}

void TForm_Main::Equal() {
    calculator_.Equal();
}

void TForm_Main::RecallAnswer() {
    calculator_.RecallAnswer();
}

void TForm_Main::EnterPi() {
    calculator_.EnterPi();
}

void TForm_Main::ApplyUnary(UnaryOp::Index op) {
    calculator_.ApplyUnary(op);
}

void TForm_Main::ShiftByAmount(int direction) {
    calculator_.ShiftByAmount(direction);
}

void TForm_Main::ApplyTrig(TrigFunctionKind kind, bool inverse) {
    calculator_.ApplyTrig(kind, inverse);
}

void TForm_Main::ToggleSign() {
    calculator_.ToggleSign();
}

void TForm_Main::ShowValue(const CalcValue& value) {
    calculator_.ShowValue(value);
}

void TForm_Main::SetComputedValue(const CalcValue& value) {
    calculator_.SetComputedValue(value);
}

QString TForm_Main::CalcErrorText(std::exception_ptr failure) {
    if (!failure)
        return {};
    try {
        std::rethrow_exception(failure);
    } catch (const CalcError& error) {
        return pexa::CalcErrorText(error.Kind());
    } catch (...) {
        return {};
    }
}

void TForm_Main::ShowCalcError(std::exception_ptr failure, TCalcBar* bar) {
    calculator_.ReportFailure(failure,
                              bar != nullptr ? std::optional<BarKind>(bar->Kind()) : std::nullopt);
}

bool TForm_Main::IsBlocked() const {
    return calculator_.IsBlocked();
}

void TForm_Main::ClearCalc(bool all) {
    calculator_.Clear(all);
}

QString TForm_Main::OperatorText() const {
    return QString::fromStdString(calculator_.PendingOperatorSymbol());
}

void TForm_Main::SetPendingOp(int op) {
    calculator_.SetPendingOperator(op >= 0 && op < BinaryOperatorCount
                                       ? std::optional(static_cast<BinaryOp::Index>(op))
                                       : std::nullopt);
}

// ---- Modes and options ------------------------------------------------------

void TForm_Main::SetCalcMode(CalcValueMode mode) {
    calculator_.SetMode(mode);
}

void TForm_Main::SetModeSigned(bool on) {
    calculator_.SetSigned(on);
}

void TForm_Main::SetModeReversed(bool on) {
    calculator_.SetReversed(on);
}

bool TForm_Main::RotationInEffect() const {
    return calculator_.Options().RotationInEffect(calculator_.Mode());
}

bool TForm_Main::ArithmeticShiftInEffect() const {
    return calculator_.Options().ArithmeticShiftInEffect(calculator_.Mode());
}

BinaryOp::Index TForm_Main::ShiftLeftOp() const {
    return calculator_.Options().ShiftLeftOperator(calculator_.Mode());
}

BinaryOp::Index TForm_Main::ShiftRightOp() const {
    return calculator_.Options().ShiftRightOperator(calculator_.Mode());
}

void TForm_Main::SetAngleMode(AngleUnit unit) {
    calculator_.Options().SetAngle(unit);
}

void TForm_Main::SetHyp(bool on) {
    calculator_.Options().SetHyperbolic(on);
    SetTrigCaptions();
}

void TForm_Main::SetRotate(bool on) {
    calculator_.Options().SetRotate(on);
    SetShiftCaptions();
}

void TForm_Main::SetArithmetic(bool on) {
    calculator_.Options().SetArithmeticShift(on);
}

bool TForm_Main::IsValidShiftAmount(int bits) {
    return FunctionOptions::IsValidShiftAmount(bits);
}

void TForm_Main::SetShiftAmount(int bits) {
    if (calculator_.Options().SetShiftAmount(bits))
        SetShiftCaptions();
}

// The captions follow the Rotate flag itself, not whether rotation applies in
// the current mode.
void TForm_Main::SetShiftCaptions() {
    const QString left = Rotate() ? QStringLiteral("<rot") : QStringLiteral("<<");
    const QString right = Rotate() ? QStringLiteral("rot>") : QStringLiteral(">>");
    const QString amount = QString::number(ShiftAmount());
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
            QString::fromStdString(TrigFunctionCaption(kind, command.Inverse, Hyp())));
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
    backSpace->SetOnUpdate([this](TAction& a) { a.SetEnabled(State() == EntryState::Entering); });
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
            a.SetChecked(static_cast<int>(CalcMode()) == a.Tag());
        });
    }
    TAction* modeSigned = FindAction("ActModeSigned");
    modeSigned->SetOnExecute([this](TAction&) { SetModeSigned(!ModeSigned()); });
    modeSigned->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(CalcMode() == CalcValueMode::Byte || CalcMode() == CalcValueMode::Word ||
                     CalcMode() == CalcValueMode::DWord);
        a.SetChecked(ModeSigned());
    });
    TAction* modeReversed = FindAction("ActModeReversed");
    modeReversed->SetOnExecute([this](TAction&) { SetModeReversed(!ModeReversed()); });
    modeReversed->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsMultiByteMode(CalcMode()));
        a.SetChecked(ModeReversed());
    });
    FindAction("ActOpReverse")->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsMultiByteMode(CalcMode()));
    });
    for (const char* name : FloatOnlyActions)
        FindAction(name)->SetOnUpdate(
            [this](TAction& a) { a.SetEnabled(IsFloatMode(CalcMode())); });
    FindAction("ActOpBitReverse")->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(CalcMode()));
    });

    TAction* triHyp = FindAction("ActTriHyp");
    triHyp->SetOnExecute([this](TAction&) { SetHyp(!Hyp()); });
    triHyp->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(IsFloatMode(CalcMode()));
        a.SetChecked(Hyp());
    });
    TAction* rotate = FindAction("ActRotate");
    rotate->SetOnExecute([this](TAction&) { SetRotate(!Rotate()); });
    rotate->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Rotate());
    });
    TAction* shiftAr = FindAction("ActShiftAr");
    shiftAr->SetOnExecute([this](TAction&) { SetArithmetic(!Arithmetic()); });
    shiftAr->SetOnUpdate([this](TAction& a) {
        a.SetEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Arithmetic());
    });
    for (const char* name : ShiftAmountActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute([this](TAction& a) { SetShiftAmount(a.Tag()); });
        action->SetOnUpdate([this](TAction& a) { a.SetChecked(ShiftAmount() == a.Tag()); });
    }
    for (const char* name : AngleActions) {
        TAction* action = FindAction(name);
        action->SetOnExecute([this](TAction& a) { SetAngleMode(static_cast<AngleUnit>(a.Tag())); });
        action->SetOnUpdate(
            [this](TAction& a) { a.SetChecked(static_cast<int>(AngleMode()) == a.Tag()); });
    }
}

} // namespace pexa
