#pragma once

#include "core/CalcValue.h"
#include "enc/EncChar.h"
#include "enc/EncTime.h"
#include "enc/FloatLayout.h"
#include "engine/FunctionOptions.h"

namespace pexa {

// What an evaluation on the command line takes from the window's settings:
// the mode and the options the expression reads, and each bar's own options,
// so that every notation reads as its bar would. The Signed and Reverse
// readings are not kept by the window; they start off.
struct EvaluationSettings {
    CalcValueMode Mode = CalcValueMode::DWord;
    bool Signed = false;
    bool Reversed = false;
    // Digit grouping, as the bars show it.
    bool DigitGrouping = true;
    FunctionOptions Options;
    CharEncoding CharacterEncoding = CharEncoding::Ascii;
    FloatFormat WordFloatFormat = FloatFormat::Half;
    FloatFormat ByteFloatFormat = FloatFormat::E4M3;
    bool HmsStyle = false;
    TimeEncoding TimeFormat = TimeEncoding::TimeT;
    bool TimeDifference = false;
};

// The settings from the settings file where the program finds one (only
// reads: the file is never created or written), each missing or unreadable
// key at the window's default.
EvaluationSettings ReadEvaluationSettings();

} // namespace pexa
