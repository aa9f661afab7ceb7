// Evaluates expressions for expression_oracle.py, one a line on standard
// input: "mode<TAB>signed<TAB>arithmetic<TAB>answer in hex<TAB>expression",
// mode 0 (Byte) to 3 (Int64). Prints one line each: "V <bit pattern in hex>",
// "E <position> <calculation error kind>" or "S <position> <syntax error kind>".

#include "core/CalcError.h"
#include "core/ModeWidth.h"
#include "engine/Expression.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

using namespace pexa;

namespace {

std::string Evaluate(const std::string& line) {
    std::istringstream fields(line);
    std::string mode, isSigned, arithmetic, answer, text;
    std::getline(fields, mode, '\t');
    std::getline(fields, isSigned, '\t');
    std::getline(fields, arithmetic, '\t');
    std::getline(fields, answer, '\t');
    std::getline(fields, text);
    ExpressionContext context;
    context.Mode = static_cast<CalcValueMode>(std::stoi(mode));
    context.Signed = isSigned == "1";
    context.Options.SetArithmeticShift(arithmetic == "1");
    SetInteger(context.Answer, context.Mode,
               static_cast<std::int64_t>(std::stoull(answer, nullptr, 16)));
    const ExpressionResult result = EvaluateExpression(text, context);
    char out[128];
    if (result.Value) {
        const auto bits =
            static_cast<unsigned long long>(MaskToMode(context.Mode, GetInteger(*result.Value)));
        std::snprintf(out, sizeof out, "V %llx", bits);
    } else if (result.Failure) {
        std::snprintf(out, sizeof out, "E %d %s", result.Failure->Position,
                      CalcErrorKindName(result.Failure->Kind));
    } else {
        std::snprintf(out, sizeof out, "S %d %s", result.Syntax->Position,
                      ExpressionSyntaxName(result.Syntax->Kind));
    }
    return out;
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line))
        std::cout << Evaluate(line) << '\n';
    return 0;
}
