#include "ui/bars/BandSite.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <vector>

using namespace pexa;

namespace {

constexpr int kSiteWidth = 300;
constexpr int kGrip = BandSite::kGripWidth;
constexpr int kEdge = BandSite::kEdgeWidth;
constexpr int kGap = BandSite::kRowGap;

// A child that wants a fixed size, like a bar does.
class Probe : public QWidget {
public:
    explicit Probe(QSize hint) : hint_(hint) {}
    QSize sizeHint() const override { return hint_; }
    void SetHint(QSize hint) {
        hint_ = hint;
        updateGeometry();
    }

private:
    QSize hint_;
};

struct BandSpec {
    int width = 0;
    int minWidth = 0;
    bool breakBefore = true;
    int height = 20;
};

std::vector<Probe*> Fill(BandSite& site, const std::vector<BandSpec>& specs) {
    std::vector<Probe*> probes;
    for (const BandSpec& spec : specs) {
        auto* probe = new Probe(QSize(50, spec.height));
        const int index = site.AddBand(probe, spec.breakBefore);
        site.SetBandWidth(index, spec.width);
        site.SetBandMinWidth(index, spec.minWidth);
        probes.push_back(probe);
    }
    return probes;
}

// A band as the settings file keeps it.
struct Saved {
    QWidget* child;
    int width;
    bool breakBefore;
    bool operator==(const Saved&) const = default;
};

std::vector<Saved> ReadBack(const BandSite& site) {
    std::vector<Saved> saved;
    for (int i = 0; i < site.BandCount(); ++i)
        saved.push_back({site.BandWidget(i), site.BandWidth(i), site.BandBreak(i)});
    return saved;
}

void Drag(QWidget* widget, QPoint from, QPoint to) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, (from + to) / 2);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

QPoint GripOf(const BandSite& site, int index) {
    const QRect r = site.BandRect(index);
    return QPoint(r.x() + kGrip / 2, r.center().y());
}

QPoint EdgeOf(const BandSite& site, int index) {
    const QRect r = site.BandRect(index);
    return QPoint(r.right() - 1, r.center().y());
}

} // namespace

using RectList = QList<QRect>;

class TestBandSite : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void childSitsBesideGrip();
    void rowHeightIsTallestChild();
    void heightFollowsRows();
    void deletedChildLeavesBandAndRowKeepsItsBands();
    void takeBandHandsChildBack();
    void movedBandKeepsRequestedWidth();
    void moveBandToRow();
    void dragGripToAnotherRow();
    void dragGripAboveAndBelow();
    void dragGripOntoOwnPlaceChangesNothing();
    void dragEdgeChangesWidth();
    void pressOutsideGripsDoesNothing();
    void readBackRestoresLayout();
    void widthBeforeSiteHasWidth();
    void fitToWidth_data();
    void fitToWidth();
    void joinRowsWithin();
    void siteHeldNarrowCutsItsBands();
    void keptWidthIsTheRequestNotTheLayout();
    void childMinimumSizeHintIsHonoured();
};

