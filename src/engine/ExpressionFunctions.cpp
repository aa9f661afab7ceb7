#include "engine/ExpressionFunctions.h"

#include "core/BitCounts.h"
#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/ModeWidth.h"
#include "engine/Expression.h"

#include <cmath>
#include <iterator>

namespace pexa {

namespace {

template <UnaryOperation Operation>
CalcValue Unary(const CalcValue* arguments, const ExpressionContext&) {
    CalcValue v = arguments[0];
    Operation(v);
    return v;
}

template <BinaryOperation Operation>
CalcValue Binary(const CalcValue* arguments, const ExpressionContext&) {
    CalcValue r = MakeZero();
    Operation(arguments[0], arguments[1], r);
    return r;
}

// The trigonometric functions by their own names: the Hyp key's state does
// not change what "sin" means here.
template <TrigFunctionKind Kind, bool Inverse, bool Hyperbolic>
CalcValue Trig(const CalcValue* arguments, const ExpressionContext& context) {
    CalcValue v = arguments[0];
    const AngleUnit unit = context.Options.Angle();
    if (Inverse)
        InverseTrigFunction(v, Kind, Hyperbolic, unit);
    else
        TrigFunction(v, Kind, Hyperbolic, unit);
    return v;
}

// The magnitude as the bars read the value: an integer is negative only in
// the Signed reading, with its top bit set.
CalcValue Absolute(const CalcValue* arguments, const ExpressionContext& context) {
    CalcValue v = arguments[0];
    if (IsFloatMode(v.Mode)) {
        SetReal(v, v.Mode, std::fabs(GetReal(v)));
        return v;
    }
    std::int64_t x = GetInteger(v);
    SignExtend(x, v.Mode);
    if (context.Signed && x < 0)
        Negate(v);
    return v;
}

using Kind = TrigFunctionKind;

constexpr ExpressionFunction Functions[] = {
    {"sqrt", 1, Unary<Sqrt>},
    {"sin", 1, Trig<Kind::Sin, false, false>},
    {"cos", 1, Trig<Kind::Cos, false, false>},
    {"tan", 1, Trig<Kind::Tan, false, false>},
    {"asin", 1, Trig<Kind::Sin, true, false>},
    {"acos", 1, Trig<Kind::Cos, true, false>},
    {"atan", 1, Trig<Kind::Tan, true, false>},
    {"sinh", 1, Trig<Kind::Sin, false, true>},
    {"cosh", 1, Trig<Kind::Cos, false, true>},
    {"tanh", 1, Trig<Kind::Tan, false, true>},
    {"asinh", 1, Trig<Kind::Sin, true, true>},
    {"acosh", 1, Trig<Kind::Cos, true, true>},
    {"atanh", 1, Trig<Kind::Tan, true, true>},
    {"ln", 1, Unary<Ln>},
    {"log10", 1, Unary<Log10>},
    {"log2", 1, Unary<Log2>},
    {"log", 2, Binary<LogN>},
    {"exp", 1, Unary<Exp>},
    {"exp2", 1, Unary<Exp2>},
    {"exp10", 1, Unary<Exp10>},
    {"root", 2, Binary<Root>},
    {"abs", 1, Absolute},
    {"floor", 1, Unary<Floor>},
    {"ceil", 1, Unary<Ceil>},
    {"round", 1, Unary<Round>},
    {"frac", 1, Unary<Frac>},
    {"fact", 1, Unary<Factorial>},
    {"rotl", 2, Binary<RotateLeft>},
    {"rotr", 2, Binary<RotateRight>},
    {"bswap", 1, Unary<ReverseByteOrder>},
    {"bitrev", 1, Unary<ReverseBitOrder>},
    {"popcount", 1, Unary<PopCount>},
    {"clz", 1, Unary<CountLeadingZeros>},
    {"ctz", 1, Unary<CountTrailingZeros>},
    {"parity", 1, Unary<Parity>},
};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view written, std::string_view name) {
    if (written.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Lower(written[i]) != name[i])
            return false;
    }
    return true;
}

} // namespace

const ExpressionFunction* FindExpressionFunction(std::string_view name) {
    for (const ExpressionFunction& function : Functions) {
        if (SameName(name, function.Name))
            return &function;
    }
    return nullptr;
}

int ExpressionFunctionCount() {
    return static_cast<int>(std::size(Functions));
}

const ExpressionFunction& ExpressionFunctionAt(int index) {
    if (index < 0 || index >= ExpressionFunctionCount())
        throw AssertionFailure("ExpressionFunctions");
    return Functions[index];
}

} // namespace pexa
