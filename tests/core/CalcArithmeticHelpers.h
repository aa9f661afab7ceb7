#pragma once

// The values and operations the arithmetic tests build their cases from: values
// stored the way the engine stores them, the operator tables applied by index, and
// the kind of failure an operation raises.

#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>

namespace pexa::test {

using M = CalcValueMode;
using K = CalcErrorKind;
inline constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
inline constexpr Real TwoTo63 = 9223372036854775808.0L;
inline const M AllModes[] = {M::Byte, M::Word, M::DWord, M::QWord, M::Float};
inline const M IntegerModes[] = {M::Byte, M::Word, M::DWord, M::QWord};
__extension__ typedef __int128 Int128;

inline CalcValue I(M mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}

inline CalcValue F(Real x) {
    return MakeReal(M::Float, x);
}

inline CalcValue Binary(int op, const CalcValue& a, const CalcValue& b) {
    CalcValue r;
    BinaryOperators[op].Operation(a, b, r);
    return r;
}

inline CalcValue Unary(int op, CalcValue v) {
    UnaryOperators[op].Operation(v);
    return v;
}

inline CalcValue Trig(Real x, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit,
                      bool inverse) {
    CalcValue v = F(x);
    if (inverse)
        InverseTrigFunction(v, kind, hyperbolic, unit);
    else
        TrigFunction(v, kind, hyperbolic, unit);
    return v;
}

// The kind raised by f, or MathError with a failure when nothing is raised.
inline K KindOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "no CalcError raised";
    return K::MathError;
}

inline int Width(M mode) {
    return 8 * ModeByteCount[static_cast<int>(mode)];
}

inline std::uint64_t Mask(M mode) {
    return Width(mode) == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << Width(mode)) - 1;
}

// A random value in a random mode, stored the way the engine stores it.
inline CalcValue RandomValue(std::mt19937_64& rng, M mode) {
    const auto raw = static_cast<std::int64_t>(rng());
    if (mode != M::Float)
        return I(mode, raw >> (rng() % 64));
    std::uniform_real_distribution<double> digits(-1.0, 1.0);
    const Real scale = std::ldexp(1.0L, static_cast<int>(rng() % 63));
    return F(static_cast<Real>(digits(rng)) * scale);
}

} // namespace pexa::test
