#pragma once

#include "engine/HistoryTape.h"

#include <QListView>

namespace pexa {

class TapeListModel;

// The history tape as a list below the bars, oldest line first, each in the
// notation it is given. It takes the keyboard only when clicked into or
// given it: while it has it, the arrow keys, Home and End move through the
// lines, Enter (or a double-click) recalls the line, and Esc or F6 hands
// the keyboard back; the keys it does not use go on to the window.
class HistoryPane : public QListView {
    Q_OBJECT

public:
    HistoryPane(const HistoryTape& tape, QWidget* parent);

    // Shows the tape again, its values through the formatter (in UTF-8),
    // scrolled to the newest line.
    void ShowTape(ValueFormatter format);
    // Takes the keyboard, on the newest line when none is current.
    void TakeKeyboard();
    QSize sizeHint() const override;

signals:
    // Enter on a line, or a double-click: the line's index in the tape.
    void Recalled(int index);
    // Esc or F6: the keyboard goes back to the bars.
    void Left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TapeListModel* model_ = nullptr;
};

} // namespace pexa
