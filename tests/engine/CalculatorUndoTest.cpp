// Undo and redo, the memory and the history tape, driven through the
// calculator's commands with a display that draws each bar only when told.

#include "conv/DateTimeConversion.h"
#include "conv/DecimalConversion.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"

#include "DrawingDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <sstream>
#include <string>

using namespace pexa;

namespace {

// DWord, the decimal and hexadecimal bars, the decimal one active.
class CalculatorUndoTest : public ::testing::Test {
protected:
    CalculatorUndoTest() : format_(FormatSettings{}) {
        display_.Calc = &calc_;
        calc_.OpenBar(BarKind::Decimal);
        calc_.OpenBar(BarKind::Hex);
        calc_.Bars().Activate(BarKind::Decimal);
        calc_.ForgetUndo();
    }

    // Runs a sequence such as "12 + 3 = undo": a key's name, or characters
    // typed one by one into the active bar.
    void Keys(const std::string& sequence) {
        std::istringstream tokens(sequence);
        std::string token;
        while (tokens >> token) {
            static const std::map<std::string, BinaryOp::Index> binary = {{"+", BinaryOp::Add},
                                                                          {"-", BinaryOp::Sub},
                                                                          {"*", BinaryOp::Mul},
                                                                          {"/", BinaryOp::Div}};
            static const std::map<std::string, CalcValueMode> modes = {
                {"Byte", CalcValueMode::Byte},
                {"DWord", CalcValueMode::DWord},
                {"Real", CalcValueMode::Float}};
            static const std::map<std::string, BarKind> bars = {{"@DEC", BarKind::Decimal},
                                                                {"@HEX", BarKind::Hex}};
            if (const auto it = binary.find(token); it != binary.end())
                calc_.PressOperator(it->second);
            else if (const auto mode = modes.find(token); mode != modes.end())
                calc_.SetMode(mode->second);
            else if (const auto bar = bars.find(token); bar != bars.end())
                calc_.Bars().Activate(bar->second);
            else if (token == "=")
                calc_.Equal();
            else if (token == "CE" || token == "AC")
                calc_.Clear(token == "AC");
            else if (token == "BS")
                calc_.BackSpace();
            else if (token == "neg")
                calc_.ToggleSign();
            else if (token == "sqrt")
                calc_.ApplyUnary(UnaryOp::Sqrt);
            else if (token == "Signed")
                calc_.SetSigned(!calc_.Signed());
            else if (token == "undo")
                calc_.Undo();
            else if (token == "redo")
                calc_.Redo();
            else if (token == "MS")
                calc_.MemoryStore();
            else if (token == "M+")
                calc_.MemoryAdd();
            else if (token == "M-")
                calc_.MemorySubtract();
            else if (token == "MR")
                calc_.MemoryRecall();
            else if (token == "MC")
                calc_.MemoryClear();
            else
                for (const char c : token)
                    calc_.Type(c, false, false);
        }
    }
    const std::string& Dec() { return display_.Shown[BarKind::Decimal]; }
    const std::string& Hex() { return display_.Shown[BarKind::Hex]; }

    std::string TapeAsDecimal() {
        DecimalConversion decimal;
        return TapeText(calc_.Tape(), BarValueFormatter(decimal));
    }

