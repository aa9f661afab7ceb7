#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace pexa {

// One row of the window's command table. Shortcuts are written in
// QKeySequence's portable form ("Ctrl+B", "Return", ":"); an empty text means
// none. A plain letter or digit shortcut matches only the key without any
// modifier (number-pad keys included: they reach the commands as typed
// characters instead).
struct CommandInfo {
    const char* Name;
    int Tag;
    const char* Category;
    const char* Caption;
    const char* ShortCut;
    const char* SecondaryShortCut;
    int GroupIndex;
    int HelpContext;
    const char* Hint;
};

// The calculator keys, the window and bar commands, and the option buttons of
// the bar variants (which have no handlers in the window).
std::span<const CommandInfo> KeyActionsTable();
std::span<const CommandInfo> MenuActionsTable();
std::span<const CommandInfo> BarActionsTable();

// The row of that name in any of the three lists, or nullptr.
const CommandInfo* FindCommand(std::string_view name);

// One registration of the typed-character table, in registration order.
// Character 0 stands for the locale's decimal separator, known only at run time.
struct KeyCharBinding {
    char Char;
    const char* ActionName;
};

inline constexpr char DecimalSeparatorKey = 0;

std::span<const KeyCharBinding> KeyCharBindings();

} // namespace pexa
