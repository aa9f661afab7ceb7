#pragma once

#include "core/CalcValue.h"
#include "core/RealFunctions.h"

#include <cstdint>
#include <string>

namespace pexa {

// A binary operation reads its two operands and writes the result record. The
// result may be left partly written when the operation raises; the caller then
// discards it.
using BinaryOperation = void (*)(const CalcValue& a, const CalcValue& b, CalcValue& r);
// A unary operation changes its value in place.
using UnaryOperation = void (*)(CalcValue& v);

struct BinaryOperatorInfo {
    BinaryOperation Operation;
    const char* Symbol;
};

struct UnaryOperatorInfo {
    UnaryOperation Operation;
    const char* Symbol;
};

inline constexpr int BinaryOperatorCount = 16;
inline constexpr int UnaryOperatorCount = 21;

// Positions in BinaryOperators. The engine names a pending operator by its
// position plus one, 0 meaning none.
namespace BinaryOp {
enum Index : int {
    Add,
    Sub,
    Mul,
    Div,
    Mod,
    And,
    Or,
    Xor,
    ShiftLeft,
    ShiftRight,
    ShiftRightArith,
    RotateLeft,
    RotateRight,
    Power,
    Root,
    LogN,
};
} // namespace BinaryOp

// Positions in UnaryOperators.
namespace UnaryOp {
enum Index : int {
    Negate,
    Not,
    ReverseByteOrder,
    ReverseBitOrder,
    Floor,
    Ceil,
    Round,
    Frac,
    Square,
    Sqrt,
    Reciprocal,
    Factorial,
    Ln,
    Log2,
    Log10,
    Exp,
    Exp2,
    Exp10,
    PopCount,
    LeadingZeros,
    TrailingZeros,
};
} // namespace UnaryOp

extern const BinaryOperatorInfo BinaryOperators[BinaryOperatorCount];
extern const UnaryOperatorInfo UnaryOperators[UnaryOperatorCount];

// The wider of two modes (the larger code); Float beats every integer mode.
CalcValueMode WiderMode(CalcValueMode a, CalcValueMode b);
// The mode bit operations work in: QWord for Float, the mode itself otherwise.
CalcValueMode BitMode(CalcValueMode mode);

// Binary operations. Integer results wrap silently; only a zero divisor of Div
// and Mod raises among the integer rules.
void Add(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Sub(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Mul(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Div(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Mod(const CalcValue& a, const CalcValue& b, CalcValue& r);
void And(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Or(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Xor(const CalcValue& a, const CalcValue& b, CalcValue& r);
void ShiftLeft(const CalcValue& a, const CalcValue& b, CalcValue& r);
void ShiftRight(const CalcValue& a, const CalcValue& b, CalcValue& r);
void ShiftRightArith(const CalcValue& a, const CalcValue& b, CalcValue& r);
void RotateLeft(const CalcValue& a, const CalcValue& b, CalcValue& r);
void RotateRight(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Power(const CalcValue& a, const CalcValue& b, CalcValue& r);
void Root(const CalcValue& a, const CalcValue& b, CalcValue& r);
void LogN(const CalcValue& a, const CalcValue& b, CalcValue& r);

// Unary operations. Those of real functions (Sqrt, Ln, …, Exp10, and Power,
// Root and LogN above) are core/RealFunctions.h on the value: correctly rounded.
void Negate(CalcValue& v);
void Not(CalcValue& v);
void ReverseByteOrder(CalcValue& v);
void ReverseBitOrder(CalcValue& v);
void Floor(CalcValue& v);
void Ceil(CalcValue& v);
void Round(CalcValue& v);
void Frac(CalcValue& v);
void Square(CalcValue& v);
void Sqrt(CalcValue& v);
void Reciprocal(CalcValue& v);
void Factorial(CalcValue& v);
void Ln(CalcValue& v);
void Log2(CalcValue& v);
void Log10(CalcValue& v);
void Exp(CalcValue& v);
void Exp2(CalcValue& v);
void Exp10(CalcValue& v);

// count <= 0 shifts left by -count, count > 0 shifts right by count (arithmetic
// takes the sign from bit w-1 of the mode's width w). The result is not masked.
std::int64_t ShiftBits(std::int64_t count, bool arithmetic, CalcValueMode mode, std::int64_t v);
// count >= 0 rotates left, count < 0 rotates right by -count, within the mode's
// width; v holds no bits at or above the width. The result is not masked.
std::int64_t RotateBits(std::int64_t count, CalcValueMode mode, std::int64_t v);
// The n-bit shift keys: count > 0 shifts or rotates left, count < 0 right.
void ShiftValue(CalcValue& v, int count, bool rotate, bool arithmetic);

inline constexpr const char* TrigFunctionNames[3] = {"sin", "cos", "tan"};

// The trigonometry keys: the functions of core/RealFunctions.h on a value.
void TrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit);
void InverseTrigFunction(CalcValue& v, TrigFunctionKind kind, bool hyperbolic, AngleUnit unit);
// "sin", "asin", "sinh", "asinh", …
std::string TrigFunctionCaption(TrigFunctionKind kind, bool inverse, bool hyperbolic);

} // namespace pexa
