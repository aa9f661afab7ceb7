// The main window's stack of bars, the active bar and the view options.

#include "MainWindowHarness.h"

#include "ui/bars/BandSite.h"
#include "ui/bars/BarControls.h"
#include "ui/panel/ButtonPanel.h"
#include "ui/panel/OperatorPages.h"
#include "ui/text/ColorContrast.h"
#include "ui/text/StoredColorPalette.h"
#include "ui/text/TextWidth.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolBar>

#include <vector>

using namespace pexa;
using namespace pexa::testing;

namespace {

std::vector<BarKind> Kinds(const MainWindow& window) {
    std::vector<BarKind> kinds;
    for (int i = 0; i < window.Bars().Count(); ++i)
        kinds.push_back(window.Bars().At(i)->Kind());
    return kinds;
}

// Opens the integer bars so that the window holds DEC, HEX, OCT, BIN.
void OpenFourBars(MainWindow& window) {
    Run(window, "actionToggleOct");
    Run(window, "actionToggleBin");
    QCOMPARE(Kinds(window),
             (std::vector<BarKind>{BarKind::Decimal, BarKind::Hex, BarKind::Oct, BarKind::Bin}));
}

// Counts the layout requests a widget receives.
class LayoutRequests : public QObject {
public:
    explicit LayoutRequests(QWidget& watched) { watched.installEventFilter(this); }
    int Count() const { return count_; }
    void Reset() { count_ = 0; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest)
            ++count_;
        return false;
    }

private:
    int count_ = 0;
};

int ActiveCount(const MainWindow& window) {
    int count = 0;
    for (int i = 0; i < window.Bars().Count(); ++i)
        count += window.Bars().At(i)->IsActive() ? 1 : 0;
    return count;
}

// The active bar's place on the band site, or -1.
int ActiveIndex(const MainWindow& window) {
    const CalcBar* active = window.Bars().Active();
    return active != nullptr ? window.Bars().Site()->IndexOf(active) : -1;
}

} // namespace

class BarManagementTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithDecimalAndHexadecimal();
    void togglingOpensAtTheBottomAndActivates();
    void togglingAnOpenInactiveKindClosesIt();
    void closingActiveBarActivatesTheNextOne_data();
    void closingActiveBarActivatesTheNextOne();
    void searchStartsWhereTheClosedBarWasActivated();
    void closingTheOnlyBar();
    void stepsWrapAround();
    void newBarTakesTheWindowState();
    void kindsWithoutConversionAreRefused();
    void middleClickClosesTheBar();
    void barMenuContributions();
    void viewOptionsReachEveryBar();
    void windowFollowsItsContent();
    void containersAndMenus();
    void bodyColour();
    void textsOnTheBodyColourAreLegible_data();
    void textsOnTheBodyColourAreLegible();
    void windowStaysWhenEverythingIsHidden();
    void largeFontWidensTheWindowInsteadOfCutting();
    void onlyValuesThatNeedRoomMoveTheBands();
    void fontWiderThanTheScreenKeepsTheWindowOnIt();
    void panelKeysFitTheirCaptions();
};

void BarManagementTest::startsWithDecimalAndHexadecimal() {
    WindowFixture window;
    QCOMPARE(Kinds(*window), (std::vector<BarKind>{BarKind::Decimal, BarKind::Hex}));
    QCOMPARE(window->Bars().Active(), window->Bars().At(0));
    QCOMPARE(ActiveCount(*window), 1);
    QCOMPARE(window->windowTitle(), "pexa - Decimal");
    QCOMPARE(window->Engine().Mode(), CalcValueMode::DWord);
    QVERIFY(Checked(*window, "actionModeDWord"));
    QVERIFY(Checked(*window, "actionToggleDec"));
    QVERIFY(Checked(*window, "actionToggleHex"));
    QVERIFY(!Checked(*window, "actionToggleOct"));
    QCOMPARE(window->Bars().Site()->objectName(), "barSite");
}

