// The calculator as the main window runs it: its commands, enabled rules,
// captions and the bars it draws. The rules alone (sequences, signs, modes,
// registers) are tested without a window in tests/engine.

#include "MainWindowHarness.h"

#include "core/CalcArithmetic.h"
#include "core/CalcError.h"

#include "ui/bars/BinaryBar.h"
#include "ui/text/CalcErrorText.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <cmath>
#include <optional>
#include <stdexcept>

using namespace pexa;
using namespace pexa::testing;

namespace {

const QString DivideByZeroText = QStringLiteral("0で割ることはできません");

void CloseAllBars(MainWindow& window) {
    while (window.Bars().Count() > 0)
        window.Bars().Close(window.Bars().At(0));
}

// The centre of the n-th character from the right of a right-aligned value
// label, counting every character (blanks too) or the binary digits only.
QPoint CentreOfCharacter(const QLabel& label, int n, bool digitsOnly) {
    const QString text = label.text();
    int counted = -1;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (digitsOnly && text[i] == QLatin1Char(' '))
            continue;
        if (++counted == n) {
            const QFontMetricsF metrics(label.font());
            const qreal end =
                label.contentsRect().right() + 1 - metrics.horizontalAdvance(text.mid(i + 1));
            const qreal centre = end - metrics.horizontalAdvance(text.mid(i, 1)) / 2;
            return {static_cast<int>(centre), label.height() / 2};
        }
    }
    qFatal("%s has no character %d", qPrintable(text), n);
}

QPoint CentreOfBit(const QLabel& label, int bit) {
    return CentreOfCharacter(label, bit, true);
}

// A window showing its decimal, hexadecimal and binary bars.
BinaryBar* ShowBinaryBar(MainWindow& window) {
    Run(window, "actionToggleBin");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return nullptr;
    return qobject_cast<BinaryBar*>(window.Bars().Find(BarKind::Bin));
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void bitCountKeysApplyToTheValue();
    void operatorIndicatorFollowsTheState();
    void errorBlocksUntilCleared();
    void messageInAnInactiveBarDoesNotBlock();
    void errorMessagesByKind_data();
    void errorMessagesByKind();
    void backSpaceOnlyWhileEntering();
    void modeItemsFollowAModeChangeWhileTyping();
    void enabledRulesFollowTheMode_data();
    void enabledRulesFollowTheMode();
    void shiftsFollowRotationAndArithmetic();
    void nBitShiftsUseTheAmount();
    void shiftAndTrigCaptions();
    void trigonometryUsesAngleUnitAndHyperbolic();
    void noBarsAtAll();
    void separatorKeyCaptionFollowsActiveBar();
    void oneStateRefreshPerCommand();
    void clickOnABinaryDigitFlipsItsBit_data();
    void clickOnABinaryDigitFlipsItsBit();
    void hoverOverABinaryDigitShowsItsBitNumber();
};

void EngineTest::operatorIndicatorFollowsTheState() {
    WindowFixture window;
    Keys(*window, "5 +");
    for (int i = 0; i < window->Bars().Count(); ++i)
        QCOMPARE(window->Bars().At(i)->OperatorText(), "+");
    Keys(*window, "*");
    QCOMPARE(window->Bars().At(1)->OperatorText(), "*");
    Keys(*window, "2 =");
    for (int i = 0; i < window->Bars().Count(); ++i)
        QCOMPARE(window->Bars().At(i)->OperatorText(), "");
    // The operator stays pending after "=", it is only not shown.
    QCOMPARE(window->Engine().PendingOperator(), std::optional(BinaryOp::Mul));
    Keys(*window, "|");
    QCOMPARE(window->Bars().At(0)->OperatorText(), "|");
    Keys(*window, "AC");
    QCOMPARE(window->Bars().At(0)->OperatorText(), "");
    QCOMPARE(window->Engine().PendingOperator(), std::nullopt);
}

