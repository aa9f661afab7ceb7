#pragma once

// Limits and locale characters the codec tests share.

#include "core/FormatSettings.h"

#include <cstdint>
#include <limits>

namespace pexa::test {

inline constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();

// Decimal comma and thousands point; dates and times keep their defaults.
inline FormatSettings DecimalComma() {
    FormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    return settings;
}

// Decimal comma and thousands point, dates with "-", times with ".".
inline FormatSettings DashCommaFormat() {
    FormatSettings format = DecimalComma();
    format.DateSeparator = '-';
    format.TimeSeparator = '.';
    return format;
}

} // namespace pexa::test