void BarManagementTest::togglingOpensAtTheBottomAndActivates() {
    WindowFixture window;
    QVERIFY(Run(*window, "actionToggleOct"));
    QCOMPARE(window->Bars().Count(), 3);
    QCOMPARE(window->Bars().At(2)->Kind(), BarKind::Oct);
    QCOMPARE(ActiveIndex(*window), 2);
    QCOMPARE(ActiveCount(*window), 1);
    QCOMPARE(window->windowTitle(), "pexa - Octal");
    QVERIFY(Checked(*window, "actionToggleOct"));
}

void BarManagementTest::togglingAnOpenInactiveKindClosesIt() {
    WindowFixture window;
    Run(*window, "actionToggleOct");
    // Octal is active; hexadecimal goes, octal stays active.
    QVERIFY(Run(*window, "actionToggleHex"));
    QCOMPARE(Kinds(*window), (std::vector<BarKind>{BarKind::Decimal, BarKind::Oct}));
    QCOMPARE(window->Bars().Active()->Kind(), BarKind::Oct);
    QVERIFY(!Checked(*window, "actionToggleHex"));
    // At most one bar per kind: toggling it again opens one anew.
    Run(*window, "actionToggleHex");
    QCOMPARE(Kinds(*window), (std::vector<BarKind>{BarKind::Decimal, BarKind::Oct, BarKind::Hex}));
}

void BarManagementTest::closingActiveBarActivatesTheNextOne_data() {
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("route");
    QTest::newRow("middle, command") << 1 << 1 << "actionBarClose";
    QTest::newRow("first, command") << 0 << 0 << "actionBarClose";
    QTest::newRow("last, command") << 3 << 2 << "actionBarClose";
    QTest::newRow("middle, toggle") << 2 << 2 << "toggle";
}

void BarManagementTest::closingActiveBarActivatesTheNextOne() {
    QFETCH(int, active);
    QFETCH(int, expected);
    QFETCH(QString, route);
    WindowFixture window;
    OpenFourBars(*window);
    std::vector<BarKind> kinds = Kinds(*window);
    window->Bars().Activate(window->Bars().At(active));
    if (route == "toggle") {
        static const char* toggles[] = {"actionToggleDec", "actionToggleHex", "actionToggleOct",
                                        "actionToggleBin"};
        QVERIFY(Run(*window, toggles[active]));
    } else {
        QVERIFY(Run(*window, route));
    }
    kinds.erase(kinds.begin() + active);
    QCOMPARE(Kinds(*window), kinds);
    QCOMPARE(ActiveIndex(*window), expected);
    QCOMPARE(ActiveCount(*window), 1);
    QCOMPARE(window->windowTitle(), "pexa - " + window->Bars().Active()->Title());
}

void BarManagementTest::searchStartsWhereTheClosedBarWasActivated() {
    WindowFixture window;
    OpenFourBars(*window);
    window->Bars().Activate(window->Bars().At(2)); // OCT, remembered at position 2
    window->Bars().CloseOfKind(BarKind::Decimal);
    QCOMPARE(window->Bars().Active()->Kind(), BarKind::Oct);
    Run(*window, "actionBarClose");
    // The search starts at position 2, clamped to the last bar: BIN.
    QCOMPARE(Kinds(*window), (std::vector<BarKind>{BarKind::Hex, BarKind::Bin}));
    QCOMPARE(window->Bars().Active()->Kind(), BarKind::Bin);
}

void BarManagementTest::closingTheOnlyBar() {
    WindowFixture window;
    window->Bars().CloseOfKind(BarKind::Hex);
    QVERIFY(Run(*window, "actionBarClose"));
    QCOMPARE(window->Bars().Count(), 0);
    QVERIFY(window->Bars().Active() == nullptr);
    QCOMPARE(ActiveIndex(*window), -1);
    QCOMPARE(window->windowTitle(), "pexa");
    for (const char* name : {"actionDigit1", "actionEditCopy", "actionEditCopyGrouped",
                             "actionEditPaste", "actionBarClose"})
        QVERIFY2(!Enabled(*window, name), name);
    QVERIFY(!Run(*window, "actionBarClose"));
    // Stepping with no bars does nothing.
    QVERIFY(Run(*window, "actionBarNext"));
    QVERIFY(Run(*window, "actionBarPrev"));
    QCOMPARE(window->Bars().Count(), 0);
    // A bar opened now is active at once.
    QVERIFY(window->Bars().Create(BarKind::Bin) != nullptr);
    QCOMPARE(ActiveIndex(*window), 0);
    QCOMPARE(window->windowTitle(), "pexa - Binary");
}

