#pragma once

#include "conv/Conversion.h"
#include "enc/EncChar.h"
#include "enc/EncTime.h"
#include "enc/FloatLayout.h"

namespace pexa {

// What the option buttons of the bars choose, as the settings keep it. The
// window reads a kind's part when it opens a bar of that kind and writes it
// when the bar closes and when the window does; the bars only apply and
// report it (CalcBar::ApplyOptions, StoreOptions).
// The float bar's choices of format in Word and in Byte mode, in button
// order; the settings keep the index of the choice.
inline constexpr FloatFormat WordFormatChoices[2] = {FloatFormat::Half, FloatFormat::BFloat16};
inline constexpr FloatFormat ByteFormatChoices[2] = {FloatFormat::E4M3, FloatFormat::E5M2};

struct BarOptions {
    CharEncoding Encoding = CharEncoding::Ascii;
    bool HmsStyle = false;
    // The float bar's format in Word mode (Half or BFloat16) and in Byte
    // mode (E4M3 or E5M2).
    FloatFormat WordFormat = FloatFormat::Half;
    FloatFormat ByteFormat = FloatFormat::E4M3;
    TimeEncoding DateEncoding = TimeEncoding::TimeT;
    bool TimeDiffMode = false;

    bool operator==(const BarOptions&) const = default;
};

// Reads the keys of the kind's bar into options, in the order the bar shows
// them; a missing, unreadable or out-of-range value reads as its default.
// The other kinds' fields are left as they are.
void ReadBarOptions(BarKind kind, BarOptions& options);
// Writes the kind's keys in the same order. Throws ProfileError at the first
// failed write; the keys after it are not written.
void WriteBarOptions(BarKind kind, const BarOptions& options);

} // namespace pexa
