#pragma once

#include "core/CalcError.h"

#include <QString>

namespace pexa {

// The message a bar shows in place of its value for a calculation failure.
QString CalcErrorText(CalcErrorKind kind);

} // namespace pexa
