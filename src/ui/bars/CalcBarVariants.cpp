#include "ui/bars/CalcBarVariants.h"

#include "conv/CharacterConversion.h"
#include "conv/DateTimeConversion.h"
#include "conv/FloatConversion.h"
#include "conv/SexagesimalConversion.h"
#include "core/CalcError.h"
#include "enc/EncChar.h"
#include "enc/EncFloat.h"
#include "enc/EncTime.h"
#include "ui/app/FixedPitchFont.h"
#include "ui/app/Language.h"
#include "ui/bars/BarOptions.h"
#include "ui/bars/BinaryBar.h"
#include "ui/commands/CommandActions.h"
#include "ui/commands/CommandTable.h"

#include <QButtonGroup>
#include <QEvent>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QtGlobal>

#include <cstddef>
#include <utility>

namespace pexa {

namespace {

constexpr int LastCharEncoding = static_cast<int>(CharEncoding::CodePoint);
constexpr int LastTimeEncoding = static_cast<int>(TimeEncoding::OleDate);

// The conversion of a variant, of the class the variant works with.
template <class Conv> Conv& ConvOf(CalcBar& bar) {
    auto* conv = dynamic_cast<Conv*>(&bar.Conv());
    if (conv == nullptr) {
        throw AssertionFailure("CalcBar");
    }
    return *conv;
}

// Holds the command's index (never its name): the window finds the command
// again when it retranslates the hint.
constexpr const char* kCommandProperty = "pexaCommand";

// An option button made from the command table's row of the command: its
// caption and hint. The bar itself carries out what the button chooses: the
// option is this bar's own state (its encoding, its float format), so the
// window keeps no QAction for it that setDefaultAction could bind.
BarButton* AddActionButton(CalcBar& bar, Command command) {
    if (InfoOf(command).List != CommandList::Bars) {
        throw AssertionFailure("CalcBar");
    }
    BarButton* button =
        bar.AddOptionButton(CommandText(InfoOf(command).Caption), ShortHintOf(command));
    button->setProperty(kCommandProperty, static_cast<int>(IndexOf(command)));
    button->setCheckable(true);
    if (!OfferedInControls(command))
        button->hide();
    return button;
}

// The exclusive group of a bar's choice buttons, found again by its name.
QButtonGroup* ChoiceGroup(QObject& bar, const char* name) {
    if (auto* group = bar.findChild<QButtonGroup*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
        return group;
    auto* group = new QButtonGroup(&bar);
    group->setObjectName(QLatin1String(name));
    group->setExclusive(true);
    return group;
}

// Shows the choice as the one checked button of the group; none for a
// choice no button has (an exclusive group keeps one checked otherwise).
void ShowChoice(QButtonGroup& group, int choice) {
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons())
        button->setChecked(group.id(button) == choice);
    group.setExclusive(true);
}

// Draws a label's plain text strictly left to right: every character stands
// in its own place in text order, whatever its script's direction, so that a
// Hebrew or Arabic letter keeps its byte column and the padding stays on the
// left as for Latin text. (A QLabel draws a text that starts with a
// right-to-left letter right to left, and reorders runs of such letters.)
class LeftToRightPainter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label == nullptr || event->type() != QEvent::Paint)
            return QObject::eventFilter(watched, event);
        // Left-to-right override ... pop directional formatting: no
        // reordering inside; the text itself holds no such controls.
        const QString overridden = QChar(0x202D) + label->text() + QChar(0x202C);
        const int flags =
            static_cast<int>(QStyle::visualAlignment(Qt::LeftToRight, label->alignment())) |
            Qt::TextForceLeftToRight;
        QPainter painter(label);
        label->style()->drawItemText(&painter, label->contentsRect(), flags, label->palette(),
                                     label->isEnabled(), overridden, label->foregroundRole());
        return true;
    }
};

QString IndicatorText(const std::string& name) {
    return QString::fromLatin1(name.c_str()) + QLatin1String(CalcBar::IndicatorSpace);
}

