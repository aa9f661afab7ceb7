// The main window's caption, the font and colour choosers, and the commands
// that open and close the bars and set the view options.

#include "ui/MainWindow.h"

#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "ui/BarStack.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/FontChoice.h"
#include "ui/StoredColorPalette.h"
#include "ui/ViewOptions.h"
#include "ui/WindowMenuBar.h"
#include "ui/toolkit/BandSite.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"
#include "ui/toolkit/WindowingPlatform.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

#include <memory>

namespace pexa {

namespace {

constexpr Command ToggleActions[BarKindCount] = {
    Command::ToggleDec,   Command::ToggleHex,  Command::ToggleOct,    Command::ToggleBin,
    Command::ToggleAscii, Command::ToggleIP,   Command::ToggleDegree, Command::ToggleFloat,
    Command::ToggleTime,  Command::ToggleKilo,
};

} // namespace

// ---- Caption and choosers -------------------------------------------------------

void MainWindow::UpdateCaption() {
    const CalcBar* bar = bars_->Active();
    setWindowTitle(bar != nullptr ? baseCaption_ + QStringLiteral(" - ") + bar->Title()
                                  : baseCaption_);
}

void MainWindow::ChooseFont() {
    const QFont current = view_->DisplayFont();
    QFontDialog dialog(FontForChooser(current), this);
    const QFont offered = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return;
    view_->SetDisplayFont(ChosenFont(current, offered, dialog.selectedFont()));
    FitToScreen();
}

void MainWindow::ChooseColor() {
    const QColor color = QColorDialog::getColor(view_->BodyQColor(), this);
    if (color.isValid())
        view_->SetBodyColor(EncodeStoredColor(RgbOf(color)));
}

// ---- Command bindings -------------------------------------------------------

void MainWindow::BindBarActions() {
    for (const Command command : ToggleActions) {
        const BarKind kind = PayloadOf<BarKind>(command);
        Action(command)->SetOnExecute([this, kind](CommandAction&) { bars_->Toggle(kind); });
        // A kind this build has no conversion for cannot be opened.
        const bool available = CanOpenBarKind(kind);
        OnState(command, BarsSource, [this, kind, available](CommandAction& a) {
            const bool open = bars_->Find(kind) != nullptr;
            a.setEnabled(available || open);
            a.SetChecked(open);
        });
    }
    Action(Command::BarNext)->SetOnExecute([this](CommandAction&) { bars_->StepActive(+1); });
    Action(Command::BarPrev)->SetOnExecute([this](CommandAction&) { bars_->StepActive(-1); });
    CommandAction* barClose = Action(Command::BarClose);
    barClose->SetOnExecute([this](CommandAction&) { bars_->Close(bars_->Active()); });
    OnState(Command::BarClose, BarsSource,
            [this](CommandAction& a) { a.setEnabled(bars_->Active() != nullptr); });

    CommandAction* separated = Action(Command::Separated);
    separated->SetOnExecute([this](CommandAction&) { view_->SetSeparated(!view_->Separated()); });
    OnState(Command::Separated, ViewSource,
            [this](CommandAction& a) { a.SetChecked(view_->Separated()); });
    CommandAction* indicators = Action(Command::ShowIndicators);
    indicators->SetOnExecute(
        [this](CommandAction&) { view_->SetShowIndicators(!view_->ShowIndicators()); });
    OnState(Command::ShowIndicators, ViewSource,
            [this](CommandAction& a) { a.SetChecked(view_->ShowIndicators()); });
    CommandAction* toolBar = Action(Command::ToolBar);
    toolBar->SetOnExecute(
        [this](CommandAction&) { view_->SetToolBarVisible(!view_->ToolBarVisible()); });
    OnState(Command::ToolBar, ViewSource,
            [this](CommandAction& a) { a.SetChecked(view_->ToolBarVisible()); });
    CommandAction* menuBar = Action(Command::MenuBar);
    menuBar->SetOnExecute(
        [this](CommandAction&) { view_->SetMenuBarVisible(!view_->MenuBarVisible()); });
    OnState(Command::MenuBar, ViewSource,
            [this](CommandAction& a) { a.SetChecked(view_->MenuBarVisible()); });
    CommandAction* buttonPanel = Action(Command::ButtonPanel);
    buttonPanel->SetOnExecute(
        [this](CommandAction&) { view_->SetButtonPanelVisible(!view_->ButtonPanelVisible()); });
    OnState(Command::ButtonPanel, ViewSource,
            [this](CommandAction& a) { a.SetChecked(view_->ButtonPanelVisible()); });
    CommandAction* stayOnTop = Action(Command::StayOnTop);
    stayOnTop->SetOnExecute([this](CommandAction&) { view_->SetStayOnTop(!view_->StayOnTop()); });
    OnState(Command::StayOnTop, ViewSource, [this](CommandAction& a) {
        a.SetChecked(view_->StayOnTop());
        // Where the platform cannot keep a window on top, the command says
        // so instead of doing nothing.
        const bool available = CanKeepWindowOnTop();
        a.setEnabled(available);
        if (!available)
            a.setToolTip(tr("Not available here: under Wayland the desktop alone decides which "
                            "window stays on top"));
    });
    Action(Command::ChooseFont)->SetOnExecute([this](CommandAction&) { ChooseFont(); });
    Action(Command::ChooseColor)->SetOnExecute([this](CommandAction&) { ChooseColor(); });
}

} // namespace pexa
