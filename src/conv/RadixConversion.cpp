#include "conv/RadixConversion.h"

#include "core/DigitText.h"
#include "core/ModeWidth.h"

#include <cstdint>

namespace pexa {

namespace {

constexpr char DigitChars[] = "0123456789ABCDEF";
constexpr char GroupSeparator = ' ';

// The usual prefixes and suffixes of each notation paste cleanly: 0x1F, &H1F,
// $1F, #1F, 1Fh; &O17, 0o17; &B101, 0B101 (a lower-case "b" is not skipped:
// "0b101" is refused); digit groups separated by blanks.
constexpr RadixParams HexParams{BarKind::Hex, 4, 4, 4, " #$&HhXx"};
constexpr RadixParams OctParams{BarKind::Oct, 3, 0, 0, " #&Oo"};
constexpr RadixParams BinParams{BarKind::Bin, 1, 4, 8, " #&B"};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The mode's width in bytes; Float counts as 8.
int WidthBytes(CalcValueMode mode) {
    return ByteCountOf(mode);
}

} // namespace

RadixConversion::RadixConversion(const RadixParams& params)
    : Conversion(params.Kind), params_(params) {
    RadixConversion::Clear();
}

ConvOptionSet RadixConversion::GetCapabilities() const {
    if (params_.GroupSize > 0)
        return {ConvOption::DigitGrouping};
    return {};
}

int RadixConversion::DigitValue(char ch) const {
    const char upper = AsciiUpper(ch);
    int value = -1;
    if (upper >= '0' && upper <= '9')
        value = upper - '0';
    else if (upper >= 'A' && upper <= 'F')
        value = upper - 'A' + 10;
    return value >= 0 && value < (1 << params_.DigitBits) ? value : -1;
}

int RadixConversion::ShownDigits() const {
    return (8 * WidthBytes(GetMode()) + params_.DigitBits - 1) / params_.DigitBits;
}

int RadixConversion::CurrentGroupSize() const {
    return Is64BitMode(GetMode()) ? params_.WideGroupSize : params_.GroupSize;
}

std::string RadixConversion::GetText(bool grouped) const {
    const int d = params_.DigitBits;
    const std::uint64_t digitMask = (std::uint64_t{1} << d) - 1;
    auto bits = static_cast<std::uint64_t>(GetBits());
    std::string text;
    do {
        text.insert(text.begin(), DigitChars[bits & digitMask]);
        bits >>= d;
    } while (bits != 0);
    // In Float mode the integer part is shown as it is, without padding.
    if (!IsFloatMode(GetMode()))
        PadText(text, '0', ShownDigits(), true);
    if (grouped && CurrentGroupSize() > 0)
        GroupDigits(text, GroupSeparator, CurrentGroupSize(), -1);
    return text;
}

bool RadixConversion::CanInputChar(char ch, bool, bool) const {
    return DigitValue(ch) >= 0;
}

bool RadixConversion::InputChar(char ch) {
    const int digit = DigitValue(ch);
    if (digit < 0)
        return false;
    const int d = params_.DigitBits;
    const auto bits = static_cast<std::uint64_t>(GetBits());
    const int topShift = 8 * (WidthBytes(GetMode()) - 1);
    const std::uint64_t topByte = (bits >> topShift) & 0xFF;
    const std::uint64_t roomMask = (0xFFu << (8 - d)) & 0xFFu;
    // A digit would push set bits out of the width.
    if ((topByte & roomMask) != 0)
        return false;
    StoreBits(static_cast<std::int64_t>((bits << d) | static_cast<std::uint64_t>(digit)));
    return true;
}

bool RadixConversion::IsIgnoredChar(char ch) const {
    return ch != '\0' && params_.IgnoredChars.find(ch) != std::string_view::npos;
}

bool RadixConversion::Backspace() {
    const auto bits = static_cast<std::uint64_t>(GetBits());
    StoreBits(static_cast<std::int64_t>(bits >> params_.DigitBits));
    return true;
}

HexConversion::HexConversion() : RadixConversion(HexParams) {}

OctalConversion::OctalConversion() : RadixConversion(OctParams) {}

BinaryConversion::BinaryConversion() : RadixConversion(BinParams) {}

} // namespace pexa
