// Plays random command sequences on the calculator: every command, characters
// typed into every kind of bar, mode and option switches, bars opened, closed
// and reordered, pasted texts, undo and redo, the memory and the history
// tape. After each step it checks that nothing escaped, that the bars and the
// display agree, that every open bar's text, pasted into a bar of the same
// kind in a fresh calculator, reads back as the calculator's value, and that
// an undo followed by a redo gives back the state and every bar's text.

#include "conv/CharacterConversion.h"
#include "conv/Conversion.h"
#include "conv/DateTimeConversion.h"
#include "conv/SexagesimalConversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/CalcValue.h"
#include "core/FormatSettings.h"
#include "enc/EncChar.h"
#include "enc/EncTime.h"
#include "engine/Calculator.h"
#include "engine/CalculatorDisplay.h"

#include "FuzzInput.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace pexa;

[[noreturn]] void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz_engine: %s %s\n", what, detail.c_str());
    std::abort();
}

using Input = pexa::fuzz::ByteReader;

constexpr FormatSettings Locales[] = {
    {'.', ',', '/', ':'},
    {',', '.', '.', ':'},
    {',', ' ', '-', '.'},
    {'.', '\'', '.', ':'},
};

// Keys, separators of every locale above, radix prefixes, and bytes no key
// produces.
constexpr char Interesting[] = "0123456789ABCDEFabcdef.,-: '#$&HhXxOoBbE+\"/KMGTPd\x80\xA5\xFF";

// Keeps what each bar shows, redrawn only when the calculator says so, and
// checks that it is told only about open bars.
class FuzzDisplay final : public CalculatorDisplay {
public:
    const Calculator* Calc = nullptr;
    std::map<BarKind, std::string> Shown;

    void BarTextChanged(BarKind bar) override { Draw(bar); }
    void BarReadingChanged(BarKind bar) override { Draw(bar); }
    void PendingOperatorChanged() override { (void)Calc->PendingOperatorSymbol(); }
    void ActiveBarChanged() override {}

    static std::string Render(const Calculator& calc, BarKind bar) {
        const std::optional<CalcErrorKind> error = calc.Bars().ErrorOf(bar);
        return error ? std::string("error: ") + CalcErrorKindName(*error)
                     : calc.Bars().Find(bar)->GetText(false);
    }
    void Draw(BarKind bar) {
        if (!Calc->Bars().IsOpen(bar))
            Fail("the display was told about a bar that is not open");
        Shown[bar] = Render(*Calc, bar);
    }
};

// A display for the calculators that only read texts back.
class NoDisplay final : public CalculatorDisplay {
public:
    void BarTextChanged(BarKind) override {}
    void BarReadingChanged(BarKind) override {}
    void PendingOperatorChanged() override {}
    void ActiveBarChanged() override {}
};

// The settings a bar has beyond the calculator's mode and options, which the
// window sets on the conversion itself.
void CopyKindSettings(const Conversion& from, Conversion& to) {
    if (const auto* chr = dynamic_cast<const CharacterConversion*>(&from))
        dynamic_cast<CharacterConversion&>(to).SetEncoding(chr->GetCharEncoding());
    if (const auto* time = dynamic_cast<const DateTimeConversion*>(&from)) {
        auto& target = dynamic_cast<DateTimeConversion&>(to);
        target.SetEncoding(time->GetTimeEncoding());
        target.SetDiffMode(time->GetTimeDiffMode());
    }
    if (const auto* degree = dynamic_cast<const SexagesimalConversion*>(&from))
        dynamic_cast<SexagesimalConversion&>(to).SetHmsStyle(degree->GetHmsStyle());
}

// A text as the characters a paste offers: one byte each, but a Shift JIS
// pair as one character in the character bar.
std::vector<std::optional<std::string>> PasteCharacters(const std::string& text, bool sjis) {
    std::vector<std::optional<std::string>> characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (sjis && i + 1 < text.size() &&
            IsSjisPair(lead, static_cast<std::uint8_t>(text[i + 1]))) {
            characters.push_back(text.substr(i, 2));
            ++i;
        } else {
            characters.push_back(text.substr(i, 1));
        }
    }
    return characters;
}

// How far a real shown in the bar's notation may lie from the value.
Real Tolerance(const Conversion& bar, Real x) {
    switch (bar.GetKind()) {
    case BarKind::Decimal:
    case BarKind::Kilo: // 18 significant digits
        return 6e-18L * std::fabs(x) + 1.01e-18L;
    case BarKind::Time: {
        const auto& time = dynamic_cast<const DateTimeConversion&>(bar);
        return time.GetTimeEncoding() == TimeEncoding::OleDate ? 1.2e-5L + 1e-18L * std::fabs(x)
                                                               : 1.0L;
    }
    default:
        return 1e-9L * std::fabs(x) + 1e-12L;
    }
}

