// A paste is taken whole or refused whole, with the reason as data; an entry
// that denotes no valid value is not computed with.

#include "conv/FloatConversion.h"
#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace pexa;

namespace {

class RecordingDisplay : public CalculatorDisplay {
public:
    std::vector<Refusal> Refusals;
    int TextChanges = 0;

    void BarTextChanged(BarKind) override { ++TextChanges; }
    void BarReadingChanged(BarKind) override {}
    void PendingOperatorChanged() override {}
    void ActiveBarChanged() override {}
    void OperationRefused(const Refusal& refusal) override { Refusals.push_back(refusal); }
};

std::vector<PastedCharacter> Characters(const std::string& ascii) {
    std::vector<PastedCharacter> text;
    for (const char ch : ascii)
        text.push_back({static_cast<char32_t>(ch), std::string(1, ch)});
    return text;
}

// What a calculator shows and holds, to tell that a refusal changed nothing.
struct Snapshot {
    std::int64_t Bits;
    std::string Text;
    EntryState Entry;
    std::optional<BinaryOp::Index> Pending;

    static Snapshot Of(const Calculator& calc, BarKind bar) {
        return {GetInteger(calc.Current()), calc.Bars().Find(bar)->GetText(false), calc.Entry(),
                calc.PendingOperator()};
    }
    bool operator==(const Snapshot&) const = default;
};

struct PasteCase {
    const char* Name;
    CalcValueMode Mode;
    bool Signed;
    BarKind Bar;
    std::string Text;
    // Refused with this kind, or taken and giving these bits.
    std::optional<RefusalKind> Refused;
    std::int64_t Bits = 0;
    FloatFormat WordFormat = FloatFormat::Half;
};

class PasteRuleTest : public ::testing::TestWithParam<PasteCase> {
protected:
    PasteRuleTest() : format_(FormatSettings{}), calc_(display_), untouched_(display_) {}

    // The case's mode and bar, with an entry in the making and a pending
    // operator, which a refusal keeps.
    static void Prepare(Calculator& calc, const PasteCase& c) {
        calc.SetMode(c.Mode);
        calc.SetSigned(c.Signed);
        Conversion* bar = calc.OpenBar(c.Bar);
        ASSERT_NE(bar, nullptr);
        if (auto* floats = dynamic_cast<FloatConversion*>(bar))
            floats->SetWordFormat(c.WordFormat);
        calc.OpenBar(BarKind::Hex);
        calc.Bars().Activate(c.Bar);
        calc.Type('7', true, false);
        calc.PressOperator(BinaryOp::Add);
        calc.Type('1', false, false);
    }

