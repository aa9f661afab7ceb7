#include "settings/IniLines.h"

namespace pexa::ini {

namespace {

void ClassifyLine(std::string_view text, IniLine& line) {
    std::string_view content = text.substr(line.Begin, line.End - line.Begin);
    std::size_t offset = line.Begin;
    if (line.Begin == 0 && content.starts_with(Utf8Bom)) {
        content.remove_prefix(Utf8Bom.size());
        offset += Utf8Bom.size();
    }
    const std::string_view body = Trim(content);
    line.Kind = LineKind::Other;
    if (body.empty() || body[0] == ';' || body[0] == '#')
        return;
    if (body[0] == '[') {
        const auto close = body.rfind(']');
        if (close == std::string_view::npos)
            return;
        line.Kind = LineKind::Section;
        line.Name = Trim(body.substr(1, close - 1));
        return;
    }
    const auto eq = content.find('=');
    if (eq == std::string_view::npos)
        return;
    line.Kind = LineKind::Key;
    line.Name = Trim(content.substr(0, eq));
    const std::string_view afterEq = content.substr(eq + 1);
    const auto valueStart = afterEq.find_first_not_of(Blanks);
    line.ValueBegin = offset + eq + 1 + (valueStart == std::string_view::npos ? 0 : valueStart);
    line.Value = Trim(afterEq);
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

} // namespace

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(Blanks);
    return s.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

bool IsQuotedPair(std::string_view s) {
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

std::string DecodeValue(std::string_view raw) {
    if (IsQuotedPair(raw))
        raw = raw.substr(1, raw.size() - 2);
    const auto nul = raw.find('\0');
    return std::string(raw.substr(0, nul));
}

bool LineWalker::Next(IniLine& line) {
    if (pos_ >= text_.size())
        return false;
    line.Begin = pos_;
    const auto nl = text_.find('\n', pos_);
    if (nl == std::string_view::npos) {
        line.End = line.Next = text_.size();
    } else {
        line.Next = nl + 1;
        line.End = (nl > pos_ && text_[nl - 1] == '\r') ? nl - 1 : nl;
    }
    pos_ = line.Next;
    ClassifyLine(text_, line);
    return true;
}

} // namespace pexa::ini
