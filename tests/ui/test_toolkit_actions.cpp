#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"
#include "ui/toolkit/ShortCut.h"

#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QtTest>

#include <stdexcept>

using namespace pexa;

namespace {

QKeyEvent KeyDown(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return QKeyEvent(QEvent::KeyPress, key, mods);
}

// An action that counts its executions and whose update handler sets its
// enabled state from a flag.
struct Counted {
    CommandAction* action;
    int runs = 0;
    bool enabled = true;

    Counted(CommandActionList& list, const QString& name, QKeyCombination key) {
        action = list.Add(name);
        action->SetShortCut(key);
        action->SetOnExecute([this](CommandAction&) { ++runs; });
        action->SetOnUpdate([this](CommandAction& a) { a.setEnabled(enabled); });
    }
};

} // namespace

class TestToolkitActions : public QObject {
    Q_OBJECT

private slots:
    void splitHint_data();
    void splitHint();
    void hintFeedsTooltip();
    void keyMatching_data();
    void keyMatching();
    void modifierOnlyKeysNeverMatch();
    void shortCutText();
    void disabledShortCutFallsThrough();
    void updatePassRunsBeforeExecute();
    void secondaryShortCutExecutes();
    void firstMatchInListDecides();
    void listsTriedInTurn();
    void actionWithoutHandlerDoesNotExecute();
    void hiddenActionStillExecutes();
    void radioGroups();
    void updateAllRunsEveryHandlerOnce();
    void triggerDoesNotFlipCheckedState();
    void triggeredRadioItemKeepsCommandState();
    void failingHandlerIsReported();
    void deletedActionLeavesList();
    void linkFollowsActionUnlessOwnCaption();
    void linkRadioGroupShowsActionState();
    void linkOfDeletedAction();
};

void TestToolkitActions::splitHint_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortPart");
    QTest::addColumn<QString>("longPart");
    QTest::newRow("both") << "加算|二つの値を足す"
                          << "加算"
                          << "二つの値を足す";
    QTest::newRow("no bar") << "結果表示"
                            << "結果表示"
                            << "";
    QTest::newRow("long only") << "|description"
                               << ""
                               << "description";
    QTest::newRow("first bar splits") << "a|b|c"
                                      << "a"
                                      << "b|c";
    QTest::newRow("trailing bar") << "short|"
                                  << "short"
                                  << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestToolkitActions::splitHint() {
    QFETCH(QString, hint);
    QFETCH(QString, shortPart);
    QFETCH(QString, longPart);
    const HintParts parts = SplitHint(hint);
    QCOMPARE(parts.Short, shortPart);
    QCOMPARE(parts.Long, longPart);

    CommandAction action("ActTest");
    action.SetHint(hint);
    QCOMPARE(action.Hint(), hint);
    QCOMPARE(action.ShortHint(), shortPart);
    QCOMPARE(action.LongHint(), longPart);
}

void TestToolkitActions::hintFeedsTooltip() {
    CommandAction action("ActOpAdd");
    action.SetCaption("+");
    action.SetHint("加算|long text");
    QCOMPARE(action.toolTip(), QString("加算"));
    QCOMPARE(action.statusTip(), QString("long text"));
}

