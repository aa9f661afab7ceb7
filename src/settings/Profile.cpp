#include "settings/Profile.h"

#include "settings/IniLines.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace pexa {

namespace {

constexpr std::string_view ProfileFileName = "pexa.ini";

std::optional<std::string>& PathOverride() {
    static std::optional<std::string> path;
    return path;
}

std::string ExecutablePath() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        if (buffer.size() >= 1u << 20)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

const ProfileLocation& RunLocation() {
    static const ProfileLocation location =
        LocateProfile(ExecutablePath(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return location;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string HomeFolder(const char* home) {
    if (IsAbsolute(home))
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && IsAbsolute(entry->pw_dir) ? entry->pw_dir : std::string();
}

// The magnitude of an unsigned digit string, or nothing past limit or on a stray byte.
std::optional<std::uint64_t> ParseMagnitude(std::string_view digits, int base,
                                            std::uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int d = ini::HexDigitValue(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// Cuts a text to at most max bytes without splitting a UTF-8 sequence.
void CutToLength(std::string& text, std::size_t max) {
    if (text.size() <= max)
        return;
    std::size_t cut = max;
    const auto isContinuation = [&](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    // A UTF-8 sequence has at most three continuation bytes.
    std::size_t back = 0;
    while (cut > 0 && back < 3 && isContinuation(cut)) {
        --cut;
        ++back;
    }
    if (isContinuation(cut))
        cut = max; // not UTF-8 at all: a plain byte cut
    text.resize(cut);
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key) {
    return ReadIniFileValue(ProfilePath(), section, key);
}

void WriteValue(std::string_view section, std::string_view key, std::string_view value) {
    // A failure to make the folder shows as the write's own failure.
    if (!PathOverride() && RunLocation().InConfigFolder)
        CreateProfileFolder(RunLocation().Path);
    WriteIniFileValue(ProfilePath(), section, key, value);
}

} // namespace

ProfileLocation LocateProfile(const std::string& executablePath, const char* xdgConfigHome,
                              const char* home) {
    const auto slash = executablePath.rfind('/');
    // Without /proc the working folder is the best remaining guess.
    const std::string beside = slash == std::string::npos ? std::string(ProfileFileName)
                                                          : executablePath.substr(0, slash + 1) +
                                                                std::string(ProfileFileName);
    struct stat info {};
    if (::lstat(beside.c_str(), &info) == 0 || ::access(FolderOf(beside).c_str(), W_OK) == 0)
        return {beside, false};
    std::string config;
    if (IsAbsolute(xdgConfigHome)) {
        config = xdgConfigHome;
    } else {
        const std::string homeFolder = HomeFolder(home);
        if (homeFolder.empty())
            return {beside, false};
        config = homeFolder + "/.config";
    }
    if (!config.ends_with('/'))
        config += '/';
    return {config + "pexa/" + std::string(ProfileFileName), true};
}

bool CreateProfileFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    // The walk up ends at "/" or ".", which exist.
    if (folder == path || !CreateProfileFolder(folder))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

const std::string& ProfilePath() {
    if (PathOverride())
        return *PathOverride();
    return RunLocation().Path;
}

ProfilePathOverride::ProfilePathOverride(std::string path) : saved_(PathOverride()) {
    PathOverride() = std::move(path);
}

ProfilePathOverride::~ProfilePathOverride() {
    PathOverride() = std::move(saved_);
}

std::optional<int> ParseProfileInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        base = 16;
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    const auto magnitude = ParseMagnitude(text, base, limit);
    if (!magnitude)
        return std::nullopt;
    // Hexadecimal fills all 32 bits and wraps into the signed range, as "$FFFFFFFF" = -1.
    std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<int>(bits);
}

int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue, int min,
                   int max) {
    const auto text = ReadValue(section, key);
    if (!text)
        return defaultValue;
    const auto value = ParseProfileInt(*text);
    if (!value)
        return defaultValue;
    if (min <= max && (*value < min || *value > max))
        return defaultValue;
    return *value;
}

void WriteProfileInt(std::string_view section, std::string_view key, int value) {
    WriteValue(section, key, std::to_string(value));
}

bool ReadProfileBool(std::string_view section, std::string_view key, bool defaultValue) {
    return ReadProfileInt(section, key, defaultValue ? 1 : 0, 0, -1) != 0;
}

void WriteProfileBool(std::string_view section, std::string_view key, bool value) {
    WriteValue(section, key, value ? "1" : "0");
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    std::string text = ReadValue(section, key).value_or(std::string(defaultValue));
    CutToLength(text, MaxProfileStringLength);
    return text;
}

void WriteProfileString(std::string_view section, std::string_view key, std::string_view value) {
    WriteValue(section, key, value);
}

void ReadProfileFont(std::string_view section, ProfileFont& target, const ProfileFont* source) {
    const ProfileFont base = source != nullptr ? *source : target;
    ProfileFont font = base;
    font.Charset = ReadProfileInt(section, KeyFontCharset, base.Charset, 0, -1);
    font.Size = ReadProfileInt(section, KeyFontSize, base.Size, MinFontSize, MaxFontSize);
    font.Name = ReadProfileString(section, KeyFontName, base.Name);
    font.Bold = ReadProfileBool(section, KeyFontBold, base.Bold);
    font.Italic = ReadProfileBool(section, KeyFontItalic, base.Italic);
    font.Underline = ReadProfileBool(section, KeyFontUnderline, base.Underline);
    font.StrikeOut = ReadProfileBool(section, KeyFontStrikeOut, base.StrikeOut);
    target = std::move(font);
}

void WriteProfileFont(std::string_view section, const ProfileFont& font) {
    WriteProfileInt(section, KeyFontCharset, font.Charset);
    WriteProfileInt(section, KeyFontSize, font.Size);
    WriteProfileString(section, KeyFontName, font.Name);
    WriteProfileBool(section, KeyFontBold, font.Bold);
    WriteProfileBool(section, KeyFontItalic, font.Italic);
    WriteProfileBool(section, KeyFontUnderline, font.Underline);
    WriteProfileBool(section, KeyFontStrikeOut, font.StrikeOut);
}

std::string CustomColorKey(int index) {
    if (index < 0 || index >= CustomColorCount)
        return {};
    std::string key = "Color";
    key += static_cast<char>('A' + index);
    return key;
}

bool IsHexColor(std::string_view text) {
    if (text.empty())
        return false;
    std::string prefixed = "$";
    prefixed += text;
    const auto value = ParseProfileInt(prefixed);
    return value && *value >= 0;
}

void ReadCustomColors(std::string_view section, std::vector<std::string>& list) {
    list.clear();
    for (int i = 0; i < CustomColorCount; ++i) {
        const std::string key = CustomColorKey(i);
        std::string value = ReadProfileString(section, key, "");
        if (!IsHexColor(value))
            value = DefaultCustomColor;
        list.push_back(key + "=" + value);
    }
}

namespace {

std::string_view NameOf(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

// The value stored under name in a list of "name=value" entries: the first entry
// whose name matches ignoring case, as a string list's Values[] finds it.
std::string_view ValueOf(const std::vector<std::string>& list, std::string_view name) {
    const auto sameName = [&](std::string_view other) {
        if (other.size() != name.size())
            return false;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const auto lower = [](char c) {
                return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            };
            if (lower(other[i]) != lower(name[i]))
                return false;
        }
        return true;
    };
    for (const std::string& entry : list) {
        const auto eq = entry.find('=');
        if (eq != std::string::npos && sameName(std::string_view(entry).substr(0, eq)))
            return std::string_view(entry).substr(eq + 1);
    }
    return {};
}

} // namespace

void WriteCustomColors(std::string_view section, const std::vector<std::string>& list) {
    for (const std::string& entry : list) {
        if (entry.find('=') == std::string::npos)
            continue;
        const std::string_view name = NameOf(entry);
        if (name.empty())
            continue;
        const std::string_view value = ValueOf(list, name);
        WriteProfileString(section, name, IsHexColor(value) ? value : std::string_view());
    }
}

int ReadProfile(const ProfileIntKey& key) {
    return ReadProfileInt(key.Section, key.Key, key.Default, key.Min, key.Max);
}

void WriteProfile(const ProfileIntKey& key, int value) {
    WriteProfileInt(key.Section, key.Key, value);
}

bool ReadProfile(const ProfileBoolKey& key) {
    return ReadProfileBool(key.Section, key.Key, key.Default);
}

void WriteProfile(const ProfileBoolKey& key, bool value) {
    WriteProfileBool(key.Section, key.Key, value);
}

std::string BarKindKey(int position) {
    return "Bar" + std::to_string(position);
}

std::string BarWidthKey(int position) {
    return BarKindKey(position) + "Width";
}

std::string BarBreakKey(int position) {
    return BarKindKey(position) + "Break";
}

} // namespace pexa
