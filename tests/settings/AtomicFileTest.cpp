// Replacing the settings file: links, read-only files, and what an interrupted
// write leaves behind. Every case here holds for root as well.
#include "settings/AtomicFile.h"
#include "settings/IniFile.h"
#include "settings/Profile.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace pexa {
namespace {

using std::string;
using test::ProfileFolderTest;

bool IsLink(const string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Writes a file whose modification time lies an hour back.
void PlantOldFile(const string& path) {
    test::WriteBytes(path, "half a settings file");
    const timespec times[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
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

TEST_F(AtomicFileTest, WriteRemovesOnlyStaleTemporariesOfItsOwnFile) {
    SetFile("[Mode]\nCalcMode=1\n");
    PlantOldFile(dir_ + "/.pexa.ini.Ab12Cd");          // a killed write: removed
    test::WriteBytes(dir_ + "/.pexa.ini.New123", "x"); // may be a write just begun
    PlantOldFile(dir_ + "/.pexa.ini.Lock12");          // a live writer holds its lock
    PlantOldFile(dir_ + "/.pexa.ini.Long123");         // not a name mkstemp makes
    PlantOldFile(dir_ + "/.pexa.ini.a-b_cd");          // nor this
    PlantOldFile(dir_ + "/.other.ini.Ab12Cd");         // another file's
    ASSERT_EQ(::mkdir((dir_ + "/.pexa.ini.Dir123").c_str(), 0755), 0);
    const int lockFd = ::open((dir_ + "/.pexa.ini.Lock12").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);

    WriteProfile(KeyCalcMode, 3);
    ::close(lockFd);

    EXPECT_EQ(File(), "[Mode]\nCalcMode=3\n");
    std::string listing = FolderListing();
    for (const char* kept :
         {".pexa.ini.New123;", ".pexa.ini.Lock12;", ".pexa.ini.Long123;", ".pexa.ini.a-b_cd;",
          ".other.ini.Ab12Cd;", ".pexa.ini.Dir123;", "pexa.ini;"})
        EXPECT_NE(listing.find(kept), string::npos) << kept;
    EXPECT_EQ(listing.find(".pexa.ini.Ab12Cd"), string::npos);
}

} // namespace
} // namespace pexa
