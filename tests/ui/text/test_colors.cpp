#include "ui/text/ColorContrast.h"
#include "ui/text/StoredColorPalette.h"

#include <QApplication>
#include <QtTest>

#include <cstdint>

using namespace pexa;

namespace {

// A palette in which every role and group has its own colour, so that a
// wrong role cannot pass by accident.
QPalette DistinctPalette() {
    QPalette palette;
    int n = 1;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            palette.setColor(group, static_cast<QPalette::ColorRole>(role),
                             QColor(n % 256, (n * 7) % 256, (n * 13) % 256));
            ++n;
        }
    }
    return palette;
}

} // namespace

class TestColors : public QObject {
    Q_OBJECT

private slots:
    void systemColorsMapToPaletteRoles_data();
    void systemColorsMapToPaletteRoles();
    void unknownSystemIndexReadsAsButtonFace();
    void rgbValuesRoundTrip();
    void colourToRgb();
    void systemColourAsValueBecomesRgb();
    void contrastRatios_data();
    void contrastRatios();
    void legibleColours_data();
    void legibleColours();
};

void TestColors::systemColorsMapToPaletteRoles_data() {
    QTest::addColumn<std::uint32_t>("stored");
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("role");
    QTest::newRow("button face") << 0x8000000Fu << int(QPalette::Active) << int(QPalette::Button);
    QTest::newRow("window") << 0x80000005u << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("button text") << 0x80000012u << int(QPalette::Active)
                                 << int(QPalette::ButtonText);
    QTest::newRow("grey text") << 0x80000011u << int(QPalette::Disabled) << int(QPalette::Text);
    QTest::newRow("window text") << 0x80000008u << int(QPalette::Active) << int(QPalette::Text);
    QTest::newRow("button shadow") << 0x80000010u << int(QPalette::Active) << int(QPalette::Dark);
    QTest::newRow("highlight") << 0x8000000Du << int(QPalette::Active) << int(QPalette::Highlight);
    QTest::newRow("tooltip") << 0x80000018u << int(QPalette::Active) << int(QPalette::ToolTipBase);
    QTest::newRow("menu") << 0x80000004u << int(QPalette::Active) << int(QPalette::Base);
    QTest::newRow("menu text") << 0x80000007u << int(QPalette::Active) << int(QPalette::WindowText);
    QTest::newRow("highlight text")
        << 0x8000000Eu << int(QPalette::Active) << int(QPalette::HighlightedText);
    QTest::newRow("button highlight")
        << 0x80000014u << int(QPalette::Active) << int(QPalette::Light);
    QTest::newRow("dark shadow") << 0x80000015u << int(QPalette::Active) << int(QPalette::Shadow);
    QTest::newRow("light") << 0x80000016u << int(QPalette::Active) << int(QPalette::Midlight);
    QTest::newRow("tooltip text") << 0x80000017u << int(QPalette::Active)
                                  << int(QPalette::ToolTipText);
}

void TestColors::systemColorsMapToPaletteRoles() {
    QFETCH(std::uint32_t, stored);
    QFETCH(int, group);
    QFETCH(int, role);
    const QPalette palette = DistinctPalette();
    const QColor expected = palette.color(static_cast<QPalette::ColorGroup>(group),
                                          static_cast<QPalette::ColorRole>(role));
    const auto value = static_cast<StoredColorValue>(stored);
    QCOMPARE(ColorOf(DecodeStoredColor(value), palette), expected);

    // The application's palette is the default source.
    QApplication::setPalette(palette);
    QCOMPARE(ColorOf(value), expected);
    QApplication::setPalette(QPalette());
}

void TestColors::unknownSystemIndexReadsAsButtonFace() {
    const QPalette palette = DistinctPalette();
    const QColor face = palette.color(QPalette::Active, QPalette::Button);
    for (const std::uint32_t raw : {0x800000FFu, 0x80000000u, 0xFFFFFFFFu, 0x80001F63u})
        QCOMPARE(ColorOf(DecodeStoredColor(static_cast<StoredColorValue>(raw)), palette), face);
    // The high bits beside the top bit do not change the index.
    QCOMPARE(ColorOf(DecodeStoredColor(static_cast<StoredColorValue>(0xFF000005u)), palette),
             palette.color(QPalette::Active, QPalette::Base));
}

