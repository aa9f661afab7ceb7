#include "ui/bars/CalcBar.h"

#include "core/CalcArithmetic.h"
#include "core/CalcError.h"
#include "core/ModeWidth.h"
#include "ui/app/AccessibleControls.h"
#include "ui/text/AccessMarks.h"
#include "ui/text/ColorContrast.h"
#include "ui/text/SjisText.h"
#include "ui/text/TextWidth.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pexa {

namespace {

constexpr int IndicatorFontPointSize = 8;

// The bar's look: a gap at each end and around groups of option buttons,
// and the line a frame or a divider draws.
constexpr int kEdgeGap = 2;
constexpr int kFrameLine = 1;

QColor ApplicationColor(QPalette::ColorRole role) {
    return QGuiApplication::palette().color(role);
}

// The hue of a value the conversion refuses; the palette has no role for it.
const QColor InvalidHue(255, 0, 0);

// How the pending-operator label shows an operator's symbol. At the size of
// the value an ASCII hyphen, asterisk and slash read as a dash, a dot and a
// stroke (a lone "-" beside a number looks like an underscore or a sign):
// the label shows the signs of arithmetic instead.
QString ShownOperator(const QString& symbol) {
    if (symbol == QLatin1String("-"))
        return QStringLiteral("\u2212");
    if (symbol == QLatin1String("*"))
        return QStringLiteral("\u00D7");
    if (symbol == QLatin1String("/"))
        return QStringLiteral("\u00F7");
    return symbol;
}

// The symbols of the sixteen binary operators as the label shows them; the
// widest decides the width of the pending-operator label, so the label never
// changes width.
QStringList BinaryOperatorSymbols() {
    QStringList symbols;
    for (const BinaryOperatorInfo& info : BinaryOperators) {
        symbols.append(ShownOperator(QString::fromLatin1(info.Symbol)));
    }
    return symbols;
}

// A conversion's text as the bar draws it.
QString FromConvText(const std::string& text, TextCharset charset = TextCharset::ShiftJis) {
    return WithBidiControlsShown(ConvTextToUnicode(text, charset));
}

// Whether the widget's own palette already draws its text in the colour.
bool HasTextColor(const QWidget& widget, const QColor& color) {
    const QPalette& palette = widget.palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (!palette.isBrushSet(group, QPalette::WindowText) ||
            palette.color(group, QPalette::WindowText) != color)
            return false;
    }
    return true;
}

// The value's colour is set on every update, and setting a palette resolves
// it against the parent's and re-polishes the label even when nothing changed.
void SetTextColor(QWidget& widget, const QColor& color) {
    if (HasTextColor(widget, color))
        return;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, color);
    widget.setPalette(palette);
}

Qt::KeyboardModifiers ShiftState(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier);
}

// The caption as an option button shows it. The access mark is dropped: a
// button mnemonic would grab an Alt+letter, and those belong to the bars'
// own access keys, which the window matches itself.
QString ButtonCaption(const QString& caption) {
    QString text = StripAccessMarks(caption);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return text;
}

} // namespace

// ---- CalcBar: construction ----

CalcBar::CalcBar(CreateKey, QWidget* owner, BarConversion conv)
    : QWidget(owner), conv_(std::move(conv)) {
    if (conv_.Get() == nullptr) {
        throw AssertionFailure("CalcBar");
    }
    BuildControls();
}

