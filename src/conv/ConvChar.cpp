#include "conv/ConvChar.h"

#include "core/CalcConvCommonDef.h"
#include "enc/EncUnicode.h"

#include <cstdint>

namespace pexa {

namespace {

constexpr char PadChar = '_';

// Whether the highest count bytes of a width of widthBytes are all zero.
bool TopBytesFree(std::uint64_t bits, int widthBytes, int count) {
    if (count > widthBytes)
        return false;
    if (count == 8)
        return bits == 0;
    return (bits >> (8 * (widthBytes - count))) == 0;
}

} // namespace

TConvChar::TConvChar() : TCalcConv(BarKind::Char) {
    TConvChar::Clear();
}

void TConvChar::SetEncoding(pexa::CharEncoding encoding) {
    charEncoding_ = encoding;
    UpdateText();
}

bool TConvChar::TakesWholeCharacters() const {
    return IsUnicodeEncoding(charEncoding_);
}

ConvOptionSet TConvChar::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

int TConvChar::PaddingColumns() const {
    const int width = ByteCountOf(GetMode());
    const int used = UsedByteCount(GetMode(), GetBits());
    switch (charEncoding_) {
    case pexa::CharEncoding::Utf8:
        return width - used;
    case pexa::CharEncoding::Utf16:
        return width / 2 > (used + 1) / 2 ? width / 2 - (used + 1) / 2 : 0;
    case pexa::CharEncoding::CodePoint:
        return 0;
    default:
        return -1; // the byte encodings pad to one column per byte
    }
}

std::string TConvChar::GetText(bool) const {
    std::string text = CharCodeText(charEncoding_, GetMode(), GetBits());
    // One column per byte of the width; a real's integer part has no fixed width.
    if (!IsFloatMode(GetMode())) {
        const int padding = PaddingColumns();
        if (padding < 0)
            PadText(text, PadChar, ByteCountOf(GetMode()), true);
        else
            text.insert(0, static_cast<std::size_t>(padding), PadChar);
    }
    if (text.empty())
        text.assign(1, PadChar);
    return text;
}

std::string TConvChar::GetClipboardText(bool) const {
    return CharCodeText(charEncoding_, GetMode(), GetBits());
}

TextCharset TConvChar::GetTextCharset() const {
    return TakesWholeCharacters() ? TextCharset::Utf8 : TextCharset::ShiftJis;
}

ConvTextState TConvChar::GetTextState() const {
    // A JIS character and a UTF-16 unit always take two bytes, which a Byte
    // value cannot hold.
    const bool twoByteUnits =
        charEncoding_ == pexa::CharEncoding::Jis || charEncoding_ == pexa::CharEncoding::Utf16;
    if (twoByteUnits && ByteCountOf(GetMode()) < 2)
        return ConvTextState::NotApplicable;
    if (charEncoding_ == pexa::CharEncoding::CodePoint &&
        !IsScalarValue(static_cast<std::uint64_t>(GetBits())))
        return ConvTextState::Invalid;
    return ConvTextState::Normal;
}

bool TConvChar::CanInputChar(char, bool, bool) const {
    // Every key types its own character here: digits, the decimal point and
    // the separator key included.
    return true;
}

bool TConvChar::PushBytes(std::uint64_t code, int count) {
    const auto bits = static_cast<std::uint64_t>(GetBits());
    if (!TopBytesFree(bits, ByteCountOf(GetMode()), count))
        return false; // no room for the whole character within the width
    const std::uint64_t shifted = count == 8 ? 0 : bits << (8 * count);
    StoreBits(static_cast<std::int64_t>(shifted | code));
    return true;
}

bool TConvChar::InputCharacter(char32_t ch) {
    if (!IsScalarValue(ch))
        return false;
    switch (charEncoding_) {
    case pexa::CharEncoding::Utf8: {
        const std::string bytes = EncodeUtf8(ch);
        std::uint64_t code = 0;
        for (const char b : bytes)
            code = (code << 8) | static_cast<unsigned char>(b);
        return PushBytes(code, static_cast<int>(bytes.size()));
    }
    case pexa::CharEncoding::Utf16: {
        std::uint32_t units = 0;
        const int count = EncodeUtf16(ch, units);
        if (ByteCountOf(GetMode()) < 2)
            return false;
        return PushBytes(units, 2 * count);
    }
    case pexa::CharEncoding::CodePoint: {
        // One character a value: a second one has no place to go.
        const int widthBits = BitCountOf(GetMode());
        if (GetBits() != 0 || (widthBits < 32 && (ch >> widthBits) != 0))
            return false;
        StoreBits(static_cast<std::int64_t>(ch));
        return true;
    }
    default:
        return ch < 0x80 && PushBytes(ch, 1);
    }
}

bool TConvChar::InputChar(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (!TakesWholeCharacters())
        return PushBytes(byte, 1);
    if (byte < 0x80)
        return InputCharacter(byte);
    return charEncoding_ == pexa::CharEncoding::Utf8 && PushBytes(byte, 1);
}

bool TConvChar::Backspace() {
    const auto bits = static_cast<std::uint64_t>(GetBits());
    int dropBytes = 1;
    switch (charEncoding_) {
    case pexa::CharEncoding::Utf8:
        dropBytes = static_cast<int>(LastUtf8CharLength(GetMode(), GetBits()));
        break;
    case pexa::CharEncoding::Utf16:
        dropBytes = 2 * static_cast<int>(LastUtf16CharLength(GetMode(), GetBits()));
        break;
    case pexa::CharEncoding::CodePoint:
        dropBytes = 8;
        break;
    default:
        break;
    }
    StoreBits(dropBytes >= 8 ? 0 : static_cast<std::int64_t>(bits >> (8 * dropBytes)));
    return true;
}

} // namespace pexa
