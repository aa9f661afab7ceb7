#include "engine/CalculatorStates.h"

namespace pexa {

CalculatorStates StatesOf(const Calculator& calculator) {
    CalculatorStates states;
    states.Mode = calculator.Mode();
    states.Signed = calculator.Signed();
    states.Reversed = calculator.Reversed();
    states.Angle = calculator.Options().Angle();
    states.Hyperbolic = calculator.Options().Hyperbolic();
    states.Rotate = calculator.Options().Rotate();
    states.ArithmeticShift = calculator.Options().ArithmeticShift();
    states.ShiftAmount = calculator.Options().ShiftAmount();
    states.Entry = calculator.Entry();
    states.Pending = calculator.PendingOperator();
    const OpenBars& bars = calculator.Bars();
    states.ActiveBar = bars.Active();
    for (int i = 0; i < bars.Count(); ++i)
        states.OpenBars |= 1u << static_cast<unsigned>(bars.KindAt(i));
    return states;
}

StateChanges ChangesBetween(const CalculatorStates& before, const CalculatorStates& after) {
    StateChanges changes;
    changes.Entry = before.Entry != after.Entry || before.Pending != after.Pending;
    changes.Mode = before.Mode != after.Mode || before.Signed != after.Signed ||
                   before.Reversed != after.Reversed;
    changes.Options = before.Angle != after.Angle || before.Hyperbolic != after.Hyperbolic ||
                      before.Rotate != after.Rotate ||
                      before.ArithmeticShift != after.ArithmeticShift ||
                      before.ShiftAmount != after.ShiftAmount;
    changes.Bars = before.ActiveBar != after.ActiveBar || before.OpenBars != after.OpenBars;
    return changes;
}

} // namespace pexa
