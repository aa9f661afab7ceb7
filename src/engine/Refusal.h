#pragma once

#include "conv/Conversion.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace pexa {

// Why the calculator did not take a paste or an operation. It changed
// nothing; the window makes the text the user reads from this.
enum class RefusalKind : std::uint8_t {
    NotOfNotation,    // a character, or the whole text, the active bar does not read
    TooLarge,         // above the largest number the bar's range holds
    TooSmall,         // below the smallest
    TooManyDigits,    // more fraction digits than the bar keeps
    TooLong,          // more characters than the value has room for
    NegativeUnsigned, // a negative number for a bar that reads the value unsigned
    Blank,            // nothing but blanks
    OnlySign,         // a sign without a number
    InvalidUtf8,      // bytes that are no UTF-8 text
    Blocked,          // the active bar shows an error, which already says why
    InvalidEntry,     // the entry being typed denotes no valid value yet
};

struct Refusal {
    RefusalKind Kind = RefusalKind::NotOfNotation;
    BarKind Bar = BarKind::Decimal;
    // TooLarge to TooLong: what the range is named after ("DWord", "Half"),
    // and whether the bar reads it signed.
    std::string RangeName;
    bool Signed = false;
    // The pasted text the refusal is about: the offered characters
    // [TextBegin, TextEnd), blanks around them left out; for NotOfNotation
    // and InvalidUtf8 the position of the character or byte at fault, when
    // one is.
    std::size_t TextBegin = 0;
    std::size_t TextEnd = 0;
    std::optional<std::size_t> Offending;
};

// One pasted character: its code, and the bytes the active bar reads it as
// (none for a character the bar cannot take in any form).
struct PastedCharacter {
    char32_t Code = 0;
    std::optional<std::string> Bytes;
};

// What a paste did: taken whole, or refused whole with the reason.
class PasteResult {
public:
    PasteResult() = default;
    PasteResult(Refusal refusal) : refusal_(std::move(refusal)) {}

    bool Accepted() const { return !refusal_; }
    explicit operator bool() const { return Accepted(); }
    const std::optional<Refusal>& Refused() const { return refusal_; }

private:
    std::optional<Refusal> refusal_;
};

} // namespace pexa