// Days since 1899-12-30 00:00 of the moment an OLE date stands for.
Real OleMoment(Real oleDate) {
    const Real day = std::trunc(oleDate);
    return day + std::fabs(oleDate - day);
}

bool ShowsIntegerPart(BarKind kind) {
    return kind == BarKind::Hex || kind == BarKind::Oct || kind == BarKind::Bin ||
           kind == BarKind::Char || kind == BarKind::IP;
}

// Bars whose text cannot tell every value of the mode apart: the IP bar shows
// 32 bits of a 64-bit number.
bool ShowsPartOfValue(BarKind kind, CalcValueMode mode) {
    return kind == BarKind::IP && (mode == CalcValueMode::QWord || IsFloatMode(mode));
}

// Whether the bar shows the two values as the same text.
bool ShowSame(Conversion& bar, const CalcValue& a, const CalcValue& b) {
    bar.SetValue(a);
    const std::string text = bar.GetClipboardText(false);
    bar.SetValue(b);
    return bar.GetClipboardText(false) == text;
}

// An entry with no digit yet, on its way to a number: a lone "-" (the size
// bar's, the date bar's before a negative year) or a date/time entry begun
// with a separator (" ", in a span " d"). The bar reads the missing number
// as 0, which the value is, but a paste must hold a number: blanks alone, a
// lone sign and a day mark alone are refused. In the character bar "-" is a
// character and pastes as one.
bool IsEntryWithoutDigits(BarKind kind, const std::string& text) {
    if (kind == BarKind::Time)
        return text.find_first_of("0123456789") == std::string::npos;
    return kind != BarKind::Char && text == "-";
}

// The bar's clipboard text, pasted into a bar of the same kind and settings
// in a fresh calculator, must give the calculator's value. Bars that say the
// mode cannot show the value, the date bar's "(Invalid)" and entries
// without digits are left out.
void CheckReadsBack(const Calculator& calc, BarKind kind) {
    const Conversion& bar = *calc.Bars().Find(kind);
    if (calc.Bars().HasError(kind) || bar.GetTextState() != ConvTextState::Normal)
        return;
    const std::string text = bar.GetClipboardText(false);
    if (text.empty() || text == InvalidDateTimeText || IsEntryWithoutDigits(kind, text))
        return;

    NoDisplay quiet;
    Calculator fresh(quiet);
    fresh.SetMode(calc.Mode());
    fresh.SetSigned(calc.Signed());
    fresh.SetReversed(calc.Reversed());
    Conversion* pasted = fresh.OpenBar(kind);
    CopyKindSettings(bar, *pasted);
    fresh.Bars().Activate(kind);
    std::vector<std::optional<std::string>> characters =
        PasteCharacters(text, kind == BarKind::Char);
    // The window offers a shown character to the character bar as the code
    // the bar's encoding has for it (EUC and JIS differ from the shown bytes).
    const auto* chars = dynamic_cast<const CharacterConversion*>(pasted);
    if (chars != nullptr && !IsUnicodeEncoding(chars->GetCharEncoding()))
        for (std::optional<std::string>& character : characters)
            character = chars->BytesOfDisplayChar(*character);
    if (!fresh.Paste(characters))
        Fail("a bar's text is refused when pasted", text);
    if (fresh.Bars().HasError(kind))
        Fail("a bar's text pastes as an error", text);

    // The registers start and are cleared as zeros of other modes; the bars
    // show the value converted into the mode.
    CalcValue value = MakeZero();
    ConvertValue(value, calc.Mode(), calc.Current());
    const CalcValue& read = fresh.Current();
    if (kind == BarKind::Char && GetInteger(read) != GetInteger(value)) {
        // Bytes that are no characters show as '_': the text must then at
        // least show again as itself. Two stand-ins in JIS are the code of
        // a kanji, so there the text may show as that kanji instead.
        const bool standIns = text.find('_') != std::string::npos;
        if (pasted->GetClipboardText(false) != text &&
            !(standIns &&
              dynamic_cast<const CharacterConversion&>(bar).GetCharEncoding() == CharEncoding::Jis))
            Fail("a character text does not read back", text);
        return;
    }
    // A NaN's word does not show its payload: pasted back it gives the one
    // NaN of its kind, which must show the same word.
    if (kind == BarKind::Float && text.find("NaN") != std::string::npos) {
        if (pasted->GetClipboardText(false) != text)
            Fail("a float bar's NaN does not read back as a NaN of its kind", text);
        return;
    }
    if (ShowsPartOfValue(kind, calc.Mode())) {
        if (!ShowSame(*pasted, value, CalcValue(read)))
            Fail("a text that shows part of the value does not read back", text);
        return;
    }
    if (!IsFloatMode(calc.Mode()) || ShowsIntegerPart(kind)) {
        if (GetInteger(read) != GetInteger(value))
            Fail("a bar's text reads back as another value",
                 text + " reads " + std::to_string(GetInteger(read)) + ", value " +
                     std::to_string(GetInteger(value)));
        return;
    }
    const Real x = GetReal(value);
    // A real beyond the signed 64-bit range is a result no bar can take typed.
    if (!(x >= -0x1p63L && x <= 0x1p63L - 1))
        return;
    // An OLE date adds the time of day as a positive fraction even to the
    // days before 1899-12-30 (-1.25 is 1899-12-29 06:00), so a value between
    // -1 and 0 shows the moment of its absolute value, and one just above -2
    // rounds to 1899-12-30 00:00, which is 0: compare the moments.
    const bool oleDate =
        kind == BarKind::Time &&
        dynamic_cast<const DateTimeConversion&>(bar).GetTimeEncoding() == TimeEncoding::OleDate;
    const Real shown = oleDate ? OleMoment(x) : x;
    const Real readBack = oleDate ? OleMoment(GetReal(read)) : GetReal(read);
    if (!(std::fabs(readBack - shown) <= Tolerance(bar, x))) {
        char detail[96];
        std::snprintf(detail, sizeof detail, " reads %.21Lg, value %.21Lg", GetReal(read), x);
        Fail("a bar's text reads back as another real", text + detail);
    }
}

