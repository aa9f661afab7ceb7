#include "conv/DateTimeConversion.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "enc/ConvertError.h"

namespace pexa {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Marks that Backspace takes off together with the character after them, so
// that no sign, separator or day mark is left dangling at the end.
bool IsDanglingMark(char c) {
    return c == '+' || c == '-' || c == 'd';
}

// A locale may use "-" between the fields of a date (or of a time), where it
// otherwise toggles the sign.
bool DashSeparatesFields() {
    const FormatSettings& format = CurrentFormat();
    return format.DateSeparator == '-' || format.TimeSeparator == '-';
}

// Fits a signed 64-bit integer, as every typed number must.
constexpr Real MinTypedReal = -9223372036854775808.0L;
constexpr Real MaxTypedReal = 9223372036854775807.0L;

} // namespace

DateTimeConversion::DateTimeConversion() : Conversion(BarKind::Time) {
    DateTimeConversion::Clear();
}

void DateTimeConversion::SetEncoding(TimeEncoding encoding) {
    timeEncoding_ = encoding;
    UpdateText();
}

void DateTimeConversion::SetDiffMode(bool on) {
    timeDiffMode_ = on;
    UpdateText();
}

ConvOptionSet DateTimeConversion::GetCapabilities() const {
    return {ConvOption::Signed, ConvOption::ReverseEndian};
}

bool DateTimeConversion::ShowsInvalidText() const {
    return entryText_ == InvalidDateTimeText;
}

CalcValue DateTimeConversion::Evaluate(const DateTimeFields& rec) const {
    // Integer modes read the text as a 64-bit number before the range check,
    // so that a date before 1970 stays negative instead of being masked.
    const CalcValueMode mode = IsFloatMode(GetMode()) ? CalcValueMode::Float : CalcValueMode::QWord;
    return FieldsToValue(rec, timeEncoding_, mode);
}

bool DateTimeConversion::InRange(const CalcValue& number) const {
    if (IsFloatMode(GetMode())) {
        const Real x = GetReal(number);
        return x >= MinTypedReal && x <= MaxTypedReal;
    }
    const std::int64_t n = GetInteger(number);
    const ModeRangeEntry& range = RangeOf(GetMode(), IsSigned());
    return n >= range.Min && n <= range.Max;
}

void DateTimeConversion::StoreNumber(const CalcValue& number, CalcValue& target) const {
    if (IsFloatMode(GetMode()))
        StoreReal(GetReal(number), target);
    else
        StoreBits(GetInteger(number), target);
}

CalcValue DateTimeConversion::GetValue() {
    if (textFromValue_ || entryText_.empty() || ShowsInvalidText())
        return Conversion::GetValue();
    CalcValue number;
    try {
        number = Evaluate(ParseFields(entryText_, timeEncoding_, GetMode(), timeDiffMode_));
    } catch (const ConvertError&) {
        invalidEntry_ = true;
        return Conversion::GetValue();
    }
    // A real entry beyond the 64-bit ends is on its way back into them.
    if (IsFloatMode(GetMode()) && !InRange(number))
        return Conversion::GetValue();
    CalcValue result = HeldValue();
    StoreNumber(number, result);
    return result;
}

void DateTimeConversion::UpdateText() {
    textFromValue_ = true;
    try {
        const DateTimeFields rec =
            ValueToFields(timeEncoding_, timeDiffMode_, GetMode(), ValueAsReal(), GetBits());
        entryText_ = FormatFields(rec);
        invalidEntry_ = false;
    } catch (const ConvertError&) {
        entryText_ = InvalidDateTimeText;
    }
}

std::string DateTimeConversion::GetText(bool) const {
    return entryText_;
}

ConvTextState DateTimeConversion::GetTextState() const {
    return invalidEntry_ ? ConvTextState::Invalid : ConvTextState::Normal;
}

std::string DateTimeConversion::GetSeparatorCaption() const {
    const FormatSettings& format = CurrentFormat();
    return {format.DateSeparator, ' ', format.TimeSeparator};
}

bool DateTimeConversion::CanInputChar(char ch, bool newEntry, bool pasting) const {
    const FormatSettings& format = CurrentFormat();
    // The decimal-point key never types here. Where the date or time
    // separator is the same character, a pasted date/time text has it
    // between its fields, and the entry check puts it only where one is due.
    if (ch == format.DecimalSeparator)
        return pasting && !newEntry && (ch == format.DateSeparator || ch == format.TimeSeparator);
    if (ch == '-') {
        if (IsSigned())
            return true;
        // Where "-" separates the fields it is typed as a separator even in
        // the unsigned modes, where a separator is due.
        return !newEntry && DashIsSeparator();
    }
    // ":" is the separator key: the entry check puts the separator that is
    // due in its place, whatever the locale's characters are.
    return ch == ' ' || IsDigit(ch) || ch == format.DateSeparator || ch == format.TimeSeparator ||
           ch == ':';
}

