#pragma once

#include "settings/IniFile.h"
#include "settings/StoredColor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pexa {

// The settings file "pexa.ini". Every operation below does one read or one write of
// the file; a read is answered from memory while the file is unchanged on disk.
// Writes throw ProfileError with the message "<path> に書き込めません".

// Where the file is kept. Beside the executable when a pexa.ini is there or the
// executable's folder is writable (a portable copy, a build folder, a per-user
// install); otherwise (a system-wide install) in the user's configuration folder,
// $XDG_CONFIG_HOME/pexa/ or ~/.config/pexa/, which a write creates when missing.
struct ProfileLocation {
    std::string Path;
    bool InConfigFolder = false;

    bool operator==(const ProfileLocation&) const = default;
};

// The location for an executable at executablePath, with the environment's
// XDG_CONFIG_HOME and HOME (either may be null; a relative one is ignored, and
// without HOME the password database names the home folder).
ProfileLocation LocateProfile(const std::string& executablePath, const char* xdgConfigHome,
                              const char* home);

// Creates the folder that holds path, and any missing folder above it, readable by
// the user alone. False when it could not be made.
bool CreateProfileFolder(const std::string& path);

// The file's full path for this run (LocateProfile with /proc/self/exe and the
// environment), found once. While a ProfilePathOverride lives, its path is used.
const std::string& ProfilePath();

// Points every profile access at another file for the lifetime of the object
// (tests and tools); overrides nest.
class ProfilePathOverride {
public:
    explicit ProfilePathOverride(std::string path);
    ~ProfilePathOverride();
    ProfilePathOverride(const ProfilePathOverride&) = delete;
    ProfilePathOverride& operator=(const ProfilePathOverride&) = delete;

private:
    std::optional<std::string> saved_;
};

// Reads a stored integer: decimal, "$" hexadecimal or "0x"/"0X" hexadecimal with an
// optional sign. Decimal must fit a signed 32-bit integer; hexadecimal may use all 32
// bits ("$FFFFFFFF" is -1). Anything else is not a number.
std::optional<int> ParseProfileInt(std::string_view text);

// The default when the key is missing or not a number; when min <= max, also when
// the value lies outside min..max. min > max accepts any value.
int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue, int min,
                   int max);
void WriteProfileInt(std::string_view section, std::string_view key, int value);

// Read as an integer with the same rules; any non-zero value is true.
bool ReadProfileBool(std::string_view section, std::string_view key, bool defaultValue);
void WriteProfileBool(std::string_view section, std::string_view key, bool value);

inline constexpr std::size_t MaxProfileStringLength = 2047;

// At most MaxProfileStringLength bytes, never ending inside a UTF-8 sequence.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue);
void WriteProfileString(std::string_view section, std::string_view key, std::string_view value);

// The point sizes a stored font may have. A size outside them comes from a
// damaged or hand-edited file (the font engine would choke on it, or the window
// would fit no screen) and is read as unreadable.
inline constexpr int MinFontSize = 1;
inline constexpr int MaxFontSize = 144;

// A font as the file stores it. Colour and pitch are not stored; the caller keeps
// them from its own font. Charset has no meaning on this platform and is only
// carried through so that it is written back as it was read.
struct ProfileFont {
    int Charset = 1;
    int Size = 9;
    std::string Name;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const ProfileFont&) const = default;
};

// target becomes *source (when given), then each stored field replaces the
// corresponding one; missing or unreadable fields (a size that is not a number
// or outside MinFontSize..MaxFontSize among them) keep the source's value.
void ReadProfileFont(std::string_view section, ProfileFont& target,
                     const ProfileFont* source = nullptr);
// Writes Charset, Size, Name, Bold, Italic, Underline, StrikeOut in this order.
void WriteProfileFont(std::string_view section, const ProfileFont& font);

// The colour chooser's 16 custom colours, kept as entries "ColorA=FFFFFF".
inline constexpr int CustomColorCount = 16;
inline constexpr std::string_view DefaultCustomColor = "FFFFFF";

// "ColorA" … "ColorP" for 0..15; empty for any other index.
std::string CustomColorKey(int index);
// Not empty, and "$" + text reads as a non-negative 32-bit integer.
bool IsHexColor(std::string_view text);
// Always leaves exactly 16 entries, A to P; a missing or invalid value reads "FFFFFF".
void ReadCustomColors(std::string_view section, std::vector<std::string>& list);
// Writes every entry in order; an invalid value is written empty. Entries without a
// name are skipped.
void WriteCustomColors(std::string_view section, const std::vector<std::string>& list);

// Every section and key of the file, with its default and accepted range.
struct ProfileIntKey {
    std::string_view Section;
    std::string_view Key;
    int Default;
    int Min; // Min > Max: any value
    int Max;
};

