#include "settings/MemorySettings.h"

#include "ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pexa {
namespace {

using MemorySettingsTest = test::ProfileFolderTest;

TEST_F(MemorySettingsTest, EmptyWithoutAFile) {
    EXPECT_EQ(ReadStoredMemory(), std::nullopt);
}

struct StoredCase {
    StoredMemory Memory;
    const char* File;
};

// The 80-bit pi is significand C90FDAA22168C235 with biased exponent 4000.
const StoredCase StoredCases[] = {
    {{0, 0x2C, 0}, "[Memory]\nMode=0\nValue=2C\n"},
    {{1, 0xBEEF, 0}, "[Memory]\nMode=1\nValue=BEEF\n"},
    {{2, 0x1234, 0}, "[Memory]\nMode=2\nValue=00001234\n"},
    {{3, 0xFFFFFFFFFFFFFFFF, 0}, "[Memory]\nMode=3\nValue=FFFFFFFFFFFFFFFF\n"},
    {{4, 0xC90FDAA22168C235, 0x4000}, "[Memory]\nMode=4\nValue=4000C90FDAA22168C235\n"},
    {{4, 0x8000000000000000, 0xBFFF}, "[Memory]\nMode=4\nValue=BFFF8000000000000000\n"},
};

TEST_F(MemorySettingsTest, WritesModeAndBitsAndReadsThemBack) {
    for (const StoredCase& c : StoredCases) {
        SCOPED_TRACE(c.File);
        SetFile("");
        WriteStoredMemory(c.Memory);
        EXPECT_EQ(File(), c.File);
        EXPECT_EQ(ReadStoredMemory(), c.Memory);
    }
}

TEST_F(MemorySettingsTest, EmptyMemoryIsWrittenAsNoMode) {
    WriteStoredMemory(StoredMemory{2, 5, 0});
    WriteStoredMemory(std::nullopt);
    EXPECT_EQ(File(), "[Memory]\nMode=-1\nValue=\n");
    EXPECT_EQ(ReadStoredMemory(), std::nullopt);
}

TEST_F(MemorySettingsTest, UnreadableValuesLeaveTheMemoryEmpty) {
    for (const char* file : {
             "[Memory]\nValue=2C\n",                       // no mode
             "[Memory]\nMode=5\nValue=2C\n",               // no such mode
             "[Memory]\nMode=x\nValue=2C\n",               // not a number
             "[Memory]\nMode=0\n",                         // no value
             "[Memory]\nMode=0\nValue=12C\n",              // more digits than a byte
             "[Memory]\nMode=2\nValue=1234\n",             // fewer digits than a DWord
             "[Memory]\nMode=1\nValue=12G4\n",             // not hexadecimal
             "[Memory]\nMode=1\nValue=-123\n",             // a sign
             "[Memory]\nMode=4\nValue=C90FDAA22168C235\n", // a real without its exponent
             "[Memory]\nMode=2\nValue=0x000001\n",         // a prefix
         }) {
        SetFile(file);
        EXPECT_EQ(ReadStoredMemory(), std::nullopt) << file;
    }
}

TEST_F(MemorySettingsTest, LowerCaseDigitsRead) {
    SetFile("[Memory]\nMode=1\nValue=beef\n");
    EXPECT_EQ(ReadStoredMemory(), (StoredMemory{1, 0xBEEF, 0}));
}

} // namespace
} // namespace pexa
