#include "settings/IniIndex.h"

#include "settings/IniFile.h"
#include "settings/IniLines.h"

#include <unordered_set>

namespace pexa {

using namespace ini;

namespace {

std::string Lower(std::string_view s) {
    std::string lower(s);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

} // namespace

std::string IniIndex::KeyOf(std::string_view section, std::string_view key) {
    // A name read from a line never holds a line feed, so it cannot blur the join.
    std::string joined = Lower(section);
    joined += '\n';
    joined += Lower(key);
    return joined;
}

IniIndex::IniIndex(std::string_view text) : text_(text) {
    std::unordered_set<std::string> seenSections;
    std::string current;
    bool recording = false; // inside the first section of its name
    LineWalker walker(text);
    IniLine line;
    while (walker.Next(line)) {
        if (values_.size() + seenSections.size() > MaxEntries) {
            complete_ = false;
            values_.clear();
            return;
        }
        if (line.Kind == LineKind::Section) {
            current = Lower(line.Name);
            recording = seenSections.insert(current).second;
        } else if (recording && line.Kind == LineKind::Key && !line.Name.empty()) {
            // The first key of a name counts; try_emplace keeps it.
            values_.try_emplace(KeyOf(current, line.Name), line.Value);
        }
    }
}

std::optional<std::string> IniIndex::Find(std::string_view section, std::string_view key) const {
    if (!complete_)
        return FindIniValue(text_, section, key);
    if (key.empty())
        return std::nullopt;
    const auto found = values_.find(KeyOf(section, key));
    if (found == values_.end())
        return std::nullopt;
    return DecodeValue(found->second);
}

} // namespace pexa
