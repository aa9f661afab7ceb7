#include "cli/CommandLine.h"

#include "cli/CommandLineEvaluator.h"
#include "cli/EvaluationSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iostream>
#include <vector>

// The build passes the project's version, the one the about box shows.
#ifndef PEXA_VERSION_TEXT
#error "PEXA_VERSION_TEXT must be defined by the build"
#endif

namespace pexa {

namespace {

constexpr std::string_view EvalOption = "--eval";
constexpr std::string_view ModeOption = "--mode";
constexpr std::string_view SignedOption = "--signed";
constexpr std::string_view ReverseOption = "--reverse";
constexpr std::string_view HelpOption = "--help";
constexpr std::string_view ShortHelpOption = "-h";
constexpr std::string_view VersionOption = "--version";

constexpr const char* HelpText =
    R"(Usage: pexa --eval EXPR [--mode MODE] [--signed] [--reverse]
       pexa --help | --version
Without --eval, pexa opens its window.

  --eval EXPR   print the value of EXPR in every notation, one line each
                (DEC, HEX, OCT, BIN, CHR, IP, DEG, FLT, TIME, KILO), as the
                bars show it; EXPR "-" reads one expression a line from
                standard input, "ans" being the value of the line before
  --mode MODE   byte, word, dword, int64 or real
                (default: the mode saved in pexa.ini, else dword)
  --signed      read integers as signed
  --reverse     reverse the byte order
  -h, --help    show this help and exit
  --version     show the version and exit

Expressions are written as in C, with C's precedence: + - * / % << >> & ^ |
~ ! and parentheses, ** the power, >>> the logical right shift; literals
249, 0xF9, 0b1010, 0o17, 'A', 1.5e3 (real mode); the calculator's functions
sqrt, sin, ln, log(x, base), abs, rotl(x, n), bswap, popcount, clz, ctz, ...
The bar options (character encoding, date format, ...) come from pexa.ini,
which is only read.

Exit status: 0 when every expression gave a value, 1 when one did not (its
message is printed on standard error), 2 for a mistake on the command line.
)";

struct ModeName {
    std::string_view Name;
    CalcValueMode Mode;
};

constexpr std::array<ModeName, CalcValueModeCount> ModeNames = {{
    {"byte", CalcValueMode::Byte},
    {"word", CalcValueMode::Word},
    {"dword", CalcValueMode::DWord},
    {"int64", CalcValueMode::QWord},
    {"real", CalcValueMode::Float},
}};

std::optional<CalcValueMode> ModeOfName(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ModeName& entry : ModeNames) {
        if (entry.Name == lower)
            return entry.Mode;
    }
    return std::nullopt;
}

