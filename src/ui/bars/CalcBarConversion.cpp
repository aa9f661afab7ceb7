// What the bar shows of its conversion beyond the value's text: grouping, the
// pending operator, the calculator's messages and the indicators of how the
// conversion reads the value (Signed, Swap). The calculator changes the
// conversion itself; the window then has the bar redraw.

#include "ui/bars/CalcBar.h"

#include "conv/Conversion.h"
#include "core/CalcError.h"
#include "core/ModeWidth.h"

namespace pexa {

bool CalcBar::Offers(ConvOption option) const {
    return Conv().GetCapabilities().Contains(option);
}

void CalcBar::SetDigitGrouping(bool on) {
    digitGrouping_ = on;
    ShowText();
}

void CalcBar::SetMessageText(const QString& text) {
    messageText_ = text;
    ShowText();
}

void CalcBar::ShowOwnSettings() {
    ShowText();
    UpdateIndicators();
    emit OwnSettingsChanged(*this);
}

void CalcBar::ApplyOptions(const BarOptions&) {}

void CalcBar::StoreOptions(BarOptions&) const {}

bool CalcBar::StepOption(bool) {
    return false;
}

bool CalcBar::ToggleOption() {
    return false;
}

void CalcBar::Create() {
    if (Offers(ConvOption::Signed)) {
        parts_.SignIndicator = AddIndicator();
    }
    if (Offers(ConvOption::ReverseEndian)) {
        parts_.ReverseIndicator = AddIndicator();
    }
    UpdateIndicators();
}

void CalcBar::UpdateIndicators() {
    const CalcValueMode mode = Conv().GetMode();
    if (parts_.SignIndicator != nullptr) {
        const bool isSigned = Conv().HasOption(ConvOption::Signed) || Is64BitMode(mode);
        parts_.SignIndicator->setText(QLatin1String(isSigned ? "Signed" : "Unsigned") +
                                      QLatin1String(IndicatorSpace));
    }
    if (parts_.ReverseIndicator != nullptr) {
        const bool isReversed =
            Conv().HasOption(ConvOption::ReverseEndian) && IsMultiByteMode(mode);
        parts_.ReverseIndicator->setText((isReversed ? tr("Swap") : QString()) +
                                         QLatin1String(IndicatorSpace));
    }
    UpdatePanelMinimum();
}

} // namespace pexa
