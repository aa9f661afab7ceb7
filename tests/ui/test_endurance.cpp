// A long seeded random session against the real main window: keys and typed
// characters as the keyboard sends them, commands, bar toggles, bar options,
// copies and pastes through the real clipboard. After every step the window
// must still be sound: nothing thrown, no critical message, no modal window,
// no step slower than a hang, one active bar, every bar in the calculation
// mode and showing something, the decimal and hexadecimal bars telling the
// same value (in Float mode: the hexadecimal bar shows the truncation of the
// decimal one, within the 18 digits the decimal bar shows), and in the integer
// modes the octal, binary, sexagesimal, size, IP and IEEE 754 bars and the
// engine's current value agreeing with the hexadecimal bar.
//
// PEXA_ENDURANCE_STEPS sets the number of steps for long runs by hand,
// PEXA_ENDURANCE_SEED the seed (both decimal or 0x-hexadecimal), and
// PEXA_ENDURANCE_TRACE=1 prints every step with what each bar shows. A long
// run needs QTEST_FUNCTION_TIMEOUT (milliseconds) beyond Qt Test's 300000.

#include "MainWindowHarness.h"

#include "conv/FloatConversion.h"
#include "ui/toolkit/CommandActionList.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace pexa;
using namespace pexa::testing;

namespace {

constexpr std::uint64_t DefaultSteps = 2000;
constexpr std::uint64_t DefaultSeed = 0x5EED2024;
constexpr std::size_t ReplayLength = 30;
// Even a paste of 200000 characters answers at once; a step this slow
// (under the sanitizers, on a busy machine) is a hang.
constexpr qint64 MaxStepMilliseconds = 10000;

// Commands that open a modal dialog or a pop-up menu, which would wait for a
// user, or end the program.
const QStringList WaitingCommands = {
    QStringLiteral("ActChooseFont"),  QStringLiteral("ActChooseColor"),
    QStringLiteral("ActHelpVersion"), QStringLiteral("ActHelpIndex"),
    QStringLiteral("ActQuickMenu"),   QStringLiteral("ActQuickMenuJ"),
    QStringLiteral("ActModeMenu"),    QStringLiteral("ActShiftAmountSel"),
    QStringLiteral("ActExit"),
};

// Characters whose keys open a pop-up menu: plain q and Shift+q (operation
// menus), m (mode menu), ";" (shift amount).
const QString WaitingChars = QStringLiteral("qQmM;");

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const qulonglong n = qEnvironmentVariable(name).toULongLong(&ok, 0);
    return ok ? n : fallback;
}

// The last steps, printed when something fails so that the run can be
// followed; the seed and the step number replay it exactly.
std::deque<QString> g_recentSteps;
QStringList g_criticalMessages;
QtMessageHandler g_previousHandler = nullptr;

void PrintRecentSteps() {
    std::fprintf(stderr, "---- last %zu steps ----\n", g_recentSteps.size());
    for (const QString& step : g_recentSteps)
        std::fprintf(stderr, "  %s\n", qPrintable(step));
}

void FailOnCritical(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        g_criticalMessages.append(text);
        if (type == QtFatalMsg)
            PrintRecentSteps();
    }
    // The offscreen platform says this of every window that changes its size.
    if (type == QtWarningMsg && text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (g_previousHandler != nullptr)
        g_previousHandler(type, context, text);
}

// Text for the log: printable ASCII as it is, everything else escaped, and
// long texts cut.
QString Describe(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size() && i < 48; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c < 0x7F)
            out += QChar(c);
        else
            out += QStringLiteral("\\u%1").arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0'));
    }
    if (text.size() > 48)
        out += QStringLiteral("…");
    return QStringLiteral("\"%1\" (%2 chars)").arg(out).arg(text.size());
}

// ---- Reading the decimal and hexadecimal bars -----------------------------

struct IntegerText {
    bool Negative = false;
    std::uint64_t Magnitude = 0;
};

// "-1,234" as the decimal bar shows it in an integer mode.
std::optional<IntegerText> ParseDecimalInteger(const std::string& text, char thousands) {
    IntegerText out;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        out.Negative = true;
        ++pos;
    }
    bool digit = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == thousands && digit)
            continue;
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (out.Magnitude > (~std::uint64_t{0} - d) / 10)
            return std::nullopt;
        out.Magnitude = out.Magnitude * 10 + d;
        digit = true;
    }
    if (!digit)
        return std::nullopt;
    return out;
}

// "0001 2345" or "FFFFFFFFFFFFFFFE" as the hexadecimal bar shows it, and the
// octal and binary bars likewise (bitsPerDigit 3 and 1): at most 64 bits.
std::optional<std::uint64_t> ParseRadix(const std::string& text, int bitsPerDigit) {
    std::uint64_t bits = 0;
    bool digit = false;
    for (const char c : text) {
        if (c == ' ')
            continue;
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= (1 << bitsPerDigit) || (bits >> (64 - bitsPerDigit)) != 0)
            return std::nullopt;
        bits = (bits << bitsPerDigit) | static_cast<std::uint64_t>(d);
        digit = true;
    }
    if (!digit)
        return std::nullopt;
    return bits;
}

// "-1,234.5", "1.5E18" as the decimal bar shows a real, in the C spelling.
std::optional<long double> ParseDecimalReal(const std::string& text, const FormatSettings& format) {
    std::string c;
    for (const char ch : text) {
        if (ch == format.ThousandSeparator)
            continue;
        c += ch == format.DecimalSeparator ? '.' : ch;
    }
    if (!c.empty() && c.back() == '.')
        c += '0';
    long double x = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), x);
    if (error != std::errc() || end != c.data() + c.size() || !std::isfinite(x))
        return std::nullopt;
    return x;
}

// Whether the float bar's text, read by the C library into the format's own
// type, gives back exactly the number shown (its sign included).
template <class T> bool ReadsBackAs(const std::string& text, T expected) {
    std::string c = text;
    for (char& ch : c) {
        if (ch == CurrentFormat().DecimalSeparator)
            ch = '.';
    }
    T x{};
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), x);
    return error == std::errc() && end == c.data() + c.size() &&
           std::memcmp(&x, &expected, sizeof x) == 0;
}

std::uint64_t ReverseByteOrder(std::uint64_t bits, int bytes) {
    std::uint64_t out = 0;
    for (int i = 0; i < bytes; ++i)
        out = (out << 8) | ((bits >> (8 * i)) & 0xFF);
    return out;
}