void TestBandSite::layout_data() {
    QTest::addColumn<std::vector<BandSpec>>("specs");
    QTest::addColumn<RectList>("rects");
    const int h = 20;
    QTest::newRow("each band its own row")
        << std::vector<BandSpec>{{}, {}, {}}
        << RectList{{0, 0, 300, h}, {0, h + kGap, 300, h}, {0, 2 * (h + kGap), 300, h}};
    QTest::newRow("last band of a row stretches")
        << std::vector<BandSpec>{{100, 0, true}, {0, 0, false}}
        << RectList{{0, 0, 100, h}, {100, 0, 200, h}};
    QTest::newRow("automatic width from the child")
        << std::vector<BandSpec>{{0, 0, true}, {0, 0, false}}
        << RectList{{0, 0, kGrip + 50 + kEdge, h}, {61, 0, 239, h}};
    QTest::newRow("minimum width wins") << std::vector<BandSpec>{{30, 40, true}, {0, 0, false}}
                                        << RectList{{0, 0, kGrip + 40 + kEdge, h}, {51, 0, 249, h}};
    QTest::newRow("too wide a row gives from the right")
        << std::vector<BandSpec>{{200, 10, true}, {200, 10, false}, {0, 100, false}}
        << RectList{{0, 0, 168, h}, {168, 0, 21, h}, {189, 0, 111, h}};
    QTest::newRow("minimums overflow the site")
        << std::vector<BandSpec>{{0, 200, true}, {0, 200, false}}
        << RectList{{0, 0, 211, h}, {211, 0, 211, h}};
    QTest::newRow("two rows")
        << std::vector<BandSpec>{{120, 0, true}, {0, 0, false}, {0, 0, true}, {0, 0, false}}
        << RectList{{0, 0, 120, h}, {120, 0, 180, h}, {0, h + kGap, 61, h}, {61, h + kGap, 239, h}};
    QTest::newRow("first band starts a row without its flag")
        << std::vector<BandSpec>{{100, 0, false}, {0, 0, false}}
        << RectList{{0, 0, 100, h}, {100, 0, 200, h}};
}

void TestBandSite::layout() {
    QFETCH(std::vector<BandSpec>, specs);
    QFETCH(RectList, rects);
    BandSite site;
    site.resize(kSiteWidth, 10);
    Fill(site, specs);
    for (int i = 0; i < site.BandCount(); ++i) {
        QCOMPARE(site.BandRect(i), rects[i]);
        QCOMPARE(site.BandWidth(i), rects[i].width());
    }
    const int bottom = rects.back().bottom() + 1;
    QCOMPARE(site.sizeHint().height(), bottom);
}

void TestBandSite::childSitsBesideGrip() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    const auto probes = Fill(site, {{100, 0, true}, {0, 0, false}, {0, 0, true}});
    for (int i = 0; i < 3; ++i) {
        const QRect band = site.BandRect(i);
        QCOMPARE(probes[static_cast<size_t>(i)]->geometry(),
                 QRect(band.x() + kGrip, band.y(), band.width() - kGrip - kEdge, band.height()));
        QCOMPARE(probes[static_cast<size_t>(i)]->parentWidget(), &site);
    }
}

void TestBandSite::rowHeightIsTallestChild() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    const auto probes = Fill(site, {{100, 0, true, 20}, {0, 0, false, 30}, {0, 0, true, 12}});
    QCOMPARE(site.BandRect(0).height(), 30);
    QCOMPARE(site.BandRect(2), QRect(0, 30 + kGap, 300, 12));
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));

    // A child whose wanted size changes re-lays the site out.
    QSignalSpy changed(&site, &BandSite::LayoutChanged);
    probes[2]->SetHint(QSize(50, 25));
    QTRY_COMPARE(site.sizeHint().height(), 30 + kGap + 25);
    QVERIFY(changed.count() >= 1);
}

void TestBandSite::heightFollowsRows() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    QSignalSpy changed(&site, &BandSite::LayoutChanged);
    QCOMPARE(site.sizeHint().height(), 0);
    auto* first = new Probe(QSize(50, 20));
    site.AddBand(first);
    QCOMPARE(site.sizeHint().height(), 20);
    QCOMPARE(changed.count(), 1);
    site.AddBand(new Probe(QSize(50, 20)));
    QCOMPARE(site.sizeHint().height(), 20 + kGap + 20);
    QCOMPARE(changed.count(), 2);
    site.SetBandBreak(1, false); // into the first row
    QCOMPARE(site.sizeHint().height(), 20);
    QCOMPARE(site.RowCount(), 1);
    QCOMPARE(changed.count(), 3);
    delete first;
    QCOMPARE(site.BandCount(), 1);
    QCOMPARE(site.BandRect(0), QRect(0, 0, 300, 20));
    QCOMPARE(changed.count(), 4);
    site.SetBandWidth(0, 120); // the only band still stretches: nothing moves
    QCOMPARE(changed.count(), 4);
}

