#pragma once

#include "conv/Conversion.h"
#include "core/CalcValue.h"
#include "ui/bars/BarControls.h"
#include "ui/text/TextWidth.h"

#include <QLabel>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QFrame;
class QHBoxLayout;
class QMenu;

namespace pexa {

struct BarOptions;

// The conversion a bar shows: one of its own, or one its owner keeps (the
// calculator's), which the owner hands over with AdoptConversion when it lets
// it go before the bar is destroyed.
class BarConversion {
public:
    // Implicit, so that a bar is made from either.
    BarConversion(std::unique_ptr<Conversion> owned)
        : owned_(std::move(owned)), conv_(owned_.get()) {}
    BarConversion(Conversion& kept) : conv_(&kept) {}
    Conversion* Get() const { return conv_; }

private:
    std::unique_ptr<Conversion> owned_;
    Conversion* conv_ = nullptr;
};

// The widgets a bar is made of, for its variants and for whoever checks what
// the bar shows. The bar creates and owns them.
struct BarParts {
    BarCaption* CaptionLabel = nullptr;
    QFrame* ValuePanel = nullptr;
    // The value's text, inside the value panel.
    QLabel* ValueLabel = nullptr;
    // The pending operator, right of the value.
    QLabel* OperatorLabel = nullptr;
    QLabel* SignIndicator = nullptr;
    QLabel* ReverseIndicator = nullptr;
    // Buttons and separators of the option area, in order.
    std::vector<QWidget*> OptionControls;
    std::vector<QLabel*> Indicators;
    // The context menu, once it has been built.
    QMenu* PopupMenu = nullptr;
};

// The display bar: shows one conversion's rendering of the calculator value,
// with its caption, option buttons, indicators, the pending operator and
// error messages. The bar is only presentation; value, mode and options live
// in its conversion.
//
// Bars are created with Make<Bar>(owner, conversion), which runs the virtual second
// construction step (Create) once the object is complete, so that a variant's
// indicators and option buttons take part.
class CalcBar : public QWidget {
    Q_OBJECT

public:
    // Only Make can construct bars, so none escapes its second construction step.
    class CreateKey {
        friend class CalcBar;
        CreateKey() = default;
    };

    // The factory the owner's table of bar classes holds, one per class.
    using BarClass = CalcBar* (*)(QWidget* owner, BarConversion conv);

    // A bar of the conversion's kind around a conversion of its own or one
    // its owner keeps (see AdoptConversion); none refuses (AssertionFailure).
    template <class Bar> static Bar* Make(QWidget* owner, BarConversion conv) {
        return Completed(new Bar(CreateKey{}, owner, std::move(conv)));
    }
    template <class Bar> static CalcBar* MakeAs(QWidget* owner, BarConversion conv) {
        return Make<Bar>(owner, std::move(conv));
    }

    CalcBar(CreateKey key, QWidget* owner, BarConversion conv);
    ~CalcBar() override;
    CalcBar(const CalcBar&) = delete;
    CalcBar& operator=(const CalcBar&) = delete;

    // ---- virtual operations ----
    virtual void ShowText();

protected:
    // Second construction step, run once by Make, which creates the
    // indicators; variants add their own indicators before calling the base,
    // and their option buttons after it.
    virtual void Create();
    // Font and colour of the value text (message, or the conversion's text state).
    virtual void UpdateTextStyle();

public:
    // Put after each indicator's text, so that neighbours stay apart.
    static constexpr const char* IndicatorSpace = " ";
    // The options a variant's buttons choose: the window applies what it
    // read for the kind, and asks for them back to store them.
    virtual void ApplyOptions(const BarOptions& options);
    virtual void StoreOptions(BarOptions& options) const;
    // Key (a Qt::Key) and modifiers of the active bar, after the window's own
    // shortcuts and the access-key test; true when the bar used the key.
    bool HandleKey(int key, Qt::KeyboardModifiers shift);
    virtual void UpdateIndicators();
    // Left (backward) and Right keys; false when there is nothing to step.
    virtual bool StepOption(bool backward);
    // Ctrl+Space; false when there is nothing to toggle.
    virtual bool ToggleOption();

    BarKind Kind() const { return Conv().GetKind(); }
    // Keeps a conversion that its owner let go alive as long as the bar.
    void AdoptConversion(std::unique_ptr<Conversion> conv);
    Conversion& Conv() { return *conv_.Get(); }
    const Conversion& Conv() const { return *conv_.Get(); }
    // The long title of the kind ("Hexadecimal"); the window shows it.
    QString Title() const;

    void SetDigitGrouping(bool on);
    bool GroupsDigits() const { return digitGrouping_; }
    void SetShowIndicators(bool on);
    bool ShowIndicators() const { return showIndicators_; }
    // Whether the conversion can do what the option names (GetCapabilities).
    bool Offers(ConvOption option) const;

