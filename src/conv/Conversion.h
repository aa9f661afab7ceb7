#pragma once

#include "core/CalcValue.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

namespace pexa {

// Option and capability bits of a conversion. The same bit numbers serve for
// the options in force (HasOption/SetOption) and for what a conversion can do
// (GetCapabilities). Numbers above 7 mean nothing and are ignored.
enum class ConvOption : std::uint8_t {
    // Capability: GetText honours its grouping flag. Never set as an option.
    DigitGrouping = 0,
    // Capability: the bar refuses pasting. No conversion declares it.
    NoPaste = 1,
    // Signed reading of the integer modes (the sign indicator; "-" may toggle).
    Signed = 2,
    // Reversed byte order in the multi-byte integer modes.
    ReverseEndian = 3,
};

// A set of ConvOption bits (bit n = option n).
class ConvOptionSet {
public:
    constexpr ConvOptionSet() noexcept = default;
    constexpr ConvOptionSet(std::initializer_list<ConvOption> options) noexcept {
        for (const ConvOption option : options)
            Include(option);
    }

    static constexpr ConvOptionSet FromBits(std::uint8_t bits) noexcept {
        ConvOptionSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr std::uint8_t Bits() const noexcept { return bits_; }

    // False for an option number above 7.
    constexpr bool Contains(ConvOption option) const noexcept {
        return IsValid(option) && (bits_ & Mask(option)) != 0;
    }
    // Setting or clearing an option number above 7 does nothing.
    constexpr void Include(ConvOption option) noexcept {
        if (IsValid(option))
            bits_ = static_cast<std::uint8_t>(bits_ | Mask(option));
    }
    constexpr void Exclude(ConvOption option) noexcept {
        if (IsValid(option))
            bits_ = static_cast<std::uint8_t>(bits_ & ~Mask(option));
    }

    friend constexpr bool operator==(ConvOptionSet, ConvOptionSet) noexcept = default;

    static constexpr bool IsValid(ConvOption option) noexcept {
        return static_cast<unsigned>(option) <= 7;
    }

private:
    static constexpr unsigned Mask(ConvOption option) noexcept {
        return 1u << static_cast<unsigned>(option);
    }

    std::uint8_t bits_ = 0;
};

// How the bar colours the text (GetTextState).
enum class ConvTextState : std::uint8_t {
    Normal = 0,        // window-text colour
    NotApplicable = 1, // grey: the notation does not fit the current mode
    Invalid = 2,       // red: the entry text denotes no valid value
};

// Why a conversion does not take a character (RefusalOf).
enum class InputRefusal : std::uint8_t {
    NotOfNotation, // the character has no place in the bar's notation here
    OutOfRange,    // the number it would make lies outside what the bar can hold
    TooManyDigits, // more fraction digits than the bar keeps
    TooLong,       // no room left for another character
};

// The character set of a conversion's texts. Every notation but the
// character bar's is plain ASCII, which reads the same in both.
enum class TextCharset : std::uint8_t {
    ShiftJis = 0, // the display code page (CP932)
    Utf8 = 1,
};

// The bar kinds; the code is the index the bar-toggle commands use.
enum class BarKind : std::uint8_t {
    Decimal = 0, // DecimalConversion
    Hex = 1,     // HexConversion
    Oct = 2,     // OctalConversion
    Bin = 3,     // BinaryConversion
    Char = 4,    // CharacterConversion
    IP = 5,      // IPv4Conversion
    Degree = 6,  // SexagesimalConversion
    Float = 7,   // FloatConversion
    Time = 8,    // DateTimeConversion
    Kilo = 9,    // SizeConversion
};

inline constexpr int BarKindCount = 10;

inline constexpr bool IsValidBarKind(int kind) {
    return kind >= 0 && kind < BarKindCount;
}

// One row of the bar-kind table.
struct BarKindInfo {
    const char* Label; // short name at the bar's left end, e.g. "HEX"
    const char* Title; // the bar's caption, e.g. "Hexadecimal"
    char AccessKey;    // stored access key; '\0' means the label's first letter
};

// The row of a kind. The bar measures all ten labels to give every bar the same
// caption width. Raises AssertionFailure for a kind outside 0..9.
const BarKindInfo& GetBarKindInfo(BarKind kind);

// The access key of a kind: the stored key, or else the first character of the
// label upper-cased ('\0' for an empty label).
char BarKindAccessKey(BarKind kind);

// The model of one display bar: it holds the bar's copy of the calculator
// value in the current mode, renders it in the bar's notation, decides which
// typed or pasted characters the bar accepts and applies them.
//
// Two families derive from it. Conversions without a text of their own (hex,
// octal, binary, character) keep only the value and render it on every
// GetText. Conversions that keep an entry text (decimal, IP, degree, float,
// time, size) store the text exactly as typed; while the user types the text
// is the master and the held value follows each accepted edit, and whenever
// the value is set from outside (SetValue, SetMode, SetOption) UpdateText
// rewrites the text from the value.
//
// How the window drives a conversion:
//  - after creation: SetMode, SetOption(Signed/ReverseEndian) where the
//    capability exists, then SetValue with the current value;
//  - repaint: GetText(grouping flag) and GetTextState;
//  - key enabling: CanInputChar(ch, newEntry, false);
//  - a typed character: when CanInputChar holds, Clear first if it starts a new
//    entry, then InputChar; after Clear or an accepted InputChar, GetValue and
//    SetValue on every other bar;
//  - sign key while entering: typed as "-" when CanToggleSign and
//    CanInputChar('-', false, false) hold;
//  - Backspace (while entering, when CanBackspace): Backspace, then GetValue
//    as above when it returned true;
//  - pasting: IsIgnoredChar characters are skipped, the others are typed with
//    the pasting flag;
//  - clear entry/all: Clear, then SetValue(zero); mode change: SetMode only.
//
// CanInputChar, InputChar, Backspace, GetText and UpdateText raise nothing for
// any input: an unreadable candidate is a refusal. SetValue, SetMode and
// GetValue let a CalcError from converting the value between modes through;
// the conversion is then unchanged.
class Conversion {
public:
    virtual ~Conversion() = default;
    Conversion& operator=(const Conversion&) = delete;

