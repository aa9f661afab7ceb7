#include "core/CalcArithmetic.h"

#include "core/CalcConvCommonDef.h"
#include "core/CalcError.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace pexa {

namespace {

constexpr std::int64_t Int32Max = std::numeric_limits<std::int32_t>::max();

[[noreturn]] void Raise(CalcErrorKind kind) {
    throw CalcError(kind);
}

std::uint64_t Bits(std::int64_t v) {
    return static_cast<std::uint64_t>(v);
}

std::int64_t Wrap(std::uint64_t u) {
    return static_cast<std::int64_t>(u);
}

std::uint64_t LowMask(int bits) {
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

// A real result computed from finite operands: an infinity means the result left
// the 80-bit range, a NaN that it has no value. A negative zero becomes +0 so
// that no bar ever shows "-0".
Real Checked(Real r) {
    if (std::isnan(r))
        Raise(CalcErrorKind::InvalidOperation);
    if (std::isinf(r))
        Raise(CalcErrorKind::Overflow);
    return r + 0.0L;
}

void StoreReal(CalcValue& v, CalcValueMode mode, Real r) {
    SetReal(v, mode, Checked(r));
}

bool IsInt32Integer(Real x) {
    return std::fabs(x) <= static_cast<Real>(Int32Max) && x == std::trunc(x);
}

// ---- Exact arithmetic on pairs of long doubles --------------------------------
// The x87 format has a 64-bit significand, so Dekker's splitting constant is
// 2^32 + 1. Operands stay far from overflow and underflow where this is used.

struct TwoReal {
    Real Hi;
    Real Lo;
};

TwoReal FastTwoSum(Real a, Real b) {
    const Real s = a + b;
    return {s, b - (s - a)};
}

TwoReal Split(Real a) {
    constexpr Real splitter = 4294967297.0L;
    const Real t = splitter * a;
    const Real hi = t - (t - a);
    return {hi, a - hi};
}

TwoReal TwoProduct(Real a, Real b) {
    const Real p = a * b;
    const TwoReal x = Split(a);
    const TwoReal y = Split(b);
    const Real err = ((x.Hi * y.Hi - p) + x.Hi * y.Lo + x.Lo * y.Hi) + x.Lo * y.Lo;
    return {p, err};
}

// 1/b as an unevaluated sum, to about 128 bits.
TwoReal ReciprocalPair(Real b) {
    int e = 0;
    const Real m = std::frexp(b, &e);
    const Real q = 1.0L / m;
    const TwoReal p = TwoProduct(q, m);
    const Real lo = ((1.0L - p.Hi) - p.Lo) * q;
    return {std::ldexp(q, -e), std::ldexp(lo, -e)};
}

// x times a constant given as hi + lo: the product to about 128 bits.
TwoReal MultiplyPair(Real x, Real hi, Real lo) {
    const TwoReal p = TwoProduct(x, hi);
    return FastTwoSum(p.Hi, p.Lo + x * lo);
}

// ---- Integer powers without intermediate rounding or overflow -----------------

// (Hi + Lo) * 2^Exp with |Hi| in [0.5, 1): about 128 significant bits and an
// exponent that cannot overflow, so a long chain of products loses nothing that
// the final rounding would keep.
struct ScaledReal {
    Real Hi;
    Real Lo;
    std::int64_t Exp;
};

ScaledReal Normalized(Real hi, Real lo, std::int64_t exp) {
    const TwoReal s = FastTwoSum(hi, lo);
    int e = 0;
    const Real m = std::frexp(s.Hi, &e);
    return {m, std::ldexp(s.Lo, -e), exp + e};
}

ScaledReal Scaled(Real x) {
    int e = 0;
    const Real m = std::frexp(x, &e);
    return {m, 0.0L, e};
}

ScaledReal Multiply(const ScaledReal& a, const ScaledReal& b) {
    const TwoReal p = TwoProduct(a.Hi, b.Hi);
    return Normalized(p.Hi, p.Lo + (a.Hi * b.Lo + a.Lo * b.Hi), a.Exp + b.Exp);
}

ScaledReal Reciprocal(const ScaledReal& a) {
    const Real q = 1.0L / a.Hi;
    const TwoReal p = TwoProduct(q, a.Hi);
    const Real r = ((1.0L - p.Hi) - p.Lo) - q * a.Lo;
    return Normalized(q, r * q, -a.Exp);
}

// x^n for x != 0, |n| <= 2^31 - 1, by square-and-multiply.
ScaledReal ScaledPower(Real x, std::int64_t n) {
    ScaledReal base = Scaled(x);
    if (n < 0)
        base = Reciprocal(base);
    std::uint64_t k = n < 0 ? 0 - Bits(n) : Bits(n);
    ScaledReal result{0.5L, 0.0L, 1};
    while (k != 0) {
        if (k & 1)
            result = Multiply(result, base);
        k >>= 1;
        if (k != 0)
            base = Multiply(base, base);
    }
    return result;
}

// Rounds a scaled value to a long double once; Overflow beyond the range, 0
// below half the smallest subnormal.
Real ToReal(const ScaledReal& s) {
    if (s.Exp > LDBL_MAX_EXP)
        Raise(CalcErrorKind::Overflow);
    if (s.Exp < LDBL_MIN_EXP - LDBL_MANT_DIG - 1)
        return 0.0L;
    const int e = static_cast<int>(s.Exp);
    Real r = std::ldexp(s.Hi, e);
    if (e < LDBL_MIN_EXP) {
        // A subnormal result is Hi rounded a second time; when Hi sits exactly
        // halfway, Lo decides the direction that the rounding guessed.
        const Real d = s.Hi - std::ldexp(r, -e);
        const Real half = std::ldexp(1.0L, LDBL_MIN_EXP - LDBL_MANT_DIG - 1 - e);
        if (std::fabs(d) == half && s.Lo != 0 && (d > 0) == (s.Lo > 0))
            r = std::nextafter(r, d > 0 ? LDBL_MAX : -LDBL_MAX);
    }
    return Checked(r);
}

// The n-th root of a > 0 for an integer |n| >= 2: a first guess from the C
// library, then one Newton step with guess^n carried in 128 bits, which leaves
// an error far below the final rounding.
Real IntegerRoot(Real a, std::int64_t n) {
    const std::int64_t m = n < 0 ? -n : n;
    const Real y0 = m == 2 ? std::sqrt(a) : m == 3 ? std::cbrt(a) : std::pow(a, 1.0L / m);
    const ScaledReal p = ScaledPower(y0, m);
    const ScaledReal s = Scaled(a);
    const int shift = static_cast<int>(p.Exp - s.Exp);
    const Real delta = ((std::ldexp(p.Hi, shift) - s.Hi) + std::ldexp(p.Lo, shift)) / s.Hi;
    const Real c = -y0 * delta / static_cast<Real>(m);
    if (n > 0)
        return Checked(y0 + c);
    // 1/(y0 + c) = q * (1 + r - q*c) to first order, with r = 1 - q*y0 exactly.
    const Real q = 1.0L / y0;
    const TwoReal t = TwoProduct(q, y0);
    const Real r = (1.0L - t.Hi) - t.Lo;
    return Checked(q + q * (r - q * c));
}

// a^(1/b) for a > 0: 1/b is rounded, and a^(1/b) magnifies that error by ln a,
// so the rounding error of 1/b is added back to first order.
Real PositiveRoot(Real a, Real b) {
    if (IsInt32Integer(b))
        return IntegerRoot(a, static_cast<std::int64_t>(b));
    const TwoReal e = ReciprocalPair(b);
    const Real p = Checked(std::pow(a, e.Hi));
    return Checked(p + p * (e.Lo * std::log(a)));
}

void CheckLogArgument(Real x) {
    if (x == 0)
        Raise(CalcErrorKind::DivideByZero);
    if (x < 0)
        Raise(CalcErrorKind::InvalidOperation);
}

// b^k == a exactly, computed without rounding.
bool IsExactPower(Real a, Real b, Real k) {
    if (!IsInt32Integer(k) || k == 0)
        return false;
    const ScaledReal p = ScaledPower(b, static_cast<std::int64_t>(k));
    const ScaledReal s = Scaled(a);
    return p.Lo == 0 && p.Hi == s.Hi && p.Exp == s.Exp;
}

// ---- Operator helpers -----------------------------------------------------------

template <typename IntegerRule, typename RealRule>
void Arithmetic(const CalcValue& a, const CalcValue& b, CalcValue& r, IntegerRule integerRule,
                RealRule realRule) {
    const CalcValueMode mode = WiderMode(a.Mode, b.Mode);
    if (IsFloatMode(mode))
        StoreReal(r, mode, realRule(GetReal(a), GetReal(b)));
    else
        SetInteger(r, mode, integerRule(GetInteger(a), GetInteger(b)));
}

template <typename IntegerRule>
void Bitwise(const CalcValue& a, const CalcValue& b, CalcValue& r, IntegerRule integerRule) {
    const CalcValueMode mode = BitMode(WiderMode(a.Mode, b.Mode));
    SetInteger(r, mode, integerRule(GetInteger(a), GetInteger(b)));
}

// The shift count is the low 32 bits of B read as a signed number; the callers
// negate it in 64 bits, so -2^31 turns into +2^31 exactly.
std::int64_t ShiftCount(const CalcValue& b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Bits(GetInteger(b)) & 0xFFFFFFFFu));
}

