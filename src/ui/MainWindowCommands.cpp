// The calculator engine of the main window: entry state, pending operator,
// evaluation, functions, modes and options, and the commands that run them.

#include "ui/MainWindow.h"

#include "core/CalcArithmetic.h"
#include "core/ModeWidth.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/CalcBar.h"
#include "ui/CalcErrorText.h"
#include "ui/CommandTable.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"

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

void MainWindow::ShowBarText(CalcBar& bar) {
    const std::optional<CalcErrorKind> error = calculator_.Bars().ErrorOf(bar.Kind());
    bar.SetMessageText(error ? pexa::CalcErrorText(*error) : QString());
}

void MainWindow::BarTextChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (CalcBar* bar = FindBar(kind))
        ShowBarText(*bar);
}

void MainWindow::BarReadingChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (CalcBar* bar = FindBar(kind)) {
        bar->UpdateIndicators();
        ShowBarText(*bar);
    }
}

void MainWindow::PendingOperatorChanged() {
    MarkChanged(EntrySource);
    const QString text = OperatorText();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetOperatorText(text);
}

void MainWindow::ActiveBarChanged() {
    MarkChanged(EntrySource | BarsSource);
    const std::optional<BarKind> active = calculator_.Bars().Active();
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetActive(active == BarAt(i)->Kind());
    UpdateCaption();
}

// ---- Commands passed to the calculator -----------------------------------------

int MainWindow::PendingOp() const {
    const std::optional<BinaryOp::Index> op = calculator_.PendingOperator();
    return op ? static_cast<int>(*op) : NoOp;
}

bool MainWindow::CanTypeChar(char ch, bool startNew, bool pasting) const {
    return calculator_.CanType(ch, startNew, pasting);
}

bool MainWindow::TypeChar(char ch, bool startNew, bool pasting) {
    return calculator_.Type(ch, startNew, pasting);
}

bool MainWindow::IsPasteIgnored(char ch) const {
    return calculator_.IsIgnoredInPaste(ch);
}

void MainWindow::SyncFromBar(CalcBar* bar) {
    calculator_.SyncFromBar(bar != nullptr ? std::optional<BarKind>(bar->Kind()) : std::nullopt);
}

void MainWindow::BackSpace() {
    calculator_.BackSpace();
}

void MainWindow::PressOperator(BinaryOp::Index op) {
    calculator_.PressOperator(op);
}

void MainWindow::Evaluate(bool isEquals) {
    calculator_.Evaluate(isEquals);
}

void MainWindow::Equal() {
    calculator_.Equal();
}

void MainWindow::RecallAnswer() {
    calculator_.RecallAnswer();
}

void MainWindow::EnterPi() {
    calculator_.EnterPi();
}

void MainWindow::ApplyUnary(UnaryOp::Index op) {
    calculator_.ApplyUnary(op);
}

void MainWindow::ShiftByAmount(int direction) {
    calculator_.ShiftByAmount(direction);
}

void MainWindow::ApplyTrig(TrigFunctionKind kind, bool inverse) {
    calculator_.ApplyTrig(kind, inverse);
}

void MainWindow::ToggleSign() {
    calculator_.ToggleSign();
}

void MainWindow::ShowValue(const CalcValue& value) {
    calculator_.ShowValue(value);
}

void MainWindow::SetComputedValue(const CalcValue& value) {
    calculator_.SetComputedValue(value);
}

