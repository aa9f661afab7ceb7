// The expression line: typed as text, evaluated with the calculator's mode
// on Enter, one undo step, and its keys kept from the calculator's commands.

#include "MainWindowHarness.h"

#include "ui/window/ExpressionLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace pexa;
using namespace pexa::testing;

namespace {

// Opens the line with its key, as the user does.
QLineEdit* OpenLine(MainWindow& window) {
    QTest::keyClick(&window, Qt::Key_L, Qt::ControlModifier);
    return window.ExpressionInput()->Edit();
}

QString Preview(MainWindow& window) {
    return window.ExpressionInput()->Preview()->text();
}

} // namespace

class ExpressionLineTest : public QObject {
    Q_OBJECT

private slots:
    void enterMakesTheValueTheComputedValue();
    void previewShowsTheValueInTheActiveBar();
    void badExpressionChangesNothingAndSaysWhere_data();
    void badExpressionChangesNothingAndSaysWhere();
    void keysTypedInTheLineRunNoCommand();
    void escapeAndEmptyEnterGiveTheKeyboardBack();
    void upAndDownStepThroughEarlierExpressions();
    void viewCommandShowsAndHidesTheLine();
};

void ExpressionLineTest::enterMakesTheValueTheComputedValue() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    Keys(*window, "7 +");
    QLineEdit* edit = OpenLine(*window);
    QVERIFY(window->ExpressionInput()->isVisible());
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, "(0x1F << 3) | 1");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("249"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("000000F9"));
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    QVERIFY(edit->text().isEmpty());
    QCOMPARE(window->Engine().Tape().Count(), std::size_t{1});
    QCOMPARE(window->Engine().Tape().At(0)->Operator, std::string("(0x1F << 3) | 1"));
    // The pending operator stays, as after a function key.
    Keys(*window, "=");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("256"));
    // One undo step each: "=" and then the expression.
    QVERIFY(window->Engine().Undo());
    QVERIFY(window->Engine().Undo());
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("7"));
}

void ExpressionLineTest::previewShowsTheValueInTheActiveBar() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    QLineEdit* edit = OpenLine(*window);
    QTest::keyClicks(edit, "1 << 4");
    QCOMPARE(Preview(*window), QStringLiteral("16"));
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    window->RefreshStates();
    QCOMPARE(Preview(*window), QStringLiteral("00000010"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "8");
    QCOMPARE(Preview(*window), QStringLiteral("00000100"));
    // A change of mode changes what the line would give, before Enter too.
    QVERIFY(Run(*window, "actionModeByte"));
    QCOMPARE(Preview(*window), QStringLiteral("00"));
    // Nothing changed before Enter.
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
}

void ExpressionLineTest::badExpressionChangesNothingAndSaysWhere_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    // The tests run in Japanese.
    QTest::newRow("paren") << "(1+2" << QStringLiteral("')' がありません (5文字目)");
    QTest::newRow("digit") << "0x1G" << QStringLiteral("16進数の数字ではありません: G (4文字目)");
    QTest::newRow("division") << "1/0" << QStringLiteral("0で割ることはできません (2文字目)");
}

void ExpressionLineTest::badExpressionChangesNothingAndSaysWhere() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    Keys(*window, "42");
    QLineEdit* edit = OpenLine(*window);
    QTest::keyClicks(edit, text);
    QCOMPARE(Preview(*window), message);
    const bool couldUndo = window->Engine().CanUndo();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Preview(*window), message);
    QCOMPARE(edit->text(), text);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("42"));
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(window->Engine().CanUndo(), couldUndo);
}

void ExpressionLineTest::keysTypedInTheLineRunNoCommand() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    Keys(*window, "5");
    QLineEdit* edit = OpenLine(*window);
    // Digits, operators, letters bound to functions, Q (quick menu), M
    // (mode menu), Backspace and Delete (clear keys).
    QTest::keyClicks(edit, "12+ohrqmQM~!");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(edit->text(), QStringLiteral("2+ohrqmQM~"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("5"));
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
    QCOMPARE(window->Engine().PendingOperatorSymbol(), std::string());
}

void ExpressionLineTest::escapeAndEmptyEnterGiveTheKeyboardBack() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    QLineEdit* edit = OpenLine(*window);
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!edit->hasFocus());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &*window, '8');
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("8"));

    edit = OpenLine(*window);
    QVERIFY(edit->hasFocus());
    edit->clear();
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!edit->hasFocus());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &*window, '9');
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("89"));
}

void ExpressionLineTest::upAndDownStepThroughEarlierExpressions() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    QLineEdit* edit = OpenLine(*window);
    for (const char* text : {"1+1", "2*3"}) {
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QTest::keyClicks(edit, "4");
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("2*3"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("1+1"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("1+1"));
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->text(), QStringLiteral("4"));
    // Stepping changes no bar: the active bar stays the decimal one.
    QCOMPARE(window->Engine().Bars().Active(), std::optional<BarKind>(BarKind::Decimal));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("6"));
}

void ExpressionLineTest::viewCommandShowsAndHidesTheLine() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    QVERIFY(!window->ExpressionInput()->isVisible());
    QVERIFY(!Checked(*window, "actionExpressionLine"));
    QVERIFY(Run(*window, "actionExpressionLine"));
    QVERIFY(window->ExpressionInput()->isVisible());
    QVERIFY(Checked(*window, "actionExpressionLine"));
    QVERIFY(Run(*window, "actionExpressionLine"));
    QVERIFY(!window->ExpressionInput()->isVisible());
    QVERIFY(!Checked(*window, "actionExpressionLine"));
    // Hidden while it holds the keyboard, it hands the keyboard to the bars.
    QVERIFY(OpenLine(*window)->hasFocus());
    QVERIFY(Run(*window, "actionExpressionLine"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->Bars().Active()));
}

QTEST_MAIN(ExpressionLineTest)
#include "test_expressionline.moc"
