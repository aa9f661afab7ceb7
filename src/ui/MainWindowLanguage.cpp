// The main window's interface language: the View menu's choice, and the
// retranslation of every text when the language changes while it runs.

#include "ui/MainWindow.h"

#include "ui/CalcBar.h"
#include "ui/CalcBarVariants.h"
#include "ui/CommandTable.h"
#include "ui/PopupMenus.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/CommandActionList.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include <optional>

namespace pexa {

namespace {

struct LanguageItem {
    UiLanguage Language;
    const char* Name;
};
constexpr LanguageItem LanguageItems[] = {
    {UiLanguage::Automatic, "ActLanguageAuto"},
    {UiLanguage::English, "ActLanguageEnglish"},
    {UiLanguage::Japanese, "ActLanguageJapanese"},
};

} // namespace

void MainWindow::BuildLanguageMenu() {
    viewMenu_->addSeparator();
    languageMenu_ = viewMenu_->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("PopupLanguage"));
    languageChoices_ = new QActionGroup(languageMenu_);
    languageChoices_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const LanguageItem& item : LanguageItems) {
        QAction* action = languageMenu_->addAction(QString());
        action->setObjectName(QString::fromLatin1(item.Name));
        action->setCheckable(true);
        action->setData(static_cast<int>(item.Language));
        languageChoices_->addAction(action);
        const UiLanguage language = item.Language;
        connect(action, &QAction::triggered, this, [this, language] { SetLanguage(language); });
    }
    // Each language is offered under its own name, so that a user who cannot
    // read the language shown now still finds theirs.
    languageChoices_->actions()[1]->setText(QStringLiteral("&English"));
    languageChoices_->actions()[2]->setText(QStringLiteral("日本語(&J)"));
    languageMenu_->setTitle(tr("&Language"));
    languageChoices_->actions()[0]->setText(tr("&Automatic"));
    connect(languageMenu_, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : languageChoices_->actions())
            action->setChecked(action->data().toInt() == static_cast<int>(ChosenLanguage()));
    });
}

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
    editMenu_->setTitle(tr("&Edit"));
    barMenu_->setTitle(tr("&Bar"));
    viewMenu_->setTitle(tr("&View"));
    helpMenu_->setTitle(tr("&Help"));
    if (languageMenu_ != nullptr) {
        languageMenu_->setTitle(tr("&Language"));
        languageChoices_->actions()[0]->setText(tr("&Automatic"));
    }

    // The texts of the table's rows again, in the language shown now.
    for (const CommandInfo& info : Commands()) {
        CommandAction* action = Action(info.Id);
        action->SetCaption(CommandText(info.Caption));
        action->SetHint(CommandText(info.Hint));
    }
    // The captions that follow the options are made again over the table's.
    UpdateOptionCaptions();
    if (popups_ != nullptr)
        popups_->Retranslate();
    if (buttons_.CmdShiftAmountSel != nullptr)
        SetWidgetHint(*buttons_.CmdShiftAmountSel, Action(Command::ShiftAmountSel)->Hint());
    // A bar's option buttons copy their command's hint when they are made,
    // and a bar's value tooltip is made with its text.
    for (int i = 0; i < BarCount(); ++i) {
        BarAt(i)->ShowText();
        for (QAbstractButton* button : BarAt(i)->findChildren<QAbstractButton*>()) {
            if (const std::optional<Command> command = CommandOfOptionButton(*button))
                button->setToolTip(Action(*command)->ShortHint());
        }
    }
    UpdateActions();
}

} // namespace pexa
