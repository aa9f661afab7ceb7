#include "ui/panel/OperatorPages.h"

#include "ui/text/AccessMarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QToolButton>

namespace pexa {

QPoint TabTextOrigin(const QRect& tab, const QSize& text) {
    // Right and bottom are exclusive here, as the tab's rectangle spans
    // left..left+width.
    const int right = tab.left() + tab.width();
    const int bottom = tab.top() + tab.height();
    return {(tab.left() + right - text.width()) / 2, (tab.top() + bottom - text.height()) / 2};
}

OperatorTabBar::OperatorTabBar(QWidget* parent) : QTabBar(parent) {
    setFocusPolicy(Qt::NoFocus);
    setDrawBase(false);
    setExpanding(false);
    // Three tabs always fit; the bar's own scroll buttons would take focus.
    setUsesScrollButtons(false);
    for (QToolButton* button : findChildren<QToolButton*>())
        button->setFocusPolicy(Qt::NoFocus);
}

void OperatorTabBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    for (int i = 0; i < count(); ++i)
        DrawTab(painter, i);
}

void OperatorTabBar::DrawTab(QPainter& painter, int index) const {
    const QRect rect = tabRect(index);
    const QPalette& colors = palette();
    painter.fillRect(rect, colors.color(QPalette::Window));

    const QString caption = StripAccessMarks(tabText(index));
    const QFontMetrics metrics(font());
    const QSize extent(metrics.horizontalAdvance(caption), metrics.height());
    const QPoint origin = TabTextOrigin(rect, extent);
    painter.setFont(font());
    painter.setPen(colors.color(QPalette::WindowText));
    painter.drawText(QRect(origin, extent), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     caption);

    // The selected tab is joined to its page above; the others are closed
    // off by a line along their top.
    painter.setPen(colors.color(QPalette::Dark));
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    painter.setPen(colors.color(QPalette::Light));
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    if (index != currentIndex()) {
        painter.setPen(colors.color(QPalette::Dark));
        painter.drawLine(edge.topLeft(), edge.topRight());
    }
}

OperatorPages::OperatorPages(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new OperatorTabBar(this));
    setTabPosition(QTabWidget::South);
    setFocusPolicy(Qt::NoFocus);
}

void OperatorPages::StepPage(bool backward) {
    const int index = currentIndex() + (backward ? -1 : 1);
    if (index >= 0 && index < count())
        setCurrentIndex(index);
}

} // namespace pexa
