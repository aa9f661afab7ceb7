// The endurance session's own checks against the real main window: the
// independent readers of the notations, and the checks seeing a bar that was
// given another value behind the engine's back.

#include "BarReaders.h"
#include "BarUpdates.h"
#include "EnduranceSession.h"
#include "MainWindowHarness.h"

#include <QTest>

#include <string>

using namespace pexa;
using namespace pexa::testing;

class EnduranceChecksTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readersOfTheNotations_data();
    void readersOfTheNotations();
    void checksSeeADisagreement_data();
    void checksSeeADisagreement();
    void floatBarCheckSeesAWrongReading();
};

void EnduranceChecksTest::initTestCase() {
    g_previousHandler = qInstallMessageHandler(FailOnCritical);
}

void EnduranceChecksTest::cleanupTestCase() {
    qInstallMessageHandler(g_previousHandler);
}

// 0x3F800000 is the single 1.0; the IEEE 754 bar given another value behind
// the engine's back no longer reads as the hexadecimal bar.
void EnduranceChecksTest::floatBarCheckSeesAWrongReading() {
    WindowFixture window;
    Session session(*window, 1);
    Keys(*window, "actionToggleFloat");
    window->Bars().Activate(window->Bars().Find(BarKind::Decimal));
    Keys(*window, "1065353216");
    QCOMPARE(Shown(window->Bars().Find(BarKind::Float)), QStringLiteral("1"));
    QCOMPARE(session.Check(), QString());
    CalcValue other;
    SetInteger(other, CalcValueMode::DWord, 0x40000000);
    ShowValue(*window->Bars().Find(BarKind::Float), other);
    QVERIFY(!session.Check().isEmpty());
}

void EnduranceChecksTest::checksSeeADisagreement_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<qint64>("wrongHex");
    QTest::newRow("DWord") << "1234" << qint64{0x4D3};
    QTest::newRow("DWord grouped") << "actionDigitGrouping 1234567" << qint64{1234568};
    QTest::newRow("Byte signed") << "actionModeByte actionModeSigned 100 neg" << qint64{0x9D};
    QTest::newRow("Word reversed") << "actionModeWord actionModeByteSwap 258" << qint64{0x0102};
    QTest::newRow("Int64") << "actionModeInt64 1 neg" << qint64{-2};
    QTest::newRow("Real") << "actionModeReal 7 . 9" << qint64{8};
    QTest::newRow("Real negative") << "actionModeReal 2 . 5 neg" << qint64{-3};
}

void EnduranceChecksTest::readersOfTheNotations_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<quint64>("magnitude");
    const auto deg = int(BarKind::Degree);
    const auto kilo = int(BarKind::Kilo);
    const auto ip = int(BarKind::IP);
    QTest::newRow("sexagesimal") << deg << "01:02:03" << true << false << quint64{3723};
    QTest::newRow("sexagesimal negative") << deg << "-00:00:59" << true << true << quint64{59};
    QTest::newRow("h:m:s hours") << deg << "123:00:01" << true << false << quint64{442801};
    QTest::newRow("sexagesimal empty field") << deg << "01::03" << false << false << quint64{0};
    QTest::newRow("sexagesimal as typed") << deg << "1:2" << false << false << quint64{0};
    QTest::newRow("sexagesimal days") << deg << "01:00:00:00" << true << false << quint64{216000};
    QTest::newRow("sexagesimal field of 60") << deg << "00:60:00" << false << false << quint64{0};
    QTest::newRow("size") << kilo << "1K+512" << true << false << quint64{1536};
    QTest::newRow("size negative") << kilo << "-1M" << true << true << quint64{1048576};
    QTest::newRow("size exa") << kilo << "7E+1023P" << true << false << quint64{0x1FFFull << 50};
    QTest::newRow("size zero") << kilo << "0" << true << false << quint64{0};
    QTest::newRow("size dangling plus") << kilo << "1K+" << false << false << quint64{0};
    QTest::newRow("size empty") << kilo << "" << false << false << quint64{0};
    QTest::newRow("size as typed") << kilo << "0e" << false << false << quint64{0};
    QTest::newRow("size units rising") << kilo << "1K+1M" << false << false << quint64{0};
    QTest::newRow("size term of 1024") << kilo << "1024K" << false << false << quint64{0};
    QTest::newRow("address") << ip << "192.168.0.1" << true << false << quint64{0xC0A80001};
    QTest::newRow("address octet") << ip << "256.0.0.0" << false << false << quint64{0};
    QTest::newRow("address as typed") << ip << "192.168" << false << false << quint64{0};
}

// The independent readers the session compares the bars with.
void EnduranceChecksTest::readersOfTheNotations() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(bool, negative);
    QFETCH(quint64, magnitude);
    const std::string t = text.toStdString();
    const auto number = kind == int(BarKind::Degree) ? ReadSexagesimal(t)
                        : kind == int(BarKind::Kilo) ? ReadSize(t)
                                                     : ReadIPv4(t, 4);
    QCOMPARE(number.has_value(), readable);
    if (readable) {
        QCOMPARE(number->Negative, negative);
        QCOMPARE(number->Magnitude, magnitude);
    }
}

// The session's checks accept what the window shows and see a hexadecimal
// bar that was given another value behind the engine's back.
void EnduranceChecksTest::checksSeeADisagreement() {
    QFETCH(QString, keys);
    QFETCH(qint64, wrongHex);
    WindowFixture window;
    Session session(*window, 1);
    Keys(*window, keys.replace(QLatin1String(" . "), QLatin1String(" actionPeriod ")));
    QCOMPARE(session.Check(), QString());
    CalcBar* hex = window->Bars().Find(BarKind::Hex);
    CalcValue wrong;
    if (IsFloatMode(window->Engine().Mode()))
        SetReal(wrong, CalcValueMode::Float, static_cast<Real>(wrongHex));
    else
        SetInteger(wrong, window->Engine().Mode(), wrongHex);
    ShowValue(*hex, wrong);
    QVERIFY2(!session.Check().isEmpty(), qPrintable(Shown(hex)));
}

QTEST_MAIN(EnduranceChecksTest)
#include "test_endurance_checks.moc"
