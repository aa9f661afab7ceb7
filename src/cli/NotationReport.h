#pragma once

#include "cli/EvaluationSettings.h"
#include "conv/Conversion.h"
#include "core/CalcValue.h"

#include <array>
#include <string>
#include <vector>

namespace pexa {

// The notations in the order the command line prints them: the bar kinds'
// order, octal among the radixes between hexadecimal and binary.
inline constexpr std::array<BarKind, BarKindCount> ReportedNotations = {
    BarKind::Decimal, BarKind::Hex,    BarKind::Oct,   BarKind::Bin,  BarKind::Char,
    BarKind::IP,      BarKind::Degree, BarKind::Float, BarKind::Time, BarKind::Kilo};

struct NotationLine {
    BarKind Kind;
    std::string Label; // the bar's short name, "HEX"
    std::string Text;  // UTF-8: what the bar shows, or the message it shows instead
};

// The value (in the settings' mode) as each bar would show it: a conversion
// of the bar's kind, set up as the window sets up its bars (mode, Signed and
// Reverse where the conversion has them, the bar's own options from the
// settings, then the value), its text grouped as the settings say. A
// notation that does not fit the mode reads as the bar shows it, greyed in
// the window; a value the bar cannot take shows the calculator's message.
std::vector<NotationLine> ReportNotations(const CalcValue& value,
                                          const EvaluationSettings& settings);

// One line a notation: the label, blanks up to a common column, the text.
std::string FormatNotationLines(const std::vector<NotationLine>& lines);

} // namespace pexa
