#pragma once

#include <exception>
#include <string>

namespace pexa {

// The kinds of calculation failure. The user interface makes the message a
// user reads from the kind; nothing below it holds such a text.
enum class CalcErrorKind {
    DivideByZero,
    Overflow,
    Underflow,
    InvalidOperation,
    InvalidArgument,
    MathError,
};

// A short English name of the kind, for logs and diagnostics.
const char* CalcErrorKindName(CalcErrorKind kind);

// A calculation failure: a kind, and optionally a text of its own for
// diagnostics (what() gives it, or the kind's name).
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
