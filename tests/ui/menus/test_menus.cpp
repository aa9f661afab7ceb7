// The pop-up menus, the window's context menu, the button panel with its
// operation pages, and the tooltips of the controls bound to commands.

#include "MainWindowHarness.h"

#include "ui/app/Language.h"
#include "ui/app/WindowingPlatform.h"
#include "ui/commands/CommandActions.h"
#include "ui/keys/CharacterKeyTable.h"
#include "ui/keys/Shortcut.h"
#include "ui/panel/ButtonPanel.h"
#include "ui/panel/OperatorPages.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

using namespace pexa;
using namespace pexa::testing;

namespace {

QString BoundName(const QAction* item) {
    const std::optional<Command> command = CommandOfMenuItem(item);
    return command ? QLatin1String(InfoOf(*command).Name) : QString();
}

// The menu's items as text: "-" for a separator, ">" before a submenu.
QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* item : menu.actions()) {
        if (item->isSeparator())
            texts << QStringLiteral("-");
        else
            texts << (item->menu() != nullptr ? QStringLiteral(">") : QString()) + item->text();
    }
    return texts;
}

QMenu* Submenu(const QMenu& menu, const QString& title) {
    for (const QAction* item : menu.actions())
        if (item->menu() != nullptr && item->text().startsWith(title))
            return item->menu();
    return nullptr;
}

QAction* ItemOf(const QMenu& menu, const QString& actionName) {
    for (QAction* item : menu.actions())
        if (BoundName(item) == actionName)
            return item;
    return nullptr;
}

QStringList BoundNames(const QMenu& menu) {
    QStringList names;
    for (const QAction* item : menu.actions())
        names << (item->isSeparator() ? QStringLiteral("-") : BoundName(item));
    return names;
}

void RightClick(QWidget* widget, QPoint pos) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

void CloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

CommandButton* ButtonOf(MainWindow& window, const char* action) {
    CommandButton* button = window.Buttons().ButtonOf(QString::fromLatin1(action));
    if (button == nullptr)
        qFatal("no button for %s", action);
    return button;
}

QToolButton* ToolBarButton(MainWindow& window, const char* action) {
    for (QAction* item : window.MainToolBar()->actions())
        if (BoundName(item) == QLatin1String(action))
            return qobject_cast<QToolButton*>(window.MainToolBar()->widgetForAction(item));
    return nullptr;
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CloseMenus(); }

    void operatorMenuShowsTheTypedKeys();
    void japaneseOperatorMenu();
    void submenusCarryTheirKeys();
    void englishMenusNameCommandsApart();
    void keyTextOfTheAmpersandIsDoubled();
    void radioItemsFollowTheCommands();
    void menuItemsRunTheirCommands();
    void ownCaptionsStayWhenCommandCaptionsChange();
    void quickMenuKeysOpenTheirMenus();
    void quickMenuPlacement();
    void platformRules_data();
    void platformRules();
    void stayOnTopFollowsThePlatform();
    void shiftAmountSelector();
    void contextMenuIsFilledOnceWithBarAndViewCommands();
    void rightClickOnAControlOpensNothing();
    void realRightClicks();
    void panelButtonsRunTheirCommands();
    void panelButtonsFollowTheirCommands();
    void toolTipsAddTheKey_data();
    void toolTipsAddTheKey();
    void controlsShowTheirToolTips();
    void operationPages();
    void tabsAreFilledWithTheWindowColour();
};

