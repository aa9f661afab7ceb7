// The command actions (one plain QAction per command) and the key records
// the routing matches them by.

#include "MainWindowHarness.h"

#include "ui/commands/CommandActions.h"
#include "ui/keys/Shortcut.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QtTest>

using namespace pexa;
using namespace pexa::testing;

class TestCommandActions : public QObject {
    Q_OBJECT

private slots:
    void hintsFeedToolTipAndStatusTip_data();
    void hintsFeedToolTipAndStatusTip();
    void keyMatching_data();
    void keyMatching();
    void modifierOnlyKeysNeverMatch();
    void shortCutText();
    void everyCommandHasItsAction();
    void radioSetsAreExclusiveGroups();
    void triggerShowsTheCommandsState();
    void disabledCommandDoesNotRun();
    void failingCommandIsReported();
    void itemFollowsActionUnlessOwnCaption();
    void itemOfDeletedAction();
};

void TestCommandActions::hintsFeedToolTipAndStatusTip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");
    QTest::newRow("both parts") << "actionTimeDifference"
                                << "時間差モード"
                                << "日付けのかわりに時刻の差分を表示します";
    QTest::newRow("shortcut appended")
        << "actionEditCopy"
        << QStringLiteral("コピー (%1)")
               .arg(ShortcutText(QKeyCombination(Qt::ControlModifier, Qt::Key_C)))
        << "";
    QTest::newRow("typed character appended") << "actionOpAdd"
                                              << "加算 (+)"
                                              << "";
    QTest::newRow("no hint") << "actionDigit7"
                             << ""
                             << "";
}

void TestCommandActions::hintsFeedToolTipAndStatusTip() {
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    const Command command = *CommandNamed(name.toStdString());
    QCOMPARE(CommandToolTip(command), toolTip);
    QCOMPARE(LongHintOf(command), statusTip);
    WindowFixture window;
    if (!toolTip.isEmpty())
        QCOMPARE(window->Action(command)->toolTip(), toolTip);
    QCOMPARE(window->Action(command)->statusTip(), statusTip);
}

void TestCommandActions::keyMatching_data() {
    QTest::addColumn<int>("shortCut");
    QTest::addColumn<int>("pressedKey");
    QTest::addColumn<int>("pressedMods");
    QTest::addColumn<bool>("matches");
    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int ctrl = Qt::ControlModifier;
    const int alt = Qt::AltModifier;
    const int pad = Qt::KeypadModifier;
    const int meta = Qt::MetaModifier;
    // clang-format off
    QTest::newRow("plain letter")        << int(Qt::Key_A)                   << int(Qt::Key_A) << none << true;
    QTest::newRow("shifted letter")      << int(Qt::Key_A)                   << int(Qt::Key_A) << shift << false;
    QTest::newRow("Shift+Q")             << (shift | Qt::Key_Q)              << int(Qt::Key_Q) << shift << true;
    QTest::newRow("Shift+Q vs Q")        << (shift | Qt::Key_Q)              << int(Qt::Key_Q) << none << false;
    QTest::newRow("Ctrl+C")              << (ctrl | Qt::Key_C)               << int(Qt::Key_C) << ctrl << true;
    QTest::newRow("Ctrl+Shift+C vs C")   << (ctrl | Qt::Key_C)               << int(Qt::Key_C) << (ctrl | shift) << false;
    QTest::newRow("Shift+Ctrl+C")        << (ctrl | shift | Qt::Key_C)       << int(Qt::Key_C) << (ctrl | shift) << true;
    QTest::newRow("Ctrl+Alt+C vs Ctrl")  << (ctrl | Qt::Key_C)               << int(Qt::Key_C) << (ctrl | alt) << false;
    QTest::newRow("Meta counts")         << int(Qt::Key_A)                   << int(Qt::Key_A) << meta << false;
    QTest::newRow("Alt+F4")              << (alt | Qt::Key_F4)               << int(Qt::Key_F4) << alt << true;
    QTest::newRow("digit")               << int(Qt::Key_7)                   << int(Qt::Key_7) << none << true;
    QTest::newRow("keypad digit")        << int(Qt::Key_7)                   << int(Qt::Key_7) << pad << false;
    QTest::newRow("keypad period")       << int(Qt::Key_Period)              << int(Qt::Key_Period) << pad << false;
    QTest::newRow("digit typed w/ Shift")<< int(Qt::Key_1)                   << int(Qt::Key_1) << shift << true;
    QTest::newRow("colon typed w/ Shift")<< int(Qt::Key_Colon)               << int(Qt::Key_Colon) << shift << true;
    QTest::newRow("colon plain")         << int(Qt::Key_Colon)               << int(Qt::Key_Colon) << none << true;
    QTest::newRow("comma")               << int(Qt::Key_Comma)               << int(Qt::Key_Comma) << none << true;
    QTest::newRow("Ctrl+colon vs colon") << int(Qt::Key_Colon)               << int(Qt::Key_Colon) << ctrl << false;
    QTest::newRow("keypad Enter")        << int(Qt::Key_Return)              << int(Qt::Key_Enter) << pad << true;
    QTest::newRow("main Enter")          << int(Qt::Key_Return)              << int(Qt::Key_Return) << none << true;
    QTest::newRow("Backtab")             << (shift | Qt::Key_Tab)            << int(Qt::Key_Backtab) << shift << true;
    QTest::newRow("Backtab vs Tab")      << int(Qt::Key_Tab)                 << int(Qt::Key_Backtab) << shift << false;
    QTest::newRow("Tab")                 << int(Qt::Key_Tab)                 << int(Qt::Key_Tab) << none << true;
    QTest::newRow("keypad Down")         << int(Qt::Key_Down)                << int(Qt::Key_Down) << pad << true;
    QTest::newRow("keypad Delete")       << int(Qt::Key_Delete)              << int(Qt::Key_Delete) << pad << true;
    QTest::newRow("Shift+Space differs") << int(Qt::Key_Space)               << int(Qt::Key_Space) << shift << false;
    QTest::newRow("Ctrl+F4")             << (ctrl | Qt::Key_F4)              << int(Qt::Key_F4) << ctrl << true;
    // clang-format on
}

