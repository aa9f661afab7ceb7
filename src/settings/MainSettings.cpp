#include "settings/MainSettings.h"

#include "settings/Profile.h"

#include <algorithm>

namespace pexa {

MainSettings ReadMainSettings() {
    MainSettings s;
    s.CalcMode = ReadProfile(KeyCalcMode);
    s.DigitGrouping = ReadProfile(KeyDigitGrouping);
    s.ShowIndicators = ReadProfile(KeyShowIndicators);
    s.ToolBar = ReadProfile(KeyToolBar);
    s.MenuBar = ReadProfile(KeyMenuBar);
    s.ButtonPanel = ReadProfile(KeyButtonPanel);
    s.Topmost = ReadProfile(KeyTopmost);
    s.AngleMode = ReadProfile(KeyAngleMode);
    s.Hyp = ReadProfile(KeyHyp);
    s.Rotate = ReadProfile(KeyRotate);
    s.Arithmetic = ReadProfile(KeyArithmetic);
    s.ShiftAmount = ReadProfile(KeyShiftAmount);
    return s;
}

void WriteMainSettings(const MainSettings& s) {
    WriteProfile(KeyCalcMode, s.CalcMode);
    WriteProfile(KeyDigitGrouping, s.DigitGrouping);
    WriteProfile(KeyShowIndicators, s.ShowIndicators);
    WriteProfile(KeyToolBar, s.ToolBar);
    WriteProfile(KeyMenuBar, s.MenuBar);
    WriteProfile(KeyButtonPanel, s.ButtonPanel);
    WriteProfile(KeyTopmost, s.Topmost);
    WriteProfile(KeyAngleMode, s.AngleMode);
    WriteProfile(KeyHyp, s.Hyp);
    WriteProfile(KeyRotate, s.Rotate);
    WriteProfile(KeyArithmetic, s.Arithmetic);
    WriteProfile(KeyShiftAmount, s.ShiftAmount);
}

namespace {

int KindOfLabel(std::span<const std::string_view> kindLabels, std::string_view label) {
    const auto it = std::find(kindLabels.begin(), kindLabels.end(), label);
    return it == kindLabels.end() ? -1 : static_cast<int>(it - kindLabels.begin());
}

} // namespace

std::vector<SavedBar> ReadBarList(std::span<const std::string_view> kindLabels) {
    const int count = ReadProfile(KeyBarCount);
    if (count < 0)
        return {SavedBar{0, -1}, SavedBar{1, -1}};
    std::vector<SavedBar> bars;
    for (int position = 0; position < count; ++position) {
        const int kind =
            KindOfLabel(kindLabels, ReadProfileString(SectionBar, BarKindKey(position), ""));
        if (kind < 0)
            continue;
        const bool listed = std::any_of(bars.begin(), bars.end(),
                                        [kind](const SavedBar& bar) { return bar.Kind == kind; });
        if (!listed)
            bars.push_back(SavedBar{kind, position});
    }
    return bars;
}

std::optional<BandLayout> ReadBandLayout(int position) {
    if (position < 0)
        return std::nullopt;
    const int width = ReadProfileInt(SectionBar, BarWidthKey(position), 0, 0, -1);
    if (width <= 0)
        return std::nullopt;
    return BandLayout{width, ReadProfileBool(SectionBar, BarBreakKey(position), true)};
}

void WriteBarCount(int count) {
    WriteProfile(KeyBarCount, count);
}

void WriteBarEntry(int position, std::string_view label, const BandLayout& layout) {
    WriteProfileString(SectionBar, BarKindKey(position), label);
    WriteProfileInt(SectionBar, BarWidthKey(position), layout.Width);
    WriteProfileBool(SectionBar, BarBreakKey(position), layout.Break);
}

} // namespace pexa
