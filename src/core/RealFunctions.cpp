#include "core/RealFunctions.h"

#include "core/CalcError.h"

#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace pexa::real {

namespace {

static_assert(LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384 && LDBL_MIN_EXP == -16381,
              "Real is the x87 extended format");

// MPFR writes a number as m·2^e with ½ <= m < 1. The largest finite long double
// is below 2^16384, and the smallest subnormal is 2^-16445 = ½·2^-16444.
constexpr mpfr_prec_t RealBits = LDBL_MANT_DIG;
constexpr mpfr_exp_t RealMaxExponent = LDBL_MAX_EXP;
constexpr mpfr_exp_t RealMinExponent = LDBL_MIN_EXP - LDBL_MANT_DIG + 1;

// Functions of more than one MPFR call start at two limbs, 64 bits beyond the
// result, which settles the rounding of all but about one argument in 2^50.
// Past the last precision the result is rounded as it stands: only a result
// that is exactly a long double gets that far.
constexpr mpfr_prec_t FirstWorkingBits = 128;
constexpr mpfr_prec_t LastWorkingBits = 4096;

constexpr unsigned long DegreeTurn = 360;
constexpr unsigned long GradianTurn = 400;

[[noreturn]] void Raise(CalcErrorKind kind) {
    throw CalcError(kind);
}

// An MPFR number that frees itself.
class MpReal {
public:
    explicit MpReal(mpfr_prec_t bits = RealBits) { mpfr_init2(v_, bits); }
    // Exact: a long double has 64 significant bits.
    explicit MpReal(Real x) : MpReal() { mpfr_set_ld(v_, x, MPFR_RNDN); }
    ~MpReal() { mpfr_clear(v_); }
    MpReal(const MpReal&) = delete;
    MpReal& operator=(const MpReal&) = delete;

