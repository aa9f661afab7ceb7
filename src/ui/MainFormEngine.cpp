// The calculator engine of the main window: entry state, pending operator,
// evaluation, functions, modes and options, and the commands that run them.

#include "ui/MainForm.h"

#include "core/CalcArithmetic.h"
#include "core/CalcConvCommonDef.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/CalcBar.h"
#include "ui/CalcErrorText.h"
#include "ui/CommandTable.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionList.h"

#include <variant>

namespace pexa {

namespace {

// Enabled only in these modes.
constexpr Command FloatOnlyCommands[] = {
    Command::OpIntFloor, Command::OpIntCeil, Command::OpIntRound, Command::OpFrac,
    Command::OpInvert,   Command::Pi,        Command::OpSin,      Command::OpCos,
    Command::OpTan,      Command::OpArcSin,  Command::OpArcCos,   Command::OpArcTan,
};

constexpr Command TrigCommands[] = {Command::OpSin,    Command::OpCos,    Command::OpTan,
                                    Command::OpArcSin, Command::OpArcCos, Command::OpArcTan};

template <class T> const T* PayloadIf(const CommandInfo& info) {
    return std::get_if<T>(&info.Payload);
}

} // namespace

// ---- What the calculator reports ---------------------------------------------

void TForm_Main::ShowBarText(TCalcBar& bar) {
    const std::optional<CalcErrorKind> error = calculator_.Bars().ErrorOf(bar.Kind());
    bar.SetMessageText(error ? pexa::CalcErrorText(*error) : QString());
}

void TForm_Main::BarTextChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (TCalcBar* bar = FindBar(kind))
        ShowBarText(*bar);
}

void TForm_Main::BarReadingChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (TCalcBar* bar = FindBar(kind)) {
        bar->UpdateIndicators();
        ShowBarText(*bar);
    }
}

void TForm_Main::PendingOperatorChanged() {
    MarkChanged(EntrySource);
    const QString text = OperatorText();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetOperatorText(text);
}

void TForm_Main::ActiveBarChanged() {
    MarkChanged(EntrySource | BarsSource);
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
    Action(Command::OpShiftLeft)->SetCaption(left);
    Action(Command::OpShiftRight)->SetCaption(right);
    Action(Command::OpQShiftL)->SetCaption(left + amount);
    Action(Command::OpQShiftR)->SetCaption(right + amount);
}

void TForm_Main::SetTrigCaptions() {
    for (const Command command : TrigCommands) {
        const TrigChoice& function = PayloadOf<TrigChoice>(command);
        Action(command)->SetCaption(
            QString::fromStdString(TrigFunctionCaption(function.Kind, function.Inverse, Hyp())));
    }
}

// ---- Command bindings -------------------------------------------------------

