#include "ui/toolkit/ActionLink.h"

#include "ui/toolkit/CommandAction.h"

#include <QActionGroup>

namespace pexa {

ActionLink::ActionLink(CommandAction* source, QObject* parent) : QAction(parent), source_(source) {
    setShortcutContext(Qt::WidgetShortcut);
    if (source != nullptr) {
        connect(source, &QAction::changed, this, &ActionLink::Sync);
        connect(source, &QAction::toggled, this, &ActionLink::Sync);
        connect(source, &QObject::destroyed, this, &ActionLink::Sync);
    }
    connect(this, &QAction::triggered, this, &ActionLink::OnTriggered);
    Sync();
}

ActionLink::ActionLink(CommandAction* source, const QString& ownCaption, QObject* parent)
    : ActionLink(source, parent) {
    SetOwnCaption(ownCaption);
}

CommandAction* ActionLink::Source() const {
    return source_.data();
}

void ActionLink::SetOwnCaption(const QString& caption) {
    ownCaption_ = true;
    setText(caption);
}

void ActionLink::FollowCaption() {
    ownCaption_ = false;
    Sync();
}

void ActionLink::Sync() {
    // The link's visibility is its own: the view that made it decides (a
    // command's action is never hidden). It only vanishes with its source.
    const CommandAction* source = source_.data();
    if (source == nullptr) {
        setEnabled(false);
        setVisible(false);
        return;
    }
    if (!ownCaption_ && text() != source->Caption())
        setText(source->Caption());
    setToolTip(source->toolTip());
    setStatusTip(source->statusTip());
    if (shortcuts() != source->shortcuts())
        setShortcuts(source->shortcuts());
    setEnabled(source->isEnabled());
    if (source->isCheckable() && !isCheckable())
        setCheckable(true);
    if (isCheckable() && isChecked() != source->isChecked())
        setChecked(source->isChecked());
}

void ActionLink::SyncGroup() {
    QActionGroup* group = actionGroup();
    if (group == nullptr) {
        Sync();
        return;
    }
    for (QAction* member : group->actions()) {
        if (auto* link = qobject_cast<ActionLink*>(member))
            link->Sync();
    }
}

void ActionLink::OnTriggered() {
    // Qt (and an exclusive group) may have flipped checked states already;
    // after the command ran, every link shows its action's state again.
    const QPointer<ActionLink> guard(this);
    if (CommandAction* source = source_.data())
        source->Execute();
    if (!guard.isNull())
        SyncGroup();
}

namespace {

constexpr const char* kMenuItemCommandProperty = "pexaCommand";

} // namespace

void SetCommandOfMenuItem(QAction& item, CommandAction* command) {
    item.setProperty(kMenuItemCommandProperty, QVariant::fromValue<QObject*>(command));
}

CommandAction* CommandOfMenuItem(const QAction* item) {
    if (item == nullptr)
        return nullptr;
    if (auto* action = qobject_cast<CommandAction*>(const_cast<QAction*>(item)))
        return action;
    if (const auto* link = qobject_cast<const ActionLink*>(item))
        return link->Source();
    return qobject_cast<CommandAction*>(item->property(kMenuItemCommandProperty).value<QObject*>());
}

} // namespace pexa
