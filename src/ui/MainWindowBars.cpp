// The main window's stack of display bars, the active bar, and the view
// options of the window.

#include "ui/MainWindow.h"
#include "ui/WindowMenuBar.h"

#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
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

// ---- The bar list -------------------------------------------------------------

int MainWindow::BarCount() const {
    return barSite_ != nullptr ? barSite_->BandCount() : 0;
}

CalcBar* MainWindow::BarAt(int index) const {
    if (index < 0 || index >= BarCount())
        return nullptr;
    return static_cast<CalcBar*>(barSite_->BandWidget(index));
}

CalcBar* MainWindow::FindBar(BarKind kind) const {
    for (int i = 0; i < BarCount(); ++i)
        if (BarAt(i)->Kind() == kind)
            return BarAt(i);
    return nullptr;
}

// The calculator opens the bar and keeps its conversion; the widget shows it.
CalcBar* MainWindow::CreateBar(BarKind kind) {
    Conversion* conv = calculator_.OpenBar(kind);
    if (conv == nullptr)
        return nullptr;
    CalcBar* bar = nullptr;
    try {
        bar = BarClassWithConvOf(kind)(barSite_, *conv);
    } catch (...) {
        calculator_.CloseBar(kind);
        throw;
    }
    const int index = barSite_->AddBand(bar);

    // Direct connections: the window acts inside the bar's event handling,
    // before the bar goes on.
    connect(
        bar, &CalcBar::ActivateRequested, this,
        [this](CalcBar& activated) {
            ActivateBar(&activated);
            RefreshStates();
        },
        Qt::DirectConnection);
    // The click arrives inside the bar's own event handling: the bar goes
    // once that has returned.
    connect(
        bar, &CalcBar::MiddleClicked, this,
        [this](CalcBar& clicked) {
            QPointer<CalcBar> target(&clicked);
            QMetaObject::invokeMethod(
                this,
                [this, target] {
                    if (!target.isNull() && barSite_->IndexOf(target) >= 0) {
                        CloseBar(target);
                        RefreshStates();
                    }
                },
                Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    connect(
        bar, &CalcBar::MenuBuilding, this,
        [this](CalcBar& owner, QMenu& menu, int phase) { BuildBarMenu(owner, menu, phase); },
        Qt::DirectConnection);
    connect(
        bar, &CalcBar::BitClicked, this,
        [this](CalcBar&, int bit) {
            calculator_.FlipBit(bit);
            UpdateActions();
        },
        Qt::DirectConnection);

    bar->SetSeparated(separated_);
    bar->SetShowIndicators(showIndicators_);
    bar->SetDisplayFont(displayFont_);
    bar->SetOperatorText(QString::fromStdString(calculator_.PendingOperatorSymbol()));
    bar->UpdateIndicators();
    ShowBarText(*bar);
    if (testAttribute(Qt::WA_WState_Created))
        barSite_->SetBandMinWidth(index, bar->CaptionWidth());
    EnsureActiveBar();
    return bar;
}

void MainWindow::DisconnectBar(CalcBar& bar) {
    disconnect(&bar, &CalcBar::ActivateRequested, this, nullptr);
    disconnect(&bar, &CalcBar::MiddleClicked, this, nullptr);
    disconnect(&bar, &CalcBar::MenuBuilding, this, nullptr);
    disconnect(&bar, &CalcBar::BitClicked, this, nullptr);
}

void MainWindow::CloseBar(CalcBar* bar) {
    if (bar == nullptr)
        return;
    const int index = barSite_->IndexOf(bar);
    if (index < 0)
        return;
    barSite_->TakeBand(index);
    DisconnectBar(*bar);
    // The close may come from the bar's own menu or events: it is destroyed
    // when they have returned, and until then it is a hidden child that
    // keeps the conversion the calculator lets go.
    bar->AdoptConversion(calculator_.CloseBar(bar->Kind()));
    bar->hide();
    bar->setParent(this);
    bar->deleteLater();
    EnsureActiveBar();
    UpdateCaption();
}

void MainWindow::CloseBarOfKind(BarKind kind) {
    CalcBar* bar = FindBar(kind);
    if (bar == nullptr)
        return;
    SaveBarSettings(*bar);
    CloseBar(bar);
}

void MainWindow::ToggleBar(BarKind kind) {
    if (FindBar(kind) != nullptr)
        CloseBarOfKind(kind);
    else if (CalcBar* bar = CreateBar(kind))
        ActivateBar(bar);
}

CalcBar* MainWindow::ActiveBar() const {
    const std::optional<BarKind> active = calculator_.Bars().Active();
    return active ? FindBar(*active) : nullptr;
}

int MainWindow::ActiveBarIndex() const {
    const CalcBar* bar = ActiveBar();
    return bar != nullptr ? barSite_->IndexOf(bar) : -1;
}

void MainWindow::SyncBarOrder() {
    std::vector<BarKind> order;
    order.reserve(static_cast<size_t>(BarCount()));
    for (int i = 0; i < BarCount(); ++i)
        order.push_back(BarAt(i)->Kind());
    calculator_.Bars().SetOrder(order);
}

void MainWindow::ActivateBar(CalcBar* bar) {
    SyncBarOrder();
    calculator_.Bars().Activate(bar != nullptr ? std::optional<BarKind>(bar->Kind())
                                               : std::nullopt);
}

void MainWindow::EnsureActiveBar() {
    SyncBarOrder();
    calculator_.Bars().EnsureActive();
}

void MainWindow::StepActiveBar(int direction) {
    SyncBarOrder();
    calculator_.Bars().StepActive(direction);
}

void MainWindow::UpdateCaption() {
    const CalcBar* bar = ActiveBar();
    setWindowTitle(bar != nullptr ? baseCaption_ + QStringLiteral(" - ") + bar->Title()
                                  : baseCaption_);
}

void MainWindow::BuildBarMenu(CalcBar& bar, QMenu& menu, int phase) {
    if (phase == 0) {
        connect(&menu, &QMenu::aboutToShow, this, &MainWindow::RefreshStates);
        menu.addAction(Action(Command::EditCopy));
        if (bar.SupportsSeparated())
            menu.addAction(Action(Command::EditCopyFmt));
        if (!bar.RefusesPaste())
            menu.addAction(Action(Command::EditPaste));
        menu.addSeparator();
    } else {
        menu.addSeparator();
        menu.addAction(Action(Command::BarClose));
    }
}

// ---- View options -------------------------------------------------------------

void MainWindow::SetSeparated(bool on) {
    MarkChanged(ViewSource);
    separated_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetSeparated(on);
}

void MainWindow::SetShowIndicators(bool on) {
    MarkChanged(ViewSource);
    showIndicators_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetShowIndicators(on);
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
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetDisplayFont(displayFont_);
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
        Action(command)->SetOnExecute([this, kind](CommandAction&) { ToggleBar(kind); });
        // A kind this build has no conversion for cannot be opened.
        const bool available = CanOpenBarKind(kind);
        OnState(command, BarsSource, [this, kind, available](CommandAction& a) {
            const bool open = FindBar(kind) != nullptr;
            a.setEnabled(available || open);
            a.SetChecked(open);
        });
    }
    Action(Command::BarNext)->SetOnExecute([this](CommandAction&) { StepActiveBar(+1); });
    Action(Command::BarPrev)->SetOnExecute([this](CommandAction&) { StepActiveBar(-1); });
    CommandAction* barClose = Action(Command::BarClose);
    barClose->SetOnExecute([this](CommandAction&) { CloseBar(ActiveBar()); });
    OnState(Command::BarClose, BarsSource,
            [this](CommandAction& a) { a.setEnabled(ActiveBar() != nullptr); });

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
