#include "ui/toolkit/CommandAction.h"

#include "ui/toolkit/CommandActionList.h"
#include "ui/toolkit/ShortCut.h"

#include <QKeySequence>
#include <QPointer>

#include <exception>

namespace pexa {

HintParts SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, QString()};
    return {hint.left(bar), hint.mid(bar + 1)};
}

CommandAction::CommandAction(const QString& name, QObject* parent)
    : QAction(parent), shortCut_(kNoShortCut) {
    setObjectName(name);
    setShortcutContext(Qt::WidgetShortcut);
    connect(this, &QAction::triggered, this, &CommandAction::OnTriggered);
}

CommandAction::~CommandAction() {
    if (list_ != nullptr)
        list_->Forget(this);
}

void CommandAction::SetShortCut(QKeyCombination key) {
    shortCut_ = NormalizeKey(key);
    ApplyShortCutsForDisplay();
}

void CommandAction::SetSecondaryShortCuts(const QList<QKeyCombination>& keys) {
    secondary_.clear();
    for (const QKeyCombination key : keys) {
        const QKeyCombination normal = NormalizeKey(key);
        if (!IsNoShortCut(normal))
            secondary_.append(normal);
    }
    ApplyShortCutsForDisplay();
}

bool CommandAction::HasShortCut() const {
    return !IsNoShortCut(shortCut_);
}

bool CommandAction::MatchesKey(QKeyCombination normalizedKey) const {
    if (IsNoShortCut(normalizedKey))
        return false;
    return normalizedKey == shortCut_ || secondary_.contains(normalizedKey);
}

void CommandAction::ApplyShortCutsForDisplay() {
    // Menus show the first key sequence; the secondary keys are listed too
    // so that a style that shows all of them can.
    QList<QKeySequence> sequences;
    if (HasShortCut())
        sequences.append(QKeySequence(shortCut_));
    for (const QKeyCombination key : secondary_)
        sequences.append(QKeySequence(key));
    if (!HasShortCut())
        sequences.clear();
    setShortcuts(sequences);
}

void CommandAction::SetHint(const QString& hint) {
    hint_ = hint;
    const HintParts parts = SplitHint(hint);
    setToolTip(parts.Short);
    setStatusTip(parts.Long);
}

QString CommandAction::ShortHint() const {
    return SplitHint(hint_).Short;
}

QString CommandAction::LongHint() const {
    return SplitHint(hint_).Long;
}

void CommandAction::SetChecked(bool on) {
    if (on && list_ != nullptr && groupIndex_ != 0)
        list_->UncheckGroup(groupIndex_, this);
    SetCheckedAlone(on);
}

void CommandAction::SetCheckedAlone(bool on) {
    if (on && !isCheckable())
        setCheckable(true);
    setChecked(on);
}

void CommandAction::Update() {
    if (!onUpdate_)
        return;
    RunHandler(onUpdate_);
}

bool CommandAction::Execute() {
    const QPointer<CommandAction> guard(this);
    if (list_ != nullptr)
        list_->Prepare();
    else
        Update();
    if (guard.isNull() || !isEnabled() || !onExecute_)
        return false;
    RunHandler(onExecute_);
    // Controls bound to the list show the new state at once, not only after
    // the window's next pass.
    if (!guard.isNull() && list_ != nullptr) {
        CommandActionList* list = list_;
        if (!list->HasPrepareHandler())
            list->UpdateAll();
        if (!guard.isNull())
            list->NotifyExecuted(*this);
    }
    return true;
}

void CommandAction::RunHandler(Handler handler) {
    // Handlers run from Qt's event delivery, where an escaping exception
    // would end the program; failures are reported instead. The handler is
    // a copy because it may replace itself.
    try {
        handler(*this);
    } catch (const std::exception& e) {
        CommandActionList::ReportFailure(list_, *this, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        CommandActionList::ReportFailure(list_, *this, QString());
    }
}

void CommandAction::OnTriggered(bool checkedNow) {
    // Qt has already flipped a checkable action (it is never in a
    // QActionGroup, whose exclusive member would not flip); the state is
    // ours to set, so the flip is undone and the update pass after the
    // command shows what it did.
    if (isCheckable())
        setChecked(!checkedNow);
    Execute();
}

} // namespace pexa
