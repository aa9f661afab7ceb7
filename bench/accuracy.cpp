// Accuracy of the calculator's real functions against MPFR at 256 bits.
//
// For every function (and angle unit) it samples inputs over the range a value
// can hold, runs the calculator's operation on a Real value, and prints the
// largest and the mean error in units in the last place of a long double. Next
// to it stands the textbook formula the calculator would otherwise use (e^x as
// 2^(x log2 e), angles converted with one rounded factor, asin through atan2,
// powers as e^(y ln x), …), so each improvement shows as a number. A maximum of
// 0.500 means every sample was correctly rounded.
//
// The operations can store no value beyond the 64-bit integer range, so the
// functions' own edges (results near overflow, subnormal results, arguments
// next to poles and zeros) are sampled on core/RealFunctions.h directly.
//
//   bench_accuracy [samples-per-function]      (default 100000)
#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"
#include "core/MpfrUlp.h"
#include "core/RealFunctions.h"

#include <mpfr.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace pexa;

namespace {

using test::Mp;
using test::Precision;
using test::UlpError;

using Function = std::function<Real(Real, Real)>;
using Reference = std::function<void(mpfr_t, const mpfr_t, const mpfr_t)>;
using Sampler = std::function<std::pair<Real, Real>(std::mt19937_64&)>;
using Mpfr1 = int (*)(mpfr_t, const mpfr_t, mpfr_rnd_t);

struct Case {
    std::string name;
    std::string unit;
    Function pexa;
    Function formula;
    Reference reference;
    Sampler sample;
    // The function is exactly 0 at some arguments of magnitude 1 or more (sin
    // 180°), where the reference misses it by far less than any long double.
    bool exactZeros = false;
};

Real Uniform(std::mt19937_64& rng, Real lo, Real hi) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    // Two draws fill all 64 bits of the significand.
    const Real t = static_cast<Real>(u(rng)) + static_cast<Real>(u(rng)) * 0x1p-53L;
    return lo + (hi - lo) * std::min(t, 1.0L);
}

Real LogUniform(std::mt19937_64& rng, Real lo, Real hi) {
    const Real x = lo * std::pow(hi / lo, Uniform(rng, 0, 1));
    return std::nextafter(x, rng() % 2 ? hi : lo); // odd low bits too
}

Sampler Linear(Real lo, Real hi) {
    return [=](std::mt19937_64& rng) { return std::pair<Real, Real>{Uniform(rng, lo, hi), 0}; };
}

Sampler Logarithmic(Real lo, Real hi, bool bothSigns = false) {
    return [=](std::mt19937_64& rng) {
        const Real x = LogUniform(rng, lo, hi);
        return std::pair<Real, Real>{bothSigns && rng() % 2 ? -x : x, 0};
    };
}

Function Unary(int op) {
    return [op](Real x, Real) {
        CalcValue v = MakeReal(CalcValueMode::Float, x);
        UnaryOperators[op].Operation(v);
        return GetReal(v);
    };
}

Function Binary(int op) {
    return [op](Real x, Real y) {
        CalcValue r;
        BinaryOperators[op].Operation(MakeReal(CalcValueMode::Float, x),
                                      MakeReal(CalcValueMode::Float, y), r);
        return GetReal(r);
    };
}

Reference One(Mpfr1 f) {
    return [f](mpfr_t out, const mpfr_t x, const mpfr_t) { f(out, x, MPFR_RNDN); };
}

// ---- The textbook formulas ---------------------------------------------------------

constexpr Real Log2E = 1.4426950408889634074L;
constexpr Real Ln2 = 0.69314718055994530942L;

// logN as the textbook writes it, and its reference: ln x / ln b, rounded
// once at the reference precision for each step.
Real NaiveLogN(Real x, Real base) {
    return std::log2(x) / std::log2(base);
}

void MpfrLogN(mpfr_t out, const mpfr_t x, const mpfr_t base) {
    Mp lnBase;
    mpfr_log(out, x, MPFR_RNDN);
    mpfr_log(lnBase.v, base, MPFR_RNDN);
    mpfr_div(out, out, lnBase.v, MPFR_RNDN);
}

