#include "enc/EncTime.h"

#include "EncTestSupport.h"

#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using test::DashCommaFormat;
using test::Int64Max;
using test::Int64Min;

namespace chr = std::chrono;

using Enc = TimeEncoding;
using Mode = CalcValueMode;

// Days since 1970-01-01 by the standard library's calendar.
std::int64_t ChronoDays(std::int64_t y, unsigned m, unsigned d) {
    const chr::year_month_day ymd{chr::year{static_cast<int>(y)}, chr::month{m}, chr::day{d}};
    return chr::sys_days{ymd}.time_since_epoch().count();
}

const std::int64_t UnixEpochDay = DayNumber(1970, 1, 1);

// The fields of a value as the date/time bar renders them, the value given
// the way the bar holds it (real in Float mode, integer otherwise).
DateTimeFields Render(Enc encoding, bool diff, Mode mode, Real x) {
    CalcValue value;
    if (mode == Mode::Float)
        SetReal(value, mode, x);
    else
        SetInteger(value, mode, static_cast<std::int64_t>(x));
    return ValueToFields(encoding, diff, mode, GetReal(value), GetInteger(value));
}

std::string RenderText(Enc encoding, bool diff, Mode mode, Real x) {
    return FormatFields(Render(encoding, diff, mode, x));
}

CalcValue ReadBack(const std::string& text, Enc encoding, bool diff, Mode mode) {
    return FieldsToValue(ParseFields(text, encoding, mode, diff), encoding, mode);
}

std::string ParseError(const std::string& text, Enc encoding, bool diff, Mode mode) {
    try {
        ParseFields(text, encoding, mode, diff);
    } catch (const ConvertError& e) {
        return e.what();
    }
    return "";
}

TEST(EncTimeCalendar, AgreesWithChronoForEveryDayOfYearsMinus2000To3000) {
    const chr::sys_days first = chr::year{-2000} / chr::January / 1;
    const chr::sys_days last = chr::year{3000} / chr::December / 31;
    std::int64_t previous = DayNumber(-2000, 1, 1) - 1;
    for (chr::sys_days day = first; day <= last; day += chr::days{1}) {
        const chr::year_month_day ymd{day};
        const std::int64_t y = static_cast<int>(ymd.year());
        const auto m = static_cast<std::int64_t>(static_cast<unsigned>(ymd.month()));
        const auto d = static_cast<std::int64_t>(static_cast<unsigned>(ymd.day()));
        const std::int64_t n = DayNumber(y, m, d);
        // Consecutive days have consecutive numbers: none is skipped or doubled.
        ASSERT_EQ(n, previous + 1) << y << "-" << m << "-" << d;
        ASSERT_EQ(n - UnixEpochDay, day.time_since_epoch().count()) << y << "-" << m << "-" << d;
        const YearMonthDay back = days_to_ymd(n);
        ASSERT_EQ(back.Year, y) << n;
        ASSERT_EQ(back.Month, m) << n;
        ASSERT_EQ(back.Day, d) << n;
        previous = n;
    }
}

TEST(EncTimeCalendar, AgreesWithChronoOnARandomSampleOfItsWholeRange) {
    std::mt19937_64 random(7);
    const auto lo = chr::sys_days{chr::year::min() / chr::January / 1}.time_since_epoch().count();
    const auto hi = chr::sys_days{chr::year::max() / chr::December / 31}.time_since_epoch().count();
    std::uniform_int_distribution<std::int64_t> pick(lo, hi);
    for (int i = 0; i < 200000; ++i) {
        const chr::sys_days day{chr::days{pick(random)}};
        const chr::year_month_day ymd{day};
        const std::int64_t y = static_cast<int>(ymd.year());
        const auto m = static_cast<std::int64_t>(static_cast<unsigned>(ymd.month()));
        const auto d = static_cast<std::int64_t>(static_cast<unsigned>(ymd.day()));
        const std::int64_t n = DayNumber(y, m, d);
        ASSERT_EQ(n - UnixEpochDay, day.time_since_epoch().count()) << y << "-" << m << "-" << d;
        const YearMonthDay back = days_to_ymd(n);
        ASSERT_EQ(back.Year, y) << n;
        ASSERT_EQ(back.Month, m) << n;
        ASSERT_EQ(back.Day, d) << n;
    }
    for (int y = -32767; y <= 32767; ++y)
        ASSERT_EQ(IsLeapYear(y), chr::year{y}.is_leap()) << y;
}

TEST(EncTimeCalendar, NewYearDaysDifferByTheYearLengthUpToTheExtremes) {
    auto check = [](std::int64_t y) {
        ASSERT_EQ(DayNumber(y + 1, 1, 1) - DayNumber(y, 1, 1), DaysInYear(y)) << y;
        ASSERT_EQ(LeapDaysBefore(y + 1) - LeapDaysBefore(y), IsLeapYear(y) ? 1 : 0) << y;
    };
    for (std::int64_t y = -3000; y <= 3000; ++y)
        check(y);
    // Day numbers stay exact as far as they fit 64 bits (years near +-2.5e16).
    for (std::int64_t y : {std::int64_t{25000000000000000}, std::int64_t{-25000000000000000},
                           std::int64_t{1} << 40, -(std::int64_t{1} << 40)})
        for (std::int64_t k = 0; k < 800; ++k)
            check(y + k);
    EXPECT_NO_THROW(LeapDaysBefore(Int64Min));
    EXPECT_NO_THROW(LeapDaysBefore(Int64Max));
}

