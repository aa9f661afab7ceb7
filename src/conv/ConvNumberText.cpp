#include "conv/ConvNumberText.h"

#include "core/FormatSettings.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace pexa {

namespace {

constexpr int FixedDecimals = 18;
constexpr int SignificantDigits = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits d1..d18 and exponent e of |x| = d1.d2...d18 × 10^e, correctly rounded.
// std::to_chars never consults the C locale.
void DecimalDigits(Real x, std::string& digits, int& exponent, bool& negative) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific,
                                      SignificantDigits - 1);
    const std::string text(buf, result.ptr);
    std::size_t pos = 0;
    negative = text[pos] == '-';
    if (negative)
        ++pos;
    digits.clear();
    for (; pos < text.size() && text[pos] != 'e'; ++pos) {
        if (IsDigit(text[pos]))
            digits += text[pos];
    }
    exponent = 0;
    if (pos < text.size()) {
        const char* first = text.data() + pos + 1;
        if (*first == '+')
            ++first;
        std::from_chars(first, text.data() + text.size(), exponent);
    }
}

std::string ScientificForm(std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out(1, digits[0]);
    if (digits.size() > 1) {
        out += CurrentFormat().DecimalSeparator;
        out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

std::string FixedForm(const std::string& digits, int exponent) {
    const char separator = CurrentFormat().DecimalSeparator;
    std::string out;
    std::string fraction;
    if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        out.assign(digits, 0, intDigits);
        fraction.assign(digits, intDigits);
    } else {
        out = "0";
        fraction.assign(static_cast<std::size_t>(-exponent - 1), '0');
        fraction += digits;
    }
    // Places beyond the 18th decimal are dropped, not rounded a second time.
    fraction.resize(FixedDecimals, '0');
    out += separator;
    out += fraction;
    return out;
}

bool IsAllZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

} // namespace

std::string FormatRealFixed18(Real x) {
    if (std::isnan(x))
        return "NAN";
    if (std::isinf(x))
        return x < 0 ? "-INF" : "INF";
    std::string digits;
    int exponent = 0;
    bool negative = false;
    DecimalDigits(x, digits, exponent, negative);
    if (IsAllZero(digits))
        exponent = 0;
    std::string out = exponent >= SignificantDigits ? ScientificForm(digits, exponent)
                                                    : FixedForm(digits, exponent);
    if (negative)
        out.insert(out.begin(), '-');
    return out;
}

void StripFractionZeros(std::string& text) {
    const char separator = CurrentFormat().DecimalSeparator;
    if (text.find('E') != std::string::npos || text.find(separator) == std::string::npos)
        return;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == separator)
        text.pop_back();
}

std::string FormatRealShort(Real x) {
    std::string text = FormatRealFixed18(x);
    StripFractionZeros(text);
    // A negative number too small for 18 decimals is shown as plain zero.
    if (text == "-0")
        text = "0";
    return text;
}

bool ParseDecimalReal(const std::string& text, Real& x) {
    const char separator = CurrentFormat().DecimalSeparator;
    std::string c;
    c.reserve(text.size() + 1);
    std::size_t pos = 0;
    const std::size_t n = text.size();
    if (pos < n && text[pos] == '-')
        c += text[pos++];
    const std::size_t intStart = pos;
    while (pos < n && IsDigit(text[pos]))
        c += text[pos++];
    if (pos == intStart)
        return false;
    if (pos < n && text[pos] == separator) {
        ++pos;
        c += '.';
        bool fractionDigit = false;
        while (pos < n && IsDigit(text[pos])) {
            c += text[pos++];
            fractionDigit = true;
        }
        // "12." is a number being typed; spell it the way every reader accepts.
        if (!fractionDigit)
            c += '0';
    }
    bool negativeExponent = false;
    if (pos < n && text[pos] == 'E') {
        ++pos;
        c += 'e';
        if (pos < n && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            c += text[pos++];
        }
        const std::size_t expStart = pos;
        while (pos < n && IsDigit(text[pos]))
            c += text[pos++];
        if (pos == expStart)
            return false;
    }
    if (pos != n)
        return false;
    Real value = 0;
    const auto result = std::from_chars(c.data(), c.data() + c.size(), value);
    if (result.ptr != c.data() + c.size())
        return false;
    if (result.ec == std::errc::result_out_of_range) {
        if (!negativeExponent)
            return false;
        // Too small for the 80-bit real: it reads as zero, as an underflow does.
        value = c[0] == '-' ? -0.0L : 0.0L;
    } else if (result.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(value))
        return false;
    x = value;
    return true;
}

bool ParseDecimalInteger(const std::string& text, std::int64_t& n) {
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        pos = 1;
    if (pos >= text.size())
        return false;
    // The magnitude may reach 2^63 for a negative number.
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63
                 : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (!IsDigit(c))
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    n = negative ? static_cast<std::int64_t>(std::uint64_t{0} - magnitude)
                 : static_cast<std::int64_t>(magnitude);
    return true;
}

std::string FormatDecimalInteger(std::int64_t n) {
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, n);
    return std::string(buf, result.ptr);
}

} // namespace pexa
