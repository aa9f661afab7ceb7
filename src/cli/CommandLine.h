#pragma once

#include "core/CalcValue.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pexa {

// pexa on the command line: "pexa --eval EXPR [--mode M] [--signed]
// [--reverse]" prints the value of an expression in every notation, without
// a window. Nothing here uses Qt, so the path opens no display.

// The exit statuses: a value printed (or help, version), an expression that
// gave none, a command line that could not be read.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitBadExpression = 1;
inline constexpr int ExitUsage = 2;

// The text of --eval that reads expressions from standard input.
inline constexpr std::string_view StandardInputExpression = "-";

enum class CommandLineTask {
    Evaluate,
    Help,
    Version,
    Mistake, // the line cannot be read; Mistake says why
};

struct CommandLineRequest {
    CommandLineTask Task = CommandLineTask::Mistake;
    std::string Expression;
    std::optional<CalcValueMode> Mode; // none: the saved mode
    bool Signed = false;
    bool Reverse = false;
    std::string Mistake;

    bool operator==(const CommandLineRequest&) const = default;
};

// Whether the program's arguments (without the program name) are for the
// command line rather than the window: one of them is --eval, --mode (or
// their "=" forms), --signed, --help, -h or --version. Any other line, Qt's
// own options among them (-platform, -reverse and their "--" forms, which is
// why --reverse alone is the window's), still opens the window as before.
bool IsCommandLineRun(std::span<const std::string_view> arguments);

// Reads the arguments (without the program name) from left to right. An
// option's value is the next argument whatever it looks like, so that
// "--eval -1" evaluates -1; "--eval=EXPR" and "--mode=M" work too. --help and
// --version answer at once; a mistake before them wins.
CommandLineRequest ParseCommandLine(std::span<const std::string_view> arguments);

// Reads the arguments and does what they ask: the value's notations, the
// help or the version on out; a message on err for an expression without a
// value or a mistake on the command line. Gives the exit status. "-" as the
// expression reads one expression a line from in.
int RunCommandLine(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
                   std::ostream& err);

// The same for main's arguments, on the standard streams.
int RunCommandLine(int argc, char* argv[]);
bool IsCommandLineRun(int argc, char* argv[]);

} // namespace pexa
