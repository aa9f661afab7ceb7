#include "ConvDriver.h"

#include "conv/DateTimeConversion.h"
#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <random>
#include <string>

namespace pexa {
namespace {

using namespace test;

namespace chr = std::chrono;
constexpr auto TimeT = TimeEncoding::TimeT;
constexpr auto Ole = TimeEncoding::OleDate;

// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t OleDaysAt1970 = 25569;

struct TimeSetup {
    CalcValueMode mode = QWord;
    TimeEncoding encoding = TimeT;
    bool diff = false;
    bool isSigned = false;
    bool reversed = false;
};

// A date/time bar configured in the window's order; the bar variant sets
// encoding and difference mode right after creation.
std::unique_ptr<Conversion> MakeTime(const TimeSetup& s) {
    auto conv = CreateConv(static_cast<int>(BarKind::Time));
    auto& time = dynamic_cast<DateTimeConversion&>(*conv);
    time.SetEncoding(s.encoding);
    time.SetDiffMode(s.diff);
    conv->SetMode(s.mode);
    conv->SetOption(ConvOption::Signed, s.isSigned);
    conv->SetOption(ConvOption::ReverseEndian, s.reversed);
    conv->SetValue(MakeZero());
    return conv;
}

std::string Two(long v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

// The text of a time_t value by the C library's calendar.
std::string GmText(std::int64_t t, char dateSep = '/', char timeSep = ':') {
    const std::time_t tt = t;
    std::tm tm{};
    EXPECT_NE(gmtime_r(&tt, &tm), nullptr) << t;
    return std::to_string(static_cast<std::int64_t>(tm.tm_year) + 1900) + dateSep +
           Two(tm.tm_mon + 1) + dateSep + Two(tm.tm_mday) + ' ' + Two(tm.tm_hour) + timeSep +
           Two(tm.tm_min) + timeSep + Two(tm.tm_sec);
}

// The date of an OLE day count by the standard library's calendar.
chr::year_month_day OleDay(std::int64_t days) {
    return chr::year_month_day{chr::sys_days{chr::year{1899} / 12 / 30} + chr::days{days}};
}

std::string DateText(const chr::year_month_day& ymd, char sep = '/') {
    return std::to_string(static_cast<int>(ymd.year())) + sep +
           Two(static_cast<unsigned>(ymd.month())) + sep + Two(static_cast<unsigned>(ymd.day()));
}

// Seconds since 1970 of a date and time by the standard library's calendar.
std::int64_t ChronoSeconds(int y, unsigned m, unsigned d, int h = 0, int mi = 0, int s = 0) {
    const chr::sys_days day{chr::year{y} / m / d};
    return std::int64_t{day.time_since_epoch().count()} * 86400 + h * 3600 + mi * 60 + s;
}

TEST(ConvTime, ClassContract) {
    auto conv = MakeTime({});
    EXPECT_EQ(conv->GetCapabilities().Bits(),
              (ConvOptionSet{ConvOption::Signed, ConvOption::ReverseEndian}.Bits()));
    EXPECT_TRUE(conv->CanToggleSign());
    EXPECT_EQ(conv->GetLabel(), "TIME");
    EXPECT_EQ(conv->GetAccessKey(), 'T');
    EXPECT_EQ(conv->GetSeparatorCaption(), "/ :");
    EXPECT_TRUE(conv->IsIgnoredChar('d'));
    EXPECT_FALSE(conv->IsIgnoredChar('D'));
    EXPECT_FALSE(conv->IsIgnoredChar('/'));
    EXPECT_EQ(std::string(InvalidDateTimeText), "(Invalid)");
    auto& time = dynamic_cast<DateTimeConversion&>(*conv);
    EXPECT_EQ(time.GetTimeEncoding(), TimeT);
    EXPECT_FALSE(time.GetTimeDiffMode());
}

TEST(ConvTime, ClearedBarIsEmpty) {
    auto conv = MakeTime({});
    conv->SetValue(IntValue(QWord, 12345));
    conv->Clear();
    EXPECT_EQ(conv->GetText(false), "");
    EXPECT_FALSE(conv->CanBackspace());
    EXPECT_EQ(IntOf(*conv), 0);
    EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
    EXPECT_TRUE(conv->InputChar('7'));
    EXPECT_EQ(conv->GetText(false), "7");
}

TEST(ConvTime, TimeTMatchesGmtime) {
    auto conv = MakeTime({});
    std::mt19937_64 rng(8);
    // gmtime_r keeps the year in an int.
    std::uniform_int_distribution<std::int64_t> anywhere(-67767976233316800LL, 67767976233532799LL);
    std::uniform_int_distribution<std::int64_t> nearby(-20000000000LL, 20000000000LL);
    for (int i = 0; i < 3000; ++i) {
        const std::int64_t t = i % 2 ? anywhere(rng) : nearby(rng);
        conv->SetValue(IntValue(QWord, t));
        ASSERT_EQ(conv->GetText(false), GmText(t)) << t;
        ASSERT_EQ(conv->GetText(true), conv->GetText(false));
    }
    const std::int64_t fixed[] = {
        0,           -1, 86399, 86400, 951782400 /* 2000-02-29 */, -2208988800 /* 1900-01-01 */,
        253402300799};
    for (const std::int64_t t : fixed) {
        conv->SetValue(IntValue(QWord, t));
        EXPECT_EQ(conv->GetText(false), GmText(t));
    }
}

// The bits as the notation reads them: width, signedness and byte order.
TEST(ConvTime, TimeTInEveryMode) {
    struct Case {
        TimeSetup setup;
        CalcValue value;
        std::int64_t seconds; // what the text shows
    };
    const Case cases[] = {
        {{Byte}, IntValue(Byte, 200), 200},
        {{Byte, TimeT, false, true}, IntValue(Byte, 200), -56},
        {{Word, TimeT, false, false, true}, IntValue(Word, 0x0100), 1},
        {{Word, TimeT, false, true, true}, IntValue(Word, 0xFF7F), 0x7FFF},
        {{Word, TimeT, false, true, true}, IntValue(Word, 0x00FF), -256},
        {{DWord}, IntValue(DWord, 0xFFFFFFFF), 4294967295LL},
        {{DWord, TimeT, false, true}, IntValue(DWord, 0xFFFFFFFF), -1},
        {{DWord, TimeT, false, true}, IntValue(DWord, 0x80000000), -2147483648LL},
        {{QWord}, IntValue(QWord, -1), -1},
        {{QWord, TimeT, false, false, true}, IntValue(QWord, 0x0100000000000000), 1},
        // A real counts its whole seconds, toward zero.
        {{Float}, RealValue(1.9L), 1},
        {{Float}, RealValue(-1.9L), -1},
        {{Float}, RealValue(1136073600.75L), 1136073600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.setup.mode)) + " " + std::to_string(c.seconds));
        auto conv = MakeTime(c.setup);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), GmText(c.seconds));
        EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
    }
}

