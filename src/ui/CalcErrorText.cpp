#include "ui/CalcErrorText.h"

namespace pexa {

QString CalcErrorText(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::DivideByZero:
        return QStringLiteral("0で割ることはできません");
    case CalcErrorKind::Overflow:
        return QStringLiteral("オーバーフローしました");
    case CalcErrorKind::Underflow:
        return QStringLiteral("アンダーフローしました");
    case CalcErrorKind::InvalidOperation:
        return QStringLiteral("計算できません");
    case CalcErrorKind::InvalidArgument:
        return QStringLiteral("無効な値です");
    case CalcErrorKind::MathError:
        break;
    }
    return QStringLiteral("演算エラー");
}

} // namespace pexa
