#include "settings/HistorySettings.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace pexa {
namespace {

using HistorySettingsTest = test::ProfileFolderTest;

constexpr char KeepOn[] = "[History]\nKeep=1\n";

// 12 + 3 = 15 in Byte.
const StoredTapeLine ByteSum{0, 0, 0, "+", {0, 12, 0}, {0, 3, 0}, {0, 15, 0}};

StoredTapeLine LineOf(int kind, int mode, std::string symbol, StoredValue operand,
                      StoredValue result) {
    return {kind, mode, -1, std::move(symbol), operand, operand, result};
}

// Lines of every kind and mode width: Int64's highest bit, the 80-bit pi
// (significand C90FDAA22168C235, exponent 4000) and a negative real, an
// empty symbol, and an expression whose text holds every byte the file
// itself gives a meaning to.
std::vector<StoredTapeLine> MixedLines() {
    std::string expression = " a, b %41 \"q\" ;x=1 [s]\r\n\t";
    expression += std::string("\0\x7F\x80\xFF", 4);
    expression += "\xE2\x86\x90 ";
    return {
        ByteSum,
        LineOf(1, 3, "sqrt", {3, 0x8000000000000000, 0}, {3, 0xFFFFFFFFFFFFFFFF, 0}),
        LineOf(2, 4, "", {4, 0xC90FDAA22168C235, 0x4000}, {4, 0x8000000000000000, 0xBFFF}),
        LineOf(3, 2, expression, {2, 0, 0}, {2, 0xF9, 0}),
    };
}

TEST_F(HistorySettingsTest, NothingIsReadOrWrittenWithoutKeep) {
    const std::string file = "[History]\nCount=1\nLine0=0,0,0,+,0:0C,0:03,0:0F\n";
    for (const std::string& keep : {std::string(), std::string("Keep=0\n")}) {
        SetFile(file + keep);
        EXPECT_TRUE(ReadStoredTape().empty());
        WriteStoredTape(MixedLines());
        EXPECT_EQ(File(), file + keep);
    }
}

TEST_F(HistorySettingsTest, LinesComeBackExactly) {
    SetFile(KeepOn);
    WriteStoredTape(MixedLines());
    EXPECT_EQ(ReadStoredTape(), MixedLines());
    // Keep is left as the user wrote it; each line is one entry.
    const std::string file = File();
    EXPECT_EQ(file.rfind("[History]\nKeep=1\nCount=4\nLine0=0,0,0,+,0:0C,0:03,0:0F\n", 0), 0u)
        << file;
    EXPECT_NE(file.find("\nLine2=2,4,-1,,4:4000C90FDAA22168C235,4:4000C90FDAA22168C235,"
                        "4:BFFF8000000000000000\n"),
              std::string::npos)
        << file;
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 7);
}

TEST_F(HistorySettingsTest, AShorterTapeEmptiesTheLinesLeftBehind) {
    SetFile(KeepOn);
    WriteStoredTape(MixedLines());
    WriteStoredTape({ByteSum});
    EXPECT_EQ(ReadStoredTape(), std::vector<StoredTapeLine>{ByteSum});
    EXPECT_NE(File().find("Count=1\nLine0=0,0,0,+,0:0C,0:03,0:0F\nLine1=\nLine2=\nLine3=\n"),
              std::string::npos)
        << File();
}

TEST_F(HistorySettingsTest, UnreadableLinesAreLeftOut) {
    const std::string good = "0,0,0,+,0:0C,0:03,0:0F";
    for (const char* bad : {
             "",                                     // empty
             "0,0,0,+,0:0C,0:03",                    // a field missing
             "0,0,0,+,0:0C,0:03,0:0F,",              // a field too many
             "x,0,0,+,0:0C,0:03,0:0F",               // kind not a number
             "0,0,0x1,+,0:0C,0:03,0:0F",             // operator not a decimal number
             "0,0,0,+,0:0C,0:03,0:0G",               // not hexadecimal
             "0,0,0,+,0:0C,0:003,0:0F",              // more digits than a byte
             "0,0,0,+,5:0C,0:03,0:0F",               // no such mode
             "0,0,0,+,0C,0:03,0:0F",                 // a value without its mode
             "0,0,0,%2,0:0C,0:03,0:0F",              // an escape cut short
             "0,0,0,%zz,0:0C,0:03,0:0F",             // an escape that is no byte
             "0,0,0,+,4:C90FDAA22168C235,0:03,0:0F", // a real without its exponent
         }) {
        SetFile(std::string(KeepOn) + "Count=3\nLine0=" + good + "\nLine1=" + bad +
                "\nLine2=" + good + "\n");
        EXPECT_EQ(ReadStoredTape(), (std::vector<StoredTapeLine>{ByteSum, ByteSum})) << bad;
    }
}

TEST_F(HistorySettingsTest, AtMostTheTapesCapacityIsRead) {
    std::string file = std::string(KeepOn) + "Count=100000\n";
    for (int i = 0; i <= MaxStoredTapeLines; ++i)
        file += "Line" + std::to_string(i) + "=0,0,0,+,0:0C,0:03,0:0F\n";
    SetFile(file);
    EXPECT_EQ(ReadStoredTape().size(), static_cast<std::size_t>(MaxStoredTapeLines));
}

} // namespace
} // namespace pexa
