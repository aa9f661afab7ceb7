#include "enc/EncKilo.h"

#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <charconv>
#include <utility>

namespace pexa {

namespace {

constexpr std::uint64_t UnitBase = 1024;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// ASCII only: a high byte must never reach the C library's toupper.
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

[[noreturn]] void ThrowTooManyPrefixes() {
    throw ConvertError("Too many prefix characters");
}

// The fraction after the decimal separator as a number in units of 1, or 0
// when anything but digits follows the separator (a unit letter there makes
// the text no fraction at all).
Real ReadFraction(const std::string& text, std::size_t separatorPos) {
    std::string number = "0.";
    for (std::size_t i = separatorPos + 1; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return 0.0L;
        number += text[i];
    }
    Real fraction = 0.0L;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), fraction);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size())
        return 0.0L;
    return fraction;
}

// Adds the terms of an integer part (no sign) in wrapping 64-bit arithmetic.
std::uint64_t SumTerms(const std::string& text, std::size_t begin, std::size_t end) {
    std::uint64_t sum = 0;
    std::size_t i = begin;
    while (i < end) {
        std::uint64_t v = 0;
        while (i < end && IsDigit(text[i])) {
            v = v * 10 + static_cast<std::uint64_t>(text[i] - '0');
            ++i;
        }
        int k = 0;
        if (i < end) {
            const char c = UpperAscii(text[i]);
            k = SizeUnitIndex(c);
            if (k < 1)
                throw ConvertError(std::string("Invalid character ") + c);
            ++i;
            while (i < end && text[i] == '+')
                ++i;
        }
        sum += v << (10 * k);
    }
    return sum;
}

// A real whose truncation fits a signed 64-bit integer, as SetReal requires.
bool FitsInt64(Real x) {
    return x > -0x1p63L - 1.0L && x < 0x1p63L;
}

} // namespace

int SizeUnitIndex(char c) {
    const char upper = UpperAscii(c);
    for (int k = 0; k < MaxSizeUnitIndex; ++k) {
        if (SizeUnitLetters[k] == upper)
            return k + 1;
    }
    return -1;
}

bool IsSizeUnitChar(char c) {
    return SizeUnitIndex(c) > 0;
}

std::string FormatSizeText(std::int64_t v) {
    const bool negative = v < 0;
    // Unsigned negation gives 2^63 for the smallest integer without overflow.
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string text;
    for (int k = 0; magnitude != 0; ++k) {
        std::uint64_t r;
        if (k < MaxSizeUnitIndex) {
            r = magnitude % UnitBase;
            magnitude /= UnitBase;
        } else {
            r = magnitude;
            magnitude = 0;
        }
        if (r == 0)
            continue;
        std::string term = std::to_string(r);
        if (k > 0)
            term += SizeUnitLetters[k - 1];
        text = text.empty() ? term : term + "+" + text;
    }
    if (text.empty())
        return std::string(1, '0');
    return negative ? "-" + text : text;
}

void ParseSizeText(CalcValue& value, const std::string& text, CalcValueMode mode) {
    const char decimal = CurrentFormat().DecimalSeparator;
    const std::size_t separatorPos = text.find(decimal);
    std::size_t end = text.size();
    Real fraction = 0.0L;
    if (separatorPos != std::string::npos) {
        end = separatorPos;
        fraction = ReadFraction(text, separatorPos);
    }
    std::size_t begin = 0;
    const bool negative = end > 0 && text[0] == '-';
    if (negative)
        begin = 1;

    std::uint64_t sum = SumTerms(text, begin, end);
    if (negative) {
        sum = 0 - sum;
        fraction = -fraction;
    }
    const auto signedSum = static_cast<std::int64_t>(sum);

    if (mode == CalcValueMode::Float) {
        const Real x = static_cast<Real>(signedSum) + fraction;
        // Only the largest sums with a fraction round past the 64-bit range.
        if (!FitsInt64(x))
            throw ConvertError("The number is too large");
        SetReal(value, mode, x);
    } else {
        SetInteger(value, mode, signedSum);
    }
}

void AddUnitMark(UnitMarks& marks, std::size_t position, int index) {
    if (marks.Count >= MaxUnitMarks)
        ThrowTooManyPrefixes();
    marks.Items[marks.Count++] = UnitMark{position, index};
}

void PromoteUnits(std::string& text, UnitMarks& marks, int m) {
    for (int j = marks.Count - 1; j >= 0; --j) {
        UnitMark& mark = marks.Items[j];
        if (mark.Index > m)
            continue;
        // The mark rises to m + 1: beyond E when m is E already, which a
        // smaller unit before a larger one (1K1P:) can reach as well.
        if (m >= MaxSizeUnitIndex)
            ThrowTooManyPrefixes();
        mark.Index = m + 1;
        text[mark.Position] = SizeUnitLetters[mark.Index - 1];
        m = mark.Index;
    }
}

namespace {

// Builds the normalised text in one left-to-right pass, so that long texts
// cost linear time. The conditions look back at the text written so far and
// ahead at the text not yet read, as an in-place rewrite would see them.
// ConvertError for what cannot become a size text, false for the refusals
// that carry no message.
bool NormalizeSizeTextOrThrow(std::string& text) {
    const FormatSettings& format = CurrentFormat();
    const std::string& in = text;
    std::string out;
    out.reserve(in.size() + 8);
    UnitMarks marks;
    for (std::size_t j = 0; j < in.size(); ++j) {
        const char c = in[j];
        const bool digitFollows = j + 1 < in.size() && IsDigit(in[j + 1]);
        if (c == format.DecimalSeparator) {
            // The fraction is not examined.
            out.append(in, j, std::string::npos);
            break;
        }
        if (c == '-') {
            if (!out.empty())
                return false;
            out += c;
            continue;
        }
        // A group never starts with a zero: 1K+05 becomes 1K+5.
        if (c == '0' && !out.empty() && !IsDigit(out.back()) && digitFollows)
            continue;
        if (c == ':') {
            if (out.empty())
                return false;
            const char before = out.back();
            if (IsDigit(before)) {
                PromoteUnits(out, marks, 1);
                AddUnitMark(marks, out.size(), 1);
                out += SizeUnitLetters[0];
                continue;
            }
            const int u = SizeUnitIndex(before);
            if (u > 0) {
                PromoteUnits(out, marks, u);
                continue;
            }
            return false;
        }
        if (IsDigit(c) || c == '+' || c == format.ThousandSeparator) {
            out += c;
            continue;
        }
        const int u = SizeUnitIndex(c);
        if (u > 0) {
            AddUnitMark(marks, out.size(), u);
            out += c;
            if (digitFollows)
                out += '+';
            continue;
        }
        throw ConvertError(std::string("Invalid character: ") + c);
    }
    text = std::move(out);
    return true;
}
} // namespace

bool NormalizeSizeText(std::string& text) {
    try {
        return NormalizeSizeTextOrThrow(text);
    } catch (const ConvertError&) {
        return false;
    }
}

} // namespace pexa