// Everything a read-back check depends on, so that a bar whose text, value
// and settings did not change since an earlier step is not pasted again: the
// check is a function of these alone, and most steps leave most bars as they
// were.
std::string ReadBackKey(const Calculator& calc, BarKind kind) {
    const Conversion& bar = *calc.Bars().Find(kind);
    std::string key;
    const auto add = [&key](const auto& field) {
        key.append(reinterpret_cast<const char*>(&field), sizeof field);
    };
    add(kind);
    add(bar.GetTextState());
    add(calc.Bars().HasError(kind));
    add(calc.Mode());
    add(calc.Signed());
    add(calc.Reversed());
    if (const auto* chr = dynamic_cast<const CharacterConversion*>(&bar))
        add(chr->GetCharEncoding());
    if (const auto* time = dynamic_cast<const DateTimeConversion*>(&bar)) {
        add(time->GetTimeEncoding());
        add(time->GetTimeDiffMode());
    }
    if (const auto* degree = dynamic_cast<const SexagesimalConversion*>(&bar))
        add(degree->GetHmsStyle());
    const CalcValue& value = calc.Current();
    add(value.Mode);
    add(value.IntValue);
    // The 80 bits of the real; the padding after them is left out.
    key.append(reinterpret_cast<const char*>(&value.RealValue), 10);
    key += bar.GetClipboardText(false);
    return key;
}

void CheckState(const Calculator& calc, const FuzzDisplay& display,
                std::set<std::string>& readBack) {
    const OpenBars& bars = calc.Bars();
    if (bars.Count() < 0 || bars.Count() > BarKindCount)
        Fail("open bar count out of range");
    for (int i = 0; i < bars.Count(); ++i) {
        const BarKind kind = bars.KindAt(i);
        if (bars.IndexOf(kind) != i)
            Fail("a kind is open twice");
        const Conversion& bar = *bars.Find(kind);
        if (bar.GetKind() != kind || bar.GetMode() != calc.Mode())
            Fail("a bar's conversion is not of its kind and the mode");
        const auto it = display.Shown.find(kind);
        if (it == display.Shown.end() || it->second != FuzzDisplay::Render(calc, kind))
            Fail("the display was not told of a change",
                 (it == display.Shown.end() ? std::string("(never drawn)") : it->second) + " vs " +
                     FuzzDisplay::Render(calc, kind));
    }
    if (const std::optional<BarKind> active = bars.Active(); active && !bars.IsOpen(*active))
        Fail("the active bar is not open");
    for (int i = 0; i < bars.Count(); ++i)
        if (readBack.insert(ReadBackKey(calc, bars.KindAt(i))).second)
            CheckReadsBack(calc, bars.KindAt(i));
}

