// The window's side of the calculator: what the calculator reports, and the
// engine commands that call it, with the states and captions that follow it.

#include "ui/window/MainWindow.h"

#include "core/CalcArithmetic.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "engine/HistoryTape.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/commands/CommandTable.h"
#include "ui/help/HelpWindow.h"
#include "ui/menus/PopupMenus.h"

#include <QAction>

#include <variant>

namespace pexa {

namespace {

// Enabled only in these modes (as are the trigonometric functions).
constexpr Command FloatOnlyCommands[] = {Command::OpFloor, Command::OpCeil,       Command::OpRound,
                                         Command::OpFrac,  Command::OpReciprocal, Command::Pi};

constexpr Command TrigCommands[] = {Command::OpSin,    Command::OpCos,    Command::OpTan,
                                    Command::OpArcSin, Command::OpArcCos, Command::OpArcTan};

// Like the other bit operations, offered in the integer modes only.
constexpr Command BitCountCommands[] = {Command::OpReverseBits, Command::OpPopCount,
                                        Command::OpLeadingZeros, Command::OpTrailingZeros};

constexpr Command ShiftCommands[] = {Command::OpShiftLeft, Command::OpShiftRight,
                                     Command::OpShiftLeftByAmount, Command::OpShiftRightByAmount};

// The captions follow the Rotate flag itself, not whether rotation applies in
// the current mode; the shifts by the amount show the amount.
QString ShiftCaption(Command command, const FunctionOptions& options) {
    const bool left = command == Command::OpShiftLeft || command == Command::OpShiftLeftByAmount;
    QString caption = options.Rotate() ? (left ? QStringLiteral("<rot") : QStringLiteral("rot>"))
                                       : (left ? QStringLiteral("<<") : QStringLiteral(">>"));
    if (command == Command::OpShiftLeftByAmount || command == Command::OpShiftRightByAmount)
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
    ShowMemoryMark();
    if (calculator_.Bars().Active() == kind)
        ShowHistory();
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
    ShowMemoryMark();
    FollowActiveBarInHistory();
}

// Undo and redo may have changed any state a command shows, the options
// shown in captions included.
void MainWindow::StateRestored() {
    MarkChanged(AllSources);
}

void MainWindow::MemoryChanged() {
    MarkChanged(MemorySource);
    ShowMemoryMark();
}

void MainWindow::ShowMemoryMark() {
    const std::optional<CalcValue>& memory = calculator_.Memory();
    for (int i = 0; i < bars_->Count(); ++i) {
        CalcBar* bar = bars_->At(i);
        const bool shown = memory.has_value() && calculator_.Bars().Active() == bar->Kind();
        bar->SetMemoryMark(shown ? QString::fromStdString(BarValueFormatter(bar->Conv())(*memory))
                                 : std::optional<QString>());
    }
}

// ---- Captions that follow the options -----------------------------------------

// The state handlers of these commands set the captions; run at once, they
// put them back over the table's after a retranslation.
void MainWindow::UpdateOptionCaptions() {
    for (const Command command : ShiftCommands)
        ShowState(command);
    for (const Command command : TrigCommands)
        ShowState(command);
}

// ---- What the commands do -----------------------------------------------------

// The one dispatch function: every command the window runs, from its key, a
// button or a menu.
void MainWindow::Dispatch(Command command) {
    switch (command) {
    case Command::QuickMenu:
    case Command::DescriptiveQuickMenu:
    case Command::ModeMenu:
    case Command::ShiftAmountMenu:
        popups_->PopUp(command);
        return;
    case Command::EditCopy:
        CopyToClipboard(false);
        return;
    case Command::EditCopyGrouped:
        CopyToClipboard(true);
        return;
    case Command::EditPaste:
        PasteFromClipboard();
        return;
    case Command::EditUndo:
        calculator_.Undo();
        return;
    case Command::EditRedo:
        calculator_.Redo();
        return;
    case Command::MemoryStore:
        calculator_.MemoryStore();
        return;
    case Command::MemoryAdd:
        calculator_.MemoryAdd();
        return;
    case Command::MemorySubtract:
        calculator_.MemorySubtract();
        return;
    case Command::MemoryRecall:
        calculator_.MemoryRecall();
        return;
    case Command::MemoryClear:
        calculator_.MemoryClear();
        return;
    case Command::EditCopyCLiteral:
        CopyCLiteralToClipboard();
        return;
    case Command::EditExpression:
        FocusExpressionLine();
        return;
    case Command::FocusHistory:
        FocusHistory();
        return;
    case Command::EditCopyHistory:
        CopyHistoryToClipboard();
        return;
    case Command::ClearHistory:
        calculator_.ClearTape();
        return;
    case Command::HelpContents:
        HelpViewer()->ShowContents();
        return;
    case Command::HelpAbout:
        ShowAbout();
        return;
    case Command::Exit:
        close();
        return;
    default:
        if (InfoOf(command).List == CommandList::Keys)
            RunEngineCommand(command);
        else
            RunViewCommand(command);
        return;
    }
}

// The calculator keys: the families that one rule serves are told apart by
// what their row carries.
void MainWindow::RunEngineCommand(Command command) {
    // One key is one undo step, also where it changes the options in place.
    const Calculator::Step step(calculator_);
    const CommandInfo& info = InfoOf(command);
    if (const TypedChar* typed = PayloadIf<TypedChar>(info))
        calculator_.Type(typed->Char, false, false);
    else if (const BinaryOp::Index* binary = PayloadIf<BinaryOp::Index>(info))
        calculator_.PressOperator(*binary);
    else if (const UnaryOp::Index* unary = PayloadIf<UnaryOp::Index>(info))
        calculator_.ApplyUnary(*unary);
    else if (const TrigChoice* trig = PayloadIf<TrigChoice>(info))
        calculator_.ApplyTrig(trig->Kind, trig->Inverse);
    else if (const CalcValueMode* mode = PayloadIf<CalcValueMode>(info))
        calculator_.SetMode(*mode);
    else if (const ShiftAmountChoice* bits = PayloadIf<ShiftAmountChoice>(info))
        calculator_.Options().SetShiftAmount(bits->Bits);
    else if (const AngleUnit* angle = PayloadIf<AngleUnit>(info))
        calculator_.Options().SetAngle(*angle);
    FunctionOptions& options = calculator_.Options();
    switch (command) {
    case Command::Period:
        calculator_.Type(CurrentFormat().DecimalSeparator, false, false);
        break;
    case Command::BackSpace:
        calculator_.BackSpace();
        break;
    case Command::ClearEntry:
        calculator_.Clear(false);
        break;
    case Command::ClearAll:
        calculator_.Clear(true);
        break;
    // The shift commands stand for what the options make of them.
    case Command::OpShiftLeft:
        calculator_.PressOperator(options.ShiftLeftOperator(calculator_.Mode()));
        break;
    case Command::OpShiftRight:
        calculator_.PressOperator(options.ShiftRightOperator(calculator_.Mode()));
        break;
    case Command::OpShiftLeftByAmount:
        calculator_.ShiftByAmount(+1);
        break;
    case Command::OpShiftRightByAmount:
        calculator_.ShiftByAmount(-1);
        break;
    case Command::Equal:
        calculator_.Equal();
        break;
    case Command::RecallAnswer:
        calculator_.RecallAnswer();
        break;
    case Command::Pi:
        calculator_.EnterPi();
        break;
    case Command::Negate:
        calculator_.ToggleSign();
        break;
    case Command::ModeSigned:
        calculator_.SetSigned(!calculator_.Signed());
        break;
    case Command::ModeByteSwap:
        calculator_.SetReversed(!calculator_.Reversed());
        break;
    case Command::Hyperbolic:
        options.SetHyperbolic(!options.Hyperbolic());
        break;
    case Command::Rotate:
        options.SetRotate(!options.Rotate());
        break;
    case Command::ArithmeticShift:
        options.SetArithmeticShift(!options.ArithmeticShift());
        break;
    default:
        break;
    }
}

// ---- The states the calculator keys follow --------------------------------------

void MainWindow::BindEngineStates() {
    constexpr unsigned typing = EntrySource | ModeSource | BarsSource;
    for (const CommandInfo& info : Commands()) {
        if (const TypedChar* typed = PayloadIf<TypedChar>(info)) {
            const char ch = typed->Char;
            OnState(info.Id, typing, [this, ch](QAction& a) {
                a.setEnabled(calculator_.CanType(ch, false, false));
            });
        } else if (const CalcValueMode* mode = PayloadIf<CalcValueMode>(info)) {
            const CalcValueMode value = *mode;
            OnState(info.Id, ModeSource, [this, value](QAction& a) {
                a.setEnabled(true);
                a.setChecked(calculator_.Mode() == value);
            });
        } else if (const ShiftAmountChoice* bits = PayloadIf<ShiftAmountChoice>(info)) {
            const int amount = bits->Bits;
            OnState(info.Id, OptionsSource, [this, amount](QAction& a) {
                a.setChecked(calculator_.Options().ShiftAmount() == amount);
            });
        } else if (const AngleUnit* angle = PayloadIf<AngleUnit>(info)) {
            const AngleUnit unit = *angle;
            OnState(info.Id, OptionsSource, [this, unit](QAction& a) {
                a.setChecked(calculator_.Options().Angle() == unit);
            });
        }
    }
    // The separator key is typed as ":"; its caption is the active bar's.
    OnState(Command::Separator, typing, [this](QAction& a) {
        a.setEnabled(
            calculator_.CanType(PayloadOf<TypedChar>(Command::Separator).Char, false, false));
        const CalcBar* bar = bars_->Active();
        a.setText(bar != nullptr ? QString::fromStdString(bar->Conv().GetSeparatorCaption())
                                 : QStringLiteral(":"));
    });
    OnState(Command::Period, typing, [this](QAction& a) {
        a.setEnabled(calculator_.CanType(CurrentFormat().DecimalSeparator, false, false));
    });
    OnState(Command::BackSpace, typing,
            [this](QAction& a) { a.setEnabled(calculator_.Entry() == EntryState::Entering); });
    for (const Command command : ShiftCommands)
        OnState(command, OptionsSource, [this, command](QAction& a) {
            a.setText(ShiftCaption(command, calculator_.Options()));
        });
    OnState(Command::ModeSigned, ModeSource, [this](QAction& a) {
        const CalcValueMode mode = calculator_.Mode();
        a.setEnabled(mode == CalcValueMode::Byte || mode == CalcValueMode::Word ||
                     mode == CalcValueMode::DWord);
        a.setChecked(calculator_.Signed());
    });
    OnState(Command::ModeByteSwap, ModeSource, [this](QAction& a) {
        a.setEnabled(IsMultiByteMode(calculator_.Mode()));
        a.setChecked(calculator_.Reversed());
    });
    OnState(Command::OpReverseBytes, ModeSource,
            [this](QAction& a) { a.setEnabled(IsMultiByteMode(calculator_.Mode())); });
    for (const Command command : FloatOnlyCommands)
        OnState(command, ModeSource,
                [this](QAction& a) { a.setEnabled(IsFloatMode(calculator_.Mode())); });
    for (const Command command : TrigCommands)
        OnState(command, ModeSource | OptionsSource, [this, command](QAction& a) {
            a.setEnabled(IsFloatMode(calculator_.Mode()));
            a.setText(TrigCaption(command, calculator_.Options()));
        });
    for (const Command command : BitCountCommands)
        OnState(command, ModeSource,
                [this](QAction& a) { a.setEnabled(!IsFloatMode(calculator_.Mode())); });
    OnState(Command::Hyperbolic, ModeSource | OptionsSource, [this](QAction& a) {
        a.setEnabled(IsFloatMode(calculator_.Mode()));
        a.setChecked(calculator_.Options().Hyperbolic());
    });
    OnState(Command::Rotate, ModeSource | OptionsSource, [this](QAction& a) {
        a.setEnabled(!IsFloatMode(calculator_.Mode()));
        a.setChecked(calculator_.Options().Rotate());
    });
    OnState(Command::ArithmeticShift, ModeSource | OptionsSource, [this](QAction& a) {
        a.setEnabled(!IsFloatMode(calculator_.Mode()));
        a.setChecked(calculator_.Options().ArithmeticShift());
    });
    OnState(Command::EditUndo, UndoSource,
            [this](QAction& a) { a.setEnabled(calculator_.CanUndo()); });
    OnState(Command::EditRedo, UndoSource,
            [this](QAction& a) { a.setEnabled(calculator_.CanRedo()); });
    for (const Command command : {Command::MemoryRecall, Command::MemoryClear})
        OnState(command, MemorySource,
                [this](QAction& a) { a.setEnabled(calculator_.HasMemory()); });
    for (const Command command : {Command::EditCopyHistory, Command::ClearHistory})
        OnState(command, TapeSource,
                [this](QAction& a) { a.setEnabled(!calculator_.Tape().Empty()); });
}

} // namespace pexa
