#include "enc/EncDegree.h"

#include "EncTestSupport.h"

#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using test::DecimalComma;
using test::Int64Max;
using test::Int64Min;

CalcValue Parse(const std::string& text, CalcValueMode mode) {
    CalcValue value;
    ParseSexagesimal(value, text, mode);
    return value;
}

struct FormatCase {
    std::int64_t Value;
    const char* Plain;
    const char* Hms;
};

TEST(EncDegreeTest, FormatTable) {
    const FormatCase cases[] = {
        {0, "00:00:00", "0:00:00"},
        {59, "00:00:59", "0:00:59"},
        {60, "00:01:00", "0:01:00"},
        {3600, "01:00:00", "1:00:00"},
        {3661, "01:01:01", "1:01:01"},
        {216000, "01:00:00:00", "60:00:00"},
        {359999, "01:39:59:59", "99:59:59"},
        {360000, "01:40:00:00", "100:00:00"},
        {-90, "-00:01:30", "-0:01:30"},
        {-1, "-00:00:01", "-0:00:01"},
        {Int64Max, "15:15:13:34:32:31:55:20:15:30:07", "2562047788015215:30:07"},
        {Int64Min, "-15:15:13:34:32:31:55:20:15:30:08", "-2562047788015215:30:08"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSexagesimal(false, c.Value), c.Plain) << c.Value;
        EXPECT_EQ(FormatSexagesimal(true, c.Value), c.Hms) << c.Value;
    }
}

struct ParseCase {
    const char* Text;
    std::int64_t Integer; // QWord reading
    Real Reading;         // Float reading
};

TEST(EncDegreeTest, ParseTable) {
    const ParseCase cases[] = {
        {"1:30", 90, 90.0L},
        {"-1:30", -90, -90.0L},
        {"1:30.5", 90, 90.5L},
        {"-1:30.5", -90, -90.5L},
        {"01:01:01", 3661, 3661.0L},
        {"1:75", 135, 135.0L},
        {"", 0, 0.0L},
        {"5:", 5, 5.0L}, // a trailing ":" adds nothing
        {":5", 5, 5.0L}, // an empty group counts 0
        {"1::5", 3605, 3605.0L},
        {"1:-5", 55, 55.0L},
        {"-.5", 0, -0.5L},
        {"1:30.", 90, 90.0L},
        {"1:30.x", 90, 90.0L}, // a fraction that is no number counts 0
        {"1:3a", 60, 60.0L},   // so does a group that is no integer
        {"2147483647", 2147483647, 2147483647.0L},
        {"2147483648", 2147483648, 2147483648.0L}, // [h]:m:s hours beyond 32 bits
        {"9223372036854775808", 0, 0.0L},          // beyond 64 bits: no integer
        {"1:-2147483648", 60 - 2147483648LL, 60.0L - 2147483648.0L},
        {"60:00:00", 216000, 216000.0L},
    };
    for (const auto& c : cases) {
        const CalcValue q = Parse(c.Text, CalcValueMode::QWord);
        EXPECT_EQ(q.Mode, CalcValueMode::QWord);
        EXPECT_EQ(GetInteger(q), c.Integer) << c.Text;
        const CalcValue f = Parse(c.Text, CalcValueMode::Float);
        EXPECT_EQ(f.Mode, CalcValueMode::Float);
        EXPECT_EQ(GetReal(f), c.Reading) << c.Text;
    }
    // Narrow modes mask like any integer store.
    EXPECT_EQ(GetInteger(Parse("4:16", CalcValueMode::Byte)), 0);
    EXPECT_EQ(GetInteger(Parse("-1", CalcValueMode::Word)), 0xFFFF);
}

TEST(EncDegreeTest, ParseWithDecimalComma) {
    FormatSettingsScope scope(DecimalComma());
    EXPECT_EQ(GetReal(Parse("1:30,25", CalcValueMode::Float)), 90.25L);
    // The point is no separator now: the group 30.5 is no integer.
    EXPECT_EQ(GetReal(Parse("1:30.5", CalcValueMode::Float)), 60.0L);
}

TEST(EncDegreeTest, ParseRefusesNumbersTooLarge) {
    const CalcValue before = MakeReal(CalcValueMode::Float, 42.0L);
    std::string elevenGroups = "59";
    for (int i = 1; i < 11; ++i)
        elevenGroups += ":59";
    CalcValue value = before;
    try {
        ParseSexagesimal(value, elevenGroups, CalcValueMode::QWord);
        ADD_FAILURE() << "eleven groups of 59 accepted";
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "The number is too large");
    }
    EXPECT_EQ(value.Mode, before.Mode);
    EXPECT_EQ(value.RealValue, before.RealValue);
    // Ten groups are fine; so is the last sum below the limit.
    EXPECT_NO_THROW(Parse(elevenGroups.substr(3), CalcValueMode::QWord));
    const std::string belowLimit = FormatSexagesimal(false, SexagesimalGroupLimit - 1);
    EXPECT_EQ(GetInteger(Parse(belowLimit + ":59", CalcValueMode::QWord)),
              (SexagesimalGroupLimit - 1) * 60 + 59);
    const std::string atLimit = FormatSexagesimal(false, SexagesimalGroupLimit);
    EXPECT_EQ(GetInteger(Parse(atLimit + ":0", CalcValueMode::QWord)), SexagesimalGroupLimit * 60);
    const std::string aboveLimit = FormatSexagesimal(false, SexagesimalGroupLimit + 1);
    EXPECT_THROW(Parse(aboveLimit + ":0", CalcValueMode::QWord), ConvertError);
    // The largest and smallest integers have a sum at the limit before their
    // last group: their own texts read back, in both styles.
    for (const bool hms : {false, true}) {
        EXPECT_EQ(GetInteger(Parse(FormatSexagesimal(hms, Int64Max), CalcValueMode::QWord)),
                  Int64Max);
        EXPECT_EQ(GetInteger(Parse(FormatSexagesimal(hms, Int64Min), CalcValueMode::QWord)),
                  Int64Min);
    }
}