// The textbook reading of a 16- or 8-bit float pattern: fields, bias and the
// hidden bit, with E4M3's all-ones pattern its only NaN and no infinity.
long double SmallFloatReading(std::uint64_t bits, FloatFormat format) {
    struct Fields {
        int width, exponentBits, fractionBits, bias;
    };
    const Fields f = format == FloatFormat::Half       ? Fields{16, 5, 10, 15}
                     : format == FloatFormat::BFloat16 ? Fields{16, 8, 7, 127}
                     : format == FloatFormat::E4M3     ? Fields{8, 4, 3, 7}
                                                       : Fields{8, 5, 2, 15};
    const bool negative = ((bits >> (f.width - 1)) & 1) != 0;
    const std::uint64_t fraction = bits & ((1u << f.fractionBits) - 1);
    const std::uint64_t top = (1u << f.exponentBits) - 1;
    const std::uint64_t exponent = (bits >> f.fractionBits) & top;
    long double magnitude = 0;
    if (format == FloatFormat::E4M3 && exponent == top && fraction == 7)
        return NAN;
    if (format != FloatFormat::E4M3 && exponent == top) {
        if (fraction != 0)
            return NAN;
        magnitude = INFINITY;
    } else if (exponent == 0) {
        magnitude = std::ldexp(static_cast<long double>(fraction), 1 - f.bias - f.fractionBits);
    } else {
        magnitude = std::ldexp(static_cast<long double>(fraction | (1u << f.fractionBits)),
                               static_cast<int>(exponent) - f.bias - f.fractionBits);
    }
    return negative ? -magnitude : magnitude;
}

int ModeBytes(CalcValueMode mode) {
    switch (mode) {
    case CalcValueMode::Byte:
        return 1;
    case CalcValueMode::Word:
        return 2;
    case CalcValueMode::DWord:
        return 4;
    default:
        return 8;
    }
}

bool ReversedIn(const MainWindow& window, const CalcBar& bar) {
    const CalcValueMode mode = window.Engine().Mode();
    const bool multiByte =
        mode == CalcValueMode::Word || mode == CalcValueMode::DWord || mode == CalcValueMode::QWord;
    return window.Engine().Reversed() && multiByte && bar.SupportsReverse();
}

bool SignedIn(const MainWindow& window, const CalcBar& bar) {
    return window.Engine().Mode() == CalcValueMode::QWord ||
           (window.Engine().Signed() && bar.SupportsSigned());
}

// The bits the decimal bar stands for in an integer mode, after checking that
// its number lies in the range its signedness gives.
// The stored bits a number shown by a bar stands for in an integer mode,
// after checking that it lies in the range the bar's signedness gives; the
// hexadecimal bar's bits are compared with them.
QString CompareNumber(const MainWindow& window, const CalcBar& bar, const IntegerText& number,
                      const std::string& hexText) {
    const auto hexBits = ParseRadix(hexText, 4);
    if (!hexBits)
        return QStringLiteral("unreadable hexadecimal text");
    const int bytes = ModeBytes(window.Engine().Mode());
    const int width = 8 * bytes;
    const std::uint64_t mask = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    const std::uint64_t half = std::uint64_t{1} << (width - 1);
    const bool isSigned = SignedIn(window, bar);
    const std::uint64_t limit =
        number.Negative ? (isSigned ? half : 0) : (isSigned ? half - 1 : mask);
    if (number.Magnitude > limit || (number.Negative && number.Magnitude == 0 && !isSigned))
        return QStringLiteral("number outside the %1 range")
            .arg(isSigned ? QStringLiteral("signed") : QStringLiteral("unsigned"));
    auto bits = number.Magnitude;
    if (number.Negative)
        bits = ~bits + 1;
    bits &= mask;
    if (ReversedIn(window, bar))
        bits = ReverseByteOrder(bits, bytes);
    std::uint64_t hex = *hexBits & mask;
    if (*hexBits != hex)
        return QStringLiteral("hexadecimal text wider than the mode");
    if (const CalcBar* hexBar = window.Bars().Find(BarKind::Hex); ReversedIn(window, *hexBar))
        hex = ReverseByteOrder(hex, bytes);
    if (bits != hex)
        return QStringLiteral("bit patterns differ: %1 against %2")
            .arg(bits, 0, 16)
            .arg(hex, 0, 16);
    return {};
}

QString CompareIntegerBars(const MainWindow& window, const CalcBar& dec, const std::string& decText,
                           const std::string& hexText) {
    const auto number = ParseDecimalInteger(decText, CurrentFormat().ThousandSeparator);
    if (!number)
        return QStringLiteral("unreadable decimal text");
    return CompareNumber(window, dec, *number, hexText);
}

// Adds d to n × base, refusing what leaves 64 bits.
bool Accumulate(std::uint64_t& n, std::uint64_t base, std::uint64_t d) {
    if (n > (~std::uint64_t{0} - d) / base)
        return false;
    n = n * base + d;
    return true;
}

// In Float mode the hexadecimal bar shows the value truncated toward zero to a
// 64-bit integer. The decimal text is that value rounded to 18 significant
// digits, so the truncation must be that of some number within half a unit of
// the 18th digit of the text (a typed text is read with 64 bits of mantissa,
// which lies well within that).
QString CompareRealBars(const std::string& decText, const std::string& hexText) {
    const auto x = ParseDecimalReal(decText, CurrentFormat());
    const auto hexBits = ParseRadix(hexText, 4);
    if (!x || !hexBits)
        return QStringLiteral("unreadable text");
    const long double slack = std::fabs(*x) * 6e-17L;
    const long double low = std::trunc(*x - slack);
    const long double high = std::trunc(*x + slack);
    const auto hex = static_cast<long double>(static_cast<std::int64_t>(*hexBits));
    if (hex < low || hex > high)
        return QStringLiteral("hexadecimal %1 is not the truncation of the decimal value")
            .arg(static_cast<std::int64_t>(*hexBits));
    return {};
}

// The readers below take only the texts the bars render from a value. A bar
// keeps the text the user typed or pasted into it ("1:2", "0e", "192.168")
// until it is given a value, and such texts are refused here.

// Splits "a<sep>b<sep>c" into its fields; none may be empty.
std::optional<std::vector<std::string>> Fields(const std::string& text, char separator) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    for (const std::string& field : fields)
        if (field.empty())
            return std::nullopt;
    return fields;
}

