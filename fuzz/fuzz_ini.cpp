// Arbitrary bytes as the settings file: every typed read must give a value within
// its rules, and a write must change exactly the one entry and read back.
#include "settings/HistorySettings.h"
#include "settings/IniFile.h"
#include "settings/MainSettings.h"
#include "settings/Profile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace pexa;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_ini: %s\n", what);
        std::abort();
    }
}

const std::string& FuzzFilePath() {
    static const std::string path = [] {
        // A memory file system keeps the fsync of every write from dominating the run.
        char shm[] = "/dev/shm/pexa-fuzz-ini-XXXXXX";
        if (::mkdtemp(shm) != nullptr)
            return std::string(shm) + "/pexa.ini";
        char tmp[] = "/tmp/pexa-fuzz-ini-XXXXXX";
        Check(::mkdtemp(tmp) != nullptr, "no temporary folder");
        return std::string(tmp) + "/pexa.ini";
    }();
    return path;
}

void StoreFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr std::array<std::string_view, 10> KindLabels = {"DEC", "HEX", "OCT", "BIN",  "CHR",
                                                         "IP",  "DEG", "FLT", "TIME", "KILO"};

void CheckIntKey(const ProfileIntKey& key) {
    const int value = ReadProfile(key);
    if (key.Min <= key.Max)
        Check(value == key.Default || (value >= key.Min && value <= key.Max), "out of range");
}

void CheckTypedReads() {
    for (const ProfileIntKey* key : {&KeyCalcMode, &KeyAngleMode, &KeyShiftAmount, &KeyBodyColor,
                                     &KeyBarCount, &KeyCharEncoding, &KeyTimeEncoding})
        CheckIntKey(*key);
    const MainSettings main = ReadMainSettings();
    Check(main.CalcMode >= 0 && main.CalcMode <= 4, "calculation mode");
    Check(main.ShiftAmount >= 1 && main.ShiftAmount <= 16, "shift amount");

    std::vector<std::string> colors;
    ReadCustomColors(SectionColor, colors);
    Check(colors.size() == CustomColorCount, "custom colour count");
    for (const std::string& entry : colors)
        Check(IsHexColor(entry.substr(entry.find('=') + 1)), "custom colour value");

    ProfileFont font;
    ReadProfileFont(SectionDisplayFont, font);
    Check(font.Name.size() <= MaxProfileStringLength, "font name length");

    Check(ReadStoredTape().size() <= static_cast<std::size_t>(MaxStoredTapeLines), "history lines");

    const auto bars = ReadBarList(KindLabels);
    Check(bars.size() <= KindLabels.size(), "bar count");
    for (const SavedBar& bar : bars) {
        if (const auto layout = ReadBandLayout(bar.Position))
            Check(layout->Width > 0, "band width");
    }
}

bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Every integer reads back from its decimal text.
void CheckNumberText(std::string_view text) {
    const auto value = ParseProfileInt(text);
    if (value)
        Check(ParseProfileInt(std::to_string(*value)) == value, "decimal round trip");
}

// The key named by the input's first line (when it can be a key) is written; every
// probed entry other than it must read the same afterwards.
void CheckTextWrite(std::string_view text) {
    std::string_view key = text.substr(0, std::min<std::size_t>(text.find('\n'), 12));
    if (!IsWritableIniEntry("Mode", key, "v"))
        key = "Probe";
    const auto written = SetIniValue(text, "Mode", key, "written value");
    Check(written.has_value(), "writable entry refused");
    Check(FindIniValue(*written, "Mode", key) == "written value", "written value lost");
    const std::array<std::pair<std::string_view, std::string_view>, 6> probes = {
        {{"Mode", "CalcMode"},
         {"mode", "HYP"},
         {"View", "ToolBar"},
         {"Bar", "Bar0"},
         {"Color", "ColorA"},
         {"", "x"}}};
    for (const auto& [section, name] : probes) {
        if (SameName(section, "Mode") && SameName(name, key))
            continue; // the written key itself
        Check(FindIniValue(*written, section, name) == FindIniValue(text, section, name),
              "another entry changed");
    }
}

void CheckFileWrite(std::string_view text, int value) {
    const std::string& path = FuzzFilePath();
    StoreFile(path, text);
    ProfilePathOverride scope(path);
    CheckTypedReads();
    const auto expected = SetIniValue(text, "Mode", "ShiftAmount", std::to_string(value));
    WriteProfileInt("Mode", "ShiftAmount", value);
    Check(ReadProfileInt("Mode", "ShiftAmount", value ^ 1, 0, -1) == value, "re-read");
    Check(LoadFile(path) == *expected, "file differs from the text-level write");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckNumberText(text.substr(0, 40));
    CheckTextWrite(text);
    int value = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i)
        value = static_cast<int>(static_cast<unsigned>(value) << 8 | data[i]);
    CheckFileWrite(text, value);
    return 0;
}
