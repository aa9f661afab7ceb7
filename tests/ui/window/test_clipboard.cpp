// Copying the active bar's text and pasting clipboard text through the engine.

#include "MainWindowHarness.h"

#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "enc/EncChar.h"
#include "ui/bars/CalcBarVariants.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QToolBar>

#include <optional>
#include <string>

using namespace pexa;
using namespace pexa::testing;

namespace {

QClipboard& Clipboard() {
    return *QGuiApplication::clipboard();
}

QString ClipboardText() {
    return Clipboard().text(QClipboard::Clipboard);
}

void SetClipboardText(const QString& text) {
    Clipboard().setText(text, QClipboard::Clipboard);
}

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void copyPlainAndGrouped_data();
    void copyPlainAndGrouped();
    void copyTakesTheValueNotTheMessage();
    void groupedCopyPastesBack_data();
    void groupedCopyPastesBack();
    void leadingMinusOnSignedBar();
    void leadingMinusOnBarWithoutSign();
    void singleMinusIsOfferedAsItIs();
    void pasteRefusedWholeAtARefusedCharacter();
    void refusedFirstCharacterChangesNothing();
    void pasteRefusedWhileAMessageShows();
    void pasteAfterEqualsStartsAfresh();
    void nextDigitAfterPasteStartsNewEntry();
    void nonAsciiTextIsRefused();
    void characterBarCopyAndPaste();
    void unicodeCharacterBar();
    void eucCharacterPastesBackAsItsCode();
    void dateBarTypesAndPastesInDWord();
    void negativeDigitsFitOnlyWithTheSign_data();
    void negativeDigitsFitOnlyWithTheSign();
    void enabledRules();
    void pasteFollowsClipboardChangesAtOnce();
    void hugeTextWithNulsKeepsTheValue();
    void hugeRunsOfAcceptedCharactersFinish();
    void refusalShowsWhyAndKeepsTheEntry();
    void refusalMessageLastsUntilTheNextKey();
    void invalidUtf8IsRefused();
    void byteOrderMarkIsABlank();
    void invalidDateEntryIsNotComputedWith();
    void copyAsCLiteral_data();
    void copyAsCLiteral();
};

void ClipboardTest::copyPlainAndGrouped_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("decimal") << int(BarKind::Decimal) << "1234567"
                             << "1234567"
                             << "1,234,567";
    QTest::newRow("decimal negative") << int(BarKind::Decimal) << "actionModeSigned 1234 neg"
                                      << "-1234"
                                      << "-1,234";
    QTest::newRow("hexadecimal") << int(BarKind::Hex) << "12345"
                                 << "00012345"
                                 << "0001 2345";
}

void ClipboardTest::copyPlainAndGrouped() {
    QFETCH(int, kind);
    QFETCH(QString, keys);
    QFETCH(QString, plain);
    QFETCH(QString, grouped);
    WindowFixture window;
    window->Bars().Activate(window->Bars().Find(static_cast<BarKind>(kind)));
    Keys(*window, keys);
    // The display option does not matter.
    for (const bool separated : {false, true}) {
        window->View().Set(ViewOptions::Flag::DigitGrouping, separated);
        QVERIFY(Run(*window, "actionEditCopy"));
        QCOMPARE(ClipboardText(), plain);
        QVERIFY(Run(*window, "actionEditCopyGrouped"));
        QCOMPARE(ClipboardText(), grouped);
    }
}

void ClipboardTest::copyTakesTheValueNotTheMessage() {
    WindowFixture window;
    Keys(*window, "12 =");
    window->Engine().ReportFailure(std::make_exception_ptr(CalcError(CalcErrorKind::Overflow)),
                                   std::nullopt);
    QVERIFY(window->Engine().IsBlocked());
    QVERIFY(Run(*window, "actionEditCopy"));
    QCOMPARE(ClipboardText(), "12");
}

