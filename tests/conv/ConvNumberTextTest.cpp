#include "conv/ConvNumberText.h"

#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <limits>

namespace pexa {
namespace {

TEST(ConvNumberText, FixedFormWithEighteenDecimals) {
    const struct {
        Real x;
        const char* text;
    } cases[] = {
        {123.45L, "123.450000000000000000"},
        {0, "0.000000000000000000"},
        {-1e-20L, "-0.000000000000000000"},
        {1.0L / 3, "0.333333333333333333"},
        {12345678901234567.875L, "12345678901234567.900000000000000000"},
        {1.5e18L, "1.5E18"},
        {1e18L, "1E18"},
        {-9223372036854775807.0L, "-9.22337203685477581E18"},
        {std::numeric_limits<Real>::infinity(), "INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatRealFixed18(c.x), c.text);
    FormatSettingsScope comma(FormatSettings{',', '.', '/', ':'});
    EXPECT_EQ(FormatRealFixed18(2.5L), "2,500000000000000000");
    EXPECT_EQ(FormatRealShort(2.5L), "2,5");
}

TEST(ConvNumberText, ParseReal) {
    const struct {
        const char* text;
        bool ok;
        Real x;
    } cases[] = {
        {"12.", true, 12},      {"-0.5", true, -0.5L}, {"1.5E18", true, 1.5e18L},
        {"1.5E+3", true, 1500}, {"1E-99999", true, 0}, {"0", true, 0},
        {"", false, 0},         {"-", false, 0},       {".5", false, 0},
        {"1e5", false, 0},      {"1E", false, 0},      {"1E-", false, 0},
        {"+1", false, 0},       {"1.2.3", false, 0},   {"1E99999", false, 0},
        {" 1", false, 0},       {"inf", false, 0},     {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        Real x = -7;
        EXPECT_EQ(ParseDecimalReal(c.text, x), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(x, c.x) << c.text;
        else
            EXPECT_EQ(x, -7) << c.text;
    }
    FormatSettingsScope comma(FormatSettings{',', '.', '/', ':'});
    Real x = 0;
    EXPECT_TRUE(ParseDecimalReal("1,25", x));
    EXPECT_EQ(x, 1.25L);
    EXPECT_FALSE(ParseDecimalReal("1.25", x));
}

TEST(ConvNumberText, ParseIntegerLimits) {
    std::int64_t n = 0;
    EXPECT_TRUE(ParseDecimalInteger("9223372036854775807", n));
    EXPECT_EQ(n, std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(ParseDecimalInteger("-9223372036854775808", n));
    EXPECT_EQ(n, std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(ParseDecimalInteger("9223372036854775808", n));
    EXPECT_FALSE(ParseDecimalInteger("-9223372036854775809", n));
    EXPECT_FALSE(ParseDecimalInteger("99999999999999999999", n));
    EXPECT_FALSE(ParseDecimalInteger("-", n));
    EXPECT_FALSE(ParseDecimalInteger("", n));
    EXPECT_FALSE(ParseDecimalInteger("12.", n));
    EXPECT_EQ(FormatDecimalInteger(std::numeric_limits<std::int64_t>::min()),
              "-9223372036854775808");
}

} // namespace
} // namespace pexa