void TForm_Main::BindEngineActions() {
    constexpr unsigned typing = EntrySource | ModeSource | BarsSource;
    // The families of commands that one handler serves, told apart by what
    // their row carries.
    for (const CommandInfo& info : KeyActionsTable()) {
        TAction* action = Action(info.Id);
        if (const TypedChar* typed = PayloadIf<TypedChar>(info)) {
            const char ch = typed->Char;
            action->SetOnExecute([this, ch](TAction&) { TypeChar(ch, false, false); });
            OnState(info.Id, typing,
                    [this, ch](TAction& a) { a.SetEnabled(CanTypeChar(ch, false, false)); });
        } else if (const BinaryOp::Index* op = PayloadIf<BinaryOp::Index>(info)) {
            const BinaryOp::Index binary = *op;
            action->SetOnExecute([this, binary](TAction&) { PressOperator(binary); });
        } else if (const UnaryOp::Index* uop = PayloadIf<UnaryOp::Index>(info)) {
            const UnaryOp::Index unary = *uop;
            action->SetOnExecute([this, unary](TAction&) { ApplyUnary(unary); });
        } else if (const TrigChoice* trig = PayloadIf<TrigChoice>(info)) {
            const TrigChoice function = *trig;
            action->SetOnExecute(
                [this, function](TAction&) { ApplyTrig(function.Kind, function.Inverse); });
        } else if (const CalcValueMode* mode = PayloadIf<CalcValueMode>(info)) {
            const CalcValueMode value = *mode;
            action->SetOnExecute([this, value](TAction&) { SetCalcMode(value); });
            OnState(info.Id, ModeSource, [this, value](TAction& a) {
                a.SetEnabled(true);
                a.SetChecked(CalcMode() == value);
            });
        } else if (const ShiftAmountChoice* bits = PayloadIf<ShiftAmountChoice>(info)) {
            const int amount = bits->Bits;
            action->SetOnExecute([this, amount](TAction&) { SetShiftAmount(amount); });
            OnState(info.Id, OptionsSource,
                    [this, amount](TAction& a) { a.SetChecked(ShiftAmount() == amount); });
        } else if (const AngleUnit* angle = PayloadIf<AngleUnit>(info)) {
            const AngleUnit unit = *angle;
            action->SetOnExecute([this, unit](TAction&) { SetAngleMode(unit); });
            OnState(info.Id, OptionsSource,
                    [this, unit](TAction& a) { a.SetChecked(AngleMode() == unit); });
        }
    }
    // The separator key is typed as ":"; its caption is the active bar's.
    OnState(Command::DegreeSep, typing, [this](TAction& a) {
        a.SetEnabled(CanTypeChar(PayloadOf<TypedChar>(Command::DegreeSep).Char, false, false));
        const TCalcBar* bar = ActiveBar();
        a.SetCaption(bar != nullptr ? QString::fromStdString(bar->GetSeparatorCaption())
                                    : QStringLiteral(":"));
    });
    Action(Command::Period)->SetOnExecute([this](TAction&) {
        TypeChar(CurrentFormat().DecimalSeparator, false, false);
    });
    OnState(Command::Period, typing, [this](TAction& a) {
        a.SetEnabled(CanTypeChar(CurrentFormat().DecimalSeparator, false, false));
    });
    Action(Command::BackSpace)->SetOnExecute([this](TAction&) { BackSpace(); });
    OnState(Command::BackSpace, typing,
            [this](TAction& a) { a.SetEnabled(State() == EntryState::Entering); });
    Action(Command::ClearError)->SetOnExecute([this](TAction&) { ClearCalc(false); });
    Action(Command::AllClear)->SetOnExecute([this](TAction&) { ClearCalc(true); });

    // The shift commands stand for what the options make of them.
    Action(Command::OpShiftLeft)->SetOnExecute([this](TAction&) { PressOperator(ShiftLeftOp()); });
    Action(Command::OpShiftRight)->SetOnExecute([this](TAction&) {
        PressOperator(ShiftRightOp());
    });
    Action(Command::Equal)->SetOnExecute([this](TAction&) { Equal(); });
    Action(Command::RecallAnswer)->SetOnExecute([this](TAction&) { RecallAnswer(); });
    Action(Command::Pi)->SetOnExecute([this](TAction&) { EnterPi(); });
    Action(Command::Negate)->SetOnExecute([this](TAction&) { ToggleSign(); });
    Action(Command::OpQShiftL)->SetOnExecute([this](TAction&) { ShiftByAmount(+1); });
    Action(Command::OpQShiftR)->SetOnExecute([this](TAction&) { ShiftByAmount(-1); });

    Action(Command::ModeSigned)->SetOnExecute([this](TAction&) { SetModeSigned(!ModeSigned()); });
    OnState(Command::ModeSigned, ModeSource, [this](TAction& a) {
        a.SetEnabled(CalcMode() == CalcValueMode::Byte || CalcMode() == CalcValueMode::Word ||
                     CalcMode() == CalcValueMode::DWord);
        a.SetChecked(ModeSigned());
    });
    Action(Command::ModeReversed)->SetOnExecute([this](TAction&) {
        SetModeReversed(!ModeReversed());
    });
    OnState(Command::ModeReversed, ModeSource, [this](TAction& a) {
        a.SetEnabled(IsMultiByteMode(CalcMode()));
        a.SetChecked(ModeReversed());
    });
    OnState(Command::OpReverse, ModeSource,
            [this](TAction& a) { a.SetEnabled(IsMultiByteMode(CalcMode())); });
    for (const Command command : FloatOnlyCommands)
        OnState(command, ModeSource, [this](TAction& a) { a.SetEnabled(IsFloatMode(CalcMode())); });
    OnState(Command::OpBitReverse, ModeSource,
            [this](TAction& a) { a.SetEnabled(!IsFloatMode(CalcMode())); });

    Action(Command::TriHyp)->SetOnExecute([this](TAction&) { SetHyp(!Hyp()); });
    OnState(Command::TriHyp, ModeSource | OptionsSource, [this](TAction& a) {
        a.SetEnabled(IsFloatMode(CalcMode()));
        a.SetChecked(Hyp());
    });
    Action(Command::Rotate)->SetOnExecute([this](TAction&) { SetRotate(!Rotate()); });
    OnState(Command::Rotate, ModeSource | OptionsSource, [this](TAction& a) {
        a.SetEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Rotate());
    });
    Action(Command::ShiftAr)->SetOnExecute([this](TAction&) { SetArithmetic(!Arithmetic()); });
    OnState(Command::ShiftAr, ModeSource | OptionsSource, [this](TAction& a) {
        a.SetEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Arithmetic());
    });
}

} // namespace pexa
