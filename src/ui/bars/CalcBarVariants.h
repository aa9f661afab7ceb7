#pragma once

#include "conv/Conversion.h"
#include "enc/EncChar.h"
#include "enc/EncTime.h"
#include "enc/FloatLayout.h"
#include "ui/bars/CalcBar.h"

#include <QFont>
#include <QLabel>

#include <cstdint>
#include <memory>
#include <optional>

namespace pexa {

enum class Command : std::uint8_t;

class CharacterConversion;
class SexagesimalConversion;
class FloatConversion;
class DateTimeConversion;
struct FloatFormatPair;

// The command a bar's option button was made from; none for any other control.
std::optional<Command> CommandOfOptionButton(const QObject& control);

// ---- Choosing the bar class ----

// The bar class of each kind: the binary, character, sexagesimal, float and
// date/time kinds have bars of their own, every other kind the plain CalcBar.
// The bar takes the kind of the conversion; a variant refuses
// (AssertionFailure) a conversion of another class.
//   CalcBar* bar = BarClassOf(kind)(owner, conversion);
CalcBar::BarClass BarClassOf(BarKind kind);

// ---- The option buttons ----

// The option buttons are made from the command table's rows of the bar
// commands (SexagesimalHours, CharEncode*, Float*, Time*): caption and hint. A choice among several
// is an exclusive QButtonGroup of the bar, named below, with each button's choice as its id.
inline constexpr const char* EncodingGroupName = "encodings";
inline constexpr const char* Float16GroupName = "float16Formats";
inline constexpr const char* Float8GroupName = "float8Formats";

// ---- The character bar (kind 4) ----

// Buttons A, S, E, J, UTF8, UTF16 and U+ choose the character encoding; the encoding's name
// stands leftmost among the indicators. The text is drawn in a fixed-pitch
// font so that each byte keeps its own column.
class CharacterBar : public CalcBar {
    Q_OBJECT

public:
    CharacterBar(CreateKey key, QWidget* owner, BarConversion conv);

    // A value outside the enumeration changes nothing.
    void SetEncoding(CharEncoding encoding);
    CharEncoding Encoding() const;
    QLabel* EncodingIndicator() const { return encodingIndicator_; }

    void UpdateTextStyle() override;
    void ApplyOptions(const BarOptions& options) override;
    void StoreOptions(BarOptions& options) const override;
    void UpdateIndicators() override;
    // Right steps A → S → E → J → UTF8 → UTF16 → U+, Left back; false at either end.
    bool StepOption(bool backward) override;

protected:
    void Create() override;

private:
    QFont FixedPitchValueFont();

    CharacterConversion& charConv_;
    QLabel* encodingIndicator_ = nullptr;
    // The fixed-pitch font made from the panel font last time, kept because
    // the text style is set again at every keystroke.
    QFont fixedFrom_;
    QFont fixedFont_;
    bool hasFixedFont_ = false;
};

// ---- The sexagesimal bar (kind 6) ----

// One toggle button "hms" switches the h:m:s style; Left, Right and Ctrl+Space
// toggle it too.
class SexagesimalBar : public CalcBar {
    Q_OBJECT

public:
    SexagesimalBar(CreateKey key, QWidget* owner, BarConversion conv);

    void SetHmsStyle(bool on);
    bool HmsStyle() const;
    BarButton* HmsButton() const { return hmsButton_; }

    void ApplyOptions(const BarOptions& options) override;
    void StoreOptions(BarOptions& options) const override;
    bool StepOption(bool backward) override;
    bool ToggleOption() override;

protected:
    void Create() override;

private:
    SexagesimalConversion& degreeConv_;
    BarButton* hmsButton_ = nullptr;
};

// ---- The IEEE 754 bar (kind 7) ----

// Buttons half and bf16 choose the format of Word mode, after a divider E4M3
// and E5M2 the format of Byte mode; only the pair of the mode in force shows
// its choice and takes clicks. Left and Right step that pair. An indicator names the format the
// mode reads ("Double" in QWord mode, "Single" in DWord and Float mode). The value's tooltip lists
// the pattern's fields.
class FloatBar : public CalcBar {
    Q_OBJECT

public:
    FloatBar(CreateKey key, QWidget* owner, BarConversion conv);

    // Half or BFloat16; any other format changes nothing.
    void SetWordFormat(FloatFormat format);
    FloatFormat WordFormat() const;
    // E4M3 or E5M2; any other format changes nothing.
    void SetByteFormat(FloatFormat format);
    FloatFormat ByteFormat() const;
    QLabel* PrecisionIndicator() const { return precisionIndicator_; }

    // Sign, exponent (biased and unbiased) and significand of a pattern in
    // a format, one field a line.
    static QString FieldsText(FloatFormat format, std::int64_t bits);

    // The field tooltip is made in the interface language; the window has
    // every bar show its text again when the language changes.
    void ShowText() override;
    void ApplyOptions(const BarOptions& options) override;
    void StoreOptions(BarOptions& options) const override;
    void UpdateIndicators() override;
    bool StepOption(bool backward) override;

protected:
    void Create() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddFormatButtons(const FloatFormatPair& pair);
    FloatFormat FormatOf(const FloatFormatPair& pair) const;
    void SetFormat(const FloatFormatPair& pair, FloatFormat format);
    void ShowFormatButtons();
    void UpdateFieldsTip();

    FloatConversion& floatConv_;
    QLabel* precisionIndicator_ = nullptr;
    // Whether the value changed since the fields tooltip was written.
    bool fieldsTipStale_ = true;
};

// ---- The date/time bar (kind 8) ----

// Buttons t and O choose time_t or OLE DATE (Left and Right step between them);
// after a divider, "Diff" switches the difference mode (Ctrl+Space too). The
// indicators name the encoding and, only while it is on, the difference mode.
class DateTimeBar : public CalcBar {
    Q_OBJECT

public:
    DateTimeBar(CreateKey key, QWidget* owner, BarConversion conv);

    // A value outside the enumeration changes nothing.
    void SetEncoding(TimeEncoding encoding);
    TimeEncoding Encoding() const;
    void SetDiffMode(bool on);
    bool DiffMode() const;
    QLabel* EncodingIndicator() const { return encodingIndicator_; }
    QLabel* DiffIndicator() const { return diffIndicator_; }

    void ApplyOptions(const BarOptions& options) override;
    void StoreOptions(BarOptions& options) const override;
    void UpdateIndicators() override;
    bool StepOption(bool backward) override;
    bool ToggleOption() override;

protected:
    void Create() override;

private:
    DateTimeConversion& timeConv_;
    QLabel* encodingIndicator_ = nullptr;
    QLabel* diffIndicator_ = nullptr;
    BarButton* diffButton_ = nullptr;
};

} // namespace pexa
