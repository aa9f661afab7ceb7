#include "conv/SexagesimalConversion.h"

#include "conv/ConvNumberText.h"
#include "core/CalcError.h"
#include "core/DigitText.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncDegree.h"

#include <cstdint>

namespace pexa {

namespace {

constexpr char FieldSeparator = ':';
constexpr char MinuteMark = '\'';
constexpr char SecondMark = '"';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsFieldKey(char c) {
    return c == FieldSeparator || c == MinuteMark || c == SecondMark;
}

// The codec reads the text in QWord (or Float) mode so that the number is not
// yet masked to the conversion's width; the range check follows.
CalcValueMode ParseModeFor(CalcValueMode mode) {
    return IsFloatMode(mode) ? CalcValueMode::Float : CalcValueMode::QWord;
}

// The codec adds the last field to the base-60 sum without a check, so a text
// just beyond the 64-bit range wraps to the opposite sign. Such a text is
// refused rather than stored as a number its digits do not show.
bool SignAgrees(const std::string& text, const CalcValue& parsed) {
    const bool negativeText = !text.empty() && text[0] == '-';
    if (IsFloatMode(parsed.Mode)) {
        const Real x = GetReal(parsed);
        return negativeText ? x <= 0 : x >= 0;
    }
    const std::int64_t n = GetInteger(parsed);
    return negativeText ? n <= 0 : n >= 0;
}

} // namespace

SexagesimalConversion::SexagesimalConversion() : Conversion(BarKind::Degree) {
    SexagesimalConversion::Clear();
}

void SexagesimalConversion::SetHmsStyle(bool on) {
    hmsStyle_ = on;
    UpdateText();
}

ConvOptionSet SexagesimalConversion::GetCapabilities() const {
    return {ConvOption::Signed, ConvOption::ReverseEndian};
}

CalcValue SexagesimalConversion::ReadEntry(const std::string& text) const {
    CalcValue result = HeldValue();
    try {
        CalcValue parsed = MakeZero();
        ParseSexagesimal(parsed, text, ParseModeFor(GetMode()));
        if (IsFloatMode(GetMode()))
            StoreReal(GetReal(parsed), result);
        else
            StoreBits(GetInteger(parsed), result);
    } catch (const ConvertError&) {
        StoreBits(0, result);
    }
    return result;
}

CalcValue SexagesimalConversion::GetValue() {
    if (textFromValue_)
        return Conversion::GetValue();
    return ReadEntry(entryText_);
}

std::string SexagesimalConversion::FormatReal(Real x) const {
    const char separator = CurrentFormat().DecimalSeparator;
    const std::string fixed = ExpandExponent(FormatRealFixed18(x));
    const std::size_t p = fixed.find(separator);
    const std::string integerPart = fixed.substr(0, p);
    std::string fraction = p == std::string::npos ? std::string() : fixed.substr(p);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty() && fraction.back() == separator)
        fraction.pop_back();
    std::int64_t n = 0;
    if (!ParseDecimalInteger(integerPart, n)) {
        // Rounding to 18 significant digits can carry a value just below 2^63
        // past the 64-bit range; its exact integer part is shown instead.
        n = TruncateReal(x);
    }
    std::string text = FormatSexagesimal(hmsStyle_, n);
    // An integer part of zero carries no sign of its own: -0.5 keeps its minus.
    if (n == 0 && x < 0 && !fraction.empty())
        text.insert(text.begin(), '-');
    return text + fraction;
}

void SexagesimalConversion::UpdateText() {
    if (IsFloatMode(HeldValue().Mode))
        entryText_ = FormatReal(ValueAsReal());
    else
        entryText_ = FormatSexagesimal(hmsStyle_, GetBits());
    textFromValue_ = true;
}

std::string SexagesimalConversion::GetText(bool) const {
    return entryText_;
}

std::string SexagesimalConversion::GetSeparatorCaption() const {
    return std::string(1, FieldSeparator);
}

bool SexagesimalConversion::HasDecimalSeparator() const {
    return entryText_.find(CurrentFormat().DecimalSeparator) != std::string::npos;
}

bool SexagesimalConversion::CanInputChar(char ch, bool newEntry, bool pasting) const {
    if (ch == CurrentFormat().DecimalSeparator) {
        if (IsFloatMode(GetMode()))
            return newEntry || !HasDecimalSeparator();
        // Typed, it stands for ":"; in pasted text it would be a fraction the
        // integer modes cannot take.
        return !pasting;
    }
    // No field can follow the fraction.
    if (IsFieldKey(ch))
        return newEntry || !HasDecimalSeparator();
    if (ch == '-')
        return IsSigned();
    return IsDigit(ch);
}

bool SexagesimalConversion::InputChar(char ch) {
    const char separator = CurrentFormat().DecimalSeparator;
    const bool floatMode = IsFloatMode(GetMode());
    // Whatever the caller asked before: a key that cannot apply to the text
    // as it stands now is refused here too.
    if (!CanInputChar(ch, false, false))
        return false;
    if ((ch == separator && !floatMode) || ch == MinuteMark || ch == SecondMark)
        ch = FieldSeparator;
    std::string candidate;
    if (entryText_ == "0" && ch != FieldSeparator && ch != separator) {
        candidate.assign(1, ch);
    } else if (ch != '-') {
        candidate = entryText_ + ch;
    } else if (!entryText_.empty() && entryText_[0] == '-') {
        candidate = entryText_.substr(1);
    } else if (!IsSigned()) {
        return false;
    } else {
        candidate = "-" + entryText_;
    }
    if (!ValidateSexagesimal(candidate, true))
        return false;
    if (!StoreCandidate(candidate))
        return false;
    entryText_ = std::move(candidate);
    textFromValue_ = false;
    return true;
}

bool SexagesimalConversion::StoreCandidate(const std::string& candidate) {
    CalcValue parsed = MakeZero();
    try {
        ParseSexagesimal(parsed, candidate, ParseModeFor(GetMode()));
    } catch (const ConvertError&) {
        return false;
    }
    if (!SignAgrees(candidate, parsed))
        return false;
    if (IsFloatMode(GetMode()))
        return TryStoreReal(candidate, GetReal(parsed));
    return TryStoreInteger(GetInteger(parsed));
}

bool SexagesimalConversion::IsIgnoredChar(char ch) const {
    return ch == CurrentFormat().ThousandSeparator;
}

bool SexagesimalConversion::CanBackspace() const {
    return !entryText_.empty() && entryText_ != "0";
}

bool SexagesimalConversion::Backspace() {
    if (!entryText_.empty())
        entryText_.pop_back();
    NormalizeEntry(entryText_);
    textFromValue_ = false;
    SetHeldValue(ReadEntry(entryText_));
    return true;
}

void SexagesimalConversion::Clear() {
    Conversion::Clear();
    entryText_ = "0";
    textFromValue_ = false;
}

} // namespace pexa
