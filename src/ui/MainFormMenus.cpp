// The pop-up menus of the main window (mode, shift amount, the two operator
// menus and the window's context menu), the commands that open them, and
// the tooltips of the controls bound to commands.

#include "ui/MainForm.h"

#include "core/CalcError.h"
#include "ui/CalcBar.h"
#include "ui/OpPages.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/ActionList.h"
#include "ui/toolkit/BandSite.h"
#include "ui/toolkit/ShortCut.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <optional>

#include <sys/utsname.h>

namespace pexa {

namespace {

// The command a menu item or a submenu header stands for.
constexpr const char* kBoundActionProperty = "pexaBoundAction";

TAction* BoundAction(const QAction* item) {
    if (item == nullptr)
        return nullptr;
    if (auto* action = qobject_cast<TAction*>(const_cast<QAction*>(item)))
        return action;
    if (const auto* link = qobject_cast<const TActionLink*>(item))
        return link->Source();
    return qobject_cast<TAction*>(item->property(kBoundActionProperty).value<QObject*>());
}

// ---- The operator menus ---------------------------------------------------------

enum class RowKind { Item, Header, Separator };

// One row of the two operator menus: the English and the Japanese caption
// (none: the command's own caption), and whether the row is in the submenu
// of the header above it.
struct OpMenuRow {
    RowKind Kind;
    std::optional<Command> Action;
    const char* Caption;
    const char* CaptionJ;
    bool InSubmenu = false;
    bool Radio = false;
    bool NewColumn = false;
    const char* Hint = nullptr;
};

// clang-format off
const OpMenuRow OpMenuRows[] = {
    {RowKind::Item, Command::OpAnd, "An&d ", "論理積(An&d)"},
    {RowKind::Item, Command::OpOr, "&Or ", "論理和(&Or)"},
    {RowKind::Item, Command::OpXor, "&Xor ", "排他的論理和(&Xor)"},
    {RowKind::Item, Command::OpNot, "&Not ", "ビット反転(&Not)"},
    {RowKind::Item, Command::OpShiftLeft, "Shift &Left", "左シフト(&L)"},
    {RowKind::Item, Command::OpShiftRight, "S&hift Right", "右シフト(&H)"},
    {RowKind::Item, Command::ShiftAr, nullptr, "算術シフト"},
    {RowKind::Item, Command::Rotate, "Rotate ", "ローテート"},
    {RowKind::Item, Command::OpQShiftL, "&<<bits ", "左にnビットシフト(&<)"},
    {RowKind::Item, Command::OpQShiftR, "&>>bits ", "右にnビットシフト(&>)"},
    {RowKind::Header, Command::ShiftAmountSel, nullptr, "シフト量"},
    {RowKind::Item, Command::ShiftAmount1, nullptr, "&1 ", true, true},
    {RowKind::Item, Command::ShiftAmount2, nullptr, "&2 ", true, true},
    {RowKind::Item, Command::ShiftAmount4, nullptr, "&4 ", true, true},
    {RowKind::Item, Command::ShiftAmount8, nullptr, "&8 ", true, true},
    {RowKind::Item, Command::ShiftAmount16, nullptr, "1&6 ", true, true},
    {RowKind::Item, Command::OpReverse, "Reverse B&ytes ", "バイトオーダー反転(&Y)"},
    {RowKind::Item, Command::OpBitReverse, "Re&verse Bits ", "ビット順反転(&V)"},
    {RowKind::Item, Command::OpSqrt, "S&qrt ", "平方根(&Q)", false, false, true},
    {RowKind::Item, Command::OpSquare, "Sq&uare (x^2)", "自乗(&U)"},
    {RowKind::Item, Command::OpPower, "&Power (x^y)", "累乗(&P)"},
    {RowKind::Item, Command::OpRoot, "&Root ", "累乗根(&R)"},
    {RowKind::Item, Command::OpFrac, "&Frac ", "小数(&F)"},
    {RowKind::Item, Command::OpInvert, "Invert (1&/x)", "逆数(&/)"},
    {RowKind::Item, Command::OpFactorial, "Factorial (n&!)", "階乗(&!)"},
    {RowKind::Header, std::nullopt, "&Exp", "指数(&E)", false, false, false, "指数関数"},
    {RowKind::Item, Command::OpExpE, "&e^x ", "&e^x ", true},
    {RowKind::Item, Command::OpExp2, "&2^x ", "&2^x ", true},
    {RowKind::Item, Command::OpExp10, "&10^x ", "&10^x ", true},
    {RowKind::Header, std::nullopt, "Lo&g", "対数(&G)", false, false, false, "対数関数"},
    {RowKind::Item, Command::OpLogE, "&Ln ", "自然対数(&Ln)", true},
    {RowKind::Item, Command::OpLog2, "Log&2 ", "底&2の対数", true},
    {RowKind::Item, Command::OpLog10, "Log&10 ", "常用対数(Lo&g)", true},
    {RowKind::Item, Command::OpLogN, "Log&N ", "任意の底の対数(&N)", true},
    {RowKind::Header, std::nullopt, "&Int", "整数化(&I)", false, false, false, "整数化"},
    {RowKind::Item, Command::OpIntFloor, "&Trunc ", "切り捨て(&T)", true},
    {RowKind::Item, Command::OpIntCeil, "&Ceil ", "切り上げ(&C)", true},
    {RowKind::Item, Command::OpIntRound, "&Round ", "四捨五入(&R)", true},
    {RowKind::Item, Command::OpSin, "&sin ", "正弦(&sin)", false, false, true},
    {RowKind::Item, Command::OpCos, "&cos ", "余弦(&cos)"},
    {RowKind::Item, Command::OpTan, "&tan ", "正接(&tan)"},
    {RowKind::Item, Command::OpArcSin, nullptr, "逆正弦(arcsin)"},
    {RowKind::Item, Command::OpArcCos, nullptr, "逆余弦(arccos)"},
    {RowKind::Item, Command::OpArcTan, nullptr, "逆正接(arctan)"},
    {RowKind::Separator, std::nullopt, nullptr, nullptr},
    {RowKind::Item, Command::TriHyp, "Hyperbolic ", "双曲線関数(Hyp)"},
    {RowKind::Header, std::nullopt, "&Angle", "角度単位(&A)", false, false, false, "角度単位"},
    {RowKind::Item, Command::TriModeDeg, "&Degree ", "度(&Deg)", true, true},
    {RowKind::Item, Command::TriModeRad, "&Radian ", "ラジアン(&Rad)", true, true},
    {RowKind::Item, Command::TriModeGrad, "&Gradian ", "グラジアン(&Grad)", true, true},
    {RowKind::Separator, std::nullopt, nullptr, nullptr},
    {RowKind::Item, Command::Pi, "PI ", "円周率(Pi)"},
};
// clang-format on

QString TextOf(const char* utf8) {
    return utf8 != nullptr ? QString::fromUtf8(utf8) : QString();
}

// A menu item bound to a command; a radio item joins the menu's group.
TActionLink* AddItem(QMenu& menu, TAction* action, const QString& ownCaption,
                     QActionGroup* radioGroup) {
    auto* item = ownCaption.isEmpty() ? new TActionLink(action, &menu)
                                      : new TActionLink(action, ownCaption, &menu);
    // Pop-up menus show the commands' shortcuts as the main menu does.
    item->setShortcutVisibleInContextMenu(true);
    if (radioGroup != nullptr) {
        item->setCheckable(true);
        radioGroup->addAction(item);
        item->Sync();
    }
    menu.addAction(item);
    return item;
}

QActionGroup* RadioGroup(QMenu& menu) {
    auto* group = new QActionGroup(&menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    return group;
}

// A submenu header that stands for a command follows its enabled and
// visible state; it opens its submenu instead of running the command.
void BindHeader(QMenu& submenu, TAction* action) {
    QAction* header = submenu.menuAction();
    header->setProperty(kBoundActionProperty, QVariant::fromValue<QObject*>(action));
    const QPointer<TAction> source(action);
    auto sync = [header, source] {
        if (source.isNull())
            return;
        header->setEnabled(source->Enabled());
        header->setVisible(source->Visible());
    };
    QObject::connect(action, &QAction::changed, header, sync);
    sync();
}

} // namespace

void TForm_Main::BuildPopupMenus() {
    auto newMenu = [this](const char* name) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        connect(menu, &QMenu::aboutToShow, this, &TForm_Main::RefreshStates);
        return menu;
    };

