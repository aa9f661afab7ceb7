// pexa's main window built and shown once on the offscreen platform, then the
// program ends: a short, repeatable run for profilers (callgrind, perf) that
// shows where the window's start-up goes, free of the X server's timing.
//
//   QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind
//   build-bench/bench/bench_construct_window
//
// It prints the wall time of the construction and of the first show with its
// first paint. It reads pexa.ini beside the executable, as pexa does.

#include "core/FormatSettings.h"
#include "ui/app/ApplicationSetup.h"
#include "ui/app/InterfaceFont.h"
#include "ui/app/LocaleFormat.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    pexa::FontConfigurationReader fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    pexa::SetUpApplication();
    pexa::CurrentFormat() = pexa::FormatFromLocale(QLocale::system());
    const qint64 appReady = clock.nsecsElapsed();

    pexa::MainWindow window;
    const qint64 constructed = clock.nsecsElapsed();
    window.show();
    // The first paint: what the user waits for.
    window.grab();
    QApplication::processEvents();
    const qint64 shown = clock.nsecsElapsed();

    QTextStream out(stdout);
    out << "application " << appReady / 1000 << " us, window constructed "
        << (constructed - appReady) / 1000 << " us, shown and painted "
        << (shown - constructed) / 1000 << " us\n";
    return 0;
}