void TestBandSite::deletedChildLeavesBandAndRowKeepsItsBands() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    auto probes = Fill(site, {{}, {100, 0, true}, {0, 0, false}, {}});
    QCOMPARE(site.RowCount(), 3);
    delete probes[1]; // started the middle row
    QCOMPARE(site.BandCount(), 3);
    QCOMPARE(site.RowCount(), 3);
    QCOMPARE(site.BandWidget(1), probes[2]);
    QVERIFY(site.BandBreak(1));
    QCOMPARE(site.RowOf(1), 1);

    // A child given another parent leaves too.
    QWidget elsewhere;
    probes[3]->setParent(&elsewhere);
    QCOMPARE(site.BandCount(), 2);
    QCOMPARE(site.IndexOf(probes[3]), -1);
}

void TestBandSite::takeBandHandsChildBack() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    auto probes = Fill(site, {{}, {}});
    QWidget* taken = site.TakeBand(0);
    QCOMPARE(taken, probes[0]);
    QCOMPARE(taken->parent(), nullptr);
    QCOMPARE(site.BandCount(), 1);
    QCOMPARE(site.TakeBand(5), nullptr);
    delete taken;
    QCOMPARE(site.BandCount(), 1);
    // Adding a band twice keeps the one band.
    QCOMPARE(site.AddBand(probes[1]), 0);
    QCOMPARE(site.BandCount(), 1);
    QCOMPARE(site.AddBand(nullptr), -1);
}

void TestBandSite::movedBandKeepsRequestedWidth() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    auto probes = Fill(site, {{}, {100, 0, false}, {}});
    site.MoveBandToRow(1, 1, 0); // before the band of the second row
    QCOMPARE(site.BandWidget(1), probes[1]);
    QVERIFY(site.BandBreak(1));
    QVERIFY(!site.BandBreak(2));
    QCOMPARE(site.KeptBandWidth(1), 100);
    QCOMPARE(site.BandWidth(0), kSiteWidth);
    site.MoveBandToRow(-1, 0, 0); // ignored
    site.MoveBandToRow(1, 0, 99); // clamped: last of the first row
    QCOMPARE(site.BandWidget(1), probes[1]);
    QVERIFY(!site.BandBreak(1));
    QCOMPARE(site.RowCount(), 2);
}

void TestBandSite::moveBandToRow() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    auto probes = Fill(site, {{}, {}, {}});

    site.MoveBandToRow(2, 0, 1); // beside the first band
    QCOMPARE(ReadBack(site), (std::vector<Saved>{
                                 {probes[0], site.BandWidth(0), true},
                                 {probes[2], site.BandWidth(1), false},
                                 {probes[1], 300, true},
                             }));
    QCOMPARE(site.RowCount(), 2);

    site.MoveBandToRow(0, -1, 0); // its own new first row; probe 2 keeps row 1
    QCOMPARE(site.BandWidget(0), probes[0]);
    QCOMPARE(site.BandWidget(1), probes[2]);
    QVERIFY(site.BandBreak(1));
    QCOMPARE(site.RowCount(), 3);

    site.MoveBandToRow(0, 99, 0); // new last row; the emptied row goes
    QCOMPARE(site.BandWidget(2), probes[0]);
    QCOMPARE(site.RowCount(), 3);

    site.MoveBandToRow(1, 0, 0); // in front of the first band
    QCOMPARE(site.BandWidget(0), probes[1]);
    QCOMPARE(site.BandWidget(1), probes[2]);
    QVERIFY(site.BandBreak(0));
    QVERIFY(!site.BandBreak(1));
    QCOMPARE(site.RowCount(), 2);

    const auto before = ReadBack(site);
    site.MoveBandToRow(2, 1, 0); // alone in its row, dropped on it
    QCOMPARE(ReadBack(site), before);
}

