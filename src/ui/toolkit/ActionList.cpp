#include "ui/toolkit/ActionList.h"

#include "ui/toolkit/ShortCut.h"

#include <QKeyEvent>
#include <QPointer>
#include <QtGlobal>

#include <algorithm>

namespace pexa {

TActionList::TActionList(QObject* parent) : QObject(parent) {}

TActionList::~TActionList() {
    // The actions are our children and die with us; they must not call back
    // into a half-destroyed list.
    for (TAction* action : actions_)
        action->list_ = nullptr;
    actions_.clear();
}

TAction* TActionList::Add(TAction* action) {
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

TAction* TActionList::Add(const QString& name) {
    return Add(new TAction(name));
}

void TActionList::Remove(TAction* action) {
    if (action == nullptr || action->list_ != this)
        return;
    Forget(action);
    action->list_ = nullptr;
    if (action->parent() == this)
        action->setParent(nullptr);
}

void TActionList::Forget(TAction* action) {
    actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
}

TAction* TActionList::At(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return actions_[static_cast<size_t>(index)];
}

TAction* TActionList::Find(const QString& name) const {
    for (TAction* action : actions_) {
        if (action->Name() == name)
            return action;
    }
    return nullptr;
}

void TActionList::UpdateAll() {
    if (updating_)
        return;
    updating_ = true;
    const QPointer<TActionList> guard(this);
    // A copy, since an update handler may add or remove actions.
    const std::vector<TAction*> snapshot = actions_;
    std::vector<QPointer<TAction>> alive(snapshot.begin(), snapshot.end());
    for (const QPointer<TAction>& action : alive) {
        if (guard.isNull())
            return;
        if (!action.isNull() && action->list_ == this)
            action->Update();
    }
    if (!guard.isNull())
        updating_ = false;
}

TAction* TActionList::FindShortCut(QKeyCombination key) const {
    const QKeyCombination normal = NormalizeKey(key);
    if (IsNoShortCut(normal))
        return nullptr;
    for (TAction* action : actions_) {
        if (action->MatchesKey(normal))
            return action;
    }
    return nullptr;
}

TShortCutResult TActionList::HandleShortCut(QKeyCombination key) {
    TAction* action = FindShortCut(key);
    if (action == nullptr)
        return TShortCutResult::NoMatch;
    return action->Execute() ? TShortCutResult::Executed : TShortCutResult::Disabled;
}

TShortCutResult TActionList::HandleKeyEvent(const QKeyEvent& event) {
    return HandleShortCut(KeyOfEvent(event));
}

void TActionList::UncheckGroup(int groupIndex, const TAction* except) {
    for (TAction* action : actions_) {
        if (action != except && action->GroupIndex() == groupIndex && action->Checked())
            action->SetCheckedAlone(false);
    }
}

void TActionList::Prepare() {
    if (!onPrepare_) {
        UpdateAll();
        return;
    }
    const PrepareHandler handler = onPrepare_;
    handler();
}

void TActionList::NotifyExecuted(TAction& action) {
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

void TActionList::ReportFailure(TActionList* list, TAction& action, const QString& message) {
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

TShortCutResult HandleShortCut(std::initializer_list<TActionList*> lists, QKeyCombination key) {
    const QKeyCombination normal = NormalizeKey(key);
    TShortCutResult result = TShortCutResult::NoMatch;
    for (TActionList* list : lists) {
        if (list == nullptr)
            continue;
        switch (list->HandleShortCut(normal)) {
        case TShortCutResult::Executed:
            return TShortCutResult::Executed;
        case TShortCutResult::Disabled:
            result = TShortCutResult::Disabled;
            break;
        case TShortCutResult::NoMatch:
            break;
        }
    }
    return result;
}

TShortCutResult HandleShortCut(std::initializer_list<TActionList*> lists, const QKeyEvent& event) {
    return HandleShortCut(lists, KeyOfEvent(event));
}

} // namespace pexa