void MenusTest::operatorMenuShowsTheTypedKeys() {
    WindowFixture window;
    const QStringList expected = {
        "An&d \t&&",
        "&Or \t|",
        "&Xor \t^",
        "&Not \t~",
        "Shift &Left\t<",
        "S&hift Right\t>",
        "Arithmetic",
        "Rotate ",
        "&<<bits \t{",
        "&>>bits \t}",
        ">Bits\t;",
        "Reverse B&ytes \tv",
        "Re&verse Bits \tShift+V",
        "-",
        "S&qrt \t@",
        "Sq&uare (x^2)\t`",
        "&Power (x^y)\tw",
        "&Root \tt",
        "&Frac \t#",
        "Invert (1&/x)\t\\",
        "Factorial (n&!)\t!",
        ">&Exp",
        ">Lo&g",
        ">&Int",
        "-",
        "&sin \tShift+I",
        "&cos \tShift+O",
        "&tan \tShift+T",
        "asin",
        "acos",
        "atan",
        "-",
        "Hyperbolic ",
        ">&Angle",
        "-",
        "PI \tShift+P",
    };
    QCOMPARE(Texts(*window->Popups().OperatorMenu()), expected);
    // Commands with a shortcut show it instead of a typed key.
    const QAction* arithmetic = ItemOf(*window->Popups().OperatorMenu(), "actionArithmeticShift");
    QCOMPARE(arithmetic->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    QVERIFY(arithmetic->isShortcutVisibleInContextMenu());
    QVERIFY(arithmetic->isCheckable());
}

void MenusTest::japaneseOperatorMenu() {
    WindowFixture window;
    const QStringList texts = Texts(*window->Popups().DescriptiveOperatorMenu());
    QCOMPARE(texts.size(), Texts(*window->Popups().OperatorMenu()).size());
    QCOMPARE(texts.at(0), QStringLiteral("論理積(An&d)\t&&"));
    QCOMPARE(texts.at(3), QStringLiteral("ビット反転(&Not)\t~"));
    QCOMPARE(texts.at(6), QStringLiteral("算術シフト"));
    QCOMPARE(texts.at(10), QStringLiteral(">シフト量\t;"));
    QCOMPARE(texts.at(12), QStringLiteral("ビット順反転(&V)\tShift+V"));
    QCOMPARE(texts.at(28), QStringLiteral("逆正弦(arcsin)"));
    QCOMPARE(texts.at(35), QStringLiteral("円周率(Pi)\tShift+P"));
    // Same commands in the same order.
    QCOMPARE(BoundNames(*window->Popups().DescriptiveOperatorMenu()),
             BoundNames(*window->Popups().OperatorMenu()));
    QCOMPARE(
        Texts(*Submenu(*window->Popups().DescriptiveOperatorMenu(), QStringLiteral("シフト量"))),
        (QStringList{"&1 ", "&2 ", "&4 ", "&8 ", "1&6 "}));
    QCOMPARE(Texts(*Submenu(*window->Popups().DescriptiveOperatorMenu(), QStringLiteral("対数"))),
             (QStringList{"自然対数(&Ln)\tn", "底&2の対数\tShift+L", "常用対数(Lo&g)\tl",
                          "任意の底の対数(&N)\tg"}));
}

void MenusTest::submenusCarryTheirKeys() {
    WindowFixture window;
    const QMenu& menu = *window->Popups().OperatorMenu();
    QCOMPARE(Texts(*Submenu(menu, "Bits")), (QStringList{"1", "2", "4", "8", "16"}));
    QCOMPARE(Texts(*Submenu(menu, "&Exp")),
             (QStringList{"&e^x \tx", "&2^x \tShift+X", "&10^x \ty"}));
    QCOMPARE(Texts(*Submenu(menu, "Lo&g")),
             (QStringList{"&Ln \tn", "Log&2 \tShift+L", "Log&10 \tl", "Log&N \tg"}));
    QCOMPARE(Texts(*Submenu(menu, "&Int")), (QStringList{"&Trunc \ti", "&Ceil \tj", "&Round \tk"}));
    QCOMPARE(Texts(*Submenu(menu, "&Angle")), (QStringList{"&Degree ", "&Radian ", "&Gradian "}));
    // The headers carry their hints.
    for (const auto& [title, hint] : {std::pair{"&Exp", "指数関数"}, std::pair{"Lo&g", "対数関数"},
                                      std::pair{"&Int", "整数化"}, std::pair{"&Angle", "角度単位"}})
        QCOMPARE(Submenu(menu, title)->menuAction()->toolTip(), QString::fromUtf8(hint));
}

// In English the descriptive menu reads as English: a command's notation in
// brackets where it has one, never a bracketed access key, and after the tab
// the key that really runs the command, written as Qt writes shortcuts. The
// command under i floors, and the byte-order switch and the byte reversal
// have names of their own; the Japanese texts come back unchanged.
void MenusTest::englishMenusNameCommandsApart() {
    WindowFixture window;
    MainWindow& form = window.Window();
    QMenu& descriptive = *window->Popups().DescriptiveOperatorMenu();
    QMenu& quick = *window->Popups().OperatorMenu();
    form.SetLanguage(UiLanguage::English);
    const auto desktopLanguage = qScopeGuard([&form] { form.SetLanguage(UiLanguage::Automatic); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

    const QStringList texts = Texts(descriptive);
    for (const char* item :
         {"Shift Left by n Bits (&<<n)\t{", "Shift Right by n Bits (&>>n)\t}",
          "Re&verse Bits\tShift+V", "Reciprocal (1&/x)\t\\", "Factorial (n&!)\t!", "Pi\tShift+P"})
        QVERIFY2(texts.contains(QString::fromUtf8(item)), item);
    const QRegularExpression bracketedAccessKey(QStringLiteral("\\(&.\\)"));
    for (const QString& text : texts)
        QVERIFY2(!bracketedAccessKey.match(text).hasMatch(), qPrintable(text));
    QCOMPARE(Texts(*Submenu(descriptive, "&Integer Part")),
             (QStringList{"&Floor\ti", "&Ceiling\tj", "&Round\tk"}));
    QCOMPARE(Texts(*Submenu(quick, "&Int")),
             (QStringList{"&Floor \ti", "&Ceil \tj", "&Round \tk"}));

    QCOMPARE(ButtonOf(form, "actionOpFloor")->text(), QStringLiteral("Floor"));
    QCOMPARE(ButtonOf(form, "actionModeByteSwap")->text(), QStringLiteral("Swap"));
    QCOMPARE(ButtonOf(form, "actionOpReverseBytes")->text(), QStringLiteral("Rev"));
    QCOMPARE(form.Action(Command::ModeByteSwap)->text(), QStringLiteral("Byte Swap"));
    QCOMPARE(ShortHintOf(Command::ModeByteSwap), QStringLiteral("Swap Byte Order"));
    QCOMPARE(form.Action(Command::OpReverseBytes)->text(), QStringLiteral("Reverse Bytes"));

    form.SetLanguage(UiLanguage::Japanese);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(ButtonOf(form, "actionOpFloor")->text(), QStringLiteral("Trunc"));
    QCOMPARE(ButtonOf(form, "actionModeByteSwap")->text(), QStringLiteral("Rev"));
    QCOMPARE(form.Action(Command::ModeByteSwap)->text(), QStringLiteral("Reverse Endian"));
    QCOMPARE(Texts(*Submenu(quick, "&Int")),
             (QStringList{"&Trunc \ti", "&Ceil \tj", "&Round \tk"}));
    QCOMPARE(Texts(*Submenu(descriptive, QStringLiteral("整数"))).first(),
             QStringLiteral("切り捨て(&T)\ti"));
    QVERIFY(Texts(descriptive).contains(QStringLiteral("逆数(&/)\t\\")));
}

// Qt draws a lone "&" after the tab as nothing: the And item's key column
// reads "&&" on every system.
void MenusTest::keyTextOfTheAmpersandIsDoubled() {
    WindowFixture window;
    QMenu menu;
    QAction* andItem = NewCommandItem(*FindAction(*window, "actionOpAnd"), Command::OpAnd, &menu);
    SetOwnCaption(*andItem, QStringLiteral("An&d "));
    QAction* orItem = NewCommandItem(*FindAction(*window, "actionOpOr"), Command::OpOr, &menu);
    SetOwnCaption(*orItem, QStringLiteral("&Or "));
    // A command shown by the menu itself keeps its caption.
    menu.addAction(andItem);
    menu.addAction(orItem);
    menu.addAction(FindAction(*window, "actionOpXor"));
    ShowKeyCharsInMenu(menu, window->Actions());
    QCOMPARE(andItem->text(), QStringLiteral("An&d \t&&"));
    QCOMPARE(orItem->text(), QStringLiteral("&Or \t|"));
    QCOMPARE(FindAction(*window, "actionOpXor")->text(), QStringLiteral("Xor"));
    // Preparing again replaces the key text after the tab.
    ShowKeyCharsInMenu(menu, window->Actions());
    QCOMPARE(andItem->text(), QStringLiteral("An&d \t&&"));
    QCOMPARE(orItem->text(), QStringLiteral("&Or \t|"));
}

void MenusTest::radioItemsFollowTheCommands() {
    WindowFixture window;
    QWidget* target = &window.Window();
    const QList<QAction*> modes = window->Popups().ModeMenu()->actions();
    QCOMPARE(BoundNames(*window->Popups().ModeMenu()),
             (QStringList{"actionModeByte", "actionModeWord", "actionModeDWord", "actionModeInt64",
                          "actionModeReal", "-", "actionModeSigned", "actionModeByteSwap"}));
    QActionGroup* group = modes.at(0)->actionGroup();
    QVERIFY(group != nullptr);
    QVERIFY(group->isExclusive());
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(modes.at(i)->actionGroup(), group);
        QCOMPARE(modes.at(i)->isChecked(), i == 2); // DWord
    }
    QCOMPARE(modes.at(6)->actionGroup(), nullptr);
    QVERIFY(modes.at(6)->isCheckable());
    QCOMPARE(modes.at(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    QVERIFY(modes.at(0)->isShortcutVisibleInContextMenu());

    QTest::keyClick(target, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(window->Engine().Mode(), CalcValueMode::Float);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(modes.at(i)->isChecked(), i == 4);

    const QList<QAction*> amounts = window->Popups().ShiftAmountMenu()->actions();
    QCOMPARE(amounts.size(), 5);
    QVERIFY(amounts.at(0)->actionGroup() != nullptr && amounts.at(0)->actionGroup()->isExclusive());
    QVERIFY(amounts.at(3)->isChecked()); // 8
    window->Engine().Options().SetShiftAmount(16);
    window->UpdateActions(); // as the idle-time pass does
    QVERIFY(amounts.at(4)->isChecked());
    QVERIFY(!amounts.at(3)->isChecked());
    const QList<QAction*> amountsJ =
        Submenu(*window->Popups().DescriptiveOperatorMenu(), QStringLiteral("シフト量"))->actions();
    QVERIFY(amountsJ.at(4)->isChecked());

    // The hidden gradian unit has no visible item.
    for (QMenu* menu :
         {window->Popups().OperatorMenu(), window->Popups().DescriptiveOperatorMenu()}) {
        const QList<QAction*> units = menu->actions().at(33)->menu()->actions();
        QVERIFY(units.at(0)->isChecked());
        QVERIFY(units.at(0)->actionGroup() != nullptr);
        QVERIFY(!units.at(2)->isVisible());
    }
}

void MenusTest::menuItemsRunTheirCommands() {
    WindowFixture window;
    // A radio item of the Japanese submenu sets the amount; every menu follows.
    QMenu* amountsJ =
        Submenu(*window->Popups().DescriptiveOperatorMenu(), QStringLiteral("シフト量"));
    amountsJ->actions().at(1)->trigger();
    QCOMPARE(window->Engine().Options().ShiftAmount(), 2);
    QVERIFY(amountsJ->actions().at(1)->isChecked());
    QVERIFY(!amountsJ->actions().at(3)->isChecked());
    QVERIFY(window->Popups().ShiftAmountMenu()->actions().at(1)->isChecked());
    // Triggering the checked mode again keeps it checked.
    QAction* dword = window->Popups().ModeMenu()->actions().at(2);
    dword->trigger();
    QCOMPARE(window->Engine().Mode(), CalcValueMode::DWord);
    QVERIFY(dword->isChecked());
    // An operator item runs its operator.
    Keys(*window, "6");
    ItemOf(*window->Popups().OperatorMenu(), "actionOpXor")->trigger();
    Keys(*window, "3 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("5"));
    // A disabled item does nothing.
    QAction* floor = ItemOf(*Submenu(*window->Popups().OperatorMenu(), "&Int"), "actionOpFloor");
    QVERIFY(!floor->isEnabled());
}

void MenusTest::ownCaptionsStayWhenCommandCaptionsChange() {
    WindowFixture window;
    window->Engine().Options().SetHyperbolic(true);
    window->Engine().Options().SetRotate(true);
    window->RefreshStates();
    QCOMPARE(ItemOf(*window->Popups().OperatorMenu(), "actionOpArcSin")->text(),
             QStringLiteral("asinh"));
    QCOMPARE(ItemOf(*window->Popups().OperatorMenu(), "actionOpSin")->text(),
             QStringLiteral("&sin \tShift+I"));
    QCOMPARE(ItemOf(*window->Popups().DescriptiveOperatorMenu(), "actionOpArcSin")->text(),
             QStringLiteral("逆正弦(arcsin)"));
    QCOMPARE(ItemOf(*window->Popups().OperatorMenu(), "actionOpShiftLeftByAmount")->text(),
             QStringLiteral("&<<bits \t{"));
    QCOMPARE(ButtonOf(*window, "actionOpShiftLeftByAmount")->text(), QStringLiteral("<rot8"));
    QCOMPARE(ButtonOf(*window, "actionOpArcSin")->text(), QStringLiteral("asinh"));
}

void MenusTest::quickMenuKeysOpenTheirMenus() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(&form, Qt::Key_Q);
    QTRY_VERIFY(form.Popups().OperatorMenu()->isVisible());
    CloseMenus();
    QTest::keyClick(&form, Qt::Key_Q, Qt::ShiftModifier);
    QTRY_VERIFY(form.Popups().DescriptiveOperatorMenu()->isVisible());
    QVERIFY(!form.Popups().OperatorMenu()->isVisible());
    CloseMenus();
    QTest::keyClick(&form, Qt::Key_M);
    QTRY_VERIFY(form.Popups().ModeMenu()->isVisible());
    CloseMenus();
    QTest::keyClick(&form, ';');
    QTRY_VERIFY(form.Popups().ShiftAmountMenu()->isVisible());
}

void MenusTest::quickMenuPlacement() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.move(0, 0);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect frame = form.frameGeometry();
    const Command quick = Command::QuickMenu;
    const Command quickJ = Command::DescriptiveQuickMenu;
    const Command mode = Command::ModeMenu;
    QCOMPARE(form.Popups().QuickMenuOf(quick), form.Popups().OperatorMenu());
    QCOMPARE(form.Popups().QuickMenuOf(quickJ), form.Popups().DescriptiveOperatorMenu());
    QCOMPARE(form.Popups().QuickMenuOf(mode), form.Popups().ModeMenu());

    const QPoint inside = frame.center();
    QCursor::setPos(inside);
    if (QCursor::pos() != inside)
        QSKIP("the platform cannot move the pointer");
    QCOMPARE(form.Popups().QuickMenuPosition(quick), inside);
    QCOMPARE(form.Popups().QuickMenuPosition(mode), inside);
    // Where the pointer's position is not known (Wayland), the panel places
    // the menus, wherever the pointer was seen last.
    QCOMPARE(form.Popups().QuickMenuPosition(quick, false),
             form.Buttons().Pages->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(form.Popups().QuickMenuPosition(mode, false),
             form.Buttons().ModeGroup->mapToGlobal(QPoint(0, 0)));

    const QPoint outside(frame.right() + 20, frame.top() + 5);
    QCursor::setPos(outside);
    QCOMPARE(form.Popups().QuickMenuPosition(quick),
             form.Buttons().Pages->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(form.Popups().QuickMenuPosition(quickJ),
             form.Buttons().Pages->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(form.Popups().QuickMenuPosition(mode),
             form.Buttons().ModeGroup->mapToGlobal(QPoint(0, 0)));

    // Without the panel, just below the window's bottom-left corner.
    Run(form, "actionButtonPanel");
    QVERIFY(!form.View().Is(ViewOptions::Flag::ButtonPanel));
    const QRect smaller = form.frameGeometry();
    const QPoint below(smaller.left(), smaller.top() + smaller.height());
    QCOMPARE(form.Popups().QuickMenuPosition(quick), below);
    QCOMPARE(form.Popups().QuickMenuPosition(mode), below);
    QTest::keyClick(&form, Qt::Key_Q);
    QTRY_VERIFY(form.Popups().OperatorMenu()->isVisible());
}

void MenusTest::platformRules_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("wayland");
    QTest::newRow("xcb") << "xcb" << false;
    QTest::newRow("offscreen") << "offscreen" << false;
    QTest::newRow("wayland") << "wayland" << true;
    QTest::newRow("wayland-egl") << "wayland-egl" << true;
    QTest::newRow("wayland-xcomposite-glx") << "wayland-xcomposite-glx" << true;
    QTest::newRow("a name that only contains it") << "xwayland" << false;
}

// Wayland has no stay-on-top request and tells a client the pointer only
// over its own surfaces; every other platform does both.
void MenusTest::platformRules() {
    QFETCH(QString, platform);
    QFETCH(bool, wayland);
    QCOMPARE(IsWaylandPlatform(platform), wayland);
}

void MenusTest::stayOnTopFollowsThePlatform() {
    WindowFixture window;
    QAction* stayOnTop = FindAction(*window, "actionStayOnTop");
    window->UpdateActions();
    const bool available = CanKeepWindowOnTop();
    QCOMPARE(stayOnTop->isEnabled(), available);
    QCOMPARE(stayOnTop->toolTip() == ShortHintOf(Command::StayOnTop), available);
    QCOMPARE(window->MainMenuBar()->ViewMenu()->toolTipsVisible(), !available);
}

void MenusTest::shiftAmountSelector() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.move(0, 0);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QToolButton* selector = form.Buttons().ShiftAmountSelector;
    QCOMPARE(selector->focusPolicy(), Qt::NoFocus);
    QCOMPARE(selector->accessibleName(), QStringLiteral("シフト量選択"));

    QTest::mousePress(selector, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::qWait(10);
    QVERIFY(!form.Popups().ShiftAmountMenu()->isVisible());
    QTest::mouseRelease(selector, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));

    QTest::mousePress(selector, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QTRY_VERIFY(form.Popups().ShiftAmountMenu()->isVisible());
    QCOMPARE(form.Popups().ShiftAmountMenu()->pos(),
             selector->mapToGlobal(QPoint(0, selector->height())));
    CloseMenus();

    QTest::mousePress(selector, Qt::LeftButton, Qt::NoModifier, selector->rect().center());
    QTRY_VERIFY(form.Popups().ShiftAmountMenu()->isVisible());
    CloseMenus();
}

void MenusTest::contextMenuIsFilledOnceWithBarAndViewCommands() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.Popups().ContextMenu()->actions().isEmpty());

    RightClick(form.ButtonPane(), QPoint(2, 2)); // the panel's border
    QTRY_VERIFY(form.Popups().ContextMenu()->isVisible());
    const QStringList expected = {
        "actionToggleDec",
        "actionToggleHex",
        "actionToggleBin",
        "actionToggleOct",
        "actionToggleSexagesimal",
        "actionToggleSize",
        "actionToggleChar",
        "actionToggleTime",
        "actionToggleIP",
        "actionToggleFloat",
        "-",
        "actionDigitGrouping",
        "actionShowIndicators",
        "-",
        "actionToolBar",
        "actionMenuBar",
        "actionButtonPanel",
        "actionStayOnTop",
        "actionExpressionLine",
        "actionHistoryPane",
        "-",
        "actionQuickMenu",
        "actionModeMenu",
        "-",
        "actionChooseFont",
        "actionChooseBodyColour",
        "-",
        "", // the language submenu
    };
    QCOMPARE(BoundNames(*form.Popups().ContextMenu()), expected);
    // The copies show the commands' captions and states.
    const QAction* hex = form.Popups().ContextMenu()->actions().at(1);
    QCOMPARE(hex->text(), QStringLiteral("16進(&H)"));
    QVERIFY(hex->isChecked());
    CloseMenus();

    // Empty space of a group and of the page control open it again, unchanged.
    RightClick(form.Buttons().ModeGroup, QPoint(1, 1));
    QTRY_VERIFY(form.Popups().ContextMenu()->isVisible());
    CloseMenus();
    RightClick(form.Buttons().Pages->tabBar(), form.Buttons().Pages->tabBar()->tabRect(1).center());
    QTRY_VERIFY(form.Popups().ContextMenu()->isVisible());
    QCOMPARE(BoundNames(*form.Popups().ContextMenu()), expected);
}

void MenusTest::rightClickOnAControlOpensNothing() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // A calculator button, a disabled one, the selector's picture and a
    // tool-bar button.
    CommandButton* add = ButtonOf(form, "actionOpAdd");
    CommandButton* floor = ButtonOf(form, "actionOpFloor");
    QVERIFY(!floor->isEnabled());
    QToolButton* picture = form.Buttons().ShiftAmountSelector;
    QToolButton* copy = ToolBarButton(form, "actionEditCopy");
    QVERIFY(copy != nullptr);
    for (QWidget* control : std::initializer_list<QWidget*>{add, floor, picture, copy}) {
        RightClick(control, control->rect().center());
        QTest::qWait(10);
        QVERIFY2(QApplication::activePopupWidget() == nullptr, qPrintable(control->objectName()));
        QVERIFY(!form.Popups().ContextMenu()->isVisible());
    }
    QVERIFY(form.Popups().ContextMenu()->actions().isEmpty());
    // A request from the keyboard is left to the default handling.
    QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                   form.ButtonPane()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(form.ButtonPane(), &fromKeyboard);
    QTest::qWait(10);
    QVERIFY(!form.Popups().ContextMenu()->isVisible());
}

void MenusTest::realRightClicks() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Through the window system, which turns a right click into a context
    // menu request.
    auto rightClick = [&](QWidget* control, QPoint pos) {
        QTest::mouseClick(form.windowHandle(), Qt::RightButton, Qt::NoModifier,
                          control->mapTo(&form, pos));
    };
    CommandButton* digit = ButtonOf(form, "actionDigit5");
    rightClick(digit, digit->rect().center());
    QTest::qWait(10);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("0"));
    rightClick(form.ButtonPane(), QPoint(3, 3));
    QTRY_VERIFY(form.Popups().ContextMenu()->isVisible());
}

void MenusTest::panelButtonsRunTheirCommands() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char* name : {"actionDigit7", "actionOpAdd", "actionDigit2", "actionEqual"})
        QTest::mouseClick(ButtonOf(form, name), Qt::LeftButton);
    QCOMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("9"));
    QTest::mouseClick(ButtonOf(form, "actionClearAll"), Qt::LeftButton);
    QCOMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("0"));

    CommandButton* byte = ButtonOf(form, "actionModeByte");
    QTest::mouseClick(byte, Qt::LeftButton);
    QCOMPARE(form.Engine().Mode(), CalcValueMode::Byte);
    QVERIFY(byte->isChecked());
    QVERIFY(!ButtonOf(form, "actionModeDWord")->isChecked());
    // Clicking the pressed mode button keeps it pressed.
    QTest::mouseClick(byte, Qt::LeftButton);
    QVERIFY(byte->isChecked());

    CommandButton* sign = ButtonOf(form, "actionModeSigned");
    QTest::mouseClick(sign, Qt::LeftButton);
    QVERIFY(form.Engine().Signed());
    QVERIFY(sign->isChecked());
    QCOMPARE(sign->text(), QStringLiteral("Sgn"));

    // A disabled button does nothing.
    CommandButton* floor = ButtonOf(form, "actionOpFloor");
    QVERIFY(!floor->isEnabled());
    Keys(form, "5");
    QTest::mouseClick(floor, Qt::LeftButton);
    QCOMPARE(form.Engine().Entry(), EntryState::Entering);

    // Every button is bound to a command and named after it.
    QCOMPARE(static_cast<int>(form.Buttons().Buttons.size()), 79);
    for (const CommandButton* button : form.Buttons().Buttons) {
        QCOMPARE(button->defaultAction(), form.Action(button->BoundCommand()));
        QCOMPARE(button->objectName(),
                 QStringLiteral("button") +
                     form.Action(button->BoundCommand())->objectName().mid(6));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void MenusTest::panelButtonsFollowTheirCommands() {
    WindowFixture window;
    MainWindow& form = window.Window();
    struct Caption {
        const char* Action;
        const char* Text;
    };
    for (const Caption& c :
         {Caption{"actionBackSpace", "→"}, Caption{"actionClearEntry", "CE"},
          Caption{"actionClearAll", "AC"}, Caption{"actionRecallAnswer", "Ans"},
          Caption{"actionModeByteSwap", "Rev"}, Caption{"actionOpReverseBytes", "Rev"},
          Caption{"actionOpReverseBits", "BRev"}, Caption{"actionOpPopCount", "Pop"},
          Caption{"actionOpLeadingZeros", "Clz"}, Caption{"actionArithmeticShift", "Ari"},
          Caption{"actionRotate", "Rot"}, Caption{"actionHyperbolic", "Hyp"},
          Caption{"actionAngleDegrees", "Deg"}, Caption{"actionModeInt64", "Int64"},
          Caption{"actionNegate", "+/-"}, Caption{"actionOpShiftLeftByAmount", "<<8"},
          Caption{"actionOpShiftRight", ">>"}, Caption{"actionSeparator", ":"}})
        QCOMPARE(ButtonOf(form, c.Action)->text(), QString::fromUtf8(c.Text));
    QVERIFY(ButtonOf(form, "actionAngleGradians")->isHidden());
    QVERIFY(!ButtonOf(form, "actionAngleRadians")->isHidden());

    // Caption, enabled and checked state follow the commands.
    QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier); // rotate
    QCOMPARE(ButtonOf(form, "actionOpShiftLeftByAmount")->text(), QStringLiteral("<rot8"));
    QVERIFY(ButtonOf(form, "actionRotate")->isChecked());
    QVERIFY(!ButtonOf(form, "actionOpSin")->isEnabled());
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier); // Real
    QVERIFY(ButtonOf(form, "actionOpSin")->isEnabled());
    QVERIFY(!ButtonOf(form, "actionRotate")->isEnabled());
    QVERIFY(ButtonOf(form, "actionModeReal")->isChecked());
    QCOMPARE(ButtonOf(form, "actionRotate")->text(), QStringLiteral("Rot"));
}

