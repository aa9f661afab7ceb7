#include "core/CalcError.h"

#include <utility>

namespace pexa {

const char* CalcErrorMessage(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::DivideByZero:
        return "0で割ることはできません";
    case CalcErrorKind::Overflow:
        return "オーバーフローしました";
    case CalcErrorKind::Underflow:
        return "アンダーフローしました";
    case CalcErrorKind::InvalidOperation:
        return "計算できません";
    case CalcErrorKind::InvalidArgument:
        return "無効な値です";
    case CalcErrorKind::MathError:
        break;
    }
    return "演算エラー";
}

CalcError::CalcError(CalcErrorKind kind, std::string text) : kind_(kind), text_(std::move(text)) {}

const char* CalcError::what() const noexcept {
    return text_.empty() ? CalcErrorMessage(kind_) : text_.c_str();
}

AssertionFailure::AssertionFailure(std::string unit)
    : message_("Assertion failure (" + std::move(unit) + ")") {}

} // namespace pexa