void TestBandSite::dragGripToAnotherRow() {
    BandSite site;
    site.resize(kSiteWidth, 80);
    auto probes = Fill(site, {{}, {}, {}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));
    QSignalSpy changed(&site, &BandSite::LayoutChanged);

    Drag(&site, GripOf(site, 2), QPoint(250, 10)); // right half of row 0
    QCOMPARE(site.BandWidget(0), probes[0]);
    QCOMPARE(site.BandWidget(1), probes[2]);
    QCOMPARE(site.BandWidget(2), probes[1]);
    QVERIFY(!site.BandBreak(1));
    QCOMPARE(site.RowCount(), 2);
    QVERIFY(changed.count() >= 1);

    Drag(&site, GripOf(site, 1), QPoint(10, site.BandRect(0).center().y())); // to the left
    QCOMPARE(site.BandWidget(0), probes[2]);
    QCOMPARE(site.BandWidget(1), probes[0]);
    QVERIFY(site.BandBreak(0));
    QVERIFY(!site.BandBreak(1));
}

void TestBandSite::dragGripAboveAndBelow() {
    BandSite site;
    site.resize(kSiteWidth, 80);
    auto probes = Fill(site, {{100, 0, true}, {0, 0, false}, {}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));

    Drag(&site, GripOf(site, 1), QPoint(40, -5));
    QCOMPARE(site.BandWidget(0), probes[1]);
    QCOMPARE(site.RowCount(), 3);
    QVERIFY(site.BandBreak(1)); // the band it left keeps its row

    Drag(&site, GripOf(site, 0), QPoint(40, site.sizeHint().height() + 5));
    QCOMPARE(site.BandWidget(2), probes[1]);
    QCOMPARE(site.BandWidget(0), probes[0]);
    QCOMPARE(site.RowCount(), 3);
    QCOMPARE(site.BandRect(2).y(), 2 * (20 + kGap));
}

void TestBandSite::dragGripOntoOwnPlaceChangesNothing() {
    BandSite site;
    site.resize(kSiteWidth, 80);
    Fill(site, {{100, 0, true}, {0, 0, false}, {}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));
    const auto before = ReadBack(site);
    Drag(&site, GripOf(site, 0), GripOf(site, 0) + QPoint(20, 3));
    QCOMPARE(ReadBack(site), before);
}

void TestBandSite::dragEdgeChangesWidth() {
    BandSite site;
    site.resize(kSiteWidth, 80);
    Fill(site, {{100, 40, true}, {0, 60, false}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));

    QPoint edge = EdgeOf(site, 0);
    Drag(&site, edge, edge + QPoint(40, 0));
    QCOMPARE(site.BandWidth(0), 140);
    QCOMPARE(site.BandRect(1), QRect(140, 0, 160, 20));

    edge = EdgeOf(site, 0);
    Drag(&site, edge, edge + QPoint(500, 0)); // up to the neighbour's minimum
    QCOMPARE(site.BandWidth(1), kGrip + 60 + kEdge);
    QCOMPARE(site.BandWidth(0), 300 - site.BandWidth(1));

    edge = EdgeOf(site, 0);
    Drag(&site, edge, edge - QPoint(500, 0)); // down to its own minimum
    QCOMPARE(site.BandWidth(0), kGrip + 40 + kEdge);
    QCOMPARE(site.BandRect(1).right(), 299);

    // The last band of a row has no edge to drag: it always stretches.
    const QPoint last = EdgeOf(site, 1);
    Drag(&site, last, last - QPoint(100, 0));
    QCOMPARE(site.BandRect(1).right(), 299);
    QCOMPARE(site.BandWidth(0), kGrip + 40 + kEdge);
}

void TestBandSite::pressOutsideGripsDoesNothing() {
    BandSite site;
    site.resize(kSiteWidth, 80);
    Fill(site, {{100, 0, true}, {0, 0, false}, {}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));
    const auto before = ReadBack(site);
    Drag(&site, QPoint(50, 10), QPoint(250, 40));                   // inside a child
    Drag(&site, QPoint(150, 60), QPoint(10, 10));                   // below all rows
    QTest::mousePress(&site, Qt::RightButton, {}, GripOf(site, 1)); // not the left button
    QTest::mouseRelease(&site, Qt::RightButton, {}, QPoint(10, -10));
    QCOMPARE(ReadBack(site), before);
}

