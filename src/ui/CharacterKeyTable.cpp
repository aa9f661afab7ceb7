#include "ui/CharacterKeyTable.h"

#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/CommandAction.h"

#include <QKeySequence>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace pexa {

namespace {

constexpr const char* kHintProperty = "pexaHint";

bool IsKeyChar(int code) {
    return code >= kFirstKeyChar && code <= kLastKeyChar;
}

std::size_t SlotOf(int code) {
    return static_cast<std::size_t>(code - kFirstKeyChar);
}

} // namespace

QString KeyCharText(char ch) {
    if (ch >= 'A' && ch <= 'Z') {
        // Qt's letter keys are the upper-case character codes.
        const QKeyCombination key(Qt::ShiftModifier, static_cast<Qt::Key>(ch));
        return QKeySequence(key).toString(QKeySequence::NativeText);
    }
    return QString(QChar(QLatin1Char(ch)));
}

QString WidgetHint(const QWidget& widget) {
    return widget.property(kHintProperty).toString();
}

void SetWidgetHint(QWidget& widget, const QString& hint) {
    widget.setProperty(kHintProperty, hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget.setToolTip(bar < 0 ? hint : hint.left(bar));
}

void CharacterKeyTable::Clear() {
    slots_.fill(nullptr);
}

void CharacterKeyTable::Register(CommandAction* action, char ch, QWidget* hintTarget) {
    const int code = static_cast<unsigned char>(ch);
    if (IsKeyChar(code)) {
        CommandAction*& slot = slots_[SlotOf(code)];
        if (slot != nullptr)
            throw KeyTableError(QStringLiteral("'%1': Duplicated shortcut")
                                    .arg(QChar(QLatin1Char(ch)))
                                    .toStdString());
        slot = action;
        if (hintTarget != nullptr) {
            QString hint = WidgetHint(*hintTarget);
            const qsizetype bar = hint.indexOf(QLatin1Char('|'));
            const qsizetype end = bar < 0 ? hint.size() : bar;
            // A hint without a short part gets no key text: there is no
            // tooltip to add it to.
            if (end > 0) {
                hint.insert(end, QStringLiteral(" (") + KeyCharText(ch) + QLatin1Char(')'));
                SetWidgetHint(*hintTarget, hint);
            }
        }
    } else if (code != 0) {
        throw KeyTableError(QStringLiteral("$%1: Invalid ASCII character")
                                .arg(QString::number(code, 16).toUpper())
                                .toStdString());
    }
}

CommandAction* CharacterKeyTable::ActionOf(int ch) const {
    return IsKeyChar(ch) ? slots_[SlotOf(ch)] : nullptr;
}

std::optional<char> CharacterKeyTable::KeyCharOf(const CommandAction* action) const {
    if (action == nullptr)
        return std::nullopt;
    for (int code = kFirstKeyChar; code <= kLastKeyChar; ++code)
        if (slots_[SlotOf(code)] == action)
            return static_cast<char>(code);
    return std::nullopt;
}

int CharacterKeyTable::Count() const {
    int count = 0;
    for (const CommandAction* action : slots_)
        if (action != nullptr)
            ++count;
    return count;
}

void ShowKeyCharsInMenu(QMenu& menu, const CharacterKeyTable& table) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        const CommandAction* action = CommandOfMenuItem(item);
        const std::optional<char> ch =
            action != nullptr && !action->HasShortCut() ? table.KeyCharOf(action) : std::nullopt;
        // An item that shows the command itself cannot take a caption of its
        // own without renaming the command everywhere.
        if (ch.has_value() && qobject_cast<CommandAction*>(item) == nullptr) {
            QString key = KeyCharText(*ch);
            // Qt reads "&" after the tab as an access mark too and would draw
            // a lone one as nothing, whatever the system's version.
            if (key == QLatin1String("&"))
                key = QStringLiteral("&&");
            QString caption = item->text();
            const qsizetype tab = caption.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                caption.truncate(tab);
            caption += QLatin1Char('\t') + key;
            if (auto* link = qobject_cast<ActionLink*>(item))
                link->SetOwnCaption(caption);
            else
                item->setText(caption);
        }
        if (QMenu* submenu = item->menu())
            ShowKeyCharsInMenu(*submenu, table);
    }
}

} // namespace pexa
