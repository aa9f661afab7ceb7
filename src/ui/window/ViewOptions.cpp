// The main window's view options, applied to the window and its bars.

#include "ui/window/ViewOptions.h"

#include "ui/bars/BandSite.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/text/ColorContrast.h"
#include "ui/text/StoredColorPalette.h"
#include "ui/window/ExpressionLine.h"
#include "ui/window/HistoryPane.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QToolBar>

namespace pexa {

ViewOptions::ViewOptions(MainWindow& window)
    : QObject(&window), window_(window), displayFont_(window.font()),
      bodyColor_(kDefaultBodyColor) {
    // The application hears of a new desktop palette first.
    qApp->installEventFilter(this);
}

// The window's colours are made from the desktop's: a new desktop palette
// (a switch to a dark theme) makes them anew.
bool ViewOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange && watched == qApp)
        ApplyWindowColor();
    return QObject::eventFilter(watched, event);
}

QWidget* ViewOptions::PartOf(Flag flag) const {
    switch (flag) {
    case Flag::ToolBar:
        return window_.MainToolBar();
    // A hidden menu bar takes no room and no Alt keys; the commands keep
    // their shortcuts, which the window matches itself.
    case Flag::MenuBar:
        return window_.MainMenuBar();
    case Flag::ButtonPanel:
        return window_.ButtonPane();
    case Flag::ExpressionLine:
        return window_.ExpressionInput();
    case Flag::HistoryPane:
        return window_.History();
    default:
        return nullptr;
    }
}

bool ViewOptions::Is(Flag flag) const {
    if (const QWidget* part = PartOf(flag))
        return !part->isHidden();
    if (flag == Flag::StayOnTop)
        return window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    return flag == Flag::DigitGrouping ? digitGrouping_ : showIndicators_;
}

void ViewOptions::Set(Flag flag, bool on) {
    emit Changed();
    if (flag == Flag::StayOnTop) {
        SetStayOnTop(on);
    } else if (QWidget* part = PartOf(flag)) {
        // A part that goes holds the keyboard no longer: the bars do.
        if (!on && part->isAncestorOf(QApplication::focusWidget()))
            window_.GiveKeyboardToBars();
        part->setVisible(on);
    } else {
        (flag == Flag::DigitGrouping ? digitGrouping_ : showIndicators_) = on;
        BarStack& bars = window_.Bars();
        for (int i = 0; i < bars.Count(); ++i) {
            CalcBar* bar = bars.At(i);
            flag == Flag::DigitGrouping ? bar->SetDigitGrouping(on) : bar->SetShowIndicators(on);
        }
    }
}

void ViewOptions::SetStayOnTop(bool on) {
    if (Is(Flag::StayOnTop) == on)
        return;
    // Changing the flags hides a shown window.
    const bool wasVisible = window_.isVisible();
    window_.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible)
        window_.show();
}

void ViewOptions::SetDisplayFont(const QFont& font) {
    displayFont_ = font;
    BarStack& bars = window_.Bars();
    for (int i = 0; i < bars.Count(); ++i)
        bars.At(i)->SetDisplayFont(displayFont_);
}

void ViewOptions::SetBodyColor(std::int32_t value) {
    bodyColor_ = value;
    ApplyWindowColor();
}

void ViewOptions::ApplyWindowColor() {
    const QPalette system = QGuiApplication::palette();
    window_.setPalette(BodyPalette(system, ColorOf(bodyColor_)));
    window_.setAutoFillBackground(true);
    // The bars' value panels have a colour of their own, not the body's:
    // their texts keep the system's colour.
    QPalette panels;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        panels.setColor(group, QPalette::WindowText, system.color(group, QPalette::WindowText));
    window_.Bars().Site()->setPalette(panels);
}

} // namespace pexa