// Decimal digits without a superfluous leading zero.
std::optional<std::uint64_t> PlainNumber(const std::string& digits) {
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    std::uint64_t n = 0;
    for (const char c : digits)
        if (c < '0' || c > '9' || !Accumulate(n, 10, static_cast<std::uint64_t>(c - '0')))
            return std::nullopt;
    return n;
}

// "-01:02:03", "01:00:00:00", or in the h:m:s style "123:02:03": fields of two
// digits below 60, at least three, the first of the h:m:s style any number.
std::optional<IntegerText> ReadSexagesimal(std::string text) {
    IntegerText out;
    if (!text.empty() && text[0] == '-') {
        out.Negative = true;
        text.erase(0, 1);
    }
    const auto fields = Fields(text, ':');
    if (!fields || fields->size() < 3)
        return std::nullopt;
    const bool hmsHours = fields->size() == 3 && PlainNumber(fields->front()).has_value();
    for (std::size_t i = 0; i < fields->size(); ++i) {
        const std::string& field = (*fields)[i];
        std::optional<std::uint64_t> v;
        if (i == 0 && hmsHours)
            v = PlainNumber(field);
        else if (field.size() == 2 && field[0] >= '0' && field[0] <= '5' && field[1] >= '0' &&
                 field[1] <= '9')
            v = static_cast<std::uint64_t>((field[0] - '0') * 10 + (field[1] - '0'));
        if (!v || !Accumulate(out.Magnitude, 60, *v))
            return std::nullopt;
    }
    return out;
}

// "-1K+512", "7E+1023P": terms from 1 to 1023 (an E term up to 8) with units
// strictly falling, the last maybe without a unit; "0" alone for zero.
std::optional<IntegerText> ReadSize(std::string text) {
    static const std::string units = "KMGTPE";
    IntegerText out;
    if (!text.empty() && text[0] == '-') {
        out.Negative = true;
        text.erase(0, 1);
    }
    if (text == "0" && !out.Negative)
        return out;
    const auto terms = Fields(text, '+');
    if (!terms)
        return std::nullopt;
    std::size_t lastUnit = units.size() + 1;
    for (const std::string& term : *terms) {
        const std::size_t unit = units.find(term.back());
        const std::size_t rank = unit == std::string::npos ? 0 : unit + 1;
        const auto n = PlainNumber(rank == 0 ? term : term.substr(0, term.size() - 1));
        if (!n || *n == 0 || *n > (rank == 6 ? 8u : 1023u) || rank >= lastUnit)
            return std::nullopt;
        lastUnit = rank;
        std::uint64_t v = *n;
        for (std::size_t k = 0; k < rank; ++k)
            if (!Accumulate(v, 1024, 0))
                return std::nullopt;
        if (!Accumulate(out.Magnitude, 1, v))
            return std::nullopt;
    }
    return out;
}

// "192.168.0.1": as many octets as the mode has bytes (four at most), most
// significant first.
std::optional<IntegerText> ReadIPv4(const std::string& text, int octets) {
    const auto fields = Fields(text, '.');
    if (!fields || static_cast<int>(fields->size()) != octets)
        return std::nullopt;
    IntegerText out;
    for (const std::string& field : *fields) {
        const auto octet = PlainNumber(field);
        if (!octet || *octet > 255)
            return std::nullopt;
        out.Magnitude = (out.Magnitude << 8) | *octet;
    }
    return out;
}

// ---- The session ----------------------------------------------------------

struct KeyStroke {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    QString Text;
    const char* Name;
};

class Session {
public:
    Session(MainWindow& window, std::uint64_t seed) : window_(window), random_(seed) {
        for (CommandActionList* list : {window.KeyActions(), window.MenuActions()})
            for (CommandAction* action : list->Actions())
                if (!WaitingCommands.contains(action->Name()))
                    commands_.push_back(action->Name());
        for (int c = 33; c <= 126; ++c)
            if (!WaitingChars.contains(QLatin1Char(static_cast<char>(c))))
                printable_ += QLatin1Char(static_cast<char>(c));
    }

    // One random step; Current describes it, also when it threw.
    void Step();
    const QString& Current() const { return current_; }
    // Everything that must hold between steps; empty when it does.
    QString Check();

    // What the checks looked at, so that a run shows it compared something.
    struct Counts {
        std::uint64_t IntegerComparisons = 0;
        std::uint64_t RealComparisons = 0;
        std::uint64_t Messages = 0;
        std::uint64_t Entering = 0;
        std::uint64_t CurrentValueComparisons = 0;
        std::uint64_t NotationComparisons = 0;
        std::uint64_t TypedTextsLeft = 0;
    };
    const Counts& Counted() const { return counts_; }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

    QString CheckHexAgainstTheRest();
    QString CheckNotationsAgainstHex(const std::string& hexText);
    QString CheckFloatBar(const std::string& hexText);
    void TypeCharacter();
    void PressSpecialKey();
    void RunCommand();
    void ToggleBar();
    void ChangeActiveBar();
    void StepBarOption();
    void Clipboard();
    QString RandomClipboardText();
    void Press(const KeyStroke& key);
    void Note(const QString& text) { current_ = text; }

    MainWindow& window_;
    std::mt19937_64 random_;
    std::vector<QString> commands_;
    QString printable_;
    QString current_;
    Counts counts_;
    // Bars that were active since they last showed a text made from a value:
    // they may still show what was typed into them.
    std::set<BarKind> typedInto_;
};

void Session::Step() {
    current_.clear();
    // A user clears a message soon; staying blocked would leave most keys idle.
    const CalcBar* active = window_.Bars().Active();
    if (active != nullptr && active->HasMessage() && Chance(15)) {
        Press(Chance(50) ? KeyStroke{Qt::Key_Escape, Qt::NoModifier, {}, "Esc"}
                         : KeyStroke{Qt::Key_Delete, Qt::NoModifier, {}, "Del"});
        return;
    }
    const int roll = Below(100);
    if (roll < 34)
        TypeCharacter();
    else if (roll < 50)
        PressSpecialKey();
    else if (roll < 70)
        RunCommand();
    else if (roll < 77)
        ToggleBar();
    else if (roll < 84)
        ChangeActiveBar();
    else if (roll < 90)
        StepBarOption();
    else
        Clipboard();
}

void Session::Press(const KeyStroke& key) {
    Note(QStringLiteral("key %1").arg(QLatin1String(key.Name)));
    QTest::sendKeyEvent(QTest::Click, &window_, key.Key, key.Text, key.Mods);
}

