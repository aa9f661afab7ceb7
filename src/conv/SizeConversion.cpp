#include "conv/SizeConversion.h"

#include "conv/ConvNumberText.h"
#include "core/DigitText.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncKilo.h"

#include <algorithm>

namespace pexa {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// What the separator key types; the integer modes map the decimal-point key
// onto it.
constexpr char UnitKey = ':';

// Texts are read as 64-bit numbers first, so that the range check sees a
// negative size as negative instead of masked.
CalcValueMode ParseModeFor(CalcValueMode mode) {
    return IsFloatMode(mode) ? CalcValueMode::Float : CalcValueMode::QWord;
}

// Whether the terms before the decimal separator add up within the signed
// 64-bit range. The size reader wraps silently, which would let 8E stand for
// -2^63 and 16E for 0; such a text must not be accepted as its wrapped value.
bool SizeSumFits(const std::string& text) {
    const std::size_t end = std::min(text.find(CurrentFormat().DecimalSeparator), text.size());
    std::size_t pos = 0;
    const bool negative = end > 0 && text[0] == '-';
    if (negative)
        pos = 1;
    const std::uint64_t limit = (std::uint64_t{1} << 63) - (negative ? 0 : 1);
    std::uint64_t sum = 0;
    while (pos < end) {
        std::uint64_t term = 0;
        for (; pos < end && IsDigit(text[pos]); ++pos) {
            const auto digit = static_cast<std::uint64_t>(text[pos] - '0');
            if (term > (limit - digit) / 10)
                return false;
            term = term * 10 + digit;
        }
        if (pos < end && text[pos] != '+') {
            const int unit = SizeUnitIndex(text[pos]);
            const int shift = 10 * (unit > 0 ? unit : 0);
            if (term > (limit >> shift))
                return false;
            term <<= shift;
        }
        for (; pos < end && !IsDigit(text[pos]); ++pos) {
        }
        if (term > limit - sum)
            return false;
        sum += term;
    }
    return true;
}

} // namespace

SizeConversion::SizeConversion() : Conversion(BarKind::Kilo) {
    SizeConversion::Clear();
}

ConvOptionSet SizeConversion::GetCapabilities() const {
    return {ConvOption::Signed, ConvOption::ReverseEndian};
}

bool SizeConversion::HasDecimalSeparator() const {
    return entryText_.find(CurrentFormat().DecimalSeparator) != std::string::npos;
}

CalcValue SizeConversion::ReadEntry(const std::string& text) const {
    CalcValue number = MakeZero();
    try {
        ParseSizeText(number, text, ParseModeFor(GetMode()));
    } catch (const ConvertError&) {
        number = MakeZero();
    }
    CalcValue result = HeldValue();
    if (IsFloatMode(GetMode()))
        StoreReal(GetReal(number), result);
    else
        StoreBits(GetInteger(number), result);
    return result;
}

CalcValue SizeConversion::GetValue() {
    if (textFromValue_)
        return Conversion::GetValue();
    return ReadEntry(entryText_);
}

std::string SizeConversion::FormatReal(Real x) const {
    const char separator = CurrentFormat().DecimalSeparator;
    const std::string fixed = FormatRealFixed18(x);
    // From 10^18 on the fixed form has no room for decimals and rounds the
    // integer to 18 digits; the truncated real is exact there.
    if (fixed.find('E') != std::string::npos)
        return FormatSizeText(TruncateReal(x));
    const std::string expanded = ExpandExponent(fixed);
    const auto split = expanded.find(separator);
    const std::string integerText = expanded.substr(0, split);
    std::string fraction = split == std::string::npos ? std::string() : expanded.substr(split);
    StripFractionZeros(fraction);
    std::int64_t integer = 0;
    if (!ParseDecimalInteger(integerText, integer))
        integer = 0;
    std::string text = FormatSizeText(integer);
    // -0.5 has an integer part without a sign of its own; the sign goes in
    // front of the whole text, which reads back as -0.5.
    if (integer == 0 && !fraction.empty() && !integerText.empty() && integerText[0] == '-')
        text.insert(text.begin(), '-');
    return text + fraction;
}

void SizeConversion::UpdateText() {
    if (IsFloatMode(HeldValue().Mode))
        entryText_ = FormatReal(ValueAsReal());
    else
        entryText_ = FormatSizeText(GetBits());
    textFromValue_ = true;
}

std::string SizeConversion::GetText(bool) const {
    return entryText_;
}

std::string SizeConversion::GetSeparatorCaption() const {
    return "KMG";
}

bool SizeConversion::CanInputChar(char ch, bool newEntry, bool pasting) const {
    if (ch == CurrentFormat().DecimalSeparator) {
        if (!IsFloatMode(GetMode()))
            return true;
        return newEntry || !HasDecimalSeparator();
    }
    // Units come from the separator key; a pasted text may spell them out.
    if (ch == UnitKey || (pasting && IsSizeUnitChar(ch)))
        return newEntry || !HasDecimalSeparator();
    if (ch == '-')
        return IsSigned();
    return IsDigit(ch);
}

bool SizeConversion::InputChar(char ch) {
    const char separator = CurrentFormat().DecimalSeparator;
    if (ch == separator && !IsFloatMode(GetMode()))
        ch = UnitKey;
    if (ch == '-' && !IsSigned() && !(entryText_.size() > 0 && entryText_[0] == '-'))
        return false;
    std::string candidate;
    if (entryText_ == "0" && ch != UnitKey && ch != separator && !IsSizeUnitChar(ch)) {
        candidate.assign(1, ch);
    } else if (ch == '-') {
        // Taking the sign off a bare "-" leaves the zero it was typed on,
        // never an empty entry.
        if (!entryText_.empty() && entryText_[0] == '-')
            candidate = entryText_.size() > 1 ? entryText_.substr(1) : "0";
        else
            candidate = "-" + entryText_;
    } else {
        candidate = entryText_ + ch;
    }
    if (!NormalizeSizeText(candidate) || !StoreCandidate(candidate))
        return false;
    entryText_ = candidate;
    textFromValue_ = false;
    return true;
}

bool SizeConversion::StoreCandidate(const std::string& candidate) {
    if (!SizeSumFits(candidate))
        return false;
    CalcValue number = MakeZero();
    try {
        ParseSizeText(number, candidate, ParseModeFor(GetMode()));
    } catch (const ConvertError&) {
        return false;
    }
    if (IsFloatMode(GetMode()))
        return TryStoreReal(candidate, GetReal(number));
    return TryStoreInteger(GetInteger(number));
}

bool SizeConversion::IsIgnoredChar(char ch) const {
    return ch == '+';
}

bool SizeConversion::CanBackspace() const {
    return !entryText_.empty() && entryText_ != "0";
}

bool SizeConversion::Backspace() {
    if (!entryText_.empty())
        entryText_.pop_back();
    // The "+" before a removed term would be left dangling.
    if (!entryText_.empty() && entryText_.back() == '+')
        entryText_.pop_back();
    NormalizeEntry(entryText_);
    textFromValue_ = false;
    SetHeldValue(ReadEntry(entryText_));
    return true;
}

void SizeConversion::Clear() {
    Conversion::Clear();
    entryText_ = "0";
    textFromValue_ = false;
}

} // namespace pexa
