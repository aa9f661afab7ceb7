// Cost of evaluating a typed expression of 100 characters, parsing included,
// as the expression line does on every keystroke: integer operators and
// literals of every kind in DWord, and real functions (MPFR, a few
// microseconds each) in Real mode. A malformed text measures the way to its
// syntax error.
#include "engine/Expression.h"
#include "core/CalcValue.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace pexa;

namespace {

void Evaluate(benchmark::State& state, CalcValueMode mode, std::string text) {
    ExpressionContext context;
    context.Mode = mode;
    SetInteger(context.Answer, CalcValueMode::DWord, 1234);
    for (auto _ : state) {
        ExpressionResult result = EvaluateExpression(text, context);
        benchmark::DoNotOptimize(result);
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

} // namespace

BENCHMARK_CAPTURE(Evaluate, IntegerDWord, CalcValueMode::DWord,
                  "(0x1F << 3) | 1 + 'A' * (ans - 12) / 3 % 7 ^ ~0xFF00 & rotl(0x1234, 4) - "
                  "popcount(0xF0F0) + 1'000ull");
BENCHMARK_CAPTURE(Evaluate, IntegerOnlyOperators, CalcValueMode::QWord,
                  "1 + 2 * 3 - 4 / 5 % 6 & 7 | 8 ^ 9 << 10 >> 11 + 12 * 13 - 14 / 15 % 16 & 17 | "
                  "8 ^ 9 << 20 >> 21 + 22");
BENCHMARK_CAPTURE(Evaluate, RealFunctions, CalcValueMode::Float,
                  "sqrt(2) * 1.5e3 / (ans + 0.2575) - sin(30) ** 2 + log(1024, 2) * (7.5 - "
                  "2.25e-1) / 3 + floor(9.7525)");
BENCHMARK_CAPTURE(Evaluate, SyntaxErrorAtTheEnd, CalcValueMode::DWord,
                  "(0x1F << 3) | 1 + 'A' * (ans - 12) / 3 % 7 ^ ~0xFF00 & rotl(0x1234, 4) - "
                  "popcount(0xF0F0) + (1'000");

BENCHMARK_MAIN();