void ClipboardTest::groupedCopyPastesBack_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("keys");
    QTest::newRow("decimal") << int(BarKind::Decimal) << "actionModeInt64 9007199254740993";
    QTest::newRow("decimal signed") << int(BarKind::Decimal) << "actionModeSigned 2147483647 neg";
    QTest::newRow("decimal real") << int(BarKind::Decimal) << "actionModeReal 1234567 . 25";
    QTest::newRow("hexadecimal") << int(BarKind::Hex) << "actionModeInt64 FEDCBA9876543210";
    QTest::newRow("binary") << int(BarKind::Bin) << "actionModeWord 1011001110001111";
    QTest::newRow("octal") << int(BarKind::Oct) << "1234567";
}

void ClipboardTest::groupedCopyPastesBack() {
    QFETCH(int, kind);
    QFETCH(QString, keys);
    WindowFixture window;
    const auto barKind = static_cast<BarKind>(kind);
    if (window->Bars().Find(barKind) == nullptr)
        window->Bars().Create(barKind);
    window->Bars().Activate(window->Bars().Find(barKind));
    Keys(*window, keys);
    const CalcValue typed = window->Engine().Current();
    for (const char* copy : {"actionEditCopyGrouped", "actionEditCopy"}) {
        // Octal has no grouping: its grouped copy is disabled.
        const bool copies = copy == QLatin1String("actionEditCopy") ||
                            window->Bars().Active()->Offers(ConvOption::DigitGrouping);
        QCOMPARE(Run(*window, copy), copies);
        if (!copies)
            continue;
        Keys(*window, "AC");
        QVERIFY(GetReal(window->Engine().Current()) == 0);
        QVERIFY(Run(*window, "actionEditPaste"));
        QCOMPARE(window->Engine().Entry(), EntryState::Computed);
        QCOMPARE(window->Engine().Current().Mode, typed.Mode);
        QCOMPARE(GetInteger(window->Engine().Current()), GetInteger(typed));
        QVERIFY(GetReal(window->Engine().Current()) == GetReal(typed));
    }
}

void ClipboardTest::leadingMinusOnSignedBar() {
    WindowFixture window;
    Keys(*window, "actionModeSigned");
    QVERIFY(window->PasteText("-1,234"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "-1234");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "FFFFFB2E");
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    // Unsigned, a negative number has no reading: refused, not pasted
    // without its sign.
    Keys(*window, "actionModeSigned AC");
    QVERIFY(!window->PasteText("-77"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "0");
    QVERIFY(ShownOf(*window, BarKind::Decimal).contains("-77"));
}

void ClipboardTest::leadingMinusOnBarWithoutSign() {
    WindowFixture window;
    Keys(*window, "5");
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    QVERIFY(!window->PasteText("-12"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Hex)), "00000005");
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
}

void ClipboardTest::singleMinusIsOfferedAsItIs() {
    WindowFixture window;
    Keys(*window, "42 =");
    // Unsigned decimal refuses "-" as a character.
    QVERIFY(!window->PasteText("-"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "42");
    QCOMPARE(window->Engine().Entry(), EntryState::Equalled);
}

void ClipboardTest::pasteRefusedWholeAtARefusedCharacter() {
    WindowFixture window;
    Keys(*window, "9");
    QVERIFY(!window->PasteText("12x34"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "9");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000009");
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    Keys(*window, "actionModeSigned");
    QVERIFY(!window->PasteText("-56z"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "9");
}

void ClipboardTest::refusedFirstCharacterChangesNothing() {
    WindowFixture window;
    Keys(*window, "2 + 3");
    QVERIFY(!window->PasteText("x1"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "3");
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(window->Engine().PendingOperator(), std::optional(BinaryOp::Add));
    // An empty text does nothing at all.
    QVERIFY(window->PasteText(QString()));
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    Keys(*window, "=");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "5");
}

void ClipboardTest::pasteRefusedWhileAMessageShows() {
    WindowFixture window;
    Keys(*window, "7 / 0 =");
    const QString message = ShownOf(*window, BarKind::Decimal);
    QVERIFY(!window->PasteText("5"));
    QVERIFY(window->Engine().IsBlocked());
    QCOMPARE(ShownOf(*window, BarKind::Decimal), message);
}

void ClipboardTest::pasteAfterEqualsStartsAfresh() {
    WindowFixture window;
    Keys(*window, "2 + 3 =");
    QVERIFY(window->PasteText("40"));
    QCOMPARE(window->Engine().PendingOperator(), std::nullopt);
    QCOMPARE(window->Bars().At(0)->OperatorText(), "");
    Keys(*window, "=");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "40");
}

void ClipboardTest::nextDigitAfterPasteStartsNewEntry() {
    WindowFixture window;
    Keys(*window, "8 +");
    QVERIFY(window->PasteText("12"));
    Keys(*window, "3");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "3");
    Keys(*window, "=");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "11");
}

