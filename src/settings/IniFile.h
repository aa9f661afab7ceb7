#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pexa {

// The classic profile format, as the Windows profile functions read and write it:
// "[Section]" lines open a section, "key=value" lines hold values, sections and keys
// are matched ignoring ASCII case, surrounding blanks are ignored, and one matching
// pair of quotes around a value is dropped. Only the first section of a name and the
// first key of a name in it count. Everything else in the file (comments, unknown
// keys, blank lines, line endings, order) is kept byte for byte on a write.

// A write that did not reach the file. The message is what the user is shown;
// Reason() names the failing system call for logs; SystemError() is the errno
// that call gave (EROFS, ENOTDIR, ELOOP, EACCES…), for the interface to put in
// words, or 0 when no system call failed (an entry the file cannot hold).
class ProfileError : public std::runtime_error {
public:
    ProfileError(const std::string& path, std::string reason, int systemError = 0);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }
    int SystemError() const { return systemError_; }

private:
    std::string path_;
    std::string reason_;
    int systemError_ = 0;
};

// The user-facing message of a failed write of the file at path.
std::string ProfileWriteMessage(const std::string& path);

// The value of key in section of an INI text, quotes removed and cut at a NUL byte,
// or nothing when the section or key is absent.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// Whether section, key and value can be stored so that they read back unchanged:
// names not empty, without line breaks, NUL bytes or surrounding blanks; a section
// without ']', a key without '=' that does not start like a section or a comment;
// a value without line breaks or NUL bytes.
bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value);

// The text with key in section set to value: the first matching key line gets the
// new value; a missing key is added after the section's last key; a missing section
// is appended at the end. Nothing when the entry is not writable.
std::optional<std::string> SetIniValue(std::string_view text, std::string_view section,
                                       std::string_view key, std::string_view value);

// One read of the file at path. A missing, unreadable or non-regular file reads as
// having no keys. The file's bytes are read from disk only when it changed since
// the last read (a stat of it tells), so a start-up reads a large file once.
std::optional<std::string> ReadIniFileValue(const std::string& path, std::string_view section,
                                            std::string_view key);

// How many times a settings file's bytes were read from disk in this process.
std::size_t IniFileReadCount();

// One write to the file at path: read, change, write a temporary file beside it,
// flush it to disk and rename it over the file. Throws ProfileError (and leaves the
// file as it was) when the entry is not writable, the existing file cannot be read
// or is read-only (no write permission bit, even for root), or the new file cannot
// be written. A write that changes nothing leaves the file untouched. A symbolic
// link is followed, also to a target that does not exist yet, and stays a link.
// Temporary files that an interrupted write left beside the file are removed.
void WriteIniFileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value);

// Gathers the writes to one file into a single replacement of it. While a batch
// is open, WriteIniFileValue and ReadIniFileValue on its path work on the
// batch's copy of the file (read once, at the first write, with the same checks
// as a single write); Commit writes that copy once. The shut-down write of every
// setting thus costs one flush to disk instead of one per key, and a failure
// leaves the file exactly as it was rather than half updated. One batch at a
// time; a batch destroyed without Commit discards its writes.
class IniWriteBatch {
public:
    explicit IniWriteBatch(std::string path);
    ~IniWriteBatch();
    IniWriteBatch(const IniWriteBatch&) = delete;
    IniWriteBatch& operator=(const IniWriteBatch&) = delete;

    // Throws ProfileError (the file unchanged) when the replacement fails.
    void Commit();

private:
    friend void WriteIniFileValue(const std::string&, std::string_view, std::string_view,
                                  std::string_view);
    friend std::optional<std::string> ReadIniFileValue(const std::string&, std::string_view,
                                                       std::string_view);
    std::string path_;
    std::string target_;
    std::string text_;
    std::string original_;
    bool loaded_ = false;
    bool exists_ = false;
    struct FileInfo;
    FileInfo* info_ = nullptr;
    IniWriteBatch* previous_ = nullptr;
};

} // namespace pexa
