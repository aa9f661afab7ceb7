// What the shift keys stand for under each option and mode, and the values
// the options refuse.

#include "engine/FunctionOptions.h"

#include <gtest/gtest.h>

using namespace pexa;

namespace {

struct ShiftCase {
    const char* Name;
    bool Rotate;
    bool Arithmetic;
    CalcValueMode Mode;
    BinaryOp::Index Left;
    BinaryOp::Index Right;
};

constexpr ShiftCase ShiftCases[] = {
    {"plain", false, false, CalcValueMode::DWord, BinaryOp::ShiftLeft, BinaryOp::ShiftRight},
    {"rotate", true, false, CalcValueMode::Byte, BinaryOp::RotateLeft, BinaryOp::RotateRight},
    {"rotate wins over arithmetic", true, true, CalcValueMode::QWord, BinaryOp::RotateLeft,
     BinaryOp::RotateRight},
    {"arithmetic shifts right only", false, true, CalcValueMode::Word, BinaryOp::ShiftLeft,
     BinaryOp::ShiftRightArith},
    {"no rotation in Real", true, false, CalcValueMode::Float, BinaryOp::ShiftLeft,
     BinaryOp::ShiftRight},
    {"no arithmetic shift in Real", false, true, CalcValueMode::Float, BinaryOp::ShiftLeft,
     BinaryOp::ShiftRight},
};

TEST(FunctionOptionsTest, ShiftOperatorsFollowOptionsAndMode) {
    for (const ShiftCase& c : ShiftCases) {
        SCOPED_TRACE(c.Name);
        FunctionOptions options;
        options.SetRotate(c.Rotate);
        options.SetArithmeticShift(c.Arithmetic);
        EXPECT_EQ(options.ShiftLeftOperator(c.Mode), c.Left);
        EXPECT_EQ(options.ShiftRightOperator(c.Mode), c.Right);
    }
}

TEST(FunctionOptionsTest, RefusedValuesChangeNothing) {
    FunctionOptions options;
    options.SetAngle(AngleUnit::Gradian);
    options.SetAngle(static_cast<AngleUnit>(3));
    options.SetAngle(static_cast<AngleUnit>(-1));
    EXPECT_EQ(options.Angle(), AngleUnit::Gradian);

    EXPECT_TRUE(options.SetShiftAmount(16));
    for (const int bits : {0, 3, 32, -8})
        EXPECT_FALSE(options.SetShiftAmount(bits)) << bits;
    EXPECT_EQ(options.ShiftAmount(), 16);
}

} // namespace