// A character as a US keyboard types it: the digits (often), the letters
// a-f as the plain keys that are hexadecimal digit shortcuts, every other
// printable character with Shift where the keyboard needs it; some from the
// number pad.
void Session::TypeCharacter() {
    static const QString digits = QStringLiteral("0123456789");
    static const QString hexLetters = QStringLiteral("abcdef");
    static const QString shifted = QStringLiteral("~!@#$%^&*()_+{}|:\"<>?");
    static const QString pad = QStringLiteral("0123456789+-*/.");
    const int roll = Below(100);
    if (roll < 10) {
        const QChar c = pad.at(Below(static_cast<int>(pad.size())));
        Note(QStringLiteral("number pad '%1'").arg(c));
        QTest::keyClick(&window_, c.toLatin1(), Qt::KeypadModifier);
        return;
    }
    QChar c;
    if (roll < 45)
        c = digits.at(Below(10));
    else if (roll < 60)
        c = hexLetters.at(Below(6));
    else
        c = printable_.at(Below(static_cast<int>(printable_.size())));
    const char ascii = c.toLatin1();
    const bool shift = (ascii >= 'A' && ascii <= 'Z') || shifted.contains(c);
    Note(QStringLiteral("type '%1'").arg(c));
    QTest::keyClick(&window_, ascii, shift ? Qt::ShiftModifier : Qt::NoModifier);
}

void Session::PressSpecialKey() {
    static const std::vector<KeyStroke> keys = {
        {Qt::Key_Escape, Qt::NoModifier, {}, "Esc"},
        {Qt::Key_Delete, Qt::NoModifier, {}, "Del"},
        {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), "Backspace"},
        {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), "Enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), "pad Enter"},
        {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), "Tab"},
        {Qt::Key_Backtab, Qt::ShiftModifier, {}, "Shift+Tab"},
        {Qt::Key_Up, Qt::NoModifier, {}, "Up"},
        {Qt::Key_Down, Qt::NoModifier, {}, "Down"},
        {Qt::Key_Tab, Qt::ControlModifier, {}, "Ctrl+Tab"},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, {}, "Ctrl+Shift+Tab"},
        {Qt::Key_B, Qt::ControlModifier, {}, "Ctrl+B"},
        {Qt::Key_W, Qt::ControlModifier, {}, "Ctrl+W"},
        {Qt::Key_D, Qt::ControlModifier, {}, "Ctrl+D"},
        {Qt::Key_Q, Qt::ControlModifier, {}, "Ctrl+Q"},
        {Qt::Key_R, Qt::ControlModifier, {}, "Ctrl+R"},
        {Qt::Key_S, Qt::ControlModifier, {}, "Ctrl+S"},
        {Qt::Key_E, Qt::ControlModifier, {}, "Ctrl+E"},
        {Qt::Key_T, Qt::ControlModifier, {}, "Ctrl+T"},
        {Qt::Key_A, Qt::ControlModifier, {}, "Ctrl+A"},
        {Qt::Key_H, Qt::ControlModifier, {}, "Ctrl+H"},
        {Qt::Key_F4, Qt::ControlModifier, {}, "Ctrl+F4"},
    };
    Press(Pick(keys));
}

void Session::RunCommand() {
    const QString& name = Pick(commands_);
    Note(QStringLiteral("command %1").arg(name));
    Run(window_, name);
}

void Session::ToggleBar() {
    static const std::vector<QString> toggles = {
        QStringLiteral("ActToggleDec"),    QStringLiteral("ActToggleHex"),
        QStringLiteral("ActToggleOct"),    QStringLiteral("ActToggleBin"),
        QStringLiteral("ActToggleAscii"),  QStringLiteral("ActToggleIP"),
        QStringLiteral("ActToggleDegree"), QStringLiteral("ActToggleFloat"),
        QStringLiteral("ActToggleTime"),   QStringLiteral("ActToggleKilo"),
    };
    QString name = Pick(toggles);
    // The decimal and hexadecimal bars stay open most of the time, so that
    // their agreement is checked often.
    const bool closesDecOrHex = (name == toggles[0] || name == toggles[1]) &&
                                FindAction(window_, name.toStdString())->isChecked();
    if (closesDecOrHex && Chance(70))
        name = toggles[static_cast<std::size_t>(2 + Below(8))];
    Note(QStringLiteral("toggle %1").arg(name));
    Run(window_, name);
}