template <class Encoding> struct EncodingButton {
    Command Action;
    Encoding Value;
};

// One button per encoding, in the numeric order that the arrow keys step; a
// click chooses the button's encoding (its id in the group).
template <class Bar, class Encoding, std::size_t N>
void AddEncodingButtons(Bar& bar, const EncodingButton<Encoding> (&buttons)[N]) {
    QButtonGroup* group = ChoiceGroup(bar, EncodingGroupName);
    for (const EncodingButton<Encoding>& entry : buttons)
        group->addButton(AddActionButton(bar, entry.Action), static_cast<int>(entry.Value));
    ShowChoice(*group, static_cast<int>(bar.Encoding()));
    QObject::connect(group, &QButtonGroup::idClicked, &bar,
                     [&bar](int encoding) { bar.SetEncoding(static_cast<Encoding>(encoding)); });
}

// Steps the bar's encoding as an arrow key does; false past either end.
template <class Bar> bool StepEncoding(Bar& bar, int lastEncoding, bool backward) {
    const int current = static_cast<int>(bar.Encoding());
    const int next = backward ? current - 1 : current + 1;
    if (next < 0 || next > lastEncoding) {
        return false;
    }
    bar.SetEncoding(static_cast<decltype(bar.Encoding())>(next));
    return true;
}

} // namespace

std::optional<Command> CommandOfOptionButton(const QObject& control) {
    bool ok = false;
    const int index = control.property(kCommandProperty).toInt(&ok);
    if (!ok || index < 0 || static_cast<std::size_t>(index) >= CommandCount)
        return std::nullopt;
    return static_cast<Command>(index);
}

// ---- class table and bar actions ----

CalcBar::BarClass BarClassOf(BarKind kind) {
    switch (kind) {
    case BarKind::Char:
        return &CalcBar::MakeAs<CharacterBar>;
    case BarKind::Degree:
        return &CalcBar::MakeAs<SexagesimalBar>;
    case BarKind::Float:
        return &CalcBar::MakeAs<FloatBar>;
    case BarKind::Time:
        return &CalcBar::MakeAs<DateTimeBar>;
    case BarKind::Bin:
        return &CalcBar::MakeAs<BinaryBar>;
    default:
        return &CalcBar::MakeAs<CalcBar>;
    }
}

// ---- CharacterBar ----

CharacterBar::CharacterBar(CreateKey key, QWidget* owner, BarConversion conv)
    : CalcBar(key, owner, std::move(conv)), charConv_(ConvOf<CharacterConversion>(*this)) {}

void CharacterBar::Create() {
    encodingIndicator_ = AddIndicator();
    CalcBar::Create();
    // Button order is the numeric order of the encodings, which the arrow keys step.
    constexpr EncodingButton<CharEncoding> buttons[] = {
        {Command::CharEncodeASCII, CharEncoding::Ascii},
        {Command::CharEncodeSJIS, CharEncoding::ShiftJis},
        {Command::CharEncodeEUC, CharEncoding::Euc},
        {Command::CharEncodeJIS, CharEncoding::Jis},
        {Command::CharEncodeUTF8, CharEncoding::Utf8},
        {Command::CharEncodeUTF16, CharEncoding::Utf16},
        {Command::CharEncodeCodePoint, CharEncoding::CodePoint},
    };
    AddEncodingButtons(*this, buttons);
    QLabel* value = Parts().ValueLabel;
    value->setLayoutDirection(Qt::LeftToRight);
    value->installEventFilter(new LeftToRightPainter(value));
}

CharEncoding CharacterBar::Encoding() const {
    return charConv_.GetCharEncoding();
}

void CharacterBar::SetEncoding(CharEncoding encoding) {
    if (static_cast<int>(encoding) > LastCharEncoding) {
        return;
    }
    charConv_.SetEncoding(encoding);
    ShowChoice(*ChoiceGroup(*this, EncodingGroupName), static_cast<int>(encoding));
    ShowOwnSettings();
}

bool CharacterBar::StepOption(bool backward) {
    return StepEncoding(*this, LastCharEncoding, backward);
}