void TestToolkitActions::keyMatching_data() {
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

void TestToolkitActions::keyMatching() {
    QFETCH(int, shortCut);
    QFETCH(int, pressedKey);
    QFETCH(int, pressedMods);
    QFETCH(bool, matches);
    CommandActionList list;
    Counted command(list, "ActCommand", QKeyCombination::fromCombined(shortCut));
    const QKeyEvent event = KeyDown(pressedKey, Qt::KeyboardModifiers(pressedMods));
    QCOMPARE(list.FindShortCut(KeyOfEvent(event)) == command.action, matches);
    QCOMPARE(list.HandleKeyEvent(event),
             matches ? ShortcutResult::Executed : ShortcutResult::NoMatch);
    QCOMPARE(command.runs, matches ? 1 : 0);
}

void TestToolkitActions::modifierOnlyKeysNeverMatch() {
    CommandActionList list;
    CommandAction* action = list.Add("ActOdd");
    action->SetShortCut(QKeyCombination(Qt::Key_Shift));
    QVERIFY(!action->HasShortCut());
    for (const int key :
         {int(Qt::Key_Shift), int(Qt::Key_Control), int(Qt::Key_Alt), 0, int(Qt::Key_unknown)}) {
        const QKeyEvent event = KeyDown(key, Qt::ShiftModifier);
        QCOMPARE(list.HandleKeyEvent(event), ShortcutResult::NoMatch);
    }
}

void TestToolkitActions::shortCutText() {
    QCOMPARE(ShortCutText(Qt::CTRL | Qt::Key_C), QString("Ctrl+C"));
    QCOMPARE(ShortCutText(Qt::SHIFT | Qt::Key_Tab), QString("Shift+Tab"));
    QCOMPARE(ShortCutText(Qt::Key_Escape), QString("Esc"));
    QCOMPARE(ShortCutText(kNoShortCut), QString());

    // Menus see the shortcut, but only with a context Qt never fires here.
    CommandAction action("ActEditCopy");
    action.SetShortCut(Qt::CTRL | Qt::Key_C);
    QCOMPARE(action.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(action.shortcutContext(), Qt::WidgetShortcut);
}

void TestToolkitActions::disabledShortCutFallsThrough() {
    CommandActionList list;
    Counted digit(list, "ActDigitA", QKeyCombination(Qt::Key_A));
    digit.enabled = false;
    const QKeyEvent event = KeyDown(Qt::Key_A);
    QCOMPARE(list.HandleKeyEvent(event), ShortcutResult::Disabled);
    QCOMPARE(digit.runs, 0);
    QVERIFY(!digit.action->isEnabled());

    digit.enabled = true; // the update pass before execution sees the change
    QCOMPARE(list.HandleKeyEvent(event), ShortcutResult::Executed);
    QCOMPARE(digit.runs, 1);
}

void TestToolkitActions::updatePassRunsBeforeExecute() {
    CommandActionList list;
    QStringList trace;
    CommandAction* other = list.Add("ActOther");
    other->SetOnUpdate([&](CommandAction&) { trace << "update other"; });
    CommandAction* action = list.Add("ActEqual");
    action->SetShortCut(QKeyCombination(Qt::Key_Return));
    action->SetOnUpdate([&](CommandAction&) { trace << "update equal"; });
    action->SetOnExecute([&](CommandAction&) { trace << "execute equal"; });
    QVERIFY(action->Execute());
    QCOMPARE(trace, QStringList({"update other", "update equal", "execute equal", "update other",
                                 "update equal"}));
}

void TestToolkitActions::secondaryShortCutExecutes() {
    CommandActionList list;
    Counted next(list, "ActBarNext", QKeyCombination(Qt::Key_Tab));
    next.action->SetSecondaryShortCuts({QKeyCombination(Qt::Key_Down)});
    QCOMPARE(list.HandleKeyEvent(KeyDown(Qt::Key_Down)), ShortcutResult::Executed);
    QCOMPARE(list.HandleKeyEvent(KeyDown(Qt::Key_Tab)), ShortcutResult::Executed);
    QCOMPARE(list.HandleKeyEvent(KeyDown(Qt::Key_Up)), ShortcutResult::NoMatch);
    QCOMPARE(next.runs, 2);

    // Secondary shortcuts alone are matched but not shown.
    CommandAction* period = list.Add("ActPeriod");
    period->SetSecondaryShortCuts({QKeyCombination(Qt::Key_Comma)});
    QCOMPARE(list.FindShortCut(QKeyCombination(Qt::Key_Comma)), period);
    QVERIFY(period->shortcut().isEmpty());
}

void TestToolkitActions::firstMatchInListDecides() {
    CommandActionList list;
    Counted first(list, "ActFirst", QKeyCombination(Qt::Key_F5));
    Counted second(list, "ActSecond", QKeyCombination(Qt::Key_F5));
    first.enabled = false;
    QCOMPARE(list.HandleShortCut(QKeyCombination(Qt::Key_F5)), ShortcutResult::Disabled);
    QCOMPARE(first.runs + second.runs, 0);
}

void TestToolkitActions::listsTriedInTurn() {
    CommandActionList keys;
    CommandActionList menus;
    Counted inKeys(keys, "ActKeys", Qt::CTRL | Qt::Key_B);
    Counted inMenus(menus, "ActMenus", Qt::CTRL | Qt::Key_B);
    const QKeyEvent event = KeyDown(Qt::Key_B, Qt::ControlModifier);

    QCOMPARE(HandleShortCut({&keys, &menus}, event), ShortcutResult::Executed);
    QCOMPARE(inKeys.runs, 1);
    QCOMPARE(inMenus.runs, 0);

    inKeys.enabled = false;
    QCOMPARE(HandleShortCut({&keys, &menus}, event), ShortcutResult::Executed);
    QCOMPARE(inMenus.runs, 1);

    inMenus.enabled = false;
    QCOMPARE(HandleShortCut({&keys, nullptr, &menus}, event), ShortcutResult::Disabled);
    QCOMPARE(inKeys.runs + inMenus.runs, 2);
    QCOMPARE(HandleShortCut({&keys, &menus}, KeyDown(Qt::Key_X)), ShortcutResult::NoMatch);
}

void TestToolkitActions::actionWithoutHandlerDoesNotExecute() {
    CommandActionList list;
    CommandAction* bare = list.Add("ActDegreeHMS");
    bare->SetShortCut(QKeyCombination(Qt::Key_H));
    QVERIFY(!bare->Execute());
    QCOMPARE(list.HandleShortCut(QKeyCombination(Qt::Key_H)), ShortcutResult::Disabled);
}

void TestToolkitActions::hiddenActionStillExecutes() {
    // A command the menus do not offer: its item is hidden, never the action
    // (Qt would disable it), and every change of the action leaves the item
    // hidden.
    CommandActionList list;
    Counted grad(list, "ActTriModeGrad", QKeyCombination(Qt::Key_G));
    QMenu menu;
    auto* item = new ActionLink(grad.action, &menu);
    menu.addAction(item);
    item->setVisible(false);
    grad.action->SetCaption("Grad");
    grad.action->SetChecked(true);
    QVERIFY(!item->isVisible());
    QVERIFY(item->isChecked());
    QVERIFY(grad.action->isVisible());
    QCOMPARE(list.HandleShortCut(QKeyCombination(Qt::Key_G)), ShortcutResult::Executed);
    QCOMPARE(grad.runs, 1);
    QVERIFY(grad.action->isEnabled());
    QVERIFY(!item->isVisible());
}

void TestToolkitActions::radioGroups() {
    CommandActionList list;
    CommandActionList otherList;
    CommandAction* byte = list.Add("ActModeByte");
    CommandAction* word = list.Add("ActModeWord");
    CommandAction* dword = list.Add("ActModeDWord");
    CommandAction* signedMode = list.Add("ActModeSigned");
    CommandAction* loose = list.Add("ActLoose");
    CommandAction* elsewhere = otherList.Add("ActElsewhere");
    for (CommandAction* mode : {byte, word, dword, elsewhere})
        mode->SetGroupIndex(10);
    signedMode->SetGroupIndex(11);

    dword->SetChecked(true);
    signedMode->SetChecked(true);
    loose->SetChecked(true);
    elsewhere->SetChecked(true);
    QVERIFY(dword->isChecked() && dword->isCheckable());

    word->SetChecked(true);
    QVERIFY(word->isChecked());
    QVERIFY(!dword->isChecked());
    QVERIFY(!byte->isChecked());
    QVERIFY(signedMode->isChecked()); // another group
    QVERIFY(loose->isChecked());      // group 0 is no group
    QVERIFY(elsewhere->isChecked());  // same index, other list

    word->SetChecked(false); // a group may end up with none checked
    QVERIFY(!word->isChecked() && !dword->isChecked() && !byte->isChecked());

    // Group 0: checking one does not touch the others.
    CommandAction* loose2 = list.Add("ActLoose2");
    loose2->SetChecked(true);
    QVERIFY(loose->isChecked());
}

void TestToolkitActions::updateAllRunsEveryHandlerOnce() {
    CommandActionList list;
    QList<int> runs(4, 0);
    for (int i = 0; i < 4; ++i) {
        CommandAction* action = list.Add(QString("Act%1").arg(i));
        action->SetOnUpdate([&list, &runs, i](CommandAction&) {
            ++runs[i];
            list.UpdateAll(); // nested pass: ignored
        });
    }
    list.Add("ActNoUpdate");
    list.UpdateAll();
    QCOMPARE(runs, QList<int>({1, 1, 1, 1}));
    list.UpdateAll();
    QCOMPARE(runs, QList<int>({2, 2, 2, 2}));
}

void TestToolkitActions::triggerDoesNotFlipCheckedState() {
    // A toggle command bound to a menu: Qt would flip the checked mark by
    // itself; here the command's own state decides.
    CommandActionList list;
    bool separated = false;
    int runs = 0;
    CommandAction* toggle = list.Add("ActSeparated");
    toggle->setCheckable(true);
    toggle->SetOnUpdate([&](CommandAction& a) { a.SetChecked(separated); });
    toggle->SetOnExecute([&](CommandAction&) { ++runs; });

    toggle->trigger(); // execute handler does not change `separated`
    QCOMPARE(runs, 1);
    QVERIFY(!toggle->isChecked());

    toggle->SetOnExecute([&](CommandAction&) { separated = !separated; });
    toggle->trigger();
    list.UpdateAll();
    QVERIFY(toggle->isChecked());

    // A disabled command is not run from a menu either.
    toggle->SetOnUpdate([](CommandAction& a) { a.setEnabled(false); });
    toggle->trigger();
    QVERIFY(separated);
}

void TestToolkitActions::triggeredRadioItemKeepsCommandState() {
    // Radio commands in a menu of their own, in a list whose owner refreshes
    // only what a command changed (as the window does): the states after a
    // trigger are the commands' own, never Qt's flip.
    CommandActionList list;
    int mode = 2;
    int refreshes = 0;
    QMenu menu;
    QList<CommandAction*> modes;
    auto refresh = [&] {
        ++refreshes;
        for (CommandAction* action : modes)
            action->SetChecked(action->Tag() == mode);
    };
    for (int i = 0; i < 3; ++i) {
        CommandAction* action = list.Add(QString("ActMode%1").arg(i));
        action->SetTag(i);
        action->SetGroupIndex(10);
        action->setCheckable(true);
        action->SetOnExecute([&mode](CommandAction& a) { mode = a.Tag(); });
        menu.addAction(action);
        modes << action;
    }
    int shownMode = mode;
    list.SetOnPrepare([] {});
    list.SetOnExecuted([&](CommandAction&) {
        if (mode != shownMode) {
            shownMode = mode;
            refresh();
        }
    });
    refresh();

    // The checked item again: nothing changes, nothing is refreshed.
    modes[2]->trigger();
    QCOMPARE(refreshes, 1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(modes[i]->isChecked(), i == 2);

    // A command that refuses the change leaves the old item checked.
    modes[0]->SetOnExecute([](CommandAction&) {});
    modes[0]->trigger();
    QCOMPARE(refreshes, 1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(modes[i]->isChecked(), i == 2);

    modes[1]->trigger();
    QCOMPARE(mode, 1);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(modes[i]->isChecked(), i == 1);
}

void TestToolkitActions::failingHandlerIsReported() {
    CommandActionList list;
    QStringList reports;
    list.SetOnFailure(
        [&](CommandAction& a, const QString& message) { reports << a.Name() + ": " + message; });
    CommandAction* failing = list.Add("ActFailing");
    failing->SetOnExecute([](CommandAction&) { throw std::runtime_error("boom"); });
    CommandAction* odd = list.Add("ActOdd");
    odd->SetOnUpdate([](CommandAction&) { throw 42; });
    QVERIFY(failing->Execute());
    // The update pass runs before and after the command.
    QCOMPARE(reports, QStringList({"ActOdd: ", "ActFailing: boom", "ActOdd: "}));

    int executed = 0;
    list.SetOnExecuted([&](CommandAction&) { ++executed; });
    failing->trigger(); // from Qt: must not take the program down
    QCOMPARE(executed, 1);
    QCOMPARE(reports.size(), 6);
}

void TestToolkitActions::deletedActionLeavesList() {
    CommandActionList list;
    CommandAction* keep = list.Add("ActKeep");
    CommandAction* gone = list.Add("ActGone");
    gone->SetShortCut(QKeyCombination(Qt::Key_F2));
    delete gone;
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.At(0), keep);
    QCOMPARE(list.At(1), nullptr);
    QCOMPARE(list.Find("ActGone"), nullptr);
    QCOMPARE(list.HandleShortCut(QKeyCombination(Qt::Key_F2)), ShortcutResult::NoMatch);

    CommandAction* moved = list.Add("ActMoved");
    CommandActionList other;
    other.Add(moved);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(moved->List(), &other);
    QCOMPARE(moved->parent(), &other);
    list.Remove(keep);
    QCOMPARE(list.Count(), 0);
    QCOMPARE(keep->List(), nullptr);
    delete keep;
}

void TestToolkitActions::linkFollowsActionUnlessOwnCaption() {
    CommandActionList list;
    int runs = 0;
    CommandAction* shift = list.Add("ActOpShiftLeft");
    shift->SetCaption("<<");
    shift->SetHint("左シフト|long");
    shift->SetOnExecute([&](CommandAction&) { ++runs; });

    QMenu menu;
    auto* follows = new ActionLink(shift, &menu);
    auto* own = new ActionLink(shift, "Shift &Left\t<", &menu);
    menu.addAction(follows);
    menu.addAction(own);
    QCOMPARE(follows->text(), QString("<<"));
    QCOMPARE(own->text(), QString("Shift &Left\t<"));
    QCOMPARE(follows->toolTip(), QString("左シフト"));

    shift->SetCaption("Rot<");
    QCOMPARE(follows->text(), QString("Rot<"));
    QCOMPARE(own->text(), QString("Shift &Left\t<"));
    own->FollowCaption();
    QCOMPARE(own->text(), QString("Rot<"));

    shift->setEnabled(false);
    QVERIFY(!follows->isEnabled());
    follows->trigger(); // a disabled QAction does not trigger at all
    shift->setEnabled(true);
    QVERIFY(follows->isEnabled());
    follows->trigger();
    QCOMPARE(runs, 1);

    // Whether a link shows is its view's choice; the action's changes keep it.
    own->setVisible(false);
    shift->SetCaption("Rot<<");
    QVERIFY(!own->isVisible());
    QVERIFY(follows->isVisible());
}

void TestToolkitActions::linkRadioGroupShowsActionState() {
    CommandActionList list;
    int amount = 8;
    QList<CommandAction*> actions;
    QActionGroup group(nullptr);
    group.setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QList<ActionLink*> links;
    for (const int n : {1, 2, 4, 8, 16}) {
        CommandAction* action = list.Add(QString("ActShiftAmount%1").arg(n));
        action->SetTag(n);
        action->SetGroupIndex(0);
        action->SetOnUpdate([&amount](CommandAction& a) { a.SetChecked(a.Tag() == amount); });
        action->SetOnExecute([&amount](CommandAction& a) { amount = a.Tag(); });
        actions << action;
        auto* link = new ActionLink(action, &group);
        group.addAction(link);
        links << link;
    }
    list.UpdateAll();
    QVERIFY(links[3]->isChecked());
    QVERIFY(links[3]->isCheckable());

    links[1]->trigger();
    QCOMPARE(amount, 2);
    for (int i = 0; i < links.size(); ++i)
        QCOMPARE(links[i]->isChecked(), i == 1);

    // Triggering the checked item again keeps it checked (the command
    // leaves the amount as it is).
    links[1]->trigger();
    for (int i = 0; i < links.size(); ++i)
        QCOMPARE(links[i]->isChecked(), i == 1);

    // A command that refuses the change: the group shows the old state.
    for (CommandAction* action : actions)
        action->SetOnExecute([](CommandAction&) {});
    links[4]->trigger();
    for (int i = 0; i < links.size(); ++i)
        QCOMPARE(links[i]->isChecked(), i == 1);
}

void TestToolkitActions::linkOfDeletedAction() {
    auto* action = new CommandAction("ActTemporary");
    ActionLink link(action);
    QVERIFY(link.isEnabled());
    delete action;
    QCOMPARE(link.Source(), nullptr);
    QVERIFY(!link.isEnabled());
    QVERIFY(!link.isVisible());
    link.trigger(); // nothing to run, nothing to crash
}

QTEST_MAIN(TestToolkitActions)
#include "test_toolkit_actions.moc"
