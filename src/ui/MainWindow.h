#pragma once

#include "core/CalcValue.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"
#include "engine/CalculatorStates.h"
#include "ui/ButtonPanel.h"
#include "ui/CharacterKeyTable.h"
#include "ui/CommandTable.h"
#include "ui/Language.h"

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;
class QMenu;
class QToolBar;

namespace pexa {

class CommandAction;
class CommandActionList;
class BandSite;
class BarStack;
class CalcBar;
class HelpWindow;
class KeyRouter;
class PopupMenus;
class ViewOptions;
class WindowMenuBar;

// The main window: the view over the calculator (which holds every value and
// state, and the open bars' conversions). Every user command is an action of
// one of the three lists; the engine commands call the calculator, and the
// states and captions of the commands follow it on each refresh. Its parts
// are units of their own, each reached through one accessor: the stack of
// display bars (Bars), the view options (View), the menu bar (MainMenuBar),
// the pop-up menus (Popups) and the routing of keys (Keys).
class MainWindow : public QMainWindow, private CalculatorDisplay {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // ---- Commands ------------------------------------------------------
    CommandActionList* KeyActions() const { return keyActions_; }
    CommandActionList* MenuActions() const { return menuActions_; }
    // The bar variants' option buttons; the window gives them no handlers.
    CommandActionList* BarActions() const { return barActions_; }
    // The action of a command; every command has one.
    CommandAction* Action(Command command) const { return actions_[IndexOf(command)]; }
    // Recomputes every command's enabled, checked and caption state.
    void UpdateActions();
    // Recomputes the states of the commands that depend on what changed since
    // the last refresh (what the calculator reported, its states, the view
    // options, the clipboard); does nothing when nothing did. Every user
    // command ends with one.
    void RefreshStates();
    // How many refreshes found something to recompute.
    int StateRefreshCount() const { return stateRefreshCount_; }

    // ---- Engine ----------------------------------------------------------
    // The calculator the window shows. The commands reach it through here,
    // as do key routing, the button panel and tests; a change made on it
    // directly shows in the commands' states after the next RefreshStates.
    const Calculator& Engine() const { return calculator_; }
    Calculator& Engine() { return calculator_; }

    // ---- Bars ------------------------------------------------------------
    // The display bars and the active one.
    BarStack& Bars() const { return *bars_; }
    void UpdateCaption();
    QString BaseCaption() const { return baseCaption_; }

    // ---- View options ----------------------------------------------------
    ViewOptions& View() const { return *view_; }
    // Open the choosers (modal); a confirmed choice is applied.
    void ChooseFont();
    void ChooseColor();

    // ---- Clipboard -------------------------------------------------------
    // The active bar's text (grouped or plain) to the clipboard.
    void CopyToClipboard(bool grouped);
    // Types the clipboard's text into the active bar; text that is not
    // valid UTF-8 is refused.
    void PasteFromClipboard();
    // Pastes a text into the active bar, whole or not at all; false when it
    // was refused (the alert has sounded and the bar shows why).
    bool PasteText(const QString& text);
    // The same for the characters of a text.
    bool PasteCharacters(const std::u32string& characters);
    bool ClipboardHasText() const { return clipboardHasText_; }

    // ---- Containers --------------------------------------------------
    QToolBar* MainToolBar() const { return mainToolBar_; }
    // The menu bar and its menus.
    WindowMenuBar* MainMenuBar() const { return mainMenuBar_; }
    // The button panel; the calculator buttons are put into it from outside.
    QWidget* ButtonPane() const { return buttonPane_; }

    // ---- Settings, help and about box ------------------------------------
    // The shut-down write of every setting and each bar's own keys. A write
    // that fails stops it and is reported in a message box; what the file
    // held stays as it was.
    void SaveSettings();
    // Gives a bar that is being opened the options stored for its kind.
    void LoadBarSettings(CalcBar& bar);
    // Writes a bar's own keys at once (the bar is being switched off); a
    // failed write is reported the same way.
    void SaveBarSettings(CalcBar& bar);
    // Opens the help window at its contents, or at a command's topic.
    void ShowHelpContents();
    void ShowHelpContext(int context);
    // The help window, created on first use.
    HelpWindow* HelpViewer();
    // The about box, modal.
    void ShowAbout();

    // ---- Keys -----------------------------------------------------------------
    // The key table and the routing of keys and the wheel to the commands.
    KeyRouter& Keys() const { return *keys_; }

    // ---- Menus, button panel and tooltips (MainWindowControls.cpp) -------------
    // The mode, shift-amount, operator and context menus.
    PopupMenus& Popups() const { return *popups_; }
    const ButtonPanel& Buttons() const { return buttons_; }
    // The page control of the operator buttons.
    OperatorPages* OperatorPageTabs() const { return buttons_.OpPages; }
    // The tooltip a control shows: for one bound to a command, its short
    // hint with the command's shortcut or typed character; empty for none.
    QString ToolTipText(const QWidget& control) const;

