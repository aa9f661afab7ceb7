// The calculator's rules, driven through its commands with a fake display
// that draws each bar only when it is told to.

#include "engine/Calculator.h"
#include "conv/CharacterConversion.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "engine/CalculatorDisplay.h"

#include "DrawingDisplay.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

using namespace pexa;

namespace {

// The start-up state: DWord, the decimal and hexadecimal bars, the decimal
// one active, '.' and ',' as the locale characters.
class CalculatorTest : public ::testing::Test {
protected:
    CalculatorTest() : format_(FormatSettings{}) {
        display_.Calc = &calc_;
        calc_.OpenBar(BarKind::Decimal);
        calc_.OpenBar(BarKind::Hex);
        calc_.Bars().Activate(BarKind::Decimal);
    }

    // Runs a sequence such as "12 + 3 =": a short key name, or digits typed
    // one by one into the active bar.
    void Keys(const std::string& sequence) {
        std::istringstream tokens(sequence);
        std::string token;
        while (tokens >> token) {
            static const std::map<std::string, BinaryOp::Index> binary = {
                {"+", BinaryOp::Add}, {"-", BinaryOp::Sub}, {"*", BinaryOp::Mul},
                {"/", BinaryOp::Div}, {"%", BinaryOp::Mod}, {"|", BinaryOp::Or},
            };
            if (const auto it = binary.find(token); it != binary.end())
                calc_.PressOperator(it->second);
            else if (token == "=")
                calc_.Equal();
            else if (token == "CE" || token == "AC")
                calc_.Clear(token == "AC");
            else if (token == "BS")
                calc_.BackSpace();
            else if (token == "neg")
                calc_.ToggleSign();
            else if (token == "x^2")
                calc_.ApplyUnary(UnaryOp::Square);
            else if (token == "ln")
                calc_.ApplyUnary(UnaryOp::Ln);
            else if (token == "Ans")
                calc_.RecallAnswer();
            else if (token == "PI")
                calc_.EnterPi();
            else if (token == "<<N")
                calc_.ShiftByAmount(+1);
            else if (token == ">>N")
                calc_.ShiftByAmount(-1);
            else if (token.rfind("bit", 0) == 0)
                calc_.FlipBit(std::stoi(token.substr(3)));
            else
                for (const char c : token)
                    calc_.Type(c, false, false);
        }
    }
    const std::string& Dec() { return display_.Shown[BarKind::Decimal]; }
    const std::string& Hex() { return display_.Shown[BarKind::Hex]; }

