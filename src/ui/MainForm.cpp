#include "ui/MainForm.h"

#include "conv/CalcConv.h"
#include "core/CalcArithmetic.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/CommandTable.h"
#include "ui/Language.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionLink.h"
#include "ui/toolkit/ActionList.h"
#include "ui/toolkit/BandSite.h"
#include "ui/toolkit/ShortCut.h"
#include "ui/toolkit/SystemColors.h"

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

void AddActions(TActionList& list, std::span<const CommandInfo> table) {
    for (const CommandInfo& info : table) {
        TAction* action = list.Add(QString::fromLatin1(info.Name));
        action->SetTag(info.Tag);
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
constexpr const char* CheckableActions[] = {
    "ActModeByte",     "ActModeWord",       "ActModeDWord",    "ActModeQWord",
    "ActModeFloat",    "ActModeSigned",     "ActModeReversed", "ActRotate",
    "ActShiftAr",      "ActTriModeDeg",     "ActTriModeRad",   "ActTriModeGrad",
    "ActTriHyp",       "ActShiftAmount1",   "ActShiftAmount2", "ActShiftAmount4",
    "ActShiftAmount8", "ActShiftAmount16",  "ActToggleDec",    "ActToggleHex",
    "ActToggleOct",    "ActToggleBin",      "ActToggleAscii",  "ActToggleIP",
    "ActToggleDegree", "ActToggleFloat",    "ActToggleTime",   "ActToggleKilo",
    "ActSeparated",    "ActShowIndicators", "ActToolBar",      "ActMenuBar",
    "ActButtonPanel",  "ActStayOnTop",
};

// The tool bar's bar buttons, in tool-bar order, with their own short captions
// (none: the action's caption).
struct ToolBarToggle {
    const char* Action;
    const char* Caption;
};
constexpr ToolBarToggle ToolBarToggles[] = {
    {"ActToggleDec", "Dec"},   {"ActToggleHex", "Hex"},    {"ActToggleBin", "Bin"},
    {"ActToggleOct", "Oct"},   {"ActToggleDegree", "Deg"}, {"ActToggleKilo", nullptr},
    {"ActToggleAscii", "Chr"}, {"ActToggleTime", "Tim"},   {"ActToggleIP", "IP"},
    {"ActToggleFloat", "Flt"},
};

// The smallest client area: with no bar, tool bar or button panel left the
// window still has a title bar to grab and close, and is never unmapped for
// having no size.
constexpr int kMinClientWidth = 240;
constexpr int kMinClientHeight = 24;

} // namespace

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("pexa"));
    // Fixed border with a system menu and a minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    bodyColor_ = SystemColorValue(TSystemColor::ButtonFace);
    displayFont_ = font();

    CreateActions();
    BuildContainers();
    BuildToolBar();
    BuildMenus();
    BuildCommandControls();

    QClipboard* clipboard = QGuiApplication::clipboard();
    connect(clipboard, &QClipboard::dataChanged, this, &TForm_Main::OnClipboardChanged);
    OnClipboardChanged();

    StartUp();
}

TForm_Main::~TForm_Main() {
    SaveSettings();
    // Bars reach back into the window from their events; none may fire while
    // the window's members are going away.
    for (int i = 0; i < BarCount(); ++i) {
        TCalcBar* bar = BarAt(i);
        bar->OnActivate = nullptr;
        bar->OnMiddleClick = nullptr;
        bar->OnBuildMenu = nullptr;
        bar->OnBitClick = nullptr;
    }
}

void TForm_Main::CreateActions() {
    keyActions_ = new TActionList(this);
    keyActions_->setObjectName(QStringLiteral("KeyActions"));
    menuActions_ = new TActionList(this);
    menuActions_->setObjectName(QStringLiteral("MenuActions"));
    barActions_ = new TActionList(this);
    barActions_->setObjectName(QStringLiteral("BarActions"));
    AddActions(*keyActions_, KeyActionsTable());
    AddActions(*menuActions_, MenuActionsTable());
    AddActions(*barActions_, BarActionsTable());
    // The variants build their option buttons from these actions.
    SetBarActions(barActions_);

    for (const char* name : CheckableActions)
        if (TAction* action = FindAction(name))
            action->setCheckable(true);
    // The gradian unit is kept for settings written by older versions but is
    // not offered to the user.
    if (TAction* grad = FindAction("ActTriModeGrad"))
        grad->SetVisible(false);

    // Whatever a command did, the next menu, button or key sees fresh states.
    for (TActionList* list : {keyActions_, menuActions_})
        list->SetOnExecuted([this](TAction&) { UpdateActions(); });

    BindEngineActions();
    BindBarActions();
    BindClipboardActions();
    BindShellActions();
    if (TAction* exit = FindAction("ActExit"))
        exit->SetOnExecute([this](TAction&) { close(); });
}

