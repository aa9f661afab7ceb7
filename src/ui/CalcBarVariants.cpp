#include "ui/CalcBarVariants.h"

#include "conv/ConvChar.h"
#include "conv/ConvDegree.h"
#include "conv/ConvTime.h"
#include "core/CalcError.h"
#include "enc/EncChar.h"
#include "enc/EncFloat.h"
#include "enc/EncTime.h"
#include "settings/Profile.h"
#include "ui/CommandTable.h"
#include "ui/toolkit/Action.h"
#include "ui/toolkit/ActionList.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPointer>
#include <QtGlobal>

#include <cstddef>
#include <utility>

namespace pexa {

namespace {

// Keeps neighbouring indicators apart, as the bar's own indicators do.
const char* const IndicatorSpace = " ";

constexpr int LastCharEncoding = static_cast<int>(CharEncoding::Jis);
constexpr int LastTimeEncoding = static_cast<int>(TimeEncoding::OleDate);

// The window's list; QPointer so that a list destroyed before it was
// unregistered is never reached.
QPointer<const TActionList>& RegisteredBarActions() {
    static QPointer<const TActionList> actions;
    return actions;
}

// The conversion of a variant, of the class the variant works with.
template <class Conv> Conv& ConvOf(TCalcBar& bar) {
    auto* conv = dynamic_cast<Conv*>(&bar.Conv());
    if (conv == nullptr) {
        throw AssertionFailure("CalcBar");
    }
    return *conv;
}

// A stand-in for a bar action the window does not provide: the command
// table's row, which has the same caption, hint and group index.
void FillFromCommandTable(TAction& action, const CommandInfo& info) {
    action.SetCategory(QString::fromUtf8(info.Category));
    action.SetCaption(QString::fromUtf8(info.Caption));
    action.SetGroupIndex(info.GroupIndex);
    action.SetHelpContext(info.HelpContext);
    action.SetHint(QString::fromUtf8(info.Hint));
}

// An option button made from the bar action of the command.
TBarButton* AddActionButton(TCalcBar& bar, Command command) {
    const CommandInfo& info = InfoOf(command);
    // A registered list need not hold every bar command, nor in table order.
    if (const TActionList* list = BarActions()) {
        if (const TAction* action = list->Find(QString::fromLatin1(info.Name))) {
            return bar.AddOptionButton(action);
        }
    }
    if (info.List != CommandList::Bars) {
        throw AssertionFailure("CalcBar");
    }
    TAction standIn(QString::fromLatin1(info.Name));
    FillFromCommandTable(standIn, info);
    return bar.AddOptionButton(&standIn);
}

// A failed write is reported in the log only: the bar is going away, and the
// user's remaining settings must still be written.
template <class Write> void SaveQuietly(Write write) {
    try {
        write();
    } catch (const ProfileError& error) {
        qWarning("%s", error.what());
    }
}

// The panel font with fixed pitch. When the panel's family has no fixed
// pitch the system's fixed-pitch family takes its place, size and style kept.
QFont MakeFixedPitch(const QFont& base) {
    QFont font = base;
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) {
        font.setFamilies({QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    }
    return font;
}

QString IndicatorText(const std::string& name) {
    return QString::fromLatin1(name.c_str()) + QLatin1String(IndicatorSpace);
}

// Sets the down state of every option button of one group.
template <class DownFor> void SetGroupDown(const TCalcBar& bar, int groupIndex, DownFor downFor) {
    for (QWidget* control : bar.OptionControls()) {
        auto* button = qobject_cast<TBarButton*>(control);
        if (button != nullptr && button->GroupIndex() == groupIndex) {
            button->SetDown(downFor(*button));
        }
    }
}

template <class Bar> TCalcBar* MakeWithConv(QWidget* owner, BarConversion conv) {
    return TCalcBar::MakeFrom<Bar>(owner, std::move(conv));
}

template <class Encoding> struct EncodingButton {
    Command Action;
    Encoding Value;
};

// One button per encoding, in the numeric order that the arrow keys step; a
// click chooses the button's encoding.
template <class Bar, class Encoding, std::size_t N>
void AddEncodingButtons(Bar& bar, const EncodingButton<Encoding> (&buttons)[N], int groupIndex) {
    for (const EncodingButton<Encoding>& entry : buttons) {
        TBarButton* button = AddActionButton(bar, entry.Action);
        const int encoding = static_cast<int>(entry.Value);
        button->SetTag(encoding);
        button->SetGroupIndex(groupIndex);
        button->SetDown(encoding == bar.Encoding());
        QObject::connect(button, &TBarButton::clicked, &bar,
                         [&bar, button] { bar.SetEncoding(button->Tag()); });
    }
}

void ShowEncodingDown(const TCalcBar& bar, int groupIndex, int encoding) {
    SetGroupDown(bar, groupIndex,
                 [encoding](const TBarButton& button) { return button.Tag() == encoding; });
}

// Steps the bar's encoding as an arrow key does; false past either end.
template <class Bar> bool StepEncoding(Bar& bar, int lastEncoding, bool backward) {
    const int next = backward ? bar.Encoding() - 1 : bar.Encoding() + 1;
    if (next < 0 || next > lastEncoding) {
        return false;
    }
    bar.SetEncoding(next);
    return true;
}

} // namespace

// ---- class table and bar actions ----

TCalcBar::BarClass BarClassOf(BarKind kind) {
    switch (kind) {
    case BarKind::Char:
        return &TCalcBar::MakeAs<TCalcBar_Char>;
    case BarKind::Degree:
        return &TCalcBar::MakeAs<TCalcBar_Degree>;
    case BarKind::Float:
        return &TCalcBar::MakeAs<TCalcBar_Float>;
    case BarKind::Time:
        return &TCalcBar::MakeAs<TCalcBar_Time>;
    default:
        return &TCalcBar::MakeAs<TCalcBar>;
    }
}

BarClassWithConv BarClassWithConvOf(BarKind kind) {
    switch (kind) {
    case BarKind::Char:
        return &MakeWithConv<TCalcBar_Char>;
    case BarKind::Degree:
        return &MakeWithConv<TCalcBar_Degree>;
    case BarKind::Float:
        return &MakeWithConv<TCalcBar_Float>;
    case BarKind::Time:
        return &MakeWithConv<TCalcBar_Time>;
    default:
        return &MakeWithConv<TCalcBar>;
    }
}

void SetBarActions(const TActionList* actions) {
    RegisteredBarActions() = actions;
}

const TActionList* BarActions() {
    return RegisteredBarActions().data();
}

// ---- TCalcBar_Char ----

TCalcBar_Char::TCalcBar_Char(CreateKey key, QWidget* owner, BarKind kind)
    : TCalcBar(key, owner, kind), charConv_(ConvOf<TConvChar>(*this)) {}

TCalcBar_Char::TCalcBar_Char(CreateKey key, QWidget* owner, BarConversion conv)
    : TCalcBar(key, owner, std::move(conv)), charConv_(ConvOf<TConvChar>(*this)) {}

void TCalcBar_Char::Create() {
    TCalcBar::Create();
    // Button order is the numeric order of the encodings, which the arrow keys step.
    constexpr EncodingButton<CharEncoding> buttons[] = {
        {Command::CharEncodeASCII, CharEncoding::Ascii},
        {Command::CharEncodeSJIS, CharEncoding::ShiftJis},
        {Command::CharEncodeEUC, CharEncoding::Euc},
        {Command::CharEncodeJIS, CharEncoding::Jis},
    };
    AddEncodingButtons(*this, buttons, CharEncodingGroup);
}

int TCalcBar_Char::Encoding() const {
    return static_cast<int>(charConv_.GetCharEncoding());
}

void TCalcBar_Char::SetEncoding(int encoding) {
    if (encoding < 0 || encoding > LastCharEncoding) {
        return;
    }
    charConv_.SetEncoding(static_cast<CharEncoding>(encoding));
    ShowEncodingDown(*this, CharEncodingGroup, encoding);
    ShowText();
    UpdateIndicators();
}

bool TCalcBar_Char::StepOption(bool backward) {
    return StepEncoding(*this, LastCharEncoding, backward);
}

void TCalcBar_Char::CreateIndicators() {
    encodingIndicator_ = AddIndicator();
    TCalcBar::CreateIndicators();
}

void TCalcBar_Char::UpdateIndicators() {
    TCalcBar::UpdateIndicators();
    if (encodingIndicator_ != nullptr) {
        encodingIndicator_->setText(IndicatorText(CharEncodingName(charConv_.GetCharEncoding())));
    }
}

QFont TCalcBar_Char::FixedPitchValueFont() {
    const QFont& panelFont = ValuePanel()->font();
    if (!hasFixedFont_ || !(panelFont == fixedFrom_)) {
        fixedFrom_ = panelFont;
        fixedFont_ = MakeFixedPitch(panelFont);
        hasFixedFont_ = true;
    }
    return fixedFont_;
}

void TCalcBar_Char::UpdateTextStyle() {
    // A message is ordinary text; only the byte columns need fixed pitch.
    if (HasMessage()) {
        ValueLabel()->setFont(ValuePanel()->font());
    } else {
        ValueLabel()->setFont(FixedPitchValueFont());
    }
    TCalcBar::UpdateTextStyle();
}

void TCalcBar_Char::LoadSettings() {
    SetEncoding(ReadProfile(KeyCharEncoding));
}

void TCalcBar_Char::SaveSettings() {
    SaveQuietly([this] { WriteProfile(KeyCharEncoding, Encoding()); });
}

// ---- TCalcBar_Degree ----

TCalcBar_Degree::TCalcBar_Degree(CreateKey key, QWidget* owner, BarKind kind)
    : TCalcBar(key, owner, kind), degreeConv_(ConvOf<TConvDegree>(*this)) {}

TCalcBar_Degree::TCalcBar_Degree(CreateKey key, QWidget* owner, BarConversion conv)
    : TCalcBar(key, owner, std::move(conv)), degreeConv_(ConvOf<TConvDegree>(*this)) {}

void TCalcBar_Degree::Create() {
    TCalcBar::Create();
    hmsButton_ = AddActionButton(*this, Command::DegreeHMS);
    hmsButton_->SetGroupIndex(HmsButtonGroup);
    // A group of one: the button toggles.
    hmsButton_->SetAllowAllUp(true);
    hmsButton_->SetDown(HmsStyle());
    connect(hmsButton_, &TBarButton::clicked, this, [this] { SetHmsStyle(!HmsStyle()); });
}

bool TCalcBar_Degree::HmsStyle() const {
    return degreeConv_.GetHmsStyle();
}

void TCalcBar_Degree::SetHmsStyle(bool on) {
    degreeConv_.SetHmsStyle(on);
    hmsButton_->SetDown(on);
    ShowText();
}

bool TCalcBar_Degree::StepOption(bool) {
    SetHmsStyle(!HmsStyle());
    return true;
}

bool TCalcBar_Degree::ToggleOption() {
    SetHmsStyle(!HmsStyle());
    return true;
}

void TCalcBar_Degree::LoadSettings() {
    SetHmsStyle(ReadProfile(KeyHmsStyle));
}

void TCalcBar_Degree::SaveSettings() {
    SaveQuietly([this] { WriteProfile(KeyHmsStyle, HmsStyle()); });
}

// ---- TCalcBar_Float ----

TCalcBar_Float::TCalcBar_Float(CreateKey key, QWidget* owner, BarKind kind)
    : TCalcBar(key, owner, kind) {}

TCalcBar_Float::TCalcBar_Float(CreateKey key, QWidget* owner, BarConversion conv)
    : TCalcBar(key, owner, std::move(conv)) {}

void TCalcBar_Float::CreateIndicators() {
    precisionIndicator_ = AddIndicator();
    TCalcBar::CreateIndicators();
}

void TCalcBar_Float::UpdateIndicators() {
    TCalcBar::UpdateIndicators();
    if (precisionIndicator_ != nullptr) {
        precisionIndicator_->setText(IndicatorText(FloatFormatName(DefaultFloatFormat(GetMode()))));
    }
}

// ---- TCalcBar_Time ----

TCalcBar_Time::TCalcBar_Time(CreateKey key, QWidget* owner, BarKind kind)
    : TCalcBar(key, owner, kind), timeConv_(ConvOf<TConvTime>(*this)) {}

TCalcBar_Time::TCalcBar_Time(CreateKey key, QWidget* owner, BarConversion conv)
    : TCalcBar(key, owner, std::move(conv)), timeConv_(ConvOf<TConvTime>(*this)) {}

void TCalcBar_Time::Create() {
    TCalcBar::Create();
    constexpr EncodingButton<TimeEncoding> buttons[] = {
        {Command::TimeEncodeTimeT, TimeEncoding::TimeT},
        {Command::TimeEncodeOleDate, TimeEncoding::OleDate},
    };
    AddEncodingButtons(*this, buttons, TimeEncodingGroup);
    AddOptionSeparator(true);
    TBarButton* diff = AddActionButton(*this, Command::TimeDiffMode);
    diff->SetGroupIndex(TimeDiffGroup);
    // Independent of the encoding buttons: a group of its own that toggles.
    diff->SetAllowAllUp(true);
    diff->SetDown(DiffMode());
    connect(diff, &TBarButton::clicked, this, [this] { ToggleOption(); });
}

int TCalcBar_Time::Encoding() const {
    return static_cast<int>(timeConv_.GetTimeEncoding());
}

bool TCalcBar_Time::DiffMode() const {
    return timeConv_.GetTimeDiffMode();
}

void TCalcBar_Time::SetEncoding(int encoding) {
    if (encoding < 0 || encoding > LastTimeEncoding) {
        return;
    }
    timeConv_.SetEncoding(static_cast<TimeEncoding>(encoding));
    ShowEncodingDown(*this, TimeEncodingGroup, encoding);
    ShowText();
    UpdateIndicators();
}

void TCalcBar_Time::SetDiffMode(bool on) {
    timeConv_.SetDiffMode(on);
    SetGroupDown(*this, TimeDiffGroup, [on](const TBarButton&) { return on; });
    ShowText();
    UpdateIndicators();
}

bool TCalcBar_Time::StepOption(bool backward) {
    return StepEncoding(*this, LastTimeEncoding, backward);
}

bool TCalcBar_Time::ToggleOption() {
    SetDiffMode(!DiffMode());
    return true;
}

void TCalcBar_Time::CreateIndicators() {
    encodingIndicator_ = AddIndicator();
    diffIndicator_ = AddIndicator();
    TCalcBar::CreateIndicators();
}

void TCalcBar_Time::UpdateIndicators() {
    TCalcBar::UpdateIndicators();
    if (encodingIndicator_ != nullptr) {
        encodingIndicator_->setText(IndicatorText(TimeEncodingName(timeConv_.GetTimeEncoding())));
    }
    if (diffIndicator_ != nullptr) {
        // Empty, not a space, so that it takes no room while the mode is off
        // (an empty label would still keep its margins).
        const bool on = DiffMode();
        diffIndicator_->setText(on ? IndicatorText("Diff") : QString());
        diffIndicator_->setMaximumWidth(on ? QWIDGETSIZE_MAX : 0);
    }
}

void TCalcBar_Time::LoadSettings() {
    SetEncoding(ReadProfile(KeyTimeEncoding));
    SetDiffMode(ReadProfile(KeyTimeDiffMode));
}

void TCalcBar_Time::SaveSettings() {
    // A failed write stops the save at that key, as every save of the file does.
    SaveQuietly([this] {
        WriteProfile(KeyTimeEncoding, Encoding());
        WriteProfile(KeyTimeDiffMode, DiffMode());
    });
}

} // namespace pexa
