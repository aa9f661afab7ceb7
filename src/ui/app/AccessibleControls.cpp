#include "ui/app/AccessibleControls.h"

#include "ui/app/Language.h"
#include "ui/bars/CalcBar.h"
#include "ui/bars/CalcBarVariants.h"
#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"
#include "ui/text/AccessMarks.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QStringList>
#include <QToolButton>

#include <algorithm>
#include <optional>
#include <variant>
#include <vector>

namespace pexa {

namespace {

// The names' translation context, named where each text is, so that
// lupdate finds them.
struct AccessibleControls {
    Q_DECLARE_TR_FUNCTIONS(AccessibleControls)
};

// The hint of the command that opens and closes the kind's bar: the
// notation's title in the language shown ("Hexadecimal").
std::optional<QString> BarTitleOf(BarKind kind) {
    for (const CommandInfo& info : Commands()) {
        if (const auto* payload = std::get_if<BarKind>(&info.Payload); payload && *payload == kind)
            return ShortHintOf(info.Id);
    }
    return std::nullopt;
}

// A bar option's hint names the choice ("Shift JIS"); the name says what is
// chosen too.
QString OptionButtonName(Command command) {
    const QString hint = ShortHintOf(command);
    switch (command) {
    case Command::CharEncodeASCII:
    case Command::CharEncodeSJIS:
    case Command::CharEncodeJIS:
    case Command::CharEncodeEUC:
    case Command::CharEncodeUTF8:
    case Command::CharEncodeUTF16:
    case Command::CharEncodeCodePoint:
        return AccessibleControls::tr("Character encoding: %1").arg(hint);
    case Command::FloatHalf:
    case Command::FloatBFloat16:
        return AccessibleControls::tr("16-bit float format: %1").arg(hint);
    case Command::FloatE4M3:
    case Command::FloatE5M2:
        return AccessibleControls::tr("8-bit float format: %1").arg(hint);
    case Command::TimeEncodeTimeT:
    case Command::TimeEncodeOleDate:
        return AccessibleControls::tr("Date encoding: %1").arg(hint);
    case Command::SexagesimalHours:
        return AccessibleControls::tr("Hours without limit ([h]:m:s)");
    default:
        return hint;
    }
}

// A command's name in words: its hint, which tooltips and the status bar
// show too ("Shift Left" for "<<"); a bar's switch names the bar.
QString CommandName(Command command) {
    const CommandInfo& info = InfoOf(command);
    if (info.List == CommandList::Bars)
        return OptionButtonName(command);
    const QString hint = ShortHintOf(command);
    if (hint.isEmpty())
        return {};
    if (std::holds_alternative<BarKind>(info.Payload))
        return AccessibleControls::tr("%1 bar").arg(hint);
    // "Word mode", as the manual and the button name it (the hint, "16 Bits",
    // stays the description).
    if (std::holds_alternative<CalcValueMode>(info.Payload))
        return AccessibleControls::tr("%1 mode").arg(CommandText(info.Caption));
    return hint;
}

std::optional<Command> CommandOfButton(const QAbstractButton& button) {
    if (const auto* tool = qobject_cast<const QToolButton*>(&button))
        if (const std::optional<Command> command = CommandOfMenuItem(tool->defaultAction()))
            return command;
    return CommandOfOptionButton(button);
}

CalcBar* BarAround(const QWidget& widget) {
    for (QWidget* above = widget.parentWidget(); above != nullptr && !above->isWindow();
         above = above->parentWidget())
        if (auto* bar = qobject_cast<CalcBar*>(above))
            return bar;
    return nullptr;
}

QString ShownText(const CalcBar& bar) {
    return bar.Parts().ValueLabel != nullptr ? bar.Parts().ValueLabel->text() : QString();
}

// A tool button as a screen reader sees it. The actions are carried out once
// the request has been answered: a command may open a modal dialog, and the
// screen reader waits for the answer.
class ButtonInterface : public QAccessibleWidget {
public:
    explicit ButtonInterface(QToolButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return Button().isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = Button().isCheckable();
        state.checked = Button().isChecked();
        state.pressed = Button().isDown();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return AccessibleNameOf(Button());
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        if (!Button().isEnabled())
            return {};
        QStringList names{pressAction()};
        if (Button().isCheckable())
            names.append(toggleAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        QMetaObject::invokeMethod(&Button(), &QAbstractButton::click, Qt::QueuedConnection);
    }

    // A bar's option button belongs to the bar, which lists it.
    QAccessibleInterface* parent() const override {
        if (CalcBar* bar = BarAround(*widget()))
            return QAccessible::queryAccessibleInterface(bar);
        return QAccessibleWidget::parent();
    }

private:
    QAbstractButton& Button() const { return *static_cast<QAbstractButton*>(widget()); }
};

// A display bar: its value as read-only text, its indicators and the
// pending operator as its description, its option buttons as its children.
class BarInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit BarInterface(CalcBar* bar) : QAccessibleWidget(bar, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return AccessibleNameOf(Bar());
        case QAccessible::Description:
            return Details();
        case QAccessible::Value:
            return Shown();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    // The active bar holds the keyboard focus; any bar may become active.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.readOnly = true;
        state.editable = false;
        return state;
    }

