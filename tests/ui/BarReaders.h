#pragma once

// Independent readers of what the bars show, and the comparisons of the
// decimal, hexadecimal, octal and binary bars built on them. Shared by the
// endurance test programs.

#include "MainWindowHarness.h"

#include "conv/FloatConversion.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace pexa::testing {

struct IntegerText {
    bool Negative = false;
    std::uint64_t Magnitude = 0;
};

// "-1,234" as the decimal bar shows it in an integer mode.
inline std::optional<IntegerText> ParseDecimalInteger(const std::string& text, char thousands) {
    IntegerText out;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        out.Negative = true;
        ++pos;
    }
    bool digit = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == thousands && digit)
            continue;
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (out.Magnitude > (~std::uint64_t{0} - d) / 10)
            return std::nullopt;
        out.Magnitude = out.Magnitude * 10 + d;
        digit = true;
    }
    if (!digit)
        return std::nullopt;
    return out;
}

// "0001 2345" or "FFFFFFFFFFFFFFFE" as the hexadecimal bar shows it, and the
// octal and binary bars likewise (bitsPerDigit 3 and 1): at most 64 bits.
inline std::optional<std::uint64_t> ParseRadix(const std::string& text, int bitsPerDigit) {
    std::uint64_t bits = 0;
    bool digit = false;
    for (const char c : text) {
        if (c == ' ')
            continue;
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= (1 << bitsPerDigit) || (bits >> (64 - bitsPerDigit)) != 0)
            return std::nullopt;
        bits = (bits << bitsPerDigit) | static_cast<std::uint64_t>(d);
        digit = true;
    }
    if (!digit)
        return std::nullopt;
    return bits;
}

// "-1,234.5", "1.5E18" as the decimal bar shows a real, in the C spelling.
inline std::optional<long double> ParseDecimalReal(const std::string& text,
                                                   const FormatSettings& format) {
    std::string c;
    for (const char ch : text) {
        if (ch == format.ThousandSeparator)
            continue;
        c += ch == format.DecimalSeparator ? '.' : ch;
    }
    if (!c.empty() && c.back() == '.')
        c += '0';
    long double x = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), x);
    if (error != std::errc() || end != c.data() + c.size() || !std::isfinite(x))
        return std::nullopt;
    return x;
}

// Whether the float bar's text, read by the C library into the format's own
// type, gives back exactly the number shown (its sign included).
template <class T> inline bool ReadsBackAs(const std::string& text, T expected) {
    std::string c = text;
    for (char& ch : c) {
        if (ch == CurrentFormat().DecimalSeparator)
            ch = '.';
    }
    T x{};
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), x);
    return error == std::errc() && end == c.data() + c.size() &&
           std::memcmp(&x, &expected, sizeof x) == 0;
}

inline std::uint64_t ReverseByteOrder(std::uint64_t bits, int bytes) {
    std::uint64_t out = 0;
    for (int i = 0; i < bytes; ++i)
        out = (out << 8) | ((bits >> (8 * i)) & 0xFF);
    return out;
}

// The textbook reading of a 16- or 8-bit float pattern: fields, bias and the
// hidden bit, with E4M3's all-ones pattern its only NaN and no infinity.
inline long double SmallFloatReading(std::uint64_t bits, FloatFormat format) {
    struct Fields {
        int width, exponentBits, fractionBits, bias;
    };
    const Fields f = format == FloatFormat::Half       ? Fields{16, 5, 10, 15}
                     : format == FloatFormat::BFloat16 ? Fields{16, 8, 7, 127}
                     : format == FloatFormat::E4M3     ? Fields{8, 4, 3, 7}
                                                       : Fields{8, 5, 2, 15};
    const bool negative = ((bits >> (f.width - 1)) & 1) != 0;
    const std::uint64_t fraction = bits & ((1u << f.fractionBits) - 1);
    const std::uint64_t top = (1u << f.exponentBits) - 1;
    const std::uint64_t exponent = (bits >> f.fractionBits) & top;
    long double magnitude = 0;
    if (format == FloatFormat::E4M3 && exponent == top && fraction == 7)
        return NAN;
    if (format != FloatFormat::E4M3 && exponent == top) {
        if (fraction != 0)
            return NAN;
        magnitude = INFINITY;
    } else if (exponent == 0) {
        magnitude = std::ldexp(static_cast<long double>(fraction), 1 - f.bias - f.fractionBits);
    } else {
        magnitude = std::ldexp(static_cast<long double>(fraction | (1u << f.fractionBits)),
                               static_cast<int>(exponent) - f.bias - f.fractionBits);
    }
    return negative ? -magnitude : magnitude;
}

