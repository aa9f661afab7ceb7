// The bit counts in every mode's width, and on the truncation of a real.

#include "core/BitCounts.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace pexa;

namespace {

struct BitCountCase {
    CalcValueMode Mode;
    std::int64_t Value;
    int Ones;
    int Leading;
    int Trailing;
};

constexpr BitCountCase Cases[] = {
    {CalcValueMode::Byte, 0, 0, 8, 8},
    {CalcValueMode::Byte, 0x80, 1, 0, 7},
    {CalcValueMode::Byte, 0x16, 3, 3, 1},
    {CalcValueMode::Word, 0, 0, 16, 16},
    {CalcValueMode::Word, 0x0100, 1, 7, 8},
    {CalcValueMode::DWord, 0xFFFFFFFF, 32, 0, 0},
    {CalcValueMode::DWord, 0x00F00000, 4, 8, 20},
    {CalcValueMode::QWord, -1, 64, 0, 0},
    {CalcValueMode::QWord, 1, 1, 63, 0},
    {CalcValueMode::QWord, 0, 0, 64, 64},
};

int CountOf(void (*count)(CalcValue&), CalcValue v) {
    count(v);
    return static_cast<int>(GetInteger(v));
}

TEST(BitCountsTest, CountsInTheModesWidth) {
    for (const BitCountCase& c : Cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.Mode)) + " " + std::to_string(c.Value));
        CalcValue v;
        SetInteger(v, c.Mode, c.Value);
        EXPECT_EQ(CountOf(PopCount, v), c.Ones);
        EXPECT_EQ(CountOf(CountLeadingZeros, v), c.Leading);
        EXPECT_EQ(CountOf(CountTrailingZeros, v), c.Trailing);
        EXPECT_EQ(CountOf(Parity, v), c.Ones % 2);
        CalcValue counted = v;
        PopCount(counted);
        EXPECT_EQ(counted.Mode, c.Mode);
    }
}

TEST(BitCountsTest, RealCountsItsTruncationIn64Bits) {
    const CalcValue v = MakeReal(CalcValueMode::Float, -1.75L);
    EXPECT_EQ(CountOf(PopCount, v), 64);
    EXPECT_EQ(CountOf(CountLeadingZeros, MakeReal(CalcValueMode::Float, 2.5L)), 62);
    EXPECT_EQ(CountOf(CountTrailingZeros, MakeReal(CalcValueMode::Float, 12.9L)), 2);
}

} // namespace