    popupAllMode_ = newMenu("PopupAllMode");
    QActionGroup* modes = RadioGroup(*popupAllMode_);
    for (const Command name : {Command::ModeByte, Command::ModeWord, Command::ModeDWord,
                               Command::ModeQWord, Command::ModeFloat})
        AddItem(*popupAllMode_, Action(name), QString(), modes);
    popupAllMode_->addSeparator();
    AddItem(*popupAllMode_, Action(Command::ModeSigned), QString(), nullptr);
    AddItem(*popupAllMode_, Action(Command::ModeReversed), QString(), nullptr);

    popupShiftAmount_ = newMenu("PopupShiftAmount");
    QActionGroup* amounts = RadioGroup(*popupShiftAmount_);
    for (const Command name : {Command::ShiftAmount1, Command::ShiftAmount2, Command::ShiftAmount4,
                               Command::ShiftAmount8, Command::ShiftAmount16})
        AddItem(*popupShiftAmount_, Action(name), QString(), amounts);

    popupAllOp_ = newMenu("PopupAllOp");
    popupAllOpJ_ = newMenu("PopupAllOpJ");
    for (const bool japanese : {false, true}) {
        QMenu& top = japanese ? *popupAllOpJ_ : *popupAllOp_;
        QMenu* submenu = nullptr;
        QActionGroup* radio = nullptr;
        for (const OpMenuRow& row : OpMenuRows) {
            const QString caption = TextOf(japanese ? row.CaptionJ : row.Caption);
            TAction* action = row.Action ? Action(*row.Action) : nullptr;
            if (!row.InSubmenu) {
                submenu = nullptr;
                radio = nullptr;
            }
            // Qt's menus have no columns. A new column is shown the way the
            // menus have always looked where the system has none either: as
            // a separator in one long column.
            if (row.NewColumn)
                top.addSeparator();
            switch (row.Kind) {
            case RowKind::Separator:
                top.addSeparator();
                break;
            case RowKind::Header:
                submenu = top.addMenu(caption.isEmpty() && action != nullptr ? action->Caption()
                                                                             : caption);
                connect(submenu, &QMenu::aboutToShow, this, &TForm_Main::RefreshStates);
                if (row.Hint != nullptr) {
                    submenu->menuAction()->setToolTip(TextOf(row.Hint));
                    submenu->menuAction()->setStatusTip(TextOf(row.Hint));
                }
                if (action != nullptr)
                    BindHeader(*submenu, action);
                break;
            case RowKind::Item: {
                QMenu& menu = row.InSubmenu && submenu != nullptr ? *submenu : top;
                if (row.Radio && radio == nullptr)
                    radio = RadioGroup(menu);
                AddItem(menu, action, caption, row.Radio ? radio : nullptr);
                break;
            }
            }
        }
    }