void TestColors::rgbValuesRoundTrip() {
    // Every value of each channel, with the other two varying.
    for (int v = 0; v < 256; ++v) {
        for (const int shift : {0, 8, 16}) {
            const auto other = static_cast<std::uint32_t>((v * 37 + 11) % 256);
            const std::uint32_t raw =
                (static_cast<std::uint32_t>(v) << shift) | (other << ((shift + 8) % 24));
            const auto value = static_cast<StoredColorValue>(raw);
            const QColor color = ColorOf(value);
            QCOMPARE(EncodeStoredColor(RgbOf(color)), value);
            QCOMPARE(color.alpha(), 255);
        }
    }
}

void TestColors::colourToRgb() {
    QCOMPARE(RgbOf(QColor(0x12, 0x34, 0x56, 0x10)), (Rgb{0x12, 0x34, 0x56})); // alpha dropped
    QCOMPARE(RgbOf(QColor::fromHsv(0, 255, 255)), (Rgb{0xFF, 0, 0}));         // any colour model
    QCOMPARE(RgbOf(QColor()), Rgb{});                                         // invalid: black
    QCOMPARE(ColorOf(0x00563412), QColor(0x12, 0x34, 0x56));
}

void TestColors::systemColourAsValueBecomesRgb() {
    // A colour chosen by the user is always stored as RGB, even when it came
    // from a system colour.
    const QPalette palette = DistinctPalette();
    const QColor face = ColorOf(SystemColor::ButtonFace, palette);
    const StoredColorValue stored = EncodeStoredColor(RgbOf(face));
    QVERIFY(std::holds_alternative<Rgb>(DecodeStoredColor(stored)));
    QCOMPARE(ColorOf(DecodeStoredColor(stored), palette), face);
}

void TestColors::contrastRatios_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(0, 0, 0) << QColor(255, 255, 255) << 21.0;
    QTest::newRow("same colour") << QColor(90, 20, 200) << QColor(90, 20, 200) << 1.0;
    QTest::newRow("order does not matter") << QColor(255, 255, 255) << QColor(0, 0, 0) << 21.0;
    // Reference values of the sRGB luminance formula.
    QTest::newRow("grey 190 on 239") << QColor(190, 190, 190) << QColor(239, 239, 239) << 1.61;
    QTest::newRow("red on white") << QColor(255, 0, 0) << QColor(255, 255, 255) << 4.00;
    QTest::newRow("blue on white") << QColor(0, 0, 255) << QColor(255, 255, 255) << 8.59;
}

void TestColors::contrastRatios() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(ContrastRatio(a, b) - ratio) < 0.01,
             qPrintable(QString::number(ContrastRatio(a, b))));
}

void TestColors::legibleColours_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("unchanged");
    QTest::newRow("blue on light grey is kept")
        << QColor(0, 0, 255) << QColor(239, 239, 239) << true;
    QTest::newRow("blue on dark grey lightens") << QColor(0, 0, 255) << QColor(53, 53, 53) << false;
    QTest::newRow("red on white darkens") << QColor(255, 0, 0) << QColor(255, 255, 255) << false;
    QTest::newRow("grey on grey") << QColor(190, 190, 190) << QColor(239, 239, 239) << false;
    QTest::newRow("mid grey background") << QColor(119, 119, 119) << QColor(119, 119, 119) << false;
}

void TestColors::legibleColours() {
    QFETCH(QColor, color);
    QFETCH(QColor, background);
    QFETCH(bool, unchanged);
    const QColor legible = Legible(color, background);
    QVERIFY(ContrastRatio(legible, background) >= kReadableContrast);
    QCOMPARE(legible == color, unchanged);
    // Moved towards black or white only: the hue stays.
    if (!unchanged && color.hue() >= 0)
        QCOMPARE(legible.hue(), color.hue());
}

QTEST_MAIN(TestColors)
#include "test_colors.moc"
