#include "ui/MainWindow.h"

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "ui/BarStack.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/CommandTable.h"
#include "ui/Language.h"
#include "ui/ViewOptions.h"
#include "ui/WindowMenuBar.h"
#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/BandSite.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"
#include "ui/toolkit/ShortCut.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <optional>
#include <span>

namespace pexa {

namespace {

QKeyCombination KeyOfText(const char* text) {
    if (text == nullptr || *text == '\0')
        return kNoShortCut;
    const QKeySequence sequence =
        QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
    return sequence.isEmpty() ? kNoShortCut : sequence[0];
}

void AddActions(CommandActionList& list, std::span<const CommandInfo> table,
                std::array<CommandAction*, CommandCount>& actions) {
    for (const CommandInfo& info : table) {
        CommandAction* action = list.Add(QString::fromLatin1(info.Name));
        actions[IndexOf(info.Id)] = action;
        action->SetCategory(QString::fromUtf8(info.Category));
        action->SetCaption(CommandText(info.Caption));
        action->SetShortCut(KeyOfText(info.ShortCut));
        const QKeyCombination secondary = KeyOfText(info.SecondaryShortCut);
        if (!IsNoShortCut(secondary))
            action->SetSecondaryShortCuts({secondary});
        action->SetGroupIndex(info.GroupIndex);
        action->SetHelpContext(info.HelpContext);
        action->SetHint(CommandText(info.Hint));
    }
}

// Commands that show a checked state in menus and on buttons.
constexpr Command CheckableActions[] = {
    Command::ModeByte,     Command::ModeWord,       Command::ModeDWord,    Command::ModeQWord,
    Command::ModeFloat,    Command::ModeSigned,     Command::ModeReversed, Command::Rotate,
    Command::ShiftAr,      Command::TriModeDeg,     Command::TriModeRad,   Command::TriModeGrad,
    Command::TriHyp,       Command::ShiftAmount1,   Command::ShiftAmount2, Command::ShiftAmount4,
    Command::ShiftAmount8, Command::ShiftAmount16,  Command::ToggleDec,    Command::ToggleHex,
    Command::ToggleOct,    Command::ToggleBin,      Command::ToggleAscii,  Command::ToggleIP,
    Command::ToggleDegree, Command::ToggleFloat,    Command::ToggleTime,   Command::ToggleKilo,
    Command::Separated,    Command::ShowIndicators, Command::ToolBar,      Command::MenuBar,
    Command::ButtonPanel,  Command::StayOnTop,
};

// The tool bar's bar buttons, in tool-bar order, with their own short captions
// (none: the action's caption).
struct ToolBarToggle {
    Command Action;
    const char* Caption;
};
constexpr ToolBarToggle ToolBarToggles[] = {
    {Command::ToggleDec, "Dec"},   {Command::ToggleHex, "Hex"},    {Command::ToggleBin, "Bin"},
    {Command::ToggleOct, "Oct"},   {Command::ToggleDegree, "Deg"}, {Command::ToggleKilo, nullptr},
    {Command::ToggleAscii, "Chr"}, {Command::ToggleTime, "Tim"},   {Command::ToggleIP, "IP"},
    {Command::ToggleFloat, "Flt"},
};

// The smallest client area: with no bar, tool bar or button panel left the
// window still has a title bar to grab and close, and is never unmapped for
// having no size.
constexpr int kMinClientWidth = 240;
constexpr int kMinClientHeight = 24;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("pexa"));
    // Fixed border with a system menu and a minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
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
    keyActions_ = new CommandActionList(this);
    keyActions_->setObjectName(QStringLiteral("KeyActions"));
    menuActions_ = new CommandActionList(this);
    menuActions_->setObjectName(QStringLiteral("MenuActions"));
    barActions_ = new CommandActionList(this);
    barActions_->setObjectName(QStringLiteral("BarActions"));
    AddActions(*keyActions_, KeyActionsTable(), actions_);
    AddActions(*menuActions_, MenuActionsTable(), actions_);
    AddActions(*barActions_, BarActionsTable(), actions_);
    // The variants build their option buttons from these actions.
    SetBarActions(barActions_);

    for (const Command command : CheckableActions)
        Action(command)->setCheckable(true);

    // A command meets current states, and whatever it did shows at once: the
    // states that depend on what it changed are refreshed, once.
    for (CommandActionList* list : {keyActions_, menuActions_}) {
        list->SetOnPrepare([this] { RefreshStates(); });
        list->SetOnExecuted([this](CommandAction&) { RefreshStates(); });
    }

    BindEngineActions();
    BindBarActions();
    BindClipboardActions();
    BindShellActions();
    Action(Command::Exit)->SetOnExecute([this](CommandAction&) { close(); });
}

void MainWindow::OnState(Command command, unsigned sources,
                         std::function<void(CommandAction&)> update) {
    stateSources_[IndexOf(command)] = static_cast<unsigned char>(sources);
    Action(command)->SetOnUpdate(std::move(update));
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
    if (sources == 0)
        return;
    shownStates_ = now;
    changed_ = 0;
    ++stateRefreshCount_;
    for (std::size_t i = 0; i < CommandCount; ++i)
        if ((stateSources_[i] & sources) != 0)
            actions_[i]->Update();
}

void MainWindow::BuildContainers() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PaneMain"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    bars_ = new BarStack(*this, *central);
    column->addWidget(bars_->Site());

    buttonPane_ = new QWidget(central);
    buttonPane_->setObjectName(QStringLiteral("PaneButtons"));
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
    mainToolBar_->setObjectName(QStringLiteral("MainToolBar"));
    mainToolBar_->setMovable(false);
    mainToolBar_->setFloatable(false);
    mainToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolBarToggle& toggle : ToolBarToggles) {
        CommandAction* action = Action(toggle.Action);
        if (toggle.Caption == nullptr)
            mainToolBar_->addAction(action);
        else
            mainToolBar_->addAction(
                new ActionLink(action, QString::fromLatin1(toggle.Caption), mainToolBar_));
    }
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(Action(Command::Separated));
    mainToolBar_->addAction(Action(Command::ShowIndicators));
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(Action(Command::EditCopy));
    mainToolBar_->addAction(Action(Command::EditCopyFmt));
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
