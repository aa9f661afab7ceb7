// The main window's command controls: the button panel, the key router and
// the pop-up menus made beside it, and the commands that open the pop-up
// menus.

#include "ui/window/MainWindow.h"

#include "ui/keys/KeyRouter.h"
#include "ui/menus/PopupMenus.h"

#include <QMenu>
#include <QToolButton>

namespace pexa {

void MainWindow::BuildCommandControls() {
    buttons_ = BuildButtonPanel(*buttonPane_, actions_);
    popups_ = new PopupMenus(*this);
    // The selector opens its menu as it is pressed, as the key ';' does.
    connect(buttons_.ShiftAmountSelector, &QToolButton::pressed, this,
            [this] { Execute(Command::ShiftAmountMenu); });
    keys_ = new KeyRouter(*this);
}

void MainWindow::PopUpMenuOf(Command command) {
    popups_->QuickMenuOf(command)->popup(popups_->QuickMenuPosition(command));
}

void MainWindow::PopUpShiftAmountMenu() {
    QWidget* selector = buttons_.ShiftAmountSelector;
    popups_->ShiftAmountMenu()->popup(selector->mapToGlobal(QPoint(0, selector->height())));
}

} // namespace pexa