void BarManagementTest::stepsWrapAround() {
    WindowFixture window;
    OpenFourBars(*window);
    window->Bars().Activate(window->Bars().At(3));
    Run(*window, "actionBarNext");
    QCOMPARE(ActiveIndex(*window), 0);
    Run(*window, "actionBarPrev");
    QCOMPARE(ActiveIndex(*window), 3);
    Run(*window, "actionBarPrev");
    QCOMPARE(ActiveIndex(*window), 2);
    QCOMPARE(ActiveCount(*window), 1);
    QCOMPARE(window->Engine().Bars().LastActiveIndex(), 2);
    // With one bar, stepping activates it again.
    while (window->Bars().Count() > 1)
        window->Bars().Close(window->Bars().At(1));
    Run(*window, "actionBarNext");
    QCOMPARE(ActiveIndex(*window), 0);
}

void BarManagementTest::newBarTakesTheWindowState() {
    WindowFixture window;
    Keys(*window, "actionModeWord actionModeByteSwap 258 +");
    window->View().Set(ViewOptions::Flag::DigitGrouping, true);
    window->View().Set(ViewOptions::Flag::ShowIndicators, false);
    QFont font = window->font();
    font.setPointSize(17);
    window->View().SetDisplayFont(font);

    Run(*window, "actionToggleBin");
    CalcBar* bin = window->Bars().Find(BarKind::Bin);
    QVERIFY(bin != nullptr);
    QCOMPARE(bin->Conv().GetMode(), CalcValueMode::Word);
    // 258 typed in byte-reversed decimal is stored as 0x0201.
    QCOMPARE(PlainText(bin), "0000001000000001");
    QCOMPARE(bin->OperatorText(), "+");
    QVERIFY(bin->GroupsDigits());
    QVERIFY(!bin->ShowIndicators());
    QCOMPARE(bin->Parts().ValuePanel->font().pointSize(), font.pointSize());
    QCOMPARE(bin->HasMessage(), false);

    // The decimal bar reads the bytes reversed; a new one does too.
    window->Bars().CloseOfKind(BarKind::Decimal);
    Run(*window, "actionToggleDec");
    CalcBar* dec = window->Bars().Find(BarKind::Decimal);
    QVERIFY(dec->Conv().HasOption(ConvOption::ReverseEndian));
    QCOMPARE(PlainText(dec), "258");
    QCOMPARE(dec->OperatorText(), "+");
}

void BarManagementTest::kindsWithoutConversionAreRefused() {
    WindowFixture window;
    for (int kind = 0; kind < BarKindCount; ++kind) {
        const auto barKind = static_cast<BarKind>(kind);
        if (window->Bars().Find(barKind) != nullptr)
            continue;
        const int before = window->Bars().Count();
        CalcBar* bar = window->Bars().Create(barKind);
        QCOMPARE(bar != nullptr, CanOpenBarKind(barKind));
        QCOMPARE(window->Bars().Count(), before + (bar != nullptr ? 1 : 0));
        if (bar != nullptr)
            QCOMPARE(bar->Kind(), barKind);
    }
    QVERIFY(CanOpenBarKind(BarKind::Decimal));
    QVERIFY(CanOpenBarKind(BarKind::Bin));
}

void BarManagementTest::middleClickClosesTheBar() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.Window()));
    CalcBar* hex = window->Bars().Find(BarKind::Hex);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2),
                      hex->Parts().CaptionLabel->mapToGlobal(QPointF(2, 2)), Qt::MiddleButton,
                      Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(hex->Parts().CaptionLabel, &press);
    QTRY_COMPARE(window->Bars().Count(), 1);
    QCOMPARE(window->Bars().At(0)->Kind(), BarKind::Decimal);
    QVERIFY(!Checked(*window, "actionToggleHex"));
}