void ClipboardTest::nonAsciiTextIsRefused() {
    WindowFixture window;
    QVERIFY(!window->PasteText(QStringLiteral("1２")));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "0");
    QVERIFY(!window->PasteText(QStringLiteral("😀")));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "0");
}

void ClipboardTest::characterBarCopyAndPaste() {
    WindowFixture window;
    if (!CanOpenBarKind(BarKind::Char))
        QSKIP("no character conversion in this build");
    CalcBar* chr = window->Bars().Create(BarKind::Char);
    window->Bars().Activate(chr);
    QVERIFY(window->PasteText(QStringLiteral("AB")));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00004142");
    QVERIFY(Run(*window, "actionEditCopy"));
    // The display pads unused high bytes with "_"; the copy does not, so it
    // pastes back as the same value.
    QCOMPARE(ClipboardText(), "AB");
    Keys(*window, "AC");
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00004142");
}

// The Unicode encodings show, copy, paste and take typed characters whole.
void ClipboardTest::unicodeCharacterBar() {
    WindowFixture window;
    if (!CanOpenBarKind(BarKind::Char))
        QSKIP("no character conversion in this build");
    auto* chr = qobject_cast<CharacterBar*>(window->Bars().Create(BarKind::Char));
    QVERIFY(chr != nullptr);
    window->Bars().Activate(chr);
    chr->SetEncoding(CharEncoding::Utf8);
    QVERIFY(window->PasteText(QStringLiteral("日")));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00E697A5");
    QCOMPARE(chr->Parts().ValueLabel->text(), QStringLiteral("_日"));
    QVERIFY(Run(*window, "actionEditCopy"));
    QCOMPARE(ClipboardText(), QStringLiteral("日"));

    chr->SetEncoding(CharEncoding::CodePoint);
    QVERIFY(window->PasteText(QStringLiteral("😀")));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0001F600");
    QCOMPARE(chr->Parts().ValueLabel->text(), QStringLiteral("😀"));
    // A second character has no place in a code point: refused, value kept.
    QVERIFY(!window->PasteText(QStringLiteral("日本")));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0001F600");
    // Typed from the keyboard (an input method's character, a surrogate
    // pair in the key's text) it goes in whole.
    Keys(*window, "AC");
    QTest::sendKeyEvent(QTest::Click, &*window, Qt::Key_unknown, QStringLiteral("😀"),
                        Qt::NoModifier);
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0001F600");
}

// The EUC bar shows 0xCBEE as 鮪, copied in Unicode; pasted back it is the
// EUC code again, not the Shift JIS one (0x968E).
void ClipboardTest::eucCharacterPastesBackAsItsCode() {
    WindowFixture window;
    if (!CanOpenBarKind(BarKind::Char))
        QSKIP("no character conversion in this build");
    auto* chr = qobject_cast<CharacterBar*>(window->Bars().Create(BarKind::Char));
    QVERIFY(chr != nullptr);
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    Keys(*window, "CBEE");
    chr->SetEncoding(CharEncoding::Euc);
    window->Bars().Activate(chr);
    QVERIFY(Run(*window, "actionEditCopy"));
    QCOMPARE(ClipboardText(), QStringLiteral("鮪"));
    Keys(*window, "AC");
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0000CBEE");
    // Half-width katakana has no EUC code here: refused.
    QVERIFY(!window->PasteText(QStringLiteral("ｱ")));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0000CBEE");
}