void CharacterBar::UpdateIndicators() {
    CalcBar::UpdateIndicators();
    encodingIndicator_->setText(IndicatorText(CharEncodingName(charConv_.GetCharEncoding())));
}

QFont CharacterBar::FixedPitchValueFont() {
    const QFont& panelFont = Parts().ValuePanel->font();
    if (!hasFixedFont_ || !(panelFont == fixedFrom_)) {
        fixedFrom_ = panelFont;
        fixedFont_ = FixedPitchFont(panelFont);
        hasFixedFont_ = true;
    }
    return fixedFont_;
}

void CharacterBar::UpdateTextStyle() {
    // A message is ordinary text; only the byte columns need fixed pitch.
    if (HasMessage()) {
        Parts().ValueLabel->setFont(Parts().ValuePanel->font());
    } else {
        Parts().ValueLabel->setFont(FixedPitchValueFont());
    }
    CalcBar::UpdateTextStyle();
}

void CharacterBar::ApplyOptions(const BarOptions& options) {
    SetEncoding(options.Encoding);
}

void CharacterBar::StoreOptions(BarOptions& options) const {
    options.Encoding = Encoding();
}

// ---- SexagesimalBar ----

SexagesimalBar::SexagesimalBar(CreateKey key, QWidget* owner, BarConversion conv)
    : CalcBar(key, owner, std::move(conv)), degreeConv_(ConvOf<SexagesimalConversion>(*this)) {}

void SexagesimalBar::Create() {
    CalcBar::Create();
    // A lone toggle.
    hmsButton_ = AddActionButton(*this, Command::SexagesimalHours);
    hmsButton_->setChecked(HmsStyle());
    connect(hmsButton_, &BarButton::clicked, this, &SexagesimalBar::ToggleOption);
}

bool SexagesimalBar::HmsStyle() const {
    return degreeConv_.GetHmsStyle();
}

void SexagesimalBar::SetHmsStyle(bool on) {
    degreeConv_.SetHmsStyle(on);
    hmsButton_->setChecked(on);
    ShowOwnSettings();
}

bool SexagesimalBar::StepOption(bool) {
    return ToggleOption();
}

bool SexagesimalBar::ToggleOption() {
    SetHmsStyle(!HmsStyle());
    return true;
}

void SexagesimalBar::ApplyOptions(const BarOptions& options) {
    SetHmsStyle(options.HmsStyle);
}

void SexagesimalBar::StoreOptions(BarOptions& options) const {
    options.HmsStyle = HmsStyle();
}

// ---- FloatBar ----

// Each pair of format buttons chooses the format of one mode; the settings
// keep the index of the choice.
struct FloatFormatPair {
    const char* Group;
    CalcValueMode Mode;
    Command Actions[2];
    const FloatFormat (&Formats)[2];
};

namespace {

constexpr FloatFormatPair WordPair{Float16GroupName,
                                   CalcValueMode::Word,
                                   {Command::FloatHalf, Command::FloatBFloat16},
                                   WordFormatChoices};
constexpr FloatFormatPair BytePair{Float8GroupName,
                                   CalcValueMode::Byte,
                                   {Command::FloatE4M3, Command::FloatE5M2},
                                   ByteFormatChoices};

QString BinaryDigits(std::uint64_t value, int count) {
    return QString::number(value, 2).rightJustified(count, QLatin1Char('0'));
}

} // namespace

FloatBar::FloatBar(CreateKey key, QWidget* owner, BarConversion conv)
    : CalcBar(key, owner, std::move(conv)), floatConv_(ConvOf<FloatConversion>(*this)) {}

void FloatBar::Create() {
    precisionIndicator_ = AddIndicator();
    CalcBar::Create();
    AddFormatButtons(WordPair);
    AddOptionSeparator(true);
    AddFormatButtons(BytePair);
    ShowFormatButtons();
}