void BarManagementTest::barMenuContributions() {
    WindowFixture window;
    CalcBar* dec = window->Bars().Find(BarKind::Decimal);
    QMenu menu;
    window->Bars().BuildBarMenu(*dec, menu);
    const QList<QAction*> items = menu.actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0], FindAction(*window, "actionEditCopy"));
    QCOMPARE(items[1], FindAction(*window, "actionEditCopyGrouped"));
    QCOMPARE(items[2], FindAction(*window, "actionEditPaste"));
    QVERIFY(items[3]->isSeparator());
    QCOMPARE(items[4], FindAction(*window, "actionBarClose"));
    // The items follow the commands' state.
    window->Bars().Close(dec);
    window->Bars().Close(window->Bars().At(0));
    window->UpdateActions();
    QVERIFY(!items[4]->isEnabled());
}

void BarManagementTest::viewOptionsReachEveryBar() {
    WindowFixture window;
    Run(*window, "actionToggleOct");
    QVERIFY(!Checked(*window, "actionDigitGrouping"));
    Run(*window, "actionDigitGrouping");
    QVERIFY(window->View().Is(ViewOptions::Flag::DigitGrouping));
    QVERIFY(Checked(*window, "actionDigitGrouping"));
    for (int i = 0; i < window->Bars().Count(); ++i)
        QVERIFY(window->Bars().At(i)->GroupsDigits());
    QVERIFY(Checked(*window, "actionShowIndicators"));
    Run(*window, "actionShowIndicators");
    for (int i = 0; i < window->Bars().Count(); ++i)
        QVERIFY(!window->Bars().At(i)->ShowIndicators());
    QVERIFY(!Checked(*window, "actionShowIndicators"));

    for (const char* name : {"actionToolBar", "actionMenuBar", "actionButtonPanel"})
        QVERIFY2(Checked(*window, name), name);
    Run(*window, "actionToolBar");
    QVERIFY(!window->View().Is(ViewOptions::Flag::ToolBar));
    Run(*window, "actionMenuBar");
    QVERIFY(!window->View().Is(ViewOptions::Flag::MenuBar));
    Run(*window, "actionButtonPanel");
    QVERIFY(!window->View().Is(ViewOptions::Flag::ButtonPanel));
    for (const char* name : {"actionToolBar", "actionMenuBar", "actionButtonPanel"})
        QVERIFY2(!Checked(*window, name), name);
    Run(*window, "actionMenuBar");
    QVERIFY(window->View().Is(ViewOptions::Flag::MenuBar));

    QVERIFY(!Checked(*window, "actionStayOnTop"));
    Run(*window, "actionStayOnTop");
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(Checked(*window, "actionStayOnTop"));
    Run(*window, "actionStayOnTop");
    QVERIFY(!window->View().Is(ViewOptions::Flag::StayOnTop));
}

void BarManagementTest::windowFollowsItsContent() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.Window()));
    // The band minimum is the bars' common caption width.
    QCOMPARE(window->Bars().Site()->BandMinWidth(0), window->Bars().At(0)->CaptionWidth());
    const int twoBars = window->height();
    QCOMPARE(window->minimumSize(), window->maximumSize());
    Run(*window, "actionToggleBin");
    QTRY_VERIFY(window->height() > twoBars);
    QCOMPARE(window->Bars().Site()->BandMinWidth(2), window->Bars().At(2)->CaptionWidth());
    const int threeBars = window->height();
    Run(*window, "actionToolBar");
    QTRY_VERIFY(window->height() < threeBars);
    Run(*window, "actionToolBar");
    Run(*window, "actionToggleBin");
    QTRY_COMPARE(window->height(), twoBars);
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

