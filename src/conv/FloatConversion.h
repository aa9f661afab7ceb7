#pragma once

#include "conv/Conversion.h"
#include "enc/EncFloat.h"

#include <memory>
#include <string>

namespace pexa {

// The float bar (kind 7, "FLT"). Reads the value's bit pattern as a binary
// floating-point number (Double in QWord mode, Single in DWord and Float
// mode, the chosen 16-bit format in Word mode and the chosen 8-bit format in
// Byte mode) and shows the real it
// encodes; a typed decimal real becomes the pattern of that real, rounded to
// the format. A pasted "Inf", "-Inf", "QNaN", "SNaN" or "NaN" (the words the
// bar shows for the patterns that are no number) becomes the pattern of
// that word (see NamedFloatBits). The typed text is kept as typed; once the value is set from
// outside, or the mode or byte order changes, the text is dropped and the
// pattern is rendered again. With Reverse Endian in effect the pattern is
// read and stored with its bytes reversed. In Float mode no format fits and
// the text is grey.
class FloatConversion final : public Conversion {
public:
    FloatConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new FloatConversion(*this));
    }

    // The format the bar reads the pattern in; the bar's precision indicator
    // shows its name.
    FloatFormat GetFloatFormat() const;

    // The format Word mode reads: Half (at creation) or BFloat16.
    FloatFormat GetWordFormat() const noexcept { return wordFormat_; }
    // The format Byte mode reads: E4M3 (at creation) or E5M2.
    FloatFormat GetByteFormat() const noexcept { return byteFormat_; }
    // The bar's option buttons and stored settings choose them. Any other
    // format is ignored. A typed text gives way to the rendered pattern when
    // the format in force changes.
    void SetWordFormat(FloatFormat format);
    void SetByteFormat(FloatFormat format);

    // The pattern the bar denotes in its format, byte order undone: the held
    // one, or what the entry text reads as (0 when it is unreadable), as
    // GetValue gives it.
    std::int64_t GetPattern() const;

    ConvOptionSet GetCapabilities() const override;
    CalcValue GetValue() override;
    void UpdateText() override;
    std::string GetText(bool grouped) const override;
    ConvTextState GetTextState() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    InputRefusal RefusalOf(char ch) const override;
    // The format's name: its range is what a number must fit.
    std::string RangeName() const override;
    bool CanToggleSign() const override;
    bool CanBackspace() const override;
    bool Backspace() override;
    void Clear() override;

private:
    // The pattern of a text in the current format; false when it is no real
    // number or the format cannot hold it.
    bool TextToBits(const std::string& text, std::int64_t& bits) const;
    // Whether the entry is the start of a pasted word ("In" of "Inf") that
    // does not yet stand for a pattern.
    bool IsUnfinishedWord() const;
    // The candidate text for a typed character, before it is checked.
    std::string BuildCandidate(char ch) const;

    // Empty while the bar renders the held pattern.
    std::string entryText_;
    FloatFormat wordFormat_ = FloatFormat::Half;
    FloatFormat byteFormat_ = FloatFormat::E4M3;
};

} // namespace pexa
