#include "engine/CLiteral.h"

#include "core/CalcError.h"
#include "core/ModeWidth.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace pexa {

namespace {

std::string PaddedHex(std::uint64_t magnitude, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && magnitude != 0; --i) {
        text[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[magnitude & 0xF];
        magnitude >>= 4;
    }
    return "0x" + text;
}

std::string IntegerLiteral(std::int64_t bits, CalcValueMode mode, bool isSigned) {
    const int width = BitCountOf(mode);
    const int digits = width / 4;
    const bool wide = Is64BitMode(mode);
    const auto pattern = static_cast<std::uint64_t>(MaskToMode(mode, bits));
    if (!isSigned)
        return PaddedHex(pattern, digits) + (wide ? "ull" : "u");
    std::int64_t value = static_cast<std::int64_t>(pattern);
    SignExtend(value, mode);
    const std::string suffix = wide ? "ll" : "";
    if (value >= 0)
        return PaddedHex(pattern, digits) + suffix;
    // |value| without overflowing at the smallest integer.
    const std::uint64_t magnitude = static_cast<std::uint64_t>(-(value + 1)) + 1;
    // In C, -0x80000000 negates an unsigned int; the smallest int needs a sum.
    if (width >= 32 && magnitude == std::uint64_t{1} << (width - 1))
        return "(-" + PaddedHex(magnitude - 1, digits) + suffix + " - 1)";
    return "-" + PaddedHex(magnitude, digits) + suffix;
}

// The fewest significant digits that read back as the value, written as
// Python writes its floats: plainly for decimal exponents -4 to 15 ("0.001",
// "1477470243570766.0"), in scientific notation beyond ("1e+20").
template <class T> std::string Shortest(T value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (error != std::errc{})
        throw AssertionFailure("CLiteral");
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t mark = scientific.find('e');
    int exponent = 0;
    const char* exponentStart = buffer + mark + 1 + (scientific[mark + 1] == '+' ? 1 : 0);
    std::from_chars(exponentStart, end, exponent);
    if (exponent < -4 || exponent >= 16)
        return std::string(scientific);
    std::string digits;
    for (const char c : scientific.substr(0, mark)) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    std::string text = value < 0 ? "-" : "";
    if (exponent < 0) {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        return text;
    }
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return text + digits + std::string(whole - digits.size(), '0') + ".0";
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::string RealLiteral(Real x) {
    const auto asDouble = static_cast<double>(x);
    if (static_cast<Real>(asDouble) == x)
        return Shortest(asDouble);
    return Shortest(x) + "L";
}

} // namespace

std::string FormatCLiteral(const CalcValue& value, CalcValueMode mode, bool isSigned) {
    if (IsFloatMode(mode))
        return RealLiteral(GetReal(value));
    return IntegerLiteral(GetInteger(value), mode, isSigned);
}

} // namespace pexa
