#include "settings/IniFile.h"

#include "settings/AtomicFile.h"
#include "settings/IniIndex.h"
#include "settings/IniLines.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

namespace pexa {

using namespace ini;

namespace {

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

ProfileError::ProfileError(const std::string& path, std::string reason, int systemError)
    : std::runtime_error(ProfileWriteMessage(path)), path_(path), reason_(std::move(reason)),
      systemError_(systemError) {}

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

IniWriteBatch* activeBatch = nullptr;

// A failed system call as the error to throw.
ProfileError SystemFailure(const std::string& userPath, const char* call, int err) {
    return ProfileError(userPath, std::string(call) + ": " + std::strerror(err), err);
}

bool SameFileVersion(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// The last file read, indexed. A start-up reads dozens of keys; while the file
// stays the same version on disk (same inode, size and change times) they are
// answered from here, and any change to the file is still seen by the next read.
struct ReadCache {
    std::string Path;
    struct stat Version {};
    std::string Text;
    std::unique_ptr<IniIndex> Index;

    void Clear() {
        Path.clear();
        Index.reset();
        Text = std::string();
    }
};

ReadCache& Cache() {
    static ReadCache cache;
    return cache;
}

const IniIndex* CurrentIndex(const std::string& path) {
    ReadCache& cache = Cache();
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0 || !S_ISREG(now.st_mode)) {
        cache.Clear();
        return nullptr;
    }
    if (cache.Index && cache.Path == path && SameFileVersion(cache.Version, now))
        return cache.Index.get();
    cache.Clear();
    if (LoadRegularFile(path, cache.Text, cache.Version) != 0) {
        cache.Clear();
        return nullptr;
    }
    cache.Path = path;
    cache.Index = std::make_unique<IniIndex>(cache.Text);
    return cache.Index.get();
}

void Replace(const std::string& target, std::string_view text, const struct stat* existing,
             const std::string& userPath) {
    // Our own replacement makes the cached version stale; drop its memory now.
    Cache().Clear();
    RemoveStaleTemporaries(target);
    if (const auto failure = ReplaceFileContents(target, text, existing))
        throw SystemFailure(userPath, failure->Call, failure->Error);
}

void CheckExistingIsReplaceable(const std::string& target, const struct stat& info,
                                const std::string& userPath) {
    // A read-only file is the user's way of freezing the settings; the rename would
    // otherwise bypass it.
    if (const int err = CheckReplaceable(target, info))
        throw SystemFailure(userPath, "access", err);
}

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
    if (exists_)
        CheckExistingIsReplaceable(target_, info_->Stat, path_);
    Replace(target_, text_, exists_ ? &info_->Stat : nullptr, path_);
}

std::size_t IniFileReadCount() {
    return RegularFileLoadCount();
}

std::optional<std::string> ReadIniFileValue(const std::string& path, std::string_view section,
                                            std::string_view key) {
    if (activeBatch != nullptr && activeBatch->loaded_ && activeBatch->path_ == path)
        return FindIniValue(activeBatch->text_, section, key);
    const IniIndex* index = CurrentIndex(path);
    if (index == nullptr)
        return std::nullopt;
    return index->Find(section, key);
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
    // A dangling link is followed too: the write creates its target, the link stays.
    std::string target;
    if (const int err = FollowLinks(path, target))
        throw SystemFailure(path, "readlink", err);
    // A write always starts from the file on disk, never from the read cache: what
    // another copy of the program saved meanwhile must not be lost.
    std::string text;
    struct stat info {};
    const int err = LoadRegularFile(target, text, info);
    const bool exists = err == 0;
    if (!exists && err != ENOENT)
        throw SystemFailure(path, "open", err);
    const std::optional<std::string> updated = SetIniValue(text, section, key, value);
    const bool changed = !exists || *updated != text;
    if (batch == nullptr && exists && changed)
        CheckExistingIsReplaceable(target, info, path);
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
    Replace(target, *updated, exists ? &info : nullptr, path);
}

} // namespace pexa
