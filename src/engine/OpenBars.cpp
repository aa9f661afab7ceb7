#include "engine/OpenBars.h"

#include "engine/CalculatorDisplay.h"

#include <algorithm>
#include <utility>

namespace pexa {

OpenBars::OpenBars(CalculatorDisplay& display) : display_(display) {}

int OpenBars::IndexOf(BarKind kind) const {
    for (size_t i = 0; i < bars_.size(); ++i)
        if (bars_[i].Kind == kind)
            return static_cast<int>(i);
    return -1;
}

Conversion* OpenBars::Find(BarKind kind) const {
    const int index = IndexOf(kind);
    return index >= 0 ? bars_[static_cast<size_t>(index)].Owned.get() : nullptr;
}

std::optional<CalcErrorKind> OpenBars::ErrorOf(BarKind kind) const {
    const int index = IndexOf(kind);
    return index >= 0 ? bars_[static_cast<size_t>(index)].Error : std::nullopt;
}

void OpenBars::SetError(BarKind kind, std::optional<CalcErrorKind> error) {
    const int index = IndexOf(kind);
    if (index < 0)
        return;
    bars_[static_cast<size_t>(index)].Error = error;
    display_.BarTextChanged(kind);
}

void OpenBars::Add(std::unique_ptr<Conversion> conversion) {
    if (conversion == nullptr || IsOpen(conversion->GetKind()))
        return;
    const BarKind kind = conversion->GetKind();
    bars_.push_back(Bar{kind, std::move(conversion), std::nullopt});
}

std::unique_ptr<Conversion> OpenBars::Remove(BarKind kind) {
    const int index = IndexOf(kind);
    if (index < 0)
        return nullptr;
    std::unique_ptr<Conversion> conversion = std::move(bars_[static_cast<size_t>(index)].Owned);
    bars_.erase(bars_.begin() + index);
    if (active_ == kind) {
        active_.reset();
        display_.ActiveBarChanged();
    }
    return conversion;
}

void OpenBars::SetOrder(const std::vector<BarKind>& order) {
    // A stable sort by the position in the given order keeps unnamed bars in
    // their place relative to each other, after the named ones.
    auto rank = [&order](BarKind kind) {
        const auto it = std::find(order.begin(), order.end(), kind);
        return it - order.begin();
    };
    std::stable_sort(bars_.begin(), bars_.end(),
                     [&](const Bar& a, const Bar& b) { return rank(a.Kind) < rank(b.Kind); });
}

void OpenBars::Activate(std::optional<BarKind> kind) {
    if (kind && !IsOpen(*kind))
        kind.reset();
    active_ = kind;
    if (kind)
        lastActiveIndex_ = IndexOf(*kind);
    display_.ActiveBarChanged();
}

void OpenBars::EnsureActive() {
    if (active_)
        return;
    const int count = Count();
    const int start = std::clamp(lastActiveIndex_, 0, std::max(count - 1, 0));
    lastActiveIndex_ = -1;
    if (count > 0)
        Activate(KindAt(start));
    else
        display_.ActiveBarChanged();
}

void OpenBars::StepActive(int direction) {
    const int count = Count();
    if (count <= 0)
        return;
    const int step = direction < 0 ? -1 : 1;
    const int current = std::max(ActiveIndex(), 0);
    Activate(KindAt((current + step + count) % count));
}

} // namespace pexa
