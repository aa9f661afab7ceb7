// How keys and the mouse wheel reach the main window's commands: one
// application event filter reads every key-down of the window once and
// routes it through the commands' shortcuts, the bars' access keys, the
// active bar, the page keys and last the typed-character table.

#include "ui/keys/KeyRouter.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"
#include "ui/keys/CharacterKeyTable.h"
#include "ui/menus/PopupMenus.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/panel/OperatorPages.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>

#include <cstdlib>

namespace pexa {

namespace {

// One notch of a classic mouse wheel; finer wheels and touchpads send
// parts of it, which add up to a step.
constexpr int kWheelStep = QWheelEvent::DefaultDeltasPerStep;

// Keys held with Ctrl, Alt or Meta type no character here: their text (a
// control code, or the letter itself under Alt) is not typing.
bool TypesCharacters(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    return !event.text().isEmpty() &&
           !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool IsInMenuBar(QObject* watched) {
    for (auto* w = qobject_cast<QWidget*>(watched); w != nullptr; w = w->parentWidget())
        if (qobject_cast<QMenuBar*>(w) != nullptr)
            return true;
    return false;
}

// A control that takes the keyboard (the expression line's text field, the
// history pane) uses its keys and its wheel itself; what it leaves unused
// reaches its parents, and the commands, as usual.
bool IsInKeyboardControl(const QWidget* widget) {
    for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget())
        if (widget->focusPolicy() != Qt::NoFocus)
            return true;
    return false;
}

} // namespace

KeyRouter::KeyRouter(MainWindow& window) : QObject(&window), window_(window) {
    for (const CommandInfo& info : Commands()) {
        if (info.List == CommandList::Bars)
            continue;
        for (const QKeyCombination key : {ShortcutOf(info.Id), SecondaryShortcutOf(info.Id)})
            if (!IsNoShortcut(key))
                shortcuts_.push_back({key, info.Id, info.List});
    }
    qApp->installEventFilter(this);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        return ShortcutOverride(watched, static_cast<QKeyEvent&>(*event));
    case QEvent::KeyPress:
        return KeyPress(watched, static_cast<QKeyEvent&>(*event));
    case QEvent::Wheel:
        return Wheel(watched, static_cast<QWheelEvent&>(*event));
    case QEvent::ContextMenu:
        return ContextMenu(watched, static_cast<QContextMenuEvent&>(*event));
    case QEvent::Hide:
        if (qobject_cast<QMenu*>(watched) != nullptr)
            // The menu bar takes the keyboard back only after the closing
            // key or click has been handled, so wait for that.
            QMetaObject::invokeMethod(this, &KeyRouter::ReleaseMenuBar, Qt::QueuedConnection);
        return false;
    case QEvent::MouseButtonPress:
        if (!IsInMenuBar(watched))
            ReleaseMenuBar();
        return false;
    default:
        return false;
    }
}

// A widget of this window whose keys the window routes. A menu bar keeps
// its keys only while it is navigating (a title highlighted); with none,
// the focus it kept is given up and the key is routed.
QWidget* KeyRouter::Routed(QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_)
        return nullptr;
    if (IsInKeyboardControl(widget))
        return nullptr;
    if (IsInMenuBar(widget)) {
        if (MenuBarNavigating())
            return nullptr;
        ReleaseMenuBar();
    }
    return widget;
}

bool KeyRouter::MenuBarNavigating() const {
    const QMenuBar* bar = window_.MainMenuBar();
    return QApplication::activePopupWidget() != nullptr ||
           (bar != nullptr && bar->activeAction() != nullptr);
}

// No control of the window takes the focus, so a menu bar that entered
// keyboard navigation has no widget to give the focus back to and would
// keep every key (plain letters opening its menus, Esc doing nothing).
// Once no menu is open, the keyboard returns to the window, where the active
// bar holds it.
//
// Losing the focus ends the bar's keyboard mode and lowers its highlighted
// title, as a click elsewhere does. QMenuBar::setActiveAction(nullptr) would
// lower the title too, but it leaves the bar in its "menus open" state: the
// pointer merely passing over another title would then open that menu, and
// the click that follows would close it again.
void KeyRouter::ReleaseMenuBar() {
    QMenuBar* bar = window_.MainMenuBar();
    if (bar == nullptr || QApplication::activePopupWidget() != nullptr)
        return;
    if (!bar->hasFocus())
        return;
    bar->clearFocus();
    if (CalcBar* active = window_.Bars().Active())
        active->HoldKeyboardFocus();
}

bool KeyRouter::ShortcutOverride(QObject* watched, QKeyEvent& event) {
    if (Routed(watched) == nullptr || !ClaimsKey(RecordOfKey(event)))
        return false;
    event.accept();
    return true;
}