void MenusTest::toolTipsAddTheKey_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("tip");
    const QString ret = ShortcutText(QKeyCombination(Qt::Key_Return));
    QTest::newRow("typed +") << "actionOpAdd" << QStringLiteral("加算 (+)");
    QTest::newRow("typed &") << "actionOpAnd" << QStringLiteral("論理積 (&)");
    QTest::newRow("typed V") << "actionOpReverseBits" << QStringLiteral("ビット並び反転 (Shift+V)");
    QTest::newRow("typed _") << "actionNegate" << QStringLiteral("符号反転 (_)");
    QTest::newRow("disabled") << "actionOpFloor" << QStringLiteral("切り捨て (i)");
    QTest::newRow("typed P") << "actionPi" << QStringLiteral("円周率 (Shift+P)");
    QTest::newRow("typed .") << "actionPeriod" << QStringLiteral("小数点 (.)");
    QTest::newRow("shortcut") << "actionModeByte" << QStringLiteral("8ビット (Ctrl+B)");
    QTest::newRow("own caption") << "actionModeSigned" << QStringLiteral("符号付きモード (Ctrl+S)");
    QTest::newRow("return") << "actionEqual" << QStringLiteral("結果表示 (%1)").arg(ret);
    QTest::newRow("no key") << "actionAngleDegrees" << QStringLiteral("度単位");
    QTest::newRow("no hint") << "actionDigit7" << QString();
}

