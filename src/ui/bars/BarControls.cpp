#include "ui/bars/BarControls.h"

#include "ui/text/AccessMarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace pexa {

// ---- BarButton ----

BarButton::BarButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

// ---- BarSeparator ----

BarSeparator::BarSeparator(bool divider, int width, QWidget* parent)
    : QWidget(parent), divider_(divider) {
    setFixedWidth(width);
}

QSize BarSeparator::sizeHint() const {
    return {minimumWidth(), ToolButtonHeight};
}

void BarSeparator::paintEvent(QPaintEvent*) {
    if (!divider_) {
        return;
    }
    QPainter painter(this);
    const int x = width() / 2 - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(x, 2, x, height() - 3);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(x + 1, 2, x + 1, height() - 3);
}

int BarButton::CaptionTextWidth() const {
    const QFont& current = font();
    const QString caption = text();
    if (measured_.has_value() && measured_->Caption == caption && measured_->Font == current)
        return measured_->Width;
    const int width = QFontMetrics(current).horizontalAdvance(StripAccessMarks(caption));
    measured_ = MeasuredWidth{current, caption, width};
    return width;
}

// ---- BarCaption ----

BarCaption::BarCaption(QWidget* parent) : QWidget(parent) {}

void BarCaption::SetMarkedText(const QString& text) {
    markedText_ = text;
    measured_.reset();
    updateGeometry();
    update();
}

QSize BarCaption::sizeHint() const {
    const QFont& current = font();
    if (measured_.has_value() && measured_->Font == current)
        return measured_->Size;
    const QFontMetrics metrics(current);
    const QSize size(metrics.horizontalAdvance(StripAccessMarks(markedText_)), metrics.height());
    measured_ = MeasuredSize{current, size};
    return size;
}

void BarCaption::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                          palette(), isEnabled(), markedText_, QPalette::WindowText);
}

} // namespace pexa
