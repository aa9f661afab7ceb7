// The operator tables and the integer rules: every operation against plain
// reference models over random values in every mode, and worked examples.
#include "core/BitCounts.h"
#include "core/CalcArithmetic.h"
#include "core/CalcArithmeticHelpers.h"
#include "core/CalcValue.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

using namespace pexa;
using namespace pexa::test;

// ---- Tables ------------------------------------------------------------------

TEST(CalcArithmeticTables, SymbolsInOrder) {
    const char* binary[] = {"+",  "-",  "*",  "/",  "%",  "&", "|",  "^",
                            "<<", ">>", "a>", "<r", "r>", "p", "rt", "log"};
    const char* unary[] = {"+/-",   "not", "rev",  "brev", "floor",    "ceil", "round",
                           "frac",  "x^2", "sqrt", "1/x",  "n!",       "ln",   "log2",
                           "log10", "e^x", "2^x",  "10^x", "popcount", "clz",  "ctz"};
    ASSERT_EQ(std::size(binary), std::size_t(BinaryOperatorCount));
    ASSERT_EQ(std::size(unary), std::size_t(UnaryOperatorCount));
    for (int i = 0; i < BinaryOperatorCount; ++i) {
        EXPECT_STREQ(BinaryOperators[i].Symbol, binary[i]);
        EXPECT_NE(BinaryOperators[i].Operation, nullptr);
    }
    for (int i = 0; i < UnaryOperatorCount; ++i) {
        EXPECT_STREQ(UnaryOperators[i].Symbol, unary[i]);
        EXPECT_NE(UnaryOperators[i].Operation, nullptr);
    }
    // The names the engine uses must point at the matching rows.
    EXPECT_EQ(BinaryOperators[BinaryOp::RotateRight].Operation, &RotateRight);
    EXPECT_EQ(BinaryOperators[BinaryOp::LogN].Operation, &LogN);
    EXPECT_EQ(UnaryOperators[UnaryOp::Factorial].Operation, &Factorial);
    EXPECT_EQ(UnaryOperators[UnaryOp::Exp10].Operation, &Exp10);
    EXPECT_EQ(UnaryOperators[UnaryOp::PopCount].Operation, &PopCount);
    EXPECT_EQ(UnaryOperators[UnaryOp::LeadingZeros].Operation, &CountLeadingZeros);
    EXPECT_EQ(UnaryOperators[UnaryOp::TrailingZeros].Operation, &CountTrailingZeros);
}

TEST(CalcArithmeticTables, ModesAndCaptions) {
    for (M a : AllModes)
        for (M b : AllModes) {
            EXPECT_EQ(WiderMode(a, b), static_cast<int>(a) > static_cast<int>(b) ? a : b);
        }
    EXPECT_EQ(BitMode(M::Float), M::QWord);
    EXPECT_EQ(BitMode(M::Word), M::Word);

    const char* captions[2][2][3] = {{{"sin", "cos", "tan"}, {"sinh", "cosh", "tanh"}},
                                     {{"asin", "acos", "atan"}, {"asinh", "acosh", "atanh"}}};
    for (int inverse = 0; inverse < 2; ++inverse)
        for (int hyperbolic = 0; hyperbolic < 2; ++hyperbolic)
            for (int kind = 0; kind < 3; ++kind)
                EXPECT_EQ(TrigFunctionCaption(static_cast<TrigFunctionKind>(kind), inverse != 0,
                                              hyperbolic != 0),
                          captions[inverse][hyperbolic][kind]);
}

// ---- Integer rules against reference models ------------------------------------