void FloatBar::AddFormatButtons(const FloatFormatPair& pair) {
    QButtonGroup* group = ChoiceGroup(*this, pair.Group);
    for (int choice = 0; choice < 2; ++choice)
        group->addButton(AddActionButton(*this, pair.Actions[choice]), choice);
    connect(group, &QButtonGroup::idClicked, this,
            [this, &pair](int choice) { SetFormat(pair, pair.Formats[choice]); });
}

// In any other mode than its own the bar reads another format (Single,
// Double), so the pair shows no choice and takes no click; its choice comes
// back with its mode.
void FloatBar::ShowFormatButtons() {
    for (const FloatFormatPair* pair : {&WordPair, &BytePair}) {
        const bool applies = Conv().GetMode() == pair->Mode;
        QButtonGroup* group = ChoiceGroup(*this, pair->Group);
        for (QAbstractButton* button : group->buttons())
            button->setEnabled(applies);
        ShowChoice(*group, !applies ? -1 : FormatOf(*pair) == pair->Formats[1] ? 1 : 0);
    }
}

FloatFormat FloatBar::FormatOf(const FloatFormatPair& pair) const {
    return &pair == &WordPair ? floatConv_.GetWordFormat() : floatConv_.GetByteFormat();
}

void FloatBar::SetFormat(const FloatFormatPair& pair, FloatFormat format) {
    if (format != pair.Formats[0] && format != pair.Formats[1])
        return;
    if (&pair == &WordPair)
        floatConv_.SetWordFormat(format);
    else
        floatConv_.SetByteFormat(format);
    ShowOwnSettings();
}

FloatFormat FloatBar::WordFormat() const {
    return FormatOf(WordPair);
}

FloatFormat FloatBar::ByteFormat() const {
    return FormatOf(BytePair);
}

void FloatBar::SetWordFormat(FloatFormat format) {
    SetFormat(WordPair, format);
}

void FloatBar::SetByteFormat(FloatFormat format) {
    SetFormat(BytePair, format);
}

bool FloatBar::StepOption(bool backward) {
    for (const FloatFormatPair* pair : {&WordPair, &BytePair}) {
        const FloatFormat next = pair->Formats[backward ? 0 : 1];
        if (Conv().GetMode() != pair->Mode || FormatOf(*pair) == next)
            continue;
        SetFormat(*pair, next);
        return true;
    }
    return false;
}

void FloatBar::UpdateIndicators() {
    CalcBar::UpdateIndicators();
    ShowFormatButtons();
    precisionIndicator_->setText(IndicatorText(FloatFormatName(floatConv_.GetFloatFormat())));
}

QString FloatBar::FieldsText(FloatFormat format, std::int64_t bits) {
    const FloatLayout& layout = LayoutOf(format);
    const FloatFields fields = DecomposeFloat(format, bits);
    const bool finite = fields.Class == FloatClass::Zero || fields.Class == FloatClass::Subnormal ||
                        fields.Class == FloatClass::Normal;
    const QString hidden =
        fields.Class == FloatClass::Normal ? QStringLiteral("1.") : QStringLiteral("0.");
    const QString fraction = BinaryDigits(fields.Fraction, layout.FractionBits);
    QStringList lines;
    lines << QString::fromLatin1(FloatFormatName(format).c_str());
    lines << tr("Sign: %1 (%2)")
                 .arg(fields.Negative ? 1 : 0)
                 .arg(fields.Negative ? QStringLiteral("-") : QStringLiteral("+"));
    QString exponent = tr("Exponent: %1 (biased %2)")
                           .arg(BinaryDigits(fields.BiasedExponent, layout.ExponentBits))
                           .arg(fields.BiasedExponent);
    if (finite)
        exponent += tr(", unbiased %1").arg(fields.UnbiasedExponent);
    lines << exponent;
    lines << (finite ? tr("Significand: %1%2").arg(hidden, fraction)
                     : tr("Fraction: %1").arg(fraction));
    return lines.join(QLatin1Char('\n'));
}

