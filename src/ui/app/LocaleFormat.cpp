#include "ui/app/LocaleFormat.h"

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
    return MakeFormatSettings(SingleChar(locale.decimalPoint()),
                              SingleChar(locale.groupSeparator()),
                              FormatSeparator(locale.dateFormat(QLocale::ShortFormat)),
                              FormatSeparator(locale.timeFormat(QLocale::ShortFormat)));
}

} // namespace pexa