void EngineTest::errorBlocksUntilCleared() {
    WindowFixture window;
    Keys(*window, "7 / 0 =");
    for (int i = 0; i < window->Bars().Count(); ++i) {
        QVERIFY(window->Bars().At(i)->HasMessage());
        QCOMPARE(Shown(window->Bars().At(i)), DivideByZeroText);
    }
    QVERIFY(window->Engine().IsBlocked());
    QCOMPARE(GetInteger(window->Engine().Accumulator()), 7);
    QCOMPARE(GetInteger(window->Engine().Answer()), 7);
    const EntryState state = window->Engine().Entry();
    QVERIFY(!Enabled(*window, "actionDigit1"));
    QVERIFY(!Run(*window, "actionDigit1"));
    Keys(*window, "BS + = x^2 neg actionOpShiftLeftByAmount");
    QVERIFY(window->Engine().IsBlocked());
    QCOMPARE(window->Engine().Entry(), state);
    QCOMPARE(window->Engine().PendingOperator(), std::optional(BinaryOp::Div));
    QCOMPARE(Shown(window->Bars().At(0)), DivideByZeroText);
    // Clear Error takes the message away and keeps "7 /".
    Keys(*window, "CE");
    QVERIFY(!window->Engine().IsBlocked());
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "0");
    Keys(*window, "2 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "3");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000003");
}

void EngineTest::messageInAnInactiveBarDoesNotBlock() {
    WindowFixture window;
    window->Engine().ReportFailure(std::make_exception_ptr(CalcError(CalcErrorKind::Overflow)),
                                   BarKind::Hex);
    QVERIFY(window->Bars().Find(BarKind::Hex)->HasMessage());
    QVERIFY(!window->Engine().IsBlocked());
    Keys(*window, "3");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000003");
}

void EngineTest::errorMessagesByKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("divide by zero") << int(CalcErrorKind::DivideByZero) << DivideByZeroText;
    QTest::newRow("overflow") << int(CalcErrorKind::Overflow) << "オーバーフローしました";
    QTest::newRow("underflow") << int(CalcErrorKind::Underflow) << "アンダーフローしました";
    QTest::newRow("invalid operation") << int(CalcErrorKind::InvalidOperation) << "計算できません";
    QTest::newRow("invalid argument") << int(CalcErrorKind::InvalidArgument) << "無効な値です";
    QTest::newRow("math error") << int(CalcErrorKind::MathError) << "演算エラー";
}

void EngineTest::errorMessagesByKind() {
    QFETCH(int, kind);
    QFETCH(QString, message);
    WindowFixture window;
    // A text of the error's own is never shown.
    const auto failure = std::make_exception_ptr(
        CalcError(static_cast<CalcErrorKind>(kind), "own text of the error"));
    QCOMPARE(CalcErrorText(static_cast<CalcErrorKind>(kind)), message);
    window->Engine().ReportFailure(failure, std::nullopt);
    for (int i = 0; i < window->Bars().Count(); ++i)
        QCOMPARE(Shown(window->Bars().At(i)), message);
    QVERIFY(window->Engine().IsBlocked());

    // A failure that is not a calculation error shows nothing and blocks nothing.
    Keys(*window, "CE");
    window->Engine().ReportFailure(std::make_exception_ptr(std::runtime_error("x")), std::nullopt);
    QVERIFY(!window->Engine().IsBlocked());
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "0");
}

void EngineTest::backSpaceOnlyWhileEntering() {
    WindowFixture window;
    QVERIFY(!Enabled(*window, "actionBackSpace"));
    Keys(*window, "12");
    QVERIFY(Enabled(*window, "actionBackSpace"));
    Keys(*window, "BS BS");
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "0");
    QVERIFY(Enabled(*window, "actionBackSpace"));
    Keys(*window, "BS 7");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "7");
    Keys(*window, "=");
    QVERIFY(!Enabled(*window, "actionBackSpace"));
}

// The mode items follow a mode change made while typing, and the bars take
// the next digit in the new mode.
void EngineTest::modeItemsFollowAModeChangeWhileTyping() {
    WindowFixture window;
    Keys(*window, "12 actionModeByte");
    QVERIFY(Checked(*window, "actionModeByte"));
    QVERIFY(!Checked(*window, "actionModeDWord"));
    Keys(*window, "3");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "7B");
}

