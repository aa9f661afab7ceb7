#include "ui/keys/CharacterKeyTable.h"

#include "core/FormatSettings.h"
#include "ui/keys/Shortcut.h"

#include <QAction>
#include <QMenu>

namespace pexa {

QString KeyCharText(char ch) {
    // Qt's letter keys are the upper-case character codes.
    if (ch >= 'A' && ch <= 'Z')
        return ShortcutText(QKeyCombination(Qt::ShiftModifier, static_cast<Qt::Key>(ch)));
    return QString(QChar(QLatin1Char(ch)));
}

std::optional<Command> CommandOfKeyChar(char32_t ch) {
    if (ch < static_cast<char32_t>(kFirstKeyChar) || ch > static_cast<char32_t>(kLastKeyChar))
        return std::nullopt;
    const char typed = static_cast<char>(ch);
    if (const std::optional<Command> command = CommandOfTableChar(typed))
        return command;
    if (typed == CurrentFormat().DecimalSeparator)
        return Command::Period;
    return std::nullopt;
}

std::optional<char> KeyCharOf(Command command) {
    for (int code = kFirstKeyChar; code <= kLastKeyChar; ++code)
        if (CommandOfKeyChar(static_cast<char32_t>(code)) == command)
            return static_cast<char>(code);
    return std::nullopt;
}

void ShowKeyCharsInMenu(QMenu& menu, const CommandActionArray& actions) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        const std::optional<Command> command = CommandOfMenuItem(item);
        const std::optional<char> ch =
            command && !HasShortcut(*command) && item != actions[IndexOf(*command)]
                ? KeyCharOf(*command)
                : std::nullopt;
        if (ch.has_value()) {
            QString key = KeyCharText(*ch);
            // Qt reads "&" after the tab as an access mark too and would draw
            // a lone one as nothing.
            if (key == QLatin1String("&"))
                key = QStringLiteral("&&");
            QString caption = item->text();
            const qsizetype tab = caption.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                caption.truncate(tab);
            SetOwnCaption(*item, caption + QLatin1Char('\t') + key);
        }
        if (QMenu* submenu = item->menu())
            ShowKeyCharsInMenu(*submenu, actions);
    }
}

} // namespace pexa