void TestBandSite::readBackRestoresLayout() {
    // What the settings file keeps after the user arranged the bands is
    // enough to build the same arrangement again.
    BandSite site;
    site.resize(kSiteWidth, 80);
    auto probes = Fill(site, {{}, {}, {}, {}});
    site.show();
    QVERIFY(QTest::qWaitForWindowExposed(&site));
    Drag(&site, GripOf(site, 1), QPoint(200, 5));
    Drag(&site, GripOf(site, 3), QPoint(200, site.BandRect(2).center().y()));
    Drag(&site, EdgeOf(site, 0), EdgeOf(site, 0) + QPoint(-30, 0));
    const auto saved = ReadBack(site);
    QCOMPARE(site.RowCount(), 2);

    BandSite restored;
    restored.resize(kSiteWidth, 80);
    for (const Saved& band : saved) {
        const int i = restored.AddBand(new Probe(QSize(50, 20)));
        restored.SetBandMinWidth(i, 0);
        restored.SetBandWidth(i, band.width);
        restored.SetBandBreak(i, band.breakBefore);
    }
    for (int i = 0; i < site.BandCount(); ++i) {
        QCOMPARE(restored.BandRect(i), site.BandRect(i));
        QCOMPARE(restored.BandWidth(i), saved[static_cast<size_t>(i)].width);
        QCOMPARE(restored.BandBreak(i), saved[static_cast<size_t>(i)].breakBefore);
    }
    Q_UNUSED(probes);
}

void TestBandSite::widthBeforeSiteHasWidth() {
    BandSite site;
    site.resize(0, 0);
    Fill(site, {{120, 0, true}, {0, 30, true}});
    QCOMPARE(site.BandWidth(0), 120);
    QCOMPARE(site.BandWidth(1), kGrip + 50 + kEdge);
    QCOMPARE(site.BandWidth(7), 0);
    QCOMPARE(site.BandBreak(7), false);
    QCOMPARE(site.RowOf(7), -1);
    QCOMPARE(site.minimumSizeHint().width(), kGrip + 30 + kEdge);
    QCOMPARE(site.sizeHint().width(), 120);
}

// A band layout fitted to a narrower screen: (width, break) of every band.
using Layout = std::vector<std::pair<int, bool>>;

void TestBandSite::fitToWidth_data() {
    QTest::addColumn<std::vector<BandSpec>>("specs");
    QTest::addColumn<int>("maxWidth");
    QTest::addColumn<Layout>("fitted");
    QTest::newRow("a row that fits keeps its widths")
        << std::vector<BandSpec>{{300, 10, true}, {400, 10, false}, {500, 10, true}} << 800
        << Layout{{300, true}, {400, false}, {500, true}};
    // Extents above the minimums (21 each) are 1200 - 21 and 600 - 21; the
    // 1600 - 42 pixels left are shared out in that proportion.
    QTest::newRow("a wide row shares the width out")
        << std::vector<BandSpec>{{1200, 10, true}, {600, 10, false}} << 1600
        << Layout{{21 + 1179 * 1558 / 1758, true}, {21 + 579 * 1558 / 1758, false}};
    QTest::newRow("minimums that do not fit wrap")
        << std::vector<BandSpec>{{0, 300, true}, {0, 300, false}, {0, 300, false}} << 700
        << Layout{{311, true}, {311, false}, {311, true}};
}

void TestBandSite::fitToWidth() {
    QFETCH(std::vector<BandSpec>, specs);
    QFETCH(int, maxWidth);
    QFETCH(Layout, fitted);
    BandSite site;
    site.resize(0, 0); // widths as requested, not as laid out
    Fill(site, specs);
    site.FitToWidth(maxWidth);
    Layout got;
    for (int i = 0; i < site.BandCount(); ++i)
        got.emplace_back(site.BandWidth(i), site.BandBreak(i));
    QCOMPARE(got, fitted);
    QVERIFY(site.sizeHint().width() <= maxWidth);
}