template <typename ShiftRule>
void Shift(const CalcValue& a, const CalcValue& b, CalcValue& r, ShiftRule rule) {
    const CalcValueMode mode = BitMode(a.Mode);
    const std::int64_t n = ShiftCount(b);
    SetInteger(r, mode, rule(n, mode, GetInteger(a)));
}

template <typename Function> void RealFunction(CalcValue& v, Function function) {
    StoreReal(v, v.Mode, function(GetReal(v)));
}

std::uint64_t ReverseAllBits(std::uint64_t u) {
    u = ((u >> 1) & 0x5555555555555555u) | ((u & 0x5555555555555555u) << 1);
    u = ((u >> 2) & 0x3333333333333333u) | ((u & 0x3333333333333333u) << 2);
    u = ((u >> 4) & 0x0F0F0F0F0F0F0F0Fu) | ((u & 0x0F0F0F0F0F0F0F0Fu) << 4);
    u = ((u >> 8) & 0x00FF00FF00FF00FFu) | ((u & 0x00FF00FF00FF00FFu) << 8);
    u = ((u >> 16) & 0x0000FFFF0000FFFFu) | ((u & 0x0000FFFF0000FFFFu) << 16);
    return (u >> 32) | (u << 32);
}

} // namespace

// ---- Modes -------------------------------------------------------------------------

