#include "core/FormatSettings.h"

namespace pexa {

FormatSettings& CurrentFormat() {
    static FormatSettings settings;
    return settings;
}

FormatSettingsScope::FormatSettingsScope(const FormatSettings& settings) : saved_(CurrentFormat()) {
    CurrentFormat() = settings;
}

FormatSettingsScope::~FormatSettingsScope() {
    CurrentFormat() = saved_;
}

char SanitizeFormatChar(int c, char fallback) {
    // Digits, letters (hex digits, exponents, unit letters, date field marks)
    // and the hex prefix would make texts ambiguous.
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (c <= 0x20 || c >= 0x7F || (c >= '0' && c <= '9') || letter || c == '$')
        return fallback;
    return static_cast<char>(c);
}

namespace {

// A character inside number texts, where a sign would change the number.
char NumberChar(int c, char fallback) {
    return c == '-' || c == '+' ? fallback : SanitizeFormatChar(c, fallback);
}

} // namespace

FormatSettings MakeFormatSettings(int decimal, int thousand, int date, int time) {
    const FormatSettings defaults;
    FormatSettings result;
    // The time separator only ever meets the decimal separator (after the
    // seconds); the thousands separator never appears in a date/time text,
    // so the two may be the same character (Finnish and Danish use '.').
    result.TimeSeparator = NumberChar(time, defaults.TimeSeparator);

    char d = NumberChar(decimal, defaults.DecimalSeparator);
    if (d == result.TimeSeparator)
        d = defaults.DecimalSeparator;
    result.DecimalSeparator = d;
    if (result.TimeSeparator == d)
        result.TimeSeparator = defaults.TimeSeparator;

    // Locales that group with a (no-break) space get the other of '.' and ','.
    const char otherOfDecimal = d == ',' ? '.' : ',';
    char t = NumberChar(thousand, otherOfDecimal);
    if (t == d)
        t = otherOfDecimal;
    result.ThousandSeparator = t;

    // Date fields are told from time fields by their place in the text, so
    // the date separator may equal the time separator; the decimal-point key
    // types no date/time text, so it must differ from that one.
    result.DateSeparator = SanitizeFormatChar(date, defaults.DateSeparator);
    if (result.DateSeparator == d)
        result.DateSeparator = defaults.DateSeparator;
    return result;
}

} // namespace pexa