// The default DWord mode cannot hold the years a date passes through while
// it is typed (the year 2 of 2006), nor a zero-padded day's "0": both are
// kept and the whole date arrives.
void ClipboardTest::dateBarTypesAndPastesInDWord() {
    WindowFixture window;
    CalcBar* time = window->Bars().Find(BarKind::Time);
    if (time == nullptr)
        time = window->Bars().Create(BarKind::Time);
    window->Bars().Activate(time);
    QCOMPARE(window->Engine().Current().Mode, CalcValueMode::DWord);
    for (const char c : std::string("2006:1:2 3:4:5"))
        QVERIFY(window->Engine().Type(c, false, false));
    QCOMPARE(PlainText(time), "2006/1/2 3:4:5");
    QCOMPARE(GetInteger(window->Engine().Current()), 1136171045);
    QCOMPARE(time->Conv().GetTextState(), ConvTextState::Normal);

    Keys(*window, "AC");
    SetClipboardText("2006/01/02 03:04:05");
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(GetInteger(window->Engine().Current()), 1136171045);
    QCOMPARE(time->Conv().GetTextState(), ConvTextState::Normal);
    // What the bar then copies pastes back the same.
    QVERIFY(Run(*window, "actionEditCopy"));
    Keys(*window, "AC");
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(GetInteger(window->Engine().Current()), 1136171045);
}

void ClipboardTest::negativeDigitsFitOnlyWithTheSign_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("byte") << "actionModeByte"
                          << "-128"
                          << "80";
    QTest::newRow("word") << "actionModeWord"
                          << "-32768"
                          << "8000";
    QTest::newRow("dword") << "actionModeDWord"
                           << "-2147483648"
                           << "80000000";
}

void ClipboardTest::negativeDigitsFitOnlyWithTheSign() {
    QFETCH(QString, mode);
    QFETCH(QString, text);
    QFETCH(QString, hex);
    WindowFixture window;
    Keys(*window, mode + " actionModeSigned");
    QVERIFY(window->PasteText(text));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), text);
    QCOMPARE(ShownOf(*window, BarKind::Hex), hex);
    // One digit too many refuses the paste.
    Keys(*window, "AC");
    QVERIFY(!window->PasteText(text + "0"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "0");
}

void ClipboardTest::enabledRules() {
    WindowFixture window;
    SetClipboardText("12");
    QVERIFY(window->ClipboardHasText());
    QVERIFY(Enabled(*window, "actionEditCopy"));
    QVERIFY(Enabled(*window, "actionEditCopyGrouped"));
    QVERIFY(Enabled(*window, "actionEditPaste"));
    Clipboard().clear(QClipboard::Clipboard);
    QVERIFY(!window->ClipboardHasText());
    QVERIFY(!Enabled(*window, "actionEditPaste"));
    QVERIFY(!Run(*window, "actionEditPaste"));
    SetClipboardText("5");
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "5");
    // Copy with grouping needs a bar that groups.
    for (int i = 0; i < window->Bars().Count(); ++i) {
        window->Bars().Activate(window->Bars().At(i));
        QCOMPARE(Enabled(*window, "actionEditCopyGrouped"),
                 window->Bars().At(i)->Offers(ConvOption::DigitGrouping));
        QVERIFY(Enabled(*window, "actionEditCopy"));
    }
}

