#include "conv/DecimalConversion.h"

#include "conv/ConvNumberText.h"
#include "core/DigitText.h"
#include "core/FormatSettings.h"

namespace pexa {

namespace {

constexpr int ThousandsGroup = 3;

// The ends of the range a typed real must lie in (signed 64 bits).
constexpr Real MinTypedReal = -9223372036854775808.0L;
constexpr Real MaxTypedReal = 9223372036854775807.0L;
constexpr std::size_t MaxTypedDecimals = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool HasSeparator(const std::string& text, char separator) {
    return text.find(separator) != std::string::npos;
}

// A text that ends in an exponent mark without digits ("1.5E", "1.5E-")
// denotes no number; Backspace takes such a tail off with the digit before it.
void DropDanglingExponent(std::string& text) {
    if (!text.empty() && (text.back() == '+' || text.back() == '-') && text.size() >= 2 &&
        text[text.size() - 2] == 'E')
        text.pop_back();
    if (!text.empty() && text.back() == 'E')
        text.pop_back();
}

// The mantissa of the scientific form the bar writes for a real of more than
// 18 integer digits: one leading digit, then the separator and the other
// significant digits ("-9.22337203685477581" of "-9.22337203685477581E18").
bool IsShownMantissa(const std::string& text, char separator) {
    std::size_t pos = !text.empty() && text[0] == '-' ? 1 : 0;
    if (pos >= text.size() || text[pos] < '1' || text[pos] > '9')
        return false;
    ++pos;
    if (pos == text.size())
        return true;
    if (text[pos] != separator || pos + 1 == text.size())
        return false;
    for (++pos; pos < text.size(); ++pos) {
        if (!IsDigit(text[pos]))
            return false;
    }
    return true;
}

// The real of an entry text. An exponent mark still without digits (a pasted
// text cut short after its "E") adds nothing. The 18 digits the bar shows
// round the ends of the typable range outward ("9.22337203685477581E18" for
// 2^63 - 1): that text stands for the end it was shown for.
bool ReadEntryReal(const std::string& text, Real& x) {
    std::string number = text;
    DropDanglingExponent(number);
    if (!ParseDecimalReal(number, x))
        return false;
    if (number.find('E') == std::string::npos)
        return true;
    if (x > MaxTypedReal && number == FormatRealShort(MaxTypedReal))
        x = MaxTypedReal;
    else if (x < MinTypedReal && number == FormatRealShort(MinTypedReal))
        x = MinTypedReal;
    return true;
}

} // namespace

DecimalConversion::DecimalConversion() : Conversion(BarKind::Decimal) {
    DecimalConversion::Clear();
}

ConvOptionSet DecimalConversion::GetCapabilities() const {
    return {ConvOption::DigitGrouping, ConvOption::Signed, ConvOption::ReverseEndian};
}

CalcValue DecimalConversion::ReadEntry(const std::string& text) const {
    CalcValue result = HeldValue();
    if (IsFloatMode(GetMode())) {
        Real x = 0;
        if (!ReadEntryReal(text, x))
            x = 0;
        StoreReal(x, result);
    } else {
        std::int64_t n = 0;
        if (!ParseDecimalInteger(text, n))
            n = 0;
        StoreBits(n, result);
    }
    return result;
}

CalcValue DecimalConversion::GetValue() {
    if (textFromValue_)
        return Conversion::GetValue();
    return ReadEntry(entryText_);
}

void DecimalConversion::UpdateText() {
    if (IsFloatMode(HeldValue().Mode))
        entryText_ = FormatRealShort(ValueAsReal());
    else
        entryText_ = FormatDecimalInteger(GetBits());
    textFromValue_ = true;
}

std::string DecimalConversion::GetText(bool grouped) const {
    const FormatSettings& format = CurrentFormat();
    std::string text = entryText_;
    if (!IsFloatMode(GetMode())) {
        const auto separator = text.find(format.DecimalSeparator);
        if (separator != std::string::npos)
            text.resize(separator);
    }
    if (!grouped)
        return text;
    std::string sign;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        sign = text.substr(0, 1);
        text.erase(0, 1);
    }
    // Only the integer digits are grouped: the fraction and an exponent
    // ("1E18") stay as they are.
    auto integerEnd = text.find(format.DecimalSeparator);
    if (integerEnd == std::string::npos)
        integerEnd = text.find('E');
    if (integerEnd == std::string::npos)
        integerEnd = text.size();
    GroupDigits(text, format.ThousandSeparator, ThousandsGroup, static_cast<int>(integerEnd));
    return sign + text;
}