void EngineTest::enabledRulesFollowTheMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QStringList>("disabled");
    const QStringList floatOnly = {
        "actionOpFloor",  "actionOpCeil",   "actionOpRound",   "actionOpFrac", "actionOpReciprocal",
        "actionPi",       "actionOpSin",    "actionOpCos",     "actionOpTan",  "actionOpArcSin",
        "actionOpArcCos", "actionOpArcTan", "actionHyperbolic"};
    const QStringList integerOnly = {"actionRotate",         "actionArithmeticShift",
                                     "actionOpReverseBits",  "actionOpPopCount",
                                     "actionOpLeadingZeros", "actionOpTrailingZeros"};
    const QStringList always = {"actionEqual",
                                "actionNegate",
                                "actionOpAdd",
                                "actionOpNot",
                                "actionOpSqrt",
                                "actionOpFactorial",
                                "actionOpShiftLeftByAmount",
                                "actionClearAll",
                                "actionModeByte",
                                "actionAngleRadians",
                                "actionShiftAmount4"};
    QTest::newRow("Byte") << int(CalcValueMode::Byte)
                          << (integerOnly + always + QStringList{"actionModeSigned"})
                          << (floatOnly +
                              QStringList{"actionModeByteSwap", "actionOpReverseBytes"});
    QTest::newRow("DWord") << int(CalcValueMode::DWord)
                           << (integerOnly + always +
                               QStringList{"actionModeSigned", "actionModeByteSwap",
                                           "actionOpReverseBytes"})
                           << floatOnly;
    QTest::newRow("QWord") << int(CalcValueMode::QWord)
                           << (integerOnly + always +
                               QStringList{"actionModeByteSwap", "actionOpReverseBytes"})
                           << (floatOnly + QStringList{"actionModeSigned"});
    QTest::newRow("Float") << int(CalcValueMode::Float) << (floatOnly + always)
                           << (integerOnly + QStringList{"actionModeSigned", "actionModeByteSwap",
                                                         "actionOpReverseBytes"});
}

void EngineTest::enabledRulesFollowTheMode() {
    QFETCH(int, mode);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, disabled);
    WindowFixture window;
    window->Engine().SetMode(static_cast<CalcValueMode>(mode));
    for (const QString& name : enabled)
        QVERIFY2(Enabled(*window, qPrintable(name)), qPrintable(name));
    for (const QString& name : disabled)
        QVERIFY2(!Enabled(*window, qPrintable(name)), qPrintable(name));
    QVERIFY(Checked(*window, "actionAngleDegrees"));
    QVERIFY(Checked(*window, "actionShiftAmount8"));
    // A disabled option keeps its checked state.
    window->Engine().SetMode(CalcValueMode::Byte);
    Keys(*window, "actionModeSigned");
    window->Engine().SetMode(static_cast<CalcValueMode>(mode));
    QCOMPARE(Checked(*window, "actionModeSigned"), true);
}

