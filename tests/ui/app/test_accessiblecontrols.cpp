// What a screen reader is given of the window, read through Qt's
// accessibility interfaces: each bar is one text object named after its
// notation, the buttons are named in words, and their actions run the
// commands. (tests/x11/accessibility_test.py reads the same over AT-SPI.)

#include "MainWindowHarness.h"

#include "ui/bars/CalcBarVariants.h"
#include "ui/panel/ButtonPanel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <QToolBar>

#include <functional>

using namespace pexa;
using namespace pexa::testing;

namespace {

QAccessibleInterface* InterfaceOf(QObject* object) {
    return object != nullptr ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

QAbstractButton* ToolBarButton(MainWindow& window, Command command) {
    return qobject_cast<QAbstractButton*>(
        window.MainToolBar()->widgetForAction(window.Action(command)));
}

QAbstractButton* OptionButton(const CalcBar& bar, Command command) {
    for (QWidget* control : bar.Parts().OptionControls)
        if (CommandOfOptionButton(*control) == command)
            return qobject_cast<QAbstractButton*>(control);
    return nullptr;
}

CalcBar* OpenBar(MainWindow& window, BarKind kind) {
    if (window.Bars().Find(kind) == nullptr)
        window.Bars().Toggle(kind);
    window.RefreshStates();
    return window.Bars().Find(kind);
}

// A button of the window, found once the window is built.
using ButtonFinder = std::function<QAbstractButton*(MainWindow&)>;

ButtonFinder PanelButton(const char* action) {
    return [action](MainWindow& window) {
        return window.Buttons().ButtonOf(QString::fromLatin1(action));
    };
}

ButtonFinder ToolBarButtonOf(Command command) {
    return [command](MainWindow& window) { return ToolBarButton(window, command); };
}

ButtonFinder OptionButtonOf(BarKind kind, Command command) {
    return [kind, command](MainWindow& window) {
        return OptionButton(*OpenBar(window, kind), command);
    };
}

// Whether the action's command has run.
using DoneCheck = std::function<bool(MainWindow&)>;

} // namespace

Q_DECLARE_METATYPE(ButtonFinder)
Q_DECLARE_METATYPE(DoneCheck)

class AccessibleControlsTest : public QObject {
    Q_OBJECT

private slots:
    void barIsOneTextNamedAfterItsNotation();
    void barListsItsOptionButtons();
    void controlsAreNamedInWords_data();
    void controlsAreNamedInWords();
    void buttonActionsRunTheCommand_data();
    void buttonActionsRunTheCommand();
};

void AccessibleControlsTest::barIsOneTextNamedAfterItsNotation() {
    WindowFixture window;
    Keys(*window, "42");
    struct Case {
        BarKind Kind;
        QString Name;
        QString Text;
    };
    for (const Case& bar :
         {Case{BarKind::Decimal, QStringLiteral("10進"), QStringLiteral("42")},
          Case{BarKind::Hex, QStringLiteral("16進"), QStringLiteral("0000002A")}}) {
        QAccessibleInterface* face = InterfaceOf(window->Bars().Find(bar.Kind));
        QVERIFY(face != nullptr);
        QCOMPARE(face->role(), QAccessible::EditableText);
        QVERIFY(face->state().readOnly);
        QCOMPARE(face->text(QAccessible::Name), bar.Name);
        QAccessibleTextInterface* text = face->textInterface();
        QVERIFY(text != nullptr);
        QCOMPARE(text->text(0, text->characterCount()), bar.Text);
    }
    // A message stands in the bar's text in place of the value.
    Keys(*window, "/ 0 =");
    QAccessibleTextInterface* text =
        InterfaceOf(window->Bars().Find(BarKind::Decimal))->textInterface();
    QCOMPARE(text->text(0, text->characterCount()), ShownOf(*window, BarKind::Decimal));
    QVERIFY(window->Bars().Find(BarKind::Decimal)->HasMessage());
}

void AccessibleControlsTest::barListsItsOptionButtons() {
    WindowFixture window;
    CalcBar* bar = OpenBar(*window, BarKind::Char);
    QAccessibleInterface* face = InterfaceOf(bar);
    QAbstractButton* sjis = OptionButton(*bar, Command::CharEncodeSJIS);
    QAccessibleInterface* button = InterfaceOf(sjis);
    QVERIFY(button != nullptr);
    QVERIFY(face->childCount() >= 7);
    const int index = face->indexOfChild(button);
    QVERIFY(index >= 0);
    QCOMPARE(face->child(index), button);
    QCOMPARE(button->parent(), face);
}

void AccessibleControlsTest::controlsAreNamedInWords_data() {
    QTest::addColumn<ButtonFinder>("find");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("shift left") << PanelButton("actionOpShiftLeft") << "<<"
                                << "左シフト";
    QTest::newRow("square") << PanelButton("actionOpSquare") << "x^2"
                            << "2乗";
    QTest::newRow("memory clear") << PanelButton("actionMemoryClear") << "MC"
                                  << "メモリクリア";
    QTest::newRow("word mode") << PanelButton("actionModeWord") << "Word"
                               << "Word モード";
    QTest::newRow("binary bar") << ToolBarButtonOf(Command::ToggleBin) << "Bin"
                                << "2進バー";
    QTest::newRow("shift jis") << OptionButtonOf(BarKind::Char, Command::CharEncodeSJIS) << "S"
                               << "文字コード: Shift JIS";
    QTest::newRow("ole date") << OptionButtonOf(BarKind::Time, Command::TimeEncodeOleDate) << "O"
                              << "日時の形式: OLE DATE";
}

void AccessibleControlsTest::controlsAreNamedInWords() {
    QFETCH(ButtonFinder, find);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    WindowFixture window;
    QAbstractButton* button = find(*window);
    QVERIFY(button != nullptr);
    // The button still draws its short caption.
    QCOMPARE(button->text(), caption);
    QCOMPARE(InterfaceOf(button)->text(QAccessible::Name), name);
}

void AccessibleControlsTest::buttonActionsRunTheCommand_data() {
    QTest::addColumn<ButtonFinder>("find");
    QTest::addColumn<QString>("action");
    QTest::addColumn<DoneCheck>("done");
    using Done = DoneCheck;
    QTest::newRow("toggle opens the binary bar")
        << ToolBarButtonOf(Command::ToggleBin) << QAccessibleActionInterface::toggleAction()
        << Done([](MainWindow& window) { return window.Bars().Find(BarKind::Bin) != nullptr; });
    QTest::newRow("toggle switches to Word")
        << PanelButton("actionModeWord") << QAccessibleActionInterface::toggleAction()
        << Done([](MainWindow& window) {
               return window.Engine().Mode() == CalcValueMode::Word &&
                      !Checked(window, "actionModeDWord");
           });
    QTest::newRow("press types a digit")
        << PanelButton("actionDigit7") << QAccessibleActionInterface::pressAction()
        << Done([](MainWindow& window) { return ShownOf(window, BarKind::Decimal) == "7"; });
    QTest::newRow("toggle chooses a bar's encoding")
        << OptionButtonOf(BarKind::Char, Command::CharEncodeJIS)
        << QAccessibleActionInterface::toggleAction() << Done([](MainWindow& window) {
               return static_cast<CharacterBar*>(window.Bars().Find(BarKind::Char))->Encoding() ==
                      CharEncoding::Jis;
           });
}

void AccessibleControlsTest::buttonActionsRunTheCommand() {
    QFETCH(ButtonFinder, find);
    QFETCH(QString, action);
    QFETCH(DoneCheck, done);
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    QAccessibleInterface* face = InterfaceOf(find(*window));
    QVERIFY(face != nullptr);
    QAccessibleActionInterface* actions = face->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(action));
    QVERIFY(!done(*window));
    actions->doAction(action);
    // The action runs once the screen reader's request has been answered.
    QTRY_VERIFY(done(*window));
}

QTEST_MAIN(AccessibleControlsTest)
#include "test_accessiblecontrols.moc"