// Another program changes the clipboard while the window is idle: the tool
// button and the menu item of Paste change with it, with no command run
// and no refresh asked for.
void ClipboardTest::pasteFollowsClipboardChangesAtOnce() {
    Clipboard().clear(QClipboard::Clipboard);
    WindowFixture window;
    window->UpdateActions();
    QAction* paste = FindAction(*window, "actionEditPaste");
    QWidget* button = window->MainToolBar()->widgetForAction(paste);
    QVERIFY(button != nullptr);
    QVERIFY(!button->isEnabled());
    QVERIFY(!paste->isEnabled());
    SetClipboardText("12");
    QVERIFY(button->isEnabled());
    QVERIFY(paste->isEnabled());
    Clipboard().clear(QClipboard::Clipboard);
    QVERIFY(!button->isEnabled());
    QVERIFY(!paste->isEnabled());
}

void ClipboardTest::hugeTextWithNulsKeepsTheValue() {
    WindowFixture window;
    Keys(*window, "314 =");
    // A stray binary file: megabytes of NULs behind a few digits.
    QString text(4 * 1024 * 1024, QChar(0));
    text.replace(0, 3, QStringLiteral("271"));
    SetClipboardText(text);
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "314");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0000013A");
    // The message quotes the start of the text only.
    QVERIFY(ShownOf(*window, BarKind::Decimal).size() < 100);
    // NULs first: nothing changes.
    Keys(*window, "AC 314 =");
    QVERIFY(!window->PasteText(QString(4 * 1024 * 1024, QChar(0))));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "314");
    QCOMPARE(window->Engine().Entry(), EntryState::Equalled);
}

void ClipboardTest::hugeRunsOfAcceptedCharactersFinish() {
    WindowFixture window;
    // Every zero and every separator is accepted; the value is shown once.
    QString text = QString(3 * 1024 * 1024, QChar('0')) + QString(1024 * 1024, QChar(',')) +
                   QStringLiteral("65");
    QVERIFY(window->PasteText(text));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "65");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000041");
}

// A number too large for the mode: the bar says so in place of its value,
// the calculator is as it was, and the entry goes on from where it stood.
void ClipboardTest::refusalShowsWhyAndKeepsTheEntry() {
    WindowFixture window;
    Keys(*window, "8 + 12");
    QVERIFY(!window->PasteText(QStringLiteral(" 4294967296\n")));
    const QString message = ShownOf(*window, BarKind::Decimal);
    QVERIFY2(message.contains("4294967296") && message.contains("DWord"), qPrintable(message));
    QVERIFY(!message.contains('\n'));
    QCOMPARE(PlainText(window->Bars().Find(BarKind::Decimal)), "12");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0000000C");
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(window->Engine().PendingOperator(), std::optional(BinaryOp::Add));
    Keys(*window, "3");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "123");
    Keys(*window, "=");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "131");

    // A long text is quoted by its start.
    QVERIFY(!window->PasteText(QString(200, QChar('7')) + "x"));
    QVERIFY(ShownOf(*window, BarKind::Decimal).contains(QString(40, QChar('7')) + QChar(0x2026)));
    QVERIFY(!ShownOf(*window, BarKind::Decimal).contains(QString(41, QChar('7'))));
}

void ClipboardTest::refusalMessageLastsUntilTheNextKey() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    Keys(*window, "5");
    QVERIFY(!window->PasteText(QStringLiteral("12x3")));
    QVERIFY(ShownOf(*window, BarKind::Decimal).contains("12x3"));
    QTest::keyClick(&*window, Qt::Key_Shift);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "5");
}