inline int ModeBytes(CalcValueMode mode) {
    switch (mode) {
    case CalcValueMode::Byte:
        return 1;
    case CalcValueMode::Word:
        return 2;
    case CalcValueMode::DWord:
        return 4;
    default:
        return 8;
    }
}

inline bool ReversedIn(const MainWindow& window, const CalcBar& bar) {
    const CalcValueMode mode = window.Engine().Mode();
    const bool multiByte =
        mode == CalcValueMode::Word || mode == CalcValueMode::DWord || mode == CalcValueMode::QWord;
    return window.Engine().Reversed() && multiByte && bar.Offers(ConvOption::ReverseEndian);
}

inline bool SignedIn(const MainWindow& window, const CalcBar& bar) {
    return window.Engine().Mode() == CalcValueMode::QWord ||
           (window.Engine().Signed() && bar.Offers(ConvOption::Signed));
}

// The bits the decimal bar stands for in an integer mode, after checking that
// its number lies in the range its signedness gives.
// The stored bits a number shown by a bar stands for in an integer mode,
// after checking that it lies in the range the bar's signedness gives; the
// hexadecimal bar's bits are compared with them.
inline QString CompareNumber(const MainWindow& window, const CalcBar& bar,
                             const IntegerText& number, const std::string& hexText) {
    const auto hexBits = ParseRadix(hexText, 4);
    if (!hexBits)
        return QStringLiteral("unreadable hexadecimal text");
    const int bytes = ModeBytes(window.Engine().Mode());
    const int width = 8 * bytes;
    const std::uint64_t mask = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    const std::uint64_t half = std::uint64_t{1} << (width - 1);
    const bool isSigned = SignedIn(window, bar);
    const std::uint64_t limit =
        number.Negative ? (isSigned ? half : 0) : (isSigned ? half - 1 : mask);
    if (number.Magnitude > limit || (number.Negative && number.Magnitude == 0 && !isSigned))
        return QStringLiteral("number outside the %1 range")
            .arg(isSigned ? QStringLiteral("signed") : QStringLiteral("unsigned"));
    auto bits = number.Magnitude;
    if (number.Negative)
        bits = ~bits + 1;
    bits &= mask;
    if (ReversedIn(window, bar))
        bits = ReverseByteOrder(bits, bytes);
    std::uint64_t hex = *hexBits & mask;
    if (*hexBits != hex)
        return QStringLiteral("hexadecimal text wider than the mode");
    if (const CalcBar* hexBar = window.Bars().Find(BarKind::Hex); ReversedIn(window, *hexBar))
        hex = ReverseByteOrder(hex, bytes);
    if (bits != hex)
        return QStringLiteral("bit patterns differ: %1 against %2")
            .arg(bits, 0, 16)
            .arg(hex, 0, 16);
    return {};
}

inline QString CompareIntegerBars(const MainWindow& window, const CalcBar& dec,
                                  const std::string& decText, const std::string& hexText) {
    const auto number = ParseDecimalInteger(decText, CurrentFormat().ThousandSeparator);
    if (!number)
        return QStringLiteral("unreadable decimal text");
    return CompareNumber(window, dec, *number, hexText);
}

// Adds d to n × base, refusing what leaves 64 bits.
inline bool Accumulate(std::uint64_t& n, std::uint64_t base, std::uint64_t d) {
    if (n > (~std::uint64_t{0} - d) / base)
        return false;
    n = n * base + d;
    return true;
}

// In Float mode the hexadecimal bar shows the value truncated toward zero to a
// 64-bit integer. The decimal text is that value rounded to 18 significant
// digits, so the truncation must be that of some number within half a unit of
// the 18th digit of the text (a typed text is read with 64 bits of mantissa,
// which lies well within that).
inline QString CompareRealBars(const std::string& decText, const std::string& hexText) {
    const auto x = ParseDecimalReal(decText, CurrentFormat());
    const auto hexBits = ParseRadix(hexText, 4);
    if (!x || !hexBits)
        return QStringLiteral("unreadable text");
    const long double slack = std::fabs(*x) * 6e-17L;
    const long double low = std::trunc(*x - slack);
    const long double high = std::trunc(*x + slack);
    const auto hex = static_cast<long double>(static_cast<std::int64_t>(*hexBits));
    if (hex < low || hex > high)
        return QStringLiteral("hexadecimal %1 is not the truncation of the decimal value")
            .arg(static_cast<std::int64_t>(*hexBits));
    return {};
}

