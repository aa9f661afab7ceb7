#include "ui/text/AccessMarks.h"
#include "ui/text/TextWidth.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace pexa;

class TestTextWidth : public QObject {
    Q_OBJECT

private slots:
    void drawnWidthIsWhatALabelNeeds();
    void drawnWidthMemoFollowsTextAndFont();
    void estimateSumsTheAdvances();
    void estimateStaysNearTheDrawnWidth();
    void estimateFollowsTheFont();
    void estimateLeavesOtherTextsToShaping();
    void stripAccessMarks_data();
    void stripAccessMarks();
};

// The bars size their value by the drawn width instead of asking the label;
// a label shorter than this cuts its text. Italic "f"s reach past their
// advance, and trailing blanks count.
void TestTextWidth::drawnWidthIsWhatALabelNeeds() {
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    const QStringList texts{"0",
                            "-12,345,678",
                            "1111 0000 1010 0101",
                            "0x7FFFFFFF",
                            "ffff",
                            "Wj|/\\f",
                            "1.5e+300",
                            "Signed ",
                            "VAVAVA",
                            "\u3042\u3044",
                            "12:34:56.789"};
    for (const int points : {7, 9, 11, 20}) {
        for (const bool italic : {false, true}) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            font.setItalic(italic);
            label.setFont(font);
            for (const QString& text : texts) {
                label.setText(text);
                const int needed =
                    std::max(label.sizeHint().width(), QFontMetrics(font).horizontalAdvance(text));
                QCOMPARE(DrawnTextWidth(font, text), needed);
            }
        }
    }
    QCOMPARE(DrawnTextWidth(QApplication::font(), QString()), 0);
}

void TestTextWidth::drawnWidthMemoFollowsTextAndFont() {
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(24);
    DrawnWidthMemo memo;
    QCOMPARE(memo.Of(small, "1"), DrawnTextWidth(small, "1"));
    QCOMPARE(memo.Of(small, "1111"), DrawnTextWidth(small, "1111"));
    QCOMPARE(memo.Of(large, "1111"), DrawnTextWidth(large, "1111"));
    QVERIFY(memo.Of(large, "1111") > memo.Of(small, "1111"));
    QCOMPARE(memo.Of(small, QString()), 0);
}

// The estimate is the characters' advances added up, plus the farthest
// any printable ASCII glyph's ink reaches past its advance; reckoned here
// from the font's metrics one character at a time.
void TestTextWidth::estimateSumsTheAdvances() {
    for (const bool italic : {false, true}) {
        QFont font = QApplication::font();
        font.setPointSize(13);
        font.setItalic(italic);
        const QFontMetricsF metrics(font);
        qreal overhang = 0;
        for (char16_t c = 0x20; c <= 0x7E; ++c)
            overhang = std::max(overhang, -metrics.rightBearing(QChar(c)));
        WidthEstimate estimate;
        for (const QString text : {"0", "-12,345,678", "1111 0000", "Wj|/\\f", "~"}) {
            qreal sum = 0;
            for (const QChar ch : text)
                sum += metrics.horizontalAdvance(ch);
            QCOMPARE(estimate.Of(font, text), static_cast<int>(std::ceil(sum + overhang)));
        }
    }
}

// The bars shape a value only when its estimate comes within an eighth of
// their room: the estimate never falls short of the drawn width by that much.
void TestTextWidth::estimateStaysNearTheDrawnWidth() {
    const QStringList texts{"0",
                            "-12,345,678",
                            "1111 0000 1010 0101",
                            "0x7FFFFFFF",
                            "ffff",
                            "Wj|/\\f",
                            "1.5e+300",
                            "VAVAVA",
                            "AVAVAV.",
                            "12:34:56.789",
                            "192.168.0.1",
                            "1.23456789E-10"};
    for (const int points : {7, 9, 11, 20, 40}) {
        for (const bool italic : {false, true}) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            font.setItalic(italic);
            WidthEstimate estimate;
            for (const QString& text : texts) {
                const int drawn = DrawnTextWidth(font, text);
                const int guess = estimate.Of(font, text).value();
                QVERIFY2(guess + std::max(2, guess / 8) > drawn, qPrintable(text));
            }
        }
    }
}

// A new font is read afresh: the same text in a larger or bolder font.
void TestTextWidth::estimateFollowsTheFont() {
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(24);
    QFont bold = large;
    bold.setBold(true);
    WidthEstimate estimate;
    const QString text = QStringLiteral("12345678");
    const int smallWidth = estimate.Of(small, text).value();
    const int largeWidth = estimate.Of(large, text).value();
    QVERIFY(largeWidth > 2 * smallWidth);
    QCOMPARE(estimate.Of(small, text).value(), smallWidth);
    const QFontMetricsF boldMetrics(bold);
    QVERIFY(estimate.Of(bold, text).value() >= std::floor(boldMetrics.horizontalAdvance(text)));
    QCOMPARE(estimate.Of(large, text).value(), largeWidth);
}

void TestTextWidth::estimateLeavesOtherTextsToShaping() {
    const QFont font = QApplication::font();
    WidthEstimate estimate;
    QCOMPARE(estimate.Of(font, QString()), std::nullopt);
    QCOMPARE(estimate.Of(font, QStringLiteral("12\u3042")), std::nullopt);
    QCOMPARE(estimate.Of(font, QStringLiteral("a\tb")), std::nullopt);
    QCOMPARE(estimate.Of(font, QStringLiteral("\u05D0")), std::nullopt);
    QVERIFY(estimate.Of(font, QStringLiteral("12")).has_value());
}

void TestTextWidth::stripAccessMarks_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::newRow("marked") << "&Hex"
                            << "Hex";
    QTest::newRow("inner mark") << "DE&G"
                                << "DEG";
    QTest::newRow("literal ampersand") << "A&&B"
                                       << "A&B";
    QTest::newRow("only ampersands") << "&&"
                                     << "&";
    QTest::newRow("trailing mark") << "abc&"
                                   << "abc";
    QTest::newRow("japanese") << "10進(&D)"
                              << "10進(D)";
    QTest::newRow("tab kept") << "An&d \t&&"
                              << "And \t&";
    QTest::newRow("none") << "plain"
                          << "plain";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextWidth::stripAccessMarks() {
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QCOMPARE(StripAccessMarks(caption), plain);
}

QTEST_MAIN(TestTextWidth)
#include "test_textwidth.moc"