// Another bar becomes active: by its Alt access key, by Tab and Shift+Tab, or
// as a click makes it.
void Session::ChangeActiveBar() {
    const int roll = Below(3);
    const char letter = BarKindAccessKey(static_cast<BarKind>(Below(BarKindCount)));
    if (roll == 0 && letter >= 'A' && letter <= 'Z') {
        const auto key = static_cast<Qt::Key>(Qt::Key_A + (letter - 'A'));
        Note(QStringLiteral("key Alt+%1").arg(QLatin1Char(letter)));
        QTest::sendKeyEvent(QTest::Click, &window_, key,
                            QString(QLatin1Char(static_cast<char>(letter - 'A' + 'a'))),
                            Qt::AltModifier);
        return;
    }
    if (roll != 2 || window_.Bars().Count() == 0) {
        Press(Chance(50) ? KeyStroke{Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"), "Tab"}
                         : KeyStroke{Qt::Key_Backtab, Qt::ShiftModifier, {}, "Shift+Tab"});
        return;
    }
    const int index = Below(window_.Bars().Count());
    Note(QStringLiteral("activate bar %1 (%2)")
             .arg(index)
             .arg(window_.Bars().At(index)->Conv().GetLabel().c_str()));
    window_.Bars().Activate(window_.Bars().At(index));
}

// The bar variants' option keys, as keys and as the bar's own operations.
void Session::StepBarOption() {
    if (Chance(60) || window_.Bars().Active() == nullptr) {
        static const std::vector<KeyStroke> keys = {
            {Qt::Key_Left, Qt::NoModifier, {}, "Left"},
            {Qt::Key_Right, Qt::NoModifier, {}, "Right"},
            {Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "), "Ctrl+Space"},
        };
        Press(Pick(keys));
        return;
    }
    CalcBar* bar = window_.Bars().Active();
    const int roll = Below(3);
    if (roll == 2) {
        Note(QStringLiteral("ToggleOption on the active bar"));
        bar->ToggleOption();
        return;
    }
    Note(QStringLiteral("StepOption(%1) on the active bar").arg(roll == 0 ? "back" : "forward"));
    bar->StepOption(roll == 0);
}

QString Session::RandomClipboardText() {
    static const QString pieces[] = {
        QStringLiteral("-"),  QStringLiteral("."),  QStringLiteral(","),    QStringLiteral(" "),
        QStringLiteral(":"),  QStringLiteral("/"),  QStringLiteral("0x"),   QStringLiteral("E"),
        QStringLiteral("h"),  QStringLiteral("K"),  QStringLiteral("\t"),   QStringLiteral("\n"),
        QStringLiteral("あ"), QStringLiteral("漢"), QStringLiteral("０"),   QStringLiteral("😀"),
        QStringLiteral("ｱ"),  QStringLiteral("°"),  QStringLiteral("\r\n"), QStringLiteral("'"),
    };
    static const QString digits = QStringLiteral("0123456789ABCDEFabcdef");
    const int roll = Below(100);
    QString text;
    if (roll < 5)
        return text; // empty
    if (roll < 45) {
        // Something that looks like a number.
        if (Chance(30))
            text += QLatin1Char('-');
        const int n = 1 + Below(Chance(80) ? 12 : 30);
        for (int i = 0; i < n; ++i) {
            text += Chance(85) ? digits.at(Below(Chance(70) ? 10 : 22)) : pieces[Below(10)].at(0);
        }
        return text;
    }
    if (roll < 70) {
        // Garbage: any UTF-16 unit, lone surrogates, control characters.
        const int n = 1 + Below(40);
        for (int i = 0; i < n; ++i) {
            const int kind = Below(4);
            if (kind == 0)
                text += QChar(static_cast<char16_t>(Below(0x10000)));
            else if (kind == 1)
                text += QChar(static_cast<char16_t>(Below(0x20)));
            else if (kind == 2)
                text += pieces[Below(static_cast<int>(std::size(pieces)))];
            else
                text += printable_.at(Below(static_cast<int>(printable_.size())));
        }
        return text;
    }
    if (roll < 90) {
        // Long: a run of one digit, or digits with separators now and then.
        const int n = 200 + Below(Chance(10) ? 200000 : 5000);
        const QChar digit = digits.at(Below(Chance(50) ? 1 : 16));
        text.reserve(n);
        for (int i = 0; i < n; ++i)
            text += Chance(2) ? pieces[Below(4)].at(0) : digit;
        return text;
    }
    // Characters of the character bar's encodings.
    const int n = 1 + Below(10);
    for (int i = 0; i < n; ++i)
        text +=
            QChar(static_cast<char16_t>(Chance(50) ? 0x3041 + Below(0x56) : 0x20 + Below(0x5F)));
    return text;
}

// Copies and pastes through the real clipboard: the active bar's own text
// into another bar, or a text set from outside.
void Session::Clipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const int roll = Below(100);
    if (roll < 30) {
        const bool grouped = Chance(40);
        if (Chance(50))
            Press(grouped ? KeyStroke{Qt::Key_C,
                                      Qt::ControlModifier | Qt::ShiftModifier,
                                      {},
                                      "Ctrl+Shift+C"}
                          : KeyStroke{Qt::Key_C, Qt::ControlModifier, {}, "Ctrl+C"});
        else
            Run(window_,
                grouped ? QStringLiteral("ActEditCopyFmt") : QStringLiteral("ActEditCopy"));
        Note(current_ + QStringLiteral(" copy%1, clipboard %2")
                            .arg(grouped ? " grouped" : "")
                            .arg(Describe(clipboard->text())));
        return;
    }
    QString what;
    if (roll < 65) {
        const QString text = RandomClipboardText();
        clipboard->setText(text);
        what = QStringLiteral("set clipboard %1, ").arg(Describe(text));
    } else {
        what = QStringLiteral("clipboard %1, ").arg(Describe(clipboard->text()));
    }
    if (Chance(50)) {
        Note(what + QStringLiteral("Ctrl+V"));
        QTest::sendKeyEvent(QTest::Click, &window_, Qt::Key_V, QString(), Qt::ControlModifier);
        return;
    }
    Note(what + QStringLiteral("paste command"));
    Run(window_, QStringLiteral("ActEditPaste"));
}

QString Session::Check() {
    if (!g_criticalMessages.isEmpty())
        return QStringLiteral("critical message: ") +
               g_criticalMessages.join(QStringLiteral(" | "));
    int active = 0;
    for (int i = 0; i < window_.Bars().Count(); ++i) {
        const CalcBar* bar = window_.Bars().At(i);
        if (bar->IsActive())
            typedInto_.insert(bar->Kind());
        const QString label = QString::fromStdString(bar->Conv().GetLabel());
        if (bar->IsActive())
            ++active;
        // A new entry in the date/time bar starts from an empty text (a date
        // is typed from nothing). A first character that passes the key test
        // but not the entry (any digit in the 32-bit modes, where the year it
        // starts does not fit) leaves it empty until the bar gets a value.
        const bool clearedDate = bar->Kind() == BarKind::Time && bar->Conv().GetText(false).empty();
        if (bar->ValueLabel()->text().isEmpty() && !clearedDate)
            return QStringLiteral("bar %1 shows no text").arg(label);
        if (bar->GetMode() != window_.Engine().Mode())
            return QStringLiteral("bar %1 is in mode %2, the window in %3")
                .arg(label)
                .arg(static_cast<int>(bar->GetMode()))
                .arg(static_cast<int>(window_.Engine().Mode()));
    }
    if (active != (window_.Bars().Count() > 0 ? 1 : 0))
        return QStringLiteral("%1 active bars among %2").arg(active).arg(window_.Bars().Count());

    const CalcBar* dec = window_.Bars().Find(BarKind::Decimal);
    const CalcBar* hex = window_.Bars().Find(BarKind::Hex);
    const CalcBar* activeBar = window_.Bars().Active();
    if (activeBar != nullptr && activeBar->HasMessage())
        ++counts_.Messages;
    if (window_.Engine().Entry() == EntryState::Entering)
        ++counts_.Entering;
    if (const QString other = CheckHexAgainstTheRest(); !other.isEmpty())
        return other;
    if (dec == nullptr || hex == nullptr || dec->HasMessage() || hex->HasMessage())
        return {};
    const std::string decText = dec->ValueLabel()->text().toStdString();
    const std::string hexText = hex->ValueLabel()->text().toStdString();
    ++(IsFloatMode(window_.Engine().Mode()) ? counts_.RealComparisons : counts_.IntegerComparisons);
    const QString mismatch = IsFloatMode(window_.Engine().Mode())
                                 ? CompareRealBars(decText, hexText)
                                 : CompareIntegerBars(window_, *dec, decText, hexText);
    if (mismatch.isEmpty())
        return {};
    return QStringLiteral("decimal \"%1\" and hexadecimal \"%2\" disagree in mode %3%4%5: %6")
        .arg(QString::fromStdString(decText), QString::fromStdString(hexText))
        .arg(static_cast<int>(window_.Engine().Mode()))
        .arg(window_.Engine().Signed() ? " signed" : "",
             window_.Engine().Reversed() ? " reversed" : "", mismatch);
}

// The octal and binary bars show the bits the hexadecimal bar shows, and with
// no message anywhere the hexadecimal bar shows the engine's current value.
QString Session::CheckHexAgainstTheRest() {
    const CalcBar* hex = window_.Bars().Find(BarKind::Hex);
    if (hex == nullptr || hex->HasMessage())
        return {};
    const std::string hexText = hex->ValueLabel()->text().toStdString();
    const auto hexBits = ParseRadix(hexText, 4);
    if (!hexBits)
        return QStringLiteral("unreadable hexadecimal text \"%1\"").arg(hexText.c_str());
    for (const auto& [kind, bitsPerDigit] :
         {std::pair{BarKind::Oct, 3}, std::pair{BarKind::Bin, 1}}) {
        const CalcBar* bar = window_.Bars().Find(kind);
        if (bar == nullptr || bar->HasMessage())
            continue;
        const std::string text = bar->ValueLabel()->text().toStdString();
        if (ParseRadix(text, bitsPerDigit) != hexBits)
            return QStringLiteral("hexadecimal \"%1\" and %2 \"%3\" disagree")
                .arg(hexText.c_str(), bar->Conv().GetLabel().c_str(), text.c_str());
    }
    if (const QString other = CheckNotationsAgainstHex(hexText); !other.isEmpty())
        return other;
    bool anyMessage = false;
    for (int i = 0; i < window_.Bars().Count(); ++i)
        anyMessage = anyMessage || window_.Bars().At(i)->HasMessage();
    if (anyMessage)
        return {};
    ++counts_.CurrentValueComparisons;
    // Clearing leaves a Float-mode zero as the current value; the bars show
    // every value in the window's mode.
    CalcValue current;
    std::int64_t currentBits = 0;
    try {
        ConvertValue(current, window_.Engine().Mode(), window_.Engine().Current());
        currentBits = GetInteger(current);
    } catch (...) {
        return QStringLiteral("the current value has no reading in the mode, yet no bar says so");
    }
    const int bytes = ModeBytes(current.Mode);
    const std::uint64_t mask = IsFloatMode(current.Mode) || bytes == 8
                                   ? ~std::uint64_t{0}
                                   : (std::uint64_t{1} << (8 * bytes)) - 1;
    if ((static_cast<std::uint64_t>(currentBits) & mask) != *hexBits)
        return QStringLiteral("hexadecimal \"%1\" is not the current value %2")
            .arg(hexText.c_str())
            .arg(currentBits);
    return {};
}

// In the integer modes the sexagesimal, size and IP bars read as the bits the
// hexadecimal bar shows. The active bar is left out: after a paste it may
// still show the text as typed (a partial IP address, a lower-case "k").
QString Session::CheckNotationsAgainstHex(const std::string& hexText) {
    const CalcValueMode mode = window_.Engine().Mode();
    if (IsFloatMode(mode))
        return {};
    for (const BarKind kind : {BarKind::Degree, BarKind::Kilo, BarKind::IP}) {
        const CalcBar* bar = window_.Bars().Find(kind);
        if (bar == nullptr || bar->HasMessage() || bar->IsActive())
            continue;
        const std::string text = bar->ValueLabel()->text().toStdString();
        std::optional<IntegerText> number;
        if (kind == BarKind::Degree)
            number = ReadSexagesimal(text);
        else if (kind == BarKind::Kilo)
            number = ReadSize(text);
        else if (mode == CalcValueMode::QWord)
            continue; // the IP bar shows only the low 32 bits
        else
            number = ReadIPv4(text, std::min(ModeBytes(mode), 4));
        if (!number && typedInto_.count(kind) != 0) {
            ++counts_.TypedTextsLeft;
            continue;
        }
        ++counts_.NotationComparisons;
        const QString mismatch = number ? CompareNumber(window_, *bar, *number, hexText)
                                        : QStringLiteral("unreadable text");
        if (mismatch.isEmpty())
            typedInto_.erase(kind);
        if (!mismatch.isEmpty())
            return QStringLiteral("%1 \"%2\" and hexadecimal \"%3\" disagree in mode %4%5%6: %7")
                .arg(bar->Conv().GetLabel().c_str(), text.c_str(), hexText.c_str())
                .arg(static_cast<int>(mode))
                .arg(window_.Engine().Signed() ? " signed" : "",
                     window_.Engine().Reversed() ? " reversed" : "", mismatch);
    }
    return CheckFloatBar(hexText);
}

// In the integer modes the IEEE 754 bar shows the bits as a single (a double
// in Int64 mode), read here through memcpy: digits enough to read back as the
// same single or double, "0", "Inf", "QNaN" or "SNaN".
QString Session::CheckFloatBar(const std::string& hexText) {
    const CalcValueMode mode = window_.Engine().Mode();
    const CalcBar* bar = window_.Bars().Find(BarKind::Float);
    const auto hexBits = ParseRadix(hexText, 4);
    if (bar == nullptr || bar->HasMessage() || bar->IsActive() || !hexBits)
        return {};
    std::uint64_t bits = *hexBits;
    if (ReversedIn(window_, *bar))
        bits = ReverseByteOrder(bits, ModeBytes(mode));
    long double expected = 0;
    const FloatFormat format = dynamic_cast<const FloatConversion&>(bar->Conv()).GetFloatFormat();
    const bool small = mode == CalcValueMode::Word || mode == CalcValueMode::Byte;
    double d = 0;
    float f = 0;
    if (mode == CalcValueMode::QWord) {
        std::memcpy(&d, &bits, sizeof d);
        expected = d;
    } else if (small) {
        expected = SmallFloatReading(bits, format);
    } else {
        const auto low = static_cast<std::uint32_t>(bits);
        std::memcpy(&f, &low, sizeof f);
        expected = f;
    }
    const std::string text = bar->ValueLabel()->text().toStdString();
    ++counts_.NotationComparisons;
    bool agrees = false;
    if (std::isnan(expected)) {
        agrees = text == (format == FloatFormat::E4M3 ? "NaN" : "QNaN") || text == "SNaN";
    } else if (std::isinf(expected)) {
        agrees = text == (expected < 0 ? "-Inf" : "Inf");
    } else if (mode == CalcValueMode::QWord) {
        agrees = ReadsBackAs(text, d);
    } else if (!small) {
        agrees = ReadsBackAs(text, f);
    } else if (const auto shown = ParseDecimalReal(text, CurrentFormat())) {
        agrees = std::fabs(*shown - expected) <= std::fabs(expected) * 1e-14L &&
                 std::signbit(*shown) == std::signbit(expected);
    }
    if (agrees) {
        typedInto_.erase(BarKind::Float);
        return {};
    }
    if (typedInto_.count(BarKind::Float) != 0) {
        ++counts_.TypedTextsLeft;
        return {};
    }
    return QStringLiteral("FLT \"%1\" is not the IEEE 754 reading of hexadecimal \"%2\"")
        .arg(text.c_str(), hexText.c_str());
}

// Pop-up menus a key opened (Alt letters reach the menu bar when no bar has
// the letter) are closed; a modal window would stop the session and is a
// fault of its own.
class ModalWatch {
public:
    ModalWatch() {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened_ += modal->metaObject()->className();
                modal->close();
            }
        });
        timer_.start();
    }
    QString Take() { return std::exchange(opened_, {}); }

