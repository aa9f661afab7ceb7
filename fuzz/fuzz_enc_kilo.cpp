// Feeds arbitrary bytes to every reading and normalising function of the
// size-unit codec. Each must answer with a result or a ConvertError; any other
// exception, a crash or a sanitizer report is a finding. Properties that must
// hold for every input are checked with __builtin_trap.

#include "FuzzInput.h"

#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncKilo.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace pexa;
using fuzz::ChooseText;
using fuzz::Require;

// The locale characters: the defaults, a decimal comma, or bytes taken from
// the input as the ui would make them.
FormatSettings ChooseFormat(std::uint8_t selector, const std::uint8_t* data, std::size_t size) {
    FormatSettings format;
    switch (selector % 3) {
    case 1:
        format.DecimalSeparator = ',';
        format.ThousandSeparator = '.';
        break;
    case 2:
        // As the ui builds them from the system's locale.
        if (size >= 2)
            format = MakeFormatSettings(data[0], data[1], '/', ':');
        break;
    default:
        break;
    }
    return format;
}

void ParseEveryMode(const std::string& text) {
    for (CalcValueMode mode : {CalcValueMode::Byte, CalcValueMode::QWord, CalcValueMode::Float}) {
        CalcValue value;
        SetInteger(value, CalcValueMode::Word, 4321);
        try {
            ParseSizeText(value, text, mode);
            Require(value.Mode == mode);
        } catch (const ConvertError&) {
            // Nothing may be stored by a refused text.
            Require(value.Mode == CalcValueMode::Word && GetInteger(value) == 4321);
        }
    }
}

// The integer a text reads as in QWord mode, or a marker for a refusal.
std::string ReadQWord(const std::string& text) {
    CalcValue value;
    try {
        ParseSizeText(value, text, CalcValueMode::QWord);
    } catch (const ConvertError&) {
        return "refused";
    }
    return std::to_string(GetInteger(value));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        std::string empty;
        Require(NormalizeSizeText(empty) && empty.empty());
        ParseEveryMode(empty);
        return 0;
    }
    const std::uint8_t selector = data[0];
    FormatSettingsScope scope(ChooseFormat(selector, data + 1, size - 1));
    const std::string text = ChooseText(selector, data + 1, size - 1);

    IsSizeUnitChar(text.empty() ? '\0' : text[0]);
    ParseEveryMode(text);

    std::string normalized = text;
    if (NormalizeSizeText(normalized)) {
        ParseEveryMode(normalized);
        // Normalising again succeeds and keeps the number the text reads as.
        std::string again = normalized;
        Require(NormalizeSizeText(again));
        Require(ReadQWord(again) == ReadQWord(normalized));
    }

    // Formatting any integer gives a text that reads back to it, unless the
    // locale took a unit letter for its decimal separator.
    if (size >= 9 && !IsSizeUnitChar(CurrentFormat().DecimalSeparator)) {
        std::int64_t v;
        std::memcpy(&v, data + 1, sizeof v);
        const std::string formatted = FormatSizeText(v);
        CalcValue value;
        ParseSizeText(value, formatted, CalcValueMode::QWord);
        Require(GetInteger(value) == v);
    }
    return 0;
}
