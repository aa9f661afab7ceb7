#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <vector>

namespace pexa {

// A container of bands (child widgets) in rows. The bands are kept in one
// order, top row first and left to right; a band with the break flag starts
// a new row (the first band always does). Each band has a requested width
// (0: as wide as its child wants), a minimum width for its child, and its
// place. A band's width counts its grip at the left and a small gap at the
// right; the last band of a row stretches to the site's right edge, and a
// row too wide for the site takes the surplus from its bands right to left,
// down to their minimum widths. Only a site held narrower than that (see
// FitToWidth) cuts bands below their minimums, the last of the row first;
// the child then shows what fits. The site's height follows its rows.
//
// The user drags a band by its grip to another place or row (above the
// first row or below the last it starts a new row), and drags the gap at a
// band's right edge to change its width.
//
// Kept rather than QSplitter or tool bar areas: neither moves a widget into
// another row by dragging, nor keeps the rows and widths that pexa.ini stores.
class BandSite : public QWidget {
    Q_OBJECT

public:
    // Pixel metrics of a band's frame.
    static constexpr int kGripWidth = 8; // grip at the band's left edge
    static constexpr int kEdgeWidth = 3; // gap at the band's right edge
    static constexpr int kRowGap = 2;    // between two rows

    explicit BandSite(QWidget* parent = nullptr);
    ~BandSite() override;

    int BandCount() const { return static_cast<int>(bands_.size()); }
    QWidget* BandWidget(int index) const;
    // The band's position in the order, or -1.
    int IndexOf(const QObject* child) const;

    // Adds a band holding the child (which the site then owns) at the end;
    // it starts a new row when `breakBefore`. A child that already is a band
    // is left where it is. Returns its index.
    int AddBand(QWidget* child, bool breakBefore = true);
    // Removes the band and hands the child to the caller (no parent). A
    // child that is deleted or given another parent leaves its band too.
    QWidget* TakeBand(int index);
    // Moves a band into row `row` at position `position` within that row
    // (both clamped); row -1 makes a new first row, row >= RowCount() a new
    // last row. Break flags are rewritten so that every row keeps its bands.
    void MoveBandToRow(int index, int row, int position);

    // Requested width of the band including grip and edge; 0 is automatic.
    void SetBandWidth(int index, int width);
    // The band's width as laid out now (the requested one before the site
    // has a width).
    int BandWidth(int index) const;
    // The width to keep for the band from one session to the next: the
    // requested one, or for an automatic band its smallest (grip, minimum
    // and edge), which its child's needs widen again when it is laid out.
    // Never a width that only the child's content or the screen gave it.
    int KeptBandWidth(int index) const;
    // Minimum width of the band's child; the band adds its grip and edge.
    void SetBandMinWidth(int index, int width);
    int BandMinWidth(int index) const;
    void SetBandBreak(int index, bool on);
    bool BandBreak(int index) const;

    // Makes every row fit in `maxWidth`: a row wider than that shares the
    // width out among its bands in proportion to their requested widths
    // (never below their minimums), and a row whose minimums alone do not
    // fit is wrapped before the band that overflows. Rows that fit keep
    // their widths. The shares are limits over the requested widths, not
    // new requests: the next fit starts from the requests again. From now
    // on the site asks for no more than `maxWidth`, whatever its bands
    // need, and a band that still does not fit is cut.
    void FitToWidth(int maxWidth);
    // Joins each row to the one above while both fit in `maxWidth` side by
    // side at their minimum widths; fewer rows make a lower site.
    void JoinRowsWithin(int maxWidth);

    int RowCount() const;
    int RowOf(int index) const;
    // The band's rectangle (grip and edge included) in site coordinates.
    QRect BandRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The bands were placed anew: a band moved, changed width or row, was
    // added or removed, or the site's height changed.
    void LayoutChanged();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Band {
        QWidget* child = nullptr;
        int width = 0;
        int fitted = 0; // the most FitToWidth leaves it; 0: no limit
        int minWidth = 0;
        bool breakBefore = true;
        QRect rect; // as laid out
    };
    enum class DragMode { None, Move, Resize };
    struct DropTarget {
        int row = 0;
        int position = 0;
        bool valid = false;
    };
    struct Hit {
        DragMode mode = DragMode::None;
        int band = -1;
    };

    bool ValidIndex(int index) const { return index >= 0 && index < BandCount(); }
    Band& BandAt(int index) { return bands_[static_cast<size_t>(index)]; }
    const Band& BandAt(int index) const { return bands_[static_cast<size_t>(index)]; }
    int MinExtent(const Band& band) const;
    int NaturalExtent(const Band& band) const;
    // The widest row, each band counted by `extent`, within the width limit.
    int WidestRow(int (BandSite::*extent)(const Band&) const) const;
    static int ChildHeight(const QWidget* child);
    std::vector<std::vector<int>> Rows() const;
    void ApplyRows(const std::vector<std::vector<int>>& rows);
    void Relayout();
    int LayoutRow(const std::vector<int>& row, int top);
    void RemoveBandAt(int index);
    Hit HitTest(QPoint pos) const;
    DropTarget DropTargetAt(QPoint pos) const;
    QRect DropIndicator(const DropTarget& target) const;
    int MaxWidthInRow(int index) const;
    void UpdateCursor(QPoint pos);
    void EndDrag();

    std::vector<Band> bands_;
    int contentHeight_ = 0;
    int hintWidth_ = 0;
    int widthLimit_ = 0;   // the most the site asks for; 0: no limit
    int layoutWidth_ = -1; // the site width the band rectangles were made for
    DragMode dragMode_ = DragMode::None;
    int dragBand_ = -1;
    QPoint pressPos_;
    int pressWidth_ = 0;
    DropTarget drop_;
};

} // namespace pexa