private:
    QTimer timer_;
    QString opened_;
};

void ClosePopups() {
    for (int guard = 0; guard < 10; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr)
            break;
        popup->close();
    }
}

} // namespace

class EnduranceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readersOfTheNotations_data();
    void readersOfTheNotations();
    void checksSeeADisagreement_data();
    void checksSeeADisagreement();
    void floatBarCheckSeesAWrongReading();
    void randomSession_data();
    void randomSession();
};

// 0x3F800000 is the single 1.0; the IEEE 754 bar given another value behind
// the engine's back no longer reads as the hexadecimal bar.
void EnduranceTest::floatBarCheckSeesAWrongReading() {
    WindowFixture window;
    Session session(*window, 1);
    Keys(*window, "ActToggleFloat");
    window->Bars().Activate(window->Bars().Find(BarKind::Decimal));
    Keys(*window, "1065353216");
    QCOMPARE(Shown(window->Bars().Find(BarKind::Float)), QStringLiteral("1"));
    QCOMPARE(session.Check(), QString());
    CalcValue other;
    SetInteger(other, CalcValueMode::DWord, 0x40000000);
    window->Bars().Find(BarKind::Float)->SetValue(other);
    QVERIFY(!session.Check().isEmpty());
}

void EnduranceTest::randomSession_data() {
    QTest::addColumn<int>("decimal");
    QTest::addColumn<int>("thousands");
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("time");
    QTest::newRow("point decimals") << int('.') << int(',') << int('/') << int(':');
    // The decimal comma and a dash between the fields of a date, where the
    // same key also toggles the sign.
    QTest::newRow("comma decimals, dashed dates") << int(',') << int('.') << int('-') << int(':');
}

