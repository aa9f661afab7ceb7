#include "ui/bars/BarOptions.h"

#include "settings/Profile.h"

namespace pexa {

namespace {

static_assert(KeyCharEncoding.Min == static_cast<int>(CharEncoding::Ascii) &&
              KeyCharEncoding.Max == static_cast<int>(CharEncoding::CodePoint));
static_assert(KeyTimeEncoding.Min == static_cast<int>(TimeEncoding::TimeT) &&
              KeyTimeEncoding.Max == static_cast<int>(TimeEncoding::OleDate));

// The stored codes of the float bar's two choices: 0 for the first format of
// the pair, 1 for the second.
struct FormatPair {
    FloatFormat First;
    FloatFormat Second;
};
constexpr FormatPair WordFormats{FloatFormat::Half, FloatFormat::BFloat16};
constexpr FormatPair ByteFormats{FloatFormat::E4M3, FloatFormat::E5M2};

FloatFormat FormatOfCode(const FormatPair& pair, int code) {
    return code == 1 ? pair.Second : pair.First;
}

int CodeOfFormat(const FormatPair& pair, FloatFormat format) {
    return format == pair.Second ? 1 : 0;
}

} // namespace

void ReadBarOptions(BarKind kind, BarOptions& options) {
    switch (kind) {
    case BarKind::Char:
        options.Encoding = static_cast<CharEncoding>(ReadProfile(KeyCharEncoding));
        break;
    case BarKind::Degree:
        options.HmsStyle = ReadProfile(KeyHmsStyle);
        break;
    case BarKind::Float:
        options.WordFormat = FormatOfCode(WordFormats, ReadProfile(KeyFloat16Format));
        options.ByteFormat = FormatOfCode(ByteFormats, ReadProfile(KeyFloat8Format));
        break;
    case BarKind::Time:
        options.DateEncoding = static_cast<TimeEncoding>(ReadProfile(KeyTimeEncoding));
        options.TimeDiffMode = ReadProfile(KeyTimeDiffMode);
        break;
    default:
        break;
    }
}

void WriteBarOptions(BarKind kind, const BarOptions& options) {
    switch (kind) {
    case BarKind::Char:
        WriteProfile(KeyCharEncoding, static_cast<int>(options.Encoding));
        break;
    case BarKind::Degree:
        WriteProfile(KeyHmsStyle, options.HmsStyle);
        break;
    case BarKind::Float:
        WriteProfile(KeyFloat16Format, CodeOfFormat(WordFormats, options.WordFormat));
        WriteProfile(KeyFloat8Format, CodeOfFormat(ByteFormats, options.ByteFormat));
        break;
    case BarKind::Time:
        WriteProfile(KeyTimeEncoding, static_cast<int>(options.DateEncoding));
        WriteProfile(KeyTimeDiffMode, options.TimeDiffMode);
        break;
    default:
        break;
    }
}

} // namespace pexa
