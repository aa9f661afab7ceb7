#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How the lines of an INI text are read: shared by the reader, the writer and the
// index so that all three agree on every byte.
namespace pexa::ini {

inline constexpr std::string_view Blanks = " \t\r\v\f";
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s);
char LowerAscii(char c);
// The value of a hexadecimal digit of either case, or -1 for any other byte.
int HexDigitValue(char c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

enum class LineKind { Other, Section, Key };

// One line of the text: content [Begin, End), line ending [End, Next).
struct IniLine {
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::size_t Next = 0;
    LineKind Kind = LineKind::Other;
    std::string_view Name;      // section name or key, trimmed
    std::string_view Value;     // raw value, trimmed
    std::size_t ValueBegin = 0; // where the value's text starts in the whole text
};

// Walks the lines of a text; a last line without a line ending counts as a line.
class LineWalker {
public:
    explicit LineWalker(std::string_view text) : text_(text) {}

    bool Next(IniLine& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsQuotedPair(std::string_view s);
// A raw value as read: one matching pair of quotes dropped, cut at a NUL byte.
std::string DecodeValue(std::string_view raw);

} // namespace pexa::ini
