#pragma once

#include "engine/Expression.h"

#include <QString>

namespace pexa {

// The window's message for an expression that gives no value, in the
// user's language: "Missing ')' at 5", "Not a hexadecimal digit: G at 4",
// "Cannot divide by zero at 3". Empty for a result with a value.
QString ExpressionMessageText(const ExpressionResult& result);

} // namespace pexa