TEST(EncTimeCalendar, DayNumbersRoundTripFarOut) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::int64_t> pick(-(std::int64_t{1} << 62),
                                                     std::int64_t{1} << 62);
    for (int i = 0; i < 100000; ++i) {
        const std::int64_t n = pick(random) >> (random() % 62);
        const YearMonthDay ymd = days_to_ymd(n);
        ASSERT_GE(ymd.Month, 1);
        ASSERT_LE(ymd.Month, 12);
        ASSERT_GE(ymd.Day, 1);
        ASSERT_LE(ymd.Day, DaysInMonth(ymd.Month, ymd.Year));
        ASSERT_EQ(DayNumber(ymd.Year, ymd.Month, ymd.Day), n);
    }
    // At the very ends of the 64-bit range the search may not fit: it fails
    // with a message instead of wrapping, and any date it gives is exact.
    for (std::int64_t n : {Int64Min, Int64Min + 1, Int64Max, Int64Max - 1}) {
        try {
            const YearMonthDay ymd = days_to_ymd(n);
            EXPECT_EQ(DayNumber(ymd.Year, ymd.Month, ymd.Day), n);
        } catch (const ConvertError& e) {
            EXPECT_STREQ(e.what(), "The number is too large");
        }
    }
    EXPECT_THROW(DayNumber(Int64Max, 1, 1), ConvertError);
    EXPECT_THROW(DayNumber(0, 1, Int64Min), ConvertError);
}

TEST(EncTimeCalendar, LeapYearsAndYearZero) {
    const struct {
        std::int64_t Year;
        bool Leap;
    } cases[] = {{1900, false}, {2000, true}, {2004, true},  {2100, false}, {0, true},
                 {-4, true},    {-1, false},  {-100, false}, {-400, true},  {-2000, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsLeapYear(c.Year), c.Leap) << c.Year;
    EXPECT_EQ(DayNumber(1, 1, 1) - DayNumber(0, 12, 31), 1);
    EXPECT_EQ(DayNumber(0, 3, 1) - DayNumber(0, 2, 28), 2);
    EXPECT_EQ(DayNumber(-4, 3, 1) - DayNumber(-4, 2, 28), 2);
    EXPECT_EQ(DayNumber(-1, 3, 1) - DayNumber(-1, 2, 28), 1);
}

TEST(EncTimeCalendar, MonthsOutsideTheYearMoveTheYear) {
    // Against the floor-division reading: month m of year y is month
    // (m - 1) mod 12 + 1 of year y + floor((m - 1) / 12).
    for (std::int64_t m = -100; m <= 100; ++m) {
        std::int64_t y = 2006;
        std::int64_t month = m;
        NormalizeMonth(y, month);
        const std::int64_t shift = (m - 1 >= 0) ? (m - 1) / 12 : -((12 - m) / 12);
        EXPECT_EQ(y, 2006 + shift) << m;
        EXPECT_EQ(month, ((m - 1) % 12 + 12) % 12 + 1) << m;
        EXPECT_EQ(DayNumber(2006, m, 1), DayNumber(y, month, 1)) << m;
    }
    std::int64_t y = 0;
    std::int64_t m = Int64Min;
    NormalizeMonth(y, m);
    EXPECT_EQ(m, 12 - static_cast<std::int64_t>((std::uint64_t{1} << 63) % 12));
    EXPECT_EQ(y, -static_cast<std::int64_t>((std::uint64_t{1} << 63) / 12 + 1));
    y = Int64Max;
    m = 13;
    EXPECT_THROW(NormalizeMonth(y, m), ConvertError);
    EXPECT_EQ(DayNumber(2006, 13, 1), DayNumber(2007, 1, 1));
    EXPECT_EQ(DayNumber(2006, 1, 32), DayNumber(2006, 2, 1));
    EXPECT_EQ(DayNumber(2006, 3, 0), DayNumber(2006, 2, 28));
}

// time_t values read by the C library's UTC calendar.
std::string GmtimeText(std::int64_t t, char dateSep, char timeSep) {
    const auto value = static_cast<std::time_t>(t);
    std::tm tm{};
    if (gmtime_r(&value, &tm) == nullptr)
        return "";
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%lld%c%02d%c%02d %02d%c%02d%c%02d",
                  static_cast<long long>(tm.tm_year) + 1900, dateSep, tm.tm_mon + 1, dateSep,
                  tm.tm_mday, tm.tm_hour, timeSep, tm.tm_min, timeSep, tm.tm_sec);
    return buffer;
}