    operator mpfr_ptr() { return v_; }
    operator mpfr_srcptr() const { return v_; }

private:
    mpfr_t v_;
};

// The exponent range of the x87 format for as long as it lives. MPFR keeps the
// range per thread; everything else in the process keeps its own.
class X87ExponentRange {
public:
    X87ExponentRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(RealMinExponent);
        mpfr_set_emax(RealMaxExponent);
    }
    ~X87ExponentRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    X87ExponentRange(const X87ExponentRange&) = delete;
    X87ExponentRange& operator=(const X87ExponentRange&) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

// value holds the 64-bit rounding of a result, in MPFR's own wide range, and
// ternary the side the exact result lies on. Brings it into the x87 range:
// beyond it is an infinity, and a subnormal is rounded again to fewer bits,
// where the ternary value keeps a tie from going the wrong way.
Real ToReal(MpReal& value, int ternary) {
    Real r = 0;
    {
        const X87ExponentRange range;
        ternary = mpfr_check_range(value, ternary, MPFR_RNDN);
        mpfr_subnormalize(value, ternary, MPFR_RNDN);
        r = mpfr_get_ld(value, MPFR_RNDN); // exact now
    }
    if (std::isnan(r))
        Raise(CalcErrorKind::InvalidOperation);
    if (std::isinf(r))
        Raise(CalcErrorKind::Overflow);
    return r + 0.0L; // no bar ever shows "-0"
}

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using MpfrPeriodicFunction = int (*)(mpfr_ptr, mpfr_srcptr, unsigned long, mpfr_rnd_t);

Real Call(MpfrFunction f, Real x) {
    const MpReal in(x);
    MpReal out;
    const int ternary = f(out, in, MPFR_RNDN);
    return ToReal(out, ternary);
}

// The correctly rounded result of a function that takes more than one MPFR
// call (Ziv's strategy). approximate(t) sets t, at t's precision p, to within a
// relative error of 2^(lost - p) and returns lost; the precision doubles until
// the approximation decides the rounding to 64 bits. A result that is itself
// a long double is never decided that way (the approximations fall on either
// side of it), so isExact(r) is asked once whether the rounded candidate r is
// the exact result.
template <typename Approximate, typename IsExact>
Real RoundedOnce(Approximate approximate, IsExact isExact) {
    MpReal t(FirstWorkingBits);
    MpReal r;
    for (mpfr_prec_t bits = FirstWorkingBits;; bits *= 2) {
        mpfr_set_prec(t, bits);
        const mpfr_prec_t lost = approximate(static_cast<mpfr_ptr>(t));
        // RNDZ with one bit more than the result: the documented way to know
        // both the rounding to nearest and the side of the exact value.
        if (!mpfr_regular_p(t) || bits >= LastWorkingBits ||
            mpfr_can_round(t, bits - lost, MPFR_RNDN, MPFR_RNDZ, RealBits + 1))
            break;
        if (bits == FirstWorkingBits) {
            mpfr_set(r, t, MPFR_RNDN);
            if (isExact(static_cast<mpfr_srcptr>(r)))
                return ToReal(r, 0);
        }
    }
    const int ternary = mpfr_set(r, t, MPFR_RNDN);
    return ToReal(r, ternary);
}

bool NeverExact(mpfr_srcptr) {
    return false;
}

// Bits needed to write n.
mpfr_prec_t BitLength(mpfr_exp_t n) {
    return static_cast<mpfr_prec_t>(std::bit_width(static_cast<std::uint64_t>(n < 0 ? -n : n)));
}

// base^k == x exactly, for a 64-bit k: MPFR's power is exact (ternary 0) when
// the result fits 64 bits.
bool IsExactPower(mpfr_srcptr base, mpfr_srcptr k, mpfr_srcptr x) {
    MpReal p;
    return mpfr_pow(p, base, k, MPFR_RNDN) == 0 && mpfr_equal_p(p, x);
}

void CheckLogArgument(Real x) {
    if (x == 0)
        Raise(CalcErrorKind::DivideByZero);
    if (x < 0)
        Raise(CalcErrorKind::InvalidOperation);
}

bool IsInt32Integer(Real x) {
    constexpr Real int32Max = std::numeric_limits<std::int32_t>::max();
    return std::fabs(x) <= int32Max && x == std::trunc(x);
}

void CheckKind(TrigFunctionKind kind) {
    if (kind != TrigFunctionKind::Sin && kind != TrigFunctionKind::Cos &&
        kind != TrigFunctionKind::Tan)
        throw AssertionFailure("RealFunctions");
}

unsigned long TurnOf(AngleUnit unit) {
    return unit == AngleUnit::Gradian ? GradianTurn : DegreeTurn;
}

// t = x converted to radians, to within 3 roundings at t's precision.
void ToRadians(mpfr_ptr t, mpfr_srcptr x, AngleUnit unit) {
    mpfr_const_pi(t, MPFR_RNDN);
    mpfr_mul(t, t, x, MPFR_RNDN);
    mpfr_div_ui(t, t, TurnOf(unit) / 2, MPFR_RNDN);
}

// t, an angle in radians, converted to the unit with 3 more roundings.
void FromRadians(mpfr_ptr t, AngleUnit unit) {
    MpReal pi(mpfr_get_prec(t));
    mpfr_const_pi(pi, MPFR_RNDN);
    mpfr_mul_ui(t, t, TurnOf(unit) / 2, MPFR_RNDN);
    mpfr_div(t, t, pi, MPFR_RNDN);
}

// The one rule of the hyperbolic range: sinh and cosh fail when e^|x| leaves
// it. A long double's accuracy is enough to draw that line.
void CheckHyperbolicRange(Real x, AngleUnit unit) {
    constexpr Real radiansPerDegree = 0.0174532925199432957692369076848861271L;
    constexpr Real radiansPerGradian = 0.0157079632679489661923132169163975144L;
    const Real radians = unit == AngleUnit::Radian   ? x
                         : unit == AngleUnit::Degree ? x * radiansPerDegree
                                                     : x * radiansPerGradian;
    if (std::isinf(std::exp(std::fabs(radians))))
        Raise(CalcErrorKind::Overflow);
}

} // namespace