TEST(ConvTime, OleDatesMatchChrono) {
    auto real = MakeTime({Float, Ole});
    auto dword = MakeTime({DWord, Ole, false, true});
    std::mt19937_64 rng(9);
    std::uniform_int_distribution<std::int64_t> days(-3000000, 3000000);
    std::uniform_int_distribution<int> seconds(0, 86399);
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t k = days(rng);
        const int s = seconds(rng);
        // Whole seconds plus half a second, so that the truncation is safe.
        const Real fraction = (s + 0.5L) / 86400;
        const Real x = k >= 0 ? k + fraction : k - fraction;
        real->SetValue(RealValue(x));
        const std::string time = Two(s / 3600) + ":" + Two(s / 60 % 60) + ":" + Two(s % 60);
        ASSERT_EQ(real->GetText(false), DateText(OleDay(k)) + " " + time) << k << " " << s;
        dword->SetValue(IntValue(DWord, k));
        ASSERT_EQ(dword->GetText(false), DateText(OleDay(k))) << k;
    }
}

TEST(ConvTime, RenderingTable) {
    struct Case {
        TimeSetup setup;
        CalcValue value;
        const char* text;
    };
    const Case cases[] = {
        {{Float, Ole}, RealValue(2.5L), "1900/01/01 12:00:00"},
        {{Float, Ole}, RealValue(60), "1900/02/28 00:00:00"},
        {{Float, Ole}, RealValue(61), "1900/03/01 00:00:00"},
        {{Float, Ole}, RealValue(-1.25L), "1899/12/29 06:00:00"},
        {{Float, Ole}, RealValue(-0.25L), "1899/12/30 06:00:00"},
        {{DWord, Ole}, IntValue(DWord, 3), "1900/01/02"},
        {{QWord, TimeT}, IntValue(QWord, -62135596800LL), "1/01/01 00:00:00"},
        {{QWord, TimeT}, IntValue(QWord, -62135596801LL), "0/12/31 23:59:59"},
        {{QWord, TimeT}, IntValue(QWord, -62198755200LL), "-1/01/01 00:00:00"},
        // Spans.
        {{QWord, TimeT, true}, IntValue(QWord, 90061), "1d 01:01:01"},
        {{QWord, TimeT, true}, IntValue(QWord, -1), "-1d 23:59:59"},
        {{QWord, TimeT, true}, IntValue(QWord, 0), "0d 00:00:00"},
        {{Float, Ole, true}, RealValue(-1.5L), "-1d 12:00:00"},
        {{Float, Ole, true}, RealValue(-0.25L), "0d 06:00:00"},
        {{Word, Ole, true}, IntValue(Word, 300), "300d"},
        {{Word, Ole, true, true}, IntValue(Word, 0xFFFF), "-1d"},
        {{DWord, TimeT, true, false, true}, IntValue(DWord, 0x3C000000), "0d 00:01:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto conv = MakeTime(c.setup);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), c.text);
    }
}

// Settings the bar switches later rewrite the text from the held value.
TEST(ConvTime, EncodingAndDiffModeRewriteText) {
    auto conv = MakeTime({Float});
    auto& time = dynamic_cast<DateTimeConversion&>(*conv);
    conv->SetValue(RealValue(86400 * 2.5L));
    EXPECT_EQ(conv->GetText(false), "1970/01/03 12:00:00");
    time.SetDiffMode(true);
    EXPECT_EQ(conv->GetText(false), "2d 12:00:00");
    time.SetEncoding(Ole);
    EXPECT_EQ(conv->GetText(false), "216000d 00:00:00");
    time.SetDiffMode(false);
    EXPECT_EQ(conv->GetText(false), DateText(OleDay(216000)) + " 00:00:00");
    EXPECT_EQ(time.GetTimeEncoding(), Ole);
    EXPECT_FALSE(time.GetTimeDiffMode());
    EXPECT_EQ(RealOf(*conv), 86400 * 2.5L);
}

TEST(ConvTime, ValueWithoutDateShowsInvalid) {
    auto conv = MakeTime({QWord, Ole});
    const CalcValue huge = IntValue(QWord, std::numeric_limits<std::int64_t>::max());
    conv->SetValue(huge);
    EXPECT_EQ(conv->GetText(false), "(Invalid)");
    EXPECT_FALSE(conv->CanBackspace());
    EXPECT_FALSE(conv->Backspace());
    EXPECT_EQ(conv->GetText(false), "(Invalid)");
    // The held value is what the bar hands out.
    EXPECT_EQ(IntOf(*conv), std::numeric_limits<std::int64_t>::max());
    // The next character replaces the message.
    EXPECT_TRUE(conv->InputChar('5'));
    EXPECT_EQ(conv->GetText(false), "5");
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(5, 1, 1) / 86400 + OleDaysAt1970);

    auto real = MakeTime({Float, Ole});
    real->SetValue(RealValue(9223372036854775807.0L));
    EXPECT_EQ(real->GetText(false), "(Invalid)");
    EXPECT_EQ(RealOf(*real), 9223372036854775807.0L);
}

