// From one typed digit to every bar's text updated, with every bar kind the
// build has open: the engine, the conversions and the bars' labels, without
// painting (the window is never shown, or shown once before the timed keys).

#include "QtBenchMain.h"
#include "conv/Conversion.h"
#include "core/FormatSettings.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

#include <memory>

using namespace pexa;

namespace {

std::unique_ptr<MainWindow> AllBarsWindow(CalcValueMode mode, bool shown = false) {
    auto window = std::make_unique<MainWindow>();
    for (int kind = 0; kind < BarKindCount; ++kind)
        if (window->Bars().Find(static_cast<BarKind>(kind)) == nullptr)
            window->Bars().Create(static_cast<BarKind>(kind));
    window->Engine().SetMode(mode);
    window->Bars().Activate(window->Bars().Find(BarKind::Decimal));
    if (shown) {
        // Laid out as on the screen: what a new value costs depends on the
        // room the bars have there. The timed keys still paint nothing.
        window->show();
        QCoreApplication::processEvents();
    }
    return window;
}

// Digits typed one after another; every eighth starts a new entry, so the
// entry never outgrows the mode.
void BM_TypeDigit(benchmark::State& state) {
    const auto window = AllBarsWindow(static_cast<CalcValueMode>(state.range(0)));
    int typed = 0;
    for (auto _ : state) {
        const char digit = static_cast<char>('1' + typed % 9);
        benchmark::DoNotOptimize(window->Engine().Type(digit, typed % 8 == 0, false));
        ++typed;
    }
    state.counters["bars"] = window->Bars().Count();
}
BENCHMARK(BM_TypeDigit)
    ->Arg(static_cast<int>(CalcValueMode::DWord))
    ->Arg(static_cast<int>(CalcValueMode::QWord))
    ->Arg(static_cast<int>(CalcValueMode::Float))
    ->Unit(benchmark::kMicrosecond);

// The same through the digit command, as a key or button reaches it: the
// update pass of every command before, and again after.
void BM_DigitCommand(benchmark::State& state) {
    const auto window = AllBarsWindow(CalcValueMode::DWord, state.range(0) != 0);
    constexpr Command digits[9] = {Command::Digit1, Command::Digit2, Command::Digit3,
                                   Command::Digit4, Command::Digit5, Command::Digit6,
                                   Command::Digit7, Command::Digit8, Command::Digit9};
    int typed = 0;
    for (auto _ : state) {
        if (typed % 8 == 0)
            window->Execute(Command::ClearEntry);
        window->Execute(digits[typed % 9]);
        ++typed;
    }
    state.counters["bars"] = window->Bars().Count();
}
// Arg 0: the window never shown; 1: shown and laid out.
BENCHMARK(BM_DigitCommand)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_UpdatePass(benchmark::State& state) {
    const auto window = AllBarsWindow(CalcValueMode::DWord);
    for (auto _ : state)
        window->UpdateActions();
}
BENCHMARK(BM_UpdatePass)->Unit(benchmark::kMicrosecond);

void BM_ModeChange(benchmark::State& state) {
    const auto window = AllBarsWindow(CalcValueMode::DWord);
    window->Engine().Type('7', true, false);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        window->Engine().SetMode(wide ? CalcValueMode::QWord : CalcValueMode::DWord);
    }
    state.counters["bars"] = window->Bars().Count();
}
BENCHMARK(BM_ModeChange)->Unit(benchmark::kMicrosecond);

void BM_Equals(benchmark::State& state) {
    const auto window = AllBarsWindow(CalcValueMode::DWord);
    window->Engine().Type('3', true, false);
    window->Execute(Command::OpAdd);
    window->Engine().Type('1', true, false);
    for (auto _ : state)
        window->Execute(Command::Equal);
}
BENCHMARK(BM_Equals)->Unit(benchmark::kMicrosecond);

// Pasting a megabyte of characters that the decimal bar accepts one by one.
void BM_PasteMegabyte(benchmark::State& state) {
    const auto window = AllBarsWindow(CalcValueMode::DWord);
    const QString text = QString(1024 * 1024, QChar('0')) + QStringLiteral("42");
    for (auto _ : state)
        benchmark::DoNotOptimize(window->PasteText(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_PasteMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return pexa::bench::RunQtBenchmarks(argc, argv);
}
