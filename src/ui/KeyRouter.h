#pragma once

#include "ui/CharacterKeyTable.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QContextMenuEvent;
class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace pexa {

class CommandAction;
class MainWindow;

// How keys and the mouse wheel reach the main window's commands. One
// application event filter routes every key-down of the window through the
// commands' shortcuts, the bars' access keys, the active bar, the page keys
// and last the typed-character table; the wheel steps the active bar, and a
// right-click that no control takes opens the window's context menu.
class KeyRouter : public QObject {
    Q_OBJECT

public:
    explicit KeyRouter(MainWindow& window);

    const CharacterKeyTable& KeyTable() const { return keyTable_; }
    // Binds a typed character to a command; throws KeyTableError.
    void RegisterKeyChar(CommandAction* action, char ch, QWidget* hintTarget = nullptr);
    std::optional<char> KeyCharOf(const CommandAction* action) const;
    // Fills the table with every command's typed character. A mistake in the
    // table is the program's own: it is reported, and the table stays
    // unprepared (false).
    bool PrepareKeyTable();
    // Whether the key table was prepared at start-up.
    bool KeysPrepared() const { return keysPrepared_; }

    // A key-down offered to the commands' shortcuts, then to IsShortCut; true
    // when it was consumed (it then types no character).
    bool KeyDown(const QKeyEvent& event);
    // The bars' access keys, the active bar's own keys and Ctrl+Tab.
    bool IsShortCut(const QKeyEvent& event);
    // Whether KeyDown would consume the key, without running anything; keys
    // the window claims this way are kept from Qt's own shortcuts (the menu
    // bar's Alt mnemonics).
    bool ClaimsKey(const QKeyEvent& event);
    // A typed character: an ASCII one through the key table, any other whole
    // into a bar that takes whole characters.
    void TypeKeyCharacter(char32_t ch);
    // Ctrl+Tab: the next (or previous) page of the button panel's operators.
    void StepOperatorPage(bool backward);
    // A wheel notch down (up): the bar below (above) the active one becomes
    // the active bar, and the states follow.
    void StepBarByWheelDown();
    void StepBarByWheelUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Routed(QObject* watched);
    bool MenuBarNavigating() const;
    void ReleaseMenuBar();
    bool ShortcutOverride(QObject* watched, QKeyEvent& event);
    bool KeyPress(QObject* watched, QKeyEvent& event);
    bool Wheel(QObject* watched, QWheelEvent& event);
    bool ContextMenu(QObject* watched, QContextMenuEvent& event);

    MainWindow& window_;
    CharacterKeyTable keyTable_;
    bool keysPrepared_ = false;
    const QEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastReceiver_;
    int wheelDelta_ = 0;
};

} // namespace pexa
