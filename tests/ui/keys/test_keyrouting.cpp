// How keys reach the main window's commands: shortcuts, the bars' access
// keys, the active bar, Ctrl+Tab, the typed-character table, and the wheel.

#include "MainWindowHarness.h"

#include "ui/keys/CharacterKeyTable.h"
#include "ui/keys/Shortcut.h"
#include "ui/panel/OperatorPages.h"
#include "ui/window/ExpressionLine.h"
#include "ui/window/HistoryPane.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <memory>
#include <optional>

using namespace pexa;
using namespace pexa::testing;

namespace {

// A key as a keyboard sends it: key code, modifiers and the text it types.
struct KeyPress {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    QString Text;
};

void Press(QWidget* target, const KeyPress& key) {
    QTest::sendKeyEvent(QTest::Click, target, key.Key, key.Text, key.Mods);
}

// Characters as a US keyboard types them: upper-case letters and the
// shifted symbols come with Shift held.
void Type(QWidget* target, const QString& chars) {
    static const QString shifted = QStringLiteral("~!@#$%^&*()_+{}|:\"<>?");
    for (const QChar c : chars) {
        const char ascii = c.toLatin1();
        const bool shift = (ascii >= 'A' && ascii <= 'Z') || shifted.contains(c);
        QTest::keyClick(target, ascii, shift ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

// Every command of the window records its name instead of running, and is
// enabled, so that a key can be matched to exactly the command it runs.
class Recorder {
public:
    explicit Recorder(MainWindow& window) {
        window.ReplaceCommandsForTest(
            [this](Command command) { log_.append(QLatin1String(InfoOf(command).Name)); });
    }
    QStringList Take() { return std::exchange(log_, {}); }

private:
    QStringList log_;
};

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Alt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers Pad = Qt::KeypadModifier;

QString Ch(char c) {
    return QString(QLatin1Char(c));
}

} // namespace

class KeyRoutingTest : public QObject {
    Q_OBJECT

private slots:
    void keyRunsItsCommand_data();
    void keyRunsItsCommand();
    void keyTableHoldsTheListedCharacters();
    void keyTableFollowsTheDecimalSeparator();
    void oddDecimalSeparatorLeavesTheTable_data();
    void oddDecimalSeparatorLeavesTheTable();
    void tableCharacters();
    void keyCharText_data();
    void keyCharText();
    void letterKeyIsAHexDigitButShiftedLetterIsNot();
    void lowerAndUpperCaseCharacters_data();
    void lowerAndUpperCaseCharacters();
    void numberPadTypesThroughTheCharacterTable();
    void disabledShortcutLetsTheKeyGoOn();
    void disabledDigitShortcutDoesNothing();
    void altLetterPicksABarBeforeTheMenuBar();
    void closedMenuGivesTheKeysBack_data();
    void closedMenuGivesTheKeysBack();
    void activeBarHandlesItsKeys();
    void aNewKeyWhereAnOldOneWasIsRouted();
    void ctrlTabStepsThePagesWithoutWrapping();
    void mouseWheelStepsTheBars();
    void noControlTakesTheFocus();
};

void KeyRoutingTest::keyRunsItsCommand_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("command");

    auto row = [](const char* name, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text,
                  const char* command) {
        QTest::newRow(name) << static_cast<int>(key) << static_cast<int>(mods) << text
                            << QString::fromLatin1(command);
    };
    // Typed characters, from the main keyboard as a US layout types them.
    struct CharRow {
        char Char;
        Qt::Key Key;
        Qt::KeyboardModifiers Mods;
        const char* Command;
    };
    const CharRow chars[] = {
        {'=', Qt::Key_Equal, None, "actionEqual"},
        {'?', Qt::Key_Question, Shift, "actionRecallAnswer"},
        {'+', Qt::Key_Plus, Shift, "actionOpAdd"},
        {'-', Qt::Key_Minus, None, "actionOpSub"},
        {'*', Qt::Key_Asterisk, Shift, "actionOpMul"},
        {'/', Qt::Key_Slash, None, "actionOpDiv"},
        {'%', Qt::Key_Percent, Shift, "actionOpMod"},
        {'&', Qt::Key_Ampersand, Shift, "actionOpAnd"},
        {'|', Qt::Key_Bar, Shift, "actionOpOr"},
        {'^', Qt::Key_AsciiCircum, Shift, "actionOpXor"},
        {'<', Qt::Key_Less, Shift, "actionOpShiftLeft"},
        {'>', Qt::Key_Greater, Shift, "actionOpShiftRight"},
        {'w', Qt::Key_W, None, "actionOpPower"},
        {'t', Qt::Key_T, None, "actionOpRoot"},
        {'g', Qt::Key_G, None, "actionOpLogN"},
        {'_', Qt::Key_Underscore, Shift, "actionNegate"},
        {'~', Qt::Key_AsciiTilde, Shift, "actionOpNot"},
        {'{', Qt::Key_BraceLeft, Shift, "actionOpShiftLeftByAmount"},
        {'}', Qt::Key_BraceRight, Shift, "actionOpShiftRightByAmount"},
        {';', Qt::Key_Semicolon, None, "actionShiftAmountMenu"},
        {'v', Qt::Key_V, None, "actionOpReverseBytes"},
        {'V', Qt::Key_V, Shift, "actionOpReverseBits"},
        {'o', Qt::Key_O, None, "actionOpPopCount"},
        {'h', Qt::Key_H, None, "actionOpLeadingZeros"},
        {'r', Qt::Key_R, None, "actionOpTrailingZeros"},
        {'i', Qt::Key_I, None, "actionOpFloor"},
        {'j', Qt::Key_J, None, "actionOpCeil"},
        {'k', Qt::Key_K, None, "actionOpRound"},
        {'#', Qt::Key_NumberSign, Shift, "actionOpFrac"},
        {'@', Qt::Key_At, Shift, "actionOpSqrt"},
        {'`', Qt::Key_QuoteLeft, None, "actionOpSquare"},
        {'\\', Qt::Key_Backslash, None, "actionOpReciprocal"},
        {'n', Qt::Key_N, None, "actionOpLogE"},
        {'l', Qt::Key_L, None, "actionOpLog10"},
        {'L', Qt::Key_L, Shift, "actionOpLog2"},
        {'x', Qt::Key_X, None, "actionOpExpE"},
        {'y', Qt::Key_Y, None, "actionOpExp10"},
        {'X', Qt::Key_X, Shift, "actionOpExp2"},
        {'!', Qt::Key_Exclam, Shift, "actionOpFactorial"},
        {'I', Qt::Key_I, Shift, "actionOpSin"},
        {'O', Qt::Key_O, Shift, "actionOpCos"},
        {'T', Qt::Key_T, Shift, "actionOpTan"},
        {'P', Qt::Key_P, Shift, "actionPi"},
    };
    for (const CharRow& c : chars)
        QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QChar(QLatin1Char(c.Char)))))
            << static_cast<int>(c.Key) << static_cast<int>(c.Mods) << Ch(c.Char)
            << QString::fromLatin1(c.Command);
    // Digits: the main keys are shortcuts, the number pad's type characters;
    // either way the digit runs once.
    for (int d = 0; d <= 9; ++d) {
        const auto key = static_cast<Qt::Key>(Qt::Key_0 + d);
        const QString text = QString::number(d);
        const QString command = QStringLiteral("actionDigit") + text;
        QTest::newRow(qPrintable(QStringLiteral("key %1").arg(d)))
            << static_cast<int>(key) << static_cast<int>(None) << text << command;
        QTest::newRow(qPrintable(QStringLiteral("pad %1").arg(d)))
            << static_cast<int>(key) << static_cast<int>(Pad) << text << command;
    }
    row("pad +", Qt::Key_Plus, Pad, "+", "actionOpAdd");
    row("pad -", Qt::Key_Minus, Pad, "-", "actionOpSub");
    row("pad *", Qt::Key_Asterisk, Pad, "*", "actionOpMul");
    row("pad /", Qt::Key_Slash, Pad, "/", "actionOpDiv");
    row("pad .", Qt::Key_Period, Pad, ".", "actionPeriod");
    row("pad Enter", Qt::Key_Enter, Pad, "\r", "actionEqual");
    row("Return", Qt::Key_Return, None, "\r", "actionEqual");
    row("key A", Qt::Key_A, None, "a", "actionDigitA");
    row("key F", Qt::Key_F, None, "f", "actionDigitF");
    row("Shift+A", Qt::Key_A, Shift, "A", "");
    row("Shift+F", Qt::Key_F, Shift, "F", "");
    row("Shift+Z", Qt::Key_Z, Shift, "Z", "");
    row("z", Qt::Key_Z, None, "z", "");
    row("colon", Qt::Key_Colon, Shift, ":", "actionSeparator");
    row("period", Qt::Key_Period, None, ".", "actionPeriod");
    row("comma", Qt::Key_Comma, None, ",", "actionPeriod");
    row("space", Qt::Key_Space, None, " ", "");
    row("Backspace", Qt::Key_Backspace, None, "\b", "actionBackSpace");
    row("Delete", Qt::Key_Delete, None, "\x7f", "actionClearEntry");
    row("Escape", Qt::Key_Escape, None, "\x1b", "actionClearAll");
    row("Ctrl+B", Qt::Key_B, Ctrl, "\x02", "actionModeByte");
    row("Ctrl+W", Qt::Key_W, Ctrl, "\x17", "actionModeWord");
    row("Ctrl+D", Qt::Key_D, Ctrl, "\x04", "actionModeDWord");
    row("Ctrl+Q", Qt::Key_Q, Ctrl, "\x11", "actionModeInt64");
    row("Ctrl+R", Qt::Key_R, Ctrl, "\x12", "actionModeReal");
    row("Ctrl+S", Qt::Key_S, Ctrl, "\x13", "actionModeSigned");
    row("Ctrl+E", Qt::Key_E, Ctrl, "\x05", "actionModeByteSwap");
    row("Ctrl+T", Qt::Key_T, Ctrl, "\x14", "actionRotate");
    row("Ctrl+A", Qt::Key_A, Ctrl, "\x01", "actionArithmeticShift");
    row("Ctrl+H", Qt::Key_H, Ctrl, "\x08", "actionHyperbolic");
    row("Ctrl+X", Qt::Key_X, Ctrl, "\x18", "");
    row("Tab", Qt::Key_Tab, None, "\t", "actionBarNext");
    row("Shift+Tab", Qt::Key_Backtab, Shift, "", "actionBarPrev");
    row("Down", Qt::Key_Down, None, "", "actionBarNext");
    row("Up", Qt::Key_Up, None, "", "actionBarPrev");
    row("Ctrl+Tab", Qt::Key_Tab, Ctrl, "\t", "");
    row("Ctrl+Shift+Tab", Qt::Key_Backtab, Ctrl | Shift, "", "");
    row("Ctrl+C", Qt::Key_C, Ctrl, "\x03", "actionEditCopy");
    row("Ctrl+Shift+C", Qt::Key_C, Ctrl | Shift, "\x03", "actionEditCopyGrouped");
    row("Ctrl+V", Qt::Key_V, Ctrl, "\x16", "actionEditPaste");
    row("Ctrl+Alt+C", Qt::Key_C, Ctrl | Alt, "\x03", "actionEditCopyCLiteral");
    row("Ctrl+F4", Qt::Key_F4, Ctrl, "", "actionBarClose");
    row("F1", Qt::Key_F1, None, "", "actionHelpContents");
    row("Alt+F4", Qt::Key_F4, Alt, "", "actionExit");
    row("Q", Qt::Key_Q, None, "q", "actionQuickMenu");
    row("Shift+Q", Qt::Key_Q, Shift, "Q", "actionDescriptiveQuickMenu");
    row("M", Qt::Key_M, None, "m", "actionModeMenu");
    row("Shift+M", Qt::Key_M, Shift, "M", "");
    row("Alt+x", Qt::Key_X, Alt, "x", "");
}

