#pragma once

#include "core/CalcValue.h"

#include <string_view>

namespace pexa {

struct ExpressionContext;

// A function an expression can call by name: the keypad's functions, and
// the bit counts.
struct ExpressionFunction {
    const char* Name;  // lower case
    int ArgumentCount; // 1 or 2
    // Reads the arguments (in the context's mode) and returns the result;
    // raises CalcError as the keypad's operation does.
    CalcValue (*Apply)(const CalcValue* arguments, const ExpressionContext& context);
};

// The function of that name, in any letter case; none for an unknown name.
const ExpressionFunction* FindExpressionFunction(std::string_view name);

// Every function, for listing.
int ExpressionFunctionCount();
const ExpressionFunction& ExpressionFunctionAt(int index);

} // namespace pexa
