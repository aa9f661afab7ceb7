// The history pane: the tape's lines in the active bar's notation, recalled
// as the computed value, copied, kept across runs on request, and its keys
// kept apart from the calculator's.

#include "MainWindowHarness.h"

#include "engine/ValueBits.h"
#include "ui/bars/CalcBarVariants.h"
#include "ui/window/HistoryPane.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

using namespace pexa;
using namespace pexa::testing;

namespace {

// A key as the keyboard sends it: to the control that has the keyboard, or
// to the window when none has.
void Press(MainWindow& window, int key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &window, static_cast<Qt::Key>(key), modifiers);
}

QStringList Lines(const MainWindow& window) {
    QStringList lines;
    const QAbstractItemModel* model = window.History()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

// The window shown with its history pane, opened by its key.
void ShowWithHistory(MainWindow& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Press(window, Qt::Key_F9);
    QVERIFY(window.History()->isVisible());
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void linesFollowTheActiveBarsNotation();
    void aBarsOwnSettingChangesTheLines();
    void recallPutsTheValueAndModeBackAsOneUndoStep();
    void copyHistoryAndItsKeyLeaveHyperbolicAlone();
    void clearingIsNoUndoStep();
    void keysReachTheCalculatorWhileThePaneIsShown();
    void f6AndEscMoveTheKeyboardInAndOut();
    void keepOnBringsTheTapeBackAtTheNextStart();
    void keepOffLeavesTheTapeOutOfTheFile();
};

void HistoryTest::linesFollowTheActiveBarsNotation() {
    WindowFixture window;
    ShowWithHistory(*window);
    QVERIFY(Checked(*window, "actionHistoryPane"));
    QCOMPARE(window->History()->accessibleName(), QStringLiteral("履歴"));
    Keys(*window, "12 + 3 = 9 sqrt 0 - 1 =");
    QCOMPARE(Lines(*window), (QStringList{"12 + 3 = 15", "sqrt(9) = 3", "0 - 1 = 4294967295"}));
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    QCOMPARE(Lines(*window),
             (QStringList{"0000000C + 00000003 = 0000000F", "sqrt(00000009) = 00000003",
                          "00000000 - 00000001 = FFFFFFFF"}));
    // Signed changes how the decimal bar reads the same bits.
    window->Bars().Activate(window->Bars().Find(BarKind::Decimal));
    QTest::keyClick(&*window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Lines(*window).last(), QStringLiteral("0 - 1 = -1"));
    // Many lines: the newest is in view.
    for (int i = 0; i < 30; ++i)
        Keys(*window, "1 + 2 =");
    HistoryPane* pane = window->History();
    const QModelIndex newest = pane->model()->index(pane->model()->rowCount() - 1, 0);
    QVERIFY(pane->viewport()->rect().contains(pane->visualRect(newest)));
}

// The float bar reads a Word as half precision or as bfloat16: the line's
// result reads as the bar shows the same value, before and after.
void HistoryTest::aBarsOwnSettingChangesTheLines() {
    WindowFixture window;
    ShowWithHistory(*window);
    Run(*window, "actionToggleFloat");
    auto* floatBar = qobject_cast<FloatBar*>(window->Bars().Find(BarKind::Float));
    QVERIFY(floatBar != nullptr);
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    Keys(*window, "actionModeWord 3C00 + 0 =");
    window->Bars().Activate(floatBar);
    floatBar->SetWordFormat(FloatFormat::Half);
    const QString half = Lines(*window).last();
    QVERIFY2(half.endsWith(QStringLiteral("= ") + PlainText(floatBar)), qPrintable(half));
    floatBar->SetWordFormat(FloatFormat::BFloat16);
    const QString bf16 = Lines(*window).last();
    QVERIFY2(bf16.endsWith(QStringLiteral("= ") + PlainText(floatBar)), qPrintable(bf16));
    QVERIFY(half != bf16);
}

void HistoryTest::recallPutsTheValueAndModeBackAsOneUndoStep() {
    WindowFixture window;
    ShowWithHistory(*window);
    // Byte wraps 300 to 44.
    Keys(*window, "actionModeByte 200 + 100 = actionModeDWord 100 / 4 = 7");
    HistoryPane* pane = window->History();
    const QModelIndex first = pane->model()->index(0, 0);
    const QPoint onFirst = pane->visualRect(first).center();
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, onFirst);
    QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, onFirst);
    QCOMPARE(window->Engine().Mode(), CalcValueMode::Byte);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("44"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("2C"));
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    // The keyboard is back with the bars.
    QVERIFY(!pane->hasFocus());
    Press(*window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window->Engine().Mode(), CalcValueMode::DWord);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("7"));

    // Enter on a line: the line is recalled, and Enter is not also "=".
    Press(*window, Qt::Key_F6);
    QVERIFY(pane->hasFocus());
    Press(*window, Qt::Key_Return);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("25"));
    QCOMPARE(window->Engine().Entry(), EntryState::Computed);
    Press(*window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("7"));
}

