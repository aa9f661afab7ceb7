// Plays random call sequences on every conversion the factory builds, in all
// modes, with Signed and Reverse Endian and several locales, and checks that
// nothing escapes the calls that promise not to raise, that a refused
// character changes nothing, and that the text shown and the value handed
// out agree.

#include "conv/CharacterConversion.h"
#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "conv/DateTimeConversion.h"
#include "conv/FloatConversion.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "core/ModeWidth.h"
#include "enc/ConvertError.h"
#include "enc/EncKilo.h"
#include "enc/EncTime.h"

#include "FuzzInput.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

using namespace pexa;

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz_conv: %s %s\n", what, detail.c_str());
    std::abort();
}

using Input = pexa::fuzz::ByteReader;

// Locales as regional settings report them: point or comma decimals, with
// comma, point, blank or apostrophe thousands.
constexpr FormatSettings Locales[] = {
    {'.', ',', '/', ':'},  {',', '.', '.', ':'}, {',', ' ', '.', ':'},
    {'.', '\'', '.', ':'}, {'.', ' ', '-', '.'},
};

// Keys, separators of every locale above, radix prefixes, and bytes no key
// produces.
constexpr char Interesting[] = "0123456789ABCDEFabcdef.,-: '#$&HhXxOoBbE+\"/KMGTPd\x80\xA5\xFF";

constexpr CalcValueMode Modes[] = {CalcValueMode::Byte, CalcValueMode::Word, CalcValueMode::DWord,
                                   CalcValueMode::QWord, CalcValueMode::Float};

CalcValue RandomValue(Input& in) {
    const std::uint8_t how = in.Byte();
    const CalcValueMode mode = Modes[in.Byte() % 5];
    const std::uint64_t bits = in.U64();
    CalcValue value = MakeZero();
    try {
        switch (how % 4) {
        case 0:
            SetInteger(value, mode, static_cast<std::int64_t>(bits));
            break;
        case 1: {
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            SetReal(value, mode, static_cast<Real>(d));
            break;
        }
        case 2: // a number with a short fraction, as typed
            SetReal(value, mode,
                    static_cast<Real>(static_cast<std::int32_t>(bits)) / (1 + (bits >> 56)));
            break;
        default:
            SetReal(value, mode, static_cast<Real>(static_cast<std::int64_t>(bits)) / 1024);
            break;
        }
    } catch (const CalcError&) {
        return MakeZero(); // not a value any store makes
    }
    return value;
}

// Runs one of the calls that may raise a CalcError; anything else escaping
// is a finding.
template <class F> bool Guarded(F&& call) {
    try {
        call();
        return true;
    } catch (const CalcError&) {
        return false;
    }
}

std::int64_t BitsAsShown(const Conversion& conv, const CalcValue& value) {
    std::int64_t bits = GetInteger(value);
    if (conv.IsReversed())
        ReverseBytes(bits, conv.GetMode());
    if (conv.IsSigned())
        SignExtend(bits, conv.GetMode());
    return bits;
}

std::string Without(std::string text, char c) {
    std::string out;
    for (const char ch : text) {
        if (ch != c)
            out += ch;
    }
    return out;
}

// The decimal bar's text read independently (strtold in the untouched "C"
// locale) must be the number GetValue hands out.
void CheckDecimal(Conversion& conv, const CalcValue& value) {
    const FormatSettings& format = CurrentFormat();
    const std::string text = conv.GetText(false);
    if (Without(conv.GetText(true), format.ThousandSeparator) != text)
        Fail("decimal grouping changed the digits", text);
    if (IsFloatMode(conv.GetMode())) {
        std::string c = text;
        for (char& ch : c) {
            if (ch == format.DecimalSeparator)
                ch = '.';
        }
        char* end = nullptr;
        const Real shown = std::strtold(c.c_str(), &end);
        if (c.empty() || *end != '\0')
            Fail("decimal text is no number", text);
        const Real held = GetReal(value);
        // The text holds 18 significant digits and 18 decimals.
        if (std::fabs(shown - held) > 6e-18L * std::fabs(held) + 1.01e-18L)
            Fail("decimal text and value differ", text);
        return;
    }
    const std::string expected = std::to_string(BitsAsShown(conv, value));
    if (text != expected)
        Fail("decimal text and value differ", text + " vs " + expected);
}

