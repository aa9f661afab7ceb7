#include "settings/IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace pexa {

namespace {

constexpr std::string_view Blanks = " \t\r\v\f";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

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

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

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

// Walks the lines of a text; a last line without a line ending counts as a line.
class LineWalker {
public:
    explicit LineWalker(std::string_view text) : text_(text) {}

    bool Next(IniLine& line) {
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

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Where a key stands in a text, or where it would go.
struct IniLocation {
    bool SectionFound = false;
    bool KeyFound = false;
    std::size_t InsertAt = 0;    // after the section's last key (or its header)
    bool InsertNeedsEol = false; // the line before InsertAt has no line ending
    std::size_t ValueBegin = 0;
    std::size_t ValueEnd = 0;
    std::string_view RawValue;
};

IniLocation Locate(std::string_view text, std::string_view section, std::string_view key) {
    IniLocation loc;
    LineWalker walker(text);
    IniLine line;
    while (walker.Next(line)) {
        if (line.Kind == LineKind::Section) {
            if (loc.SectionFound)
                break; // only the first section of the name counts
            if (!EqualsIgnoreCase(line.Name, section))
                continue;
            loc.SectionFound = true;
        } else if (!loc.SectionFound || line.Kind != LineKind::Key) {
            continue;
        } else if (!key.empty() && EqualsIgnoreCase(line.Name, key)) {
            loc.KeyFound = true;
            loc.ValueBegin = line.ValueBegin;
            loc.ValueEnd = line.End;
            loc.RawValue = line.Value;
            return loc;
        }
        loc.InsertAt = line.Next;
        loc.InsertNeedsEol = line.Next == line.End;
    }
    return loc;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
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

// Quotes a value that the reader would otherwise trim or unquote.
std::string EncodeValue(std::string_view value) {
    if (value.empty() || (Trim(value) == value && !IsQuotedPair(value)))
        return std::string(value);
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

std::string_view LineEndingOf(std::string_view text) {
    const auto nl = text.find('\n');
    if (nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r')
        return "\r\n";
    return "\n";
}

bool HasBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsCleanName(std::string_view s) {
    return !s.empty() && !HasBreakOrNul(s) && Trim(s) == s;
}

} // namespace

ProfileError::ProfileError(const std::string& path, std::string reason)
    : std::runtime_error(ProfileWriteMessage(path)), path_(path), reason_(std::move(reason)) {}

std::string ProfileWriteMessage(const std::string& path) {
    return path + " に書き込めません";
}

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    const IniLocation loc = Locate(text, section, key);
    if (!loc.KeyFound)
        return std::nullopt;
    return DecodeValue(loc.RawValue);
}

bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsCleanName(section) || section.find(']') != std::string_view::npos)
        return false;
    if (!IsCleanName(key) || key.find('=') != std::string_view::npos)
        return false;
    if (key.front() == '[' || key.front() == ';' || key.front() == '#')
        return false;
    return !HasBreakOrNul(value);
}

std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value) {
    if (!IsWritableIniEntry(section, key, value))
        return std::nullopt;
    const IniLocation loc = Locate(text, section, key);
    const std::string encoded = EncodeValue(value);
    const std::string_view eol = LineEndingOf(text);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + encoded.size() + 8);
    if (loc.KeyFound) {
        result.append(text.substr(0, loc.ValueBegin));
        result.append(encoded);
        result.append(text.substr(loc.ValueEnd));
        return result;
    }
    std::string entry(key);
    entry += '=';
    entry += encoded;
    entry += eol;
    if (loc.SectionFound) {
        result.append(text.substr(0, loc.InsertAt));
        if (loc.InsertNeedsEol)
            result.append(eol);
        result.append(entry);
        result.append(text.substr(loc.InsertAt));
        return result;
    }
    result.append(text);
    if (!text.empty() && text.back() != '\n')
        result.append(eol);
    result += '[';
    result.append(section);
    result += ']';
    result.append(eol);
    result.append(entry);
    return result;
}

