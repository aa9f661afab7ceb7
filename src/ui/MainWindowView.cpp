// The main window's view options, and the commands that open and close the
// bars and set the options.

#include "ui/MainWindow.h"

#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "ui/BarStack.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/WindowMenuBar.h"
#include "ui/toolkit/BandSite.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"
#include "ui/toolkit/SystemColors.h"

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

// ---- View options -------------------------------------------------------------

void MainWindow::UpdateCaption() {
    const CalcBar* bar = bars_->Active();
    setWindowTitle(bar != nullptr ? baseCaption_ + QStringLiteral(" - ") + bar->Title()
                                  : baseCaption_);
}

void MainWindow::SetSeparated(bool on) {
    MarkChanged(ViewSource);
    separated_ = on;
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->SetSeparated(on);
}

void MainWindow::SetShowIndicators(bool on) {
    MarkChanged(ViewSource);
    showIndicators_ = on;
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->SetShowIndicators(on);
}

bool MainWindow::ToolBarVisible() const {
    return !mainToolBar_->isHidden();
}

void MainWindow::SetToolBarVisible(bool on) {
    MarkChanged(ViewSource);
    mainToolBar_->setVisible(on);
}

bool MainWindow::MenuBarVisible() const {
    return !mainMenuBar_->isHidden();
}

// A hidden menu bar takes no room and no Alt keys; the commands keep their
// shortcuts, which the window matches itself.
void MainWindow::SetMenuBarVisible(bool on) {
    MarkChanged(ViewSource);
    mainMenuBar_->setVisible(on);
}

bool MainWindow::ButtonPanelVisible() const {
    return !buttonPane_->isHidden();
}

void MainWindow::SetButtonPanelVisible(bool on) {
    MarkChanged(ViewSource);
    buttonPane_->setVisible(on);
}

bool MainWindow::StayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void MainWindow::SetStayOnTop(bool on) {
    MarkChanged(ViewSource);
    if (StayOnTop() == on)
        return;
    // Changing the flags hides a shown window.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible)
        show();
}

void MainWindow::SetDisplayFont(const QFont& font) {
    displayFont_ = font;
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->SetDisplayFont(displayFont_);
}

void MainWindow::SetBodyColor(std::int32_t value) {
    bodyColor_ = value;
    ApplyWindowColor();
}

QColor MainWindow::BodyQColor() const {
    return ColorFromValue(bodyColor_);
}

void MainWindow::ApplyWindowColor() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, BodyQColor());
    setPalette(palette);
    setAutoFillBackground(true);
}

void MainWindow::ChooseFont() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, displayFont_, this);
    if (ok) {
        SetDisplayFont(font);
        FitToScreen();
    }
}

void MainWindow::ChooseColor() {
    const QColor color = QColorDialog::getColor(BodyQColor(), this);
    if (color.isValid())
        SetBodyColor(ValueFromColor(color));
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
    separated->SetOnExecute([this](CommandAction&) { SetSeparated(!separated_); });
    OnState(Command::Separated, ViewSource, [this](CommandAction& a) { a.SetChecked(separated_); });
    CommandAction* indicators = Action(Command::ShowIndicators);
    indicators->SetOnExecute([this](CommandAction&) { SetShowIndicators(!showIndicators_); });
    OnState(Command::ShowIndicators, ViewSource,
            [this](CommandAction& a) { a.SetChecked(showIndicators_); });
    CommandAction* toolBar = Action(Command::ToolBar);
    toolBar->SetOnExecute([this](CommandAction&) { SetToolBarVisible(!ToolBarVisible()); });
    OnState(Command::ToolBar, ViewSource,
            [this](CommandAction& a) { a.SetChecked(ToolBarVisible()); });
    CommandAction* menuBar = Action(Command::MenuBar);
    menuBar->SetOnExecute([this](CommandAction&) { SetMenuBarVisible(!MenuBarVisible()); });
    OnState(Command::MenuBar, ViewSource,
            [this](CommandAction& a) { a.SetChecked(MenuBarVisible()); });
    CommandAction* buttonPanel = Action(Command::ButtonPanel);
    buttonPanel->SetOnExecute(
        [this](CommandAction&) { SetButtonPanelVisible(!ButtonPanelVisible()); });
    OnState(Command::ButtonPanel, ViewSource,
            [this](CommandAction& a) { a.SetChecked(ButtonPanelVisible()); });
    CommandAction* stayOnTop = Action(Command::StayOnTop);
    stayOnTop->SetOnExecute([this](CommandAction&) { SetStayOnTop(!StayOnTop()); });
    OnState(Command::StayOnTop, ViewSource,
            [this](CommandAction& a) { a.SetChecked(StayOnTop()); });
    Action(Command::ChooseFont)->SetOnExecute([this](CommandAction&) { ChooseFont(); });
    Action(Command::ChooseColor)->SetOnExecute([this](CommandAction&) { ChooseColor(); });
}

} // namespace pexa
