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
    result.TimeSeparator = NumberChar(time, defaults.TimeSeparator);

    char d = NumberChar(decimal, defaults.DecimalSeparator);
    if (d == result.TimeSeparator)
        d = defaults.DecimalSeparator;
    result.DecimalSeparator = d;

    // Locales that group with a (no-break) space get the other of '.' and ','.
    const char otherOfDecimal = d == ',' ? '.' : ',';
    char t = NumberChar(thousand, otherOfDecimal);
    if (t == d || t == result.TimeSeparator)
        t = otherOfDecimal;
    result.ThousandSeparator = t;

    if (result.TimeSeparator == d || result.TimeSeparator == t)
        result.TimeSeparator = defaults.TimeSeparator;
    result.DateSeparator = SanitizeFormatChar(date, defaults.DateSeparator);
    if (result.DateSeparator == result.TimeSeparator || result.DateSeparator == d)
        result.DateSeparator = defaults.DateSeparator;
    return result;
}

} // namespace pexa
