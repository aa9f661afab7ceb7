#include "conv/CharacterConversion.h"

#include "core/DigitText.h"
#include "core/ModeWidth.h"
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

// The pattern with count bytes of code pushed in from the right; none when
// the top count bytes of the width are not free.
std::optional<std::uint64_t> Pushed(std::uint64_t bits, int widthBytes, std::uint64_t code,
                                    int count) {
    if (!TopBytesFree(bits, widthBytes, count))
        return std::nullopt; // no room for the whole character within the width
    const std::uint64_t shifted = count == 8 ? 0 : bits << (8 * count);
    return shifted | code;
}

} // namespace

CharacterConversion::CharacterConversion() : Conversion(BarKind::Char) {
    CharacterConversion::Clear();
}

void CharacterConversion::SetEncoding(pexa::CharEncoding encoding) {
    charEncoding_ = encoding;
    UpdateText();
}

bool CharacterConversion::TakesWholeCharacters() const {
    return IsUnicodeEncoding(charEncoding_);
}

ConvOptionSet CharacterConversion::GetCapabilities() const {
    return {ConvOption::ReverseEndian};
}

int CharacterConversion::PaddingColumns() const {
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

std::string CharacterConversion::GetText(bool) const {
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

std::string CharacterConversion::GetClipboardText(bool) const {
    return CharCodeText(charEncoding_, GetMode(), GetBits());
}

TextCharset CharacterConversion::GetTextCharset() const {
    return TakesWholeCharacters() ? TextCharset::Utf8 : TextCharset::ShiftJis;
}

ConvTextState CharacterConversion::GetTextState() const {
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

bool CharacterConversion::CanInputChar(char, bool, bool) const {
    // Every key types its own character here: digits, the decimal point and
    // the separator key included.
    return true;
}

bool CharacterConversion::PushBytes(std::uint64_t code, int count) {
    const std::optional<std::uint64_t> pushed =
        Pushed(static_cast<std::uint64_t>(GetBits()), ByteCountOf(GetMode()), code, count);
    if (!pushed)
        return false;
    StoreBits(static_cast<std::int64_t>(*pushed));
    return true;
}

std::optional<std::uint64_t> CharacterConversion::WithCharacter(std::uint64_t bits,
                                                                char32_t ch) const {
    if (!IsScalarValue(ch))
        return std::nullopt;
    const int widthBytes = ByteCountOf(GetMode());
    switch (charEncoding_) {
    case pexa::CharEncoding::Utf8: {
        const std::string bytes = EncodeUtf8(ch);
        std::uint64_t code = 0;
        for (const char b : bytes)
            code = (code << 8) | static_cast<unsigned char>(b);
        return Pushed(bits, widthBytes, code, static_cast<int>(bytes.size()));
    }
    case pexa::CharEncoding::Utf16: {
        std::uint32_t units = 0;
        const int count = EncodeUtf16(ch, units);
        if (widthBytes < 2)
            return std::nullopt;
        return Pushed(bits, widthBytes, units, 2 * count);
    }
    case pexa::CharEncoding::CodePoint: {
        // One character a value: a second one has no place to go.
        const int widthBits = BitCountOf(GetMode());
        if (bits != 0 || (widthBits < 32 && (ch >> widthBits) != 0))
            return std::nullopt;
        return std::uint64_t{ch};
    }
    default:
        if (ch >= 0x80)
            return std::nullopt;
        return Pushed(bits, widthBytes, ch, 1);
    }
}

bool CharacterConversion::InputCharacter(char32_t ch) {
    const std::optional<std::uint64_t> bits =
        WithCharacter(static_cast<std::uint64_t>(GetBits()), ch);
    if (!bits)
        return false;
    StoreBits(static_cast<std::int64_t>(*bits));
    return true;
}

bool CharacterConversion::CanInputCharacter(char32_t ch, bool newEntry) const {
    return TakesWholeCharacters() &&
           WithCharacter(newEntry ? 0 : static_cast<std::uint64_t>(GetBits()), ch).has_value();
}

std::optional<std::string>
CharacterConversion::BytesOfDisplayChar(std::string_view displayChar) const {
    const bool pairEncoding =
        charEncoding_ == pexa::CharEncoding::Euc || charEncoding_ == pexa::CharEncoding::Jis;
    if (!pairEncoding)
        return std::string(displayChar);
    // Neither reads half-width katakana: its byte would only show as "_".
    if (displayChar.size() == 1 && IsHalfWidthKana(static_cast<std::uint8_t>(displayChar[0])))
        return std::nullopt;
    if (displayChar.size() != 2)
        return std::string(displayChar);
    auto lead = static_cast<std::uint8_t>(displayChar[0]);
    auto trail = static_cast<std::uint8_t>(displayChar[1]);
    const bool converted =
        charEncoding_ == pexa::CharEncoding::Euc ? SjisToEuc(lead, trail) : SjisToJis(lead, trail);
    if (!converted)
        return std::nullopt;
    return std::string{static_cast<char>(lead), static_cast<char>(trail)};
}

bool CharacterConversion::InputChar(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (!TakesWholeCharacters())
        return PushBytes(byte, 1);
    if (byte < 0x80)
        return InputCharacter(byte);
    return charEncoding_ == pexa::CharEncoding::Utf8 && PushBytes(byte, 1);
}

bool CharacterConversion::Backspace() {
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