void BarManagementTest::containersAndMenus() {
    WindowFixture window;
    QToolBar* toolBar = window->MainToolBar();
    QCOMPARE(toolBar->objectName(), "toolBar");
    const QList<QAction*> tools = toolBar->actions();
    QCOMPARE(tools.size(), 17);
    const QStringList captions = {"Dec", "Hex", "Bin", "Oct", "Deg"};
    for (int i = 0; i < captions.size(); ++i)
        QCOMPARE(tools[i]->iconText(), captions[i]);
    // The tool bar shows the actions themselves, with their short captions
    // as icon texts.
    QCOMPARE(tools[0], FindAction(*window, "actionToggleDec"));
    QCOMPARE(tools[5], FindAction(*window, "actionToggleSize"));
    QVERIFY(tools[10]->isSeparator());
    QCOMPARE(tools[11], FindAction(*window, "actionDigitGrouping"));
    QCOMPARE(tools[16], FindAction(*window, "actionEditPaste"));
    // A tool button with its own caption still runs its command.
    tools[3]->trigger();
    QVERIFY(window->Bars().Find(BarKind::Oct) != nullptr);

    const QList<QAction*> menus = window->MainMenuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0]->text(), "編集(&E)");
    QCOMPARE(menus[1]->text(), "バー(&B)");
    QCOMPARE(menus[2]->text(), "表示(&V)");
    QCOMPARE(menus[3]->text(), "ヘルプ(&H)");
    QCOMPARE(window->MainMenuBar()->BarMenu()->actions().size(), 10);
    QCOMPARE(window->MainMenuBar()->BarMenu()->actions()[2],
             FindAction(*window, "actionToggleBin"));
    // The commands, the way back to the default colour, and the language
    // submenu after a separator.
    QCOMPARE(window->MainMenuBar()->ViewMenu()->actions().size(), 18);
    QCOMPARE(window->MainMenuBar()->ViewMenu()->actions()[15],
             window->MainMenuBar()->DefaultColorItem());
    QCOMPARE(window->MainMenuBar()->ViewMenu()->actions().last()->menu(),
             window->MainMenuBar()->LanguageMenu());
    QCOMPARE(window->MainMenuBar()->EditMenu()->actions().last(),
             FindAction(*window, "actionExit"));
    QVERIFY(!window->ButtonPane()->isHidden());
    // The gradian unit is not offered, but its action stays shown (and so
    // can be enabled): only its menu items and button are hidden.
    QVERIFY(!OfferedInControls(Command::AngleGradians));
    QVERIFY(FindAction(*window, "actionAngleGradians")->isVisible());
    QVERIFY(FindAction(*window, "actionAngleGradians")->isEnabled());
    QVERIFY(window->Execute(Command::AngleGradians));
    QCOMPARE(window->Engine().Options().Angle(), AngleUnit::Gradian);
}

void BarManagementTest::bodyColour() {
    WindowFixture window;
    QCOMPARE(window->View().BodyColor(), EncodeStoredColor(SystemColor::ButtonFace));
    QCOMPARE(window->palette().color(QPalette::Window),
             QGuiApplication::palette().color(QPalette::Button));
    // The default colour draws every control as the desktop does.
    const QPalette system = QGuiApplication::palette();
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Button})
        QCOMPARE(window->ButtonPane()->palette().color(role), system.color(role));
    QVERIFY(!window->MainMenuBar()->DefaultColorItem()->isEnabled() ||
            !window->MainMenuBar()->ViewMenu()->isVisible());
    window->View().SetBodyColor(0x0000FF); // 0x00BBGGRR: red
    QCOMPARE(window->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(window->ButtonPane()->palette().color(QPalette::Window), QColor(255, 0, 0));

    // The View menu offers the way back, and takes it.
    QMenu* view = window->MainMenuBar()->ViewMenu();
    QAction* back = window->MainMenuBar()->DefaultColorItem();
    QVERIFY(view->actions().contains(back));
    emit view->aboutToShow();
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(window->View().BodyColor(), EncodeStoredColor(SystemColor::ButtonFace));
    QCOMPARE(window->palette().color(QPalette::Window),
             QGuiApplication::palette().color(QPalette::Button));
    QCOMPARE(window->ButtonPane()->palette().color(QPalette::WindowText),
             system.color(QPalette::WindowText));
    emit view->aboutToShow();
    QVERIFY(!back->isEnabled());

    // A new desktop palette: the body and its texts follow it.
    struct RestorePalette {
        QPalette saved = QApplication::palette();
        ~RestorePalette() { QApplication::setPalette(saved); }
    } restore;
    const QPalette saved = restore.saved;
    QPalette dark = saved;
    dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::ButtonText, QColor(0xE0, 0xE0, 0xE0));
    dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    QApplication::setPalette(dark);
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0x30, 0x30, 0x30));
    QCOMPARE(window->ButtonPane()->palette().color(QPalette::WindowText), QColor(0xE0, 0xE0, 0xE0));
    QApplication::setPalette(saved);
    QCOMPARE(window->ButtonPane()->palette().color(QPalette::WindowText),
             system.color(QPalette::WindowText));
}

