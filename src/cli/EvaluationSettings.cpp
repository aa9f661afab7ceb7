#include "cli/EvaluationSettings.h"

#include "settings/MainSettings.h"
#include "settings/Profile.h"

namespace pexa {

namespace {

// The float bar's format buttons, in the order their stored choice counts.
constexpr FloatFormat WordFormats[] = {FloatFormat::Half, FloatFormat::BFloat16};
constexpr FloatFormat ByteFormats[] = {FloatFormat::E4M3, FloatFormat::E5M2};

} // namespace

EvaluationSettings ReadEvaluationSettings() {
    EvaluationSettings settings;
    const MainSettings main = ReadMainSettings();
    settings.Mode = static_cast<CalcValueMode>(main.CalcMode);
    settings.DigitGrouping = main.DigitGrouping;
    settings.Options.SetAngle(static_cast<AngleUnit>(main.AngleMode));
    settings.Options.SetHyperbolic(main.Hyp);
    settings.Options.SetRotate(main.Rotate);
    settings.Options.SetArithmeticShift(main.Arithmetic);
    // An amount the shift commands do not offer keeps the default, as in the window.
    settings.Options.SetShiftAmount(FunctionOptions::IsValidShiftAmount(main.ShiftAmount)
                                        ? main.ShiftAmount
                                        : KeyShiftAmount.Default);

    // Each read is range-checked against the key's table row.
    settings.CharacterEncoding = static_cast<CharEncoding>(ReadProfile(KeyCharEncoding));
    settings.WordFloatFormat = WordFormats[ReadProfile(KeyFloat16Format)];
    settings.ByteFloatFormat = ByteFormats[ReadProfile(KeyFloat8Format)];
    settings.HmsStyle = ReadProfile(KeyHmsStyle);
    settings.TimeFormat = static_cast<TimeEncoding>(ReadProfile(KeyTimeEncoding));
    settings.TimeDifference = ReadProfile(KeyTimeDiffMode);
    return settings;
}

} // namespace pexa
