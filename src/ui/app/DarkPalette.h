#pragma once

#include <QPalette>

namespace pexa {

// A dark palette for the program's own style, for desktops whose dark
// colour scheme Qt cannot read. PEXA_PALETTE=dark in the environment asks
// for it (the README's dark screenshot is taken that way).
QPalette DarkPalette();

} // namespace pexa