    // An independent copy in the same state, on which input can be tried
    // without touching this one (a paste is taken whole or not at all); none
    // for a conversion that cannot be copied.
    virtual std::unique_ptr<Conversion> Clone() const { return nullptr; }

    BarKind GetKind() const noexcept { return kind_; }
    CalcValueMode GetMode() const noexcept { return mode_; }
    ConvOptionSet GetOptions() const noexcept { return options_; }

    // False for an option number above 7, else whether the option is in force.
    bool HasOption(ConvOption option) const noexcept { return options_.Contains(option); }
    // Sets or clears an option the conversion supports (GetCapabilities); any
    // other option, and a number above 7, is ignored. Calls UpdateText when
    // the option set changed.
    void SetOption(ConvOption option, bool on);

    // Label, title and access key of the kind (the bar-kind table).
    virtual std::string GetLabel() const;
    virtual std::string GetTitle() const;
    virtual char GetAccessKey() const;

    // The ConvOption bits the conversion supports.
    virtual ConvOptionSet GetCapabilities() const = 0;

    // Takes the value converted into the current mode, then UpdateText.
    virtual void SetValue(const CalcValue& value);
    // The value the bar denotes, in the current mode: the held value, or what
    // the entry text reads as (an unreadable text reads as 0).
    virtual CalcValue GetValue();
    // Switches to a mode, converting the held value into it, then UpdateText.
    virtual void SetMode(CalcValueMode mode);
    // Rewrites the entry text from the held value (nothing without a text).
    virtual void UpdateText();

    // Byte reversal in effect: a multi-byte integer mode with ReverseEndian.
    virtual bool IsReversed() const;
    // Signed reading in effect: QWord or Float mode, or the Signed option.
    virtual bool IsSigned() const;

    // The bar's text; with the flag, digit-grouped where the class can group.
    virtual std::string GetText(bool grouped) const = 0;
    // The text copied to the clipboard: GetText, less any padding that is
    // only there for the display and would read back as part of the value.
    virtual std::string GetClipboardText(bool grouped) const { return GetText(grouped); }
    // The character set GetText and GetClipboardText are in.
    virtual TextCharset GetTextCharset() const { return TextCharset::ShiftJis; }
    virtual ConvTextState GetTextState() const;
    // The caption of the separator key while this bar is active.
    virtual std::string GetSeparatorCaption() const;