void MenusTest::toolTipsAddTheKey() {
    QFETCH(QString, action);
    QFETCH(QString, tip);
    WindowFixture window;
    CommandButton* button = window->Buttons().ButtonOf(action);
    QVERIFY(button != nullptr);
    QCOMPARE(button->toolTip(), tip);
}

void MenusTest::controlsShowTheirToolTips() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto showTip = [](QWidget* control) {
        const QPoint pos = control->rect().center();
        QHelpEvent event(QEvent::ToolTip, pos, control->mapToGlobal(pos));
        QApplication::sendEvent(control, &event);
        return QToolTip::text();
    };
    QCOMPARE(showTip(ButtonOf(form, "actionOpReverseBits")),
             QStringLiteral("ビット並び反転 (Shift+V)"));
    QCOMPARE(showTip(ButtonOf(form, "actionOpAdd")), QStringLiteral("加算 (+)"));
    QCOMPARE(showTip(form.Buttons().ShiftAmountSelector), QStringLiteral("シフト量選択 (;)"));
    QCOMPARE(showTip(ToolBarButton(form, "actionEditCopy")),
             QStringLiteral("コピー (%1)")
                 .arg(ShortcutText(QKeyCombination(Qt::ControlModifier, Qt::Key_C))));
    QCOMPARE(showTip(ToolBarButton(form, "actionToggleHex")), QStringLiteral("16進"));
    QToolTip::hideText();
}

