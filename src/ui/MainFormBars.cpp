// The main window's stack of display bars, the active bar, and the view
// options of the window.

#include "ui/MainForm.h"

#include "conv/CalcConv.h"
#include "conv/ConvFactory.h"
#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionList.h"
#include "ui/toolkit/BandSite.h"
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

int TForm_Main::BarCount() const {
    return barSite_ != nullptr ? barSite_->BandCount() : 0;
}

TCalcBar* TForm_Main::BarAt(int index) const {
    if (index < 0 || index >= BarCount())
        return nullptr;
    return static_cast<TCalcBar*>(barSite_->BandWidget(index));
}

TCalcBar* TForm_Main::FindBar(BarKind kind) const {
    for (int i = 0; i < BarCount(); ++i)
        if (BarAt(i)->Kind() == kind)
            return BarAt(i);
    return nullptr;
}

bool TForm_Main::CanCreateBarKind(BarKind kind) {
    return Calculator::CanOpenBarKind(kind);
}

// The calculator opens the bar and keeps its conversion; the widget shows it.
TCalcBar* TForm_Main::CreateBar(BarKind kind) {
    TCalcConv* conv = calculator_.OpenBar(kind);
    if (conv == nullptr)
        return nullptr;
    TCalcBar* bar = nullptr;
    try {
        bar = BarClassWithConvOf(kind)(barSite_, *conv);
    } catch (...) {
        calculator_.CloseBar(kind);
        throw;
    }
    const int index = barSite_->AddBand(bar);

    bar->OnActivate = [this](TCalcBar& activated) {
        ActivateBar(&activated);
        RefreshStates();
    };
    // The click arrives inside the bar's own event handling: the bar goes
    // once that has returned.
    bar->OnMiddleClick = [this](TCalcBar& clicked) {
        QPointer<TCalcBar> target(&clicked);
        QMetaObject::invokeMethod(
            this,
            [this, target] {
                if (!target.isNull() && barSite_->IndexOf(target) >= 0) {
                    CloseBar(target);
                    RefreshStates();
                }
            },
            Qt::QueuedConnection);
    };
    bar->OnBuildMenu = [this](TCalcBar& owner, QMenu& menu, int phase) {
        BuildBarMenu(owner, menu, phase);
    };
    bar->OnBitClick = [this](TCalcBar&, int bit) {
        calculator_.FlipBit(bit);
        UpdateActions();
    };

    bar->SetSeparated(separated_);
    bar->SetShowIndicators(showIndicators_);
    bar->SetDisplayFont(displayFont_);
    bar->SetOperatorText(OperatorText());
    bar->UpdateIndicators();
    ShowBarText(*bar);
    if (testAttribute(Qt::WA_WState_Created))
        barSite_->SetBandMinWidth(index, bar->CaptionWidth());
    EnsureActiveBar();
    return bar;
}

void TForm_Main::CloseBar(TCalcBar* bar) {
    if (bar == nullptr)
        return;
    const int index = barSite_->IndexOf(bar);
    if (index < 0)
        return;
    barSite_->TakeBand(index);
    bar->OnActivate = nullptr;
    bar->OnMiddleClick = nullptr;
    bar->OnBuildMenu = nullptr;
    bar->OnBitClick = nullptr;
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

void TForm_Main::CloseBarOfKind(BarKind kind) {
    TCalcBar* bar = FindBar(kind);
    if (bar == nullptr)
        return;
    SaveBarSettings(*bar);
    CloseBar(bar);
}

void TForm_Main::ToggleBar(BarKind kind) {
    if (FindBar(kind) != nullptr)
        CloseBarOfKind(kind);
    else if (TCalcBar* bar = CreateBar(kind))
        ActivateBar(bar);
}

TCalcBar* TForm_Main::ActiveBar() const {
    const std::optional<BarKind> active = calculator_.Bars().Active();
    return active ? FindBar(*active) : nullptr;
}

int TForm_Main::ActiveBarIndex() const {
    const TCalcBar* bar = ActiveBar();
    return bar != nullptr ? barSite_->IndexOf(bar) : -1;
}

void TForm_Main::SyncBarOrder() {
    std::vector<BarKind> order;
    order.reserve(static_cast<size_t>(BarCount()));
    for (int i = 0; i < BarCount(); ++i)
        order.push_back(BarAt(i)->Kind());
    calculator_.Bars().SetOrder(order);
}

void TForm_Main::ActivateBar(TCalcBar* bar) {
    SyncBarOrder();
    calculator_.Bars().Activate(bar != nullptr ? std::optional<BarKind>(bar->Kind())
                                               : std::nullopt);
}

void TForm_Main::EnsureActiveBar() {
    SyncBarOrder();
    calculator_.Bars().EnsureActive();
}

void TForm_Main::StepActiveBar(int direction) {
    SyncBarOrder();
    calculator_.Bars().StepActive(direction);
}

void TForm_Main::UpdateCaption() {
    const TCalcBar* bar = ActiveBar();
    setWindowTitle(bar != nullptr ? baseCaption_ + QStringLiteral(" - ") + bar->Title()
                                  : baseCaption_);
}

void TForm_Main::BuildBarMenu(TCalcBar& bar, QMenu& menu, int phase) {
    if (phase == 0) {
        connect(&menu, &QMenu::aboutToShow, this, &TForm_Main::RefreshStates);
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

void TForm_Main::SetSeparated(bool on) {
    MarkChanged(ViewSource);
    separated_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetSeparated(on);
}

void TForm_Main::SetShowIndicators(bool on) {
    MarkChanged(ViewSource);
    showIndicators_ = on;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetShowIndicators(on);
}

bool TForm_Main::ToolBarVisible() const {
    return !mainToolBar_->isHidden();
}

void TForm_Main::SetToolBarVisible(bool on) {
    MarkChanged(ViewSource);
    mainToolBar_->setVisible(on);
}

bool TForm_Main::MenuBarVisible() const {
    return !menuMain_->isHidden();
}

// A hidden menu bar takes no room and no Alt keys; the commands keep their
// shortcuts, which the window matches itself.
void TForm_Main::SetMenuBarVisible(bool on) {
    MarkChanged(ViewSource);
    menuMain_->setVisible(on);
}

bool TForm_Main::ButtonPanelVisible() const {
    return !paneButtons_->isHidden();
}

void TForm_Main::SetButtonPanelVisible(bool on) {
    MarkChanged(ViewSource);
    paneButtons_->setVisible(on);
}

bool TForm_Main::StayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TForm_Main::SetStayOnTop(bool on) {
    MarkChanged(ViewSource);
    if (StayOnTop() == on)
        return;
    // Changing the flags hides a shown window.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible)
        show();
}

void TForm_Main::SetDisplayFont(const QFont& font) {
    displayFont_ = font;
    for (int i = 0; i < BarCount(); ++i)
        BarAt(i)->SetDisplayFont(displayFont_);
}

void TForm_Main::SetBodyColor(std::int32_t value) {
    bodyColor_ = value;
    ApplyWindowColor();
}

QColor TForm_Main::BodyQColor() const {
    return ColorFromValue(bodyColor_);
}

void TForm_Main::ApplyWindowColor() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, BodyQColor());
    setPalette(palette);
    setAutoFillBackground(true);
}

void TForm_Main::ChooseFont() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, displayFont_, this);
    if (ok) {
        SetDisplayFont(font);
        FitToScreen();
    }
}

