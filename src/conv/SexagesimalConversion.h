#pragma once

#include "conv/Conversion.h"

#include <memory>
#include <string>

namespace pexa {

// The sexagesimal bar (kind 6, "DEG"). Shows the value in base 60 as
// ":"-separated fields (degrees or hours, minutes, seconds and further
// places), with a decimal fraction of the last field in Float mode, and keeps
// the text as typed. In the integer modes the decimal-point key and the
// minute and second marks ' and " type a field separator; in Float mode the
// decimal separator starts the fraction.
class SexagesimalConversion final : public Conversion {
public:
    SexagesimalConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new SexagesimalConversion(*this));
    }

    bool GetHmsStyle() const noexcept { return hmsStyle_; }
    // With the h:m:s style the text has three fields at most and the first
    // takes all the hours; the bar's "hms" button and its setting choose it.
    void SetHmsStyle(bool on);

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
    // Parses, range-checks and stores a candidate text; false when refused.
    bool StoreCandidate(const std::string& candidate);
    std::string FormatReal(Real x) const;
    bool HasDecimalSeparator() const;

    std::string entryText_;
    bool hmsStyle_ = false;
    // The text was written by UpdateText and not edited since: it reads as
    // the held value itself, which 18 significant digits may not hold exactly.
    bool textFromValue_ = false;
};

} // namespace pexa
