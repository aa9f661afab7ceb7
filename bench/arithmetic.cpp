// Cost of single operations as the engine calls them: the integer rules are a
// few instructions, the real functions a correctly rounded MPFR evaluation or
// two (a few microseconds each).
#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"

#include <benchmark/benchmark.h>

using namespace pexa;

namespace {

void RunBinary(benchmark::State& state, int op, CalcValue a, CalcValue b) {
    CalcValue r;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        BinaryOperators[op].Operation(a, b, r);
        benchmark::DoNotOptimize(r);
    }
}

void RunUnary(benchmark::State& state, int op, CalcValue v) {
    for (auto _ : state) {
        CalcValue r = v;
        benchmark::DoNotOptimize(r);
        try {
            UnaryOperators[op].Operation(r);
        } catch (const CalcError&) {
            // A failing operation is measured up to its failure (n! overflows at 1755).
        }
        benchmark::DoNotOptimize(r);
    }
}

void Trigonometry(benchmark::State& state, TrigFunctionKind kind, AngleUnit unit, Real x) {
    const CalcValue v = MakeReal(CalcValueMode::Float, x);
    for (auto _ : state) {
        CalcValue r = v;
        benchmark::DoNotOptimize(r);
        TrigFunction(r, kind, false, unit);
        benchmark::DoNotOptimize(r);
    }
}

// The other five families of the trigonometry keys: inverse, hyperbolic, or both.
void TrigFamily(benchmark::State& state, TrigFunctionKind kind, bool inverse, bool hyperbolic,
                AngleUnit unit, Real x) {
    const CalcValue v = MakeReal(CalcValueMode::Float, x);
    for (auto _ : state) {
        CalcValue r = v;
        benchmark::DoNotOptimize(r);
        if (inverse)
            InverseTrigFunction(r, kind, hyperbolic, unit);
        else
            TrigFunction(r, kind, hyperbolic, unit);
        benchmark::DoNotOptimize(r);
    }
}

CalcValue Int(CalcValueMode mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}

CalcValue Flt(Real x) {
    return MakeReal(CalcValueMode::Float, x);
}

} // namespace

BENCHMARK_CAPTURE(RunBinary, AddDWord, BinaryOp::Add, Int(CalcValueMode::DWord, 123456),
                  Int(CalcValueMode::DWord, 654321));
BENCHMARK_CAPTURE(RunBinary, DivQWord, BinaryOp::Div, Int(CalcValueMode::QWord, -987654321),
                  Int(CalcValueMode::QWord, 12345));
BENCHMARK_CAPTURE(RunBinary, RotateLeftWord, BinaryOp::RotateLeft, Int(CalcValueMode::Word, 0x1234),
                  Int(CalcValueMode::Byte, 5));
BENCHMARK_CAPTURE(RunBinary, AddReal, BinaryOp::Add, Flt(1.5L), Flt(2.25L));
BENCHMARK_CAPTURE(RunBinary, PowerIntegerExponent, BinaryOp::Power, Flt(1.0001L), Flt(123456));
BENCHMARK_CAPTURE(RunBinary, PowerRealExponent, BinaryOp::Power, Flt(3.7L), Flt(2.71L));
BENCHMARK_CAPTURE(RunBinary, RootInteger, BinaryOp::Root, Flt(12345.678L), Flt(7));
BENCHMARK_CAPTURE(RunBinary, RootReal, BinaryOp::Root, Flt(12345.678L), Flt(2.5L));
BENCHMARK_CAPTURE(RunBinary, LogN, BinaryOp::LogN, Flt(12345.678L), Flt(7));
BENCHMARK_CAPTURE(RunUnary, Sqrt, UnaryOp::Sqrt, Flt(12345.678L));
BENCHMARK_CAPTURE(RunUnary, Ln, UnaryOp::Ln, Flt(12345.678L));
BENCHMARK_CAPTURE(RunUnary, Log2, UnaryOp::Log2, Flt(12345.678L));
BENCHMARK_CAPTURE(RunUnary, Log10, UnaryOp::Log10, Flt(12345.678L));
BENCHMARK_CAPTURE(RunUnary, Exp2Real, UnaryOp::Exp2, Flt(12.34L));
BENCHMARK_CAPTURE(RunUnary, Exp10Real, UnaryOp::Exp10, Flt(12.34L));
BENCHMARK_CAPTURE(RunUnary, Exp, UnaryOp::Exp, Flt(12.34L));
BENCHMARK_CAPTURE(RunUnary, Exp10Integer, UnaryOp::Exp10, Flt(17));
BENCHMARK_CAPTURE(RunUnary, FactorialLarge, UnaryOp::Factorial, Int(CalcValueMode::QWord, 1000000));
BENCHMARK_CAPTURE(RunUnary, ReverseBitOrder, UnaryOp::ReverseBitOrder,
                  Int(CalcValueMode::QWord, 0x0123456789ABCDEF));
BENCHMARK_CAPTURE(Trigonometry, SinDegree, TrigFunctionKind::Sin, AngleUnit::Degree, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, SinRadian, TrigFunctionKind::Sin, AngleUnit::Radian, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, SinGradian, TrigFunctionKind::Sin, AngleUnit::Gradian, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, CosDegree, TrigFunctionKind::Cos, AngleUnit::Degree, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, TanDegree, TrigFunctionKind::Tan, AngleUnit::Degree, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, TanRadian, TrigFunctionKind::Tan, AngleUnit::Radian, 1234.5L);
BENCHMARK_CAPTURE(Trigonometry, SinDegreeHuge, TrigFunctionKind::Sin, AngleUnit::Degree, 1e18L);
BENCHMARK_CAPTURE(TrigFamily, AsinDegree, TrigFunctionKind::Sin, true, false, AngleUnit::Degree,
                  0.3L);
BENCHMARK_CAPTURE(TrigFamily, AcosRadian, TrigFunctionKind::Cos, true, false, AngleUnit::Radian,
                  0.3L);
BENCHMARK_CAPTURE(TrigFamily, AtanGradian, TrigFunctionKind::Tan, true, false, AngleUnit::Gradian,
                  3.7L);
BENCHMARK_CAPTURE(TrigFamily, SinhRadian, TrigFunctionKind::Sin, false, true, AngleUnit::Radian,
                  2.5L);
BENCHMARK_CAPTURE(TrigFamily, CoshDegree, TrigFunctionKind::Cos, false, true, AngleUnit::Degree,
                  123.4L);
BENCHMARK_CAPTURE(TrigFamily, TanhGradian, TrigFunctionKind::Tan, false, true, AngleUnit::Gradian,
                  12.3L);
BENCHMARK_CAPTURE(TrigFamily, AsinhDegree, TrigFunctionKind::Sin, true, true, AngleUnit::Degree,
                  3.7L);
BENCHMARK_CAPTURE(TrigFamily, AcoshRadian, TrigFunctionKind::Cos, true, true, AngleUnit::Radian,
                  3.7L);
BENCHMARK_CAPTURE(TrigFamily, AtanhRadian, TrigFunctionKind::Tan, true, true, AngleUnit::Radian,
                  0.37L);

BENCHMARK_MAIN();
