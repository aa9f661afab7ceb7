// The interface's font families: Latin text never falls to a Japanese font's
// fixed-width Latin letters, and Japanese text has a font whose "\" and "~"
// are the ASCII ones.

#include "ui/app/InterfaceFont.h"

#include <QSet>
#include <QtTest>

using namespace pexa;

namespace {

FontCatalog Catalog(QSet<QString> installed, QSet<QString> japanese) {
    FontCatalog catalog;
    catalog.Has = [installed](const QString& family) { return installed.contains(family); };
    catalog.DrawsJapanese = [japanese](const QString& family) { return japanese.contains(family); };
    return catalog;
}

} // namespace

class TestInterfaceFont : public QObject {
    Q_OBJECT

private slots:
    void families_data() {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("japanese");
        QTest::addColumn<QStringList>("families");
        const QStringList jp{"IPAGothic", "Noto Sans CJK JP"};
        QTest::newRow("Japanese desktop font: Latin first, then Noto CJK")
            << "IPAGothic" << QStringList{"IPAGothic", "DejaVu Sans", "Noto Sans CJK JP"} << jp
            << QStringList{"DejaVu Sans", "Noto Sans CJK JP", "IPAGothic"};
        QTest::newRow("Latin desktop font stays first")
            << "Cantarell" << QStringList{"Cantarell", "DejaVu Sans", "Noto Sans CJK JP"} << jp
            << QStringList{"Cantarell", "Noto Sans CJK JP"};
        QTest::newRow("no Japanese font installed")
            << "DejaVu Sans" << QStringList{"DejaVu Sans"} << jp << QStringList{"DejaVu Sans"};
        QTest::newRow("only Japanese fonts")
            << "IPAGothic" << QStringList{"IPAGothic"} << jp << QStringList{"IPAGothic"};
    }

    void families() {
        QFETCH(QString, desktop);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, japanese);
        QFETCH(QStringList, families);
        const FontCatalog catalog = Catalog(QSet<QString>(installed.begin(), installed.end()),
                                            QSet<QString>(japanese.begin(), japanese.end()));
        QCOMPARE(InterfaceFamilies(desktop, catalog), families);
    }
};

QTEST_APPLESS_MAIN(TestInterfaceFont)
#include "test_interfacefont.moc"
