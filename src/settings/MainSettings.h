#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pexa {

// The main window's settings that need no window to read or write: the mode and
// view switches, and the saved list of bars with their band layout. The window
// applies them in its own start-up order; every function here is a sequence of
// single profile accesses.

struct MainSettings {
    int CalcMode = 2; // a CalcValueMode code, 0..4
    bool DigitGrouping = true;
    bool ShowIndicators = true;
    bool ToolBar = true;
    bool MenuBar = true;
    bool ButtonPanel = true;
    bool Topmost = false;
    int AngleMode = 0; // 0 degree, 1 radian, 2 gradian
    bool Hyp = false;
    bool Rotate = false;
    bool Arithmetic = false;
    int ShiftAmount = 8; // 1..16

    bool operator==(const MainSettings&) const = default;
};

// Reads CalcMode, Separated, ShowIndicators, ToolBar, MenuBar, ButtonPanel, Topmost,
// AngleMode, Hyp, Rotate, Arithmetic, ShiftAmount, in this order; each out-of-range or
// unreadable value gives its default.
MainSettings ReadMainSettings();
// Writes the same keys in the same order. Throws ProfileError at the first failed
// write; the keys after it are not written.
void WriteMainSettings(const MainSettings& settings);

inline constexpr int MaxSavedBars = 10;

// A bar to create at start-up: its kind (an index into the kind labels) and its
// position in the saved list, which names its "Bar%dWidth" and "Bar%dBreak" keys.
// Position is -1 for the bars created when no list is saved.
struct SavedBar {
    int Kind = 0;
    int Position = -1;

    bool operator==(const SavedBar&) const = default;
};

// The bars to create, in order. Without a saved list (BarCount missing, unreadable or
// out of range): kinds 0 and 1. Otherwise "Bar0" … "Bar<count-1>", each matched
// case-sensitively against kindLabels in kind order; an unknown label or a kind that
// is already listed is skipped and its position is not reused.
std::vector<SavedBar> ReadBarList(std::span<const std::string_view> kindLabels);

// A band's saved layout: its width and whether it starts a new row.
struct BandLayout {
    int Width = 0;
    bool Break = true;

    bool operator==(const BandLayout&) const = default;
};

// The saved layout at a position, or nothing when no width greater than 0 is saved
// there (the band keeps its automatic width, and the break flag is not read) or the
// position is -1.
std::optional<BandLayout> ReadBandLayout(int position);

// The shut-down write of the list: the count first, then for each bar in band order
// (after the bar has written its own keys) its label, band width and row break.
// Entries of higher positions from an earlier run stay in the file.
void WriteBarCount(int count);
void WriteBarEntry(int position, std::string_view label, const BandLayout& layout);

} // namespace pexa