    FormatSettingsScope format_;
    RecordingDisplay display_;
    Calculator calc_;
    // The same steps without the paste.
    Calculator untouched_;
};

TEST_P(PasteRuleTest, TakenWholeOrRefusedWhole) {
    const PasteCase& c = GetParam();
    Prepare(calc_, c);
    Prepare(untouched_, c);
    const Snapshot before = Snapshot::Of(calc_, c.Bar);

    const PasteResult result = calc_.PasteText(Characters(c.Text));
    if (c.Refused) {
        ASSERT_FALSE(result.Accepted());
        EXPECT_EQ(result.Refused()->Kind, *c.Refused);
        EXPECT_EQ(result.Refused()->Bar, c.Bar);
        EXPECT_EQ(Snapshot::Of(calc_, c.Bar), before);
        // The entry goes on as it was.
        for (Calculator* calc : {&calc_, &untouched_}) {
            calc->Type('2', false, false);
            calc->Equal();
        }
        EXPECT_EQ(Snapshot::Of(calc_, c.Bar), Snapshot::Of(untouched_, c.Bar));
        EXPECT_EQ(GetInteger(calc_.Answer()), GetInteger(untouched_.Answer()));
    } else {
        ASSERT_TRUE(result.Accepted()) << static_cast<int>(result.Refused()->Kind);
        EXPECT_EQ(GetInteger(calc_.Current()), c.Bits);
        EXPECT_EQ(calc_.Entry(), EntryState::Computed);
    }
}

using enum CalcValueMode;
using K = RefusalKind;

const std::string TinyReal = "0." + std::string(1000000, '0') + "1";

const PasteCase PasteCases[] = {
    // The decimal bar in DWord.
    {"DWordLargest", DWord, false, BarKind::Decimal, "4294967295", std::nullopt, 0xFFFFFFFF},
    {"DWordOneMore", DWord, false, BarKind::Decimal, "4294967296", K::TooLarge},
    {"DWordElevenDigits", DWord, false, BarKind::Decimal, "99999999999", K::TooLarge},
    {"SignedDWordBelow", DWord, true, BarKind::Decimal, "-2147483649", K::TooSmall},
    {"SignedDWordLowest", DWord, true, BarKind::Decimal, "-2147483648", std::nullopt, 0x80000000},
    {"SignedDWordAbove", DWord, true, BarKind::Decimal, "2147483648", K::TooLarge},
    {"LetterInside", DWord, false, BarKind::Decimal, "12x3", K::NotOfNotation},
    {"Exponent", DWord, false, BarKind::Decimal, "1e3", K::NotOfNotation},
    {"HexPrefixInDecimal", DWord, false, BarKind::Decimal, "0x1F", K::NotOfNotation},
    {"NegativeUnsigned", DWord, false, BarKind::Decimal, "-5", K::NegativeUnsigned},
    {"Grouped", DWord, false, BarKind::Decimal, "1,234,567", std::nullopt, 1234567},
    {"BlanksAround", DWord, false, BarKind::Decimal, " \t42\r\n", std::nullopt, 42},
    {"OnlyBlanks", DWord, false, BarKind::Decimal, " \r\n\t", K::Blank},
    {"OnlyMinus", DWord, true, BarKind::Decimal, "-", K::OnlySign},
    {"OnlyPlus", DWord, true, BarKind::Decimal, " + ", K::OnlySign},
    {"OnlyGrouping", DWord, false, BarKind::Decimal, ",,", K::NotOfNotation},
    // Int64 and Real.
    {"Int64TooLarge", QWord, false, BarKind::Decimal, "123456789012345678901234", K::TooLarge},
    {"Int64Largest", QWord, false, BarKind::Decimal, "9223372036854775807", std::nullopt,
     INT64_MAX},
    {"RealExponentLowerCase", Float, false, BarKind::Decimal, "1.5e3", K::NotOfNotation},
    {"RealMillionZeros", Float, false, BarKind::Decimal, TinyReal, K::TooManyDigits},
    // The other integer bars.
    {"HexPrefix", DWord, false, BarKind::Hex, "0x1F", std::nullopt, 0x1F},
    {"HexGroups", DWord, false, BarKind::Hex, "DEAD BEEF", std::nullopt, 0xDEADBEEF},
    {"HexTooLarge", DWord, false, BarKind::Hex, "1 0000 0000", K::TooLarge},
    {"HexMinus", DWord, true, BarKind::Hex, "-12", K::NotOfNotation},
    {"BinaryTooLarge", Byte, false, BarKind::Bin, "1 0000 0000", K::TooLarge},
    // The float bar: a number the format cannot hold is refused, not cut.
    {"HalfOverflowsAtRounding", Word, false, BarKind::Float, "65520", K::TooLarge},
    {"HalfLargestRoundsDown", Word, false, BarKind::Float, "65519", std::nullopt, 0x7BFF},
    {"HalfExponent", Word, false, BarKind::Float, "1e5", K::TooLarge},
    {"HalfHugeExponent", Word, false, BarKind::Float, "1e400", K::TooLarge},
    {"HalfHugeNegative", Word, false, BarKind::Float, "-1e400", K::TooSmall},
    // 1 + 2^-11 lies halfway between 3C00 and 3C01: a tie goes to the even
    // 3C00, anything above it to 3C01, however far down it differs.
    {"HalfTie", Word, false, BarKind::Float, "1.00048828125", std::nullopt, 0x3C00},
    {"HalfAboveTie", Word, false, BarKind::Float, "1.00048828125000000001", std::nullopt, 0x3C01},
    {"HalfDigitsBeyondTheBar", Word, false, BarKind::Float, "1.000488281250000000000000000001",
     K::TooManyDigits},
    {"Bf16Overflow", Word, false, BarKind::Float, "3.402823466e38", K::TooLarge, 0,
     FloatFormat::BFloat16},
    {"E4M3Overflow", Byte, false, BarKind::Float, "465", K::TooLarge},
    {"E4M3TieToLargest", Byte, false, BarKind::Float, "464", std::nullopt, 0x7E},
    {"FloatLetters", DWord, false, BarKind::Float, "1.5x", K::NotOfNotation},
    {"FloatHalfAWord", DWord, false, BarKind::Float, "In", K::NotOfNotation},
    // In the character bar a sign is a character like any other: alone, or
    // first before others, where it is not the number's sign.
    {"CharacterPlus", Byte, true, BarKind::Char, "+", std::nullopt, 0x2B},
    {"CharacterMinus", Byte, false, BarKind::Char, "-", std::nullopt, 0x2D},
    {"CharacterMinusFirst", Word, true, BarKind::Char, "-A", std::nullopt, 0x2D41},
    // A date that the mode cannot hold.
    {"DateBeyondWord", Word, false, BarKind::Time, "2006:01:02:03:04:05", K::NotOfNotation},
};

std::string CaseName(const ::testing::TestParamInfo<PasteCase>& param) {
    return param.param.Name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PasteRuleTest, ::testing::ValuesIn(PasteCases), CaseName);

class CalculatorPasteTest : public ::testing::Test {
protected:
    CalculatorPasteTest() : format_(FormatSettings{}), calc_(display_) {
        calc_.OpenBar(BarKind::Decimal);
        calc_.OpenBar(BarKind::Float);
        calc_.Bars().Activate(BarKind::Float);
    }