    // The pending operator's symbol as the calculator names it ("-", "<<");
    // the operator label shows it in the value's font ("−").
    void SetOperatorText(const QString& text);
    // The mark that memory holds a value, its tooltip the value as this bar
    // writes it; none hides it.
    void SetMemoryMark(const std::optional<QString>& tip);
    const QString& OperatorText() const { return operatorSymbol_; }
    // A message shown instead of the value (the calculator's error, which
    // blocks input there); an empty text shows the value again.
    void SetMessageText(const QString& text);
    const QString& MessageText() const { return messageText_; }
    bool HasMessage() const { return !messageText_.isEmpty(); }

    // The font of the value panel; nothing changes when none is given.
    void SetDisplayFont(const std::optional<QFont>& font);
    void SetActive(bool on);
    bool IsActive() const { return active_; }
    // Gives the bar the keyboard focus, so that screen readers follow the
    // active bar and its value, unless a control (the expression line, the
    // menu bar) holds the keyboard. Becoming active does it.
    void HoldKeyboardFocus();
    // Alt alone plus the caption's marked letter.
    bool MatchesAccessKey(int key, Qt::KeyboardModifiers shift) const;
    // The caption width all bars share; the owner makes it the band's minimum.
    int CaptionWidth() const;
    // Lays out the controls at once for the bar's present size.
    void FitPanel();

    // Places the controls if that has not happened yet; showing the bar does it too.
    void EnsurePlaced();
    bool IsPlaced() const { return placed_; }

    // For the variants: controls in the option area and indicator labels.
    // An option button with its caption (an "&" marks its access letter) and
    // tooltip.
    BarButton* AddOptionButton(const QString& caption = QString(),
                               const QString& toolTip = QString());
    BarSeparator* AddOptionSeparator(bool divider);
    QLabel* AddIndicator();

    const BarParts& Parts() const { return parts_; }

    // Colours the bar uses for its value text, taken from its palette and
    // made legible on the value panel's colour (the caption's, private, on
    // the window's colour).
    QColor GreyTextColor() const;
    QColor WindowTextColor() const;
    QColor InvalidTextColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The owner's events, connected directly by the owner right after
    // creation: each arrives synchronously, inside the bar's own event
    // handling (a receiver may delete the bar).
    //
    // A press on an inactive bar.
    void ActivateRequested(CalcBar& bar);
    // A middle press on one of the bar's controls.
    void MiddleClicked(CalcBar& bar);
    // The context menu being built, once, when it is first asked for.
    void MenuBuilding(CalcBar& bar, QMenu& menu);
    // Only from a bar that shows the value's bits: a click on a digit; bit
    // is the bit of the value to flip, 0 the least significant.
    void BitClicked(CalcBar& bar, int bit);
    // The bar's own settings (encoding, format, style) changed on its
    // conversion, which has rewritten its text from the value.
    void OwnSettingsChanged(CalcBar& bar);

protected:
    // After a change of the bar's own settings: the text and indicators
    // follow, and the owner hears of it.
    void ShowOwnSettings();
    void UpdateFonts();
    void ApplyActiveColors();

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Bar> static Bar* Completed(Bar* bar) {
        try {
            static_cast<CalcBar*>(bar)->Create();
        } catch (...) {
            delete bar;
            throw;
        }
        return bar;
    }
    struct ValueColors {
        QColor Grey;
        QColor Normal;
        QColor Invalid;
    };
    QColor IndicatorTextColor() const;
    QLabel* NewSmallLabel(const QString& text, Qt::Alignment alignment);
    void BuildControls();
    void SetPanelColor(const QColor& color);
    QColor PanelColor() const;
    void ControlMouseDown(Qt::MouseButton button);
    void UpdateControlWidths();
    void OptionAreaChanged();
    int WidthBesidePanel() const;
    int PanelWidthBesideValue() const;
    int PanelContentWidth() const;
    int PanelMinimum() const;
    bool ValueFitsUnmeasured() const;
    void UpdatePanelMinimum();
    int OptionButtonWidth(const BarButton& button) const;

    BarParts parts_;
    BarConversion conv_;
    QWidget* row_ = nullptr;
    QHBoxLayout* rowLayout_ = nullptr;
    BarSeparator* trailingSpacer_ = nullptr;
    QHBoxLayout* panelLayout_ = nullptr;
    QLabel* memoryMark_ = nullptr;
    bool digitGrouping_ = false;
    bool showIndicators_ = false;
    bool active_ = false;
    QString messageText_;
    QString operatorSymbol_;
    bool placed_ = false;
    // What the value panel needs to show its whole text, indicators and
    // operator; part of the bar's minimum width. While the value is known to
    // fit (ValueFitsUnmeasured) it is measured only when a layout asks.
    mutable int panelMinimum_ = 0;
    mutable bool panelMeasured_ = false;
    // No less than the panel minimum the band site may have seen last.
    mutable int panelCeiling_ = 0;
    // A new reading updates the indicators and then the value, and each asks
    // for the panel's width: the value's text is measured once.
    mutable DrawnWidthMemo valueWidth_;
    mutable WidthEstimate valueEstimate_;
    // A mode change flips the indicators' texts back and forth.
    mutable std::vector<DrawnWidthMemo> indicatorWidths_;
    mutable std::optional<ValueColors> valueColors_;
    // The colour last given to the value label (invalid: not known).
    QColor shownValueColor_;
};

} // namespace pexa
