// What a bar shows: its kinds and how variants take part in building it, the
// value text in every mode and state, the indicators, messages and colours.
#include "BarUpdates.h"
#include "CalcBarFixture.h"
#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/app/Language.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/AccessMarks.h"
#include "ui/text/ColorContrast.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace pexa;
using namespace pexa::testing;

namespace {

// A conversion whose text, text state and capabilities the test sets, so the
// bar's handling of every state can be driven without a real notation.
class ScriptedConversion : public Conversion {
public:
    explicit ScriptedConversion(ConvOptionSet capabilities)
        : Conversion(BarKind::Decimal), capabilities_(capabilities) {}

    ConvOptionSet GetCapabilities() const override { return capabilities_; }
    std::string GetText(bool grouped) const override { return grouped ? "grouped" : Text; }
    ConvTextState GetTextState() const override { return State; }
    bool CanInputChar(char, bool, bool) const override { return true; }
    bool InputChar(char) override { return true; }
    bool Backspace() override { return true; }

    std::string Text = "x";
    ConvTextState State = ConvTextState::Normal;

private:
    ConvOptionSet capabilities_;
};

QColor TextColor(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

// A variant built the way the real ones are: its own indicator first, an
// option button after the base construction, keys of its own.
class VariantBar : public CalcBar {
public:
    VariantBar(CreateKey key, QWidget* owner, BarConversion conv)
        : CalcBar(key, owner, std::move(conv)) {}

    QLabel* Own = nullptr;
    BarButton* Button = nullptr;
    std::vector<bool> Steps;
    int Toggles = 0;

protected:
    void Create() override {
        Own = AddIndicator();
        CalcBar::Create();
        Button = AddOptionButton(nullptr);
        Button->setText("t");
    }
    void UpdateIndicators() override {
        CalcBar::UpdateIndicators();
        if (Own != nullptr) {
            Own->setText(Conv().GetMode() == CalcValueMode::QWord ? "Double " : "Single ");
        }
    }
    bool StepOption(bool backward) override {
        Steps.push_back(backward);
        return true;
    }
    bool ToggleOption() override {
        ++Toggles;
        return true;
    }
};

} // namespace

class TestCalcBarDisplay : public QObject, private CalcBarFixture {
    Q_OBJECT

private slots:
    void init() { host_ = std::make_unique<QWidget>(); }
    void cleanup() { host_.reset(); }

    void accessMarks_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("marked");
        QTest::newRow("first letter") << "DEC" << 'D' << "&DEC";
        QTest::newRow("later letter") << "DEG" << 'G' << "DE&G";
        QTest::newRow("first of two matches") << "TIME" << 'I' << "T&IME";
        QTest::newRow("ignores case") << "kilo" << 'K' << "&kilo";
        QTest::newRow("lower-case key") << "CHR" << 'h' << "C&HR";
        QTest::newRow("no match") << "IP" << 'X' << "IP";
        QTest::newRow("no key") << "HEX" << '\0' << "HEX";
        QTest::newRow("empty label") << "" << 'A' << "";
    }
    void accessMarks() {
        QFETCH(QString, label);
        QFETCH(char, key);
        QFETCH(QString, marked);
        QCOMPARE(AddAccessMark(label, key), marked);
    }