void TestCommandActions::keyMatching() {
    QFETCH(int, shortCut);
    QFETCH(int, pressedKey);
    QFETCH(int, pressedMods);
    QFETCH(bool, matches);
    const QKeyEvent event(QEvent::KeyPress, pressedKey, Qt::KeyboardModifiers(pressedMods));
    const KeyRecord key = RecordOfKey(event);
    QCOMPARE(key.Shortcut == NormalizeKey(QKeyCombination::fromCombined(shortCut)), matches);
}

void TestCommandActions::modifierOnlyKeysNeverMatch() {
    QVERIFY(IsNoShortcut(NormalizeKey(QKeyCombination(Qt::Key_Shift))));
    for (const int code :
         {int(Qt::Key_Shift), int(Qt::Key_Control), int(Qt::Key_Alt), 0, int(Qt::Key_unknown)}) {
        const QKeyEvent event(QEvent::KeyPress, code, Qt::ShiftModifier);
        QVERIFY(IsNoShortcut(RecordOfKey(event).Shortcut));
    }
}

void TestCommandActions::shortCutText() {
    QCOMPARE(ShortcutText(Qt::CTRL | Qt::Key_C), QString("Ctrl+C"));
    QCOMPARE(ShortcutText(Qt::SHIFT | Qt::Key_Tab), QString("Shift+Tab"));
    QCOMPARE(ShortcutText(Qt::Key_Escape), QString("Esc"));
    QCOMPARE(ShortcutText(kNoShortcut), QString());
}

// Menus see the shortcuts, but only with a context Qt never fires here; the
// action is never hidden (Qt disables a hidden action).
void TestCommandActions::everyCommandHasItsAction() {
    WindowFixture window;
    for (const CommandInfo& info : Commands()) {
        const QAction* action = window->Action(info.Id);
        QCOMPARE(action->objectName(), QLatin1String(info.Name));
        QCOMPARE(CommandOfMenuItem(action), std::optional<Command>(info.Id));
        QCOMPARE(action->shortcutContext(), Qt::WidgetShortcut);
        QVERIFY(action->isVisible());
    }
    QCOMPARE(window->Action(Command::BarNext)->shortcuts(),
             QList<QKeySequence>({QKeySequence(Qt::Key_Tab), QKeySequence(Qt::Key_Down)}));
    QVERIFY(window->Action(Command::Digit7)->shortcuts().size() == 1);
    QVERIFY(window->Action(Command::Negate)->shortcuts().isEmpty());
}