    // ---- Language (MainWindowLanguage.cpp) -------------------------------------
    // Shows every window in that language at once; the value, the mode, the
    // bars and an entry in progress stay as they are. Written to pexa.ini on
    // shut-down.
    void SetLanguage(UiLanguage language);

protected:
    void showEvent(QShowEvent* event) override;
    // Retranslates every text when the language changes.
    void changeEvent(QEvent* event) override;
    // The tool bar's visibility is a command of its own, not Qt's menu.
    QMenu* createPopupMenu() override;

private:
    // Construction (MainWindow.cpp).
    void CreateActions();
    void BuildContainers();
    void BuildMenus();
    void BuildToolBar();
    // Every text the window and its menus show, in the language shown now.
    void Retranslate();
    void StartUp();
    // Once the window is first shown: each bar's panel fitted, the saved band
    // layout applied and fitted to the screen.
    void LayOutBarsOnFirstShow();
    void FitToScreen();
    void OnClipboardChanged();
    // Keys, menus and the button panel (MainWindowControls.cpp).
    void BuildCommandControls();
    void BindMenuActions();
    bool PrepareKeysAndMenus();
    void InstallToolTipHook();
    // Whether start-up prepared the key table; until then, and for good when
    // the table is faulty, the captions that follow the options stay the
    // table's.
    bool KeysPrepared() const;

    // Settings and shell (MainWindowSettings.cpp, MainWindowShell.cpp).
    void ReadViewSettings();
    void ReadColorSettings();
    void ReadFontSettings();
    void ReadBars();
    void ApplyBandLayouts();
    void WriteAllSettings();
    void BindShellActions();

    // What a command's state follows.
    enum StateSource : unsigned {
        EntrySource = 1u << 0,     // the active bar's text, the entry state
        ModeSource = 1u << 1,      // mode, signed, reversed
        OptionsSource = 1u << 2,   // angle unit, hyperbolic, shift options
        BarsSource = 1u << 3,      // open bars and the active one
        ViewSource = 1u << 4,      // the window's view options
        ClipboardSource = 1u << 5, // whether the clipboard holds text
        AllSources = (1u << 6) - 1,
    };
    // Sets the function that computes a command's state, and what it follows.
    void OnState(Command command, unsigned sources, std::function<void(CommandAction&)> update);
    void MarkChanged(unsigned sources) { changed_ |= sources; }

    // Handlers (MainWindowCommands.cpp and MainWindowView.cpp).
    void BindEngineActions();
    void BindBarActions();
    void BindClipboardActions();
    // Sets the captions that follow the options again (over the table's).
    void UpdateOptionCaptions();
    // What the calculator reports (MainWindowCommands.cpp).
    void BarTextChanged(BarKind kind) override;
    void BarReadingChanged(BarKind kind) override;
    void PendingOperatorChanged() override;
    void ActiveBarChanged() override;
    // Shows the reason in the active bar and sounds the alert
    // (MainWindowClipboard.cpp, with the paste's refusals).
    void OperationRefused(const Refusal& refusal) override;
    // The alert, and the refusal's message in the active bar; about is the
    // text it names.
    void ShowRefusal(const Refusal& refusal, const QString& about);

    Calculator calculator_{*this};

    // Bars and view.
    QString baseCaption_;
    bool shownOnce_ = false;
    bool clipboardHasText_ = false;

    std::array<CommandAction*, CommandCount> actions_{};
    // Per command, the StateSource bits its state follows (none: fixed).
    std::array<unsigned char, CommandCount> stateSources_{};
    unsigned changed_ = AllSources;
    // The calculator's states as the commands show them.
    CalculatorStates shownStates_;
    int stateRefreshCount_ = 0;
    CommandActionList* keyActions_ = nullptr;
    CommandActionList* menuActions_ = nullptr;
    CommandActionList* barActions_ = nullptr;
    BarStack* bars_ = nullptr;
    ViewOptions* view_ = nullptr;
    QToolBar* mainToolBar_ = nullptr;
    WindowMenuBar* mainMenuBar_ = nullptr;
    QWidget* buttonPane_ = nullptr;

    // The stored font character set, kept only to be written back.
    int displayCharset_ = 1;
    // The colour chooser's custom colours as read ("ColorA=FFFFFF").
    std::vector<std::string> customColors_;
    HelpWindow* helpViewer_ = nullptr;
    KeyRouter* keys_ = nullptr;
    ButtonPanel buttons_;
    PopupMenus* popups_ = nullptr;
    QObject* toolTipHook_ = nullptr;
};

} // namespace pexa
