// The command line's arguments: which lines are the command line's at all,
// how each is read, and the exit status and streams of a whole run.

#include "cli/CommandLine.h"
#include "settings/Profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

using namespace pexa;

namespace {

using Arguments = std::vector<std::string_view>;

struct RunCase {
    Arguments Line;
    bool ForCommandLine;
};

const RunCase RunCases[] = {
    {{}, false},
    {{"--eval", "1"}, true},
    {{"--eval=1"}, true},
    {{"-platform", "offscreen", "--eval", "1"}, true},
    {{"--mode", "byte"}, true},
    {{"--mode=byte"}, true},
    {{"--signed"}, true},
    {{"--help"}, true},
    {{"-h"}, true},
    {{"--version"}, true},
    // Qt's own options open the window as they always did; "--reverse" is
    // the "--" form of Qt's right-to-left switch.
    {{"--reverse"}, false},
    {{"-reverse"}, false},
    {{"-platform", "offscreen"}, false},
    {{"--style=fusion"}, false},
    {{"--evaluate"}, false},
    {{"file.txt"}, false},
};

TEST(CommandLineTest, OnlyItsOwnOptionsTakeTheLineFromTheWindow) {
    for (const RunCase& c : RunCases) {
        SCOPED_TRACE(testing::PrintToString(c.Line));
        EXPECT_EQ(IsCommandLineRun(c.Line), c.ForCommandLine);
    }
}

struct ParseCase {
    Arguments Line;
    CommandLineTask Task;
    std::string Expression;
    std::optional<CalcValueMode> Mode;
    bool Signed;
    bool Reverse;
    std::string Mistake;
};

constexpr auto Evaluate = CommandLineTask::Evaluate;
constexpr auto Help = CommandLineTask::Help;
constexpr auto Version = CommandLineTask::Version;
constexpr auto Mistake = CommandLineTask::Mistake;
constexpr std::nullopt_t Saved = std::nullopt;

const ParseCase ParseCases[] = {
    {{"--eval", "1+2"}, Evaluate, "1+2", Saved, false, false, ""},
    {{"--eval=1+2"}, Evaluate, "1+2", Saved, false, false, ""},
    // An option's value is taken whatever it looks like.
    {{"--eval", "-1"}, Evaluate, "-1", Saved, false, false, ""},
    {{"--eval", "--signed"}, Evaluate, "--signed", Saved, false, false, ""},
    {{"--eval", "-"}, Evaluate, "-", Saved, false, false, ""},
    {{"--eval="}, Evaluate, "", Saved, false, false, ""},
    {{"--eval", "a=b"}, Evaluate, "a=b", Saved, false, false, ""},
    {{"--eval", "x", "--mode", "byte"}, Evaluate, "x", CalcValueMode::Byte, false, false, ""},
    {{"--mode", "word", "--eval", "x"}, Evaluate, "x", CalcValueMode::Word, false, false, ""},
    {{"--mode=dword", "--eval", "x"}, Evaluate, "x", CalcValueMode::DWord, false, false, ""},
    {{"--mode", "INT64", "--eval", "x"}, Evaluate, "x", CalcValueMode::QWord, false, false, ""},
    {{"--mode", "real", "--eval", "x"}, Evaluate, "x", CalcValueMode::Float, false, false, ""},
    {{"--mode", "byte", "--mode", "real", "--eval", "x"},
     Evaluate,
     "x",
     CalcValueMode::Float,
     false,
     false,
     ""},
    {{"--eval", "x", "--signed"}, Evaluate, "x", Saved, true, false, ""},
    {{"--reverse", "--eval", "x"}, Evaluate, "x", Saved, false, true, ""},
    {{"--signed", "--reverse", "--eval", "x"}, Evaluate, "x", Saved, true, true, ""},
    {{"--help"}, Help, "", Saved, false, false, ""},
    {{"-h", "--bogus"}, Help, "", Saved, false, false, ""},
    {{"--eval", "1", "--help"}, Help, "1", Saved, false, false, ""},
    {{"--version"}, Version, "", Saved, false, false, ""},
    {{"--bogus", "--help"}, Mistake, "", Saved, false, false, "unknown option '--bogus'"},
    {{"--eval"}, Mistake, "", Saved, false, false, "option '--eval' needs a value"},
    {{"--eval", "1", "--mode"}, Mistake, "", Saved, false, false, "option '--mode' needs a value"},
    {{"--eval", "1", "--mode", "qword"},
     Mistake,
     "",
     Saved,
     false,
     false,
     "unknown mode 'qword' (byte, word, dword, int64 or real)"},
    {{"--eval", "1", "--mode="},
     Mistake,
     "",
     Saved,
     false,
     false,
     "unknown mode '' (byte, word, dword, int64 or real)"},
    {{"--eval", "1", "--eval", "2"},
     Mistake,
     "",
     Saved,
     false,
     false,
     "option '--eval' given more than once"},
    {{"--eval", "1", "2"}, Mistake, "", Saved, false, false, "unexpected argument '2'"},
    {{"--eval", "1", "-"}, Mistake, "", Saved, false, false, "unexpected argument '-'"},
    {{"--eval", "1", "--signed=yes"},
     Mistake,
     "",
     Saved,
     false,
     false,
     "option '--signed' takes no value"},
    {{"--eval", "1", "-s"}, Mistake, "", Saved, false, false, "unknown option '-s'"},
    {{"--mode", "byte"}, Mistake, "", Saved, false, false, "option '--eval' is missing"},
    {{}, Mistake, "", Saved, false, false, "option '--eval' is missing"},
};

TEST(CommandLineTest, ReadsEachOptionAndNamesEachMistake) {
    for (const ParseCase& c : ParseCases) {
        SCOPED_TRACE(testing::PrintToString(c.Line));
        const CommandLineRequest request = ParseCommandLine(c.Line);
        EXPECT_EQ(request.Task, c.Task);
        EXPECT_EQ(request.Mistake, c.Mistake);
        if (c.Task == Mistake)
            continue;
        EXPECT_EQ(request.Expression, c.Expression);
        EXPECT_EQ(request.Mode, c.Mode);
        EXPECT_EQ(request.Signed, c.Signed);
        EXPECT_EQ(request.Reverse, c.Reverse);
    }
}

struct StatusCase {
    Arguments Line;
    std::string Input;
    int Status;
    bool PrintsOut;
    std::string Error; // the whole of standard error
};

const StatusCase StatusCases[] = {
    {{"--eval", "1"}, "", ExitSuccess, true, ""},
    {{"--eval", "(1+2"}, "", ExitBadExpression, false, "Missing ')' at 5\n"},
    {{"--eval", "0x1G"}, "", ExitBadExpression, false, "Not a hexadecimal digit: G at 4\n"},
    {{"--eval", "1/0"}, "", ExitBadExpression, false, "Cannot divide by zero at 2\n"},
    {{"--eval", "256", "--mode", "byte"},
     "",
     ExitBadExpression,
     false,
     "Number too large for the mode at 1\n"},
    {{"--eval", "-"}, "1\n\n  \nans + 1\n", ExitSuccess, true, ""},
    {{"--eval", "-"}, "", ExitSuccess, false, ""},
    {{"--eval", "-"}, "1\n(\n2\n", ExitBadExpression, true, "line 2: Missing value at 2\n"},
    {{"--eval", "-"},
     "y\r\n1/0\n",
     ExitBadExpression,
     false,
     "line 1: Unknown name: y at 1\nline 2: Cannot divide by zero at 2\n"},
    {{"--help"}, "", ExitSuccess, true, ""},
    {{"--version"}, "", ExitSuccess, true, ""},
    {{"--eval"},
     "",
     ExitUsage,
     false,
     "pexa: option '--eval' needs a value\nTry 'pexa --help' for more information.\n"},
};

TEST(CommandLineTest, ExitStatusAndStreams) {
    // No settings file: the defaults, whatever lies beside the test program.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pexa_cli_test_" + std::to_string(::getpid()));
    const ProfilePathOverride noSettings((folder / "pexa.ini").string());
    for (const StatusCase& c : StatusCases) {
        SCOPED_TRACE(testing::PrintToString(c.Line) + " input " + c.Input);
        std::istringstream in(c.Input);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCommandLine(c.Line, in, out, err), c.Status);
        EXPECT_EQ(!out.str().empty(), c.PrintsOut);
        EXPECT_EQ(err.str(), c.Error);
    }
    // Reading the defaults made no file and no folder.
    EXPECT_FALSE(std::filesystem::exists(folder));
}

} // namespace