void CheckTimeTAgainstGmtime(std::int64_t t) {
    const FormatSettings& format = CurrentFormat();
    const DateTimeFields rec = ValueToFields(Enc::TimeT, false, Mode::QWord, 0.0L, t);
    const std::string text = FormatFields(rec);
    ASSERT_EQ(text, GmtimeText(t, format.DateSeparator, format.TimeSeparator)) << t;
    ASSERT_EQ(ParseFields(text, Enc::TimeT, Mode::QWord, false), rec) << text;
    ASSERT_EQ(GetInteger(ReadBack(text, Enc::TimeT, false, Mode::QWord)), t) << text;
}

TEST(EncTimeText, TimeTAgreesWithGmtime) {
    std::mt19937_64 random(3);
    // Near the epoch, across the whole chrono-sized range, and out to where
    // the C library's int year ends.
    std::uniform_int_distribution<std::int64_t> near(-(std::int64_t{1} << 36),
                                                     std::int64_t{1} << 36);
    std::uniform_int_distribution<std::int64_t> far(-67000000000000000, 67000000000000000);
    for (int i = 0; i < 50000; ++i) {
        CheckTimeTAgainstGmtime(near(random));
        CheckTimeTAgainstGmtime(far(random));
    }
    for (std::int64_t t : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{951782400},
                           std::int64_t{-62135596800}, std::int64_t{-62167219200} - 1})
        CheckTimeTAgainstGmtime(t);
}

TEST(EncTimeText, TimeTAgreesWithGmtimeInAnotherLocale) {
    FormatSettingsScope scope(DashCommaFormat());
    std::mt19937_64 random(5);
    std::uniform_int_distribution<std::int64_t> pick(-(std::int64_t{1} << 40),
                                                     std::int64_t{1} << 40);
    for (int i = 0; i < 20000; ++i)
        CheckTimeTAgainstGmtime(pick(random));
}

