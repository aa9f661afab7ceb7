#include "ui/window/ExpressionLine.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace pexa {

ExpressionLine::ExpressionLine(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("expressionLine"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(6);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("expressionEdit"));
    edit_->setFocusPolicy(Qt::ClickFocus);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("expressionPreview"));
    preview_->setTextFormat(Qt::PlainText);
    preview_->setMinimumWidth(120);
    row->addWidget(edit_, 3);
    row->addWidget(preview_, 2);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        historyIndex_ = history_.size();
        typed_ = text;
        emit TextChanged(text);
    });
}

void ExpressionLine::TakeKeyboard() {
    edit_->setFocus(Qt::ShortcutFocusReason);
    edit_->selectAll();
}

void ExpressionLine::ShowPreview(const QString& text, bool isError) {
    preview_->setText(text);
    // Tests and style sheets tell a message from a value by this.
    preview_->setProperty("error", isError);
}

void ExpressionLine::Accept() {
    const QString text = edit_->text();
    if (history_.isEmpty() || history_.constLast() != text)
        history_.append(text);
    historyIndex_ = history_.size();
    typed_.clear();
    edit_->clear();
    preview_->clear();
}

void ExpressionLine::StepHistory(int direction) {
    const qsizetype next = historyIndex_ + direction;
    if (next < 0 || next > history_.size())
        return;
    historyIndex_ = next;
    edit_->setText(next == history_.size() ? typed_ : history_.at(next));
    emit TextChanged(edit_->text());
}

bool ExpressionLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (edit_->text().trimmed().isEmpty())
            emit Left();
        else
            emit Submitted(edit_->text());
        return true;
    case Qt::Key_Escape:
        emit Left();
        return true;
    case Qt::Key_Up:
        StepHistory(-1);
        return true;
    case Qt::Key_Down:
        StepHistory(+1);
        return true;
    default:
        return false;
    }
}

} // namespace pexa
