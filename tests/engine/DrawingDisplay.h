#pragma once

// A display for the engine tests: it keeps what each bar would show, redrawn
// only from the calls it receives, so a call the calculator forgets shows as
// a stale text; and it counts the other notices.

#include "core/CalcError.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"

#include <map>
#include <optional>
#include <string>

namespace pexa::testing {

class DrawingDisplay : public CalculatorDisplay {
public:
    const Calculator* Calc = nullptr;
    std::map<BarKind, std::string> Shown;
    std::string OperatorSymbol;
    int ActiveChanges = 0;
    int Restored = 0;
    int MemoryChanges = 0;
    int TapeChanges = 0;

    void BarTextChanged(BarKind bar) override { Draw(bar); }
    void BarReadingChanged(BarKind bar) override { Draw(bar); }
    void PendingOperatorChanged() override { OperatorSymbol = Calc->PendingOperatorSymbol(); }
    void ActiveBarChanged() override { ++ActiveChanges; }
    void StateRestored() override { ++Restored; }
    void MemoryChanged() override { ++MemoryChanges; }
    void TapeChanged() override { ++TapeChanges; }

private:
    void Draw(BarKind bar) {
        const std::optional<CalcErrorKind> error = Calc->Bars().ErrorOf(bar);
        Shown[bar] = error ? std::string("error: ") + CalcErrorKindName(*error)
                           : Calc->Bars().Find(bar)->GetText(false);
    }
};

} // namespace pexa::testing