CalcValueMode WiderMode(CalcValueMode a, CalcValueMode b) {
    return static_cast<int>(a) >= static_cast<int>(b) ? a : b;
}

CalcValueMode BitMode(CalcValueMode mode) {
    return IsFloatMode(mode) ? CalcValueMode::QWord : mode;
}

// ---- Binary operations -----------------------------------------------------------

void Add(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Arithmetic(
        a, b, r, [](std::int64_t x, std::int64_t y) { return Wrap(Bits(x) + Bits(y)); },
        [](Real x, Real y) { return x + y; });
}

void Sub(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Arithmetic(
        a, b, r, [](std::int64_t x, std::int64_t y) { return Wrap(Bits(x) - Bits(y)); },
        [](Real x, Real y) { return x - y; });
}

void Mul(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Arithmetic(
        a, b, r, [](std::int64_t x, std::int64_t y) { return Wrap(Bits(x) * Bits(y)); },
        [](Real x, Real y) { return x * y; });
}

void Div(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Arithmetic(
        a, b, r,
        [](std::int64_t x, std::int64_t y) {
            if (y == 0)
                Raise(CalcErrorKind::DivideByZero);
            // The smallest integer divided by -1 wraps to itself.
            return y == -1 ? Wrap(0 - Bits(x)) : x / y;
        },
        [](Real x, Real y) {
            if (y == 0)
                Raise(x == 0 ? CalcErrorKind::InvalidOperation : CalcErrorKind::DivideByZero);
            return x / y;
        });
}

void Mod(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Bitwise(a, b, r, [](std::int64_t x, std::int64_t y) -> std::int64_t {
        if (y == 0)
            Raise(CalcErrorKind::DivideByZero);
        return y == -1 ? 0 : x % y;
    });
}

void And(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Bitwise(a, b, r, [](std::int64_t x, std::int64_t y) { return x & y; });
}

void Or(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Bitwise(a, b, r, [](std::int64_t x, std::int64_t y) { return x | y; });
}