void TestCommandActions::radioSetsAreExclusiveGroups() {
    WindowFixture window;
    for (const Command command :
         {Command::ModeByte, Command::AngleRadians, Command::ShiftAmount4}) {
        const QActionGroup* group = window->Action(command)->actionGroup();
        QVERIFY(group != nullptr);
        QCOMPARE(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
    }
    QCOMPARE(window->Action(Command::ModeByte)->actionGroup()->actions().size(), 5);
    QCOMPARE(window->Action(Command::ModeSigned)->actionGroup(), nullptr);
    window->Action(Command::ModeWord)->trigger();
    QCOMPARE(window->Engine().Mode(), CalcValueMode::Word);
    QVERIFY(window->Action(Command::ModeWord)->isChecked());
    QVERIFY(!window->Action(Command::ModeDWord)->isChecked());
}

// Qt flips a checkable action as it is triggered; what shows afterwards is
// the command's state, also where the command changed nothing.
void TestCommandActions::triggerShowsTheCommandsState() {
    WindowFixture window;
    Run(*window, "actionModeReal");
    QAction* rotate = window->Action(Command::Rotate);
    QVERIFY(!rotate->isEnabled());
    window->ReplaceCommandsForTest([](Command) {});
    rotate->trigger();
    QVERIFY(!rotate->isChecked());
    window->ReplaceCommandsForTest({});
    Run(*window, "actionModeDWord");
    rotate->trigger();
    QVERIFY(window->Engine().Options().Rotate());
    QVERIFY(rotate->isChecked());
}

void TestCommandActions::disabledCommandDoesNotRun() {
    WindowFixture window;
    QVERIFY(!window->Execute(Command::BackSpace));
    QVERIFY(!window->CanExecute(Command::OpFloor));
    QVERIFY(!window->Execute(Command::OpFloor));
    // The bars' option buttons carry out their choices themselves.
    QVERIFY(!window->Execute(Command::CharEncodeSJIS));
    QVERIFY(window->Execute(Command::Digit7));
}

void TestCommandActions::failingCommandIsReported() {
    WindowFixture window;
    window->ReplaceCommandsForTest([](Command) { throw std::runtime_error("broken"); });
    QTest::ignoreMessage(QtWarningMsg, "actionDigit7: broken");
    QVERIFY(window->Execute(Command::Digit7));
    window->ReplaceCommandsForTest([](Command) { throw 1; });
    QTest::ignoreMessage(QtWarningMsg, "actionDigit7: unknown failure");
    QVERIFY(window->Execute(Command::Digit7));
}

void TestCommandActions::itemFollowsActionUnlessOwnCaption() {
    QAction action;
    action.setText(QStringLiteral("sin"));
    action.setCheckable(true);
    action.setToolTip(QStringLiteral("Sine"));
    QMenu menu;
    QAction* follows = NewCommandItem(action, Command::OpSin, &menu);
    QAction* own = NewCommandItem(action, Command::OpSin, &menu);
    SetOwnCaption(*own, QStringLiteral("&sin "));
    action.setText(QStringLiteral("sinh"));
    action.setEnabled(false);
    action.setChecked(true);
    QCOMPARE(follows->text(), QStringLiteral("sinh"));
    QCOMPARE(own->text(), QStringLiteral("&sin "));
    QVERIFY(!own->isEnabled());
    QVERIFY(own->isChecked());
    QCOMPARE(own->toolTip(), QStringLiteral("Sine"));
    QCOMPARE(CommandOfMenuItem(own), std::optional<Command>(Command::OpSin));

    int runs = 0;
    connect(&action, &QAction::triggered, this, [&] { ++runs; });
    action.setEnabled(true);
    action.setChecked(false);
    own->trigger();
    QCOMPARE(runs, 1);
    // The action's state, not the item's flip, shows.
    action.setChecked(false);
    QVERIFY(!own->isChecked());
}

void TestCommandActions::itemOfDeletedAction() {
    auto action = std::make_unique<QAction>();
    QMenu menu;
    QAction* item = NewCommandItem(*action, Command::OpAdd, &menu);
    action.reset();
    item->trigger(); // nothing to run, and no crash
    QCOMPARE(CommandOfMenuItem(item), std::optional<Command>(Command::OpAdd));
}

QTEST_MAIN(TestCommandActions)
#include "test_commandactions.moc"
