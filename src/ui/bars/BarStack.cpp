// The main window's stack of display bars and the active bar.

#include "ui/bars/BarStack.h"

#include "conv/ConversionFactory.h"
#include "ui/bars/BandSite.h"
#include "ui/bars/CalcBar.h"
#include "ui/bars/CalcBarVariants.h"
#include "ui/text/CalcErrorText.h"
#include "ui/text/RefusalText.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ViewOptions.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>

#include <optional>
#include <vector>

namespace pexa {

BarStack::BarStack(MainWindow& window, QWidget& container)
    : QObject(&window), window_(window), site_(new BandSite(&container)) {
    site_->setObjectName(QStringLiteral("barSite"));
}

int BarStack::Count() const {
    return site_->BandCount();
}

CalcBar* BarStack::At(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return static_cast<CalcBar*>(site_->BandWidget(index));
}

CalcBar* BarStack::Find(BarKind kind) const {
    for (int i = 0, count = Count(); i < count; ++i) {
        CalcBar* bar = At(i);
        if (bar->Kind() == kind)
            return bar;
    }
    return nullptr;
}

// The calculator opens the bar and keeps its conversion; the widget shows it.
CalcBar* BarStack::Create(BarKind kind) {
    Calculator& calculator = window_.Engine();
    Conversion* conv = calculator.OpenBar(kind);
    if (conv == nullptr)
        return nullptr;
    CalcBar* bar = nullptr;
    try {
        bar = BarClassOf(kind)(site_, *conv);
    } catch (...) {
        calculator.CloseBar(kind);
        throw;
    }
    window_.LoadBarSettings(*bar);
    const int index = site_->AddBand(bar);

    // Direct connections: the window acts inside the bar's event handling,
    // before the bar goes on.
    connect(
        bar, &CalcBar::ActivateRequested, this,
        [this](CalcBar& activated) {
            Activate(&activated);
            window_.RefreshStates();
        },
        Qt::DirectConnection);
    // The click arrives inside the bar's own event handling: the bar goes
    // once that has returned.
    connect(
        bar, &CalcBar::MiddleClicked, this,
        [this](CalcBar& clicked) {
            QPointer<CalcBar> target(&clicked);
            QMetaObject::invokeMethod(
                this,
                [this, target] {
                    if (!target.isNull() && site_->IndexOf(target) >= 0) {
                        Close(target);
                        window_.RefreshStates();
                    }
                },
                Qt::QueuedConnection);
        },
        Qt::DirectConnection);
    connect(bar, &CalcBar::MenuBuilding, this, &BarStack::BuildBarMenu, Qt::DirectConnection);
    connect(
        bar, &CalcBar::BitClicked, this,
        [this](CalcBar&, int bit) {
            window_.Engine().FlipBit(bit);
            window_.UpdateActions();
        },
        Qt::DirectConnection);
    connect(
        bar, &CalcBar::OwnSettingsChanged, this,
        [this](CalcBar& changed) { window_.Engine().BarSettingsChanged(changed.Kind()); },
        Qt::DirectConnection);

    bar->SetDigitGrouping(window_.View().Is(ViewOptions::Flag::DigitGrouping));
    bar->SetShowIndicators(window_.View().Is(ViewOptions::Flag::ShowIndicators));
    bar->SetDisplayFont(window_.View().DisplayFont());
    bar->SetOperatorText(QString::fromStdString(calculator.PendingOperatorSymbol()));
    bar->UpdateIndicators();
    ShowText(*bar);
    if (window_.testAttribute(Qt::WA_WState_Created))
        site_->SetBandMinWidth(index, bar->CaptionWidth());
    EnsureActive();
    return bar;
}

void BarStack::Disconnect(CalcBar& bar) {
    disconnect(&bar, nullptr, this, nullptr);
}

void BarStack::Close(CalcBar* bar) {
    if (bar == nullptr)
        return;
    const int index = site_->IndexOf(bar);
    if (index < 0)
        return;
    site_->TakeBand(index);
    Disconnect(*bar);
    // The close may come from the bar's own menu or events: it is destroyed
    // when they have returned, and until then it is a hidden child of the
    // window that keeps the conversion the calculator lets go.
    bar->AdoptConversion(window_.Engine().CloseBar(bar->Kind()));
    bar->hide();
    bar->setParent(&window_);
    bar->deleteLater();
    EnsureActive();
    window_.UpdateCaption();
}

void BarStack::CloseOfKind(BarKind kind) {
    CalcBar* bar = Find(kind);
    if (bar == nullptr)
        return;
    window_.SaveBarSettings(*bar);
    Close(bar);
}

void BarStack::Toggle(BarKind kind) {
    if (Find(kind) != nullptr)
        CloseOfKind(kind);
    else if (CalcBar* bar = Create(kind))
        Activate(bar);
}

CalcBar* BarStack::Active() const {
    const std::optional<BarKind> active = window_.Engine().Bars().Active();
    return active ? Find(*active) : nullptr;
}

void BarStack::SyncOrder() {
    std::vector<BarKind> order;
    order.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        order.push_back(At(i)->Kind());
    window_.Engine().Bars().SetOrder(order);
}

void BarStack::Activate(CalcBar* bar) {
    SyncOrder();
    window_.Engine().Bars().Activate(bar != nullptr ? std::optional<BarKind>(bar->Kind())
                                                    : std::nullopt);
}

void BarStack::EnsureActive() {
    SyncOrder();
    window_.Engine().Bars().EnsureActive();
}

void BarStack::StepActive(int direction) {
    SyncOrder();
    window_.Engine().Bars().StepActive(direction);
}

void BarStack::BuildBarMenu(CalcBar& bar, QMenu& menu) {
    connect(&menu, &QMenu::aboutToShow, &window_, &MainWindow::RefreshStates);
    menu.addAction(window_.Action(Command::EditCopy));
    if (bar.Offers(ConvOption::DigitGrouping))
        menu.addAction(window_.Action(Command::EditCopyGrouped));
    if (!bar.Offers(ConvOption::NoPaste))
        menu.addAction(window_.Action(Command::EditPaste));
    menu.addSeparator();
    menu.addAction(window_.Action(Command::BarClose));
}

void BarStack::ShowText(CalcBar& bar) {
    if (refusalBar_ == bar.Kind())
        DropRefusal();
    const Calculator& calculator = window_.Engine();
    const std::optional<CalcErrorKind> error = calculator.Bars().ErrorOf(bar.Kind());
    const std::optional<BarKind> invalid = calculator.InvalidEntryBar();
    if (error)
        bar.SetMessageText(pexa::CalcErrorText(*error));
    else if (invalid && *invalid != bar.Kind())
        bar.SetMessageText(NoValidValueText());
    else
        bar.SetMessageText(QString());
}

// The message lasts until the user does the next thing; watching the
// application's input while it shows sees every key and click first.
void BarStack::ShowRefusal(BarKind kind, const QString& message) {
    CalcBar* bar = Find(kind);
    if (bar == nullptr || message.isEmpty())
        return;
    if (refusalBar_ && refusalBar_ != kind)
        DropRefusal();
    if (!refusalBar_)
        qApp->installEventFilter(this);
    refusalBar_ = kind;
    bar->SetMessageText(message);
}

void BarStack::DropRefusal() {
    if (!refusalBar_)
        return;
    const BarKind kind = *refusalBar_;
    refusalBar_.reset();
    qApp->removeEventFilter(this);
    if (CalcBar* bar = Find(kind))
        ShowText(*bar);
}

bool BarStack::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        DropRefusal();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace pexa