    mainPopup_ = newMenu("MainPopup");
    // Filled on its first opening, before the update pass shows the states.
    disconnect(mainPopup_, &QMenu::aboutToShow, this, &TForm_Main::RefreshStates);
    connect(mainPopup_, &QMenu::aboutToShow, this, &TForm_Main::MainPopupPopup);
    connect(mainPopup_, &QMenu::aboutToShow, this, &TForm_Main::RefreshStates);
}

void TForm_Main::BindMenuActions() {
    for (const Command name : {Command::QuickMenu, Command::QuickMenuJ, Command::ModeMenu})
        Action(name)->SetOnExecute(
            [this](TAction& action) { QuickMenuOf(action)->popup(QuickMenuPosition(action)); });
    Action(Command::ShiftAmountSel)->SetOnExecute([this](TAction&) {
        QWidget* selector = buttons_.CmdShiftAmountSel;
        popupShiftAmount_->popup(selector->mapToGlobal(QPoint(0, selector->height())));
    });

    TShiftAmountSel* selector = buttons_.CmdShiftAmountSel;
    const TAction* amountSel = Action(Command::ShiftAmountSel);
    SetWidgetHint(*selector, amountSel->Hint());
    selector->OnMouseDown = [this] { Action(Command::ShiftAmountSel)->Execute(); };
}

// ---- Operator menus -------------------------------------------------------------

void TForm_Main::PrepareOpMenu(QMenu& menu) const {
    PrepareOpMenu(menu, keyTable_, OsMajorVersion());
}

void TForm_Main::PrepareOpMenu(QMenu& menu, const TKeyTable& table, int osMajorVersion) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        const TAction* action = BoundAction(item);
        const std::optional<char> ch =
            action != nullptr && !action->HasShortCut() ? table.KeyCharOf(action) : std::nullopt;
        // An item that shows the command itself cannot take a caption of its
        // own without renaming the command everywhere.
        if (ch.has_value() && qobject_cast<TAction*>(item) == nullptr) {
            QString key = KeyCharText(*ch);
            // Menus of current systems read "&" after the tab as an access
            // mark too.
            if (osMajorVersion >= 5 && key == QLatin1String("&"))
                key = QStringLiteral("&&");
            QString caption = item->text();
            const qsizetype tab = caption.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                caption.truncate(tab);
            caption += QLatin1Char('\t') + key;
            if (auto* link = qobject_cast<TActionLink*>(item))
                link->SetOwnCaption(caption);
            else
                item->setText(caption);
        }
        if (QMenu* submenu = item->menu())
            PrepareOpMenu(*submenu, table, osMajorVersion);
    }
}