    FormatSettingsScope format_;
    pexa::testing::DrawingDisplay display_;
    Calculator calc_{display_};
};

const std::string DivideByZeroShown = "error: division by zero";

struct SequenceCase {
    const char* Name;
    const char* Keys;
    const char* Dec;
    const char* Hex;
};

constexpr SequenceCase SequenceCases[] = {
    {"left to right", "2 + 3 * 4 =", "20", "00000014"},
    {"operand reused", "5 + =", "10", "0000000A"},
    {"operator replaced", "5 + * 2 =", "10", "0000000A"},
    {"digit after equals starts afresh", "2 + 3 = 4 + 1 =", "5", "00000005"},
    {"operator after equals continues", "2 + 3 = + 1 =", "6", "00000006"},
    {"unary keeps pending", "2 + 3 x^2 =", "11", "0000000B"},
    {"unary after equals", "2 + 3 = x^2 =", "30", "0000001E"},
    {"clear error keeps operator", "5 + 7 CE 3 =", "8", "00000008"},
    {"unsigned wrap", "5 - 8 =", "4294967293", "FFFFFFFD"},
    {"hex digits type into the active bar only when it reads them", "1 A 2 =", "12", "0000000C"},
    {"evaluation shown before next operator", "6 * 7 -", "42", "0000002A"},
    {"backspace edits", "123 BS 4", "124", "0000007C"},
    {"bit flip keeps pending", "2 + 5 bit1 =", "9", "00000009"},
    {"digit after bit flip starts afresh", "5 bit0 3", "3", "00000003"},
    {"bit flip after equals", "2 + 3 = bit3 =", "18", "00000012"},
    {"bit flip of top bit", "bit31", "2147483648", "80000000"},
    {"bit flip twice restores", "6 bit2 bit2", "6", "00000006"},
};

TEST_F(CalculatorTest, Sequences) {
    for (const SequenceCase& c : SequenceCases) {
        SCOPED_TRACE(c.Name);
        Keys("AC");
        calc_.SetPendingOperator(std::nullopt);
        Keys(c.Keys);
        EXPECT_EQ(Dec(), c.Dec);
        EXPECT_EQ(Hex(), c.Hex);
    }
}

// The bit counts act as the other functions do: on the current value, in
// the mode's width, keeping a pending operator; <bit> is the reference.
TEST_F(CalculatorTest, BitCountsApplyToTheCurrentValueInTheModesWidth) {
    struct Case {
        CalcValueMode Mode;
        std::uint64_t Value;
        int Width;
    };
    const Case cases[] = {
        {CalcValueMode::DWord, 0xF0, 32},
        {CalcValueMode::DWord, 0, 32},
        {CalcValueMode::Byte, 0x81, 8},
        {CalcValueMode::Word, 0x8000, 16},
        {CalcValueMode::QWord, 0x00F0000000000000ull, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        calc_.SetMode(c.Mode);
        const std::uint64_t mask = c.Width == 64 ? ~0ull : (1ull << c.Width) - 1;
        const int top = 64 - c.Width;
        const int expected[] = {
            std::popcount(c.Value),
            c.Value == 0 ? c.Width : std::countl_zero(c.Value) - top,
            c.Value == 0 ? c.Width : std::countr_zero(c.Value),
        };
        const UnaryOp::Index ops[] = {UnaryOp::PopCount, UnaryOp::LeadingZeros,
                                      UnaryOp::TrailingZeros};
        for (int i = 0; i < 3; ++i) {
            Keys("AC");
            Keys("1 +");
            Keys(std::to_string(c.Value & mask));
            calc_.ApplyUnary(ops[i]);
            EXPECT_EQ(Dec(), std::to_string(expected[i]));
            Keys("=");
            EXPECT_EQ(Dec(), std::to_string(expected[i] + 1));
        }
    }
}

TEST_F(CalculatorTest, RepeatedEqualsRepeatsTheLastOperation) {
    Keys("5 + 3 =");
    EXPECT_EQ(Dec(), "8");
    Keys("=");
    EXPECT_EQ(Dec(), "11");
    Keys("=");
    EXPECT_EQ(Dec(), "14");
    EXPECT_EQ(calc_.Entry(), EntryState::Equalled);
    EXPECT_EQ(GetInteger(calc_.Answer()), 14);
    EXPECT_EQ(GetInteger(calc_.Operand()), 3);
}

TEST_F(CalculatorTest, EqualsWithoutOperatorKeepsTheValue) {
    Keys("42 =");
    EXPECT_EQ(Dec(), "42");
    EXPECT_EQ(GetInteger(calc_.Accumulator()), 42);
    EXPECT_EQ(GetInteger(calc_.Operand()), 42);
    EXPECT_EQ(GetInteger(calc_.Answer()), 42);
    EXPECT_EQ(calc_.PendingOperator(), std::nullopt);
}

TEST_F(CalculatorTest, OperatorSymbolIsHiddenAfterEqualsButStaysPending) {
    Keys("5 +");
    EXPECT_EQ(display_.OperatorSymbol, "+");
    Keys("* 2 =");
    EXPECT_EQ(display_.OperatorSymbol, "");
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Mul);
    Keys("AC");
    EXPECT_EQ(calc_.PendingOperator(), std::nullopt);
}

TEST_F(CalculatorTest, ClearErrorKeepsPendingOperationClearAllDoesNot) {
    Keys("2 + 3 = 9 + 4 CE");
    EXPECT_EQ(Dec(), "0");
    EXPECT_EQ(calc_.Entry(), EntryState::Idle);
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Add);
    EXPECT_EQ(GetInteger(calc_.Accumulator()), 9);
    Keys("AC");
    EXPECT_EQ(calc_.PendingOperator(), std::nullopt);
    EXPECT_EQ(GetInteger(calc_.Accumulator()), 0);
    EXPECT_EQ(calc_.Accumulator().Mode, CalcValueMode::Float);
    // Neither clear touches the answer.
    Keys("Ans");
    EXPECT_EQ(Dec(), "5");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
}

