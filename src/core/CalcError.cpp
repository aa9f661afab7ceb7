#include "core/CalcError.h"

#include <utility>

namespace pexa {

const char* CalcErrorKindName(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::DivideByZero:
        return "division by zero";
    case CalcErrorKind::Overflow:
        return "overflow";
    case CalcErrorKind::Underflow:
        return "underflow";
    case CalcErrorKind::InvalidOperation:
        return "invalid operation";
    case CalcErrorKind::InvalidArgument:
        return "invalid argument";
    case CalcErrorKind::MathError:
        break;
    }
    return "math error";
}

CalcError::CalcError(CalcErrorKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

const char* CalcError::what() const noexcept {
    return text_.empty() ? CalcErrorKindName(kind_) : text_.c_str();
}

AssertionFailure::AssertionFailure(std::string unit)
    : message_("Assertion failure (" + std::move(unit) + ")") {}

} // namespace pexa
