// The main window's interface language: the retranslation of every text
// when the language changes while it runs.

#include "ui/window/MainWindow.h"

#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/bars/CalcBarVariants.h"
#include "ui/menus/PopupMenus.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/window/HistoryPane.h"

#include <QAbstractButton>
#include <QEvent>

#include <optional>

namespace pexa {

void MainWindow::SetLanguage(UiLanguage language) {
    ApplyLanguage(language);
    // Qt posts the change to every window; this one changes at once.
    Retranslate();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
}

void MainWindow::Retranslate() {
    mainMenuBar_->Retranslate();

    // The texts of the table's rows again, in the language shown now.
    for (const CommandInfo& info : Commands())
        SetCommandTexts(*Action(info.Id), info.Id);
    // The captions that follow the options are made again over the table's.
    UpdateOptionCaptions();
    if (popups_ != nullptr)
        popups_->Retranslate();
    historyPane_->setAccessibleName(ShortHintOf(Command::HistoryPane));
    if (buttons_.ShiftAmountSelector != nullptr)
        RetranslateShiftAmountSelector(*buttons_.ShiftAmountSelector);
    // A bar's option buttons copy their command's hint when they are made,
    // and a bar's value tooltip is made with its text.
    for (int i = 0; i < bars_->Count(); ++i) {
        bars_->At(i)->ShowText();
        for (QAbstractButton* button : bars_->At(i)->findChildren<QAbstractButton*>()) {
            if (const std::optional<Command> command = CommandOfOptionButton(*button))
                button->setToolTip(ShortHintOf(*command));
        }
    }
    UpdateActions();
}

} // namespace pexa