void KeyRoutingTest::keyRunsItsCommand() {
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QString, text);
    QFETCH(QString, command);
    WindowFixture window;
    Recorder recorder(*window);
    Press(&window.Window(), {static_cast<Qt::Key>(key), Qt::KeyboardModifiers(mods), text});
    const QStringList expected = command.isEmpty() ? QStringList() : QStringList{command};
    QCOMPARE(recorder.Take(), expected);
}

void KeyRoutingTest::keyTableHoldsTheListedCharacters() {
    WindowFixture window;
    int bound = 0;
    for (char32_t ch = kFirstKeyChar; ch <= kLastKeyChar; ++ch)
        bound += CommandOfKeyChar(ch).has_value() ? 1 : 0;
    // Forty-three operator characters, ten digits and the decimal separator.
    QCOMPARE(bound, 54);
    QCOMPARE(CommandOfKeyChar('.'), std::optional<Command>(Command::Period));
    QCOMPARE(CommandOfKeyChar(','), std::nullopt);
    QCOMPARE(CommandOfKeyChar(' '), std::nullopt);
    QCOMPARE(CommandOfKeyChar(127), std::nullopt);
    QCOMPARE(CommandOfKeyChar('A'), std::nullopt);
    QCOMPARE(CommandOfKeyChar(U'\u00e9'), std::nullopt);
    QCOMPARE(KeyCharOf(Command::OpReverseBits), std::optional<char>('V'));
    QCOMPARE(KeyCharOf(Command::DigitA), std::nullopt);
    QCOMPARE(KeyCharOf(Command::OpAnd), std::optional<char>('&'));
    // The selector's tooltip names its key.
    QCOMPARE(window->Buttons().ShiftAmountSelector->toolTip(), QStringLiteral("シフト量選択 (;)"));
    QCOMPARE(window->Buttons().ShiftAmountSelector->accessibleName(),
             QStringLiteral("シフト量選択"));
}

