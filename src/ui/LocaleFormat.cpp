#include "ui/LocaleFormat.h"

#include <QLocale>
#include <QString>

namespace pexa {

namespace {

// The code of a one-character text, or -1.
int SingleChar(const QString& text) {
    if (text.size() != 1)
        return -1;
    return text.front().unicode();
}

// The first character of a date or time format that is not part of a field
// ("dd/MM/yyyy" gives '/', "HH:mm" gives ':'); quoted literals are skipped.
int FormatSeparator(const QString& format) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetter() || c.isSpace())
            continue;
        return c.unicode();
    }
    return -1;
}

} // namespace

FormatSettings FormatFromLocale(const QLocale& locale) {
    const FormatSettings defaults;
    FormatSettings result;
    result.DecimalSeparator =
        SanitizeFormatChar(SingleChar(locale.decimalPoint()), defaults.DecimalSeparator);
    result.ThousandSeparator =
        SanitizeFormatChar(SingleChar(locale.groupSeparator()), defaults.ThousandSeparator);
    if (result.ThousandSeparator == result.DecimalSeparator)
        result.ThousandSeparator = result.DecimalSeparator == ',' ? '.' : ',';
    result.DateSeparator = SanitizeFormatChar(
        FormatSeparator(locale.dateFormat(QLocale::ShortFormat)), defaults.DateSeparator);
    result.TimeSeparator = SanitizeFormatChar(
        FormatSeparator(locale.timeFormat(QLocale::ShortFormat)), defaults.TimeSeparator);
    return result;
}

} // namespace pexa
