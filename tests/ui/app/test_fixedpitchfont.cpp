// The character bar's fixed-pitch font is chosen by measuring what a family
// draws, not by what it claims; checked with fonts the test makes itself.

#include "GeneratedFonts.h"
#include "ui/app/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QtTest>

using namespace pexa;
using generated_fonts::FontFace;

namespace {

const QString kMono = QStringLiteral("Pexa Test Mono");
const QString kFakeMono = QStringLiteral("Pexa Test Fake Mono");
const QString kSans = QStringLiteral("Pexa Test Sans");
// Fixed for ASCII, with a combining mark and a wide dash beside: fontconfig
// reports such a family proportional, as it does "Noto Sans Mono".
const QString kMonoWithMarks = QStringLiteral("Pexa Test Mono With Marks");
const QString kMissing = QStringLiteral("Pexa Test Not Installed");

int AdvanceWithMarks(char16_t c) {
    switch (c) {
    case u'\u0301':
        return 0;
    case u'\u2014':
        return 1200;
    default:
        return 600;
    }
}

// Narrow "i", wide "W" and "m", as in a proportional Latin font.
int ProportionalAdvance(char16_t c) {
    switch (c) {
    case u'i':
    case u'l':
    case u' ':
        return 280;
    case u'W':
    case u'm':
        return 900;
    case u'_':
        return 500;
    default:
        return 600;
    }
}

// Measured here with the font metrics the labels draw with, independently of
// the rule's own measuring.
bool HasOneAdvance(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal advance = metrics.horizontalAdvance(QLatin1Char('0'));
    for (const char c : {'i', 'W', 'm', '_'}) {
        if (qAbs(metrics.horizontalAdvance(QLatin1Char(c)) - advance) > 0.02)
            return false;
    }
    return advance > 0;
}

QFont Font(const QString& family, int points, bool bold, bool italic) {
    QFont font(family, points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

class TestFixedPitchFont : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        FontFace mono;
        mono.Family = kMono;
        mono.ClaimsFixedPitch = true;
        FontFace fake;
        fake.Family = kFakeMono;
        fake.ClaimsFixedPitch = true;
        fake.Advance = ProportionalAdvance;
        FontFace sans;
        sans.Family = kSans;
        sans.Advance = ProportionalAdvance;
        FontFace withMarks;
        withMarks.Family = kMonoWithMarks;
        withMarks.Advance = AdvanceWithMarks;
        withMarks.Extra = u"\u0301\u2014";
        for (const FontFace& face : {mono, fake, sans, withMarks})
            QVERIFY2(generated_fonts::AddToApplication(face), qPrintable(face.Family));
        QVERIFY(!QFontDatabase::hasFamily(kMissing));
    }

    void measuresWhatIsDrawn_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("fixed") << kMono << true;
        QTest::newRow("claims fixed, is not") << kFakeMono << false;
        QTest::newRow("proportional") << kSans << false;
        QTest::newRow("fixed for ASCII, other widths beside") << kMonoWithMarks << true;
    }

    void measuresWhatIsDrawn() {
        QFETCH(QString, family);
        QFETCH(bool, fixed);
        for (int points : {7, 13, 28}) {
            const QFont font(family, points);
            QCOMPARE(QFontInfo(font).family(), family);
            QCOMPARE(HasOneAdvance(font), fixed);
            QCOMPARE(DrawsFixedPitch(font), fixed);
        }
    }

    void choosesAFamilyThatIsFixed_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the fake is passed over")
            << kSans << QStringList{kMissing, kFakeMono, kMono} << kMono;
        QTest::newRow("fixed for the columns, not throughout")
            << kSans << QStringList{kFakeMono, kMonoWithMarks, kMono} << kMonoWithMarks;
        QTest::newRow("a fixed display family is kept") << kMono << QStringList{kFakeMono} << kMono;
        QTest::newRow("a proportional family is never taken")
            << kFakeMono << QStringList{kSans, kMono} << kMono;
        QTest::newRow("nothing fits: the display family stays")
            << kSans << QStringList{kMissing, kFakeMono, kSans} << kSans;
    }

    void choosesAFamilyThatIsFixed() {
        QFETCH(QString, base);
        QFETCH(QStringList, candidates);
        QFETCH(QString, chosen);
        for (const bool bold : {false, true}) {
            for (const bool italic : {false, true}) {
                const QFont display = Font(base, 17, bold, italic);
                const QFont font = FixedPitchFont(display, candidates);
                QCOMPARE(font.families().value(0), chosen);
                QCOMPARE(QFontInfo(font).family(), chosen);
                QCOMPARE(font.pointSize(), 17);
                QCOMPARE(font.bold(), bold);
                QCOMPARE(font.italic(), italic);
                if (chosen == kMono)
                    QVERIFY(HasOneAdvance(font));
            }
        }
    }

    // The machine's own candidates come first, but whatever they are, the
    // font taken draws with fixed pitch: the test's fixed family is one of
    // the families the database reports fixed.
    void theMachinesChoiceIsFixed() {
        const QFont font = FixedPitchFont(Font(kFakeMono, 11, false, true));
        QVERIFY2(HasOneAdvance(font), qPrintable(QFontInfo(font).family()));
        QCOMPARE(font.pointSize(), 11);
        QVERIFY(font.italic());
    }
};

QTEST_MAIN(TestFixedPitchFont)
#include "test_fixedpitchfont.moc"