void BarManagementTest::textsOnTheBodyColourAreLegible_data() {
    QTest::addColumn<QColor>("body");
    QTest::newRow("navy") << QColor(0x00, 0x00, 0x7F);
    QTest::newRow("black") << QColor(0, 0, 0);
    QTest::newRow("dark red") << QColor(0x80, 0x00, 0x00);
    QTest::newRow("steel blue") << QColor(0x33, 0x66, 0x99);
    QTest::newRow("mid grey") << QColor(0x77, 0x77, 0x77);
    QTest::newRow("yellow") << QColor(0xFF, 0xFF, 0x00);
    QTest::newRow("white") << QColor(0xFF, 0xFF, 0xFF);
}

// Each text drawn on the body colour, in the palette colours its widget
// draws with, reaches 4.5:1 against the background it is drawn on; the value
// panels keep their own colours and stay legible too.
void BarManagementTest::textsOnTheBodyColourAreLegible() {
    QFETCH(QColor, body);
    WindowFixture window;
    MainWindow& form = window.Window();
    Run(form, "actionToggleFloat"); // a bar with option buttons
    Keys(form, "12 +");             // a pending operator in every value panel
    form.View().SetBodyColor(EncodeStoredColor(RgbOf(body)));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const auto check = [](const QWidget& widget, QPalette::ColorRole text,
                          QPalette::ColorRole background, const char* what) {
        const QPalette& palette = widget.palette();
        const double ratio = ContrastRatio(palette.color(QPalette::Active, text),
                                           palette.color(QPalette::Active, background));
        QVERIFY2(ratio >= kReadableContrast,
                 qPrintable(QStringLiteral("%1 %2: %3:1")
                                .arg(what, widget.objectName(), QString::number(ratio))));
    };
    // Labels, group titles, radio buttons and the page tabs.
    check(*form.Buttons().ModeGroup, QPalette::WindowText, QPalette::Window, "mode group");
    for (const QWidget* radio : form.Buttons().ModeGroup->findChildren<QAbstractButton*>())
        check(*radio, QPalette::WindowText, QPalette::Window, "mode button");
    const auto* tabs = form.Buttons().Pages->findChild<QTabBar*>();
    QVERIFY(tabs != nullptr);
    check(*tabs, QPalette::WindowText, QPalette::Window, "page tab");
    check(*form.MainMenuBar(), QPalette::ButtonText, QPalette::Window, "menu bar");
    check(*form.MainMenuBar(), QPalette::WindowText, QPalette::Window, "menu bar");
    // Flat buttons show the body when up and their face when pressed.
    std::vector<const QToolButton*> flat;
    for (int i = 0; i < form.Bars().Count(); ++i)
        for (const BarButton* button : form.Bars().At(i)->findChildren<BarButton*>())
            flat.push_back(button);
    QVERIFY(!flat.empty());
    for (const QToolButton* button : form.MainToolBar()->findChildren<QToolButton*>())
        flat.push_back(button);
    for (const QToolButton* button : flat) {
        check(*button, QPalette::ButtonText, QPalette::Window, "flat button up");
        check(*button, QPalette::ButtonText, QPalette::Button, "flat button down");
    }
    for (const CommandButton* key : form.ButtonPane()->findChildren<CommandButton*>())
        check(*key, QPalette::ButtonText, QPalette::Button, "key");
    for (int i = 0; i < form.Bars().Count(); ++i) {
        const CalcBar& bar = *form.Bars().At(i);
        QVERIFY(!bar.Parts().OperatorLabel->text().trimmed().isEmpty());
        const QColor panel = bar.Parts().ValuePanel->palette().color(QPalette::Window);
        const QColor sign = bar.Parts().OperatorLabel->palette().color(QPalette::WindowText);
        QVERIFY2(ContrastRatio(sign, panel) >= kReadableContrast, qPrintable(bar.Title()));
    }
    // A disabled key stays as distinct from the body as the desktop makes it
    // from its own colour.
    const QPalette system = QGuiApplication::palette();
    const double faint = std::min(
        kReadableContrast, ContrastRatio(system.color(QPalette::Disabled, QPalette::ButtonText),
                                         system.color(QPalette::Active, QPalette::Window)));
    const QPalette& keys = form.ButtonPane()->palette();
    QVERIFY(ContrastRatio(keys.color(QPalette::Disabled, QPalette::ButtonText),
                          keys.color(QPalette::Disabled, QPalette::Button)) >= faint - 0.05);
}

