#pragma once

#include "conv/Conversion.h"
#include "enc/EncChar.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pexa {

// The character bar (kind 4, "CHR"). It keeps no text: the bytes of the value,
// from the highest non-zero one within the mode's width down, are shown as
// characters of the chosen encoding, one column per byte ('_' pads the unused
// high bytes). Every typed character pushes its byte in from the right while
// the top byte of the width is still free; Backspace drops the lowest byte.
// With Reverse Endian in effect the bytes are shown and pushed in the
// opposite order.
//
// The Unicode encodings work on whole characters instead. UTF-8 and UTF-16
// push a character's code units in from the right, all of them or none, and
// Backspace drops the last character; the padding counts unused bytes (UTF-8)
// or unused 16-bit units (UTF-16, which needs Word mode and up). As a code
// point the value is one character: a character can be put only into an
// empty bar, and Backspace empties it; a value that is no Unicode scalar
// value is shown as invalid.
class CharacterConversion final : public Conversion {
public:
    CharacterConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new CharacterConversion(*this));
    }

    pexa::CharEncoding GetCharEncoding() const noexcept { return charEncoding_; }
    // The bar's encoding buttons and its stored setting choose the encoding.
    void SetEncoding(pexa::CharEncoding encoding);

    // True for the Unicode encodings: the window then offers every typed or
    // pasted character whole to InputCharacter, not as display code page
    // bytes to InputChar.
    bool TakesWholeCharacters() const override;
    // Puts a Unicode character into the value in the current encoding, whole
    // or not at all; false (and nothing changed) when it does not fit, when
    // it is no scalar value, or when the encoding is a byte encoding and the
    // character is not ASCII.
    bool InputCharacter(char32_t ch) override;
    bool CanInputCharacter(char32_t ch, bool newEntry) const override;
    // The bytes a character given as display code page (Shift JIS) bytes is
    // put in as by the byte encodings: itself in ASCII and Shift JIS, its
    // pair converted in EUC and JIS, so that a copied character pastes back
    // as the code it was shown for. None for a character the encoding has no
    // code for (half-width katakana in EUC and JIS).
    std::optional<std::string> BytesOfDisplayChar(std::string_view displayChar) const;

    ConvOptionSet GetCapabilities() const override;
    std::string GetText(bool grouped) const override;
    // The characters alone: the "_" columns of unused high bytes would paste
    // back as 0x5F bytes.
    std::string GetClipboardText(bool grouped) const override;
    TextCharset GetTextCharset() const override;
    // A character that does not go in has found the value full.
    InputRefusal RefusalOf(char) const override { return InputRefusal::TooLong; }
    bool KeepsPastedBlanks() const override { return true; }
    ConvTextState GetTextState() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    // A byte from the keyboard or the display code page. The Unicode
    // encodings take an ASCII byte as its character; UTF-8 also takes any
    // other byte as a raw byte, the other two refuse it.
    bool InputChar(char ch) override;
    bool Backspace() override;

private:
    // The pattern bits with the character put in; none when it does not go in.
    std::optional<std::uint64_t> WithCharacter(std::uint64_t bits, char32_t ch) const;
    // Pushes count bytes of code in from the right when the top count bytes
    // of the width are free.
    bool PushBytes(std::uint64_t code, int count);
    // The "_" columns for unused high bytes or units.
    int PaddingColumns() const;

    pexa::CharEncoding charEncoding_ = pexa::CharEncoding::Ascii;
};

} // namespace pexa
