#include "ui/text/CalcErrorText.h"

#include <QCoreApplication>

namespace pexa {

QString CalcErrorText(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::DivideByZero:
        return QCoreApplication::translate("CalcError", "Cannot divide by zero");
    case CalcErrorKind::Overflow:
        return QCoreApplication::translate("CalcError", "Overflow");
    case CalcErrorKind::Underflow:
        return QCoreApplication::translate("CalcError", "Underflow");
    case CalcErrorKind::InvalidOperation:
        return QCoreApplication::translate("CalcError", "Invalid operation");
    case CalcErrorKind::InvalidArgument:
        return QCoreApplication::translate("CalcError", "Invalid value");
    case CalcErrorKind::MathError:
        break;
    }
    return QCoreApplication::translate("CalcError", "Math error");
}

} // namespace pexa
