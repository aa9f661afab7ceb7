#pragma once

#include <QAction>
#include <QPointer>
#include <QString>

namespace pexa {

class CommandAction;

// A menu item or button binding to a CommandAction that needs its own QAction:
// because it carries its own caption, or shows as a radio item (put the
// links of one radio menu into an exclusive QActionGroup; that only changes
// the look, the checked state still comes from the actions). It follows the
// action's enabled, checked, visible state, hint and shortcut, and its
// caption unless it has one of its own; triggering it executes the action.
class ActionLink : public QAction {
    Q_OBJECT

public:
    explicit ActionLink(CommandAction* source, QObject* parent = nullptr);
    ActionLink(CommandAction* source, const QString& ownCaption, QObject* parent = nullptr);

    // The bound action; none once it was destroyed (the link is then
    // disabled and hidden).
    CommandAction* Source() const;

    bool HasOwnCaption() const { return ownCaption_; }
    // Keeps this caption also when the action's caption changes later.
    void SetOwnCaption(const QString& caption);
    // Goes back to showing the action's caption.
    void FollowCaption();

    // Copies the action's state (done automatically on every change).
    void Sync();

private:
    void OnTriggered();
    void SyncGroup();

    QPointer<CommandAction> source_;
    bool ownCaption_ = false;
};

// Marks a menu item that is neither the action nor a link (a submenu header)
// as standing for a command: help on it opens the command's topic.
void SetCommandOfMenuItem(QAction& item, CommandAction* command);
// The command a menu item stands for: the action itself, a link's source or
// a command set with SetCommandOfMenuItem; none for the others.
CommandAction* CommandOfMenuItem(const QAction* item);

} // namespace pexa
