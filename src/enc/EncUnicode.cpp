#include "enc/EncUnicode.h"

#include "core/ModeWidth.h"

#include <vector>

namespace pexa {

namespace {

constexpr char Unshown = '_';

bool InRange(unsigned v, unsigned low, unsigned high) {
    return v >= low && v <= high;
}

bool IsContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

// C0 controls, DEL and the C1 controls have no glyph of their own.
bool IsControl(char32_t ch) {
    return ch < 0x20 || InRange(ch, 0x7F, 0x9F);
}

void AppendShown(std::string& text, const DecodedChar& ch) {
    if (!ch.Valid || IsControl(ch.CodePoint))
        text += Unshown;
    else
        text += EncodeUtf8(ch.CodePoint);
}

// The bytes that take part, most significant first.
std::vector<std::uint8_t> UsedBytes(CalcValueMode mode, std::int64_t bits) {
    const auto pattern = static_cast<std::uint64_t>(bits);
    const int count = UsedByteCount(mode, bits);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i)
        bytes.push_back(static_cast<std::uint8_t>(pattern >> (8 * i)));
    return bytes;
}

// The 16-bit units that take part, most significant first; an odd byte
// count is completed by a zero byte above.
std::vector<std::uint16_t> UsedUnits(CalcValueMode mode, std::int64_t bits) {
    const int byteCount = UsedByteCount(mode, bits);
    std::uint64_t pattern = static_cast<std::uint64_t>(bits);
    if (byteCount < 8)
        pattern &= (std::uint64_t{1} << (8 * byteCount)) - 1;
    std::vector<std::uint16_t> units;
    for (int i = (byteCount + 1) / 2 - 1; i >= 0; --i)
        units.push_back(static_cast<std::uint16_t>(pattern >> (16 * i)));
    return units;
}

template <class Visit> void ForEachUtf8Char(CalcValueMode mode, std::int64_t bits, Visit visit) {
    const std::vector<std::uint8_t> bytes = UsedBytes(mode, bits);
    for (std::size_t i = 0; i < bytes.size();) {
        const DecodedChar ch = DecodeUtf8(bytes.data() + i, bytes.size() - i);
        visit(ch);
        i += ch.Length;
    }
}

template <class Visit> void ForEachUtf16Char(CalcValueMode mode, std::int64_t bits, Visit visit) {
    const std::vector<std::uint16_t> units = UsedUnits(mode, bits);
    for (std::size_t i = 0; i < units.size();) {
        const DecodedChar ch = DecodeUtf16(units.data() + i, units.size() - i);
        visit(ch);
        i += ch.Length;
    }
}

} // namespace

bool IsScalarValue(std::uint64_t value) {
    return value <= MaxCodePoint && !InRange(static_cast<unsigned>(value), 0xD800, 0xDFFF);
}

int UsedByteCount(CalcValueMode mode, std::int64_t bits) {
    const auto pattern = static_cast<std::uint64_t>(bits);
    const int n = ByteCountOf(mode);
    int count = 0;
    while (count < n && (pattern >> (8 * count)) != 0)
        ++count;
    return count;
}

DecodedChar DecodeUtf8(const std::uint8_t* bytes, std::size_t count) {
    const std::uint8_t lead = bytes[0];
    if (lead < 0x80)
        return {true, lead, 1};
    // The second byte's range excludes the overlong forms (after E0 and F0),
    // the surrogates (after ED) and everything above U+10FFFF (after F4).
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    char32_t value = 0;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        value = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        value = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return {};
    }
    if (count < length || !InRange(bytes[1], low, high))
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(bytes[i]))
            return {};
        value = (value << 6) | (bytes[i] & 0x3Fu);
    }
    return {true, value, length};
}

DecodedChar DecodeUtf16(const std::uint16_t* units, std::size_t count) {
    const std::uint16_t first = units[0];
    if (!InRange(first, 0xD800, 0xDFFF))
        return {true, first, 1};
    if (first >= 0xDC00 || count < 2 || !InRange(units[1], 0xDC00, 0xDFFF))
        return {};
    const char32_t value = 0x10000 + ((char32_t{first} - 0xD800) << 10) + (units[1] - 0xDC00u);
    return {true, value, 2};
}

std::string EncodeUtf8(char32_t ch) {
    if (!IsScalarValue(ch))
        return {};
    std::string out;
    const auto put = [&out](unsigned b) { out += static_cast<char>(b); };
    if (ch < 0x80) {
        put(ch);
    } else if (ch < 0x800) {
        put(0xC0 | (ch >> 6));
        put(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        put(0xE0 | (ch >> 12));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    } else {
        put(0xF0 | (ch >> 18));
        put(0x80 | ((ch >> 12) & 0x3F));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    }
    return out;
}

int EncodeUtf16(char32_t ch, std::uint32_t& units) {
    units = 0;
    if (!IsScalarValue(ch))
        return 0;
    if (ch < 0x10000) {
        units = ch;
        return 1;
    }
    const char32_t v = ch - 0x10000;
    units = ((0xD800u + (v >> 10)) << 16) | (0xDC00u + (v & 0x3FF));
    return 2;
}

std::string Utf8CodeText(CalcValueMode mode, std::int64_t bits) {
    std::string text;
    ForEachUtf8Char(mode, bits, [&text](const DecodedChar& ch) { AppendShown(text, ch); });
    return text;
}

std::string Utf16CodeText(CalcValueMode mode, std::int64_t bits) {
    std::string text;
    ForEachUtf16Char(mode, bits, [&text](const DecodedChar& ch) { AppendShown(text, ch); });
    return text;
}

std::size_t LastUtf8CharLength(CalcValueMode mode, std::int64_t bits) {
    std::size_t length = 0;
    ForEachUtf8Char(mode, bits, [&length](const DecodedChar& ch) { length = ch.Length; });
    return length;
}

std::size_t LastUtf16CharLength(CalcValueMode mode, std::int64_t bits) {
    std::size_t length = 0;
    ForEachUtf16Char(mode, bits, [&length](const DecodedChar& ch) { length = ch.Length; });
    return length;
}

std::string CodePointText(std::uint64_t value) {
    if (!IsScalarValue(value))
        return std::string(1, Unshown);
    std::string text;
    AppendShown(text, {true, static_cast<char32_t>(value), 1});
    return text;
}

} // namespace pexa