bool KeyRouter::KeyPress(QObject* watched, QKeyEvent& event) {
    QWidget* widget = Routed(watched);
    if (widget == nullptr)
        return false;
    // A key the route let pass travels up to the parents, which this
    // filter sees again; it was routed once already. Only a key let pass is
    // remembered, and only until it reaches the window, where its trip
    // ends: a later key may be built at the same address.
    if (&event == passedKey_ && !passedReceiver_.isNull() && widget != passedReceiver_ &&
        widget->isAncestorOf(passedReceiver_)) {
        passedReceiver_ = widget;
        if (widget->isWindow())
            passedKey_ = nullptr;
        return false;
    }
    passedKey_ = nullptr;

    const QPointer<MainWindow> guard(&window_);
    if (KeyDown(RecordOfKey(event))) {
        event.accept();
        return true;
    }
    if (guard.isNull())
        return false;
    if (!TypesCharacters(event)) {
        if (!widget->isWindow()) {
            passedKey_ = &event;
            passedReceiver_ = widget;
        }
        return false;
    }
    const QString text = event.text();
    for (qsizetype i = 0; i < text.size() && !guard.isNull(); ++i) {
        char32_t ch = text.at(i).unicode();
        // A character beyond the Basic Multilingual Plane comes as a pair.
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        TypeKeyCharacter(ch);
    }
    event.accept();
    return true;
}

bool KeyRouter::Wheel(QObject* watched, QWheelEvent& event) {
    if (Routed(watched) == nullptr)
        return false;
    wheelDelta_ += event.angleDelta().y();
    // A step may close the window, and this router with it.
    const QPointer<MainWindow> guard(&window_);
    // A notch up (down) makes the bar above (below) the active one active.
    while (!guard.isNull() && std::abs(wheelDelta_) >= kWheelStep) {
        const int step = wheelDelta_ > 0 ? -1 : +1;
        wheelDelta_ += step * kWheelStep;
        window_.Bars().StepActive(step);
        window_.RefreshStates();
    }
    event.accept();
    return true;
}

// What no control of the window took reaches the window itself.
bool KeyRouter::ContextMenu(QObject* watched, QContextMenuEvent& event) {
    if (watched != &window_ || event.reason() == QContextMenuEvent::Keyboard)
        return false;
    window_.Popups().OpenContextMenuAt(event.pos());
    event.accept();
    return true;
}

std::optional<Command> KeyRouter::ShortcutCommand(CommandList list, const KeyRecord& key) const {
    if (IsNoShortcut(key.Shortcut))
        return std::nullopt;
    for (const ShortcutEntry& entry : shortcuts_)
        if (entry.List == list && entry.Key == key.Shortcut)
            return entry.Target;
    return std::nullopt;
}

// The calculator keys first, then the window commands: a disabled command
// lets its key go on to the next list and to the bars.
bool KeyRouter::KeyDown(const KeyRecord& key) {
    for (const CommandList list : {CommandList::Keys, CommandList::Menus}) {
        const std::optional<Command> command = ShortcutCommand(list, key);
        if (command && window_.Execute(*command))
            return true;
    }
    return BarKeyDown(key);
}

bool KeyRouter::BarKeyDown(const KeyRecord& key) {
    if (CalcBar* bar = AccessKeyBar(key)) {
        window_.Bars().Activate(bar);
        window_.RefreshStates();
        return true;
    }
    if (CalcBar* bar = window_.Bars().Active();
        bar != nullptr && bar->HandleKey(key.Key, key.Modifiers)) {
        window_.UpdateActions();
        return true;
    }
    if (key.CtrlTab) {
        if (window_.Buttons().Pages != nullptr)
            window_.Buttons().Pages->StepPage(key.Modifiers.testFlag(Qt::ShiftModifier) ||
                                              key.Key == Qt::Key_Backtab);
        return true;
    }
    return false;
}

bool KeyRouter::ClaimsKey(const KeyRecord& key) {
    bool updated = false;
    for (const CommandList list : {CommandList::Keys, CommandList::Menus}) {
        const std::optional<Command> command = ShortcutCommand(list, key);
        if (!command)
            continue;
        // The states are those the key would meet.
        if (!updated) {
            window_.RefreshStates();
            updated = true;
        }
        if (window_.CanExecute(*command))
            return true;
    }
    return AccessKeyBar(key) != nullptr || key.CtrlTab;
}

CalcBar* KeyRouter::AccessKeyBar(const KeyRecord& key) const {
    for (int i = 0; i < window_.Bars().Count(); ++i)
        if (window_.Bars().At(i)->MatchesAccessKey(key.Key, key.Modifiers))
            return window_.Bars().At(i);
    return nullptr;
}

void KeyRouter::TypeKeyCharacter(char32_t ch) {
    // ASCII keys keep their commands (operators stay operators); any other
    // character goes whole into a bar that takes characters.
    if (ch < 0x80 || !window_.Engine().TakesWholeCharacters()) {
        if (const std::optional<Command> command = CommandOfKeyChar(ch))
            window_.Execute(*command);
        return;
    }
    if (!window_.Engine().TypeCharacter(ch))
        QApplication::beep();
    window_.RefreshStates();
}

} // namespace pexa
