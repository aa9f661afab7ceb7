// Feeds arbitrary bytes to every reading, checking and rendering function of
// the date/time codec, in every encoding, difference flag and mode. Each must
// answer with a result or a ConvertError; any other exception (an internal
// assertion included), a crash or a sanitizer report is a finding.
// Properties that must hold for every input are checked with __builtin_trap.

#include "FuzzInput.h"

#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncTime.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace pexa;
using fuzz::ChooseText;
using fuzz::Require;

constexpr CalcValueMode Modes[] = {CalcValueMode::Byte, CalcValueMode::Word, CalcValueMode::DWord,
                                   CalcValueMode::QWord, CalcValueMode::Float};
constexpr TimeEncoding Encodings[] = {TimeEncoding::TimeT, TimeEncoding::OleDate, TimeEncoding(2)};

FormatSettings ChooseFormat(std::uint8_t selector, const std::uint8_t* data, std::size_t size) {
    FormatSettings format;
    switch (selector % 3) {
    case 1:
        format.DecimalSeparator = ',';
        format.ThousandSeparator = '.';
        format.DateSeparator = '-';
        format.TimeSeparator = '.';
        break;
    case 2:
        // As the program makes them from the system's locale.
        if (size >= 3)
            format = MakeFormatSettings(data[0], ',', data[1], data[2]);
        break;
    default:
        break;
    }
    return format;
}

// What the date/time bar does with a typed candidate: check and tidy it, then
// read it and evaluate it.
void TypeAndRead(const std::string& text, TimeEncoding encoding, bool diff, CalcValueMode mode,
                 bool realLocale) {
    try {
        const DateTimeFields rec = ParseFields(text, encoding, mode, diff);
        FieldsComplete(rec);
        FieldsToValue(rec, encoding, mode);
    } catch (const ConvertError&) {
    }

    std::string candidate = text;
    if (!CheckTimeEntry(candidate, encoding, diff, mode))
        return;
    // A text the check accepts is one the reader accepts.
    DateTimeFields rec;
    try {
        rec = ParseFields(candidate, encoding, mode, diff);
    } catch (const ConvertError&) {
        __builtin_trap();
    }
    FieldsComplete(rec);
    try {
        FieldsToValue(rec, encoding, mode);
    } catch (const ConvertError&) {
        // Dates beyond 64-bit day numbers.
    }
    // Tidying settles: an accepted text is accepted again (locale characters
    // that collide with "d", "x" or "$" aside).
    std::string again = candidate;
    Require(CheckTimeEntry(again, encoding, diff, mode) || !realLocale);
}

// What the bar does with a value: render it, and read the text back.
// With arbitrary locale characters ("x", "d" or "$" as a separator) the text
// may not read back, so the round trip is required only for real locales.
void RenderAndReadBack(TimeEncoding encoding, bool diff, CalcValueMode mode, Real x,
                       std::int64_t bits, bool realLocale) {
    DateTimeFields rec;
    try {
        rec = ValueToFields(encoding, diff, mode, x, bits);
    } catch (const ConvertError&) {
        return;
    }
    const std::string text = FormatFields(rec);
    if (!realLocale) {
        try {
            ParseFields(text, encoding, mode, diff);
        } catch (const ConvertError&) {
        }
        return;
    }
    DateTimeFields back;
    try {
        back = ParseFields(text, encoding, mode, diff);
    } catch (const ConvertError&) {
        __builtin_trap();
    }
    Require(back == rec);
    Require(FieldsComplete(back));
    if (encoding == TimeEncoding::TimeT && mode == CalcValueMode::QWord)
        Require(GetInteger(FieldsToValue(back, encoding, mode)) == bits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t selector = size > 0 ? data[0] : 0;
    const std::uint8_t* rest = size > 0 ? data + 1 : data;
    const std::size_t restSize = size > 0 ? size - 1 : 0;
    FormatSettingsScope scope(ChooseFormat(selector, rest, restSize));
    const std::string text = ChooseText(selector, rest, restSize);

    for (TimeEncoding encoding : Encodings)
        for (bool diff : {false, true})
            for (CalcValueMode mode : Modes)
                TypeAndRead(text, encoding, diff, mode, selector % 3 != 2);

    // The bytes as a value: 8 for the integer bits, 10 more for the real
    // (any pattern: NaN, infinities and denormals included).
    if (restSize >= 8) {
        std::int64_t bits;
        std::memcpy(&bits, rest, sizeof bits);
        Real x = static_cast<Real>(bits);
        if (restSize >= 18) {
            std::memset(&x, 0, sizeof x);
            std::memcpy(&x, rest + 8, 10);
        }
        for (TimeEncoding encoding : Encodings)
            for (bool diff : {false, true})
                for (CalcValueMode mode : Modes)
                    RenderAndReadBack(encoding, diff, mode, x, bits, selector % 3 != 2);

        std::int64_t second;
        std::memcpy(&second, rest, sizeof second);
        try {
            const YearMonthDay ymd = days_to_ymd(second);
            Require(DayNumber(ymd.Year, ymd.Month, ymd.Day) == second);
        } catch (const ConvertError&) {
        }
        if (restSize >= 24) {
            std::int64_t m;
            std::int64_t d;
            std::memcpy(&m, rest + 8, sizeof m);
            std::memcpy(&d, rest + 16, sizeof d);
            try {
                DayNumber(bits, m, d);
            } catch (const ConvertError&) {
            }
        }
    }
    return 0;
}