// ---- Roots, logarithms and exponentials ------------------------------------------------

Real Sqrt(Real x) {
    if (x < 0)
        Raise(CalcErrorKind::InvalidOperation);
    return Call(mpfr_sqrt, x);
}

Real Ln(Real x) {
    CheckLogArgument(x);
    return Call(mpfr_log, x);
}

Real Log2(Real x) {
    CheckLogArgument(x);
    return Call(mpfr_log2, x);
}

Real Log10(Real x) {
    CheckLogArgument(x);
    return Call(mpfr_log10, x);
}

Real Exp(Real x) {
    return Call(mpfr_exp, x);
}

Real Exp2(Real x) {
    return Call(mpfr_exp2, x);
}

Real Exp10(Real x) {
    return Call(mpfr_exp10, x);
}

Real Power(Real base, Real exponent) {
    if (exponent == 0)
        return 1.0L;
    if (base == 0 && exponent > 0)
        return 0.0L;
    if (base == 0)
        Raise(CalcErrorKind::DivideByZero);
    if (base < 0 && !IsInt32Integer(exponent))
        Raise(CalcErrorKind::InvalidOperation);
    const MpReal b(base);
    const MpReal e(exponent);
    MpReal out;
    // The same result; an integral exponent is nine times faster on its own path.
    const int ternary = IsInt32Integer(exponent)
                            ? mpfr_pow_si(out, b, static_cast<long>(exponent), MPFR_RNDN)
                            : mpfr_pow(out, b, e, MPFR_RNDN);
    return ToReal(out, ternary);
}

Real Root(Real x, Real n) {
    if (!(x > 0) || n == 0)
        throw AssertionFailure("RealFunctions");
    const MpReal mx(x);
    const MpReal mn(n);
    if (IsInt32Integer(n)) {
        MpReal out;
        const int ternary = mpfr_rootn_si(out, mx, static_cast<long>(n), MPFR_RNDN);
        return ToReal(out, ternary);
    }
    return RoundedOnce(
        [&](mpfr_ptr t) {
            MpReal e(mpfr_get_prec(t));
            mpfr_ui_div(e, 1, mn, MPFR_RNDN);
            mpfr_pow(t, mx, e, MPFR_RNDN);
            // x^(e(1+d)) = x^e·exp(d·ln x^e): the error d of 1/n grows by the
            // result's logarithm, below its binary exponent plus one.
            return mpfr_regular_p(t) ? BitLength(mpfr_get_exp(t)) + 2 : 0;
        },
        [&](mpfr_srcptr r) { return IsExactPower(r, mn, mx); });
}

Real LogN(Real x, Real base) {
    CheckLogArgument(x);
    CheckLogArgument(base);
    if (base == 1)
        Raise(x == 1 ? CalcErrorKind::InvalidOperation : CalcErrorKind::DivideByZero);
    const MpReal mx(x);
    const MpReal mb(base);
    return RoundedOnce(
        [&](mpfr_ptr t) {
            MpReal lb(mpfr_get_prec(t));
            mpfr_log(t, mx, MPFR_RNDN);
            mpfr_log(lb, mb, MPFR_RNDN);
            mpfr_div(t, t, lb, MPFR_RNDN);
            return mpfr_prec_t{2}; // three roundings
        },
        [&](mpfr_srcptr r) { return IsExactPower(mb, r, mx); });
}

// ---- Angles ----------------------------------------------------------------------------