void Xor(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Bitwise(a, b, r, [](std::int64_t x, std::int64_t y) { return x ^ y; });
}

void ShiftLeft(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Shift(a, b, r, [](std::int64_t n, CalcValueMode mode, std::int64_t v) {
        return ShiftBits(-n, false, mode, v);
    });
}

void ShiftRight(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Shift(a, b, r, [](std::int64_t n, CalcValueMode mode, std::int64_t v) {
        return ShiftBits(n, false, mode, v);
    });
}

void ShiftRightArith(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Shift(a, b, r, [](std::int64_t n, CalcValueMode mode, std::int64_t v) {
        return ShiftBits(n, true, mode, v);
    });
}

void RotateLeft(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Shift(a, b, r, [](std::int64_t n, CalcValueMode mode, std::int64_t v) {
        return RotateBits(n, mode, v);
    });
}

void RotateRight(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    Shift(a, b, r, [](std::int64_t n, CalcValueMode mode, std::int64_t v) {
        return RotateBits(-n, mode, v);
    });
}

void Power(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    StoreReal(r, a.Mode, Power(GetReal(a), GetReal(b)));
}

void Root(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    const Real x = GetReal(a);
    const Real y = GetReal(b);
    if (y == 0)
        Raise(CalcErrorKind::DivideByZero);
    const Real e = Checked(1.0L / y);
    // Only a positive radicand with a non-integral 1/y leaves the rule of Power;
    // there the root is taken of y itself rather than of the rounded 1/y.
    const bool integralPower = IsInt32Integer(e);
    StoreReal(r, a.Mode, !integralPower && x > 0 ? PositiveRoot(x, y) : Power(x, e));
}

void LogN(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    const Real x = GetReal(a);
    const Real base = GetReal(b);
    CheckLogArgument(x);
    CheckLogArgument(base);
    const Real lx = std::log2(x);
    const Real lb = std::log2(base);
    if (lb == 0)
        Raise(lx == 0 ? CalcErrorKind::InvalidOperation : CalcErrorKind::DivideByZero);
    Real q = Checked(lx / lb);
    // The quotient of two rounded logarithms can miss an exact integer result
    // (log of 1000 to base 10); check the nearest integer exactly.
    const Real k = std::round(q);
    if (k != q && std::fabs(q - k) < 0x1p-50L * std::fabs(k) && IsExactPower(x, base, k))
        q = k;
    StoreReal(r, a.Mode, q);
}

// ---- Power ------------------------------------------------------------------------

Real Power(Real base, Real exponent) {
    if (exponent == 0)
        return 1.0L;
    if (base == 0 && exponent > 0)
        return 0.0L;
    if (IsInt32Integer(exponent)) {
        if (base == 0)
            Raise(CalcErrorKind::DivideByZero);
        return ToReal(ScaledPower(base, static_cast<std::int64_t>(exponent)));
    }
    if (base < 0)
        Raise(CalcErrorKind::InvalidOperation);
    if (base == 0)
        Raise(CalcErrorKind::DivideByZero);
    return Checked(std::pow(base, exponent));
}

// ---- Shifts and rotations ------------------------------------------------------------

std::int64_t ShiftBits(std::int64_t count, bool arithmetic, CalcValueMode mode, std::int64_t v) {
    const std::uint64_t u = Bits(v);
    if (count <= 0)
        return count <= -64 ? 0 : Wrap(u << -count);
    const int w = BitCountOf(mode);
    const bool negative = ((u >> (w - 1)) & 1) != 0;
    if (count >= w)
        return arithmetic && negative ? -1 : 0;
    const std::uint64_t r = u >> count;
    const std::uint64_t fill = ~std::uint64_t{0} << (w - count);
    return Wrap(arithmetic && negative ? r | fill : r & ~fill);
}

std::int64_t RotateBits(std::int64_t count, CalcValueMode mode, std::int64_t v) {
    const int w = BitCountOf(mode);
    // Bits above the width would otherwise rotate into it.
    const std::uint64_t u = Bits(v) & LowMask(w);
    const std::uint64_t magnitude = count >= 0 ? Bits(count) : 0 - Bits(count);
    const int r = static_cast<int>(magnitude % static_cast<std::uint64_t>(w));
    if (r == 0)
        return Wrap(u);
    if (count >= 0)
        return Wrap((u << r) | ((u >> (w - r)) & LowMask(r)));
    return Wrap((u >> r) | ((u & LowMask(r)) << (w - r)));
}

