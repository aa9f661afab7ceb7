#pragma once

#include "ui/toolkit/Action.h"

#include <QKeyCombination>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QKeyEvent;

namespace pexa {

// What became of a key offered to the shortcuts.
enum class TShortCutResult {
    NoMatch,  // no action has this key
    Disabled, // an action has it but did not execute: the key goes on
    Executed, // an action executed: the key is consumed
};

// An ordered list of actions with one update pass and the shortcut matcher.
class TActionList : public QObject {
    Q_OBJECT

public:
    using FailureHandler = std::function<void(TAction& action, const QString& message)>;
    using ExecutedHandler = std::function<void(TAction& action)>;
    using PrepareHandler = std::function<void()>;

    explicit TActionList(QObject* parent = nullptr);
    ~TActionList() override;

    // Appends the action and takes ownership (the list becomes its parent).
    // An action belongs to one list at a time.
    TAction* Add(TAction* action);
    // Creates, appends and returns a new action.
    TAction* Add(const QString& name);
    // Takes the action out of the list; the caller owns it afterwards.
    void Remove(TAction* action);

    int Count() const { return static_cast<int>(actions_.size()); }
    TAction* At(int index) const;
    TAction* Find(const QString& name) const;
    const std::vector<TAction*>& Actions() const { return actions_; }

    // Runs every update handler in list order. A nested call made from an
    // update handler does nothing.
    void UpdateAll();

    // The first action whose shortcut or secondary shortcut is the key
    // (normalised or not), or none.
    TAction* FindShortCut(QKeyCombination key) const;
    // Offers the key to the first matching action: it executes when it is
    // enabled after the update pass.
    TShortCutResult HandleShortCut(QKeyCombination key);
    TShortCutResult HandleKeyEvent(const QKeyEvent& event);

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
    friend class TAction;

    void Forget(TAction* action);
    void UncheckGroup(int groupIndex, const TAction* except);
    void NotifyExecuted(TAction& action);
    static void ReportFailure(TActionList* list, TAction& action, const QString& message);

    std::vector<TAction*> actions_;
    bool updating_ = false;
    ExecutedHandler onExecuted_;
    PrepareHandler onPrepare_;
    FailureHandler onFailure_;
};

// Offers a key-down to several lists in turn, as the window does with its
// action lists: the first list whose matching action executes consumes the
// key; a disabled match lets the next list try. The result is Disabled when
// some action matched but none executed.
TShortCutResult HandleShortCut(std::initializer_list<TActionList*> lists, const QKeyEvent& event);
TShortCutResult HandleShortCut(std::initializer_list<TActionList*> lists, QKeyCombination key);

} // namespace pexa
