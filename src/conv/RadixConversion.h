#pragma once

#include "conv/Conversion.h"

#include <memory>
#include <string>
#include <string_view>

namespace pexa {

// The parameters that tell the hexadecimal, octal and binary bars apart.
struct RadixParams {
    BarKind Kind;
    int DigitBits;                 // bits per digit: 4, 3 or 1
    int GroupSize;                 // digits per group in Byte/Word/DWord; 0: no grouping
    int WideGroupSize;             // digits per group in QWord and Float
    std::string_view IgnoredChars; // skipped when pasting (prefixes, suffixes, blanks)
};

// A bar that shows the value as a bit pattern in base 2^DigitBits and builds
// it digit by digit. It keeps no text: every digit shifts the held value left
// within the mode's width, Backspace shifts it right, and the text is
// rendered from the value each time. Signed and Reverse Endian do not apply.
class RadixConversion : public Conversion {
public:
    ConvOptionSet GetCapabilities() const override;
    std::string GetText(bool grouped) const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    bool IsIgnoredChar(char ch) const override;
    bool Backspace() override;

protected:
    explicit RadixConversion(const RadixParams& params);

private:
    // The digit's value, or -1 when the character is no digit of this base.
    int DigitValue(char ch) const;
    int ShownDigits() const;
    int CurrentGroupSize() const;

    RadixParams params_;
};

// Kind 1, "HEX": 4-bit digits 0-9 and A-F (either case), grouped in fours.
class HexConversion final : public RadixConversion {
public:
    HexConversion();
    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new HexConversion(*this));
    }
};

// Kind 2, "OCT": 3-bit digits 0-7, never grouped.
class OctalConversion final : public RadixConversion {
public:
    OctalConversion();
    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new OctalConversion(*this));
    }
};

// Kind 3, "BIN": digits 0 and 1, grouped in fours (eights in QWord and Float).
class BinaryConversion final : public RadixConversion {
public:
    BinaryConversion();
    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new BinaryConversion(*this));
    }
};

} // namespace pexa