void KeyRoutingTest::keyTableFollowsTheDecimalSeparator() {
    FormatSettings comma;
    comma.DecimalSeparator = ',';
    comma.ThousandSeparator = '.';
    FormatSettingsScope scope(comma);
    MainWindow window;
    QCOMPARE(CommandOfKeyChar(','), std::optional<Command>(Command::Period));
    QCOMPARE(CommandOfKeyChar('.'), std::nullopt);

    window.View().Set(ViewOptions::Flag::DigitGrouping, false);
    Run(window, "actionModeReal");
    // The number pad's separator key types the locale's character.
    Type(&window, "1");
    Press(&window, {Qt::Key_Comma, Pad, ","});
    Type(&window, "5");
    QCOMPARE(ShownOf(window, BarKind::Decimal), QStringLiteral("1,5"));
    // So does the main keyboard's period key.
    Press(&window, {Qt::Key_Escape, None, "\x1b"});
    Type(&window, "2.25");
    QCOMPARE(ShownOf(window, BarKind::Decimal), QStringLiteral("2,25"));
}

void KeyRoutingTest::oddDecimalSeparatorLeavesTheTable_data() {
    QTest::addColumn<char>("separator");
    QTest::newRow("already bound") << '+';
    QTest::newRow("space") << ' ';
    QTest::newRow("delete") << '\x7f';
}

