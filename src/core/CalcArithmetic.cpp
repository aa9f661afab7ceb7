#include "core/CalcArithmetic.h"

#include "core/BitCounts.h"
#include "core/CalcError.h"
#include "core/ModeWidth.h"
#include "core/RealFunctions.h"

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
    StoreReal(r, a.Mode, real::Power(GetReal(a), GetReal(b)));
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
    StoreReal(r, a.Mode, !integralPower && x > 0 ? real::Root(x, y) : real::Power(x, e));
}

void LogN(const CalcValue& a, const CalcValue& b, CalcValue& r) {
    StoreReal(r, a.Mode, real::LogN(GetReal(a), GetReal(b)));
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
    RealFunction(v, real::Sqrt);
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
    RealFunction(v, real::Ln);
}

void Log2(CalcValue& v) {
    RealFunction(v, real::Log2);
}

void Log10(CalcValue& v) {
    RealFunction(v, real::Log10);
}

void Exp(CalcValue& v) {
    RealFunction(v, real::Exp);
}

void Exp2(CalcValue& v) {
    RealFunction(v, real::Exp2);
}

void Exp10(CalcValue& v) {
    RealFunction(v, real::Exp10);
}

// ---- Trigonometric functions -------------------------------------------------------

void TrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit) {
    const Real x = GetReal(v);
    StoreReal(v, v.Mode,
              hyperbolic ? real::Hyperbolic(x, kind, unit) : real::Circular(x, kind, unit));
}

void InverseTrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit) {
    const Real y = GetReal(v);
    StoreReal(v, v.Mode,
              hyperbolic ? real::InverseHyperbolic(y, kind, unit)
                         : real::InverseCircular(y, kind, unit));
}

std::string TrigFunctionCaption(TrigFunctionKind kind, bool inverse, bool hyperbolic) {
    if (kind != TrigFunctionKind::Sin && kind != TrigFunctionKind::Cos &&
        kind != TrigFunctionKind::Tan)
        throw AssertionFailure("CalcArithmetic");
    std::string caption = inverse ? "a" : "";
    caption += TrigFunctionNames[static_cast<int>(kind)];
    if (hyperbolic)
        caption += 'h';
    return caption;
}

// ---- Tables ------------------------------------------------------------------------

const BinaryOperatorInfo BinaryOperators[BinaryOperatorCount] = {
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

const UnaryOperatorInfo UnaryOperators[UnaryOperatorCount] = {
    {&Negate, "+/-"},
    {&Not, "not"},
    {&ReverseByteOrder, "rev"},
    {&ReverseBitOrder, "brev"},
    {&Floor, "floor"},
    {&Ceil, "ceil"},
    {&Round, "round"},
    {&Frac, "frac"},
    {&Square, "x^2"},
    {&Sqrt, "sqrt"},
    {&Reciprocal, "1/x"},
    {&Factorial, "n!"},
    {&Ln, "ln"},
    {&Log2, "log2"},
    {&Log10, "log10"},
    {&Exp, "e^x"},
    {&Exp2, "2^x"},
    {&Exp10, "10^x"},
    {&PopCount, "popcount"},
    {&CountLeadingZeros, "clz"},
    {&CountTrailingZeros, "ctz"},
};

} // namespace pexa