void MenusTest::operationPages() {
    WindowFixture window;
    OperatorPages* pages = window->Buttons().Pages;
    QCOMPARE(pages->tabPosition(), QTabWidget::South);
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QStringLiteral("Binary"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Math"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Trigon"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(pages->focusPolicy(), Qt::NoFocus);
    QCOMPARE(pages->tabBar()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(ButtonOf(*window, "actionOpSqrt")->parentWidget(), window->Buttons().MathPage);
    QCOMPARE(ButtonOf(*window, "actionOpAnd")->parentWidget(), window->Buttons().BinaryPage);
    QCOMPARE(window->Buttons().ShiftAmountSelector->parentWidget(), window->Buttons().BinaryPage);
    QCOMPARE(window->Buttons().ModeGroup->title(), QStringLiteral("Mode"));
    QCOMPARE(ButtonOf(*window, "actionModeByte")->parentWidget(), window->Buttons().ModeGroup);
    // The "=" key spans two rows of keys.
    QVERIFY(ButtonOf(*window, "actionEqual")->height() >
            2 * ButtonOf(*window, "actionOpAdd")->height() - 1);

    // The caption is centred, halves rounded down.
    QCOMPARE(TabTextOrigin(QRect(10, 20, 50, 30), QSize(21, 13)), QPoint(24, 28));
    QCOMPARE(TabTextOrigin(QRect(0, 0, 40, 20), QSize(40, 20)), QPoint(0, 0));
    QCOMPARE(TabTextOrigin(QRect(0, 0, 10, 10), QSize(20, 4)), QPoint(-5, 3));
}

void MenusTest::tabsAreFilledWithTheWindowColour() {
    WindowFixture window;
    MainWindow& form = window.Window();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTabBar* tabs = form.Buttons().Pages->tabBar();
    auto fillOf = [&](int index) {
        const QImage image = tabs->grab().toImage();
        const QRect rect = tabs->tabRect(index);
        return image.pixelColor(rect.left() + 3, rect.top() + 3).rgb();
    };
    form.View().SetBodyColor(0x0000FF00); // green, stored as 0x00BBGGRR
    QCOMPARE(fillOf(1), QColor(0, 255, 0).rgb());
    QCOMPARE(fillOf(0), QColor(0, 255, 0).rgb());
    form.View().SetBodyColor(0x00FF0000); // blue
    QCOMPARE(fillOf(2), QColor(0, 0, 255).rgb());
}

QTEST_MAIN(MenusTest)
#include "test_menus.moc"