void CalcBar::BuildControls() {
    setWindowTitle(Title());

    // The controls stand in a row of their own that fills the bar. A layout
    // ends by telling its widget's parent that the widget's size may have
    // changed; on the bar itself that would lay out every band again after
    // each new value. The bar tells the band site itself, and only when the
    // value needs more or less room (UpdatePanelMinimum).
    row_ = new QWidget(this);
    rowLayout_ = new QHBoxLayout(row_);
    rowLayout_->setContentsMargins(0, 0, 0, 0);
    rowLayout_->setSpacing(0);

    parts_.CaptionLabel = new BarCaption(row_);
    parts_.CaptionLabel->SetMarkedText(
        AddAccessMark(FromConvText(Conv().GetLabel()), Conv().GetAccessKey()));
    parts_.CaptionLabel->installEventFilter(this);

    auto* leadingSpacer = new BarSeparator(false, kEdgeGap, row_);
    trailingSpacer_ = new BarSeparator(false, kEdgeGap, row_);
    leadingSpacer->installEventFilter(this);
    trailingSpacer_->installEventFilter(this);

    parts_.ValuePanel = new QFrame(row_);
    parts_.ValuePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    parts_.ValuePanel->setLineWidth(1);
    parts_.ValuePanel->setAutoFillBackground(true);
    // The panel takes what the caption and the options leave; what it needs
    // is part of the bar's own minimum.
    parts_.ValuePanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    parts_.ValuePanel->installEventFilter(this);

    rowLayout_->addWidget(parts_.CaptionLabel);
    rowLayout_->addWidget(leadingSpacer);
    rowLayout_->addWidget(trailingSpacer_);
    rowLayout_->addWidget(parts_.ValuePanel, 1);

    panelLayout_ = new QHBoxLayout(parts_.ValuePanel);
    panelLayout_->setContentsMargins(0, 0, 0, 0);
    panelLayout_->setSpacing(0);

    parts_.ValueLabel = new QLabel(QStringLiteral(" "), parts_.ValuePanel);
    parts_.ValueLabel->setTextFormat(Qt::PlainText);
    parts_.ValueLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A value wider than the panel is clipped on the left (its low digits stay
    // in view) instead of widening the bar.
    parts_.ValueLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    parts_.ValueLabel->installEventFilter(this);
    // A label with no accessible name of its own reports each new text to the
    // accessibility layer, which builds the label's interface for it even
    // when no screen reader listens. The bar reports its text itself
    // (AnnounceBarText) and screen readers never see this label.
    parts_.ValueLabel->setAccessibleName(Title());

    // The pending operator is part of what the value reads ("42 −"): the
    // value's font, beside the value and on its line.
    parts_.OperatorLabel = new QLabel(QStringLiteral(" "), parts_.ValuePanel);
    parts_.OperatorLabel->setTextFormat(Qt::PlainText);
    parts_.OperatorLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    parts_.OperatorLabel->installEventFilter(this);

    panelLayout_->addWidget(parts_.ValueLabel, 1);
    panelLayout_->addWidget(parts_.OperatorLabel);

    SetPanelColor(ApplicationColor(QPalette::Base));
}

CalcBar::~CalcBar() = default;

void CalcBar::AdoptConversion(std::unique_ptr<Conversion> conv) {
    if (conv != nullptr && conv.get() == conv_.Get())
        conv_ = BarConversion(std::move(conv));
}

QString CalcBar::Title() const {
    return FromConvText(Conv().GetTitle());
}

// ---- placement ----

void CalcBar::EnsurePlaced() {
    if (placed_)
        return;
    placed_ = true;
    UpdateControlWidths();
    FitPanel();
    updateGeometry();
    UpdateFonts();
    ApplyActiveColors();
}

bool CalcBar::event(QEvent* event) {
    // Placement waits until the bar is about to be shown (or polished), so a
    // variant's buttons are in place first.
    if (event->type() == QEvent::Polish) {
        EnsurePlaced();
    }
    const bool handled = QWidget::event(event);
    // A font inherited from a new parent changes the caption width and the
    // operator label's width.
    if (event->type() == QEvent::FontChange && placed_) {
        UpdateFonts();
        UpdateControlWidths();
        FitPanel();
    }
    // A new desktop palette or window colour: the text colours are chosen
    // against the colours they are drawn on.
    if (event->type() == QEvent::PaletteChange) {
        valueColors_.reset();
        shownValueColor_ = QColor();
        if (placed_)
            ApplyActiveColors();
    }
    if (event->type() == QEvent::LanguageChange && parts_.ReverseIndicator != nullptr) {
        UpdateIndicators();
    }
    return handled;
}

namespace {

// The widest of a fixed set of texts in one font. Layout asks for it on
// every size query of every bar, and all bars share their fonts, so it is
// measured once per font rather than once per query.
class WidestTextMemo {
public:
    explicit WidestTextMemo(QStringList texts) : texts_(std::move(texts)) {}

    int Of(const QFont& font) {
        if (width_ < 0 || !(font_ == font)) {
            const QFontMetrics metrics(font);
            width_ = 0;
            for (const QString& text : texts_)
                width_ = std::max(width_, metrics.horizontalAdvance(text));
            font_ = font;
        }
        return width_;
    }

private:
    QStringList texts_;
    QFont font_;
    int width_ = -1;
};

QStringList BarLabels() {
    QStringList labels;
    for (int kind = 0; kind < BarKindCount; ++kind)
        labels.append(FromConvText(GetBarKindInfo(static_cast<BarKind>(kind)).Label));
    return labels;
}

int WidestBarLabel(const QFont& font) {
    static WidestTextMemo memo(BarLabels());
    return memo.Of(font);
}

int WidestOperatorSymbol(const QFont& font) {
    static WidestTextMemo memo(BinaryOperatorSymbols());
    return memo.Of(font);
}

} // namespace

int CalcBar::CaptionWidth() const {
    const int shared = WidestBarLabel(parts_.CaptionLabel->font()) + 2 * kFrameLine;
    return std::max(parts_.CaptionLabel->sizeHint().width(), shared);
}

int CalcBar::OptionButtonWidth(const BarButton& button) const {
    const int minimum = static_cast<int>(std::lround(ToolButtonWidth * 3.0 / 4.0));
    // The style's own margins and frame too, or a long caption ("DWord")
    // runs into the button's edges.
    const int fitted =
        std::max(button.CaptionTextWidth() + 6 * kFrameLine, button.sizeHint().width());
    return std::max(fitted, minimum);
}

// Widths the controls' own size hints do not give: the caption's is shared
// by all bars, and an option button is at least three quarters of a tool
// button and clear of its caption.
void CalcBar::UpdateControlWidths() {
    parts_.CaptionLabel->setFixedWidth(CaptionWidth());
    for (QWidget* control : parts_.OptionControls) {
        if (auto* button = qobject_cast<BarButton*>(control)) {
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
            button->setMinimumWidth(OptionButtonWidth(*button));
        }
    }
}

void CalcBar::OptionAreaChanged() {
    if (placed_) {
        UpdateControlWidths();
        FitPanel();
    }
    // The bar's minimum width includes the option area.
    updateGeometry();
}

void CalcBar::FitPanel() {
    // A hidden bar gets its resize event only when shown; the row follows now.
    row_->setGeometry(rect());
    rowLayout_->invalidate();
    rowLayout_->activate();
}

void CalcBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    row_->setGeometry(rect());
}