TEST_F(CalculatorTest, ErrorBlocksUntilCleared) {
    Keys("7 / 0 =");
    EXPECT_EQ(Dec(), DivideByZeroShown);
    EXPECT_EQ(Hex(), DivideByZeroShown);
    EXPECT_TRUE(calc_.IsBlocked());
    EXPECT_EQ(GetInteger(calc_.Answer()), 7);
    const EntryState state = calc_.Entry();
    EXPECT_FALSE(calc_.CanType('1', false, false));
    Keys("1 BS + = x^2 neg <<N");
    EXPECT_TRUE(calc_.IsBlocked());
    EXPECT_EQ(calc_.Entry(), state);
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Div);
    EXPECT_EQ(Dec(), DivideByZeroShown);
    // Clear Error takes the error away and keeps "7 /".
    Keys("CE");
    EXPECT_FALSE(calc_.IsBlocked());
    EXPECT_EQ(Dec(), "0");
    Keys("2 =");
    EXPECT_EQ(Dec(), "3");
    EXPECT_EQ(Hex(), "00000003");
}

TEST_F(CalculatorTest, AnswerAndPiEndABlock) {
    Keys("7 / 0 =");
    Keys("Ans");
    EXPECT_FALSE(calc_.IsBlocked());
    EXPECT_EQ(Dec(), "7");
    calc_.SetMode(CalcValueMode::Float);
    Keys("/ 0 =");
    EXPECT_TRUE(calc_.IsBlocked());
    Keys("PI");
    EXPECT_FALSE(calc_.IsBlocked());
    EXPECT_FALSE(calc_.Bars().HasError(BarKind::Hex));
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
}

TEST_F(CalculatorTest, ErrorInAnInactiveBarDoesNotBlock) {
    calc_.ReportFailure(std::make_exception_ptr(CalcError(CalcErrorKind::Overflow)), BarKind::Hex);
    EXPECT_EQ(Hex(), "error: overflow");
    EXPECT_FALSE(calc_.IsBlocked());
    Keys("3");
    EXPECT_EQ(Hex(), "00000003");
    // A failure that is not a calculation error shows nothing.
    calc_.ReportFailure(std::make_exception_ptr(std::runtime_error("x")), std::nullopt);
    EXPECT_FALSE(calc_.IsBlocked());
    EXPECT_EQ(Dec(), "3");
}

TEST_F(CalculatorTest, FailedUnaryKeepsStateComputed) {
    calc_.SetMode(CalcValueMode::Float);
    Keys("2 + 0 ln");
    EXPECT_EQ(Dec(), DivideByZeroShown);
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Add);
    EXPECT_EQ(GetReal(calc_.Accumulator()), 2.0L);
}

TEST_F(CalculatorTest, PasteTypesThroughTheActiveBarAndSignsLast) {
    calc_.SetSigned(true);
    calc_.SetMode(CalcValueMode::Byte);
    EXPECT_TRUE(calc_.Paste({"-", "1", "2", "8"}));
    EXPECT_EQ(Dec(), "-128");
    EXPECT_EQ(Hex(), "80");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    // A character the bar cannot take refuses the whole paste.
    EXPECT_FALSE(calc_.Paste({"4", std::nullopt, "5"}));
    EXPECT_EQ(Dec(), "-128");
}

// Where "-" also separates a date's fields, a pasted negative date keeps its
// sign: "-2" is the year -2 as typed, not the year 2 with a separator due.
TEST_F(CalculatorTest, PastedSignOfADashSeparatedDateIsTheSign) {
    const FormatSettingsScope dashDates(FormatSettings{'.', ',', '-', ':'});
    calc_.SetMode(CalcValueMode::QWord);
    calc_.OpenBar(BarKind::Time);
    calc_.Bars().Activate(BarKind::Time);
    for (const char ch : std::string("-2-1-1"))
        calc_.Type(ch, false, false);
    const std::int64_t typed = GetInteger(calc_.Current());

    ASSERT_TRUE(calc_.Paste({"2", "-", "1", "-", "1"}));
    const std::int64_t unsignedYear = GetInteger(calc_.Current());
    ASSERT_TRUE(calc_.Paste({"-", "2", "-", "1", "-", "1"}));
    EXPECT_EQ(GetInteger(calc_.Current()), typed);
    EXPECT_NE(GetInteger(calc_.Current()), unsignedYear);
}