Real NaivePower(Real base, Real exponent) {
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    if (std::fabs(exponent) <= 2147483647.0L && exponent == std::trunc(exponent)) {
        auto n = static_cast<long long>(std::fabs(exponent));
        Real r = 1;
        Real b = base;
        while (n != 0) {
            if (n & 1)
                r *= b;
            n >>= 1;
            b *= b;
        }
        return exponent < 0 ? 1 / r : r;
    }
    return std::exp(exponent * std::log(base));
}

Real NaiveToUnit(Real r, AngleUnit unit) {
    return unit == AngleUnit::Degree    ? r * 57.295779513082320877L
           : unit == AngleUnit::Gradian ? r * 63.661977236758134308L
                                        : r;
}

Real NaiveToRadian(Real x, AngleUnit unit) {
    return unit == AngleUnit::Degree    ? x * 0.017453292519943295769L
           : unit == AngleUnit::Gradian ? x * 0.015707963267948966192L
                                        : x;
}

Real NaiveTrig(Real x, int kind, bool hyperbolic, AngleUnit unit) {
    const Real t = NaiveToRadian(x, unit);
    if (hyperbolic)
        return kind == 0 ? std::sinh(t) : kind == 1 ? std::cosh(t) : std::tanh(t);
    return kind == 0 ? std::sin(t) : kind == 1 ? std::cos(t) : std::tan(t);
}

Real NaiveInverse(Real y, int kind, bool hyperbolic, AngleUnit unit) {
    Real r = 0;
    const Real a = std::fabs(y);
    if (!hyperbolic)
        r = kind == 0   ? std::atan2(y, std::sqrt(1 - y * y))
            : kind == 1 ? std::atan2(std::sqrt(1 - y * y), y)
                        : std::atan(y);
    else if (kind == 0)
        r = std::copysign(std::log(a + std::sqrt(a * a + 1)), y);
    else if (kind == 1)
        r = y <= 1       ? 0
            : y <= 1e10L ? std::log(y + std::sqrt((y - 1) * (y + 1)))
                         : Ln2 + std::log(y);
    else
        r = y == 0 ? 0 : std::copysign(0.5L * std::log(1 + 2 * a / (1 - a)), y);
    return NaiveToUnit(r, unit);
}

// ---- The edges of the functions' ranges ----------------------------------------------

using RealFunction = Real (*)(Real);
using AngleFunction = Real (*)(Real, TrigFunctionKind, AngleUnit);

Function Direct(RealFunction f) {
    return [f](Real x, Real) { return f(x); };
}

Function Direct(AngleFunction f, TrigFunctionKind kind, AngleUnit unit) {
    return [=](Real x, Real) { return f(x, kind, unit); };
}

// x + d, with d drawn from [lo, hi] on a logarithmic scale; side > 0 keeps
// above x, side < 0 below, 0 takes either.
Sampler Around(Real x, Real lo, Real hi, int side = 0) {
    return [=](std::mt19937_64& rng) {
        const Real d = LogUniform(rng, lo, hi);
        const bool below = side < 0 || (side == 0 && rng() % 2);
        return std::pair<Real, Real>{below ? x - d : x + d, 0};
    };
}

// Within 8 ulps of (k + shift)·step for k below 10^6: next to the zeros and
// poles of the circular functions in radians.
Sampler NearMultiples(Real step, Real shift) {
    return [=](std::mt19937_64& rng) {
        const Real x = (std::round(Uniform(rng, 0, 1e6L)) + shift) * step;
        const auto ulps = static_cast<Real>(static_cast<int>(rng() % 17) - 8);
        return std::pair<Real, Real>{x + ulps * std::ldexp(1.0L, std::ilogb(x) - 63), 0};
    };
}

// (k + shift)·step + d for |k| below 10^6 and 10^-10 <= |d| <= 1: next to the
// zeros and poles in degrees and gradians, where those are exact.
Sampler NearAngles(Real step, Real shift) {
    return [=](std::mt19937_64& rng) {
        const Real k = std::round(Uniform(rng, -1e6L, 1e6L));
        const Real d = LogUniform(rng, 1e-10L, 1);
        return std::pair<Real, Real>{(k + shift) * step + (rng() % 2 ? d : -d), 0};
    };
}

