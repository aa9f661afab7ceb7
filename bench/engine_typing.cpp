// A typed digit as the engine takes it, with every bar kind the build has
// open: the active bar takes the character and the nine others follow. This
// is the command path a digit key reaches without the window's redrawing.
#include "conv/Conversion.h"
#include "core/CalcValue.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"

#include <benchmark/benchmark.h>

using namespace pexa;

namespace {

class QuietDisplay final : public CalculatorDisplay {
public:
    void BarTextChanged(BarKind) override {}
    void BarReadingChanged(BarKind) override {}
    void PendingOperatorChanged() override {}
    void ActiveBarChanged() override {}
};

void OpenEveryBar(Calculator& calc, CalcValueMode mode) {
    calc.SetMode(mode);
    for (int kind = 0; kind < BarKindCount; ++kind)
        calc.OpenBar(static_cast<BarKind>(kind));
    calc.Bars().Activate(BarKind::Decimal);
}

// Digits typed one after another; every eighth starts a new entry, so the
// entry never outgrows the mode.
void BM_EngineTypeDigit(benchmark::State& state) {
    QuietDisplay display;
    Calculator calc(display);
    OpenEveryBar(calc, static_cast<CalcValueMode>(state.range(0)));
    int typed = 0;
    for (auto _ : state) {
        const char digit = static_cast<char>('1' + typed % 9);
        benchmark::DoNotOptimize(calc.Type(digit, typed % 8 == 0, false));
        ++typed;
    }
    state.counters["bars"] = calc.Bars().Count();
}
BENCHMARK(BM_EngineTypeDigit)
    ->Arg(static_cast<int>(CalcValueMode::DWord))
    ->Arg(static_cast<int>(CalcValueMode::QWord))
    ->Arg(static_cast<int>(CalcValueMode::Float))
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
