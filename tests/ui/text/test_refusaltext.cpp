#include "ui/text/RefusalText.h"

#include <QTest>

using namespace pexa;

class TestRefusalText : public QObject {
    Q_OBJECT

private slots:
    // Each bar names its own notation (the tests run in Japanese).
    void notOfNotationNamesTheBar_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimal") << int(BarKind::Decimal)
                                 << QStringLiteral("10進数ではありません: x");
        QTest::newRow("hex") << int(BarKind::Hex) << QStringLiteral("16進数ではありません: x");
        QTest::newRow("oct") << int(BarKind::Oct) << QStringLiteral("8進数ではありません: x");
        QTest::newRow("bin") << int(BarKind::Bin) << QStringLiteral("2進数ではありません: x");
        QTest::newRow("char") << int(BarKind::Char)
                              << QStringLiteral("このバーに入力できない文字です: x");
        QTest::newRow("ip") << int(BarKind::IP) << QStringLiteral("IP アドレスではありません: x");
        QTest::newRow("degree") << int(BarKind::Degree)
                                << QStringLiteral("度の値ではありません: x");
        QTest::newRow("float") << int(BarKind::Float)
                               << QStringLiteral("浮動小数点数ではありません: x");
        QTest::newRow("time") << int(BarKind::Time) << QStringLiteral("日付/時刻ではありません: x");
        QTest::newRow("kilo") << int(BarKind::Kilo) << QStringLiteral("サイズではありません: x");
    }

    void notOfNotationNamesTheBar() {
        QFETCH(int, bar);
        QFETCH(QString, text);
        Refusal refusal;
        refusal.Kind = RefusalKind::NotOfNotation;
        refusal.Bar = static_cast<BarKind>(bar);
        QCOMPARE(RefusalText(refusal, QStringLiteral("x")), text);
    }
};

QTEST_GUILESS_MAIN(TestRefusalText)
#include "test_refusaltext.moc"
