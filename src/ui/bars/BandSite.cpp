#include "ui/bars/BandSite.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace pexa {

namespace {

// A band whose child wants no height keeps a grip one can still take hold of.
constexpr int kMinRowHeight = 8;
constexpr int kIndicatorWidth = 2;

} // namespace

BandSite::BandSite(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMouseTracking(true);
}

BandSite::~BandSite() {
    // The children die with the QWidget base; their removal must not find
    // bands to update any more.
    bands_.clear();
}

QWidget* BandSite::BandWidget(int index) const {
    return ValidIndex(index) ? BandAt(index).child : nullptr;
}

int BandSite::IndexOf(const QObject* child) const {
    const auto it = std::find_if(bands_.begin(), bands_.end(),
                                 [child](const Band& band) { return band.child == child; });
    return it != bands_.end() ? static_cast<int>(it - bands_.begin()) : -1;
}

int BandSite::AddBand(QWidget* child, bool breakBefore) {
    if (child == nullptr || child == this)
        return -1;
    const int existing = IndexOf(child);
    if (existing >= 0)
        return existing;
    Band band;
    band.child = child;
    band.breakBefore = breakBefore;
    bands_.push_back(band);
    if (child->parentWidget() != this)
        child->setParent(this);
    child->show();
    Relayout();
    return BandCount() - 1;
}

QWidget* BandSite::TakeBand(int index) {
    if (!ValidIndex(index))
        return nullptr;
    QWidget* child = BandAt(index).child;
    RemoveBandAt(index);
    child->hide();
    child->setParent(nullptr);
    return child;
}

void BandSite::RemoveBandAt(int index) {
    // Only the pointer may be used here: the child may be half destroyed.
    const auto at = bands_.begin() + index;
    const auto next = at + 1;
    const bool startsRow = index == 0 || at->breakBefore;
    if (startsRow && next != bands_.end() && !next->breakBefore)
        next->breakBefore = true; // the rest of the row stays a row
    bands_.erase(at);
    if (dragMode_ != DragMode::None)
        EndDrag();
    Relayout();
}

void BandSite::MoveBandToRow(int index, int row, int position) {
    if (!ValidIndex(index))
        return;
    std::vector<std::vector<int>> rows = Rows();
    const int rowCount = static_cast<int>(rows.size());
    const int from = RowOf(index);
    auto& fromRow = rows[static_cast<size_t>(from)];
    fromRow.erase(std::find(fromRow.begin(), fromRow.end(), index));

    if (row < 0 || row >= rowCount) {
        if (fromRow.empty())
            rows.erase(rows.begin() + from);
        rows.insert(row < 0 ? rows.begin() : rows.end(), std::vector<int>{index});
    } else {
        auto& target = rows[static_cast<size_t>(row)];
        position = std::clamp(position, 0, static_cast<int>(target.size()));
        target.insert(target.begin() + position, index);
        if (row != from && fromRow.empty())
            rows.erase(rows.begin() + from);
    }
    ApplyRows(rows);
    Relayout();
}

std::vector<std::vector<int>> BandSite::Rows() const {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i < BandCount(); ++i) {
        if (i == 0 || BandAt(i).breakBefore)
            rows.emplace_back();
        rows.back().push_back(i);
    }
    return rows;
}

void BandSite::ApplyRows(const std::vector<std::vector<int>>& rows) {
    std::vector<Band> ordered;
    ordered.reserve(bands_.size());
    for (const auto& row : rows) {
        for (size_t j = 0; j < row.size(); ++j) {
            Band band = BandAt(row[j]);
            band.breakBefore = j == 0;
            ordered.push_back(band);
        }
    }
    bands_ = std::move(ordered);
}

void BandSite::SetBandWidth(int index, int width) {
    if (!ValidIndex(index))
        return;
    Band& band = BandAt(index);
    band.width = std::max(0, width);
    band.fitted = 0;
    Relayout();
}

int BandSite::BandWidth(int index) const {
    if (!ValidIndex(index))
        return 0;
    const Band& band = BandAt(index);
    if (width() <= 0)
        return NaturalExtent(band);
    return BandRect(index).width();
}

int BandSite::KeptBandWidth(int index) const {
    if (!ValidIndex(index))
        return 0;
    const Band& band = BandAt(index);
    return band.width > 0 ? band.width : kGripWidth + band.minWidth + kEdgeWidth;
}

