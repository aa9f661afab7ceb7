#pragma once

// A seeded random session against the real main window: keys and typed
// characters as the keyboard sends them, commands, bar toggles, bar options,
// copies and pastes through the real clipboard; and the checks that must hold
// after every step. Shared by the endurance test programs.

#include "BarReaders.h"
#include "MainWindowHarness.h"

#include "conv/FloatConversion.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace pexa::testing {

// Commands that open a modal dialog or a pop-up menu, which would wait for a
// user, or end the program.
inline const QStringList WaitingCommands = {
    QStringLiteral("actionChooseFont"), QStringLiteral("actionChooseBodyColour"),
    QStringLiteral("actionHelpAbout"),  QStringLiteral("actionHelpContents"),
    QStringLiteral("actionQuickMenu"),  QStringLiteral("actionDescriptiveQuickMenu"),
    QStringLiteral("actionModeMenu"),   QStringLiteral("actionShiftAmountMenu"),
    QStringLiteral("actionExit"),
};

// Characters whose keys open a pop-up menu: plain q and Shift+q (operation
// menus), m (mode menu), ";" (shift amount).
inline const QString WaitingChars = QStringLiteral("qQmM;");

// The last steps, printed when something fails so that the run can be
// followed; the seed and the step number replay it exactly.
inline std::deque<QString> g_recentSteps;
inline QStringList g_criticalMessages;
inline QtMessageHandler g_previousHandler = nullptr;

inline void PrintRecentSteps() {
    std::fprintf(stderr, "---- last %zu steps ----\n", g_recentSteps.size());
    for (const QString& step : g_recentSteps)
        std::fprintf(stderr, "  %s\n", qPrintable(step));
}

inline void FailOnCritical(QtMsgType type, const QMessageLogContext& context, const QString& text) {
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
inline QString Describe(const QString& text) {
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

struct KeyStroke {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    QString Text;
    const char* Name;
};

class Session {
public:
    Session(MainWindow& window, std::uint64_t seed) : window_(window), random_(seed) {
        for (const CommandInfo& info : Commands())
            if (info.List != CommandList::Bars &&
                !WaitingCommands.contains(QLatin1String(info.Name)))
                commands_.push_back(QLatin1String(info.Name));
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

inline void Session::Step() {
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

inline void Session::Press(const KeyStroke& key) {
    Note(QStringLiteral("key %1").arg(QLatin1String(key.Name)));
    QTest::sendKeyEvent(QTest::Click, &window_, key.Key, key.Text, key.Mods);
}

// A character as a US keyboard types it: the digits (often), the letters
// a-f as the plain keys that are hexadecimal digit shortcuts, every other
// printable character with Shift where the keyboard needs it; some from the
// number pad.
inline void Session::TypeCharacter() {
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

inline void Session::PressSpecialKey() {
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

inline void Session::RunCommand() {
    const QString& name = Pick(commands_);
    Note(QStringLiteral("command %1").arg(name));
    Run(window_, name);
    // Undo and redo bring an entry back as it was typed, into whichever bar
    // took it, active or not: its text may be partial, as any typed text.
    if (name == QLatin1String("actionEditUndo") || name == QLatin1String("actionEditRedo")) {
        for (int i = 0; i < window_.Bars().Count(); ++i)
            typedInto_.insert(window_.Bars().At(i)->Kind());
    }
}

inline void Session::ToggleBar() {
    static const std::vector<QString> toggles = {
        QStringLiteral("actionToggleDec"),         QStringLiteral("actionToggleHex"),
        QStringLiteral("actionToggleOct"),         QStringLiteral("actionToggleBin"),
        QStringLiteral("actionToggleChar"),        QStringLiteral("actionToggleIP"),
        QStringLiteral("actionToggleSexagesimal"), QStringLiteral("actionToggleFloat"),
        QStringLiteral("actionToggleTime"),        QStringLiteral("actionToggleSize"),
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
inline void Session::ChangeActiveBar() {
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
inline void Session::StepBarOption() {
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

inline QString Session::RandomClipboardText() {
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
inline void Session::Clipboard() {
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
            Run(window_, grouped ? QStringLiteral("actionEditCopyGrouped")
                                 : QStringLiteral("actionEditCopy"));
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
    Run(window_, QStringLiteral("actionEditPaste"));
}

inline QString Session::Check() {
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
        if (bar->Parts().ValueLabel->text().isEmpty() && !clearedDate)
            return QStringLiteral("bar %1 shows no text").arg(label);
        if (bar->Conv().GetMode() != window_.Engine().Mode())
            return QStringLiteral("bar %1 is in mode %2, the window in %3")
                .arg(label)
                .arg(static_cast<int>(bar->Conv().GetMode()))
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
    const std::string decText = dec->Parts().ValueLabel->text().toStdString();
    const std::string hexText = hex->Parts().ValueLabel->text().toStdString();
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
inline QString Session::CheckHexAgainstTheRest() {
    const CalcBar* hex = window_.Bars().Find(BarKind::Hex);
    if (hex == nullptr || hex->HasMessage())
        return {};
    const std::string hexText = hex->Parts().ValueLabel->text().toStdString();
    const auto hexBits = ParseRadix(hexText, 4);
    if (!hexBits)
        return QStringLiteral("unreadable hexadecimal text \"%1\"").arg(hexText.c_str());
    for (const auto& [kind, bitsPerDigit] :
         {std::pair{BarKind::Oct, 3}, std::pair{BarKind::Bin, 1}}) {
        const CalcBar* bar = window_.Bars().Find(kind);
        if (bar == nullptr || bar->HasMessage())
            continue;
        const std::string text = bar->Parts().ValueLabel->text().toStdString();
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
inline QString Session::CheckNotationsAgainstHex(const std::string& hexText) {
    const CalcValueMode mode = window_.Engine().Mode();
    if (IsFloatMode(mode))
        return {};
    for (const BarKind kind : {BarKind::Degree, BarKind::Kilo, BarKind::IP}) {
        const CalcBar* bar = window_.Bars().Find(kind);
        if (bar == nullptr || bar->HasMessage() || bar->IsActive())
            continue;
        const std::string text = bar->Parts().ValueLabel->text().toStdString();
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
inline QString Session::CheckFloatBar(const std::string& hexText) {
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
    const std::string text = bar->Parts().ValueLabel->text().toStdString();
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

} // namespace pexa::testing
