// The about box: what it shows, how it is laid out, how it closes.

#include "ui/app/Language.h"
#include "ui/help/HelpWindow.h"
#include "ui/window/AboutDialog.h"
#include "ui/window/MainWindow.h"

#include "settings/Profile.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace pexa;

namespace {

QLabel* LabelWithText(const QDialog& dialog, const QString& text) {
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text)
            return label;
    return nullptr;
}

QStringList LabelTexts(const QDialog& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

// The about box laid out as it is first shown.
void LayOut(AboutDialog& about) {
    about.ensurePolished();
    about.layout()->activate();
}

// Calls the check with the about box once it is up, then leaves it by Esc.
void WhenAboutBoxShows(const std::function<void(AboutDialog&)>& check, bool* seen) {
    QTimer::singleShot(0, [check, seen] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (about == nullptr) {
            QTimer::singleShot(10, [check, seen] { WhenAboutBoxShows(check, seen); });
            return;
        }
        *seen = true;
        check(*about);
        QTest::keyClick(about, Qt::Key_Escape);
    });
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void contents() {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        QLabel* name = LabelWithText(about, QStringLiteral("pexa"));
        QVERIFY(name != nullptr);
        QVERIFY(name->font().bold());
        QVERIFY(LabelWithText(about, QStringLiteral("Version  1.01")) != nullptr);
        QVERIFY(LabelWithText(about, QStringLiteral("(Build 1.1.0.0)")) != nullptr);
        QVERIFY(LabelWithText(about, QStringLiteral("サポートページ:")) != nullptr);
        // Nothing made up: the licence the program ships with.
        const QStringList texts = LabelTexts(about);
        QCOMPARE(texts.filter(QStringLiteral("MIT License")).size(), 1);
        // Name, description, version, build, licence and the manual's line.
        QCOMPARE(texts.size(), 6);
        const QList<QLabel*> labels = about.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(),
                            [](const QLabel* label) { return !label->pixmap().isNull(); }));

        // The manual beside the program, to select and copy.
        const QList<QLineEdit*> fields = about.findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 1);
        QLineEdit* url = fields.front();
        QCOMPARE(url->text(), QDir::toNativeSeparators(HelpWindow::DefaultHelpFile()));
        QVERIFY(url->isReadOnly());
        QVERIFY(!url->hasFrame());
        QVERIFY(!(url->focusPolicy() & Qt::TabFocus));
        QCOMPARE(url->palette().color(QPalette::Base), about.palette().color(QPalette::Window));

        const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.front()->text(), QStringLiteral("閉じる"));
        QVERIFY(buttons.front()->isDefault());
    }

    void buildTextIsTheBuildsVersion() {
        QCOMPARE(AboutDialog::BuildText(), QStringLiteral("(Build 1.1.0.0)"));
    }

    // Its content decides its size, which the user cannot change; the build
    // stands right of the version on its line; the button is at the top
    // right; nothing overlaps and the whole path shows.
    void layout() {
        AboutDialog about;
        LayOut(about);
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.size(), about.sizeHint());

        QLabel* version = LabelWithText(about, QStringLiteral("Version  1.01"));
        QLabel* build = LabelWithText(about, QStringLiteral("(Build 1.1.0.0)"));
        QVERIFY(build->x() > version->geometry().right());
        QCOMPARE(build->geometry().center().y(), version->geometry().center().y());

        QWidget* close = about.findChild<QPushButton*>();
        const QRect closeRect(close->mapTo(&about, QPoint()), close->size());
        QVector<QRect> parts;
        for (const QWidget* part : about.findChildren<QWidget*>()) {
            if (part->parentWidget() != &about)
                continue;
            parts << part->geometry();
            if (qobject_cast<const QLabel*>(part) || qobject_cast<const QLineEdit*>(part)) {
                QVERIFY(part->width() >= part->sizeHint().width());
                QVERIFY(part->height() >= part->sizeHint().height());
            }
        }
        for (const QLabel* label : about.findChildren<QLabel*>())
            if (label->pixmap().isNull())
                QVERIFY(label->geometry().right() < closeRect.left());
        QVERIFY(closeRect.top() <= LabelWithText(about, QStringLiteral("pexa"))->y());
        for (qsizetype i = 0; i < parts.size(); ++i) {
            QVERIFY(about.rect().contains(parts[i]));
            for (qsizetype j = i + 1; j < parts.size(); ++j)
                QVERIFY2(!parts[i].intersects(parts[j]), qPrintable(QString::number(j)));
        }
    }

    // The line before the manual's path names it as what it is; the Japanese
    // texts and the version line read as they always have.
    void manualLineNamesTheManual() {
        const auto desktopLanguage = qScopeGuard([] { ApplyLanguage(UiLanguage::Automatic); });
        ApplyLanguage(UiLanguage::English);
        {
            AboutDialog about;
            QCOMPARE(about.windowTitle(), QStringLiteral("About pexa"));
            QVERIFY(LabelWithText(about, QStringLiteral("Manual:")) != nullptr);
            QVERIFY(LabelWithText(about, QStringLiteral("Version  1.01")) != nullptr);
            QCOMPARE(about.findChild<QPushButton*>()->text(), QStringLiteral("Close"));
        }
        ApplyLanguage(UiLanguage::Japanese);
        AboutDialog about;
        QVERIFY(LabelWithText(about, QStringLiteral("サポートページ:")) != nullptr);
    }

    void closingKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void closingKeys() {
        QFETCH(int, key);
        AboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        about.setResult(-1);
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                 : static_cast<QWidget*>(&about);
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void closeButtonAndTitleBarAccept() {
        for (const bool byButton : {true, false}) {
            AboutDialog about;
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            about.setResult(-1);
            if (byButton)
                about.findChild<QPushButton*>()->click();
            else
                about.close();
            QVERIFY(!about.isVisible());
            QCOMPARE(about.result(), int(QDialog::Accepted));
        }
    }

    void commandShowsModalBoxOwnedByWindow() {
        QTemporaryDir dir;
        ProfilePathOverride profile(dir.filePath(QStringLiteral("pexa.ini")).toStdString());
        MainWindow window;
        bool seen = false;
        WhenAboutBoxShows(
            [&window](AboutDialog& about) {
                QVERIFY(about.isModal());
                QCOMPARE(about.parentWidget(), &window);
            },
            &seen);
        QVERIFY(window.Execute(Command::HelpAbout));
        QVERIFY(seen);
        // Destroyed when it closed.
        QVERIFY(window.findChildren<AboutDialog*>().isEmpty());
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