void BandSite::SetBandMinWidth(int index, int width) {
    if (!ValidIndex(index))
        return;
    BandAt(index).minWidth = std::max(0, width);
    Relayout();
}

int BandSite::BandMinWidth(int index) const {
    return ValidIndex(index) ? BandAt(index).minWidth : 0;
}

void BandSite::SetBandBreak(int index, bool on) {
    if (!ValidIndex(index))
        return;
    BandAt(index).breakBefore = on;
    Relayout();
}

bool BandSite::BandBreak(int index) const {
    return ValidIndex(index) && BandAt(index).breakBefore;
}

void BandSite::FitToWidth(int maxWidth) {
    maxWidth = std::max(maxWidth, 1);
    widthLimit_ = maxWidth;
    for (Band& band : bands_)
        band.fitted = 0;
    for (const auto& row : Rows()) {
        int natural = 0;
        int minimum = 0;
        for (const int i : row) {
            natural += NaturalExtent(BandAt(i));
            minimum += MinExtent(BandAt(i));
        }
        if (natural <= maxWidth)
            continue;
        // Each band keeps its minimum and gets its share of what is left.
        const double spare = std::max(0, maxWidth - minimum);
        const double wanted = std::max(1, natural - minimum);
        for (const int i : row) {
            Band& band = BandAt(i);
            const int low = MinExtent(band);
            const int above = NaturalExtent(band) - low;
            band.fitted = low + static_cast<int>(above * spare / wanted);
        }
        // Minimums that do not fit side by side go on rows of their own.
        int used = 0;
        for (const int i : row) {
            Band& band = BandAt(i);
            const int extent = MinExtent(band);
            if (used > 0 && used + extent > maxWidth) {
                band.breakBefore = true;
                used = 0;
            }
            used += extent;
        }
    }
    Relayout();
}

void BandSite::JoinRowsWithin(int maxWidth) {
    int used = 0;
    for (size_t i = 0; i < bands_.size(); ++i) {
        Band& band = bands_[i];
        const int extent = MinExtent(band);
        if (i > 0 && band.breakBefore && used + extent <= maxWidth) {
            // Joined bands share the row from their minimums up.
            band.breakBefore = false;
            band.width = 0;
        } else if (i == 0 || band.breakBefore) {
            used = 0;
        }
        used += extent;
    }
    Relayout();
}

int BandSite::RowCount() const {
    return static_cast<int>(Rows().size());
}

int BandSite::RowOf(int index) const {
    if (!ValidIndex(index))
        return -1;
    int row = -1;
    for (int i = 0; i <= index; ++i) {
        if (i == 0 || BandAt(i).breakBefore)
            ++row;
    }
    return row;
}

QRect BandSite::BandRect(int index) const {
    if (!ValidIndex(index))
        return QRect();
    // A hidden site gets its resize event only when shown; lay out now.
    if (layoutWidth_ != width())
        const_cast<BandSite*>(this)->Relayout();
    return BandAt(index).rect;
}

int BandSite::MinExtent(const Band& band) const {
    // A child's minimum size hint is what it needs to show its content whole.
    const int child = std::max(
        {band.minWidth, band.child->minimumWidth(), band.child->minimumSizeHint().width()});
    return kGripWidth + child + kEdgeWidth;
}

int BandSite::NaturalExtent(const Band& band) const {
    int wanted = band.width > 0
                     ? band.width
                     : kGripWidth + std::max(band.child->sizeHint().width(), 0) + kEdgeWidth;
    if (band.fitted > 0)
        wanted = std::min(wanted, band.fitted);
    return std::max(wanted, MinExtent(band));
}

int BandSite::WidestRow(int (BandSite::*extent)(const Band&) const) const {
    int widest = 0;
    for (const auto& row : Rows()) {
        int sum = 0;
        for (const int i : row)
            sum += (this->*extent)(BandAt(i));
        widest = std::max(widest, sum);
    }
    return widthLimit_ > 0 ? std::min(widest, widthLimit_) : widest;
}

int BandSite::ChildHeight(const QWidget* child) {
    int height = std::max(child->sizeHint().height(), child->minimumSizeHint().height());
    height = std::max(height, child->minimumHeight());
    return std::clamp(height, 0, child->maximumHeight());
}

