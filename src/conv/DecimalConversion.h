#pragma once

#include "conv/Conversion.h"

#include <memory>
#include <string>

namespace pexa {

// The decimal bar (kind 0, "DEC"). Keeps an entry text: in Float mode the
// real with up to 18 decimals, otherwise the signed decimal integer of the
// bits as Signed and Reverse Endian read them. Grouping inserts the locale
// thousands separator; pasting skips it.
class DecimalConversion : public Conversion {
public:
    DecimalConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new DecimalConversion(*this));
    }

    ConvOptionSet GetCapabilities() const override;
    CalcValue GetValue() override;
    void UpdateText() override;
    std::string GetText(bool grouped) const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    InputRefusal RefusalOf(char ch) const override;
    bool IsIgnoredChar(char ch) const override;
    bool CanBackspace() const override;
    bool Backspace() override;
    void Clear() override;

private:
    // The value the text denotes in the current mode; 0 when it does not read.
    CalcValue ReadEntry(const std::string& text) const;
    bool StoreCandidate(const std::string& candidate);
    // The entry is the mantissa of the bar's scientific form, so that a
    // pasted "E" may follow it.
    bool ExponentMayFollow() const;

    std::string entryText_;
    // The text was written by UpdateText and not edited since: it reads as
    // the held value itself, which 18 significant digits may not hold exactly.
    bool textFromValue_ = false;
};

} // namespace pexa
