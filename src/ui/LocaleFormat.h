#pragma once

#include "core/FormatSettings.h"

class QLocale;

namespace pexa {

// The four locale characters of number, date and time texts, taken from the
// user's regional settings. A character that is not one printable ASCII byte
// falls back to its default (a space or non-breaking space as thousands
// separator among them); the thousands separator never equals the decimal
// separator, since a text using both could not be read back.
FormatSettings FormatFromLocale(const QLocale& locale);

} // namespace pexa