struct TypingCase {
    TimeSetup setup;
    const char* keys;
    const char* marks; // per key: + accepted, - refused, x key disabled
    const char* text;
    std::int64_t value; // GetInteger of GetValue
    ConvTextState state = ConvTextState::Normal;
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE(std::string("keys \"") + c.keys + "\" " + ModeCaption(c.setup.mode) +
                 (c.setup.encoding == Ole ? " ole" : "") + (c.setup.diff ? " diff" : "") +
                 (c.setup.isSigned ? " signed" : ""));
    auto conv = MakeTime(c.setup);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(IntOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.setup.mode);
    EXPECT_EQ(conv->GetTextState(), c.state);
}

// The bits of a number as a bar of the mode holds them.
std::int64_t Masked(CalcValueMode mode, std::int64_t v) {
    return GetInteger(IntValue(mode, v));
}

constexpr auto Red = ConvTextState::Invalid;

TEST(ConvTime, TypingDates) {
    const std::int64_t y2006 = ChronoSeconds(2006, 1, 1);
    const TypingCase cases[] = {
        // ":" stands for whichever separator is due.
        {{},
         "2006:1:2 3:4:5",
         "++++++++++++++",
         "2006/1/2 3:4:5",
         ChronoSeconds(2006, 1, 2, 3, 4, 5)},
        {{},
         "2006/1/2 3:4:5",
         "++++++++++++++",
         "2006/1/2 3:4:5",
         ChronoSeconds(2006, 1, 2, 3, 4, 5)},
        {{}, "2006::", "++++++", "2006/1/", y2006},
        {{}, "2006", "++++", "2006", y2006},
        {{}, "1970", "++++", "1970", 0},
        // A leading zero goes; a day must exist in its month, but a lone 0
        // may begin a zero-padded day ("02"), shown as not yet a date.
        {{}, "2006:05", "+++++++", "2006/5", ChronoSeconds(2006, 5, 1)},
        {{}, "2006:2:0", "++++++++", "2006/2/0", ChronoSeconds(2006, 1, 31), Red},
        {{}, "2006:2:02", "+++++++++", "2006/2/2", ChronoSeconds(2006, 2, 2)},
        {{}, "2006:2:0 ", "++++++++-", "2006/2/0", ChronoSeconds(2006, 1, 31), Red},
        {{}, "2006:2:00", "+++++++++", "2006/2/0", ChronoSeconds(2006, 1, 31), Red},
        {{}, "2006:2:30", "++++++++-", "2006/2/3", ChronoSeconds(2006, 2, 3)},
        {{}, "2004:2:29", "+++++++++", "2004/2/29", ChronoSeconds(2004, 2, 29)},
        {{}, "2005:2:29", "++++++++-", "2005/2/2", ChronoSeconds(2005, 2, 2)},
        // Month 13 counts on into the next year; hours must not be negative.
        {{}, "2006:13", "+++++++", "2006/13", ChronoSeconds(2007, 1, 1)},
        {{}, "2006:1:1 25", "+++++++++++", "2006/1/1 25", ChronoSeconds(2006, 1, 2, 1)},
        {{}, "2006:1:1 -", "++++++++++", "-2006/1/1 ", ChronoSeconds(-2006, 1, 1)},
        // Nothing after the seconds; the decimal-point key is always off.
        {{}, "2006:1:1 0:0:0:", "++++++++++++++-", "2006/1/1 0:0:0", y2006},
        {{}, "2006.", "++++x", "2006", y2006},
        {{}, "a", "x", "1970/01/01 00:00:00", 0},
        {{}, "-", "+", "-", ChronoSeconds(0, 1, 1)},
        // The sign: only where the reading is signed.
        {{}, "5-", "++", "-5", ChronoSeconds(-5, 1, 1)},
        {{}, "5--", "+++", "5", ChronoSeconds(5, 1, 1)},
        {{DWord}, "-", "x", "1970/01/01 00:00:00", 0},
        {{DWord, TimeT, false, true}, "-", "+", "-", Masked(DWord, ChronoSeconds(0, 1, 1)), Red},
        // Narrow modes cannot hold the numbers a date passes through (the
        // year 2 of 2006): the entry goes on, shown as not denoting its
        // value, which is held masked to the width.
        {{DWord},
         "2006:1:2 3:4:5",
         "++++++++++++++",
         "2006/1/2 3:4:5",
         ChronoSeconds(2006, 1, 2, 3, 4, 5)},
        {{DWord}, "2006", "++++", "2006", y2006},
        {{DWord}, "200", "+++", "200", Masked(DWord, ChronoSeconds(200, 1, 1)), Red},
        {{DWord}, "1", "+", "1", Masked(DWord, ChronoSeconds(1, 1, 1)), Red},
        {{DWord, Ole}, "2006:1:2", "++++++++", "2006/1/2", 38719},
        {{Byte}, "1970:1:1 0:4:15", "+++++++++++++++", "1970/1/1 0:4:15", 255},
        {{Byte}, "1970:1:1 0:4:16", "+++++++++++++++", "1970/1/1 0:4:16", 0, Red},
        {{Word, TimeT, true}, "0 0:5", "+++++", "0d 0:5", 300},
        {{Word, TimeT, true}, "1", "+", "1d", Masked(Word, 86400), Red},
        // The most negative span: its day count alone has no 64 bits.
        {{QWord, TimeT, true},
         "106751991167301 8:29:52-",
         "++++++++++++++++++++++++",
         "-106751991167301d 8:29:52",
         std::numeric_limits<std::int64_t>::min()},
        // Spans: the day count takes a "d" and further digits go before it.
        {{QWord, TimeT, true}, "12", "++", "12d", 12 * 86400},
        {{QWord, TimeT, true}, "12 3", "++++", "12d 3", 12 * 86400 + 3 * 3600},
        {{QWord, TimeT, true}, "1:2:3:4", "+++++++", "1d 2:3:4", 86400 + 7384},
        {{QWord, TimeT, true}, "-1 2", "++++", "-1d 2", -86400 + 7200},
        // OLE dates: days in the integer modes, days and time in Float mode.
        {{QWord, Ole}, "1900:1:2 ", "++++++++-", "1900/1/2", 3},
        {{QWord, Ole, true}, "45", "++", "45d", 45},
        {{Float, Ole}, "1900:1:1 12", "+++++++++++", "1900/1/1 12", 2},
        {{Float}, "2006", "++++", "2006", y2006},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

TEST(ConvTime, TypedOleTimeIsRealFraction) {
    auto conv = MakeTime({Float, Ole});
    EXPECT_EQ(TypeKeys(*conv, "1899:12:29 6"), "++++++++++++");
    EXPECT_EQ(RealOf(*conv), -1.25L);
    EXPECT_EQ(TypeKeys(*conv, "1900:1:1 12:0:1"), "+++++++++++++++");
    EXPECT_NEAR(static_cast<double>(RealOf(*conv)), 2.5 + 1.0 / 86400, 1e-12);
    auto diff = MakeTime({Float, Ole, true});
    EXPECT_EQ(TypeKeys(*diff, "-1 12"), "+++++");
    EXPECT_EQ(RealOf(*diff), -1.5L);
}

TEST(ConvTime, TypingReplacesInvalidText) {
    auto conv = MakeTime({QWord, Ole});
    conv->SetValue(IntValue(QWord, std::numeric_limits<std::int64_t>::max()));
    ASSERT_EQ(conv->GetText(false), "(Invalid)");
    // A typed character continues the entry (no new entry): it replaces the
    // message as a whole.
    EXPECT_EQ(TypeKeys(*conv, "1900", false), "++++");
    EXPECT_EQ(conv->GetText(false), "1900");
    EXPECT_EQ(IntOf(*conv), 2);
}

TEST(ConvTime, BackspaceTable) {
    struct Case {
        TimeSetup setup;
        const char* keys;
        int presses;
        const char* text;
    };
    const Case cases[] = {
        {{}, "2006:1:2 3:4:5", 1, "2006/1/2 3:4:"},
        {{}, "2006:1:2 3:4:5", 2, "2006/1/2 3:4"},
        {{}, "2006:1:2 3", 2, "2006/1/2"},
        {{}, "2006:1:2", 2, "2006/1"},
        {{}, "7", 1, "0"},
        {{}, "5-", 1, "0"},
        {{}, "5-", 2, "0"},
        {{QWord, TimeT, true}, "7", 1, "7"},
        {{QWord, TimeT, true}, "7", 2, "0d"},
        {{QWord, TimeT, true}, "12", 1, "12"},
        {{QWord, TimeT, true}, "12 3", 1, "12d "},
        {{QWord, TimeT, true}, "12 3", 2, "12"},
        {{QWord, TimeT, true}, "-1 2", 2, "-1"},
        {{QWord, TimeT, true}, "-1 2", 3, "0d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " x" + std::to_string(c.presses));
        auto conv = MakeTime(c.setup);
        TypeKeys(*conv, c.keys);
        for (int i = 0; i < c.presses; ++i) {
            ASSERT_TRUE(conv->CanBackspace());
            EXPECT_TRUE(conv->Backspace());
        }
        EXPECT_EQ(conv->GetText(false), c.text);
        // The value follows the shortened text: a later rewrite shows the
        // same number that the bar hands out.
        const CalcValue value = conv->GetValue();
        conv->SetMode(c.setup.mode);
        EXPECT_EQ(GetInteger(conv->GetValue()), GetInteger(value));
    }
}

TEST(ConvTime, BackspaceToDateTheModeCannotHoldIsMarked) {
    auto conv = MakeTime({DWord});
    conv->SetValue(IntValue(DWord, ChronoSeconds(2006, 1, 1)));
    ASSERT_EQ(conv->GetText(false), "2006/01/01 00:00:00");
    for (int i = 0; i < 15; ++i)
        conv->Backspace();
    EXPECT_EQ(conv->GetText(false), "2006");
    EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(2006, 1, 1));
    conv->Backspace();
    EXPECT_EQ(conv->GetText(false), "200");
    EXPECT_EQ(conv->GetTextState(), ConvTextState::Invalid);
}

TEST(ConvTime, TypedTextMatchesChrono) {
    std::mt19937_64 rng(10);
    std::uniform_int_distribution<int> year(-9999, 9999);
    std::uniform_int_distribution<int> month(1, 12);
    std::uniform_int_distribution<int> second(0, 86399);
    auto conv = MakeTime({});
    auto ole = MakeTime({Float, Ole});
    for (int i = 0; i < 300; ++i) {
        const int y = year(rng);
        const auto m = static_cast<unsigned>(month(rng));
        const chr::year_month_day last{chr::year{y} / chr::month{m} / chr::last};
        const auto d =
            std::uniform_int_distribution<unsigned>(1, static_cast<unsigned>(last.day()))(rng);
        const int s = second(rng);
        const std::string keys = std::to_string(y) + ":" + std::to_string(m) + ":" +
                                 std::to_string(d) + " " + std::to_string(s / 3600) + ":" +
                                 std::to_string(s / 60 % 60) + ":" + std::to_string(s % 60);
        SCOPED_TRACE(keys);
        // A negative year is typed with a trailing sign key.
        const std::string typed = y < 0 ? keys.substr(1) + "-" : keys;
        ASSERT_EQ(TypeKeys(*conv, typed), std::string(typed.size(), '+'));
        const std::int64_t expected = ChronoSeconds(y, m, d) + s;
        ASSERT_EQ(IntOf(*conv), expected);
        conv->SetMode(QWord);
        ASSERT_EQ(conv->GetText(false), GmText(expected));
        ASSERT_EQ(TypeKeys(*ole, typed), std::string(typed.size(), '+'));
        conv->SetValue(ole->GetValue());
        ASSERT_EQ(conv->GetValue().Mode, QWord);
    }
}

// What SetValue gives, GetValue hands back; and the text, typed anew, denotes
// the same value wherever it holds it (an OLE time of day to the second).
TEST(ConvTime, ValueRoundTripsInEveryMode) {
    std::mt19937_64 rng(11);
    const TimeEncoding encodings[] = {TimeT, Ole};
    for (const TimeEncoding encoding : encodings) {
        for (const bool diff : {false, true}) {
            for (const CalcValueMode mode : AllModes) {
                for (const bool isSigned : {false, true}) {
                    const TimeSetup setup{mode, encoding, diff, isSigned, mode == Word};
                    SCOPED_TRACE(std::string(ModeCaption(mode)) + (encoding == Ole ? " ole" : "") +
                                 (diff ? " diff" : "") + (isSigned ? " signed" : ""));
                    auto shown = MakeTime(setup);
                    auto typed = MakeTime(setup);
                    for (int i = 0; i < 40; ++i) {
                        CalcValue value;
                        if (mode == Float)
                            SetReal(value, mode,
                                    static_cast<Real>(static_cast<std::int32_t>(rng())) / 64);
                        else
                            SetInteger(value, mode, static_cast<std::int64_t>(rng() >> 30));
                        shown->SetValue(value);
                        const CalcValue back = shown->GetValue();
                        ASSERT_EQ(GetInteger(back), GetInteger(value));
                        ASSERT_EQ(GetReal(back), GetReal(value));
                        const std::string text = shown->GetText(false);
                        if (text == InvalidDateTimeText)
                            continue;
                        // The window pastes a copied text this way, zero
                        // padding and all, in every mode.
                        std::string keys;
                        for (const char c : text) {
                            if (c != 'd')
                                keys += c;
                        }
                        ASSERT_TRUE(PasteText(*typed, keys)) << text;
                        ASSERT_EQ(typed->GetTextState(), ConvTextState::Normal) << text;
                        if (encoding == Ole && mode == Float) {
                            ASSERT_NEAR(static_cast<double>(RealOf(*typed)),
                                        static_cast<double>(GetReal(value)), 1.2e-5)
                                << text;
                        } else if (mode == Float) {
                            ASSERT_EQ(RealOf(*typed), std::trunc(GetReal(value))) << text;
                        } else {
                            ASSERT_EQ(IntOf(*typed), GetInteger(value)) << text;
                        }
                    }
                }
            }
        }
    }
}

TEST(ConvTime, DashDateLocale) {
    const FormatSettingsScope scope(DashDates);
    auto conv = MakeTime({});
    EXPECT_EQ(conv->GetSeparatorCaption(), "- :");
    conv->SetValue(IntValue(QWord, ChronoSeconds(2006, 1, 2, 3, 4, 5)));
    EXPECT_EQ(conv->GetText(false), "2006-01-02 03:04:05");
    conv->SetValue(IntValue(QWord, ChronoSeconds(-1, 1, 1)));
    EXPECT_EQ(conv->GetText(false), "-1-01-01 00:00:00");

    // "-" after digits, where a date separator is due, separates; elsewhere
    // it is the sign. The decimal comma is no key here.
    EXPECT_EQ(TypeKeys(*conv, "2006-1-2 3:4:5"), "++++++++++++++");
    EXPECT_EQ(conv->GetText(false), "2006-1-2 3:4:5");
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(2006, 1, 2, 3, 4, 5));
    EXPECT_EQ(TypeKeys(*conv, "2006:1:2 3-"), "+++++++++++");
    EXPECT_EQ(conv->GetText(false), "-2006-1-2 3");
    EXPECT_EQ(TypeKeys(*conv, "-2006-1,"), "+++++++x");
    EXPECT_EQ(conv->GetText(false), "-2006-1");
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(-2006, 1, 1));

    // Backspace takes a digit with the "-" before it.
    EXPECT_TRUE(conv->Backspace());
    EXPECT_EQ(conv->GetText(false), "-2006");

    // A pasted text reads as shown.
    EXPECT_TRUE(PasteText(*conv, "2006-12-31 23:59:59"));
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(2006, 12, 31, 23, 59, 59));
    EXPECT_TRUE(PasteText(*conv, "-44-3-15 12:00:00"));
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(-44, 3, 15, 12));
}

