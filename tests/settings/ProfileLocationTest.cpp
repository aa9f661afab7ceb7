// Where pexa.ini is kept: beside the executable, or in the user's configuration
// folder when the program's own folder cannot take it (a system-wide install).
#include "settings/Profile.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace pexa {
namespace {

using std::string;
using test::ProfileFolderTest;

using ProfileLocationTest = ProfileFolderTest;

TEST_F(ProfileLocationTest, BesideAnExecutableInAWritableFolder) {
    EXPECT_EQ(LocateProfile(dir_ + "/pexa", "/cfg", "/home/u"),
              (ProfileLocation{dir_ + "/pexa.ini", false}));
}

// A folder that does not exist stands for one the user cannot write: root can
// write any existing folder.
TEST_F(ProfileLocationTest, UnwritableFolderUsesTheConfigurationFolder) {
    const string exe = dir_ + "/usr/lib/pexa/pexa";
    const struct {
        const char* xdg;
        const char* home;
        string expected;
    } cases[] = {
        {"/cfg", "/home/u", "/cfg/pexa/pexa.ini"},
        {"/cfg/", "/home/u", "/cfg/pexa/pexa.ini"},
        {nullptr, "/home/u", "/home/u/.config/pexa/pexa.ini"},
        {"", "/home/u", "/home/u/.config/pexa/pexa.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/pexa/pexa.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xdg == nullptr ? "(unset)" : c.xdg);
        EXPECT_EQ(LocateProfile(exe, c.xdg, c.home), (ProfileLocation{c.expected, true}));
    }
    // Without HOME the password database still names a home folder.
    const ProfileLocation noHome = LocateProfile(exe, nullptr, nullptr);
    EXPECT_TRUE(noHome.InConfigFolder);
    EXPECT_TRUE(noHome.Path.ends_with("/.config/pexa/pexa.ini")) << noHome.Path;
}

TEST_F(ProfileLocationTest, AnExistingFileBesideTheExecutableIsKept) {
    // A link stands for the file here: it exists, whatever it points to.
    ASSERT_EQ(::mkdir((dir_ + "/bin").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("elsewhere.ini", (dir_ + "/bin/pexa.ini").c_str()), 0);
    ASSERT_EQ(::chmod((dir_ + "/bin").c_str(), 0555), 0);
    EXPECT_EQ(LocateProfile(dir_ + "/bin/pexa", "/cfg", "/home/u"),
              (ProfileLocation{dir_ + "/bin/pexa.ini", false}));
    ::chmod((dir_ + "/bin").c_str(), 0755);
}

TEST_F(ProfileLocationTest, WriteCreatesTheConfigurationFolderForTheUserAlone) {
    const string path = dir_ + "/home/.config/pexa/pexa.ini";
    ASSERT_TRUE(CreateProfileFolder(path));
    struct stat info {};
    ASSERT_EQ(::stat((dir_ + "/home/.config/pexa").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(CreateProfileFolder(path)) << "an existing folder is fine";
    {
        ProfilePathOverride there(path);
        WriteProfile(KeyCalcMode, 1);
    }
    EXPECT_EQ(test::ReadBytes(path), "[Mode]\nCalcMode=1\n");

    // A file where a folder should be cannot become one.
    test::WriteBytes(dir_ + "/blocked", "");
    EXPECT_FALSE(CreateProfileFolder(dir_ + "/blocked/pexa/pexa.ini"));
}

} // namespace
} // namespace pexa