bool DecimalConversion::CanInputChar(char ch, bool newEntry, bool pasting) const {
    if (ch == CurrentFormat().DecimalSeparator)
        return IsFloatMode(GetMode()) &&
               (newEntry || !HasSeparator(entryText_, CurrentFormat().DecimalSeparator));
    if (ch == '-')
        return IsSigned();
    // No key types an exponent; a pasted copy of the bar's own scientific
    // form (1.5E18) must read back.
    if (ch == 'E')
        return pasting && !newEntry && ExponentMayFollow();
    return IsDigit(ch);
}

bool DecimalConversion::ExponentMayFollow() const {
    return IsFloatMode(GetMode()) && IsShownMantissa(entryText_, CurrentFormat().DecimalSeparator);
}

bool DecimalConversion::InputChar(char ch) {
    const char separator = CurrentFormat().DecimalSeparator;
    std::string candidate;
    if (ch == 'E') {
        if (!ExponentMayFollow())
            return false;
        candidate = entryText_ + ch;
    } else if (entryText_ == "0" && ch != separator) {
        candidate.assign(1, ch);
    } else if (entryText_.empty() && ch == separator) {
        candidate = std::string("0") + separator;
    } else if (ch == '-') {
        if (!entryText_.empty() && entryText_[0] == '-')
            candidate = entryText_.substr(1);
        else if (!IsSigned())
            return false;
        else
            candidate = "-" + entryText_;
    } else {
        candidate = entryText_ + ch;
    }
    if (!StoreCandidate(candidate))
        return false;
    entryText_ = candidate;
    textFromValue_ = false;
    return true;
}

bool DecimalConversion::StoreCandidate(const std::string& candidate) {
    if (IsFloatMode(GetMode())) {
        Real x = 0;
        // The exponent is no decimal: only the mantissa's places count.
        return ReadEntryReal(candidate, x) &&
               TryStoreReal(candidate.substr(0, candidate.find('E')), x);
    }
    std::int64_t n = 0;
    return ParseDecimalInteger(candidate, n) && TryStoreInteger(n);
}

// A real keeps as many decimals as the bar shows; a digit past them would
// have to be dropped, which is no range problem of the number.
InputRefusal DecimalConversion::RefusalOf(char ch) const {
    const auto separator = entryText_.find(CurrentFormat().DecimalSeparator);
    if (IsFloatMode(GetMode()) && IsDigit(ch) && separator != std::string::npos &&
        !HasSeparator(entryText_, 'E') && entryText_.size() - (separator + 1) >= MaxTypedDecimals)
        return InputRefusal::TooManyDigits;
    return Conversion::RefusalOf(ch);
}

bool DecimalConversion::IsIgnoredChar(char ch) const {
    return ch == CurrentFormat().ThousandSeparator;
}

bool DecimalConversion::CanBackspace() const {
    return !entryText_.empty() && entryText_ != "0";
}

bool DecimalConversion::Backspace() {
    if (!entryText_.empty())
        entryText_.pop_back();
    DropDanglingExponent(entryText_);
    NormalizeEntry(entryText_);
    textFromValue_ = false;
    SetHeldValue(ReadEntry(entryText_));
    return true;
}

void DecimalConversion::Clear() {
    Conversion::Clear();
    // Not `= "0"`: GCC 12 misreads that as an overlapping copy (-Wrestrict).
    entryText_.assign(1, '0');
    textFromValue_ = false;
}

} // namespace pexa
