#pragma once

#include "settings/StoredColor.h"

#include <QColor>
#include <QPalette>

namespace pexa {

// A stored colour as the desktop shows it: system colours through the
// palette (by default the application's, so they follow the desktop).
QColor ColorOf(const StoredColor& color, const QPalette& palette);
QColor ColorOf(StoredColorValue value);

// A chosen colour as stored: its RGB (alpha is not kept; an invalid colour
// is black).
Rgb RgbOf(const QColor& color);
QColor ColorOf(Rgb color);

} // namespace pexa
