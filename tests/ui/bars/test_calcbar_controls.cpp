// How a bar is handled and laid out: presses and middle clicks on its parts,
// option buttons taken from actions, where its parts are placed and how wide they
// are, its keys, its context menu and its display font.
#include "BarUpdates.h"
#include "CalcBarFixture.h"
#include "core/FormatSettings.h"
#include "ui/bars/CalcBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <memory>
#include <vector>

using namespace pexa;
using namespace Qt::StringLiterals;
using namespace pexa::testing;

namespace {

void SendMousePress(QWidget* target, Qt::MouseButton button, QPoint pos = {1, 1}) {
    QMouseEvent press(QEvent::MouseButtonPress, pos, target->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

} // namespace

class TestCalcBarControls : public QObject, private CalcBarFixture {
    Q_OBJECT

private slots:
    void init() { host_ = std::make_unique<QWidget>(); }
    void cleanup() { host_.reset(); }

    void pressOnAChildActivatesOnlyAnInactiveBar() {
        CalcBar* bar = NewBar(BarKind::Hex);
        int activations = 0;
        int middles = 0;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar& b) {
            QCOMPARE(&b, bar);
            ++activations;
        });
        QObject::connect(bar, &CalcBar::MiddleClicked, [&](CalcBar&) { ++middles; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));

        QTest::mousePress(bar->Parts().CaptionLabel, Qt::LeftButton);
        QCOMPARE(activations, 1);
        QTest::mousePress(bar->Parts().ValueLabel, Qt::RightButton);
        QCOMPARE(activations, 2);
        QTest::mousePress(bar->Parts().OperatorLabel, Qt::LeftButton);
        QCOMPARE(activations, 3);
        SendMousePress(bar->Parts().ValuePanel, Qt::LeftButton);
        QCOMPARE(activations, 4);
        // The bar's own surface activates too, and only once per press.
        SendMousePress(bar, Qt::LeftButton);
        QCOMPARE(activations, 5);
        QCOMPARE(middles, 0);

        bar->SetActive(true);
        QTest::mousePress(bar->Parts().CaptionLabel, Qt::LeftButton);
        SendMousePress(bar, Qt::LeftButton);
        QCOMPARE(activations, 5);
    }