TEST(EncDegreeTest, LastGroupWrapsAndRealsBeyondRangeAreRefused) {
    const std::string head = FormatSexagesimal(false, SexagesimalGroupLimit - 1) + ":";
    // The last addition is unchecked and wraps in 64 bits (for the range check after it).
    EXPECT_EQ(GetInteger(Parse(head + "67", CalcValueMode::QWord)), Int64Max);
    EXPECT_EQ(GetInteger(Parse(head + "68", CalcValueMode::QWord)), Int64Min);
    EXPECT_EQ(GetInteger(Parse("-" + head + "68", CalcValueMode::QWord)), Int64Min);
    EXPECT_EQ(GetReal(Parse(head + "68", CalcValueMode::Float)), -9223372036854775808.0L);
    // 2^63 - 1 and a fraction round to 2^63, which no value can hold.
    CalcValue value = MakeReal(CalcValueMode::Float, 7.0L);
    EXPECT_THROW(ParseSexagesimal(value, head + "67.9", CalcValueMode::Float), ConvertError);
    EXPECT_EQ(GetReal(value), 7.0L);
    EXPECT_EQ(GetReal(Parse(head + "67.1", CalcValueMode::Float)), 9223372036854775807.0L);
}

TEST(EncDegreeTest, FormatParseRoundTrip) {
    std::mt19937_64 rng(3600);
    std::uniform_int_distribution<std::int64_t> any(Int64Min, Int64Max);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t v =
            i % 3 == 0 ? static_cast<std::int64_t>(rng() % 400000) - 200000 : any(rng);
        std::string text = FormatSexagesimal(false, v);
        ASSERT_EQ(GetInteger(Parse(text, CalcValueMode::QWord)), v) << text;
        // The formatted text is acceptable input and loses one zero per group.
        ASSERT_TRUE(ValidateSexagesimal(text, true)) << text;
        ASSERT_EQ(GetInteger(Parse(text, CalcValueMode::QWord)), v) << text;
        // Hours of any size read back.
        const std::int64_t h = any(rng);
        ASSERT_EQ(GetInteger(Parse(FormatSexagesimal(true, h), CalcValueMode::QWord)), h) << h;
    }
}

struct ValidateCase {
    const char* Text;
    bool Ok;
    const char* After; // text after an accepted check
};

TEST(EncDegreeTest, ValidateTable) {
    const ValidateCase cases[] = {
        {"1:05", true, "1:5"},
        {"1:005", true, "1:05"},
        {"00:00", true, "0:0"},
        {"05:07:09", true, "5:7:9"},
        {"0", true, "0"},
        {"", true, ""},
        {":5", true, ":5"},
        {":a", true, ":a"}, // a leading empty group ends the check
        {"5:", true, "5:"},
        {"-1:5", true, "-1:5"},
        {"-05", true, "-05"},
        {"1:30.", true, "1:30."},
        {"1:30.x:y-", true, "1:30.x:y-"},
        {"01:30.05", true, "1:30.05"},
        {"2147483647", true, "2147483647"},
        {"1::5", false, nullptr},
        {"5::", false, nullptr},
        {"1:-5", false, nullptr},
        {"1:a", false, nullptr},
        {"-", false, nullptr},
        {"--1", false, nullptr},
        {"1 ", false, nullptr},
        {"2147483648", true, "2147483648"},
        {"9223372036854775808", false, nullptr},
        {"-9223372036854775808", false, nullptr}, // the parser would read it as 0
        {"1:99999999999999999999", false, nullptr},
    };
    for (const auto& c : cases) {
        std::string text = c.Text;
        EXPECT_EQ(ValidateSexagesimal(text, true), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(text, c.After) << c.Text;
        }
    }
    std::string leading = ":5";
    EXPECT_FALSE(ValidateSexagesimal(leading, false));
    std::string empty;
    EXPECT_TRUE(ValidateSexagesimal(empty, false));
}

TEST(EncDegreeTest, ValidateWithDecimalComma) {
    FormatSettingsScope scope(DecimalComma());
    std::string text = "01:05,50";
    EXPECT_TRUE(ValidateSexagesimal(text, true));
    EXPECT_EQ(text, "1:5,50");
    text = "1:05.5";
    EXPECT_FALSE(ValidateSexagesimal(text, true));
}

TEST(EncDegreeTest, ValidateLongTextsInLinearTime) {
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "00:";
    EXPECT_TRUE(ValidateSexagesimal(text, true));
    EXPECT_EQ(text.size(), 400000u);
    EXPECT_EQ(text.substr(0, 6), "0:0:0:");
}

} // namespace
} // namespace pexa
