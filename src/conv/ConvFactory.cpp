#include "conv/ConvFactory.h"

#include "conv/ConvDecimal.h"
#include "conv/ConvKilo.h"
#include "conv/ConvRadix.h"
#include "conv/ConvTime.h"

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
    case BarKind::IP:
    case BarKind::Degree:
    case BarKind::Float:
        break;
    case BarKind::Time:
        return std::make_unique<TConvTime>();
    case BarKind::Kilo:
        return std::make_unique<TConvKilo>();
    }
    return nullptr;
}

} // namespace pexa
