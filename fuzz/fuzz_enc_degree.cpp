// Feeds arbitrary bytes to the sexagesimal codec: every text must end in a
// result or a ConvertError, and every formatted number must read back.
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncDegree.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace pexa;

namespace {

constexpr CalcValueMode Modes[] = {CalcValueMode::Byte, CalcValueMode::Word, CalcValueMode::DWord,
                                   CalcValueMode::QWord, CalcValueMode::Float};

void ParseAnyway(const std::string& text) {
    for (CalcValueMode mode : Modes) {
        CalcValue value;
        try {
            ParseSexagesimal(value, text, mode);
        } catch (const ConvertError&) {
        }
    }
}

void CheckRoundTrip(std::int64_t v, bool hmsStyle) {
    std::string text = FormatSexagesimal(hmsStyle, v);
    const std::int64_t limit = SexagesimalGroupLimit * 60;
    const std::int64_t hours = (v < 0 ? -(v / 3600) : v / 3600);
    if (v <= -limit || v >= limit || (hmsStyle && hours > INT32_MAX))
        return;
    CalcValue value;
    ParseSexagesimal(value, text, CalcValueMode::QWord);
    if (GetInteger(value) != v)
        std::abort();
    if (!ValidateSexagesimal(text, false))
        std::abort();
    ParseSexagesimal(value, text, CalcValueMode::QWord);
    if (GetInteger(value) != v)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FormatSettings settings;
    std::uint8_t flags = 0;
    if (size >= 2) {
        // As the program makes it from the system's locale.
        settings = MakeFormatSettings(data[0], ',', '/', ':');
        flags = data[1];
        data += 2;
        size -= 2;
    }
    FormatSettingsScope scope(settings);
    const std::string text(reinterpret_cast<const char*>(data), size);

    ParseAnyway(text);
    std::string checked = text;
    if (ValidateSexagesimal(checked, (flags & 1) != 0))
        ParseAnyway(checked);

    // A ":" as the decimal separator would make every group a fraction.
    if (size >= 8 && settings.DecimalSeparator != ':') {
        std::int64_t v;
        std::memcpy(&v, data, sizeof v);
        CheckRoundTrip(v, (flags & 2) != 0);
        CheckRoundTrip(v >> (flags % 64), (flags & 4) != 0);
    }
    return 0;
}