    // Every kind whose conversion exists: caption, title and indicators.
    void everyAvailableKind() {
        const char* const captions[] = {"&DEC", "&HEX", "&OCT", "&BIN",  "&CHR",
                                        "&IP",  "DE&G", "&FLT", "&TIME", "&KILO"};
        const char* const titles[] = {
            "Decimal",   "Hexadecimal", "Octal",  "Binary",
            "Character", "IP Address",  "Degree", "IEEE754 Floating-point",
            "Date/Time", "Kilo"};
        int available = 0;
        for (int kind = 0; kind < BarKindCount; ++kind) {
            const std::unique_ptr<Conversion> probe = CreateConv(kind);
            if (!probe) {
                continue;
            }
            ++available;
            CalcBar* bar = NewBar(static_cast<BarKind>(kind));
            QCOMPARE(bar->Parts().CaptionLabel->MarkedText(), QString(captions[kind]));
            QCOMPARE(bar->Title(), QString(titles[kind]));
            QCOMPARE(bar->windowTitle(), QString(titles[kind]));
            QCOMPARE(static_cast<int>(bar->Kind()), kind);
            const ConvOptionSet caps = probe->GetCapabilities();
            QCOMPARE(bar->Parts().SignIndicator != nullptr, caps.Contains(ConvOption::Signed));
            QCOMPARE(bar->Parts().ReverseIndicator != nullptr,
                     caps.Contains(ConvOption::ReverseEndian));
            QCOMPARE(bar->CaptionWidth(), NewBar(BarKind::Decimal)->CaptionWidth());
        }
        QVERIFY(available >= 4);
    }