// Even unsigned, "-" types the separator where one is due.
TEST(ConvTime, DashTimeSeparatorInUnsignedMode) {
    const FormatSettingsScope scope(FormatSettings{'.', ',', '/', '-'});
    auto word = MakeTime({Word, TimeT, true});
    EXPECT_FALSE(word->CanInputChar('-', true, false));
    EXPECT_EQ(TypeKeys(*word, "0 5-3-7"), "+++++++");
    EXPECT_EQ(word->GetText(false), "0d 5-3-7");
    EXPECT_EQ(IntOf(*word), 5 * 3600 + 3 * 60 + 7);
    // Nothing follows the seconds.
    EXPECT_FALSE(word->CanInputChar('-', false, false));
    word->SetMode(Word);
    EXPECT_EQ(word->GetText(false), "0d 05-03-07");
}

// A time separator other than ":" still leaves ":" as the separator key.
TEST(ConvTime, SeparatorKeyInAnyLocale) {
    const FormatSettingsScope scope(FormatSettings{',', ' ', '.', '.'});
    auto conv = MakeTime({});
    EXPECT_EQ(conv->GetSeparatorCaption(), ". .");
    EXPECT_TRUE(conv->CanInputChar(':', false, false));
    EXPECT_FALSE(conv->CanInputChar(',', false, false));
    EXPECT_EQ(TypeKeys(*conv, "2006:1:2 3:4:5"), "++++++++++++++");
    EXPECT_EQ(conv->GetText(false), "2006.1.2 3.4.5");
    EXPECT_EQ(IntOf(*conv), ChronoSeconds(2006, 1, 2, 3, 4, 5));
    conv->SetMode(QWord);
    EXPECT_EQ(conv->GetText(false), "2006.01.02 03.04.05");
}