// With the tool bar, the button panel and the menu bar hidden, closing the
// last bar must not leave a window of no size (which the desktop unmaps,
// taking the only way to close it).
void BarManagementTest::windowStaysWhenEverythingIsHidden() {
    WindowFixture window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.Window()));
    window->View().Set(ViewOptions::Flag::ToolBar, false);
    window->View().Set(ViewOptions::Flag::ButtonPanel, false);
    window->View().Set(ViewOptions::Flag::MenuBar, false);
    while (window->Bars().Count() > 0)
        QVERIFY(Run(*window, "actionBarClose"));
    QTRY_VERIFY(window->centralWidget()->height() >= 20);
    QVERIFY(window->width() >= 200);
    QVERIFY(window->isVisible());
    // A bar opened again is shown whole.
    QVERIFY(Run(*window, "actionToggleHex"));
    QTRY_VERIFY(window->height() >= window->Bars().At(0)->minimumSizeHint().height());
}

// A larger display font widens the bars, and with them the window, until
// every value is shown whole.
void BarManagementTest::largeFontWidensTheWindowInsteadOfCutting() {
    WindowFixture window;
    window->View().Set(ViewOptions::Flag::ToolBar, false);
    window->View().Set(ViewOptions::Flag::ButtonPanel, false);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.Window()));
    Run(*window, "actionModeInt64");
    Keys(*window, "AC 1234567890123456789");
    QFont font = window->View().DisplayFont();
    font.setPointSize(20);
    window->View().SetDisplayFont(font);
    const int screenWidth = window->screen()->availableGeometry().width();
    for (int i = 0; i < window->Bars().Count(); ++i) {
        const CalcBar* bar = window->Bars().At(i);
        const QLabel* label = bar->Parts().ValueLabel;
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
        QVERIFY(needed < screenWidth / 2); // the test itself fits the screen
        QTRY_VERIFY2(label->width() >= needed, qPrintable(label->text()));
        const QPoint left = label->mapTo(&window.Window(), QPoint(0, 0));
        QVERIFY(left.x() >= 0);
        // The window follows the bars once its own resize has come through.
        QTRY_VERIFY(label->mapTo(&window.Window(), QPoint(0, 0)).x() + label->width() <=
                    window->width());
    }
}

