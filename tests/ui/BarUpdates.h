#pragma once

// In the window the calculator changes a bar's conversion and then tells the
// bar to redraw: its text, with the calculator's error or none, and after a
// new mode or reading its indicators too. These do the same for a bar on its
// own, as the bar tests build them.

#include "conv/Conversion.h"
#include "core/CalcValue.h"
#include "ui/bars/CalcBar.h"

#include <QString>

namespace pexa::testing {

inline void ShowValue(CalcBar& bar, const CalcValue& value) {
    bar.Conv().SetValue(value);
    bar.SetMessageText(QString());
}

inline void ShowMode(CalcBar& bar, CalcValueMode mode) {
    bar.Conv().SetMode(mode);
    bar.UpdateIndicators();
    bar.ShowText();
}

// Signed and ReverseEndian; a conversion that does not offer the option
// keeps it off.
inline void ShowReading(CalcBar& bar, ConvOption option, bool on) {
    if (bar.Offers(option))
        bar.Conv().SetOption(option, on);
    bar.UpdateIndicators();
    bar.ShowText();
}

inline void ClearBar(CalcBar& bar) {
    bar.Conv().Clear();
    bar.SetMessageText(QString());
}

// A typed character or backspace the conversion takes; false when it refuses.
inline bool TypeInto(CalcBar& bar, char ch) {
    const bool accepted = bar.Conv().InputChar(ch);
    bar.ShowText();
    return accepted;
}

inline bool TypeBackspace(CalcBar& bar) {
    const bool removed = bar.Conv().CanBackspace() && bar.Conv().Backspace();
    bar.ShowText();
    return removed;
}

} // namespace pexa::testing
