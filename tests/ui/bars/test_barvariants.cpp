#include "BarUpdates.h"
#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "enc/EncChar.h"
#include "settings/Profile.h"
#include "ui/app/Language.h"
#include "ui/bars/BarOptions.h"
#include "ui/bars/CalcBarVariants.h"
#include <QButtonGroup>

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace pexa;
using namespace pexa::testing;

namespace {

CalcValue IntegerValue(CalcValueMode mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}

// The tooltip a pointer resting on the control would show.
QString HoveredToolTip(QWidget& control) {
    QHelpEvent hover(QEvent::ToolTip, QPoint(1, 1), control.mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(&control, &hover);
    return control.toolTip();
}

std::vector<BarButton*> Buttons(const CalcBar& bar) {
    std::vector<BarButton*> buttons;
    for (QWidget* control : bar.Parts().OptionControls) {
        if (auto* button = qobject_cast<BarButton*>(control)) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

QString Captions(const CalcBar& bar) {
    QStringList captions;
    for (QWidget* control : bar.Parts().OptionControls) {
        if (auto* button = qobject_cast<BarButton*>(control)) {
            captions << button->text();
        } else if (auto* separator = qobject_cast<BarSeparator*>(control)) {
            captions << (separator->IsDivider() ? "|" : " ");
        }
    }
    return captions.join(',');
}

// Which buttons are down, as "1" and "0" in button order.
QString DownStates(const CalcBar& bar) {
    QString states;
    for (BarButton* button : Buttons(bar)) {
        states += button->isChecked() ? '1' : '0';
    }
    return states;
}

// The columns of the widget's drawing that hold anything but its background,
// and their mean.
QSet<int> InkColumns(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    const QRgb background = image.pixel(0, 0);
    QSet<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != background) {
                columns.insert(x);
                break;
            }
    return columns;
}

double MeanColumn(const QSet<int>& columns) {
    double sum = 0;
    for (int x : columns)
        sum += x;
    return columns.isEmpty() ? -1 : sum / static_cast<double>(columns.size());
}

template <class Encoding> int Code(Encoding encoding) {
    return static_cast<int>(encoding);
}

// What the window does when it opens a bar of the kind.
void LoadStored(CalcBar& bar) {
    BarOptions options;
    ReadBarOptions(bar.Kind(), options);
    bar.ApplyOptions(options);
}

// What the window does when the bar closes; a failed write throws.
void Store(const CalcBar& bar) {
    BarOptions options;
    bar.StoreOptions(options);
    WriteBarOptions(bar.Kind(), options);
}

void WriteIni(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class TestBarVariants : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host_;
    FormatSettingsScope format_{FormatSettings{}};
    // Every test reads and writes a file of its own, never one beside the program.
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ProfilePathOverride> profile_;

    QString IniPath() const { return dir_->filePath("pexa.ini"); }

    template <class Bar> Bar* NewBar(BarKind kind, CalcValueMode mode = CalcValueMode::DWord) {
        auto* bar =
            qobject_cast<Bar*>(BarClassOf(kind)(host_.get(), CreateConv(static_cast<int>(kind))));
        if (bar != nullptr) {
            ShowMode(*bar, mode);
            bar->resize(400, bar->sizeHint().height());
        }
        return bar;
    }

private slots:
    void init() {
        host_ = std::make_unique<QWidget>();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        profile_ = std::make_unique<ProfilePathOverride>(IniPath().toStdString());
    }
    void cleanup() {
        host_.reset();
        profile_.reset();
        dir_.reset();
    }

    // ---- the class table ----

    void classTable() {
        for (int kind = 0; kind < BarKindCount; ++kind) {
            if (!CreateConv(kind)) {
                continue;
            }
            const BarKind barKind = static_cast<BarKind>(kind);
            CalcBar* bar = BarClassOf(barKind)(host_.get(), CreateConv(kind));
            // A conversion the owner keeps and hands over later, as the window does.
            std::unique_ptr<Conversion> kept = CreateConv(kind);
            CalcBar* withConv = BarClassOf(barKind)(host_.get(), *kept);
            withConv->AdoptConversion(std::move(kept));
            const char* expected = "pexa::CalcBar";
            switch (barKind) {
            case BarKind::Char:
                expected = "pexa::CharacterBar";
                break;
            case BarKind::Degree:
                expected = "pexa::SexagesimalBar";
                break;
            case BarKind::Float:
                expected = "pexa::FloatBar";
                break;
            case BarKind::Time:
                expected = "pexa::DateTimeBar";
                break;
            case BarKind::Bin:
                expected = "pexa::BinaryBar";
                break;
            default:
                break;
            }
            QCOMPARE(bar->metaObject()->className(), expected);
            QCOMPARE(withConv->metaObject()->className(), expected);
            QCOMPARE(bar->Kind(), barKind);
            QCOMPARE(withConv->Kind(), barKind);
        }
    }

    void variantRefusesConversionOfAnotherClass() {
        QVERIFY_THROWS_EXCEPTION(
            AssertionFailure,
            CalcBar::Make<CharacterBar>(host_.get(), CreateConv(static_cast<int>(BarKind::Hex))));
        QVERIFY_THROWS_EXCEPTION(AssertionFailure,
                                 BarClassOf(BarKind::Degree)(host_.get(), CreateConv(4)));
        QVERIFY(host_->findChildren<CalcBar*>().isEmpty());
    }

    // ---- where the buttons come from ----

    void buttonsFromCommandTableWithoutWindow() {
        auto* chr = NewBar<CharacterBar>(BarKind::Char);
        QCOMPARE(Captions(*chr), QString("A,S,E,J,UTF8,UTF16,U+"));
        const char* hints[] = {"ASCII", "Shift JIS", "EUC-jp",        "JIS",
                               "UTF-8", "UTF-16",    "コードポイント"};
        const std::vector<BarButton*> buttons = Buttons(*chr);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(buttons[i]->group()->objectName(), QLatin1String(EncodingGroupName));
            QCOMPARE(buttons[i]->group()->id(buttons[i]), i);
            QCOMPARE(buttons[i]->toolTip(), QString(hints[i]));
        }
        auto* deg = NewBar<SexagesimalBar>(BarKind::Degree);
        QCOMPARE(Captions(*deg), QString("hms"));
        QCOMPARE(deg->HmsButton()->toolTip(), QString("[h]:m:s形式"));
        QVERIFY(deg->HmsButton()->isCheckable());
        QCOMPARE(deg->HmsButton()->group(), nullptr);
        auto* flt = NewBar<FloatBar>(BarKind::Float);
        QCOMPARE(Captions(*flt), QString("half,bf16,|,E4M3,E5M2"));
        const std::vector<BarButton*> floatButtons = Buttons(*flt);
        const char* floatGroups[] = {Float16GroupName, Float16GroupName, Float8GroupName,
                                     Float8GroupName};
        for (std::size_t i = 0; i < 4; ++i) {
            QCOMPARE(floatButtons[i]->group()->objectName(), QLatin1String(floatGroups[i]));
            QCOMPARE(floatButtons[i]->group()->id(floatButtons[i]), static_cast<int>(i % 2));
        }
        // DWord reads Single: neither pair shows a choice.
        QCOMPARE(DownStates(*flt), QString("0000"));
        auto* tim = NewBar<DateTimeBar>(BarKind::Time);
        QCOMPARE(Captions(*tim), QString("t,O,|,Diff"));
        const std::vector<BarButton*> timeButtons = Buttons(*tim);
        const char* timeHints[] = {"time_t", "OLE DATE", "時間差モード"};
        for (std::size_t i = 0; i < 3; ++i)
            QCOMPARE(timeButtons[i]->toolTip(), QString(timeHints[i]));
        QCOMPARE(timeButtons[0]->group(), timeButtons[1]->group());
        QCOMPARE(timeButtons[1]->group()->id(timeButtons[1]), 1);
        QVERIFY(timeButtons[1]->group()->exclusive());
        // The difference mode is a lone toggle beside the encodings.
        QCOMPARE(timeButtons[2]->group(), nullptr);
        QVERIFY(timeButtons[2]->isCheckable());
    }

    // ---- the character bar ----

    void charArrowsWalkAndStopAtEnds() {
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        QCOMPARE(Code(bar->Encoding()), 0);
        QCOMPARE(DownStates(*bar), QString("1000000"));
        const char* names[] = {"ASCII ", "SJIS ", "EUC ", "JIS ", "UTF-8 ", "UTF-16 ", "U+ "};
        const char* downs[] = {"1000000", "0100000", "0010000", "0001000",
                               "0000100", "0000010", "0000001"};
        QCOMPARE(bar->EncodingIndicator()->text(), QString(names[0]));
        for (int expected = 1; expected <= 6; ++expected) {
            QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
            QCOMPARE(Code(bar->Encoding()), expected);
            QCOMPARE(DownStates(*bar), QString(downs[expected]));
            QCOMPARE(bar->EncodingIndicator()->text(), QString(names[expected]));
        }
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->StepOption(false));
        QCOMPARE(Code(bar->Encoding()), 6);
        for (int expected = 5; expected >= 0; --expected) {
            QVERIFY(bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
            QCOMPARE(Code(bar->Encoding()), expected);
            QCOMPARE(DownStates(*bar), QString(downs[expected]));
        }
        QVERIFY(!bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QCOMPARE(Code(bar->Encoding()), 0);
        // The character bar has nothing to toggle.
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
    }

    // 亜 is 0x3021 in JIS, 0xB0A1 in EUC-JP and 0x889F in Shift JIS.
    void charEncodingChangesTheText_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("encoding");
        QTest::newRow("JIS") << qint64{0x3021} << 3;
        QTest::newRow("EUC") << qint64{0xB0A1} << 2;
        QTest::newRow("Shift JIS") << qint64{0x889F} << 1;
    }
    void charEncodingChangesTheText() {
        QFETCH(qint64, value);
        QFETCH(int, encoding);
        auto* bar = NewBar<CharacterBar>(BarKind::Char, CalcValueMode::Word);
        ShowValue(*bar, IntegerValue(CalcValueMode::Word, value));
        QVERIFY(!bar->Parts().ValueLabel->text().contains(QString("亜")));
        bar->SetEncoding(static_cast<CharEncoding>(encoding));
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("亜"));
        bar->SetEncoding(CharEncoding::Ascii);
        QVERIFY(!bar->Parts().ValueLabel->text().contains(QString("亜")));
    }

    void charButtonClickChoosesEncoding() {
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(Buttons(*bar)[2], Qt::LeftButton);
        QCOMPARE(Code(bar->Encoding()), 2);
        QCOMPARE(DownStates(*bar), QString("0010000"));
        QCOMPARE(bar->EncodingIndicator()->text(), QString("EUC "));
        // A button already down stays down.
        QTest::mouseClick(Buttons(*bar)[2], Qt::LeftButton);
        QCOMPARE(Code(bar->Encoding()), 2);
        QCOMPARE(DownStates(*bar), QString("0010000"));
    }

    void charOutOfRangeEncodingChangesNothing() {
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        bar->SetEncoding(CharEncoding::Euc);
        for (int bad : {-1, 7, 255}) {
            bar->SetEncoding(static_cast<CharEncoding>(bad));
            QCOMPARE(Code(bar->Encoding()), 2);
            QCOMPARE(DownStates(*bar), QString("0010000"));
        }
    }

    void charIndicatorStandsLeftmost() {
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        QCOMPARE(bar->Parts().Indicators.size(), std::size_t{2});
        QCOMPARE(bar->Parts().Indicators[0], bar->EncodingIndicator());
        QCOMPARE(bar->Parts().Indicators[1], bar->Parts().ReverseIndicator);
        QCOMPARE(bar->Parts().SignIndicator, nullptr);
    }

    // The bar shows characters one after the other, left to right: a bidi
    // control shows as "_" instead of reordering its neighbours, and Hebrew
    // letters stand in text order with the padding on the left, as Latin
    // letters do.
    void charBarDrawsLeftToRight() {
        auto* bar = NewBar<CharacterBar>(BarKind::Char, CalcValueMode::QWord);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        bar->SetEncoding(CharEncoding::Utf8);
        QLabel* value = bar->Parts().ValueLabel;
        QCOMPARE(value->layoutDirection(), Qt::LeftToRight);
        // "ab", RIGHT-TO-LEFT OVERRIDE, "de".
        ShowValue(*bar, IntegerValue(CalcValueMode::QWord, 0x006162E280AE6465));
        QCOMPARE(value->text(), QString("_ab_de"));

        auto inkOf = [&](CalcValueMode mode, std::int64_t v, const char* text) {
            ShowMode(*bar, mode);
            ShowValue(*bar, IntegerValue(mode, v));
            [&] { QCOMPARE(value->text(), QString::fromUtf8(text)); }();
            return InkColumns(*value);
        };
        const QSet<int> hebrew = inkOf(CalcValueMode::DWord, 0xD7A9D79C, "של");
        const QSet<int> padded = inkOf(CalcValueMode::QWord, 0xD7A9D79C, "____של");
        const QSet<int> lamed = inkOf(CalcValueMode::DWord, 0x2020D79C, "  ל");
        const QSet<int> padding = padded - hebrew;
        const QSet<int> shin = hebrew - lamed;
        QVERIFY(!padding.isEmpty() && !shin.isEmpty() && !lamed.isEmpty());
        QVERIFY(MeanColumn(padding) < MeanColumn(hebrew));
        QVERIFY(MeanColumn(shin) < MeanColumn(lamed));
    }

    void charTextIsFixedPitchExceptMessages() {
        // Measured as drawn: fontconfig reports some monospaced families
        // proportional, and a font may claim fixed pitch and not have it.
        const auto HasOneAdvance = [](const QFont& font) {
            const QFontMetricsF metrics(font);
            const qreal advance = metrics.horizontalAdvance(QLatin1Char('0'));
            for (const char c : {'i', 'W', 'm', '_', 'F'}) {
                if (qAbs(metrics.horizontalAdvance(QLatin1Char(c)) - advance) > 0.02)
                    return false;
            }
            return advance > 0;
        };
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        QFont proportional("DejaVu Sans");
        proportional.setPointSize(13);
        bar->SetDisplayFont(proportional);
        bar->EnsurePlaced();
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 0x41424344));
        QVERIFY(HasOneAdvance(bar->Parts().ValueLabel->font()));
        QCOMPARE(bar->Parts().ValueLabel->font().pointSize(), 13);
        bar->SetMessageText("オーバーフローしました");
        QCOMPARE(bar->Parts().ValueLabel->font(), bar->Parts().ValuePanel->font());
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 0x41));
        QVERIFY(HasOneAdvance(bar->Parts().ValueLabel->font()));
        // A new display font is followed, still with fixed pitch.
        proportional.setPointSize(17);
        bar->SetDisplayFont(proportional);
        QVERIFY(HasOneAdvance(bar->Parts().ValueLabel->font()));
        QCOMPARE(bar->Parts().ValueLabel->font().pointSize(), 17);
    }

    // ---- the sexagesimal bar ----

    void degreeTogglesOnLeftRightAndCtrlSpace() {
        auto* bar = NewBar<SexagesimalBar>(BarKind::Degree);
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 3661));
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("01:01:01"));
        QVERIFY(!bar->HmsButton()->isChecked());
        struct Key {
            int code;
            Qt::KeyboardModifiers shift;
        };
        const Key keys[] = {{Qt::Key_Left, Qt::NoModifier},
                            {Qt::Key_Right, Qt::NoModifier},
                            {Qt::Key_Space, Qt::ControlModifier}};
        bool on = false;
        for (int round = 0; round < 2; ++round) {
            for (const Key& key : keys) {
                QVERIFY(bar->HandleKey(key.code, key.shift));
                on = !on;
                QCOMPARE(bar->HmsStyle(), on);
                QCOMPARE(bar->HmsButton()->isChecked(), on);
                QCOMPARE(bar->Parts().ValueLabel->text(), QString(on ? "1:01:01" : "01:01:01"));
            }
        }
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::NoModifier));
        QCOMPARE(bar->HmsStyle(), on);
    }

    void degreeButtonToggles() {
        auto* bar = NewBar<SexagesimalBar>(BarKind::Degree);
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 216000));
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(bar->HmsButton(), Qt::LeftButton);
        QVERIFY(bar->HmsStyle());
        QVERIFY(bar->HmsButton()->isChecked());
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("60:00:00"));
        QTest::mouseClick(bar->HmsButton(), Qt::LeftButton);
        QVERIFY(!bar->HmsStyle());
        QVERIFY(!bar->HmsButton()->isChecked());
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("01:00:00:00"));
    }

    // ---- the float bar ----

    void floatIndicatorFollowsMode() {
        auto* bar = NewBar<FloatBar>(BarKind::Float, CalcValueMode::Byte);
        QCOMPARE(bar->Parts().Indicators.front(), bar->PrecisionIndicator());
        const struct {
            CalcValueMode mode;
            const char* text;
        } rows[] = {{CalcValueMode::Byte, "E4M3 "},    {CalcValueMode::DWord, "Single "},
                    {CalcValueMode::QWord, "Double "}, {CalcValueMode::Float, "Single "},
                    {CalcValueMode::QWord, "Double "}, {CalcValueMode::Word, "Half "}};
        for (const auto& row : rows) {
            ShowMode(*bar, row.mode);
            QCOMPARE(bar->PrecisionIndicator()->text(), QString(row.text));
        }
        // Left and Right step the pair of the mode in force, and stop at its ends.
        QVERIFY(!bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QCOMPARE(bar->PrecisionIndicator()->text(), QString("BF16 "));
        QCOMPARE(DownStates(*bar), QString("0100"));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        ShowMode(*bar, CalcValueMode::Byte);
        QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QCOMPARE(bar->PrecisionIndicator()->text(), QString("E5M2 "));
        QCOMPARE(DownStates(*bar), QString("0001"));
        ShowMode(*bar, CalcValueMode::DWord);
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
    }

    // A pair of format buttons belongs to one mode: in any other the bar
    // reads Single or Double, and the pair shows no choice and takes no
    // click. Its choice comes back with its mode.
    void floatButtonsShowOnlyTheModesChoice_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("down");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("Byte") << static_cast<int>(CalcValueMode::Byte) << "0001"
                              << "0011";
        QTest::newRow("Word") << static_cast<int>(CalcValueMode::Word) << "0100"
                              << "1100";
        QTest::newRow("DWord") << static_cast<int>(CalcValueMode::DWord) << "0000"
                               << "0000";
        QTest::newRow("Int64") << static_cast<int>(CalcValueMode::QWord) << "0000"
                               << "0000";
        QTest::newRow("Real") << static_cast<int>(CalcValueMode::Float) << "0000"
                              << "0000";
    }
    void floatButtonsShowOnlyTheModesChoice() {
        QFETCH(int, mode);
        QFETCH(QString, down);
        QFETCH(QString, enabled);
        auto* bar = NewBar<FloatBar>(BarKind::Float, CalcValueMode::Word);
        bar->SetWordFormat(FloatFormat::BFloat16);
        bar->SetByteFormat(FloatFormat::E5M2);
        ShowMode(*bar, static_cast<CalcValueMode>(mode));
        QCOMPARE(DownStates(*bar), down);
        QString enabledStates;
        for (BarButton* button : Buttons(*bar))
            enabledStates += button->isEnabled() ? '1' : '0';
        QCOMPARE(enabledStates, enabled);
        ShowMode(*bar, CalcValueMode::Word);
        QCOMPARE(DownStates(*bar), QString("0100"));
    }

    // 0x3FC0 is 1.5 in bfloat16 and 1.9375 in half; stored, the choice
    // comes back in a bar created later.
    void floatWordFormatShownAndStored() {
        auto* bar = NewBar<FloatBar>(BarKind::Float, CalcValueMode::Word);
        bar->EnsurePlaced();
        ShowValue(*bar, IntegerValue(CalcValueMode::Word, 0x3FC0));
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("1.9375"));
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(Buttons(*bar)[1], Qt::LeftButton);
        QCOMPARE(bar->WordFormat(), FloatFormat::BFloat16);
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("1.5"));
        QCOMPARE(bar->PrecisionIndicator()->text(), QString("BF16 "));
        bar->SetByteFormat(FloatFormat::E5M2);
        Store(*bar);
        QCOMPARE(ReadProfileInt("Mode", "Float16Format", -5, 0, -1), 1);
        QCOMPARE(ReadProfileInt("Mode", "Float8Format", -5, 0, -1), 1);
        auto* next = NewBar<FloatBar>(BarKind::Float, CalcValueMode::Word);
        LoadStored(*next);
        QCOMPARE(next->WordFormat(), FloatFormat::BFloat16);
        QCOMPARE(next->ByteFormat(), FloatFormat::E5M2);
        QCOMPARE(DownStates(*next), QString("0100"));
        ShowValue(*next, IntegerValue(CalcValueMode::Word, 0x3FC0));
        QCOMPARE(next->Parts().ValueLabel->text(), QString("1.5"));
        // A stored code out of range reads as the default.
        WriteIni(IniPath(), "[Mode]\nFloat16Format=2\nFloat8Format=-1\n");
        auto* fallback = NewBar<FloatBar>(BarKind::Float, CalcValueMode::Word);
        LoadStored(*fallback);
        QCOMPARE(fallback->WordFormat(), FloatFormat::Half);
        QCOMPARE(fallback->ByteFormat(), FloatFormat::E4M3);
    }

    // -2.5 in Single: sign 1, exponent 128 (unbiased 1), significand 1.01.
    void floatToolTipListsTheFields() {
        ApplyLanguage(UiLanguage::English);
        const auto desktopLanguage = qScopeGuard([] { ApplyLanguage(UiLanguage::Automatic); });
        auto* bar = NewBar<FloatBar>(BarKind::Float, CalcValueMode::DWord);
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 0xC0200000));
        QCOMPARE(HoveredToolTip(*bar->Parts().ValueLabel),
                 QString("Single\nSign: 1 (-)\nExponent: 10000000 (biased 128), unbiased 1\n"
                         "Significand: 1.01000000000000000000000"));
        // The E5M2 infinity has no significand to show.
        QCOMPARE(FloatBar::FieldsText(FloatFormat::E5M2, 0x7C),
                 QString("E5M2\nSign: 0 (+)\nExponent: 11111 (biased 31)\nFraction: 00"));
        // Float mode has no pattern.
        ShowMode(*bar, CalcValueMode::Float);
        QVERIFY(HoveredToolTip(*bar->Parts().ValuePanel).isEmpty());
        // Back in a mode with a pattern, the tooltip follows the new value.
        ShowMode(*bar, CalcValueMode::Word);
        ShowValue(*bar, IntegerValue(CalcValueMode::Word, 0x3C00));
        QVERIFY(HoveredToolTip(*bar->Parts().ValueLabel).startsWith("Half\nSign: 0 (+)"));
    }

    // ---- the date/time bar ----

    void timeArrowsStepEncoding() {
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        QCOMPARE(Code(bar->Encoding()), 0);
        QCOMPARE(DownStates(*bar), QString("100"));
        QCOMPARE(bar->EncodingIndicator()->text(), QString("time_t "));
        QVERIFY(!bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QCOMPARE(Code(bar->Encoding()), 1);
        QCOMPARE(DownStates(*bar), QString("010"));
        QCOMPARE(bar->EncodingIndicator()->text(), QString("OleDate "));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QCOMPARE(Code(bar->Encoding()), 1);
        QVERIFY(bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QCOMPARE(Code(bar->Encoding()), 0);
        QCOMPARE(DownStates(*bar), QString("100"));
        for (int bad : {-1, 2, 255}) {
            bar->SetEncoding(static_cast<TimeEncoding>(bad));
            QCOMPARE(Code(bar->Encoding()), 0);
        }
    }

    void timeDiffIsIndependentOfEncoding() {
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 90061));
        const QString moment = bar->Parts().ValueLabel->text();
        QVERIFY(moment.contains("1970"));
        QVERIFY(bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(bar->DiffMode());
        QCOMPARE(DownStates(*bar), QString("101"));
        QCOMPARE(bar->DiffIndicator()->text(), QString("Diff "));
        const QString span = bar->Parts().ValueLabel->text();
        QVERIFY(span != moment);
        QVERIFY(!span.contains("1970"));
        // Switching the encoding leaves the difference mode and its button alone.
        QVERIFY(bar->StepOption(false));
        QCOMPARE(DownStates(*bar), QString("011"));
        QVERIFY(bar->DiffMode());
        QVERIFY(bar->Parts().ValueLabel->text() != span);
        QVERIFY(bar->StepOption(true));
        QCOMPARE(bar->Parts().ValueLabel->text(), span);
        QVERIFY(bar->ToggleOption());
        QVERIFY(!bar->DiffMode());
        QCOMPARE(DownStates(*bar), QString("100"));
        QCOMPARE(bar->Parts().ValueLabel->text(), moment);
        QCOMPARE(bar->DiffIndicator()->text(), QString());
        QCOMPARE(bar->EncodingIndicator()->text(), QString("time_t "));
    }

    void timeButtonsClick() {
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        const std::vector<BarButton*> buttons = Buttons(*bar);
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        QVERIFY(bar->DiffMode());
        QCOMPARE(DownStates(*bar), QString("101"));
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(Code(bar->Encoding()), 1);
        QCOMPARE(DownStates(*bar), QString("011"));
        QTest::mouseClick(buttons[1], Qt::LeftButton);
        QCOMPARE(DownStates(*bar), QString("011"));
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        QVERIFY(!bar->DiffMode());
        QCOMPARE(DownStates(*bar), QString("010"));
        QCOMPARE(Code(bar->Encoding()), 1);
    }

    void timeIndicatorsInOrderAndDiffTakesNoRoom() {
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        const std::vector<QLabel*> expected = {bar->EncodingIndicator(), bar->DiffIndicator(),
                                               bar->Parts().SignIndicator,
                                               bar->Parts().ReverseIndicator};
        QCOMPARE(bar->Parts().Indicators, expected);
        bar->SetShowIndicators(true);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QApplication::processEvents();
        QCOMPARE(bar->DiffIndicator()->width(), 0);
        QVERIFY(bar->EncodingIndicator()->width() > 0);
        QCOMPARE(bar->Parts().SignIndicator->x(),
                 bar->EncodingIndicator()->x() + bar->EncodingIndicator()->width());
        bar->SetDiffMode(true);
        QApplication::processEvents();
        QVERIFY(bar->DiffIndicator()->width() > 0);
        QCOMPARE(bar->Parts().SignIndicator->x(),
                 bar->DiffIndicator()->x() + bar->DiffIndicator()->width());
    }

    // ---- settings ----

    void charSettings_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("encoding");
        QTest::newRow("absent") << QByteArray() << 0;
        QTest::newRow("EUC") << QByteArray("[Mode]\nCharEncoding=2\n") << 2;
        QTest::newRow("JIS in hexadecimal") << QByteArray("[mode]\ncharencoding=$3\n") << 3;
        QTest::newRow("code point") << QByteArray("[Mode]\nCharEncoding=6\n") << 6;
        QTest::newRow("out of range") << QByteArray("[Mode]\nCharEncoding=7\n") << 0;
        QTest::newRow("negative") << QByteArray("[Mode]\nCharEncoding=-1\n") << 0;
        QTest::newRow("not a number") << QByteArray("[Mode]\nCharEncoding=SJIS\n") << 0;
    }
    void charSettings() {
        QFETCH(QByteArray, stored);
        QFETCH(int, encoding);
        if (!stored.isEmpty()) {
            WriteIni(IniPath(), stored);
        }
        auto* bar = NewBar<CharacterBar>(BarKind::Char);
        QCOMPARE(Code(bar->Encoding()), 0);
        LoadStored(*bar);
        QCOMPARE(Code(bar->Encoding()), encoding);
        QCOMPARE(Buttons(*bar)[static_cast<std::size_t>(encoding)]->isChecked(), true);

        bar->SetEncoding(encoding == 1 ? CharEncoding::Euc : CharEncoding::ShiftJis);
        Store(*bar);
        const int saved = Code(bar->Encoding());
        QCOMPARE(ReadProfileInt("Mode", "CharEncoding", -5, 0, -1), saved);
        // A bar created later starts with what was saved.
        auto* next = NewBar<CharacterBar>(BarKind::Char);
        LoadStored(*next);
        QCOMPARE(Code(next->Encoding()), saved);
    }

    void degreeSettings() {
        WriteIni(IniPath(), "[Mode]\nHMSStyle=1\n");
        auto* bar = NewBar<SexagesimalBar>(BarKind::Degree);
        QVERIFY(!bar->HmsStyle());
        LoadStored(*bar);
        QVERIFY(bar->HmsStyle());
        QVERIFY(bar->HmsButton()->isChecked());
        bar->ToggleOption();
        Store(*bar);
        QCOMPARE(ReadProfileInt("Mode", "HMSStyle", -5, 0, -1), 0);
        bar->ToggleOption();
        Store(*bar);
        QCOMPARE(ReadProfileInt("Mode", "HMSStyle", -5, 0, -1), 1);

        WriteIni(IniPath(), "[Mode]\nHMSStyle=0x10\n");
        auto* other = NewBar<SexagesimalBar>(BarKind::Degree);
        LoadStored(*other);
        QVERIFY(other->HmsStyle());
    }

    void timeSettings_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<bool>("diff");
        QTest::newRow("absent") << QByteArray() << 0 << false;
        QTest::newRow("OLE with diff")
            << QByteArray("[Mode]\nTimeEncoding=1\nTimeDiffMode=1\n") << 1 << true;
        QTest::newRow("out of range")
            << QByteArray("[Mode]\nTimeEncoding=2\nTimeDiffMode=-3\n") << 0 << true;
        QTest::newRow("diff off") << QByteArray("[Mode]\nTimeEncoding=0x1\nTimeDiffMode=0\n") << 1
                                  << false;
    }
    void timeSettings() {
        QFETCH(QByteArray, stored);
        QFETCH(int, encoding);
        QFETCH(bool, diff);
        if (!stored.isEmpty()) {
            WriteIni(IniPath(), stored);
        }
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        LoadStored(*bar);
        QCOMPARE(Code(bar->Encoding()), encoding);
        QCOMPARE(bar->DiffMode(), diff);
        QCOMPARE(DownStates(*bar), QString(encoding == 0 ? "10" : "01") + (diff ? "1" : "0"));
        QCOMPARE(bar->DiffIndicator()->text().isEmpty(), !diff);

        bar->StepOption(encoding == 1);
        bar->ToggleOption();
        Store(*bar);
        QCOMPARE(ReadProfileInt("Mode", "TimeEncoding", -5, 0, -1), 1 - encoding);
        QCOMPARE(ReadProfileInt("Mode", "TimeDiffMode", -5, 0, -1), diff ? 0 : 1);
        auto* next = NewBar<DateTimeBar>(BarKind::Time);
        LoadStored(*next);
        QCOMPARE(Code(next->Encoding()), 1 - encoding);
        QCOMPARE(next->DiffMode(), !diff);
    }

    void timeSettingsWrittenInOrder() {
        auto* bar = NewBar<DateTimeBar>(BarKind::Time);
        Store(*bar);
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("[Mode]"));
        QVERIFY(text.indexOf("TimeEncoding=0") >= 0);
        QVERIFY(text.indexOf("TimeEncoding=0") < text.indexOf("TimeDiffMode=0"));
    }

    // A failed write reaches the caller (the window reports it), and the bar
    // is left as it was.
    void failedSaveReachesTheCaller() {
        auto* chr = NewBar<CharacterBar>(BarKind::Char);
        auto* deg = NewBar<SexagesimalBar>(BarKind::Degree);
        auto* tim = NewBar<DateTimeBar>(BarKind::Time);
        tim->SetDiffMode(true);
        chr->SetEncoding(CharEncoding::Jis);
        deg->SetHmsStyle(true);
        ProfilePathOverride unwritable(dir_->filePath("missing/dir/pexa.ini").toStdString());
        for (CalcBar* bar : std::initializer_list<CalcBar*>{chr, deg, tim}) {
            QString message;
            try {
                Store(*bar);
            } catch (const ProfileError& failure) {
                message = QString::fromStdString(failure.what());
            }
            QVERIFY(message.endsWith(QStringLiteral("missing/dir/pexa.ini に書き込めません")));
        }
        QVERIFY(tim->DiffMode());
        QCOMPARE(Code(chr->Encoding()), 3);
        QVERIFY(deg->HmsStyle());
    }
};

QTEST_MAIN(TestBarVariants)
#include "test_barvariants.moc"
