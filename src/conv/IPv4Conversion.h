#pragma once

#include "conv/Conversion.h"

#include <memory>
#include <string>

namespace pexa {

// The IP bar (kind 5, "IP"). Shows the low bytes of the value as dotted
// decimal octets (one in Byte, two in Word, four otherwise) and keeps the
// dotted text as typed; a partial text shifts its octets in from the right.
// ":" and the decimal separator type a dot. With Reverse Endian in effect the
// octets are read and stored in the opposite byte order.
class IPv4Conversion final : public Conversion {
public:
    IPv4Conversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new IPv4Conversion(*this));
    }

    ConvOptionSet GetCapabilities() const override;
    CalcValue GetValue() override;
    void UpdateText() override;
    std::string GetText(bool grouped) const override;
    ConvTextState GetTextState() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    bool CanBackspace() const override;
    bool Backspace() override;
    void Clear() override;

private:
    // The value the dotted text denotes in the current mode.
    CalcValue ReadEntry(const std::string& text) const;

    std::string entryText_;
    // The text was written by UpdateText and not edited since. It then shows
    // only the low octets of the held value, which also keeps the bits above
    // them (and a real's fraction); the value is handed out unchanged.
    bool textFromValue_ = false;
};

} // namespace pexa
