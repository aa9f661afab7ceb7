#pragma once

// The main of the benchmarks that drive the real window: an offscreen Qt
// application (unless a platform is chosen) with the default locale characters.

#include "core/FormatSettings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace pexa::bench {

inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const FormatSettingsScope format(FormatSettings{});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace pexa::bench
