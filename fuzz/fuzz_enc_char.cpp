// Feeds arbitrary bytes to the character-code codec: every 64-bit pattern in every encoding and
// mode, and every byte pair to the pair converters. Any crash, sanitizer report or broken
// invariant is a finding.
#include "FuzzInput.h"

#include "core/ModeWidth.h"
#include "enc/EncChar.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using pexa::CalcValueMode;
using pexa::CharEncoding;
using pexa::fuzz::Require;

bool IsPrintable(std::uint8_t b) {
    return b >= 0x20 && b <= 0x7E;
}

// Every byte of a character text is printable ASCII, a half-width kana, or half of a Shift JIS
// pair; it never holds more columns than the mode has bytes.
void CheckText(const std::string& text, CalcValueMode mode) {
    Require(text.size() <= static_cast<std::size_t>(pexa::ByteCountOf(mode)));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        if (IsPrintable(b) || pexa::IsHalfWidthKana(b)) {
            continue;
        }
        Require(i + 1 < text.size());
        Require(pexa::IsSjisPair(b, static_cast<std::uint8_t>(text[i + 1])));
        ++i;
    }
}

void CheckPair(std::uint8_t a, std::uint8_t b) {
    std::uint8_t lead = a;
    std::uint8_t trail = b;
    if (pexa::JisToSjis(lead, trail)) {
        Require(pexa::IsSjisPair(lead, trail));
    } else {
        Require(lead == a && trail == b);
    }
    lead = a;
    trail = b;
    if (pexa::EucToSjis(lead, trail)) {
        Require(pexa::IsSjisPair(lead, trail));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 1 < size; ++i) {
        CheckPair(data[i], data[i + 1]);
    }
    // Each step takes a selector byte and up to eight pattern bytes.
    std::size_t offset = 0;
    do {
        const std::uint8_t selector = offset < size ? data[offset] : 0;
        std::uint64_t pattern = 0;
        const std::size_t count =
            offset + 1 < size ? std::min<std::size_t>(8, size - offset - 1) : 0;
        if (count > 0) {
            std::memcpy(&pattern, data + offset + 1, count);
        }
        const auto mode = static_cast<CalcValueMode>(selector % pexa::CalcValueModeCount);
        auto encoding = static_cast<CharEncoding>(selector / pexa::CalcValueModeCount);
        if (pexa::IsUnicodeEncoding(encoding))
            encoding = CharEncoding::Ascii; // fuzz_enc_unicode checks their UTF-8 texts
        const std::string text =
            pexa::CharCodeText(encoding, mode, static_cast<std::int64_t>(pattern));
        CheckText(text, mode);
        Require((pattern == 0) <= text.empty());
        (void)pexa::CharEncodingName(encoding);
        offset += 1 + count;
    } while (offset < size);
    return 0;
}
