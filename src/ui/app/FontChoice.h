#pragma once

#include <QFont>

namespace pexa {

// The font to open the font chooser on: the font with the name of the face it
// really draws with. Without it the chooser looks for a face named after the
// font's weight ("Normal"), finds none in a family whose upright face is
// "Book" or "Regular", and selects the first face it lists, which may be
// "Oblique".
QFont FontForChooser(const QFont& font);

// The font after the chooser was closed with OK: what the user changed in it
// (family, face, size, effects), applied to the current font. offered is what
// the chooser showed before the user did anything, selected what it returned.
// OK without a change keeps the current font exactly, also where the chooser
// cannot show it (a bold drawn by emboldening, a list of fallback families).
// The size stays within what the settings keep.
QFont ChosenFont(const QFont& current, const QFont& offered, const QFont& selected);

} // namespace pexa
