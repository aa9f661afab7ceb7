#include "ui/toolkit/CommandActionList.h"

#include "ui/toolkit/ShortCut.h"

#include <QKeyEvent>
#include <QPointer>
#include <QtGlobal>

#include <algorithm>

namespace pexa {

CommandActionList::CommandActionList(QObject* parent) : QObject(parent) {}

CommandActionList::~CommandActionList() {
    // The actions are our children and die with us; they must not call back
    // into a half-destroyed list.
    for (CommandAction* action : actions_)
        action->list_ = nullptr;
    actions_.clear();
}

CommandAction* CommandActionList::Add(CommandAction* action) {
    if (action == nullptr)
        return nullptr;
    if (action->list_ == this)
        return action;
    if (action->list_ != nullptr)
        action->list_->Remove(action);
    action->setParent(this);
    action->list_ = this;
    actions_.push_back(action);
    return action;
}

CommandAction* CommandActionList::Add(const QString& name) {
    return Add(new CommandAction(name));
}

void CommandActionList::Remove(CommandAction* action) {
    if (action == nullptr || action->list_ != this)
        return;
    Forget(action);
    action->list_ = nullptr;
    if (action->parent() == this)
        action->setParent(nullptr);
}

void CommandActionList::Forget(CommandAction* action) {
    actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
}

CommandAction* CommandActionList::At(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return actions_[static_cast<size_t>(index)];
}

CommandAction* CommandActionList::Find(const QString& name) const {
    for (CommandAction* action : actions_) {
        if (action->Name() == name)
            return action;
    }
    return nullptr;
}

void CommandActionList::UpdateAll() {
    if (updating_)
        return;
    updating_ = true;
    const QPointer<CommandActionList> guard(this);
    // A copy, since an update handler may add or remove actions.
    const std::vector<CommandAction*> snapshot = actions_;
    std::vector<QPointer<CommandAction>> alive(snapshot.begin(), snapshot.end());
    for (const QPointer<CommandAction>& action : alive) {
        if (guard.isNull())
            return;
        if (!action.isNull() && action->list_ == this)
            action->Update();
    }
    if (!guard.isNull())
        updating_ = false;
}

CommandAction* CommandActionList::FindShortCut(QKeyCombination key) const {
    const QKeyCombination normal = NormalizeKey(key);
    if (IsNoShortCut(normal))
        return nullptr;
    for (CommandAction* action : actions_) {
        if (action->MatchesKey(normal))
            return action;
    }
    return nullptr;
}

ShortcutResult CommandActionList::HandleShortCut(QKeyCombination key) {
    CommandAction* action = FindShortCut(key);
    if (action == nullptr)
        return ShortcutResult::NoMatch;
    return action->Execute() ? ShortcutResult::Executed : ShortcutResult::Disabled;
}

ShortcutResult CommandActionList::HandleKeyEvent(const QKeyEvent& event) {
    return HandleShortCut(KeyOfEvent(event));
}

void CommandActionList::UncheckGroup(int groupIndex, const CommandAction* except) {
    for (CommandAction* action : actions_) {
        if (action != except && action->GroupIndex() == groupIndex && action->isChecked())
            action->SetCheckedAlone(false);
    }
}

void CommandActionList::Prepare() {
    if (!onPrepare_) {
        UpdateAll();
        return;
    }
    const PrepareHandler handler = onPrepare_;
    handler();
}

void CommandActionList::NotifyExecuted(CommandAction& action) {
    if (!onExecuted_)
        return;
    const ExecutedHandler handler = onExecuted_;
    try {
        handler(action);
    } catch (const std::exception& e) {
        ReportFailure(this, action, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ReportFailure(this, action, QString());
    }
}

void CommandActionList::ReportFailure(CommandActionList* list, CommandAction& action,
                                      const QString& message) {
    if (list != nullptr && list->onFailure_) {
        const FailureHandler handler = list->onFailure_;
        try {
            handler(action, message);
            return;
        } catch (...) {
            // A failing report falls back to the log below.
        }
    }
    qWarning("%s: %s", qUtf8Printable(action.Name()),
             message.isEmpty() ? "unknown failure" : qUtf8Printable(message));
}

ShortcutResult HandleShortCut(std::initializer_list<CommandActionList*> lists,
                              QKeyCombination key) {
    const QKeyCombination normal = NormalizeKey(key);
    ShortcutResult result = ShortcutResult::NoMatch;
    for (CommandActionList* list : lists) {
        if (list == nullptr)
            continue;
        switch (list->HandleShortCut(normal)) {
        case ShortcutResult::Executed:
            return ShortcutResult::Executed;
        case ShortcutResult::Disabled:
            result = ShortcutResult::Disabled;
            break;
        case ShortcutResult::NoMatch:
            break;
        }
    }
    return result;
}

ShortcutResult HandleShortCut(std::initializer_list<CommandActionList*> lists,
                              const QKeyEvent& event) {
    return HandleShortCut(lists, KeyOfEvent(event));
}

} // namespace pexa
