#include "enc/EncTime.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <algorithm>
#include <cmath>

namespace pexa {

namespace {

constexpr std::int64_t MonthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::int64_t SecondsPerDay = 86400;
constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t SecondsPerMinute = 60;
// The first guess of the year from a day number.
constexpr Real YearsPerDay = 1.0L / 365.2425L;
constexpr Real YearGuessAddend = 0.2425L;

constexpr DateTimeField AllFields[DateTimeFieldCount] = {
    DateTimeField::Year, DateTimeField::Month,  DateTimeField::Day,
    DateTimeField::Hour, DateTimeField::Minute, DateTimeField::Second};

[[noreturn]] void ThrowTooLarge() {
    throw ConvertError("The number is too large");
}

void Check(bool condition) {
    if (!condition)
        throw AssertionFailure("EncTime");
}

std::int64_t Add(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_add_overflow(a, b, &r))
        ThrowTooLarge();
    return r;
}

std::int64_t Sub(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a, b, &r))
        ThrowTooLarge();
    return r;
}

std::int64_t Mul(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_mul_overflow(a, b, &r))
        ThrowTooLarge();
    return r;
}

// Division rounding toward minus infinity, for a positive divisor.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

// The remainder of FloorDiv, always in 0..b-1.
std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    std::int64_t r = a % b;
    if (r < 0)
        r += b;
    return r;
}

// a * k + b for k >= 2, failing only when the result itself does not fit:
// the product alone may overflow where the sum does not (the smallest time_t
// is -106751991167301 days plus 30592 seconds).
std::int64_t MulAdd(std::int64_t a, std::int64_t k, std::int64_t b) {
    std::int64_t whole = Add(a, FloorDiv(b, k));
    std::int64_t rest = FloorMod(b, k);
    if (whole < 0 && rest > 0) {
        ++whole;
        rest -= k;
    }
    return Add(Mul(whole, k), rest);
}

// floor((y - 1) / b) without forming y - 1, which overflows for the smallest y.
std::int64_t FloorDivOfPrevious(std::int64_t y, std::int64_t b) {
    return FloorDiv(y, b) - (FloorMod(y, b) == 0 ? 1 : 0);
}

// A real whose truncation fits a signed 64-bit integer.
bool FitsInt64(Real x) {
    return x > -0x1p63L - 1.0L && x < 0x1p63L;
}

// The gap from x to the next larger real.
Real UlpOf(Real x) {
    return std::nextafter(x, static_cast<Real>(INFINITY)) - x;
}

// The whole seconds of a day fraction, truncated. A value that lies within its
// own rounding error below a whole second counts as that second: a time
// typed as 08:00:00 is stored as an inexact fraction of a day and must not
// come back as 07:59:59. That error is half an ulp of the sum of days and
// fraction, plus half an ulp of the fraction rounded before it was added;
// a wider margin would round up values that truly lie a step below the
// second (one ulp is already 0.08 s at ten trillion days).
std::int64_t SecondsOfDayFraction(Real x) {
    const Real fraction = std::fabs(x - std::trunc(x));
    const Real seconds = fraction * static_cast<Real>(SecondsPerDay);
    Real whole = std::floor(seconds);
    Real errorInDays = 0.5L * UlpOf(std::fabs(x));
    if (std::trunc(x) != 0)
        errorInDays += 0.5L * UlpOf(fraction);
    // The product above is rounded once more.
    const Real tolerance =
        std::min(0.5L, static_cast<Real>(SecondsPerDay) * errorInDays + 0.5L * UlpOf(seconds));
    if (whole + 1.0L - seconds <= tolerance)
        whole += 1.0L;
    return static_cast<std::int64_t>(whole);
}

DateTimeFieldSet FieldsAfter(DateTimeField field) {
    return static_cast<DateTimeFieldSet>(AllFieldSet & ~((FieldBit(field) << 1) - 1));
}