TEST(CalcArithmeticInteger, FourOperationsWrapLikeWideArithmetic) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        const M ma = AllModes[rng() % 5];
        const M mb = AllModes[rng() % 5];
        const M mode = static_cast<int>(ma) > static_cast<int>(mb) ? ma : mb;
        if (mode == M::Float)
            continue;
        const CalcValue a = RandomValue(rng, ma);
        const CalcValue b = RandomValue(rng, mb);
        const Int128 x = GetInteger(a);
        const Int128 y = GetInteger(b);
        const std::uint64_t m = Mask(mode);
        const auto wrap = [&](Int128 v) {
            return static_cast<std::int64_t>(static_cast<std::uint64_t>(v) & m);
        };

        EXPECT_EQ(Binary(BinaryOp::Add, a, b).IntValue, wrap(x + y));
        EXPECT_EQ(Binary(BinaryOp::Sub, a, b).IntValue, wrap(x - y));
        EXPECT_EQ(Binary(BinaryOp::Mul, a, b).IntValue, wrap(x * y));
        EXPECT_EQ(Binary(BinaryOp::Add, a, b).Mode, mode);
        if (y != 0) {
            // Int128 holds 2^63 exactly; wrapping it gives the smallest integer.
            EXPECT_EQ(Binary(BinaryOp::Div, a, b).IntValue, wrap(x / y));
            EXPECT_EQ(Binary(BinaryOp::Mod, a, b).IntValue, wrap(x % y));
        }
        EXPECT_EQ(Binary(BinaryOp::And, a, b).IntValue, wrap(x & y));
        EXPECT_EQ(Binary(BinaryOp::Or, a, b).IntValue, wrap(x | y));
        EXPECT_EQ(Binary(BinaryOp::Xor, a, b).IntValue, wrap(x ^ y));
    }
}

TEST(CalcArithmeticInteger, Examples) {
    struct Row {
        int op;
        CalcValue a, b;
        M mode;
        std::int64_t result;
    };
    const Row rows[] = {
        {BinaryOp::Add, I(M::Byte, 200), I(M::Byte, 100), M::Byte, 44},
        {BinaryOp::Sub, I(M::Byte, 0), I(M::Byte, 1), M::Byte, 255},
        {BinaryOp::Div, I(M::Byte, 0xFF), I(M::Byte, 2), M::Byte, 127},
        {BinaryOp::Div, I(M::QWord, Int64Min), I(M::QWord, -1), M::QWord, Int64Min},
        {BinaryOp::Mod, I(M::QWord, Int64Min), I(M::QWord, -1), M::QWord, 0},
        {BinaryOp::Add, I(M::QWord, Int64Max), I(M::QWord, 1), M::QWord, Int64Min},
        {BinaryOp::Mul, I(M::QWord, Int64Min), I(M::QWord, -1), M::QWord, Int64Min},
        {BinaryOp::Div, I(M::QWord, -7), I(M::QWord, 2), M::QWord, -3},
        {BinaryOp::Mod, I(M::QWord, -7), I(M::QWord, 2), M::QWord, -1},
        {BinaryOp::Mod, I(M::QWord, 7), I(M::QWord, -2), M::QWord, 1},
        {BinaryOp::Mod, F(7.5L), F(2), M::QWord, 1},
        {BinaryOp::And, F(6), F(3), M::QWord, 2},
        {BinaryOp::And, I(M::Word, 0xFFFF), I(M::DWord, 0x12345678), M::DWord, 0x5678},
        {BinaryOp::Or, F(-1.9L), I(M::Byte, 2), M::QWord, -1},
        {BinaryOp::Xor, I(M::Byte, 0xF0), I(M::Word, 0xFFFF), M::Word, 0xFF0F},
    };
    for (const Row& row : rows) {
        const CalcValue r = Binary(row.op, row.a, row.b);
        EXPECT_EQ(r.Mode, row.mode) << BinaryOperators[row.op].Symbol;
        EXPECT_EQ(GetInteger(r), row.result) << BinaryOperators[row.op].Symbol;
    }
    const CalcValue mixed = Binary(BinaryOp::Add, I(M::Byte, 255), F(0.5L));
    EXPECT_EQ(mixed.Mode, M::Float);
    EXPECT_EQ(GetReal(mixed), 255.5L);
}

namespace {

// Bit-by-bit models of the shifts and rotations within a width.
std::uint64_t ModelShift(std::uint64_t v, int w, std::int64_t left, bool arithmetic) {
    const bool sign = (v >> (w - 1)) & 1;
    std::uint64_t out = 0;
    for (int i = 0; i < 64; ++i) {
        const std::int64_t from = i - left;
        bool bit = false;
        if (left >= 0)
            bit = from >= 0 && ((v >> from) & 1);
        else if (i < w)
            bit = from < w ? ((v >> from) & 1) : (arithmetic && sign);
        out |= std::uint64_t{bit} << i;
    }
    return out;
}

std::uint64_t ModelRotate(std::uint64_t v, int w, std::int64_t left) {
    std::uint64_t out = 0;
    const std::int64_t r = ((left % w) + w) % w;
    for (int i = 0; i < w; ++i)
        if ((v >> i) & 1)
            out |= std::uint64_t{1} << ((i + r) % w);
    return out;
}

} // namespace

