// The index that answers a start-up's reads, and how often the file is read.
#include "settings/IniIndex.h"

#include "settings/IniFile.h"
#include "settings/MainSettings.h"
#include "settings/Profile.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace pexa {
namespace {

using std::string;
using test::ProfileFolderTest;

// Random texts from a few names in mixed case, repeated sections and keys,
// comments, quotes, blanks, NUL bytes, a BOM and both line endings: the index
// must find exactly what the line-by-line search finds.
TEST(IniIndex, AgreesWithTheLineByLineSearch) {
    const std::array<string, 14> pieces = {"[A]",
                                           "[a ]",
                                           "[B]",
                                           " [b]x",
                                           "[]",
                                           "k=1",
                                           "K = '2'",
                                           "k2=\"3\"",
                                           "=4",
                                           "; k=5",
                                           "k2 =  6  ",
                                           string("k\0=7", 4),
                                           "\xEF\xBB\xBF[A]",
                                           "junk"};
    const std::array<string, 4> names = {"a", "B", "", "c"};
    const std::array<string, 4> keys = {"k", "K2", "", "x"};
    std::mt19937 random(11);
    for (int round = 0; round < 400; ++round) {
        string text;
        const int lines = static_cast<int>(random() % 12);
        for (int i = 0; i < lines; ++i) {
            text += pieces[random() % pieces.size()];
            text += (random() % 3 == 0) ? "\r\n" : "\n";
        }
        const IniIndex index(text);
        for (const string& section : names) {
            for (const string& key : keys)
                ASSERT_EQ(index.Find(section, key), FindIniValue(text, section, key))
                    << "text: " << text << " section: " << section << " key: " << key;
        }
    }
}

// Past its size limit the index searches the text itself and stays right.
TEST(IniIndex, ManyNamesStillFindTheRightValue) {
    string text = "[Mode]\n";
    for (std::size_t i = 0; i < IniIndex::MaxEntries + 10; ++i)
        text += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    text += "[mode]\nlate=no\n[Other]\nlast=yes\n";
    const IniIndex index(text);
    const string last = std::to_string(IniIndex::MaxEntries + 9);
    EXPECT_EQ(index.Find("MODE", "k" + last), last);
    EXPECT_EQ(index.Find("Mode", "k7"), "7");
    EXPECT_EQ(index.Find("Mode", "late"), std::nullopt);
    EXPECT_EQ(index.Find("other", "LAST"), "yes");
}

using ReadCountTest = ProfileFolderTest;

// The start-up reads every setting but reads the file from disk once; a change to
// the file is seen by the next read all the same.
TEST_F(ReadCountTest, StartUpReadsTheFileOnceAndSeesChanges) {
    SetFile("[Mode]\nCalcMode=1\nShiftAmount=4\n[Bar]\nBarCount=1\nBar0=HEX\nBar0Width=90\n");
    const std::array<std::string_view, 2> labels = {"DEC", "HEX"};
    const std::size_t before = IniFileReadCount();
    const MainSettings settings = ReadMainSettings();
    const std::vector<SavedBar> bars = ReadBarList(labels);
    const std::optional<BandLayout> layout = ReadBandLayout(0);
    std::vector<string> colors;
    ReadCustomColors(SectionColor, colors);
    EXPECT_EQ(IniFileReadCount() - before, 1u);
    EXPECT_EQ(settings.CalcMode, 1);
    EXPECT_EQ(settings.ShiftAmount, 4);
    EXPECT_EQ(bars, (std::vector<SavedBar>{{1, 0}}));
    EXPECT_EQ(layout, (BandLayout{90, true}));

    // Rewritten in place, one byte longer: a new version of the file.
    SetFile("[Mode]\nCalcMode=3\nShiftAmount=16\n[Bar]\nBarCount=1\nBar0=HEX\nBar0Width=90\n");
    EXPECT_EQ(ReadProfile(KeyCalcMode), 3);
    EXPECT_EQ(ReadProfile(KeyShiftAmount), 16);
    EXPECT_EQ(IniFileReadCount() - before, 2u);

    // A write replaces the file; the next read reads the new one.
    WriteProfile(KeyCalcMode, 0);
    EXPECT_EQ(ReadProfile(KeyCalcMode), 0);
    EXPECT_EQ(IniFileReadCount() - before, 4u) << "one read to write, one to read back";
}

TEST_F(ReadCountTest, FiftyMegabyteFileIsReadOnceForEveryKey) {
    {
        // Short lines: the worst case for a search that walks the file per key.
        std::ofstream out(path_, std::ios::binary);
        const string filler = "[Filler]\nsome=value\n";
        for (std::size_t written = 0; written < (50u << 20); written += filler.size())
            out << filler;
        out << "[Mode]\nCalcMode=4\nShiftAmount=2";
    }
    const std::size_t before = IniFileReadCount();
    const MainSettings settings = ReadMainSettings();
    std::vector<string> colors;
    ReadCustomColors(SectionColor, colors);
    EXPECT_EQ(settings.CalcMode, 4);
    EXPECT_EQ(settings.ShiftAmount, 2);
    EXPECT_EQ(IniFileReadCount() - before, 1u);
}

TEST_F(ReadCountTest, ShutDownBatchReadsTheFileOnce) {
    SetFile("[Mode]\nCalcMode=1\n");
    const std::size_t before = IniFileReadCount();
    IniWriteBatch batch(path_);
    WriteMainSettings(MainSettings{});
    WriteBarCount(2);
    WriteBarEntry(0, "DEC", BandLayout{100, true});
    WriteBarEntry(1, "HEX", BandLayout{100, false});
    batch.Commit();
    EXPECT_EQ(IniFileReadCount() - before, 1u);
    EXPECT_EQ(ReadProfile(KeyBarCount), 2);
}

} // namespace
} // namespace pexa
