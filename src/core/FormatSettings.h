#pragma once

namespace pexa {

// The locale characters that number, date and time texts use in place of a
// fixed '.', ',', '/' and ':'. The ui fills them once at start-up; tests set
// them explicitly (and restore them with FormatSettingsScope).
struct FormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
};

// The one instance the whole program reads.
FormatSettings& CurrentFormat();

// Sets the current characters for the lifetime of the object, then restores
// the previous ones.
class FormatSettingsScope {
public:
    explicit FormatSettingsScope(const FormatSettings& settings);
    ~FormatSettingsScope();
    FormatSettingsScope(const FormatSettingsScope&) = delete;
    FormatSettingsScope& operator=(const FormatSettingsScope&) = delete;

private:
    FormatSettings saved_;
};

// Accepts c as a locale character when it is a single printable ASCII byte
// other than a digit, a letter or '$'; otherwise gives fallback.
char SanitizeFormatChar(int c, char fallback);

// Builds the four characters from the system's (Unicode code points; anything
// that is not one printable ASCII byte falls back to its default). Number
// texts must stay readable, so no two of the decimal, thousands and time
// separators may coincide, and the date separator differs from the decimal
// and time separators; a clash falls back to a distinct default.
FormatSettings MakeFormatSettings(int decimal, int thousand, int date, int time);

} // namespace pexa
