#pragma once

#include "conv/CalcConv.h"
#include "core/CalcValue.h"
#include "ui/toolkit/Action.h"

#include <QLabel>
#include <QString>
#include <QToolButton>
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

// A push button of a bar's option area. Buttons that share a non-zero group
// index within one bar behave as radio buttons; with AllowAllUp a pressed
// button of the group can also be released (a lone toggle button).
class TBarButton : public QToolButton {
    Q_OBJECT
public:
    explicit TBarButton(QWidget* parent = nullptr);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool Down() const { return isChecked(); }
    // Pressing one button of a group releases the others of that group.
    void SetDown(bool down);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool HasGlyph() const { return !icon().isNull(); }

protected:
    void nextCheckState() override;

private:
    void ReleaseGroupSiblings();

    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    int tag_ = 0;
};

// A gap between option buttons, optionally drawn as a dividing line.
class TBarSeparator : public QWidget {
    Q_OBJECT
public:
    TBarSeparator(bool divider, int width, QWidget* parent = nullptr);
    bool IsDivider() const { return divider_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool divider_;
    int width_;
};

// The bar's short name with its access letter underlined. Drawn by us so that
// its width is exactly the measured text width the caption alignment relies on.
class TBarCaption : public QWidget {
    Q_OBJECT
public:
    explicit TBarCaption(QWidget* parent = nullptr);
    // Text with an optional "&" before the access letter.
    void SetMarkedText(const QString& text);
    const QString& MarkedText() const { return markedText_; }
    QString PlainText() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString markedText_;
};

// The display bar: shows one conversion's rendering of the calculator value,
// with its caption, option buttons, indicators, the pending operator and
// error messages. The bar is only presentation; value, mode and options live
// in its conversion.
//
// Bars are created with Make<Bar>(owner, kind), which runs the virtual second
// construction step (Create) once the object is complete, so that a variant's
// CreateIndicators and option buttons take part.
class TCalcBar : public QWidget {
    Q_OBJECT

public:
    // Only Make can construct bars, so none escapes its second construction step.
    class CreateKey {
        friend class TCalcBar;
        CreateKey() = default;
    };

    using ActivateEvent = std::function<void(TCalcBar& bar)>;
    using MiddleClickEvent = std::function<void(TCalcBar& bar)>;
    // phase 0 runs before BuildMenu, phase 1 after it.
    using BuildMenuEvent = std::function<void(TCalcBar& bar, QMenu& menu, int phase)>;

    // The factory the owner's table of bar classes holds, one per class.
    using BarClass = TCalcBar* (*)(QWidget* owner, BarKind kind);

    template <class Bar> static Bar* Make(QWidget* owner, BarKind kind) {
        auto* bar = new Bar(CreateKey{}, owner, kind);
        static_cast<TCalcBar*>(bar)->Create();
        return bar;
    }
    template <class Bar> static TCalcBar* MakeAs(QWidget* owner, BarKind kind) {
        return Make<Bar>(owner, kind);
    }
    // A bar around a conversion made elsewhere (of the conversion's kind).
    template <class Bar> static Bar* MakeWith(QWidget* owner, std::unique_ptr<TCalcConv> conv) {
        auto* bar = new Bar(CreateKey{}, owner, std::move(conv));
        static_cast<TCalcBar*>(bar)->Create();
        return bar;
    }

    TCalcBar(CreateKey key, QWidget* owner, BarKind kind);
    TCalcBar(CreateKey key, QWidget* owner, std::unique_ptr<TCalcConv> conv);
    ~TCalcBar() override;
    TCalcBar(const TCalcBar&) = delete;
    TCalcBar& operator=(const TCalcBar&) = delete;

    // Virtual operations, in slot order (Create, slot 5, is protected below).
    virtual void RefreshValue();
    virtual void RefreshAll();
    virtual void ShowText();
    virtual bool CanActivate() const;
    virtual void LoadSettings();
    virtual void SaveSettings();
    // Key (a Qt::Key) and modifiers of the active bar, after the window's own
    // shortcuts; true when the bar used the key.
    virtual bool HandleKey(int key, Qt::KeyboardModifiers shift);
    virtual bool CanToggleSign() const;

    BarKind Kind() const { return kind_; }
    TCalcConv& Conv() { return *conv_; }
    const TCalcConv& Conv() const { return *conv_; }
    // The long title of the kind ("Hexadecimal"); the window shows it.
    QString Title() const;

    void SetMode(CalcValueMode mode);
    CalcValueMode GetMode() const;
    void SetValue(const CalcValue& value);
    CalcValue GetValue() const;
    // The conversion's text (display code page bytes) for copying.
    std::string GetText(bool separated) const;

