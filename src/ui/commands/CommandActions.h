#pragma once

#include "ui/commands/CommandTable.h"

#include <QKeyCombination>
#include <QString>

#include <array>
#include <optional>

class QAction;
class QObject;

namespace pexa {

// One plain QAction per command, indexed by the command. Menus, the tool bar
// and the button panel show these actions; what a command does is the
// window's one dispatch function, reached from QAction::triggered.
//
// Shortcuts are matched by the key routing, never by Qt: an action carries
// its keys for display only, with Qt::WidgetShortcut context. The action is
// never hidden: Qt disables a hidden QAction, and a command that menus and
// buttons do not offer must still run from its key.
using CommandActionArray = std::array<QAction*, CommandCount>;

// Makes the actions with their texts, display keys and checkable states; the
// radio sets (mode, angle unit, shift amount) are exclusive QActionGroups.
CommandActionArray CreateCommandActions(QObject& owner);
// Sets the caption, tooltip and status tip from the table again, in the
// language shown now.
void SetCommandTexts(QAction& action, Command command);

// A hint is "short|long": the short part is the tooltip, the long part the
// status tip. Without a '|' the whole hint is the short part.
QString ShortHintOf(Command command);
QString LongHintOf(Command command);
// The short hint with the key that runs the command, "Copy (Ctrl+C)": its
// shortcut, else its typed character; empty for a command without a hint.
QString CommandToolTip(Command command);

// The normal forms of the command's shortcut and its secondary one
// (kNoShortcut where it has none).
QKeyCombination ShortcutOf(Command command);
QKeyCombination SecondaryShortcutOf(Command command);
bool HasShortcut(Command command);

// A menu item with a caption of its own (a pop-up menu's) that stands for a
// command: it follows the action's enabled and checked states, tooltips and
// keys, and its caption until it is given one; triggering it triggers the
// action.
QAction* NewCommandItem(QAction& action, Command command, QObject* parent);
void SetOwnCaption(QAction& item, const QString& caption);
// Marks an item that is neither the action nor such an item (a submenu
// header) as standing for a command: help on it opens the command's topic.
void MarkCommandOfItem(QAction& item, Command command);
// The command a menu item stands for; none for the others.
std::optional<Command> CommandOfMenuItem(const QAction* item);

} // namespace pexa
