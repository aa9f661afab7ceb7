#include "engine/Expression.h"

#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "engine/ExpressionParser.h"

namespace pexa {

namespace {

CalcValue InMode(const CalcValue& value, CalcValueMode mode) {
    CalcValue converted = MakeZero();
    ConvertValue(converted, mode, value);
    return converted;
}

CalcValue LiteralValue(const ExpressionToken& literal, CalcValueMode mode) {
    CalcValue value = MakeZero();
    if (literal.IsReal)
        SetReal(value, mode, literal.RealValue);
    else if (IsFloatMode(mode))
        SetReal(value, mode, static_cast<Real>(literal.Integer));
    else
        SetInteger(value, mode, static_cast<std::int64_t>(literal.Integer));
    return value;
}

void ApplyUnary(UnaryStep step, CalcValue& v) {
    switch (step) {
    case UnaryStep::Negate:
        Negate(v);
        break;
    case UnaryStep::Plus:
        break;
    case UnaryStep::Complement:
        Not(v);
        break;
    case UnaryStep::LogicalNot: {
        const bool zero = IsFloatMode(v.Mode) ? GetReal(v) == 0 : GetInteger(v) == 0;
        SetInteger(v, BitMode(v.Mode), zero ? 1 : 0);
        break;
    }
    }
}

// One step on the stack; every value it leaves is converted into the mode,
// as the calculator converts every value it shows.
void Execute(const ExpressionStep& step, std::vector<CalcValue>& stack,
             const ExpressionContext& context) {
    const CalcValueMode mode = context.Mode;
    switch (step.Kind) {
    case StepKind::Literal:
        stack.push_back(LiteralValue(step.Literal, mode));
        return;
    case StepKind::Named:
        stack.push_back(InMode(step.Named, mode));
        return;
    case StepKind::Unary:
        ApplyUnary(step.Unary, stack.back());
        stack.back() = InMode(stack.back(), mode);
        return;
    case StepKind::Binary: {
        CalcValue result = MakeZero();
        const std::size_t left = stack.size() - 2;
        BinaryOperators[step.Binary].Operation(stack[left], stack[left + 1], result);
        stack.pop_back();
        stack.back() = InMode(result, mode);
        return;
    }
    case StepKind::Function: {
        const auto count = static_cast<std::size_t>(step.Function->ArgumentCount);
        const std::size_t first = stack.size() - count;
        const CalcValue result = step.Function->Apply(&stack[first], context);
        stack.resize(first + 1);
        stack.back() = InMode(result, mode);
        return;
    }
    }
}

} // namespace

ExpressionResult EvaluateExpression(std::string_view text, const ExpressionContext& context) {
    ExpressionResult result;
    ExpressionProgram program;
    try {
        program = ParseExpression(text, context);
    } catch (ExpressionSyntaxFailure& failure) {
        failure.Error.Position = CharacterPosition(text, failure.Offset);
        result.Syntax = std::move(failure.Error);
        return result;
    }
    std::vector<CalcValue> stack;
    stack.reserve(static_cast<std::size_t>(program.StackDepth));
    for (const ExpressionStep& step : program.Steps) {
        try {
            Execute(step, stack, context);
        } catch (const CalcError& error) {
            result.Failure =
                ExpressionCalcFailure{error.Kind(), CharacterPosition(text, step.Offset)};
            return result;
        }
    }
    if (stack.size() != 1)
        throw AssertionFailure("Expression");
    result.Value = stack.back();
    return result;
}

std::vector<ExpressionFunctionName> ExpressionFunctionNames() {
    std::vector<ExpressionFunctionName> names;
    for (int i = 0; i < ExpressionFunctionCount(); ++i) {
        const ExpressionFunction& function = ExpressionFunctionAt(i);
        names.push_back({function.Name, function.ArgumentCount});
    }
    return names;
}

} // namespace pexa
