#include "conv/ConversionFactory.h"

#include "conv/CharacterConversion.h"
#include "conv/DateTimeConversion.h"
#include "conv/DecimalConversion.h"
#include "conv/FloatConversion.h"
#include "conv/IPv4Conversion.h"
#include "conv/RadixConversion.h"
#include "conv/SexagesimalConversion.h"
#include "conv/SizeConversion.h"

namespace pexa {

std::unique_ptr<Conversion> CreateConv(int kind) {
    if (!IsValidBarKind(kind))
        return nullptr;
    switch (static_cast<BarKind>(kind)) {
    case BarKind::Decimal:
        return std::make_unique<DecimalConversion>();
    case BarKind::Hex:
        return std::make_unique<HexConversion>();
    case BarKind::Oct:
        return std::make_unique<OctalConversion>();
    case BarKind::Bin:
        return std::make_unique<BinaryConversion>();
    case BarKind::Char:
        return std::make_unique<CharacterConversion>();
    case BarKind::IP:
        return std::make_unique<IPv4Conversion>();
    case BarKind::Degree:
        return std::make_unique<SexagesimalConversion>();
    case BarKind::Float:
        return std::make_unique<FloatConversion>();
    case BarKind::Time:
        return std::make_unique<DateTimeConversion>();
    case BarKind::Kilo:
        return std::make_unique<SizeConversion>();
    }
    return nullptr;
}

} // namespace pexa
