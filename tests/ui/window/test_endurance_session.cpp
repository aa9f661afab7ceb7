// A long seeded random session against the real main window: keys and typed
// characters as the keyboard sends them, commands, bar toggles, bar options,
// copies and pastes through the real clipboard. After every step the window
// must still be sound: nothing thrown, no critical message, no modal window,
// no step slower than a hang, one active bar, every bar in the calculation
// mode and showing something, the decimal and hexadecimal bars telling the
// same value (in Float mode: the hexadecimal bar shows the truncation of the
// decimal one, within the 18 digits the decimal bar shows), and in the integer
// modes the octal, binary, sexagesimal, size, IP and IEEE 754 bars and the
// engine's current value agreeing with the hexadecimal bar.
//
// PEXA_ENDURANCE_STEPS sets the number of steps for long runs by hand,
// PEXA_ENDURANCE_SEED the seed (both decimal or 0x-hexadecimal), and
// PEXA_ENDURANCE_TRACE=1 prints every step with what each bar shows. A long
// run needs QTEST_FUNCTION_TIMEOUT (milliseconds) beyond Qt Test's 300000.

#include "EnduranceSession.h"
#include "MainWindowHarness.h"
#include "ui/bars/BandSite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

using namespace pexa;
using namespace pexa::testing;

namespace {

constexpr std::uint64_t DefaultSteps = 2000;
constexpr std::uint64_t DefaultSeed = 0x5EED2024;
constexpr std::size_t ReplayLength = 30;
// Even a paste of 200000 characters answers at once; a step this slow
// (under the sanitizers, on a busy machine) is a hang.
constexpr qint64 MaxStepMilliseconds = 10000;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const qulonglong n = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? n : fallback;
}

// Pop-up menus a key opened (Alt letters reach the menu bar when no bar has
// the letter) are closed; a modal window would stop the session and is a
// fault of its own.
class ModalWatch {
public:
    ModalWatch() {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened_ += modal->metaObject()->className();
                modal->close();
            }
        });
        timer_.start();
    }
    QString Take() { return std::exchange(opened_, {}); }

private:
    QTimer timer_;
    QString opened_;
};

void ClosePopups() {
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr)
            break;
        popup->close();
    }
}

} // namespace

class EnduranceSessionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomSession_data();
    void randomSession();
};

void EnduranceSessionTest::initTestCase() {
    g_previousHandler = qInstallMessageHandler(FailOnCritical);
}

void EnduranceSessionTest::cleanupTestCase() {
    qInstallMessageHandler(g_previousHandler);
}

void EnduranceSessionTest::randomSession_data() {
    QTest::addColumn<int>("decimal");
    QTest::addColumn<int>("thousands");
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("time");
    QTest::newRow("point decimals") << int('.') << int(',') << int('/') << int(':');
    // The decimal comma and a dash between the fields of a date, where the
    // same key also toggles the sign.
    QTest::newRow("comma decimals, dashed dates") << int(',') << int('.') << int('-') << int(':');
}

