#pragma once

#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"
#include "engine/ExpressionFunctions.h"
#include "engine/ExpressionLexer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pexa {

struct ExpressionContext;

enum class StepKind : std::uint8_t {
    Literal,  // pushes the literal's value in the mode
    Named,    // pushes a name's value in the mode
    Unary,    // replaces the top value
    Binary,   // replaces the two top values (left below right) with one
    Function, // replaces its arguments, the last on top
};

enum class UnaryStep : std::uint8_t { Negate, Plus, Complement, LogicalNot };

// One step of an expression in postfix order. Offset is where the token it
// comes from begins, for the position of a calculation failure.
struct ExpressionStep {
    StepKind Kind = StepKind::Literal;
    UnaryStep Unary = UnaryStep::Plus;
    BinaryOp::Index Binary = BinaryOp::Add;
    const ExpressionFunction* Function = nullptr;
    std::size_t Offset = 0;
    ExpressionToken Literal;
    CalcValue Named;
};

// A parsed expression: its steps, evaluated on a stack that never holds
// more than StackDepth values.
struct ExpressionProgram {
    std::vector<ExpressionStep> Steps;
    int StackDepth = 0;
};

// How deeply parentheses, calls and unary operators may nest: deep enough
// for anything a person writes, shallow enough for the parser's stack.
inline constexpr int MaxExpressionNesting = 200;

// Parses by recursive descent into steps; names are looked up and the
// shift operator is chosen from the context's options here. A mistake
// throws ExpressionSyntaxFailure.
ExpressionProgram ParseExpression(std::string_view text, const ExpressionContext& context);

} // namespace pexa
