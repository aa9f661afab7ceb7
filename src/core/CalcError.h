#pragma once

#include <exception>
#include <string>

namespace pexa {

// The kinds of calculation failure; the engine shows the message of the kind.
enum class CalcErrorKind {
    DivideByZero,
    Overflow,
    Underflow,
    InvalidOperation,
    InvalidArgument,
    MathError,
};

// The message the engine shows in the bars for a kind.
const char* CalcErrorMessage(CalcErrorKind kind);

// A calculation failure: a kind, and optionally a text of its own (which the
// engine does not show; the kind's message is shown instead).
class CalcError : public std::exception {
public:
    explicit CalcError(CalcErrorKind kind, std::string text = {});
    CalcErrorKind Kind() const noexcept { return kind_; }
    const std::string& Text() const noexcept { return text_; }
    const char* what() const noexcept override;

private:
    CalcErrorKind kind_;
    std::string text_;
};

// Internal invariant broken; reported as "Assertion failure" with the unit name.
class AssertionFailure : public std::exception {
public:
    explicit AssertionFailure(std::string unit);
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace pexa