// x^y with x^y near 2^e for a binary exponent e drawn from [lo, hi].
Sampler PowerNear(Real lo, Real hi) {
    return [=](std::mt19937_64& rng) {
        const Real x = LogUniform(rng, 1.5L, 1e3L);
        const Real y = Uniform(rng, lo, hi) / std::log2(x);
        // (1/x)^(-y) is the same power with the other signs.
        return rng() % 2 ? std::pair<Real, Real>{x, y} : std::pair<Real, Real>{1 / x, -y};
    };
}

std::vector<Case> EdgeCases() {
    const Function naiveExp = [](Real x, Real) { return std::exp2(x * Log2E); };
    const Function naiveExp2 = [](Real x, Real) { return NaivePower(2, x); };
    const Function naiveExp10 = [](Real x, Real) { return NaivePower(10, x); };
    const Reference pow = [](mpfr_t out, const mpfr_t x, const mpfr_t y) {
        mpfr_pow(out, x, y, MPFR_RNDN);
    };
    const Real subnormal = 1e-4935L; // below the smallest normal, 3.4e-4932
    std::vector<Case> cases = {
        {"e^x", "subnormal", Direct(real::Exp), naiveExp, One(mpfr_exp), Linear(-11399, -11355.2L)},
        {"e^x", "overflow", Direct(real::Exp), naiveExp, One(mpfr_exp), Linear(11300, 11356.5L)},
        {"2^x", "subnormal", Direct(real::Exp2), naiveExp2, One(mpfr_exp2), Linear(-16445, -16382)},
        {"2^x", "overflow", Direct(real::Exp2), naiveExp2, One(mpfr_exp2),
         Linear(16300, 16383.99L)},
        {"10^x", "subnormal", Direct(real::Exp10), naiveExp10, One(mpfr_exp10),
         Linear(-4950, -4932)},
        {"10^x", "overflow", Direct(real::Exp10), naiveExp10, One(mpfr_exp10),
         Linear(4900, 4932.05L)},
        {"x^y", "subnormal", real::Power, NaivePower, pow, PowerNear(-16444, -16383)},
        {"x^y", "overflow", real::Power, NaivePower, pow, PowerNear(16000, 16383.9L)},
        {"log2", "near 1", Direct(real::Log2), [](Real x, Real) { return std::log2(x); },
         One(mpfr_log2), Around(1, 1e-19L, 0.1L)},
        {"log10", "near 1", Direct(real::Log10), [](Real x, Real) { return std::log10(x); },
         One(mpfr_log10), Around(1, 1e-19L, 0.1L)},
        {"logN", "base near 1", real::LogN, NaiveLogN, MpfrLogN,
         [](std::mt19937_64& rng) {
             const Real d = LogUniform(rng, 1e-18L, 1e-3L);
             const Real x = LogUniform(rng, 1, 1e4900L);
             return std::pair<Real, Real>{rng() % 2 ? x : 1 / x, rng() % 2 ? 1 + d : 1 - d};
         }},
        {"sin", "rad near 0s", Direct(real::Circular, TrigFunctionKind::Sin, AngleUnit::Radian),
         [](Real x, Real) { return std::sin(x); }, One(mpfr_sin), NearMultiples(M_PIl, 0)},
        {"cos", "rad near 0s", Direct(real::Circular, TrigFunctionKind::Cos, AngleUnit::Radian),
         [](Real x, Real) { return std::cos(x); }, One(mpfr_cos), NearMultiples(M_PIl, 0.5L)},
        {"tan", "rad poles", Direct(real::Circular, TrigFunctionKind::Tan, AngleUnit::Radian),
         [](Real x, Real) { return std::tan(x); }, One(mpfr_tan), NearMultiples(M_PIl, 0.5L)},
        {"acos", "rad near 1",
         Direct(real::InverseCircular, TrigFunctionKind::Cos, AngleUnit::Radian),
         [](Real y, Real) { return std::acos(y); }, One(mpfr_acos), Around(1, 1e-19L, 1e-3L, -1)},
        {"acosh", "rad near 1",
         Direct(real::InverseHyperbolic, TrigFunctionKind::Cos, AngleUnit::Radian),
         [](Real y, Real) { return std::acosh(y); }, One(mpfr_acosh), Around(1, 1e-19L, 1e-3L, 1)},
        {"atanh", "rad near 1",
         Direct(real::InverseHyperbolic, TrigFunctionKind::Tan, AngleUnit::Radian),
         [](Real y, Real) { return std::atanh(y); }, One(mpfr_atanh), Around(1, 1e-19L, 1e-3L, -1)},
    };

    const Mpfr1 forward[2][3] = {{mpfr_sin, mpfr_cos, mpfr_tan}, {mpfr_sinh, mpfr_cosh, mpfr_tanh}};
    const Mpfr1 inverse[2][3] = {{mpfr_asin, mpfr_acos, mpfr_atan},
                                 {mpfr_asinh, mpfr_acosh, mpfr_atanh}};
    const char* unitNames[] = {"deg", "rad", "grad"};
    const Real halfTurns[] = {180, 0, 200};
    for (int u = 0; u < 3; ++u) {
        const auto unit = static_cast<AngleUnit>(u);
        const std::string name = unitNames[u];
        const Reference toRadians = [unit](mpfr_t out, const mpfr_t x, const mpfr_t) {
            mpfr_set(out, x, MPFR_RNDN);
            if (unit != AngleUnit::Radian) {
                Mp pi;
                mpfr_const_pi(pi.v, MPFR_RNDN);
                mpfr_mul(out, out, pi.v, MPFR_RNDN);
                mpfr_div_ui(out, out, unit == AngleUnit::Degree ? 180 : 200, MPFR_RNDN);
            }
        };
        const auto forwardRef = [toRadians](Mpfr1 f) -> Reference {
            return [=](mpfr_t out, const mpfr_t x, const mpfr_t y) {
                Mp t;
                toRadians(t.v, x, y);
                f(out, t.v, MPFR_RNDN);
            };
        };
        const auto inverseRef = [unit](Mpfr1 g) -> Reference {
            return [=](mpfr_t out, const mpfr_t y, const mpfr_t) {
                g(out, y, MPFR_RNDN);
                if (unit != AngleUnit::Radian) {
                    Mp pi;
                    mpfr_const_pi(pi.v, MPFR_RNDN);
                    mpfr_mul_ui(out, out, unit == AngleUnit::Degree ? 180 : 200, MPFR_RNDN);
                    mpfr_div(out, out, pi.v, MPFR_RNDN);
                }
            };
        };
        for (int k = 0; k < 3; ++k) {
            const auto kind = static_cast<TrigFunctionKind>(k);
            const Function naive[2] = {[=](Real x, Real) { return NaiveTrig(x, k, false, unit); },
                                       [=](Real x, Real) { return NaiveTrig(x, k, true, unit); }};
            const Function naiveInverse[2] = {
                [=](Real x, Real) { return NaiveInverse(x, k, false, unit); },
                [=](Real x, Real) { return NaiveInverse(x, k, true, unit); }};
            const std::string circular = TrigFunctionCaption(kind, false, false);
            const std::string hyperbolic = TrigFunctionCaption(kind, false, true);
            // Subnormal results: the functions that are x to first order.
            if (kind != TrigFunctionKind::Cos) {
                const Sampler tiny = Logarithmic(1e-4950L, subnormal, true);
                cases.push_back({circular, name + " subnormal", Direct(real::Circular, kind, unit),
                                 naive[0], forwardRef(forward[0][k]), tiny});
                cases.push_back({hyperbolic, name + " subnormal",
                                 Direct(real::Hyperbolic, kind, unit), naive[1],
                                 forwardRef(forward[1][k]), tiny});
                cases.push_back({TrigFunctionCaption(kind, true, false), name + " subnormal",
                                 Direct(real::InverseCircular, kind, unit), naiveInverse[0],
                                 inverseRef(inverse[0][k]), tiny});
                cases.push_back({TrigFunctionCaption(kind, true, true), name + " subnormal",
                                 Direct(real::InverseHyperbolic, kind, unit), naiveInverse[1],
                                 inverseRef(inverse[1][k]), tiny});
            }
            // Next to the overflow of sinh and cosh, at e^|x| = LDBL_MAX.
            if (kind != TrigFunctionKind::Tan) {
                const Real limit = u == 1 ? 11356.5L : 11356.5L * halfTurns[u] / M_PIl;
                cases.push_back({hyperbolic, name + " overflow",
                                 Direct(real::Hyperbolic, kind, unit), naive[1],
                                 forwardRef(forward[1][k]), Linear(0.99L * limit, limit)});
            }
            // Next to the exact zeros and poles in degrees and gradians.
            if (unit != AngleUnit::Radian)
                cases.push_back(
                    {circular, name + (kind == TrigFunctionKind::Tan ? " poles" : " near 0s"),
                     Direct(real::Circular, kind, unit), naive[0], forwardRef(forward[0][k]),
                     NearAngles(halfTurns[u], kind == TrigFunctionKind::Sin ? 0 : 0.5L), true});
        }
    }
    return cases;
}