struct ProfileBoolKey {
    std::string_view Section;
    std::string_view Key;
    bool Default;
};

int ReadProfile(const ProfileIntKey& key);
void WriteProfile(const ProfileIntKey& key, int value);
bool ReadProfile(const ProfileBoolKey& key);
void WriteProfile(const ProfileBoolKey& key, bool value);

inline constexpr std::string_view SectionMode = "Mode";
inline constexpr std::string_view SectionView = "View";
inline constexpr std::string_view SectionColor = "Color";
inline constexpr std::string_view SectionDisplayFont = "DisplayFont";
inline constexpr std::string_view SectionBar = "Bar";

inline constexpr ProfileIntKey KeyCalcMode{SectionMode, "CalcMode", 2, 0, 4};
inline constexpr ProfileBoolKey KeyDigitGrouping{SectionMode, "Separated", true};
inline constexpr ProfileBoolKey KeyShowIndicators{SectionView, "ShowIndicators", true};
inline constexpr ProfileBoolKey KeyToolBar{SectionView, "ToolBar", true};
inline constexpr ProfileBoolKey KeyMenuBar{SectionView, "MenuBar", true};
inline constexpr ProfileBoolKey KeyButtonPanel{SectionView, "ButtonPanel", true};
inline constexpr ProfileBoolKey KeyTopmost{SectionView, "Topmost", false};
inline constexpr ProfileIntKey KeyAngleMode{SectionMode, "AngleMode", 0, 0, 2};
inline constexpr ProfileBoolKey KeyHyp{SectionMode, "Hyp", false};
inline constexpr ProfileBoolKey KeyRotate{SectionMode, "Rotate", false};
inline constexpr ProfileBoolKey KeyArithmetic{SectionMode, "Arithmetic", false};
inline constexpr ProfileIntKey KeyShiftAmount{SectionMode, "ShiftAmount", 8, 1, 16};

// A StoredColorValue. The default is the window's current colour; callers pass it to
// ReadProfileInt.
inline constexpr ProfileIntKey KeyBodyColor{SectionColor, "BodyColor",
                                            EncodeStoredColor(SystemColor::ButtonFace), 0, -1};

inline constexpr std::string_view KeyFontCharset = "Charset";
inline constexpr std::string_view KeyFontSize = "Size";
inline constexpr std::string_view KeyFontName = "Name";
inline constexpr std::string_view KeyFontBold = "Bold";
inline constexpr std::string_view KeyFontItalic = "Italic";
inline constexpr std::string_view KeyFontUnderline = "Underline";
inline constexpr std::string_view KeyFontStrikeOut = "StrikeOut";

inline constexpr ProfileIntKey KeyBarCount{SectionBar, "BarCount", -1, -1, 10};
// "Bar%d", "Bar%dWidth", "Bar%dBreak" (defaults: empty, 0 with no range, true).
std::string BarKindKey(int position);
std::string BarWidthKey(int position);
std::string BarBreakKey(int position);

// The calculator's memory (settings/MemorySettings.h): the mode's code, -1
// for an empty memory, and the value's bits in hexadecimal.
inline constexpr std::string_view SectionMemory = "Memory";
inline constexpr ProfileIntKey KeyMemoryMode{SectionMemory, "Mode", -1, -1, 4};
inline constexpr std::string_view KeyMemoryValue = "Value";

// The history tape (settings/HistorySettings.h): kept across runs only with
// Keep=1; Count lines "Line0" … each a calculation (a negative count reads as
// none, a larger one than the tape holds as the tape's capacity).
inline constexpr std::string_view SectionHistory = "History";
inline constexpr ProfileBoolKey KeyHistoryKeep{SectionHistory, "Keep", false};
inline constexpr ProfileIntKey KeyHistoryCount{SectionHistory, "Count", 0, 0, -1};

// 0 ASCII, 1 Shift JIS, 2 EUC, 3 JIS, 4 UTF-8, 5 UTF-16, 6 code point.
inline constexpr ProfileIntKey KeyCharEncoding{SectionMode, "CharEncoding", 0, 0, 6};
// The float bar's 16-bit format in Word mode (0 half, 1 bfloat16) and its
// 8-bit format in Byte mode (0 E4M3, 1 E5M2).
inline constexpr ProfileIntKey KeyFloat16Format{SectionMode, "Float16Format", 0, 0, 1};
inline constexpr ProfileIntKey KeyFloat8Format{SectionMode, "Float8Format", 0, 0, 1};
inline constexpr ProfileBoolKey KeyHmsStyle{SectionMode, "HMSStyle", false};
inline constexpr ProfileIntKey KeyTimeEncoding{SectionMode, "TimeEncoding", 0, 0, 1};
inline constexpr ProfileBoolKey KeyTimeDiffMode{SectionMode, "TimeDiffMode", false};

} // namespace pexa
