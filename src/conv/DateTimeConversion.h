#pragma once

#include "conv/Conversion.h"
#include "enc/EncTime.h"

#include <memory>
#include <string>

namespace pexa {

// What the date/time bar shows for a value that has no date/time form. The
// conversion also compares its entry text against it: while it is shown the
// bar hands out the held value and the next typed character replaces it.
inline constexpr char InvalidDateTimeText[] = "(Invalid)";

// The date/time bar (kind 8, "TIME"). Reads the value as whole seconds since
// 1970 (time_t) or as days since 1899-12-30 with the time of day as fraction
// (OLE date), and in difference mode as a span of days and time. Keeps the
// text as typed: an entry that reads but names no complete date, or a number
// the mode cannot hold (as every date does on its way in a narrow mode),
// stays in the bar, shown red, and hands out the value it evaluates to.
class DateTimeConversion final : public Conversion {
public:
    DateTimeConversion();

    std::unique_ptr<Conversion> Clone() const override {
        return std::unique_ptr<Conversion>(new DateTimeConversion(*this));
    }

    TimeEncoding GetTimeEncoding() const noexcept { return timeEncoding_; }
    // The bar's "t"/"O" buttons and its setting choose the encoding; the text
    // is rewritten from the held value.
    void SetEncoding(TimeEncoding encoding);
    bool GetTimeDiffMode() const noexcept { return timeDiffMode_; }
    // The bar's "Diff" button and its setting: the text is a span of time
    // instead of a moment.
    void SetDiffMode(bool on);

    ConvOptionSet GetCapabilities() const override;
    CalcValue GetValue() override;
    void UpdateText() override;
    std::string GetText(bool grouped) const override;
    ConvTextState GetTextState() const override;
    std::string GetSeparatorCaption() const override;
    bool TakesPastedSignFirst() const override;
    bool CanInputChar(char ch, bool newEntry, bool pasting) const override;
    bool InputChar(char ch) override;
    bool IsIgnoredChar(char ch) const override;
    bool CanBackspace() const override;
    bool Backspace() override;
    void Clear() override;

private:
    bool ShowsInvalidText() const;
    // Where the locale separates fields with "-": whether a "-" typed now is
    // a separator (after digits, where a separator is due) rather than the
    // sign.
    bool DashIsSeparator() const;
    // The candidate text the typed character makes; false when refused outright.
    bool MakeCandidate(char ch, std::string& candidate) const;
    // The number a date/time text denotes as the bar reads it: unmasked, so
    // that the range check sees dates before 1970 as negative. Raises
    // ConvertError when the text does not read or the number does not fit.
    CalcValue Evaluate(const DateTimeFields& rec) const;
    bool InRange(const CalcValue& number) const;
    void StoreNumber(const CalcValue& number, CalcValue& target) const;

    std::string entryText_;
    TimeEncoding timeEncoding_ = TimeEncoding::TimeT;
    bool timeDiffMode_ = false;
    bool invalidEntry_ = false;
    // The text was written by UpdateText and not edited since: it reads as
    // the held value itself, which a text to the second may not hold exactly.
    bool textFromValue_ = false;
};

} // namespace pexa