    void middleClickOnChildrenOnly() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        bar->SetShowIndicators(true);
        BarButton* button = bar->AddOptionButton();
        int activations = 0;
        std::vector<CalcBar*> middles;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar&) { ++activations; });
        QObject::connect(bar, &CalcBar::MiddleClicked, [&](CalcBar& b) { middles.push_back(&b); });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));

        QTest::mousePress(bar->Parts().ValueLabel, Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{1});
        QCOMPARE(middles[0], bar);
        QCOMPARE(activations, 1);
        QTest::mousePress(bar->Parts().SignIndicator, Qt::MiddleButton);
        QTest::mousePress(button, Qt::MiddleButton);
        QTest::mousePress(bar->Parts().CaptionLabel, Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
        SendMousePress(bar, Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
        // Without a handler nothing happens.
        QObject::disconnect(bar, &CalcBar::MiddleClicked, nullptr, nullptr);
        QTest::mousePress(bar->Parts().ValueLabel, Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
    }

    void middleClickMayDestroyTheBar() {
        CalcBar* deferred = NewBar(BarKind::Decimal);
        CalcBar* immediate = NewBar(BarKind::Hex);
        immediate->move(0, 40);
        QPointer<CalcBar> deferredGuard(deferred);
        QPointer<CalcBar> immediateGuard(immediate);
        QObject::connect(deferred, &CalcBar::MiddleClicked, [](CalcBar& b) { b.deleteLater(); });
        QObject::connect(immediate, &CalcBar::MiddleClicked, [](CalcBar& b) { delete &b; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mousePress(deferred->Parts().ValueLabel, Qt::MiddleButton);
        QTest::mousePress(immediate->Parts().CaptionLabel, Qt::MiddleButton);
        QVERIFY(immediateGuard.isNull());
        QTRY_VERIFY(deferredGuard.isNull());
    }

    void optionButtonTakesItsTextsAndStillClicks() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* button =
            bar->AddOptionButton(QStringLiteral("hms"), QString::fromUtf8("[h]:m:s形式"));
        QCOMPARE(button->text(), QString("hms"));
        QCOMPARE(button->toolTip(), QString::fromUtf8("[h]:m:s形式"));
        QVERIFY(button->isEnabled());
        QCOMPARE(bar->Parts().OptionControls.size(), std::size_t{1});

        int activations = 0;
        int clicks = 0;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar&) { ++activations; });
        QObject::connect(button, &QToolButton::clicked, [&] { ++clicks; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(activations, 1);
        QCOMPARE(clicks, 1);
    }

    void disabledOptionButton() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* disabledButton = bar->AddOptionButton(QStringLiteral("&Off"));
        disabledButton->setEnabled(false);
        bar->EnsurePlaced();
        // The access mark is not shown and does not become a mnemonic.
        QCOMPARE(disabledButton->text(), QString("Off"));
        QVERIFY(disabledButton->shortcut().isEmpty());
        QCOMPARE(disabledButton->x(), bar->CaptionWidth() + 2);
    }

    void optionControlsArePlacedBetweenTheSpacers() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* narrow = bar->AddOptionButton();
        narrow->setText("t");
        BarSeparator* divider = bar->AddOptionSeparator(true);
        BarSeparator* gap = bar->AddOptionSeparator(false);
        QVERIFY(divider->IsDivider());
        QVERIFY(!gap->IsDivider());
        bar->EnsurePlaced();
        const int edge = 2;
        const int border = 1;
        const int captionWidth = bar->CaptionWidth();
        QCOMPARE(narrow->x(), captionWidth + edge);
        // Three quarters of a tool button, or what the style needs for the caption.
        const int narrowWidth = std::max(17, narrow->sizeHint().width());
        QCOMPARE(narrow->width(), narrowWidth);
        QCOMPARE(divider->x(), narrow->x() + narrowWidth);
        QCOMPARE(divider->width(), 2 * (edge + border));
        QCOMPARE(gap->x(), divider->x() + divider->width());
        QCOMPARE(gap->width(), 2 * edge);
        QCOMPARE(bar->Parts().ValuePanel->x(), gap->x() + gap->width() + edge);

        // A button added later lands before the trailing spacer.
        const int panelBefore = bar->Parts().ValuePanel->x();
        BarButton* late = bar->AddOptionButton(QStringLiteral("hms"));
        const int lateWidth =
            std::max({QFontMetrics(late->font()).horizontalAdvance("hms") + 6 * border,
                      late->sizeHint().width(), 17});
        QCOMPARE(late->x(), gap->x() + gap->width());
        QCOMPARE(late->width(), lateWidth);
        QCOMPARE(bar->Parts().ValuePanel->x(), panelBefore + lateWidth);
        QCOMPARE(bar->Parts().ValuePanel->x() + bar->Parts().ValuePanel->width(), bar->width());
        // Hiding a control closes its gap.
        late->hide();
        QCOMPARE(bar->Parts().ValuePanel->x(), panelBefore);
    }

    // A long caption keeps clear of its button's edges: the button is at
    // least as wide as the style draws that caption.
    void buttonCaptionsClearTheEdges() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        std::vector<BarButton*> buttons;
        for (const char* caption : {"DWord", "BRev", "Word", "t"}) {
            buttons.push_back(bar->AddOptionButton());
            buttons.back()->setText(caption);
        }
        bar->EnsurePlaced();
        for (BarButton* button : buttons)
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }

    // The value is never cut: the bar's minimum width holds the whole text,
    // and grows with it.
    void minimumWidthHoldsTheWholeValue() {
        CalcBar* bar = NewBar(BarKind::Bin);
        ShowMode(*bar, CalcValueMode::QWord);
        QFont big = bar->Parts().ValuePanel->font();
        big.setPointSize(20);
        bar->SetDisplayFont(big);
        bar->EnsurePlaced();
        ShowValue(*bar, IntegerValue(CalcValueMode::QWord, -1));
        const int text = QFontMetrics(big).horizontalAdvance(bar->Parts().ValueLabel->text());
        const int beside = bar->CaptionWidth() + 2 * 2 + bar->Parts().OperatorLabel->width();
        QVERIFY(bar->minimumSizeHint().width() >= beside + text);
        const int wide = bar->minimumSizeHint().width();
        ShowValue(*bar, IntegerValue(CalcValueMode::QWord, 1));
        QVERIFY(bar->minimumSizeHint().width() <= wide);
        bar->SetMessageText(QString(200, QLatin1Char('x')));
        QVERIFY(bar->minimumSizeHint().width() >=
                beside + QFontMetrics(big).horizontalAdvance(QString(200, QLatin1Char('x'))));
    }

    void panelFillsTheBarOnResize() {
        CalcBar* bar = NewBar(BarKind::Bin);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        for (int width : {200, 480, 90}) {
            bar->resize(width, bar->height());
            QCOMPARE(bar->Parts().ValuePanel->x() + bar->Parts().ValuePanel->width(), width);
        }
        bar->resize(10, bar->height());
        QCOMPARE(bar->Parts().ValuePanel->width(), 0);
    }

    void equalCaptionWidths() {
        std::vector<CalcBar*> bars;
        for (int kind = 0; kind < 4; ++kind) {
            bars.push_back(NewBar(static_cast<BarKind>(kind)));
        }
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        const QFontMetrics metrics(bars[0]->Parts().CaptionLabel->font());
        int widest = 0;
        for (const char* label :
             {"DEC", "HEX", "OCT", "BIN", "CHR", "IP", "DEG", "FLT", "TIME", "KILO"}) {
            widest = std::max(widest, metrics.horizontalAdvance(label));
        }
        for (CalcBar* bar : bars) {
            QVERIFY(bar->IsPlaced());
            QCOMPARE(bar->CaptionWidth(), widest + 2);
            QCOMPARE(bar->Parts().CaptionLabel->width(), widest + 2);
            QCOMPARE(bar->Parts().ValuePanel->x(), widest + 2 + 2 * 2);
        }
        // A font inherited later changes every caption alike.
        QFont wide = host_->font();
        wide.setPointSize(wide.pointSize() * 2);
        host_->setFont(wide);
        const QFontMetrics wideMetrics(bars[0]->Parts().CaptionLabel->font());
        const int widestWide = wideMetrics.horizontalAdvance("KILO");
        QVERIFY(widestWide > widest);
        for (CalcBar* bar : bars) {
            QCOMPARE(bar->CaptionWidth(), bars[0]->CaptionWidth());
            QVERIFY(bar->CaptionWidth() >= widestWide + 2);
            QCOMPARE(bar->Parts().ValuePanel->x(), bar->CaptionWidth() + 2 * 2);
        }
        host_->setFont(QFont());
        // Before placement the width is already the shared one.
        const std::unique_ptr<CalcBar> loose(
            CalcBar::Make<CalcBar>(nullptr, CreateConv(static_cast<int>(BarKind::Oct))));
        QVERIFY(!loose->IsPlaced());
        QCOMPARE(loose->CaptionWidth(), widest + 2);
    }

    // Sizes measured once are kept; a new caption or font must measure again.
    void measuredSizesFollowCaptionAndFont() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* button = bar->AddOptionButton();
        button->setText("&ab");
        const QFont normal = button->font();
        QFont big = normal;
        big.setPointSize(normal.pointSize() * 3);
        const auto buttonWidth = [button](const QFont& font, const char* text) {
            return std::max(
                {QFontMetrics(font).horizontalAdvance(text) + 6, button->sizeHint().width(), 17});
        };
        const int withoutButton = bar->minimumSizeHint().width() - buttonWidth(normal, "ab");
        QCOMPARE(button->CaptionTextWidth(), QFontMetrics(normal).horizontalAdvance("ab"));

        button->setText("Kilobytes &wide");
        QCOMPARE(button->CaptionTextWidth(),
                 QFontMetrics(normal).horizontalAdvance("Kilobytes wide"));
        QCOMPARE(bar->minimumSizeHint().width(),
                 withoutButton + buttonWidth(normal, "Kilobytes wide"));
        button->setFont(big);
        QCOMPARE(button->CaptionTextWidth(), QFontMetrics(big).horizontalAdvance("Kilobytes wide"));
        QCOMPARE(bar->minimumSizeHint().width(),
                 withoutButton + buttonWidth(big, "Kilobytes wide"));

        BarCaption caption;
        caption.SetMarkedText("&HEX");
        QCOMPARE(caption.sizeHint(), QSize(QFontMetrics(caption.font()).horizontalAdvance("HEX"),
                                           QFontMetrics(caption.font()).height()));
        caption.SetMarkedText("KILO&&BYTES");
        QCOMPARE(caption.sizeHint().width(),
                 QFontMetrics(caption.font()).horizontalAdvance("KILO&BYTES"));
        caption.setFont(big);
        QCOMPARE(caption.sizeHint(), QSize(QFontMetrics(big).horizontalAdvance("KILO&BYTES"),
                                           QFontMetrics(big).height()));
    }

    // The pending operator is read beside the value, in the value's font and
    // on its line, with the signs of arithmetic; the label keeps one width
    // whatever it shows.
    void operatorLabelKeepsItsWidth() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        ShowValue(*bar, IntegerValue(CalcValueMode::Byte, 7));
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QLabel* label = bar->Parts().OperatorLabel;
        QLabel* value = bar->Parts().ValueLabel;
        auto widestOf = [](const QFont& font) {
            const QFontMetrics metrics(font);
            int widest = 0;
            for (const QString& symbol :
                 {u"+"_s, u"\u2212"_s, u"\u00D7"_s, u"\u00F7"_s, u"%"_s, u"&"_s, u"|"_s, u"^"_s,
                  u"<<"_s, u">>"_s, u"a>"_s, u"<r"_s, u"r>"_s, u"p"_s, u"rt"_s, u"log"_s})
                widest = std::max(widest, metrics.horizontalAdvance(symbol));
            return widest + metrics.horizontalAdvance(QLatin1Char(' ')) + 2;
        };
        QCOMPARE(label->font(), value->font());
        QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(label->width(), widestOf(value->font()));
        const int valueWidth = value->width();
        const int barWidth = bar->width();
        const struct {
            const char* Symbol;
            QString Shown;
        } rows[] = {{"-", u"\u2212"_s}, {"*", u"\u00D7"_s}, {"/", u"\u00F7"_s}, {"log", u"log"_s},
                    {"+", u"+"_s},      {"", u""_s},        {"<<", u"<<"_s},    {"rt", u"rt"_s}};
        for (const auto& row : rows) {
            bar->SetOperatorText(QString::fromLatin1(row.Symbol));
            QApplication::processEvents();
            QCOMPARE(bar->OperatorText(), QString::fromLatin1(row.Symbol));
            QCOMPARE(label->text(), row.Shown);
            QCOMPARE(label->width(), widestOf(value->font()));
            QCOMPARE(value->width(), valueWidth);
            QCOMPARE(bar->width(), barWidth);
        }
        // A new display font is the operator's too.
        QFont big = bar->font();
        big.setPointSize(20);
        bar->SetDisplayFont(big);
        QCOMPARE(value->font().pointSize(), 20);
        QCOMPARE(label->font().pointSize(), 20);
        QCOMPARE(label->width(), widestOf(big));
        bar->SetDisplayFont(std::nullopt);
        QCOMPARE(value->font().pointSize(), 20);
    }

    void accessKeyNeedsAltAlone() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        CalcBar* bin = NewBar(BarKind::Bin);
        QVERIFY(dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier));
        QVERIFY(dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::KeypadModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::ControlModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::NoModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_E, Qt::AltModifier));
        QVERIFY(bin->MatchesAccessKey(Qt::Key_B, Qt::AltModifier));
        QVERIFY(!bin->MatchesAccessKey(Qt::Key_D, Qt::AltModifier));
    }

    void keysOfTheBaseBar() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        QVERIFY(!bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_F10, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Menu, Qt::ShiftModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_A, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Menu, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_F10, Qt::ShiftModifier));
        QApplication::processEvents();
        QVERIFY(bar->Parts().PopupMenu != nullptr);
    }

    void contextMenuBuiltOnceAndOpenedBelowThePanel() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        int builds = 0;
        QObject::connect(bar, &CalcBar::MenuBuilding, [&](CalcBar& b, QMenu& menu) {
            QCOMPARE(&b, bar);
            ++builds;
            menu.addAction("Copy");
            menu.addAction("Close");
        });
        host_->move(10, 10);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QVERIFY(bar->Parts().PopupMenu == nullptr);
        QVERIFY(bar->HandleKey(Qt::Key_Menu, Qt::NoModifier));
        QVERIFY(bar->Parts().PopupMenu == nullptr); // the request is posted
        QApplication::processEvents();
        QMenu* menu = bar->Parts().PopupMenu;
        QVERIFY(menu != nullptr);
        QCOMPARE(builds, 1);
        QCOMPARE(menu->actions().size(), 2);
        QTRY_VERIFY(menu->isVisible());
        const QPoint expected = bar->mapToGlobal(
            QPoint(bar->Parts().ValuePanel->x(),
                   bar->Parts().ValuePanel->y() + bar->Parts().ValuePanel->height()));
        QCOMPARE(menu->pos(), expected);
        menu->hide();

        // A mouse request opens the same menu at the mouse.
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 3),
                                  bar->mapToGlobal(QPoint(5, 3)));
        QApplication::sendEvent(bar, &request);
        QVERIFY(request.isAccepted());
        QCOMPARE(bar->Parts().PopupMenu, menu);
        QCOMPARE(builds, 1);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), bar->mapToGlobal(QPoint(5, 3)));
        menu->hide();
    }

    void emptyContextMenuIsNotShown() {
        CalcBar* bar = NewBar(BarKind::Hex);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 3),
                                  bar->mapToGlobal(QPoint(5, 3)));
        QApplication::sendEvent(bar, &request);
        QVERIFY(!request.isAccepted());
        QVERIFY(bar->Parts().PopupMenu != nullptr);
        QVERIFY(bar->Parts().PopupMenu->actions().isEmpty());
        QVERIFY(!bar->Parts().PopupMenu->isVisible());
        // An owner handler added later does not rebuild the kept menu.
        int builds = 0;
        QObject::connect(bar, &CalcBar::MenuBuilding, [&](CalcBar&, QMenu&) { ++builds; });
        QApplication::sendEvent(bar, &request);
        QCOMPARE(builds, 0);
    }

    void displayFontBeforePlacement() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        QFont font = bar->font();
        font.setPointSize(17);
        bar->SetDisplayFont(font);
        QCOMPARE(bar->Parts().ValuePanel->font().pointSize(), 17);
        QVERIFY(!bar->IsPlaced());
        bar->EnsurePlaced();
        QCOMPARE(bar->Parts().ValueLabel->font().pointSize(), 17);
        QVERIFY(bar->minimumSizeHint().height() >=
                QFontMetrics(bar->Parts().ValuePanel->font()).height());
    }
};

QTEST_MAIN(TestCalcBarControls)
#include "test_calcbar_controls.moc"
