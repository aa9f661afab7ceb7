#pragma once

#include <QString>

namespace pexa {

// The caption without its access marks, as drawn: "&Hex" → "Hex",
// "A&&B" → "A&B". A trailing single '&' is dropped.
QString StripAccessMarks(const QString& caption);
// Marks the first character of the label that equals key, ignoring case, as
// its access key: ("Hex", 'x') → "He&x". No key ('\0') or no such character
// leaves the label as it is.
QString AddAccessMark(const QString& label, char key);

} // namespace pexa
