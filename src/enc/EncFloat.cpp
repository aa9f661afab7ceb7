#include "enc/EncFloat.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "enc/ConvertError.h"
#include "enc/DecimalNumber.h"
#include "enc/EncSmallFloat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <system_error>
#include <vector>

namespace pexa {

static_assert(std::endian::native == std::endian::little,
              "patterns are the in-memory bytes of a little-endian machine");
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

namespace {

// A decimal exponent beyond which any kept digit string is out of every
// format's range (the 80-bit range ends near 10^4932, its denormals near
// 10^-4951, and 20000 digits shift that by 20000 at most).
constexpr std::int64_t ExponentRangeLimit = 30000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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

// A finite, nonzero magnitude rounded to a number of significant digits,
// in the "C" notation to_chars writes ("d.ddde[+-]xx").
struct ScientificText {
    char Buffer[64];
    std::size_t Length;
    const char* End() const { return Buffer + Length; }
};

ScientificText ToScientific(double magnitude, int precision) {
    ScientificText result{};
    const auto [end, ec] = std::to_chars(result.Buffer, result.Buffer + sizeof result.Buffer,
                                         magnitude, std::chars_format::scientific, precision - 1);
    if (ec != std::errc{})
        throw AssertionFailure("EncFloat");
    result.Length = static_cast<std::size_t>(end - result.Buffer);
    return result;
}

bool ReadsBackAs(const ScientificText& text, double magnitude) {
    double back = 0;
    const auto [ptr, ec] =
        std::from_chars(text.Buffer, text.End(), back, std::chars_format::scientific);
    return ec == std::errc{} && ptr == text.End() && back == magnitude;
}

// The general notation of a finite, nonzero value with the given number of
// significant digits (plain while the decimal exponent lies in -4 to
// precision - 1, scientific otherwise; trailing zeros dropped).
std::string FormatGeneral(double value, const ScientificText& scientific, int precision) {
    const char* mark = std::find(scientific.Buffer, scientific.End(), 'e');
    std::string digits;
    for (const char* p = scientific.Buffer; p != mark; ++p) {
        if (IsDigit(*p))
            digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(mark + 1 + (mark[1] == '+' ? 1 : 0), scientific.End(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    const char separator = CurrentFormat().DecimalSeparator;
    std::string text = value < 0 ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent >= -4 && exponent < precision) {
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

// 15 significant digits, the most that every decimal of that length keeps
// through a double. A double needs up to 17 to be told from its neighbours,
// so that its text pastes back as the same pattern: it gets the fewest of
// 15, 16 and 17 that read back. The narrower formats need at most 9, so 15
// always read back for them.
std::string FormatFinite(FloatFormat format, double value) {
    constexpr int ShownDigits = 15;
    constexpr int DoubleRoundTripDigits = 17;
    const double magnitude = std::fabs(value);
    int precision = ShownDigits;
    ScientificText scientific = ToScientific(magnitude, precision);
    while (format == FloatFormat::Double && precision < DoubleRoundTripDigits &&
           !ReadsBackAs(scientific, magnitude)) {
        ++precision;
        scientific = ToScientific(magnitude, precision);
    }
    return FormatGeneral(value, scientific, precision);
}

// The words the bar shows for the patterns that are no number, with the
// pattern each one pastes back as. A NaN's payload (and a NaN's sign) is not
// in its word, so every NaN of a kind reads back as the one canonical
// pattern here: positive, with only the top fraction bit set for a quiet NaN
// (the default quiet NaN) and only the next one for a signalling NaN
// (std::numeric_limits<T>::signaling_NaN on this machine); E4M3's one NaN
// has every exponent and fraction bit set.
struct NamedPattern {
    const char* Word;
    std::int64_t Bits;
};

std::vector<NamedPattern> NamedPatternsOf(FloatFormat format) {
    const FloatLayout& layout = LayoutOf(format);
    const std::uint64_t exponentOnes = ((std::uint64_t{1} << layout.ExponentBits) - 1)
                                       << layout.FractionBits;
    const std::uint64_t sign = std::uint64_t{1} << (layout.Width - 1);
    const std::uint64_t topFraction = std::uint64_t{1} << (layout.FractionBits - 1);
    const auto pattern = [](std::uint64_t bits) { return static_cast<std::int64_t>(bits); };
    if (!layout.HasInfinity)
        return {{"NaN", pattern(exponentOnes | (topFraction * 2 - 1))}};
    return {{"Inf", pattern(exponentOnes)},
            {"-Inf", pattern(sign | exponentOnes)},
            {"QNaN", pattern(exponentOnes | topFraction)},
            {"SNaN", pattern(exponentOnes | topFraction / 2)}};
}

} // namespace

FloatFormat DefaultFloatFormat(CalcValueMode mode) {
    return mode == CalcValueMode::QWord ? FloatFormat::Double : FloatFormat::Single;
}

FloatFormat FloatFormatForMode(CalcValueMode mode, FloatFormat wordChoice, FloatFormat byteChoice) {
    switch (mode) {
    case CalcValueMode::Byte:
        return byteChoice == FloatFormat::E5M2 ? FloatFormat::E5M2 : FloatFormat::E4M3;
    case CalcValueMode::Word:
        return wordChoice == FloatFormat::BFloat16 ? FloatFormat::BFloat16 : FloatFormat::Half;
    default:
        return DefaultFloatFormat(mode);
    }
}

bool IsFloatFormatUsable(FloatFormat format, CalcValueMode mode) {
    if (IsFloatMode(mode))
        return false;
    return BitCountOf(mode) >= LayoutOf(format).Width;
}

std::string FloatFormatName(FloatFormat format) {
    switch (format) {
    case FloatFormat::Single:
        return "Single";
    case FloatFormat::Double:
        return "Double";
    case FloatFormat::Half:
        return "Half";
    case FloatFormat::BFloat16:
        return "BF16";
    case FloatFormat::E4M3:
        return "E4M3";
    case FloatFormat::E5M2:
        return "E5M2";
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
    switch (format) {
    case FloatFormat::Double: {
        double value = 0;
        if (!RoundDecimal(number, value))
            throw CalcError(CalcErrorKind::Overflow);
        return static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(value));
    }
    case FloatFormat::Half:
    case FloatFormat::BFloat16:
    case FloatFormat::E4M3:
    case FloatFormat::E5M2:
        return static_cast<std::int64_t>(RoundToSmallFloat(number, format));
    default:
        break;
    }
    float value = 0;
    if (!RoundDecimal(number, value))
        throw CalcError(CalcErrorKind::Overflow);
    return static_cast<std::int64_t>(std::bit_cast<std::uint32_t>(value));
}

std::string FormatFloatBits(FloatFormat format, std::int64_t bits) {
    const FloatFields fields = DecomposeFloat(format, bits);
    const std::string sign = fields.Negative ? "-" : "";
    switch (fields.Class) {
    case FloatClass::Zero:
        return sign + "0";
    case FloatClass::Infinity:
        return sign + "Inf";
    case FloatClass::QuietNaN:
        return "QNaN";
    case FloatClass::SignalingNaN:
        return "SNaN";
    case FloatClass::NaN:
        return "NaN";
    default:
        return FormatFinite(format, FiniteFloatValue(format, bits));
    }
}

bool NamedFloatBits(const std::string& text, FloatFormat format, std::int64_t& bits) {
    for (const NamedPattern& named : NamedPatternsOf(format)) {
        if (text == named.Word) {
            bits = named.Bits;
            return true;
        }
    }
    return false;
}

bool IsNamedFloatPrefix(const std::string& text, FloatFormat format) {
    // A sign alone starts a number as much as "-Inf".
    if (text.empty() || text == "-")
        return false;
    for (const NamedPattern& named : NamedPatternsOf(format)) {
        if (std::string_view(named.Word).starts_with(text))
            return true;
    }
    return false;
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

    // The longest fraction the bar shows: "0.000" and 17 digits.
    constexpr std::size_t MaxFractionDigits = 20;
    const std::size_t p = text.find(separator);
    if (p == std::string::npos)
        return true;
    std::size_t q = text.find_first_of("Ee");
    if (q == std::string::npos || q <= p)
        q = text.size();
    return q - p - 1 <= MaxFractionDigits;
}

} // namespace pexa
