#pragma once

#include <QAction>
#include <QKeyCombination>
#include <QList>
#include <QString>

#include <functional>

namespace pexa {

class CommandActionList;

// A hint is "short|long": the short part is the tooltip, the long part a
// description. Without a '|' the whole hint is the short part.
struct HintParts {
    QString Short;
    QString Long;
};
HintParts SplitHint(const QString& hint);

// One command of the window. Its enabled and checked states are the QAction
// ones, so that menus and tool buttons bound to the action follow them.
//
// The action itself is never hidden: Qt disables a hidden QAction, and a
// command that menus and buttons do not offer must still run from its key.
// The views leave such a command out when they create its item or button.
//
// Shortcuts are matched by CommandActionList, never by Qt: they are handed to the
// QAction base for display only, with Qt::WidgetShortcut context, which Qt
// never fires from the calculator window.
//
// Checked state is set by the update handler. A checkable action triggered
// from a menu or a button does not flip itself (Qt would): its execute
// handler changes the program's state and the update pass reflects it.
class CommandAction : public QAction {
    Q_OBJECT

public:
    // Both handlers get the action, so that one handler can serve a family
    // of actions told apart by their Tag.
    using Handler = std::function<void(CommandAction&)>;

    explicit CommandAction(const QString& name, QObject* parent = nullptr);
    ~CommandAction() override;

    QString Name() const { return objectName(); }

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    QString Category() const { return category_; }
    void SetCategory(const QString& category) { category_ = category; }

    // Caption with "&" access mark ("&&" for a literal ampersand).
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination key);
    const QList<QKeyCombination>& SecondaryShortCuts() const { return secondary_; }
    void SetSecondaryShortCuts(const QList<QKeyCombination>& keys);
    bool HasShortCut() const;
    // True when the normalised key equals the shortcut or a secondary one.
    bool MatchesKey(QKeyCombination normalizedKey) const;

    // Actions of one list with the same non-zero group index form a radio
    // group: checking one unchecks the others.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);
    QString ShortHint() const;
    QString LongHint() const;

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    // Unlike QAction::setChecked, checking makes the action checkable, and
    // within a list it unchecks the other members of its radio group.
    void SetChecked(bool on);

    void SetOnExecute(Handler handler) { onExecute_ = std::move(handler); }
    void SetOnUpdate(Handler handler) { onUpdate_ = std::move(handler); }
    bool HasExecuteHandler() const { return static_cast<bool>(onExecute_); }
    bool HasUpdateHandler() const { return static_cast<bool>(onUpdate_); }

    // Runs this action's own update handler, if any.
    void Update();
    // Runs the update pass (of the whole list, or this action's own update
    // when it belongs to none; or the list's OnPrepare hook in its place),
    // then the execute handler if the action is enabled, then the list's
    // update pass again (not with OnPrepare) and its OnExecuted hook.
    // Returns whether the handler ran: false for a disabled action or one
    // without a handler, so that a key can fall through.
    bool Execute();

    CommandActionList* List() const { return list_; }

private:
    friend class CommandActionList;

    void OnTriggered(bool checkedNow);
    void ApplyShortCutsForDisplay();
    void SetCheckedAlone(bool on);
    void RunHandler(Handler handler);

    int tag_ = 0;
    QString category_;
    QKeyCombination shortCut_;
    QList<QKeyCombination> secondary_;
    int groupIndex_ = 0;
    QString hint_;
    int helpContext_ = 0;
    Handler onExecute_;
    Handler onUpdate_;
    CommandActionList* list_ = nullptr;
};

} // namespace pexa