std::string ShortText(Input& in) {
    std::string text;
    const int length = in.Byte() % 24;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t b = in.Byte();
        text += (b & 0x80) != 0 ? static_cast<char>(in.Byte())
                                : Interesting[b % (sizeof Interesting - 1)];
    }
    return text;
}

std::optional<BarKind> SomeBar(const Calculator& calc, std::uint8_t b) {
    if (calc.Bars().Count() == 0 || b == 0xFF)
        return std::nullopt;
    return calc.Bars().KindAt(b % calc.Bars().Count());
}

void SetKindSettings(Calculator& calc, FuzzDisplay& display, Input& in) {
    const std::uint8_t b = in.Byte();
    const std::optional<BarKind> kind = SomeBar(calc, in.Byte());
    if (!kind)
        return;
    Conversion& bar = *calc.Bars().Find(*kind);
    if (auto* chr = dynamic_cast<CharacterConversion*>(&bar))
        chr->SetEncoding(static_cast<CharEncoding>(b % 4));
    else if (auto* time = dynamic_cast<DateTimeConversion*>(&bar))
        (b & 1) != 0 ? time->SetDiffMode((b & 2) != 0)
                     : time->SetEncoding(static_cast<TimeEncoding>((b >> 1) % 2));
    else if (auto* degree = dynamic_cast<SexagesimalConversion*>(&bar))
        degree->SetHmsStyle((b & 1) != 0);
    else
        return;
    // The window redraws the bar after its own buttons, and tells the
    // calculator.
    calc.BarSettingsChanged(*kind);
    display.Draw(*kind);
}

void ChangeOptions(FunctionOptions& options, std::uint8_t b) {
    switch (b % 5) {
    case 0:
        options.SetAngle(static_cast<AngleUnit>(b / 5 % 4));
        break;
    case 1:
        options.SetHyperbolic((b & 0x80) != 0);
        break;
    case 2:
        options.SetRotate((b & 0x80) != 0);
        break;
    case 3:
        options.SetArithmeticShift((b & 0x80) != 0);
        break;
    default:
        options.SetShiftAmount(b / 5 % 20);
        break;
    }
}

void MemoryCommand(Calculator& calc, std::uint8_t b) {
    switch (b % 5) {
    case 0:
        calc.MemoryStore();
        break;
    case 1:
        calc.MemoryAdd();
        break;
    case 2:
        calc.MemorySubtract();
        break;
    case 3:
        calc.MemoryRecall();
        break;
    default:
        calc.MemoryClear();
        break;
    }
}

