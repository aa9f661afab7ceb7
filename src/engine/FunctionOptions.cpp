#include "engine/FunctionOptions.h"

namespace pexa {

void FunctionOptions::SetAngle(AngleUnit unit) {
    const int code = static_cast<int>(unit);
    if (code >= 0 && code <= 2)
        angle_ = unit;
}

bool FunctionOptions::IsValidShiftAmount(int bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16;
}

bool FunctionOptions::SetShiftAmount(int bits) {
    if (!IsValidShiftAmount(bits))
        return false;
    shiftAmount_ = bits;
    return true;
}

bool FunctionOptions::RotationInEffect(CalcValueMode mode) const {
    return rotate_ && !IsFloatMode(mode);
}

bool FunctionOptions::ArithmeticShiftInEffect(CalcValueMode mode) const {
    return arithmeticShift_ && !IsFloatMode(mode);
}

BinaryOp::Index FunctionOptions::ShiftLeftOperator(CalcValueMode mode) const {
    return RotationInEffect(mode) ? BinaryOp::RotateLeft : BinaryOp::ShiftLeft;
}

BinaryOp::Index FunctionOptions::ShiftRightOperator(CalcValueMode mode) const {
    if (RotationInEffect(mode))
        return BinaryOp::RotateRight;
    return ArithmeticShiftInEffect(mode) ? BinaryOp::ShiftRightArith : BinaryOp::ShiftRight;
}

} // namespace pexa
