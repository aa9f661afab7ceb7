#include "core/DigitText.h"

#include "core/FormatSettings.h"

#include <cstddef>
#include <utility>

namespace pexa {

void PadText(std::string& text, char fill, int width, bool atLeft) {
    if (width <= 0 || text.size() >= static_cast<std::size_t>(width))
        return;
    const std::string padding(static_cast<std::size_t>(width) - text.size(), fill);
    text = atLeft ? padding + text : text + padding;
}

void GroupDigits(std::string& text, char separator, int groupSize, int length) {
    if (length < 0 || static_cast<std::size_t>(length) > text.size())
        length = static_cast<int>(text.size());
    if (length <= 0 || groupSize <= 1)
        return;
    // Build the grouped integer part once instead of inserting repeatedly.
    std::string grouped;
    grouped.reserve(text.size() + static_cast<std::size_t>(length / groupSize) + 1);
    const int first = ((length - 1) % groupSize) + 1;
    for (int i = 0; i < length; ++i) {
        if (i >= first && (i - first) % groupSize == 0)
            grouped += separator;
        grouped += text[static_cast<std::size_t>(i)];
    }
    grouped.append(text, static_cast<std::size_t>(length), std::string::npos);
    text = std::move(grouped);
}

namespace {

// The exponent after 'E': an optional sign and digits; anything else counts as 0.
// Saturates far beyond any exponent a long double can produce.
long ParseExponent(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return 0;
    long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return 0;
        if (value < 10000)
            value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace

std::string ExpandExponent(const std::string& text) {
    const std::size_t e = text.find('E');
    if (e == std::string::npos)
        return text;
    const char point = CurrentFormat().DecimalSeparator;
    std::string mantissa = text.substr(0, e);
    const long exponent = ParseExponent(text.substr(e + 1));

    std::string sign;
    if (!mantissa.empty() && mantissa[0] == '-') {
        sign = "-";
        mantissa.erase(0, 1);
    }
    std::string digits = mantissa;
    long p = static_cast<long>(mantissa.size()) + 1;
    if (const std::size_t at = mantissa.find(point); at != std::string::npos) {
        p = static_cast<long>(at) + 1;
        digits.erase(at, 1);
    }
    const long q = p + exponent;
    const long length = static_cast<long>(digits.size());
    std::string result;
    if (q > length)
        result = digits + std::string(static_cast<std::size_t>(q - length - 1), '0');
    else if (q <= 1)
        result =
            std::string("0") + point + std::string(static_cast<std::size_t>(1 - q), '0') + digits;
    else
        result = digits.substr(0, static_cast<std::size_t>(q - 1)) + point +
                 digits.substr(static_cast<std::size_t>(q - 1));
    return sign + result;
}

} // namespace pexa
