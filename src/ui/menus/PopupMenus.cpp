// The main window's pop-up menus: the mode, shift-amount and operator menus
// and the window's context menu, what they hold, where they open, and their
// texts in the language shown now.

#include "ui/menus/PopupMenus.h"

#include "core/CalcError.h"
#include "ui/bars/BandSite.h"
#include "ui/bars/CalcBar.h"
#include "ui/keys/CharacterKeyTable.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/panel/OperatorPages.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ViewOptions.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include <optional>

namespace pexa {

namespace {

// ---- The operator menus ---------------------------------------------------------

enum class RowKind { Item, Header, Separator };

// One row of the two operator menus: the short caption (context
// "QuickMenu": the same in every language but where the Japanese menu
// shows a caption of its own) and the descriptive one
// (context "OpMenu"; none: the command's own caption), and whether the row is
// in the submenu of the header above it.
struct OpMenuRow {
    RowKind Kind;
    std::optional<Command> Action;
    const char* Caption;
    const char* DescriptiveCaption;
    bool InSubmenu = false;
    bool Radio = false;
    bool NewColumn = false;
    const char* Hint = nullptr;
};

// clang-format off
const OpMenuRow OpMenuRows[] = {
    {RowKind::Item, Command::OpAnd, "An&d ", QT_TRANSLATE_NOOP("OpMenu", "Bitwise An&d")},
    {RowKind::Item, Command::OpOr, "&Or ", QT_TRANSLATE_NOOP("OpMenu", "Bitwise &Or")},
    {RowKind::Item, Command::OpXor, "&Xor ", QT_TRANSLATE_NOOP("OpMenu", "Bitwise &Xor")},
    {RowKind::Item, Command::OpNot, "&Not ", QT_TRANSLATE_NOOP("OpMenu", "Bitwise &Not")},
    {RowKind::Item, Command::OpShiftLeft, "Shift &Left", QT_TRANSLATE_NOOP("OpMenu", "Shift &Left")},
    {RowKind::Item, Command::OpShiftRight, "S&hift Right", QT_TRANSLATE_NOOP("OpMenu", "Shift Rig&ht")},
    {RowKind::Item, Command::ArithmeticShift, nullptr, QT_TRANSLATE_NOOP("OpMenu", "Arithmetic Shift")},
    {RowKind::Item, Command::Rotate, "Rotate ", QT_TRANSLATE_NOOP("OpMenu", "Rotate")},
    {RowKind::Item, Command::OpShiftLeftByAmount, "&<<bits ", QT_TRANSLATE_NOOP("OpMenu", "Shift Left by n Bits (&<<n)")},
    {RowKind::Item, Command::OpShiftRightByAmount, "&>>bits ", QT_TRANSLATE_NOOP("OpMenu", "Shift Right by n Bits (&>>n)")},
    {RowKind::Header, Command::ShiftAmountMenu, nullptr, QT_TRANSLATE_NOOP("OpMenu", "Shift Amount")},
    {RowKind::Item, Command::ShiftAmount1, nullptr, "&1 ", true, true},
    {RowKind::Item, Command::ShiftAmount2, nullptr, "&2 ", true, true},
    {RowKind::Item, Command::ShiftAmount4, nullptr, "&4 ", true, true},
    {RowKind::Item, Command::ShiftAmount8, nullptr, "&8 ", true, true},
    {RowKind::Item, Command::ShiftAmount16, nullptr, "1&6 ", true, true},
    {RowKind::Item, Command::OpReverseBytes, "Reverse B&ytes ", QT_TRANSLATE_NOOP("OpMenu", "Reverse B&ytes")},
    {RowKind::Item, Command::OpReverseBits, "Re&verse Bits ", QT_TRANSLATE_NOOP("OpMenu", "Re&verse Bits")},
    {RowKind::Item, Command::OpSqrt, "S&qrt ", QT_TRANSLATE_NOOP("OpMenu", "S&quare Root"), false, false, true},
    {RowKind::Item, Command::OpSquare, "Sq&uare (x^2)", QT_TRANSLATE_NOOP("OpMenu", "Sq&uare")},
    {RowKind::Item, Command::OpPower, "&Power (x^y)", QT_TRANSLATE_NOOP("OpMenu", "&Power")},
    {RowKind::Item, Command::OpRoot, "&Root ", QT_TRANSLATE_NOOP("OpMenu", "&Root")},
    {RowKind::Item, Command::OpFrac, "&Frac ", QT_TRANSLATE_NOOP("OpMenu", "&Fractional Part")},
    {RowKind::Item, Command::OpReciprocal, "Invert (1&/x)", QT_TRANSLATE_NOOP("OpMenu", "Reciprocal (1&/x)")},
    {RowKind::Item, Command::OpFactorial, "Factorial (n&!)", QT_TRANSLATE_NOOP("OpMenu", "Factorial (n&!)")},
    {RowKind::Header, std::nullopt, "&Exp", QT_TRANSLATE_NOOP("OpMenu", "&Exponential"), false, false, false, QT_TRANSLATE_NOOP("OpMenu", "Exponential functions")},
    {RowKind::Item, Command::OpExpE, "&e^x ", "&e^x ", true},
    {RowKind::Item, Command::OpExp2, "&2^x ", "&2^x ", true},
    {RowKind::Item, Command::OpExp10, "&10^x ", "&10^x ", true},
    {RowKind::Header, std::nullopt, "Lo&g", QT_TRANSLATE_NOOP("OpMenu", "Lo&garithm"), false, false, false, QT_TRANSLATE_NOOP("OpMenu", "Logarithms")},
    {RowKind::Item, Command::OpLogE, "&Ln ", QT_TRANSLATE_NOOP("OpMenu", "Natural Log (&Ln)"), true},
    {RowKind::Item, Command::OpLog2, "Log&2 ", QT_TRANSLATE_NOOP("OpMenu", "Log Base &2"), true},
    {RowKind::Item, Command::OpLog10, "Log&10 ", QT_TRANSLATE_NOOP("OpMenu", "Common Log (Lo&g)"), true},
    {RowKind::Item, Command::OpLogN, "Log&N ", QT_TRANSLATE_NOOP("OpMenu", "Log Base &N"), true},
    {RowKind::Header, std::nullopt, "&Int", QT_TRANSLATE_NOOP("OpMenu", "&Integer Part"), false, false, false, QT_TRANSLATE_NOOP("OpMenu", "Rounding to an integer")},
    {RowKind::Item, Command::OpFloor, QT_TRANSLATE_NOOP("QuickMenu", "&Floor "), QT_TRANSLATE_NOOP("OpMenu", "&Floor"), true},
    {RowKind::Item, Command::OpCeil, "&Ceil ", QT_TRANSLATE_NOOP("OpMenu", "&Ceiling"), true},
    {RowKind::Item, Command::OpRound, "&Round ", QT_TRANSLATE_NOOP("OpMenu", "&Round"), true},
    {RowKind::Item, Command::OpSin, "&sin ", QT_TRANSLATE_NOOP("OpMenu", "Sine (&sin)"), false, false, true},
    {RowKind::Item, Command::OpCos, "&cos ", QT_TRANSLATE_NOOP("OpMenu", "Cosine (&cos)")},
    {RowKind::Item, Command::OpTan, "&tan ", QT_TRANSLATE_NOOP("OpMenu", "Tangent (&tan)")},
    {RowKind::Item, Command::OpArcSin, nullptr, QT_TRANSLATE_NOOP("OpMenu", "Arcsine (arcsin)")},
    {RowKind::Item, Command::OpArcCos, nullptr, QT_TRANSLATE_NOOP("OpMenu", "Arccosine (arccos)")},
    {RowKind::Item, Command::OpArcTan, nullptr, QT_TRANSLATE_NOOP("OpMenu", "Arctangent (arctan)")},
    {RowKind::Separator, std::nullopt, nullptr, nullptr},
    {RowKind::Item, Command::Hyperbolic, "Hyperbolic ", QT_TRANSLATE_NOOP("OpMenu", "Hyperbolic (Hyp)")},
    {RowKind::Header, std::nullopt, "&Angle", QT_TRANSLATE_NOOP("OpMenu", "&Angle Unit"), false, false, false, QT_TRANSLATE_NOOP("OpMenu", "Angle unit")},
    {RowKind::Item, Command::AngleDegrees, "&Degree ", QT_TRANSLATE_NOOP("OpMenu", "Degrees (&Deg)"), true, true},
    {RowKind::Item, Command::AngleRadians, "&Radian ", QT_TRANSLATE_NOOP("OpMenu", "Radians (&Rad)"), true, true},
    {RowKind::Item, Command::AngleGradians, "&Gradian ", QT_TRANSLATE_NOOP("OpMenu", "Gradians (&Grad)"), true, true},
    {RowKind::Separator, std::nullopt, nullptr, nullptr},
    {RowKind::Item, Command::Pi, "PI ", QT_TRANSLATE_NOOP("OpMenu", "Pi")},
};
// clang-format on

// The menus' rows keep their untranslated texts here, so that a change of
// language can translate them again.
constexpr const char* kSourceTextProperty = "pexaSourceText";
constexpr const char* kSourceHintProperty = "pexaSourceHint";

constexpr const char* kShortContext = "QuickMenu";
constexpr const char* kDescriptiveContext = "OpMenu";

QString OpMenuText(const char* source, const char* context = kDescriptiveContext) {
    return source != nullptr ? QCoreApplication::translate(context, source) : QString();
}

// A menu item bound to a command; a radio item joins the menu's group. A
// command the menus do not offer gets a hidden item.
QAction* AddItem(QMenu& menu, Command command, QAction& action, QActionGroup* radioGroup = nullptr,
                 const QString& ownCaption = {}) {
    QAction* item = NewCommandItem(action, command, &menu);
    if (!ownCaption.isEmpty())
        SetOwnCaption(*item, ownCaption);
    if (!OfferedInControls(command))
        item->setVisible(false);
    // Pop-up menus show the commands' shortcuts as the main menu does.
    item->setShortcutVisibleInContextMenu(true);
    if (radioGroup != nullptr) {
        item->setCheckable(true);
        radioGroup->addAction(item);
        item->setChecked(action.isChecked());
    }
    menu.addAction(item);
    return item;
}

// A submenu header that stands for a command follows its enabled state
// (and is hidden when the menus do not offer the command); it opens its
// submenu instead of running the command.
void BindHeader(QMenu& submenu, Command command, QAction& action) {
    QAction* header = submenu.menuAction();
    MarkCommandOfItem(*header, command);
    if (!OfferedInControls(command))
        header->setVisible(false);
    auto sync = [header, &action] { header->setEnabled(action.isEnabled()); };
    QObject::connect(&action, &QAction::changed, header, sync);
    sync();
}

} // namespace

namespace {

void RetranslateMenuItems(QMenu& menu, const char* context) {
    for (QAction* item : menu.actions()) {
        const QVariant source = item->property(kSourceTextProperty);
        if (source.isValid()) {
            SetOwnCaption(*item, OpMenuText(source.toByteArray().constData(), context));
        }
        const QVariant hint = item->property(kSourceHintProperty);
        if (hint.isValid()) {
            item->setToolTip(OpMenuText(hint.toByteArray().constData()));
            item->setStatusTip(OpMenuText(hint.toByteArray().constData()));
        }
        if (QMenu* submenu = item->menu())
            RetranslateMenuItems(*submenu, context);
    }
}

} // namespace

PopupMenus::PopupMenus(MainWindow& window) : QObject(&window), window_(window) {}

QMenu* PopupMenus::NewMenu(const char* name) {
    auto* menu = new QMenu(&window_);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// Each menu shows the states the commands have as it opens.
void PopupMenus::Build() {
    MainWindow& window = window_;
    auto refreshOnShow = [&window](QMenu* menu) {
        connect(menu, &QMenu::aboutToShow, &window, &MainWindow::RefreshStates);
    };

    modeMenu_ = NewMenu("modeMenu");
    refreshOnShow(modeMenu_);
    QActionGroup* modes = new QActionGroup(modeMenu_);
    for (const Command name : {Command::ModeByte, Command::ModeWord, Command::ModeDWord,
                               Command::ModeInt64, Command::ModeReal})
        AddItem(*modeMenu_, name, *window.Action(name), modes);
    modeMenu_->addSeparator();
    AddItem(*modeMenu_, Command::ModeSigned, *window.Action(Command::ModeSigned));
    AddItem(*modeMenu_, Command::ModeByteSwap, *window.Action(Command::ModeByteSwap));

    shiftAmountMenu_ = NewMenu("shiftAmountMenu");
    refreshOnShow(shiftAmountMenu_);
    QActionGroup* amounts = new QActionGroup(shiftAmountMenu_);
    for (const Command name : {Command::ShiftAmount1, Command::ShiftAmount2, Command::ShiftAmount4,
                               Command::ShiftAmount8, Command::ShiftAmount16})
        AddItem(*shiftAmountMenu_, name, *window.Action(name), amounts);

    operatorMenu_ = NewMenu("operatorMenu");
    refreshOnShow(operatorMenu_);
    descriptiveOperatorMenu_ = NewMenu("descriptiveOperatorMenu");
    refreshOnShow(descriptiveOperatorMenu_);
    BuildOperatorMenus();

    contextMenu_ = NewMenu("contextMenu");
    // Filled on its first opening, before the update pass shows the states.
    connect(contextMenu_, &QMenu::aboutToShow, this, &PopupMenus::FillContextMenu);
    refreshOnShow(contextMenu_);

    ShowKeyChars();
}

void PopupMenus::BuildOperatorMenus() {
    MainWindow& window = window_;
    for (const bool descriptive : {false, true}) {
        QMenu& top = descriptive ? *descriptiveOperatorMenu_ : *operatorMenu_;
        QMenu* submenu = nullptr;
        QActionGroup* radio = nullptr;
        for (const OpMenuRow& row : OpMenuRows) {
            const char* source = descriptive ? row.DescriptiveCaption : row.Caption;
            const QString caption =
                OpMenuText(source, descriptive ? kDescriptiveContext : kShortContext);
            QAction* action = row.Action ? window.Action(*row.Action) : nullptr;
            if (!row.InSubmenu) {
                submenu = nullptr;
                radio = nullptr;
            }
            // Qt's menus have no columns: where a row starts a new group
            // (the real and the angle functions), a separator sets it off
            // in the one column.
            if (row.NewColumn)
                top.addSeparator();
            switch (row.Kind) {
            case RowKind::Separator:
                top.addSeparator();
                break;
            case RowKind::Header:
                submenu =
                    top.addMenu(caption.isEmpty() && action != nullptr ? action->text() : caption);
                connect(submenu, &QMenu::aboutToShow, &window, &MainWindow::RefreshStates);
                if (source != nullptr)
                    submenu->menuAction()->setProperty(kSourceTextProperty, QByteArray(source));
                if (row.Hint != nullptr) {
                    submenu->menuAction()->setToolTip(OpMenuText(row.Hint));
                    submenu->menuAction()->setStatusTip(OpMenuText(row.Hint));
                    submenu->menuAction()->setProperty(kSourceHintProperty, QByteArray(row.Hint));
                }
                if (action != nullptr)
                    BindHeader(*submenu, *row.Action, *action);
                break;
            case RowKind::Item: {
                QMenu& menu = row.InSubmenu && submenu != nullptr ? *submenu : top;
                if (row.Radio && radio == nullptr)
                    radio = new QActionGroup(&menu);
                QAction* item =
                    AddItem(menu, *row.Action, *action, row.Radio ? radio : nullptr, caption);
                if (source != nullptr)
                    item->setProperty(kSourceTextProperty, QByteArray(source));
                break;
            }
            }
        }
    }
}

QMenu* PopupMenus::Made(QMenu* const& menu) {
    if (modeMenu_ == nullptr)
        Build();
    return menu;
}

void PopupMenus::ShowKeyChars() {
    if (!IsMade())
        return;
    ShowKeyCharsInMenu(*operatorMenu_, window_.Actions());
    ShowKeyCharsInMenu(*descriptiveOperatorMenu_, window_.Actions());
}

void PopupMenus::Retranslate() {
    if (!IsMade())
        return;
    RetranslateMenuItems(*operatorMenu_, kShortContext);
    RetranslateMenuItems(*descriptiveOperatorMenu_, kDescriptiveContext);
    // The typed characters are added to the new captions again.
    ShowKeyChars();
}

void PopupMenus::PopUp(Command command) {
    if (command == Command::ShiftAmountMenu) {
        const QWidget* selector = window_.Buttons().ShiftAmountSelector;
        ShiftAmountMenu()->popup(selector->mapToGlobal(QPoint(0, selector->height())));
    } else {
        QuickMenuOf(command)->popup(QuickMenuPosition(command));
    }
}

QMenu* PopupMenus::QuickMenuOf(Command command) {
    if (command == Command::ModeMenu)
        return ModeMenu();
    return command == Command::DescriptiveQuickMenu ? DescriptiveOperatorMenu() : OperatorMenu();
}

// At the pointer when it is over the window; else, and wherever the
// pointer's position is not known, at the button panel.
QPoint PopupMenus::QuickMenuPosition(Command command, bool pointerKnown) {
    const QRect frame = window_.frameGeometry();
    if (pointerKnown) {
        const QPoint pointer = QCursor::pos();
        if (frame.contains(pointer))
            return pointer;
    }
    if (window_.View().Is(ViewOptions::Flag::ButtonPanel)) {
        const bool modeMenu = command == Command::ModeMenu;
        const ButtonPanel& buttons = window_.Buttons();
        const QWidget* anchor =
            modeMenu ? static_cast<const QWidget*>(buttons.ModeGroup) : buttons.Pages;
        return anchor->mapToGlobal(QPoint(0, 0));
    }
    return {frame.left(), frame.top() + frame.height()};
}

// ---- The window's context menu ----------------------------------------------------

namespace {

// Controls that only hold other controls: a right-click on their empty
// space is a right-click on the window.
bool IsContainer(const QWidget* widget) {
    if (qobject_cast<const QAbstractButton*>(widget) != nullptr ||
        qobject_cast<const QLabel*>(widget) != nullptr ||
        qobject_cast<const QMenuBar*>(widget) != nullptr)
        return false;
    if (qobject_cast<const QToolBar*>(widget) != nullptr ||
        qobject_cast<const BandSite*>(widget) != nullptr ||
        qobject_cast<const CalcBar*>(widget) != nullptr ||
        qobject_cast<const QGroupBox*>(widget) != nullptr ||
        qobject_cast<const QTabWidget*>(widget) != nullptr ||
        qobject_cast<const QTabBar*>(widget) != nullptr ||
        qobject_cast<const QStackedWidget*>(widget) != nullptr)
        return true;
    const QMetaObject* type = widget->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject;
}

} // namespace

bool PopupMenus::OpenContextMenuAt(QPoint pos) {
    const QWidget* found = window_.childAt(pos);
    if (found != nullptr && !IsContainer(found))
        return false;
    ContextMenu()->popup(window_.mapToGlobal(pos));
    return true;
}

void PopupMenus::FillContextMenu() {
    QMenu* menu = ContextMenu();
    if (!menu->actions().isEmpty())
        return;
    auto copy = [this, menu](const QMenu& from) {
        for (QAction* item : from.actions()) {
            if (item->isSeparator()) {
                menu->addSeparator();
            } else if (const std::optional<Command> command = CommandOfMenuItem(item)) {
                menu->addAction(window_.Action(*command));
            } else if (item->menu() != nullptr) {
                // A submenu of the window's own (the language) is shared.
                menu->addAction(item);
            } else {
                qWarning("%s", AssertionFailure("MainWindow").what());
            }
        }
    };
    copy(*window_.MainMenuBar()->BarMenu());
    menu->addSeparator();
    copy(*window_.MainMenuBar()->ViewMenu());
}

} // namespace pexa
