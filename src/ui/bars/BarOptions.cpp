#include "ui/bars/BarOptions.h"

#include "settings/Profile.h"

namespace pexa {

namespace {

static_assert(KeyCharEncoding.Min == static_cast<int>(CharEncoding::Ascii) &&
              KeyCharEncoding.Max == static_cast<int>(CharEncoding::CodePoint));
static_assert(KeyTimeEncoding.Min == static_cast<int>(TimeEncoding::TimeT) &&
              KeyTimeEncoding.Max == static_cast<int>(TimeEncoding::OleDate));

// A stored code other than 1 reads as the first choice.
FloatFormat FormatOfCode(const FloatFormat (&choices)[2], int code) {
    return choices[code == 1 ? 1 : 0];
}

int CodeOfFormat(const FloatFormat (&choices)[2], FloatFormat format) {
    return format == choices[1] ? 1 : 0;
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
        options.WordFormat = FormatOfCode(WordFormatChoices, ReadProfile(KeyFloat16Format));
        options.ByteFormat = FormatOfCode(ByteFormatChoices, ReadProfile(KeyFloat8Format));
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
        WriteProfile(KeyFloat16Format, CodeOfFormat(WordFormatChoices, options.WordFormat));
        WriteProfile(KeyFloat8Format, CodeOfFormat(ByteFormatChoices, options.ByteFormat));
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
