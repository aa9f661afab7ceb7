#include "settings/Profile.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace pexa {
namespace {

using std::nullopt;
using std::optional;
using std::string;
using test::ProfileFolderTest;

TEST(ParseProfileInt, AcceptsDecimalAndBothHexadecimalForms) {
    const struct {
        const char* Text;
        optional<int> Expected;
    } cases[] = {
        {"0", 0},
        {"123", 123},
        {"-5", -5},
        {"+7", 7},
        {"0010", 10},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$10", 16},
        {"$ff", 255},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$10", -16},
        {"-0x10", -16},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", INT_MIN},
        {"$FFFFFFFF", -1},
        {"0x8000000F", -2147483633},
        {"$00000000000000FF", 255},
        {"2147483648", nullopt},
        {"-2147483649", nullopt},
        {"99999999999999999999999999", nullopt},
        {"$100000000", nullopt},
        {"$FFFFFFFFFFFFFFFFF", nullopt},
        {"", nullopt},
        {"-", nullopt},
        {"$", nullopt},
        {"0x", nullopt},
        {"$$1", nullopt},
        {"0x-1", nullopt},
        {"$-1", nullopt},
        {"--1", nullopt},
        {"12a", nullopt},
        {"1 2", nullopt},
        {" 5", nullopt},
        {"1e3", nullopt},
        {"1.0", nullopt},
        {"0b101", nullopt},
        {"$G", nullopt},
        {"１２", nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInt(c.Text), c.Expected) << "'" << c.Text << "'";
}

TEST(IsHexColor, AcceptsNonNegativeHexadecimalOnly) {
    const struct {
        const char* Text;
        bool Expected;
    } cases[] = {
        {"FFFFFFFF", false},  {"80000000", false}, {"7FFFFFFF", true}, {"FFFFFF", true},
        {"0", true},          {"00ff00", true},    {"", false},        {"-1", false},
        {"+1", false},        {"GG0000", false},   {"0x10", false},    {"$10", false},
        {"100000000", false}, {" FF", false},      {"FF ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsHexColor(c.Text), c.Expected) << "'" << c.Text << "'";
}

TEST(CustomColorKey, NamesColorAToColorP) {
    EXPECT_EQ(CustomColorKey(0), "ColorA");
    EXPECT_EQ(CustomColorKey(9), "ColorJ");
    EXPECT_EQ(CustomColorKey(15), "ColorP");
    EXPECT_EQ(CustomColorKey(16), "");
    EXPECT_EQ(CustomColorKey(-1), "");
}

TEST(ProfilePath, IsPexaIniBesideTheExecutable) {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    ASSERT_GT(n, 0);
    string exe(buffer, static_cast<std::size_t>(n));
    const string expected = exe.substr(0, exe.rfind('/') + 1) + "pexa.ini";
    EXPECT_EQ(ProfilePath(), expected);
    {
        ProfilePathOverride outer("/tmp/a.ini");
        EXPECT_EQ(ProfilePath(), "/tmp/a.ini");
        {
            ProfilePathOverride inner("/tmp/b.ini");
            EXPECT_EQ(ProfilePath(), "/tmp/b.ini");
        }
        EXPECT_EQ(ProfilePath(), "/tmp/a.ini");
    }
    EXPECT_EQ(ProfilePath(), expected);
}

using ProfileIntTest = ProfileFolderTest;

TEST_F(ProfileIntTest, ReadsWithDefaultsAndRanges) {
    SetFile("[Mode]\n"
            "CalcMode=7\n"
            "ShiftAmount=0\n"
            "AngleMode=-1\n"
            "Hex1=$1F\n"
            "Hex2=0x1f\n"
            "Text=twelve\n"
            "Spaced =  3  \n"
            "Big=4294967296\n"
            "Empty=\n");
    const struct {
        const char* Key;
        int Default;
        int Min;
        int Max;
        int Expected;
    } cases[] = {
        {"CalcMode", 2, 0, 4, 2},     {"CalcMode", 2, 0, -1, 7},  {"CalcMode", 2, 7, 7, 7},
        {"ShiftAmount", 8, 1, 16, 8}, {"AngleMode", 0, 0, 2, 0},  {"AngleMode", 0, 5, 4, -1},
        {"Hex1", 0, 0, -1, 31},       {"Hex2", 0, 0, 40, 31},     {"Hex2", 0, 0, 30, 0},
        {"Text", 5, 0, -1, 5},        {"Spaced", 1, 0, 4, 3},     {"Big", -1, 0, -1, -1},
        {"Empty", 9, 0, -1, 9},       {"Missing", 42, 0, -1, 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadProfileInt("mode", c.Key, c.Default, c.Min, c.Max), c.Expected)
            << c.Key << " " << c.Min << ".." << c.Max;
    EXPECT_EQ(ReadProfileInt("Other", "CalcMode", 2, 0, 4), 2);
}

TEST_F(ProfileIntTest, MissingFileGivesDefaultsAndWritesCreateIt) {
    EXPECT_EQ(ReadProfile(KeyCalcMode), 2);
    EXPECT_EQ(ReadProfile(KeyShiftAmount), 8);
    EXPECT_TRUE(ReadProfile(KeyDigitGrouping));
    EXPECT_FALSE(ReadProfile(KeyTopmost));
    WriteProfileInt("Color", "BodyColor", KeyBodyColor.Default);
    WriteProfileInt("Mode", "CalcMode", -17);
    EXPECT_EQ(File(), "[Color]\nBodyColor=-2147483633\n[Mode]\nCalcMode=-17\n");
    EXPECT_EQ(ReadProfileInt("Color", "BodyColor", 0, 0, -1), KeyBodyColor.Default);
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(ProfileIntTest, BooleansAreIntegersAndAnyNonZeroIsTrue) {
    SetFile("[View]\nA=1\nB=0\nC=-3\nD=$10\nE=yes\nF=true\nG=\n");
    const struct {
        const char* Key;
        bool Default;
        bool Expected;
    } cases[] = {
        {"A", false, true}, {"B", true, false},      {"C", false, true},        {"D", false, true},
        {"E", true, true},  {"E", false, false},     {"F", true, true},         {"F", false, false},
        {"G", true, true},  {"Missing", true, true}, {"Missing", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadProfileBool("View", c.Key, c.Default), c.Expected) << c.Key;
    WriteProfileBool("View", "A", false);
    WriteProfileBool("View", "B", true);
    EXPECT_EQ(File(), "[View]\nA=0\nB=1\nC=-3\nD=$10\nE=yes\nF=true\nG=\n");
}

using ProfileStringTest = ProfileFolderTest;

TEST_F(ProfileStringTest, RoundTripsAndCapsAt2047Bytes) {
    const string values[] = {"",         "MS UI Gothic",  " padded ",       "\"quoted\"",
                             "a=b;c[d]", "ＭＳ ゴシック", string(2047, 'x')};
    for (const string& v : values) {
        WriteProfileString("DisplayFont", "Name", v);
        EXPECT_EQ(ReadProfileString("DisplayFont", "Name", "default"), v);
    }
    EXPECT_EQ(ReadProfileString("DisplayFont", "Missing", "default"), "default");

    WriteProfileString("S", "Long", string(100000, 'y'));
    EXPECT_EQ(ReadProfileString("S", "Long", ""), string(2047, 'y'));
    EXPECT_EQ(ReadProfileString("S", "Missing", string(3000, 'z')), string(2047, 'z'));

    // 2046 ASCII bytes and a three-byte character: the character does not fit whole.
    WriteProfileString("S", "Cut", string(2046, 'a') + "あい");
    EXPECT_EQ(ReadProfileString("S", "Cut", ""), string(2046, 'a'));
}

TEST_F(ProfileStringTest, RefusesValuesWithLineBreaksAndKeepsTheFile) {
    SetFile("[S]\nName=old\n");
    EXPECT_THROW(WriteProfileString("S", "Name", "two\nlines"), ProfileError);
    EXPECT_THROW(WriteProfileString("S", "Na=me", "x"), ProfileError);
    EXPECT_EQ(File(), "[S]\nName=old\n");
}

using ProfileFileTest = ProfileFolderTest;

TEST_F(ProfileFileTest, WritesKeepUnknownKeysCommentsAndOrder) {
    const string before = "; written by hand\r\n"
                          "[View]\r\n"
                          "Custom=keep me\r\n"
                          "\r\n"
                          "# another comment\r\n"
                          "[MODE]\r\n"
                          "calcmode = 1\r\n"
                          "Future=42\r\n"
                          "[Bar]\r\n"
                          "Bar9=KILO";
    SetFile(before);
    WriteProfile(KeyCalcMode, 4);
    WriteProfile(KeyHyp, true);
    WriteProfileString("Bar", "Bar0", "HEX");
    EXPECT_EQ(File(), "; written by hand\r\n"
                      "[View]\r\n"
                      "Custom=keep me\r\n"
                      "\r\n"
                      "# another comment\r\n"
                      "[MODE]\r\n"
                      "calcmode = 4\r\n"
                      "Future=42\r\n"
                      "Hyp=1\r\n"
                      "[Bar]\r\n"
                      "Bar9=KILO\r\n"
                      "Bar0=HEX\r\n");
    EXPECT_EQ(ReadProfile(KeyCalcMode), 4);
    EXPECT_EQ(ReadProfileString("bar", "BAR9", ""), "KILO");
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

TEST_F(ProfileFileTest, DuplicatesReadAndWriteTheFirst) {
    SetFile("[Mode]\nCalcMode=1\nCalcMode=3\n[mode]\nCalcMode=4\nHyp=1\n");
    EXPECT_EQ(ReadProfile(KeyCalcMode), 1);
    EXPECT_FALSE(ReadProfile(KeyHyp));
    WriteProfile(KeyCalcMode, 0);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 0);
    EXPECT_EQ(File(), "[Mode]\nCalcMode=0\nCalcMode=3\n[mode]\nCalcMode=4\nHyp=1\n");
}

TEST_F(ProfileFileTest, WriteReplacesTheFileAndKeepsItsPermissions) {
    SetFile("[Mode]\nCalcMode=1\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path_.c_str(), &before), 0);

    WriteProfile(KeyCalcMode, 1); // unchanged: the file is not rewritten
    struct stat same {};
    ASSERT_EQ(::stat(path_.c_str(), &same), 0);
    EXPECT_EQ(same.st_ino, before.st_ino);

    WriteProfile(KeyCalcMode, 3);
    struct stat after {};
    ASSERT_EQ(::stat(path_.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "a new file renamed into place";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

TEST_F(ProfileFileTest, SymbolicLinkStaysAndItsTargetChanges) {
    const string target = dir_ + "/real.ini";
    test::WriteBytes(target, "[Mode]\nCalcMode=1\n");
    ASSERT_EQ(::symlink("real.ini", path_.c_str()), 0);
    WriteProfile(KeyCalcMode, 3);
    struct stat info {};
    ASSERT_EQ(::lstat(path_.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(test::ReadBytes(target), "[Mode]\nCalcMode=3\n");
}

TEST_F(ProfileFileTest, ReadOnlyFolderRefusesTheWriteAndKeepsTheFile) {
    const string before = "[Mode]\nCalcMode=1\n";
    SetFile(before);
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    if (::access(dir_.c_str(), W_OK) == 0) {
        ::chmod(dir_.c_str(), 0755);
        GTEST_SKIP() << "running with permission to write anywhere (root): a read-only "
                        "folder does not stop writes";
    }
    try {
        WriteProfile(KeyCalcMode, 3);
        ADD_FAILURE() << "the write reported success";
    } catch (const ProfileError& e) {
        EXPECT_EQ(string(e.what()), path_ + " に書き込めません");
    }
    ::chmod(dir_.c_str(), 0755);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

TEST_F(ProfileFileTest, ReadOnlyFileRefusesTheWrite) {
    const string before = "[Mode]\nCalcMode=1\n";
    SetFile(before);
    // No write permission bit at all freezes the file, for root too.
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    EXPECT_THROW(WriteProfile(KeyCalcMode, 3), ProfileError);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 1);
    EXPECT_NO_THROW(WriteProfile(KeyCalcMode, 1)) << "a write that changes nothing";
}

// A write that fails half-way (here: the file size limit, which binds root too)
// leaves the old file and no temporary file behind.
TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFile) {
    const string before = "[S]\nName=old\n";
    SetFile(before);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved;
    limit.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    string message;
    try {
        WriteProfileString("S", "Name", string(200, 'n'));
    } catch (const ProfileError& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, path_ + " に書き込めません");
    EXPECT_EQ(File(), before);
    EXPECT_EQ(FolderListing(), "pexa.ini;");
}

// Neither a folder nor a pipe in place of the file may hang or be replaced.
TEST_F(ProfileFileTest, NoRegularFileInPlaceOfTheFile) {
    ASSERT_EQ(::mkdir(path_.c_str(), 0755), 0);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 2);
    EXPECT_THROW(WriteProfile(KeyCalcMode, 3), ProfileError);
    ASSERT_EQ(::rmdir(path_.c_str()), 0);

    ASSERT_EQ(::mkfifo(path_.c_str(), 0644), 0);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 2);
    EXPECT_THROW(WriteProfile(KeyCalcMode, 3), ProfileError);
    struct stat info {};
    ASSERT_EQ(::lstat(path_.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(ProfileFileTest, MissingFolderFailsTheWrite) {
    ProfilePathOverride elsewhere(dir_ + "/no/such/folder/pexa.ini");
    EXPECT_EQ(ReadProfile(KeyShiftAmount), 8);
    try {
        WriteProfile(KeyShiftAmount, 4);
        ADD_FAILURE() << "the write reported success";
    } catch (const ProfileError& e) {
        EXPECT_EQ(string(e.what()), dir_ + "/no/such/folder/pexa.ini に書き込めません");
    }
}

TEST_F(ProfileFileTest, HostileFilesReadWithoutHarm) {
    std::mt19937 random(7);
    string garbage(1 << 16, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    const string longLine(100000, 'q');
    const std::vector<string> files = {
        "",
        garbage,
        "[Mode]\nCalcMode=" + longLine + "\n",
        longLine + "\n[Mode]\nCalcMode=3",
        "[" + longLine + "]\n[Mode]\nCalcMode=3\n",
        string("[Mode]\0\nCalcMode=3\n", 19),
    };
    for (const string& content : files) {
        SetFile(content);
        const int mode = ReadProfile(KeyCalcMode);
        EXPECT_TRUE(mode >= 0 && mode <= 4);
        EXPECT_LE(ReadProfileString("Mode", "CalcMode", "").size(), MaxProfileStringLength);
        WriteProfile(KeyShiftAmount, 4);
        EXPECT_EQ(ReadProfile(KeyShiftAmount), 4);
        EXPECT_EQ(File().substr(0, content.size()), content) << "the old bytes stay in front";
    }
}

TEST_F(ProfileFileTest, FiftyMegabyteFileReadsTheKeyAtItsEnd) {
    {
        // Long comment lines keep the line count (and the sanitized run) moderate.
        const string filler =
            "[Filler]\nsome=value that nobody reads\n; " + string(4000, '-') + "\n";
        std::ofstream out(path_, std::ios::binary);
        for (std::size_t written = 0; written < (50u << 20); written += filler.size())
            out << filler;
        out << "[Mode]\nCalcMode=4";
    }
    EXPECT_EQ(ReadProfile(KeyCalcMode), 4);
    EXPECT_EQ(ReadProfileInt("Filler", "some", 9, 0, -1), 9);
}

using ProfileFontTest = ProfileFolderTest;

TEST_F(ProfileFontTest, StoredFieldsReplaceTheSourceFields) {
    const ProfileFont source{128, 11, "Noto Sans CJK JP", true, false, true, false};
    ProfileFont target{0, 1, "stale", false, true, false, true};
    ReadProfileFont("DisplayFont", target, &source);
    EXPECT_EQ(target, source) << "nothing stored: a copy of the source";

    SetFile("[DisplayFont]\nSize=$C\nName=Sans\nBold=0\nItalic=1\nUnderline=x\n");
    ReadProfileFont("DisplayFont", target, &source);
    EXPECT_EQ(target, (ProfileFont{128, 12, "Sans", false, true, true, false}));

    ProfileFont self{1, 9, "Self", false, false, false, true};
    ReadProfileFont("displayfont", self);
    EXPECT_EQ(self, (ProfileFont{1, 12, "Sans", false, true, false, true}));
}

TEST_F(ProfileFontTest, WriteThenReadGivesTheSameFont) {
    const ProfileFont fonts[] = {
        {1, 9, "MS UI Gothic", false, false, false, false},
        {-3, MaxFontSize, " DejaVu Sans Mono ", true, true, true, true},
        {0, MinFontSize, "", false, true, false, true},
    };
    for (const ProfileFont& font : fonts) {
        WriteProfileFont("DisplayFont", font);
        ProfileFont read;
        ReadProfileFont("DisplayFont", read);
        EXPECT_EQ(read, font) << font.Name;
    }
    EXPECT_EQ(File(), "[DisplayFont]\nCharset=0\nSize=1\nName=\nBold=0\nItalic=1\n"
                      "Underline=0\nStrikeOut=1\n");
}

TEST_F(ProfileFontTest, ASizeNoFontCanHaveKeepsTheSourceSize) {
    const ProfileFont source{1, 11, "Sans", false, false, false, false};
    const struct {
        const char* Stored;
        int Size;
    } cases[] = {
        {"0", 11},           {"-5", 11},     {"-2147483648", 11}, {"145", 11}, {"2147483647", 11},
        {"99999999999", 11}, {"twelve", 11}, {"12pt", 11},        {"", 11},    {"1", 1},
        {"144", 144},        {"$90", 144},
    };
    for (const auto& c : cases) {
        SetFile(std::string("[DisplayFont]\nSize=") + c.Stored + "\nBold=1\n");
        ProfileFont read;
        ReadProfileFont("DisplayFont", read, &source);
        EXPECT_EQ(read.Size, c.Size) << c.Stored;
        EXPECT_TRUE(read.Bold) << c.Stored << ": the other fields are still read";
    }
}

using CustomColorsTest = ProfileFolderTest;

TEST_F(CustomColorsTest, ReadsSixteenEntriesWithInvalidOnesAsWhite) {
    std::vector<string> list = {"junk"};
    ReadCustomColors("Color", list);
    ASSERT_EQ(list.size(), 16u);
    EXPECT_EQ(list.front(), "ColorA=FFFFFF");
    EXPECT_EQ(list.back(), "ColorP=FFFFFF");

    SetFile("[color]\ncolora=ff0000\nColorB=\nColorC=80000000\nColorD=GG\nColorP=0\n");
    ReadCustomColors("Color", list);
    ASSERT_EQ(list.size(), 16u);
    EXPECT_EQ(list[0], "ColorA=ff0000");
    EXPECT_EQ(list[1], "ColorB=FFFFFF");
    EXPECT_EQ(list[2], "ColorC=FFFFFF");
    EXPECT_EQ(list[3], "ColorD=FFFFFF");
    EXPECT_EQ(list[4], "ColorE=FFFFFF");
    EXPECT_EQ(list[15], "ColorP=0");
}

TEST_F(CustomColorsTest, WritesInvalidValuesEmpty) {
    const std::vector<string> list = {
        "ColorA=00FF00", "ColorB=nothex", "ColorC=",      "ColorD=FFFFFFFF",
        "no separator",  "=orphan",       "colora=0000FF"};
    WriteCustomColors("Color", list);
    // "colora" is the same name as "ColorA": its value is the first entry's.
    EXPECT_EQ(File(), "[Color]\nColorA=00FF00\nColorB=\nColorC=\nColorD=\n");
    std::vector<string> read;
    ReadCustomColors("Color", read);
    EXPECT_EQ(read[0], "ColorA=00FF00");
    EXPECT_EQ(read[1], "ColorB=FFFFFF");
}

} // namespace
} // namespace pexa
