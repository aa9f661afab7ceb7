#pragma once

#include "core/CalcError.h"

#include <QString>

#include <exception>

namespace pexa {

// The message a bar shows in place of its value for a calculation failure.
QString CalcErrorText(CalcErrorKind kind);
// The message for a failure; empty for none and for one that is not a
// CalcError.
QString CalcErrorText(std::exception_ptr failure);

} // namespace pexa
