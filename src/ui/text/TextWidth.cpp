#include "ui/text/TextWidth.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace pexa {

// One line laid out as a label lays out its text (no wrapping, the default
// tab stops), without the rest of the label's formatting pass.
int DrawnTextWidth(const QFont& font, const QString& text) {
    if (text.isEmpty())
        return 0;
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    constexpr int unlimited = 0x01000000;
    line.setLineWidth(unlimited);
    layout.endLayout();
    const int advance = qRound(line.horizontalAdvance());
    const int ink = static_cast<int>(std::ceil(line.naturalTextWidth()));
    return std::max(advance, ink);
}

int DrawnWidthMemo::Of(const QFont& font, const QString& text) {
    if (width_ < 0 || text_ != text || !(font_ == font)) {
        width_ = DrawnTextWidth(font, text);
        font_ = font;
        text_ = text;
    }
    return width_;
}

void WidthEstimate::Read(const QFont& font) {
    const QFontMetricsF metrics(font);
    overhang_ = 0;
    for (char16_t c = kFirst; c <= kLast; ++c) {
        const QChar ch(c);
        advances_[c - kFirst] = metrics.horizontalAdvance(ch);
        overhang_ = std::max(overhang_, -metrics.rightBearing(ch));
    }
    font_ = font;
    read_ = true;
}

std::optional<int> WidthEstimate::Of(const QFont& font, const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    // The bars hand the same font object (or a copy of it) every time, so
    // the comparison stops at its shared data.
    if (!read_ || !(font_ == font))
        Read(font);
    qreal sum = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < kFirst || c > kLast)
            return std::nullopt;
        sum += advances_[c - kFirst];
    }
    return static_cast<int>(std::ceil(sum + overhang_));
}

} // namespace pexa
