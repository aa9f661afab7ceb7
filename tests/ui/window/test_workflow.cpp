// Undo and redo as the window offers them: their keys, their menu items'
// states, and what every bar and command shows after a step is undone. The
// undo rules themselves are tested without a window in tests/engine.

#include "MainWindowHarness.h"

#include "engine/ValueBits.h"
#include "settings/MemorySettings.h"
#include "ui/bars/CalcBarVariants.h"

#include <QFile>
#include <QTest>

using namespace pexa;
using namespace pexa::testing;

namespace {

// The memory mark, made by the bar when it first shows it.
const QLabel* MemoryMark(const CalcBar& bar) {
    return bar.findChild<QLabel*>(QStringLiteral("memoryMark"));
}

bool ShowsMemoryMark(const CalcBar& bar) {
    return MemoryMark(bar) != nullptr && !MemoryMark(bar)->isHidden();
}

QString MemoryMarkTip(const CalcBar& bar) {
    return MemoryMark(bar) != nullptr ? MemoryMark(bar)->toolTip() : QString();
}

constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

// A key with Ctrl held, as the keyboard sends it to the window.
void PressCtrl(MainWindow& window, Qt::Key key, Qt::KeyboardModifiers extra = {}) {
    QTest::keyClick(&window, key, Ctrl | extra);
}

} // namespace

class WorkflowTest : public QObject {
    Q_OBJECT

private slots:
    void undoKeysPutBackWhatTheCommandChanged_data();
    void undoKeysPutBackWhatTheCommandChanged();
    void undoOfAModeShowsTheModeAgain();
    void redoKeysRepeatTheUndoneStep();
    void undoItemsFollowWhatThereIsToUndo();
    void startUpLeavesNothingToUndo();
    void undoOfAnOptionShowsTheOptionAgain();
    void memoryKeysStoreAddAndRecall();
    void memoryKeysSubtractAndClear();
    void memoryMarkShowsInTheActiveBarOnly();
    void memoryComesBackFromTheSettings_data();
    void memoryComesBackFromTheSettings();
    void emptyMemoryStaysEmptyAcrossRuns();
    void memoryButtonsRunTheirCommands();
    void barSettingChangeReachesTheCalculator();
};

// Each: keys typed, the decimal bar after them, and after Ctrl+Z.
void WorkflowTest::undoKeysPutBackWhatTheCommandChanged_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("undone");
    QTest::newRow("clear all") << "777 AC"
                               << "0"
                               << "777";
    QTest::newRow("square root") << "9 sqrt"
                                 << "3"
                                 << "9";
    QTest::newRow("digit") << "12"
                           << "12"
                           << "1";
}

void WorkflowTest::undoKeysPutBackWhatTheCommandChanged() {
    QFETCH(QString, keys);
    QFETCH(QString, after);
    QFETCH(QString, undone);
    WindowFixture window;
    Keys(*window, keys);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), after);
    PressCtrl(*window, Qt::Key_Z);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), undone);
    // DWord hexadecimal shows all eight digits.
    QCOMPARE(ShownOf(*window, BarKind::Hex),
             QStringLiteral("%1").arg(undone.toInt(), 8, 16, QLatin1Char('0')).toUpper());
    QCOMPARE(window->Engine().Entry(), EntryState::Entering);
}

// Byte keeps the low byte; undone, the DWord value and its mode come back
// in every bar and in the mode items.
void WorkflowTest::undoOfAModeShowsTheModeAgain() {
    WindowFixture window;
    window->Bars().Activate(window->Bars().Find(BarKind::Hex));
    Keys(*window, "actionModeDWord 1234");
    PressCtrl(*window, Qt::Key_B);
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("34"));
    QVERIFY(Checked(*window, "actionModeByte"));
    PressCtrl(*window, Qt::Key_Z);
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("00001234"));
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("4660"));
    QCOMPARE(window->Engine().Mode(), CalcValueMode::DWord);
    QVERIFY(Checked(*window, "actionModeDWord"));
    QVERIFY(!Checked(*window, "actionModeByte"));
}

void WorkflowTest::redoKeysRepeatTheUndoneStep() {
    WindowFixture window;
    Keys(*window, "777 AC");
    PressCtrl(*window, Qt::Key_Z);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("777"));
    PressCtrl(*window, Qt::Key_Z, Qt::ShiftModifier);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
    PressCtrl(*window, Qt::Key_Z);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("777"));
    PressCtrl(*window, Qt::Key_Y);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
}