void CheckRadix(Conversion& conv, const CalcValue& value, int digitBits) {
    const std::string text = conv.GetText(false);
    if (Without(conv.GetText(true), ' ') != text)
        Fail("radix grouping changed the digits", text);
    std::uint64_t parsed = 0;
    for (const char ch : text) {
        const int digit = ch <= '9' ? ch - '0' : ch - 'A' + 10;
        if (digit < 0 || digit >= (1 << digitBits))
            Fail("radix text has a stray character", text);
        parsed = (parsed << digitBits) | static_cast<std::uint64_t>(digit);
    }
    if (parsed != static_cast<std::uint64_t>(BitsAsShown(conv, value)))
        Fail("radix text and value differ", text);
    if (!IsFloatMode(conv.GetMode())) {
        const auto shown =
            static_cast<std::size_t>((8 * ByteCountOf(conv.GetMode()) + digitBits - 1) / digitBits);
        if (text.size() != shown)
            Fail("radix text has the wrong width", text);
    }
}

// The size text read by the codec is the number the bar hands out.
void CheckKilo(Conversion& conv, const CalcValue& value) {
    const std::string text = conv.GetText(false);
    if (conv.GetText(true) != text)
        Fail("size text changed by grouping", text);
    const bool isFloat = IsFloatMode(conv.GetMode());
    CalcValue read = MakeZero();
    try {
        ParseSizeText(read, text, isFloat ? CalcValueMode::Float : CalcValueMode::QWord);
    } catch (const ConvertError&) {
        Fail("size text does not read", text);
    }
    if (isFloat) {
        const Real a = GetReal(read);
        const Real b = GetReal(value);
        // 18 significant digits.
        if (std::fabs(a - b) > 6e-18L * std::fabs(b) + 1.01e-18L)
            Fail("size text and value differ", text);
    } else if (GetInteger(read) != BitsAsShown(conv, value)) {
        Fail("size text and value differ", text);
    }
}

// A date/time text shown as valid denotes the number the bar hands out: to
// the second for a real, exactly otherwise.
void CheckTime(Conversion& conv, const CalcValue& value) {
    const std::string text = conv.GetText(false);
    if (conv.GetText(true) != text)
        Fail("date text changed by grouping", text);
    if (text.empty() || text == InvalidDateTimeText || conv.GetTextState() != ConvTextState::Normal)
        return;
    const auto& time = dynamic_cast<const DateTimeConversion&>(conv);
    const bool isFloat = IsFloatMode(conv.GetMode());
    CalcValue read;
    try {
        const DateTimeFields rec =
            ParseFields(text, time.GetTimeEncoding(), conv.GetMode(), time.GetTimeDiffMode());
        read = FieldsToValue(rec, time.GetTimeEncoding(),
                             isFloat ? CalcValueMode::Float : CalcValueMode::QWord);
    } catch (const ConvertError&) {
        Fail("date text does not read", text);
    }
    if (isFloat) {
        Real expected = GetReal(value);
        Real tolerance = 1;
        if (time.GetTimeEncoding() == TimeEncoding::OleDate) {
            // A time of day before the epoch day counts forward from midnight.
            if (expected > -1 && expected < 0)
                expected = -expected;
            tolerance = 1.2e-5L + 1e-18L * std::fabs(expected);
        }
        if (!(std::fabs(GetReal(read) - expected) < tolerance))
            Fail("date text and value differ", text);
    } else if (GetInteger(read) != BitsAsShown(conv, value)) {
        Fail("date text and value differ", text);
    }
}

