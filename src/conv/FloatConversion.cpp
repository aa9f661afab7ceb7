#include "conv/FloatConversion.h"

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

// A letter of the words shown for the patterns that are no number ("Inf",
// "QNaN", ...); "E" and "e" are the exponent mark instead.
bool IsWordLetter(char c) {
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && !IsExponentMark(c);
}

// The text a word letter makes of an entry: the lone zero of a new entry,
// and the zero a pasted "-" was put on ("-Inf"), give way to the word.
std::string WordCandidate(const std::string& entry, char ch) {
    if (entry.empty() || entry == "0")
        return std::string(1, ch);
    if (entry == "-0")
        return std::string("-") + ch;
    return entry + ch;
}

} // namespace

FloatConversion::FloatConversion() : Conversion(BarKind::Float) {
    FloatConversion::Clear();
}

FloatFormat FloatConversion::GetFloatFormat() const {
    return FloatFormatForMode(GetMode(), wordFormat_, byteFormat_);
}

void FloatConversion::SetWordFormat(FloatFormat format) {
    if (format != FloatFormat::Half && format != FloatFormat::BFloat16)
        return;
    wordFormat_ = format;
    UpdateText();
}

void FloatConversion::SetByteFormat(FloatFormat format) {
    if (format != FloatFormat::E4M3 && format != FloatFormat::E5M2)
        return;
    byteFormat_ = format;
    UpdateText();
}

std::int64_t FloatConversion::GetPattern() const {
    if (entryText_.empty())
        return GetBits();
    std::int64_t bits = 0;
    return TextToBits(entryText_, bits) ? bits : 0;
}

ConvOptionSet FloatConversion::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

// SetValue, SetMode and SetOption end here. A typed text is read in the
// format and byte order in force when it was typed; after a mode or
// byte-order change the held pattern means another number, so the text gives
// way to the pattern's rendering rather than show a number other than the one
// the bar hands out.
void FloatConversion::UpdateText() {
    entryText_.clear();
}

bool FloatConversion::TextToBits(const std::string& text, std::int64_t& bits) const {
    if (NamedFloatBits(text, GetFloatFormat(), bits))
        return true;
    try {
        bits = FloatTextToBits(text, GetFloatFormat());
    } catch (const ConvertError&) {
        return false;
    } catch (const CalcError&) {
        return false; // beyond the format's range
    }
    return true;
}

CalcValue FloatConversion::GetValue() {
    if (entryText_.empty())
        return Conversion::GetValue();
    std::int64_t bits = 0;
    if (!TextToBits(entryText_, bits))
        bits = 0;
    CalcValue result = HeldValue();
    StoreBits(bits, result);
    return result;
}

std::string FloatConversion::GetText(bool) const {
    if (!entryText_.empty())
        return entryText_;
    return FormatFloatBits(GetFloatFormat(), GetBits());
}

ConvTextState FloatConversion::GetTextState() const {
    if (!IsFloatFormatUsable(GetFloatFormat(), GetMode()))
        return ConvTextState::NotApplicable;
    if (IsUnfinishedWord())
        return ConvTextState::Invalid;
    return ConvTextState::Normal;
}

bool FloatConversion::IsUnfinishedWord() const {
    std::int64_t bits = 0;
    return IsNamedFloatPrefix(entryText_, GetFloatFormat()) &&
           !NamedFloatBits(entryText_, GetFloatFormat(), bits);
}

// The words for infinities and NaNs come only from the clipboard, where a
// copied "Inf" or "QNaN" has to go back in; the keyboard has no use for them.
bool FloatConversion::CanInputChar(char ch, bool newEntry, bool pasting) const {
    if (IsWordLetter(ch)) {
        return pasting &&
               IsNamedFloatPrefix(WordCandidate(newEntry ? "" : entryText_, ch), GetFloatFormat());
    }
    if (ch == CurrentFormat().DecimalSeparator) {
        return newEntry ||
               (entryText_.find(ch) == std::string::npos && !HasExponentMark(entryText_));
    }
    if (IsExponentMark(ch))
        return newEntry || !HasExponentMark(entryText_);
    return ch == '-' || IsDigit(ch);
}

std::string FloatConversion::BuildCandidate(char ch) const {
    const char separator = CurrentFormat().DecimalSeparator;
    // The exponent mark is taken in either case, so "e" typed first gives "0e"
    // as "E" gives "0E".
    const bool startsPart = IsExponentMark(ch) || ch == separator;
    if (IsWordLetter(ch))
        return WordCandidate(entryText_, ch);
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

bool FloatConversion::InputChar(char ch) {
    // A key that cannot apply to the text as it stands is refused here too,
    // whatever the caller asked before. Only the caller knows whether the
    // character was pasted; the keyboard's letters stop at its CanInputChar.
    if (!CanInputChar(ch, false, true))
        return false;
    std::string candidate = BuildCandidate(ch);
    std::int64_t bits = 0;
    if (IsNamedFloatPrefix(candidate, GetFloatFormat())) {
        // The start of a word denotes nothing yet: it reads as 0 until the
        // word is whole, and the bar shows it as invalid meanwhile.
        if (!NamedFloatBits(candidate, GetFloatFormat(), bits))
            bits = 0;
        StoreBits(bits);
        entryText_ = std::move(candidate);
        return true;
    }
    if (!TextToBits(candidate, bits))
        return false;
    if (!NormalizeFloatText(candidate))
        return false;
    StoreBits(bits);
    entryText_ = std::move(candidate);
    return true;
}

InputRefusal FloatConversion::RefusalOf(char ch) const {
    if (!CanInputChar(ch, false, true))
        return InputRefusal::NotOfNotation;
    std::string candidate = BuildCandidate(ch);
    if (IsNamedFloatPrefix(candidate, GetFloatFormat()))
        return InputRefusal::NotOfNotation;
    try {
        FloatTextToBits(candidate, GetFloatFormat());
    } catch (const ConvertError&) {
        return InputRefusal::NotOfNotation;
    } catch (const CalcError&) {
        return InputRefusal::OutOfRange;
    }
    return NormalizeFloatText(candidate) ? InputRefusal::NotOfNotation
                                         : InputRefusal::TooManyDigits;
}

std::string FloatConversion::RangeName() const {
    return FloatFormatName(GetFloatFormat());
}

bool FloatConversion::CanToggleSign() const {
    return true;
}

bool FloatConversion::CanBackspace() const {
    return !entryText_.empty() && entryText_ != "0";
}

bool FloatConversion::Backspace() {
    if (entryText_.empty())
        return false; // the rendered pattern is no typed text to shorten
    // A word stands for its pattern as a whole: the key takes all of it.
    if (IsNamedFloatPrefix(entryText_, GetFloatFormat()))
        entryText_.clear();
    else
        entryText_.pop_back();
    NormalizeEntry(entryText_);
    std::int64_t bits = 0;
    if (!TextToBits(entryText_, bits))
        bits = 0;
    StoreBits(bits);
    return true;
}

void FloatConversion::Clear() {
    Conversion::Clear();
    entryText_ = "0";
}

} // namespace pexa
