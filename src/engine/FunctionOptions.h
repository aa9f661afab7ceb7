#pragma once

#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"
#include "core/RealFunctions.h"

namespace pexa {

// The options the function keys read: the angle unit and the hyperbolic
// variant of the trigonometric functions, and how the shift keys shift
// (rotating, arithmetic, by how many bits). Rotation and arithmetic shifts
// apply to the integer modes only, so what the shift keys do depends on the
// mode the caller names.
class FunctionOptions {
public:
    AngleUnit Angle() const { return angle_; }
    // Degrees, radians or grads; anything else is refused.
    void SetAngle(AngleUnit unit);
    bool Hyperbolic() const { return hyperbolic_; }
    void SetHyperbolic(bool on) { hyperbolic_ = on; }
    bool Rotate() const { return rotate_; }
    void SetRotate(bool on) { rotate_ = on; }
    bool ArithmeticShift() const { return arithmeticShift_; }
    void SetArithmeticShift(bool on) { arithmeticShift_ = on; }
    int ShiftAmount() const { return shiftAmount_; }
    // 1, 2, 4, 8 or 16; false (and nothing changed) for anything else.
    bool SetShiftAmount(int bits);
    static bool IsValidShiftAmount(int bits);

    bool RotationInEffect(CalcValueMode mode) const;
    bool ArithmeticShiftInEffect(CalcValueMode mode) const;
    // The binary operation the shift keys stand for in the mode.
    BinaryOp::Index ShiftLeftOperator(CalcValueMode mode) const;
    BinaryOp::Index ShiftRightOperator(CalcValueMode mode) const;

    bool operator==(const FunctionOptions&) const = default;

private:
    AngleUnit angle_{};
    bool hyperbolic_ = false;
    bool rotate_ = false;
    bool arithmeticShift_ = false;
    int shiftAmount_ = 8;
};

} // namespace pexa
