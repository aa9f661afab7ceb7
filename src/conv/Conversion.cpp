#include "conv/Conversion.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"

namespace pexa {

namespace {

constexpr BarKindInfo BarKindTable[BarKindCount] = {
    {"DEC", "Decimal", '\0'},   {"HEX", "Hexadecimal", '\0'},
    {"OCT", "Octal", '\0'},     {"BIN", "Binary", '\0'},
    {"CHR", "Character", 'C'},  {"IP", "IP Address", '\0'},
    {"DEG", "Degree", 'G'},     {"FLT", "IEEE754 Floating-point", '\0'},
    {"TIME", "Date/Time", 'T'}, {"KILO", "Kilo", '\0'},
};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Typed reals stay within the signed 64-bit range (larger ones can only be
// results); 2^63 - 1 is exact in the 64-bit mantissa.
constexpr Real MinTypedReal = -9223372036854775808.0L;
constexpr Real MaxTypedReal = 9223372036854775807.0L;
constexpr std::size_t MaxTypedDecimals = 18;

} // namespace

const BarKindInfo& GetBarKindInfo(BarKind kind) {
    const int index = static_cast<int>(kind);
    if (!IsValidBarKind(index))
        throw AssertionFailure("Conversion");
    return BarKindTable[index];
}

char BarKindAccessKey(BarKind kind) {
    const BarKindInfo& info = GetBarKindInfo(kind);
    if (info.AccessKey != '\0')
        return info.AccessKey;
    return AsciiUpper(info.Label[0]);
}

Conversion::Conversion(BarKind kind) : kind_(kind), value_(MakeZero()) {
    GetBarKindInfo(kind); // rejects a kind outside the table
}

void Conversion::SetOption(ConvOption option, bool on) {
    const ConvOptionSet old = options_;
    if (ConvOptionSet::IsValid(option) && GetCapabilities().Contains(option)) {
        if (on)
            options_.Include(option);
        else
            options_.Exclude(option);
    }
    if (options_ != old)
        UpdateText();
}

std::string Conversion::GetLabel() const {
    return GetBarKindInfo(kind_).Label;
}

std::string Conversion::GetTitle() const {
    return GetBarKindInfo(kind_).Title;
}

char Conversion::GetAccessKey() const {
    return BarKindAccessKey(kind_);
}

void Conversion::SetValue(const CalcValue& value) {
    // Converted aside first, so that a failing conversion leaves the held
    // value as it was.
    CalcValue converted = value_;
    ConvertValue(converted, mode_, value);
    value_ = converted;
    UpdateText();
}

CalcValue Conversion::GetValue() {
    CalcValue result = value_;
    ConvertValue(result, mode_, value_);
    return result;
}

void Conversion::SetMode(CalcValueMode mode) {
    CalcValue converted = value_;
    ChangeMode(converted, mode);
    mode_ = mode;
    value_ = converted;
    UpdateText();
}

void Conversion::UpdateText() {}

bool Conversion::IsReversed() const {
    return IsMultiByteMode(mode_) && options_.Contains(ConvOption::ReverseEndian);
}

bool Conversion::IsSigned() const {
    return Is64BitMode(mode_) || options_.Contains(ConvOption::Signed);
}

ConvTextState Conversion::GetTextState() const {
    return ConvTextState::Normal;
}

std::string Conversion::GetSeparatorCaption() const {
    return ":";
}

bool Conversion::CanToggleSign() const {
    return GetCapabilities().Contains(ConvOption::Signed);
}

InputRefusal Conversion::RefusalOf(char ch) const {
    return CanInputChar(ch, false, true) ? InputRefusal::OutOfRange : InputRefusal::NotOfNotation;
}

std::string Conversion::RangeName() const {
    return ModeCaption(mode_);
}

bool Conversion::IsIgnoredChar(char) const {
    return false;
}

bool Conversion::CanBackspace() const {
    if (IsFloatMode(value_.Mode))
        return GetReal(value_) != 0;
    return GetInteger(value_) != 0;
}

void Conversion::Clear() {
    value_ = MakeZero();
}

Real Conversion::ValueAsReal() const {
    return GetReal(value_);
}

void Conversion::StoreReal(Real x, CalcValue& target) const {
    CalcValue stored = target;
    SetReal(stored, mode_, x);
    target = stored;
}

std::int64_t Conversion::GetBits() const {
    std::int64_t bits = GetInteger(value_);
    if (IsReversed())
        ReverseBytes(bits, mode_);
    if (IsSigned())
        SignExtend(bits, mode_);
    return bits;
}

void Conversion::StoreBits(std::int64_t bits, CalcValue& target) const {
    if (IsReversed())
        ReverseBytes(bits, mode_);
    SetInteger(target, mode_, bits);
}

bool Conversion::TryStoreReal(const std::string& text, Real x) {
    if (!(x >= MinTypedReal && x <= MaxTypedReal))
        return false;
    const auto separator = text.find(CurrentFormat().DecimalSeparator);
    if (separator != std::string::npos && text.size() - (separator + 1) > MaxTypedDecimals)
        return false;
    try {
        StoreReal(x);
    } catch (const CalcError&) {
        return false;
    }
    return true;
}

bool Conversion::TryStoreInteger(std::int64_t n) {
    const ModeRangeEntry& range = RangeOf(mode_, IsSigned());
    if (n < range.Min || n > range.Max)
        return false;
    StoreBits(n);
    return true;
}

void Conversion::NormalizeEntry(std::string& text) {
    if (text.empty() || text == "-" || text == "-0")
        text.assign(1, '0');
}

} // namespace pexa