// A separator that the table binds already, or that no key types, leaves
// the decimal point to its key; everything else works as always.
void KeyRoutingTest::oddDecimalSeparatorLeavesTheTable() {
    QFETCH(char, separator);
    FormatSettings odd;
    odd.DecimalSeparator = separator;
    FormatSettingsScope scope(odd);
    MainWindow window;
    window.View().Set(ViewOptions::Flag::DigitGrouping, false);
    QCOMPARE(KeyCharOf(Command::Period), std::nullopt);
    QCOMPARE(CommandOfKeyChar('+'), std::optional<Command>(Command::OpAdd));
    Type(&window, "12+3=");
    QCOMPARE(ShownOf(window, BarKind::Decimal), QStringLiteral("15"));
    QCOMPARE(window.Popups().OperatorMenu()->actions().first()->text(),
             QStringLiteral("An&d \t&&"));
    QCOMPARE(FindAction(window, "actionOpShiftLeftByAmount")->text(), QStringLiteral("<<8"));
}

// The table's own characters (checked when it compiles): the first one from
// '!' upward names a command; one the table does not bind names none.
void KeyRoutingTest::tableCharacters() {
    QCOMPARE(CommandOfTableChar('v'), std::optional<Command>(Command::OpReverseBytes));
    QCOMPARE(CommandOfTableChar('V'), std::optional<Command>(Command::OpReverseBits));
    QCOMPARE(CommandOfTableChar(0), std::nullopt);
    QCOMPARE(CommandOfTableChar('\x1f'), std::nullopt);
    QCOMPARE(CommandOfTableChar(static_cast<char>(0xE9)), std::nullopt);
    QCOMPARE(TableCharOf(Command::OpSub), std::optional<char>('-'));
    QCOMPARE(TableCharOf(Command::Period), std::nullopt);
    QCOMPARE(TableCharOf(Command::DigitA), std::nullopt);
}

