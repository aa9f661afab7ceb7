#pragma once

// The host widget the bar tests build their bars in, made afresh for every test
// function, and the values they feed the bars. Shared by the bar test programs.

#include "conv/ConversionFactory.h"
#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "ui/bars/CalcBar.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace pexa::testing {

inline CalcValue IntegerValue(CalcValueMode mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}

// The test classes reset host_ in their init and cleanup slots; the bars are its
// children and go with it.
class CalcBarFixture {
protected:
    std::unique_ptr<QWidget> host_;
    FormatSettingsScope format_{FormatSettings{}};

    CalcBar* NewBar(BarKind kind) {
        CalcBar* bar = CalcBar::Make<CalcBar>(host_.get(), CreateConv(static_cast<int>(kind)));
        bar->resize(320, bar->sizeHint().height());
        return bar;
    }
};

} // namespace pexa::testing