// Minimums wider than the screen (a long value in a large font): the site
// asks for no more than it was fitted to, and its bands are cut to it, the
// last of a row first, each keeping its grip.
void TestBandSite::siteHeldNarrowCutsItsBands() {
    BandSite site;
    Fill(site, {{0, 400, true}, {100, 10, true}, {0, 450, false}});
    site.FitToWidth(kSiteWidth);
    QCOMPARE(site.sizeHint().width(), kSiteWidth);
    QCOMPARE(site.minimumSizeHint().width(), kSiteWidth);
    site.resize(kSiteWidth, site.sizeHint().height());
    for (int i = 0; i < site.BandCount(); ++i) {
        const QRect band = site.BandRect(i);
        QVERIFY2(band.x() + band.width() <= kSiteWidth, qPrintable(QString::number(i)));
        QVERIFY(band.width() >= kGrip + kEdge);
    }
    // Each too wide a band on a row of its own, as wide as the site.
    QCOMPARE(site.RowCount(), 3);
    QCOMPARE(site.BandRect(0).width(), kSiteWidth);
    QCOMPARE(site.BandRect(2).width(), kSiteWidth);
    // Room again: the bands are whole.
    site.FitToWidth(1000);
    site.resize(site.sizeHint().width(), site.sizeHint().height());
    QVERIFY(site.sizeHint().width() > kSiteWidth);
    QCOMPARE(site.BandRect(0).width(), site.width());
}

// What the settings keep is what was asked for: a width that only the
// child's content, the stretch of a row's last band or a fit to the screen
// gave a band does not outlive its cause.
void TestBandSite::keptWidthIsTheRequestNotTheLayout() {
    BandSite site;
    site.resize(kSiteWidth, 10);
    const std::vector<Probe*> probes = Fill(site, {{0, 40, true}, {120, 0, true}, {200, 0, false}});
    probes[0]->SetHint(QSize(900, 20)); // a value in a large font
    QCoreApplication::sendPostedEvents();
    QVERIFY(site.sizeHint().width() > 900);
    QCOMPARE(site.KeptBandWidth(0), kGrip + 40 + kEdge);
    QCOMPARE(site.KeptBandWidth(1), 120);
    QCOMPARE(site.KeptBandWidth(2), 200);
    site.FitToWidth(200);
    QVERIFY(site.BandWidth(1) < 120);
    QCOMPARE(site.KeptBandWidth(1), 120);
    QCOMPARE(site.KeptBandWidth(2), 200);
    // The font back to normal: the site is as narrow as before.
    probes[0]->SetHint(QSize(50, 20));
    QCoreApplication::sendPostedEvents();
    site.FitToWidth(1000);
    QCOMPARE(site.sizeHint().width(), 320);
}

void TestBandSite::joinRowsWithin() {
    BandSite site;
    Fill(site, {{0, 100, true}, {0, 100, true}, {0, 100, true}, {0, 300, true}});
    QCOMPARE(site.RowCount(), 4);
    site.JoinRowsWithin(2 * (kGrip + 100 + kEdge) + 5);
    QCOMPARE(site.RowCount(), 3);
    QVERIFY(!site.BandBreak(1));
    QVERIFY(site.BandBreak(2));
    QVERIFY(site.BandBreak(3)); // too wide to join the third band
}

// A child that needs more than its band's minimum (a bar showing a long
// value) widens the band, and the site's size hint follows at once.
void TestBandSite::childMinimumSizeHintIsHonoured() {
    class Needy : public Probe {
    public:
        using Probe::Probe;
        int Needed = 40;
        QSize minimumSizeHint() const override { return {Needed, 10}; }
    };
    BandSite site;
    auto* needy = new Needy(QSize(30, 20));
    site.AddBand(needy);
    QCOMPARE(site.minimumSizeHint().width(), kGrip + 40 + kEdge);
    const int before = site.sizeHint().width();
    needy->Needed = 400;
    needy->updateGeometry();
    QCoreApplication::sendPostedEvents(&site, QEvent::LayoutRequest);
    QCOMPARE(site.sizeHint().width(), kGrip + 400 + kEdge);
    QVERIFY(site.sizeHint().width() > before);
}

QTEST_MAIN(TestBandSite)
#include "test_bandsite.moc"