// Writing out the fields costs more than the rest of a keystroke, and few
// values are ever hovered: the tooltip is written when it is about to show.
void FloatBar::ShowText() {
    CalcBar::ShowText();
    fieldsTipStale_ = true;
}

bool FloatBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && fieldsTipStale_ &&
        (watched == Parts().ValuePanel || watched == Parts().ValueLabel))
        UpdateFieldsTip();
    return CalcBar::eventFilter(watched, event);
}

void FloatBar::UpdateFieldsTip() {
    fieldsTipStale_ = false;
    const FloatFormat format = floatConv_.GetFloatFormat();
    const QString tip = !HasMessage() && IsFloatFormatUsable(format, Conv().GetMode())
                            ? FieldsText(format, floatConv_.GetPattern())
                            : QString();
    Parts().ValuePanel->setToolTip(tip);
    Parts().ValueLabel->setToolTip(tip);
}

void FloatBar::ApplyOptions(const BarOptions& options) {
    SetWordFormat(options.WordFormat);
    SetByteFormat(options.ByteFormat);
}

void FloatBar::StoreOptions(BarOptions& options) const {
    options.WordFormat = WordFormat();
    options.ByteFormat = ByteFormat();
}

// ---- DateTimeBar ----

DateTimeBar::DateTimeBar(CreateKey key, QWidget* owner, BarConversion conv)
    : CalcBar(key, owner, std::move(conv)), timeConv_(ConvOf<DateTimeConversion>(*this)) {}

void DateTimeBar::Create() {
    encodingIndicator_ = AddIndicator();
    diffIndicator_ = AddIndicator();
    CalcBar::Create();
    constexpr EncodingButton<TimeEncoding> buttons[] = {
        {Command::TimeEncodeTimeT, TimeEncoding::TimeT},
        {Command::TimeEncodeOleDate, TimeEncoding::OleDate},
    };
    AddEncodingButtons(*this, buttons);
    AddOptionSeparator(true);
    // Independent of the encoding buttons: a lone toggle.
    diffButton_ = AddActionButton(*this, Command::TimeDifference);
    diffButton_->setChecked(DiffMode());
    connect(diffButton_, &BarButton::clicked, this, &DateTimeBar::ToggleOption);
}

TimeEncoding DateTimeBar::Encoding() const {
    return timeConv_.GetTimeEncoding();
}

bool DateTimeBar::DiffMode() const {
    return timeConv_.GetTimeDiffMode();
}

void DateTimeBar::SetEncoding(TimeEncoding encoding) {
    if (static_cast<int>(encoding) > LastTimeEncoding) {
        return;
    }
    timeConv_.SetEncoding(encoding);
    ShowChoice(*ChoiceGroup(*this, EncodingGroupName), static_cast<int>(encoding));
    ShowOwnSettings();
}

void DateTimeBar::SetDiffMode(bool on) {
    timeConv_.SetDiffMode(on);
    diffButton_->setChecked(on);
    ShowOwnSettings();
}

bool DateTimeBar::StepOption(bool backward) {
    return StepEncoding(*this, LastTimeEncoding, backward);
}

bool DateTimeBar::ToggleOption() {
    SetDiffMode(!DiffMode());
    return true;
}

void DateTimeBar::UpdateIndicators() {
    CalcBar::UpdateIndicators();
    encodingIndicator_->setText(IndicatorText(TimeEncodingName(timeConv_.GetTimeEncoding())));
    // Empty, not a space, so that it takes no room while the mode is off
    // (an empty label would still keep its margins).
    const bool on = DiffMode();
    diffIndicator_->setText(on ? IndicatorText("Diff") : QString());
    diffIndicator_->setMaximumWidth(on ? QWIDGETSIZE_MAX : 0);
}

void DateTimeBar::ApplyOptions(const BarOptions& options) {
    SetEncoding(options.DateEncoding);
    SetDiffMode(options.TimeDiffMode);
}

void DateTimeBar::StoreOptions(BarOptions& options) const {
    options.DateEncoding = Encoding();
    options.TimeDiffMode = DiffMode();
}

} // namespace pexa
