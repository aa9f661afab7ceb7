#pragma once

// Limits and locale characters the codec tests share.

#include "core/FormatSettings.h"

#include <iconv.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

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

// One glibc iconv conversion; nullopt when iconv refuses any part of the input.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (Ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Convert(const std::string& input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string in = input;
        char out[256];
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t cd_;
};

} // namespace pexa::test