    // Whether the character can be typed (newEntry: the next key starts a new
    // number; pasting: it comes from the clipboard).
    virtual bool CanInputChar(char ch, bool newEntry, bool pasting) const = 0;
    // Applies a character; false (and nothing changed) when refused.
    virtual bool InputChar(char ch) = 0;
    // Why InputChar refused the character in the present state: by default
    // NotOfNotation when CanInputChar refuses it too, else OutOfRange.
    virtual InputRefusal RefusalOf(char ch) const;
    // What the bar's range is named after in a refusal: the mode's caption
    // ("DWord"), or the format the bar reads ("Half").
    virtual std::string RangeName() const;
    // Whether the bar's text is pasted verbatim, blanks around it and signs
    // included (a space or a "+" is a character of the character bar); the
    // number bars trim blanks, read a leading "-" as the sign and refuse a
    // lone sign.
    virtual bool KeepsPastedBlanks() const { return false; }
    // Whether the bar takes typed and pasted characters whole, as Unicode
    // characters (InputCharacter), rather than as display code page bytes
    // (InputChar). Only the character bar's Unicode encodings do.
    virtual bool TakesWholeCharacters() const { return false; }
    // Whether InputCharacter would take the character (newEntry: into an
    // empty bar); false where TakesWholeCharacters is false.
    virtual bool CanInputCharacter(char32_t, bool /*newEntry*/) const { return false; }
    // Applies a whole character; false (and nothing changed) when refused.
    virtual bool InputCharacter(char32_t) { return false; }
    // Whether the sign key may type "-" into the entry.
    virtual bool CanToggleSign() const;
    // Whether a paste types a leading "-" first, as typed, rather than after
    // the digits: where a "-" after digits means something else (a date's
    // field separator).
    virtual bool TakesPastedSignFirst() const { return false; }
    // Whether pasting skips the character.
    virtual bool IsIgnoredChar(char ch) const;
    virtual bool CanBackspace() const;
    // Removes the last digit or character; true when something may have changed.
    virtual bool Backspace() = 0;
    // The empty entry form; the held value becomes zero.
    virtual void Clear();

protected:
    // Stores the kind, mode Byte, no options and a zero value. A subclass
    // constructor ends by calling its own Clear, so that every conversion
    // starts in its empty entry form. Raises AssertionFailure for a kind
    // outside 0..9.
    explicit Conversion(BarKind kind);
    // For Clone: a conversion is copied only whole, by its own class.
    Conversion(const Conversion&) = default;

    const CalcValue& HeldValue() const noexcept { return value_; }
    void SetHeldValue(const CalcValue& value) noexcept { value_ = value; }

    // GetReal of the held value.
    Real ValueAsReal() const;
    // SetReal in the current mode into the target (the held value by default).
    // On a CalcError the target is left unchanged.
    void StoreReal(Real x, CalcValue& target) const;
    void StoreReal(Real x) { StoreReal(x, value_); }
    // The held value as the notation sees it: reversed when IsReversed, then
    // sign-extended from the mode's width when IsSigned.
    std::int64_t GetBits() const;
    // The inverse of GetBits: reversed when IsReversed, then SetInteger in the
    // current mode (which masks to the width) into the target.
    void StoreBits(std::int64_t bits, CalcValue& target) const;
    void StoreBits(std::int64_t bits) { StoreBits(bits, value_); }
    // Stores x when it lies in the signed 64-bit range and the text has at
    // most 18 characters after its decimal separator; false otherwise.
    bool TryStoreReal(const std::string& text, Real x);
    // Stores n with StoreBits when it lies in the mode's range for the current
    // signedness; false otherwise.
    bool TryStoreInteger(std::int64_t n);
    // After characters were deleted: "", "-" and "-0" become "0".
    static void NormalizeEntry(std::string& text);

private:
    BarKind kind_;
    CalcValue value_;
    CalcValueMode mode_ = CalcValueMode::Byte;
    ConvOptionSet options_;
};

} // namespace pexa
