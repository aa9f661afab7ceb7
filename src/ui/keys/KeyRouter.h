#pragma once

#include "ui/commands/CommandTable.h"
#include "ui/keys/Shortcut.h"

#include <QObject>
#include <QPointer>

#include <optional>
#include <vector>

class QContextMenuEvent;
class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace pexa {

class CalcBar;
class MainWindow;

// How keys and the mouse wheel reach the main window's commands. One
// application event filter reads every key-down of the window once into a
// KeyRecord and routes it, in this order, through the calculator keys'
// shortcuts, the window commands' shortcuts, the bars' access keys, the
// active bar, the page keys and last the typed-character table; the wheel
// steps the active bar, and a right-click that no control takes opens the
// window's context menu. Kept rather than Qt's shortcuts: see Shortcut.h.
class KeyRouter : public QObject {
    Q_OBJECT

public:
    explicit KeyRouter(MainWindow& window);

    // The command of the first shortcut of the list that is the key, or none.
    std::optional<Command> ShortcutCommand(CommandList list, const KeyRecord& key) const;
    // A key-down offered to the commands' shortcuts, then to the bar keys;
    // true when it was consumed (it then types no character).
    bool KeyDown(const KeyRecord& key);
    // Whether KeyDown would consume the key, without running anything; keys
    // the window claims this way are kept from Qt's own shortcuts (the menu
    // bar's Alt mnemonics).
    bool ClaimsKey(const KeyRecord& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The bars' access keys, the active bar's own keys and Ctrl+Tab (the
    // next or previous page of the button panel's operators).
    bool BarKeyDown(const KeyRecord& key);
    // A typed character: an ASCII one through the key table, any other whole
    // into a bar that takes whole characters.
    void TypeKeyCharacter(char32_t ch);
    // The bar whose access key the key is, if any.
    CalcBar* AccessKeyBar(const KeyRecord& key) const;
    QWidget* Routed(QObject* watched);
    bool MenuBarNavigating() const;
    void ReleaseMenuBar();
    bool ShortcutOverride(QObject* watched, QKeyEvent& event);
    bool KeyPress(QObject* watched, QKeyEvent& event);
    bool Wheel(QObject* watched, QWheelEvent& event);
    bool ContextMenu(QObject* watched, QContextMenuEvent& event);

    MainWindow& window_;
    // Each command's shortcuts in their normal form, in table order.
    struct ShortcutEntry {
        QKeyCombination Key;
        Command Target;
        CommandList List;
    };
    std::vector<ShortcutEntry> shortcuts_;
    // The key last let pass on its way up to the window, and where it was.
    const QEvent* passedKey_ = nullptr;
    QPointer<QWidget> passedReceiver_;
    int wheelDelta_ = 0;
};

} // namespace pexa
