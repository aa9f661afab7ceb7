#include "ui/commands/CommandActions.h"

#include "ui/app/Language.h"
#include "ui/keys/CharacterKeyTable.h"
#include "ui/keys/Shortcut.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QPointer>

#include <algorithm>
#include <array>
#include <iterator>
#include <variant>

namespace pexa {

namespace {

constexpr const char* kCommandProperty = "pexaCommand";
constexpr const char* kOwnCaptionProperty = "pexaOwnCaption";

// Commands that show a checked state in menus and on buttons, beside the
// radio sets and the bar toggles.
constexpr Command CheckableCommands[] = {
    Command::ModeSigned,  Command::ModeByteSwap,  Command::Rotate,         Command::ArithmeticShift,
    Command::Hyperbolic,  Command::DigitGrouping, Command::ShowIndicators, Command::ToolBar,
    Command::MenuBar,     Command::ButtonPanel,   Command::StayOnTop,      Command::ExpressionLine,
    Command::HistoryPane,
};

// The radio sets, one of each checked (a QActionGroup is exclusive): the
// commands that choose a mode, an angle unit or a shift amount.
bool ChoosesFromSet(const CommandPayload& payload) {
    return std::holds_alternative<CalcValueMode>(payload) ||
           std::holds_alternative<AngleUnit>(payload) ||
           std::holds_alternative<ShiftAmountChoice>(payload);
}

QKeyCombination KeyOfText(const char* text) {
    if (text == nullptr || *text == '\0')
        return kNoShortcut;
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
    return sequence.isEmpty() ? kNoShortcut : NormalizeKey(sequence[0]);
}

QString HintPart(Command command, bool longPart) {
    const QString hint = CommandText(InfoOf(command).Hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return longPart ? QString() : hint;
    return longPart ? hint.mid(bar + 1) : hint.left(bar);
}

// Menus show the first key; the secondary one is listed too so that a style
// that shows all of them can.
void SetDisplayKeys(QAction& action, Command command) {
    QList<QKeySequence> keys;
    if (HasShortcut(command)) {
        keys.append(QKeySequence(ShortcutOf(command)));
        if (const QKeyCombination second = SecondaryShortcutOf(command); !IsNoShortcut(second))
            keys.append(QKeySequence(second));
    }
    action.setShortcuts(keys);
}

} // namespace

QString ShortHintOf(Command command) {
    return HintPart(command, false);
}

QString LongHintOf(Command command) {
    return HintPart(command, true);
}

QKeyCombination ShortcutOf(Command command) {
    return KeyOfText(InfoOf(command).Shortcut);
}

QKeyCombination SecondaryShortcutOf(Command command) {
    return KeyOfText(InfoOf(command).SecondaryShortcut);
}

bool HasShortcut(Command command) {
    return !IsNoShortcut(ShortcutOf(command));
}

QString CommandToolTip(Command command) {
    const QString hint = ShortHintOf(command);
    if (hint.isEmpty())
        return hint;
    if (HasShortcut(command))
        return hint + QStringLiteral(" (") + ShortcutText(ShortcutOf(command)) + QLatin1Char(')');
    if (const std::optional<char> ch = KeyCharOf(command))
        return hint + QStringLiteral(" (") + KeyCharText(*ch) + QLatin1Char(')');
    return hint;
}

void SetCommandTexts(QAction& action, Command command) {
    action.setText(CommandText(InfoOf(command).Caption));
    action.setToolTip(CommandToolTip(command));
    action.setStatusTip(LongHintOf(command));
}

CommandActionArray CreateCommandActions(QObject& owner) {
    CommandActionArray actions{};
    for (const CommandInfo& info : Commands()) {
        auto* action = new QAction(&owner);
        action->setObjectName(QString::fromLatin1(info.Name));
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setProperty(kCommandProperty, static_cast<int>(IndexOf(info.Id)));
        SetDisplayKeys(*action, info.Id);
        SetCommandTexts(*action, info.Id);
        actions[IndexOf(info.Id)] = action;
    }
    // A group for each kind of choice.
    std::array<QActionGroup*, std::variant_size_v<CommandPayload>> radioSets{};
    for (const CommandInfo& info : Commands()) {
        QAction* action = actions[IndexOf(info.Id)];
        const bool radio = ChoosesFromSet(info.Payload);
        action->setCheckable(radio || std::holds_alternative<BarKind>(info.Payload) ||
                             std::ranges::find(CheckableCommands, info.Id) !=
                                 std::end(CheckableCommands));
        if (!radio)
            continue;
        QActionGroup*& group = radioSets[info.Payload.index()];
        if (group == nullptr)
            group = new QActionGroup(&owner);
        group->addAction(action);
    }
    return actions;
}

void MarkCommandOfItem(QAction& item, Command command) {
    item.setProperty(kCommandProperty, static_cast<int>(IndexOf(command)));
}

std::optional<Command> CommandOfMenuItem(const QAction* item) {
    if (item == nullptr)
        return std::nullopt;
    bool ok = false;
    const int index = item->property(kCommandProperty).toInt(&ok);
    if (!ok || index < 0 || static_cast<std::size_t>(index) >= CommandCount)
        return std::nullopt;
    return static_cast<Command>(index);
}

void SetOwnCaption(QAction& item, const QString& caption) {
    item.setProperty(kOwnCaptionProperty, true);
    item.setText(caption);
}

QAction* NewCommandItem(QAction& action, Command command, QObject* parent) {
    auto* item = new QAction(parent);
    item->setShortcutContext(Qt::WidgetShortcut);
    MarkCommandOfItem(*item, command);
    const QPointer<QAction> source(&action);
    auto follow = [item, source] {
        if (source.isNull())
            return;
        if (!item->property(kOwnCaptionProperty).toBool())
            item->setText(source->text());
        item->setToolTip(source->toolTip());
        item->setStatusTip(source->statusTip());
        if (item->shortcuts() != source->shortcuts())
            item->setShortcuts(source->shortcuts());
        item->setEnabled(source->isEnabled());
        item->setCheckable(source->isCheckable());
        item->setChecked(source->isChecked());
    };
    QObject::connect(&action, &QAction::changed, item, follow);
    // Qt may flip the item's check as it is triggered; the action's state,
    // set by the command, is shown again afterwards.
    QObject::connect(item, &QAction::triggered, item, [source, follow] {
        if (!source.isNull())
            source->trigger();
        follow();
    });
    follow();
    return item;
}

} // namespace pexa
