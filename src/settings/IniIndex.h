#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pexa {

// Every value of an INI text that FindIniValue would find, gathered in one pass, so
// that the many reads of a start-up cost one walk over the text however large it is.
// A text with more names than MaxEntries (no settings file, but a hostile one) is
// not indexed, so that memory stays bounded; Find then searches the text itself.
// The index points into the text it was built from, which must outlive it.
class IniIndex {
public:
    static constexpr std::size_t MaxEntries = 1u << 16;

    explicit IniIndex(std::string_view text);

    // The same result as FindIniValue(text, section, key).
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

private:
    // The section and key folded to ASCII lower case and joined.
    static std::string KeyOf(std::string_view section, std::string_view key);

    std::string_view text_;
    bool complete_ = true;
    std::unordered_map<std::string, std::string_view> values_;
};

} // namespace pexa
