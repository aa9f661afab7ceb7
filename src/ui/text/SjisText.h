#pragma once

#include "conv/Conversion.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace pexa {

// The program's texts are byte strings in the Shift JIS display code page
// (Windows code page 932, as glibc's iconv names it). These helpers move them
// across to Qt's Unicode strings and back.

// Decodes CP932 bytes. A byte or byte pair that has no Unicode character (a
// lone lead byte, an unassigned pair, a stray trail byte) is shown as one "_",
// so every input gives a text and nothing that can be shown is lost.
QString SjisToUnicode(std::string_view bytes);

// Decodes a conversion's text in the character set it names (GetTextCharset):
// CP932 as SjisToUnicode, or UTF-8.
QString ConvTextToUnicode(std::string_view bytes, TextCharset charset);

// The text with each bidirectional formatting character (the marks U+200E,
// U+200F and U+061C, the embeddings and overrides U+202A to U+202E, the
// isolates U+2066 to U+2069) shown as "_". A bar shows characters, one
// after the other; these would reorder their neighbours while drawing as
// nothing themselves.
QString WithBidiControlsShown(QString text);

// Encodes one Unicode character as its CP932 bytes (one or two); nothing when
// the code page has no such character.
std::optional<std::string> UnicodeToSjis(char32_t ch);

} // namespace pexa
