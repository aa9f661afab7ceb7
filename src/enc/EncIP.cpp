#include "enc/EncIP.h"

#include "core/ModeWidth.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace pexa {

namespace {

constexpr std::uint64_t OctetMask = 0xFF;

// A field is a decimal integer when it is one or more ASCII digits whose value fits a signed
// 64-bit integer. Signs and blanks are refused so that nothing but digits and dots ever passes
// as an address.
std::optional<std::int64_t> ReadDecimalField(std::string_view field) {
    if (field.empty()) {
        return std::nullopt;
    }
    constexpr std::uint64_t Limit = static_cast<std::uint64_t>(INT64_MAX);
    std::uint64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (Limit - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return static_cast<std::int64_t>(value);
}

} // namespace

int OctetCount(CalcValueMode mode) {
    return std::min(ByteCountOf(mode), 4);
}

std::string FormatIPv4(std::int64_t bits, CalcValueMode mode) {
    const auto pattern = static_cast<std::uint64_t>(bits);
    std::string text;
    for (int k = OctetCount(mode) - 1; k >= 0; --k) {
        text += std::to_string((pattern >> (8 * k)) & OctetMask);
        if (k > 0) {
            text += '.';
        }
    }
    return text;
}

std::int64_t ParseIPv4(const std::string& text, CalcValueMode mode) {
    std::uint64_t result = 0;
    std::string_view rest = text;
    const int n = OctetCount(mode);
    for (int i = 0; i < n; ++i) {
        const std::size_t dot = rest.find('.');
        const std::string_view field = rest.substr(0, dot);
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
        if (field.empty()) {
            break;
        }
        const std::int64_t v = ReadDecimalField(field).value_or(0);
        result = (result << 8) | (static_cast<std::uint64_t>(v) & OctetMask);
    }
    return static_cast<std::int64_t>(result);
}

bool ValidateIPv4(std::string& text, bool allowPartial, CalcValueMode mode) {
    const int n = OctetCount(mode);
    // Fields are located by offsets into text, which may lose a zero as we go.
    std::size_t position = 0;
    for (int i = 1; i <= n; ++i) {
        const std::size_t dot = text.find('.', position);
        const bool dotFollows = dot != std::string::npos;
        if (dotFollows && i == n) {
            return false;
        }
        std::size_t fieldLength = (dotFollows ? dot : text.size()) - position;
        std::size_t step = dotFollows ? fieldLength + 1 : fieldLength;
        if (fieldLength == 0) {
            return allowPartial && !dotFollows;
        }
        if (fieldLength >= 2 && text[position] == '0') {
            text.erase(position, 1);
            --fieldLength;
            --step;
        }
        const auto value = ReadDecimalField(std::string_view(text).substr(position, fieldLength));
        if (!value || *value > 255) {
            return false;
        }
        position += step;
    }
    return true;
}

} // namespace pexa