void KeyRoutingTest::keyCharText_data() {
    QTest::addColumn<char>("ch");
    QTest::addColumn<QString>("text");
    QTest::newRow("V") << 'V' << QStringLiteral("Shift+V");
    QTest::newRow("A") << 'A' << QStringLiteral("Shift+A");
    QTest::newRow("Z") << 'Z' << QStringLiteral("Shift+Z");
    QTest::newRow("v") << 'v' << QStringLiteral("v");
    QTest::newRow("&") << '&' << QStringLiteral("&");
    QTest::newRow("@") << '@' << QStringLiteral("@");
    QTest::newRow("[") << '[' << QStringLiteral("[");
    QTest::newRow("7") << '7' << QStringLiteral("7");
}

void KeyRoutingTest::keyCharText() {
    QFETCH(char, ch);
    QFETCH(QString, text);
    QCOMPARE(KeyCharText(ch), text);
}

void KeyRoutingTest::letterKeyIsAHexDigitButShiftedLetterIsNot() {
    WindowFixture window;
    QWidget* target = &window.Window();
    Press(target, {Qt::Key_H, Alt, "h"}); // the hexadecimal bar
    QCOMPARE(window->Bars().Active(), window->Bars().Find(BarKind::Hex));
    Press(target, {Qt::Key_A, None, "a"});
    Press(target, {Qt::Key_B, None, "b"});
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("000000AB"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("171"));
    Press(target, {Qt::Key_C, Shift, "C"});
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("000000AB"));
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
}