void ShiftValue(CalcValue& v, int count, bool rotate, bool arithmetic) {
    const CalcValueMode mode = BitMode(v.Mode);
    const std::int64_t x = GetInteger(v);
    const std::int64_t n = count;
    std::int64_t r = 0;
    if (rotate)
        r = RotateBits(n, mode, x);
    else if (n < 0)
        r = ShiftBits(-n, arithmetic, mode, x);
    else
        r = ShiftBits(-n, false, mode, x);
    SetInteger(v, mode, r);
}

// ---- Unary operations -------------------------------------------------------------

void Negate(CalcValue& v) {
    if (IsFloatMode(v.Mode))
        StoreReal(v, v.Mode, -GetReal(v));
    else
        SetInteger(v, v.Mode, Wrap(0 - Bits(GetInteger(v))));
}

void Not(CalcValue& v) {
    const CalcValueMode mode = BitMode(v.Mode);
    SetInteger(v, mode, ~GetInteger(v));
}

void ReverseByteOrder(CalcValue& v) {
    const CalcValueMode mode = BitMode(v.Mode);
    std::int64_t x = GetInteger(v);
    ReverseBytes(x, mode);
    SetInteger(v, mode, x);
}

void ReverseBitOrder(CalcValue& v) {
    const CalcValueMode mode = BitMode(v.Mode);
    const std::uint64_t x = Bits(GetInteger(v)) & LowMask(BitCountOf(mode));
    SetInteger(v, mode, Wrap(ReverseAllBits(x) >> (64 - BitCountOf(mode))));
}

// floorl, ceill and roundl are exact, so they agree with the step-by-step
// rules for every input; roundl also gets the largest double below 0.5 right,
// which x + 0.5 would round up to 1.
void Floor(CalcValue& v) {
    if (IsFloatMode(v.Mode))
        RealFunction(v, [](Real x) { return std::floor(x); });
}

void Ceil(CalcValue& v) {
    if (IsFloatMode(v.Mode))
        RealFunction(v, [](Real x) { return std::ceil(x); });
}

void Round(CalcValue& v) {
    if (IsFloatMode(v.Mode))
        RealFunction(v, [](Real x) { return std::round(x); });
}

void Frac(CalcValue& v) {
    if (IsFloatMode(v.Mode))
        RealFunction(v, [](Real x) { return x - std::trunc(x); });
    else
        v.IntValue = 0;
}

void Square(CalcValue& v) {
    RealFunction(v, [](Real x) { return x * x; });
}

void Sqrt(CalcValue& v) {
    RealFunction(v, [](Real x) {
        if (x < 0)
            Raise(CalcErrorKind::InvalidOperation);
        return std::sqrt(x);
    });
}

void Reciprocal(CalcValue& v) {
    RealFunction(v, [](Real x) {
        if (x == 0)
            Raise(CalcErrorKind::DivideByZero);
        return Checked(1.0L / x);
    });
}

void Factorial(CalcValue& v) {
    const std::int64_t n = GetInteger(v);
    if (n < 0)
        throw CalcError(CalcErrorKind::InvalidArgument,
                        "Factorial for negative numbers are not defined");
    // Every product up to 20! is exact; from 1755 on the product leaves the
    // range, so the loop ends after at most 1754 steps for any n.
    Real r = 1.0L;
    for (std::int64_t k = 2; k <= n; ++k)
        r = Checked(r * static_cast<Real>(k));
    StoreReal(v, v.Mode, r);
}

void Ln(CalcValue& v) {
    RealFunction(v, [](Real x) {
        CheckLogArgument(x);
        return std::log(x);
    });
}

void Log2(CalcValue& v) {
    RealFunction(v, [](Real x) {
        CheckLogArgument(x);
        return std::log2(x);
    });
}

void Log10(CalcValue& v) {
    RealFunction(v, [](Real x) {
        CheckLogArgument(x);
        return std::log10(x);
    });
}