void TForm_Main::ChooseColor() {
    const QColor color = QColorDialog::getColor(BodyQColor(), this);
    if (color.isValid())
        SetBodyColor(ValueFromColor(color));
}

// ---- Command bindings -------------------------------------------------------

void TForm_Main::BindBarActions() {
    for (const Command command : ToggleActions) {
        const BarKind kind = PayloadOf<BarKind>(command);
        Action(command)->SetOnExecute([this, kind](TAction&) { ToggleBar(kind); });
        // A kind this build has no conversion for cannot be opened.
        const bool available = CanCreateBarKind(kind);
        OnState(command, BarsSource, [this, kind, available](TAction& a) {
            const bool open = FindBar(kind) != nullptr;
            a.SetEnabled(available || open);
            a.SetChecked(open);
        });
    }
    Action(Command::BarNext)->SetOnExecute([this](TAction&) { StepActiveBar(+1); });
    Action(Command::BarPrev)->SetOnExecute([this](TAction&) { StepActiveBar(-1); });
    TAction* barClose = Action(Command::BarClose);
    barClose->SetOnExecute([this](TAction&) { CloseBar(ActiveBar()); });
    OnState(Command::BarClose, BarsSource,
            [this](TAction& a) { a.SetEnabled(ActiveBar() != nullptr); });

    TAction* separated = Action(Command::Separated);
    separated->SetOnExecute([this](TAction&) { SetSeparated(!separated_); });
    OnState(Command::Separated, ViewSource, [this](TAction& a) { a.SetChecked(separated_); });
    TAction* indicators = Action(Command::ShowIndicators);
    indicators->SetOnExecute([this](TAction&) { SetShowIndicators(!showIndicators_); });
    OnState(Command::ShowIndicators, ViewSource,
            [this](TAction& a) { a.SetChecked(showIndicators_); });
    TAction* toolBar = Action(Command::ToolBar);
    toolBar->SetOnExecute([this](TAction&) { SetToolBarVisible(!ToolBarVisible()); });
    OnState(Command::ToolBar, ViewSource, [this](TAction& a) { a.SetChecked(ToolBarVisible()); });
    TAction* menuBar = Action(Command::MenuBar);
    menuBar->SetOnExecute([this](TAction&) { SetMenuBarVisible(!MenuBarVisible()); });
    OnState(Command::MenuBar, ViewSource, [this](TAction& a) { a.SetChecked(MenuBarVisible()); });
    TAction* buttonPanel = Action(Command::ButtonPanel);
    buttonPanel->SetOnExecute([this](TAction&) { SetButtonPanelVisible(!ButtonPanelVisible()); });
    OnState(Command::ButtonPanel, ViewSource,
            [this](TAction& a) { a.SetChecked(ButtonPanelVisible()); });
    TAction* stayOnTop = Action(Command::StayOnTop);
    stayOnTop->SetOnExecute([this](TAction&) { SetStayOnTop(!StayOnTop()); });
    OnState(Command::StayOnTop, ViewSource, [this](TAction& a) { a.SetChecked(StayOnTop()); });
    Action(Command::ChooseFont)->SetOnExecute([this](TAction&) { ChooseFont(); });
    Action(Command::ChooseColor)->SetOnExecute([this](TAction&) { ChooseColor(); });
}

} // namespace pexa