void KeyRoutingTest::lowerAndUpperCaseCharacters_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("shown");
    const int dec = static_cast<int>(BarKind::Decimal);
    const int hex = static_cast<int>(BarKind::Hex);
    QTest::newRow("v reverses the bytes") << "actionModeDWord"
                                          << "1v" << hex << "01000000";
    QTest::newRow("V reverses the bits") << "actionModeDWord"
                                         << "1V" << hex << "80000000";
    QTest::newRow("l common logarithm") << "actionModeReal"
                                        << "1000l" << dec << "3";
    QTest::newRow("L binary logarithm") << "actionModeReal"
                                        << "1024L" << dec << "10";
    QTest::newRow("x e^x") << "actionModeReal"
                           << "0x" << dec << "1";
    QTest::newRow("X 2^x") << "actionModeReal"
                           << "5X" << dec << "32";
    QTest::newRow("y 10^x") << "actionModeReal"
                            << "3y" << dec << "1000";
    QTest::newRow("operators") << "actionModeDWord"
                               << "2+3*4=" << dec << "20";
    QTest::newRow("and") << "actionModeDWord"
                         << "6&3=" << dec << "2";
    QTest::newRow("or") << "actionModeDWord"
                        << "6|3=" << dec << "7";
    QTest::newRow("n-bit shift") << "actionModeDWord"
                                 << "1{" << dec << "256";
    QTest::newRow("sign key") << "actionModeReal"
                              << "5_" << dec << "-5";
    QTest::newRow("factorial") << "actionModeReal"
                               << "5!" << dec << "120";
    QTest::newRow("answer") << "actionModeDWord"
                            << "2+3=7?" << dec << "5";
}

void KeyRoutingTest::lowerAndUpperCaseCharacters() {
    QFETCH(QString, mode);
    QFETCH(QString, keys);
    QFETCH(int, bar);
    QFETCH(QString, shown);
    WindowFixture window;
    Run(*window, mode);
    Type(&window.Window(), keys);
    QCOMPARE(ShownOf(*window, static_cast<BarKind>(bar)), shown);
}

void KeyRoutingTest::numberPadTypesThroughTheCharacterTable() {
    WindowFixture window;
    QWidget* target = &window.Window();
    Press(target, {Qt::Key_1, Pad, "1"});
    Press(target, {Qt::Key_2, Pad, "2"});
    Press(target, {Qt::Key_Asterisk, Pad, "*"});
    Press(target, {Qt::Key_3, Pad, "3"});
    Press(target, {Qt::Key_Minus, Pad, "-"});
    Press(target, {Qt::Key_6, Pad, "6"});
    Press(target, {Qt::Key_Enter, Pad, "\r"});
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("30"));
    QCOMPARE(window->Engine().Entry(), EntryState::Equalled);
}

// Ctrl+S is the Signed command's key; in Real mode that command is
// disabled, so the window neither runs nor claims the key and it goes on.
void KeyRoutingTest::disabledShortcutLetsTheKeyGoOn() {
    WindowFixture window;
    const QKeyEvent event(QEvent::KeyPress, Qt::Key_S, Ctrl, QStringLiteral("\x13"));
    const KeyRecord ctrlS = RecordOfKey(event);
    QCOMPARE(window->Keys().ShortcutCommand(CommandList::Keys, ctrlS),
             std::optional<Command>(Command::ModeSigned));
    QVERIFY(window->Keys().ClaimsKey(ctrlS));
    Run(*window, "actionModeReal");
    QVERIFY(!window->Keys().ClaimsKey(ctrlS));
    QVERIFY(!window->Keys().KeyDown(ctrlS));
    QVERIFY(!window->Engine().Signed());
    // A disabled command on Ctrl+Tab would leave the key to the page
    // control, which claims it in every mode.
    const QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Ctrl, QStringLiteral("\t"));
    QVERIFY(window->Keys().ClaimsKey(RecordOfKey(tab)));
}

void KeyRoutingTest::disabledDigitShortcutDoesNothing() {
    WindowFixture window;
    QWidget* target = &window.Window();
    Type(target, "7");
    // The decimal bar takes no hexadecimal digit and no ':'; neither the
    // shortcut nor the character does anything.
    Press(target, {Qt::Key_A, None, "a"});
    Press(target, {Qt::Key_Colon, Shift, ":"});
    Press(target, {Qt::Key_Period, None, "."});
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("7"));
    // In Real mode the Signed command is disabled: Ctrl+S changes nothing.
    Run(*window, "actionModeReal");
    Press(target, {Qt::Key_S, Ctrl, "\x13"});
    QVERIFY(!window->Engine().Signed());
}

