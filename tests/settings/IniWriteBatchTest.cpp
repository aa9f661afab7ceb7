// The shut-down save gathers every write into one replacement of the file.
#include "ProfileTestSupport.h"

#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>

namespace pexa {
namespace {

using test::ProfileFolderTest;

ino_t InodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST_F(ProfileFolderTest, BatchWritesOnceAtCommitAndKeepsForeignLines) {
    SetFile("; comment\n[Other]\nKeep=1\n[Mode]\nCalcMode=1\n");
    const ino_t before = InodeOf(path_);
    IniWriteBatch batch(path_);
    WriteIniFileValue(path_, "Mode", "CalcMode", "3");
    WriteIniFileValue(path_, "mode", "Hyp", "1");
    WriteIniFileValue(path_, "Bar", "Bar0", "DEC");
    // Nothing reaches the file before the commit, but reads see the writes.
    EXPECT_EQ(InodeOf(path_), before);
    EXPECT_EQ(ReadIniFileValue(path_, "MODE", "calcmode"), "3");
    batch.Commit();
    EXPECT_NE(InodeOf(path_), before);
    EXPECT_EQ(File(), "; comment\n[Other]\nKeep=1\n[Mode]\nCalcMode=3\nHyp=1\n[Bar]\nBar0=DEC\n");
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

TEST_F(ProfileFolderTest, BatchWithoutCommitChangesNothing) {
    SetFile("[Mode]\nCalcMode=1\n");
    {
        IniWriteBatch batch(path_);
        WriteIniFileValue(path_, "Mode", "CalcMode", "4");
    }
    EXPECT_EQ(File(), "[Mode]\nCalcMode=1\n");
    // Writes after the batch go straight to the file again.
    WriteIniFileValue(path_, "Mode", "CalcMode", "2");
    EXPECT_EQ(File(), "[Mode]\nCalcMode=2\n");
}

TEST_F(ProfileFolderTest, BatchOfUnchangedValuesLeavesTheFileAlone) {
    SetFile("[Mode]\nCalcMode=1\n");
    const ino_t before = InodeOf(path_);
    IniWriteBatch batch(path_);
    WriteIniFileValue(path_, "Mode", "CalcMode", "1");
    batch.Commit();
    EXPECT_EQ(InodeOf(path_), before);
}

TEST_F(ProfileFolderTest, BatchCreatesAMissingFile) {
    IniWriteBatch batch(path_);
    WriteIniFileValue(path_, "Mode", "CalcMode", "0");
    EXPECT_FALSE(std::filesystem::exists(path_));
    batch.Commit();
    EXPECT_EQ(File(), "[Mode]\nCalcMode=0\n");
}

// A failed replacement leaves the whole file as it was, not half updated.
TEST_F(ProfileFolderTest, FailedBatchKeepsEveryOldValue) {
    const std::string before = "[Mode]\nCalcMode=1\nHyp=0\n";
    SetFile(before);
    IniWriteBatch batch(path_);
    WriteIniFileValue(path_, "Mode", "CalcMode", "3");
    WriteIniFileValue(path_, "Mode", "Name", std::string(300, 'n'));
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved;
    limit.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::string message;
    try {
        batch.Commit();
    } catch (const ProfileError& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, path_ + " に書き込めません");
    EXPECT_EQ(File(), before);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

TEST_F(ProfileFolderTest, BatchForAnotherFileDoesNotCatchWrites) {
    IniWriteBatch batch(dir_ + "/other.ini");
    WriteIniFileValue(path_, "Mode", "CalcMode", "2");
    EXPECT_EQ(File(), "[Mode]\nCalcMode=2\n");
}

} // namespace
} // namespace pexa
