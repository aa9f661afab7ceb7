#include "ui/text/CalcErrorText.h"

#include <QCoreApplication>

#include <iterator>

namespace pexa {

namespace {

// In CalcErrorKind's order.
constexpr const char* kCalcErrorTexts[] = {
    QT_TRANSLATE_NOOP("CalcError", "Cannot divide by zero"),
    QT_TRANSLATE_NOOP("CalcError", "Overflow"),
    QT_TRANSLATE_NOOP("CalcError", "Underflow"),
    QT_TRANSLATE_NOOP("CalcError", "Invalid operation"),
    QT_TRANSLATE_NOOP("CalcError", "Invalid value"),
    QT_TRANSLATE_NOOP("CalcError", "Math error"),
};
static_assert(std::size(kCalcErrorTexts) == static_cast<std::size_t>(CalcErrorKind::MathError) + 1);

} // namespace

QString CalcErrorText(CalcErrorKind kind) {
    return QCoreApplication::translate("CalcError",
                                       kCalcErrorTexts[static_cast<std::size_t>(kind)]);
}

} // namespace pexa