void KeyRoutingTest::altLetterPicksABarBeforeTheMenuBar() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // Alt+E belongs to no bar: the menu bar's mnemonic opens the edit menu.
    QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), form.MainMenuBar()->EditMenu());
    form.MainMenuBar()->EditMenu()->close();
    form.menuBar()->setActiveAction(nullptr);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // Alt+H is the hexadecimal bar's, not the help menu's.
    QTest::keyClick(&form, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Hex));
    QTest::qWait(20);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QVERIFY(!form.MainMenuBar()->HelpMenu()->isVisible());

    // Alt+B opens the bar menu while no binary bar claims it.
    QTest::keyClick(&form, Qt::Key_B, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), form.MainMenuBar()->BarMenu());
    form.MainMenuBar()->BarMenu()->close();
    form.menuBar()->setActiveAction(nullptr);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    Run(form, "actionToggleBin");
    QTest::keyClick(&form, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
    QTest::keyClick(&form, Qt::Key_B, Qt::AltModifier);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Bin));
    QTest::qWait(20);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void KeyRoutingTest::closedMenuGivesTheKeysBack_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::addColumn<bool>("closeByClick");
    QTest::newRow("opened by Alt+V, closed by Esc") << false << false;
    QTest::newRow("opened by a click, closed by Esc") << true << false;
    QTest::newRow("opened by Alt+V, closed by a click outside") << false << true;
}

// Whatever way a menu of the menu bar opened and closed, the keys afterwards
// reach the calculator as before, not the menu bar.
void KeyRoutingTest::closedMenuGivesTheKeysBack() {
    QFETCH(bool, byMouse);
    QFETCH(bool, closeByClick);
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // Keys go where the platform delivers them: to the window's focus
    // widget, or to the open menu.
    QWindow* handle = form.windowHandle();
    QTest::keyClick(handle, Qt::Key_4);
    QTest::keyClick(handle, Qt::Key_2);
    QCOMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("42"));

    QMenuBar* bar = form.MainMenuBar();
    if (byMouse)
        QTest::mouseClick(
            bar, Qt::LeftButton, {},
            bar->actionGeometry(form.MainMenuBar()->ViewMenu()->menuAction()).center());
    else
        QTest::keyClick(handle, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), form.MainMenuBar()->ViewMenu());
    if (closeByClick) {
        QMenu* menu = form.MainMenuBar()->ViewMenu();
        QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(menu->width() + 10, menu->height() / 2));
    } else {
        QTest::keyClick(handle, Qt::Key_Escape);
    }
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    QCoreApplication::processEvents();

    // Esc is Clear All again.
    QTest::keyClick(handle, Qt::Key_Escape);
    QCOMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("0"));
    // Alt+H picks the hexadecimal bar, not the help menu.
    QTest::keyClick(handle, Qt::Key_H, Qt::AltModifier);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Hex));
    // Plain E, B and V type and reverse instead of opening menus.
    QTest::keyClick(handle, Qt::Key_E);
    QTest::keyClick(handle, Qt::Key_B);
    QTest::keyClick(handle, Qt::Key_V);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(ShownOf(form, BarKind::Hex), QStringLiteral("EB000000"));
}

void KeyRoutingTest::activeBarHandlesItsKeys() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Shift+F10 opens the active bar's own menu (posted by the bar).
    QTest::keyClick(&form, Qt::Key_F10, Qt::ShiftModifier);
    CalcBar* bar = form.Bars().Active();
    QTRY_VERIFY(bar->Parts().PopupMenu != nullptr && bar->Parts().PopupMenu->isVisible());
    bar->Parts().PopupMenu->close();
}

