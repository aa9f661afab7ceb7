// Replacing the settings file: links, read-only files, and what an interrupted
// write leaves behind. Every case here holds for root as well.
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "settings/Profile.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>

namespace pexa {
namespace {

using std::string;
using test::ProfileFolderTest;

bool IsLink(const string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Moves a file's modification time an hour back.
void Backdate(const string& path) {
    const timespec times[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

// Writes a file whose modification time lies an hour back.
void PlantOldFile(const string& path) {
    test::WriteBytes(path, "a file of the user's");
    Backdate(path);
}

using AtomicFileTest = ProfileFolderTest;

TEST_F(AtomicFileTest, DanglingLinkStaysAndItsTargetIsCreated) {
    ASSERT_EQ(::symlink("real.ini", path_.c_str()), 0);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 2);
    WriteProfile(KeyCalcMode, 3);
    EXPECT_TRUE(IsLink(path_));
    EXPECT_EQ(test::ReadBytes(dir_ + "/real.ini"), "[Mode]\nCalcMode=3\n");
    EXPECT_EQ(ReadProfile(KeyCalcMode), 3);
}

TEST_F(AtomicFileTest, LinkThroughLinksIntoAnotherFolder) {
    ASSERT_EQ(::mkdir((dir_ + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("sub/middle", path_.c_str()), 0);
    ASSERT_EQ(::symlink("../target.ini", (dir_ + "/sub/middle").c_str()), 0);
    IniWriteBatch batch(path_);
    WriteProfile(KeyShiftAmount, 4);
    batch.Commit();
    EXPECT_TRUE(IsLink(path_));
    EXPECT_TRUE(IsLink(dir_ + "/sub/middle"));
    EXPECT_EQ(test::ReadBytes(dir_ + "/target.ini"), "[Mode]\nShiftAmount=4\n");
}

// A link that leads nowhere usable is refused; the link itself is never replaced.
TEST_F(AtomicFileTest, UnusableLinksRefuseTheWriteAndStay) {
    const struct {
        const char* name;
        const char* target;
    } cases[] = {
        {"into a missing folder", "missing/real.ini"},
        {"to itself", "pexa.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::unlink(path_.c_str());
        ASSERT_EQ(::symlink(c.target, path_.c_str()), 0);
        EXPECT_THROW(WriteProfile(KeyCalcMode, 3), ProfileError);
        EXPECT_TRUE(IsLink(path_));
        EXPECT_EQ(FolderListing(), "pexa.ini;");
    }
}

// Root may write anywhere, but a file without any write permission bit is still
// refused, in a single write and in the shut-down batch alike.
TEST_F(AtomicFileTest, ReadOnlyFileIsRefusedEvenInABatch) {
    const string before = "[Mode]\nCalcMode=1\n";
    SetFile(before);
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    IniWriteBatch batch(path_);
    WriteProfile(KeyCalcMode, 4);
    try {
        batch.Commit();
        ADD_FAILURE() << "the commit reported success";
    } catch (const ProfileError& e) {
        EXPECT_EQ(string(e.what()), path_ + " に書き込めません");
    }
    EXPECT_EQ(File(), before);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

// A regular file where the folder should be stops root as it stops anyone.
TEST_F(AtomicFileTest, FileInPlaceOfTheFolderRefusesTheWriteAndKeepsIt) {
    const string before = "[Mode]\nCalcMode=1\n";
    SetFile(before);
    const string inside = path_ + "/pexa.ini";
    ProfilePathOverride elsewhere(inside);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 2);
    try {
        WriteProfile(KeyCalcMode, 3);
        ADD_FAILURE() << "the write reported success";
    } catch (const ProfileError& e) {
        EXPECT_EQ(string(e.what()), inside + " に書き込めません");
    }
    EXPECT_EQ(File(), before);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

// A write killed half-way (here by the file size limit, whose signal ends the
// process) leaves its temporary file; the next write, once that file is old,
// removes it and nothing else.
TEST_F(AtomicFileTest, TemporaryOfAKilledWriteIsRemovedLater) {
    SetFile("[Mode]\nCalcMode=1\n");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit limit {};
        ::setrlimit(RLIMIT_CORE, &limit); // no core file in the working folder
        limit.rlim_cur = limit.rlim_max = 64;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteProfileString("S", "Name", string(4096, 'n'));
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;

    string leftover;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        if (entry.path().filename() != "pexa.ini")
            leftover = entry.path().string();
    ASSERT_FALSE(leftover.empty()) << "the killed write left no temporary file";
    Backdate(leftover);
    const string userFile = dir_ + "/.pexa.ini.backup";
    PlantOldFile(userFile);

    WriteProfile(KeyCalcMode, 3);
    EXPECT_EQ(File(), "[Mode]\nCalcMode=3\n");
    EXPECT_FALSE(std::filesystem::exists(leftover)) << leftover;
    EXPECT_EQ(test::ReadBytes(userFile), "a file of the user's");
}

// Files beside pexa.ini that only look like leftovers of a write are the user's:
// an hour old, none of them is removed.
TEST_F(AtomicFileTest, WriteLeavesTheUsersLookalikesAlone) {
    SetFile("[Mode]\nCalcMode=1\n");
    const char* names[] = {
        ".pexa.ini.backup",            // six letters after the file's name
        ".pexa.ini.Ab12Cd",            // as older versions named their temporaries
        ".pexa.ini.pexa-tmp-Ab12C",    // one letter short
        ".pexa.ini.pexa-tmp-Ab12Cd7",  // one letter more
        ".pexa.ini.pexa-tmp-Ab-2Cd",   // not a letter or digit
        "pexa.ini.pexa-tmp-Ab12Cd",    // no leading dot
        ".PEXA.INI.pexa-tmp-Ab12Cd",   // another file's name
        ".other.ini.pexa-tmp-Ab12Cd",  // another file's temporary
        ".pexa.ini.pexa-tmp-Ab12Cd.x", // something after the random part
    };
    for (const char* name : names)
        PlantOldFile(dir_ + "/" + name);
    WriteProfile(KeyCalcMode, 3);
    EXPECT_EQ(File(), "[Mode]\nCalcMode=3\n");
    for (const char* name : names)
        EXPECT_EQ(test::ReadBytes(dir_ + "/" + name), "a file of the user's") << name;
}

// A name of ours that is not a file this program could have left stays too.
TEST_F(AtomicFileTest, WriteLeavesWhatIsNoLeftoverOfItsOwn) {
    SetFile("[Mode]\nCalcMode=1\n");
    const string prefix = dir_ + "/.pexa.ini.pexa-tmp-";
    PlantOldFile(dir_ + "/kept.txt");
    ASSERT_EQ(::symlink("kept.txt", (prefix + "Link12").c_str()), 0);                // a link
    ASSERT_EQ(::link((dir_ + "/kept.txt").c_str(), (prefix + "Hard12").c_str()), 0); // a 2nd name
    ASSERT_EQ(::mkdir((prefix + "Dir123").c_str(), 0755), 0);                        // a folder
    test::WriteBytes(prefix + "New123", "x"); // a write just begun
    PlantOldFile(prefix + "Lock12");          // a live writer's
    const int lockFd = ::open((prefix + "Lock12").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
    const bool root = ::geteuid() == 0;
    if (root) { // only root can give a file away
        PlantOldFile(prefix + "Other1");
        ASSERT_EQ(::chown((prefix + "Other1").c_str(), 65534, 65534), 0);
    }

    WriteProfile(KeyCalcMode, 3);
    ::close(lockFd);

    EXPECT_EQ(File(), "[Mode]\nCalcMode=3\n");
    for (const char* kept : {"Link12", "Hard12", "Dir123", "New123", "Lock12"}) {
        struct stat info {};
        EXPECT_EQ(::lstat((prefix + kept).c_str(), &info), 0) << kept;
    }
    EXPECT_EQ(test::ReadBytes(dir_ + "/kept.txt"), "a file of the user's");
    if (root) {
        EXPECT_TRUE(std::filesystem::exists(prefix + "Other1")) << "another user's file";
    }
}

// Through a link, the temporaries are those of the link's target, beside it.
TEST_F(AtomicFileTest, ThroughALinkOnlyTheTargetsLeftoversAreRemoved) {
    ASSERT_EQ(::mkdir((dir_ + "/other").c_str(), 0755), 0);
    test::WriteBytes(dir_ + "/other/settings.conf", "[Mode]\nCalcMode=1\n");
    ASSERT_EQ(::symlink("other/settings.conf", path_.c_str()), 0);
    const string backup = dir_ + "/other/.settings.conf.backup";
    const string leftover = dir_ + "/other/.settings.conf.pexa-tmp-Xy12Zw";
    PlantOldFile(backup);
    PlantOldFile(leftover);
    WriteProfile(KeyCalcMode, 3);
    EXPECT_TRUE(IsLink(path_));
    EXPECT_EQ(test::ReadBytes(dir_ + "/other/settings.conf"), "[Mode]\nCalcMode=3\n");
    EXPECT_EQ(test::ReadBytes(backup), "a file of the user's");
    EXPECT_FALSE(std::filesystem::exists(leftover));
}

// A failed write carries the system's error, for the message the user sees.
TEST_F(AtomicFileTest, FailedWritesCarryTheSystemsError) {
    SetFile("[Mode]\nCalcMode=1\n");
    ASSERT_EQ(::symlink("loop-b", (dir_ + "/loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", (dir_ + "/loop-b").c_str()), 0);
    ASSERT_EQ(::mkdir((dir_ + "/frozen").c_str(), 0755), 0);
    test::WriteBytes(dir_ + "/frozen/pexa.ini", "[Mode]\nCalcMode=1\n");
    ASSERT_EQ(::chmod((dir_ + "/frozen/pexa.ini").c_str(), 0444), 0);
    const struct {
        const char* name;
        string path;
        int error;
    } cases[] = {
        {"a regular file in place of a folder", path_ + "/pexa.ini", ENOTDIR},
        {"a loop of links", dir_ + "/loop-a", ELOOP},
        {"a missing folder", dir_ + "/missing/pexa.ini", ENOENT},
        {"a file without write permission", dir_ + "/frozen/pexa.ini", EACCES},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfilePathOverride elsewhere(c.path);
        try {
            WriteProfile(KeyCalcMode, 3);
            ADD_FAILURE() << "the write reported success";
        } catch (const ProfileError& e) {
            EXPECT_EQ(e.SystemError(), c.error) << e.Reason();
            EXPECT_EQ(e.Path(), c.path);
        }
    }
}

TEST_F(AtomicFileTest, UnwritableFolderGivesPermissionDenied) {
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    if (::access(dir_.c_str(), W_OK) == 0)
        GTEST_SKIP() << "running with permission to write anywhere (root): a folder without "
                        "write permission does not stop writes";
    try {
        WriteProfile(KeyCalcMode, 3);
        ADD_FAILURE() << "the write reported success";
    } catch (const ProfileError& e) {
        EXPECT_EQ(e.SystemError(), EACCES) << e.Reason();
    }
}

} // namespace
} // namespace pexa