TEST(CalcArithmeticInteger, ShiftsAndRotationsMatchBitModel) {
    std::mt19937_64 rng(23);
    const std::int64_t counts[] = {0,
                                   1,
                                   -1,
                                   3,
                                   -3,
                                   7,
                                   8,
                                   -8,
                                   9,
                                   15,
                                   16,
                                   17,
                                   31,
                                   32,
                                   33,
                                   63,
                                   64,
                                   65,
                                   -64,
                                   127,
                                   200,
                                   -200,
                                   2147483647,
                                   -2147483647,
                                   1000000,
                                   Int64Min,
                                   0x100000003LL,
                                   -0x1FFFFFFFFLL};
    for (int i = 0; i < 3000; ++i) {
        const M ma = AllModes[rng() % 5];
        const CalcValue a = RandomValue(rng, ma);
        const std::int64_t countValue =
            i % 2 ? counts[rng() % std::size(counts)] : static_cast<std::int64_t>(rng() % 140) - 70;
        const M mb = i % 3 == 0 ? M::QWord : AllModes[rng() % 5];
        const CalcValue b =
            mb == M::Float ? F(static_cast<Real>(countValue % 1000000)) : I(mb, countValue);
        const M mode = BitMode(ma);
        const int w = Width(mode);
        const std::uint64_t v = static_cast<std::uint64_t>(GetInteger(a)) & Mask(mode);
        // The count is the low 32 bits of B's reading, signed.
        const std::int64_t n = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetInteger(b)));
        const auto check = [&](int op, std::uint64_t expected) {
            const CalcValue r = Binary(op, a, b);
            ASSERT_EQ(r.Mode, mode);
            ASSERT_EQ(static_cast<std::uint64_t>(r.IntValue), expected & Mask(mode))
                << BinaryOperators[op].Symbol << " w=" << w << " v=" << v << " n=" << n;
        };
        check(BinaryOp::ShiftLeft, ModelShift(v, w, n, false));
        check(BinaryOp::ShiftRight, ModelShift(v, w, -n, false));
        check(BinaryOp::ShiftRightArith, ModelShift(v, w, -n, true));
        check(BinaryOp::RotateLeft, ModelRotate(v, w, n));
        check(BinaryOp::RotateRight, ModelRotate(v, w, -n));

        // The n-bit shift keys with the selectable amounts.
        const int amounts[] = {1, 2, 4, 8, 16, -1, -2, -4, -8, -16};
        const int amount = amounts[rng() % std::size(amounts)];
        for (int flags = 0; flags < 4; ++flags) {
            const bool rotate = flags & 1;
            const bool arithmetic = flags & 2;
            CalcValue s = a;
            ShiftValue(s, amount, rotate, arithmetic);
            const std::uint64_t expected = rotate       ? ModelRotate(v, w, amount)
                                           : amount > 0 ? ModelShift(v, w, amount, false)
                                                        : ModelShift(v, w, amount, arithmetic);
            ASSERT_EQ(s.Mode, mode);
            ASSERT_EQ(static_cast<std::uint64_t>(s.IntValue), expected & Mask(mode));
        }
    }
}

