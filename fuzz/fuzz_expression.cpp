// Feeds arbitrary bytes to the expression evaluator in every mode and option.
// Any crash, hang, sanitizer report or broken invariant is a finding: every
// text gives exactly one outcome, at a position inside the text, the same on
// a second evaluation, and the same again inside parentheses.
#include "FuzzInput.h"

#include "core/ModeWidth.h"
#include "engine/Expression.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using pexa::CalcValue;
using pexa::CalcValueMode;
using pexa::ExpressionResult;
using pexa::fuzz::Require;

// A memory holding a real beyond every integer mode.
std::optional<CalcValue> Names(std::string_view name) {
    if (name != "m")
        return std::nullopt;
    return CalcValue{CalcValueMode::Float, 0, 1e30L};
}

// Some characters beyond ASCII have a code, as in the character bar.
std::optional<std::uint32_t> Encoding(char32_t ch) {
    if (ch % 3 == 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(ch) & 0xFFFF;
}

int CharacterCount(const std::string& text) {
    int count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

bool SameValue(const CalcValue& a, const CalcValue& b) {
    return a.Mode == b.Mode && a.IntValue == b.IntValue &&
           (a.RealValue == b.RealValue || (std::isnan(a.RealValue) && std::isnan(b.RealValue)));
}

void CheckOutcome(const ExpressionResult& result, const pexa::ExpressionContext& context,
                  int characters) {
    const int outcomes =
        (result.Value ? 1 : 0) + (result.Syntax ? 1 : 0) + (result.Failure ? 1 : 0);
    Require(outcomes == 1);
    if (result.Value) {
        Require(result.Value->Mode == context.Mode);
        Require(std::isfinite(result.Value->RealValue));
        Require(result.Value->IntValue == pexa::MaskToMode(context.Mode, result.Value->IntValue));
    } else if (result.Syntax) {
        Require(result.Syntax->Position >= 1 && result.Syntax->Position <= characters + 1);
    } else {
        Require(result.Failure->Position >= 1 && result.Failure->Position <= characters);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    pexa::ExpressionContext context;
    context.Mode = static_cast<CalcValueMode>(selector % pexa::CalcValueModeCount);
    context.Signed = (selector & 0x08) != 0;
    context.Options.SetArithmeticShift((selector & 0x10) != 0);
    context.Options.SetAngle(static_cast<pexa::AngleUnit>((selector >> 5) % 3));
    context.LookupName = Names;
    context.EncodeCharacter = Encoding;
    pexa::SetInteger(context.Answer, CalcValueMode::QWord, -5);
    const std::string text = pexa::fuzz::ChooseText(selector & 0x80, data + 1, size - 1);

    const ExpressionResult first = pexa::EvaluateExpression(text, context);
    CheckOutcome(first, context, CharacterCount(text));
    const ExpressionResult again = pexa::EvaluateExpression(text, context);
    Require(again.Ok() == first.Ok() && again.Syntax.has_value() == first.Syntax.has_value());
    if (first.Value)
        Require(SameValue(*first.Value, *again.Value));

    if (first.Ok() || first.Failure) {
        const std::string wrapped = "(" + text + ")";
        const ExpressionResult inner = pexa::EvaluateExpression(wrapped, context);
        CheckOutcome(inner, context, CharacterCount(wrapped));
        if (inner.Syntax) {
            Require(inner.Syntax->Kind == pexa::ExpressionSyntax::TooDeep);
        } else if (first.Value) {
            Require(inner.Value && SameValue(*first.Value, *inner.Value));
        } else {
            Require(inner.Failure && inner.Failure->Kind == first.Failure->Kind &&
                    inner.Failure->Position == first.Failure->Position + 1);
        }
    }
    return 0;
}
