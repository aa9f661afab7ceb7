#include "engine/HistoryTape.h"

#include <memory>
#include <utility>

namespace pexa {

const TapeLine* HistoryTape::At(std::size_t index) const {
    return index < lines_.size() ? &lines_[index] : nullptr;
}

void HistoryTape::Add(TapeLine line) {
    lines_.push_back(std::move(line));
    if (lines_.size() > Capacity)
        lines_.pop_front();
}

// The copy is shared by the formatter's copies, and set to each value's mode
// before it takes the value.
ValueFormatter BarValueFormatter(const Conversion& bar) {
    std::shared_ptr<Conversion> copy = bar.Clone();
    return [copy](const CalcValue& value) -> std::string {
        if (!copy)
            return "?";
        try {
            copy->SetMode(value.Mode);
            copy->SetValue(value);
            return copy->GetClipboardText(false);
        } catch (...) {
            return "?";
        }
    };
}

std::string TapeLineText(const TapeLine& line, const ValueFormatter& format) {
    switch (line.Kind) {
    case TapeLineKind::Binary:
        return format(line.Left) + " " + line.Operator + " " + format(line.Right) + " = " +
               format(line.Result);
    case TapeLineKind::Unary:
        return line.Operator + "(" + format(line.Left) + ") = " + format(line.Result);
    case TapeLineKind::Expression:
        return line.Operator + " = " + format(line.Result);
    case TapeLineKind::Paste:
        break;
    }
    return format(line.Result);
}

std::string TapeText(const HistoryTape& tape, const ValueFormatter& format) {
    std::string text;
    for (std::size_t i = 0; i < tape.Count(); ++i)
        text += TapeLineText(*tape.At(i), format) + "\n";
    return text;
}

} // namespace pexa