void Exp(CalcValue& v) {
    // expl is correctly reduced; 2^(x·log2 e) would lose the bits of x·log2 e
    // beyond the 64th, a relative error of up to |x|·2^-64.
    RealFunction(v, [](Real x) { return Checked(std::exp(x)); });
}

void Exp2(CalcValue& v) {
    RealFunction(v, [](Real x) { return Power(2.0L, x); });
}

void Exp10(CalcValue& v) {
    RealFunction(v, [](Real x) { return Power(10.0L, x); });
}

// ---- Trigonometric functions -------------------------------------------------------

namespace {

struct AngleScale {
    Real Period;     // a full turn in the unit
    Real Quarter;    // a right angle
    Real ToRadianHi; // one unit in radians, as hi + lo
    Real ToRadianLo;
    Real FromRadianHi; // one radian in the unit, as hi + lo
    Real FromRadianLo;
};

// pi/180, 180/pi, pi/200 and 200/pi to 128 bits.
constexpr AngleScale DegreeScale{360.0L,
                                 90.0L,
                                 0x8.efa351294e9c8aep-9L,
                                 0xe.c5f66e9485c4d9p-77L,
                                 0xe.52ee0d31e0fbdc3p+2L,
                                 0xa.97537f40d257d73p-66L};
constexpr AngleScale GradianScale{400.0L,
                                  100.0L,
                                  0x8.0adfc90b938ce36p-9L,
                                  0x8.0fdeec70b572f2p-74L,
                                  0xf.ea5dd5c5a4a6112p+2L,
                                  -0xc.c050d8fe1bacb05p-63L};

const AngleScale& ScaleOf(AngleUnit unit) {
    return unit == AngleUnit::Gradian ? GradianScale : DegreeScale;
}

void CheckKind(TrigFunctionKind kind) {
    if (kind != TrigFunctionKind::Sin && kind != TrigFunctionKind::Cos &&
        kind != TrigFunctionKind::Tan)
        throw AssertionFailure("CalcArithmetic");
}

// An angle in radians as hi + lo.
TwoReal ToRadians(Real x, AngleUnit unit) {
    if (unit == AngleUnit::Radian)
        return {x, 0.0L};
    const AngleScale& s = ScaleOf(unit);
    return MultiplyPair(x, s.ToRadianHi, s.ToRadianLo);
}

// sin, cos, tan and cot of hi + lo, corrected to first order in lo.
Real SinOf(TwoReal t) {
    return std::sin(t.Hi) + std::cos(t.Hi) * t.Lo;
}
Real CosOf(TwoReal t) {
    return std::cos(t.Hi) - std::sin(t.Hi) * t.Lo;
}
Real TanOf(TwoReal t) {
    const Real y = std::tan(t.Hi);
    return y + (1.0L + y * y) * t.Lo;
}
Real CotOf(TwoReal t) {
    const Real y = std::cos(t.Hi) / std::sin(t.Hi);
    return y - (1.0L + y * y) * t.Lo;
}

// Functions of a reduced angle r (|r| <= 1/8 turn, in degrees or gradians)
// with the exact values a user checks by eye.
Real ReducedSin(Real r, AngleUnit unit) {
    if (r == 0)
        return 0.0L;
    if (unit == AngleUnit::Degree && std::fabs(r) == 30.0L)
        return r > 0 ? 0.5L : -0.5L;
    return SinOf(ToRadians(r, unit));
}

Real ReducedCos(Real r, AngleUnit unit) {
    if (r == 0)
        return 1.0L;
    return CosOf(ToRadians(r, unit));
}

Real ReducedTan(Real r, AngleUnit unit, bool cotangent) {
    const Real eighth = ScaleOf(unit).Quarter / 2;
    if (std::fabs(r) == eighth)
        return r > 0 ? 1.0L : -1.0L;
    if (!cotangent)
        return r == 0 ? 0.0L : TanOf(ToRadians(r, unit));
    // A pole: tan 90° has no value.
    if (r == 0)
        Raise(CalcErrorKind::InvalidOperation);
    return CotOf(ToRadians(r, unit));
}

// Circular functions of an angle in degrees or gradians. The angle is reduced
// exactly (fmod is exact, and so is taking off whole right angles), so that
// sin 180° is 0 and sin 30° is 0.5 however large the multiple of a turn.
Real CircularInUnit(Real x, TrigFunctionKind kind, AngleUnit unit) {
    const AngleScale& s = ScaleOf(unit);
    const Real turn = std::fmod(x, s.Period);
    const Real q = std::round(turn / s.Quarter);
    const Real r = turn - q * s.Quarter;
    const int quadrant = (static_cast<int>(q) % 4 + 4) % 4;
    switch (kind) {
    case TrigFunctionKind::Sin:
        switch (quadrant) {
        case 0:
            return ReducedSin(r, unit);
        case 1:
            return ReducedCos(r, unit);
        case 2:
            return -ReducedSin(r, unit);
        default:
            return -ReducedCos(r, unit);
        }
    case TrigFunctionKind::Cos:
        switch (quadrant) {
        case 0:
            return ReducedCos(r, unit);
        case 1:
            return -ReducedSin(r, unit);
        case 2:
            return -ReducedCos(r, unit);
        default:
            return ReducedSin(r, unit);
        }
    case TrigFunctionKind::Tan:
        break;
    }
    return quadrant % 2 == 0 ? ReducedTan(r, unit, false) : -ReducedTan(r, unit, true);
}

// sinh and cosh fail when e^|x| leaves the range, whatever the sign of x.
void CheckHyperbolicRange(Real x) {
    if (std::isinf(std::exp(std::fabs(x))))
        Raise(CalcErrorKind::Overflow);
}

Real Hyperbolic(TwoReal t, TrigFunctionKind kind) {
    switch (kind) {
    case TrigFunctionKind::Sin:
        CheckHyperbolicRange(t.Hi);
        return std::sinh(t.Hi) + std::cosh(t.Hi) * t.Lo;
    case TrigFunctionKind::Cos:
        CheckHyperbolicRange(t.Hi);
        return std::cosh(t.Hi) + std::sinh(t.Hi) * t.Lo;
    case TrigFunctionKind::Tan:
        break;
    }
    const Real y = std::tanh(t.Hi);
    return y + (1.0L - y * y) * t.Lo;
}

// The exactly known results of the inverse functions in degrees and gradians.
bool ExactInverse(TrigFunctionKind kind, Real y, AngleUnit unit, Real& result) {
    const Real q = ScaleOf(unit).Quarter;
    const bool degree = unit == AngleUnit::Degree;
    switch (kind) {
    case TrigFunctionKind::Sin:
        if (y == 0 || std::fabs(y) == 1) {
            result = y * q;
            return true;
        }
        if (degree && std::fabs(y) == 0.5L) {
            result = y * 60.0L;
            return true;
        }
        return false;
    case TrigFunctionKind::Cos:
        if (y == 0 || std::fabs(y) == 1) {
            result = (1.0L - y) * q;
            return true;
        }
        if (degree && std::fabs(y) == 0.5L) {
            result = y > 0 ? 60.0L : 120.0L;
            return true;
        }
        return false;
    case TrigFunctionKind::Tan:
        break;
    }
    if (y == 0 || std::fabs(y) == 1) {
        result = y * q / 2;
        return true;
    }
    return false;
}

Real InverseCircular(Real y, TrigFunctionKind kind) {
    switch (kind) {
    case TrigFunctionKind::Sin:
        if (std::fabs(y) > 1)
            Raise(CalcErrorKind::InvalidOperation);
        return std::asin(y);
    case TrigFunctionKind::Cos:
        if (std::fabs(y) > 1)
            Raise(CalcErrorKind::InvalidOperation);
        return std::acos(y);
    case TrigFunctionKind::Tan:
        break;
    }
    return std::atan(y);
}

// atanh a = ½·log1p(2a/(1−a)) for 0 < a < 1, with the quotient carried to
// about 128 bits: its rounding would otherwise pass straight into the result,
// as it does in atanhl.
Real InverseTanhMagnitude(Real a) {
    const Real num = 2 * a;
    const TwoReal den = FastTwoSum(1.0L, -a); // 1 − a as hi + lo
    const Real u = num / den.Hi;
    const TwoReal back = TwoProduct(u, den.Hi);
    const Real lo = ((num - back.Hi) - back.Lo - u * den.Lo) / den.Hi;
    // log1pl is good below 2^-10 and loses up to 2.2 ulps above, where the log
    // of the exactly split sum 1 + u does better.
    if (u < 0x1p-10L)
        return 0.5L * (std::log1p(u) + lo / (1.0L + u));
    const TwoReal sum = FastTwoSum(u > 1 ? u : 1.0L, u > 1 ? 1.0L : u);
    return 0.5L * (std::log(sum.Hi) + (sum.Lo + lo) / sum.Hi);
}

Real InverseHyperbolic(Real y, TrigFunctionKind kind) {
    switch (kind) {
    case TrigFunctionKind::Sin:
        return std::asinh(y);
    case TrigFunctionKind::Cos:
        // acosh has no real value below 1; answering 0 there would show a
        // wrong number as if it were a result.
        if (y < 1)
            Raise(CalcErrorKind::InvalidOperation);
        return std::acosh(y);
    case TrigFunctionKind::Tan:
        break;
    }
    if (y == 0)
        return 0.0L;
    // At and beyond ±1 the result is the largest real, so that the angle
    // conversion overflows and a store in radians is out of range.
    if (std::fabs(y) >= 1)
        return y > 0 ? LDBL_MAX : -LDBL_MAX;
    return std::copysign(InverseTanhMagnitude(std::fabs(y)), y);
}

Real FromRadians(Real r, AngleUnit unit) {
    if (unit == AngleUnit::Radian)
        return r;
    const AngleScale& s = ScaleOf(unit);
    if (std::isinf(r * s.FromRadianHi))
        Raise(CalcErrorKind::Overflow);
    const TwoReal p = MultiplyPair(r, s.FromRadianHi, s.FromRadianLo);
    return p.Hi + p.Lo;
}

} // namespace

void TrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit) {
    CheckKind(kind);
    const Real x = GetReal(v);
    Real r = 0;
    if (hyperbolic)
        r = Hyperbolic(ToRadians(x, unit), kind);
    else if (unit == AngleUnit::Radian)
        r = kind == TrigFunctionKind::Sin   ? std::sin(x)
            : kind == TrigFunctionKind::Cos ? std::cos(x)
                                            : std::tan(x);
    else
        r = CircularInUnit(x, kind, unit);
    StoreReal(v, v.Mode, r);
}

void InverseTrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit) {
    CheckKind(kind);
    const Real y = GetReal(v);
    Real r = 0;
    if (hyperbolic)
        r = FromRadians(InverseHyperbolic(y, kind), unit);
    else if (unit == AngleUnit::Radian || !ExactInverse(kind, y, unit, r))
        r = FromRadians(InverseCircular(y, kind), unit);
    StoreReal(v, v.Mode, r);
}

std::string TrigFunctionCaption(TrigFunctionKind kind, bool inverse, bool hyperbolic) {
    CheckKind(kind);
    std::string caption = inverse ? "a" : "";
    caption += TrigFunctionNames[static_cast<int>(kind)];
    if (hyperbolic)
        caption += 'h';
    return caption;
}

// ---- Tables ------------------------------------------------------------------------

