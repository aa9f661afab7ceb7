// The states the window's commands follow, and which group a change falls in:
// a change put in the wrong group leaves a command showing a stale state.
#include "engine/CalculatorStates.h"

#include "core/FormatSettings.h"
#include "engine/CalculatorDisplay.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pexa;

namespace {

class SilentDisplay : public CalculatorDisplay {
public:
    void BarTextChanged(BarKind) override {}
    void BarReadingChanged(BarKind) override {}
    void PendingOperatorChanged() override {}
    void ActiveBarChanged() override {}
};

struct ChangeCase {
    const char* Name;
    std::function<void(Calculator&)> Change;
    bool Entry, Mode, Options, Bars;
};

class CalculatorStatesTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(CalculatorStatesTest, ChangeFallsInItsGroup) {
    FormatSettingsScope format{FormatSettings{}};
    SilentDisplay display;
    Calculator calc(display);
    calc.OpenBar(BarKind::Decimal);
    calc.OpenBar(BarKind::Hex);
    calc.Bars().Activate(BarKind::Decimal);
    const CalculatorStates before = StatesOf(calc);
    GetParam().Change(calc);
    const StateChanges changes = ChangesBetween(before, StatesOf(calc));
    EXPECT_EQ(changes.Entry, GetParam().Entry);
    EXPECT_EQ(changes.Mode, GetParam().Mode);
    EXPECT_EQ(changes.Options, GetParam().Options);
    EXPECT_EQ(changes.Bars, GetParam().Bars);
    EXPECT_EQ(changes.Any(), !(StatesOf(calc) == before));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Groups, CalculatorStatesTest, ::testing::Values(
    ChangeCase{"Nothing", [](Calculator&) {}, false, false, false, false},
    ChangeCase{"Typing", [](Calculator& c) { c.Type('7', false, false); }, true, false, false, false},
    ChangeCase{"Operator", [](Calculator& c) { c.PressOperator(BinaryOp::Add); }, true, false, false, false},
    ChangeCase{"Mode", [](Calculator& c) { c.SetMode(CalcValueMode::Float); }, false, true, false, false},
    ChangeCase{"Signed", [](Calculator& c) { c.SetSigned(true); }, false, true, false, false},
    ChangeCase{"Reversed", [](Calculator& c) { c.SetReversed(true); }, false, true, false, false},
    ChangeCase{"Angle", [](Calculator& c) { c.Options().SetAngle(AngleUnit::Radian); }, false, false, true, false},
    ChangeCase{"Hyperbolic", [](Calculator& c) { c.Options().SetHyperbolic(true); }, false, false, true, false},
    ChangeCase{"Rotate", [](Calculator& c) { c.Options().SetRotate(true); }, false, false, true, false},
    ChangeCase{"Arithmetic", [](Calculator& c) { c.Options().SetArithmeticShift(true); }, false, false, true, false},
    ChangeCase{"ShiftAmount", [](Calculator& c) { c.Options().SetShiftAmount(4); }, false, false, true, false},
    ChangeCase{"Activate", [](Calculator& c) { c.Bars().Activate(BarKind::Hex); }, false, false, false, true},
    ChangeCase{"Open", [](Calculator& c) { c.OpenBar(BarKind::Bin); }, false, false, false, true},
    ChangeCase{"Close", [](Calculator& c) { c.CloseBar(BarKind::Hex); }, false, false, false, true}),
    [](const ::testing::TestParamInfo<ChangeCase>& row) { return std::string(row.param.Name); });
// clang-format on

} // namespace
