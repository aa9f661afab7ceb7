#include "core/FormatSettings.h"

namespace pexa {

FormatSettings& CurrentFormat() {
    static FormatSettings settings;
    return settings;
}

FormatSettingsScope::FormatSettingsScope(const FormatSettings& settings) : saved_(CurrentFormat()) {
    CurrentFormat() = settings;
}

FormatSettingsScope::~FormatSettingsScope() {
    CurrentFormat() = saved_;
}

char SanitizeFormatChar(int c, char fallback) {
    // Digits and signs would make number texts ambiguous.
    if (c <= 0x20 || c >= 0x7F || (c >= '0' && c <= '9') || c == '-' || c == '+')
        return fallback;
    return static_cast<char>(c);
}

} // namespace pexa