// ---- The table of functions ----------------------------------------------------------

std::vector<Case> Cases() {
    std::vector<Case> cases = {
        {"sqrt", "", Unary(UnaryOp::Sqrt), [](Real x, Real) { return std::sqrt(x); },
         One(mpfr_sqrt), Logarithmic(1e-4900L, 9e18L)},
        {"x^2", "", Unary(UnaryOp::Square), [](Real x, Real) { return x * x; }, One(mpfr_sqr),
         Logarithmic(1e-2400L, 3e9L, true)},
        {"1/x", "", Unary(UnaryOp::Reciprocal), [](Real x, Real) { return 1 / x; },
         [](mpfr_t out, const mpfr_t x, const mpfr_t) { mpfr_ui_div(out, 1, x, MPFR_RNDN); },
         Logarithmic(1e-18L, 9e18L, true)},
        {"ln", "", Unary(UnaryOp::Ln), [](Real x, Real) { return std::log(x); }, One(mpfr_log),
         Logarithmic(1e-4900L, 9e18L)},
        {"ln", "near 1", Unary(UnaryOp::Ln), [](Real x, Real) { return std::log(x); },
         One(mpfr_log), Linear(0.9L, 1.1L)},
        {"log2", "", Unary(UnaryOp::Log2), [](Real x, Real) { return std::log2(x); },
         One(mpfr_log2), Logarithmic(1e-4900L, 9e18L)},
        {"log10", "", Unary(UnaryOp::Log10), [](Real x, Real) { return std::log10(x); },
         One(mpfr_log10), Logarithmic(1e-4900L, 9e18L)},
        {"e^x", "", Unary(UnaryOp::Exp), [](Real x, Real) { return std::exp2(x * Log2E); },
         One(mpfr_exp), Linear(-11300, 43.6L)},
        {"e^x", "small", Unary(UnaryOp::Exp), [](Real x, Real) { return std::exp2(x * Log2E); },
         One(mpfr_exp), Linear(-2, 2)},
        {"2^x", "", Unary(UnaryOp::Exp2), [](Real x, Real) { return NaivePower(2, x); },
         One(mpfr_exp2), Linear(-16000, 62.9L)},
        {"10^x", "", Unary(UnaryOp::Exp10), [](Real x, Real) { return NaivePower(10, x); },
         One(mpfr_exp10), Linear(-4900, 18.9L)},
        {"10^x", "integer", Unary(UnaryOp::Exp10), [](Real x, Real) { return NaivePower(10, x); },
         One(mpfr_exp10),
         [](std::mt19937_64& rng) {
             return std::pair<Real, Real>{std::round(Uniform(rng, -4900, 18)), 0};
         }},
        {"x^y", "real y", Binary(BinaryOp::Power), NaivePower,
         [](mpfr_t out, const mpfr_t x, const mpfr_t y) { mpfr_pow(out, x, y, MPFR_RNDN); },
         [](std::mt19937_64& rng) {
             return std::pair<Real, Real>{LogUniform(rng, 1e-3L, 1e3L), Uniform(rng, -600, 600)};
         }},
        {"x^y", "integer y", Binary(BinaryOp::Power), NaivePower,
         [](mpfr_t out, const mpfr_t x, const mpfr_t y) { mpfr_pow(out, x, y, MPFR_RNDN); },
         [](std::mt19937_64& rng) {
             const Real x = LogUniform(rng, 0.5L, 2);
             const Real y = std::round(Uniform(rng, -16000, 16000) / std::fabs(std::log2(x)));
             return std::pair<Real, Real>{rng() % 2 ? x : -x, y};
         }},
        {"root", "integer n", Binary(BinaryOp::Root),
         [](Real x, Real y) { return NaivePower(x, 1 / y); },
         [](mpfr_t out, const mpfr_t x, const mpfr_t y) {
             const long n = mpfr_get_si(y, MPFR_RNDN);
             mpfr_rootn_ui(out, x, static_cast<unsigned long>(std::labs(n)), MPFR_RNDN);
             if (n < 0)
                 mpfr_ui_div(out, 1, out, MPFR_RNDN);
         },
         [](std::mt19937_64& rng) {
             const Real n = std::round(Uniform(rng, 2, 60));
             return std::pair<Real, Real>{LogUniform(rng, 1e-4900L, 9e18L), rng() % 4 ? n : -n};
         }},
        {"root", "real n", Binary(BinaryOp::Root),
         [](Real x, Real y) { return NaivePower(x, 1 / y); },
         [](mpfr_t out, const mpfr_t x, const mpfr_t y) {
             Mp e;
             mpfr_ui_div(e.v, 1, y, MPFR_RNDN);
             mpfr_pow(out, x, e.v, MPFR_RNDN);
         },
         [](std::mt19937_64& rng) {
             return std::pair<Real, Real>{LogUniform(rng, 1e-300L, 9e18L), Uniform(rng, 0.3L, 40)};
         }},
        {"logN", "", Binary(BinaryOp::LogN), NaiveLogN, MpfrLogN,
         [](std::mt19937_64& rng) {
             const Real b = LogUniform(rng, 1.001L, 1e6L);
             return std::pair<Real, Real>{LogUniform(rng, 1e-4900L, 9e18L), rng() % 2 ? b : 1 / b};
         }},
    };

    const Mpfr1 forward[2][3] = {{mpfr_sin, mpfr_cos, mpfr_tan}, {mpfr_sinh, mpfr_cosh, mpfr_tanh}};
    const Mpfr1 inverse[2][3] = {{mpfr_asin, mpfr_acos, mpfr_atan},
                                 {mpfr_asinh, mpfr_acosh, mpfr_atanh}};
    const char* unitNames[] = {"deg", "rad", "grad"};
    for (int hyperbolic = 0; hyperbolic < 2; ++hyperbolic)
        for (int k = 0; k < 3; ++k)
            for (int u = 0; u < 3; ++u) {
                const auto unit = static_cast<AngleUnit>(u);
                const auto kind = static_cast<TrigFunctionKind>(k);
                const bool hyp = hyperbolic != 0;
                const Real turn = u == 0 ? 360 : u == 1 ? 6.283185307179586L : 400;
                const Mpfr1 f = forward[hyperbolic][k];
                const Reference forwardRef = [f, unit](mpfr_t out, const mpfr_t x, const mpfr_t) {
                    Mp t;
                    Mp pi;
                    mpfr_const_pi(pi.v, MPFR_RNDN);
                    mpfr_set(t.v, x, MPFR_RNDN);
                    if (unit != AngleUnit::Radian) {
                        mpfr_mul(t.v, t.v, pi.v, MPFR_RNDN);
                        mpfr_div_ui(t.v, t.v, unit == AngleUnit::Degree ? 180 : 200, MPFR_RNDN);
                    }
                    f(out, t.v, MPFR_RNDN);
                };
                const Mpfr1 g = inverse[hyperbolic][k];
                const Reference inverseRef = [g, unit](mpfr_t out, const mpfr_t y, const mpfr_t) {
                    g(out, y, MPFR_RNDN);
                    if (unit != AngleUnit::Radian) {
                        Mp pi;
                        mpfr_const_pi(pi.v, MPFR_RNDN);
                        mpfr_mul_ui(out, out, unit == AngleUnit::Degree ? 180 : 200, MPFR_RNDN);
                        mpfr_div(out, out, pi.v, MPFR_RNDN);
                    }
                };
                const Function pexaForward = [=](Real x, Real) {
                    CalcValue v = MakeReal(CalcValueMode::Float, x);
                    TrigFunction(v, kind, hyp, unit);
                    return GetReal(v);
                };
                const Function pexaInverse = [=](Real x, Real) {
                    CalcValue v = MakeReal(CalcValueMode::Float, x);
                    InverseTrigFunction(v, kind, hyp, unit);
                    return GetReal(v);
                };
                const Function naiveForward = [=](Real x, Real) {
                    return NaiveTrig(x, k, hyp, unit);
                };
                const Function naiveInverse = [=](Real x, Real) {
                    return NaiveInverse(x, k, hyp, unit);
                };
                const std::string name = TrigFunctionCaption(kind, false, hyp);
                const std::string inverseName = TrigFunctionCaption(kind, true, hyp);
                const std::string unitName = unitNames[u];
                if (!hyp) {
                    const bool zeros = unit != AngleUnit::Radian;
                    cases.push_back({name, unitName, pexaForward, naiveForward, forwardRef,
                                     Linear(-turn, turn), zeros});
                    cases.push_back({name, unitName + " large", pexaForward, naiveForward,
                                     forwardRef, Logarithmic(1e3L, 9e18L, true), zeros});
                    cases.push_back({inverseName, unitName, pexaInverse, naiveInverse, inverseRef,
                                     k == 2 ? Logarithmic(1e-30L, 9e18L, true) : Linear(-1, 1)});
                } else {
                    const Real range = 44 * turn / 6.283185307179586L;
                    cases.push_back({name, unitName, pexaForward, naiveForward, forwardRef,
                                     Linear(-range, range)});
                    cases.push_back({name, unitName + " small", pexaForward, naiveForward,
                                     forwardRef, Logarithmic(1e-20L, turn / 8, true)});
                    cases.push_back({inverseName, unitName, pexaInverse, naiveInverse, inverseRef,
                                     k == 0   ? Logarithmic(1e-30L, 9e18L, true)
                                     : k == 1 ? Logarithmic(1.0000001L, 9e18L)
                                              : Linear(-0.99999L, 0.99999L)});
                    if (k == 2)
                        cases.push_back({inverseName, unitName + " small", pexaInverse,
                                         naiveInverse, inverseRef,
                                         Logarithmic(1e-30L, 1e-3L, true)});
                }
            }
    for (Case& c : EdgeCases())
        cases.push_back(std::move(c));
    return cases;
}

