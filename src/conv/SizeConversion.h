#pragma once

#include "conv/Conversion.h"

#include <memory>
#include <string>

namespace pexa {

// The size bar (kind 9, "KILO"). Shows the value as a sum of 1024-based units
// (1K+512, 2G+3M), in Float mode with the decimal fraction of the real after
// it, and keeps the text as typed. The separator key closes a group of digits
// and raises the units already typed (1, ":", 512 gives 1K+512); in the
// integer modes the decimal-point key does the same.
class SizeConversion final : public Conversion {
public:
    SizeConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new SizeConversion(*this));
    }

    ConvOptionSet GetCapabilities() const override;
    CalcValue GetValue() override;
    void UpdateText() override;
    std::string GetText(bool grouped) const override;
    std::string GetSeparatorCaption() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    bool IsIgnoredChar(char ch) const override;
    bool CanBackspace() const override;
    bool Backspace() override;
    void Clear() override;

private:
    // The value the text denotes in the current mode; 0 when it does not read.
    CalcValue ReadEntry(const std::string& text) const;
    bool StoreCandidate(const std::string& candidate);
    bool HasDecimalSeparator() const;
    // The text of a Float-mode value: units for the integer part, then the
    // decimal fraction.
    std::string FormatReal(Real x) const;

    std::string entryText_;
    // The text was written by UpdateText and not edited since: it reads as
    // the held value itself, which 18 significant digits may not hold exactly.
    bool textFromValue_ = false;
};

} // namespace pexa
