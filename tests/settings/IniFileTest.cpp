#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace pexa {
namespace {

using std::nullopt;
using std::optional;
using std::string;

string TestName(string text) {
    for (char& c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return text;
}

struct FindCase {
    const char* Name;
    string Text;
    const char* Section;
    const char* Key;
    optional<string> Expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.Name;
}

class FindIniValueTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindIniValueTest, ReadsAsTheClassicProfileFunctions) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindIniValue(c.Text, c.Section, c.Key), c.Expected) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindIniValueTest,
    ::testing::Values(
        FindCase{"plain", "[Mode]\nCalcMode=3\n", "Mode", "CalcMode", "3"},
        FindCase{"section case", "[mODE]\nCalcMode=3\n", "Mode", "CalcMode", "3"},
        FindCase{"key case", "[Mode]\ncalcmode=3\n", "Mode", "CALCMODE", "3"},
        FindCase{"blanks around", "  [ Mode ]  \n\t CalcMode \t=  3 \t\n", "Mode", "CalcMode", "3"},
        FindCase{"crlf", "[Mode]\r\nCalcMode=3\r\nHyp=1\r\n", "Mode", "CalcMode", "3"},
        FindCase{"no final newline", "[Mode]\nCalcMode=3", "Mode", "CalcMode", "3"},
        FindCase{"utf-8 bom", "\xEF\xBB\xBF[Mode]\nCalcMode=3\n", "Mode", "CalcMode", "3"},
        FindCase{"other section", "[View]\nCalcMode=3\n[Mode]\nHyp=1\n", "Mode", "CalcMode",
                 nullopt},
        FindCase{"key before any section", "CalcMode=3\n[Mode]\n", "Mode", "CalcMode", nullopt},
        FindCase{"first key wins", "[Mode]\nHyp=1\nhyp=0\n", "Mode", "Hyp", "1"},
        FindCase{"first section wins", "[Mode]\nA=1\n[Mode]\nHyp=0\n", "Mode", "Hyp", nullopt},
        FindCase{"first section value", "[Mode]\nHyp=1\n[mode]\nHyp=0\n", "Mode", "Hyp", "1"},
        FindCase{"comment is no key", "[Mode]\n;Hyp=1\n#Hyp=2\n", "Mode", "Hyp", nullopt},
        FindCase{"empty value", "[Mode]\nHyp=\n", "Mode", "Hyp", ""},
        FindCase{"double quotes dropped", "[F]\nName=\" MS Gothic \"\n", "F", "Name",
                 " MS Gothic "},
        FindCase{"single quotes dropped", "[F]\nName='x'\n", "F", "Name", "x"},
        FindCase{"unmatched quote kept", "[F]\nName=\"x'\n", "F", "Name", "\"x'"},
        FindCase{"lone quote kept", "[F]\nName=\"\n", "F", "Name", "\""},
        FindCase{"value with equals", "[F]\nName=a=b\n", "F", "Name", "a=b"},
        FindCase{"cut at nul", string("[F]\nName=ab\0cd\n", 15), "F", "Name", "ab"},
        FindCase{"header without bracket", "[Mode\nHyp=1\n", "Mode", "Hyp", nullopt},
        FindCase{"header with trailing text", "[Mode] old\nHyp=1\n", "Mode", "Hyp", "1"},
        FindCase{"line without equals", "[Mode]\nHyp\nHyp=1\n", "Mode", "Hyp", "1"},
        FindCase{"empty key never matches", "[Mode]\n=1\n", "Mode", "", nullopt},
        FindCase{"empty text", "", "Mode", "Hyp", nullopt},
        FindCase{"lone cr stays in line", "[Mode]\nA=1\rHyp=2\n", "Mode", "Hyp", nullopt}),
    [](const auto& p) { return TestName(p.param.Name); });

struct SetCase {
    const char* Name;
    string Before;
    const char* Section;
    const char* Key;
    const char* Value;
    string After;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.Name;
}

class SetIniValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetIniValueTest, ChangesOnlyTheOneEntry) {
    const SetCase& c = GetParam();
    const auto after = SetIniValue(c.Before, c.Section, c.Key, c.Value);
    ASSERT_TRUE(after.has_value()) << c.Name;
    EXPECT_EQ(*after, c.After) << c.Name;
    EXPECT_EQ(FindIniValue(*after, c.Section, c.Key), string(c.Value)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetIniValueTest,
    ::testing::Values(
        SetCase{"new file", "", "Mode", "Hyp", "1", "[Mode]\nHyp=1\n"},
        SetCase{"replace keeps spelling and comments",
                "; pexa settings\n[mode]\n; angle\n hyp = 0 \nX=y\n", "Mode", "Hyp", "1",
                "; pexa settings\n[mode]\n; angle\n hyp = 1\nX=y\n"},
        SetCase{"add after last key, before trailing comment",
                "[Mode]\nA=1\n\n; next\n[View]\nB=2\n", "Mode", "Hyp", "1",
                "[Mode]\nA=1\nHyp=1\n\n; next\n[View]\nB=2\n"},
        SetCase{"add to empty section", "[Mode]\n[View]\n", "Mode", "Hyp", "1",
                "[Mode]\nHyp=1\n[View]\n"},
        SetCase{"new section at the end", "[View]\nB=2\n", "Mode", "Hyp", "1",
                "[View]\nB=2\n[Mode]\nHyp=1\n"},
        SetCase{"no final newline, new section", "[View]\nB=2", "Mode", "Hyp", "1",
                "[View]\nB=2\n[Mode]\nHyp=1\n"},
        SetCase{"no final newline, new key", "[Mode]\nA=1", "Mode", "Hyp", "1",
                "[Mode]\nA=1\nHyp=1\n"},
        SetCase{"no final newline, header only", "[Mode]", "Mode", "Hyp", "1", "[Mode]\nHyp=1\n"},
        SetCase{"no final newline, replace", "[Mode]\nHyp=0", "Mode", "Hyp", "1", "[Mode]\nHyp=1"},
        SetCase{"crlf kept", "[Mode]\r\nA=1\r\n", "Mode", "Hyp", "1", "[Mode]\r\nA=1\r\nHyp=1\r\n"},
        SetCase{"crlf replace", "[Mode]\r\nHyp=0\r\n", "Mode", "Hyp", "1", "[Mode]\r\nHyp=1\r\n"},
        SetCase{"first of duplicate keys", "[Mode]\nHyp=0\nHyp=2\n", "Mode", "Hyp", "1",
                "[Mode]\nHyp=1\nHyp=2\n"},
        SetCase{"first of duplicate sections", "[Mode]\nA=1\n[Mode]\nHyp=0\n", "Mode", "Hyp", "1",
                "[Mode]\nA=1\nHyp=1\n[Mode]\nHyp=0\n"},
        SetCase{"blank value written", "[Mode]\nHyp=0\n", "Mode", "Hyp", "", "[Mode]\nHyp=\n"},
        SetCase{"blanks kept by quoting", "", "F", "Name", " a ", "[F]\nName=\" a \"\n"},
        SetCase{"quoted text kept by quoting", "", "F", "Name", "\"a\"", "[F]\nName=\"\"a\"\"\n"},
        SetCase{"bom kept", "\xEF\xBB\xBF[Mode]\nHyp=0\n", "Mode", "Hyp", "1",
                "\xEF\xBB\xBF[Mode]\nHyp=1\n"},
        SetCase{"utf-8 value", "", "DisplayFont", "Name", "ＭＳ ゴシック",
                "[DisplayFont]\nName=ＭＳ ゴシック\n"}),
    [](const auto& p) { return TestName(p.param.Name); });

TEST(SetIniValue, RefusesEntriesThatWouldNotReadBack) {
    const struct {
        const char* Section;
        const char* Key;
        string Value;
    } bad[] = {
        {"", "Key", "v"},
        {"Mode", "", "v"},
        {"Mo]de", "Key", "v"},
        {" Mode", "Key", "v"},
        {"Mode", "Key ", "v"},
        {"Mode", "A=B", "v"},
        {"Mode", "[Key]", "v"},
        {"Mode", ";Key", "v"},
        {"Mode", "#Key", "v"},
        {"Mode", "K\ney", "v"},
        {"Mode", "Key", "line\nbreak"},
        {"Mode", "Key", "cr\r"},
        {"Mode", "Key", string("nul\0", 4)},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(IsWritableIniEntry(b.Section, b.Key, b.Value)) << b.Section << "/" << b.Key;
        EXPECT_EQ(SetIniValue("[Mode]\nKey=1\n", b.Section, b.Key, b.Value), nullopt);
    }
}

// Every other entry of a file reads the same after one key is written.
TEST(SetIniValue, LeavesEveryOtherEntryAlone) {
    const string before = "[A]\nx=1\ny=2\n[B]\nx=3\n; c\n[a]\nz=4\n[C]\n";
    const auto after = SetIniValue(before, "b", "NEW", "5");
    ASSERT_TRUE(after);
    const struct {
        const char* S;
        const char* K;
    } others[] = {{"A", "x"}, {"A", "y"}, {"B", "x"}, {"A", "z"}, {"C", "x"}};
    for (const auto& o : others)
        EXPECT_EQ(FindIniValue(*after, o.S, o.K), FindIniValue(before, o.S, o.K)) << o.S << o.K;
    EXPECT_EQ(FindIniValue(*after, "B", "new"), "5");
}

TEST(FindIniValue, SurvivesRandomBytes) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        string text(static_cast<std::size_t>(random() % 4096), '\0');
        for (char& c : text)
            c = static_cast<char>("[]=;\n\r Mode\0ab"[random() % 14]);
        const auto found = FindIniValue(text, "Mode", "a");
        if (found) {
            EXPECT_EQ(found->find('\0'), string::npos);
        }
        const auto written = SetIniValue(text, "Mode", "a", "value");
        ASSERT_TRUE(written);
        EXPECT_EQ(FindIniValue(*written, "Mode", "a"), "value");
    }
}

TEST(ProfileError, CarriesTheMessageWithThePath) {
    const ProfileError error("/opt/pexa/pexa.ini", "rename: Read-only file system");
    EXPECT_STREQ(error.what(), "/opt/pexa/pexa.ini に書き込めません");
    EXPECT_EQ(error.Path(), "/opt/pexa/pexa.ini");
    EXPECT_EQ(error.Reason(), "rename: Read-only file system");
}

} // namespace
} // namespace pexa