    void variantsTakePartInConstruction() {
        VariantBar* bar =
            CalcBar::Make<VariantBar>(host_.get(), CreateConv(static_cast<int>(BarKind::Decimal)));
        QCOMPARE(bar->Parts().Indicators.size(), std::size_t{3});
        QCOMPARE(bar->Parts().Indicators[0], bar->Own);
        QCOMPARE(bar->Parts().Indicators[1], bar->Parts().SignIndicator);
        QCOMPARE(bar->Own->text(), QString("Single "));
        ShowMode(*bar, CalcValueMode::QWord);
        QCOMPARE(bar->Own->text(), QString("Double "));
        QCOMPARE(bar->Parts().OptionControls.size(), std::size_t{1});
        QVERIFY(!bar->IsPlaced());
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QVERIFY(bar->IsPlaced());
        QCOMPARE(bar->Button->x(), bar->CaptionWidth() + 2);
        // At least three quarters of a tool button, and never narrower than
        // the style draws the caption.
        const int buttonWidth = std::max(17, bar->Button->sizeHint().width());
        QCOMPARE(bar->Parts().ValuePanel->x(), bar->Button->x() + buttonWidth + 2);
        bar->hide();
        bar->show();
        QVERIFY(bar->IsPlaced());

        QVERIFY(bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::ShiftModifier));
        QCOMPARE(bar->Steps, (std::vector<bool>{true, false}));
        QVERIFY(bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::NoModifier));
        QCOMPARE(bar->Toggles, 1);
    }

    void kindWithoutConversionIsRefused() {
        QVERIFY_THROWS_EXCEPTION(AssertionFailure,
                                 CalcBar::Make<CalcBar>(host_.get(), CreateConv(10)));
        QVERIFY_THROWS_EXCEPTION(
            AssertionFailure, CalcBar::Make<CalcBar>(host_.get(), std::unique_ptr<Conversion>()));
        QVERIFY(host_->findChildren<CalcBar*>().isEmpty());
        CalcBar::BarClass barClass = &CalcBar::MakeAs<CalcBar>;
        CalcBar* bar = barClass(host_.get(), CreateConv(static_cast<int>(BarKind::Oct)));
        QCOMPARE(bar->Kind(), BarKind::Oct);
        QCOMPARE(bar->parentWidget(), host_.get());
    }

    void shownTextFollowsValueModeAndGrouping() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        CalcBar* hex = NewBar(BarKind::Hex);
        CalcBar* oct = NewBar(BarKind::Oct);
        CalcBar* bin = NewBar(BarKind::Bin);
        for (CalcBar* bar : {dec, hex, oct, bin}) {
            QCOMPARE(bar->Parts().ValueLabel->text(), QString(" "));
            ShowMode(*bar, CalcValueMode::DWord);
            ShowValue(*bar, IntegerValue(CalcValueMode::DWord, 0x12345));
        }
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("74565"));
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("00012345"));
        QCOMPARE(oct->Parts().ValueLabel->text(), QString("00000221505"));
        QCOMPARE(bin->Parts().ValueLabel->text(), QString("00000000000000010010001101000101"));
        for (CalcBar* bar : {dec, hex, oct, bin}) {
            bar->SetDigitGrouping(true);
            QVERIFY(bar->GroupsDigits());
        }
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("74,565"));
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("0001 2345"));
        QCOMPARE(oct->Parts().ValueLabel->text(), QString("00000221505"));
        QCOMPARE(bin->Parts().ValueLabel->text(),
                 QString("0000 0000 0000 0001 0010 0011 0100 0101"));
        QCOMPARE(dec->Conv().GetText(false), std::string("74565"));
        QCOMPARE(dec->Conv().GetText(true), std::string("74,565"));

        // A mode change re-renders; the value is cut to the new width.
        ShowMode(*hex, CalcValueMode::Byte);
        QCOMPARE(hex->Conv().GetMode(), CalcValueMode::Byte);
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("45"));
    }

    void typingAndBackspaceRepaint() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        ShowMode(*dec, CalcValueMode::Byte);
        ClearBar(*dec);
        QVERIFY(TypeInto(*dec, '2'));
        QVERIFY(TypeInto(*dec, '5'));
        QVERIFY(TypeInto(*dec, '5'));
        QVERIFY(!TypeInto(*dec, '5'));
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("255"));
        QCOMPARE(GetInteger(dec->Conv().GetValue()), std::int64_t{255});
        QVERIFY(TypeBackspace(*dec));
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("25"));
        QVERIFY(!dec->Conv().IsIgnoredChar('5'));
        QVERIFY(dec->Conv().IsIgnoredChar(','));
        QCOMPARE(dec->Conv().GetSeparatorCaption(), std::string(":"));
        QVERIFY(dec->Conv().CanToggleSign());
        QVERIFY(!NewBar(BarKind::Hex)->Conv().CanToggleSign());
    }

    void capabilitiesOfTheKinds() {
        struct Row {
            BarKind Kind;
            bool DigitGrouping, Signed, Reverse;
        };
        const Row rows[] = {{BarKind::Decimal, true, true, true},
                            {BarKind::Hex, true, false, false},
                            {BarKind::Oct, false, false, false},
                            {BarKind::Bin, true, false, false}};
        for (const Row& row : rows) {
            CalcBar* bar = NewBar(row.Kind);
            QCOMPARE(bar->Offers(ConvOption::DigitGrouping), row.DigitGrouping);
            QCOMPARE(bar->Offers(ConvOption::Signed), row.Signed);
            QCOMPARE(bar->Offers(ConvOption::ReverseEndian), row.Reverse);
            QVERIFY(!bar->Offers(ConvOption::NoPaste));
            QCOMPARE(bar->Parts().SignIndicator != nullptr, row.Signed);
            QCOMPARE(bar->Parts().ReverseIndicator != nullptr, row.Reverse);
            QCOMPARE(bar->Parts().Indicators.size(),
                     std::size_t(row.Signed) + std::size_t(row.Reverse));
        }
    }

    void indicatorTexts_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("isSigned");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("signText");
        QTest::addColumn<QString>("reverseText");
        const int byte = 0, word = 1, dword = 2, qword = 3, real = 4;
        QTest::newRow("byte") << byte << false << false << "Unsigned "
                              << " ";
        QTest::newRow("byte signed reversed") << byte << true << true << "Signed "
                                              << " ";
        QTest::newRow("word reversed") << word << false << true << "Unsigned "
                                       << "Rev ";
        QTest::newRow("dword signed") << dword << true << false << "Signed "
                                      << " ";
        QTest::newRow("qword always signed") << qword << false << true << "Signed "
                                             << "Rev ";
        QTest::newRow("real never reversed") << real << false << true << "Signed "
                                             << " ";
    }
    void indicatorTexts() {
        QFETCH(int, mode);
        QFETCH(bool, isSigned);
        QFETCH(bool, reversed);
        QFETCH(QString, signText);
        QFETCH(QString, reverseText);
        CalcBar* dec = NewBar(BarKind::Decimal);
        ShowMode(*dec, static_cast<CalcValueMode>(mode));
        ShowReading(*dec, ConvOption::Signed, isSigned);
        ShowReading(*dec, ConvOption::ReverseEndian, reversed);
        QCOMPARE(dec->Conv().HasOption(ConvOption::Signed), isSigned);
        QCOMPARE(dec->Conv().HasOption(ConvOption::ReverseEndian), reversed);
        QCOMPARE(dec->Parts().SignIndicator->text(), signText);
        QCOMPARE(dec->Parts().ReverseIndicator->text(), reverseText);
    }

    // The indicator names the byte-order switch as its English caption does
    // ("Swap", apart from the byte reversal "Rev"); Japanese keeps "Rev".
    void reverseIndicatorFollowsTheLanguage() {
        const auto desktopLanguage = qScopeGuard([] {
            ApplyLanguage(UiLanguage::Automatic);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        });
        CalcBar* dec = NewBar(BarKind::Decimal);
        ShowMode(*dec, CalcValueMode::Word);
        ShowReading(*dec, ConvOption::ReverseEndian, true);
        ApplyLanguage(UiLanguage::English);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(dec->Parts().ReverseIndicator->text(), QString("Swap "));
        ApplyLanguage(UiLanguage::Japanese);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(dec->Parts().ReverseIndicator->text(), QString("Rev "));
    }

    void indicatorsFollowTheModeAndRerender() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        ShowMode(*dec, CalcValueMode::Word);
        ShowValue(*dec, IntegerValue(CalcValueMode::Word, 1));
        QCOMPARE(dec->Parts().ReverseIndicator->text(), QString(" "));
        ShowReading(*dec, ConvOption::ReverseEndian, true);
        QCOMPARE(dec->Parts().ReverseIndicator->text(), QString("Rev "));
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("256"));
        ShowMode(*dec, CalcValueMode::Byte);
        QCOMPARE(dec->Parts().ReverseIndicator->text(), QString(" "));
        ShowReading(*dec, ConvOption::Signed, true);
        ShowValue(*dec, IntegerValue(CalcValueMode::Byte, 200));
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("-56"));
    }

    void optionsAreIgnoredWithoutTheCapability() {
        CalcBar* hex = NewBar(BarKind::Hex);
        ShowMode(*hex, CalcValueMode::Word);
        ShowValue(*hex, IntegerValue(CalcValueMode::Word, 0x0102));
        ShowReading(*hex, ConvOption::Signed, true);
        ShowReading(*hex, ConvOption::ReverseEndian, true);
        QVERIFY(!hex->Conv().HasOption(ConvOption::Signed));
        QVERIFY(!hex->Conv().HasOption(ConvOption::ReverseEndian));
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("0102"));
    }

    void indicatorVisibility() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        for (QLabel* label : dec->Parts().Indicators) {
            QVERIFY(label->isHidden());
        }
        dec->SetShowIndicators(true);
        QVERIFY(dec->ShowIndicators());
        for (QLabel* label : dec->Parts().Indicators) {
            QVERIFY(!label->isHidden());
        }
        // An indicator added later takes the current visibility.
        QLabel* extra = dec->AddIndicator();
        QVERIFY(!extra->isHidden());
        QCOMPARE(dec->Parts().Indicators.back(), extra);
        dec->SetShowIndicators(false);
        for (QLabel* label : dec->Parts().Indicators) {
            QVERIFY(label->isHidden());
        }
        QVERIFY(NewBar(BarKind::Hex)->Parts().Indicators.empty());
    }

    void indicatorsStandLeftOfTheValueInCreationOrder() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        dec->SetShowIndicators(true);
        QLabel* extra = dec->AddIndicator();
        extra->setText("Extra ");
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        const int signX = dec->Parts().SignIndicator->x();
        const int reverseX = dec->Parts().ReverseIndicator->x();
        QVERIFY(signX < reverseX);
        QVERIFY(reverseX < extra->x());
        QVERIFY(extra->x() + extra->width() <= dec->Parts().ValueLabel->x());
        QVERIFY(dec->Parts().ValueLabel->x() + dec->Parts().ValueLabel->width() <=
                dec->Parts().OperatorLabel->x());
    }

    void textColoursByState() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{});
        ScriptedConversion* script = conv.get();
        CalcBar* bar =
            CalcBar::Make<CalcBar>(host_.get(), std::unique_ptr<Conversion>(std::move(conv)));
        script->Text = "abc";
        bar->ShowText();
        QCOMPARE(bar->Parts().ValueLabel->text(), QString("abc"));
        QCOMPARE(TextColor(*bar->Parts().ValueLabel), bar->WindowTextColor());
        script->State = ConvTextState::NotApplicable;
        bar->ShowText();
        QCOMPARE(TextColor(*bar->Parts().ValueLabel), bar->GreyTextColor());
        script->State = ConvTextState::Invalid;
        bar->UpdateIndicators();
        bar->ShowText();
        QCOMPARE(TextColor(*bar->Parts().ValueLabel), bar->InvalidTextColor());
        QCOMPARE(bar->InvalidTextColor().hue(), 0); // red, however dark
        QVERIFY(bar->GreyTextColor() != bar->WindowTextColor());
        // A message is grey whatever the state of the conversion.
        bar->SetMessageText("計算できません");
        QCOMPARE(TextColor(*bar->Parts().ValueLabel), bar->GreyTextColor());
        ShowValue(*bar, MakeZero());
        QCOMPARE(TextColor(*bar->Parts().ValueLabel), bar->InvalidTextColor());
    }

    void shiftJisTextIsDecoded() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{});
        ScriptedConversion* script = conv.get();
        CalcBar* bar =
            CalcBar::Make<CalcBar>(host_.get(), std::unique_ptr<Conversion>(std::move(conv)));
        script->Text = "_A\x88\x9F\xB1\x88";
        bar->ShowText();
        QCOMPARE(bar->Parts().ValueLabel->text(), QString::fromUtf8("_A亜ｱ_"));
    }

    void indicatorsFromScriptedCapabilities() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{ConvOption::ReverseEndian});
        CalcBar* bar =
            CalcBar::Make<CalcBar>(host_.get(), std::unique_ptr<Conversion>(std::move(conv)));
        QVERIFY(bar->Parts().SignIndicator == nullptr);
        QVERIFY(bar->Parts().ReverseIndicator != nullptr);
        QCOMPARE(bar->Parts().Indicators.size(), std::size_t{1});
        ShowReading(*bar, ConvOption::Signed, true);
        QVERIFY(!bar->Conv().HasOption(ConvOption::Signed));
    }

    void messageShowsUntilClearedByValue() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        ShowMode(*dec, CalcValueMode::Word);
        ClearBar(*dec);
        QVERIFY(TypeInto(*dec, '4'));
        QVERIFY(TypeInto(*dec, '2'));
        const QString message = QString::fromUtf8("0で割ることはできません");
        dec->SetMessageText(message);
        QVERIFY(dec->HasMessage());
        QCOMPARE(dec->MessageText(), message);
        QCOMPARE(dec->Parts().ValueLabel->text(), message);
        QCOMPARE(TextColor(*dec->Parts().ValueLabel), dec->GreyTextColor());
        QCOMPARE(dec->Conv().GetText(false), std::string("42"));
        // Refreshes keep the message; mode changes too.
        dec->SetDigitGrouping(true);
        ShowMode(*dec, CalcValueMode::DWord);
        QCOMPARE(dec->Parts().ValueLabel->text(), message);
        QVERIFY(!dec->Conv().IsIgnoredChar('1'));
        QVERIFY(dec->Conv().IsIgnoredChar(','));

        ShowValue(*dec, IntegerValue(CalcValueMode::DWord, 1234));
        QVERIFY(!dec->HasMessage());
        QCOMPARE(dec->Parts().ValueLabel->text(), QString("1,234"));
        QCOMPARE(TextColor(*dec->Parts().ValueLabel), dec->WindowTextColor());
    }

    void messageClearedByClear() {
        CalcBar* hex = NewBar(BarKind::Hex);
        ShowMode(*hex, CalcValueMode::Byte);
        ShowValue(*hex, IntegerValue(CalcValueMode::Byte, 0xAB));
        hex->SetMessageText("オーバーフローしました");
        QCOMPARE(hex->Parts().ValueLabel->text(), QString::fromUtf8("オーバーフローしました"));
        ClearBar(*hex);
        QVERIFY(!hex->HasMessage());
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("00"));
        QVERIFY(TypeInto(*hex, '1'));
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("01"));
        // An empty message is none: the value shows.
        hex->SetMessageText(QString());
        QVERIFY(!hex->HasMessage());
        QCOMPARE(hex->Parts().ValueLabel->text(), QString("01"));
    }

    // Every text of a bar, active or not, in each state, against what it is
    // drawn on: legible on a light and on a dark desktop, and a greyed value
    // still tells itself from a result.
    void textsAreLegibleOnLightAndDarkPalettes_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QPalette(QColor(239, 239, 239));
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(35, 35, 35));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Disabled, QPalette::Text, QColor(90, 90, 90));
        dark.setColor(QPalette::Link, QColor(0, 0, 255));
        dark.setColor(QPalette::Dark, QColor(25, 25, 25));
        QTest::newRow("dark") << dark;
    }

    void textsAreLegibleOnLightAndDarkPalettes() {
        QFETCH(QPalette, palette);
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(palette);
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{ConvOption::Signed});
        ScriptedConversion* script = conv.get();
        CalcBar* bar =
            CalcBar::Make<CalcBar>(host_.get(), std::unique_ptr<Conversion>(std::move(conv)));
        bar->EnsurePlaced();
        const QColor window = bar->palette().color(QPalette::Window);
        auto caption = [&] {
            return bar->Parts().CaptionLabel->palette().color(QPalette::WindowText);
        };
        auto panel = [&] { return bar->Parts().ValuePanel->palette().color(QPalette::Window); };
        for (const bool active : {false, true}) {
            bar->SetActive(active);
            QVERIFY2(ContrastRatio(caption(), window) >= 4.5, active ? "active" : "inactive");
            QVERIFY(ContrastRatio(TextColor(*bar->Parts().SignIndicator), panel()) >= 4.5);
            for (const ConvTextState state :
                 {ConvTextState::Normal, ConvTextState::NotApplicable, ConvTextState::Invalid}) {
                script->State = state;
                bar->ShowText();
                QVERIFY(ContrastRatio(TextColor(*bar->Parts().ValueLabel), panel()) >= 4.5);
            }
            bar->SetMessageText("計算できません");
            const QColor grey = TextColor(*bar->Parts().ValueLabel);
            QVERIFY(ContrastRatio(grey, panel()) >= 4.5);
            QVERIFY(ContrastRatio(grey, bar->WindowTextColor()) >= 1.5);
            ClearBar(*bar);
        }
        QApplication::setPalette(saved);
    }

    void activeColours() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        const QPalette system = QApplication::palette();
        auto panelColor = [&] {
            return bar->Parts().ValuePanel->palette().color(QPalette::Window);
        };
        auto captionColor = [&] {
            return bar->Parts().CaptionLabel->palette().color(QPalette::WindowText);
        };
        bar->EnsurePlaced();
        QVERIFY(!bar->IsActive());
        QCOMPARE(panelColor(), system.color(QPalette::Button));
        QCOMPARE(captionColor(), system.color(QPalette::ButtonText));
        bar->SetActive(true);
        QVERIFY(bar->IsActive());
        QCOMPARE(panelColor(), system.color(QPalette::Base));
        QCOMPARE(captionColor(), QColor(0, 0, 255));
        bar->SetActive(false);
        QCOMPARE(panelColor(), system.color(QPalette::Button));
        QCOMPARE(captionColor(), system.color(QPalette::ButtonText));
        QVERIFY(!bar->autoFillBackground());
    }
};

QTEST_MAIN(TestCalcBarDisplay)
#include "test_calcbar_display.moc"