struct Stats {
    double max = 0;
    double sum = 0;
    long count = 0;
    void Add(double e) {
        max = std::max(max, e);
        sum += e;
        ++count;
    }
    double Mean() const { return count ? sum / static_cast<double>(count) : 0; }
};

} // namespace

int main(int argc, char** argv) {
    const long samples = argc > 1 ? std::max(1L, std::atol(argv[1])) : 100000;
    std::printf("Error in ulps of long double against MPFR (256 bits), %ld samples each.\n",
                samples);
    std::printf("'formula' is the textbook evaluation the calculator improves on.\n\n");
    std::printf("%-7s %-16s %7s | %10s %10s | %10s %10s\n", "func", "unit/range", "n", "pexa max",
                "pexa mean", "formula max", "mean");
    Mp x, y, exact;
    for (const Case& c : Cases()) {
        std::mt19937_64 rng(20240601);
        Stats mine, formula;
        // Arguments whose result no value can hold are drawn again, up to a
        // limit, so that n counts the samples measured.
        for (long drawn = 0; mine.count < samples && drawn < 20 * samples; ++drawn) {
            const auto [a, b] = c.sample(rng);
            Real got = 0;
            try {
                got = c.pexa(a, b);
            } catch (const CalcError&) {
                continue;
            }
            mpfr_set_ld(x.v, a, MPFR_RNDN);
            mpfr_set_ld(y.v, b, MPFR_RNDN);
            c.reference(exact.v, x.v, y.v);
            // Exact zeros (sin 180°) are met by a reference that is off by
            // far less than the smallest long double.
            const bool exactZero = mpfr_zero_p(exact.v) || (c.exactZeros && std::fabs(a) >= 1 &&
                                                            mpfr_get_exp(exact.v) < -180);
            mine.Add(exactZero && got == 0 ? 0 : UlpError(got, exact.v));
            const Real naive = c.formula(a, b);
            if (std::isfinite(naive))
                formula.Add(exactZero && naive == 0 ? 0 : UlpError(naive, exact.v));
        }
        std::printf("%-7s %-16s %7ld | %10.3f %10.4f | %10.4g %10.4g\n", c.name.c_str(),
                    c.unit.c_str(), mine.count, mine.max, mine.Mean(), formula.max, formula.Mean());
    }
    return 0;
}
