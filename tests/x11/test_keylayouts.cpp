// Keys under keyboard layouts other than US English, sent as real X11 key
// events (XTest, by keycode) to the main window running on the xcb platform
// of a private X server; the layout is switched with setxkbmap. Shortcuts and
// access keys are matched by key, typed characters by character, so each
// layout must reach the same commands as the US one.

#include "../ui/MainWindowHarness.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <utility>

using namespace pexa;
using namespace pexa::testing;

namespace {

// evdev keycodes (+8), as every X server on Linux numbers its keys; named
// after the key's US label.
enum KeyCode : unsigned {
    kCtrl = 37,
    kShift = 50,
    kAlt = 64,
    kAltGr = 108,
    kF1 = 67,
    kF4 = 70,
    kDigit0 = 19,
    kDigit1 = 10,
    kDigit2 = 11,
    kDigit6 = 15,
    kDigit7 = 16,
    kMinus = 20,
    kQ = 24,
    kBracketRight = 35,
    kEscape = 9,
    kA = 38,
    kH = 43,
    kC = 54,
    kV = 55,
    kB = 56,
    kM = 58,
    kComma = 59,
    kPeriod = 60,
    kSlash = 61,
    kLessGreater = 94,
    kY = 29,
    kP = 33,
    kL = 46,
    kZ = 52,
};

// Every command records its name instead of running, and is enabled, so
// that a key is matched to exactly the command it runs.
class Recorder {
public:
    explicit Recorder(MainWindow& window) {
        window.ReplaceCommandsForTest(
            [this](Command command) { log_.append(QLatin1String(InfoOf(command).Name)); });
    }
    const QStringList& Log() const { return log_; }

private:
    QStringList log_;
};

class XKeyboard {
public:
    XKeyboard() : display_(XOpenDisplay(nullptr)) {}
    ~XKeyboard() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    XKeyboard(const XKeyboard&) = delete;
    XKeyboard& operator=(const XKeyboard&) = delete;

    bool Usable() const {
        int event, error, major, minor;
        return display_ != nullptr &&
               XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
    }

    // Holds the modifiers, presses and releases the key, lets the modifiers go.
    void Press(const QList<unsigned>& modifiers, unsigned key) {
        for (unsigned m : modifiers)
            XTestFakeKeyEvent(display_, m, True, CurrentTime);
        XTestFakeKeyEvent(display_, key, True, CurrentTime);
        XTestFakeKeyEvent(display_, key, False, CurrentTime);
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
            XTestFakeKeyEvent(display_, *m, False, CurrentTime);
        XSync(display_, False);
    }

private:
    Display* display_;
};

} // namespace

class KeyLayoutsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void keyReachesItsCommand_data();
    void keyReachesItsCommand();
    void altLetterPicksTheBar_data();
    void altLetterPicksTheBar();
    void closedMenuGivesTheKeysBack();

private:
    static void SetLayout(const QString& layout);
};

void KeyLayoutsTest::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY2(XKeyboard().Usable(), "no X server with the XTEST extension");
}

void KeyLayoutsTest::cleanupTestCase() {
    SetLayout(QStringLiteral("us"));
}

void KeyLayoutsTest::SetLayout(const QString& layout) {
    // The server tells every client of the new keymap before any key event
    // sent after this, so the window reads the keys below with it.
    QCOMPARE(QProcess::execute(QStringLiteral("setxkbmap"), {layout}), 0);
}

