// The main window's menu bar and its menus. Their texts are in the window's
// translation context, which pexa_ja.ts files them under.

#include "ui/menus/WindowMenuBar.h"

#include "ui/app/Language.h"
#include "ui/app/WindowingPlatform.h"
#include "ui/commands/CommandTable.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ViewOptions.h"

#include <QActionGroup>
#include <QMenu>

#include <initializer_list>
#include <optional>

namespace pexa {

namespace {

struct LanguageItem {
    UiLanguage Language;
    const char* Name;
};
constexpr LanguageItem LanguageItems[] = {
    {UiLanguage::Automatic, "actionLanguageAuto"},
    {UiLanguage::English, "actionLanguageEnglish"},
    {UiLanguage::Japanese, "actionLanguageJapanese"},
};

} // namespace

WindowMenuBar::WindowMenuBar(MainWindow& window) : QMenuBar(&window) {
    setObjectName(QStringLiteral("menuBar"));
    auto addItems = [&window](QMenu* menu, std::initializer_list<std::optional<Command>> commands) {
        for (const std::optional<Command> command : commands) {
            if (!command)
                menu->addSeparator();
            else
                menu->addAction(window.Action(*command));
        }
        connect(menu, &QMenu::aboutToShow, &window, &MainWindow::RefreshStates);
    };

    editMenu_ = addMenu(QString());
    editMenu_->setObjectName(QStringLiteral("editMenu"));
    addItems(editMenu_, {Command::EditUndo, Command::EditRedo, std::nullopt, Command::EditCopy,
                         Command::EditCopyGrouped, Command::EditPaste, Command::EditCopyCLiteral,
                         Command::EditExpression, std::nullopt, Command::EditCopyHistory,
                         Command::ClearHistory, std::nullopt});
    memoryMenu_ = editMenu_->addMenu(QString());
    memoryMenu_->setObjectName(QStringLiteral("memoryMenu"));
    addItems(memoryMenu_, {Command::MemoryStore, Command::MemoryAdd, Command::MemorySubtract,
                           Command::MemoryRecall, Command::MemoryClear});
    editMenu_->addSeparator();
    editMenu_->addAction(window.Action(Command::Exit));

    barMenu_ = addMenu(QString());
    barMenu_->setObjectName(QStringLiteral("barMenu"));
    addItems(barMenu_,
             {Command::ToggleDec, Command::ToggleHex, Command::ToggleBin, Command::ToggleOct,
              Command::ToggleSexagesimal, Command::ToggleSize, Command::ToggleChar,
              Command::ToggleTime, Command::ToggleIP, Command::ToggleFloat});

    viewMenu_ = addMenu(QString());
    viewMenu_->setObjectName(QStringLiteral("viewMenu"));
    addItems(viewMenu_,
             {Command::DigitGrouping, Command::ShowIndicators, std::nullopt, Command::ToolBar,
              Command::MenuBar, Command::ButtonPanel, Command::StayOnTop, Command::ExpressionLine,
              Command::HistoryPane, std::nullopt, Command::QuickMenu, Command::ModeMenu,
              std::nullopt, Command::ChooseFont, Command::ChooseBodyColour});
    // The way back from a colour that did not work out.
    defaultColor_ = viewMenu_->addAction(QString());
    defaultColor_->setObjectName(QStringLiteral("actionDefaultBodyColor"));
    connect(defaultColor_, &QAction::triggered, &window,
            [&window] { window.View().SetBodyColor(ViewOptions::kDefaultBodyColor); });
    connect(viewMenu_, &QMenu::aboutToShow, this, [this, &window] {
        defaultColor_->setEnabled(window.View().BodyColor() != ViewOptions::kDefaultBodyColor);
    });
    // A command the platform cannot carry out says why in its tooltip.
    viewMenu_->setToolTipsVisible(!CanKeepWindowOnTop());
    BuildLanguageMenu(window);

    helpMenu_ = addMenu(QString());
    helpMenu_->setObjectName(QStringLiteral("helpMenu"));
    addItems(helpMenu_, {Command::HelpContents, std::nullopt, Command::HelpAbout});
    Retranslate();
}

void WindowMenuBar::BuildLanguageMenu(MainWindow& window) {
    viewMenu_->addSeparator();
    languageMenu_ = viewMenu_->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("languageMenu"));
    languageChoices_ = new QActionGroup(languageMenu_);
    for (const LanguageItem& item : LanguageItems) {
        QAction* action = languageMenu_->addAction(QString());
        action->setObjectName(QString::fromLatin1(item.Name));
        action->setCheckable(true);
        action->setData(static_cast<int>(item.Language));
        languageChoices_->addAction(action);
        const UiLanguage language = item.Language;
        connect(action, &QAction::triggered, &window,
                [&window, language] { window.SetLanguage(language); });
    }
    // Each language is offered under its own name, so that a user who cannot
    // read the language shown now still finds theirs.
    languageChoices_->actions()[1]->setText(QStringLiteral("&English"));
    languageChoices_->actions()[2]->setText(QStringLiteral("日本語(&J)"));
    connect(languageMenu_, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : languageChoices_->actions())
            action->setChecked(action->data().toInt() == static_cast<int>(ChosenLanguage()));
    });
}

void WindowMenuBar::Retranslate() {
    editMenu_->setTitle(MainWindow::tr("&Edit"));
    memoryMenu_->setTitle(MainWindow::tr("&Memory"));
    barMenu_->setTitle(MainWindow::tr("&Bar"));
    viewMenu_->setTitle(MainWindow::tr("&View"));
    helpMenu_->setTitle(MainWindow::tr("&Help"));
    languageMenu_->setTitle(MainWindow::tr("&Language"));
    languageChoices_->actions()[0]->setText(MainWindow::tr("&Automatic"));
    defaultColor_->setText(MainWindow::tr("Default Body Colo&ur"));
}

} // namespace pexa
