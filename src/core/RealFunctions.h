#pragma once

#include "core/CalcValue.h"

namespace pexa {

enum class TrigFunctionKind : int { Sin = 0, Cos = 1, Tan = 2 };
enum class AngleUnit : int { Degree = 0, Radian = 1, Gradian = 2 };

// The elementary functions of the calculator on 80-bit reals.
//
// Every result is the 80-bit value nearest to the exact one (ties to even),
// rounded once, subnormal results included: MPFR computes it. A result beyond
// the 80-bit range raises Overflow; one below half the smallest subnormal is 0,
// and no result is ever a negative zero. An argument where the function has no
// value raises the kind given at the function.
namespace real {

// InvalidOperation below 0.
Real Sqrt(Real x);
// DivideByZero at 0, InvalidOperation below 0.
Real Ln(Real x);
Real Log2(Real x);
Real Log10(Real x);
Real Exp(Real x);
Real Exp2(Real x);
Real Exp10(Real x);

// base raised to exponent. Raises DivideByZero for 0 to a negative power,
// InvalidOperation for a negative base with a non-integral exponent (or one
// beyond the 32-bit range). x^0 is 1 for every x, 0^0 included.
Real Power(Real base, Real exponent);
// x^(1/n) with the exact 1/n, for x > 0 and n != 0 (AssertionFailure otherwise).
Real Root(Real x, Real n);
// The logarithm of x to base: DivideByZero or InvalidOperation for x or base
// as for Ln (x checked first), then for base 1 DivideByZero, or
// InvalidOperation when x is 1 too.
Real LogN(Real x, Real base);

// sin, cos, tan of an angle in the unit. tan raises InvalidOperation at its
// poles (90° and the like); in radians no argument is exactly a pole.
Real Circular(Real x, TrigFunctionKind kind, AngleUnit unit);
// asin, acos (InvalidOperation beyond ±1) and atan, as an angle in the unit.
Real InverseCircular(Real y, TrigFunctionKind kind, AngleUnit unit);
// sinh, cosh, tanh of an angle in the unit. sinh and cosh raise Overflow once
// e^|x| leaves the 80-bit range, whatever the sign of x.
Real Hyperbolic(Real x, TrigFunctionKind kind, AngleUnit unit);
// asinh, acosh (InvalidOperation below 1) and atanh, as an angle in the unit.
// atanh of ±1 and beyond is infinite: in degrees and gradians that raises
// Overflow; in radians the result is ±the largest real, which no value can
// hold, so that storing it fails as out of range.
Real InverseHyperbolic(Real y, TrigFunctionKind kind, AngleUnit unit);

} // namespace real

} // namespace pexa
