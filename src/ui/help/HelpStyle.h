#pragma once

#include <QPalette>
#include <QString>

namespace pexa {

// The help document's colours as a style sheet, made from the desktop's
// palette so that headings, key names, table heads and notes read on a light
// and on a dark desktop alike. The document itself sets sizes and spacing
// only; the viewer gives this as the document's default style sheet.
QString HelpStyleSheet(const QPalette& palette);

} // namespace pexa
