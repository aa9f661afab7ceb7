#include "core/CalcValue.h"

#include "core/CalcError.h"
#include "core/ModeWidth.h"

#include <cmath>

namespace pexa {

const char* ModeCaption(CalcValueMode mode) {
    static const char* const captions[CalcValueModeCount] = {"Byte", "Word", "DWord", "Int64",
                                                             "Real"};
    return captions[static_cast<int>(mode)];
}

bool IsFloatMode(CalcValueMode mode) {
    return mode == CalcValueMode::Float;
}

std::int64_t TruncateReal(Real x) {
    // Fits exactly when -2^63 - 1 < x < 2^63; both bounds are exact long doubles.
    constexpr Real limit = 9223372036854775808.0L; // 2^63
    if (std::isnan(x) || !(x < limit) || !(x > -limit - 1.0L))
        throw CalcError(CalcErrorKind::InvalidOperation);
    return static_cast<std::int64_t>(x);
}

void SetInteger(CalcValue& value, CalcValueMode mode, std::int64_t v) {
    value.Mode = mode;
    value.RealValue = static_cast<Real>(v);
    value.IntValue = MaskToMode(mode, v);
}

void SetReal(CalcValue& value, CalcValueMode mode, Real x) {
    value.Mode = mode;
    value.RealValue = x;
    value.IntValue = MaskToMode(mode, TruncateReal(x));
}

std::int64_t GetInteger(const CalcValue& value) {
    if (IsFloatMode(value.Mode))
        return TruncateReal(value.RealValue);
    return MaskToMode(value.Mode, value.IntValue);
}

Real GetReal(const CalcValue& value) {
    if (IsFloatMode(value.Mode))
        return value.RealValue;
    return static_cast<Real>(MaskToMode(value.Mode, value.IntValue));
}

void ConvertValue(CalcValue& dest, CalcValueMode mode, const CalcValue& src) {
    if (IsFloatMode(mode))
        SetReal(dest, mode, GetReal(src));
    else
        SetInteger(dest, mode, GetInteger(src));
}

void ChangeMode(CalcValue& value, CalcValueMode mode) {
    ConvertValue(value, mode, value);
}

CalcValue MakeReal(CalcValueMode mode, Real x) {
    CalcValue value;
    SetReal(value, mode, x);
    return value;
}

CalcValue MakeZero() {
    return MakeReal(CalcValueMode::Float, 0.0L);
}

} // namespace pexa
