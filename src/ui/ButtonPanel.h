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

class TAction;
class TActionLink;
class TOpPages;

// A calculator button bound to a command: it runs the command when clicked
// and shows its caption (unless the button has its own, like "Sgn" or "CE"),
// its enabled, checked and visible state. It never takes the keyboard focus.
class TCmdButton : public QToolButton {
    Q_OBJECT
public:
    // An empty own caption follows the command's caption.
    TCmdButton(TAction* action, const QString& ownCaption, QWidget* parent = nullptr);

    TAction* Action() const;
    TActionLink* Link() const { return link_; }

private:
    void SyncVisible();

    TActionLink* link_;
};

// The shift-amount selector: a narrow panel with an arrow picture. A left
// press on either reports OnMouseDown; other buttons do nothing.
class TShiftAmountSel : public QFrame {
    Q_OBJECT
public:
    explicit TShiftAmountSel(QWidget* parent = nullptr);
    QLabel* Picture() const { return picture_; }
    std::function<void()> OnMouseDown;

    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseDown(Qt::MouseButton button);

    QLabel* picture_;
};

// The parts of the button panel.
struct TButtonPanel {
    QGroupBox* GrpMode = nullptr;
    TOpPages* OpPages = nullptr;
    QWidget* PageBit = nullptr;
    QWidget* PageMath = nullptr;
    QWidget* PageTrigon = nullptr;
    QFrame* GrpManip = nullptr;
    QFrame* GrpInput = nullptr;
    QFrame* GrpOp = nullptr;
    TShiftAmountSel* CmdShiftAmountSel = nullptr;
    std::vector<TCmdButton*> Buttons;

    // The first button bound to the command of that name, or none.
    TCmdButton* ButtonOf(const QString& actionName) const;
};

using TActionFinder = std::function<TAction*(Command command)>;

// Fills the pane with the mode group, the operation pages, and the entry,
// clearing and operator keys, every button bound to its command.
TButtonPanel BuildButtonPanel(QWidget& pane, const TActionFinder& find);

} // namespace pexa
