// View > Font…: the chooser opens on the display font as it is, so that OK
// without a change changes nothing, in either interface language. Checked
// with families the test makes, named as desktop fonts name their faces.

#include "GeneratedFonts.h"
#include "MainWindowHarness.h"

#include "ui/app/Language.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pexa;
using namespace pexa::testing;
using generated_fonts::FontFace;

namespace {

// Upright "Book" beside "Oblique", "Bold" and "Bold Oblique", as DejaVu Sans
// names its faces; as there, the database lists "Oblique" first.
const QString kBookFamily = QStringLiteral("Pexa Test Book");
// "Regular" and "Italic" only: bold is drawn by emboldening.
const QString kRegularFamily = QStringLiteral("Pexa Test Regular");

bool AddFaces() {
    const struct {
        QString Family;
        QString Style;
        bool Bold;
        bool Italic;
    } faces[] = {
        {kBookFamily, QStringLiteral("Oblique"), false, true},
        {kBookFamily, QStringLiteral("Book"), false, false},
        {kBookFamily, QStringLiteral("Bold"), true, false},
        {kBookFamily, QStringLiteral("Bold Oblique"), true, true},
        {kRegularFamily, QStringLiteral("Regular"), false, false},
        {kRegularFamily, QStringLiteral("Italic"), false, true},
    };
    for (const auto& face : faces) {
        FontFace font;
        font.Family = face.Family;
        font.Style = face.Style;
        font.Bold = face.Bold;
        font.Italic = face.Italic;
        if (!generated_fonts::AddToApplication(font))
            return false;
    }
    return true;
}

void SwitchTo(MainWindow& window, UiLanguage language) {
    window.SetLanguage(language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

// Runs the command while a timer does to the chooser, once it is shown, what
// the user would; returns whether a chooser was found.
bool WithFontDialog(MainWindow& window, const std::function<void(QFontDialog&)>& handle) {
    bool found = false;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFontDialog*>(widget);
            if (dialog != nullptr && dialog->isVisible()) {
                timer.stop();
                found = true;
                handle(*dialog);
                return;
            }
        }
    });
    timer.start();
    Run(window, QStringLiteral("actionChooseFont"));
    return found;
}

} // namespace

class TestFontDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(AddFaces()); }

    void okWithoutAChangeKeepsTheFont_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("japanese");
        for (const bool japanese : {false, true}) {
            const char* language = japanese ? "Japanese" : "English";
            for (const QString& family : {kBookFamily, kRegularFamily}) {
                for (const bool bold : {false, true}) {
                    for (const bool italic : {false, true}) {
                        QTest::addRow("%s, %s%s%s", language, qPrintable(family),
                                      bold ? " bold" : "", italic ? " italic" : "")
                            << family << bold << italic << japanese;
                    }
                }
            }
        }
    }

    void okWithoutAChangeKeepsTheFont() {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, japanese);
        WindowFixture window;
        SwitchTo(*window, japanese ? UiLanguage::Japanese : UiLanguage::English);
        QFont chosen(family, 13);
        chosen.setBold(bold);
        chosen.setItalic(italic);
        window->View().SetDisplayFont(chosen);
        const QFont before = window->View().DisplayFont();

        bool offeredItalic = !italic;
        QVERIFY(WithFontDialog(*window, [&offeredItalic](QFontDialog& dialog) {
            offeredItalic = dialog.currentFont().italic();
            dialog.accept();
        }));
        // The chooser shows the slant the display has.
        QCOMPARE(offeredItalic, italic);

        const QFont after = window->View().DisplayFont();
        QCOMPARE(after.family(), family);
        QCOMPARE(after.pointSize(), 13);
        QCOMPARE(after.italic(), italic);
        QCOMPARE(after.bold(), bold);
        QCOMPARE(QFontInfo(after).italic(), QFontInfo(before).italic());
        QCOMPARE(QFontInfo(after).bold(), QFontInfo(before).bold());
        const QFont shown = window->Bars().At(0)->Parts().ValueLabel->font();
        QCOMPARE(QFontInfo(shown).italic(), italic);
        SwitchTo(*window, UiLanguage::Japanese);
    }

    // Only the size changed: the style stays. A size the settings would not
    // take back at the next start is brought into their range now.
    void aNewSizeKeepsTheStyle_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("size");
        QTest::newRow("20") << "20" << 20;
        QTest::newRow("too large to keep") << "500" << MaxFontSize;
    }

    void aNewSizeKeepsTheStyle() {
        QFETCH(QString, typed);
        QFETCH(int, size);
        WindowFixture window;
        window->View().SetDisplayFont(QFont(kBookFamily, 11));
        QVERIFY(WithFontDialog(*window, [typed](QFontDialog& dialog) {
            // The size box is the one edit that takes numbers only.
            for (auto* edit : dialog.findChildren<QLineEdit*>()) {
                if (edit->validator() != nullptr)
                    edit->setText(typed);
            }
            dialog.accept();
        }));
        const QFont after = window->View().DisplayFont();
        QCOMPARE(after.family(), kBookFamily);
        QCOMPARE(after.pointSize(), size);
        QVERIFY(!after.italic());
        QVERIFY(!QFontInfo(after).italic());
    }

    // Cancel leaves the font as it was.
    void cancelKeepsTheFont() {
        WindowFixture window;
        window->View().SetDisplayFont(QFont(kRegularFamily, 12));
        const QFont before = window->View().DisplayFont();
        QVERIFY(WithFontDialog(*window, [](QFontDialog& dialog) {
            for (auto* edit : dialog.findChildren<QLineEdit*>()) {
                if (edit->validator() != nullptr)
                    edit->setText(QStringLiteral("30"));
            }
            dialog.reject();
        }));
        QCOMPARE(window->View().DisplayFont(), before);
    }

    // Another family chosen in the chooser is taken with its face and size.
    void anotherFamilyIsTaken() {
        WindowFixture window;
        window->View().SetDisplayFont(QFont(kRegularFamily, 12));
        QVERIFY(WithFontDialog(*window, [](QFontDialog& dialog) {
            QFont font = QFontDatabase::font(kBookFamily, QStringLiteral("Bold"), 15);
            dialog.setCurrentFont(font);
            dialog.accept();
        }));
        const QFont after = window->View().DisplayFont();
        QCOMPARE(after.family(), kBookFamily);
        QCOMPARE(after.pointSize(), 15);
        QVERIFY(after.bold());
        QVERIFY(!QFontInfo(after).italic());
    }
};

QTEST_MAIN(TestFontDialog)
#include "test_fontdialog.moc"