    FormatSettingsScope format_;
    pexa::testing::DrawingDisplay display_;
    Calculator calc_{display_};
};

struct UndoCase {
    const char* Name;
    const char* Keys;
    const char* Dec;
    const char* Hex;
    CalcValueMode Mode;
};

constexpr UndoCase UndoCases[] = {
    {"clear all undone", "777 AC undo", "777", "00000309", CalcValueMode::DWord},
    {"mode switch undone with the value it cut", "@HEX 1234 Byte undo", "4660", "00001234",
     CalcValueMode::DWord},
    {"function undone back into the entry", "Real 9 sqrt undo 1", "91", "5B", CalcValueMode::Float},
    {"entry text as typed", "Real 1.50 + undo 0", "1.500", "1", CalcValueMode::Float},
    {"one typed digit is one step", "123 undo", "12", "0000000C", CalcValueMode::DWord},
    {"backspace undone", "123 BS BS undo 4", "124", "0000007C", CalcValueMode::DWord},
    {"entry after a mode switch", "Real 2.5 DWord 7 undo 8", "28", "0000001C",
     CalcValueMode::DWord},
    {"operator undone keeps the entry going", "12 + undo 3 =", "123", "0000007B",
     CalcValueMode::DWord},
    {"equals undone back into the entry", "2 + 3 = undo 4 =", "36", "00000024",
     CalcValueMode::DWord},
    {"error undone unblocks", "5 / 0 = undo BS 5 =", "1", "00000001", CalcValueMode::DWord},
    {"redo after undo", "12 + 3 = undo undo redo redo", "15", "0000000F", CalcValueMode::DWord},
    {"signed undone", "Byte 200 Signed undo", "200", "C8", CalcValueMode::Byte},
    {"undo with nothing recorded", "undo undo 5", "5", "00000005", CalcValueMode::DWord},
    {"memory in Byte wraps", "Byte 200 MS 100 M+ MR", "44", "2C", CalcValueMode::Byte},
    {"memory subtracts in the mode", "Byte 5 MS 7 M- MR", "254", "FE", CalcValueMode::Byte},
    {"memory undone", "5 MS 6 MS undo MR", "5", "00000005", CalcValueMode::DWord},
    {"memory clear undone", "5 MS MC undo 7 MR", "5", "00000005", CalcValueMode::DWord},
    {"store ends the entry", "12 MS 3", "3", "00000003", CalcValueMode::DWord},
};

TEST_F(CalculatorUndoTest, Sequences) {
    for (const UndoCase& c : UndoCases) {
        SCOPED_TRACE(c.Name);
        calc_.SetMode(CalcValueMode::DWord);
        calc_.SetSigned(false);
        calc_.Clear(true);
        calc_.MemoryClear();
        calc_.Bars().Activate(BarKind::Decimal);
        calc_.ForgetUndo();
        Keys(c.Keys);
        EXPECT_EQ(Dec(), c.Dec);
        EXPECT_EQ(Hex(), c.Hex);
        EXPECT_EQ(calc_.Mode(), c.Mode);
    }
}

TEST_F(CalculatorUndoTest, UndoRestoresTheEntryStateAndPendingOperator) {
    Keys("9 + 4 =");
    EXPECT_EQ(calc_.Entry(), EntryState::Equalled);
    Keys("undo");
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    EXPECT_EQ(display_.OperatorSymbol, "+");
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Add);
    EXPECT_EQ(display_.Restored, 1);
}

TEST_F(CalculatorUndoTest, NewCommandAfterUndoDropsTheRedoSteps) {
    Keys("12 undo");
    EXPECT_TRUE(calc_.CanRedo());
    Keys("5");
    EXPECT_FALSE(calc_.CanRedo());
    EXPECT_FALSE(calc_.Redo());
    EXPECT_EQ(Dec(), "15");
}

TEST_F(CalculatorUndoTest, RefusedCommandIsNoStep) {
    Keys("5");
    calc_.ForgetUndo();
    Keys("G BS BS"); // no G in the decimal bar; the second backspace finds "0"
    EXPECT_TRUE(calc_.CanUndo());
    Keys("undo");
    EXPECT_EQ(Dec(), "5");
    EXPECT_FALSE(calc_.CanUndo());
}

TEST_F(CalculatorUndoTest, KeepsTheLastStepsUpToItsDepth) {
    const int steps = static_cast<int>(UndoHistory::Depth) + 5;
    for (int i = 0; i < steps; ++i)
        calc_.Type(static_cast<char>('1' + i % 9), true, false);
    int undone = 0;
    while (calc_.Undo())
        ++undone;
    EXPECT_GE(undone, 200);
    EXPECT_EQ(undone, static_cast<int>(UndoHistory::Depth));
    // Back at the state after step 5 of 1,005 (the fifth digit typed).
    EXPECT_EQ(Dec(), "5");
}

TEST_F(CalculatorUndoTest, OptionsAndModeAreUndone) {
    FunctionOptions options = calc_.Options();
    options.SetAngle(AngleUnit::Radian);
    options.SetHyperbolic(true);
    calc_.SetOptions(options);
    calc_.SetReversed(true);
    Keys("undo");
    EXPECT_FALSE(calc_.Reversed());
    EXPECT_EQ(calc_.Options().Angle(), AngleUnit::Radian);
    Keys("undo");
    EXPECT_EQ(calc_.Options().Angle(), AngleUnit::Degree);
    EXPECT_FALSE(calc_.Options().Hyperbolic());
    Keys("redo");
    EXPECT_TRUE(calc_.Options().Hyperbolic());
}

TEST_F(CalculatorUndoTest, OpenBarsAndTheActiveBarAreNotUndone) {
    Keys("42");
    calc_.OpenBar(BarKind::Oct);
    calc_.Bars().Activate(BarKind::Hex);
    Keys("undo");
    EXPECT_TRUE(calc_.Bars().IsOpen(BarKind::Oct));
    EXPECT_EQ(calc_.Bars().Active(), BarKind::Hex);
    EXPECT_EQ(Dec(), "4");
    EXPECT_EQ(display_.Shown[BarKind::Oct], "00000000004");
}

