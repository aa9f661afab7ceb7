#include "cli/CommandLineEvaluator.h"

#include "cli/ExpressionMessage.h"
#include "cli/NotationReport.h"
#include "conv/DisplayText.h"
#include "conv/CharacterConversion.h"
#include "core/CalcError.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

namespace pexa {

namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
}

// The code the character bar holds after the bytes of the character were
// pasted into an empty bar: the bytes' value, most significant first.
std::optional<std::uint32_t> CodeOfBytes(const CharacterConversion& bar, std::string_view sjis) {
    const std::optional<std::string> bytes = bar.BytesOfDisplayChar(sjis);
    if (!bytes || bytes->empty())
        return std::nullopt;
    std::uint32_t code = 0;
    for (const char byte : *bytes)
        code = (code << 8) | static_cast<unsigned char>(byte);
    return code;
}

} // namespace

CharacterEncoder CharacterLiteralEncoder(CharEncoding encoding) {
    // Wide enough for any character's code in every encoding.
    auto bar = std::make_shared<CharacterConversion>();
    bar->SetMode(CalcValueMode::QWord);
    bar->SetEncoding(encoding);
    return [bar](char32_t ch) -> std::optional<std::uint32_t> {
        bar->Clear();
        if (bar->TakesWholeCharacters()) {
            if (!bar->InputCharacter(ch))
                return std::nullopt;
            std::uint64_t bits = 0;
            try {
                bits = static_cast<std::uint64_t>(GetInteger(bar->GetValue()));
            } catch (const CalcError&) {
                return std::nullopt;
            }
            if (bits > 0xFFFFFFFFu)
                return std::nullopt;
            return static_cast<std::uint32_t>(bits);
        }
        if (bar->GetCharEncoding() == CharEncoding::Ascii)
            return std::nullopt;
        const std::optional<std::string> sjis = Utf32ToSjis(ch);
        if (!sjis)
            return std::nullopt;
        return CodeOfBytes(*bar, *sjis);
    };
}

CommandLineEvaluator::CommandLineEvaluator(const EvaluationSettings& settings)
    : settings_(settings) {
    context_.Mode = settings.Mode;
    context_.Signed = settings.Signed;
    context_.Options = settings.Options;
    context_.EncodeCharacter = CharacterLiteralEncoder(settings.CharacterEncoding);
}

ExpressionResult CommandLineEvaluator::Run(std::string_view text) {
    ExpressionResult result = EvaluateExpression(text, context_);
    if (result.Value)
        context_.Answer = *result.Value;
    return result;
}

bool CommandLineEvaluator::Evaluate(std::string_view text, std::ostream& out, std::ostream& err) {
    const ExpressionResult result = Run(text);
    if (!result.Value) {
        err << ExpressionResultMessage(result) << '\n';
        return false;
    }
    out << FormatNotationLines(ReportNotations(*result.Value, settings_));
    return true;
}

bool CommandLineEvaluator::EvaluateLines(std::istream& in, std::ostream& out, std::ostream& err) {
    bool allGood = true;
    bool printedBlock = false;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (IsBlank(line))
            continue;
        // A file written on Windows ends its lines in CR LF.
        if (line.back() == '\r')
            line.pop_back();
        const ExpressionResult result = Run(line);
        if (!result.Value) {
            err << "line " << number << ": " << ExpressionResultMessage(result) << '\n';
            allGood = false;
            continue;
        }
        if (printedBlock)
            out << '\n';
        out << FormatNotationLines(ReportNotations(*result.Value, settings_));
        // Each block goes out whole as it is made, for a reader on a pipe.
        out.flush();
        printedBlock = true;
    }
    return allGood;
}

} // namespace pexa