namespace {

std::string ErrnoText(const char* what, int err) {
    return std::string(what) + ": " + std::strerror(err);
}

// The file's bytes. Returns the errno of the failure (0 on success); a file that is
// not a regular file counts as EINVAL so that a FIFO or device is never read.
int LoadFile(const std::string& path, std::string& text, struct stat& info) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    int err = 0;
    if (::fstat(fd, &info) != 0) {
        err = errno;
    } else if (!S_ISREG(info.st_mode)) {
        err = EINVAL;
    } else {
        text.clear();
        text.reserve(static_cast<std::size_t>(info.st_size));
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                err = errno;
                break;
            }
            if (n == 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return err;
}

// A symbolic link is followed so that the link stays and its target is replaced.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes text to a temporary file beside target and renames it over target.
void ReplaceFile(const std::string& target, std::string_view text, const struct stat* existing,
                 const std::string& userPath) {
    std::string temp = DirectoryOf(target) + "/." + BaseNameOf(target) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        throw ProfileError(userPath, ErrnoText("mkstemp", errno));
    const char* failed = nullptr;
    int err = 0;
    if (existing != nullptr) {
        // Keep the owner where we may (root saving a user's file); failure is harmless.
        [[maybe_unused]] const int ignored = ::fchown(fd, existing->st_uid, existing->st_gid);
    }
    const mode_t mode = existing != nullptr ? (existing->st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0)
        failed = "fchmod", err = errno;
    else if (!WriteAll(fd, text))
        failed = "write", err = errno;
    else if (::fsync(fd) != 0)
        failed = "fsync", err = errno;
    if (::close(fd) != 0 && failed == nullptr)
        failed = "close", err = errno;
    if (failed == nullptr && ::rename(temp.c_str(), target.c_str()) != 0)
        failed = "rename", err = errno;
    if (failed != nullptr) {
        ::unlink(temp.c_str());
        throw ProfileError(userPath, ErrnoText(failed, err));
    }
}

} // namespace

namespace {

IniWriteBatch* activeBatch = nullptr;

} // namespace

struct IniWriteBatch::FileInfo {
    struct stat Stat {};
};

IniWriteBatch::IniWriteBatch(std::string path)
    : path_(std::move(path)), info_(new FileInfo), previous_(activeBatch) {
    activeBatch = this;
}

IniWriteBatch::~IniWriteBatch() {
    activeBatch = previous_;
    delete info_;
}

void IniWriteBatch::Commit() {
    if (activeBatch == this)
        activeBatch = previous_;
    if (!loaded_ || (exists_ && text_ == original_))
        return;
    loaded_ = false;
    if (exists_ && ::access(target_.c_str(), W_OK) != 0)
        throw ProfileError(path_, ErrnoText("access", errno));
    ReplaceFile(target_, text_, exists_ ? &info_->Stat : nullptr, path_);
}

std::optional<std::string> ReadIniFileValue(const std::string& path, std::string_view section,
                                            std::string_view key) {
    if (activeBatch != nullptr && activeBatch->loaded_ && activeBatch->path_ == path)
        return FindIniValue(activeBatch->text_, section, key);
    std::string text;
    struct stat info {};
    if (LoadFile(path, text, info) != 0)
        return std::nullopt;
    return FindIniValue(text, section, key);
}

void WriteIniFileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    if (!IsWritableIniEntry(section, key, value))
        throw ProfileError(path, "the entry cannot be stored in the file");
    IniWriteBatch* batch =
        activeBatch != nullptr && activeBatch->path_ == path ? activeBatch : nullptr;
    if (batch != nullptr && batch->loaded_) {
        batch->text_ = *SetIniValue(batch->text_, section, key, value);
        return;
    }
    const std::string target = ResolveTarget(path);
    std::string text;
    struct stat info {};
    const int err = LoadFile(target, text, info);
    const bool exists = err == 0;
    if (!exists && err != ENOENT)
        throw ProfileError(path, ErrnoText("open", err));
    const std::optional<std::string> updated = SetIniValue(text, section, key, value);
    // A read-only file is the user's way of freezing the settings; the rename would
    // otherwise bypass it.
    const bool changed = !exists || *updated != text;
    if (batch == nullptr && exists && changed && ::access(target.c_str(), W_OK) != 0)
        throw ProfileError(path, ErrnoText("access", errno));
    if (batch != nullptr) {
        batch->target_ = target;
        batch->original_ = std::move(text);
        batch->text_ = *updated;
        batch->exists_ = exists;
        batch->info_->Stat = info;
        batch->loaded_ = true;
        return;
    }
    if (!changed)
        return;
    ReplaceFile(target, *updated, exists ? &info : nullptr, path);
}

} // namespace pexa
