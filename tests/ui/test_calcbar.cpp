#include "conv/Conversion.h"
#include "conv/ConversionFactory.h"
#include "core/CalcError.h"
#include "core/FormatSettings.h"
#include "ui/CalcBar.h"
#include "ui/toolkit/CommandAction.h"
#include "ui/toolkit/SystemColors.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

#include <memory>
#include <vector>

using namespace pexa;

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

CalcValue IntegerValue(CalcValueMode mode, std::int64_t v) {
    CalcValue value;
    SetInteger(value, mode, v);
    return value;
}

QColor TextColor(const QLabel& label) {
    return label.palette().color(QPalette::WindowText);
}

void SendMousePress(QWidget* target, Qt::MouseButton button, QPoint pos = {1, 1}) {
    QMouseEvent press(QEvent::MouseButtonPress, pos, target->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

// A variant built the way the real ones are: its own indicator first, an
// option button after the base construction, keys and menu items of its own.
class VariantBar : public CalcBar {
public:
    VariantBar(CreateKey key, QWidget* owner, BarKind kind) : CalcBar(key, owner, kind) {}

    QLabel* Own = nullptr;
    BarButton* Button = nullptr;
    int Loads = 0;
    std::vector<bool> Steps;
    int Toggles = 0;
    std::vector<std::string>* MenuLog = nullptr;

protected:
    void Create() override {
        CalcBar::Create();
        Button = AddOptionButton(nullptr);
        Button->setText("t");
    }
    void CreateIndicators() override {
        Own = AddIndicator();
        CalcBar::CreateIndicators();
    }
    void UpdateIndicators() override {
        CalcBar::UpdateIndicators();
        if (Own != nullptr) {
            Own->setText(GetMode() == CalcValueMode::QWord ? "Double " : "Single ");
        }
    }
    void LoadSettings() override { ++Loads; }
    bool StepOption(bool backward) override {
        Steps.push_back(backward);
        return true;
    }
    bool ToggleOption() override {
        ++Toggles;
        return true;
    }
    void BuildMenu(QMenu& menu) override {
        MenuLog->push_back("bar");
        menu.addAction("Own");
    }
};

} // namespace

class TestCalcBar : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host_;
    FormatSettingsScope format_{FormatSettings{}};

    CalcBar* NewBar(BarKind kind) {
        CalcBar* bar = CalcBar::Make<CalcBar>(host_.get(), kind);
        bar->resize(320, bar->sizeHint().height());
        return bar;
    }

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
        QCOMPARE(CalcBar::AddAccessMark(label, key), marked);
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
            QCOMPARE(bar->CaptionLabel()->MarkedText(), QString(captions[kind]));
            QCOMPARE(bar->Title(), QString(titles[kind]));
            QCOMPARE(bar->windowTitle(), QString(titles[kind]));
            QCOMPARE(static_cast<int>(bar->Kind()), kind);
            const ConvOptionSet caps = probe->GetCapabilities();
            QCOMPARE(bar->SignIndicator() != nullptr, caps.Contains(ConvOption::Signed));
            QCOMPARE(bar->ReverseIndicator() != nullptr, caps.Contains(ConvOption::ReverseEndian));
            QCOMPARE(bar->CaptionWidth(), NewBar(BarKind::Decimal)->CaptionWidth());
        }
        QVERIFY(available >= 4);
    }

    void variantsTakePartInConstruction() {
        VariantBar* bar = CalcBar::Make<VariantBar>(host_.get(), BarKind::Decimal);
        QCOMPARE(bar->Indicators().size(), std::size_t{3});
        QCOMPARE(bar->Indicators()[0], bar->Own);
        QCOMPARE(bar->Indicators()[1], bar->SignIndicator());
        QCOMPARE(bar->Own->text(), QString("Single "));
        bar->SetMode(CalcValueMode::QWord);
        QCOMPARE(bar->Own->text(), QString("Double "));
        QCOMPARE(bar->OptionControls().size(), std::size_t{1});
        QCOMPARE(bar->Loads, 0);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QCOMPARE(bar->Loads, 1);
        QCOMPARE(bar->Button->x(), bar->CaptionWidth() + 2);
        // At least three quarters of a tool button, and never narrower than
        // the style draws the caption.
        const int buttonWidth = std::max(17, bar->Button->sizeHint().width());
        QCOMPARE(bar->ValuePanel()->x(), bar->Button->x() + buttonWidth + 2);
        bar->hide();
        bar->show();
        QCOMPARE(bar->Loads, 1);

        QVERIFY(bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::ShiftModifier));
        QCOMPARE(bar->Steps, (std::vector<bool>{true, false}));
        QVERIFY(bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::NoModifier));
        QCOMPARE(bar->Toggles, 1);

        std::vector<std::string> log;
        bar->MenuLog = &log;
        QObject::connect(bar, &CalcBar::MenuBuilding, [&](CalcBar&, QMenu&, int phase) {
            log.push_back("owner " + std::to_string(phase));
        });
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2),
                                  bar->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(bar, &request);
        QVERIFY(request.isAccepted());
        QCOMPARE(log, (std::vector<std::string>{"owner 0", "bar", "owner 1"}));
        bar->PopupMenu()->hide();
    }

    void kindWithoutConversionIsRefused() {
        QVERIFY_THROWS_EXCEPTION(AssertionFailure,
                                 CalcBar::Make<CalcBar>(host_.get(), static_cast<BarKind>(10)));
        QVERIFY_THROWS_EXCEPTION(AssertionFailure,
                                 CalcBar::MakeWith<CalcBar>(host_.get(), nullptr));
        QVERIFY(host_->findChildren<CalcBar*>().isEmpty());
        CalcBar::BarClass barClass = &CalcBar::MakeAs<CalcBar>;
        CalcBar* bar = barClass(host_.get(), BarKind::Oct);
        QCOMPARE(bar->Kind(), BarKind::Oct);
        QCOMPARE(bar->parentWidget(), host_.get());
    }

    void shownTextFollowsValueModeAndGrouping() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        CalcBar* hex = NewBar(BarKind::Hex);
        CalcBar* oct = NewBar(BarKind::Oct);
        CalcBar* bin = NewBar(BarKind::Bin);
        for (CalcBar* bar : {dec, hex, oct, bin}) {
            QCOMPARE(bar->ValueLabel()->text(), QString(" "));
            bar->SetMode(CalcValueMode::DWord);
            bar->SetValue(IntegerValue(CalcValueMode::DWord, 0x12345));
        }
        QCOMPARE(dec->ValueLabel()->text(), QString("74565"));
        QCOMPARE(hex->ValueLabel()->text(), QString("00012345"));
        QCOMPARE(oct->ValueLabel()->text(), QString("00000221505"));
        QCOMPARE(bin->ValueLabel()->text(), QString("00000000000000010010001101000101"));
        for (CalcBar* bar : {dec, hex, oct, bin}) {
            bar->SetSeparated(true);
            QVERIFY(bar->Separated());
        }
        QCOMPARE(dec->ValueLabel()->text(), QString("74,565"));
        QCOMPARE(hex->ValueLabel()->text(), QString("0001 2345"));
        QCOMPARE(oct->ValueLabel()->text(), QString("00000221505"));
        QCOMPARE(bin->ValueLabel()->text(), QString("0000 0000 0000 0001 0010 0011 0100 0101"));
        QCOMPARE(dec->GetText(false), std::string("74565"));
        QCOMPARE(dec->GetText(true), std::string("74,565"));

        // A mode change re-renders; the value is cut to the new width.
        hex->SetMode(CalcValueMode::Byte);
        QCOMPARE(hex->GetMode(), CalcValueMode::Byte);
        QCOMPARE(hex->ValueLabel()->text(), QString("45"));
    }

    void typingAndBackspaceRepaint() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        dec->SetMode(CalcValueMode::Byte);
        dec->Clear();
        QVERIFY(dec->CanInputChar('2', true, false));
        QVERIFY(dec->InputChar('2'));
        QVERIFY(dec->InputChar('5'));
        QVERIFY(dec->InputChar('5'));
        QVERIFY(!dec->InputChar('5'));
        QCOMPARE(dec->ValueLabel()->text(), QString("255"));
        QCOMPARE(GetInteger(dec->GetValue()), std::int64_t{255});
        QVERIFY(dec->CanBackspace());
        QVERIFY(dec->Backspace());
        QCOMPARE(dec->ValueLabel()->text(), QString("25"));
        QVERIFY(!dec->IsIgnoredChar('5'));
        QVERIFY(dec->IsIgnoredChar(','));
        QCOMPARE(dec->GetSeparatorCaption(), std::string(":"));
        QVERIFY(dec->CanToggleSign());
        QVERIFY(!NewBar(BarKind::Hex)->CanToggleSign());
    }

    void capabilitiesOfTheKinds() {
        struct Row {
            BarKind Kind;
            bool Separated, Signed, Reverse;
        };
        const Row rows[] = {{BarKind::Decimal, true, true, true},
                            {BarKind::Hex, true, false, false},
                            {BarKind::Oct, false, false, false},
                            {BarKind::Bin, true, false, false}};
        for (const Row& row : rows) {
            CalcBar* bar = NewBar(row.Kind);
            QCOMPARE(bar->SupportsSeparated(), row.Separated);
            QCOMPARE(bar->SupportsSigned(), row.Signed);
            QCOMPARE(bar->SupportsReverse(), row.Reverse);
            QVERIFY(!bar->RefusesPaste());
            QCOMPARE(bar->SignIndicator() != nullptr, row.Signed);
            QCOMPARE(bar->ReverseIndicator() != nullptr, row.Reverse);
            QCOMPARE(bar->Indicators().size(), std::size_t(row.Signed) + std::size_t(row.Reverse));
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
        dec->SetMode(static_cast<CalcValueMode>(mode));
        dec->SetSigned(isSigned);
        dec->SetReverse(reversed);
        QCOMPARE(dec->SignedOption(), isSigned);
        QCOMPARE(dec->ReverseOption(), reversed);
        QCOMPARE(dec->SignIndicator()->text(), signText);
        QCOMPARE(dec->ReverseIndicator()->text(), reverseText);
    }

    void indicatorsFollowTheModeAndRerender() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        dec->SetMode(CalcValueMode::Word);
        dec->SetValue(IntegerValue(CalcValueMode::Word, 1));
        QCOMPARE(dec->ReverseIndicator()->text(), QString(" "));
        dec->SetReverse(true);
        QCOMPARE(dec->ReverseIndicator()->text(), QString("Rev "));
        QCOMPARE(dec->ValueLabel()->text(), QString("256"));
        dec->SetMode(CalcValueMode::Byte);
        QCOMPARE(dec->ReverseIndicator()->text(), QString(" "));
        dec->SetSigned(true);
        dec->SetValue(IntegerValue(CalcValueMode::Byte, 200));
        QCOMPARE(dec->ValueLabel()->text(), QString("-56"));
    }

    void optionsAreIgnoredWithoutTheCapability() {
        CalcBar* hex = NewBar(BarKind::Hex);
        hex->SetMode(CalcValueMode::Word);
        hex->SetValue(IntegerValue(CalcValueMode::Word, 0x0102));
        hex->SetSigned(true);
        hex->SetReverse(true);
        QVERIFY(!hex->SignedOption());
        QVERIFY(!hex->ReverseOption());
        QCOMPARE(hex->ValueLabel()->text(), QString("0102"));
    }

    void indicatorVisibility() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        for (QLabel* label : dec->Indicators()) {
            QVERIFY(label->isHidden());
        }
        dec->SetShowIndicators(true);
        QVERIFY(dec->ShowIndicators());
        for (QLabel* label : dec->Indicators()) {
            QVERIFY(!label->isHidden());
        }
        // An indicator added later takes the current visibility.
        QLabel* extra = dec->AddIndicator();
        QVERIFY(!extra->isHidden());
        QCOMPARE(dec->Indicators().back(), extra);
        dec->SetShowIndicators(false);
        for (QLabel* label : dec->Indicators()) {
            QVERIFY(label->isHidden());
        }
        QVERIFY(NewBar(BarKind::Hex)->Indicators().empty());
    }

    void indicatorsStandLeftOfTheValueInCreationOrder() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        dec->SetShowIndicators(true);
        QLabel* extra = dec->AddIndicator();
        extra->setText("Extra ");
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        const int signX = dec->SignIndicator()->x();
        const int reverseX = dec->ReverseIndicator()->x();
        QVERIFY(signX < reverseX);
        QVERIFY(reverseX < extra->x());
        QVERIFY(extra->x() + extra->width() <= dec->ValueLabel()->x());
        QVERIFY(dec->ValueLabel()->x() + dec->ValueLabel()->width() <= dec->OperatorLabel()->x());
    }

    void textColoursByState() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{});
        ScriptedConversion* script = conv.get();
        CalcBar* bar = CalcBar::MakeWith<CalcBar>(host_.get(), std::move(conv));
        script->Text = "abc";
        bar->ShowText();
        QCOMPARE(bar->ValueLabel()->text(), QString("abc"));
        QCOMPARE(TextColor(*bar->ValueLabel()), bar->WindowTextColor());
        script->State = ConvTextState::NotApplicable;
        bar->RefreshValue();
        QCOMPARE(TextColor(*bar->ValueLabel()), bar->GreyTextColor());
        script->State = ConvTextState::Invalid;
        bar->RefreshAll();
        QCOMPARE(TextColor(*bar->ValueLabel()), bar->InvalidTextColor());
        QCOMPARE(bar->InvalidTextColor().hue(), 0); // red, however dark
        QVERIFY(bar->GreyTextColor() != bar->WindowTextColor());
        // A message is grey whatever the state of the conversion.
        bar->SetMessageText("計算できません");
        QCOMPARE(TextColor(*bar->ValueLabel()), bar->GreyTextColor());
        bar->SetValue(MakeZero());
        QCOMPARE(TextColor(*bar->ValueLabel()), bar->InvalidTextColor());
    }

    void shiftJisTextIsDecoded() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{});
        ScriptedConversion* script = conv.get();
        CalcBar* bar = CalcBar::MakeWith<CalcBar>(host_.get(), std::move(conv));
        script->Text = "_A\x88\x9F\xB1\x88";
        bar->ShowText();
        QCOMPARE(bar->ValueLabel()->text(), QString::fromUtf8("_A亜ｱ_"));
    }

    void indicatorsFromScriptedCapabilities() {
        auto conv = std::make_unique<ScriptedConversion>(ConvOptionSet{ConvOption::ReverseEndian});
        CalcBar* bar = CalcBar::MakeWith<CalcBar>(host_.get(), std::move(conv));
        QVERIFY(bar->SignIndicator() == nullptr);
        QVERIFY(bar->ReverseIndicator() != nullptr);
        QCOMPARE(bar->Indicators().size(), std::size_t{1});
        bar->SetSigned(true);
        QVERIFY(!bar->SignedOption());
    }

    void messageBlocksInputUntilClearedByValue() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        dec->SetMode(CalcValueMode::Word);
        dec->Clear();
        QVERIFY(dec->InputChar('4'));
        QVERIFY(dec->InputChar('2'));
        const QString message = QString::fromUtf8("0で割ることはできません");
        dec->SetMessageText(message);
        QVERIFY(dec->HasMessage());
        QCOMPARE(dec->MessageText(), message);
        QCOMPARE(dec->ValueLabel()->text(), message);
        QCOMPARE(TextColor(*dec->ValueLabel()), dec->GreyTextColor());
        QVERIFY(!dec->CanInputChar('1', false, false));
        QVERIFY(!dec->CanInputChar('1', true, true));
        QVERIFY(!dec->InputChar('1'));
        QVERIFY(!dec->CanBackspace());
        QVERIFY(!dec->Backspace());
        QCOMPARE(dec->GetText(false), std::string("42"));
        // Refreshes keep the message; mode changes too.
        dec->SetSeparated(true);
        dec->SetMode(CalcValueMode::DWord);
        QCOMPARE(dec->ValueLabel()->text(), message);
        QVERIFY(!dec->IsIgnoredChar('1'));
        QVERIFY(dec->IsIgnoredChar(','));

        dec->SetValue(IntegerValue(CalcValueMode::DWord, 1234));
        QVERIFY(!dec->HasMessage());
        QCOMPARE(dec->ValueLabel()->text(), QString("1,234"));
        QCOMPARE(TextColor(*dec->ValueLabel()), dec->WindowTextColor());
        QVERIFY(dec->CanInputChar('1', false, false));
    }

    void messageClearedByClear() {
        CalcBar* hex = NewBar(BarKind::Hex);
        hex->SetMode(CalcValueMode::Byte);
        hex->SetValue(IntegerValue(CalcValueMode::Byte, 0xAB));
        hex->SetMessageText("オーバーフローしました");
        QVERIFY(!hex->InputChar('1'));
        QCOMPARE(hex->GetText(false), std::string("AB"));
        hex->Clear();
        QVERIFY(!hex->HasMessage());
        QCOMPARE(hex->ValueLabel()->text(), QString("00"));
        QVERIFY(hex->InputChar('1'));
        QCOMPARE(hex->ValueLabel()->text(), QString("01"));
        // An empty message blocks nothing.
        hex->SetMessageText(QString());
        QVERIFY(!hex->HasMessage());
        QVERIFY(hex->CanInputChar('2', false, false));
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
        CalcBar* bar = CalcBar::MakeWith<CalcBar>(host_.get(), std::move(conv));
        bar->EnsurePlaced();
        const QColor window = bar->palette().color(QPalette::Window);
        auto caption = [&] { return bar->CaptionLabel()->palette().color(QPalette::WindowText); };
        auto panel = [&] { return bar->ValuePanel()->palette().color(QPalette::Window); };
        for (const bool active : {false, true}) {
            bar->SetActive(active);
            QVERIFY2(ContrastRatio(caption(), window) >= 4.5, active ? "active" : "inactive");
            QVERIFY(ContrastRatio(TextColor(*bar->SignIndicator()), panel()) >= 4.5);
            for (const ConvTextState state :
                 {ConvTextState::Normal, ConvTextState::NotApplicable, ConvTextState::Invalid}) {
                script->State = state;
                bar->RefreshValue();
                QVERIFY(ContrastRatio(TextColor(*bar->ValueLabel()), panel()) >= 4.5);
            }
            bar->SetMessageText("計算できません");
            const QColor grey = TextColor(*bar->ValueLabel());
            QVERIFY(ContrastRatio(grey, panel()) >= 4.5);
            QVERIFY(ContrastRatio(grey, bar->WindowTextColor()) >= 1.5);
            bar->Clear();
        }
        QApplication::setPalette(saved);
    }

    void activeColours() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        const QPalette system = QApplication::palette();
        auto panelColor = [&] { return bar->ValuePanel()->palette().color(QPalette::Window); };
        auto captionColor = [&] {
            return bar->CaptionLabel()->palette().color(QPalette::WindowText);
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

    void pressOnAChildActivatesOnlyAnInactiveBar() {
        CalcBar* bar = NewBar(BarKind::Hex);
        int activations = 0;
        int middles = 0;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar& b) {
            QCOMPARE(&b, bar);
            ++activations;
        });
        QObject::connect(bar, &CalcBar::MiddleClicked, [&](CalcBar&) { ++middles; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));

        QTest::mousePress(bar->CaptionLabel(), Qt::LeftButton);
        QCOMPARE(activations, 1);
        QTest::mousePress(bar->ValueLabel(), Qt::RightButton);
        QCOMPARE(activations, 2);
        QTest::mousePress(bar->OperatorLabel(), Qt::LeftButton);
        QCOMPARE(activations, 3);
        SendMousePress(bar->ValuePanel(), Qt::LeftButton);
        QCOMPARE(activations, 4);
        // The bar's own surface activates too, and only once per press.
        SendMousePress(bar, Qt::LeftButton);
        QCOMPARE(activations, 5);
        QCOMPARE(middles, 0);

        bar->SetActive(true);
        QTest::mousePress(bar->CaptionLabel(), Qt::LeftButton);
        SendMousePress(bar, Qt::LeftButton);
        QCOMPARE(activations, 5);
    }

    void middleClickOnChildrenOnly() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        bar->SetShowIndicators(true);
        BarButton* button = bar->AddOptionButton(nullptr);
        int activations = 0;
        std::vector<CalcBar*> middles;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar&) { ++activations; });
        QObject::connect(bar, &CalcBar::MiddleClicked, [&](CalcBar& b) { middles.push_back(&b); });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));

        QTest::mousePress(bar->ValueLabel(), Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{1});
        QCOMPARE(middles[0], bar);
        QCOMPARE(activations, 1);
        QTest::mousePress(bar->SignIndicator(), Qt::MiddleButton);
        QTest::mousePress(button, Qt::MiddleButton);
        QTest::mousePress(bar->CaptionLabel(), Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
        SendMousePress(bar, Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
        // Without a handler nothing happens.
        QObject::disconnect(bar, &CalcBar::MiddleClicked, nullptr, nullptr);
        QTest::mousePress(bar->ValueLabel(), Qt::MiddleButton);
        QCOMPARE(middles.size(), std::size_t{4});
    }

    void middleClickMayDestroyTheBar() {
        CalcBar* deferred = NewBar(BarKind::Decimal);
        CalcBar* immediate = NewBar(BarKind::Hex);
        immediate->move(0, 40);
        QPointer<CalcBar> deferredGuard(deferred);
        QPointer<CalcBar> immediateGuard(immediate);
        QObject::connect(deferred, &CalcBar::MiddleClicked, [](CalcBar& b) { b.deleteLater(); });
        QObject::connect(immediate, &CalcBar::MiddleClicked, [](CalcBar& b) { delete &b; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mousePress(deferred->ValueLabel(), Qt::MiddleButton);
        QTest::mousePress(immediate->CaptionLabel(), Qt::MiddleButton);
        QVERIFY(immediateGuard.isNull());
        QTRY_VERIFY(deferredGuard.isNull());
    }

    void optionButtonTakesTheActionAndStillClicks() {
        CommandAction action("ActDegreeHMS");
        action.SetCaption("hms");
        action.SetHint(QString::fromUtf8("[h]:m:s形式|3ブロック以上は区切りなしにする"));
        action.SetGroupIndex(1001);
        action.SetTag(7);
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* button = bar->AddOptionButton(&action);
        QCOMPARE(button->text(), QString("hms"));
        QCOMPARE(button->toolTip(), QString::fromUtf8("[h]:m:s形式"));
        QCOMPARE(button->GroupIndex(), 1001);
        QCOMPARE(button->Tag(), 7);
        QVERIFY(button->isEnabled());
        QCOMPARE(bar->OptionControls().size(), std::size_t{1});

        int activations = 0;
        int clicks = 0;
        QObject::connect(bar, &CalcBar::ActivateRequested, [&](CalcBar&) { ++activations; });
        QObject::connect(button, &QToolButton::clicked, [&] { ++clicks; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(activations, 1);
        QCOMPARE(clicks, 1);
    }

    void hiddenAndDisabledActions() {
        CommandAction hidden("Hidden");
        hidden.SetCaption("H");
        hidden.setVisible(false);
        CommandAction disabled("Disabled");
        disabled.SetCaption("&Off");
        disabled.setEnabled(false);
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* hiddenButton = bar->AddOptionButton(&hidden);
        BarButton* disabledButton = bar->AddOptionButton(&disabled);
        bar->EnsurePlaced();
        QVERIFY(hiddenButton->isHidden());
        QVERIFY(!disabledButton->isEnabled());
        // The access mark is not shown and does not become a mnemonic.
        QCOMPARE(disabledButton->text(), QString("Off"));
        QVERIFY(disabledButton->shortcut().isEmpty());
        QCOMPARE(disabledButton->x(), bar->CaptionWidth() + 2);
    }

    void radioGroupsAndToggles() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* a = bar->AddOptionButton(nullptr);
        BarButton* b = bar->AddOptionButton(nullptr);
        BarButton* toggle = bar->AddOptionButton(nullptr);
        BarButton* plain = bar->AddOptionButton(nullptr);
        a->SetGroupIndex(1002);
        b->SetGroupIndex(1002);
        toggle->SetGroupIndex(1004);
        toggle->SetAllowAllUp(true);
        a->SetDown(true);
        QVERIFY(a->Down());
        QVERIFY(!b->Down());
        b->SetDown(true);
        QVERIFY(!a->Down());
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QTest::mouseClick(a, Qt::LeftButton);
        QVERIFY(a->Down());
        QVERIFY(!b->Down());
        QTest::mouseClick(a, Qt::LeftButton);
        QVERIFY(a->Down()); // a radio button stays down
        QVERIFY(!toggle->Down());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->Down());
        QVERIFY(a->Down()); // other groups are untouched
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!toggle->Down());
        plain->SetDown(true);
        QVERIFY(!plain->Down());
        QTest::mouseClick(plain, Qt::LeftButton);
        QVERIFY(!plain->Down());
    }

    void optionControlsArePlacedBetweenTheSpacers() {
        CommandAction hms("ActDegreeHMS");
        hms.SetCaption("hms");
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* narrow = bar->AddOptionButton(nullptr);
        narrow->setText("t");
        BarSeparator* divider = bar->AddOptionSeparator(true);
        BarSeparator* gap = bar->AddOptionSeparator(false);
        QVERIFY(divider->IsDivider());
        QVERIFY(!gap->IsDivider());
        bar->EnsurePlaced();
        const int edge = 2;
        const int border = 1;
        const int captionWidth = bar->CaptionWidth();
        QCOMPARE(narrow->x(), captionWidth + edge);
        // Three quarters of a tool button, or what the style needs for the caption.
        const int narrowWidth = std::max(17, narrow->sizeHint().width());
        QCOMPARE(narrow->width(), narrowWidth);
        QCOMPARE(divider->x(), narrow->x() + narrowWidth);
        QCOMPARE(divider->width(), 2 * (edge + border));
        QCOMPARE(gap->x(), divider->x() + divider->width());
        QCOMPARE(gap->width(), 2 * edge);
        QCOMPARE(bar->ValuePanel()->x(), gap->x() + gap->width() + edge);

        // A button added later lands before the trailing spacer.
        const int panelBefore = bar->ValuePanel()->x();
        BarButton* late = bar->AddOptionButton(&hms);
        const int lateWidth =
            std::max({QFontMetrics(late->font()).horizontalAdvance("hms") + 6 * border,
                      late->sizeHint().width(), 17});
        QCOMPARE(late->x(), gap->x() + gap->width());
        QCOMPARE(late->width(), lateWidth);
        QCOMPARE(bar->ValuePanel()->x(), panelBefore + lateWidth);
        QCOMPARE(bar->ValuePanel()->x() + bar->ValuePanel()->width(), bar->width());
        // Hiding a control closes its gap.
        late->hide();
        QCOMPARE(bar->ValuePanel()->x(), panelBefore);
    }

    // A long caption keeps clear of its button's edges: the button is at
    // least as wide as the style draws that caption.
    void buttonCaptionsClearTheEdges() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        std::vector<BarButton*> buttons;
        for (const char* caption : {"DWord", "BRev", "Word", "t"}) {
            buttons.push_back(bar->AddOptionButton(nullptr));
            buttons.back()->setText(caption);
        }
        bar->EnsurePlaced();
        for (BarButton* button : buttons)
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    }

    // The value is never cut: the bar's minimum width holds the whole text,
    // and grows with it.
    void minimumWidthHoldsTheWholeValue() {
        CalcBar* bar = NewBar(BarKind::Bin);
        bar->SetMode(CalcValueMode::QWord);
        QFont big = bar->ValuePanel()->font();
        big.setPointSize(20);
        bar->SetDisplayFont(big);
        bar->EnsurePlaced();
        bar->SetValue(IntegerValue(CalcValueMode::QWord, -1));
        const int text = QFontMetrics(big).horizontalAdvance(bar->ValueLabel()->text());
        const int beside = bar->CaptionWidth() + 2 * 2 + bar->OperatorLabel()->width();
        QVERIFY(bar->minimumSizeHint().width() >= beside + text);
        const int wide = bar->minimumSizeHint().width();
        bar->SetValue(IntegerValue(CalcValueMode::QWord, 1));
        QVERIFY(bar->minimumSizeHint().width() <= wide);
        bar->SetMessageText(QString(200, QLatin1Char('x')));
        QVERIFY(bar->minimumSizeHint().width() >=
                beside + QFontMetrics(big).horizontalAdvance(QString(200, QLatin1Char('x'))));
    }

    void panelFillsTheBarOnResize() {
        CalcBar* bar = NewBar(BarKind::Bin);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        for (int width : {200, 480, 90}) {
            bar->resize(width, bar->height());
            QCOMPARE(bar->ValuePanel()->x() + bar->ValuePanel()->width(), width);
        }
        bar->resize(10, bar->height());
        QCOMPARE(bar->ValuePanel()->width(), 0);
    }

    void equalCaptionWidths() {
        std::vector<CalcBar*> bars;
        for (int kind = 0; kind < 4; ++kind) {
            bars.push_back(NewBar(static_cast<BarKind>(kind)));
        }
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        const QFontMetrics metrics(bars[0]->CaptionLabel()->font());
        int widest = 0;
        for (const char* label :
             {"DEC", "HEX", "OCT", "BIN", "CHR", "IP", "DEG", "FLT", "TIME", "KILO"}) {
            widest = std::max(widest, metrics.horizontalAdvance(label));
        }
        for (CalcBar* bar : bars) {
            QVERIFY(bar->IsPlaced());
            QCOMPARE(bar->CaptionWidth(), widest + 2);
            QCOMPARE(bar->CaptionLabel()->width(), widest + 2);
            QCOMPARE(bar->ValuePanel()->x(), widest + 2 + 2 * 2);
        }
        // A font inherited later changes every caption alike.
        QFont wide = host_->font();
        wide.setPointSize(wide.pointSize() * 2);
        host_->setFont(wide);
        const QFontMetrics wideMetrics(bars[0]->CaptionLabel()->font());
        const int widestWide = wideMetrics.horizontalAdvance("KILO");
        QVERIFY(widestWide > widest);
        for (CalcBar* bar : bars) {
            QCOMPARE(bar->CaptionWidth(), bars[0]->CaptionWidth());
            QVERIFY(bar->CaptionWidth() >= widestWide + 2);
            QCOMPARE(bar->ValuePanel()->x(), bar->CaptionWidth() + 2 * 2);
        }
        host_->setFont(QFont());
        // Before placement the width is already the shared one.
        const std::unique_ptr<CalcBar> loose(CalcBar::Make<CalcBar>(nullptr, BarKind::Oct));
        QVERIFY(!loose->IsPlaced());
        QCOMPARE(loose->CaptionWidth(), widest + 2);
    }

    // Sizes measured once are kept; a new caption or font must measure again.
    void measuredSizesFollowCaptionAndFont() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        BarButton* button = bar->AddOptionButton(nullptr);
        button->setText("&ab");
        const QFont normal = button->font();
        QFont big = normal;
        big.setPointSize(normal.pointSize() * 3);
        const auto buttonWidth = [button](const QFont& font, const char* text) {
            return std::max(
                {QFontMetrics(font).horizontalAdvance(text) + 6, button->sizeHint().width(), 17});
        };
        const int withoutButton = bar->minimumSizeHint().width() - buttonWidth(normal, "ab");
        QCOMPARE(button->CaptionTextWidth(), QFontMetrics(normal).horizontalAdvance("ab"));

        button->setText("Kilobytes &wide");
        QCOMPARE(button->CaptionTextWidth(),
                 QFontMetrics(normal).horizontalAdvance("Kilobytes wide"));
        QCOMPARE(bar->minimumSizeHint().width(),
                 withoutButton + buttonWidth(normal, "Kilobytes wide"));
        button->setFont(big);
        QCOMPARE(button->CaptionTextWidth(), QFontMetrics(big).horizontalAdvance("Kilobytes wide"));
        QCOMPARE(bar->minimumSizeHint().width(),
                 withoutButton + buttonWidth(big, "Kilobytes wide"));

        BarCaption caption;
        caption.SetMarkedText("&HEX");
        QCOMPARE(caption.sizeHint(), QSize(QFontMetrics(caption.font()).horizontalAdvance("HEX"),
                                           QFontMetrics(caption.font()).height()));
        caption.SetMarkedText("KILO&&BYTES");
        QCOMPARE(caption.sizeHint().width(),
                 QFontMetrics(caption.font()).horizontalAdvance("KILO&BYTES"));
        caption.setFont(big);
        QCOMPARE(caption.sizeHint(), QSize(QFontMetrics(big).horizontalAdvance("KILO&BYTES"),
                                           QFontMetrics(big).height()));
    }

    void operatorLabelKeepsItsWidth() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        bar->SetValue(IntegerValue(CalcValueMode::Byte, 7));
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QLabel* label = bar->OperatorLabel();
        QCOMPARE(label->font().pointSize(), 9);
        const QFontMetrics metrics(label->font());
        int widest = 0;
        for (const char* symbol : {"+", "-", "*", "/", "%", "&", "|", "^", "<<", ">>", "a>", "<r",
                                   "r>", "p", "rt", "log"}) {
            widest = std::max(widest, metrics.horizontalAdvance(symbol));
        }
        QCOMPARE(label->width(), widest + 2);
        const int valueWidth = bar->ValueLabel()->width();
        const int barWidth = bar->width();
        for (const char* symbol : {"log", "+", "", "<<", "rt"}) {
            bar->SetOperatorText(symbol);
            QApplication::processEvents();
            QCOMPARE(bar->OperatorText(), QString(symbol));
            QCOMPARE(label->width(), widest + 2);
            QCOMPARE(bar->ValueLabel()->width(), valueWidth);
            QCOMPARE(bar->width(), barWidth);
        }
        // A new display font keeps the rule.
        QFont big = bar->font();
        big.setPointSize(20);
        bar->SetDisplayFont(big);
        QCOMPARE(bar->ValueLabel()->font().pointSize(), 20);
        QCOMPARE(label->width(), widest + 2);
        bar->SetDisplayFont(std::nullopt);
        QCOMPARE(bar->ValueLabel()->font().pointSize(), 20);
    }

    void accessKeyNeedsAltAlone() {
        CalcBar* dec = NewBar(BarKind::Decimal);
        CalcBar* bin = NewBar(BarKind::Bin);
        QVERIFY(dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier));
        QVERIFY(dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::KeypadModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::AltModifier | Qt::ControlModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_D, Qt::NoModifier));
        QVERIFY(!dec->MatchesAccessKey(Qt::Key_E, Qt::AltModifier));
        QVERIFY(bin->MatchesAccessKey(Qt::Key_B, Qt::AltModifier));
        QVERIFY(!bin->MatchesAccessKey(Qt::Key_D, Qt::AltModifier));
    }

    void keysOfTheBaseBar() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        QVERIFY(!bar->HandleKey(Qt::Key_Left, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Right, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Space, Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_F10, Qt::NoModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_Menu, Qt::ShiftModifier));
        QVERIFY(!bar->HandleKey(Qt::Key_A, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_Menu, Qt::NoModifier));
        QVERIFY(bar->HandleKey(Qt::Key_F10, Qt::ShiftModifier));
        QApplication::processEvents();
        QVERIFY(bar->CanActivate());
    }

    void contextMenuBuiltOnceAndOpenedBelowThePanel() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        std::vector<int> phases;
        QObject::connect(bar, &CalcBar::MenuBuilding, [&](CalcBar& b, QMenu& menu, int phase) {
            QCOMPARE(&b, bar);
            phases.push_back(phase);
            menu.addAction(phase == 0 ? "Copy" : "Close");
        });
        host_->move(10, 10);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QVERIFY(bar->PopupMenu() == nullptr);
        QVERIFY(bar->HandleKey(Qt::Key_Menu, Qt::NoModifier));
        QVERIFY(bar->PopupMenu() == nullptr); // the request is posted
        QApplication::processEvents();
        QMenu* menu = bar->PopupMenu();
        QVERIFY(menu != nullptr);
        QCOMPARE(phases, (std::vector<int>{0, 1}));
        QCOMPARE(menu->actions().size(), 2);
        QTRY_VERIFY(menu->isVisible());
        const QPoint expected = bar->mapToGlobal(
            QPoint(bar->ValuePanel()->x(), bar->ValuePanel()->y() + bar->ValuePanel()->height()));
        QCOMPARE(menu->pos(), expected);
        menu->hide();

        // A mouse request opens the same menu at the mouse.
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 3),
                                  bar->mapToGlobal(QPoint(5, 3)));
        QApplication::sendEvent(bar, &request);
        QVERIFY(request.isAccepted());
        QCOMPARE(bar->PopupMenu(), menu);
        QCOMPARE(phases.size(), std::size_t{2});
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), bar->mapToGlobal(QPoint(5, 3)));
        menu->hide();
    }

    void emptyContextMenuIsNotShown() {
        CalcBar* bar = NewBar(BarKind::Hex);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 3),
                                  bar->mapToGlobal(QPoint(5, 3)));
        QApplication::sendEvent(bar, &request);
        QVERIFY(!request.isAccepted());
        QVERIFY(bar->PopupMenu() != nullptr);
        QVERIFY(bar->PopupMenu()->actions().isEmpty());
        QVERIFY(!bar->PopupMenu()->isVisible());
        // An owner handler added later does not rebuild the kept menu.
        int builds = 0;
        QObject::connect(bar, &CalcBar::MenuBuilding, [&](CalcBar&, QMenu&, int) { ++builds; });
        QApplication::sendEvent(bar, &request);
        QCOMPARE(builds, 0);
    }

    void displayFontBeforePlacement() {
        CalcBar* bar = NewBar(BarKind::Decimal);
        QFont font = bar->font();
        font.setPointSize(17);
        bar->SetDisplayFont(font);
        QCOMPARE(bar->ValuePanel()->font().pointSize(), 17);
        QVERIFY(!bar->IsPlaced());
        bar->EnsurePlaced();
        QCOMPARE(bar->ValueLabel()->font().pointSize(), 17);
        QVERIFY(bar->minimumSizeHint().height() >=
                QFontMetrics(bar->ValuePanel()->font()).height());
    }
};

QTEST_MAIN(TestCalcBar)
#include "test_calcbar.moc"
