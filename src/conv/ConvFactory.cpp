#include "conv/ConvFactory.h"

#include "conv/ConvChar.h"
#include "conv/ConvDecimal.h"
#include "conv/ConvDegree.h"
#include "conv/ConvFloat.h"
#include "conv/ConvIP.h"
#include "conv/ConvRadix.h"

namespace pexa {

std::unique_ptr<TCalcConv> CreateConv(int kind) {
    if (!IsValidBarKind(kind))
        return nullptr;
    switch (static_cast<BarKind>(kind)) {
    case BarKind::Decimal:
        return std::make_unique<TConvDecimal>();
    case BarKind::Hex:
        return std::make_unique<TConvHex>();
    case BarKind::Oct:
        return std::make_unique<TConvOct>();
    case BarKind::Bin:
        return std::make_unique<TConvBin>();
    case BarKind::Char:
        return std::make_unique<TConvChar>();
    case BarKind::IP:
        return std::make_unique<TConvIP>();
    case BarKind::Degree:
        return std::make_unique<TConvDegree>();
    case BarKind::Float:
        return std::make_unique<TConvFloat>();
    case BarKind::Time:
    case BarKind::Kilo:
        break;
    }
    return nullptr;
}

} // namespace pexa
