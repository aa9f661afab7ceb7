// What the bar shows of its conversion beyond the value's text: grouping, the
// pending operator and the calculator's messages. The calculator changes the
// conversion itself; the window then has the bar redraw.

#include "ui/bars/CalcBar.h"

#include "conv/Conversion.h"
#include "core/CalcError.h"

namespace pexa {

bool CalcBar::Offers(ConvOption option) const {
    return conv_->GetCapabilities().Contains(option);
}

void CalcBar::SetSeparated(bool on) {
    separated_ = on;
    ShowText();
}

void CalcBar::SetMessageText(const QString& text) {
    messageText_ = text;
    RefreshValue();
}

bool CalcBar::CanToggleSign() const {
    return conv_->CanToggleSign();
}

void CalcBar::ApplyOptions(const BarOptions&) {}

void CalcBar::StoreOptions(BarOptions&) const {}

bool CalcBar::StepOption(bool) {
    return false;
}

bool CalcBar::ToggleOption() {
    return false;
}

void CalcBar::BuildMenu(QMenu&) {}

} // namespace pexa