QSize CalcBar::sizeHint() const {
    const QSize minimum = minimumSizeHint();
    // Room for eight characters, or the whole value when that is more.
    const int panelWidth = 8 * QFontMetrics(parts_.ValuePanel->font()).averageCharWidth();
    return {std::max(minimum.width(), minimum.width() - PanelMinimum() + panelWidth),
            minimum.height()};
}

QSize CalcBar::minimumSizeHint() const {
    const int panelHeight =
        QFontMetrics(parts_.ValuePanel->font()).height() + 2 * parts_.ValuePanel->frameWidth() + 2;
    return {WidthBesidePanel() + PanelMinimum(), std::max(ToolButtonHeight, panelHeight)};
}

int CalcBar::WidthBesidePanel() const {
    int width = CaptionWidth() + 2 * kEdgeGap;
    for (QWidget* control : parts_.OptionControls) {
        if (control->isHidden()) {
            continue;
        }
        const auto* button = qobject_cast<const BarButton*>(control);
        width += button != nullptr ? OptionButtonWidth(*button) : control->sizeHint().width();
    }
    return width;
}

int CalcBar::PanelWidthBesideValue() const {
    int width = 2 * parts_.ValuePanel->frameWidth() + parts_.OperatorLabel->minimumWidth();
    // Labels measure their ink, which can reach past the text's advance. A
    // label's own size hint runs its whole formatting pass for a new text;
    // these labels have no margin or indent, so the drawn width of the text
    // is what they need.
    for (std::size_t i = 0; i < parts_.Indicators.size(); ++i) {
        const QLabel* indicator = parts_.Indicators[i];
        if (indicator->isHidden())
            continue;
        // An empty label still keeps room for a blank, as its size hint says.
        width += indicator->text().isEmpty()
                     ? indicator->sizeHint().width()
                     : indicatorWidths_[i].Of(indicator->font(), indicator->text());
    }
    return width;
}

