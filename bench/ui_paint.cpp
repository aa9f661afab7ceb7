// From a typed key to the window repainted, with all ten bars in a shown
// window: the key travels the whole way a real one does (the platform layer,
// shortcut override, the window's key routing, the engine, every conversion),
// and the timing ends once the paint events it caused have been delivered and
// the backing store flushed. Each key is timed on its own, so the median and
// the 99th percentile are reported next to Google Benchmark's mean, in
// wall-clock time and in the thread's processor time (cpu_…), which stays
// meaningful when other programs compete for the processor.
//
// The window starts from a settings file that lists all ten bars, read the way
// the program reads pexa.ini; it runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. On the offscreen platform the final copy to
// the screen (an X11 PutImage, for instance) is not part of the time.

#include "QtBenchMain.h"
#include "conv/Conversion.h"
#include "core/FormatSettings.h"
#include "settings/Profile.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/window/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

using namespace pexa;

namespace {

// Counts the bars that received a paint event, to show that each timed key
// really repainted the bars it changed.
class PaintWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_;
            for (QObject* o = watched; o != nullptr; o = o->parent())
                if (auto* bar = qobject_cast<CalcBar*>(o)) {
                    bars_.insert(bar);
                    break;
                }
        }
        return false;
    }
    void Reset() {
        paints_ = 0;
        bars_.clear();
    }
    long Paints() const { return paints_; }
    long BarsPainted() const { return static_cast<long>(bars_.size()); }

private:
    long paints_ = 0;
    QSet<CalcBar*> bars_;
};

QString WriteTenBarsIni(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("pexa.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray text = "[Bar]\nBarCount=10\n";
    for (int kind = 0; kind < BarKindCount; ++kind)
        text += "Bar" + QByteArray::number(kind) + "=" +
                QByteArray(GetBarKindInfo(static_cast<BarKind>(kind)).Label) + "\n";
    file.write(text);
    return path;
}

struct ShownWindow {
    QTemporaryDir dir;
    std::unique_ptr<ProfilePathOverride> profile;
    std::unique_ptr<MainWindow> window;
};

std::unique_ptr<ShownWindow> ShowAllBars(CalcValueMode mode) {
    auto shown = std::make_unique<ShownWindow>();
    shown->profile =
        std::make_unique<ProfilePathOverride>(WriteTenBarsIni(shown->dir).toStdString());
    shown->window = std::make_unique<MainWindow>();
    MainWindow& window = *shown->window;
    // A build whose window does not read the bar list yet still gets all ten.
    for (int kind = 0; kind < BarKindCount; ++kind)
        if (window.Bars().Find(static_cast<BarKind>(kind)) == nullptr)
            window.Bars().Create(static_cast<BarKind>(kind));
    window.Engine().SetMode(mode);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window was not exposed");
    window.Bars().Activate(window.Bars().Find(BarKind::Decimal));
    QCoreApplication::processEvents();
    return shown;
}

// The thread's own processor time, which other programs on a busy machine do
// not inflate, unlike the wall-clock time.
double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[index];
}

// Digits 1-9 in turn into the decimal bar; before every eighth the entry is
// cleared with Del (not timed), so the entry never outgrows the mode.
void TypeAndPaint(benchmark::State& state, bool repaintWholeWindow) {
    const auto shown = ShowAllBars(static_cast<CalcValueMode>(state.range(0)));
    MainWindow& window = *shown->window;
    QWindow* handle = window.windowHandle();
    PaintWatch watch;
    qApp->installEventFilter(&watch);

    std::vector<double> samples;
    std::vector<double> cpuSamples;
    samples.reserve(static_cast<std::size_t>(state.max_iterations));
    cpuSamples.reserve(static_cast<std::size_t>(state.max_iterations));
    long paints = 0;
    long barsPainted = 0;
    int typed = 0;
    for (auto _ : state) {
        if (typed % 8 == 0) {
            QTest::keyClick(handle, Qt::Key_Delete);
            QCoreApplication::processEvents();
        }
        const auto key = static_cast<Qt::Key>(Qt::Key_1 + typed % 9);
        ++typed;
        watch.Reset();
        const double cpuStart = ThreadCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(handle, key); // delivers press and release, then their posted events
        if (repaintWholeWindow)
            window.repaint();
        QCoreApplication::processEvents();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        cpuSamples.push_back((ThreadCpuSeconds() - cpuStart) * 1e3);
        state.SetIterationTime(elapsed.count());
        samples.push_back(elapsed.count() * 1e3);
        paints += watch.Paints();
        barsPainted += watch.BarsPainted();
    }
    qApp->removeEventFilter(&watch);

    const auto keys = static_cast<double>(samples.size());
    state.counters["bars"] = window.Bars().Count();
    state.counters["p50_ms"] = Percentile(samples, 0.50);
    state.counters["p99_ms"] = Percentile(samples, 0.99);
    state.counters["max_ms"] = Percentile(samples, 1.0);
    state.counters["cpu_p50_ms"] = Percentile(cpuSamples, 0.50);
    state.counters["cpu_p99_ms"] = Percentile(cpuSamples, 0.99);
    state.counters["paints/key"] = static_cast<double>(paints) / keys;
    state.counters["bars_painted/key"] = static_cast<double>(barsPainted) / keys;
}

void BM_KeyToRepaint(benchmark::State& state) {
    TypeAndPaint(state, false);
}
BENCHMARK(BM_KeyToRepaint)
    ->Arg(static_cast<int>(CalcValueMode::DWord))
    ->Arg(static_cast<int>(CalcValueMode::QWord))
    ->Arg(static_cast<int>(CalcValueMode::Float))
    ->Iterations(2000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same key followed by a repaint of the whole window (tool bar, menus,
// every bar and the button panel): the upper bound of a keystroke's paint.
void BM_KeyToWholeWindowRepaint(benchmark::State& state) {
    TypeAndPaint(state, true);
}
BENCHMARK(BM_KeyToWholeWindowRepaint)
    ->Arg(static_cast<int>(CalcValueMode::DWord))
    ->Iterations(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return pexa::bench::RunQtBenchmarks(argc, argv);
}