void BandSite::Relayout() {
    std::vector<QRect> before;
    before.reserve(bands_.size());
    for (const Band& band : bands_)
        before.push_back(band.rect);

    layoutWidth_ = width();
    int top = 0;
    bool firstRow = true;
    for (const auto& row : Rows()) {
        if (!firstRow)
            top += kRowGap;
        firstRow = false;
        top += LayoutRow(row, top);
    }

    bool changed = top != contentHeight_;
    // The window follows the site's size hint: a wider widest row must reach it.
    const int hintWidth = sizeHint().width();
    if (hintWidth != hintWidth_) {
        hintWidth_ = hintWidth;
        updateGeometry();
    }
    for (size_t i = 0; i < bands_.size(); ++i) {
        const Band& band = bands_[i];
        const QRect& r = band.rect;
        band.child->setGeometry(r.x() + kGripWidth, r.y(),
                                std::max(0, r.width() - kGripWidth - kEdgeWidth), r.height());
        changed = changed || i >= before.size() || before[i] != r;
    }
    changed = changed || before.size() != bands_.size();
    if (top != contentHeight_) {
        contentHeight_ = top;
        updateGeometry();
    }
    if (changed) {
        update();
        emit LayoutChanged();
    }
}

int BandSite::LayoutRow(const std::vector<int>& row, int top) {
    const int available = width();
    const size_t n = row.size();
    std::vector<int> widths(n);
    int total = 0;
    int height = kMinRowHeight;
    for (size_t j = 0; j < n; ++j) {
        const Band& band = BandAt(row[j]);
        widths[j] = NaturalExtent(band);
        height = std::max(height, ChildHeight(band.child));
        if (j + 1 < n)
            total += widths[j];
    }
    const Band& last = BandAt(row[n - 1]);
    widths[n - 1] = std::max(available - total, MinExtent(last));
    total += widths[n - 1];
    for (size_t j = n - 1; j-- > 0 && total > available;) {
        const int spare = widths[j] - MinExtent(BandAt(row[j]));
        const int give = std::min(total - available, spare);
        widths[j] -= give;
        total -= give;
    }
    // A site held narrower than the minimums: the bands are cut, the last
    // first, down to their grips and edges.
    for (size_t j = n; widthLimit_ > 0 && j-- > 0 && total > available;) {
        const int give = std::min(total - available, widths[j] - (kGripWidth + kEdgeWidth));
        if (give <= 0)
            continue;
        widths[j] -= give;
        total -= give;
    }
    int x = 0;
    for (size_t j = 0; j < n; ++j) {
        BandAt(row[j]).rect = QRect(x, top, widths[j], height);
        x += widths[j];
    }
    return height;
}

QSize BandSite::sizeHint() const {
    return QSize(WidestRow(&BandSite::NaturalExtent), contentHeight_);
}

QSize BandSite::minimumSizeHint() const {
    return QSize(WidestRow(&BandSite::MinExtent), contentHeight_);
}

bool BandSite::event(QEvent* event) {
    if (event->type() == QEvent::ChildRemoved) {
        // Deleted or re-parented elsewhere: its band goes.
        const int index = IndexOf(static_cast<QChildEvent*>(event)->child());
        if (index >= 0)
            RemoveBandAt(index);
    } else if (event->type() == QEvent::LayoutRequest) {
        Relayout(); // a child's size hint changed
    }
    return QWidget::event(event);
}

void BandSite::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void BandSite::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Relayout(); // children's wanted sizes may have changed while hidden
}

void BandSite::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const auto rows = Rows();
    for (size_t r = 0; r + 1 < rows.size(); ++r) {
        const int y = BandAt(rows[r].front()).rect.bottom() + 1;
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, y, width() - 1, y);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, y + 1, width() - 1, y + 1);
    }
    for (const Band& band : bands_) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = QRect(band.rect.x() + 2, band.rect.y() + 1, kGripWidth - 4,
                            std::max(0, band.rect.height() - 2));
        option.state |= QStyle::State_Horizontal;
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, this);
    }
    if (dragMode_ == DragMode::Move && drop_.valid)
        painter.fillRect(DropIndicator(drop_), palette().color(QPalette::Highlight));
}

BandSite::Hit BandSite::HitTest(QPoint pos) const {
    const auto rows = Rows();
    for (const auto& row : rows) {
        for (size_t j = 0; j < row.size(); ++j) {
            const QRect& r = BandAt(row[j]).rect;
            if (!r.contains(pos))
                continue;
            if (j + 1 < row.size() && pos.x() > r.right() - kEdgeWidth)
                return {DragMode::Resize, row[j]};
            if (pos.x() < r.x() + kGripWidth)
                return {DragMode::Move, row[j]};
            return {};
        }
    }
    return {};
}