void EnduranceSessionTest::randomSession() {
    QFETCH(int, decimal);
    QFETCH(int, thousands);
    QFETCH(int, date);
    QFETCH(int, time);
    const std::uint64_t steps = EnvNumber("PEXA_ENDURANCE_STEPS", DefaultSteps);
    const std::uint64_t seed = EnvNumber("PEXA_ENDURANCE_SEED", DefaultSeed);
    // Every step with what each bar shows afterwards, for following a failure.
    const bool trace = EnvNumber("PEXA_ENDURANCE_TRACE", 0) != 0;
    std::fprintf(stderr, "endurance: seed 0x%llx, %llu steps\n",
                 static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps));

    // The window reads the locale characters when it is created (the key of
    // the decimal separator), and a settings file of its own.
    const FormatSettingsScope format(MakeFormatSettings(decimal, thousands, date, time));
    QCOMPARE(CurrentFormat().DecimalSeparator, static_cast<char>(decimal));
    QCOMPARE(CurrentFormat().DateSeparator, static_cast<char>(date));
    QTemporaryDir settingsDir;
    const ProfilePathOverride profile(
        settingsDir.filePath(QStringLiteral("pexa.ini")).toStdString());
    auto window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ModalWatch modalWatch;
    Session session(*window, seed);
    g_recentSteps.clear();
    g_criticalMessages.clear();

    QElapsedTimer clock;
    clock.start();
    qint64 slowest = 0;
    QString slowestStep;
    for (std::uint64_t i = 1; i <= steps; ++i) {
        QString failure;
        const qint64 started = clock.elapsed();
        try {
            session.Step();
            QCoreApplication::processEvents();
            ClosePopups();
        } catch (const std::exception& e) {
            failure = QStringLiteral("exception: ") + QString::fromUtf8(e.what());
        } catch (...) {
            failure = QStringLiteral("exception of an unknown type");
        }
        const qint64 took = clock.elapsed() - started;
        if (took > slowest) {
            slowest = took;
            slowestStep = QStringLiteral("#%1 %2").arg(i).arg(session.Current());
        }
        g_recentSteps.push_back(QStringLiteral("#%1 %2").arg(i).arg(session.Current()));
        if (g_recentSteps.size() > ReplayLength)
            g_recentSteps.pop_front();
        if (trace) {
            std::fprintf(stderr, "#%llu %s [active %d]\n", static_cast<unsigned long long>(i),
                         qPrintable(session.Current()),
                         window->Bars().Site()->IndexOf(window->Bars().Active()));
            for (int b = 0; b < window->Bars().Count(); ++b)
                std::fprintf(stderr, "    %s: %s\n",
                             window->Bars().At(b)->Conv().GetLabel().c_str(),
                             qPrintable(Shown(window->Bars().At(b))));
        }
        if (failure.isEmpty() && took > MaxStepMilliseconds)
            failure = QStringLiteral("the step took %1 ms").arg(took);
        if (failure.isEmpty()) {
            const QString modal = modalWatch.Take();
            failure = modal.isEmpty() ? session.Check()
                                      : QStringLiteral("a modal window opened: ") + modal;
        }
        if (!failure.isEmpty()) {
            PrintRecentSteps();
            for (int b = 0; b < window->Bars().Count(); ++b)
                std::fprintf(stderr, "  bar %s: %s\n",
                             window->Bars().At(b)->Conv().GetLabel().c_str(),
                             qPrintable(Shown(window->Bars().At(b))));
            QFAIL(qPrintable(
                QStringLiteral("seed 0x%1, step %2: %3").arg(seed, 0, 16).arg(i).arg(failure)));
        }
    }
    const Session::Counts& counts = session.Counted();
    std::fprintf(
        stderr,
        "endurance: decimal and hexadecimal compared %llu times in integer modes, %llu "
        "in Float mode; %llu steps ended with a message in the active bar, %llu "
        "in an entry; the current value compared %llu times, other notations %llu (%llu left "
        "with a typed text)\n",
        static_cast<unsigned long long>(counts.IntegerComparisons),
        static_cast<unsigned long long>(counts.RealComparisons),
        static_cast<unsigned long long>(counts.Messages),
        static_cast<unsigned long long>(counts.Entering),
        static_cast<unsigned long long>(counts.CurrentValueComparisons),
        static_cast<unsigned long long>(counts.NotationComparisons),
        static_cast<unsigned long long>(counts.TypedTextsLeft));
    std::fprintf(stderr, "endurance: slowest step %lld ms: %s\n", slowest, qPrintable(slowestStep));
    QVERIFY(counts.IntegerComparisons > 0 || steps < 100);
    std::fprintf(stderr, "endurance: %llu steps in %.1f s, %d bars at the end\n",
                 static_cast<unsigned long long>(steps),
                 static_cast<double>(clock.elapsed()) / 1000, window->Bars().Count());
}

QTEST_MAIN(EnduranceSessionTest)
#include "test_endurance_session.moc"