void WorkflowTest::undoItemsFollowWhatThereIsToUndo() {
    WindowFixture window;
    QVERIFY(!Enabled(*window, "actionEditUndo"));
    QVERIFY(!Enabled(*window, "actionEditRedo"));
    Keys(*window, "5");
    QVERIFY(Enabled(*window, "actionEditUndo"));
    QVERIFY(!Enabled(*window, "actionEditRedo"));
    QVERIFY(Run(*window, "actionEditUndo"));
    QVERIFY(!Enabled(*window, "actionEditUndo"));
    QVERIFY(Enabled(*window, "actionEditRedo"));
    // The items refresh without a full update, as before a menu opens.
    QVERIFY(Run(*window, "actionEditRedo"));
    window->RefreshStates();
    QVERIFY(FindAction(*window, "actionEditUndo")->isEnabled());
    QVERIFY(!FindAction(*window, "actionEditRedo")->isEnabled());
    const QList<QAction*> editItems =
        window->MainMenuBar()->findChild<QMenu*>("editMenu")->actions();
    QVERIFY(editItems.contains(FindAction(*window, "actionEditUndo")));
    QVERIFY(editItems.contains(FindAction(*window, "actionEditRedo")));
}

// The mode and options read from the settings are where the user starts.
void WorkflowTest::startUpLeavesNothingToUndo() {
    WindowFixture window;
    QVERIFY(!window->Engine().CanUndo());
}

// An option changed by its key is a step; undone, its item shows it again.
void WorkflowTest::undoOfAnOptionShowsTheOptionAgain() {
    WindowFixture window;
    Keys(*window, "actionModeReal");
    QVERIFY(!Checked(*window, "actionHyperbolic"));
    PressCtrl(*window, Qt::Key_H);
    QVERIFY(Checked(*window, "actionHyperbolic"));
    PressCtrl(*window, Qt::Key_Z);
    QVERIFY(!window->Engine().Options().Hyperbolic());
    window->RefreshStates();
    QVERIFY(!FindAction(*window, "actionHyperbolic")->isChecked());
    QCOMPARE(window->Engine().Mode(), CalcValueMode::Float);
}

void WorkflowTest::memoryKeysStoreAddAndRecall() {
    WindowFixture window;
    QVERIFY(!Enabled(*window, "actionMemoryRecall"));
    Keys(*window, "40");
    PressCtrl(*window, Qt::Key_M);
    QVERIFY(window->Engine().HasMemory());
    QVERIFY(Enabled(*window, "actionMemoryRecall"));
    Keys(*window, "2");
    PressCtrl(*window, Qt::Key_P);
    Keys(*window, "AC");
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
    PressCtrl(*window, Qt::Key_M, Qt::ShiftModifier);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("42"));
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("0000002A"));
    // The recall is a step of its own.
    PressCtrl(*window, Qt::Key_Z);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("0"));
}

void WorkflowTest::memoryKeysSubtractAndClear() {
    WindowFixture window;
    Keys(*window, "5");
    PressCtrl(*window, Qt::Key_P, Qt::ShiftModifier);
    // An empty memory counts as zero; DWord wraps.
    Keys(*window, "AC");
    PressCtrl(*window, Qt::Key_M, Qt::ShiftModifier);
    QCOMPARE(ShownOf(*window, BarKind::Hex), QStringLiteral("FFFFFFFB"));
    PressCtrl(*window, Qt::Key_L, Qt::ShiftModifier);
    QVERIFY(!window->Engine().HasMemory());
    QVERIFY(!Enabled(*window, "actionMemoryRecall"));
    QVERIFY(!Enabled(*window, "actionMemoryClear"));
}

void WorkflowTest::memoryMarkShowsInTheActiveBarOnly() {
    WindowFixture window;
    CalcBar* dec = window->Bars().Find(BarKind::Decimal);
    CalcBar* hex = window->Bars().Find(BarKind::Hex);
    QVERIFY(!ShowsMemoryMark(*dec));
    Keys(*window, "255 actionMemoryStore");
    QVERIFY(ShowsMemoryMark(*dec));
    QVERIFY(!ShowsMemoryMark(*hex));
    QCOMPARE(MemoryMarkTip(*dec), QStringLiteral("255"));
    window->Bars().Activate(hex);
    window->RefreshStates();
    QVERIFY(!ShowsMemoryMark(*dec));
    QVERIFY(ShowsMemoryMark(*hex));
    QCOMPARE(MemoryMarkTip(*hex), QStringLiteral("000000FF"));
    Run(*window, "actionMemoryClear");
    QVERIFY(!ShowsMemoryMark(*hex));
    // Undone, the memory and its mark are back.
    Run(*window, "actionEditUndo");
    QVERIFY(ShowsMemoryMark(*hex));
}