// The first field of allowed that rec does not hold yet.
bool NextField(const DateTimeFields& rec, DateTimeFieldSet allowed, DateTimeField& field) {
    for (DateTimeField f : AllFields) {
        if ((allowed & FieldBit(f)) != 0 && !rec.Has(f)) {
            field = f;
            return true;
        }
    }
    return false;
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One number of a date/time text: spaces, a sign, then decimal digits, or
// hexadecimal ones after "$" or "0x". Digits stop where the next one would
// overflow; no digits read as 0.
struct NumberField {
    std::int64_t Value = 0;
    std::size_t DigitsBegin = 0; // first digit, after spaces, sign and prefix
    std::size_t End = 0;         // first character after the number
    bool HasDigits = false;
};

NumberField ReadNumber(const std::string& text, std::size_t pos) {
    const std::size_t size = text.size();
    while (pos < size && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::uint64_t base = 10;
    if (pos < size && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < size && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    NumberField number;
    number.DigitsBegin = pos;
    const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
    std::uint64_t magnitude = 0;
    while (pos < size) {
        const int digit = base == 16 ? HexDigitValue(text[pos])
                                     : (IsDecimalDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0)
            break;
        const auto d = static_cast<std::uint64_t>(digit);
        if (magnitude > (limit - d) / base)
            break;
        magnitude = magnitude * base + d;
        number.HasDigits = true;
        ++pos;
    }
    number.End = pos;
    number.Value = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    return number;
}

// "%.*d": at least minDigits digits, zero-padded, the sign in front.
std::string FormatNumber(std::int64_t v, int minDigits) {
    const std::uint64_t magnitude =
        v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return v < 0 ? "-" + digits : digits;
}

} // namespace

std::int64_t& DateTimeFields::operator[](DateTimeField field) {
    switch (field) {
    case DateTimeField::Year:
        return Year;
    case DateTimeField::Month:
        return Month;
    case DateTimeField::Day:
        return Day;
    case DateTimeField::Hour:
        return Hour;
    case DateTimeField::Minute:
        return Minute;
    case DateTimeField::Second:
        break;
    }
    return Second;
}

std::int64_t DateTimeFields::operator[](DateTimeField field) const {
    return const_cast<DateTimeFields&>(*this)[field];
}

void DateTimeFields::Set(DateTimeField field, std::int64_t v) {
    (*this)[field] = v;
    Present = static_cast<DateTimeFieldSet>(Present | FieldBit(field));
}

bool operator==(const DateTimeFields& a, const DateTimeFields& b) {
    return a.Present == b.Present && a.Year == b.Year && a.Month == b.Month && a.Day == b.Day &&
           a.Hour == b.Hour && a.Minute == b.Minute && a.Second == b.Second;
}

const char* TimeEncodingName(TimeEncoding encoding) {
    switch (encoding) {
    case TimeEncoding::TimeT:
        return "time_t";
    case TimeEncoding::OleDate:
        return "OleDate";
    }
    return "";
}

DateTimeFieldSet AllowedFields(TimeEncoding encoding, bool diff, CalcValueMode mode) {
    DateTimeFieldSet fields = 0;
    if (encoding == TimeEncoding::TimeT)
        fields = AllFieldSet;
    else if (encoding == TimeEncoding::OleDate)
        fields = mode == CalcValueMode::Float ? AllFieldSet : DateFieldSet;
    if (diff)
        fields = static_cast<DateTimeFieldSet>(
            fields & ~(FieldBit(DateTimeField::Year) | FieldBit(DateTimeField::Month)));
    return fields;
}

char FieldSeparator(DateTimeField field) {
    const FormatSettings& format = CurrentFormat();
    switch (field) {
    case DateTimeField::Year:
    case DateTimeField::Month:
        return format.DateSeparator;
    case DateTimeField::Day:
        return ' ';
    case DateTimeField::Hour:
    case DateTimeField::Minute:
        return format.TimeSeparator;
    case DateTimeField::Second:
        break;
    }
    return format.DecimalSeparator;
}

bool IsLeapYear(std::int64_t y) {
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

std::int64_t DaysInYear(std::int64_t y) {
    return IsLeapYear(y) ? 366 : 365;
}

std::int64_t DaysInMonth(std::int64_t m, std::int64_t y) {
    Check(m >= 1 && m <= 12);
    return MonthLengths[m] + (m == 2 && IsLeapYear(y) ? 1 : 0);
}

std::int64_t LeapDaysBefore(std::int64_t y) {
    return FloorDivOfPrevious(y, 4) - FloorDivOfPrevious(y, 100) + FloorDivOfPrevious(y, 400);
}

void NormalizeMonth(std::int64_t& y, std::int64_t& m) {
    if (m > 12) {
        y = Add(y, (m - 1) / 12);
        m = (m - 1) % 12 + 1;
    } else if (m < 1) {
        // -m as unsigned, so that the smallest month does not overflow.
        const std::uint64_t back = 0 - static_cast<std::uint64_t>(m);
        y = Sub(y, static_cast<std::int64_t>(back / 12 + 1));
        m = 12 - static_cast<std::int64_t>(back % 12);
    }
}

std::int64_t DayNumber(std::int64_t y, std::int64_t m, std::int64_t d) {
    NormalizeMonth(y, m);
    std::int64_t daysBeforeMonth = 0;
    for (std::int64_t k = 1; k < m; ++k)
        daysBeforeMonth += DaysInMonth(k, y);
    const std::int64_t newYear = Add(Mul(365, y), LeapDaysBefore(y));
    return Add(Add(newYear, daysBeforeMonth - 1), d);
}

YearMonthDay days_to_ymd(std::int64_t n) {
    auto y = static_cast<std::int64_t>(static_cast<Real>(n) * YearsPerDay + YearGuessAddend);
    bool movedDown = false;
    bool movedUp = false;
    std::int64_t r;
    for (;;) {
        r = Sub(n, DayNumber(y, 1, 1));
        if (r < 0) {
            --y;
            movedDown = true;
        } else if (r < DaysInYear(y)) {
            break;
        } else {
            ++y;
            movedUp = true;
        }
        if (movedDown && movedUp)
            throw ConvertError("days_to_ymd(" + std::to_string(n) + "): detected infinite loop");
    }
    std::int64_t m = 1;
    while (r >= DaysInMonth(m, y)) {
        r -= DaysInMonth(m, y);
        ++m;
    }
    return YearMonthDay{y, m, r + 1};
}

std::int64_t CarryTimeFields(DateTimeFields& rec) {
    struct Step {
        DateTimeField Field;
        std::int64_t Divisor;
    };
    constexpr Step Steps[] = {
        {DateTimeField::Second, 60}, {DateTimeField::Minute, 60}, {DateTimeField::Hour, 24}};
    std::int64_t carry = 0;
    for (const Step& step : Steps) {
        if (!rec.Has(step.Field))
            continue;
        // field + carry, formed as (quotient * divisor) + (remainder + carry)
        // so that no intermediate sum overflows.
        std::int64_t& field = rec[step.Field];
        const std::int64_t quotient = FloorDiv(field, step.Divisor);
        const std::int64_t low = FloorMod(field, step.Divisor) + carry;
        field = FloorMod(low, step.Divisor);
        carry = quotient + FloorDiv(low, step.Divisor);
    }
    return carry;
}

void NormalizeFields(DateTimeFields& rec) {
    const std::int64_t carry = CarryTimeFields(rec);
    if (!rec.Has(DateTimeField::Day)) {
        Check(carry == 0);
        return;
    }
    const bool hasYear = rec.Has(DateTimeField::Year);
    const bool hasMonth = rec.Has(DateTimeField::Month);
    if (!hasYear && !hasMonth) {
        rec.Day = Add(rec.Day, carry);
        return;
    }
    Check(hasYear && hasMonth);
    const YearMonthDay ymd = days_to_ymd(Add(DayNumber(rec.Year, rec.Month, rec.Day), carry));
    rec.Year = ymd.Year;
    rec.Month = ymd.Month;
    rec.Day = ymd.Day;
}

std::int64_t DaysSinceEpoch(const DateTimeFields& rec, std::int64_t epochYear,
                            std::int64_t epochMonth, std::int64_t epochDay) {
    const DateTimeFieldSet date = rec.Present & DateFieldSet;
    if (date == DateFieldSet)
        return Sub(DayNumber(rec.Year, rec.Month, rec.Day),
                   DayNumber(epochYear, epochMonth, epochDay));
    if (date == FieldBit(DateTimeField::Day))
        return rec.Day;
    Check(!rec.Has(DateTimeField::Day));
    return 0;
}

std::int64_t SecondsOfDay(const DateTimeFields& rec) {
    // Fields that are not present hold 0.
    const std::int64_t minutes = MulAdd(rec.Hour, SecondsPerHour / SecondsPerMinute, rec.Minute);
    return MulAdd(minutes, SecondsPerMinute, rec.Second);
}

DateTimeFields ValueToFields(TimeEncoding encoding, bool diff, CalcValueMode mode, Real x,
                             std::int64_t bits) {
    DateTimeFields rec;
    rec.Present = AllowedFields(encoding, diff, mode);
    if (encoding == TimeEncoding::TimeT) {
        rec.Second = bits;
        if (!diff) {
            rec.Year = 1970;
            rec.Month = 1;
            rec.Day = 1;
        }
    } else if (encoding == TimeEncoding::OleDate) {
        const bool isFloat = mode == CalcValueMode::Float;
        if (isFloat && !FitsInt64(x))
            ThrowTooLarge();
        const std::int64_t days = isFloat ? static_cast<std::int64_t>(std::trunc(x)) : bits;
        if (diff) {
            rec.Day = days;
        } else {
            rec.Year = 1899;
            rec.Month = 12;
            rec.Day = Add(30, days);
        }
        if (isFloat)
            rec.Second = SecondsOfDayFraction(x);
    }
    NormalizeFields(rec);
    return rec;
}

CalcValue FieldsToValue(const DateTimeFields& rec, TimeEncoding encoding, CalcValueMode mode) {
    CalcValue value;
    if (encoding == TimeEncoding::OleDate) {
        const std::int64_t days = DaysSinceEpoch(rec, 1899, 12, 30);
        const Real t = static_cast<Real>(SecondsOfDay(rec)) / static_cast<Real>(SecondsPerDay);
        const Real x = days >= 0 ? static_cast<Real>(days) + t : static_cast<Real>(days) - t;
        if (!FitsInt64(x))
            ThrowTooLarge();
        SetReal(value, mode, x);
    } else if (encoding == TimeEncoding::TimeT) {
        const std::int64_t days = DaysSinceEpoch(rec, 1970, 1, 1);
        SetInteger(value, mode, MulAdd(days, SecondsPerDay, SecondsOfDay(rec)));
    } else {
        SetInteger(value, mode, 0);
    }
    return value;
}

std::string FormatFields(const DateTimeFields& rec) {
    const FormatSettings& format = CurrentFormat();
    std::string text;
    bool written = false;
    DateTimeField last = DateTimeField::Year;
    for (DateTimeField field : AllFields) {
        if (!rec.Has(field))
            continue;
        if (written) {
            switch (last) {
            case DateTimeField::Year:
            case DateTimeField::Month: {
                const auto laterDate =
                    static_cast<DateTimeFieldSet>(FieldsAfter(last) & DateFieldSet);
                text += (rec.Present & laterDate) != 0 ? format.DateSeparator : ' ';
                break;
            }
            case DateTimeField::Day:
                text += ' ';
                break;
            default:
                text += format.TimeSeparator;
                break;
            }
        }
        const int minDigits = (!written || field == DateTimeField::Year) ? 1 : 2;
        text += FormatNumber(rec[field], minDigits);
        if (field == DateTimeField::Day && !rec.Has(DateTimeField::Year) &&
            !rec.Has(DateTimeField::Month))
            text += 'd';
        written = true;
        last = field;
    }
    return text;
}

DateTimeFields ParseFields(const std::string& text, TimeEncoding encoding, CalcValueMode mode,
                           bool diff) {
    DateTimeFields rec;
    const DateTimeFieldSet allowed = AllowedFields(encoding, diff, mode);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const NumberField number = ReadNumber(text, pos);
        pos = number.End;
        if (pos < text.size() && text[pos] == 'd')
            ++pos;
        const bool hasSeparator = pos < text.size();
        DateTimeField field;
        if (!NextField(rec, allowed, field))
            throw ConvertError("Too many date/time components");
        if (hasSeparator) {
            const char separator = text[pos];
            if (separator != FieldSeparator(field))
                throw ConvertError(std::string("Invalid date/time separator: ") + separator);
            ++pos;
        }
        rec.Set(field, number.Value);
    }
    if ((allowed & DateFieldSet) == DateFieldSet && rec.Has(DateTimeField::Year)) {
        if (!rec.Has(DateTimeField::Month))
            rec.Set(DateTimeField::Month, 1);
        if (!rec.Has(DateTimeField::Day))
            rec.Set(DateTimeField::Day, 1);
    }
    return rec;
}

bool FieldsComplete(const DateTimeFields& rec) {
    const DateTimeFieldSet date = rec.Present & DateFieldSet;
    const bool noYearOrMonth = !rec.Has(DateTimeField::Year) && !rec.Has(DateTimeField::Month);
    return noYearOrMonth || date == DateFieldSet;
}

bool FieldsOnCalendar(const DateTimeFields& rec) {
    if ((rec.Present & DateFieldSet) != DateFieldSet)
        return true;
    std::int64_t y = rec.Year;
    std::int64_t m = rec.Month;
    try {
        NormalizeMonth(y, m);
    } catch (const ConvertError&) {
        return false;
    }
    return rec.Day >= 1 && rec.Day <= DaysInMonth(m, y);
}

namespace {

// Whether v is acceptable for field while typing; rec holds the fields before it.
bool FieldValueAcceptable(const DateTimeFields& rec, DateTimeField field, std::int64_t v,
                          bool diff) {
    switch (field) {
    case DateTimeField::Year:
    case DateTimeField::Month:
        return true;
    case DateTimeField::Day: {
        if (diff)
            return true;
        Check(rec.Has(DateTimeField::Year) && rec.Has(DateTimeField::Month));
        std::int64_t y = rec.Year;
        std::int64_t m = rec.Month;
        NormalizeMonth(y, m);
        return v >= 1 && v <= DaysInMonth(m, y);
    }
    default:
        return v >= 0;
    }
}

// A day field that is so far only the "0" of a zero-padded day ("02"), as a
// pasted date/time text has it: the next digit completes the day.
bool StartsPaddedDay(const std::string& text, std::size_t fieldBegin, std::size_t fieldEnd,
                     DateTimeField field, bool diff, bool hasSeparator) {
    return field == DateTimeField::Day && !diff && !hasSeparator && fieldEnd == text.size() &&
           fieldEnd == fieldBegin + 1 && text[fieldBegin] == '0';
}

// Removing the zero of "00x" would turn the rest into a hexadecimal prefix.
bool WouldBecomeHexPrefix(const std::string& text, const NumberField& number) {
    return number.End - number.DigitsBegin == 2 && number.End < text.size() &&
           (text[number.End] == 'x' || text[number.End] == 'X');
}

bool CheckTimeEntryOrThrow(std::string& text, TimeEncoding encoding, bool diff,
                           CalcValueMode mode) {
    DateTimeFields rec;
    const DateTimeFieldSet allowed = AllowedFields(encoding, diff, mode);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t fieldBegin = pos;
        NumberField number = ReadNumber(text, pos);
        DateTimeField field;
        if (!NextField(rec, allowed, field))
            return false;

        // Typing 0 then 5 gives 5.
        if (number.End - number.DigitsBegin > 1 && text[number.DigitsBegin] == '0' &&
            !WouldBecomeHexPrefix(text, number)) {
            text.erase(number.DigitsBegin, 1);
            --number.End;
        }
        pos = number.End;
        const bool dayMark = pos < text.size() && text[pos] == 'd';
        if (dayMark)
            ++pos;
        const bool hasSeparator = pos < text.size();

        if (hasSeparator) {
            // The last allowed field takes no separator.
            if ((allowed & FieldsAfter(field)) == 0)
                return false;
            const char expected = FieldSeparator(field);
            if (text[pos] == ':')
                text[pos] = expected;
            else if (text[pos] != expected)
                return false;
        }

        if (!number.HasDigits && hasSeparator) {
            const bool countsFromOne =
                !diff && (field == DateTimeField::Month || field == DateTimeField::Day);
            text.insert(number.End, 1, countsFromOne ? '1' : '0');
            ++number.End;
            ++pos;
        }
        // The value is checked as the tidied text reads (a default digit
        // after a "-" makes -1), and a tidied field must read as it was
        // walked (a default 0 before an "x" separator would make "0x").
        const NumberField tidied = ReadNumber(text, fieldBegin);
        if (tidied.End != number.End)
            return false;
        const std::int64_t value = tidied.Value;
        if (diff && field == DateTimeField::Day && !dayMark) {
            text.insert(number.End, 1, 'd');
            ++pos;
        }

        if (!FieldValueAcceptable(rec, field, value, diff) &&
            !StartsPaddedDay(text, fieldBegin, number.End, field, diff, hasSeparator))
            return false;
        rec.Set(field, value);
        if (hasSeparator)
            ++pos;
    }
    // What the walk accepts the reader accepts, even where a locale separator
    // collides with the day mark "d" or a hexadecimal prefix.
    ParseFields(text, encoding, mode, diff);
    return true;
}

} // namespace

bool CheckTimeEntry(std::string& text, TimeEncoding encoding, bool diff, CalcValueMode mode) {
    try {
        return CheckTimeEntryOrThrow(text, encoding, diff, mode);
    } catch (const ConvertError&) {
        return false;
    }
}

} // namespace pexa