TEST(EncTimeText, RenderTable) {
    const struct {
        Enc Encoding;
        bool Diff;
        Mode ValueMode;
        Real Value;
        const char* Text;
    } cases[] = {
        {Enc::TimeT, false, Mode::QWord, 0, "1970/01/01 00:00:00"},
        {Enc::TimeT, false, Mode::QWord, -1, "1969/12/31 23:59:59"},
        {Enc::TimeT, false, Mode::DWord, 4294967295.0L, "2106/02/07 06:28:15"},
        {Enc::TimeT, false, Mode::Float, -1.5L, "1969/12/31 23:59:59"},
        {Enc::TimeT, true, Mode::QWord, 90061, "1d 01:01:01"},
        {Enc::TimeT, true, Mode::QWord, -1, "-1d 23:59:59"},
        {Enc::TimeT, true, Mode::QWord, 0, "0d 00:00:00"},
        {Enc::OleDate, false, Mode::Float, 2.5L, "1900/01/01 12:00:00"},
        {Enc::OleDate, false, Mode::DWord, 3, "1900/01/02"},
        {Enc::OleDate, false, Mode::QWord, 60, "1900/02/28"},
        {Enc::OleDate, false, Mode::QWord, 61, "1900/03/01"},
        {Enc::OleDate, false, Mode::QWord, -693593, "1/01/01"},
        {Enc::OleDate, false, Mode::QWord, -693594, "0/12/31"},
        {Enc::OleDate, false, Mode::QWord, -693959, "0/01/01"},
        {Enc::OleDate, false, Mode::QWord, -695055, "-4/12/31"},
        {Enc::OleDate, false, Mode::Float, -1.25L, "1899/12/29 06:00:00"},
        {Enc::OleDate, false, Mode::Float, -0.25L, "1899/12/30 06:00:00"},
        {Enc::OleDate, false, Mode::Float, 0.99999L, "1899/12/30 23:59:59"},
        {Enc::OleDate, false, Mode::Float, 0.5L + 0.9L / 86400, "1899/12/30 12:00:00"},
        {Enc::OleDate, true, Mode::Float, -0.5L, "0d 12:00:00"},
        {Enc::OleDate, true, Mode::Float, -1.5L, "-1d 12:00:00"},
        {Enc::OleDate, true, Mode::QWord, -7, "-7d"},
        {Enc::OleDate, true, Mode::Word, 65535, "65535d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RenderText(c.Encoding, c.Diff, c.ValueMode, c.Value), c.Text)
            << static_cast<double>(c.Value);
}

TEST(EncTimeText, RenderInAnotherLocale) {
    FormatSettingsScope scope(DashCommaFormat());
    EXPECT_EQ(RenderText(Enc::TimeT, false, Mode::QWord, 0), "1970-01-01 00.00.00");
    EXPECT_EQ(RenderText(Enc::TimeT, true, Mode::QWord, -1), "-1d 23.59.59");
    EXPECT_EQ(RenderText(Enc::OleDate, false, Mode::DWord, 3), "1900-01-02");
}

TEST(EncTimeText, ReadBackTable) {
    const struct {
        const char* Text;
        Enc Encoding;
        bool Diff;
        Mode ValueMode;
        Real Value;
    } cases[] = {
        {"2006", Enc::TimeT, false, Mode::QWord, 1136073600},
        {"2006/1/1 0:0:0", Enc::TimeT, false, Mode::QWord, 1136073600},
        {"2006/13/1", Enc::TimeT, false, Mode::QWord, 1167609600},   // January 2007
        {"2006/1/1 25", Enc::TimeT, false, Mode::QWord, 1136163600}, // hour 25 counts on
        {"$7B2", Enc::TimeT, false, Mode::QWord, 0},
        {"0x7b2/1/1 0:0:1", Enc::TimeT, false, Mode::QWord, 1},
        {"1970/1/1 -1", Enc::TimeT, false, Mode::QWord, -3600},
        {"3d 4:05:06", Enc::TimeT, true, Mode::QWord, 3 * 86400 + 4 * 3600 + 5 * 60 + 6},
        {"3 4:05:06", Enc::TimeT, true, Mode::QWord, 3 * 86400 + 4 * 3600 + 5 * 60 + 6},
        {"-1d 23:59:59", Enc::TimeT, true, Mode::QWord, -1},
        {"", Enc::TimeT, false, Mode::QWord, 0},
        {"1899/12/29 06:00:00", Enc::OleDate, false, Mode::Float, -1.25L},
        {"1899/12/30 06:00:00", Enc::OleDate, false, Mode::Float, 0.25L},
        {"1900/01/01 12:00:00", Enc::OleDate, false, Mode::Float, 2.5L},
        {"0d 12:00:00", Enc::OleDate, true, Mode::Float, 0.5L},
        {"-1d 12:00:00", Enc::OleDate, true, Mode::Float, -1.5L},
        {"1900/3/1", Enc::OleDate, false, Mode::QWord, 61},
        {"1900/3/1 12", Enc::TimeT, false, Mode::QWord, -2203848000},
    };
    for (const auto& c : cases) {
        const CalcValue value = ReadBack(c.Text, c.Encoding, c.Diff, c.ValueMode);
        EXPECT_EQ(value.Mode, c.ValueMode) << c.Text;
        EXPECT_EQ(GetReal(value), c.Value) << c.Text;
    }
}

TEST(EncTimeText, ParseRefusals) {
    const struct {
        const char* Text;
        Enc Encoding;
        bool Diff;
        Mode ValueMode;
        const char* Message;
    } cases[] = {
        {"2006/1/1/", Enc::TimeT, false, Mode::QWord, "Invalid date/time separator: /"},
        {"2006:1", Enc::TimeT, false, Mode::QWord, "Invalid date/time separator: :"},
        {"1970/1/1 0:0:0:0", Enc::TimeT, false, Mode::QWord, "Invalid date/time separator: :"},
        {"1970/1/1 0:0:0.5", Enc::TimeT, false, Mode::QWord, "Too many date/time components"},
        {"1900/1/1 5", Enc::OleDate, false, Mode::DWord, "Too many date/time components"},
        {"5d 1", Enc::OleDate, true, Mode::DWord, "Too many date/time components"},
        {"99999999999999999999", Enc::TimeT, false, Mode::QWord, "Invalid date/time separator: 9"},
        {"1", Enc(2), false, Mode::QWord, "Too many date/time components"},
        {"1970/1/1 0:0:0", Enc::TimeT, false, Mode::QWord, ""},
        {"1970/1/1 0:0:0.", Enc::TimeT, false, Mode::QWord, ""},
        {"-9223372036854775808", Enc::TimeT, true, Mode::QWord, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseError(c.Text, c.Encoding, c.Diff, c.ValueMode), c.Message) << c.Text;

    FormatSettingsScope scope(DashCommaFormat());
    EXPECT_EQ(ParseError("2006/1/1", Enc::TimeT, false, Mode::QWord),
              "Invalid date/time separator: /");
    EXPECT_EQ(ParseError("2006-1-1 1.2.3", Enc::TimeT, false, Mode::QWord), "");
    EXPECT_EQ(GetInteger(ReadBack("1970-1-1 1.2.3", Enc::TimeT, false, Mode::QWord)), 3723);
    EXPECT_EQ(GetInteger(ReadBack("1970--1-1", Enc::TimeT, false, Mode::QWord)),
              ChronoDays(1969, 11, 1) * 86400);
}

TEST(EncTimeText, ValuesTooLargeForADateFailWithAMessage) {
    EXPECT_THROW(ReadBack("9223372036854775807/1/1", Enc::TimeT, false, Mode::QWord), ConvertError);
    EXPECT_THROW(ReadBack("106751991167301d", Enc::TimeT, true, Mode::QWord), ConvertError);
    EXPECT_THROW(ReadBack("0d 9223372036854775807", Enc::TimeT, true, Mode::QWord), ConvertError);
    // The largest day count is exact in 80 bits and still fits.
    EXPECT_EQ(GetInteger(ReadBack("9223372036854775807d", Enc::OleDate, true, Mode::Float)),
              Int64Max);
    EXPECT_EQ(GetReal(ReadBack("9223372036854775807d 12", Enc::OleDate, true, Mode::Float)),
              0x1p63L - 0.5L);
    EXPECT_THROW(ReadBack("9223372036854775807d 23:59:59", Enc::OleDate, true, Mode::Float),
                 ConvertError);
    EXPECT_NO_THROW(ReadBack("106751991167300d", Enc::TimeT, true, Mode::QWord));
    EXPECT_THROW(ValueToFields(Enc::OleDate, false, Mode::Float, 1e19L, 0), ConvertError);
    EXPECT_THROW(ValueToFields(Enc::OleDate, false, Mode::Float, -1e19L, 0), ConvertError);
    EXPECT_THROW(
        ValueToFields(Enc::OleDate, false, Mode::Float, std::numeric_limits<Real>::quiet_NaN(), 0),
        ConvertError);
    EXPECT_THROW(
        ValueToFields(Enc::OleDate, false, Mode::Float, std::numeric_limits<Real>::infinity(), 0),
        ConvertError);
    EXPECT_THROW(ValueToFields(Enc::OleDate, false, Mode::QWord, 0, Int64Max), ConvertError);
}

TEST(EncTimeText, ExtremeTimeTValuesRenderAndReadBack) {
    for (bool diff : {false, true}) {
        for (std::int64_t t : {Int64Min, Int64Min + 1, Int64Max, Int64Max - 86399}) {
            const DateTimeFields rec = ValueToFields(Enc::TimeT, diff, Mode::QWord, 0, t);
            const std::string text = FormatFields(rec);
            EXPECT_EQ(GetInteger(ReadBack(text, Enc::TimeT, diff, Mode::QWord)), t) << text;
        }
    }
    EXPECT_EQ(GetInteger(ReadBack("-106751991167301d 08:29:52", Enc::TimeT, true, Mode::QWord)),
              Int64Min);
    EXPECT_THROW(ReadBack("-106751991167301d 08:29:51", Enc::TimeT, true, Mode::QWord),
                 ConvertError);
    EXPECT_EQ(FormatFields(ValueToFields(Enc::TimeT, true, Mode::QWord, 0, Int64Min)),
              "-106751991167301d 08:29:52");
}

// Every whole second typed as an OLE date must show as itself again, though
// the fraction of a day it is stored as is inexact.
TEST(EncTimeText, OleTimesTypedAsWholeSecondsComeBackUnchanged) {
    for (std::int64_t days :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{45000}, std::int64_t{2958465},
          std::int64_t{-1}, std::int64_t{-45000}, std::int64_t{-657434}}) {
        for (bool diff : {false, true}) {
            for (std::int64_t s = 0; s < 86400; s += (days == 45000 ? 1 : 7)) {
                DateTimeFields typed;
                if (diff) {
                    typed.Set(DateTimeField::Day, days);
                } else {
                    const YearMonthDay ymd = days_to_ymd(DayNumber(1899, 12, 30) + days);
                    typed.Set(DateTimeField::Year, ymd.Year);
                    typed.Set(DateTimeField::Month, ymd.Month);
                    typed.Set(DateTimeField::Day, ymd.Day);
                }
                typed.Set(DateTimeField::Hour, s / 3600);
                typed.Set(DateTimeField::Minute, s / 60 % 60);
                typed.Set(DateTimeField::Second, s % 60);
                const CalcValue value = FieldsToValue(typed, Enc::OleDate, Mode::Float);
                const DateTimeFields shown =
                    ValueToFields(Enc::OleDate, diff, Mode::Float, GetReal(value), 0);
                ASSERT_EQ(FormatFields(shown), FormatFields(typed)) << days << " " << s;
            }
        }
    }
}

// Only the value's own rounding error counts a time as the next second: a
// value one ulp below a whole second is below it, however large the value.
TEST(EncTimeText, OleTimeOneStepBelowASecondIsTheSecondBefore) {
    for (const Real days : {1.0L, 45000.0L, 1e9L, 1e13L, -1e13L}) {
        const Real noon = days + (days < 0 ? -0.5L : 0.5L);
        const Real below = std::nextafter(noon, days);
        const std::string text = RenderText(Enc::OleDate, true, Mode::Float, noon);
        EXPECT_NE(text.find("12:00:00"), std::string::npos) << text;
        const std::string belowText = RenderText(Enc::OleDate, true, Mode::Float, below);
        EXPECT_NE(belowText.find("11:59:59"), std::string::npos)
            << belowText << " " << static_cast<double>(days);
    }
    // As typed into the Real bar.
    const Real typed = std::strtold("10000000000000.49999904633", nullptr);
    const std::string typedText = RenderText(Enc::OleDate, false, Mode::Float, typed);
    EXPECT_NE(typedText.find("11:59:59"), std::string::npos) << typedText;
}

TEST(EncTimeText, RenderedTextsReadBackToTheSameValue) {
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> oleDays(-3e6, 3e6);
    std::uniform_int_distribution<std::int64_t> seconds(-(std::int64_t{1} << 42),
                                                        std::int64_t{1} << 42);
    for (const FormatSettings& format : {FormatSettings{}, DashCommaFormat()}) {
        FormatSettingsScope scope(format);
        for (int i = 0; i < 5000; ++i) {
            for (bool diff : {false, true}) {
                const std::int64_t t = seconds(random);
                const std::string text = RenderText(Enc::TimeT, diff, Mode::QWord, Real(t));
                EXPECT_EQ(GetInteger(ReadBack(text, Enc::TimeT, diff, Mode::QWord)), t) << text;

                // OLE dates keep whole seconds only: the text reads back to the
                // value truncated to its second.
                const Real x = static_cast<Real>(oleDays(random));
                const std::string oleText = RenderText(Enc::OleDate, diff, Mode::Float, x);
                const Real back = GetReal(ReadBack(oleText, Enc::OleDate, diff, Mode::Float));
                EXPECT_EQ(RenderText(Enc::OleDate, diff, Mode::Float, back), oleText);
                if (!(x > -1 && x < 0)) {
                    EXPECT_LE(std::fabs(back - x), 1.0L / 86400) << oleText;
                    EXPECT_LE(std::fabs(back), std::fabs(x) + 1e-9L) << oleText;
                }
            }
        }
    }
}

TEST(EncTimeFields, AllowedFieldsAndSeparators) {
    const DateTimeFieldSet dayToSecond =
        static_cast<DateTimeFieldSet>(FieldBit(DateTimeField::Day) | TimeFieldSet);
    EXPECT_EQ(AllowedFields(Enc::TimeT, false, Mode::Byte), AllFieldSet);
    EXPECT_EQ(AllowedFields(Enc::TimeT, true, Mode::Float), dayToSecond);
    EXPECT_EQ(AllowedFields(Enc::OleDate, false, Mode::Float), AllFieldSet);
    EXPECT_EQ(AllowedFields(Enc::OleDate, true, Mode::Float), dayToSecond);
    EXPECT_EQ(AllowedFields(Enc::OleDate, false, Mode::QWord), DateFieldSet);
    EXPECT_EQ(AllowedFields(Enc::OleDate, true, Mode::Word), FieldBit(DateTimeField::Day));
    EXPECT_EQ(AllowedFields(Enc(2), false, Mode::Float), 0);
    EXPECT_EQ(AllowedFields(Enc(255), true, Mode::QWord), 0);
    EXPECT_STREQ(TimeEncodingName(Enc::TimeT), "time_t");
    EXPECT_STREQ(TimeEncodingName(Enc::OleDate), "OleDate");
    EXPECT_STREQ(TimeEncodingName(Enc(2)), "");

    const std::string defaults = {
        FieldSeparator(DateTimeField::Year),   FieldSeparator(DateTimeField::Month),
        FieldSeparator(DateTimeField::Day),    FieldSeparator(DateTimeField::Hour),
        FieldSeparator(DateTimeField::Minute), FieldSeparator(DateTimeField::Second)};
    EXPECT_EQ(defaults, "// ::.");
    FormatSettingsScope scope(DashCommaFormat());
    EXPECT_EQ(FieldSeparator(DateTimeField::Month), '-');
    EXPECT_EQ(FieldSeparator(DateTimeField::Minute), '.');
    EXPECT_EQ(FieldSeparator(DateTimeField::Second), ',');
}

TEST(EncTimeFields, CarryBorrowsWithFloorDivision) {
    DateTimeFields rec;
    rec.Set(DateTimeField::Day, 0);
    rec.Set(DateTimeField::Hour, 0);
    rec.Set(DateTimeField::Minute, 0);
    rec.Set(DateTimeField::Second, -1);
    EXPECT_EQ(CarryTimeFields(rec), -1);
    EXPECT_EQ(rec.Hour, 23);
    EXPECT_EQ(rec.Minute, 59);
    EXPECT_EQ(rec.Second, 59);

    rec.Hour = 0;
    rec.Minute = 59;
    rec.Second = 60;
    EXPECT_EQ(CarryTimeFields(rec), 0);
    EXPECT_EQ(rec.Hour, 1);
    EXPECT_EQ(rec.Minute, 0);
    EXPECT_EQ(rec.Second, 0);

    // Extreme fields carry without overflowing.
    rec.Hour = Int64Max;
    rec.Minute = Int64Max;
    rec.Second = Int64Max;
    const std::int64_t carry = CarryTimeFields(rec);
    EXPECT_GE(rec.Hour, 0);
    EXPECT_LT(rec.Hour, 24);
    EXPECT_GT(carry, 0);

    // A record without a time of day carries nothing.
    DateTimeFields date;
    date.Set(DateTimeField::Day, 5);
    EXPECT_EQ(CarryTimeFields(date), 0);
    EXPECT_EQ(date.Day, 5);
}

TEST(EncTimeFields, Completeness) {
    DateTimeFields rec;
    EXPECT_TRUE(FieldsComplete(rec));
    rec.Set(DateTimeField::Day, 3);
    EXPECT_TRUE(FieldsComplete(rec));
    rec.Set(DateTimeField::Year, 2006);
    EXPECT_FALSE(FieldsComplete(rec));
    rec.Set(DateTimeField::Month, 1);
    EXPECT_TRUE(FieldsComplete(rec));
    DateTimeFields yearMonth;
    yearMonth.Set(DateTimeField::Year, 2006);
    yearMonth.Set(DateTimeField::Month, 1);
    EXPECT_FALSE(FieldsComplete(yearMonth));
    EXPECT_TRUE(FieldsComplete(ParseFields("2006", Enc::TimeT, Mode::QWord, false)));
}

TEST(EncTimeFields, FormatWidths) {
    DateTimeFields rec;
    rec.Set(DateTimeField::Year, -5);
    rec.Set(DateTimeField::Month, 3);
    rec.Set(DateTimeField::Day, 7);
    EXPECT_EQ(FormatFields(rec), "-5/03/07");
    rec.Month = -3;
    EXPECT_EQ(FormatFields(rec), "-5/-03/07");
    DateTimeFields span;
    span.Set(DateTimeField::Day, -123);
    span.Set(DateTimeField::Hour, 5);
    EXPECT_EQ(FormatFields(span), "-123d 05");
    DateTimeFields timeOnly;
    timeOnly.Set(DateTimeField::Hour, 5);
    timeOnly.Set(DateTimeField::Minute, 7);
    EXPECT_EQ(FormatFields(timeOnly), "5:07");
    DateTimeFields yearHour;
    yearHour.Set(DateTimeField::Year, 2006);
    yearHour.Set(DateTimeField::Hour, 1);
    EXPECT_EQ(FormatFields(yearHour), "2006 01");
    EXPECT_EQ(FormatFields(DateTimeFields{}), "");
}

struct EntryCase {
    const char* Text;
    Enc Encoding;
    bool Diff;
    Mode ValueMode;
    bool Ok;
    const char* Tidied; // only checked when Ok
};

void CheckEntry(const EntryCase& c) {
    std::string text = c.Text;
    EXPECT_EQ(CheckTimeEntry(text, c.Encoding, c.Diff, c.ValueMode), c.Ok) << c.Text;
    if (c.Ok) {
        EXPECT_EQ(text, c.Tidied) << c.Text;
    }
}

constexpr Enc T = Enc::TimeT;
constexpr Enc O = Enc::OleDate;

TEST(EncTimeEntry, DefaultLocale) {
    const EntryCase cases[] = {
        {"", T, false, Mode::QWord, true, ""},
        {"2", T, false, Mode::QWord, true, "2"},
        {"2006:", T, false, Mode::QWord, true, "2006/"},
        {"2006/", T, false, Mode::QWord, true, "2006/"},
        {"2006/2:", T, false, Mode::QWord, true, "2006/2/"},
        {"2006/2/28:", T, false, Mode::QWord, true, "2006/2/28 "},
        {"2006/2/28 1:", T, false, Mode::QWord, true, "2006/2/28 1:"},
        {"2006/2/28 1:2:3", T, false, Mode::QWord, true, "2006/2/28 1:2:3"},
        {"2006:1:2:3:4:5", T, false, Mode::QWord, true, "2006/1/2 3:4:5"},
        {"2006:1:2:3:4:5", T, true, Mode::QWord, false, ""},
        {"2006:1:2:3", T, true, Mode::QWord, true, "2006d 1:2:3"},
        {"2006/2/28 1:2:3:", T, false, Mode::QWord, false, ""},
        {"2006/2/28 1:2:3.", T, false, Mode::QWord, false, ""},
        {"2006/2/28 1:2:3 ", T, false, Mode::QWord, false, ""},
        {"2006/2/0", T, false, Mode::QWord, true, "2006/2/0"}, // the 0 of "02"
        {"2006/2/0 ", T, false, Mode::QWord, false, ""},
        {"2006/2/0:", T, false, Mode::QWord, false, ""},
        {"2006/2/-0", T, false, Mode::QWord, false, ""},
        {"2006/2/29", T, false, Mode::QWord, false, ""},
        {"2006/2/30", T, false, Mode::QWord, false, ""},
        {"2004/2/29", T, false, Mode::QWord, true, "2004/2/29"},
        {"1900/2/29", T, false, Mode::QWord, false, ""},
        {"0/2/29", T, false, Mode::QWord, true, "0/2/29"},
        {"-4/2/29", T, false, Mode::QWord, true, "-4/2/29"},
        {"2006/14/29", T, false, Mode::QWord, false, ""},        // February 2007
        {"2006/0/31", T, false, Mode::QWord, true, "2006/0/31"}, // December 2005
        {"2006/1/1/", T, false, Mode::QWord, false, ""},
        {"2006/1/32", T, false, Mode::QWord, false, ""},
        {"2006/1/1 ", T, false, Mode::QWord, true, "2006/1/1 "},
        {"2006/1/ ", T, false, Mode::QWord, false, ""},
        {"05", T, false, Mode::QWord, true, "5"},
        {"2006/05", T, false, Mode::QWord, true, "2006/5"},
        {"2006/1/05", T, false, Mode::QWord, true, "2006/1/5"},
        {"2006/1/1 00", T, false, Mode::QWord, true, "2006/1/1 0"},
        {"0", T, false, Mode::QWord, true, "0"},
        {"-05", T, false, Mode::QWord, true, "-5"},
        {"2006//", T, false, Mode::QWord, true, "2006/1/"},
        {"2006/1/:", T, false, Mode::QWord, true, "2006/1/1 "},
        {"2006/1/1 :", T, false, Mode::QWord, true, "2006/1/1 0:"},
        {"2006/1/1 1::", T, false, Mode::QWord, true, "2006/1/1 1:0:"},
        {":", T, false, Mode::QWord, true, "0/"},
        {"2006/1//", T, false, Mode::QWord, false, ""},
        {"2006/1/-:", T, false, Mode::QWord, false, ""}, // the default digit makes day -1
        {"2006/-:", T, false, Mode::QWord, true, "2006/-1/"},
        {"1d 1:-:", T, true, Mode::QWord, true, "1d 1:-0:"},
        {"2006/1/1 -1", T, false, Mode::QWord, false, ""},
        {"2006/1/1 1:-1", T, false, Mode::QWord, false, ""},
        {"2006/1/1 25", T, false, Mode::QWord, true, "2006/1/1 25"},
        {"-2006/13", T, false, Mode::QWord, true, "-2006/13"},
        {"2006 ", T, false, Mode::QWord, false, ""},
        {"2006d/", T, false, Mode::QWord, true, "2006d/"},
        // Difference mode: the day count takes any number and gets its mark.
        {"3", T, true, Mode::QWord, true, "3d"},
        {"3d", T, true, Mode::QWord, true, "3d"},
        {"3d:", T, true, Mode::QWord, true, "3d "},
        {"3 4", T, true, Mode::QWord, true, "3d 4"},
        {"-", T, true, Mode::QWord, true, "-d"},
        {"0", T, true, Mode::QWord, true, "0d"},
        {":", T, true, Mode::QWord, true, "0d "},
        {"12d 5:", T, true, Mode::QWord, true, "12d 5:"},
        {"12d 5::", T, true, Mode::QWord, true, "12d 5:0:"},
        {"-12d 5:6:7", T, true, Mode::QWord, true, "-12d 5:6:7"},
        {"-12d 5:6:7:", T, true, Mode::QWord, false, ""},
        {"1d -1", T, true, Mode::QWord, false, ""},
        {"1d/", T, true, Mode::QWord, false, ""},
        // OLE dates without a time of day end at Day.
        {"1900/1/1", O, false, Mode::QWord, true, "1900/1/1"},
        {"1900/1/1 ", O, false, Mode::QWord, false, ""},
        {"1900/1/1:", O, false, Mode::DWord, false, ""},
        {"1900/1/1 1:2:3", O, false, Mode::Float, true, "1900/1/1 1:2:3"},
        {"5", O, true, Mode::QWord, true, "5d"},
        {"5d:", O, true, Mode::QWord, false, ""},
        // No fields at all for an unknown encoding.
        {"", Enc(2), false, Mode::QWord, true, ""},
        {"1", Enc(2), false, Mode::QWord, false, ""},
    };
    for (const auto& c : cases)
        CheckEntry(c);
}

TEST(EncTimeEntry, AnotherLocale) {
    FormatSettingsScope scope(DashCommaFormat());
    const EntryCase cases[] = {
        {"2006:", T, false, Mode::QWord, true, "2006-"},
        {"2006-2:", T, false, Mode::QWord, true, "2006-2-"},
        {"2006-2-30", T, false, Mode::QWord, false, ""},
        {"2006-2-28:", T, false, Mode::QWord, true, "2006-2-28 "},
        {"2006-2-28 1:", T, false, Mode::QWord, true, "2006-2-28 1."},
        {"2006-2-28 1.2.3", T, false, Mode::QWord, true, "2006-2-28 1.2.3"},
        {"2006-2-28 1.2.3,", T, false, Mode::QWord, false, ""},
        {"2006/2", T, false, Mode::QWord, false, ""},
        {"2006--", T, false, Mode::QWord, true, "2006--"}, // month -0 is still typed
        {"3 4:", T, true, Mode::QWord, true, "3d 4."},
    };
    for (const auto& c : cases)
        CheckEntry(c);
}

// A separator that is also the day mark cannot be told from it: such entries
// are refused rather than accepted and then found unreadable.
TEST(EncTimeEntry, SeparatorThatIsTheDayMark) {
    FormatSettings format;
    format.DateSeparator = 'd';
    FormatSettingsScope scope(format);
    std::string text = "3dd0:04:";
    EXPECT_FALSE(CheckTimeEntry(text, T, false, Mode::QWord));
    text = "3dd";
    EXPECT_TRUE(CheckTimeEntry(text, T, false, Mode::QWord));
    EXPECT_NO_THROW(ParseFields(text, T, Mode::QWord, false));
}

} // namespace
} // namespace pexa
