// The main window's command controls: the button panel, the key router and
// the pop-up menus made beside it.

#include "ui/window/MainWindow.h"

#include "ui/keys/KeyRouter.h"
#include "ui/menus/PopupMenus.h"

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

} // namespace pexa
