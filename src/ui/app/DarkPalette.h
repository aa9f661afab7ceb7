#pragma once

#include <QPalette>
#include <QString>

namespace pexa {

// A dark palette for the program's own style, for desktops whose dark
// colour scheme Qt cannot read. PEXA_PALETTE=dark in the environment asks
// for it (the README's dark screenshot is taken that way).
QPalette DarkPalette();

// Whether the environment value asks for the dark palette ("dark", any case).
bool WantsDarkPalette(const QString& environmentValue);

} // namespace pexa
