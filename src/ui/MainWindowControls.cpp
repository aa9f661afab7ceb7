// The main window's command controls: the button panel, the key router and
// the pop-up menus made beside it, the key table prepared at start-up, the
// commands that open the pop-up menus, and the tooltips of the controls
// bound to commands.

#include "ui/MainWindow.h"

#include "ui/KeyRouter.h"
#include "ui/PopupMenus.h"
#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/ShortCut.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QToolButton>
#include <QToolTip>

#include <optional>

namespace pexa {

void MainWindow::BuildCommandControls() {
    buttons_ = BuildButtonPanel(*buttonPane_, [this](Command command) { return Action(command); });
    popups_ = new PopupMenus(*this);
    BindMenuActions();
    keys_ = new KeyRouter(*this);
}

bool MainWindow::PrepareKeysAndMenus() {
    if (!keys_->PrepareKeyTable())
        return false;
    InstallToolTipHook();
    // Menus not made yet get the characters when they are made.
    popups_->ShowKeyChars();
    return true;
}

void MainWindow::BindMenuActions() {
    for (const Command name : {Command::QuickMenu, Command::QuickMenuJ, Command::ModeMenu})
        Action(name)->SetOnExecute([this](CommandAction& action) {
            popups_->QuickMenuOf(action)->popup(popups_->QuickMenuPosition(action));
        });
    Action(Command::ShiftAmountSel)->SetOnExecute([this](CommandAction&) {
        QWidget* selector = buttons_.CmdShiftAmountSel;
        popups_->ShiftAmountMenu()->popup(selector->mapToGlobal(QPoint(0, selector->height())));
    });

    ShiftAmountSelector* selector = buttons_.CmdShiftAmountSel;
    const CommandAction* amountSel = Action(Command::ShiftAmountSel);
    SetWidgetHint(*selector, amountSel->Hint());
    connect(
        selector, &ShiftAmountSelector::MouseDown, this,
        [this] { Action(Command::ShiftAmountSel)->Execute(); }, Qt::DirectConnection);
}

// ---- Tooltips -------------------------------------------------------------------

namespace {

CommandAction* BoundActionOf(const QWidget& control) {
    if (const auto* button = qobject_cast<const QToolButton*>(&control))
        return CommandOfMenuItem(button->defaultAction());
    return nullptr;
}

// Shows the tooltips of the controls bound to commands with the key that
// runs the command.
class ToolTipHook : public QObject {
public:
    explicit ToolTipHook(MainWindow* window) : QObject(window), window_(window) {
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
    MainWindow* window_;
};

} // namespace

void MainWindow::InstallToolTipHook() {
    if (toolTipHook_ == nullptr)
        toolTipHook_ = new ToolTipHook(this);
}

QString MainWindow::ToolTipText(const QWidget& control) const {
    const CommandAction* action = BoundActionOf(control);
    if (action == nullptr)
        return control.toolTip();
    const QString text = action->ShortHint();
    if (text.isEmpty())
        return text;
    if (action->HasShortCut())
        return text + QStringLiteral(" (") + ShortCutText(action->ShortCut()) + QLatin1Char(')');
    if (const std::optional<char> ch = keys_->KeyCharOf(action))
        return text + QStringLiteral(" (") + KeyCharText(*ch) + QLatin1Char(')');
    return text;
}

} // namespace pexa
