#pragma once

#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"

#include <QString>

#include <optional>

class QMenu;

namespace pexa {

// The typed characters that run commands. Shortcuts are key-down
// combinations; this table is what the characters those keys produce reach.
// The command table binds them and is checked when it compiles; the one
// character known only at run time is the locale's decimal separator, which
// types the decimal point unless the table gives that character to another
// command.

// How a typed character is shown in menus and tooltips: an upper-case letter
// is typed with Shift, so "V" reads "Shift+V" as Qt writes every other
// shortcut of the interface; every other character as itself.
QString KeyCharText(char ch);

// The command a typed character runs, or none.
std::optional<Command> CommandOfKeyChar(char32_t ch);
// The first character, from '!' upward, that types the command.
std::optional<char> KeyCharOf(Command command);

// Shows, after a tab in each item of the menu and its submenus, the character
// that types the item's command when the command has no shortcut. Done again,
// it replaces what follows the tab. The commands' own actions keep their
// captions (they are shown everywhere).
void ShowKeyCharsInMenu(QMenu& menu, const CommandActionArray& actions);

} // namespace pexa