    int childCount() const override { return static_cast<int>(Buttons().size()); }

    QAccessibleInterface* child(int index) const override {
        const std::vector<QWidget*> buttons = Buttons();
        if (index < 0 || index >= static_cast<int>(buttons.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(buttons[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr)
            return -1;
        const std::vector<QWidget*> buttons = Buttons();
        const auto it = std::find(buttons.begin(), buttons.end(), child->object());
        return it != buttons.end() ? static_cast<int>(it - buttons.begin()) : -1;
    }

    // ---- the text ----
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString shown = Shown();
        const auto size = static_cast<int>(shown.size());
        if (end < 0 || end > size)
            end = size;
        start = std::clamp(start, 0, end);
        return shown.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    // The label draws the text as a whole: it stands for each character.
    QRect characterRect(int) const override {
        const QLabel& label = *Bar().Parts().ValueLabel;
        return {label.mapToGlobal(QPoint(0, 0)), label.size()};
    }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    CalcBar& Bar() const { return *static_cast<CalcBar*>(widget()); }
    QString Shown() const { return ShownText(Bar()); }

    std::vector<QWidget*> Buttons() const {
        std::vector<QWidget*> buttons;
        for (QWidget* control : Bar().Parts().OptionControls)
            if (qobject_cast<QAbstractButton*>(control) != nullptr && !control->isHidden())
                buttons.push_back(control);
        return buttons;
    }

    // What the indicators say ("Signed", "Shift JIS") and the pending operator.
    QString Details() const {
        QStringList details;
        for (const QLabel* indicator : Bar().Parts().Indicators)
            if (!indicator->isHidden() && !indicator->text().trimmed().isEmpty())
                details.append(indicator->text().trimmed());
        if (!Bar().OperatorText().isEmpty())
            details.append(Bar().Parts().OperatorLabel->text().trimmed());
        return details.join(QStringLiteral(", "));
    }
};

QAccessibleInterface* ControlInterface(const QString&, QObject* object) {
    if (auto* bar = qobject_cast<CalcBar*>(object))
        return new BarInterface(bar);
    // A button with a menu keeps Qt's description, which offers the menu.
    if (auto* button = qobject_cast<QToolButton*>(object); button && button->menu() == nullptr)
        return new ButtonInterface(button);
    return nullptr;
}

} // namespace

// Qt keeps a factory once however often it is installed.
void InstallAccessibleControls() {
    QAccessible::installFactory(&ControlInterface);
}

void AnnounceBarText(CalcBar& bar, const QString& before) {
    if (!QAccessible::isActive())
        return;
    QAccessibleTextUpdateEvent event(&bar, 0, before, ShownText(bar));
    QAccessible::updateAccessibility(&event);
}

QString AccessibleNameOf(const QAbstractButton& button) {
    if (!button.accessibleName().isEmpty())
        return button.accessibleName();
    if (const std::optional<Command> command = CommandOfButton(button)) {
        if (QString name = CommandName(*command); !name.isEmpty())
            return name;
    }
    // The tool bar's button for the buttons that do not fit.
    if (button.objectName() == QLatin1String("qt_toolbar_ext_button"))
        return AccessibleControls::tr("More tool-bar buttons");
    return StripAccessMarks(button.text());
}

QString AccessibleNameOf(const CalcBar& bar) {
    return BarTitleOf(bar.Kind()).value_or(bar.Title());
}

} // namespace pexa
