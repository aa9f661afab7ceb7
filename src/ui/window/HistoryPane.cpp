#include "ui/window/HistoryPane.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QWheelEvent>

#include <utility>

namespace pexa {

// The tape's lines as rows: a row's text is made when the view asks for it,
// so that only the lines on screen are formatted.
class TapeListModel : public QAbstractListModel {
public:
    TapeListModel(const HistoryTape& tape, QObject* parent)
        : QAbstractListModel(parent), tape_(tape) {}

    void Reset(ValueFormatter format) {
        beginResetModel();
        format_ = std::move(format);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(tape_.Count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const TapeLine* line = tape_.At(static_cast<std::size_t>(index.row()));
        if (role != Qt::DisplayRole || line == nullptr || !format_)
            return {};
        return QString::fromStdString(TapeLineText(*line, format_));
    }

private:
    const HistoryTape& tape_;
    ValueFormatter format_;
};

HistoryPane::HistoryPane(const HistoryTape& tape, QWidget* parent)
    : QListView(parent), model_(new TapeListModel(tape, this)) {
    setObjectName(QStringLiteral("historyPane"));
    setModel(model_);
    // Not in the Tab chain: the calculator keeps the keys until the user
    // clicks here or presses F6.
    setFocusPolicy(Qt::ClickFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit Recalled(index.row()); });
}

void HistoryPane::ShowTape(ValueFormatter format) {
    model_->Reset(std::move(format));
    scrollToBottom();
}

void HistoryPane::TakeKeyboard() {
    if (!currentIndex().isValid() && model_->rowCount({}) > 0)
        setCurrentIndex(model_->index(model_->rowCount({}) - 1));
    setFocus(Qt::ShortcutFocusReason);
}

// A few lines high; as wide as the bars make the window.
QSize HistoryPane::sizeHint() const {
    constexpr int kLinesShown = 6;
    return {QListView::sizeHint().width(),
            fontMetrics().lineSpacing() * kLinesShown + 2 * frameWidth()};
}

// The wheel scrolls the lines and stops at their ends: a notch beyond them
// must not go on to the window, where the wheel steps the bars.
void HistoryPane::wheelEvent(QWheelEvent* event) {
    QListView::wheelEvent(event);
    event->accept();
}

void HistoryPane::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_F6) {
        event->accept();
        emit Left();
        return;
    }
    QListView::keyPressEvent(event);
    // The list leaves Enter, Del and typed characters unused; here they are
    // not the calculator's keys. Function keys and keys held with Ctrl, Alt
    // or Meta go on to the window's commands.
    const bool commandKey =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        (key >= Qt::Key_F1 && key <= Qt::Key_F35);
    if (!commandKey)
        event->accept();
}

} // namespace pexa