QString MainWindow::CalcErrorText(std::exception_ptr failure) {
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

void MainWindow::ShowCalcError(std::exception_ptr failure, CalcBar* bar) {
    calculator_.ReportFailure(failure,
                              bar != nullptr ? std::optional<BarKind>(bar->Kind()) : std::nullopt);
}

bool MainWindow::IsBlocked() const {
    return calculator_.IsBlocked();
}

void MainWindow::ClearCalc(bool all) {
    calculator_.Clear(all);
}

QString MainWindow::OperatorText() const {
    return QString::fromStdString(calculator_.PendingOperatorSymbol());
}

void MainWindow::SetPendingOp(int op) {
    calculator_.SetPendingOperator(op >= 0 && op < BinaryOperatorCount
                                       ? std::optional(static_cast<BinaryOp::Index>(op))
                                       : std::nullopt);
}

// ---- Modes and options ------------------------------------------------------

void MainWindow::SetCalcMode(CalcValueMode mode) {
    calculator_.SetMode(mode);
}

void MainWindow::SetModeSigned(bool on) {
    calculator_.SetSigned(on);
}

void MainWindow::SetModeReversed(bool on) {
    calculator_.SetReversed(on);
}

bool MainWindow::RotationInEffect() const {
    return calculator_.Options().RotationInEffect(calculator_.Mode());
}

bool MainWindow::ArithmeticShiftInEffect() const {
    return calculator_.Options().ArithmeticShiftInEffect(calculator_.Mode());
}

BinaryOp::Index MainWindow::ShiftLeftOp() const {
    return calculator_.Options().ShiftLeftOperator(calculator_.Mode());
}

BinaryOp::Index MainWindow::ShiftRightOp() const {
    return calculator_.Options().ShiftRightOperator(calculator_.Mode());
}

void MainWindow::SetAngleMode(AngleUnit unit) {
    calculator_.Options().SetAngle(unit);
}

void MainWindow::SetHyp(bool on) {
    calculator_.Options().SetHyperbolic(on);
    SetTrigCaptions();
}

void MainWindow::SetRotate(bool on) {
    calculator_.Options().SetRotate(on);
    SetShiftCaptions();
}

void MainWindow::SetArithmetic(bool on) {
    calculator_.Options().SetArithmeticShift(on);
}

bool MainWindow::IsValidShiftAmount(int bits) {
    return FunctionOptions::IsValidShiftAmount(bits);
}

void MainWindow::SetShiftAmount(int bits) {
    if (calculator_.Options().SetShiftAmount(bits))
        SetShiftCaptions();
}

// The captions follow the Rotate flag itself, not whether rotation applies in
// the current mode.
void MainWindow::SetShiftCaptions() {
    const QString left = Rotate() ? QStringLiteral("<rot") : QStringLiteral("<<");
    const QString right = Rotate() ? QStringLiteral("rot>") : QStringLiteral(">>");
    const QString amount = QString::number(ShiftAmount());
    Action(Command::OpShiftLeft)->SetCaption(left);
    Action(Command::OpShiftRight)->SetCaption(right);
    Action(Command::OpQShiftL)->SetCaption(left + amount);
    Action(Command::OpQShiftR)->SetCaption(right + amount);
}

void MainWindow::SetTrigCaptions() {
    for (const Command command : TrigCommands) {
        const TrigChoice& function = PayloadOf<TrigChoice>(command);
        Action(command)->SetCaption(
            QString::fromStdString(TrigFunctionCaption(function.Kind, function.Inverse, Hyp())));
    }
}

// ---- Command bindings -------------------------------------------------------

void MainWindow::BindEngineActions() {
    constexpr unsigned typing = EntrySource | ModeSource | BarsSource;
    // The families of commands that one handler serves, told apart by what
    // their row carries.
    for (const CommandInfo& info : KeyActionsTable()) {
        CommandAction* action = Action(info.Id);
        if (const TypedChar* typed = PayloadIf<TypedChar>(info)) {
            const char ch = typed->Char;
            action->SetOnExecute([this, ch](CommandAction&) { TypeChar(ch, false, false); });
            OnState(info.Id, typing,
                    [this, ch](CommandAction& a) { a.setEnabled(CanTypeChar(ch, false, false)); });
        } else if (const BinaryOp::Index* op = PayloadIf<BinaryOp::Index>(info)) {
            const BinaryOp::Index binary = *op;
            action->SetOnExecute([this, binary](CommandAction&) { PressOperator(binary); });
        } else if (const UnaryOp::Index* uop = PayloadIf<UnaryOp::Index>(info)) {
            const UnaryOp::Index unary = *uop;
            action->SetOnExecute([this, unary](CommandAction&) { ApplyUnary(unary); });
        } else if (const TrigChoice* trig = PayloadIf<TrigChoice>(info)) {
            const TrigChoice function = *trig;
            action->SetOnExecute(
                [this, function](CommandAction&) { ApplyTrig(function.Kind, function.Inverse); });
        } else if (const CalcValueMode* mode = PayloadIf<CalcValueMode>(info)) {
            const CalcValueMode value = *mode;
            action->SetOnExecute([this, value](CommandAction&) { SetCalcMode(value); });
            OnState(info.Id, ModeSource, [this, value](CommandAction& a) {
                a.setEnabled(true);
                a.SetChecked(CalcMode() == value);
            });
        } else if (const ShiftAmountChoice* bits = PayloadIf<ShiftAmountChoice>(info)) {
            const int amount = bits->Bits;
            action->SetOnExecute([this, amount](CommandAction&) { SetShiftAmount(amount); });
            OnState(info.Id, OptionsSource,
                    [this, amount](CommandAction& a) { a.SetChecked(ShiftAmount() == amount); });
        } else if (const AngleUnit* angle = PayloadIf<AngleUnit>(info)) {
            const AngleUnit unit = *angle;
            action->SetOnExecute([this, unit](CommandAction&) { SetAngleMode(unit); });
            OnState(info.Id, OptionsSource,
                    [this, unit](CommandAction& a) { a.SetChecked(AngleMode() == unit); });
        }
    }
    // The separator key is typed as ":"; its caption is the active bar's.
    OnState(Command::DegreeSep, typing, [this](CommandAction& a) {
        a.setEnabled(CanTypeChar(PayloadOf<TypedChar>(Command::DegreeSep).Char, false, false));
        const CalcBar* bar = ActiveBar();
        a.SetCaption(bar != nullptr ? QString::fromStdString(bar->GetSeparatorCaption())
                                    : QStringLiteral(":"));
    });
    Action(Command::Period)->SetOnExecute([this](CommandAction&) {
        TypeChar(CurrentFormat().DecimalSeparator, false, false);
    });
    OnState(Command::Period, typing, [this](CommandAction& a) {
        a.setEnabled(CanTypeChar(CurrentFormat().DecimalSeparator, false, false));
    });
    Action(Command::BackSpace)->SetOnExecute([this](CommandAction&) { BackSpace(); });
    OnState(Command::BackSpace, typing,
            [this](CommandAction& a) { a.setEnabled(State() == EntryState::Entering); });
    Action(Command::ClearError)->SetOnExecute([this](CommandAction&) { ClearCalc(false); });
    Action(Command::AllClear)->SetOnExecute([this](CommandAction&) { ClearCalc(true); });

    // The shift commands stand for what the options make of them.
    Action(Command::OpShiftLeft)->SetOnExecute([this](CommandAction&) {
        PressOperator(ShiftLeftOp());
    });
    Action(Command::OpShiftRight)->SetOnExecute([this](CommandAction&) {
        PressOperator(ShiftRightOp());
    });
    Action(Command::Equal)->SetOnExecute([this](CommandAction&) { Equal(); });
    Action(Command::RecallAnswer)->SetOnExecute([this](CommandAction&) { RecallAnswer(); });
    Action(Command::Pi)->SetOnExecute([this](CommandAction&) { EnterPi(); });
    Action(Command::Negate)->SetOnExecute([this](CommandAction&) { ToggleSign(); });
    Action(Command::OpQShiftL)->SetOnExecute([this](CommandAction&) { ShiftByAmount(+1); });
    Action(Command::OpQShiftR)->SetOnExecute([this](CommandAction&) { ShiftByAmount(-1); });

    Action(Command::ModeSigned)->SetOnExecute([this](CommandAction&) {
        SetModeSigned(!ModeSigned());
    });
    OnState(Command::ModeSigned, ModeSource, [this](CommandAction& a) {
        a.setEnabled(CalcMode() == CalcValueMode::Byte || CalcMode() == CalcValueMode::Word ||
                     CalcMode() == CalcValueMode::DWord);
        a.SetChecked(ModeSigned());
    });
    Action(Command::ModeReversed)->SetOnExecute([this](CommandAction&) {
        SetModeReversed(!ModeReversed());
    });
    OnState(Command::ModeReversed, ModeSource, [this](CommandAction& a) {
        a.setEnabled(IsMultiByteMode(CalcMode()));
        a.SetChecked(ModeReversed());
    });
    OnState(Command::OpReverse, ModeSource,
            [this](CommandAction& a) { a.setEnabled(IsMultiByteMode(CalcMode())); });
    for (const Command command : FloatOnlyCommands)
        OnState(command, ModeSource,
                [this](CommandAction& a) { a.setEnabled(IsFloatMode(CalcMode())); });
    OnState(Command::OpBitReverse, ModeSource,
            [this](CommandAction& a) { a.setEnabled(!IsFloatMode(CalcMode())); });

    Action(Command::TriHyp)->SetOnExecute([this](CommandAction&) { SetHyp(!Hyp()); });
    OnState(Command::TriHyp, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(IsFloatMode(CalcMode()));
        a.SetChecked(Hyp());
    });
    Action(Command::Rotate)->SetOnExecute([this](CommandAction&) { SetRotate(!Rotate()); });
    OnState(Command::Rotate, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Rotate());
    });
    Action(Command::ShiftAr)->SetOnExecute([this](CommandAction&) {
        SetArithmetic(!Arithmetic());
    });
    OnState(Command::ShiftAr, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(!IsFloatMode(CalcMode()));
        a.SetChecked(Arithmetic());
    });
}

} // namespace pexa