void WorkflowTest::memoryComesBackFromTheSettings_data() {
    QTest::addColumn<QString>("keys");
    QTest::newRow("DWord") << "actionModeDWord 4000000000";
    QTest::newRow("Byte") << "actionModeByte 200";
    // Every bit of the 80-bit real.
    QTest::newRow("Real") << "actionModeReal 2 sqrt";
    QTest::newRow("negative Real") << "actionModeReal 1 / 3 = neg";
}

void WorkflowTest::memoryComesBackFromTheSettings() {
    QFETCH(QString, keys);
    FormatSettingsScope format{FormatSettings{}};
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("pexa.ini"));
    ProfilePathOverride profile(ini.toStdString());
    ValueBits stored;
    {
        MainWindow window;
        Keys(window, keys + QStringLiteral(" actionMemoryStore"));
        QVERIFY(window.Engine().HasMemory());
        stored = BitsOfValue(*window.Engine().Memory());
        // Another mode when the window closes: the memory keeps its own.
        Keys(window, "actionModeWord");
    }
    QFile file(ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("[Memory]"));
    MainWindow window;
    QVERIFY(window.Engine().HasMemory());
    QVERIFY(BitsOfValue(*window.Engine().Memory()) == stored);
    QVERIFY(!window.Engine().CanUndo());
    QVERIFY(ShowsMemoryMark(*window.Bars().Active()));
}

void WorkflowTest::emptyMemoryStaysEmptyAcrossRuns() {
    FormatSettingsScope format{FormatSettings{}};
    QTemporaryDir dir;
    ProfilePathOverride profile(dir.filePath(QStringLiteral("pexa.ini")).toStdString());
    {
        MainWindow window;
        Keys(window, "7 actionMemoryStore actionMemoryClear");
    }
    QVERIFY(!ReadStoredMemory().has_value());
    MainWindow window;
    QVERIFY(!window.Engine().HasMemory());
    QVERIFY(!ShowsMemoryMark(*window.Bars().Active()));
}

// The tooltips name the keys; the window shows in Japanese here.
void WorkflowTest::memoryButtonsRunTheirCommands() {
    WindowFixture window;
    CommandButton* store = window->Buttons().ButtonOf(QStringLiteral("actionMemoryStore"));
    CommandButton* recall = window->Buttons().ButtonOf(QStringLiteral("actionMemoryRecall"));
    QVERIFY(store != nullptr && recall != nullptr);
    QCOMPARE(store->parentWidget(), window->Buttons().MemoryGroup);
    QCOMPARE(store->text(), QStringLiteral("MS"));
    QCOMPARE(store->toolTip(), QStringLiteral("メモリに保存 (Ctrl+M)"));
    QCOMPARE(recall->toolTip(), QStringLiteral("メモリ呼び出し (Ctrl+Shift+M)"));
    window->RefreshStates();
    QVERIFY(!recall->isEnabled());
    Keys(*window, "9");
    QTest::mouseClick(store, Qt::LeftButton);
    QVERIFY(recall->isEnabled());
    Keys(*window, "AC");
    QTest::mouseClick(recall, Qt::LeftButton);
    QCOMPARE(ShownOf(*window, BarKind::Decimal), QStringLiteral("9"));
}

// Undo replays an entry typed into a bar only while the bar reads it as it
// did: a change of the bar's encoding makes the calculator forget the typing.
void WorkflowTest::barSettingChangeReachesTheCalculator() {
    WindowFixture window;
    Run(*window, "actionToggleChar");
    auto* bar = qobject_cast<CharacterBar*>(window->Bars().Find(BarKind::Char));
    QVERIFY(bar != nullptr);
    window->Bars().Activate(bar);
    QVERIFY(window->Engine().Type('A', false, false));
    QCOMPARE(window->Engine().Snapshot().Log.Bar, std::optional<BarKind>(BarKind::Char));
    bar->SetEncoding(CharEncoding::Utf16);
    QCOMPARE(window->Engine().Snapshot().Log.Bar, std::optional<BarKind>());
}

QTEST_MAIN(WorkflowTest)
#include "test_workflow.moc"
