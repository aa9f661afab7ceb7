#pragma once

#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"
#include "engine/CalculatorStates.h"
#include "engine/Expression.h"
#include "ui/app/Language.h"
#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"
#include "ui/panel/ButtonPanel.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QKeyEvent;
class QMenu;
class QToolBar;

namespace pexa {

class BandSite;
class BarStack;
class CalcBar;
class ExpressionLine;
class HelpWindow;
class HistoryPane;
class KeyRouter;
class PopupMenus;
class ViewOptions;
class WindowMenuBar;

// The main window: the view over the calculator (which holds every value and
// state, and the open bars' conversions). Every user command is an action of
// the command array and runs through one dispatch function; the engine
// commands call the calculator, and the states and captions of the commands
// follow it on each refresh. Its parts
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
    // The action of a command; every command has one.
    QAction* Action(Command command) const { return actions_[IndexOf(command)]; }
    const CommandActionArray& Actions() const { return actions_; }
    // Runs the command as a key, a button or a menu does: the states are
    // refreshed before and after, and only an enabled command runs. False
    // for a command that did not run (disabled, or one the window does not
    // run: the bars' option buttons), so that its key can go on.
    bool Execute(Command command);
    // Whether Execute would run the command with the states shown now.
    bool CanExecute(Command command) const;
    // For tests: every command runs this in place of its work, whatever its
    // state, so that a key's command is known under any keyboard layout.
    void ReplaceCommandsForTest(std::function<void(Command)> standIn);
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

    // ---- View options ----------------------------------------------------
    ViewOptions& View() const { return *view_; }
    // Open the choosers (modal); a confirmed choice is applied.
    void ChooseFont();
    void ChooseColor();

    // ---- Clipboard -------------------------------------------------------
    // The active bar's text (grouped or plain) to the clipboard.
    void CopyToClipboard(bool grouped);
    // The current value as C source ("0x000000F9u") to the clipboard.
    void CopyCLiteralToClipboard();
    // Types the clipboard's text into the active bar; text that is not
    // valid UTF-8 is refused.
    void PasteFromClipboard();
    // Pastes a text into the active bar, whole or not at all; false when it
    // was refused (the alert has sounded and the bar shows why).
    bool PasteText(const QString& text);
    // The same for the characters of a text.
    bool PasteCharacters(const std::u32string& characters);
    bool ClipboardHasText() const { return clipboardHasText_; }

    // ---- Expression line (MainWindowExpression.cpp) ------------------------
    // The line above the bars where an expression is typed.
    ExpressionLine* ExpressionInput() const { return expressionLine_; }
    // Shows the line and gives it the keyboard.
    void FocusExpressionLine();
    // Evaluates an expression as the calculator would now, and on success
    // makes its value the computed value (one undo step); false, with
    // nothing changed, for a text that gives no value.
    bool EnterExpression(const QString& text);

    // ---- History pane (MainWindowHistory.cpp) --------------------------------
    // The calculator's tape below the bars, in the active bar's notation.
    HistoryPane* History() const { return historyPane_; }
    // Gives the shown pane the keyboard.
    void FocusHistory();
    // Makes the tape line's result, in its mode, the computed value (one
    // undo step) and gives the keyboard back to the bars; false for no line.
    bool RecallHistoryLine(int index);
    // The whole tape as text, a line a calculation, in the active bar's notation.
    void CopyHistoryToClipboard();

    // ---- Containers --------------------------------------------------
    QToolBar* MainToolBar() const { return mainToolBar_; }
    // The menu bar and its menus.
    WindowMenuBar* MainMenuBar() const { return mainMenuBar_; }
    // The button panel; the calculator buttons are put into it from outside.
    QWidget* ButtonPane() const { return buttonPane_; }
    // No control of the window keeps the focus: the keys go to the bars, and
    // the active bar holds the focus for screen readers.
    void GiveKeyboardToBars();

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

    // Settings and shell (MainWindowSettings.cpp, MainWindowShell.cpp).
    void ReadViewSettings();
    void ReadColorSettings();
    void ReadFontSettings();
    void ReadBars();
    void ApplyBandLayouts();
    void WriteAllSettings();
    void InstallMenuHelp();