int CalcBar::PanelContentWidth() const {
    return PanelWidthBesideValue() +
           valueWidth_.Of(parts_.ValueLabel->font(), parts_.ValueLabel->text());
}

int CalcBar::PanelMinimum() const {
    if (!panelMeasured_) {
        panelMinimum_ = PanelContentWidth();
        panelMeasured_ = true;
        panelCeiling_ = panelMinimum_;
    }
    return panelMinimum_;
}

// Shaping the value's text costs more than the rest of a keystroke, and most
// new values plainly fit the room the bar already has. Such a value changes
// nothing the band site does: the bar was not held at its minimum before
// (its minimum stayed below its width) and is not now, so the band keeps its
// width and no other band moves. Only a value whose estimate comes near the
// edge of the room, or could not be estimated, is measured at once; the
// others when a layout asks for the bar's minimum.
bool CalcBar::ValueFitsUnmeasured() const {
    // Nothing lays out a bar that is not shown, and showing it asks for its
    // minimum.
    if (!isVisible())
        return true;
    const QLabel& value = *parts_.ValueLabel;
    const std::optional<int> estimate = valueEstimate_.Of(value.font(), value.text());
    if (!estimate)
        return false;
    const int beside = WidthBesidePanel();
    if (beside + panelCeiling_ >= width())
        return false;
    // Kerning and ligatures can make the shaped text a little wider than the
    // sum of its advances; a wide margin keeps the estimate on the safe side.
    const int margin = std::max(2, *estimate / 8);
    const int panel = PanelWidthBesideValue() + *estimate + margin;
    if (beside + panel >= width())
        return false;
    panelCeiling_ = std::max(panelCeiling_, panel);
    return true;
}

// The value is never cut: a text that does not fit widens the bar, and the
// band site and the window grow with it.
void CalcBar::UpdatePanelMinimum() {
    if (ValueFitsUnmeasured()) {
        panelMeasured_ = false;
        return;
    }
    const int wanted = PanelContentWidth();
    const bool changed = !panelMeasured_ || wanted != panelMinimum_;
    panelMinimum_ = wanted;
    panelMeasured_ = true;
    panelCeiling_ = wanted;
    if (changed)
        updateGeometry();
}

// ---- fonts, text and colours ----

void CalcBar::UpdateFonts() {
    parts_.ValueLabel->setFont(parts_.ValuePanel->font());
    parts_.OperatorLabel->setFont(parts_.ValuePanel->font());
    UpdateTextStyle();
    // A blank's width keeps the operator apart from the value's last digit.
    const QFont& operatorFont = parts_.OperatorLabel->font();
    const int widest = WidestOperatorSymbol(operatorFont);
    const int gap = QFontMetrics(operatorFont).horizontalAdvance(QLatin1Char(' '));
    parts_.OperatorLabel->setFixedWidth(widest + gap + 2 * kFrameLine);
    UpdatePanelMinimum();
    updateGeometry();
}

void CalcBar::ShowText() {
    const QString before = parts_.ValueLabel->text();
    if (HasMessage()) {
        parts_.ValueLabel->setText(messageText_);
    } else {
        parts_.ValueLabel->setText(
            FromConvText(Conv().GetText(digitGrouping_), Conv().GetTextCharset()));
    }
    if (parts_.ValueLabel->text() != before)
        AnnounceBarText(*this, before);
    UpdateTextStyle();
    UpdatePanelMinimum();
}

// Made on first use, so that a bar that never shows it lays out as before.
void CalcBar::SetMemoryMark(const std::optional<QString>& tip) {
    if (!tip && memoryMark_ == nullptr)
        return;
    if (memoryMark_ == nullptr) {
        memoryMark_ = NewSmallLabel(QStringLiteral("M"), Qt::AlignCenter);
        memoryMark_->setObjectName(QStringLiteral("memoryMark"));
        memoryMark_->hide();
        panelLayout_->addWidget(memoryMark_);
    }
    memoryMark_->setToolTip(tip.value_or(QString()));
    memoryMark_->setVisible(tip.has_value());
}

void CalcBar::SetOperatorText(const QString& text) {
    operatorSymbol_ = text;
    parts_.OperatorLabel->setText(ShownOperator(text));
}

QColor CalcBar::PanelColor() const {
    return parts_.ValuePanel->palette().color(QPalette::Window);
}

