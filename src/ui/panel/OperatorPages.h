#pragma once

#include <QRect>
#include <QTabBar>
#include <QTabWidget>

class QPainter;

namespace pexa {

// Where a tab's caption goes: centred in the tab, halves rounded down, so
// that an odd leftover pixel falls to the right and below.
QPoint TabTextOrigin(const QRect& tab, const QSize& text);

// The tabs of the operation pages, filled with the window's colour (the
// palette's Window role, which the main window sets from its chosen colour)
// instead of the style's tab look, so that they follow that colour.
class OperatorTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit OperatorTabBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawTab(QPainter& painter, int index) const;
};

// The page control of the button panel: the "Binary", "Math" and "Trigon"
// pages with their tabs at the bottom. It takes no keyboard focus; the
// window steps its pages with Ctrl+Tab.
class OperatorPages : public QTabWidget {
    Q_OBJECT
public:
    explicit OperatorPages(QWidget* parent = nullptr);

    // Selects the next (or previous) page; nothing happens past either end.
    void StepPage(bool backward);
};

} // namespace pexa
