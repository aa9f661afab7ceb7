#pragma once

#include "conv/CalcConv.h"
#include "enc/EncChar.h"

#include <string>

namespace pexa {

// The character bar (kind 4, "CHR"). It keeps no text: the bytes of the value,
// from the highest non-zero one within the mode's width down, are shown as
// characters of the chosen encoding, one column per byte ('_' pads the unused
// high bytes). Every typed character pushes its byte in from the right while
// the top byte of the width is still free; Backspace drops the lowest byte.
// With Reverse Endian in effect the bytes are shown and pushed in the
// opposite order.
class TConvChar final : public TCalcConv {
public:
    TConvChar();

    pexa::CharEncoding GetCharEncoding() const noexcept { return charEncoding_; }
    // The bar's encoding buttons and its stored setting choose the encoding.
    void SetEncoding(pexa::CharEncoding encoding);

    ConvOptionSet GetCapabilities() const override;
    std::string GetText(bool grouped) const override;
    // The characters alone: the "_" columns of unused high bytes would paste
    // back as 0x5F bytes.
    std::string GetClipboardText(bool grouped) const override;
    ConvTextState GetTextState() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    bool Backspace() override;

private:
    pexa::CharEncoding charEncoding_ = pexa::CharEncoding::Ascii;
};

} // namespace pexa