// Bytes that are no UTF-8 are not read as replacement characters.
void ClipboardTest::invalidUtf8IsRefused() {
    WindowFixture window;
    if (!CanOpenBarKind(BarKind::Char))
        QSKIP("no character conversion in this build");
    auto* chr = qobject_cast<CharacterBar*>(window->Bars().Create(BarKind::Char));
    QVERIFY(chr != nullptr);
    window->Bars().Activate(chr);
    chr->SetEncoding(CharEncoding::Utf8);
    Keys(*window, "AC");
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), QByteArray("A\xff\xfe"
                                                           "B"));
    Clipboard().setMimeData(mime, QClipboard::Clipboard);
    Run(*window, "actionEditPaste");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000000");
    QVERIFY2(Shown(chr).contains("FF") && Shown(chr).contains("UTF-8"), qPrintable(Shown(chr)));
    // The same text as UTF-8 goes in.
    SetClipboardText(QStringLiteral("A\uFFFD"));
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), "41EFBFBD");
}

// A byte order mark ahead of a number is no part of it, like a blank.
void ClipboardTest::byteOrderMarkIsABlank() {
    WindowFixture window;
    // The UTF-8 form is read where the clipboard names it.
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/plain"), QByteArray("99"));
    mime->setData(QStringLiteral("text/plain;charset=utf-8"), QByteArray("\xEF\xBB\xBF"
                                                                         "42\r\n"));
    Clipboard().setMimeData(mime, QClipboard::Clipboard);
    QVERIFY(Run(*window, "actionEditPaste"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "42");
}

// Word mode cannot hold the date: the time bar shows it in red, the other
// bars show no number, and "=" is refused with the reason.
void ClipboardTest::invalidDateEntryIsNotComputedWith() {
    WindowFixture window;
    CalcBar* time = window->Bars().Find(BarKind::Time);
    if (time == nullptr)
        time = window->Bars().Create(BarKind::Time);
    Keys(*window, "actionModeWord");
    window->Bars().Activate(time);
    for (const char c : std::string("2006:01:02:03:04:05"))
        window->Engine().Type(c, false, false);
    QCOMPARE(time->Conv().GetTextState(), ConvTextState::Invalid);
    const QString masked = PlainText(window->Bars().Find(BarKind::Decimal));
    QVERIFY(!ShownOf(*window, BarKind::Decimal).contains(masked));
    QVERIFY(!ShownOf(*window, BarKind::Hex).isEmpty());
    QVERIFY(!ShownOf(*window, BarKind::Hex).contains(PlainText(window->Bars().Find(BarKind::Hex))));

    const QString typed = ShownOf(*window, BarKind::Time);
    Keys(*window, "=");
    QVERIFY(ShownOf(*window, BarKind::Time) != typed);
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(GetInteger(window->Engine().Answer()), 0);
    // Mending the entry brings the values back.
    Keys(*window, "AC");
    for (const char c : std::string("1970:01:01:00:01:00"))
        window->Engine().Type(c, false, false);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "60");
    Keys(*window, "=");
    QCOMPARE(GetInteger(window->Engine().Answer()), 60);
}

// The literal is the value's, whichever bar is active.
void ClipboardTest::copyAsCLiteral_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("literal");
    QTest::newRow("dword") << "249"
                           << "0x000000F9u";
    QTest::newRow("int64") << "actionModeInt64 249"
                           << "0x00000000000000F9ull";
    QTest::newRow("signed negative") << "actionModeSigned 7 neg"
                                     << "-0x00000007";
    QTest::newRow("byte") << "actionModeByte 255"
                          << "0xFFu";
    QTest::newRow("real") << "actionModeReal 1 . 5"
                          << "1.5";
}

void ClipboardTest::copyAsCLiteral() {
    QFETCH(QString, keys);
    QFETCH(QString, literal);
    WindowFixture window;
    Keys(*window, keys);
    for (const BarKind kind : {BarKind::Decimal, BarKind::Bin}) {
        window->Bars().Activate(window->Bars().Find(kind));
        SetClipboardText(QStringLiteral("before"));
        QVERIFY(Run(*window, "actionEditCopyCLiteral"));
        QCOMPARE(ClipboardText(), literal);
    }
}

QTEST_MAIN(ClipboardTest)
#include "test_clipboard.moc"
