#pragma once

#include <QColor>
#include <QPalette>

namespace pexa {

// Legibility of text against its background: the ratio of the two colours'
// relative luminances (each plus 0.05), from 1 (same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The colour `t` of the way from `from` to `to` (0: from, 1: to), in RGB.
QColor BlendColors(const QColor& from, const QColor& to, double t);

// Body text is legible from this ratio on.
inline constexpr double kReadableContrast = 4.5;

// The colour itself when it stands out from the background by at least
// `minimum`; otherwise the colour moved just far enough towards black or
// white (whichever the background contrasts with more) to reach it, so that
// its hue is kept where it can be. A background that allows no such colour
// gets the extreme.
QColor Legible(const QColor& color, const QColor& background, double minimum = kReadableContrast);

// Text that must read as "not a result" (a message, a value the mode cannot
// show): the palette's grey text, moved towards the normal text colour until
// it is legible on the background.
QColor LegibleGreyText(const QPalette& palette, const QColor& background);

// The colours of controls drawn on a body colour the user chose: the body
// is their window and button face, and their texts (enabled ones readable,
// disabled ones at least as distinct as the system's palette draws them on
// its own window) are legible on it. Other roles are the system's.
QPalette BodyPalette(const QPalette& system, const QColor& body);

} // namespace pexa
