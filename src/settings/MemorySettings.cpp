#include "settings/MemorySettings.h"

#include "settings/IniLines.h"
#include "settings/Profile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pexa {

namespace {

constexpr int RealModeCode = 4;
// Hexadecimal digits of the stored value per mode code.
constexpr std::size_t ValueDigits[] = {2, 4, 8, 16, 20};

// At most 16 digits, each a hexadecimal one.
std::optional<std::uint64_t> ParseHex(std::string_view digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = ini::HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<unsigned>(digit);
    }
    return value;
}

std::string Hex(std::uint64_t value, std::size_t digits) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; value >>= 4)
        text[i] = Digits[value & 0xF];
    return text;
}

} // namespace

std::string StoredValueDigits(const StoredMemory& value) {
    if (value.Mode < 0 || value.Mode > RealModeCode)
        return {};
    const auto mode = static_cast<std::size_t>(value.Mode);
    std::string text = value.Mode == RealModeCode ? Hex(value.High, 4) : std::string();
    return text + Hex(value.Low, value.Mode == RealModeCode ? 16 : ValueDigits[mode]);
}

std::optional<StoredMemory> StoredValueOfDigits(int mode, std::string_view digits) {
    if (mode < 0 || mode > RealModeCode || digits.size() != ValueDigits[mode])
        return std::nullopt;
    const std::size_t highDigits = mode == RealModeCode ? 4 : 0;
    const std::optional<std::uint64_t> high = ParseHex(digits.substr(0, highDigits));
    const std::optional<std::uint64_t> low = ParseHex(digits.substr(highDigits));
    if (!high || !low)
        return std::nullopt;
    return StoredMemory{mode, *low, static_cast<std::uint16_t>(*high)};
}

std::optional<StoredMemory> ReadStoredMemory() {
    const int mode = ReadProfile(KeyMemoryMode);
    if (mode < 0)
        return std::nullopt;
    return StoredValueOfDigits(mode, ReadProfileString(SectionMemory, KeyMemoryValue, ""));
}

void WriteStoredMemory(const std::optional<StoredMemory>& memory) {
    if (!memory || memory->Mode < 0 || memory->Mode > RealModeCode) {
        WriteProfile(KeyMemoryMode, -1);
        WriteProfileString(SectionMemory, KeyMemoryValue, "");
        return;
    }
    WriteProfile(KeyMemoryMode, memory->Mode);
    WriteProfileString(SectionMemory, KeyMemoryValue, StoredValueDigits(*memory));
}

} // namespace pexa
