#include "settings/MainSettings.h"

#include "ProfileTestSupport.h"
#include "settings/Profile.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace pexa {
namespace {

using std::string;
using test::ProfileFolderTest;

constexpr std::array<std::string_view, 10> KindLabels = {"DEC", "HEX", "OCT", "BIN",  "CHR",
                                                         "IP",  "DEG", "FLT", "TIME", "KILO"};

using MainSettingsTest = ProfileFolderTest;

TEST_F(MainSettingsTest, DefaultsWithoutAFile) {
    EXPECT_EQ(ReadMainSettings(), MainSettings{});
}

TEST_F(MainSettingsTest, OutOfRangeValuesGiveTheirDefaults) {
    SetFile("[Mode]\nCalcMode=7\nShiftAmount=0\nAngleMode=-1\nHyp=1\n"
            "[View]\nToolBar=0\nTopmost=0x1\n");
    const MainSettings s = ReadMainSettings();
    EXPECT_EQ(s.CalcMode, 2);
    EXPECT_EQ(s.ShiftAmount, 8);
    EXPECT_EQ(s.AngleMode, 0);
    EXPECT_TRUE(s.Hyp);
    EXPECT_FALSE(s.ToolBar);
    EXPECT_TRUE(s.Topmost);
}

TEST_F(MainSettingsTest, WriteReadRoundTripInTheSavedOrder) {
    const MainSettings s{4, false, false, false, false, false, true, 2, true, true, true, 16};
    WriteMainSettings(s);
    EXPECT_EQ(ReadMainSettings(), s);
    EXPECT_EQ(File(), "[Mode]\nCalcMode=4\nSeparated=0\nAngleMode=2\nHyp=1\nRotate=1\n"
                      "Arithmetic=1\nShiftAmount=16\n"
                      "[View]\nShowIndicators=0\nToolBar=0\nMenuBar=0\nButtonPanel=0\n"
                      "Topmost=1\n");
}

using BarListTest = ProfileFolderTest;

TEST_F(BarListTest, NoSavedListGivesDecimalAndHexadecimal) {
    const std::vector<SavedBar> defaults = {{0, -1}, {1, -1}};
    for (const char* file : {"", "[Bar]\nBarCount=11\nBar0=OCT\n", "[Bar]\nBarCount=-2\n",
                             "[Bar]\nBarCount=many\n", "[Bar]\nBarCount=-1\nBar0=OCT\n"}) {
        SetFile(file);
        EXPECT_EQ(ReadBarList(KindLabels), defaults) << file;
    }
    // Those bars have no saved position, so no band width is read for them.
    SetFile("[Bar]\nBar0Width=300\n");
    EXPECT_EQ(ReadBandLayout(-1), std::nullopt);
}

TEST_F(BarListTest, CountZeroCreatesNoBar) {
    SetFile("[Bar]\nBarCount=0\nBar0=DEC\n");
    EXPECT_TRUE(ReadBarList(KindLabels).empty());
}

TEST_F(BarListTest, AllTenKindsRestore) {
    string file = "[Bar]\nBarCount=10\n";
    for (int i = 0; i < 10; ++i)
        file += "Bar" + std::to_string(i) + "=" + string(KindLabels[9 - i]) + "\n";
    SetFile(file);
    const auto bars = ReadBarList(KindLabels);
    ASSERT_EQ(bars.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(bars[i], (SavedBar{9 - i, i}));
}

TEST_F(BarListTest, UnknownWrongCaseAndRepeatedNamesAreSkipped) {
    SetFile("[Bar]\nBarCount=$7\nBar0=HEX\nBar1=HEX\nBar2=hex\nBar3=TIME \nBar4=\n"
            "Bar6=FLT\nBar5=NOPE\n");
    const std::vector<SavedBar> expected = {{1, 0}, {8, 3}, {7, 6}};
    EXPECT_EQ(ReadBarList(KindLabels), expected);
}

TEST_F(BarListTest, BandLayoutIsReadOnlyForAPositiveWidth) {
    SetFile("[Bar]\nBar0Width=250\nBar0Break=0\nBar1Width=0\nBar1Break=0\n"
            "Bar2Width=-5\nBar3Width=120\nBar4Width=wide\n");
    EXPECT_EQ(ReadBandLayout(0), (BandLayout{250, false}));
    EXPECT_EQ(ReadBandLayout(1), std::nullopt);
    EXPECT_EQ(ReadBandLayout(2), std::nullopt);
    EXPECT_EQ(ReadBandLayout(3), (BandLayout{120, true}));
    EXPECT_EQ(ReadBandLayout(4), std::nullopt);
    EXPECT_EQ(ReadBandLayout(9), std::nullopt);
}

TEST_F(BarListTest, ShutDownWriteKeepsHigherPositionsFromAnEarlierRun) {
    SetFile("[Bar]\nBarCount=3\nBar0=DEC\nBar1=HEX\nBar2=OCT\nBar2Width=99\n");
    WriteBarCount(1);
    WriteBarEntry(0, "TIME", BandLayout{321, false});
    EXPECT_EQ(File(), "[Bar]\nBarCount=1\nBar0=TIME\nBar1=HEX\nBar2=OCT\nBar2Width=99\n"
                      "Bar0Width=321\nBar0Break=0\n");
    EXPECT_EQ(ReadBarList(KindLabels), (std::vector<SavedBar>{{8, 0}}));
    EXPECT_EQ(ReadBandLayout(0), (BandLayout{321, false}));
}

} // namespace
} // namespace pexa