TEST_F(CalculatorUndoTest, UndoAndRedoGiveBackTheSameState) {
    Keys("Real 1.25 * 3 - 2.5 sqrt neg MS =");
    const CalculatorSnapshot after = calc_.Snapshot();
    const std::string shown = Dec();
    int undone = 0;
    while (calc_.Undo())
        ++undone;
    // A step for the mode, each character, each operator and function.
    EXPECT_EQ(undone, 15);
    EXPECT_EQ(Dec(), "0");
    while (calc_.Redo())
        ;
    EXPECT_TRUE(calc_.Snapshot() == after);
    EXPECT_EQ(Dec(), shown);
}

TEST_F(CalculatorUndoTest, PastedTextComesBackAsPasted) {
    Keys("Real");
    ASSERT_TRUE(calc_.Paste({"1", ".", "5", "0"}));
    ASSERT_EQ(Dec(), "1.50");
    Keys("sqrt undo");
    EXPECT_EQ(Dec(), "1.50");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    Keys("undo");
    EXPECT_EQ(Dec(), "0");
}

// A view change rewrites the bar from its value; undo shows the value there.
TEST_F(CalculatorUndoTest, BarSettingsChangedEndsTheReplayOfItsEntry) {
    Keys("Real 2.50");
    calc_.BarSettingsChanged(BarKind::Decimal);
    Keys("MS undo");
    EXPECT_EQ(Dec(), "2.5");
}

// The steps recorded before the change hold the entry too: undone to, they
// show their value under the new settings rather than replay the entry,
// which there would read as another value ("6", the year 6, as 6 days).
TEST_F(CalculatorUndoTest, BarSettingsChangedEndsTheReplayOfItsEntryInEarlierSteps) {
    Keys("Real");
    auto& time = dynamic_cast<DateTimeConversion&>(*calc_.OpenBar(BarKind::Time));
    calc_.Bars().Activate(BarKind::Time);
    Keys("60");
    time.SetDiffMode(true);
    calc_.BarSettingsChanged(BarKind::Time);
    Keys("undo");
    // 0006-01-01 00:00:00 in seconds from 1970, by the C++ calendar.
    using namespace std::chrono;
    const auto year6 = sys_days{year{6} / January / 1};
    const auto seconds = duration_cast<std::chrono::seconds>(year6.time_since_epoch()).count();
    ASSERT_EQ(Dec(), std::to_string(seconds));
    EXPECT_EQ(display_.Shown[BarKind::Time], std::to_string(seconds / 86400) + "d 00:00:00");
    EXPECT_EQ(GetReal(time.GetValue()), GetReal(calc_.Current()));
}

// A bar opened again starts with its own settings: the entries typed into
// the closed one (6 days) are not replayed into it (as the year 6).
TEST_F(CalculatorUndoTest, ClosedBarsEntriesAreNotReplayedIntoItsSuccessor) {
    Keys("Real");
    dynamic_cast<DateTimeConversion&>(*calc_.OpenBar(BarKind::Time)).SetDiffMode(true);
    calc_.BarSettingsChanged(BarKind::Time);
    calc_.Bars().Activate(BarKind::Time);
    Keys("60");
    ASSERT_EQ(Dec(), "5184000");
    calc_.CloseBar(BarKind::Time);
    Conversion& reopened = *calc_.OpenBar(BarKind::Time);
    Keys("undo");
    EXPECT_EQ(Dec(), "518400");
    EXPECT_EQ(display_.Shown[BarKind::Time], "1970/01/07 00:00:00");
    EXPECT_EQ(GetReal(reopened.GetValue()), GetReal(calc_.Current()));
}

TEST_F(CalculatorUndoTest, RealMemoryErrorLeavesTheMemory) {
    Keys("Real 9000000000000000000 MS M+");
    ASSERT_TRUE(calc_.HasMemory());
    EXPECT_EQ(GetReal(*calc_.Memory()), 9e18L);
    EXPECT_EQ(Dec(), "error: invalid operation");
    EXPECT_TRUE(calc_.IsBlocked());
    // The error is a step of its own: undone, the value comes back.
    Keys("undo");
    EXPECT_EQ(Dec(), "9000000000000000000");
    EXPECT_EQ(GetReal(*calc_.Memory()), 9e18L);
}

TEST_F(CalculatorUndoTest, MemoryCommandsAreRefusedWhileBlocked) {
    Keys("5 MS 1 / 0 =");
    ASSERT_TRUE(calc_.IsBlocked());
    EXPECT_FALSE(calc_.MemoryStore());
    EXPECT_FALSE(calc_.MemoryAdd());
    EXPECT_EQ(GetInteger(*calc_.Memory()), 5);
    // Recall is a new value, as Answer is: it ends the block.
    EXPECT_TRUE(calc_.MemoryRecall());
    EXPECT_EQ(Dec(), "5");
}

