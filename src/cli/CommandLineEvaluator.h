#pragma once

#include "cli/EvaluationSettings.h"
#include "engine/Expression.h"

#include <iosfwd>
#include <string_view>

namespace pexa {

// The code a character literal outside ASCII stands for in the character
// bar's encoding: the value the bar takes when the character is typed or
// pasted into it. None in ASCII and for a character the encoding lacks.
CharacterEncoder CharacterLiteralEncoder(CharEncoding encoding);

// Evaluates expressions in the settings' mode and options, as the keypad
// would, and prints each value in every notation. "ans" is the last value
// given (zero at first).
class CommandLineEvaluator {
public:
    explicit CommandLineEvaluator(const EvaluationSettings& settings);

    // One expression: its notations on out, or its message on err. True when
    // it gave a value.
    bool Evaluate(std::string_view text, std::ostream& out, std::ostream& err);

    // One expression a line; blank lines are skipped, and a blank line
    // separates the values' blocks. A line without a value gets its message,
    // "line N: …", on err and the rest still run. True when every line gave a
    // value.
    bool EvaluateLines(std::istream& in, std::ostream& out, std::ostream& err);

private:
    // The result and, when it has a value, it becomes the answer.
    ExpressionResult Run(std::string_view text);

    EvaluationSettings settings_;
    ExpressionContext context_;
};

} // namespace pexa