struct FlipWidthCase {
    CalcValueMode Mode;
    int TopBit;
    const char* TopSetHex;
};

constexpr FlipWidthCase FlipWidthCases[] = {
    {CalcValueMode::Byte, 7, "80"},
    {CalcValueMode::Word, 15, "8000"},
    {CalcValueMode::DWord, 31, "80000000"},
    {CalcValueMode::QWord, 63, "8000000000000000"},
};

TEST_F(CalculatorTest, FlipBitReachesTheTopBitOfEveryIntegerModeAndNoFurther) {
    for (const FlipWidthCase& c : FlipWidthCases) {
        SCOPED_TRACE(ModeCaption(c.Mode));
        calc_.SetMode(c.Mode);
        Keys("AC");
        EXPECT_TRUE(calc_.FlipBit(c.TopBit));
        EXPECT_EQ(Hex(), c.TopSetHex);
        EXPECT_EQ(calc_.Entry(), EntryState::Computed);
        Keys("1");
        EXPECT_FALSE(calc_.FlipBit(c.TopBit + 1));
        EXPECT_FALSE(calc_.FlipBit(-1));
        EXPECT_EQ(Dec(), "1");
        EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    }
}

TEST_F(CalculatorTest, FlipBitIsRefusedInRealMode) {
    calc_.SetMode(CalcValueMode::Float);
    Keys("5");
    EXPECT_FALSE(calc_.FlipBit(0));
    EXPECT_EQ(Dec(), "5");
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
}

TEST_F(CalculatorTest, FlipBitIgnoresTheSignedReading) {
    calc_.SetMode(CalcValueMode::Byte);
    calc_.SetSigned(true);
    Keys("bit7");
    EXPECT_EQ(Dec(), "-128");
    EXPECT_EQ(Hex(), "80");
    Keys("bit0");
    EXPECT_EQ(Dec(), "-127");
    Keys("bit7");
    EXPECT_EQ(Dec(), "1");
}

TEST_F(CalculatorTest, FlipBitChangesTheValueNotTheReversedReading) {
    calc_.OpenBar(BarKind::Bin);
    calc_.SetReversed(true);
    const Conversion& bin = *calc_.Bars().Find(BarKind::Bin);
    // The binary bar shows the value's own bit order under Reverse Endian.
    const int bit = ValueBitShownAt(0, CalcValueMode::DWord, bin.IsReversed());
    EXPECT_EQ(bit, 0);
    EXPECT_TRUE(calc_.FlipBit(bit));
    EXPECT_EQ(GetInteger(calc_.Current()), 1);
    EXPECT_EQ(Hex(), "00000001");
    EXPECT_EQ(bin.GetText(false), std::string(31, '0') + "1");
    EXPECT_EQ(Dec(), "16777216");
}

struct ShownBitCase {
    int Shown;
    CalcValueMode Mode;
    bool Reversed;
    int ValueBit;
};

constexpr ShownBitCase ShownBitCases[] = {
    {0, CalcValueMode::DWord, false, 0},  {31, CalcValueMode::DWord, false, 31},
    {0, CalcValueMode::DWord, true, 24},  {31, CalcValueMode::DWord, true, 7},
    {9, CalcValueMode::Word, true, 1},    {63, CalcValueMode::QWord, true, 7},
    {12, CalcValueMode::QWord, true, 52}, {3, CalcValueMode::Byte, true, 3},
    {8, CalcValueMode::Byte, false, -1},  {32, CalcValueMode::DWord, true, -1},
    {-1, CalcValueMode::Word, false, -1}, {0, CalcValueMode::Float, false, -1},
};

TEST_F(CalculatorTest, ValueBitShownAtFollowsTheByteReversal) {
    for (const ShownBitCase& c : ShownBitCases) {
        SCOPED_TRACE(std::string(ModeCaption(c.Mode)) + " shown " + std::to_string(c.Shown) +
                     (c.Reversed ? " reversed" : ""));
        EXPECT_EQ(ValueBitShownAt(c.Shown, c.Mode, c.Reversed), c.ValueBit);
    }
}

TEST_F(CalculatorTest, FlipBitDoesNothingWhileBlocked) {
    Keys("7 / 0 =");
    const EntryState state = calc_.Entry();
    EXPECT_FALSE(calc_.FlipBit(0));
    EXPECT_TRUE(calc_.IsBlocked());
    EXPECT_EQ(Dec(), DivideByZeroShown);
    EXPECT_EQ(calc_.Entry(), state);
    EXPECT_EQ(GetInteger(calc_.Current()), 0);
}