// A value that plainly fits its bar leaves the band site alone: no band
// moves, so the site is not laid out again on every key. One that needs more
// room widens the window whole, and a short value brings it back to the
// width it had.
void BarManagementTest::onlyValuesThatNeedRoomMoveTheBands() {
    WindowFixture window;
    window->View().Set(ViewOptions::Flag::ToolBar, false);
    window->View().Set(ViewOptions::Flag::ButtonPanel, false);
    Run(*window, "actionModeInt64");
    Keys(*window, "AC");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.Window()));
    QTest::qWait(0);
    const int narrow = window->width();
    LayoutRequests requests(*window->Bars().Site());
    for (const QString digit : {"1", "2", "3"}) {
        Keys(*window, digit);
        QTest::qWait(0);
    }
    QCOMPARE(requests.Count(), 0);
    QCOMPARE(window->width(), narrow);

    Keys(*window, "4567890123456789");
    // The window's own resize comes through the event loop, later under a
    // slow (sanitized) build.
    QTRY_VERIFY(window->width() > narrow);
    for (int i = 0; i < window->Bars().Count(); ++i) {
        const QLabel* label = window->Bars().At(i)->Parts().ValueLabel;
        QTRY_VERIFY2(label->width() >= DrawnTextWidth(label->font(), label->text()),
                     qPrintable(label->text()));
    }
    Keys(*window, "AC");
    QTRY_COMPARE(window->width(), narrow);
}

// A display font in which a value is wider than the screen: the window stays
// on the screen, the value is clipped on the left with its low digits in
// view, and once the font is back to normal the widths it gave the bars do
// not come back with the next start.
void BarManagementTest::fontWiderThanTheScreenKeepsTheWindowOnIt() {
    FormatSettingsScope format(FormatSettings{});
    QTemporaryDir settings;
    ProfilePathOverride profile(settings.filePath(QStringLiteral("pexa.ini")).toStdString());
    int normalWidth = 0;
    {
        MainWindow form;
        // Without the tool bar and the button panel, the bars alone set the width.
        form.View().Set(ViewOptions::Flag::ToolBar, false);
        form.View().Set(ViewOptions::Flag::ButtonPanel, false);
        for (const char* kind : {"actionToggleOct", "actionToggleBin", "actionToggleChar",
                                 "actionToggleIP", "actionToggleSexagesimal", "actionToggleFloat",
                                 "actionToggleTime", "actionToggleSize"})
            QVERIFY(Run(form, kind));
        QCOMPARE(form.Bars().Count(), 10);
        Run(form, "actionModeInt64");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(0);
        normalWidth = form.width();
        const QFont normal = form.View().DisplayFont();
        Keys(form, "AC 1234567890123456789");

        const int screenWidth = form.screen()->availableGeometry().width();
        const QLabel* value = form.Bars().Find(BarKind::Decimal)->Parts().ValueLabel;
        QFont large = normal;
        for (int size = 20;
             QFontMetrics(large).horizontalAdvance(value->text()) <= screenWidth && size < 1000;
             size += 10)
            large.setPointSize(size);
        QVERIFY(QFontMetrics(large).horizontalAdvance(value->text()) > screenWidth);
        form.View().SetDisplayFont(large);
        // The window grows as far as the screen lets it, and no further.
        QTRY_VERIFY(form.width() > normalWidth);
        QTest::qWait(0);
        QCOMPARE(form.frameGeometry().width(), screenWidth);
        // Clipped on the left: the value's panel ends at the window's right
        // edge, and the value at the panel's.
        const QWidget* panel = value->parentWidget();
        const int panelRight = panel->mapTo(&form, QPoint(panel->width(), 0)).x();
        QVERIFY(panelRight <= form.width());
        // The bar ends in a gap of 2 pixels.
        QVERIFY(panelRight >= form.width() - BandSite::kEdgeWidth - 2 * 2);
        QCOMPARE(value->geometry().right(),
                 panel->contentsRect().right() -
                     form.Bars().Find(BarKind::Decimal)->Parts().OperatorLabel->width());
        QVERIFY(value->width() < QFontMetrics(value->font()).horizontalAdvance(value->text()));
        QCOMPARE(value->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        form.View().SetDisplayFont(normal);
    }
    MainWindow again;
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QTest::qWait(0);
    QCOMPARE(again.width(), normalWidth);
}

// No key of the button panel is narrower than the style draws its caption.
void BarManagementTest::panelKeysFitTheirCaptions() {
    WindowFixture window;
    const auto buttons = window->ButtonPane()->findChildren<CommandButton*>();
    QVERIFY(buttons.size() > 40);
    for (const CommandButton* button : buttons)
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
}

QTEST_MAIN(BarManagementTest)
#include "test_barmanagement.moc"
