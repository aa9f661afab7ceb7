#pragma once

#include "ui/toolkit/CommandAction.h"

#include <QKeyCombination>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QKeyEvent;

namespace pexa {

// What became of a key offered to the shortcuts.
enum class ShortcutResult {
    NoMatch,  // no action has this key
    Disabled, // an action has it but did not execute: the key goes on
    Executed, // an action executed: the key is consumed
};

// An ordered list of actions with one update pass and the shortcut matcher.
class CommandActionList : public QObject {
    Q_OBJECT

public:
    using FailureHandler = std::function<void(CommandAction& action, const QString& message)>;
    using ExecutedHandler = std::function<void(CommandAction& action)>;
    using PrepareHandler = std::function<void()>;

    explicit CommandActionList(QObject* parent = nullptr);
    ~CommandActionList() override;

    // Appends the action and takes ownership (the list becomes its parent).
    // An action belongs to one list at a time.
    CommandAction* Add(CommandAction* action);
    // Creates, appends and returns a new action.
    CommandAction* Add(const QString& name);
    // Takes the action out of the list; the caller owns it afterwards.
    void Remove(CommandAction* action);

    int Count() const { return static_cast<int>(actions_.size()); }
    CommandAction* At(int index) const;
    CommandAction* Find(const QString& name) const;
    const std::vector<CommandAction*>& Actions() const { return actions_; }

    // Runs every update handler in list order. A nested call made from an
    // update handler does nothing.
    void UpdateAll();

    // The first action whose shortcut or secondary shortcut is the key
    // (normalised or not), or none.
    CommandAction* FindShortCut(QKeyCombination key) const;
    // Offers the key to the first matching action: it executes when it is
    // enabled after the update pass.
    ShortcutResult HandleShortCut(QKeyCombination key);
    ShortcutResult HandleKeyEvent(const QKeyEvent& event);

    // Called after any action of the list executed (e.g. to run the update
    // passes of all lists).
    void SetOnExecuted(ExecutedHandler handler) { onExecuted_ = std::move(handler); }
    // For a list whose owner keeps the actions' states itself: called before
    // an action executes, in place of the update passes before and after
    // (the owner refreshes what the command changed from OnExecuted).
    void SetOnPrepare(PrepareHandler handler) { onPrepare_ = std::move(handler); }
    bool HasPrepareHandler() const { return static_cast<bool>(onPrepare_); }
    void Prepare();
    // Called when a handler fails with an exception; the message is empty
    // for an exception that is not a std::exception. Without it, failures
    // are logged with qWarning.
    void SetOnFailure(FailureHandler handler) { onFailure_ = std::move(handler); }

private:
    friend class CommandAction;

    void Forget(CommandAction* action);
    void UncheckGroup(int groupIndex, const CommandAction* except);
    void NotifyExecuted(CommandAction& action);
    static void ReportFailure(CommandActionList* list, CommandAction& action,
                              const QString& message);

    std::vector<CommandAction*> actions_;
    bool updating_ = false;
    ExecutedHandler onExecuted_;
    PrepareHandler onPrepare_;
    FailureHandler onFailure_;
};

// Offers a key-down to several lists in turn, as the window does with its
// action lists: the first list whose matching action executes consumes the
// key; a disabled match lets the next list try. The result is Disabled when
// some action matched but none executed.
ShortcutResult HandleShortCut(std::initializer_list<CommandActionList*> lists,
                              const QKeyEvent& event);
ShortcutResult HandleShortCut(std::initializer_list<CommandActionList*> lists, QKeyCombination key);

} // namespace pexa