// A character bar in code point mode takes whole characters: typed ones
// continue the entry, a pasted text starts a new one, and a character that
// does not go in leaves the value as it was.
TEST_F(CalculatorTest, WholeCharactersTypeAndPasteIntoTheCharacterBar) {
    EXPECT_FALSE(calc_.TakesWholeCharacters()); // the decimal bar
    EXPECT_FALSE(calc_.TypeCharacter(U'日'));
    auto* chars = dynamic_cast<CharacterConversion*>(calc_.OpenBar(BarKind::Char));
    ASSERT_NE(chars, nullptr);
    chars->SetEncoding(CharEncoding::CodePoint);
    calc_.Bars().Activate(BarKind::Char);
    ASSERT_TRUE(calc_.TakesWholeCharacters());
    Keys("7");
    EXPECT_EQ(Hex(), "00000037");
    EXPECT_FALSE(calc_.TypeCharacter(U'日')); // one character a value
    EXPECT_EQ(Hex(), "00000037");
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    EXPECT_TRUE(calc_.PasteCharacters(U"😀"));
    EXPECT_EQ(Hex(), "0001F600");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    // A second character has no place: the paste is refused whole.
    EXPECT_FALSE(calc_.PasteCharacters(U"日本"));
    EXPECT_EQ(Hex(), "0001F600");
    EXPECT_TRUE(calc_.PasteCharacters(U"日"));
    // A surrogate is no character: nothing is cleared.
    EXPECT_FALSE(calc_.PasteCharacters(U"\xD800"));
    EXPECT_EQ(Hex(), "000065E5");
    chars->SetEncoding(CharEncoding::Utf8);
    EXPECT_TRUE(calc_.TypeCharacter(U'日')); // after a paste: a new entry
    EXPECT_EQ(Hex(), "00E697A5");
    EXPECT_FALSE(calc_.TypeCharacter(U'é')); // two more bytes do not fit
    EXPECT_EQ(Hex(), "00E697A5");
}

TEST_F(CalculatorTest, ClosedBarHandsBackItsConversionAndActivationMoves) {
    calc_.Bars().Activate(BarKind::Hex);
    std::unique_ptr<Conversion> closed = calc_.CloseBar(BarKind::Hex);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(closed->GetKind(), BarKind::Hex);
    EXPECT_EQ(calc_.Bars().Active(), std::nullopt);
    calc_.Bars().EnsureActive();
    EXPECT_EQ(calc_.Bars().Active(), BarKind::Decimal);
    EXPECT_EQ(calc_.CloseBar(BarKind::Hex), nullptr);
    EXPECT_EQ(calc_.OpenBar(BarKind::Decimal), nullptr); // open already
}

// The shift keys take the amount and the kind of shift from the options,
// and the trigonometric keys the angle unit.
TEST_F(CalculatorTest, FunctionsReadTheOptions) {
    calc_.SetMode(CalcValueMode::Byte);
    calc_.Options().SetRotate(true);
    calc_.Options().SetShiftAmount(1);
    Keys("129 <<N");
    EXPECT_EQ(Dec(), "3");
    calc_.Options().SetRotate(false);
    calc_.Options().SetArithmeticShift(true);
    calc_.Options().SetShiftAmount(2);
    calc_.SetSigned(true);
    Keys("AC 64 neg >>N");
    EXPECT_EQ(Dec(), "-16");

    calc_.SetMode(CalcValueMode::Float);
    calc_.Options().SetAngle(AngleUnit::Degree);
    Keys("AC 90");
    calc_.ApplyTrig(TrigFunctionKind::Sin, false);
    EXPECT_EQ(Dec(), "1");
}

// The sign key edits a typed number where the bar can type a sign, and
// negates the value everywhere else.
TEST_F(CalculatorTest, SignKeyWhileTypingEditsTheEntry) {
    calc_.SetSigned(true);
    Keys("5 neg 3");
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    EXPECT_EQ(Dec(), "-53");
    EXPECT_EQ(Hex(), "FFFFFFCB");
    Keys("neg");
    EXPECT_EQ(Dec(), "53");
    Keys("+ 1 =");
    EXPECT_EQ(Dec(), "54");
}