bool DateTimeConversion::TakesPastedSignFirst() const {
    return IsSigned() && DashSeparatesFields();
}

bool DateTimeConversion::DashIsSeparator() const {
    if (!DashSeparatesFields() || entryText_.empty() || !IsDigit(entryText_.back()))
        return false;
    std::string separated = entryText_ + '-';
    return CheckTimeEntry(separated, timeEncoding_, timeDiffMode_, GetMode());
}

bool DateTimeConversion::MakeCandidate(char ch, std::string& candidate) const {
    if (ShowsInvalidText()) {
        candidate.assign(1, ch);
        return true;
    }
    if (ch == '-') {
        // With "-" between the fields, a "-" after digits is first a
        // separator, so that a pasted or retyped date reads as shown.
        if (DashIsSeparator()) {
            candidate = entryText_ + ch;
            return true;
        }
        if (!entryText_.empty() && entryText_[0] == '-') {
            candidate = entryText_.substr(1);
            return true;
        }
        if (!IsSigned())
            return false;
        candidate = "-" + entryText_;
        return true;
    }
    // The digits of a span's day count go before its day mark.
    if (IsDigit(ch) && entryText_.size() >= 2 && entryText_.back() == 'd') {
        candidate = entryText_;
        candidate.insert(candidate.size() - 1, 1, ch);
        return true;
    }
    candidate = entryText_ + ch;
    return true;
}

bool DateTimeConversion::InputChar(char ch) {
    // Only what the keys or a paste may type: a character that never belongs
    // in a date/time text ("x", "$") would otherwise read as a number prefix.
    if (!CanInputChar(ch, false, true))
        return false;
    std::string candidate;
    if (!MakeCandidate(ch, candidate))
        return false;
    if (!CheckTimeEntry(candidate, timeEncoding_, timeDiffMode_, GetMode()))
        return false;
    DateTimeFields rec;
    try {
        rec = ParseFields(candidate, timeEncoding_, GetMode(), timeDiffMode_);
    } catch (const ConvertError&) {
        return false;
    }
    bool inRange = false;
    if (IsFloatMode(GetMode())) {
        // A date or span at the 64-bit ends passes through numbers beyond
        // them (the start of the year -292277022657 on the way to -2^63
        // seconds): as in the integer modes, the entry goes on, shown as not
        // denoting a value, and the value stays as it was.
        try {
            const CalcValue number = Evaluate(rec);
            inRange = InRange(number);
            // A date text has no decimals for the fraction rule to count.
            if (inRange && !TryStoreReal(std::string(), GetReal(number)))
                return false;
        } catch (const ConvertError&) {
            inRange = false;
        }
    } else {
        // Every date passes through numbers the narrower modes cannot hold
        // (the year 2 on the way to 2006, before 1970 in an unsigned mode;
        // the day count of the most negative span before its time is
        // added): the entry goes on, shown as not denoting a value. The held
        // value is the number masked to the mode's width, or stays as it was
        // when the number has no 64 bits.
        try {
            const CalcValue number = Evaluate(rec);
            inRange = InRange(number);
            CalcValue held = HeldValue();
            StoreNumber(number, held);
            SetHeldValue(held);
        } catch (const ConvertError&) {
            inRange = false;
        }
    }
    entryText_ = candidate;
    invalidEntry_ = !FieldsComplete(rec) || !FieldsOnCalendar(rec) || !inRange;
    textFromValue_ = false;
    return true;
}

bool DateTimeConversion::IsIgnoredChar(char ch) const {
    return ch == 'd';
}

bool DateTimeConversion::CanBackspace() const {
    return !entryText_.empty() && !ShowsInvalidText();
}

bool DateTimeConversion::Backspace() {
    if (!CanBackspace())
        return false;
    std::size_t n = entryText_.size();
    while (n > 1 && IsDanglingMark(entryText_[n - 2]))
        --n;
    entryText_.resize(n - 1);
    if (entryText_.empty())
        entryText_ = timeDiffMode_ ? "0d" : "0";
    textFromValue_ = false;
    try {
        const DateTimeFields rec = ParseFields(entryText_, timeEncoding_, GetMode(), timeDiffMode_);
        invalidEntry_ = !FieldsComplete(rec) || !FieldsOnCalendar(rec);
        // A shorter text may name a date the mode cannot hold (the year 2 of
        // 2006 in an unsigned mode): it stays, shown as not denoting the value.
        if (!InRange(Evaluate(rec)))
            invalidEntry_ = true;
    } catch (const ConvertError&) {
        invalidEntry_ = true;
    }
    SetHeldValue(GetValue());
    return true;
}

void DateTimeConversion::Clear() {
    Conversion::Clear();
    entryText_.clear();
    invalidEntry_ = false;
    textFromValue_ = false;
}

} // namespace pexa
