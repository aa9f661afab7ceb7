// Feeds arbitrary bytes to the Unicode readings of the character codec: every
// pattern as UTF-8, UTF-16 and a code point in every mode, and the bytes
// themselves to the decoders. A text must be well-formed UTF-8 with no more
// characters than the reading has elements, and every character the encoders
// make must decode back to itself.
#include "FuzzInput.h"

#include "core/ModeWidth.h"
#include "enc/EncChar.h"
#include "enc/EncUnicode.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using pexa::CalcValueMode;
using pexa::CharEncoding;
using pexa::fuzz::Require;

// The number of characters of a well-formed UTF-8 text.
std::size_t CountChars(const std::string& text) {
    std::size_t count = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    for (std::size_t i = 0; i < text.size(); ++count) {
        const pexa::DecodedChar ch = pexa::DecodeUtf8(bytes + i, text.size() - i);
        Require(ch.Valid);
        i += ch.Length;
    }
    return count;
}

void CheckPattern(std::uint64_t pattern, CalcValueMode mode) {
    const auto bits = static_cast<std::int64_t>(pattern);
    const int used = pexa::UsedByteCount(mode, bits);
    Require(used >= 0 && used <= pexa::ByteCountOf(mode));
    const std::size_t utf8 = CountChars(pexa::CharCodeText(CharEncoding::Utf8, mode, bits));
    Require(utf8 <= static_cast<std::size_t>(used));
    const std::size_t utf16 = CountChars(pexa::CharCodeText(CharEncoding::Utf16, mode, bits));
    Require(utf16 <= static_cast<std::size_t>((used + 1) / 2));
    const std::size_t point = CountChars(pexa::CharCodeText(CharEncoding::CodePoint, mode, bits));
    Require(point <= 1);
    Require(pexa::LastUtf8CharLength(mode, bits) <= static_cast<std::size_t>(used));
}

void CheckCharacter(char32_t ch) {
    const std::string utf8 = pexa::EncodeUtf8(ch);
    Require(utf8.empty() == !pexa::IsScalarValue(ch));
    if (utf8.empty())
        return;
    const pexa::DecodedChar back =
        pexa::DecodeUtf8(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size());
    Require(back.Valid && back.CodePoint == ch && back.Length == utf8.size());
    std::uint32_t units = 0;
    const int count = pexa::EncodeUtf16(ch, units);
    const std::uint16_t pair[2] = {static_cast<std::uint16_t>(count == 2 ? units >> 16 : units),
                                   static_cast<std::uint16_t>(units)};
    const pexa::DecodedChar back16 = pexa::DecodeUtf16(pair, static_cast<std::size_t>(count));
    Require(back16.Valid && back16.CodePoint == ch &&
            back16.Length == static_cast<std::size_t>(count));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const pexa::DecodedChar ch = pexa::DecodeUtf8(data + i, size - i);
        Require(ch.Length >= 1 && ch.Length <= 4 && ch.Length <= size - i);
        if (ch.Valid)
            CheckCharacter(ch.CodePoint);
    }
    std::size_t offset = 0;
    do {
        std::uint64_t pattern = 0;
        const std::size_t count = std::min<std::size_t>(8, size - std::min(size, offset));
        if (count > 0)
            std::memcpy(&pattern, data + offset, count);
        for (int mode = 0; mode < pexa::CalcValueModeCount; ++mode)
            CheckPattern(pattern, static_cast<CalcValueMode>(mode));
        CheckCharacter(static_cast<char32_t>(pattern & 0x1FFFFF));
        offset += 8;
    } while (offset < size);
    return 0;
}
