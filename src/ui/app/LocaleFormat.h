#pragma once

#include "core/FormatSettings.h"

class QLocale;

namespace pexa {

// The four locale characters of number, date and time texts, taken from the
// user's regional settings: the decimal point, the group separator, and the
// first separator of the short date and time formats. MakeFormatSettings
// keeps them readable (defaults for anything that is not one printable ASCII
// byte, no clashes).
FormatSettings FormatFromLocale(const QLocale& locale);

} // namespace pexa
