#include "enc/EncSmallFloat.h"

#include "core/CalcError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace pexa {

namespace {

// Decimal exponents beyond which a number is far outside every small format
// (their magnitudes lie between 2^-134 and 2^128).
constexpr std::int64_t DecimalExponentLimit = 400;

bool IsSmallFormat(FloatFormat format) {
    return format == FloatFormat::Half || format == FloatFormat::BFloat16 ||
           format == FloatFormat::E4M3 || format == FloatFormat::E5M2;
}

// The number rounded once to the nearest double; infinity when it overflows
// a double, zero when it underflows.
double NearestDouble(const DecimalNumber& number) {
    const std::string plain = "0." + number.Digits + "e" + std::to_string(number.Exponent);
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [ptr, ec] = std::from_chars(plain.data(), end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return number.Exponent > 0 ? HUGE_VAL : 0.0;
    if (ec != std::errc{} || ptr != end)
        throw AssertionFailure("EncSmallFloat");
    return value;
}

// The multiple of 2^quantumExponent nearest to the number, as a count of
// quanta. The nearest double a has a decided rounding unless it lies exactly
// halfway between two quanta: no halfway point (a double itself) can lie
// strictly between a number and its nearest double. In that case the typed
// digits decide.
double RoundToQuanta(const DecimalNumber& number, double a, int quantumExponent) {
    const double scaled = std::ldexp(a, -quantumExponent); // exact: a power-of-two scaling
    const double n = std::floor(scaled);
    const double rest = scaled - n;
    if (rest != 0.5)
        return rest > 0.5 ? n + 1 : n;
    const int order = CompareMagnitude(number, a);
    if (order != 0)
        return order > 0 ? n + 1 : n;
    return std::fmod(n, 2.0) == 0 ? n : n + 1; // a tie goes to the even neighbour
}

std::uint64_t EncodeMagnitude(double v, const FloatLayout& layout) {
    if (v == 0)
        return 0;
    const int minExponent = 1 - layout.Bias;
    int e = 0;
    std::frexp(v, &e);
    const int exponent = e - 1; // v = 1.f * 2^exponent
    if (exponent < minExponent) {
        return static_cast<std::uint64_t>(std::ldexp(v, layout.FractionBits - minExponent));
    }
    const auto significand =
        static_cast<std::uint64_t>(std::ldexp(v, layout.FractionBits - exponent));
    const auto biased = static_cast<std::uint64_t>(exponent + layout.Bias);
    return (biased << layout.FractionBits) |
           (significand - (std::uint64_t{1} << layout.FractionBits));
}

} // namespace

std::uint64_t RoundToSmallFloat(const DecimalNumber& number, FloatFormat format) {
    if (!IsSmallFormat(format))
        format = FloatFormat::Half;
    const FloatLayout& layout = LayoutOf(format);
    const std::uint64_t sign = number.Negative ? std::uint64_t{1} << (layout.Width - 1) : 0;
    if (number.Digits.empty() || number.Exponent < -DecimalExponentLimit)
        return sign;
    if (number.Exponent > DecimalExponentLimit)
        throw CalcError(CalcErrorKind::Overflow);
    const double a = NearestDouble(number);
    if (std::isinf(a))
        throw CalcError(CalcErrorKind::Overflow);
    if (a == 0)
        return sign;
    int e = 0;
    std::frexp(a, &e);
    const int exponent = std::max(e - 1, 1 - layout.Bias);
    const int quantumExponent = exponent - layout.FractionBits;
    const double v = std::ldexp(RoundToQuanta(number, a, quantumExponent), quantumExponent);
    if (v > MaxFiniteValue(format))
        throw CalcError(CalcErrorKind::Overflow);
    return sign | EncodeMagnitude(v, layout);
}

} // namespace pexa
