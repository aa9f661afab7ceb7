#pragma once

#include "ui/CommandTable.h"

#include <QFrame>
#include <QString>
#include <QToolButton>

#include <functional>
#include <vector>

class QGroupBox;
class QLabel;

namespace pexa {

class CommandAction;
class ActionLink;
class OperatorPages;

// A calculator button bound to a command: it runs the command when clicked
// and shows its caption (unless the button has its own, like "Sgn" or "CE"),
// its enabled and checked state. It never takes the keyboard focus.
class CommandButton : public QToolButton {
    Q_OBJECT
public:
    // No own caption follows the command's caption. An own caption is an
    // English source text of the context "ButtonPanel", shown translated.
    CommandButton(CommandAction* action, const char* ownCaption, QWidget* parent = nullptr);

    CommandAction* Action() const;
    ActionLink* Link() const { return link_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void SyncVisible();
    QString OwnCaption() const;

    const char* ownCaption_;
    ActionLink* link_;
};

// The shift-amount selector: a narrow panel with an arrow picture. A left
// press on either reports MouseDown; other buttons do nothing.
class ShiftAmountSelector : public QFrame {
    Q_OBJECT
public:
    explicit ShiftAmountSelector(QWidget* parent = nullptr);
    QLabel* Picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // A left press, delivered at once, inside the press's own handling.
    void MouseDown();

private:
    bool HandlePress(Qt::MouseButton button);

    QLabel* picture_;
};

// The parts of the button panel.
struct ButtonPanel {
    QGroupBox* GrpMode = nullptr;
    OperatorPages* OpPages = nullptr;
    QWidget* PageBit = nullptr;
    QWidget* PageMath = nullptr;
    QWidget* PageTrigon = nullptr;
    QFrame* GrpManip = nullptr;
    QFrame* GrpInput = nullptr;
    QFrame* GrpOp = nullptr;
    ShiftAmountSelector* CmdShiftAmountSel = nullptr;
    std::vector<CommandButton*> Buttons;

    // The first button bound to the command of that name, or none.
    CommandButton* ButtonOf(const QString& actionName) const;
};

using ActionFinder = std::function<CommandAction*(Command command)>;

// Fills the pane with the mode group, the operation pages, and the entry,
// clearing and operator keys, every button bound to its command.
ButtonPanel BuildButtonPanel(QWidget& pane, const ActionFinder& find);

} // namespace pexa
