#pragma once

#include "core/CalcError.h"
#include "engine/Expression.h"

#include <string>

namespace pexa {

// The English messages the command line prints for an expression that gives
// no value. The window makes its own, translated, from the same data.

// The calculator's message for a calculation failure ("Cannot divide by
// zero"), the English text the bars show.
std::string CalcErrorMessage(CalcErrorKind kind);

// Why the expression is not one, and where: "Missing ')' at 5", "Not a
// hexadecimal digit: G at 4". A subject byte that a terminal would not show as
// itself (a control character, a byte of no UTF-8 sequence) is written as
// "\xNN".
std::string SyntaxErrorMessage(const ExpressionSyntaxError& error);

// A failed calculation with the place of the operation that failed:
// "Cannot divide by zero at 2".
std::string CalcFailureMessage(const ExpressionCalcFailure& failure);

// The message of a result without a value; empty for a result with one.
std::string ExpressionResultMessage(const ExpressionResult& result);

} // namespace pexa
