#include "conv/ConvFloat.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"

#include <cstdint>

namespace pexa {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsExponentMark(char c) {
    return c == 'E' || c == 'e';
}

bool HasExponentMark(const std::string& text) {
    return text.find_first_of("Ee") != std::string::npos;
}

} // namespace

TConvFloat::TConvFloat() : TCalcConv(BarKind::Float) {
    TConvFloat::Clear();
}

FloatFormat TConvFloat::GetFloatFormat() const {
    return FloatFormatForMode(GetMode(), wordFormat_, byteFormat_);
}

void TConvFloat::SetWordFormat(FloatFormat format) {
    if (format != FloatFormat::Half && format != FloatFormat::BFloat16)
        return;
    wordFormat_ = format;
    UpdateText();
}

void TConvFloat::SetByteFormat(FloatFormat format) {
    if (format != FloatFormat::E4M3 && format != FloatFormat::E5M2)
        return;
    byteFormat_ = format;
    UpdateText();
}

std::int64_t TConvFloat::GetPattern() const {
    if (entryText_.empty())
        return GetBits();
    std::int64_t bits = 0;
    return TextToBits(entryText_, bits) ? bits : 0;
}

ConvOptionSet TConvFloat::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

// SetValue, SetMode and SetOption end here. A typed text is read in the
// format and byte order in force when it was typed; after a mode or
// byte-order change the held pattern means another number, so the text gives
// way to the pattern's rendering rather than show a number other than the one
// the bar hands out.
void TConvFloat::UpdateText() {
    entryText_.clear();
}

bool TConvFloat::TextToBits(const std::string& text, std::int64_t& bits) const {
    try {
        bits = FloatTextToBits(text, GetFloatFormat());
    } catch (const ConvertError&) {
        return false;
    } catch (const CalcError&) {
        return false; // beyond the format's range
    }
    return true;
}

CalcValue TConvFloat::GetValue() {
    if (entryText_.empty())
        return TCalcConv::GetValue();
    std::int64_t bits = 0;
    if (!TextToBits(entryText_, bits))
        bits = 0;
    CalcValue result = HeldValue();
    StoreBits(bits, result);
    return result;
}

std::string TConvFloat::GetText(bool) const {
    if (!entryText_.empty())
        return entryText_;
    return FormatFloatBits(GetFloatFormat(), GetBits());
}

ConvTextState TConvFloat::GetTextState() const {
    if (!IsFloatFormatUsable(GetFloatFormat(), GetMode()))
        return ConvTextState::NotApplicable;
    return ConvTextState::Normal;
}

bool TConvFloat::CanInputChar(char ch, bool newEntry, bool) const {
    if (ch == CurrentFormat().DecimalSeparator) {
        return newEntry ||
               (entryText_.find(ch) == std::string::npos && !HasExponentMark(entryText_));
    }
    if (IsExponentMark(ch))
        return newEntry || !HasExponentMark(entryText_);
    return ch == '-' || IsDigit(ch);
}

std::string TConvFloat::BuildCandidate(char ch) const {
    const char separator = CurrentFormat().DecimalSeparator;
    // The exponent mark is taken in either case, so "e" typed first gives "0e"
    // as "E" gives "0E".
    const bool startsPart = IsExponentMark(ch) || ch == separator;
    // "-" on the lone zero gives "-0", the negative zero the formats have:
    // the sign key works from the first key on, and a pasted "-1.5", whose
    // minus comes first, is not cut off at its sign.
    if (entryText_ == "0" && !startsPart && ch != '-')
        return std::string(1, ch);
    if (entryText_.empty() && startsPart)
        return std::string("0") + ch;
    if (ch != '-')
        return entryText_ + ch;
    // "-" signs the exponent while it has no digits yet, otherwise the number.
    std::string text = entryText_;
    const std::size_t n = text.size();
    if (n >= 1 && IsExponentMark(text[n - 1]))
        text += '-';
    else if (n >= 2 && text[n - 1] == '-' && IsExponentMark(text[n - 2]))
        text.pop_back();
    else if (n >= 1 && text[0] == '-')
        text.erase(0, 1);
    else
        text.insert(text.begin(), '-');
    return text;
}

bool TConvFloat::InputChar(char ch) {
    // A key that cannot apply to the text as it stands is refused here too,
    // whatever the caller asked before.
    if (!CanInputChar(ch, false, false))
        return false;
    std::string candidate = BuildCandidate(ch);
    std::int64_t bits = 0;
    if (!TextToBits(candidate, bits))
        return false;
    if (!NormalizeFloatText(candidate))
        return false;
    StoreBits(bits);
    entryText_ = std::move(candidate);
    return true;
}

bool TConvFloat::CanToggleSign() const {
    return true;
}

bool TConvFloat::CanBackspace() const {
    return !entryText_.empty() && entryText_ != "0";
}

bool TConvFloat::Backspace() {
    if (entryText_.empty())
        return false; // the rendered pattern is no typed text to shorten
    entryText_.pop_back();
    NormalizeEntry(entryText_);
    std::int64_t bits = 0;
    if (!TextToBits(entryText_, bits))
        bits = 0;
    StoreBits(bits);
    return true;
}

void TConvFloat::Clear() {
    TCalcConv::Clear();
    entryText_ = "0";
}

} // namespace pexa