TEST_F(CalculatorUndoTest, EmptyMemoryRecallsNothing) {
    Keys("8");
    EXPECT_FALSE(calc_.HasMemory());
    EXPECT_FALSE(calc_.MemoryRecall());
    EXPECT_EQ(Dec(), "8");
    Keys("M-");
    ASSERT_TRUE(calc_.HasMemory());
    EXPECT_EQ(GetInteger(*calc_.Memory()), 0xFFFFFFF8);
    EXPECT_GE(display_.MemoryChanges, 1);
}

TEST_F(CalculatorUndoTest, ChainGivesALinePerComputedStep) {
    Keys("12 + 3 * 2 =");
    EXPECT_EQ(TapeAsDecimal(), "12 + 3 = 15\n15 * 2 = 30\n");
    ASSERT_EQ(calc_.Tape().Count(), 2u);
    EXPECT_EQ(calc_.Tape().At(1)->Binary, BinaryOp::Mul);
    EXPECT_EQ(calc_.Tape().At(1)->Mode, CalcValueMode::DWord);
}

TEST_F(CalculatorUndoTest, FunctionsAndPastesJoinTheTape) {
    Keys("Real 9 sqrt");
    EXPECT_TRUE(calc_.Paste({"2", ".", "5"}));
    Keys("Byte 7 + 8 + 250 =");
    EXPECT_EQ(TapeAsDecimal(), "sqrt(9) = 3\n2.5\n7 + 8 = 15\n15 + 250 = 9\n");
    EXPECT_EQ(calc_.Tape().At(0)->Mode, CalcValueMode::Float);
    EXPECT_EQ(display_.TapeChanges, 4);
}

TEST_F(CalculatorUndoTest, AnEnteredExpressionJoinsTheTapeAndUndoesInOneStep) {
    Keys("Byte 7 +");
    calc_.EnterExpressionResult("(1 << 4) | 1", MakeReal(CalcValueMode::Byte, 17));
    Keys("=");
    EXPECT_EQ(TapeAsDecimal(), "(1 << 4) | 1 = 17\n7 + 17 = 24\n");
    ASSERT_TRUE(calc_.Undo());
    ASSERT_TRUE(calc_.Undo());
    EXPECT_EQ(GetInteger(calc_.Current()), 7);
    // Undo restores the state; the tape keeps what was computed.
    EXPECT_EQ(calc_.Tape().Count(), 2u);
}

TEST_F(CalculatorUndoTest, NothingComputedNoLine) {
    Keys("Signed 5 = 5 / 0 = AC 3 neg");
    // "5 =" computes nothing, the division fails, and the sign key edits the
    // signed entry.
    EXPECT_EQ(calc_.Tape().Count(), 0u);
}

TEST_F(CalculatorUndoTest, TapeKeepsTheLastThousandLines) {
    Keys("1 + =");
    for (int i = 0; i < 1004; ++i)
        calc_.Equal();
    EXPECT_EQ(calc_.Tape().Count(), HistoryTape::Capacity);
    DecimalConversion decimal;
    decimal.SetMode(CalcValueMode::DWord);
    const ValueFormatter format = BarValueFormatter(decimal);
    // 1,005 lines "k + 1 = k+1" were made; the first five are gone.
    EXPECT_EQ(TapeLineText(*calc_.Tape().At(0), format), "6 + 1 = 7");
    EXPECT_EQ(TapeLineText(*calc_.Tape().At(999), format), "1005 + 1 = 1006");
    calc_.ClearTape();
    EXPECT_TRUE(calc_.Tape().Empty());
}

TEST_F(CalculatorUndoTest, TapeIsNotUndone) {
    Keys("2 + 3 = undo");
    EXPECT_EQ(calc_.Tape().Count(), 1u);
}

TEST_F(CalculatorUndoTest, RecalledLineComesBackInItsModeAndIsUndoable) {
    Keys("200 + 100 = Byte AC");
    ASSERT_EQ(calc_.Tape().Count(), 1u);
    EXPECT_TRUE(calc_.RecallTapeLine(0));
    EXPECT_EQ(calc_.Mode(), CalcValueMode::DWord);
    EXPECT_EQ(Dec(), "300");
    EXPECT_EQ(Hex(), "0000012C");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    Keys("undo");
    EXPECT_EQ(calc_.Mode(), CalcValueMode::Byte);
    EXPECT_EQ(Dec(), "0");
    EXPECT_FALSE(calc_.RecallTapeLine(1));
}

} // namespace
