#include "conv/IPv4Conversion.h"

#include "core/FormatSettings.h"
#include "enc/EncIP.h"

#include <cstdint>

namespace pexa {

namespace {

constexpr char OctetSeparator = '.';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSeparatorKey(char c) {
    return c == OctetSeparator || c == ':' || c == CurrentFormat().DecimalSeparator;
}

constexpr std::int64_t Low32Bits = 0xFFFFFFFF;

} // namespace

IPv4Conversion::IPv4Conversion() : Conversion(BarKind::IP) {
    IPv4Conversion::Clear();
}

ConvOptionSet IPv4Conversion::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

CalcValue IPv4Conversion::ReadEntry(const std::string& text) const {
    CalcValue result = HeldValue();
    StoreBits(ParseIPv4(text, GetMode()), result);
    return result;
}

CalcValue IPv4Conversion::GetValue() {
    if (textFromValue_)
        return Conversion::GetValue();
    return ReadEntry(entryText_);
}

void IPv4Conversion::UpdateText() {
    entryText_ = FormatIPv4(GetBits() & Low32Bits, GetMode());
    textFromValue_ = true;
}

std::string IPv4Conversion::GetText(bool) const {
    if (entryText_.empty())
        return FormatIPv4(0, GetMode());
    return entryText_;
}

ConvTextState IPv4Conversion::GetTextState() const {
    const CalcValueMode mode = GetMode();
    if (mode == CalcValueMode::Byte || mode == CalcValueMode::Word)
        return ConvTextState::NotApplicable;
    return ConvTextState::Normal;
}

bool IPv4Conversion::CanInputChar(char ch, bool, bool) const {
    return IsDigit(ch) || IsSeparatorKey(ch);
}

bool IPv4Conversion::InputChar(char ch) {
    if (!IsDigit(ch)) {
        if (!IsSeparatorKey(ch))
            return false;
        ch = OctetSeparator;
    }
    std::string candidate = entryText_ + ch;
    if (!ValidateIPv4(candidate, true, GetMode()))
        return false;
    // The octet count of the mode bounds the number: no range check needed.
    SetHeldValue(ReadEntry(candidate));
    entryText_ = std::move(candidate);
    textFromValue_ = false;
    return true;
}

bool IPv4Conversion::CanBackspace() const {
    return !entryText_.empty();
}

bool IPv4Conversion::Backspace() {
    if (entryText_.empty())
        return false;
    entryText_.pop_back();
    textFromValue_ = false;
    SetHeldValue(ReadEntry(entryText_));
    return true;
}

void IPv4Conversion::Clear() {
    Conversion::Clear();
    entryText_.clear();
    textFromValue_ = false;
}

} // namespace pexa