// The readers below take only the texts the bars render from a value. A bar
// keeps the text the user typed or pasted into it ("1:2", "0e", "192.168")
// until it is given a value, and such texts are refused here.

// Splits "a<sep>b<sep>c" into its fields; none may be empty.
inline std::optional<std::vector<std::string>> Fields(const std::string& text, char separator) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (const std::string& field : fields)
        if (field.empty())
            return std::nullopt;
    return fields;
}

// Decimal digits without a superfluous leading zero.
inline std::optional<std::uint64_t> PlainNumber(const std::string& digits) {
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    std::uint64_t n = 0;
    for (const char c : digits)
        if (c < '0' || c > '9' || !Accumulate(n, 10, static_cast<std::uint64_t>(c - '0')))
            return std::nullopt;
    return n;
}

// "-01:02:03", "01:00:00:00", or in the h:m:s style "123:02:03": fields of two
// digits below 60, at least three, the first of the h:m:s style any number.
inline std::optional<IntegerText> ReadSexagesimal(std::string text) {
    IntegerText out;
    if (!text.empty() && text[0] == '-') {
        out.Negative = true;
        text.erase(0, 1);
    }
    const auto fields = Fields(text, ':');
    if (!fields || fields->size() < 3)
        return std::nullopt;
    const bool hmsHours = fields->size() == 3 && PlainNumber(fields->front()).has_value();
    for (std::size_t i = 0; i < fields->size(); ++i) {
        const std::string& field = (*fields)[i];
        std::optional<std::uint64_t> v;
        if (i == 0 && hmsHours)
            v = PlainNumber(field);
        else if (field.size() == 2 && field[0] >= '0' && field[0] <= '5' && field[1] >= '0' &&
                 field[1] <= '9')
            v = static_cast<std::uint64_t>((field[0] - '0') * 10 + (field[1] - '0'));
        if (!v || !Accumulate(out.Magnitude, 60, *v))
            return std::nullopt;
    }
    return out;
}

// "-1K+512", "7E+1023P": terms from 1 to 1023 (an E term up to 8) with units
// strictly falling, the last maybe without a unit; "0" alone for zero.
inline std::optional<IntegerText> ReadSize(std::string text) {
    static const std::string units = "KMGTPE";
    IntegerText out;
    if (!text.empty() && text[0] == '-') {
        out.Negative = true;
        text.erase(0, 1);
    }
    if (text == "0" && !out.Negative)
        return out;
    const auto terms = Fields(text, '+');
    if (!terms)
        return std::nullopt;
    std::size_t lastUnit = units.size() + 1;
    for (const std::string& term : *terms) {
        const std::size_t unit = units.find(term.back());
        const std::size_t rank = unit == std::string::npos ? 0 : unit + 1;
        const auto n = PlainNumber(rank == 0 ? term : term.substr(0, term.size() - 1));
        if (!n || *n == 0 || *n > (rank == 6 ? 8u : 1023u) || rank >= lastUnit)
            return std::nullopt;
        lastUnit = rank;
        std::uint64_t v = *n;
        for (std::size_t k = 0; k < rank; ++k)
            if (!Accumulate(v, 1024, 0))
                return std::nullopt;
        if (!Accumulate(out.Magnitude, 1, v))
            return std::nullopt;
    }
    return out;
}

// "192.168.0.1": as many octets as the mode has bytes (four at most), most
// significant first.
inline std::optional<IntegerText> ReadIPv4(const std::string& text, int octets) {
    const auto fields = Fields(text, '.');
    if (!fields || static_cast<int>(fields->size()) != octets)
        return std::nullopt;
    IntegerText out;
    for (const std::string& field : *fields) {
        const auto octet = PlainNumber(field);
        if (!octet || *octet > 255)
            return std::nullopt;
        out.Magnitude = (out.Magnitude << 8) | *octet;
    }
    return out;
}

} // namespace pexa::testing