void EnduranceTest::checksSeeADisagreement_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<qint64>("wrongHex");
    QTest::newRow("DWord") << "1234" << qint64{0x4D3};
    QTest::newRow("DWord grouped") << "ActSeparated 1234567" << qint64{1234568};
    QTest::newRow("Byte signed") << "ActModeByte ActModeSigned 100 neg" << qint64{0x9D};
    QTest::newRow("Word reversed") << "ActModeWord ActModeReversed 258" << qint64{0x0102};
    QTest::newRow("Int64") << "ActModeQWord 1 neg" << qint64{-2};
    QTest::newRow("Real") << "ActModeFloat 7 . 9" << qint64{8};
    QTest::newRow("Real negative") << "ActModeFloat 2 . 5 neg" << qint64{-3};
}

void EnduranceTest::readersOfTheNotations_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<quint64>("magnitude");
    const auto deg = int(BarKind::Degree);
    const auto kilo = int(BarKind::Kilo);
    const auto ip = int(BarKind::IP);
    QTest::newRow("sexagesimal") << deg << "01:02:03" << true << false << quint64{3723};
    QTest::newRow("sexagesimal negative") << deg << "-00:00:59" << true << true << quint64{59};
    QTest::newRow("h:m:s hours") << deg << "123:00:01" << true << false << quint64{442801};
    QTest::newRow("sexagesimal empty field") << deg << "01::03" << false << false << quint64{0};
    QTest::newRow("sexagesimal as typed") << deg << "1:2" << false << false << quint64{0};
    QTest::newRow("sexagesimal days") << deg << "01:00:00:00" << true << false << quint64{216000};
    QTest::newRow("sexagesimal field of 60") << deg << "00:60:00" << false << false << quint64{0};
    QTest::newRow("size") << kilo << "1K+512" << true << false << quint64{1536};
    QTest::newRow("size negative") << kilo << "-1M" << true << true << quint64{1048576};
    QTest::newRow("size exa") << kilo << "7E+1023P" << true << false << quint64{0x1FFFull << 50};
    QTest::newRow("size zero") << kilo << "0" << true << false << quint64{0};
    QTest::newRow("size dangling plus") << kilo << "1K+" << false << false << quint64{0};
    QTest::newRow("size empty") << kilo << "" << false << false << quint64{0};
    QTest::newRow("size as typed") << kilo << "0e" << false << false << quint64{0};
    QTest::newRow("size units rising") << kilo << "1K+1M" << false << false << quint64{0};
    QTest::newRow("size term of 1024") << kilo << "1024K" << false << false << quint64{0};
    QTest::newRow("address") << ip << "192.168.0.1" << true << false << quint64{0xC0A80001};
    QTest::newRow("address octet") << ip << "256.0.0.0" << false << false << quint64{0};
    QTest::newRow("address as typed") << ip << "192.168" << false << false << quint64{0};
}

