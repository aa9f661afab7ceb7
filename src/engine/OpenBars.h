#pragma once

#include "conv/Conversion.h"
#include "core/CalcError.h"

#include <memory>
#include <optional>
#include <vector>

namespace pexa {

class CalculatorDisplay;

// The bars that are open, in the order the window shows them: each one's
// conversion, the error it shows in place of its value, and which bar is
// active. A kind is open at most once, so a bar is named by its kind.
class OpenBars {
public:
    explicit OpenBars(CalculatorDisplay& display);

    int Count() const { return static_cast<int>(bars_.size()); }
    BarKind KindAt(int index) const { return bars_.at(static_cast<size_t>(index)).Kind; }
    // The bar's position, or -1 when the kind is not open.
    int IndexOf(BarKind kind) const;
    bool IsOpen(BarKind kind) const { return IndexOf(kind) >= 0; }
    // The conversion of an open bar, or none.
    Conversion* Find(BarKind kind) const;

    // The error the bar shows in place of its value; the bar takes no input
    // while it has one.
    std::optional<CalcErrorKind> ErrorOf(BarKind kind) const;
    bool HasError(BarKind kind) const { return ErrorOf(kind).has_value(); }
    // Shows or takes away a bar's error; the display is told.
    void SetError(BarKind kind, std::optional<CalcErrorKind> error);

    // Adds a bar at the end around a conversion of its kind.
    void Add(std::unique_ptr<Conversion> conversion);
    // Takes a bar out and hands its conversion back; none when not open.
    std::unique_ptr<Conversion> Remove(BarKind kind);
    // The window's order of the open kinds (after the user moved a bar);
    // kinds that are not open, and open kinds not named, are left alone.
    void SetOrder(const std::vector<BarKind>& order);

    std::optional<BarKind> Active() const { return active_; }
    int ActiveIndex() const { return active_ ? IndexOf(*active_) : -1; }
    // Where the active bar last stood; the next active bar is searched from there.
    int LastActiveIndex() const { return lastActiveIndex_; }
    // Makes an open bar active, or none.
    void Activate(std::optional<BarKind> kind);
    // Activates a bar when none is active: the one at the last active position
    // (or the last one, when fewer bars are open now).
    void EnsureActive();
    // The next (+1) or previous (-1) bar, around the end.
    void StepActive(int direction);

private:
    struct Bar {
        BarKind Kind;
        std::unique_ptr<Conversion> Owned;
        std::optional<CalcErrorKind> Error;
    };

    CalculatorDisplay& display_;
    std::vector<Bar> bars_;
    std::optional<BarKind> active_;
    int lastActiveIndex_ = -1;
};

} // namespace pexa