TEST_F(CalculatorTest, SignKeyOutsideTypingNegates) {
    // Unsigned decimal cannot type "-".
    Keys("5 neg");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    EXPECT_EQ(Dec(), "4294967291");
    Keys("3");
    EXPECT_EQ(Dec(), "3");
    // Nor can the hexadecimal bar, which has no sign.
    calc_.Bars().Activate(BarKind::Hex);
    Keys("AC 2 neg");
    EXPECT_EQ(Hex(), "FFFFFFFE");
    EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    // After "=", negation keeps the operator for the next "=": 5 + (-5).
    Keys("AC 2 + 3 = neg");
    EXPECT_EQ(Hex(), "FFFFFFFB");
    Keys("=");
    EXPECT_EQ(Hex(), "00000000");
}

// Clear Error leaves a zero of the real mode, so "5 + CE =" adds 0 in the
// accumulator's mode and the display shows it in the calculator's.
TEST_F(CalculatorTest, ClearedOperandIsARealZero) {
    Keys("5 + CE =");
    EXPECT_EQ(Dec(), "5");
    EXPECT_EQ(calc_.Accumulator().Mode, CalcValueMode::Float);
    EXPECT_EQ(GetReal(calc_.Accumulator()), 5.0L);
    EXPECT_EQ(calc_.Current().Mode, CalcValueMode::DWord);
}

TEST_F(CalculatorTest, ModeChangeWhileTypingKeepsEntering) {
    Keys("12");
    calc_.SetMode(CalcValueMode::Byte);
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    EXPECT_EQ(calc_.Mode(), CalcValueMode::Byte);
    Keys("3");
    EXPECT_EQ(Dec(), "123");
    EXPECT_EQ(Hex(), "7B");
    EXPECT_EQ(calc_.Bars().Find(BarKind::Hex)->GetMode(), CalcValueMode::Byte);
}

// The registers keep the modes they were computed in: the pending
// operation runs in the wider mode, and the display shows the new one.
TEST_F(CalculatorTest, ModeChangeKeepsTheRegistersModes) {
    Keys("300 + 1");
    calc_.SetMode(CalcValueMode::Byte);
    EXPECT_EQ(calc_.Accumulator().Mode, CalcValueMode::DWord);
    EXPECT_EQ(GetInteger(calc_.Accumulator()), 300);
    EXPECT_EQ(calc_.Current().Mode, CalcValueMode::Byte);
    EXPECT_EQ(calc_.PendingOperator(), BinaryOp::Add);
    Keys("=");
    EXPECT_EQ(GetInteger(calc_.Accumulator()), 301);
    EXPECT_EQ(Dec(), "45");
}

TEST_F(CalculatorTest, SignedAndReversedOnlyChangeTheReading) {
    calc_.SetMode(CalcValueMode::Word);
    Keys("65535");
    const std::int64_t before = GetInteger(calc_.Current());
    calc_.SetSigned(true);
    EXPECT_EQ(Dec(), "-1");
    EXPECT_EQ(Hex(), "FFFF");
    EXPECT_EQ(GetInteger(calc_.Current()), before);
    Keys("AC");
    calc_.SetSigned(false);
    Keys("1");
    calc_.SetReversed(true);
    EXPECT_EQ(Dec(), "256");
    EXPECT_EQ(GetInteger(calc_.Current()), 1);
}

// Pi is the nearest 80-bit value, as the bars of an integer mode show it
// converted.
TEST_F(CalculatorTest, PiIsTheNearestExtendedValue) {
    calc_.SetMode(CalcValueMode::Float);
    Keys("PI");
    const CalcValue pi = calc_.Current();
    EXPECT_EQ(pi.Mode, CalcValueMode::Float);
    // Mantissa C90FDAA22168C235, biased exponent 4000 (hex).
    unsigned char bytes[sizeof(Real)] = {};
    const Real x = GetReal(pi);
    std::memcpy(bytes, &x, 10);
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, bytes, 8);
    EXPECT_EQ(mantissa, 0xC90FDAA22168C235ull);
    EXPECT_EQ(bytes[8] | (bytes[9] << 8), 0x4000);
    calc_.SetMode(CalcValueMode::DWord);
    EXPECT_EQ(Dec(), "3");
}

} // namespace