QColor CalcBar::GreyTextColor() const {
    return LegibleGreyText(QGuiApplication::palette(), PanelColor());
}

QColor CalcBar::WindowTextColor() const {
    return Legible(ApplicationColor(QPalette::Text), PanelColor());
}

QColor CalcBar::InvalidTextColor() const {
    return Legible(InvalidHue, PanelColor());
}

QColor CalcBar::IndicatorTextColor() const {
    return Legible(ApplicationColor(QPalette::Dark), PanelColor());
}

void CalcBar::UpdateTextStyle() {
    // The value's colours are chosen against the panel's at every new value;
    // they change only with the colours, which ApplyActiveColors follows.
    if (!valueColors_)
        valueColors_ = ValueColors{GreyTextColor(), WindowTextColor(), InvalidTextColor()};
    const ValueColors& colors = *valueColors_;
    const QColor* color = &colors.Grey;
    if (!HasMessage()) {
        switch (Conv().GetTextState()) {
        case ConvTextState::Normal:
            color = &colors.Normal;
            break;
        case ConvTextState::NotApplicable:
            break;
        case ConvTextState::Invalid:
            color = &colors.Invalid;
            break;
        }
    }
    // Only the bar sets the value's colour; asking the label's palette
    // whether it already has it costs more than remembering.
    if (shownValueColor_ != *color) {
        SetTextColor(*parts_.ValueLabel, *color);
        shownValueColor_ = *color;
    }
}

void CalcBar::SetPanelColor(const QColor& color) {
    valueColors_.reset();
    shownValueColor_ = QColor();
    QPalette palette = parts_.ValuePanel->palette();
    palette.setColor(QPalette::Window, color);
    parts_.ValuePanel->setPalette(palette);
}

void CalcBar::ApplyActiveColors() {
    // The bar itself keeps its parent's colour: it paints no background.
    setAutoFillBackground(false);
    SetPanelColor(active_ ? ApplicationColor(QPalette::Base) : ApplicationColor(QPalette::Button));
    // The caption is drawn straight on the window, whose colour the user may
    // have chosen; the active one takes the palette's link colour (blue on a
    // light desktop).
    const QColor caption =
        active_ ? palette().color(QPalette::Link) : ApplicationColor(QPalette::ButtonText);
    SetTextColor(*parts_.CaptionLabel, Legible(caption, palette().color(QPalette::Window)));
    // The value and the indicators are legible on the panel's new colour.
    for (QLabel* indicator : parts_.Indicators)
        SetTextColor(*indicator, IndicatorTextColor());
    if (memoryMark_ != nullptr)
        SetTextColor(*memoryMark_, IndicatorTextColor());
    UpdateTextStyle();
}

void CalcBar::SetDisplayFont(const std::optional<QFont>& font) {
    if (!font) {
        return;
    }
    parts_.ValuePanel->setFont(*font);
    if (placed_) {
        UpdateFonts();
        ApplyActiveColors();
    }
    updateGeometry();
}

void CalcBar::SetActive(bool on) {
    if (on != active_) {
        active_ = on;
        ApplyActiveColors();
        if (on)
            HoldKeyboardFocus();
    }
}

// The bars never take the focus themselves (no click or Tab gives it to
// them), and the window routes the keys whichever of them holds it.
void CalcBar::HoldKeyboardFocus() {
    const QWidget* holder = window()->focusWidget();
    if (holder == nullptr || holder == window() || qobject_cast<const CalcBar*>(holder) != nullptr)
        setFocus(Qt::OtherFocusReason);
}

// ---- indicators ----

// The indicators and the memory mark: small text in the panel.
QLabel* CalcBar::NewSmallLabel(const QString& text, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parts_.ValuePanel);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    QFont font = label->font();
    font.setPointSize(IndicatorFontPointSize);
    label->setFont(font);
    SetTextColor(*label, IndicatorTextColor());
    label->installEventFilter(this);
    return label;
}

QLabel* CalcBar::AddIndicator() {
    QLabel* label = NewSmallLabel(QString(), Qt::AlignLeft | Qt::AlignVCenter);
    label->setVisible(showIndicators_);
    panelLayout_->insertWidget(static_cast<int>(parts_.Indicators.size()), label);
    parts_.Indicators.push_back(label);
    indicatorWidths_.emplace_back();
    return label;
}