// Ctrl+Shift+H is not Ctrl+H (Hyperbolic), whether Copy History can run or not.
void HistoryTest::copyHistoryAndItsKeyLeaveHyperbolicAlone() {
    WindowFixture window;
    Keys(*window, "actionModeReal");
    QVERIFY(Enabled(*window, "actionHyperbolic"));
    QVERIFY(!Enabled(*window, "actionEditCopyHistory"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&*window, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!window->Engine().Options().Hyperbolic());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

    Keys(*window, "12 + 3 = 9 sqrt");
    QTest::keyClick(&*window, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!window->Engine().Options().Hyperbolic());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12 + 3 = 15\nsqrt(9) = 3\n"));
    QTest::keyClick(&*window, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(window->Engine().Options().Hyperbolic());
}

// The pane's right-click menu clears the tape; the tape is a record, not a
// state: Undo does not bring it back.
void HistoryTest::clearingIsNoUndoStep() {
    WindowFixture window;
    ShowWithHistory(*window);
    Keys(*window, "1 + 2 =");
    QAction* clear = FindAction(*window, "actionClearHistory");
    QVERIFY(window->History()->actions().contains(clear));
    QVERIFY(Enabled(*window, "actionClearHistory"));
    clear->trigger();
    QVERIFY(Lines(*window).isEmpty());
    QVERIFY(!Enabled(*window, "actionEditCopyHistory"));
    Press(*window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("2"));
    QVERIFY(Lines(*window).isEmpty());
}

void HistoryTest::keysReachTheCalculatorWhileThePaneIsShown() {
    WindowFixture window;
    ShowWithHistory(*window);
    QVERIFY(!window->History()->hasFocus());
    for (const int key : {Qt::Key_1, Qt::Key_2, Qt::Key_Plus, Qt::Key_3, Qt::Key_Return})
        Press(*window, key);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("15"));
    Press(*window, Qt::Key_Escape);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
    QCOMPARE(Lines(*window), QStringList{"12 + 3 = 15"});
}

void HistoryTest::f6AndEscMoveTheKeyboardInAndOut() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&*window));
    // Hidden, the pane takes no keyboard.
    QVERIFY(!Enabled(*window, "actionFocusHistory"));
    Press(*window, Qt::Key_F9);
    Keys(*window, "1 + 2 = 4 + 5 = 6 + 7 = 42");
    HistoryPane* pane = window->History();
    Press(*window, Qt::Key_F6);
    QVERIFY(pane->hasFocus());
    QCOMPARE(pane->currentIndex().row(), 2);
    // The calculator's keys do nothing here; the list's keys move.
    for (const int key :
         {Qt::Key_5, Qt::Key_Plus, Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Home})
        Press(*window, key);
    QCOMPARE(pane->currentIndex().row(), 0);
    Press(*window, Qt::Key_Down);
    QCOMPARE(pane->currentIndex().row(), 1);
    Press(*window, Qt::Key_End);
    QCOMPARE(pane->currentIndex().row(), 2);
    QVERIFY(pane->hasFocus());
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("42"));
    QCOMPARE(window->Engine().PendingOperatorSymbol(), std::string());
    QCOMPARE(window->Engine().Bars().Active(), std::optional<BarKind>(BarKind::Decimal));

    Press(*window, Qt::Key_Escape);
    QVERIFY(!pane->hasFocus());
    Press(*window, Qt::Key_8);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("428"));
    Press(*window, Qt::Key_F6);
    QVERIFY(pane->hasFocus());
    Press(*window, Qt::Key_F6);
    QVERIFY(!pane->hasFocus());
}

void HistoryTest::keepOnBringsTheTapeBackAtTheNextStart() {
    FormatSettingsScope format{FormatSettings{}};
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("pexa.ini"));
    {
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[History]\nKeep=1\n");
    }
    ProfilePathOverride profile(ini.toStdString());
    std::vector<TapeLine> saved;
    {
        MainWindow window;
        Keys(window, "actionModeReal 2 sqrt actionModeInt64 0 - 1 = actionModeByte 200 + 100 =");
        QVERIFY(window.EnterExpression(QStringLiteral("'A' | 0x80")));
        Run(window, "actionHistoryPane");
        for (std::size_t i = 0; i < window.Engine().Tape().Count(); ++i)
            saved.push_back(*window.Engine().Tape().At(i));
    }
    QCOMPARE(saved.size(), std::size_t{4});
    MainWindow window;
    const HistoryTape& tape = window.Engine().Tape();
    QCOMPARE(tape.Count(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const TapeLine& line = *tape.At(i);
        QCOMPARE(line.Kind, saved[i].Kind);
        QCOMPARE(line.Operator, saved[i].Operator);
        QCOMPARE(line.Binary, saved[i].Binary);
        QCOMPARE(line.Mode, saved[i].Mode);
        for (const auto value : {&TapeLine::Left, &TapeLine::Right, &TapeLine::Result})
            QVERIFY(BitsOfValue(line.*value) == BitsOfValue(saved[i].*value));
    }
    QVERIFY(window.View().Is(ViewOptions::Flag::HistoryPane));
    QCOMPARE(Lines(window).last(), QStringLiteral("'A' | 0x80 = 193"));
    QVERIFY(!window.Engine().CanUndo());
}

void HistoryTest::keepOffLeavesTheTapeOutOfTheFile() {
    FormatSettingsScope format{FormatSettings{}};
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("pexa.ini"));
    ProfilePathOverride profile(ini.toStdString());
    {
        MainWindow window;
        Keys(window, "1 + 2 =");
    }
    QFile file(ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("[History]"));
    MainWindow window;
    QVERIFY(window.Engine().Tape().Empty());
}

QTEST_MAIN(HistoryTest)
#include "test_history.moc"
