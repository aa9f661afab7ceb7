// The bar's own handling of its conversion: the value, the mode, the options
// and typed characters pass through to the conversion, and the bar redraws
// what they change.

#include "ui/CalcBar.h"

#include "conv/Conversion.h"
#include "core/CalcError.h"

namespace pexa {

bool CalcBar::Offers(ConvOption option) const {
    return conv_->GetCapabilities().Contains(option);
}

void CalcBar::SetMode(CalcValueMode mode) {
    conv_->SetMode(mode);
    RefreshAll();
}

void CalcBar::SetValue(const CalcValue& value) {
    messageText_.clear();
    conv_->SetValue(value);
    RefreshValue();
}

void CalcBar::SetSeparated(bool on) {
    separated_ = on;
    ShowText();
}

void CalcBar::SetSigned(bool on) {
    if (!Offers(ConvOption::Signed)) {
        return;
    }
    conv_->SetOption(ConvOption::Signed, on);
    UpdateIndicators();
    RefreshValue();
}

void CalcBar::SetReverse(bool on) {
    if (!Offers(ConvOption::ReverseEndian)) {
        return;
    }
    conv_->SetOption(ConvOption::ReverseEndian, on);
    UpdateIndicators();
    RefreshValue();
}

void CalcBar::SetOperatorText(const QString& text) {
    parts_.OperatorLabel->setText(text);
}

QString CalcBar::OperatorText() const {
    return parts_.OperatorLabel->text();
}

void CalcBar::SetMessageText(const QString& text) {
    messageText_ = text;
    RefreshValue();
}

bool CalcBar::CanInputChar(char ch, bool newEntry, bool pasting) const {
    return !HasMessage() && conv_->CanInputChar(ch, newEntry, pasting);
}

bool CalcBar::InputChar(char ch) {
    if (HasMessage()) {
        return false;
    }
    const bool accepted = conv_->InputChar(ch);
    if (accepted) {
        RefreshValue();
    }
    return accepted;
}

bool CalcBar::CanBackspace() const {
    return !HasMessage() && conv_->CanBackspace();
}

bool CalcBar::Backspace() {
    if (HasMessage()) {
        return false;
    }
    const bool removed = conv_->Backspace();
    if (removed) {
        RefreshValue();
    }
    return removed;
}

void CalcBar::Clear() {
    conv_->Clear();
    messageText_.clear();
    RefreshValue();
}

bool CalcBar::CanToggleSign() const {
    return conv_->CanToggleSign();
}

void CalcBar::LoadSettings() {}

void CalcBar::SaveSettings() {}

bool CalcBar::StepOption(bool) {
    return false;
}

bool CalcBar::ToggleOption() {
    return false;
}

void CalcBar::BuildMenu(QMenu&) {}

} // namespace pexa
