// Expressions: precedence, literals, names and functions in each mode, and
// every kind of mistake with the character position it is reported at.
// Expected values are worked out by hand from C's rules and the keypad's.

#include "engine/Expression.h"

#include "core/CalcError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

using namespace pexa;

namespace {

constexpr CalcValueMode Byte = CalcValueMode::Byte;
constexpr CalcValueMode Word = CalcValueMode::Word;
constexpr CalcValueMode DWord = CalcValueMode::DWord;
constexpr CalcValueMode QWord = CalcValueMode::QWord;
constexpr CalcValueMode RealMode = CalcValueMode::Float;

// Names the tests give values to; "m" stands for the memory.
std::optional<CalcValue> TestNames(std::string_view name) {
    CalcValue value = MakeZero();
    if (name == "x")
        SetInteger(value, CalcValueMode::QWord, 0x1234);
    else if (name == "m")
        SetReal(value, CalcValueMode::Float, 2.5L);
    else
        return std::nullopt;
    return value;
}

// The character bar's encoding as far as the tests need it: Shift JIS "あ".
std::optional<std::uint32_t> TestEncoding(char32_t ch) {
    if (ch == U'あ')
        return 0x82A0;
    return std::nullopt;
}

ExpressionContext Context(CalcValueMode mode) {
    ExpressionContext context;
    context.Mode = mode;
    context.LookupName = TestNames;
    context.EncodeCharacter = TestEncoding;
    SetInteger(context.Answer, CalcValueMode::DWord, 21);
    return context;
}

struct IntegerCase {
    CalcValueMode Mode;
    const char* Text;
    std::uint64_t Expected; // the value's bit pattern in the mode's width
};

constexpr IntegerCase IntegerCases[] = {
    // Precedence and associativity.
    {DWord, "2 + 3 * 4", 14},
    {DWord, "(2 + 3) * 4", 20},
    {DWord, "1 << 2 + 1", 8},
    {DWord, "1 | 2 ^ 3 & 1", 3},
    {DWord, "6 & 3 ^ 1", 3},
    {DWord, "12 | 3 & 5 ^ 6", 15},
    {DWord, "10 - 2 - 3", 5},
    {DWord, "100 / 10 / 5", 2},
    {DWord, "7 % 3 * 2", 2},
    {DWord, "2 ** 3 ** 2", 512},
    {DWord, "2 * 3 ** 2", 18},
    {QWord, "-2 ** 2", 0xFFFFFFFFFFFFFFFCu},
    {QWord, "(-2) ** 2", 4},
    {DWord, "-1", 0xFFFFFFFF},
    {DWord, "- -3", 3},
    {DWord, "+-+3", 0xFFFFFFFD},
    {Byte, "~0", 0xFF},
    {Byte, "~1 + 1", 0xFF},
    {DWord, "!0", 1},
    {DWord, "!5", 0},
    {DWord, "!!7", 1},
    {DWord, "!0 + 1", 2},
    {DWord, "(0x1F << 3) | 1", 249},
    {DWord, "1 << 20", 1048576},
    {DWord, "'A' + 1", 66},
    {DWord, "x & ~0xF", 0x1230},
    {DWord, "0xF0 >> 4", 15},
    {DWord, " ( ( 1 ) ) ", 1},
    // Literals, separators and suffixes.
    {DWord, "0x1F", 31},
    {DWord, "0X1f", 31},
    {DWord, "0b101", 5},
    {DWord, "0B11", 3},
    {DWord, "0o17", 15},
    {DWord, "0O17", 15},
    // As in C, a leading 0 makes an integer octal.
    {DWord, "017", 15},
    {DWord, "0755 + 00", 493},
    {DWord, "01'0", 8},
    {DWord, "1_000_000", 1000000},
    {DWord, "1'000'000", 1000000},
    {DWord, "0xFFFF'FFFF", 0xFFFFFFFF},
    {DWord, "0b1010_1010", 170},
    {DWord, "10u", 10},
    {DWord, "10U + 10l + 10L", 30},
    {DWord, "10ul + 10LU + 10ll", 30},
    {DWord, "10ULL + 10llu + 0xFFu", 275},
    {QWord, "0xFFFFFFFFFFFFFFFFull", 0xFFFFFFFFFFFFFFFFu},
    {QWord, "18446744073709551615", 0xFFFFFFFFFFFFFFFFu},
    {Byte, "255", 255},
    // Character literals.
    {DWord, "'A'", 65},
    {DWord, "' '", 32},
    {DWord, "'\\n'", 10},
    {DWord, "'\\t'", 9},
    {DWord, "'\\0'", 0},
    {DWord, "'\\\\'", 92},
    {DWord, "'\\''", 39},
    {DWord, "'\"'", 34},
    {DWord, "'\\x41'", 65},
    {DWord, "'\\xff'", 255},
    {DWord, "'\\101'", 65},
    {DWord, "'\\7'", 7},
    {DWord, "'\\377'", 255},
    {DWord, "'あ'", 0x82A0},
    {DWord, "'1'+'2'", 99},
    // Each mode's wrap.
    {Byte, "255 + 1", 0},
    {Byte, "16 * 16 + 3", 3},
    {Word, "0xFFFF + 2", 1},
    {DWord, "0xFFFFFFFF * 2", 0xFFFFFFFE},
    {QWord, "0xFFFFFFFFFFFFFFFF + 1", 0},
    {QWord, "-0x8000000000000000 / -1", 0x8000000000000000u},
    {Byte, "2 ** 8", 0},
    {Word, "3 ** 10", 59049},
    // Division follows the keypad: the mode's bit pattern in the narrow
    // modes, a signed 64-bit integer in Int64.
    {Byte, "200 / 3", 66},
    {DWord, "-7 / 2", 2147483644},
    {QWord, "-7 / 2", 0xFFFFFFFFFFFFFFFDu},
    {QWord, "-7 % 3", 0xFFFFFFFFFFFFFFFFu},
    {QWord, "7 % -3", 1},
    // Shifts: ">>>" is always logical; a count past the width clears.
    {Byte, "0x80 >> 1", 0x40},
    {Byte, "0x80 >>> 1", 0x40},
    {Byte, "1 << 8", 0},
    {DWord, "1 << 31", 0x80000000},
    {QWord, "1 << 64", 0},
    // Functions.
    {DWord, "sqrt(16)", 4},
    {DWord, "sqrt(17)", 4},
    {DWord, "SQRT(16) + Sqrt(9)", 7},
    {Byte, "popcount(0xFF)", 8},
    {QWord, "popcount(-1)", 64},
    {Byte, "clz(1)", 7},
    {Word, "clz(0)", 16},
    {DWord, "clz(1)", 31},
    {QWord, "clz(1)", 63},
    {DWord, "ctz(0x10)", 4},
    {Byte, "ctz(0)", 8},
    {QWord, "ctz(0)", 64},
    {DWord, "parity(7)", 1},
    {DWord, "parity(3)", 0},
    {Byte, "rotl(0x81, 1)", 0x03},
    {Word, "rotr(1, 1)", 0x8000},
    {DWord, "rotl(1, 33)", 2},
    {Word, "bswap(0x1234)", 0x3412},
    {DWord, "bswap(0x12345678)", 0x78563412},
    {Byte, "bitrev(1)", 0x80},
    {Word, "bitrev(0x00F1)", 0x8F00},
    {DWord, "abs(-5)", 0xFFFFFFFB},
    {DWord, "log(1024, 2)", 10},
    {DWord, "root(27, 3)", 3},
    {DWord, "floor(7) + frac(7)", 7},
    {DWord, "fact(5)", 120},
    // Names.
    {DWord, "ans * 2", 42},
    {DWord, "ANS + Ans", 42},
    {DWord, "pi", 3},
    {DWord, "m * 2", 4},
};

TEST(ExpressionTest, IntegerModes) {
    for (const IntegerCase& c : IntegerCases) {
        SCOPED_TRACE(std::string(ModeCaption(c.Mode)) + ": " + c.Text);
        const ExpressionResult result = EvaluateExpression(c.Text, Context(c.Mode));
        ASSERT_TRUE(result.Ok());
        EXPECT_FALSE(result.Syntax);
        EXPECT_FALSE(result.Failure);
        EXPECT_EQ(result.Value->Mode, c.Mode);
        EXPECT_EQ(static_cast<std::uint64_t>(GetInteger(*result.Value)) &
                      (c.Mode == QWord ? ~std::uint64_t{0}
                                       : (std::uint64_t{1} << (8 << static_cast<int>(c.Mode))) - 1),
                  c.Expected);
    }
}

TEST(ExpressionTest, ArithmeticShiftOptionChangesOnlyTheCShift) {
    ExpressionContext context = Context(Byte);
    context.Options.SetArithmeticShift(true);
    EXPECT_EQ(GetInteger(*EvaluateExpression("0x80 >> 1", context).Value), 0xC0);
    EXPECT_EQ(GetInteger(*EvaluateExpression("0x80 >>> 1", context).Value), 0x40);
    EXPECT_EQ(GetInteger(*EvaluateExpression("0x40 >> 1", context).Value), 0x20);
    // Rotation stays with rotl and rotr.
    context.Options.SetRotate(true);
    EXPECT_EQ(GetInteger(*EvaluateExpression("0x81 << 1", context).Value), 0x02);
}

TEST(ExpressionTest, AbsReadsTheSignedReading) {
    ExpressionContext context = Context(DWord);
    context.Signed = true;
    EXPECT_EQ(GetInteger(*EvaluateExpression("abs(-5)", context).Value), 5);
    EXPECT_EQ(GetInteger(*EvaluateExpression("abs(5)", context).Value), 5);
    context.Mode = Byte;
    // Like C's abs, the smallest integer stays itself.
    EXPECT_EQ(GetInteger(*EvaluateExpression("abs(-128)", context).Value), 0x80);
}

struct RealCase {
    const char* Text;
    Real Expected;
};

const RealCase RealCases[] = {
    {"1.5e3", 1500.0L},
    // Octal when it is an integer, decimal when it is a real, as in C.
    {"017 + 09.5 + 01e1", 34.5L},
    {"1.5E+3", 1500.0L},
    {"2.5e-1", 0.25L},
    {".5", 0.5L},
    {"1.", 1.0L},
    {"1e3", 1000.0L},
    {"1_000.25", 1000.25L},
    {"0x10 / 4", 4.0L},
    {"7 / 2", 3.5L},
    {"2 ** -1", 0.5L},
    {"-2 ** 2", -4.0L},
    {"'A'", 65.0L},
    {"sqrt(2)", std::sqrt(2.0L)},
    {"sin(90)", 1.0L},
    {"cos(0)", 1.0L},
    {"atan(1)", 45.0L},
    {"log(8, 2)", 3.0L},
    {"root(27, 3)", 3.0L},
    {"log2(1024) + log10(1000) + ln(1)", 13.0L},
    {"exp(0) + exp2(3) + exp10(2)", 109.0L},
    {"abs(-2.5)", 2.5L},
    {"floor(-2.5)", -3.0L},
    {"ceil(2.1)", 3.0L},
    {"round(2.5)", 3.0L},
    {"frac(2.75)", 0.75L},
    {"~0", -1.0L},
    {"5 & 3", 1.0L},
    {"(5 & 3) / 2", 0.5L},
    {"!0.5", 0.0L},
    {"!0.0", 1.0L},
    {"pi", PiValue},
    {"m + ans", 23.5L},
    {"1e-5000", 0.0L},
};

TEST(ExpressionTest, RealMode) {
    for (const RealCase& c : RealCases) {
        SCOPED_TRACE(c.Text);
        const ExpressionResult result = EvaluateExpression(c.Text, Context(RealMode));
        ASSERT_TRUE(result.Ok());
        EXPECT_EQ(result.Value->Mode, RealMode);
        EXPECT_EQ(GetReal(*result.Value), c.Expected);
    }
}

TEST(ExpressionTest, TrigonometryFollowsTheAngleUnit) {
    ExpressionContext context = Context(RealMode);
    context.Options.SetAngle(AngleUnit::Gradian);
    EXPECT_EQ(GetReal(*EvaluateExpression("sin(100)", context).Value), 1.0L);
    context.Options.SetAngle(AngleUnit::Radian);
    EXPECT_EQ(GetReal(*EvaluateExpression("cos(0) + sin(0)", context).Value), 1.0L);
    EXPECT_EQ(GetReal(*EvaluateExpression("atan(1) * 4", context).Value), PiValue);
}

struct SyntaxCase {
    CalcValueMode Mode;
    const char* Text;
    ExpressionSyntax Kind;
    int Position;
    const char* Subject;
    int Base;
};

using S = ExpressionSyntax;

const SyntaxCase SyntaxCases[] = {
    {DWord, "(1+2", S::MissingCloseParen, 5, "", 0},
    {DWord, "(1 2)", S::MissingCloseParen, 4, "", 0},
    {DWord, "0x1G", S::BadDigit, 4, "G", 16},
    {DWord, "", S::Empty, 1, "", 0},
    {DWord, "  \t ", S::Empty, 1, "", 0},
    {DWord, "1 +", S::ExpectedValue, 4, "", 0},
    {DWord, "1 + * 2", S::ExpectedValue, 5, "*", 0},
    {DWord, "()", S::ExpectedValue, 2, ")", 0},
    {DWord, "1 2", S::UnexpectedToken, 3, "2", 0},
    {DWord, "1)", S::UnexpectedToken, 2, ")", 0},
    {DWord, "(1)(2)", S::UnexpectedToken, 4, "(", 0},
    {DWord, "1, 2", S::UnexpectedToken, 2, ",", 0},
    {DWord, "0x", S::MissingDigits, 3, "", 16},
    {DWord, "0b", S::MissingDigits, 3, "", 2},
    {DWord, "0b102", S::BadDigit, 5, "2", 2},
    {DWord, "0o8", S::BadDigit, 3, "8", 8},
    {DWord, "0789", S::BadDigit, 3, "8", 8},
    {DWord, "12a", S::BadDigit, 3, "a", 10},
    {DWord, "12uu", S::BadDigit, 4, "u", 10},
    {DWord, "1__0", S::MisplacedSeparator, 2, "", 0},
    {DWord, "10_", S::MisplacedSeparator, 3, "", 0},
    {DWord, "0x_1", S::MisplacedSeparator, 3, "", 0},
    {Byte, "256", S::NumberTooLarge, 1, "", 0},
    {Byte, "0x100", S::NumberTooLarge, 1, "", 0},
    {Word, "1 + 0x10000", S::NumberTooLarge, 5, "", 0},
    {QWord, "18446744073709551616", S::NumberTooLarge, 1, "", 0},
    {QWord, "0x1_0000_0000_0000_0000", S::NumberTooLarge, 1, "", 0},
    {RealMode, "1e5000", S::NumberTooLarge, 1, "", 0},
    {Byte, "'あ'", S::NumberTooLarge, 1, "", 0},
    {DWord, "1.5", S::RealNeedsRealMode, 2, "", 0},
    {DWord, "1e3", S::RealNeedsRealMode, 2, "", 0},
    {DWord, "2 * .5", S::RealNeedsRealMode, 5, "", 0},
    {RealMode, "1e", S::MissingExponent, 3, "", 0},
    {RealMode, "1e+", S::MissingExponent, 4, "", 0},
    {RealMode, "1.5u", S::BadDigit, 4, "u", 10},
    {DWord, "'A", S::UnterminatedCharacter, 1, "", 0},
    {DWord, "1 + '", S::UnterminatedCharacter, 5, "", 0},
    {DWord, "'\\", S::UnterminatedCharacter, 1, "", 0},
    {DWord, "''", S::EmptyCharacter, 1, "", 0},
    {DWord, "'AB'", S::TooManyCharacters, 3, "", 0},
    {DWord, "'\\q'", S::BadEscape, 3, "q", 0},
    {DWord, "'\\x'", S::BadEscape, 3, "x", 0},
    {DWord, "'\\400'", S::BadEscape, 3, "400", 0},
    {DWord, "'é'", S::UnencodableCharacter, 2, "é", 0},
    {DWord, "'\xff'", S::UnencodableCharacter, 2, "\xff", 0},
    {DWord, "1 + あ", S::UnexpectedCharacter, 5, "あ", 0},
    {DWord, "1 $ 2", S::UnexpectedCharacter, 3, "$", 0},
    {DWord, "1 >>>> 2", S::UnexpectedCharacter, 6, ">", 0},
    {DWord, "1 < 2", S::UnexpectedCharacter, 3, "<", 0},
    {DWord, "y + 1", S::UnknownName, 1, "y", 0},
    {DWord, "foo(1)", S::UnknownFunction, 1, "foo", 0},
    {DWord, "2 * sqrt 4", S::MissingOpenParen, 5, "sqrt", 0},
    {DWord, "sqrt(4", S::MissingCloseParen, 7, "", 0},
    // Positions count characters, not bytes.
    {DWord, "'あ' + (1", S::MissingCloseParen, 9, "", 0},
    // The whole text is checked before anything is calculated.
    {DWord, "1/0 + )", S::ExpectedValue, 7, ")", 0},
};

TEST(ExpressionTest, SyntaxErrorsSayWhere) {
    for (const SyntaxCase& c : SyntaxCases) {
        SCOPED_TRACE(std::string(ModeCaption(c.Mode)) + ": " + c.Text);
        const ExpressionResult result = EvaluateExpression(c.Text, Context(c.Mode));
        EXPECT_FALSE(result.Ok());
        EXPECT_FALSE(result.Failure);
        ASSERT_TRUE(result.Syntax);
        EXPECT_STREQ(ExpressionSyntaxName(result.Syntax->Kind), ExpressionSyntaxName(c.Kind));
        EXPECT_EQ(result.Syntax->Position, c.Position);
        EXPECT_EQ(result.Syntax->Subject, c.Subject);
        EXPECT_EQ(result.Syntax->Base, c.Base);
    }
}

TEST(ExpressionTest, WrongArgumentCountNamesWhatTheFunctionTakes) {
    for (const auto& [text, count] :
         {std::pair{"log(8)", 2}, std::pair{"sqrt(1, 2)", 1}, std::pair{"rotl()", 2}}) {
        SCOPED_TRACE(text);
        const ExpressionResult result = EvaluateExpression(text, Context(DWord));
        ASSERT_TRUE(result.Syntax);
        EXPECT_EQ(result.Syntax->Kind, ExpressionSyntax::WrongArgumentCount);
        EXPECT_EQ(result.Syntax->Position, 1);
        EXPECT_EQ(result.Syntax->ArgumentCount, count);
    }
}

TEST(ExpressionTest, NestingHasALimitInsteadOfACrash) {
    for (const std::string& text : {std::string(100000, '(') + "1", std::string(100000, '-') + "1",
                                    std::string(5000, '~') + "1", [] {
                                        std::string power = "2";
                                        for (int i = 0; i < 5000; ++i)
                                            power += "**2";
                                        return power;
                                    }()}) {
        const ExpressionResult result = EvaluateExpression(text, Context(DWord));
        ASSERT_TRUE(result.Syntax);
        EXPECT_EQ(result.Syntax->Kind, ExpressionSyntax::TooDeep);
    }
    const std::string deepButAllowed = std::string(150, '(') + "1" + std::string(150, ')');
    EXPECT_TRUE(EvaluateExpression(deepButAllowed, Context(DWord)).Ok());
    // A long flat chain is no nesting at all.
    std::string chain = "0";
    for (int i = 0; i < 20000; ++i)
        chain += "+1";
    EXPECT_EQ(GetInteger(*EvaluateExpression(chain, Context(DWord)).Value), 20000);
}

struct FailureCase {
    CalcValueMode Mode;
    const char* Text;
    CalcErrorKind Kind;
    int Position;
};

const FailureCase FailureCases[] = {
    {DWord, "1/0", CalcErrorKind::DivideByZero, 2},
    {Byte, "5 % (2 - 2)", CalcErrorKind::DivideByZero, 3},
    {RealMode, "1 + 0.0 / 0", CalcErrorKind::InvalidOperation, 9},
    {RealMode, "1 / 0", CalcErrorKind::DivideByZero, 3},
    {RealMode, "sqrt(-1)", CalcErrorKind::InvalidOperation, 1},
    {RealMode, "2 * ln(0)", CalcErrorKind::DivideByZero, 5},
    {QWord, "2 ** 64", CalcErrorKind::InvalidOperation, 3},
    {RealMode, "fact(-1)", CalcErrorKind::InvalidArgument, 1},
    {RealMode, "asin(2)", CalcErrorKind::InvalidOperation, 1},
    {RealMode, "log(8, 1)", CalcErrorKind::DivideByZero, 1},
    // The left operand is evaluated first.
    {DWord, "(1/0) + (1%0)", CalcErrorKind::DivideByZero, 3},
};

TEST(ExpressionTest, CalculationFailuresAreTheCalculatorsKinds) {
    for (const FailureCase& c : FailureCases) {
        SCOPED_TRACE(c.Text);
        const ExpressionResult result = EvaluateExpression(c.Text, Context(c.Mode));
        EXPECT_FALSE(result.Ok());
        EXPECT_FALSE(result.Syntax);
        ASSERT_TRUE(result.Failure);
        EXPECT_STREQ(CalcErrorKindName(result.Failure->Kind), CalcErrorKindName(c.Kind));
        EXPECT_EQ(result.Failure->Position, c.Position);
    }
}

TEST(ExpressionTest, UnknownNamesWithoutALookup) {
    ExpressionContext context;
    const ExpressionResult result = EvaluateExpression("m + 1", context);
    ASSERT_TRUE(result.Syntax);
    EXPECT_EQ(result.Syntax->Kind, ExpressionSyntax::UnknownName);
    EXPECT_TRUE(EvaluateExpression("ans + pi", context).Ok());
    // Without an encoder no character beyond ASCII has a code.
    EXPECT_EQ(EvaluateExpression("'あ'", context).Syntax->Kind,
              ExpressionSyntax::UnencodableCharacter);
}

TEST(ExpressionTest, FunctionListHasTheBitCounts) {
    int found = 0;
    for (const ExpressionFunctionName& f : ExpressionFunctionNames()) {
        const std::string name = f.Name;
        if (name == "popcount" || name == "clz" || name == "ctz" || name == "parity")
            ++found;
    }
    EXPECT_EQ(found, 4);
}

} // namespace