    // The pattern the float bar gives a pasted text.
    std::optional<std::int64_t> PastedPattern(const std::string& text) {
        if (!calc_.PasteText(Characters(text)))
            return std::nullopt;
        return GetInteger(calc_.Current());
    }

    FormatSettingsScope format_;
    RecordingDisplay display_;
    Calculator calc_;
};

// The C library reads the same texts into float and double on its own.
TEST_F(CalculatorPasteTest, FloatBarRoundsFromEveryDigitAsTheCLibraryDoes) {
    // Ties, and texts a hair above them far down the digits; the ends of
    // the ranges, where a tie rounds to infinity.
    const char* const texts[] = {
        "16777217",
        "16777217.00000000000000000001",
        "9007199254740993",
        "9007199254740993.0000000000000000001",
        "1.00000005960464477539",
        "340282356779733661637539395458142568447",
        "340282356779733661637539395458142568448",
        "123456789012345678901234567890",
        "3.4028235677973366e38",
        "2.2250738585072011e-308",
        "4.9406564584124654e-324",
    };
    for (const char* text : texts) {
        calc_.SetMode(CalcValueMode::DWord);
        const float single = std::strtof(text, nullptr);
        std::uint32_t singleBits = 0;
        std::memcpy(&singleBits, &single, sizeof singleBits);
        if (std::isinf(single))
            EXPECT_EQ(PastedPattern(text), std::nullopt) << text;
        else
            EXPECT_EQ(PastedPattern(text), static_cast<std::int64_t>(singleBits)) << text;

        calc_.SetMode(CalcValueMode::QWord);
        const double dbl = std::strtod(text, nullptr);
        std::int64_t doubleBits = 0;
        std::memcpy(&doubleBits, &dbl, sizeof doubleBits);
        EXPECT_EQ(PastedPattern(text), doubleBits) << text;
    }
}

TEST_F(CalculatorPasteTest, RefusalNamesTheRangeAndTheText) {
    calc_.SetMode(CalcValueMode::Word);
    const PasteResult half = calc_.PasteText(Characters("  65520\n"));
    ASSERT_FALSE(half);
    EXPECT_EQ(half.Refused()->RangeName, "Half");
    EXPECT_EQ(half.Refused()->TextBegin, 2u);
    EXPECT_EQ(half.Refused()->TextEnd, 7u);

    calc_.SetSigned(true);
    calc_.Bars().Activate(BarKind::Decimal);
    const PasteResult word = calc_.PasteText(Characters("-32769"));
    ASSERT_FALSE(word);
    EXPECT_EQ(word.Refused()->Kind, RefusalKind::TooSmall);
    EXPECT_EQ(word.Refused()->RangeName, "Word");
    EXPECT_TRUE(word.Refused()->Signed);

    const PasteResult letter = calc_.PasteText(Characters("12x3"));
    ASSERT_FALSE(letter);
    EXPECT_EQ(letter.Refused()->Offending, std::optional<std::size_t>(2));
}

// A byte order mark counts as a blank; a character no bar reads is refused
// with its position.
TEST_F(CalculatorPasteTest, ByteOrderMarkIsABlank) {
    calc_.Bars().Activate(BarKind::Decimal);
    std::vector<PastedCharacter> text = Characters("12");
    text.insert(text.begin(), PastedCharacter{U'\uFEFF', std::nullopt});
    ASSERT_TRUE(calc_.PasteText(text));
    EXPECT_EQ(GetInteger(calc_.Current()), 12);
    text.push_back({U'２', std::nullopt});
    const PasteResult wide = calc_.PasteText(text);
    ASSERT_FALSE(wide);
    EXPECT_EQ(wide.Refused()->Offending, std::optional<std::size_t>(3));
}

// A date typed in a mode that cannot hold it: the time bar shows it in red,
// and nothing computes with the masked value it hands out meanwhile.
TEST_F(CalculatorPasteTest, InvalidEntryRefusesOperationsUntilCorrected) {
    calc_.SetMode(CalcValueMode::Word);
    calc_.OpenBar(BarKind::Time);
    calc_.Bars().Activate(BarKind::Time);
    for (const char ch : std::string("2006:01:02:03:04:05"))
        calc_.Type(ch, false, false);
    ASSERT_EQ(calc_.InvalidEntryBar(), std::optional(BarKind::Time));
    const std::int64_t masked = GetInteger(calc_.Current());
    const std::string text = calc_.Bars().Find(BarKind::Time)->GetText(false);

    calc_.Equal();
    calc_.PressOperator(BinaryOp::Add);
    calc_.ApplyUnary(UnaryOp::Square);
    EXPECT_FALSE(calc_.FlipBit(0));
    ASSERT_EQ(display_.Refusals.size(), 4u);
    for (const Refusal& refusal : display_.Refusals) {
        EXPECT_EQ(refusal.Kind, RefusalKind::InvalidEntry);
        EXPECT_EQ(refusal.Bar, BarKind::Time);
    }
    EXPECT_EQ(calc_.PendingOperator(), std::nullopt);
    EXPECT_EQ(calc_.Entry(), EntryState::Entering);
    EXPECT_EQ(GetInteger(calc_.Current()), masked);
    EXPECT_EQ(GetInteger(calc_.Answer()), 0);
    EXPECT_EQ(calc_.Bars().Find(BarKind::Time)->GetText(false), text);

    // Corrected, everything flows again.
    calc_.Clear(false);
    for (const char ch : std::string("1970:01:01:01:00:00"))
        calc_.Type(ch, false, false);
    EXPECT_EQ(calc_.InvalidEntryBar(), std::nullopt);
    calc_.Equal();
    EXPECT_EQ(display_.Refusals.size(), 4u);
    EXPECT_EQ(GetInteger(calc_.Answer()), 3600);
}

} // namespace
