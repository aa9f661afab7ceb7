// Feeds arbitrary bytes to the 16- and 8-bit float formats: every text must
// end in a pattern within the format's width, a ConvertError or an Overflow;
// an accepted number keeps its sign, and every finite pattern's text reads
// back to that pattern.
#include "FuzzInput.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncFloat.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace pexa;
using pexa::fuzz::Require;

namespace {

constexpr FloatFormat SmallFormats[] = {FloatFormat::Half, FloatFormat::BFloat16, FloatFormat::E4M3,
                                        FloatFormat::E5M2};

bool IsFinite(const FloatFields& fields) {
    return fields.Class == FloatClass::Zero || fields.Class == FloatClass::Subnormal ||
           fields.Class == FloatClass::Normal;
}

void CheckText(const std::string& text) {
    for (const FloatFormat format : SmallFormats) {
        std::int64_t bits = 0;
        try {
            bits = FloatTextToBits(text, format);
        } catch (const ConvertError&) {
            continue;
        } catch (const CalcError& e) {
            Require(e.Kind() == CalcErrorKind::Overflow);
            continue;
        }
        const int width = LayoutOf(format).Width;
        Require((static_cast<std::uint64_t>(bits) >> width) == 0);
        const FloatFields fields = DecomposeFloat(format, bits);
        Require(IsFinite(fields));
        Require(fields.Negative == (!text.empty() && text[0] == '-'));
    }
}

void CheckPattern(std::int64_t bits) {
    for (const FloatFormat format : SmallFormats) {
        const std::string text = FormatFloatBits(format, bits);
        const FloatFields fields = DecomposeFloat(format, bits);
        if (!IsFinite(fields))
            continue;
        const std::uint64_t mask = (std::uint64_t{1} << LayoutOf(format).Width) - 1;
        Require(FloatTextToBits(text, format) == static_cast<std::int64_t>(bits & mask));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormatSettings settings;
    if (size >= 1) {
        // As the program makes it from the system's locale.
        settings = MakeFormatSettings(data[0], ',', '/', ':');
        ++data;
        --size;
    }
    const FormatSettingsScope scope(settings);
    CheckText(std::string(reinterpret_cast<const char*>(data), size));
    if (size >= 2) {
        const auto bits = static_cast<std::int64_t>(data[0] | (data[1] << 8));
        CheckPattern(bits);
    }
    return 0;
}
