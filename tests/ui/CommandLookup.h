#pragma once

// Tests name commands as pexa.ini and the help document do ("actionDigit7");
// the program itself reaches them by their Command value only.

#include "ui/commands/CommandTable.h"
#include "ui/window/MainWindow.h"

#include <optional>
#include <string_view>

namespace pexa::testing {

inline std::optional<Command> CommandNamed(std::string_view name) {
    for (const CommandInfo& info : Commands())
        if (name == info.Name)
            return info.Id;
    return std::nullopt;
}

// The window's action of the command of that name, or none.
inline QAction* FindAction(const MainWindow& window, std::string_view name) {
    const std::optional<Command> command = CommandNamed(name);
    return command ? window.Action(*command) : nullptr;
}

} // namespace pexa::testing
