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
// texts must stay readable, so the decimal separator differs from the other
// three; a clash falls back to a distinct default. The thousands, date and
// time separators never meet in one text and may coincide.
FormatSettings MakeFormatSettings(int decimal, int thousand, int date, int time);

} // namespace pexa