// Two key presses built at one address, as events on the stack often are: the
// second, sent to the window, must not be taken for the first travelling up
// from the bar to its parents.
void KeyRoutingTest::aNewKeyWhereAnOldOneWasIsRouted() {
    WindowFixture window;
    CalcBar* bar = window->Bars().Active();
    std::optional<QKeyEvent> key;
    key.emplace(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(bar, &*key);
    key.emplace(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, QStringLiteral("8"));
    QApplication::sendEvent(&window.Window(), &*key);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("78"));
}

void KeyRoutingTest::ctrlTabStepsThePagesWithoutWrapping() {
    WindowFixture window;
    QWidget* target = &window.Window();
    OperatorPages* pages = window->Buttons().Pages;
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->currentIndex(), 0);
    CalcBar* active = window->Bars().Active();
    // On the first page, backward stays there, and the key is still used up:
    // it is not Shift+Tab's "previous bar".
    Press(target, {Qt::Key_Backtab, Ctrl | Shift, ""});
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(window->Bars().Active(), active);
    Press(target, {Qt::Key_Tab, Ctrl, "\t"});
    QCOMPARE(pages->currentIndex(), 1);
    Press(target, {Qt::Key_Tab, Ctrl, "\t"});
    QCOMPARE(pages->currentIndex(), 2);
    Press(target, {Qt::Key_Tab, Ctrl, "\t"});
    QCOMPARE(pages->currentIndex(), 2);
    QCOMPARE(window->Bars().Active(), active);
    Press(target, {Qt::Key_Tab, Ctrl | Shift, "\t"});
    QCOMPARE(pages->currentIndex(), 1);
    // With Alt held it is not the page key.
    Press(target, {Qt::Key_Tab, Ctrl | Alt, "\t"});
    QCOMPARE(pages->currentIndex(), 1);
}

void KeyRoutingTest::mouseWheelStepsTheBars() {
    WindowFixture window;
    MainWindow& form = window.Window();
    Run(form, "actionToggleOct");
    Run(form, "actionToggleDec"); // closed
    Run(form, "actionToggleDec"); // reopened at the bottom: HEX, OCT, DEC
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
    auto wheel = [&](QWidget* over, int delta) {
        const QPointF pos(2, 2);
        QWheelEvent event(pos, over->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
        return event.isAccepted();
    };
    QWidget* button = form.Buttons().ButtonOf(QStringLiteral("actionDigit7"));
    QVERIFY(wheel(button, -120)); // down: the next bar, wrapping to the first
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Hex));
    QVERIFY(wheel(&form, 120)); // up: the previous one
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
    // Fine wheels step once a notch has added up.
    wheel(button, 60);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
    wheel(button, 60);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Oct));
    // Over the page tabs the wheel still steps bars, not pages.
    wheel(form.Buttons().Pages->tabBar(), -120);
    QCOMPARE(form.Buttons().Pages->currentIndex(), 0);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
    // Over the history the wheel scrolls its lines, and stops at their ends.
    Run(form, "actionHistoryPane");
    wheel(form.History()->viewport(), 120);
    wheel(form.History()->viewport(), -120);
    QCOMPARE(form.Bars().Active(), form.Bars().Find(BarKind::Decimal));
}

// Only the expression line's text field, where text is typed, and the
// history pane, whose lines are chosen with the keys, take it.
void KeyRoutingTest::noControlTakesTheFocus() {
    WindowFixture window;
    QStringList focusable;
    const QList<QWidget*> takers = {window->ExpressionInput()->Edit(), window->History()};
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->window() == &window.Window() &&
            !takers.contains(widget))
            focusable << QStringLiteral("%1 (%2)").arg(widget->objectName(),
                                                       widget->metaObject()->className());
    }
    QVERIFY2(focusable.isEmpty(), qPrintable(focusable.join(", ")));
}

QTEST_MAIN(KeyRoutingTest)
#include "test_keyrouting.moc"
