#pragma once

#include "ui/bars/CalcBar.h"

#include <QPoint>
#include <QRect>

#include <optional>

namespace pexa {

// ---- The binary bar (kind 3) ----

// Every binary digit is a switch: a left click flips that bit of the value
// (the owner does it on BitClicked), and hovering shows the bit's number, 0
// for the least significant. The number is the bit of the value that a
// click flips, which is also where the digit stands, since this bar never
// reverses the byte order. The grouping blanks are no bits; a message and
// the Real mode, where the bar shows a truncated integer, offer none.
// A click on the inactive bar activates it as any click does, and flips.
class BinaryBar : public CalcBar {
    Q_OBJECT

public:
    BinaryBar(CreateKey key, QWidget* owner, BarConversion conv);

    // The bit of the value under a point of the value label, or none.
    std::optional<int> BitAt(QPoint labelPos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct DigitHit {
        int Bit;
        QRect Area; // the digit's cell in the value label
    };
    std::optional<DigitHit> DigitAt(QPoint labelPos) const;
    bool ShowBitTip(QEvent* event);
    bool ClickBit(QObject* watched, QEvent* event);
};

} // namespace pexa
