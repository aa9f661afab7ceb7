#include "ui/window/MainWindow.h"

#include "ui/app/AccessibleControls.h"
#include "ui/bars/BandSite.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/window/ExpressionLine.h"
#include "ui/window/HistoryPane.h"
#include "ui/window/ViewOptions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <exception>

namespace pexa {

namespace {

// The tool bar's bar buttons, in tool-bar order, with their own short captions
// (none: the action's caption), shown as the actions' icon texts.
struct ToolBarToggle {
    Command Action;
    const char* Caption;
};
constexpr ToolBarToggle ToolBarToggles[] = {
    {Command::ToggleDec, "Dec"},         {Command::ToggleHex, "Hex"},
    {Command::ToggleBin, "Bin"},         {Command::ToggleOct, "Oct"},
    {Command::ToggleSexagesimal, "Deg"}, {Command::ToggleSize, nullptr},
    {Command::ToggleChar, "Chr"},        {Command::ToggleTime, "Tim"},
    {Command::ToggleIP, "IP"},           {Command::ToggleFloat, "Flt"},
};

// The smallest client area: with no bar, tool bar or button panel left the
// window still has a title bar to grab and close, and is never unmapped for
// having no size.
constexpr int kMinClientWidth = 240;
constexpr int kMinClientHeight = 24;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    InstallAccessibleControls();
    setWindowTitle(QStringLiteral("pexa"));
    // A system menu and a minimise box, no maximise box (the window's size
    // follows its content).
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    view_ = new ViewOptions(*this);
    connect(view_, &ViewOptions::Changed, this, [this] { MarkChanged(ViewSource); });

    CreateActions();
    BuildContainers();
    BuildToolBar();
    BuildMenus();
    BuildCommandControls();

    QClipboard* clipboard = QGuiApplication::clipboard();
    connect(clipboard, &QClipboard::dataChanged, this, &MainWindow::OnClipboardChanged);
    OnClipboardChanged();

