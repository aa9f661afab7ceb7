// The window's side of the calculator: what the calculator reports, and the
// engine commands that call it, with the states and captions that follow it.

#include "ui/MainWindow.h"

#include "core/CalcArithmetic.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "ui/BarStack.h"
#include "ui/CalcBar.h"
#include "ui/CalcErrorText.h"
#include "ui/CommandTable.h"
#include "ui/KeyRouter.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"

#include <variant>

namespace pexa {

namespace {

// Enabled only in these modes (as are the trigonometric functions).
constexpr Command FloatOnlyCommands[] = {Command::OpIntFloor, Command::OpIntCeil,
                                         Command::OpIntRound, Command::OpFrac,
                                         Command::OpInvert,   Command::Pi};

constexpr Command TrigCommands[] = {Command::OpSin,    Command::OpCos,    Command::OpTan,
                                    Command::OpArcSin, Command::OpArcCos, Command::OpArcTan};

constexpr Command ShiftCommands[] = {Command::OpShiftLeft, Command::OpShiftRight,
                                     Command::OpQShiftL, Command::OpQShiftR};

// The captions follow the Rotate flag itself, not whether rotation applies in
// the current mode; the shifts by the amount show the amount.
QString ShiftCaption(Command command, const FunctionOptions& options) {
    const bool left = command == Command::OpShiftLeft || command == Command::OpQShiftL;
    QString caption = options.Rotate() ? (left ? QStringLiteral("<rot") : QStringLiteral("rot>"))
                                       : (left ? QStringLiteral("<<") : QStringLiteral(">>"));
    if (command == Command::OpQShiftL || command == Command::OpQShiftR)
        caption += QString::number(options.ShiftAmount());
    return caption;
}

QString TrigCaption(Command command, const FunctionOptions& options) {
    const TrigChoice& function = PayloadOf<TrigChoice>(command);
    return QString::fromStdString(
        TrigFunctionCaption(function.Kind, function.Inverse, options.Hyperbolic()));
}

template <class T> const T* PayloadIf(const CommandInfo& info) {
    return std::get_if<T>(&info.Payload);
}

} // namespace

bool MainWindow::KeysPrepared() const {
    return keys_ != nullptr && keys_->KeysPrepared();
}

// ---- What the calculator reports ---------------------------------------------

void MainWindow::BarTextChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (CalcBar* bar = bars_->Find(kind))
        bars_->ShowText(*bar);
}

void MainWindow::BarReadingChanged(BarKind kind) {
    MarkChanged(EntrySource);
    if (CalcBar* bar = bars_->Find(kind)) {
        bar->UpdateIndicators();
        bars_->ShowText(*bar);
    }
}

void MainWindow::PendingOperatorChanged() {
    MarkChanged(EntrySource);
    const QString text = QString::fromStdString(calculator_.PendingOperatorSymbol());
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->SetOperatorText(text);
}

void MainWindow::ActiveBarChanged() {
    MarkChanged(EntrySource | BarsSource);
    const std::optional<BarKind> active = calculator_.Bars().Active();
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->SetActive(active == bars_->At(i)->Kind());
    UpdateCaption();
}

// ---- Captions that follow the options -----------------------------------------

