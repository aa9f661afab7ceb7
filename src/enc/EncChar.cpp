#include "enc/EncChar.h"

#include "core/ModeWidth.h"

namespace pexa {

namespace {

bool InRange(std::uint8_t b, unsigned low, unsigned high) {
    return b >= low && b <= high;
}

bool IsJisByte(std::uint8_t b) {
    return InRange(b, 0x21, 0x7E);
}

// Hands out the bytes of a pattern from the most significant one that takes part downward;
// a byte taken can be given back once.
class ByteReader {
public:
    ByteReader(std::int64_t bits, CalcValueMode mode) : bits_(static_cast<std::uint64_t>(bits)) {
        const int n = ByteCountOf(mode);
        while (count_ < n && (bits_ >> (8 * count_)) != 0) {
            ++count_;
        }
    }

    bool HasMore() const { return count_ > 0; }

    std::uint8_t Take() {
        --count_;
        return static_cast<std::uint8_t>((bits_ >> (8 * count_)) & 0xFF);
    }

    void GiveBack() { ++count_; }

private:
    std::uint64_t bits_;
    int count_ = 0;
};

void AppendPrintable(std::string& text, std::uint8_t b) {
    text += InRange(b, 0x20, 0x7E) ? static_cast<char>(b) : '_';
}

void AppendPair(std::string& text, std::uint8_t lead, std::uint8_t trail) {
    text += static_cast<char>(lead);
    text += static_cast<char>(trail);
}

void AppendShiftJis(std::string& text, ByteReader& reader, std::uint8_t b) {
    if (IsHalfWidthKana(b)) {
        text += static_cast<char>(b);
        return;
    }
    if (reader.HasMore()) {
        const std::uint8_t t = reader.Take();
        if (IsSjisPair(b, t)) {
            AppendPair(text, b, t);
            return;
        }
        reader.GiveBack();
    }
    AppendPrintable(text, b);
}

void AppendEuc(std::string& text, ByteReader& reader, std::uint8_t b) {
    if (reader.HasMore()) {
        std::uint8_t lead = b;
        std::uint8_t trail = reader.Take();
        if (EucToSjis(lead, trail)) {
            AppendPair(text, lead, trail);
            return;
        }
        reader.GiveBack();
    }
    AppendPrintable(text, b);
}

// JIS characters always take two bytes: an unpaired last byte is left out, and a pair that is
// not a JIS X 0208 code still takes two columns.
void AppendJis(std::string& text, ByteReader& reader, std::uint8_t b) {
    if (!reader.HasMore()) {
        return;
    }
    std::uint8_t lead = b;
    std::uint8_t trail = reader.Take();
    if (JisToSjis(lead, trail)) {
        AppendPair(text, lead, trail);
    } else {
        text += "__";
    }
}

} // namespace

bool IsSjisPair(std::uint8_t lead, std::uint8_t trail) {
    return (InRange(lead, 0x81, 0x9F) || InRange(lead, 0xE0, 0xFC)) &&
           (InRange(trail, 0x40, 0x7E) || InRange(trail, 0x80, 0xFC));
}

bool IsHalfWidthKana(std::uint8_t b) {
    return InRange(b, 0xA1, 0xDF);
}

bool JisToSjis(std::uint8_t& lead, std::uint8_t& trail) {
    if (!IsJisByte(lead) || !IsJisByte(trail)) {
        return false;
    }
    unsigned t = trail;
    if (lead % 2 != 0) {
        t += 0x1F;
        if (t > 0x7E) {
            ++t; // Shift JIS trail bytes skip 0x7F
        }
    } else {
        t += 0x7E;
    }
    const unsigned l = (lead + 1u) / 2 + (lead < 0x5F ? 0x70u : 0xB0u);
    lead = static_cast<std::uint8_t>(l);
    trail = static_cast<std::uint8_t>(t);
    return IsSjisPair(lead, trail);
}

bool EucToSjis(std::uint8_t& lead, std::uint8_t& trail) {
    if ((lead & 0x80) == 0 || (trail & 0x80) == 0) {
        return false;
    }
    lead &= 0x7F;
    trail &= 0x7F;
    return JisToSjis(lead, trail);
}

bool SjisToJis(std::uint8_t& lead, std::uint8_t& trail) {
    if (!IsSjisPair(lead, trail)) {
        return false;
    }
    // Each Shift JIS lead byte covers two JIS rows; trail bytes from 0x9F on
    // belong to the even one.
    const unsigned base = lead <= 0x9F ? lead - 0x70u : lead - 0xB0u;
    const bool evenRow = trail >= 0x9F;
    const unsigned jisLead = evenRow ? 2 * base : 2 * base - 1;
    const unsigned jisTrail =
        evenRow ? trail - 0x7Eu : (trail > 0x7F ? trail - 0x20u : trail - 0x1Fu);
    if (jisLead > 0xFF || jisTrail > 0xFF) {
        return false;
    }
    std::uint8_t checkLead = static_cast<std::uint8_t>(jisLead);
    std::uint8_t checkTrail = static_cast<std::uint8_t>(jisTrail);
    // Only a pair that converts back is a JIS code (this leaves out the
    // user-defined leads 0xF0 and up and the trail bytes no row uses).
    if (!JisToSjis(checkLead, checkTrail) || checkLead != lead || checkTrail != trail) {
        return false;
    }
    lead = static_cast<std::uint8_t>(jisLead);
    trail = static_cast<std::uint8_t>(jisTrail);
    return true;
}

bool SjisToEuc(std::uint8_t& lead, std::uint8_t& trail) {
    if (!SjisToJis(lead, trail)) {
        return false;
    }
    lead |= 0x80;
    trail |= 0x80;
    return true;
}

bool IsUnicodeEncoding(CharEncoding encoding) {
    return encoding == CharEncoding::Utf8 || encoding == CharEncoding::Utf16 ||
           encoding == CharEncoding::CodePoint;
}

std::string CharCodeText(CharEncoding encoding, CalcValueMode mode, std::int64_t bits) {
    switch (encoding) {
    case CharEncoding::Utf8:
        return Utf8CodeText(mode, bits);
    case CharEncoding::Utf16:
        return Utf16CodeText(mode, bits);
    case CharEncoding::CodePoint: {
        const auto value = static_cast<std::uint64_t>(MaskToMode(mode, bits));
        return value == 0 ? std::string() : CodePointText(value);
    }
    default:
        break;
    }
    ByteReader reader(bits, mode);
    std::string text;
    while (reader.HasMore()) {
        const std::uint8_t b = reader.Take();
        switch (encoding) {
        case CharEncoding::ShiftJis:
            AppendShiftJis(text, reader, b);
            break;
        case CharEncoding::Euc:
            AppendEuc(text, reader, b);
            break;
        case CharEncoding::Jis:
            AppendJis(text, reader, b);
            break;
        default:
            AppendPrintable(text, b);
            break;
        }
    }
    return text;
}

std::string CharEncodingName(CharEncoding encoding) {
    switch (encoding) {
    case CharEncoding::Ascii:
        return "ASCII";
    case CharEncoding::ShiftJis:
        return "SJIS";
    case CharEncoding::Euc:
        return "EUC";
    case CharEncoding::Jis:
        return "JIS";
    case CharEncoding::Utf8:
        return "UTF-8";
    case CharEncoding::Utf16:
        return "UTF-16";
    case CharEncoding::CodePoint:
        return "U+";
    }
    return "";
}

} // namespace pexa