void KeyLayoutsTest::keyReachesItsCommand_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QList<unsigned>>("modifiers");
    QTest::addColumn<unsigned>("key");
    QTest::addColumn<QString>("command");

    auto row = [](const char* name, const char* layout, QList<unsigned> modifiers, unsigned key,
                  const char* command) {
        QTest::newRow(name) << QString::fromLatin1(layout) << modifiers << key
                            << QString::fromLatin1(command);
    };
    // The reference: the US layout.
    row("us Ctrl+B", "us", {kCtrl}, kB, "actionModeByte");
    row("us a", "us", {}, kA, "actionDigitA");
    row("us Shift+2 @", "us", {kShift}, kDigit2, "actionOpSqrt");
    row("us Ctrl+Z", "us", {kCtrl}, kZ, "actionEditUndo");
    row("us Ctrl+Shift+Z", "us", {kCtrl, kShift}, kZ, "actionEditRedo");
    row("us Ctrl+Y", "us", {kCtrl}, kY, "actionEditRedo");
    row("us Ctrl+M", "us", {kCtrl}, kM, "actionMemoryStore");
    row("us Ctrl+P", "us", {kCtrl}, kP, "actionMemoryAdd");
    row("us Ctrl+Shift+P", "us", {kCtrl, kShift}, kP, "actionMemorySubtract");
    row("us Ctrl+Shift+M", "us", {kCtrl, kShift}, kM, "actionMemoryRecall");
    row("us Ctrl+Shift+L", "us", {kCtrl, kShift}, kL, "actionMemoryClear");
    row("ru Ctrl+Z", "ru", {kCtrl}, kZ, "actionEditUndo");
    // QWERTZ: Undo is on the key that types z.
    row("de Ctrl+Z (key Y)", "de", {kCtrl}, kY, "actionEditUndo");

    // Cyrillic and Greek letters: shortcuts go by the key, as on a US keyboard.
    for (const char* layout : {"ru", "gr"}) {
        const QByteArray l(layout);
        row(l + " Ctrl+B", layout, {kCtrl}, kB, "actionModeByte");
        row(l + " Ctrl+Shift+C", layout, {kCtrl, kShift}, kC, "actionEditCopyGrouped");
        row(l + " Ctrl+V", layout, {kCtrl}, kV, "actionEditPaste");
        row(l + " key A", layout, {}, kA, "actionDigitA");
        row(l + " key M", layout, {}, kM, "actionModeMenu");
        row(l + " F1", layout, {}, kF1, "actionHelpContents");
    }
    row("ru Shift+Q", "ru", {kShift}, kQ, "actionDescriptiveQuickMenu");
    // The Greek layout's Q key types ';' and ':', which are not letters: they
    // are matched as the characters they are.
    row("gr ; (key Q)", "gr", {}, kQ, "actionShiftAmountMenu");
    row("gr Shift+Q :", "gr", {kShift}, kQ, "actionSeparator");
    // Characters of the Russian layout typed on other keys than in the US one.
    row("ru . (slash key)", "ru", {}, kSlash, "actionPeriod");
    row("ru Shift+4 ;", "ru", {kShift}, kDigit1 + 3, "actionShiftAmountMenu");

    // German: AltGr makes the character, which reaches its command.
    row("de AltGr+Q @", "de", {kAltGr}, kQ, "actionOpSqrt");
    row("de AltGr+7 {", "de", {kAltGr}, kDigit7, "actionOpShiftLeftByAmount");
    row("de AltGr+0 }", "de", {kAltGr}, kDigit0, "actionOpShiftRightByAmount");
    row("de AltGr+< |", "de", {kAltGr}, kLessGreater, "actionOpOr");
    row("de AltGr+sz \\", "de", {kAltGr}, kMinus, "actionOpReciprocal");
    row("de AltGr++ ~", "de", {kAltGr}, kBracketRight, "actionOpNot");
    row("de Shift+. :", "de", {kShift}, kPeriod, "actionSeparator");
    row("de Ctrl+B", "de", {kCtrl}, kB, "actionModeByte");

    // AZERTY: digits need Shift, the unshifted keys type symbols.
    row("fr Shift+1", "fr", {kShift}, kDigit1, "actionDigit1");
    row("fr Shift+6", "fr", {kShift}, kDigit6, "actionDigit6");
    row("fr & (key 1)", "fr", {}, kDigit1, "actionOpAnd");
    row("fr e-acute (key 2)", "fr", {}, kDigit2, "");
    row("fr - (key 6)", "fr", {}, kDigit6, "actionOpSub");
    row("fr ; (comma key)", "fr", {}, kComma, "actionShiftAmountMenu");
    row("fr Shift+; .", "fr", {kShift}, kComma, "actionPeriod");
    row("fr : (period key)", "fr", {}, kPeriod, "actionSeparator");
    row("fr a (key Q)", "fr", {}, kQ, "actionDigitA");
    row("fr Ctrl+B", "fr", {kCtrl}, kB, "actionModeByte");
}

void KeyLayoutsTest::keyReachesItsCommand() {
    QFETCH(QString, layout);
    QFETCH(QList<unsigned>, modifiers);
    QFETCH(unsigned, key);
    QFETCH(QString, command);
    SetLayout(layout);
    WindowFixture window;
    MainWindow& form = window.Window();
    Recorder recorder(form);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    XKeyboard keyboard;
    keyboard.Press(modifiers, key);
    // A key that runs nothing is followed by one that does, so that the
    // test knows when the first has been handled.
    keyboard.Press({kCtrl}, kF4);
    QStringList expected = command.isEmpty() ? QStringList() : QStringList{command};
    expected << QStringLiteral("actionBarClose");
    QTRY_COMPARE(recorder.Log(), expected);
}

void KeyLayoutsTest::altLetterPicksTheBar_data() {
    QTest::addColumn<QString>("layout");
    for (const char* layout : {"us", "ru", "gr", "de", "fr"})
        QTest::newRow(layout) << QString::fromLatin1(layout);
}

// Alt+H picks the hexadecimal bar under every layout, and the help menu's
// Alt+H does not open.
void KeyLayoutsTest::altLetterPicksTheBar() {
    QFETCH(QString, layout);
    SetLayout(layout);
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));

    XKeyboard keyboard;
    keyboard.Press({kAlt}, kH);
    QTRY_COMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Hex));
    // The key A types the digit A into it, by key in every layout but AZERTY,
    // where that key is Q.
    keyboard.Press({}, layout == QLatin1String("fr") ? kQ : kA);
    QTRY_COMPARE(ShownOf(form, BarKind::Hex), QStringLiteral("0000000A"));
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

// With the X server's own keyboard grab of an open menu: after Alt+V and Esc
// the keys reach the calculator again.
void KeyLayoutsTest::closedMenuGivesTheKeysBack() {
    SetLayout(QStringLiteral("us"));
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    XKeyboard keyboard;
    keyboard.Press({}, kDigit7);
    QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("7"));
    keyboard.Press({kAlt}, kV);
    QTRY_COMPARE(QApplication::activePopupWidget(), form.MainMenuBar()->ViewMenu());
    keyboard.Press({}, kEscape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    keyboard.Press({}, kEscape);
    QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("0"));
    keyboard.Press({kAlt}, kH);
    QTRY_COMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Hex));
    keyboard.Press({}, kA);
    QTRY_COMPARE(ShownOf(form, BarKind::Hex), QStringLiteral("0000000A"));
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

QTEST_MAIN(KeyLayoutsTest)
#include "test_keylayouts.moc"