void Step(Calculator& calc, FuzzDisplay& display, Input& in) {
    const std::uint8_t op = in.Byte();
    switch (op % 30) {
    case 0:
    case 1:
    case 2:
    case 3: {
        const std::uint8_t b = in.Byte();
        calc.Type(Interesting[b % (sizeof Interesting - 1)], (b & 0x80) != 0, false);
        break;
    }
    case 4:
        calc.Type(static_cast<char>(in.Byte()), (op & 0x80) != 0, (op & 0x40) != 0);
        break;
    case 5: {
        const std::string text = ShortText(in);
        std::vector<std::optional<std::string>> characters =
            PasteCharacters(text, (op & 0x80) != 0);
        if ((op & 0x40) != 0 && !characters.empty())
            characters[characters.size() / 2].reset(); // a character no bar takes
        calc.Paste(characters);
        break;
    }
    case 6: // another bar's text pasted into the active one
        if (const std::optional<BarKind> from = SomeBar(calc, in.Byte()))
            calc.Paste(PasteCharacters(calc.Bars().Find(*from)->GetClipboardText((op & 0x80) != 0),
                                       calc.Bars().Active() == BarKind::Char));
        break;
    case 7:
        calc.ToggleSign();
        break;
    case 8:
        calc.BackSpace();
        break;
    case 9:
        calc.PressOperator(static_cast<BinaryOp::Index>(in.Byte() % (BinaryOperatorCount + 1)));
        break;
    case 10:
        (op & 0x80) != 0 ? calc.Equal() : calc.Evaluate((op & 0x40) != 0);
        break;
    case 11:
        (op & 0x80) != 0 ? calc.RecallAnswer() : calc.EnterPi();
        break;
    case 12:
        calc.ApplyUnary(static_cast<UnaryOp::Index>(in.Byte() % UnaryOperatorCount));
        break;
    case 13:
        calc.ShiftByAmount((op & 0x80) != 0 ? 1 : -1);
        break;
    case 14:
        calc.ApplyTrig(static_cast<TrigFunctionKind>(in.Byte() % 3), (op & 0x80) != 0);
        break;
    case 15:
        calc.Clear((op & 0x80) != 0);
        break;
    case 16:
        calc.SetMode(static_cast<CalcValueMode>(in.Byte() % CalcValueModeCount));
        break;
    case 17:
        (op & 0x80) != 0 ? calc.SetSigned((op & 0x40) != 0) : calc.SetReversed((op & 0x40) != 0);
        break;
    case 18:
        ChangeOptions(calc.Options(), in.Byte());
        break;
    case 19: {
        const auto kind = static_cast<BarKind>(in.Byte() % BarKindCount);
        if (calc.OpenBar(kind) != nullptr && !display.Shown.count(kind))
            display.Draw(kind); // a new bar is drawn when the window adds it
        break;
    }
    case 20: {
        const auto kind = static_cast<BarKind>(in.Byte() % BarKindCount);
        if (calc.CloseBar(kind) != nullptr)
            display.Shown.erase(kind);
        break;
    }
    case 21: {
        const std::uint8_t b = in.Byte();
        if (b % 3 == 0)
            calc.Bars().Activate(SomeBar(calc, in.Byte()));
        else if (b % 3 == 1)
            calc.Bars().StepActive((b & 0x80) != 0 ? 1 : -1);
        else
            calc.Bars().EnsureActive();
        break;
    }
    case 22: {
        std::vector<BarKind> order;
        for (int i = in.Byte() % 4; i > 0; --i)
            order.push_back(static_cast<BarKind>(in.Byte() % BarKindCount));
        calc.Bars().SetOrder(order);
        break;
    }
    case 23:
        SetKindSettings(calc, display, in);
        break;
    case 24:
        calc.SetPendingOperator(in.Byte() % 2 == 0
                                    ? std::nullopt
                                    : std::optional(static_cast<BinaryOp::Index>(
                                          in.Byte() % (BinaryOperatorCount + 2) - 1)));
        break;
    case 25:
        calc.SyncFromBar(SomeBar(calc, in.Byte()));
        break;
    case 26:
        (op & 0x80) != 0 ? calc.Redo() : calc.Undo();
        break;
    case 27:
        MemoryCommand(calc, in.Byte());
        break;
    case 28: {
        const std::uint8_t b = in.Byte();
        if (b == 0xFF)
            calc.ClearTape();
        else
            calc.RecallTapeLine(calc.Tape().Count() - 1 - b % (calc.Tape().Count() + 1));
        break;
    }
    default: {
        FunctionOptions options = calc.Options();
        ChangeOptions(options, in.Byte());
        calc.SetOptions(options);
        break;
    }
    }
}

// Undo followed by redo comes back to where it started: the state, and what
// every bar shows.
void CheckUndoRedo(Calculator& calc, FuzzDisplay& display, std::set<std::string>& readBack) {
    if (!calc.CanUndo())
        return;
    const CalculatorSnapshot before = calc.Snapshot();
    const std::map<BarKind, std::string> shown = display.Shown;
    if (!calc.Undo())
        Fail("undo refused although it can undo");
    CheckState(calc, display, readBack);
    if (!calc.Redo())
        Fail("redo refused after an undo");
    CheckState(calc, display, readBack);
    if (!(calc.Snapshot() == before))
        Fail("undo and redo do not give back the state");
    for (int i = 0; i < calc.Bars().Count(); ++i) {
        const BarKind kind = calc.Bars().KindAt(i);
        if (display.Shown[kind] != shown.at(kind))
            Fail("undo and redo do not give back a bar's text",
                 shown.at(kind) + " became " + display.Shown[kind]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const FormatSettingsScope scope(Locales[in.Byte() % (sizeof Locales / sizeof Locales[0])]);
    FuzzDisplay display;
    Calculator calc(display);
    display.Calc = &calc;
    try {
        // The window's start: the decimal and hexadecimal bars, the first active.
        for (const BarKind kind : {BarKind::Decimal, BarKind::Hex}) {
            calc.OpenBar(kind);
            display.Draw(kind);
        }
        calc.Bars().Activate(BarKind::Decimal);
        std::set<std::string> readBack;
        CheckState(calc, display, readBack);
        for (int step = 0; step < 256 && in.More(); ++step) {
            Step(calc, display, in);
            CheckState(calc, display, readBack);
            CheckUndoRedo(calc, display, readBack);
        }
    } catch (const std::exception& e) {
        Fail("exception escaped", e.what());
    } catch (...) {
        Fail("unknown exception escaped");
    }
    return 0;
}