// Checks that need no knowledge of the notation, then those that do.
void CheckState(Conversion& conv) {
    const std::string plain = conv.GetText(false);
    (void)conv.GetText(true);
    const auto state = static_cast<int>(conv.GetTextState());
    if (state < 0 || state > 2)
        Fail("text state out of range");
    (void)conv.GetSeparatorCaption();
    (void)conv.CanToggleSign();
    (void)conv.CanBackspace();
    if (conv.GetOptions().Bits() & ~conv.GetCapabilities().Bits())
        Fail("an option without its capability is in force");
    CalcValue value;
    if (!Guarded([&] { value = conv.GetValue(); }))
        return;
    if (value.Mode != conv.GetMode())
        Fail("GetValue is not in the conversion's mode");
    switch (conv.GetKind()) {
    case BarKind::Decimal:
        CheckDecimal(conv, value);
        break;
    case BarKind::Hex:
        CheckRadix(conv, value, 4);
        break;
    case BarKind::Oct:
        CheckRadix(conv, value, 3);
        break;
    case BarKind::Bin:
        CheckRadix(conv, value, 1);
        break;
    case BarKind::Kilo:
        CheckKilo(conv, value);
        break;
    case BarKind::Time:
        CheckTime(conv, value);
        break;
    default:
        break;
    }
}

// Rewriting the text from the held value must not change the value the bar
// hands out: the held value and the entry text agree.
void CheckHeldValueAgrees(Conversion& conv) {
    CalcValue before;
    CalcValue after;
    if (!Guarded([&] { before = conv.GetValue(); }))
        return;
    if (!Guarded([&] { conv.SetMode(conv.GetMode()); }))
        return;
    if (!Guarded([&] { after = conv.GetValue(); }))
        return;
    if (IsFloatMode(conv.GetMode())) {
        const Real a = GetReal(before);
        const Real b = GetReal(after);
        // Notations of later kinds may round a real (a date to the second).
        const Real tolerance =
            static_cast<int>(conv.GetKind()) <= 3 ? 0.0L : 2e-5L + 1e-9L * std::fabs(a);
        if (std::fabs(a - b) > tolerance)
            Fail("held value and entry text disagree", conv.GetText(false));
    } else if (GetInteger(before) != GetInteger(after)) {
        Fail("held value and entry text disagree", conv.GetText(false));
    }
}

void Type(Conversion& conv, char ch, bool pasting, bool& newEntry) {
    if (!conv.CanInputChar(ch, newEntry, pasting))
        return;
    if (newEntry)
        conv.Clear();
    newEntry = false;
    const std::string text = conv.GetText(false);
    CalcValue value;
    const bool haveValue = Guarded([&] { value = conv.GetValue(); });
    if (conv.InputChar(ch))
        return;
    if (conv.GetText(false) != text)
        Fail("a refused character changed the text", text);
    CalcValue now;
    if (haveValue && Guarded([&] { now = conv.GetValue(); }) &&
        (GetInteger(now) != GetInteger(value) || GetReal(now) != GetReal(value)))
        Fail("a refused character changed the value", text);
}

// Characters from every plane, the edges of the scalar values and beyond.
char32_t RandomCharacter(Input& in) {
    constexpr char32_t Edges[] = {0x7F,   0x80,    0x7FF,    0x800,    0xD7FF,
                                  0xD800, 0xDFFF,  0xE000,   0xFFFF,   0x10000,
                                  0x65E5, 0x1F600, 0x10FFFF, 0x110000, 0xFFFFFFFF};
    const std::uint8_t how = in.Byte();
    if (how % 4 == 0)
        return Edges[in.Byte() % (sizeof Edges / sizeof Edges[0])];
    const std::uint32_t bits =
        (std::uint32_t{in.Byte()} << 16) | (std::uint32_t{in.Byte()} << 8) | in.Byte();
    return how % 4 == 1 ? bits & 0x7F : bits % 0x120000;
}

