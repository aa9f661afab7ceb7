// The expression line: an expression in C syntax evaluated with the
// calculator's mode and options, its value shown before it is entered.

#include "ui/window/MainWindow.h"

#include "conv/Conversion.h"
#include "core/CalcError.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/ExpressionMessageText.h"
#include "ui/text/SjisText.h"
#include "ui/window/ExpressionLine.h"
#include "ui/window/ViewOptions.h"

#include <QApplication>
#include <QLineEdit>

#include <memory>
#include <string>

namespace pexa {

namespace {

// The value as the bar would show it, from a copy of the bar's conversion so
// that the bar itself stays as it is.
QString TextInBar(const CalcBar& bar, const CalcValue& value, bool grouped) {
    const std::unique_ptr<Conversion> copy = bar.Conv().Clone();
    if (!copy)
        return {};
    try {
        copy->SetValue(value);
    } catch (const CalcError&) {
        return {};
    }
    return ConvTextToUnicode(copy->GetText(grouped), copy->GetTextCharset());
}

} // namespace

void MainWindow::BuildExpressionLine(QWidget& parent) {
    expressionLine_ = new ExpressionLine(&parent);
    expressionLine_->hide();
    connect(expressionLine_, &ExpressionLine::TextChanged, this, &MainWindow::PreviewExpression);
    connect(expressionLine_, &ExpressionLine::Submitted, this,
            [this](const QString& text) { EnterExpression(text); });
    connect(expressionLine_, &ExpressionLine::Left, this, &MainWindow::GiveKeyboardToBars);
}

void MainWindow::FocusExpressionLine() {
    view_->Set(ViewOptions::Flag::ExpressionLine, true);
    expressionLine_->TakeKeyboard();
}

ExpressionContext MainWindow::ExpressionContextNow() const {
    ExpressionContext context;
    context.Mode = calculator_.Mode();
    context.Signed = calculator_.Signed();
    context.Options = calculator_.Options();
    context.Answer = calculator_.Answer();
    const std::optional<CalcValue> memory = calculator_.Memory();
    context.LookupName = [memory](std::string_view name) -> std::optional<CalcValue> {
        if (name == "m")
            return memory;
        return std::nullopt;
    };
    return context;
}

void MainWindow::PreviewExpression(const QString& text) {
    if (text.trimmed().isEmpty()) {
        expressionLine_->ShowPreview(QString(), false);
        return;
    }
    const ExpressionResult result = EvaluateExpression(text.toStdString(), ExpressionContextNow());
    if (!result.Ok()) {
        expressionLine_->ShowPreview(ExpressionMessageText(result), true);
        return;
    }
    const CalcBar* bar = bars_->Active();
    expressionLine_->ShowPreview(
        bar != nullptr ? TextInBar(*bar, *result.Value, view_->Is(ViewOptions::Flag::DigitGrouping))
                       : QString(),
        false);
}

// The mode, the options, the active bar, the Answer and memory all change
// what the line would give.
void MainWindow::RefreshExpressionPreview() {
    if (view_->Is(ViewOptions::Flag::ExpressionLine))
        PreviewExpression(expressionLine_->Edit()->text());
}

bool MainWindow::EnterExpression(const QString& text) {
    const ExpressionResult result = EvaluateExpression(text.toStdString(), ExpressionContextNow());
    if (!result.Ok()) {
        QApplication::beep();
        expressionLine_->ShowPreview(ExpressionMessageText(result), true);
        return false;
    }
    calculator_.EnterExpressionResult(text.trimmed().toStdString(), *result.Value);
    expressionLine_->Accept();
    RefreshStates();
    return true;
}

} // namespace pexa
