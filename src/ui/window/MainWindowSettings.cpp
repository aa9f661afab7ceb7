// The main window's settings: read when the window is created, the band
// layout applied when it is first shown, everything written when it goes.

#include "ui/window/MainWindow.h"

#include "conv/Conversion.h"
#include "settings/IniFile.h"
#include "settings/MainSettings.h"
#include "settings/Profile.h"
#include "ui/bars/BandSite.h"
#include "ui/bars/BarOptions.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/StoredColorPalette.h"
#include "ui/window/ViewOptions.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontInfo>
#include <QMessageBox>

#include <algorithm>
#include <array>
#include <cstring>

namespace pexa {

namespace {

// The failed write in a message box over the window, or on its own while the
// window is not shown, with the system's reason (in the system's language) when
// a system call failed.
void ReportWriteFailure(QWidget& window, const ProfileError& failure) {
    QMessageBox box(
        QMessageBox::Warning, QApplication::applicationDisplayName(),
        MainWindow::tr("Cannot write to %1").arg(QString::fromStdString(failure.Path())),
        QMessageBox::Ok, window.isVisible() ? &window : nullptr);
    if (failure.SystemError() != 0)
        box.setInformativeText(
            MainWindow::tr("Reason: %1")
                .arg(QString::fromLocal8Bit(std::strerror(failure.SystemError()))));
    box.exec();
}

// The bar's place in the saved list, which names its band keys; bars opened
// later have none.
constexpr const char* kSavedPositionProperty = "pexaSavedPosition";

// The interface language: auto, en or ja.
constexpr std::string_view kLanguageKey = "Language";
constexpr ProfileBoolKey kExpressionLineKey{SectionView, "ExpressionLine", false};
constexpr ProfileBoolKey kHistoryKey{SectionView, "History", false};

// A band is never wider than this without a screen to measure, which keeps the
// sum of a row's widths far from overflowing.
constexpr int kMaxBandWidth = 8192;

std::array<std::string_view, BarKindCount> KindLabels() {
    std::array<std::string_view, BarKindCount> labels{};
    for (int kind = 0; kind < BarKindCount; ++kind)
        labels[static_cast<std::size_t>(kind)] = GetBarKindInfo(static_cast<BarKind>(kind)).Label;
    return labels;
}

int SavedPosition(const CalcBar& bar) {
    bool ok = false;
    const int position = bar.property(kSavedPositionProperty).toInt(&ok);
    return ok ? position : -1;
}

QColor CustomColorOfText(std::string_view value) {
    return ColorOf(RgbOfHexText(value));
}

std::string_view EntryValue(std::string_view entry) {
    const auto equals = entry.find('=');
    return equals == std::string_view::npos ? std::string_view() : entry.substr(equals + 1);
}

int PointSizeOf(const QFont& font) {
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

// A failed write throws ProfileError for the caller to report.
void WriteBarOptionsOf(const CalcBar& bar) {
    BarOptions options;
    bar.StoreOptions(options);
    WriteBarOptions(bar.Kind(), options);
}

ProfileFont ProfileFontOf(const QFont& font, int charset) {
    ProfileFont stored;
    stored.Charset = charset;
    stored.Size = PointSizeOf(font);
    stored.Name = font.family().toStdString();
    stored.Bold = font.bold();
    stored.Italic = font.italic();
    stored.Underline = font.underline();
    stored.StrikeOut = font.strikeOut();
    return stored;
}

} // namespace

void MainWindow::StartUp() {
    baseCaption_ = windowTitle();
    ReadViewSettings();
    ReadColorSettings();
    ReadFontSettings();
    ReadBars();
    ReadMemorySettings();
    ReadHistorySettings();
    // What the settings put in place is where the user starts, not a step
    // to undo.
    calculator_.ForgetUndo();
    UpdateActions();
}

void MainWindow::ReadViewSettings() {
    SetLanguage(LanguageOfSetting(ReadProfileString(SectionView, kLanguageKey, "auto")));
    const MainSettings s = ReadMainSettings();
    calculator_.SetMode(static_cast<CalcValueMode>(s.CalcMode));
    view_->Set(ViewOptions::Flag::DigitGrouping, s.DigitGrouping);
    view_->Set(ViewOptions::Flag::ShowIndicators, s.ShowIndicators);
    view_->Set(ViewOptions::Flag::ToolBar, s.ToolBar);
    view_->Set(ViewOptions::Flag::MenuBar, s.MenuBar);
    view_->Set(ViewOptions::Flag::ButtonPanel, s.ButtonPanel);
    view_->Set(ViewOptions::Flag::StayOnTop, s.Topmost);
    view_->Set(ViewOptions::Flag::ExpressionLine, ReadProfile(kExpressionLineKey));
    view_->Set(ViewOptions::Flag::HistoryPane, ReadProfile(kHistoryKey));
    FunctionOptions& options = calculator_.Options();
    options.SetAngle(static_cast<AngleUnit>(s.AngleMode));
    options.SetHyperbolic(s.Hyp);
    options.SetRotate(s.Rotate);
    options.SetArithmeticShift(s.Arithmetic);
    // An amount the shift commands do not offer keeps the default.
    options.SetShiftAmount(FunctionOptions::IsValidShiftAmount(s.ShiftAmount)
                               ? s.ShiftAmount
                               : KeyShiftAmount.Default);
}

void MainWindow::ReadColorSettings() {
    view_->SetBodyColor(
        ReadProfile(ProfileIntKey{KeyBodyColor.Section, KeyBodyColor.Key, view_->BodyColor(),
                                  KeyBodyColor.Min, KeyBodyColor.Max}));
    ReadCustomColors(SectionColor, customColors_);
    for (int i = 0; i < CustomColorCount && i < static_cast<int>(customColors_.size()); ++i)
        QColorDialog::setCustomColor(
            i, CustomColorOfText(EntryValue(customColors_[static_cast<std::size_t>(i)])));
}

void MainWindow::ReadFontSettings() {
    const QFont windowFont = font();
    const ProfileFont source = ProfileFontOf(windowFont, displayCharset_);
    ProfileFont stored;
    ReadProfileFont(SectionDisplayFont, stored, &source);
    displayCharset_ = stored.Charset;

    QFont display = windowFont;
    if (!stored.Name.empty())
        display.setFamily(QString::fromStdString(stored.Name));
    // A stored size out of range was read as the window's; that one is kept
    // in the same range.
    display.setPointSize(std::clamp(stored.Size, MinFontSize, MaxFontSize));
    display.setBold(stored.Bold);
    display.setItalic(stored.Italic);
    display.setUnderline(stored.Underline);
    display.setStrikeOut(stored.StrikeOut);
    view_->SetDisplayFont(display);
}

void MainWindow::ReadBars() {
    const auto labels = KindLabels();
    for (const SavedBar& saved : ReadBarList(labels)) {
        // A kind this build cannot show is dropped from the list.
        if (CalcBar* bar = bars_->Create(static_cast<BarKind>(saved.Kind)))
            bar->setProperty(kSavedPositionProperty, saved.Position);
    }
}

void MainWindow::LayOutBarsOnFirstShow() {
    for (int i = 0; i < bars_->Count(); ++i)
        bars_->At(i)->FitPanel();
    ApplyBandLayouts();
}

void MainWindow::ApplyBandLayouts() {
    for (int i = 0; i < bars_->Count(); ++i) {
        CalcBar* bar = bars_->At(i);
        bars_->Site()->SetBandMinWidth(i, bar->CaptionWidth());
        if (const std::optional<BandLayout> layout = ReadBandLayout(SavedPosition(*bar))) {
            bars_->Site()->SetBandWidth(i, std::min(layout->Width, kMaxBandWidth));
            bars_->Site()->SetBandBreak(i, layout->Break);
        }
    }
    // A layout saved on a larger screen is fitted to this one row by row.
    FitToScreen();
}

void MainWindow::SaveSettings() {
    try {
        // One replacement of the file for the whole save: one flush to disk,
        // and a failure leaves the file as it was.
        IniWriteBatch batch(ProfilePath());
        WriteAllSettings();
        batch.Commit();
    } catch (const ProfileError& failure) {
        ReportWriteFailure(*this, failure);
    } catch (const std::exception&) {
        // Nothing else is the user's to act on; the window still closes.
    }
}

void MainWindow::LoadBarSettings(CalcBar& bar) {
    BarOptions options;
    ReadBarOptions(bar.Kind(), options);
    bar.ApplyOptions(options);
}

void MainWindow::SaveBarSettings(CalcBar& bar) {
    try {
        // One replacement of the file for all of the bar's keys.
        IniWriteBatch batch(ProfilePath());
        WriteBarOptionsOf(bar);
        batch.Commit();
    } catch (const ProfileError& failure) {
        ReportWriteFailure(*this, failure);
    }
}

void MainWindow::WriteAllSettings() {
    const auto labels = KindLabels();
    WriteBarCount(bars_->Count());
    for (int i = 0; i < bars_->Count(); ++i) {
        CalcBar* bar = bars_->At(i);
        WriteBarOptionsOf(*bar);
        // The width the user gave the band, not one that the display font
        // or the screen gave it: that one goes with the font.
        WriteBarEntry(i, labels[static_cast<std::size_t>(bar->Kind())],
                      BandLayout{bars_->Site()->KeptBandWidth(i), bars_->Site()->BandBreak(i)});
    }

    MainSettings s;
    s.CalcMode = static_cast<int>(calculator_.Mode());
    s.DigitGrouping = view_->Is(ViewOptions::Flag::DigitGrouping);
    s.ShowIndicators = view_->Is(ViewOptions::Flag::ShowIndicators);
    s.ToolBar = view_->Is(ViewOptions::Flag::ToolBar);
    s.MenuBar = view_->Is(ViewOptions::Flag::MenuBar);
    s.ButtonPanel = view_->Is(ViewOptions::Flag::ButtonPanel);
    s.Topmost = view_->Is(ViewOptions::Flag::StayOnTop);
    const FunctionOptions& options = calculator_.Options();
    s.AngleMode = static_cast<int>(options.Angle());
    s.Hyp = options.Hyperbolic();
    s.Rotate = options.Rotate();
    s.Arithmetic = options.ArithmeticShift();
    s.ShiftAmount = options.ShiftAmount();
    WriteMainSettings(s);
    WriteProfileString(SectionView, kLanguageKey, SettingOfLanguage(ChosenLanguage()));
    WriteProfile(kExpressionLineKey, view_->Is(ViewOptions::Flag::ExpressionLine));
    WriteProfile(kHistoryKey, view_->Is(ViewOptions::Flag::HistoryPane));

    WriteProfile(KeyBodyColor, view_->BodyColor());
    // A colour the user did not change is written back in the text it was
    // read in.
    std::vector<std::string> colors;
    for (int i = 0; i < CustomColorCount; ++i) {
        const QColor color = QColorDialog::customColor(i);
        std::string value = HexTextOfRgb(RgbOf(color));
        if (static_cast<std::size_t>(i) < customColors_.size()) {
            const std::string_view read = EntryValue(customColors_[static_cast<std::size_t>(i)]);
            if (CustomColorOfText(read).rgb() == color.rgb())
                value = read;
        }
        colors.push_back(CustomColorKey(i) + "=" + value);
    }
    WriteCustomColors(SectionColor, colors);

    WriteProfileFont(SectionDisplayFont, ProfileFontOf(view_->DisplayFont(), displayCharset_));
    WriteMemorySettings();
    WriteHistorySettings();
}

} // namespace pexa
