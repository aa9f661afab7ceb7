// The locale characters taken from the user's regional settings.

#include "ui/app/LocaleFormat.h"

#include <QLocale>
#include <QTest>

using namespace pexa;

class LocaleFormatTest : public QObject {
    Q_OBJECT

private slots:
    void fromLocale_data();
    void fromLocale();
};

void LocaleFormatTest::fromLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected"); // decimal, thousands, date, time
    QTest::newRow("C") << "C"
                       << ".,/:";
    QTest::newRow("United States") << "en_US"
                                   << ".,/:";
    QTest::newRow("Japan") << "ja_JP"
                           << ".,/:";
    QTest::newRow("Germany") << "de_DE"
                             << ",..:";
    QTest::newRow("Sweden") << "sv_SE"
                            << ",.-:";
    // A non-breaking space cannot be a separator in the bars' texts; the
    // stand-in must not be the decimal separator.
    QTest::newRow("France") << "fr_FR"
                            << ",./:";
    // The time separator '.' stays beside a '.' for thousands and dates.
    QTest::newRow("Finland") << "fi_FI"
                             << ",...";
    QTest::newRow("Denmark") << "da_DK"
                             << ",...";
    // Eastern Arabic digits and separators are not ASCII: all defaults.
    QTest::newRow("Egypt") << "ar_EG"
                           << ".,/:";
}

void LocaleFormatTest::fromLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    const FormatSettings format = FormatFromLocale(QLocale(locale));
    const QString actual = QString(QChar(format.DecimalSeparator)) +
                           QChar(format.ThousandSeparator) + QChar(format.DateSeparator) +
                           QChar(format.TimeSeparator);
    QCOMPARE(actual, expected);
    QVERIFY(format.DecimalSeparator != format.ThousandSeparator);
}

QTEST_MAIN(LocaleFormatTest)
#include "test_localeformat.moc"
