#include "enc/DecimalNumber.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace pexa {

namespace {

// Saturation bound for the typed exponent, far outside every range.
constexpr std::int64_t ExponentSaturation = 1000000000;

// Enough digits to write every double exactly: its expansion has at most
// 767 significant digits.
constexpr int ExactDoubleDigits = 800;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(const std::string& text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Reads the exponent digits from i on, saturating; returns the end position.
std::size_t ReadExponent(const std::string& text, std::size_t i, std::int64_t& exponent) {
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude < ExponentSaturation)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    exponent = negative ? -magnitude : magnitude;
    return i;
}

// The exact decimal expansion of a positive finite double.
DecimalNumber ExactDecimal(double value) {
    char buffer[ExactDoubleDigits + 16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         std::chars_format::scientific, ExactDoubleDigits);
    if (ec != std::errc{})
        throw AssertionFailure("DecimalNumber");
    // buffer holds d.ddd...e[+-]xx
    const char* mark = std::find(buffer, end, 'e');
    DecimalNumber number;
    for (const char* p = buffer; p != mark; ++p) {
        if (IsDigit(*p))
            number.Digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(mark + 1 + (mark[1] == '+' ? 1 : 0), end, exponent);
    number.Digits.erase(number.Digits.find_last_not_of('0') + 1);
    number.Exponent = exponent + 1;
    return number;
}

} // namespace

bool ScanDecimal(const std::string& text, DecimalNumber& number) {
    const char separator = CurrentFormat().DecimalSeparator;
    std::size_t i = 0;
    number = DecimalNumber{};
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.Negative = text[i] == '-';
        ++i;
    }
    const std::size_t intBegin = i;
    const std::size_t intEnd = SkipDigits(text, i);
    i = intEnd;
    std::size_t fracBegin = i;
    std::size_t fracEnd = i;
    if (i < text.size() && text[i] == separator) {
        fracBegin = i + 1;
        fracEnd = SkipDigits(text, fracBegin);
        i = fracEnd;
    }
    if (intEnd == intBegin && fracEnd == fracBegin)
        return false;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e'))
        i = ReadExponent(text, i + 1, exponent);
    if (i != text.size())
        return false;

    std::string digits;
    digits.reserve((intEnd - intBegin) + (fracEnd - fracBegin));
    digits.append(text, intBegin, intEnd - intBegin);
    digits.append(text, fracBegin, fracEnd - fracBegin);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return true; // a zero, keeping its sign
    const std::size_t last = digits.find_last_not_of('0');
    const auto intCount = static_cast<std::int64_t>(intEnd - intBegin);
    number.Exponent = intCount - static_cast<std::int64_t>(first) + exponent;
    number.Digits = digits.substr(first, last - first + 1);
    if (number.Digits.size() > MaxSignificantDigits) {
        number.Digits.resize(MaxSignificantDigits);
        number.Digits.push_back('1');
    }
    return true;
}

int CompareMagnitude(const DecimalNumber& number, double value) {
    if (value == 0)
        return number.Digits.empty() ? 0 : 1;
    if (number.Digits.empty())
        return -1;
    const DecimalNumber other = ExactDecimal(value);
    if (number.Exponent != other.Exponent)
        return number.Exponent < other.Exponent ? -1 : 1;
    // Same decimal exponent: the digit strings compare as fractions.
    const int order = number.Digits.compare(other.Digits);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace pexa
