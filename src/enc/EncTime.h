#pragma once

// Calendar dates and times of day for the date/time bar: the proleptic
// Gregorian calendar on signed 64-bit years (year 0 and negative years exist),
// no time zone, and the text form of a date/time or of a span of time.
//
// Results that do not fit signed 64-bit arithmetic (years near 2.5e16 and
// beyond, a span of seconds beyond 2^63) raise ConvertError "The number is too
// large" instead of wrapping into a wrong date.

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// How a number denotes a moment. Other codes are representable and allow no
// fields at all.
enum class TimeEncoding : std::uint8_t {
    TimeT = 0,   // whole seconds since 1970-01-01 00:00:00
    OleDate = 1, // days since 1899-12-30 00:00:00, the fraction the time of day
};

// "time_t", "OleDate", or empty for any other code.
const char* TimeEncodingName(TimeEncoding encoding);

enum class DateTimeField : std::uint8_t { Year, Month, Day, Hour, Minute, Second };
inline constexpr int DateTimeFieldCount = 6;

// A set of fields, one bit per field.
using DateTimeFieldSet = std::uint8_t;

inline constexpr DateTimeFieldSet FieldBit(DateTimeField field) {
    return static_cast<DateTimeFieldSet>(1u << static_cast<unsigned>(field));
}

inline constexpr DateTimeFieldSet DateFieldSet =
    FieldBit(DateTimeField::Year) | FieldBit(DateTimeField::Month) | FieldBit(DateTimeField::Day);
inline constexpr DateTimeFieldSet TimeFieldSet = FieldBit(DateTimeField::Hour) |
                                                 FieldBit(DateTimeField::Minute) |
                                                 FieldBit(DateTimeField::Second);
inline constexpr DateTimeFieldSet AllFieldSet = DateFieldSet | TimeFieldSet;

// The record passed between the value, the calendar and the text. A field
// that is not present holds 0.
struct DateTimeFields {
    DateTimeFieldSet Present = 0;
    std::int64_t Year = 0;
    std::int64_t Month = 0;
    std::int64_t Day = 0;
    std::int64_t Hour = 0;
    std::int64_t Minute = 0;
    std::int64_t Second = 0;

    bool Has(DateTimeField field) const { return (Present & FieldBit(field)) != 0; }
    std::int64_t& operator[](DateTimeField field);
    std::int64_t operator[](DateTimeField field) const;
    // Stores v and marks the field present.
    void Set(DateTimeField field, std::int64_t v);
};

bool operator==(const DateTimeFields& a, const DateTimeFields& b);

// The fields shown and accepted: all six, or Day to Second in difference
// mode; OLE dates in integer modes have no time of day.
DateTimeFieldSet AllowedFields(TimeEncoding encoding, bool diff, CalcValueMode mode);

// The character that follows a field in text: the locale's date separator
// after Year and Month, a space after Day, the time separator after Hour and
// Minute, the decimal separator after Second.
char FieldSeparator(DateTimeField field);

// Calendar arithmetic. Division is truncating unless said otherwise.
bool IsLeapYear(std::int64_t y);
std::int64_t DaysInYear(std::int64_t y);
// m must lie in 1..12.
std::int64_t DaysInMonth(std::int64_t m, std::int64_t y);
// Leap days in the years before y, with floor division so that negative
// years count like positive ones.
std::int64_t LeapDaysBefore(std::int64_t y);
// Brings m into 1..12, moving whole years into y (month 0 is December of the
// year before, month 13 January of the next).
void NormalizeMonth(std::int64_t& y, std::int64_t& m);
// A serial day number; only differences between two day numbers mean
// anything. Months outside 1..12 and days outside the month count on.
std::int64_t DayNumber(std::int64_t y, std::int64_t m, std::int64_t d);

struct YearMonthDay {
    std::int64_t Year = 0;
    std::int64_t Month = 0;
    std::int64_t Day = 0;
};

// The inverse of DayNumber for a normal date.
YearMonthDay days_to_ymd(std::int64_t n);

// Carries Second, Minute and Hour into their ranges (floor division, so a
// negative value borrows); returns the carry in days.
std::int64_t CarryTimeFields(DateTimeFields& rec);
// Carries the time fields and moves the date (or the day count) accordingly.
void NormalizeFields(DateTimeFields& rec);
// Days from the epoch date to the record's date, or the day count of a span.
std::int64_t DaysSinceEpoch(const DateTimeFields& rec, std::int64_t epochYear,
                            std::int64_t epochMonth, std::int64_t epochDay);
// Hour, Minute and Second of the record summed in seconds.
std::int64_t SecondsOfDay(const DateTimeFields& rec);

// The value (its real reading x and its integer bits) as a normalised
// record. Raises ConvertError when the value has no date/time form.
DateTimeFields ValueToFields(TimeEncoding encoding, bool diff, CalcValueMode mode, Real x,
                             std::int64_t bits);

// The record as a value in mode: an integer count of seconds for time_t, a
// real count of days for OLE dates. Raises ConvertError when it does not fit.
CalcValue FieldsToValue(const DateTimeFields& rec, TimeEncoding encoding, CalcValueMode mode);

// 1970/01/01 00:00:00, or 1d 01:01:01 for a span (no Year and no Month).
std::string FormatFields(const DateTimeFields& rec);

// Reads a date/time text without normalising it (month 13 stays 13). Raises
// ConvertError "Invalid date/time separator: %s" or "Too many date/time
// components".
DateTimeFields ParseFields(const std::string& text, TimeEncoding encoding, CalcValueMode mode,
                           bool diff);

// True for a span (no Year, no Month) or a full date (Year, Month and Day).
bool FieldsComplete(const DateTimeFields& rec);

// False for a date whose day lies outside its month (the day 0 of a
// zero-padded day typed so far); spans and partial records are true.
bool FieldsOnCalendar(const DateTimeFields& rec);

// Whether a date/time text being typed is acceptable so far. Tidies it in
// place: ":" stands for whatever separator is due, an empty field before a
// separator gets a default digit, a leading zero goes, and a span gets its
// "d" day mark. A day must lie in its month, except that a lone "0" at the
// end of the text may begin a zero-padded day. Raises nothing.
bool CheckTimeEntry(std::string& text, TimeEncoding encoding, bool diff, CalcValueMode mode);

} // namespace pexa
