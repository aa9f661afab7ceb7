#include "ui/text/ColorContrast.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pexa {

namespace {

// The sRGB channel in linear light. Colours are checked for contrast on
// every value shown, so the 256 channel values are worked out once.
double LinearChannel(int value) {
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (std::size_t i = 0; i < table.size(); ++i) {
            const double c = static_cast<double>(i) / 255.0;
            table[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return linear[static_cast<std::size_t>(std::clamp(value, 0, 255))];
}

double RelativeLuminance(const QColor& color) {
    const QColor rgb = color.toRgb();
    return 0.2126 * LinearChannel(rgb.red()) + 0.7152 * LinearChannel(rgb.green()) +
           0.0722 * LinearChannel(rgb.blue());
}

// The smallest blend from `color` towards `target` that reaches the ratio.
// Luminance changes monotonically along the blend, so halving finds it; the
// loop ends on the side that reaches the ratio.
QColor BlendUntilLegible(const QColor& color, const QColor& target, const QColor& background,
                         double minimum) {
    if (ContrastRatio(target, background) < minimum)
        return target;
    double low = 0.0;
    double high = 1.0;
    for (int step = 0; step < 16; ++step) {
        const double middle = (low + high) / 2.0;
        if (ContrastRatio(BlendColors(color, target, middle), background) >= minimum)
            high = middle;
        else
            low = middle;
    }
    return BlendColors(color, target, high);
}

} // namespace

QColor BlendColors(const QColor& from, const QColor& to, double t) {
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Legible(const QColor& color, const QColor& background, double minimum) {
    if (ContrastRatio(color, background) >= minimum)
        return color.toRgb();
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor extreme =
        ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
    return BlendUntilLegible(color, extreme, background, minimum);
}

QColor LegibleGreyText(const QPalette& palette, const QColor& background) {
    const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (ContrastRatio(grey, background) >= kReadableContrast)
        return grey.toRgb();
    // Towards the text colour first: the grey stays a grey of this palette.
    if (ContrastRatio(text, background) >= kReadableContrast)
        return BlendUntilLegible(grey, text, background, kReadableContrast);
    return Legible(grey, background);
}

QPalette BodyPalette(const QPalette& system, const QColor& body) {
    QPalette palette = system;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(group, text, Legible(system.color(group, text), body));
    }
    // A disabled text is meant to be faint: it keeps the contrast the
    // desktop gives it, and only a body that takes that away moves it.
    const QColor systemWindow = system.color(QPalette::Active, QPalette::Window);
    for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText}) {
        const QColor faint = system.color(QPalette::Disabled, text);
        const double distinct = std::min(ContrastRatio(faint, systemWindow), kReadableContrast);
        palette.setColor(QPalette::Disabled, text, Legible(faint, body, distinct));
    }
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, body);
        palette.setColor(group, QPalette::Button, body);
    }
    return palette;
}

} // namespace pexa