    StartUp();
}

MainWindow::~MainWindow() {
    SaveSettings();
    // Bars reach back into the window from their events; none may fire while
    // the window's members are going away.
    for (int i = 0; i < bars_->Count(); ++i) {
        bars_->Disconnect(*bars_->At(i));
    }
}

void MainWindow::CreateActions() {
    actions_ = CreateCommandActions(*this);
    for (const CommandInfo& info : Commands()) {
        const Command command = info.Id;
        // Qt flips a checkable action as it is triggered; the command's state
        // is shown again once it ran (or did nothing).
        connect(Action(command), &QAction::triggered, this, [this, command] {
            const QPointer<MainWindow> guard(this);
            Execute(command);
            if (!guard.isNull())
                ShowState(command);
        });
    }
    BindEngineStates();
    BindViewStates();
    BindClipboardStates();
    InstallMenuHelp();
}

void MainWindow::OnState(Command command, unsigned sources, std::function<void(QAction&)> update) {
    stateSources_[IndexOf(command)] = static_cast<std::uint16_t>(sources);
    stateOf_[IndexOf(command)] = std::move(update);
}

void MainWindow::ShowState(Command command) {
    if (const auto& update = stateOf_[IndexOf(command)])
        update(*Action(command));
}

bool MainWindow::CanExecute(Command command) const {
    if (standIn_)
        return true;
    return InfoOf(command).List != CommandList::Bars && Action(command)->isEnabled();
}

void MainWindow::ReplaceCommandsForTest(std::function<void(Command)> standIn) {
    standIn_ = std::move(standIn);
}

// A command meets current states, and whatever it did shows at once: the
// states that depend on what it changed are refreshed, once.
bool MainWindow::Execute(Command command) {
    RefreshStates();
    if (!CanExecute(command))
        return false;
    const QPointer<MainWindow> guard(this);
    // Commands run from Qt's event delivery, where an escaping exception
    // would end the program; a failure is reported instead.
    try {
        if (standIn_)
            standIn_(command);
        else
            Dispatch(command);
    } catch (const std::exception& e) {
        qWarning("%s: %s", InfoOf(command).Name, e.what());
    } catch (...) {
        qWarning("%s: unknown failure", InfoOf(command).Name);
    }
    if (!guard.isNull())
        RefreshStates();
    return true;
}

void MainWindow::GiveKeyboardToBars() {
    QWidget* holder = bars_->Active();
    (holder != nullptr ? holder : this)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::UpdateActions() {
    MarkChanged(AllSources);
    RefreshStates();
}

void MainWindow::RefreshStates() {
    const CalculatorStates now = StatesOf(calculator_);
    const StateChanges changes = ChangesBetween(shownStates_, now);
    unsigned sources = changed_;
    // Typing depends on the mode, the active bar and the entry state too.
    if (changes.Entry)
        sources |= EntrySource;
    if (changes.Mode)
        sources |= ModeSource | EntrySource;
    if (changes.Options)
        sources |= OptionsSource;
    if (changes.Bars)
        sources |= BarsSource | EntrySource;
    if (calculator_.CanUndo() != shownCanUndo_ || calculator_.CanRedo() != shownCanRedo_)
        sources |= UndoSource;
    RefreshExpressionPreview();
    if (sources == 0)
        return;
    shownStates_ = now;
    shownCanUndo_ = calculator_.CanUndo();
    shownCanRedo_ = calculator_.CanRedo();
    changed_ = 0;
    ++stateRefreshCount_;
    for (std::size_t i = 0; i < CommandCount; ++i)
        if ((stateSources_[i] & sources) != 0 && stateOf_[i])
            stateOf_[i](*actions_[i]);
}

void MainWindow::BuildContainers() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    BuildExpressionLine(*central);
    column->addWidget(expressionLine_);
    bars_ = new BarStack(*this, *central);
    column->addWidget(bars_->Site());
    BuildHistoryPane(*central);
    column->addWidget(historyPane_);

    buttonPane_ = new QWidget(central);
    buttonPane_->setObjectName(QStringLiteral("buttonPanel"));
    column->addWidget(buttonPane_);
    central->setMinimumSize(kMinClientWidth, kMinClientHeight);
    setCentralWidget(central);

    // The window is as large as its content and no larger; opening or closing
    // a bar, or hiding the tool bar or the panel, changes its height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The window's colour applies to what was just built.
    view_->SetBodyColor(view_->BodyColor());
}

void MainWindow::BuildToolBar() {
    mainToolBar_ = new QToolBar(this);
    mainToolBar_->setObjectName(QStringLiteral("toolBar"));
    mainToolBar_->setMovable(false);
    mainToolBar_->setFloatable(false);
    mainToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolBarToggle& toggle : ToolBarToggles) {
        QAction* action = Action(toggle.Action);
        if (toggle.Caption != nullptr)
            action->setIconText(QString::fromLatin1(toggle.Caption));
        mainToolBar_->addAction(action);
    }
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(Action(Command::DigitGrouping));
    mainToolBar_->addAction(Action(Command::ShowIndicators));
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(Action(Command::EditCopy));
    mainToolBar_->addAction(Action(Command::EditCopyGrouped));
    mainToolBar_->addAction(Action(Command::EditPaste));
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
}

void MainWindow::BuildMenus() {
    mainMenuBar_ = new WindowMenuBar(*this);
    setMenuBar(mainMenuBar_);
}

QMenu* MainWindow::createPopupMenu() {
    return nullptr;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_ && !event->spontaneous()) {
        shownOnce_ = true;
        LayOutBarsOnFirstShow();
    }
}

// The bands give up width, row by row, so that the window fits the screen
// it is on; when it is still too tall, rows that fit side by side are joined.
void MainWindow::FitToScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const int frameWidth = std::max(0, frameGeometry().width() - width());
    const int frameHeight = std::max(0, frameGeometry().height() - height());
    const int siteWidth = std::max(kMinClientWidth, available.width() - frameWidth);
    bars_->Site()->FitToWidth(siteWidth);
    layout()->activate();
    if (sizeHint().height() + frameHeight > available.height()) {
        bars_->Site()->JoinRowsWithin(siteWidth);
        bars_->Site()->FitToWidth(siteWidth);
    }
}

// Another program may fill or empty the clipboard while nothing happens in
// this window: Paste follows at once, wherever it is shown.
void MainWindow::OnClipboardChanged() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    clipboardHasText_ = mime != nullptr && mime->hasText();
    MarkChanged(ClipboardSource);
    RefreshStates();
}

} // namespace pexa
