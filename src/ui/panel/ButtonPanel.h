#pragma once

#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"

#include <QFrame>
#include <QString>
#include <QToolButton>

#include <vector>

class QGroupBox;
class QLabel;

namespace pexa {

class OperatorPages;

// A calculator button bound to a command's action: it runs the command when
// clicked and shows its caption (unless the button has its own, like "Sgn"
// or "CE"), its enabled and checked state and its tooltip. It never takes the
// keyboard focus.
class CommandButton : public QToolButton {
    Q_OBJECT
public:
    // No own caption follows the command's caption. An own caption is an
    // English source text of the context "ButtonPanel", shown translated.
    CommandButton(QAction& action, Command command, const char* ownCaption,
                  QWidget* parent = nullptr);

    Command BoundCommand() const { return command_; }

protected:
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowOwnTexts();

    Command command_;
    const char* ownCaption_;
};

// The parts of the button panel.
struct ButtonPanel {
    QGroupBox* ModeGroup = nullptr;
    OperatorPages* Pages = nullptr;
    QWidget* BinaryPage = nullptr;
    QWidget* MathPage = nullptr;
    QWidget* TrigonometryPage = nullptr;
    QFrame* ClearGroup = nullptr;
    QFrame* DigitGroup = nullptr;
    QFrame* OperatorGroup = nullptr;
    // The memory keys, under the operation pages.
    QFrame* MemoryGroup = nullptr;
    // The narrow arrow button beside the shifts by n bits: pressed, it opens
    // the shift-amount menu.
    QToolButton* ShiftAmountSelector = nullptr;
    std::vector<CommandButton*> Buttons;

    // The first button bound to the command of that name, or none.
    CommandButton* ButtonOf(const QString& actionName) const;
};

// Fills the pane with the mode group, the operation pages, and the entry,
// clearing and operator keys, every button bound to its command's action.
ButtonPanel BuildButtonPanel(QWidget& pane, const CommandActionArray& actions);

// The selector's tooltip and accessible name, in the language shown now.
void RetranslateShiftAmountSelector(QToolButton& selector);

} // namespace pexa