void EngineTest::shiftsFollowRotationAndArithmetic() {
    WindowFixture window;
    Keys(*window, "actionModeByte actionRotate 129 << 1 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "3");
    Keys(*window, "129 >>");
    QCOMPARE(window->Bars().At(0)->OperatorText(), "r>");
    Keys(*window, "1 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "192");
    Keys(*window, "actionRotate actionArithmeticShift 128 >> 1 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "192");
    Keys(*window, "actionArithmeticShift 128 >> 1 =");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "64");
    // In Float mode the options are not in effect.
    Keys(*window, "actionRotate actionArithmeticShift actionModeReal");
    QVERIFY(window->Engine().Options().Rotate());
    const Calculator& engine = window->Engine();
    QCOMPARE(engine.Options().ShiftLeftOperator(engine.Mode()), BinaryOp::ShiftLeft);
    QCOMPARE(engine.Options().ShiftRightOperator(engine.Mode()), BinaryOp::ShiftRight);
    Keys(*window, "<<");
    QCOMPARE(window->Bars().At(0)->OperatorText(), "<<");
}

void EngineTest::nBitShiftsUseTheAmount() {
    WindowFixture window;
    Keys(*window, "1 actionShiftAmount4 actionOpShiftLeftByAmount");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000010");
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    Keys(*window, "actionShiftAmount16 actionOpShiftLeftByAmount actionOpShiftLeftByAmount");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00000000");
    Keys(*window, "actionRotate 1 actionOpShiftRightByAmount");
    QCOMPARE(ShownOf(*window, BarKind::Hex), "00010000");
}

void EngineTest::shiftAndTrigCaptions() {
    WindowFixture window;
    auto caption = [&](const char* name) { return FindAction(*window, name)->text(); };
    QCOMPARE(caption("actionOpShiftLeft"), "<<");
    QCOMPARE(caption("actionOpShiftLeftByAmount"), "<<8");
    QCOMPARE(caption("actionOpShiftRightByAmount"), ">>8");
    Keys(*window, "actionRotate actionShiftAmount16");
    QCOMPARE(caption("actionOpShiftLeft"), "<rot");
    QCOMPARE(caption("actionOpShiftRight"), "rot>");
    QCOMPARE(caption("actionOpShiftLeftByAmount"), "<rot16");
    QCOMPARE(caption("actionOpShiftRightByAmount"), "rot>16");
    // The captions follow the flag, also where rotation is not in effect.
    Keys(*window, "actionModeReal");
    QCOMPARE(caption("actionOpShiftLeft"), "<rot");
    QCOMPARE(caption("actionOpSin"), "sin");
    QCOMPARE(caption("actionOpArcCos"), "acos");
    Keys(*window, "actionHyperbolic");
    QVERIFY(Checked(*window, "actionHyperbolic"));
    QCOMPARE(caption("actionOpSin"), "sinh");
    QCOMPARE(caption("actionOpArcTan"), "atanh");
}

void EngineTest::trigonometryUsesAngleUnitAndHyperbolic() {
    WindowFixture window;
    Keys(*window, "actionModeReal 90 actionOpSin");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "1");
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    Keys(*window, "actionAngleRadians");
    QVERIFY(Checked(*window, "actionAngleRadians"));
    QVERIFY(!Checked(*window, "actionAngleDegrees"));
    Keys(*window, "0 actionOpCos");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "1");
    Keys(*window, "1 actionOpArcTan");
    QVERIFY(std::fabs(GetReal(window->Engine().Current()) - std::atan(1.0L)) < 1e-18L);
    Keys(*window, "actionHyperbolic 0 actionOpCos");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), "1");
}

void EngineTest::noBarsAtAll() {
    WindowFixture window;
    Keys(*window, "7 =");
    CloseAllBars(*window);
    QVERIFY(window->Bars().Active() == nullptr);
    for (const char* digit :
         {"actionDigit0", "actionDigit7", "actionDigitA", "actionPeriod", "actionSeparator"})
        QVERIFY2(!Enabled(*window, digit), digit);
    QVERIFY(!window->Engine().Type('1', false, false));
    // Operators, "=" and functions still work on the registers.
    Keys(*window, "Ans + Ans =");
    QCOMPARE(GetInteger(window->Engine().Current()), 14);
    Keys(*window, "x^2");
    QCOMPARE(GetInteger(window->Engine().Current()), 196);
    // A failure has nowhere to show and blocks nothing.
    Keys(*window, "AC Ans / CE =");
    QVERIFY(!window->Engine().IsBlocked());
    QCOMPARE(GetInteger(window->Engine().Accumulator()), 14);
    Keys(*window, "AC Ans + =");
    QCOMPARE(GetInteger(window->Engine().Current()), 28);
    // A bar opened now shows the value.
    QVERIFY(window->Bars().Create(BarKind::Hex) != nullptr);
    QCOMPARE(ShownOf(*window, BarKind::Hex), "0000001C");
}

void EngineTest::separatorKeyCaptionFollowsActiveBar() {
    WindowFixture window;
    QAction* separator = FindAction(*window, "actionSeparator");
    window->UpdateActions();
    QCOMPARE(separator->text(),
             QString::fromStdString(window->Bars().Active()->Conv().GetSeparatorCaption()));
    CloseAllBars(*window);
    window->UpdateActions();
    QCOMPARE(separator->text(), ":");
}

void EngineTest::oneStateRefreshPerCommand() {
    WindowFixture window;
    Keys(*window, "1");
    const int start = window->StateRefreshCount();
    // Nothing changed since the command's own refresh: nothing to recompute.
    window->RefreshStates();
    QCOMPARE(window->StateRefreshCount(), start);
    QVERIFY(Run(*window, "actionDigit2"));
    QCOMPARE(window->StateRefreshCount(), start + 1);
    // The states show what the command changed without any further pass.
    QVERIFY(!FindAction(*window, "actionPi")->isEnabled());
    QVERIFY(Run(*window, "actionModeReal"));
    QCOMPARE(window->StateRefreshCount(), start + 2);
    QVERIFY(FindAction(*window, "actionPi")->isEnabled());
    QVERIFY(FindAction(*window, "actionModeReal")->isChecked());
    QVERIFY(!FindAction(*window, "actionModeDWord")->isChecked());
    // A change made outside a command is caught before the next command.
    window->Engine().SetMode(CalcValueMode::DWord);
    QVERIFY(!Run(*window, "actionPi"));
    QCOMPARE(window->StateRefreshCount(), start + 3);
}

