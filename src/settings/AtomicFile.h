#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace pexa {

// The file-system side of the settings file: reading it whole, and replacing it so
// that a reader only ever sees the old or the new contents, never half of them.

// Reads a regular file whole. Returns 0, or the errno of the failure; a file that is
// not a regular file gives EINVAL so that a FIFO or device is never read.
int LoadRegularFile(const std::string& path, std::string& text, struct stat& info);

// How many files LoadRegularFile has read in this process, so that tests and
// benchmarks can see how often the settings file is read.
std::size_t RegularFileLoadCount();

// The file that path names once every symbolic link on it is followed, including a
// last link whose target does not exist yet (a write creates the target, and the
// link stays). Returns 0, or ELOOP for a loop of links.
int FollowLinks(const std::string& path, std::string& target);

// 0 when the existing file may be replaced, else the errno to report. A file with no
// write permission bit at all is one the user froze; that holds for root too.
int CheckReplaceable(const std::string& target, const struct stat& info);

// Removes the temporary files that a replacement of target interrupted by a kill
// or a crash left beside it: only names this program makes (".pexa.ini.pexa-tmp-"
// and mkstemp's six letters or digits) on regular files of the user's with one
// link, a minute old or more. A temporary file that another process is still
// writing is locked (or too new to judge) and stays; anything else is left alone.
void RemoveStaleTemporaries(const std::string& target);

// A failed replacement: the system call that failed and its errno.
struct ReplaceFailure {
    const char* Call = "";
    int Error = 0;
};

// Writes text to a temporary file beside target (named as above), flushes it to disk and renames it
// over target. A new file gets the mode the umask allows; an existing one keeps its
// mode and, where permitted, its owner. On failure target is untouched and the
// temporary file removed.
std::optional<ReplaceFailure> ReplaceFileContents(const std::string& target, std::string_view text,
                                                  const struct stat* existing);

} // namespace pexa
