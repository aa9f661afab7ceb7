#include "enc/EncFloat.h"

#include "core/CalcConvCommonDef.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace pexa {

static_assert(std::endian::native == std::endian::little,
              "patterns are the in-memory bytes of a little-endian machine");
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

namespace {

// Significant digits kept when reading a number. Every halfway point between
// two neighbouring 80-bit reals (denormals included) has fewer significant
// digits, so cutting there and appending one nonzero "sticky" digit keeps
// the rounding decision of every format exact.
constexpr std::size_t MaxSignificantDigits = 20000;

// A decimal exponent beyond which any kept digit string is out of every
// format's range (the 80-bit range ends near 10^4932, its denormals near
// 10^-4951, and 20000 digits shift that by 20000 at most).
constexpr std::int64_t ExponentRangeLimit = 30000;

// Saturation bound for the typed exponent, far outside every range.
constexpr std::int64_t ExponentSaturation = 1000000000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// value = (negative ? -1 : 1) * 0.Digits * 10^Exponent; Digits is empty for zero
// and otherwise has no leading or trailing zeros.
struct DecimalNumber {
    bool Negative = false;
    std::string Digits;
    std::int64_t Exponent = 0;
};

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

// Rounds the number to T once, correctly; false when it overflows T.
template <class T> bool RoundDecimal(const DecimalNumber& number, T& result) {
    const T zero = number.Negative ? -T(0) : T(0);
    if (number.Digits.empty() || number.Exponent < -ExponentRangeLimit) {
        result = zero;
        return true;
    }
    if (number.Exponent > ExponentRangeLimit)
        return false;
    // The "C" notation of from_chars is independent of any locale.
    std::string plain = "0." + number.Digits + "e" + std::to_string(number.Exponent);
    T value{};
    const char* end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Out of range for a number below 1 can only be an underflow.
        if (number.Exponent > 0)
            return false;
        result = zero;
        return true;
    }
    if (ec != std::errc{} || ptr != end)
        throw AssertionFailure("EncFloat");
    if (std::isinf(value))
        return false;
    result = number.Negative ? -value : value;
    return true;
}

int FormatWidth(FloatFormat format) {
    return format == FloatFormat::Double ? 64 : 32;
}

int FractionBits(FloatFormat format) {
    return format == FloatFormat::Double ? 52 : 23;
}

std::uint64_t ExponentMask(FloatFormat format) {
    return format == FloatFormat::Double ? 0x7FF : 0xFF;
}

double PatternValue(FloatFormat format, std::uint64_t pattern) {
    if (format == FloatFormat::Double)
        return std::bit_cast<double>(pattern);
    return static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(pattern)));
}

// The general 15-digit notation of a finite, nonzero value.
std::string FormatGeneral15(double value) {
    constexpr int Precision = 15;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::scientific, Precision - 1);
    if (ec != std::errc{})
        throw AssertionFailure("EncFloat");
    // buffer holds d.dddddddddddddde[+-]xx
    const char* mark = std::find(buffer, end, 'e');
    std::string digits;
    for (const char* p = buffer; p != mark; ++p) {
        if (IsDigit(*p))
            digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(mark + 1 + (mark[1] == '+' ? 1 : 0), end, exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    const char separator = CurrentFormat().DecimalSeparator;
    std::string text = value < 0 ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent >= -4 && exponent < Precision) {
        if (exponent < 0) {
            text += '0';
            text += separator;
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else if (count <= exponent + 1) {
            text += digits;
            text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            text.append(digits, 0, static_cast<std::size_t>(exponent + 1));
            text += separator;
            text.append(digits, static_cast<std::size_t>(exponent + 1));
        }
        return text;
    }
    text += digits[0];
    if (count > 1) {
        text += separator;
        text.append(digits, 1);
    }
    text += 'E';
    text += std::to_string(exponent);
    return text;
}

} // namespace

FloatFormat DefaultFloatFormat(CalcValueMode mode) {
    return mode == CalcValueMode::QWord ? FloatFormat::Double : FloatFormat::Single;
}

bool IsFloatFormatUsable(FloatFormat format, CalcValueMode mode) {
    if (IsFloatMode(mode))
        return false;
    return BitCountOf(mode) >= FormatWidth(format);
}

std::string FloatFormatName(FloatFormat format) {
    switch (format) {
    case FloatFormat::Single:
        return "Single";
    case FloatFormat::Double:
        return "Double";
    }
    return {};
}

bool TryReadReal(const std::string& text, Real& result) {
    DecimalNumber number;
    return ScanDecimal(text, number) && RoundDecimal(number, result);
}

std::int64_t FloatTextToBits(const std::string& text, FloatFormat format) {
    DecimalNumber number;
    if (!ScanDecimal(text, number))
        throw ConvertError("'" + text + "' is not a valid floating point value");
    if (format == FloatFormat::Double) {
        double value = 0;
        if (!RoundDecimal(number, value))
            throw CalcError(CalcErrorKind::Overflow);
        return static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value));
    }
    float value = 0;
    if (!RoundDecimal(number, value))
        throw CalcError(CalcErrorKind::Overflow);
    return static_cast<std::int64_t>(std::bit_cast<std::uint32_t>(value));
}

std::string FormatFloatBits(FloatFormat format, std::int64_t bits) {
    const int width = FormatWidth(format);
    const int fractionBits = FractionBits(format);
    const std::uint64_t exponentMask = ExponentMask(format);
    std::uint64_t pattern = static_cast<std::uint64_t>(bits);
    if (width < 64)
        pattern &= (std::uint64_t{1} << width) - 1;

    const bool negative = ((pattern >> (width - 1)) & 1) != 0;
    const std::uint64_t exponent = (pattern >> fractionBits) & exponentMask;
    const std::uint64_t fraction = pattern & ((std::uint64_t{1} << fractionBits) - 1);
    const std::string sign = negative ? "-" : "";
    if (exponent == 0 && fraction == 0)
        return sign + "0";
    if (exponent == exponentMask) {
        if (fraction == 0)
            return sign + "Inf";
        const bool quiet = ((fraction >> (fractionBits - 1)) & 1) != 0;
        return quiet ? "QNaN" : "SNaN";
    }
    return FormatGeneral15(PatternValue(format, pattern));
}

bool NormalizeFloatText(std::string& text) {
    const char separator = CurrentFormat().DecimalSeparator;
    // Built afresh, so that a long run of zeros costs linear time: a deleted
    // zero's successor is judged against the character kept before it.
    std::string normalized;
    normalized.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '0') {
            const bool afterNumber = !normalized.empty() &&
                                     (IsDigit(normalized.back()) || normalized.back() == separator);
            if (!afterNumber && i + 1 < text.size() && IsDigit(text[i + 1]))
                continue;
        }
        normalized.push_back(c);
    }
    text = std::move(normalized);

    constexpr std::size_t MaxFractionDigits = 18;
    const std::size_t p = text.find(separator);
    if (p == std::string::npos)
        return true;
    std::size_t q = text.find_first_of("Ee");
    if (q == std::string::npos || q <= p)
        q = text.size();
    return q - p - 1 <= MaxFractionDigits;
}

} // namespace pexa