void EngineTest::clickOnABinaryDigitFlipsItsBit_data() {
    QTest::addColumn<bool>("separated");
    QTest::newRow("plain") << false;
    QTest::newRow("grouped") << true;
}

void EngineTest::clickOnABinaryDigitFlipsItsBit() {
    QFETCH(bool, separated);
    WindowFixture window;
    window->View().Set(ViewOptions::Flag::DigitGrouping, separated);
    BinaryBar* bin = ShowBinaryBar(*window);
    QVERIFY(bin != nullptr);
    const CalcBar* hex = window->Bars().Find(BarKind::Hex);
    QLabel* label = bin->Parts().ValueLabel;
    // Opening the binary bar made it the active one.
    window->Bars().Activate(window->Bars().Find(BarKind::Decimal));
    Keys(*window, "2 + 12");
    // The click activates the bar and flips bit 4 of the entry: 12 ^ 16.
    QTest::mouseClick(label, Qt::LeftButton, {}, CentreOfBit(*label, 4));
    QCOMPARE(PlainText(hex), QStringLiteral("0000001C"));
    QCOMPARE(window->Bars().Active(), bin);
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    QTest::mouseClick(label, Qt::LeftButton, {}, CentreOfBit(*label, 31));
    QCOMPARE(PlainText(hex), QStringLiteral("8000001C"));
    if (separated) {
        // The blank between the lowest two groups is no bit.
        QTest::mouseClick(label, Qt::LeftButton, {}, CentreOfCharacter(*label, 4, false));
        QCOMPARE(PlainText(hex), QStringLiteral("8000001C"));
    }
    // The pending operator still applies.
    Keys(*window, "=");
    QCOMPARE(PlainText(hex), QStringLiteral("8000001E"));
    // The Real mode shows no bits to click.
    Keys(*window, "actionModeReal");
    const QString shown = PlainText(hex);
    QTest::mouseClick(label, Qt::LeftButton, {}, CentreOfBit(*label, 0));
    QCOMPARE(PlainText(hex), shown);
}

void EngineTest::hoverOverABinaryDigitShowsItsBitNumber() {
    WindowFixture window;
    BinaryBar* bin = ShowBinaryBar(*window);
    QVERIFY(bin != nullptr);
    QLabel* label = bin->Parts().ValueLabel;
    auto hover = [label](QPoint pos) {
        QHelpEvent help(QEvent::ToolTip, pos, label->mapToGlobal(pos));
        QApplication::sendEvent(label, &help);
        return help.isAccepted();
    };
    QVERIFY(hover(CentreOfBit(*label, 9)));
    QCOMPARE(QToolTip::text(), QCoreApplication::translate("pexa::BinaryBar", "Bit %1").arg(9));
    QToolTip::hideText();
    // In Real mode the digits are no bits.
    Keys(*window, "actionModeReal 5");
    QVERIFY(!hover(CentreOfBit(*label, 0)));
    QCOMPARE(bin->BitAt(CentreOfBit(*label, 0)), std::nullopt);
}

// Typed keys, as the user presses them; every open bar shows the count.
void EngineTest::bitCountKeysApplyToTheValue() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    const struct {
        char Key;
        const char* Dec;
    } cases[] = {{'o', "4"}, {'h', "24"}, {'r', "4"}};
    for (const auto& c : cases) {
        Keys(*window, "AC 240");
        QTest::keyClick(&*window, c.Key);
        QCOMPARE(ShownOf(*window, BarKind::Decimal), QString::fromLatin1(c.Dec));
        QCOMPARE(ShownOf(*window, BarKind::Hex).toUInt(nullptr, 16),
                 QString::fromLatin1(c.Dec).toUInt());
    }
}

QTEST_MAIN(EngineTest)
#include "test_engine.moc"
