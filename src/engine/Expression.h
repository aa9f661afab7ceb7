#pragma once

#include "core/CalcValue.h"
#include "engine/ExpressionError.h"
#include "engine/ExpressionLexer.h"
#include "engine/FunctionOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pexa {

// Everything an expression reads besides its text: the calculator's mode
// and options, and where names get their values.
struct ExpressionContext {
    CalcValueMode Mode = CalcValueMode::DWord;
    // The Signed reading: abs() of an integer reads the value as signed.
    bool Signed = false;
    // The angle unit of the trigonometric functions, and whether ">>" shifts
    // arithmetically (in the integer modes, as the shift keys do).
    FunctionOptions Options;
    // The value "ans" reads.
    CalcValue Answer = MakeZero();
    // The value of any other name (given in lower case), none for a name
    // that is unknown; unset: only the built-in names exist. It must not
    // throw; a value the mode cannot hold fails when it is read.
    std::function<std::optional<CalcValue>(std::string_view name)> LookupName;
    // The code of a character literal outside ASCII; unset: none has one.
    CharacterEncoder EncodeCharacter;
};

// The outcome of an expression: exactly one of a value (in the context's
// mode), a syntax error, or a calculation failure.
struct ExpressionResult {
    std::optional<CalcValue> Value;
    std::optional<ExpressionSyntaxError> Syntax;
    std::optional<ExpressionCalcFailure> Failure;
    bool Ok() const { return Value.has_value(); }
};

// Evaluates an expression in C syntax with C's precedence (unary - + ~ !;
// * / %; + -; << >> >>>; &; ^; |; "**" the power, above the unary operators
// on its left and right-associative), with the calculator's own arithmetic
// in the context's mode: every operation is the keypad's and every
// intermediate value is what the bars would show for it. The whole text is
// checked before anything is calculated, so a syntax error wins over a
// calculation failure. Changes nothing; any number of threads may call it.
ExpressionResult EvaluateExpression(std::string_view text, const ExpressionContext& context);

// The names of the functions an expression can call, in lower case, with
// the number of arguments each takes (for completion and help).
struct ExpressionFunctionName {
    const char* Name;
    int ArgumentCount;
};
std::vector<ExpressionFunctionName> ExpressionFunctionNames();

} // namespace pexa
