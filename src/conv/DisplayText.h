#pragma once

#include "conv/Conversion.h"

#include <optional>
#include <string>
#include <string_view>

namespace pexa {

// The conversions' texts are bytes of the display code page (Shift JIS as
// Windows code page 932, "CP932" to glibc's iconv) or UTF-8; a terminal
// (and Qt) read UTF-8. These turn one into the other the way the bars show them,
// for the window and the command line alike.

// The bidirectional formatting characters (the marks U+200E, U+200F and
// U+061C, the embeddings and overrides U+202A to U+202E, the isolates U+2066 to
// U+2069): a bar shows characters one after the other, and these would reorder
// their neighbours while drawing as nothing themselves.
// Inline: the bars test every character of every new text.
constexpr bool IsBidiControl(char32_t ch) {
    return ch == 0x200E || ch == 0x200F || ch == 0x061C || (ch >= 0x202A && ch <= 0x202E) ||
           (ch >= 0x2066 && ch <= 0x2069);
}

// Decodes CP932 bytes into UTF-8. A byte or byte pair with no Unicode
// character (a lone lead byte, an unassigned pair, a stray trail byte) becomes
// one "_", so every input gives a text.
std::string SjisToUtf8(std::string_view bytes);

// A conversion's text in the character set it names, as UTF-8 a terminal can
// show: CP932 decoded as above, UTF-8 checked (a byte that begins no
// well-formed sequence becomes "_"), and each bidirectional formatting
// character shown as "_" as the bars do, so that it cannot reorder the
// characters around it.
std::string ConvTextToUtf8(std::string_view bytes, TextCharset charset);

// The CP932 bytes (one or two) of a Unicode character; nothing when the code
// page has no such character.
std::optional<std::string> Utf32ToSjis(char32_t ch);

// The CP932 bytes of a whole UTF-8 text; nothing when any of its characters
// has no CP932 form.
std::optional<std::string> Utf8ToSjis(std::string_view utf8);

} // namespace pexa