TEST(CalcArithmeticInteger, ShiftExamples) {
    struct Row {
        int op;
        CalcValue a;
        std::int64_t count;
        std::int64_t result;
    };
    const Row rows[] = {
        {BinaryOp::ShiftRightArith, I(M::Byte, 0x80), 3, 0xF0},
        {BinaryOp::ShiftRightArith, I(M::Byte, 0x80), 8, 0xFF},
        {BinaryOp::ShiftRightArith, I(M::Byte, 0x80), 10, 0xFF},
        {BinaryOp::ShiftRight, I(M::Byte, 0x80), 10, 0},
        {BinaryOp::ShiftLeft, I(M::Byte, 0x80), 200, 0},
        {BinaryOp::ShiftLeft, I(M::Byte, 0x80), -1, 0x40},
        {BinaryOp::ShiftRightArith, I(M::Byte, 0x01), -3, 0x08},
        {BinaryOp::RotateLeft, I(M::Byte, 0x81), 1, 0x03},
        {BinaryOp::RotateLeft, I(M::Byte, 0x81), 9, 0x03},
        {BinaryOp::RotateLeft, I(M::Byte, 0x5A), 0, 0x5A},
        {BinaryOp::RotateLeft, I(M::Byte, 0x5A), 8, 0x5A},
        {BinaryOp::RotateLeft, I(M::Byte, 0x5A), 16, 0x5A},
        {BinaryOp::RotateRight, I(M::Byte, 0x01), 1, 0x80},
        {BinaryOp::RotateRight, I(M::QWord, 1), 1, Int64Min},
        {BinaryOp::ShiftRightArith, F(-8.5L), 1, -4},
        // -2^31 as a count negates exactly to 2^31: a right shift by 2^31.
        {BinaryOp::ShiftLeft, I(M::QWord, -1), -2147483648LL, 0},
        {BinaryOp::ShiftLeft, I(M::Word, 1), 0x100000004LL, 0x10},
    };
    for (const Row& row : rows) {
        const CalcValue r = Binary(row.op, row.a, I(M::QWord, row.count));
        EXPECT_EQ(GetInteger(r), row.result) << BinaryOperators[row.op].Symbol << " " << row.count;
    }

    CalcValue v = I(M::Byte, 0x80);
    ShiftValue(v, -16, false, true);
    EXPECT_EQ(GetInteger(v), 0xFF);
    v = I(M::Byte, 0x80);
    ShiftValue(v, -16, false, false);
    EXPECT_EQ(GetInteger(v), 0);
    v = I(M::Byte, 0xFF);
    ShiftValue(v, 16, false, true);
    EXPECT_EQ(GetInteger(v), 0);
}

TEST(CalcArithmeticInteger, UnaryBitOperationsMatchReference) {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 5000; ++i) {
        const M ma = AllModes[rng() % 5];
        const CalcValue a = RandomValue(rng, ma);
        const M mode = BitMode(ma);
        const int w = Width(mode);
        const std::uint64_t v = static_cast<std::uint64_t>(GetInteger(a)) & Mask(mode);

        std::uint64_t bits = 0;
        for (int k = 0; k < w; ++k)
            bits |= ((v >> k) & 1) << (w - 1 - k);
        const CalcValue brev = Unary(UnaryOp::ReverseBitOrder, a);
        ASSERT_EQ(brev.Mode, mode);
        ASSERT_EQ(static_cast<std::uint64_t>(brev.IntValue), bits);

        const CalcValue rev = Unary(UnaryOp::ReverseByteOrder, a);
        ASSERT_EQ(static_cast<std::uint64_t>(rev.IntValue), __builtin_bswap64(v) >> (64 - w));

        const CalcValue inverted = Unary(UnaryOp::Not, a);
        ASSERT_EQ(inverted.Mode, mode);
        ASSERT_EQ(static_cast<std::uint64_t>(inverted.IntValue), ~v & Mask(mode));

        if (ma != M::Float) {
            const CalcValue negated = Unary(UnaryOp::Negate, a);
            ASSERT_EQ(negated.Mode, ma);
            ASSERT_EQ(static_cast<std::uint64_t>(negated.IntValue), (0 - v) & Mask(ma));
        }
    }
    EXPECT_EQ(GetInteger(Unary(UnaryOp::Not, I(M::Word, 0))), 0xFFFF);
    const CalcValue notReal = Unary(UnaryOp::Not, F(5.9L));
    EXPECT_EQ(notReal.Mode, M::QWord);
    EXPECT_EQ(GetInteger(notReal), -6);
    EXPECT_EQ(GetInteger(Unary(UnaryOp::ReverseBitOrder, I(M::Word, 1))), 0x8000);
    EXPECT_EQ(GetInteger(Unary(UnaryOp::ReverseByteOrder, I(M::Word, 0x1234))), 0x3412);
    EXPECT_EQ(GetInteger(Unary(UnaryOp::Negate, I(M::QWord, Int64Min))), Int64Min);
}
