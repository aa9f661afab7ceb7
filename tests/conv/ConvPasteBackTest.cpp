// Every text a bar shows or copies, pasted back into that bar, denotes the
// value it was shown for: in every bar kind, mode, option and bar variant.

#include "ConvDriver.h"

#include "conv/CharacterConversion.h"
#include "conv/DateTimeConversion.h"
#include "conv/SexagesimalConversion.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "enc/EncChar.h"
#include "enc/EncUnicode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace pexa {
namespace {

using namespace test;

// One way a bar can be set up: options, and the variant's own buttons.
struct BarSetup {
    BarKind kind;
    CalcValueMode mode;
    bool isSigned;
    bool reversed;
    int variant; // char encoding, h:m:s style, or time encoding * 2 + diff
};

std::string Describe(const BarSetup& s) {
    return std::string(GetBarKindInfo(s.kind).Label) + " " + ModeCaption(s.mode) +
           (s.isSigned ? " signed" : "") + (s.reversed ? " reversed" : "") + " variant " +
           std::to_string(s.variant);
}

int VariantCount(BarKind kind) {
    switch (kind) {
    case BarKind::Char:
        // Every encoding, byte and Unicode.
        return 7;
    case BarKind::Degree:
        return 2;
    case BarKind::Time:
        return 4;
    default:
        return 1;
    }
}

std::unique_ptr<Conversion> MakeBar(const BarSetup& s) {
    auto conv = CreateConv(static_cast<int>(s.kind));
    // The bar variant sets its own options right after creation.
    if (auto* chr = dynamic_cast<CharacterConversion*>(conv.get()))
        chr->SetEncoding(static_cast<CharEncoding>(s.variant));
    if (auto* degree = dynamic_cast<SexagesimalConversion*>(conv.get()))
        degree->SetHmsStyle(s.variant != 0);
    if (auto* time = dynamic_cast<DateTimeConversion*>(conv.get())) {
        time->SetEncoding(static_cast<TimeEncoding>(s.variant / 2));
        time->SetDiffMode(s.variant % 2 != 0);
    }
    conv->SetMode(s.mode);
    conv->SetOption(ConvOption::Signed, s.isSigned);
    conv->SetOption(ConvOption::ReverseEndian, s.reversed);
    conv->SetValue(MakeZero());
    return conv;
}

// The character bar as the window pastes into it: a Unicode encoding takes
// each character of the UTF-8 text whole; a byte encoding takes each
// display code page character as the bytes BytesOfDisplayChar gives.
bool PasteCharacters(CharacterConversion& chr, const std::string& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    chr.Clear();
    for (std::size_t i = 0; i < text.size();) {
        if (chr.TakesWholeCharacters()) {
            const DecodedChar ch = DecodeUtf8(bytes + i, text.size() - i);
            if (!ch.Valid || !chr.CanInputCharacter(ch.CodePoint, false) ||
                !chr.InputCharacter(ch.CodePoint))
                return false;
            i += ch.Length;
            continue;
        }
        const std::size_t length =
            i + 1 < text.size() && IsSjisPair(bytes[i], bytes[i + 1]) ? 2 : 1;
        const std::optional<std::string> offered = chr.BytesOfDisplayChar(text.substr(i, length));
        if (!offered)
            return false;
        for (const char byte : *offered) {
            if (!chr.InputChar(byte))
                return false;
        }
        i += length;
    }
    return true;
}

// Pastes as the window does: a leading "-" is held back and typed after the
// digits (or as soon as a digit only fits with it), ignored characters are
// skipped, the first refused character stops the paste. False when any
// character did not go in.
bool PasteAsWindow(Conversion& conv, std::string text) {
    if (auto* chr = dynamic_cast<CharacterConversion*>(&conv))
        return PasteCharacters(*chr, text);
    bool negative = false;
    if (text.size() > 1 && text[0] == '-' && conv.GetCapabilities().Contains(ConvOption::Signed)) {
        text.erase(0, 1);
        negative = true;
    }
    bool typed = false;
    for (const char ch : text) {
        if (conv.IsIgnoredChar(ch))
            continue;
        const bool newEntry = !typed;
        if (!conv.CanInputChar(ch, newEntry, true))
            return false;
        if (newEntry)
            conv.Clear();
        if (!conv.InputChar(ch)) {
            if (!negative || !typed || !conv.CanInputChar('-', false, true) || !conv.InputChar('-'))
                return false;
            negative = false;
            if (!conv.InputChar(ch))
                return false;
        }
        typed = true;
    }
    if (negative)
        return conv.CanInputChar('-', false, true) && conv.InputChar('-');
    return true;
}

// Values spread over the whole mode: bit patterns in the integer modes, and
// in Float mode whole numbers, fractions and large magnitudes of both signs.
std::vector<CalcValue> SampleValues(CalcValueMode mode, std::mt19937_64& rng) {
    std::vector<CalcValue> values;
    if (mode != Float) {
        // All ones is a NaN in every float format; then the infinities of
        // Single, Double and Half.
        for (const std::int64_t fixed :
             {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{1} << 62,
              std::int64_t{-1} << 63, std::int64_t{0xFF800000}, std::int64_t{0x7FF0} << 48,
              std::int64_t{0x7C00}})
            values.push_back(IntValue(mode, fixed));
        for (int i = 0; i < 60; ++i) {
            // Short patterns as often as full ones: narrow numbers show
            // the early dates and small characters.
            const int width = static_cast<int>(rng() % 64) + 1;
            values.push_back(IntValue(mode, static_cast<std::int64_t>(rng() >> (64 - width))));
        }
        return values;
    }
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (const Real fixed : {0.0L, 1.0L, -1.0L, 0.5L, -1.25L, 38719.5L})
        values.push_back(RealValue(fixed));
    for (int i = 0; i < 60; ++i) {
        const Real scale = std::ldexp(1.0L, static_cast<int>(rng() % 60));
        Real x = static_cast<Real>(unit(rng)) * scale;
        if (i % 3 == 0)
            x = std::trunc(x);
        values.push_back(RealValue(x));
    }
    return values;
}

// Whether the text identifies the pattern itself: the IP bar shows the low
// 32 bits of a 64-bit pattern, and a NaN shows only its kind, not its
// payload (pasted back it gives the one NaN of that kind, which shows the
// same word).
bool ShowsWholePattern(const BarSetup& s, const std::string& text) {
    if (s.kind == BarKind::IP && s.mode == QWord)
        return false;
    return s.kind != BarKind::Float || text.find("NaN") == std::string::npos;
}

// Texts that stand for a value without denoting it: a byte that is no
// character shows as "_".
bool IsStandIn(const BarSetup& s, const std::string& text, Conversion& shown) {
    if (s.kind == BarKind::Char) {
        // The JIS bar reads pairs from the top and leaves an unpaired last
        // byte out of its text.
        std::int64_t bits = GetInteger(shown.GetValue());
        if (shown.IsReversed())
            ReverseBytes(bits, s.mode);
        const bool unpaired = s.variant == static_cast<int>(CharEncoding::Jis) &&
                              UsedByteCount(s.mode, bits) % 2 != 0;
        return unpaired || text.find('_') != std::string::npos;
    }
    return false;
}

// What a text shows of its value: the same text rendered again. Texts carry
// only what the notation shows (an OLE time to the second, a single-precision
// float), so in Float mode the value pasted back must show the same text; in
// the integer modes it must be the same number.
void ExpectPastesBack(const BarSetup& setup, Conversion& shown, Conversion& pasted,
                      const std::string& text, const std::function<std::string()>& render) {
    if (text.empty() || text == InvalidDateTimeText || IsStandIn(setup, text, shown) ||
        shown.GetTextState() == ConvTextState::NotApplicable)
        return;
    const CalcValue expected = shown.GetValue();
    ASSERT_TRUE(PasteAsWindow(pasted, text)) << Describe(setup) << " \"" << text << "\"";
    const CalcValue back = pasted.GetValue();
    if (setup.mode != Float && ShowsWholePattern(setup, text)) {
        ASSERT_EQ(GetInteger(back), GetInteger(expected))
            << Describe(setup) << " \"" << text << "\"";
        return;
    }
    // Rendered again from the value it pasted as, the bar shows the same.
    pasted.SetValue(back);
    ASSERT_EQ(render(), text) << Describe(setup) << " \"" << text << "\" read as "
                              << static_cast<double>(GetReal(back));
}

TEST(PasteBack, EveryBarShowsTextsThatPasteBackToTheirValue) {
    std::mt19937_64 rng(2006);
    for (int kind = 0; kind < BarKindCount; ++kind) {
        for (const CalcValueMode mode : AllModes) {
            for (const bool isSigned : {false, true}) {
                for (const bool reversed : {false, true}) {
                    for (int variant = 0; variant < VariantCount(BarKind(kind)); ++variant) {
                        const BarSetup setup{BarKind(kind), mode, isSigned, reversed, variant};
                        auto shown = MakeBar(setup);
                        auto pasted = MakeBar(setup);
                        for (const CalcValue& value : SampleValues(mode, rng)) {
                            shown->SetValue(value);
                            for (const bool grouped : {false, true}) {
                                // The character bar pads its display with "_"
                                // columns that only its copied text leaves out.
                                if (BarKind(kind) != BarKind::Char)
                                    ExpectPastesBack(setup, *shown, *pasted,
                                                     shown->GetText(grouped),
                                                     [&] { return pasted->GetText(grouped); });
                                ExpectPastesBack(setup, *shown, *pasted,
                                                 shown->GetClipboardText(grouped),
                                                 [&] { return pasted->GetClipboardText(grouped); });
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace pexa