// The state handlers of these commands set the captions; run at once, they
// put them back over the table's after a retranslation.
void MainWindow::UpdateOptionCaptions() {
    for (const Command command : ShiftCommands)
        Action(command)->Update();
    for (const Command command : TrigCommands)
        Action(command)->Update();
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
            action->SetOnExecute(
                [this, ch](CommandAction&) { calculator_.Type(ch, false, false); });
            OnState(info.Id, typing, [this, ch](CommandAction& a) {
                a.setEnabled(calculator_.CanType(ch, false, false));
            });
        } else if (const BinaryOp::Index* op = PayloadIf<BinaryOp::Index>(info)) {
            const BinaryOp::Index binary = *op;
            action->SetOnExecute(
                [this, binary](CommandAction&) { calculator_.PressOperator(binary); });
        } else if (const UnaryOp::Index* uop = PayloadIf<UnaryOp::Index>(info)) {
            const UnaryOp::Index unary = *uop;
            action->SetOnExecute([this, unary](CommandAction&) { calculator_.ApplyUnary(unary); });
        } else if (const TrigChoice* trig = PayloadIf<TrigChoice>(info)) {
            const TrigChoice function = *trig;
            action->SetOnExecute([this, function](CommandAction&) {
                calculator_.ApplyTrig(function.Kind, function.Inverse);
            });
        } else if (const CalcValueMode* mode = PayloadIf<CalcValueMode>(info)) {
            const CalcValueMode value = *mode;
            action->SetOnExecute([this, value](CommandAction&) { calculator_.SetMode(value); });
            OnState(info.Id, ModeSource, [this, value](CommandAction& a) {
                a.setEnabled(true);
                a.SetChecked(calculator_.Mode() == value);
            });
        } else if (const ShiftAmountChoice* bits = PayloadIf<ShiftAmountChoice>(info)) {
            const int amount = bits->Bits;
            action->SetOnExecute(
                [this, amount](CommandAction&) { calculator_.Options().SetShiftAmount(amount); });
            OnState(info.Id, OptionsSource, [this, amount](CommandAction& a) {
                a.SetChecked(calculator_.Options().ShiftAmount() == amount);
            });
        } else if (const AngleUnit* angle = PayloadIf<AngleUnit>(info)) {
            const AngleUnit unit = *angle;
            action->SetOnExecute(
                [this, unit](CommandAction&) { calculator_.Options().SetAngle(unit); });
            OnState(info.Id, OptionsSource, [this, unit](CommandAction& a) {
                a.SetChecked(calculator_.Options().Angle() == unit);
            });
        }
    }
    // The separator key is typed as ":"; its caption is the active bar's.
    OnState(Command::DegreeSep, typing, [this](CommandAction& a) {
        a.setEnabled(
            calculator_.CanType(PayloadOf<TypedChar>(Command::DegreeSep).Char, false, false));
        const CalcBar* bar = bars_->Active();
        a.SetCaption(bar != nullptr ? QString::fromStdString(bar->Conv().GetSeparatorCaption())
                                    : QStringLiteral(":"));
    });
    Action(Command::Period)->SetOnExecute([this](CommandAction&) {
        calculator_.Type(CurrentFormat().DecimalSeparator, false, false);
    });
    OnState(Command::Period, typing, [this](CommandAction& a) {
        a.setEnabled(calculator_.CanType(CurrentFormat().DecimalSeparator, false, false));
    });
    Action(Command::BackSpace)->SetOnExecute([this](CommandAction&) { calculator_.BackSpace(); });
    OnState(Command::BackSpace, typing, [this](CommandAction& a) {
        a.setEnabled(calculator_.Entry() == EntryState::Entering);
    });
    Action(Command::ClearError)->SetOnExecute([this](CommandAction&) { calculator_.Clear(false); });
    Action(Command::AllClear)->SetOnExecute([this](CommandAction&) { calculator_.Clear(true); });

    // The shift commands stand for what the options make of them.
    Action(Command::OpShiftLeft)->SetOnExecute([this](CommandAction&) {
        calculator_.PressOperator(calculator_.Options().ShiftLeftOperator(calculator_.Mode()));
    });
    Action(Command::OpShiftRight)->SetOnExecute([this](CommandAction&) {
        calculator_.PressOperator(calculator_.Options().ShiftRightOperator(calculator_.Mode()));
    });
    Action(Command::Equal)->SetOnExecute([this](CommandAction&) { calculator_.Equal(); });
    Action(Command::RecallAnswer)->SetOnExecute([this](CommandAction&) {
        calculator_.RecallAnswer();
    });
    Action(Command::Pi)->SetOnExecute([this](CommandAction&) { calculator_.EnterPi(); });
    Action(Command::Negate)->SetOnExecute([this](CommandAction&) { calculator_.ToggleSign(); });
    Action(Command::OpQShiftL)->SetOnExecute([this](CommandAction&) {
        calculator_.ShiftByAmount(+1);
    });
    Action(Command::OpQShiftR)->SetOnExecute([this](CommandAction&) {
        calculator_.ShiftByAmount(-1);
    });
    // A window whose key table failed keeps the table's captions here and for
    // the trigonometric functions: its start-up stopped before they were set.
    for (const Command command : ShiftCommands)
        OnState(command, OptionsSource, [this, command](CommandAction& a) {
            if (KeysPrepared())
                a.SetCaption(ShiftCaption(command, calculator_.Options()));
        });

    Action(Command::ModeSigned)->SetOnExecute([this](CommandAction&) {
        calculator_.SetSigned(!calculator_.Signed());
    });
    OnState(Command::ModeSigned, ModeSource, [this](CommandAction& a) {
        const CalcValueMode mode = calculator_.Mode();
        a.setEnabled(mode == CalcValueMode::Byte || mode == CalcValueMode::Word ||
                     mode == CalcValueMode::DWord);
        a.SetChecked(calculator_.Signed());
    });
    Action(Command::ModeReversed)->SetOnExecute([this](CommandAction&) {
        calculator_.SetReversed(!calculator_.Reversed());
    });
    OnState(Command::ModeReversed, ModeSource, [this](CommandAction& a) {
        a.setEnabled(IsMultiByteMode(calculator_.Mode()));
        a.SetChecked(calculator_.Reversed());
    });
    OnState(Command::OpReverse, ModeSource,
            [this](CommandAction& a) { a.setEnabled(IsMultiByteMode(calculator_.Mode())); });
    for (const Command command : FloatOnlyCommands)
        OnState(command, ModeSource,
                [this](CommandAction& a) { a.setEnabled(IsFloatMode(calculator_.Mode())); });
    for (const Command command : TrigCommands)
        OnState(command, ModeSource | OptionsSource, [this, command](CommandAction& a) {
            a.setEnabled(IsFloatMode(calculator_.Mode()));
            if (KeysPrepared())
                a.SetCaption(TrigCaption(command, calculator_.Options()));
        });
    OnState(Command::OpBitReverse, ModeSource,
            [this](CommandAction& a) { a.setEnabled(!IsFloatMode(calculator_.Mode())); });

    Action(Command::TriHyp)->SetOnExecute([this](CommandAction&) {
        calculator_.Options().SetHyperbolic(!calculator_.Options().Hyperbolic());
    });
    OnState(Command::TriHyp, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(IsFloatMode(calculator_.Mode()));
        a.SetChecked(calculator_.Options().Hyperbolic());
    });
    Action(Command::Rotate)->SetOnExecute([this](CommandAction&) {
        calculator_.Options().SetRotate(!calculator_.Options().Rotate());
    });
    OnState(Command::Rotate, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(!IsFloatMode(calculator_.Mode()));
        a.SetChecked(calculator_.Options().Rotate());
    });
    Action(Command::ShiftAr)->SetOnExecute([this](CommandAction&) {
        calculator_.Options().SetArithmeticShift(!calculator_.Options().ArithmeticShift());
    });
    OnState(Command::ShiftAr, ModeSource | OptionsSource, [this](CommandAction& a) {
        a.setEnabled(!IsFloatMode(calculator_.Mode()));
        a.SetChecked(calculator_.Options().ArithmeticShift());
    });
}

} // namespace pexa