    // What a command's state follows.
    enum StateSource : unsigned {
        EntrySource = 1u << 0,     // the active bar's text, the entry state
        ModeSource = 1u << 1,      // mode, signed, reversed
        OptionsSource = 1u << 2,   // angle unit, hyperbolic, shift options
        BarsSource = 1u << 3,      // open bars and the active one
        ViewSource = 1u << 4,      // the window's view options
        ClipboardSource = 1u << 5, // whether the clipboard holds text
        UndoSource = 1u << 6,      // whether there is a step to undo or redo
        MemorySource = 1u << 7,    // whether the memory holds a value
        TapeSource = 1u << 8,      // whether the history tape has lines
        AllSources = (1u << 9) - 1,
    };
    // Sets the function that computes a command's state, and what it follows.
    void OnState(Command command, unsigned sources, std::function<void(QAction&)> update);
    void ShowState(Command command);
    void MarkChanged(unsigned sources) { changed_ |= sources; }

    // What each command does: the one dispatch function
    // (MainWindowCommands.cpp), with the view, bar and clipboard commands
    // beside it (MainWindowView.cpp, MainWindowClipboard.cpp).
    void Dispatch(Command command);
    void RunEngineCommand(Command command);
    void RunViewCommand(Command command);
    // The functions the commands' states follow.
    void BindEngineStates();
    void BindViewStates();
    void BindClipboardStates();
    // Sets the captions that follow the options again (over the table's).
    void UpdateOptionCaptions();
    // What the calculator reports (MainWindowCommands.cpp).
    void BarTextChanged(BarKind kind) override;
    void BarReadingChanged(BarKind kind) override;
    void PendingOperatorChanged() override;
    void ActiveBarChanged() override;
    void StateRestored() override;
    void MemoryChanged() override;
    // The memory mark of the active bar, its tooltip the memory's value in
    // that bar's notation; the other bars show none.
    void ShowMemoryMark();
    // The memory saved with the settings, and put back at start-up.
    void ReadMemorySettings();
    void WriteMemorySettings();
    // Shows the reason in the active bar and sounds the alert
    // (MainWindowClipboard.cpp, with the paste's refusals).
    void OperationRefused(const Refusal& refusal) override;
    // The alert, and the refusal's message in the active bar; about is the
    // text it names.
    void ShowRefusal(const Refusal& refusal, const QString& about);
    // The expression line's parts (MainWindowExpression.cpp).
    void BuildExpressionLine(QWidget& parent);
    ExpressionContext ExpressionContextNow() const;
    void PreviewExpression(const QString& text);
    void RefreshExpressionPreview();
    // The history pane's parts (MainWindowHistory.cpp).
    void BuildHistoryPane(QWidget& parent);
    void ShowHistory();
    void FollowActiveBarInHistory();
    void TapeChanged() override;
    void ReadHistorySettings();
    void WriteHistorySettings();

    Calculator calculator_{*this};

    // Bars and view.
    QString baseCaption_;
    bool shownOnce_ = false;
    bool clipboardHasText_ = false;

    CommandActionArray actions_{};
    // Per command, the StateSource bits its state follows (none: fixed), and
    // the function that computes it.
    std::array<std::uint16_t, CommandCount> stateSources_{};
    std::array<std::function<void(QAction&)>, CommandCount> stateOf_;
    std::function<void(Command)> standIn_;
    unsigned changed_ = AllSources;
    // The calculator's states as the commands show them.
    CalculatorStates shownStates_;
    bool shownCanUndo_ = false;
    bool shownCanRedo_ = false;
    int stateRefreshCount_ = 0;
    BarStack* bars_ = nullptr;
    ViewOptions* view_ = nullptr;
    QToolBar* mainToolBar_ = nullptr;
    WindowMenuBar* mainMenuBar_ = nullptr;
    QWidget* buttonPane_ = nullptr;
    ExpressionLine* expressionLine_ = nullptr;
    HistoryPane* historyPane_ = nullptr;

    // The stored font character set, kept only to be written back.
    int displayCharset_ = 1;
    // The colour chooser's custom colours as read ("ColorA=FFFFFF").
    std::vector<std::string> customColors_;
    HelpWindow* helpViewer_ = nullptr;
    KeyRouter* keys_ = nullptr;
    ButtonPanel buttons_;
    PopupMenus* popups_ = nullptr;
};

} // namespace pexa