const TBinaryOperatorInfo BinaryOperators[BinaryOperatorCount] = {
    {&Add, "+"},
    {&Sub, "-"},
    {&Mul, "*"},
    {&Div, "/"},
    {&Mod, "%"},
    {&And, "&"},
    {&Or, "|"},
    {&Xor, "^"},
    {&ShiftLeft, "<<"},
    {&ShiftRight, ">>"},
    {&ShiftRightArith, "a>"},
    {&RotateLeft, "<r"},
    {&RotateRight, "r>"},
    {&Power, "p"},
    {&Root, "rt"},
    {&LogN, "log"},
};

const TUnaryOperatorInfo UnaryOperators[UnaryOperatorCount] = {
    {&Negate, "+/-"},  {&Not, "not"},    {&ReverseByteOrder, "rev"}, {&ReverseBitOrder, "brev"},
    {&Floor, "floor"}, {&Ceil, "ceil"},  {&Round, "round"},          {&Frac, "frac"},
    {&Square, "x^2"},  {&Sqrt, "sqrt"},  {&Reciprocal, "1/x"},       {&Factorial, "n!"},
    {&Ln, "ln"},       {&Log2, "log2"},  {&Log10, "log10"},          {&Exp, "e^x"},
    {&Exp2, "2^x"},    {&Exp10, "10^x"},
};

} // namespace pexa
