#include "ui/bars/BinaryBar.h"

#include "engine/Calculator.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolTip>

#include <cmath>
#include <utility>

namespace pexa {

namespace {

bool IsBinaryDigit(QChar c) {
    return c == QLatin1Char('0') || c == QLatin1Char('1');
}

// Where a right-aligned one-line label draws its text: the right edge of
// its contents, less the margin and an indent. A text wider than the label
// starts left of it and is cut there, which keeps the low bits in view.
qreal TextRightEdge(const QLabel& label) {
    const QRect contents = label.contentsRect();
    qreal right = contents.x() + contents.width() - label.margin();
    if (label.indent() > 0)
        right -= label.indent();
    return right;
}

} // namespace

BinaryBar::BinaryBar(CreateKey key, QWidget* owner, BarConversion conv)
    : CalcBar(key, owner, std::move(conv)) {}

// Each character's cell is measured as the advance of the text up to it,
// so any font, size or kerning lines up with what the label drew.
std::optional<BinaryBar::DigitHit> BinaryBar::DigitAt(QPoint labelPos) const {
    if (HasMessage() || IsFloatMode(Conv().GetMode()))
        return std::nullopt;
    const QLabel& label = *Parts().ValueLabel;
    const QString text = label.text();
    const QFontMetricsF metrics(label.font());
    const qreal textLeft = TextRightEdge(label) - metrics.horizontalAdvance(text);
    const qreal x = labelPos.x() + 0.5; // the pixel's centre
    qreal cellLeft = textLeft;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qreal cellRight = textLeft + metrics.horizontalAdvance(text.left(i + 1));
        if (x >= cellLeft && x < cellRight) {
            if (!IsBinaryDigit(text[i]))
                return std::nullopt;
            int shownBit = 0;
            for (qsizetype j = i + 1; j < text.size(); ++j)
                shownBit += IsBinaryDigit(text[j]) ? 1 : 0;
            const int bit = ValueBitShownAt(shownBit, Conv().GetMode(), Conv().IsReversed());
            if (bit < 0)
                return std::nullopt;
            const int left = static_cast<int>(std::floor(cellLeft));
            const int right = static_cast<int>(std::ceil(cellRight));
            return DigitHit{bit, QRect(left, 0, right - left, label.height())};
        }
        cellLeft = cellRight;
    }
    return std::nullopt;
}

std::optional<int> BinaryBar::BitAt(QPoint labelPos) const {
    const std::optional<DigitHit> hit = DigitAt(labelPos);
    return hit ? std::optional<int>(hit->Bit) : std::nullopt;
}

bool BinaryBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Parts().ValueLabel) {
        switch (event->type()) {
        case QEvent::ToolTip:
            return ShowBitTip(event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return ClickBit(watched, event);
        default:
            break;
        }
    }
    return CalcBar::eventFilter(watched, event);
}

// The tip stays while the pointer is over the same digit and goes when it
// leaves it, so moving along the bar reads one bit number after another.
bool BinaryBar::ShowBitTip(QEvent* event) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<DigitHit> hit = DigitAt(help->pos());
    if (!hit) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(), tr("Bit %1").arg(hit->Bit), Parts().ValueLabel,
                       hit->Area);
    return true;
}

// The bar does what any press on it does first (activation, a middle click
// closing it), then a left press on a digit flips its bit. A double click is
// two clicks: the second press flips the bit back.
bool BinaryBar::ClickBit(QObject* watched, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    std::optional<int> bit;
    if (mouse->button() == Qt::LeftButton)
        bit = BitAt(mouse->position().toPoint());
    QPointer<BinaryBar> self(this);
    const bool handled = CalcBar::eventFilter(watched, event);
    if (self && bit)
        emit BitClicked(*this, *bit);
    return handled;
}

} // namespace pexa