TAction* TForm_Main::FindAction(std::string_view name) const {
    const QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    for (TActionList* list : {keyActions_, menuActions_, barActions_})
        if (list != nullptr)
            if (TAction* action = list->Find(text))
                return action;
    return nullptr;
}

void TForm_Main::UpdateActions() {
    keyActions_->UpdateAll();
    menuActions_->UpdateAll();
}

void TForm_Main::BuildContainers() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("PaneMain"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    barSite_ = new TBandSite(central);
    barSite_->setObjectName(QStringLiteral("BarSite"));
    column->addWidget(barSite_);

    paneButtons_ = new QWidget(central);
    paneButtons_->setObjectName(QStringLiteral("PaneButtons"));
    column->addWidget(paneButtons_);
    central->setMinimumSize(kMinClientWidth, kMinClientHeight);
    setCentralWidget(central);

    // The window is as large as its content and no larger; opening or closing
    // a bar, or hiding the tool bar or the panel, changes its height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ApplyWindowColor();
}

void TForm_Main::BuildToolBar() {
    mainToolBar_ = new QToolBar(this);
    mainToolBar_->setObjectName(QStringLiteral("MainToolBar"));
    mainToolBar_->setMovable(false);
    mainToolBar_->setFloatable(false);
    mainToolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolBarToggle& toggle : ToolBarToggles) {
        TAction* action = FindAction(toggle.Action);
        if (toggle.Caption == nullptr)
            mainToolBar_->addAction(action);
        else
            mainToolBar_->addAction(
                new TActionLink(action, QString::fromLatin1(toggle.Caption), mainToolBar_));
    }
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(FindAction("ActSeparated"));
    mainToolBar_->addAction(FindAction("ActShowIndicators"));
    mainToolBar_->addSeparator();
    mainToolBar_->addAction(FindAction("ActEditCopy"));
    mainToolBar_->addAction(FindAction("ActEditCopyFmt"));
    mainToolBar_->addAction(FindAction("ActEditPaste"));
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
}

void TForm_Main::BuildMenus() {
    menuMain_ = new QMenuBar(this);
    menuMain_->setObjectName(QStringLiteral("MenuMain"));
    auto addItems = [this](QMenu* menu, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (name == nullptr)
                menu->addSeparator();
            else
                menu->addAction(FindAction(name));
        }
        connect(menu, &QMenu::aboutToShow, this, &TForm_Main::UpdateActions);
    };

    menuEdit_ = menuMain_->addMenu(tr("&Edit"));
    menuEdit_->setObjectName(QStringLiteral("MenuEdit"));
    addItems(menuEdit_, {"ActEditCopy", "ActEditCopyFmt", "ActEditPaste", nullptr, "ActExit"});

    popupBar_ = menuMain_->addMenu(tr("&Bar"));
    popupBar_->setObjectName(QStringLiteral("PopupBar"));
    addItems(popupBar_,
             {"ActToggleDec", "ActToggleHex", "ActToggleBin", "ActToggleOct", "ActToggleDegree",
              "ActToggleKilo", "ActToggleAscii", "ActToggleTime", "ActToggleIP", "ActToggleFloat"});

    popupView_ = menuMain_->addMenu(tr("&View"));
    popupView_->setObjectName(QStringLiteral("PopupView"));
    addItems(popupView_, {"ActSeparated", "ActShowIndicators", nullptr, "ActToolBar", "ActMenuBar",
                          "ActButtonPanel", "ActStayOnTop", nullptr, "ActQuickMenu", "ActModeMenu",
                          nullptr, "ActChooseFont", "ActChooseColor"});
    BuildLanguageMenu();

    menuHelp_ = menuMain_->addMenu(tr("&Help"));
    menuHelp_->setObjectName(QStringLiteral("MenuHelp"));
    addItems(menuHelp_, {"ActHelpIndex", nullptr, "ActHelpVersion"});

    setMenuBar(menuMain_);
}

QMenu* TForm_Main::createPopupMenu() {
    return nullptr;
}

void TForm_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_ && !event->spontaneous()) {
        shownOnce_ = true;
        FormShow();
    }
}

// The bands give up width, row by row, so that the window fits the screen
// it is on; when it is still too tall, rows that fit side by side are joined.
void TForm_Main::FitToScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const int frameWidth = std::max(0, frameGeometry().width() - width());
    const int frameHeight = std::max(0, frameGeometry().height() - height());
    const int siteWidth = std::max(kMinClientWidth, available.width() - frameWidth);
    barSite_->FitToWidth(siteWidth);
    layout()->activate();
    if (sizeHint().height() + frameHeight > available.height()) {
        barSite_->JoinRowsWithin(siteWidth);
        barSite_->FitToWidth(siteWidth);
    }
}

// Another program may fill or empty the clipboard while nothing happens in
// this window: Paste follows at once, wherever it is shown.
void TForm_Main::OnClipboardChanged() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    clipboardHasText_ = mime != nullptr && mime->hasText();
    if (TAction* paste = FindAction("ActEditPaste"))
        paste->Update();
}

} // namespace pexa