BandSite::DropTarget BandSite::DropTargetAt(QPoint pos) const {
    const auto rows = Rows();
    if (rows.empty())
        return {};
    if (pos.y() < 0)
        return {-1, 0, true};
    if (pos.y() >= contentHeight_)
        return {static_cast<int>(rows.size()), 0, true};
    for (size_t r = 0; r < rows.size(); ++r) {
        const QRect& first = BandAt(rows[r].front()).rect;
        if (pos.y() > first.bottom() + kRowGap)
            continue;
        int position = 0;
        for (const int i : rows[r]) {
            if (i != dragBand_ && BandAt(i).rect.center().x() < pos.x())
                ++position;
        }
        return {static_cast<int>(r), position, true};
    }
    return {static_cast<int>(rows.size()), 0, true};
}

QRect BandSite::DropIndicator(const DropTarget& target) const {
    const auto rows = Rows();
    const int rowCount = static_cast<int>(rows.size());
    if (target.row < 0)
        return QRect(0, 0, width(), kIndicatorWidth);
    if (target.row >= rowCount)
        return QRect(0, std::max(0, contentHeight_ - kIndicatorWidth), width(), kIndicatorWidth);
    std::vector<int> others;
    for (const int i : rows[static_cast<size_t>(target.row)]) {
        if (i != dragBand_)
            others.push_back(i);
    }
    const QRect rowRect = BandAt(rows[static_cast<size_t>(target.row)].front()).rect;
    int x = 0;
    if (static_cast<size_t>(target.position) < others.size())
        x = BandAt(others[static_cast<size_t>(target.position)]).rect.x();
    else if (!others.empty())
        x = BandAt(others.back()).rect.right() + 1 - kIndicatorWidth;
    return QRect(x, rowRect.y(), kIndicatorWidth, rowRect.height());
}

int BandSite::MaxWidthInRow(int index) const {
    const auto rows = Rows();
    const auto& row = rows[static_cast<size_t>(RowOf(index))];
    int before = 0;
    int after = 0;
    bool seen = false;
    for (const int i : row) {
        const Band& band = BandAt(i);
        if (i == index)
            seen = true;
        else if (seen)
            after += MinExtent(band);
        else
            before += band.rect.width();
    }
    return width() - before - after;
}

void BandSite::mousePressEvent(QMouseEvent* event) {
    const Hit hit =
        event->button() == Qt::LeftButton ? HitTest(event->position().toPoint()) : Hit{};
    if (hit.mode == DragMode::None) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragMode_ = hit.mode;
    dragBand_ = hit.band;
    pressPos_ = event->position().toPoint();
    pressWidth_ = BandAt(hit.band).rect.width();
    drop_ = {};
    event->accept();
}

void BandSite::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (dragMode_ == DragMode::Move) {
        drop_ = DropTargetAt(pos);
        update();
    } else if (dragMode_ == DragMode::Resize) {
        Band& band = BandAt(dragBand_);
        const int low = MinExtent(band);
        const int high = std::max(low, MaxWidthInRow(dragBand_));
        const int wanted = std::clamp(pressWidth_ + pos.x() - pressPos_.x(), low, high);
        if (wanted != band.width) {
            band.width = wanted;
            band.fitted = 0;
            Relayout();
        }
    } else {
        UpdateCursor(pos);
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
}

void BandSite::mouseReleaseEvent(QMouseEvent* event) {
    if (dragMode_ == DragMode::None || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (dragMode_ == DragMode::Move) {
        const DropTarget target = DropTargetAt(event->position().toPoint());
        const int band = dragBand_;
        EndDrag();
        if (target.valid)
            MoveBandToRow(band, target.row, target.position);
    } else {
        EndDrag();
    }
    event->accept();
}

void BandSite::UpdateCursor(QPoint pos) {
    switch (HitTest(pos).mode) {
    case DragMode::Move:
        setCursor(Qt::SizeAllCursor);
        break;
    case DragMode::Resize:
        setCursor(Qt::SplitHCursor);
        break;
    case DragMode::None:
        unsetCursor();
        break;
    }
}

void BandSite::EndDrag() {
    dragMode_ = DragMode::None;
    dragBand_ = -1;
    drop_ = {};
    update();
}

} // namespace pexa
