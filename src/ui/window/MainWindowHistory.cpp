// The history pane: the calculator's tape below the bars in the active bar's
// notation, its lines recalled as computed values, copied and kept in
// pexa.ini when the user asks for it; and the memory kept there beside it.

#include "ui/window/MainWindow.h"

#include "conv/ConversionFactory.h"
#include "engine/ValueBits.h"
#include "settings/HistorySettings.h"
#include "settings/MemorySettings.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/SjisText.h"
#include "ui/window/HistoryPane.h"

#include <QClipboard>
#include <QGuiApplication>

#include <memory>
#include <optional>
#include <vector>

namespace pexa {

namespace {

static_assert(MaxStoredTapeLines == HistoryTape::Capacity, "the file keeps what the tape holds");

// The tape's values as the bar shows them, or in decimal while no bar is
// open, in UTF-8 as the rest of a line is (an expression's text is typed as
// UTF-8; a bar's text may be in the display code page).
ValueFormatter NotationOf(const CalcBar* bar) {
    const std::unique_ptr<Conversion> decimal =
        bar == nullptr ? CreateConv(static_cast<int>(BarKind::Decimal)) : nullptr;
    const Conversion& conversion = bar != nullptr ? bar->Conv() : *decimal;
    return [format = BarValueFormatter(conversion),
            charset = conversion.GetTextCharset()](const CalcValue& value) {
        return ConvTextToUnicode(format(value), charset).toStdString();
    };
}

StoredValue StoredOf(const CalcValue& value) {
    const ValueBits bits = BitsOfValue(value);
    return {static_cast<int>(bits.Mode), bits.Low, bits.High};
}

// None for bits that make no value the calculator can hold.
std::optional<CalcValue> ValueOfStored(const StoredValue& stored) {
    return ValueOfBits(stored.Mode, stored.Low, stored.High);
}

StoredTapeLine StoredLineOf(const TapeLine& line) {
    return {static_cast<int>(line.Kind),
            static_cast<int>(line.Mode),
            line.Binary ? static_cast<int>(*line.Binary) : -1,
            line.Operator,
            StoredOf(line.Left),
            StoredOf(line.Right),
            StoredOf(line.Result)};
}

// None for a kind, mode or operator the calculator does not have, and for
// bits that make no value it can hold.
std::optional<TapeLine> TapeLineOf(const StoredTapeLine& stored) {
    if (stored.Kind < 0 || stored.Kind > static_cast<int>(TapeLineKind::Expression) ||
        stored.Mode < 0 || stored.Mode >= CalcValueModeCount || stored.Binary < -1 ||
        stored.Binary >= BinaryOperatorCount)
        return std::nullopt;
    const std::optional<CalcValue> left = ValueOfStored(stored.Left);
    const std::optional<CalcValue> right = ValueOfStored(stored.Right);
    const std::optional<CalcValue> result = ValueOfStored(stored.Result);
    if (!left || !right || !result)
        return std::nullopt;
    TapeLine line;
    line.Kind = static_cast<TapeLineKind>(stored.Kind);
    line.Operator = stored.Operator;
    if (stored.Binary >= 0)
        line.Binary = static_cast<BinaryOp::Index>(stored.Binary);
    line.Left = *left;
    line.Right = *right;
    line.Result = *result;
    line.Mode = static_cast<CalcValueMode>(stored.Mode);
    return line;
}

} // namespace

void MainWindow::BuildHistoryPane(QWidget& parent) {
    historyPane_ = new HistoryPane(calculator_.Tape(), &parent);
    historyPane_->hide();
    // Screen readers name it as the View menu does.
    historyPane_->setAccessibleName(ShortHintOf(Command::HistoryPane));
    // Its right-click menu.
    historyPane_->addAction(Action(Command::EditCopyHistory));
    historyPane_->addAction(Action(Command::ClearHistory));
    connect(historyPane_, &HistoryPane::Recalled, this, &MainWindow::RecallHistoryLine);
    connect(historyPane_, &HistoryPane::Left, this, &MainWindow::GiveKeyboardToBars);
}

void MainWindow::FocusHistory() {
    historyPane_->TakeKeyboard();
}

// As from the expression line: the active bar holds the keyboard again.
// The value comes back into the bars, and the keyboard with it, so that the
// next key calculates with it.
bool MainWindow::RecallHistoryLine(int index) {
    if (index < 0 || !calculator_.RecallTapeLine(static_cast<std::size_t>(index)))
        return false;
    GiveKeyboardToBars();
    RefreshStates();
    return true;
}

void MainWindow::CopyHistoryToClipboard() {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(TapeText(calculator_.Tape(), NotationOf(bars_->Active()))));
}

void MainWindow::ShowHistory() {
    historyPane_->ShowTape(NotationOf(bars_->Active()));
}

// A setting of the bar's own (an encoding, a float format) changes its
// notation without the calculator knowing.
void MainWindow::FollowActiveBarInHistory() {
    if (CalcBar* bar = bars_->Active())
        connect(bar, &CalcBar::OwnSettingsChanged, this, &MainWindow::ShowHistory,
                Qt::UniqueConnection);
    ShowHistory();
}

void MainWindow::TapeChanged() {
    MarkChanged(TapeSource);
    ShowHistory();
}

void MainWindow::ReadHistorySettings() {
    std::vector<TapeLine> lines;
    for (const StoredTapeLine& stored : ReadStoredTape())
        if (std::optional<TapeLine> line = TapeLineOf(stored))
            lines.push_back(std::move(*line));
    if (!lines.empty())
        calculator_.RestoreTape(std::move(lines));
}

void MainWindow::WriteHistorySettings() {
    const HistoryTape& tape = calculator_.Tape();
    std::vector<StoredTapeLine> lines;
    lines.reserve(tape.Count());
    for (std::size_t i = 0; i < tape.Count(); ++i)
        lines.push_back(StoredLineOf(*tape.At(i)));
    WriteStoredTape(lines);
}

// Bits that make no value the calculator holds leave the memory empty.
void MainWindow::ReadMemorySettings() {
    const std::optional<StoredMemory> stored = ReadStoredMemory();
    if (const std::optional<CalcValue> value = stored ? ValueOfStored(*stored) : std::nullopt)
        calculator_.SetMemory(value);
}

void MainWindow::WriteMemorySettings() {
    const std::optional<CalcValue>& memory = calculator_.Memory();
    WriteStoredMemory(memory ? std::optional(StoredOf(*memory)) : std::nullopt);
}

} // namespace pexa
