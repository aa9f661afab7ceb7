#include "settings/HistorySettings.h"

#include "settings/IniFile.h"
#include "settings/IniLines.h"
#include "settings/Profile.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace pexa {

namespace {

constexpr char FieldSeparator = ',';
constexpr char EscapeMark = '%';
constexpr char HexDigits[] = "0123456789ABCDEF";

std::string LineKey(int index) {
    return "Line" + std::to_string(index);
}

bool NeedsEscape(unsigned char byte) {
    return byte <= ' ' || byte >= 0x7F || byte == EscapeMark || byte == FieldSeparator;
}

std::string Escaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!NeedsEscape(byte)) {
            escaped += c;
            continue;
        }
        escaped += EscapeMark;
        escaped += HexDigits[byte >> 4];
        escaped += HexDigits[byte & 0xF];
    }
    return escaped;
}

// None for a '%' without two hexadecimal digits after it.
std::optional<std::string> Unescaped(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != EscapeMark) {
            plain += text[i];
            continue;
        }
        if (text.size() - i < 3)
            return std::nullopt;
        const int high = ini::HexDigitValue(text[i + 1]);
        const int low = ini::HexDigitValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        plain += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return plain;
}

std::string ValueText(const StoredValue& value) {
    return std::to_string(value.Mode) + ":" + StoredValueDigits(value);
}

// A decimal integer and nothing else.
std::optional<int> IntegerOf(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<StoredValue> ValueOfText(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> mode = IntegerOf(text.substr(0, colon));
    if (!mode)
        return std::nullopt;
    return StoredValueOfDigits(*mode, text.substr(colon + 1));
}

std::string EntryOf(const StoredTapeLine& line) {
    std::string entry;
    for (const std::string& field :
         {std::to_string(line.Kind), std::to_string(line.Mode), std::to_string(line.Binary),
          Escaped(line.Operator), ValueText(line.Left), ValueText(line.Right),
          ValueText(line.Result)}) {
        if (!entry.empty())
            entry += FieldSeparator;
        entry += field;
    }
    return entry;
}

constexpr std::size_t EntryFieldCount = 7;

std::optional<StoredTapeLine> LineOfEntry(std::string_view entry) {
    std::string_view fields[EntryFieldCount];
    std::size_t count = 0;
    for (;;) {
        const auto comma = entry.find(FieldSeparator);
        if (count == EntryFieldCount)
            return std::nullopt;
        fields[count++] = entry.substr(0, comma);
        if (comma == std::string_view::npos)
            break;
        entry.remove_prefix(comma + 1);
    }
    if (count != EntryFieldCount)
        return std::nullopt;
    const std::optional<int> kind = IntegerOf(fields[0]);
    const std::optional<int> mode = IntegerOf(fields[1]);
    const std::optional<int> binary = IntegerOf(fields[2]);
    std::optional<std::string> symbol = Unescaped(fields[3]);
    const std::optional<StoredValue> left = ValueOfText(fields[4]);
    const std::optional<StoredValue> right = ValueOfText(fields[5]);
    const std::optional<StoredValue> result = ValueOfText(fields[6]);
    if (!kind || !mode || !binary || !symbol || !left || !right || !result)
        return std::nullopt;
    return StoredTapeLine{*kind, *mode, *binary, std::move(*symbol), *left, *right, *result};
}

} // namespace

std::vector<StoredTapeLine> ReadStoredTape() {
    std::vector<StoredTapeLine> lines;
    if (!ReadProfile(KeyHistoryKeep))
        return lines;
    // A larger count (a hand-edited file) reads the first lines it names.
    const int count = std::min(ReadProfile(KeyHistoryCount), MaxStoredTapeLines);
    for (int i = 0; i < count; ++i) {
        // Read whole: an expression's text may be longer than a string setting.
        const std::optional<std::string> entry =
            ReadIniFileValue(ProfilePath(), SectionHistory, LineKey(i));
        if (!entry)
            continue;
        if (std::optional<StoredTapeLine> line = LineOfEntry(*entry))
            lines.push_back(std::move(*line));
    }
    return lines;
}

void WriteStoredTape(const std::vector<StoredTapeLine>& lines) {
    if (!ReadProfile(KeyHistoryKeep))
        return;
    const int before = ReadProfile(KeyHistoryCount);
    constexpr auto most = static_cast<std::size_t>(MaxStoredTapeLines);
    const std::size_t first = lines.size() > most ? lines.size() - most : 0;
    const int count = static_cast<int>(lines.size() - first);
    WriteProfile(KeyHistoryCount, count);
    for (int i = 0; i < count; ++i)
        WriteProfileString(SectionHistory, LineKey(i),
                           EntryOf(lines[first + static_cast<std::size_t>(i)]));
    for (int i = count; i < before; ++i)
        WriteProfileString(SectionHistory, LineKey(i), "");
}

} // namespace pexa
