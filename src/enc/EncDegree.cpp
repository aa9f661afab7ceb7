#include "enc/EncDegree.h"

#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/ConvertError.h"
#include "enc/EncFloat.h"

#include <limits>
#include <string_view>

namespace pexa {

namespace {

constexpr char GroupSeparator = ':';
constexpr const char* TooLargeMessage = "The number is too large";

// Reads a whole group as a signed 64-bit decimal integer (optional sign, at
// least one digit, nothing else). The [h]:m:s style shows all the hours of a
// 64-bit value in one group, which must read back.
bool ReadGroup(std::string_view group, std::int64_t& result) {
    std::size_t i = 0;
    bool negative = false;
    if (i < group.size() && (group[i] == '+' || group[i] == '-')) {
        negative = group[i] == '-';
        ++i;
    }
    if (i == group.size())
        return false;
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63
                 : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (; i < group.size(); ++i) {
        const char c = group[i];
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    result = static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

std::int64_t GroupValue(std::string_view group) {
    std::int64_t g = 0;
    return ReadGroup(group, g) ? g : 0;
}

std::string TwoDigits(std::uint64_t n) {
    std::string text = std::to_string(n);
    if (text.size() < 2)
        text.insert(0, 1, '0');
    return text;
}

// The groups before the decimal separator, summed in base 60. The check
// before each group keeps the product in range; the addition of a group
// wraps, as on 64-bit two's complement, for the range check that follows.
std::int64_t SumGroups(std::string_view integerPart) {
    std::uint64_t sum = 0;
    while (!integerPart.empty()) {
        const std::size_t colon = integerPart.find(GroupSeparator);
        const std::string_view group = integerPart.substr(0, colon);
        integerPart =
            colon == std::string_view::npos ? std::string_view{} : integerPart.substr(colon + 1);
        // Up to the limit itself the product fits: the largest and the
        // smallest integer have a sum at the limit before their last group.
        if (sum > static_cast<std::uint64_t>(SexagesimalGroupLimit))
            throw ConvertError(TooLargeMessage);
        sum = sum * 60 + static_cast<std::uint64_t>(GroupValue(group));
    }
    return static_cast<std::int64_t>(sum);
}

} // namespace

std::string FormatSexagesimal(bool hmsStyle, std::int64_t v) {
    const bool negative = v < 0;
    // Two's-complement negation in unsigned arithmetic gives 2^63 for the smallest integer.
    std::uint64_t magnitude = static_cast<std::uint64_t>(v);
    if (negative)
        magnitude = ~magnitude + 1;
    std::string text;
    for (int k = 0; magnitude != 0 || k < 3; ++k) {
        std::string group;
        if (hmsStyle && k >= 2) {
            group = std::to_string(magnitude);
            magnitude = 0;
        } else {
            group = TwoDigits(magnitude % 60);
            magnitude /= 60;
        }
        text = k > 0 ? group + GroupSeparator + text : group;
    }
    return negative ? "-" + text : text;
}

void ParseSexagesimal(CalcValue& value, const std::string& text, CalcValueMode mode) {
    const char separator = CurrentFormat().DecimalSeparator;
    std::string_view integerPart = text;
    Real fraction = 0.0L;
    const std::size_t p = text.find(separator);
    if (p != std::string::npos) {
        integerPart = integerPart.substr(0, p);
        if (!TryReadReal("0" + text.substr(p), fraction))
            fraction = 0.0L;
    }
    bool negative = false;
    if (!integerPart.empty() && integerPart.front() == '-') {
        negative = true;
        integerPart.remove_prefix(1);
    }
    std::int64_t sum = SumGroups(integerPart);
    if (negative) {
        sum = static_cast<std::int64_t>(~static_cast<std::uint64_t>(sum) + 1);
        fraction = -fraction;
    }
    if (!IsFloatMode(mode)) {
        SetInteger(value, mode, sum);
        return;
    }
    // A real whose truncation leaves the 64-bit range (2^63 - 1 plus a
    // fraction rounds up to 2^63) cannot be stored: refused like any other
    // number too large, and the caller's value stays as it was.
    CalcValue result;
    try {
        SetReal(result, mode, static_cast<Real>(sum) + fraction);
    } catch (const CalcError&) {
        throw ConvertError(TooLargeMessage);
    }
    value = result;
}

bool ValidateSexagesimal(std::string& text, bool allowLeadingEmpty) {
    const std::size_t p = text.find(CurrentFormat().DecimalSeparator);
    const std::string_view whole = text;
    std::string_view rest = whole.substr(0, p);
    const std::string_view tail = p == std::string::npos ? std::string_view{} : whole.substr(p);
    // Built afresh so that removing zeros from many groups costs linear time.
    std::string checked;
    checked.reserve(text.size());
    for (int count = 0; !rest.empty(); ++count) {
        const std::size_t colon = rest.find(GroupSeparator);
        std::string_view group = rest.substr(0, colon);
        const bool hasColon = colon != std::string_view::npos;
        rest = hasColon ? rest.substr(colon + 1) : std::string_view{};
        if (group.empty()) {
            if (count != 0)
                return false;
            // A leading empty group ends the check: the rest is taken as it stands.
            return allowLeadingEmpty;
        }
        // The parser reads a first group without its minus sign, so its
        // magnitude must fit as well: -2147483648 would read as 0.
        std::int64_t g = 0;
        if (!ReadGroup(group, g) || g == std::numeric_limits<std::int64_t>::min())
            return false;
        if (group.front() == '-' && count != 0)
            return false;
        if (group.size() >= 2 && group.front() == '0')
            group.remove_prefix(1);
        checked.append(group);
        if (hasColon)
            checked.push_back(GroupSeparator);
    }
    checked.append(tail);
    text = std::move(checked);
    return true;
}

} // namespace pexa
