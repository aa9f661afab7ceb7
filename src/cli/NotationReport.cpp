#include "cli/NotationReport.h"

#include "cli/ExpressionMessage.h"
#include "conv/CharacterConversion.h"
#include "conv/ConversionFactory.h"
#include "conv/DateTimeConversion.h"
#include "conv/DisplayText.h"
#include "conv/FloatConversion.h"
#include "conv/SexagesimalConversion.h"
#include "core/CalcError.h"

#include <algorithm>
#include <memory>

namespace pexa {

namespace {

// The options each bar reads from the settings file in the window.
void ApplyBarOptions(Conversion& conversion, const EvaluationSettings& settings) {
    if (auto* character = dynamic_cast<CharacterConversion*>(&conversion)) {
        character->SetEncoding(settings.CharacterEncoding);
    } else if (auto* degree = dynamic_cast<SexagesimalConversion*>(&conversion)) {
        degree->SetHmsStyle(settings.HmsStyle);
    } else if (auto* real = dynamic_cast<FloatConversion*>(&conversion)) {
        real->SetWordFormat(settings.WordFloatFormat);
        real->SetByteFormat(settings.ByteFloatFormat);
    } else if (auto* time = dynamic_cast<DateTimeConversion*>(&conversion)) {
        time->SetEncoding(settings.TimeFormat);
        time->SetDiffMode(settings.TimeDifference);
    }
}

std::string NotationText(BarKind kind, const CalcValue& value, const EvaluationSettings& settings) {
    const std::unique_ptr<Conversion> conversion = CreateConv(static_cast<int>(kind));
    try {
        conversion->SetMode(settings.Mode);
        const ConvOptionSet capabilities = conversion->GetCapabilities();
        if (capabilities.Contains(ConvOption::Signed))
            conversion->SetOption(ConvOption::Signed, settings.Signed);
        if (capabilities.Contains(ConvOption::ReverseEndian))
            conversion->SetOption(ConvOption::ReverseEndian, settings.Reversed);
        ApplyBarOptions(*conversion, settings);
        conversion->SetValue(value);
    } catch (const CalcError& error) {
        return CalcErrorMessage(error.Kind());
    }
    return ConvTextToUtf8(conversion->GetText(settings.DigitGrouping),
                          conversion->GetTextCharset());
}

} // namespace

std::vector<NotationLine> ReportNotations(const CalcValue& value,
                                          const EvaluationSettings& settings) {
    std::vector<NotationLine> lines;
    lines.reserve(ReportedNotations.size());
    for (const BarKind kind : ReportedNotations)
        lines.push_back({kind, GetBarKindInfo(kind).Label, NotationText(kind, value, settings)});
    return lines;
}

std::string FormatNotationLines(const std::vector<NotationLine>& lines) {
    std::size_t width = 0;
    for (const NotationLine& line : lines)
        width = std::max(width, line.Label.size());
    // Two blanks after the longest label: "KILO  1 K", "DEC   249".
    width += 2;
    std::string text;
    for (const NotationLine& line : lines) {
        text += line.Label;
        text.append(width - line.Label.size(), ' ');
        text += line.Text;
        text += '\n';
    }
    return text;
}

} // namespace pexa
