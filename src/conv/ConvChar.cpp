#include "conv/ConvChar.h"

#include "core/CalcConvCommonDef.h"

#include <cstdint>

namespace pexa {

namespace {

constexpr char PadChar = '_';

} // namespace

TConvChar::TConvChar() : TCalcConv(BarKind::Char) {
    TConvChar::Clear();
}

void TConvChar::SetEncoding(pexa::CharEncoding encoding) {
    charEncoding_ = encoding;
    UpdateText();
}

ConvOptionSet TConvChar::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

std::string TConvChar::GetText(bool) const {
    std::string text = CharCodeText(charEncoding_, GetMode(), GetBits());
    // One column per byte of the width; a real's integer part has no fixed width.
    if (!IsFloatMode(GetMode()))
        PadText(text, PadChar, ByteCountOf(GetMode()), true);
    if (text.empty())
        text.assign(1, PadChar);
    return text;
}

std::string TConvChar::GetClipboardText(bool) const {
    return CharCodeText(charEncoding_, GetMode(), GetBits());
}

ConvTextState TConvChar::GetTextState() const {
    // A JIS character always takes two bytes, which a Byte value cannot hold.
    if (charEncoding_ == pexa::CharEncoding::Jis && ByteCountOf(GetMode()) < 2)
        return ConvTextState::NotApplicable;
    return ConvTextState::Normal;
}

bool TConvChar::CanInputChar(char, bool, bool) const {
    // Every key types its own character here: digits, the decimal point and
    // the separator key included.
    return true;
}

bool TConvChar::InputChar(char ch) {
    const auto bits = static_cast<std::uint64_t>(GetBits());
    const int topShift = 8 * (ByteCountOf(GetMode()) - 1);
    if (((bits >> topShift) & 0xFFu) != 0)
        return false; // no free byte left within the width
    const auto code = static_cast<std::uint64_t>(static_cast<unsigned char>(ch));
    StoreBits(static_cast<std::int64_t>((bits << 8) | code));
    return true;
}

bool TConvChar::Backspace() {
    const auto bits = static_cast<std::uint64_t>(GetBits());
    StoreBits(static_cast<std::int64_t>(bits >> 8));
    return true;
}

} // namespace pexa
