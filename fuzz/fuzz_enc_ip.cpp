// Feeds arbitrary bytes to the dotted IPv4 codec: as whole texts, and key by key as the IP bar
// types them. Any crash, hang, sanitizer report or broken invariant is a finding.
#include "FuzzInput.h"

#include "enc/EncIP.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using pexa::CalcValueMode;
using pexa::fuzz::Require;

std::uint64_t OctetLimit(CalcValueMode mode) {
    return std::uint64_t{1} << (8 * pexa::OctetCount(mode));
}

void CheckWholeText(const std::string& input, CalcValueMode mode) {
    const auto parsed = static_cast<std::uint64_t>(pexa::ParseIPv4(input, mode));
    Require(parsed < OctetLimit(mode));

    for (const bool allowPartial : {false, true}) {
        std::string text = input;
        bool valid = pexa::ValidateIPv4(text, allowPartial, mode);
        // One zero at most is dropped from each field a call looks at.
        Require(text.size() <= input.size() &&
                input.size() - text.size() <= static_cast<std::size_t>(pexa::OctetCount(mode)));
        // A few rounds settle the fields of any text a user could type.
        for (int round = 0; valid && round < 8; ++round) {
            const std::string before = text;
            valid = pexa::ValidateIPv4(text, allowPartial, mode);
            if (text == before) {
                break;
            }
        }
        if (valid && !allowPartial) {
            std::string settled = text;
            if (pexa::ValidateIPv4(settled, false, mode) && settled == text) {
                const auto bits = pexa::ParseIPv4(text, mode);
                Require(pexa::FormatIPv4(bits, mode) == text);
            }
        }
    }
}

// The IP bar's keystroke rule: append, validate with partial texts allowed, keep on success.
void CheckTyping(const std::uint8_t* data, std::size_t size, CalcValueMode mode) {
    std::string entry;
    for (std::size_t i = 0; i < size; ++i) {
        std::string candidate = entry + static_cast<char>(data[i]);
        if (pexa::ValidateIPv4(candidate, true, mode)) {
            entry = candidate;
            const auto bits = static_cast<std::uint64_t>(pexa::ParseIPv4(entry, mode));
            Require(bits < OctetLimit(mode));
        }
    }
    // A typed text never holds more than the mode's octets, three digits and a dot each.
    Require(entry.size() <= static_cast<std::size_t>(4 * pexa::OctetCount(mode)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        for (int m = 0; m < pexa::CalcValueModeCount; ++m) {
            CheckWholeText(std::string(), static_cast<CalcValueMode>(m));
        }
        return 0;
    }
    const auto mode = static_cast<CalcValueMode>(data[0] % pexa::CalcValueModeCount);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckWholeText(text, mode);
    CheckTyping(data + 1, size - 1, mode);
    const std::string formatted =
        pexa::FormatIPv4(static_cast<std::int64_t>(std::hash<std::string>{}(text)), mode);
    CheckWholeText(formatted, mode);
    return 0;
}