void CalcBar::SetShowIndicators(bool on) {
    showIndicators_ = on;
    for (auto it = parts_.Indicators.rbegin(); it != parts_.Indicators.rend(); ++it) {
        (*it)->setVisible(on);
    }
    UpdatePanelMinimum();
}

// ---- keys ----

bool CalcBar::MatchesAccessKey(int key, Qt::KeyboardModifiers shift) const {
    const char accessKey = Conv().GetAccessKey();
    return accessKey != '\0' && key == static_cast<unsigned char>(accessKey) &&
           ShiftState(shift) == Qt::AltModifier;
}

bool CalcBar::HandleKey(int key, Qt::KeyboardModifiers shift) {
    const Qt::KeyboardModifiers state = ShiftState(shift);
    if ((key == Qt::Key_Menu && state == Qt::NoModifier) ||
        (key == Qt::Key_F10 && state == Qt::ShiftModifier)) {
        // (-1, -1) marks a request from the keyboard: the menu opens below the panel.
        const QPoint keyboardPos(-1, -1);
        QCoreApplication::postEvent(
            this, new QContextMenuEvent(QContextMenuEvent::Keyboard, keyboardPos,
                                        mapToGlobal(keyboardPos), Qt::NoModifier));
        return true;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && state == Qt::NoModifier) {
        return StepOption(key == Qt::Key_Left);
    }
    if (key == Qt::Key_Space && state == Qt::ControlModifier) {
        return ToggleOption();
    }
    return false;
}

// ---- option controls ----

BarButton* CalcBar::AddOptionButton(const QString& caption, const QString& toolTip) {
    auto* button = new BarButton(row_);
    button->installEventFilter(this);
    if (!caption.isEmpty())
        button->setText(ButtonCaption(caption));
    button->setToolTip(toolTip);
    rowLayout_->insertWidget(rowLayout_->indexOf(trailingSpacer_), button);
    parts_.OptionControls.push_back(button);
    OptionAreaChanged();
    return button;
}

BarSeparator* CalcBar::AddOptionSeparator(bool divider) {
    const int width = divider ? 2 * (kEdgeGap + kFrameLine) : 2 * kEdgeGap;
    auto* separator = new BarSeparator(divider, width, row_);
    separator->installEventFilter(this);
    rowLayout_->insertWidget(rowLayout_->indexOf(trailingSpacer_), separator);
    parts_.OptionControls.push_back(separator);
    OptionAreaChanged();
    return separator;
}

// ---- mouse and context menu ----

void CalcBar::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (!active_) {
        emit ActivateRequested(*this);
    }
}

void CalcBar::ControlMouseDown(Qt::MouseButton button) {
    QPointer<CalcBar> self(this);
    if (!active_) {
        emit ActivateRequested(*this);
    }
    if (self && button == Qt::MiddleButton) {
        emit MiddleClicked(*this);
    }
}

bool CalcBar::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        // A left press on a button is the button's own; every other press ends
        // here so it does not reach the bar a second time.
        const bool forButton = button == Qt::LeftButton && qobject_cast<BarButton*>(control);
        event->accept();
        ControlMouseDown(button);
        return !forButton;
    }
    case QEvent::LayoutRequest:
        // An indicator a variant set changed its text.
        if (control == parts_.ValuePanel)
            UpdatePanelMinimum();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (std::find(parts_.OptionControls.begin(), parts_.OptionControls.end(), control) !=
            parts_.OptionControls.end()) {
            OptionAreaChanged();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CalcBar::contextMenuEvent(QContextMenuEvent* event) {
    if (parts_.PopupMenu == nullptr) {
        parts_.PopupMenu = new QMenu(this);
        emit MenuBuilding(*this, *parts_.PopupMenu);
    }
    event->setAccepted(!parts_.PopupMenu->actions().isEmpty());
    if (!event->isAccepted())
        return;
    QPoint pos = event->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : event->pos();
    if (pos.x() < 0 || pos.y() < 0) {
        pos = QPoint(parts_.ValuePanel->x(), parts_.ValuePanel->y() + parts_.ValuePanel->height());
    }
    parts_.PopupMenu->popup(mapToGlobal(pos));
}

} // namespace pexa
