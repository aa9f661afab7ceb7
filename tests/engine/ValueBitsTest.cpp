#include "engine/ValueBits.h"

#include "core/CalcValue.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

using namespace pexa;

namespace {

// The reference: the long double's own bytes.
ValueBits BytesOf(Real x) {
    ValueBits bits{CalcValueMode::Float, 0, 0};
    unsigned char bytes[sizeof(Real)] = {};
    std::memcpy(bytes, &x, sizeof(Real));
    std::memcpy(&bits.Low, bytes, 8);
    std::memcpy(&bits.High, bytes + 8, 2);
    return bits;
}

TEST(ValueBitsTest, PiHasItsKnownPattern) {
    EXPECT_EQ(BitsOfValue(MakeReal(CalcValueMode::Float, PiValue)),
              (ValueBits{CalcValueMode::Float, 0xC90FDAA22168C235, 0x4000}));
}

TEST(ValueBitsTest, RealsComeBackToTheBit) {
    for (const Real x : {PiValue, -0.0L, 0.0L, 1.0L / 3.0L, -123456.789L, LDBL_TRUE_MIN, LDBL_MIN,
                         9.2e18L, -9.2e18L}) {
        SCOPED_TRACE(static_cast<double>(x));
        const ValueBits bits = BitsOfValue(MakeReal(CalcValueMode::Float, x));
        EXPECT_EQ(bits, BytesOf(x));
        const std::optional<CalcValue> back = ValueOfBits(4, bits.Low, bits.High);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->Mode, CalcValueMode::Float);
        EXPECT_EQ(std::memcmp(&back->RealValue, &x, 10), 0);
    }
}

TEST(ValueBitsTest, IntegersComeBackInTheirMode) {
    CalcValue byte;
    SetInteger(byte, CalcValueMode::Byte, 300); // wraps to 44
    EXPECT_EQ(BitsOfValue(byte), (ValueBits{CalcValueMode::Byte, 44, 0}));
    const std::optional<CalcValue> back = ValueOfBits(0, 44, 0);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Mode, CalcValueMode::Byte);
    EXPECT_EQ(GetInteger(*back), 44);
    const std::optional<CalcValue> all = ValueOfBits(3, ~std::uint64_t{0}, 0);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(GetInteger(*all), -1);
}

struct RefusedCase {
    const char* Name;
    int Mode;
    std::uint64_t Low;
    std::uint16_t High;
};

const RefusedCase RefusedCases[] = {
    {"no such mode", 5, 0, 0},
    {"negative mode", -1, 0, 0},
    {"bits beyond a byte", 0, 0x100, 0},
    {"bits beyond a DWord", 2, 0x100000000, 0},
    {"high bits of an integer", 1, 1, 1},
    {"infinity", 4, 0x8000000000000000, 0x7FFF},
    {"NaN", 4, 0xC000000000000000, 0x7FFF},
    {"beyond the signed 64-bit range", 4, 0x8000000000000000, 0x403F}, // 2^64
    {"unnormal: exponent without its integer bit", 4, 0x4000000000000000, 0x3FFF},
};

TEST(ValueBitsTest, PatternsNoCalculationHoldsAreRefused) {
    for (const RefusedCase& c : RefusedCases)
        EXPECT_EQ(ValueOfBits(c.Mode, c.Low, c.High), std::nullopt) << c.Name;
}

} // namespace
