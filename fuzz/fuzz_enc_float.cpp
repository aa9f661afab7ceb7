// Feeds arbitrary bytes to the IEEE 754 codec: every text must end in a
// pattern, a ConvertError or an Overflow; an accepted text must mean what the
// C library reads from it, and every shown single must read back exactly.
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncFloat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

using namespace pexa;

namespace {

constexpr std::int64_t OverflowMark = -1;

std::int64_t BitsOrOverflow(const std::string& text, FloatFormat format, bool& accepted) {
    accepted = false;
    try {
        const std::int64_t bits = FloatTextToBits(text, format);
        accepted = true;
        return bits;
    } catch (const ConvertError&) {
        return 0;
    } catch (const CalcError& e) {
        if (e.Kind() != CalcErrorKind::Overflow)
            std::abort();
        accepted = true;
        return OverflowMark;
    }
}

// The C library's reading of an accepted text, with the locale separator as '.'.
std::int64_t Reference(std::string text, char separator, FloatFormat format) {
    static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::size_t p = text.find(separator);
    if (p != std::string::npos)
        text[p] = '.';
    if (format == FloatFormat::Single) {
        const float f = strtof_l(text.c_str(), nullptr, c);
        std::uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        return std::isinf(f) ? OverflowMark : static_cast<std::int64_t>(u);
    }
    const double d = strtod_l(text.c_str(), nullptr, c);
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return std::isinf(d) ? OverflowMark : static_cast<std::int64_t>(u);
}

void CheckText(const std::string& text, char separator) {
    // NUL bytes would end the C library's reading early; they are refused anyway.
    const bool comparable = text.find('\0') == std::string::npos;
    for (FloatFormat format : {FloatFormat::Single, FloatFormat::Double}) {
        bool accepted = false;
        const std::int64_t bits = BitsOrOverflow(text, format, accepted);
        if (accepted && (!comparable || bits != Reference(text, separator, format)))
            std::abort();
    }
    Real r = 0;
    if (TryReadReal(text, r) && !std::isfinite(r))
        std::abort();
    std::string normalized = text;
    NormalizeFloatText(normalized);
    std::string again = normalized;
    NormalizeFloatText(again);
    if (again != normalized)
        std::abort();
}

void CheckPattern(std::int64_t bits) {
    const std::string single = FormatFloatBits(FloatFormat::Single, bits);
    FormatFloatBits(FloatFormat::Double, bits);
    const auto low = static_cast<std::uint32_t>(bits);
    if ((low & 0x7F800000) == 0x7F800000)
        return; // Inf and NaNs have no number to read back
    if (FloatTextToBits(single, FloatFormat::Single) != static_cast<std::int64_t>(low))
        std::abort();
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
    FormatSettingsScope scope(settings);
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckText(text, settings.DecimalSeparator);
    if (size >= 8) {
        std::int64_t bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckPattern(bits);
    }
    return 0;
}