// In degrees and gradians MPFR reduces the angle by whole turns exactly, and
// knows the exact values (sin 30° = ½, tan 45° = 1, cos 90° = 0).
Real Circular(Real x, TrigFunctionKind kind, AngleUnit unit) {
    CheckKind(kind);
    const int k = static_cast<int>(kind);
    const MpReal in(x);
    MpReal out;
    int ternary = 0;
    if (unit == AngleUnit::Radian) {
        const MpfrFunction f[] = {mpfr_sin, mpfr_cos, mpfr_tan};
        ternary = f[k](out, in, MPFR_RNDN);
    } else {
        const MpfrPeriodicFunction f[] = {mpfr_sinu, mpfr_cosu, mpfr_tanu};
        ternary = f[k](out, in, TurnOf(unit), MPFR_RNDN);
        // An infinite tangent is a pole (tan 90° has no value), not an overflow.
        if (mpfr_inf_p(out))
            Raise(CalcErrorKind::InvalidOperation);
    }
    return ToReal(out, ternary);
}

Real InverseCircular(Real y, TrigFunctionKind kind, AngleUnit unit) {
    CheckKind(kind);
    if (kind != TrigFunctionKind::Tan && std::fabs(y) > 1)
        Raise(CalcErrorKind::InvalidOperation);
    const int k = static_cast<int>(kind);
    const MpReal in(y);
    MpReal out;
    int ternary = 0;
    if (unit == AngleUnit::Radian) {
        const MpfrFunction f[] = {mpfr_asin, mpfr_acos, mpfr_atan};
        ternary = f[k](out, in, MPFR_RNDN);
    } else {
        const MpfrPeriodicFunction f[] = {mpfr_asinu, mpfr_acosu, mpfr_atanu};
        ternary = f[k](out, in, TurnOf(unit), MPFR_RNDN);
    }
    return ToReal(out, ternary);
}

Real Hyperbolic(Real x, TrigFunctionKind kind, AngleUnit unit) {
    CheckKind(kind);
    if (kind != TrigFunctionKind::Tan)
        CheckHyperbolicRange(x, unit);
    const MpfrFunction f = kind == TrigFunctionKind::Sin   ? mpfr_sinh
                           : kind == TrigFunctionKind::Cos ? mpfr_cosh
                                                           : mpfr_tanh;
    if (unit == AngleUnit::Radian)
        return Call(f, x);
    const MpReal mx(x);
    return RoundedOnce(
        [&](mpfr_ptr t) {
            ToRadians(t, mx, unit);
            const mpfr_exp_t e = mpfr_regular_p(t) ? mpfr_get_exp(t) : 0;
            f(t, t, MPFR_RNDN);
            // The functions magnify a relative error of t by at most
            // max(1, 1.32·|t|): 3 roundings of t and one of f.
            return std::max<mpfr_prec_t>(0, e) + 3;
        },
        // The only exact result is cosh 0 = 1 (sinh 0 and tanh 0 are 0, which
        // needs no rounding).
        [&](mpfr_srcptr) { return x == 0; });
}

Real InverseHyperbolic(Real y, TrigFunctionKind kind, AngleUnit unit) {
    CheckKind(kind);
    // acosh has no real value below 1; answering 0 there would show a wrong
    // number as if it were a result.
    if (kind == TrigFunctionKind::Cos && y < 1)
        Raise(CalcErrorKind::InvalidOperation);
    if (kind == TrigFunctionKind::Tan && std::fabs(y) >= 1) {
        if (unit != AngleUnit::Radian)
            Raise(CalcErrorKind::Overflow);
        return y > 0 ? LDBL_MAX : -LDBL_MAX;
    }
    const MpfrFunction f = kind == TrigFunctionKind::Sin   ? mpfr_asinh
                           : kind == TrigFunctionKind::Cos ? mpfr_acosh
                                                           : mpfr_atanh;
    if (unit == AngleUnit::Radian)
        return Call(f, y);
    const MpReal my(y);
    // Every result but 0 (asinh 0, acosh 1, atanh 0) is irrational.
    return RoundedOnce(
        [&](mpfr_ptr t) {
            f(t, my, MPFR_RNDN);
            FromRadians(t, unit);
            return mpfr_prec_t{3}; // four roundings
        },
        NeverExact);
}

} // namespace pexa::real