// A whole character: CanInputCharacter foretells InputCharacter, and a
// refused one changes nothing.
void TypeCharacter(Conversion& conv, char32_t ch, bool& newEntry) {
    const bool can = conv.CanInputCharacter(ch, false);
    if (can && !conv.TakesWholeCharacters())
        Fail("a bar without whole characters offers to take one");
    const std::string text = conv.GetText(false);
    if (conv.InputCharacter(ch) != can)
        Fail("CanInputCharacter and InputCharacter disagree", text);
    newEntry = false;
    if (!can && conv.GetText(false) != text)
        Fail("a refused whole character changed the text", text);
}

// The variants' own choices (character encoding, float formats, codes
// outside the lists included), whole characters, and ignored characters.
void PlayVariant(Conversion& conv, Input& in, bool& newEntry) {
    const std::uint8_t b = in.Byte();
    switch (b % 4) {
    case 0:
        if (auto* chr = dynamic_cast<CharacterConversion*>(&conv))
            chr->SetEncoding(static_cast<CharEncoding>(in.Byte() % 7));
        if (auto* flt = dynamic_cast<FloatConversion*>(&conv)) {
            const auto format = static_cast<FloatFormat>(in.Byte() % (FloatFormatCount + 1));
            flt->SetWordFormat(format);
            flt->SetByteFormat(format);
        }
        break;
    case 1:
    case 2:
        TypeCharacter(conv, RandomCharacter(in), newEntry);
        break;
    default:
        (void)conv.IsIgnoredChar(static_cast<char>(in.Byte()));
        break;
    }
}

void Play(Conversion& conv, Input& in) {
    bool newEntry = true;
    for (int step = 0; step < 512 && in.More(); ++step) {
        const std::uint8_t op = in.Byte();
        switch (op % 16) {
        case 0:
            Guarded([&] { conv.SetMode(Modes[in.Byte() % 5]); });
            newEntry = true;
            break;
        case 1: {
            const std::uint8_t b = in.Byte();
            conv.SetOption(static_cast<ConvOption>(b % 10), (b & 0x80) != 0);
            break;
        }
        case 2: {
            const CalcValue value = RandomValue(in);
            Guarded([&] { conv.SetValue(value); });
            newEntry = true;
            break;
        }
        case 3:
        case 4:
        case 5: {
            const std::uint8_t b = in.Byte();
            Type(conv, Interesting[b % (sizeof Interesting - 1)], (b & 0x80) != 0, newEntry);
            break;
        }
        case 6: {
            const std::uint8_t b = in.Byte();
            Type(conv, static_cast<char>(in.Byte()), (b & 1) != 0, newEntry);
            break;
        }
        case 7: // a character offered without asking CanInputChar first
            conv.InputChar(static_cast<char>(in.Byte()));
            newEntry = false;
            break;
        case 8:
            if (conv.CanBackspace())
                conv.Backspace();
            break;
        case 9:
            conv.Backspace();
            break;
        case 10:
            conv.Clear();
            newEntry = false;
            break;
        case 11:
            conv.UpdateText();
            break;
        case 12:
            PlayVariant(conv, in, newEntry);
            break;
        case 13:
            CheckHeldValueAgrees(conv);
            break;
        case 14:
            newEntry = true;
            break;
        default: {
            CalcValue value;
            Guarded([&] { value = conv.GetValue(); });
            break;
        }
        }
        CheckState(conv);
    }
    CheckHeldValueAgrees(conv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const FormatSettingsScope scope(Locales[in.Byte() % (sizeof Locales / sizeof Locales[0])]);
    const int kind = in.Byte() % BarKindCount;
    const std::unique_ptr<Conversion> conv = CreateConv(kind);
    if (!conv)
        return 0;
    try {
        CheckState(*conv);
        Play(*conv, in);
    } catch (const std::exception& e) {
        Fail("exception escaped", e.what());
    } catch (...) {
        Fail("unknown exception escaped");
    }
    return 0;
}
