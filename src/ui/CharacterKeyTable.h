#pragma once

#include <QString>

#include <array>
#include <optional>
#include <stdexcept>

class QMenu;
class QWidget;

namespace pexa {

class CommandAction;

// The typed characters that run commands: one slot for every printable ASCII
// character from '!' to '~'. Shortcuts are key-down combinations; this table
// is what the characters those keys produce reach.
inline constexpr int kFirstKeyChar = 33;
inline constexpr int kLastKeyChar = 126;

// A mistake in the table itself (a character bound twice, or one that no key
// can type into the table); raised while the table is filled.
class KeyTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a typed character is shown in menus and tooltips: an upper-case letter
// is typed with Shift, so "V" reads "Shift+V" as Qt writes every other
// shortcut of the interface; every other character as itself.
QString KeyCharText(char ch);

// The hint of a control that is not bound to an action ("short|long", as an
// action's); the control's tooltip is its short part.
QString WidgetHint(const QWidget& widget);
void SetWidgetHint(QWidget& widget, const QString& hint);

class CharacterKeyTable {
public:
    void Clear();
    // Binds the character to the action. A hint target gets " (" + the key
    // text + ")" at the end of the short part of its hint. Character 0
    // binds nothing. Throws KeyTableError for a character already bound
    // ("'%s': Duplicated shortcut") or one outside '!'..'~'
    // ("$%x: Invalid ASCII character").
    void Register(CommandAction* action, char ch, QWidget* hintTarget = nullptr);
    // The action bound to the character, or none.
    CommandAction* ActionOf(int ch) const;
    // The first character, from '!' upward, bound to the action.
    std::optional<char> KeyCharOf(const CommandAction* action) const;
    int Count() const;

private:
    std::array<CommandAction*, kLastKeyChar - kFirstKeyChar + 1> slots_{};
};

// Shows, after a tab in each item of the menu and its submenus, the character
// that types the item's command when the command has no shortcut. Done again,
// it replaces what follows the tab.
void ShowKeyCharsInMenu(QMenu& menu, const CharacterKeyTable& table);

} // namespace pexa