// The decimal-point key stays off even where the decimal separator is also
// the date separator.
TEST(ConvTime, DecimalPointKeyNeverTypes) {
    const FormatSettingsScope scope(FormatSettings{'.', ',', '.', ':'});
    auto conv = MakeTime({});
    EXPECT_FALSE(conv->CanInputChar('.', false, false));
    EXPECT_FALSE(conv->CanInputChar('.', true, true));
    EXPECT_EQ(TypeKeys(*conv, "2006:1"), "++++++");
    EXPECT_EQ(conv->GetText(false), "2006.1");
}

// Where the date or time separator is also the decimal separator, the bar
// still takes back the texts it shows; only the decimal-point key stays off.
TEST(ConvTime, SeparatorEqualToDecimalPointPastesBack) {
    struct Case {
        FormatSettings locale;
        TimeSetup setup;
        CalcValue value;
        const char* text;
    };
    const std::int64_t seconds = ChronoSeconds(2006, 1, 2, 3, 4, 5);
    const Case cases[] = {
        {{'.', '\'', '.', ':'}, {}, IntValue(QWord, seconds), "2006.01.02 03:04:05"},
        {{'.', '\'', '.', ':'}, {DWord, Ole}, IntValue(DWord, OleDaysAt1970), "1970.01.01"},
        {{'.', '\'', '.', ':'},
         {Float, Ole},
         RealValue(OleDaysAt1970 + 0.5L),
         "1970.01.01 12:00:00"},
        {{',', '.', '/', ','}, {}, IntValue(QWord, seconds), "2006/01/02 03,04,05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const FormatSettingsScope scope(c.locale);
        auto shown = MakeTime(c.setup);
        shown->SetValue(c.value);
        ASSERT_EQ(shown->GetText(false), c.text);
        auto pasted = MakeTime(c.setup);
        EXPECT_TRUE(PasteText(*pasted, c.text));
        EXPECT_EQ(pasted->GetTextState(), ConvTextState::Normal);
        EXPECT_EQ(GetInteger(pasted->GetValue()), GetInteger(shown->GetValue()));
        EXPECT_EQ(GetReal(pasted->GetValue()), GetReal(shown->GetValue()));
        EXPECT_FALSE(pasted->CanInputChar(c.locale.DecimalSeparator, false, false));
        EXPECT_FALSE(PasteText(*pasted, std::string(1, c.locale.DecimalSeparator) + "5"));
    }
}

// A Real value at the 64-bit ends shows a date or span whose first fields
// alone lie beyond those ends (the start of the year -292277022657 is before
// -2^63 seconds): typed back, the entry must go on and reach the value.
TEST(ConvTime, RealAtTheSixtyFourBitEndsTypesBack) {
    struct Case {
        TimeSetup setup;
        Real value;
    };
    const Case cases[] = {
        {{Float, TimeT, false, true}, -0x1p63L},    {{Float, TimeT, false, true}, -0x1p63L + 1},
        {{Float, TimeT, false, true}, 0x1p63L - 1}, {{Float, TimeT, true, true}, -0x1p63L},
        {{Float, TimeT, true, true}, 0x1p63L - 1},
    };
    for (const FormatSettings& format : {FormatSettings{}, DashDates}) {
        const FormatSettingsScope scope(format);
        for (const Case& c : cases) {
            auto shown = MakeTime(c.setup);
            shown->SetValue(RealValue(c.value));
            const std::string text = shown->GetText(false);
            auto typed = MakeTime(c.setup);
            std::string keys; // as a paste offers them: without the day mark
            for (const char ch : text)
                if (!typed->IsIgnoredChar(ch))
                    keys += ch;
            EXPECT_EQ(TypeKeys(*typed, keys), std::string(keys.size(), '+')) << text;
            EXPECT_EQ(RealOf(*typed), c.value) << text;
        }
    }
}

} // namespace
} // namespace pexa