    void SetSeparated(bool on);
    bool Separated() const { return separated_; }
    void SetShowIndicators(bool on);
    bool ShowIndicators() const { return showIndicators_; }
    void SetSigned(bool on);
    void SetReverse(bool on);
    bool SupportsSeparated() const;
    bool RefusesPaste() const;
    bool SupportsSigned() const;
    bool SupportsReverse() const;
    bool SignedOption() const;
    bool ReverseOption() const;

    void SetOperatorText(const QString& text);
    QString OperatorText() const;
    // A message shown instead of the value; it blocks input until SetValue or Clear.
    void SetMessageText(const QString& text);
    const QString& MessageText() const { return messageText_; }
    bool HasMessage() const { return !messageText_.isEmpty(); }

    bool CanInputChar(char ch, bool newEntry, bool pasting) const;
    bool InputChar(char ch);
    bool IsIgnoredChar(char ch) const;
    bool CanBackspace() const;
    bool Backspace();
    void Clear();
    std::string GetSeparatorCaption() const;

    // The font of the value panel; nothing changes when none is given.
    void SetDisplayFont(const std::optional<QFont>& font);
    void SetActive(bool on);
    bool IsActive() const { return active_; }
    // Alt alone plus the caption's marked letter.
    bool MatchesAccessKey(int key, Qt::KeyboardModifiers shift) const;
    // The caption width all bars share; the owner makes it the band's minimum.
    int CaptionWidth() const;
    void FitPanel();

    // Places the controls if that has not happened yet; showing the bar does it too.
    void EnsurePlaced();
    bool IsPlaced() const { return placed_; }

    // For the variants: controls in the option area and indicator labels.
    TBarButton* AddOptionButton(const TAction* action);
    TBarSeparator* AddOptionSeparator(bool divider);
    QLabel* AddIndicator();

    const std::vector<QWidget*>& OptionControls() const { return optionControls_; }
    const std::vector<QLabel*>& Indicators() const { return indicators_; }
    QLabel* SignIndicator() const { return signIndicator_; }
    QLabel* ReverseIndicator() const { return reverseIndicator_; }
    TBarCaption* CaptionLabel() const { return captionLabel_; }
    QFrame* ValuePanel() const { return valuePanel_; }
    QLabel* ValueLabel() const { return valueLabel_; }
    QLabel* OperatorLabel() const { return operatorLabel_; }
    // The context menu, once it has been built.
    QMenu* PopupMenu() const { return popupMenu_; }

    // Owner events: one handler each, set right after creation.
    ActivateEvent OnActivate;
    MiddleClickEvent OnMiddleClick;
    BuildMenuEvent OnBuildMenu;

    // Inserts "&" before the first character of label equal to key ignoring case.
    static QString AddAccessMark(const QString& label, char key);
    // Colours the bar uses for its value text and its caption.
    static QColor GreyTextColor();
    static QColor WindowTextColor();
    static QColor InvalidTextColor() { return QColor(255, 0, 0); }
    static QColor ActiveCaptionColor() { return QColor(0, 0, 255); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    virtual void UpdateTextStyle();
    // Second construction step; variants call the base first, then add buttons.
    virtual void Create();
    virtual void CreateIndicators();
    virtual void UpdateIndicators();
    virtual bool StepOption(bool backward);
    virtual bool ToggleOption();
    virtual void BuildMenu(QMenu& menu);

    void UpdateFonts();
    void ApplyActiveColors();

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetPanelColor(const QColor& color);
    void ConnectMouseDown(QWidget* control);
    void ControlMouseDown(QWidget* control, Qt::MouseButton button);
    bool PopupContextMenu(QPoint pos);
    void Place();
    void LayoutControls();
    int SharedCaptionWidth() const;
    int OptionButtonWidth(const TBarButton& button) const;
    bool HasCapability(ConvOption option) const;

    BarKind kind_;
    std::unique_ptr<TCalcConv> conv_;
    TBarCaption* captionLabel_ = nullptr;
    TBarSeparator* leadingSpacer_ = nullptr;
    TBarSeparator* trailingSpacer_ = nullptr;
    QFrame* valuePanel_ = nullptr;
    QHBoxLayout* panelLayout_ = nullptr;
    QLabel* valueLabel_ = nullptr;
    QLabel* operatorLabel_ = nullptr;
    bool separated_ = false;
    bool showIndicators_ = false;
    std::vector<QWidget*> optionControls_;
    std::vector<QLabel*> indicators_;
    bool active_ = false;
    QLabel* signIndicator_ = nullptr;
    QLabel* reverseIndicator_ = nullptr;
    QString messageText_;
    QMenu* popupMenu_ = nullptr;
    bool placed_ = false;
};

} // namespace pexa
