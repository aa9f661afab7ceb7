// The main window's caption, the font and colour choosers, and the commands
// that open and close the bars and set the view options.

#include "ui/window/MainWindow.h"

#include "ui/app/FontChoice.h"
#include "ui/app/WindowingPlatform.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/StoredColorPalette.h"
#include "ui/window/ViewOptions.h"

#include <QColorDialog>
#include <QFontDialog>

#include <memory>

namespace pexa {

namespace {

// The view options that a command toggles.
struct ViewToggle {
    Command Action;
    ViewOptions::Flag Option;
};
constexpr ViewToggle ViewToggles[] = {
    {Command::DigitGrouping, ViewOptions::Flag::DigitGrouping},
    {Command::ShowIndicators, ViewOptions::Flag::ShowIndicators},
    {Command::ToolBar, ViewOptions::Flag::ToolBar},
    {Command::MenuBar, ViewOptions::Flag::MenuBar},
    {Command::ButtonPanel, ViewOptions::Flag::ButtonPanel},
    {Command::StayOnTop, ViewOptions::Flag::StayOnTop},
    {Command::ExpressionLine, ViewOptions::Flag::ExpressionLine},
    {Command::HistoryPane, ViewOptions::Flag::HistoryPane},
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
    const QColor color = QColorDialog::getColor(ColorOf(view_->BodyColor()), this);
    if (color.isValid())
        view_->SetBodyColor(EncodeStoredColor(RgbOf(color)));
}

// ---- Command bindings -------------------------------------------------------

// The bar and view commands.
void MainWindow::RunViewCommand(Command command) {
    const CommandInfo& info = InfoOf(command);
    if (const BarKind* kind = std::get_if<BarKind>(&info.Payload)) {
        bars_->Toggle(*kind);
        return;
    }
    for (const ViewToggle& toggle : ViewToggles) {
        if (toggle.Action == command) {
            view_->Set(toggle.Option, !view_->Is(toggle.Option));
            return;
        }
    }
    switch (command) {
    case Command::BarNext:
        bars_->StepActive(+1);
        break;
    case Command::BarPrev:
        bars_->StepActive(-1);
        break;
    case Command::BarClose:
        bars_->Close(bars_->Active());
        break;
    case Command::ChooseFont:
        ChooseFont();
        break;
    case Command::ChooseBodyColour:
        ChooseColor();
        break;
    default:
        break;
    }
}

void MainWindow::BindViewStates() {
    // The commands that open and close a bar of their kind.
    for (const CommandInfo& info : Commands()) {
        const BarKind* toggled = std::get_if<BarKind>(&info.Payload);
        if (toggled == nullptr)
            continue;
        const BarKind kind = *toggled;
        // A kind this build has no conversion for cannot be opened.
        const bool available = CanOpenBarKind(kind);
        OnState(info.Id, BarsSource, [this, kind, available](QAction& a) {
            const bool open = bars_->Find(kind) != nullptr;
            a.setEnabled(available || open);
            a.setChecked(open);
        });
    }
    OnState(Command::BarClose, BarsSource,
            [this](QAction& a) { a.setEnabled(bars_->Active() != nullptr); });
    for (const ViewToggle& toggle : ViewToggles) {
        const ViewOptions::Flag option = toggle.Option;
        OnState(toggle.Action, ViewSource,
                [this, option](QAction& a) { a.setChecked(view_->Is(option)); });
    }
    OnState(Command::FocusHistory, ViewSource,
            [this](QAction& a) { a.setEnabled(view_->Is(ViewOptions::Flag::HistoryPane)); });
    // Stay on top shows more than its option (in place of the binding above).
    OnState(Command::StayOnTop, ViewSource, [this](QAction& a) {
        a.setChecked(view_->Is(ViewOptions::Flag::StayOnTop));
        // Where the platform cannot keep a window on top, the command says
        // so instead of doing nothing.
        const bool available = CanKeepWindowOnTop();
        a.setEnabled(available);
        if (!available)
            a.setToolTip(tr("Not available here: under Wayland the desktop alone decides which "
                            "window stays on top"));
    });
}

} // namespace pexa
