#include "enc/FloatLayout.h"

#include <bit>
#include <cmath>

namespace pexa {

namespace {

constexpr FloatLayout Layouts[FloatFormatCount] = {
    {32, 8, 23, 127, true}, {64, 11, 52, 1023, true}, {16, 5, 10, 15, true},
    {16, 8, 7, 127, true},  {8, 4, 3, 7, false},      {8, 5, 2, 15, true},
};

std::uint64_t LowMask(int bits) {
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

FloatClass ClassOfTopExponent(const FloatLayout& layout, std::uint64_t fraction) {
    if (!layout.HasInfinity) {
        return fraction == LowMask(layout.FractionBits) ? FloatClass::NaN : FloatClass::Normal;
    }
    if (fraction == 0)
        return FloatClass::Infinity;
    const bool quiet = ((fraction >> (layout.FractionBits - 1)) & 1) != 0;
    return quiet ? FloatClass::QuietNaN : FloatClass::SignalingNaN;
}

} // namespace

const FloatLayout& LayoutOf(FloatFormat format) {
    const int code = static_cast<int>(format);
    return Layouts[code >= 0 && code < FloatFormatCount ? code : 0];
}

FloatFields DecomposeFloat(FloatFormat format, std::int64_t bits) {
    const FloatLayout& layout = LayoutOf(format);
    const std::uint64_t pattern = static_cast<std::uint64_t>(bits) & LowMask(layout.Width);
    const std::uint64_t topExponent = LowMask(layout.ExponentBits);
    FloatFields fields;
    fields.Negative = ((pattern >> (layout.Width - 1)) & 1) != 0;
    const std::uint64_t exponent = (pattern >> layout.FractionBits) & topExponent;
    fields.BiasedExponent = static_cast<std::uint32_t>(exponent);
    fields.Fraction = pattern & LowMask(layout.FractionBits);
    fields.UnbiasedExponent = static_cast<int>(exponent) - layout.Bias;
    if (exponent == 0) {
        fields.UnbiasedExponent = 1 - layout.Bias;
        fields.Class = fields.Fraction == 0 ? FloatClass::Zero : FloatClass::Subnormal;
    } else if (exponent == topExponent) {
        fields.Class = ClassOfTopExponent(layout, fields.Fraction);
    } else {
        fields.Class = FloatClass::Normal;
    }
    return fields;
}

double MaxFiniteValue(FloatFormat format) {
    const FloatLayout& layout = LayoutOf(format);
    const int topExponent = static_cast<int>(LowMask(layout.ExponentBits));
    // E4M3's top binade holds numbers up to the fraction below the NaN's.
    const int exponent = (layout.HasInfinity ? topExponent - 1 : topExponent) - layout.Bias;
    const std::uint64_t fraction =
        layout.HasInfinity ? LowMask(layout.FractionBits) : LowMask(layout.FractionBits) - 1;
    const double significand =
        std::ldexp(static_cast<double>(fraction), -layout.FractionBits) + 1.0;
    return std::ldexp(significand, exponent);
}

double FiniteFloatValue(FloatFormat format, std::int64_t bits) {
    const FloatLayout& layout = LayoutOf(format);
    const FloatFields fields = DecomposeFloat(format, bits);
    const bool finite = fields.Class == FloatClass::Zero || fields.Class == FloatClass::Subnormal ||
                        fields.Class == FloatClass::Normal;
    if (format == FloatFormat::Double && finite)
        return std::bit_cast<double>(bits);
    double magnitude = 0;
    switch (fields.Class) {
    case FloatClass::Subnormal:
    case FloatClass::Normal: {
        const std::uint64_t hidden =
            fields.Class == FloatClass::Normal ? std::uint64_t{1} << layout.FractionBits : 0;
        magnitude = std::ldexp(static_cast<double>(hidden | fields.Fraction),
                               fields.UnbiasedExponent - layout.FractionBits);
        break;
    }
    default:
        break;
    }
    return fields.Negative ? -magnitude : magnitude;
}

} // namespace pexa