// The independent readers the session compares the bars with.
void EnduranceTest::readersOfTheNotations() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(bool, negative);
    QFETCH(quint64, magnitude);
    const std::string t = text.toStdString();
    const auto number = kind == int(BarKind::Degree) ? ReadSexagesimal(t)
                        : kind == int(BarKind::Kilo) ? ReadSize(t)
                                                     : ReadIPv4(t, 4);
    QCOMPARE(number.has_value(), readable);
    if (readable) {
        QCOMPARE(number->Negative, negative);
        QCOMPARE(number->Magnitude, magnitude);
    }
}

// The session's checks accept what the window shows and see a hexadecimal
// bar that was given another value behind the engine's back.
void EnduranceTest::checksSeeADisagreement() {
    QFETCH(QString, keys);
    QFETCH(qint64, wrongHex);
    WindowFixture window;
    Session session(*window, 1);
    Keys(*window, keys.replace(QLatin1String(" . "), QLatin1String(" ActPeriod ")));
    QCOMPARE(session.Check(), QString());
    CalcBar* hex = window->Bars().Find(BarKind::Hex);
    CalcValue wrong;
    if (IsFloatMode(window->Engine().Mode()))
        SetReal(wrong, CalcValueMode::Float, static_cast<Real>(wrongHex));
    else
        SetInteger(wrong, window->Engine().Mode(), wrongHex);
    hex->SetValue(wrong);
    QVERIFY2(!session.Check().isEmpty(), qPrintable(Shown(hex)));
}

void EnduranceTest::initTestCase() {
    g_previousHandler = qInstallMessageHandler(FailOnCritical);
}

void EnduranceTest::cleanupTestCase() {
    qInstallMessageHandler(g_previousHandler);
}

void EnduranceTest::randomSession() {
    QFETCH(int, decimal);
    QFETCH(int, thousands);
    QFETCH(int, date);
    QFETCH(int, time);
    const std::uint64_t steps = EnvNumber("PEXA_ENDURANCE_STEPS", DefaultSteps);
    const std::uint64_t seed = EnvNumber("PEXA_ENDURANCE_SEED", DefaultSeed);
    // Every step with what each bar shows afterwards, for following a failure.
    const bool trace = EnvNumber("PEXA_ENDURANCE_TRACE", 0) != 0;
    std::fprintf(stderr, "endurance: seed 0x%llx, %llu steps\n",
                 static_cast<unsigned long long>(seed), static_cast<unsigned long long>(steps));

    // The window reads the locale characters when it is created (the key of
    // the decimal separator), and a settings file of its own.
    const FormatSettingsScope format(MakeFormatSettings(decimal, thousands, date, time));
    QCOMPARE(CurrentFormat().DecimalSeparator, static_cast<char>(decimal));
    QCOMPARE(CurrentFormat().DateSeparator, static_cast<char>(date));
    QTemporaryDir settingsDir;
    const ProfilePathOverride profile(
        settingsDir.filePath(QStringLiteral("pexa.ini")).toStdString());
    auto window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ModalWatch modalWatch;
    Session session(*window, seed);
    g_recentSteps.clear();
    g_criticalMessages.clear();

    QElapsedTimer clock;
    clock.start();
    qint64 slowest = 0;
    QString slowestStep;
    for (std::uint64_t i = 1; i <= steps; ++i) {
        QString failure;
        const qint64 started = clock.elapsed();
        try {
            session.Step();
            QCoreApplication::processEvents();
            ClosePopups();
        } catch (const std::exception& e) {
            failure = QStringLiteral("exception: ") + QString::fromUtf8(e.what());
        } catch (...) {
            failure = QStringLiteral("exception of an unknown type");
        }
        const qint64 took = clock.elapsed() - started;
        if (took > slowest) {
            slowest = took;
            slowestStep = QStringLiteral("#%1 %2").arg(i).arg(session.Current());
        }
        g_recentSteps.push_back(QStringLiteral("#%1 %2").arg(i).arg(session.Current()));
        if (g_recentSteps.size() > ReplayLength)
            g_recentSteps.pop_front();
        if (trace) {
            std::fprintf(stderr, "#%llu %s [active %d]\n", static_cast<unsigned long long>(i),
                         qPrintable(session.Current()), window->Bars().ActiveIndex());
            for (int b = 0; b < window->Bars().Count(); ++b)
                std::fprintf(stderr, "    %s: %s\n",
                             window->Bars().At(b)->Conv().GetLabel().c_str(),
                             qPrintable(Shown(window->Bars().At(b))));
        }
        if (failure.isEmpty() && took > MaxStepMilliseconds)
            failure = QStringLiteral("the step took %1 ms").arg(took);
        if (failure.isEmpty()) {
            const QString modal = modalWatch.Take();
            failure = modal.isEmpty() ? session.Check()
                                      : QStringLiteral("a modal window opened: ") + modal;
        }
        if (!failure.isEmpty()) {
            PrintRecentSteps();
            for (int b = 0; b < window->Bars().Count(); ++b)
                std::fprintf(stderr, "  bar %s: %s\n",
                             window->Bars().At(b)->Conv().GetLabel().c_str(),
                             qPrintable(Shown(window->Bars().At(b))));
            QFAIL(qPrintable(
                QStringLiteral("seed 0x%1, step %2: %3").arg(seed, 0, 16).arg(i).arg(failure)));
        }
    }
    const Session::Counts& counts = session.Counted();
    std::fprintf(
        stderr,
        "endurance: decimal and hexadecimal compared %llu times in integer modes, %llu "
        "in Float mode; %llu steps ended with a message in the active bar, %llu "
        "in an entry; the current value compared %llu times, other notations %llu (%llu left "
        "with a typed text)\n",
        static_cast<unsigned long long>(counts.IntegerComparisons),
        static_cast<unsigned long long>(counts.RealComparisons),
        static_cast<unsigned long long>(counts.Messages),
        static_cast<unsigned long long>(counts.Entering),
        static_cast<unsigned long long>(counts.CurrentValueComparisons),
        static_cast<unsigned long long>(counts.NotationComparisons),
        static_cast<unsigned long long>(counts.TypedTextsLeft));
    std::fprintf(stderr, "endurance: slowest step %lld ms: %s\n", slowest, qPrintable(slowestStep));
    QVERIFY(counts.IntegerComparisons > 0 || steps < 100);
    std::fprintf(stderr, "endurance: %llu steps in %.1f s, %d bars at the end\n",
                 static_cast<unsigned long long>(steps),
                 static_cast<double>(clock.elapsed()) / 1000, window->Bars().Count());
}

QTEST_MAIN(EnduranceTest)
#include "test_endurance.moc"
