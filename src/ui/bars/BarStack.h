#pragma once

#include "conv/Conversion.h"

#include <QObject>
#include <QString>

#include <optional>

class QMenu;
class QWidget;

namespace pexa {

class BandSite;
class CalcBar;
class MainWindow;

// The main window's stack of display bars: the bars the calculator has open,
// one band each on the window's band site, in the order the user arranged
// them, and which of them is active. The calculator keeps each bar's
// conversion and the active one; the stack keeps the widgets in step with it.
class BarStack : public QObject {
    Q_OBJECT

public:
    // Makes the band site inside the container, which the window lays out.
    BarStack(MainWindow& window, QWidget& container);

    BandSite* Site() const { return site_; }
    int Count() const;
    CalcBar* At(int index) const;
    CalcBar* Find(BarKind kind) const;
    // Opens the kind's bar; none when the kind has no conversion in this build.
    CalcBar* Create(BarKind kind);
    void Close(CalcBar* bar);
    // Writes the kind's own keys, then closes its bar.
    void CloseOfKind(BarKind kind);
    // Opens the kind's bar and activates it, or closes it when it is open.
    void Toggle(BarKind kind);
    CalcBar* Active() const;
    void Activate(CalcBar* bar);
    void EnsureActive();
    void StepActive(int direction);
    // The bar's own menu: the clipboard commands first, Close last.
    void BuildBarMenu(CalcBar& bar, QMenu& menu);
    // The bar's text, or in its place the calculator's error for it, or
    // that it has no valid value while another bar's entry is invalid. Called
    // when the bar changed: a refusal shown there is over.
    void ShowText(CalcBar& bar);
    // Shows why something was refused in the bar, in place of its value,
    // until the next key, click or change of the bar. It blocks nothing:
    // the calculator did not change.
    void ShowRefusal(BarKind kind, const QString& message);
    // Ends the bar's events to the stack: a bar that is going, or every bar
    // while the window is.
    void Disconnect(CalcBar& bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DropRefusal();
    // Tells the calculator the order the bars stand in now (the user may
    // have moved one), before anything that depends on it.
    void SyncOrder();

    MainWindow& window_;
    BandSite* site_;
    std::optional<BarKind> refusalBar_;
};

} // namespace pexa
