#include "ui/help/HelpStyle.h"

#include "ui/text/ColorContrast.h"

namespace pexa {

namespace {

// Shades of the page: how far each is moved from the page colour towards
// the palette's highlight (a tint, light or dark as the page is).
constexpr double kHeadingTint = 0.35;
constexpr double kSubheadingTint = 0.55;
constexpr double kKeyTint = 0.10;
constexpr double kTableHeadTint = 0.18;
constexpr double kNoteTint = 0.08;

QString Css(const QColor& color) {
    return color.toRgb().name(QColor::HexRgb);
}

} // namespace

QString HelpStyleSheet(const QPalette& palette) {
    const QColor page = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor accent = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor link = palette.color(QPalette::Active, QPalette::Link);

    const QColor keyBox = BlendColors(page, accent, kKeyTint);
    const QColor tableHead = BlendColors(page, accent, kTableHeadTint);
    const QColor note = BlendColors(page, text, kNoteTint);
    // Text on a tinted box is checked against that box, not the page.
    const QColor heading = Legible(BlendColors(text, accent, kHeadingTint), page);
    const QColor subheading = Legible(BlendColors(text, accent, kSubheadingTint), page);

    return QStringLiteral("body { color: %1; background-color: %2; }\n"
                          "a { color: %3; }\n"
                          "h1, h2 { color: %4; }\n"
                          "h3 { color: %5; }\n"
                          "kbd { color: %6; background-color: %7; }\n"
                          "th { color: %8; background-color: %9; }\n"
                          "td { color: %1; }\n"
                          "p.note { color: %10; background-color: %11; }\n")
        .arg(Css(text), Css(page), Css(Legible(link, page)), Css(heading), Css(subheading),
             Css(Legible(text, keyBox)), Css(keyBox), Css(Legible(text, tableHead)), Css(tableHead))
        .arg(Css(Legible(text, note)), Css(note));
}

} // namespace pexa
