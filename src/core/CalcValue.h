#pragma once

#include <cfloat>
#include <cstdint>

namespace pexa {

static_assert(LDBL_MANT_DIG == 64, "pexa needs the 80-bit x87 extended long double");

using Real = long double;

// Calculation modes, ordered by width: the wider of two modes has the larger code.
enum class CalcValueMode : std::uint8_t {
    Byte = 0,
    Word = 1,
    DWord = 2,
    QWord = 3, // captioned "Int64"
    Float = 4, // captioned "Real"
};

inline constexpr int CalcValueModeCount = 5;

// Caption of the mode command: "Byte", "Word", "DWord", "Int64", "Real".
const char* ModeCaption(CalcValueMode mode);

bool IsFloatMode(CalcValueMode mode);

// The calculator value: its mode, an integer reading and a real reading.
// Written only through SetInteger/SetReal (and Frac in integer modes).
struct CalcValue {
    CalcValueMode Mode = CalcValueMode::Float;
    std::int64_t IntValue = 0;
    Real RealValue = 0.0L;
};

void SetInteger(CalcValue& value, CalcValueMode mode, std::int64_t v);
// Raises CalcError InvalidOperation when the truncation of x does not fit a
// signed 64-bit integer; Mode and RealValue are already replaced then.
void SetReal(CalcValue& value, CalcValueMode mode, Real x);
std::int64_t GetInteger(const CalcValue& value);
Real GetReal(const CalcValue& value);
void ConvertValue(CalcValue& dest, CalcValueMode mode, const CalcValue& src);
void ChangeMode(CalcValue& value, CalcValueMode mode);
CalcValue MakeReal(CalcValueMode mode, Real x);
CalcValue MakeZero();

// Truncation toward zero; raises InvalidOperation unless -2^63-1 < x < 2^63.
std::int64_t TruncateReal(Real x);

inline constexpr Real PiValue = 3.1415926535897932385L;

} // namespace pexa