int TForm_Main::OsMajorVersion() {
    utsname name{};
    if (uname(&name) != 0)
        return 5; // a kernel that cannot be asked is taken to be a current one
    int major = 0;
    for (const char* p = name.release; *p >= '0' && *p <= '9' && major < 100000; ++p)
        major = major * 10 + (*p - '0');
    return major;
}

QMenu* TForm_Main::QuickMenuOf(const TAction& action) const {
    if (&action == Action(Command::ModeMenu))
        return popupAllMode_;
    return &action == Action(Command::QuickMenuJ) ? popupAllOpJ_ : popupAllOp_;
}

QPoint TForm_Main::QuickMenuPosition(const TAction& action) const {
    const QPoint pointer = QCursor::pos();
    const QRect frame = frameGeometry();
    if (frame.contains(pointer))
        return pointer;
    if (ButtonPanelVisible()) {
        const bool modeMenu = QuickMenuOf(action) == popupAllMode_;
        const QWidget* anchor =
            modeMenu ? static_cast<const QWidget*>(buttons_.GrpMode) : buttons_.OpPages;
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
        qobject_cast<const TBandSite*>(widget) != nullptr ||
        qobject_cast<const TCalcBar*>(widget) != nullptr ||
        qobject_cast<const QGroupBox*>(widget) != nullptr ||
        qobject_cast<const QTabWidget*>(widget) != nullptr ||
        qobject_cast<const QTabBar*>(widget) != nullptr ||
        qobject_cast<const QStackedWidget*>(widget) != nullptr ||
        qobject_cast<const TShiftAmountSel*>(widget) != nullptr)
        return true;
    const QMetaObject* type = widget->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject;
}

} // namespace

bool TForm_Main::FormContextPopup(QPoint pos) {
    const QWidget* found = childAt(pos);
    if (found != nullptr && !IsContainer(found))
        return false;
    mainPopup_->popup(mapToGlobal(pos));
    return true;
}

void TForm_Main::MainPopupPopup() {
    if (!mainPopup_->actions().isEmpty())
        return;
    auto copy = [this](const QMenu& from) {
        for (QAction* item : from.actions()) {
            if (item->isSeparator()) {
                mainPopup_->addSeparator();
            } else if (TAction* action = BoundAction(item)) {
                mainPopup_->addAction(action);
            } else {
                qWarning("%s", AssertionFailure("MainForm").what());
            }
        }
    };
    copy(*popupBar_);
    mainPopup_->addSeparator();
    copy(*popupView_);
}

// ---- Tooltips -------------------------------------------------------------------

namespace {

TAction* BoundActionOf(const QWidget& control) {
    if (const auto* button = qobject_cast<const QToolButton*>(&control))
        return BoundAction(button->defaultAction());
    return nullptr;
}

// Shows the tooltips of the controls bound to commands with the key that
// runs the command.
class TToolTipHook : public QObject {
public:
    explicit TToolTipHook(TForm_Main* window) : QObject(window), window_(window) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* control = qobject_cast<QWidget*>(watched);
        if (control == nullptr || control->window() != window_ ||
            BoundActionOf(*control) == nullptr)
            return false;
        const QString text = window_->ToolTipText(*control);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
        }
        return true;
    }

private:
    TForm_Main* window_;
};

} // namespace

void TForm_Main::InstallToolTipHook() {
    if (toolTipHook_ == nullptr)
        toolTipHook_ = new TToolTipHook(this);
}

QString TForm_Main::ToolTipText(const QWidget& control) const {
    const TAction* action = BoundActionOf(control);
    if (action == nullptr)
        return control.toolTip();
    const QString text = action->ShortHint();
    if (text.isEmpty())
        return text;
    if (action->HasShortCut())
        return text + QStringLiteral(" (") + ShortCutText(action->ShortCut()) + QLatin1Char(')');
    if (const std::optional<char> ch = KeyCharOf(action))
        return text + QStringLiteral(" (") + KeyCharText(*ch) + QLatin1Char(')');
    return text;
}

} // namespace pexa
