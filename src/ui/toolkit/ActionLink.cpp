#include "ui/toolkit/ActionLink.h"

#include "ui/toolkit/Action.h"

#include <QActionGroup>

namespace pexa {

TActionLink::TActionLink(TAction* source, QObject* parent) : QAction(parent), source_(source) {
    setShortcutContext(Qt::WidgetShortcut);
    if (source != nullptr) {
        connect(source, &QAction::changed, this, &TActionLink::Sync);
        connect(source, &QAction::toggled, this, &TActionLink::Sync);
        connect(source, &QObject::destroyed, this, &TActionLink::Sync);
    }
    connect(this, &QAction::triggered, this, &TActionLink::OnTriggered);
    Sync();
}

TActionLink::TActionLink(TAction* source, const QString& ownCaption, QObject* parent)
    : TActionLink(source, parent) {
    SetOwnCaption(ownCaption);
}

TAction* TActionLink::Source() const {
    return source_.data();
}

void TActionLink::SetOwnCaption(const QString& caption) {
    ownCaption_ = true;
    setText(caption);
}

void TActionLink::FollowCaption() {
    ownCaption_ = false;
    Sync();
}

void TActionLink::Sync() {
    // The source's QAction state is only a mirror; read its own state.
    const TAction* source = source_.data();
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
    setVisible(source->Visible());
    setEnabled(source->Enabled());
    if (source->isCheckable() && !isCheckable())
        setCheckable(true);
    if (isCheckable() && isChecked() != source->Checked())
        setChecked(source->Checked());
}

void TActionLink::SyncGroup() {
    QActionGroup* group = actionGroup();
    if (group == nullptr) {
        Sync();
        return;
    }
    for (QAction* member : group->actions()) {
        if (auto* link = qobject_cast<TActionLink*>(member))
            link->Sync();
    }
}

void TActionLink::OnTriggered() {
    // Qt (and an exclusive group) may have flipped checked states already;
    // after the command ran, every link shows its action's state again.
    const QPointer<TActionLink> guard(this);
    if (TAction* source = source_.data())
        source->Execute();
    if (!guard.isNull())
        SyncGroup();
}

namespace {

constexpr const char* kMenuItemCommandProperty = "pexaCommand";

} // namespace

void SetCommandOfMenuItem(QAction& item, TAction* command) {
    item.setProperty(kMenuItemCommandProperty, QVariant::fromValue<QObject*>(command));
}

TAction* CommandOfMenuItem(const QAction* item) {
    if (item == nullptr)
        return nullptr;
    if (auto* action = qobject_cast<TAction*>(const_cast<QAction*>(item)))
        return action;
    if (const auto* link = qobject_cast<const TActionLink*>(item))
        return link->Source();
    return qobject_cast<TAction*>(item->property(kMenuItemCommandProperty).value<QObject*>());
}

} // namespace pexa
