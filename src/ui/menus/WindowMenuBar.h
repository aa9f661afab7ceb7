#pragma once

#include <QMenuBar>

class QActionGroup;

namespace pexa {

class MainWindow;

// The main window's menu bar: Edit, Bar, View (with the choice of the
// interface language) and Help, every item a command of the window. Each
// menu refreshes the window's command states as it opens.
class WindowMenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit WindowMenuBar(MainWindow& window);

    QMenu* EditMenu() const { return editMenu_; }
    QMenu* BarMenu() const { return barMenu_; }
    QMenu* ViewMenu() const { return viewMenu_; }
    QMenu* HelpMenu() const { return helpMenu_; }
    // The View menu's choice of the interface language.
    QMenu* LanguageMenu() const { return languageMenu_; }
    // The View menu's item that gives the window its default colour back.
    QAction* DefaultColorItem() const { return defaultColor_; }

    // The menus' own texts in the language shown now (the items are the
    // commands, which the window retranslates).
    void Retranslate();

private:
    void BuildLanguageMenu(MainWindow& window);

    QMenu* editMenu_ = nullptr;
    QMenu* memoryMenu_ = nullptr;
    QMenu* barMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QActionGroup* languageChoices_ = nullptr;
    QAction* defaultColor_ = nullptr;
};

} // namespace pexa
