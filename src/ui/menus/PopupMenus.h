#pragma once

#include "ui/app/WindowingPlatform.h"
#include "ui/commands/CommandTable.h"

#include <QObject>
#include <QPoint>

class QMenu;

namespace pexa {

class MainWindow;

// The main window's pop-up menus: the mode and shift-amount menus, the two
// operator menus (one with short captions, one with descriptive translated
// ones) and the window's context menu. They are made when one of them is
// first asked for, so none is on screen when the window opens; each belongs
// to the window and refreshes its command states as it opens.
class PopupMenus : public QObject {
    Q_OBJECT

public:
    explicit PopupMenus(MainWindow& window);

    QMenu* ModeMenu() { return Made(modeMenu_); }
    QMenu* ShiftAmountMenu() { return Made(shiftAmountMenu_); }
    QMenu* OperatorMenu() { return Made(operatorMenu_); }
    QMenu* DescriptiveOperatorMenu() { return Made(descriptiveOperatorMenu_); }
    QMenu* ContextMenu() { return Made(contextMenu_); }
    // Whether the menus have been made yet.
    bool IsMade() const { return modeMenu_ != nullptr; }

    // Opens the menu of a quick-menu, mode-menu or shift-amount-menu
    // command: the shift amounts under their selector.
    void PopUp(Command command);
    // The menu a quick-menu or mode-menu command opens, and where.
    QMenu* QuickMenuOf(Command command);
    // The pointer's position is asked of the platform, unless a caller says
    // whether it is known.
    QPoint QuickMenuPosition(Command command, bool pointerKnown = KnowsPointerPosition());
    // A right-click at a point of the window (window coordinates): opens
    // the context menu over empty space; true when it did.
    bool OpenContextMenuAt(QPoint pos);
    // Fills the context menu with the bar and view commands, once.
    void FillContextMenu();

    // Shows the window's typed characters in the operator menus (done as
    // they are made, and again after a retranslation).
    void ShowKeyChars();
    // The descriptive texts again, in the language shown now.
    void Retranslate();

private:
    // The menu, once every menu is made.
    QMenu* Made(QMenu* const& menu);
    void Build();
    QMenu* NewMenu(const char* name);
    void BuildOperatorMenus();

    MainWindow& window_;
    QMenu* modeMenu_ = nullptr;
    QMenu* shiftAmountMenu_ = nullptr;
    QMenu* operatorMenu_ = nullptr;
    QMenu* descriptiveOperatorMenu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
};

} // namespace pexa