CommandLineRequest Mistake(std::string message) {
    CommandLineRequest request;
    request.Task = CommandLineTask::Mistake;
    request.Mistake = std::move(message);
    return request;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Reads one argument after another; an option with a value takes it from
// "--name=value" or from the next argument.
class ArgumentReader {
public:
    explicit ArgumentReader(std::span<const std::string_view> arguments) : arguments_(arguments) {}

    CommandLineRequest Read();

private:
    // The option's value: the attached one, else the next argument; none at
    // the end of the line.
    std::optional<std::string_view> Value(std::optional<std::string_view> attached);
    std::optional<CommandLineRequest> ReadOption(std::string_view name,
                                                 std::optional<std::string_view> attached);

    std::span<const std::string_view> arguments_;
    std::size_t next_ = 0;
    CommandLineRequest request_;
    bool hasExpression_ = false;
};

std::optional<std::string_view> ArgumentReader::Value(std::optional<std::string_view> attached) {
    if (attached)
        return attached;
    if (next_ >= arguments_.size())
        return std::nullopt;
    return arguments_[next_++];
}

std::optional<CommandLineRequest>
ArgumentReader::ReadOption(std::string_view name, std::optional<std::string_view> attached) {
    const bool takesValue = name == EvalOption || name == ModeOption;
    if (!takesValue && attached)
        return Mistake("option " + Quoted(name) + " takes no value");
    if (name == HelpOption || name == ShortHelpOption) {
        request_.Task = CommandLineTask::Help;
        return request_;
    }
    if (name == VersionOption) {
        request_.Task = CommandLineTask::Version;
        return request_;
    }
    if (name == SignedOption) {
        request_.Signed = true;
        return std::nullopt;
    }
    if (name == ReverseOption) {
        request_.Reverse = true;
        return std::nullopt;
    }
    if (!takesValue)
        return Mistake("unknown option " + Quoted(name));
    const std::optional<std::string_view> value = Value(attached);
    if (!value)
        return Mistake("option " + Quoted(name) + " needs a value");
    if (name == ModeOption) {
        request_.Mode = ModeOfName(*value);
        if (!request_.Mode)
            return Mistake("unknown mode " + Quoted(*value) +
                           " (byte, word, dword, int64 or real)");
        return std::nullopt;
    }
    if (hasExpression_)
        return Mistake("option '--eval' given more than once");
    request_.Expression = std::string(*value);
    hasExpression_ = true;
    return std::nullopt;
}

CommandLineRequest ArgumentReader::Read() {
    while (next_ < arguments_.size()) {
        const std::string_view argument = arguments_[next_++];
        if (argument.size() < 2 || argument[0] != '-')
            return Mistake("unexpected argument " + Quoted(argument));
        std::string_view name = argument;
        std::optional<std::string_view> attached;
        if (const auto equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            attached = argument.substr(equals + 1);
        }
        if (std::optional<CommandLineRequest> done = ReadOption(name, attached))
            return *done;
    }
    if (!hasExpression_)
        return Mistake("option '--eval' is missing");
    request_.Task = CommandLineTask::Evaluate;
    return request_;
}

int EvaluateRequest(const CommandLineRequest& request, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    EvaluationSettings settings = ReadEvaluationSettings();
    if (request.Mode)
        settings.Mode = *request.Mode;
    settings.Signed = settings.Signed || request.Signed;
    settings.Reversed = settings.Reversed || request.Reverse;
    CommandLineEvaluator evaluator(settings);
    const bool ok = request.Expression == StandardInputExpression
                        ? evaluator.EvaluateLines(in, out, err)
                        : evaluator.Evaluate(request.Expression, out, err);
    return ok ? ExitSuccess : ExitBadExpression;
}

std::vector<std::string_view> ArgumentsOf(int argc, char* argv[]) {
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

} // namespace

bool IsCommandLineRun(std::span<const std::string_view> arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](std::string_view argument) {
        return argument == EvalOption || argument.starts_with("--eval=") ||
               argument == ModeOption || argument.starts_with("--mode=") ||
               argument == SignedOption || argument == HelpOption || argument == ShortHelpOption ||
               argument == VersionOption;
    });
}

CommandLineRequest ParseCommandLine(std::span<const std::string_view> arguments) {
    return ArgumentReader(arguments).Read();
}

int RunCommandLine(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const CommandLineRequest request = ParseCommandLine(arguments);
    switch (request.Task) {
    case CommandLineTask::Help:
        out << HelpText;
        return ExitSuccess;
    case CommandLineTask::Version:
        out << "pexa " << PEXA_VERSION_TEXT << '\n';
        return ExitSuccess;
    case CommandLineTask::Evaluate:
        return EvaluateRequest(request, in, out, err);
    case CommandLineTask::Mistake:
        break;
    }
    err << "pexa: " << request.Mistake << "\nTry 'pexa --help' for more information.\n";
    return ExitUsage;
}

int RunCommandLine(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments = ArgumentsOf(argc, argv);
    return RunCommandLine(arguments, std::cin, std::cout, std::cerr);
}

bool IsCommandLineRun(int argc, char* argv[]) {
    return IsCommandLineRun(ArgumentsOf(argc, argv));
}

} // namespace pexa
