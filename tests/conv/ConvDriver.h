#pragma once

// Drives a conversion the way the main window does: new entries start with
// Clear, refused keys change nothing, pasting skips ignored characters and
// stops at the first refusal.

#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "core/CalcValue.h"
#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace pexa::test {

inline constexpr auto Byte = CalcValueMode::Byte;
inline constexpr auto Word = CalcValueMode::Word;
inline constexpr auto DWord = CalcValueMode::DWord;
inline constexpr auto QWord = CalcValueMode::QWord;
inline constexpr auto Float = CalcValueMode::Float;
inline constexpr CalcValueMode AllModes[] = {Byte, Word, DWord, QWord, Float};

// Decimal comma and thousands point; the date separator stays '.'.
inline constexpr FormatSettings CommaDecimal{',', '.', '.', ':'};
// Decimal comma, thousands point, dates with "-".
inline constexpr FormatSettings DashDates{',', '.', '-', ':'};

// A whole number as the calculator holds it after arithmetic: a Float value.
inline CalcValue Int(std::int64_t v) {
    return MakeReal(Float, static_cast<Real>(v));
}
// Raw bits of a mode, as a bar in that mode holds them.
inline CalcValue IntValue(CalcValueMode mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}
inline CalcValue RealValue(Real x) {
    return MakeReal(Float, x);
}

// A fresh conversion of a kind, configured in the window's order.
inline std::unique_ptr<Conversion> MakeConv(BarKind kind, CalcValueMode mode, bool isSigned = false,
                                            bool reversed = false) {
    auto conv = CreateConv(static_cast<int>(kind));
    conv->SetMode(mode);
    conv->SetOption(ConvOption::Signed, isSigned);
    conv->SetOption(ConvOption::ReverseEndian, reversed);
    conv->SetValue(MakeZero());
    return conv;
}

// Types the keys as one new entry; the result has one mark per key: '+'
// accepted, 'x' refused by CanInputChar (the key is disabled), '-' refused
// by InputChar.
inline std::string TypeKeys(Conversion& conv, std::string_view keys, bool newEntry = true) {
    std::string marks;
    for (const char key : keys) {
        if (!conv.CanInputChar(key, newEntry, false)) {
            marks += 'x';
            continue;
        }
        if (newEntry)
            conv.Clear();
        const bool accepted = conv.InputChar(key);
        marks += accepted ? '+' : '-';
        newEntry = false;
    }
    return marks;
}

// Pastes a text; false when it stopped at a character CanInputChar refuses
// (the window beeps then).
inline bool PasteText(Conversion& conv, std::string_view text) {
    bool trailingMinus = false;
    if (text.size() > 1 && text[0] == '-' && conv.GetCapabilities().Contains(ConvOption::Signed)) {
        text.remove_prefix(1);
        trailingMinus = true;
    }
    bool newEntry = true;
    auto feed = [&](char ch) {
        if (conv.IsIgnoredChar(ch))
            return 1;
        if (!conv.CanInputChar(ch, newEntry, true))
            return -1;
        if (newEntry)
            conv.Clear();
        newEntry = false;
        return conv.InputChar(ch) ? 1 : 0;
    };
    for (const char ch : text) {
        const int step = feed(ch);
        if (step < 0)
            return false;
        if (step == 0)
            return true;
    }
    if (trailingMinus)
        return feed('-') >= 0;
    return true;
}

// A value as a bar shows it in a mode and byte order: its text, grouped and
// plain alike, and the text's state.
struct ShownCase {
    CalcValueMode mode;
    bool reversed;
    CalcValue value;
    const char* text;
    ConvTextState state;
};

// Every case shown by a fresh bar of the kind; extra checks what else holds
// for the bar after each.
template <std::size_t N>
void ExpectShown(BarKind kind, const ShownCase (&cases)[N], void (*extra)(Conversion&) = nullptr) {
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.mode)) + (c.reversed ? " reversed " : " ") + c.text);
        auto conv = MakeConv(kind, c.mode, false, c.reversed);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(conv->GetText(true), c.text);
        EXPECT_EQ(conv->GetTextState(), c.state);
        if (extra != nullptr)
            extra(*conv);
    }
}

inline std::int64_t IntOf(Conversion& conv) {
    return GetInteger(conv.GetValue());
}
inline Real RealOf(Conversion& conv) {
    return GetReal(conv.GetValue());
}

// Every pattern set in a mode comes back from the bar unchanged, in both byte
// orders; so does a real, whose fraction the text may not show.
inline void ExpectValuesSurvive(BarKind kind, std::initializer_list<std::int64_t> patterns,
                                Real real) {
    for (const CalcValueMode mode : AllModes) {
        for (const bool reversed : {false, true}) {
            auto conv = MakeConv(kind, mode, false, reversed);
            for (const std::int64_t p : patterns) {
                CalcValue v = MakeZero();
                SetInteger(v, mode, p);
                conv->SetValue(v);
                EXPECT_EQ(GetInteger(conv->GetValue()), GetInteger(v))
                    << ModeCaption(mode) << " " << p;
            }
            CalcValue value = MakeReal(Float, real);
            ConvertValue(value, mode, value);
            conv->SetValue(value);
            EXPECT_EQ(GetReal(conv->GetValue()), GetReal(value)) << ModeCaption(mode);
        }
    }
}

} // namespace pexa::test
