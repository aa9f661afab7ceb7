// The settings file through the real window: what start-up reads, what the
// first show applies and what shut-down writes.

#include "CommandLookup.h"
#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/FormatSettings.h"
#include "settings/IniFile.h"
#include "settings/Profile.h"
#include "settings/StoredColor.h"
#include "ui/bars/BandSite.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/bars/CalcBarVariants.h"
#include "ui/text/StoredColorPalette.h"
#include "ui/window/ExpressionLine.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ViewOptions.h"

#include <QColorDialog>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace pexa;
using pexa::testing::FindAction;

Q_DECLARE_METATYPE(std::vector<pexa::BarKind>)

namespace {

// A settings file of the test's own in a fresh folder.
class SettingsFile {
public:
    SettingsFile()
        : path_(dir_.filePath(QStringLiteral("pexa.ini"))), profile_(path_.toStdString()) {}

    QString Path() const { return path_; }
    QString Folder() const { return dir_.path(); }

    void Write(const QByteArray& content) const {
        QFile file(path_);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QByteArray Read() const {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::optional<std::string> Value(const char* section, const std::string& key) const {
        return ReadIniFileValue(path_.toStdString(), section, key);
    }

private:
    QTemporaryDir dir_;
    QString path_;
    ProfilePathOverride profile_;
};

std::vector<BarKind> Kinds(const MainWindow& window) {
    std::vector<BarKind> kinds;
    for (int i = 0; i < window.Bars().Count(); ++i)
        kinds.push_back(window.Bars().At(i)->Kind());
    return kinds;
}

// Kinds this build can show, of those listed.
std::vector<BarKind> Available(std::initializer_list<BarKind> kinds) {
    std::vector<BarKind> result;
    for (const BarKind kind : kinds)
        if (CanOpenBarKind(kind))
            result.push_back(kind);
    return result;
}

// Closes the first message box that comes up and keeps its text.
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text_ = box->text();
                details_ = box->informativeText();
                ++count_;
                box->accept();
            }
        });
        timer_.start();
    }
    QString Text() const { return text_; }
    QString Details() const { return details_; }
    int Count() const { return count_; }

private:
    QTimer timer_;
    QString text_;
    QString details_;
    int count_ = 0;
};

// Defaults the window shows with no usable settings file.
void VerifyDefaults(const MainWindow& window) {
    QCOMPARE(window.Engine().Mode(), CalcValueMode::DWord);
    QVERIFY(window.View().Is(ViewOptions::Flag::DigitGrouping));
    QVERIFY(window.View().Is(ViewOptions::Flag::ShowIndicators));
    QVERIFY(window.View().Is(ViewOptions::Flag::ToolBar));
    QVERIFY(window.View().Is(ViewOptions::Flag::MenuBar));
    QVERIFY(window.View().Is(ViewOptions::Flag::ButtonPanel));
    QVERIFY(!window.View().Is(ViewOptions::Flag::StayOnTop));
    QCOMPARE(window.Engine().Options().Angle(), AngleUnit::Degree);
    QVERIFY(!window.Engine().Options().Hyperbolic());
    QVERIFY(!window.Engine().Options().Rotate());
    QVERIFY(!window.Engine().Options().ArithmeticShift());
    QCOMPARE(window.Engine().Options().ShiftAmount(), 8);
    QCOMPARE(window.View().BodyColor(), EncodeStoredColor(SystemColor::ButtonFace));
    QCOMPARE(window.View().DisplayFont(), window.font());
    QCOMPARE(Kinds(window), (std::vector<BarKind>{BarKind::Decimal, BarKind::Hex}));
    for (int i = 0; i < 16; ++i)
        QCOMPARE(QColorDialog::customColor(i).rgb(), QColor(Qt::white).rgb());
}

// The keys of a section in the order the file holds them.
QStringList KeysOf(const QByteArray& file, const QString& section) {
    QStringList keys;
    bool inside = false;
    for (const QByteArray& raw : file.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('['))
            inside = line.compare('[' + section + ']', Qt::CaseInsensitive) == 0;
        else if (inside && line.contains('='))
            keys << line.section('=', 0, 0);
    }
    return keys;
}

} // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT

private slots:
    void init() {
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, Qt::black);
    }

    void startsWithDefaultsWithoutFile() {
        SettingsFile file;
        auto window = std::make_unique<MainWindow>();
        VerifyDefaults(*window);
        QCOMPARE(window->windowTitle(), QStringLiteral("pexa - Decimal"));
    }

    void firstSaveWritesEveryKeyInOrder() {
        SettingsFile file;
        std::make_unique<MainWindow>().reset();
        const QByteArray text = file.Read();
        QCOMPARE(KeysOf(text, "Bar"), QStringList({"BarCount", "Bar0", "Bar0Width", "Bar0Break",
                                                   "Bar1", "Bar1Width", "Bar1Break"}));
        QCOMPARE(KeysOf(text, "Mode"), QStringList({"CalcMode", "Separated", "AngleMode", "Hyp",
                                                    "Rotate", "Arithmetic", "ShiftAmount"}));
        QCOMPARE(KeysOf(text, "View"),
                 QStringList({"ShowIndicators", "ToolBar", "MenuBar", "ButtonPanel", "Topmost",
                              "Language", "ExpressionLine", "History"}));
        QStringList color{"BodyColor"};
        for (char c = 'A'; c <= 'P'; ++c)
            color << QStringLiteral("Color%1").arg(QLatin1Char(c));
        QCOMPARE(KeysOf(text, "Color"), color);
        QCOMPARE(KeysOf(text, "DisplayFont"), QStringList({"Charset", "Size", "Name", "Bold",
                                                           "Italic", "Underline", "StrikeOut"}));
        // Sections come in the order of their first write.
        const QStringList sections = {"[Bar]", "[Mode]", "[View]", "[Color]", "[DisplayFont]"};
        qsizetype last = -1;
        for (const QString& section : sections) {
            const qsizetype at = text.indexOf(section.toUtf8());
            QVERIFY2(at > last, qPrintable(section));
            last = at;
        }
        QCOMPARE(file.Value("Bar", "BarCount"), std::optional<std::string>("2"));
        QCOMPARE(file.Value("Bar", "Bar0"), std::optional<std::string>("DEC"));
        QCOMPARE(file.Value("Bar", "Bar1"), std::optional<std::string>("HEX"));
        QCOMPARE(file.Value("Color", "BodyColor"), std::optional<std::string>("-2147483633"));
    }

    // Body colours written by hand or elsewhere: each shows the desktop colour
    // its index names (an unknown index: the button face) and is written back
    // exactly as it was read.
    void handWrittenBodyColoursShowAndWriteBack() {
        const QPalette palette = QGuiApplication::palette();
        const struct {
            const char* Stored;
            QColor Shown;
        } cases[] = {
            {"-2147483635", palette.color(QPalette::Active, QPalette::Highlight)}, // index 13
            {"-2147483643", palette.color(QPalette::Active, QPalette::Base)},      // index 5
            {"-16777211", palette.color(QPalette::Active, QPalette::Base)},        // 0xFF000005
            {"-2147483393", palette.color(QPalette::Active, QPalette::Button)},    // index 255
            {"255", QColor(255, 0, 0)},
        };
        for (const auto& c : cases) {
            SettingsFile file;
            file.Write(QByteArray("[Color]\nBodyColor=") + c.Stored + "\n");
            {
                MainWindow window;
                QCOMPARE(ColorOf(window.View().BodyColor()), c.Shown);
                QCOMPARE(window.palette().color(QPalette::Window), c.Shown);
            }
            QCOMPARE(file.Value("Color", "BodyColor"), std::optional<std::string>(c.Stored));
        }
    }

    void everyKeyRoundTrips() {
        SettingsFile file;
        QFont font;
        {
            auto window = std::make_unique<MainWindow>();
            window->Engine().SetMode(CalcValueMode::QWord);
            window->View().Set(ViewOptions::Flag::DigitGrouping, false);
            window->View().Set(ViewOptions::Flag::ShowIndicators, false);
            window->View().Set(ViewOptions::Flag::ToolBar, false);
            window->View().Set(ViewOptions::Flag::MenuBar, false);
            window->View().Set(ViewOptions::Flag::ButtonPanel, false);
            window->View().Set(ViewOptions::Flag::StayOnTop, true);
            window->Engine().Options().SetAngle(AngleUnit::Radian);
            window->Engine().Options().SetHyperbolic(true);
            window->Engine().Options().SetRotate(true);
            window->Engine().Options().SetArithmeticShift(true);
            window->Engine().Options().SetShiftAmount(16);
            window->View().SetBodyColor(0x00123456);
            QColorDialog::setCustomColor(3, QColor(0x12, 0x34, 0x56));
            font = window->font();
            font.setFamily(QStringLiteral("DejaVu Serif"));
            font.setPointSize(17);
            font.setBold(true);
            font.setItalic(true);
            font.setUnderline(true);
            font.setStrikeOut(true);
            window->View().SetDisplayFont(font);
            window->Bars().CloseOfKind(BarKind::Decimal);
            window->Bars().Toggle(BarKind::Bin);
            window->Bars().Toggle(BarKind::Oct);
        }
        QCOMPARE(file.Value("Color", "ColorD"), std::optional<std::string>("563412"));
        QCOMPARE(file.Value("Color", "BodyColor"), std::optional<std::string>("1193046"));
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, Qt::black);

        auto window = std::make_unique<MainWindow>();
        QCOMPARE(window->Engine().Mode(), CalcValueMode::QWord);
        QVERIFY(!window->View().Is(ViewOptions::Flag::DigitGrouping));
        QVERIFY(!window->View().Is(ViewOptions::Flag::ShowIndicators));
        QVERIFY(!window->View().Is(ViewOptions::Flag::ToolBar));
        QVERIFY(!window->View().Is(ViewOptions::Flag::MenuBar));
        QVERIFY(!window->View().Is(ViewOptions::Flag::ButtonPanel));
        QVERIFY(window->View().Is(ViewOptions::Flag::StayOnTop));
        QCOMPARE(window->Engine().Options().Angle(), AngleUnit::Radian);
        QVERIFY(window->Engine().Options().Hyperbolic());
        QVERIFY(window->Engine().Options().Rotate());
        QVERIFY(window->Engine().Options().ArithmeticShift());
        QCOMPARE(window->Engine().Options().ShiftAmount(), 16);
        QCOMPARE(window->View().BodyColor(), 0x00123456);
        QCOMPARE(QColorDialog::customColor(3).rgb(), QColor(0x12, 0x34, 0x56).rgb());
        QCOMPARE(QColorDialog::customColor(4).rgb(), QColor(Qt::white).rgb());
        QCOMPARE(window->View().DisplayFont().family(), font.family());
        QCOMPARE(window->View().DisplayFont().pointSize(), 17);
        QVERIFY(window->View().DisplayFont().bold());
        QVERIFY(window->View().DisplayFont().italic());
        QVERIFY(window->View().DisplayFont().underline());
        QVERIFY(window->View().DisplayFont().strikeOut());
        QCOMPARE(Kinds(*window), Available({BarKind::Hex, BarKind::Bin, BarKind::Oct}));
        // The bars follow the stored switches too.
        QVERIFY(!window->Bars().At(0)->GroupsDigits());
        QCOMPARE(window->Bars().At(0)->Conv().GetMode(), CalcValueMode::QWord);
    }

    void barLists_data() {
        QTest::addColumn<QByteArray>("bars");
        QTest::addColumn<std::vector<BarKind>>("expected");
        const auto decHex = std::vector<BarKind>{BarKind::Decimal, BarKind::Hex};
        QTest::newRow("no list") << QByteArray() << decHex;
        QTest::newRow("count out of range") << QByteArray("BarCount=11\nBar0=BIN\n") << decHex;
        QTest::newRow("count not a number") << QByteArray("BarCount=two\nBar0=BIN\n") << decHex;
        QTest::newRow("count 0") << QByteArray("BarCount=0\nBar0=BIN\n") << std::vector<BarKind>{};
        QTest::newRow("count in hex") << QByteArray("BarCount=$2\nBar0=OCT\nBar1=BIN\nBar2=HEX\n")
                                      << Available({BarKind::Oct, BarKind::Bin});
        QTest::newRow("unknown name") << QByteArray("BarCount=3\nBar0=HEX\nBar1=XYZ\nBar2=BIN\n")
                                      << Available({BarKind::Hex, BarKind::Bin});
        QTest::newRow("wrong case") << QByteArray("BarCount=2\nBar0=hex\nBar1=DEC\n")
                                    << std::vector<BarKind>{BarKind::Decimal};
        QTest::newRow("repeated") << QByteArray("BarCount=3\nBar0=OCT\nBar1=OCT\nBar2=DEC\n")
                                  << Available({BarKind::Oct, BarKind::Decimal});
        QTest::newRow("missing entry")
            << QByteArray("BarCount=2\nBar1=BIN\n") << Available({BarKind::Bin});
        QByteArray all("BarCount=10\n");
        std::vector<BarKind> allKinds;
        // In reverse kind order, so that the list's order is seen to count.
        for (int position = 0; position < BarKindCount; ++position) {
            const auto kind = static_cast<BarKind>(BarKindCount - 1 - position);
            all += QStringLiteral("Bar%1=%2\n")
                       .arg(position)
                       .arg(QString::fromLatin1(GetBarKindInfo(kind).Label))
                       .toLatin1();
            if (CanOpenBarKind(kind))
                allKinds.push_back(kind);
        }
        QTest::newRow("all ten") << all << allKinds;
    }

    void barLists() {
        QFETCH(QByteArray, bars);
        QFETCH(std::vector<BarKind>, expected);
        SettingsFile file;
        file.Write("[Bar]\n" + bars);
        {
            auto window = std::make_unique<MainWindow>();
            QCOMPARE(Kinds(*window), expected);
        }
        // What shut-down writes reads back as the same list.
        QCOMPARE(file.Value("Bar", "BarCount"), std::optional(std::to_string(expected.size())));
        auto window = std::make_unique<MainWindow>();
        QCOMPARE(Kinds(*window), expected);
    }

    void bandLayoutAppliedWhenFirstShown() {
        SettingsFile file;
        file.Write("[Bar]\nBarCount=3\nBar0=DEC\nBar0Width=220\nBar1=HEX\nBar1Width=200\n"
                   "Bar1Break=0\nBar2=OCT\nBar2Width=0\nBar2Break=0\n");
        auto window = std::make_unique<MainWindow>();
        BandSite* site = window->Bars().Site();
        // Not before the window is shown.
        QCOMPARE(site->RowCount(), 3);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Width 0: automatic width, and its break flag is not read.
        QCOMPARE(site->RowCount(), 2);
        QVERIFY(!site->BandBreak(1));
        QVERIFY(site->BandBreak(2));
        QCOMPARE(site->BandWidth(0), 220);
        for (int i = 0; i < site->BandCount(); ++i)
            QCOMPARE(site->BandMinWidth(i), window->Bars().At(i)->CaptionWidth());
        const int smallest = BandSite::kGripWidth + site->BandMinWidth(2) + BandSite::kEdgeWidth;
        window.reset();
        // The widths read are kept, not the one the last band of a row
        // stretched to; the automatic band keeps its smallest.
        QCOMPARE(file.Value("Bar", "Bar0Width"), std::optional<std::string>("220"));
        QCOMPARE(file.Value("Bar", "Bar1Width"), std::optional<std::string>("200"));
        QCOMPARE(file.Value("Bar", "Bar2Width"), std::optional(std::to_string(smallest)));
        QCOMPARE(file.Value("Bar", "Bar1Break"), std::optional<std::string>("0"));
        QCOMPARE(file.Value("Bar", "Bar2Break"), std::optional<std::string>("1"));
    }

    // However many keys the window and its bars read, the file is read from disk
    // once to start and once to save.
    void startUpAndShutDownReadTheFileOnceEach() {
        SettingsFile file;
        file.Write("[Mode]\nCalcMode=1\nCharEncoding=1\nTimeEncoding=1\n[Bar]\nBarCount=4\n"
                   "Bar0=DEC\nBar0Width=220\nBar1=CHR\nBar2=TIME\nBar3=DEG\n");
        const std::size_t before = IniFileReadCount();
        auto window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(IniFileReadCount() - before, std::size_t{1});
        window.reset();
        QCOMPARE(IniFileReadCount() - before, std::size_t{2});
        QCOMPARE(file.Value("Mode", "CharEncoding"), std::optional<std::string>("1"));
    }

    // A kind's options are read when a bar of the kind opens, and written
    // when it closes and when the window goes; a kind that is not open then
    // keeps what the file holds.
    void barOptionsFollowTheirBars() {
        SettingsFile file;
        file.Write("[Mode]\nCharEncoding=2\nHMSStyle=1\nFloat16Format=1\nFloat8Format=1\n"
                   "TimeEncoding=1\nTimeDiffMode=1\n");
        auto window = std::make_unique<MainWindow>();
        BarStack& bars = window->Bars();
        for (const BarKind kind : {BarKind::Char, BarKind::Degree, BarKind::Float, BarKind::Time})
            bars.Toggle(kind);
        auto* chr = qobject_cast<CharacterBar*>(bars.Find(BarKind::Char));
        auto* deg = qobject_cast<SexagesimalBar*>(bars.Find(BarKind::Degree));
        auto* flt = qobject_cast<FloatBar*>(bars.Find(BarKind::Float));
        auto* tim = qobject_cast<DateTimeBar*>(bars.Find(BarKind::Time));
        QVERIFY(chr && deg && flt && tim);
        QCOMPARE(chr->Encoding(), CharEncoding::Euc);
        QVERIFY(deg->HmsStyle());
        QCOMPARE(flt->WordFormat(), FloatFormat::BFloat16);
        QCOMPARE(flt->ByteFormat(), FloatFormat::E5M2);
        QCOMPARE(tim->Encoding(), TimeEncoding::OleDate);
        QVERIFY(tim->DiffMode());

        chr->SetEncoding(CharEncoding::Utf16);
        bars.Toggle(BarKind::Char);
        QCOMPARE(bars.Find(BarKind::Char), nullptr);
        QCOMPARE(file.Value("Mode", "CharEncoding"), std::optional<std::string>("5"));
        bars.Toggle(BarKind::Char);
        chr = qobject_cast<CharacterBar*>(bars.Find(BarKind::Char));
        QVERIFY(chr != nullptr);
        QCOMPARE(chr->Encoding(), CharEncoding::Utf16);

        tim->SetDiffMode(false);
        bars.Toggle(BarKind::Time);
        file.Write("[Mode]\nTimeEncoding=0\nTimeDiffMode=1\n");
        deg->SetHmsStyle(false);
        flt->SetWordFormat(FloatFormat::Half);
        window.reset();
        QCOMPARE(file.Value("Mode", "CharEncoding"), std::optional<std::string>("5"));
        QCOMPARE(file.Value("Mode", "HMSStyle"), std::optional<std::string>("0"));
        QCOMPARE(file.Value("Mode", "Float16Format"), std::optional<std::string>("0"));
        QCOMPARE(file.Value("Mode", "Float8Format"), std::optional<std::string>("1"));
        QCOMPARE(file.Value("Mode", "TimeEncoding"), std::optional<std::string>("0"));
        QCOMPARE(file.Value("Mode", "TimeDiffMode"), std::optional<std::string>("1"));
    }

    void repeatedBarTakesFirstPositionsLayout() {
        SettingsFile file;
        file.Write("[Bar]\nBarCount=3\nBar0=DEC\nBar0Width=150\nBar1=DEC\nBar1Width=300\n"
                   "Bar1Break=1\nBar2=HEX\nBar2Width=100\nBar2Break=0\n");
        auto window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(Kinds(*window), (std::vector<BarKind>{BarKind::Decimal, BarKind::Hex}));
        QCOMPARE(window->Bars().Site()->RowCount(), 1);
        QCOMPARE(window->Bars().Site()->BandWidth(0), 150);
        window.reset();
        // Saved at the positions they have now.
        QCOMPARE(file.Value("Bar", "Bar1"), std::optional<std::string>("HEX"));
        QCOMPARE(file.Value("Bar", "Bar0Width"), std::optional<std::string>("150"));
    }

    void expressionLineIsShownAsSaved() {
        SettingsFile file;
        file.Write("[View]\nExpressionLine=1\n");
        auto window = std::make_unique<MainWindow>();
        QVERIFY(!window->ExpressionInput()->isHidden());
        QVERIFY(window->Execute(Command::ExpressionLine));
        window.reset();
        QCOMPARE(file.Value("View", "ExpressionLine"), std::optional<std::string>("0"));
        window = std::make_unique<MainWindow>();
        QVERIFY(window->ExpressionInput()->isHidden());
        QVERIFY(window->Execute(Command::ExpressionLine));
        window.reset();
        QCOMPARE(file.Value("View", "ExpressionLine"), std::optional<std::string>("1"));
    }

    void hugeBandWidthKeepsWindowOnScreen() {
        SettingsFile file;
        // Without the tool bar and the button panel, the bars alone set the width.
        file.Write("[View]\nToolBar=0\nButtonPanel=0\n"
                   "[Bar]\nBarCount=2\nBar0=DEC\nBar0Width=2147483647\nBar1=HEX\n"
                   "Bar1Width=2147483647\nBar1Break=0\n");
        auto window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const int screenWidth = window->screen()->availableGeometry().width();
        QVERIFY(window->Bars().Site()->BandWidth(0) <= screenWidth);
        QVERIFY(window->width() <= 2 * screenWidth + 100);
        // Both bands share one row: the row, not each band, fits the screen.
        QCOMPARE(window->Bars().Site()->RowCount(), 1);
        QTRY_VERIFY(window->width() <= screenWidth);
        QVERIFY(window->Bars().Site()->BandWidth(0) > window->Bars().Site()->BandMinWidth(0));
    }

    void storedValues_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("shift");
        QTest::newRow("mode 7") << QByteArray("[Mode]\nCalcMode=7\n") << 2 << 0 << 8;
        QTest::newRow("mode in hex") << QByteArray("[mode]\ncalcmode=$4\n") << 4 << 0 << 8;
        QTest::newRow("mode 0x") << QByteArray("[Mode]\nCalcMode=0x3\n") << 3 << 0 << 8;
        QTest::newRow("shift 0") << QByteArray("[Mode]\nShiftAmount=0\n") << 2 << 0 << 8;
        QTest::newRow("shift 17") << QByteArray("[Mode]\nShiftAmount=17\n") << 2 << 0 << 8;
        QTest::newRow("shift 4") << QByteArray("[Mode]\nShiftAmount=4\n") << 2 << 0 << 4;
        QTest::newRow("angle -1") << QByteArray("[Mode]\nAngleMode=-1\n") << 2 << 0 << 8;
        QTest::newRow("angle 2") << QByteArray("[Mode]\nAngleMode=2\n") << 2 << 2 << 8;
        QTest::newRow("everything") << QByteArray("[Mode]\nCalcMode=0\nAngleMode=1\n"
                                                  "ShiftAmount=$10\n")
                                    << 0 << 1 << 16;
    }

    void storedValues() {
        QFETCH(QByteArray, content);
        QFETCH(int, mode);
        QFETCH(int, angle);
        QFETCH(int, shift);
        SettingsFile file;
        file.Write(content);
        auto window = std::make_unique<MainWindow>();
        QCOMPARE(static_cast<int>(window->Engine().Mode()), mode);
        QCOMPARE(static_cast<int>(window->Engine().Options().Angle()), angle);
        QCOMPARE(window->Engine().Options().ShiftAmount(), shift);
    }

    void displayFont_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << QByteArray("Size=12\n") << 12 << "12";
        QTest::newRow("in hex") << QByteArray("Size=$0C\n") << 12 << "12";
        // A size no font can have is the window's, and is written back as that.
        const int windows = -1;
        QTest::newRow("absurdly large") << QByteArray("Size=2147483647\n") << windows << "";
        QTest::newRow("just too large") << QByteArray("Size=145\n") << windows << "";
        QTest::newRow("zero") << QByteArray("Size=0\n") << windows << "";
        QTest::newRow("negative") << QByteArray("Size=-5\n") << windows << "";
        QTest::newRow("not a number") << QByteArray("Size=big\n") << windows << "";
    }

    void displayFont() {
        QFETCH(QByteArray, content);
        QFETCH(int, size);
        QFETCH(QString, written);
        SettingsFile file;
        file.Write("[DisplayFont]\nCharset=128\nName=\nItalic=1\n" + content);
        {
            auto window = std::make_unique<MainWindow>();
            if (size < 0) {
                size = window->font().pointSize();
                QVERIFY(size > 1);
                written = QString::number(size);
            }
            QCOMPARE(window->View().DisplayFont().pointSize(), size);
            QVERIFY(window->View().DisplayFont().italic());
            QVERIFY(!window->View().DisplayFont().bold());
            // An empty name keeps the window's face.
            QCOMPARE(window->View().DisplayFont().family(), window->font().family());
            QCOMPARE(window->Bars().At(0)->Parts().ValueLabel->font().italic(), true);
        }
        QCOMPARE(file.Value("DisplayFont", "Size"), std::optional(written.toStdString()));
        // Charset means nothing here but goes back as it came.
        QCOMPARE(file.Value("DisplayFont", "Charset"), std::optional<std::string>("128"));
    }

    void customColors() {
        SettingsFile file;
        file.Write("[Color]\nColorA=0000FF\nColorB=zz\nColorC=\nColorD=80000000\n"
                   "ColorE=00ff00\nColorF=1FF0000\n");
        {
            auto window = std::make_unique<MainWindow>();
            QCOMPARE(QColorDialog::customColor(0).rgb(), QColor(255, 0, 0).rgb());
            for (int i = 1; i <= 3; ++i)
                QCOMPARE(QColorDialog::customColor(i).rgb(), QColor(Qt::white).rgb());
            QCOMPARE(QColorDialog::customColor(4).rgb(), QColor(0, 255, 0).rgb());
            QCOMPARE(QColorDialog::customColor(5).rgb(), QColor(0, 0, 255).rgb());
            QCOMPARE(QColorDialog::customColor(15).rgb(), QColor(Qt::white).rgb());
            QColorDialog::setCustomColor(15, QColor(1, 2, 3));
        }
        QCOMPARE(file.Value("Color", "ColorA"), std::optional<std::string>("0000FF"));
        QCOMPARE(file.Value("Color", "ColorB"), std::optional<std::string>("FFFFFF"));
        QCOMPARE(file.Value("Color", "ColorD"), std::optional<std::string>("FFFFFF"));
        // Unchanged colours keep the text they were read in.
        QCOMPARE(file.Value("Color", "ColorE"), std::optional<std::string>("00ff00"));
        QCOMPARE(file.Value("Color", "ColorF"), std::optional<std::string>("1FF0000"));
        QCOMPARE(file.Value("Color", "ColorP"), std::optional<std::string>("030201"));
    }

    void othersKeysSurviveASave() {
        SettingsFile file;
        const QByteArray foreign = "; written by hand\n[Other]\nKey=value with spaces\n"
                                   "[Mode]\nFutureOption=42\nCalcMode=1\n# note\n";
        file.Write(foreign);
        std::make_unique<MainWindow>().reset();
        const QByteArray after = file.Read();
        QVERIFY(after.startsWith("; written by hand\n[Other]\nKey=value with spaces\n[Mode]\n"
                                 "FutureOption=42\nCalcMode=1\n"));
        QVERIFY(after.contains("# note\n"));
        QCOMPARE(file.Value("Other", "Key"), std::optional<std::string>("value with spaces"));
    }

    void damagedFilesGiveDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QByteArray garbage(64 * 1024, '\0');
        QRandomGenerator random(20240601);
        for (char& c : garbage)
            c = static_cast<char>(random.bounded(256));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("long lines") << "[Mode]\nCalcMode=" + QByteArray(100000, '7') + "\n[" +
                                           QByteArray(100000, 'B') + "]\nBarCount=1\n[Bar]\n" +
                                           "Bar0=" + QByteArray(100000, 'X') + "\n";
        QTest::newRow("sections only") << QByteArray("[Mode]\n[View]\n[Bar]\n[Color]\n");
    }

    void damagedFilesGiveDefaults() {
        QFETCH(QByteArray, content);
        SettingsFile file;
        file.Write(content);
        auto window = std::make_unique<MainWindow>();
        VerifyDefaults(*window);
    }

    // Without any write permission bit the file is frozen, for root too.
    void readOnlyFileKeepsItsContent() {
        SettingsFile file;
        const QByteArray content = "[Mode]\nCalcMode=1\n";
        file.Write(content);
        QVERIFY(QFile::setPermissions(file.Path(), QFile::ReadOwner | QFile::ReadGroup));
        MessageBoxCatcher catcher;
        {
            auto window = std::make_unique<MainWindow>();
            window->Engine().SetMode(CalcValueMode::Float);
        }
        QCOMPARE(catcher.Count(), 1);
        QCOMPARE(catcher.Text(), file.Path() + QStringLiteral(" に書き込めません"));
        QCOMPARE(file.Read(), content);
    }

    void unwritableFolderGivesTheMessage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/pexa.ini"));
        ProfilePathOverride profile(path.toStdString());
        MessageBoxCatcher catcher;
        {
            auto window = std::make_unique<MainWindow>();
            VerifyDefaults(*window);
        }
        // One message, for the first key; the save stops there.
        QCOMPARE(catcher.Count(), 1);
        QCOMPARE(catcher.Text(), path + QStringLiteral(" に書き込めません"));
        QVERIFY(!QFile::exists(path));
    }

    // The message names the system's reason, which the system words (in its own
    // language); the frame around it is the interface's.
    void failedWriteGivesTheSystemsReason_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("error");
        QTest::newRow("a regular file in place of the folder") << "file" << ENOTDIR;
        QTest::newRow("a loop of links") << "loop" << ELOOP;
        QTest::newRow("a folder without write permission") << "folder" << EACCES;
    }

    void failedWriteGivesTheSystemsReason() {
        QFETCH(QString, setup);
        QFETCH(int, error);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("pexa.ini"));
        if (setup == QLatin1String("file")) {
            QFile file(dir.filePath(QStringLiteral("plain")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            path = dir.filePath(QStringLiteral("plain/pexa.ini"));
        } else if (setup == QLatin1String("loop")) {
            QVERIFY(QFile::link(QStringLiteral("pexa.ini"), path));
        } else {
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            if (::access(dir.path().toLocal8Bit().constData(), W_OK) == 0) {
                QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("running with permission to write anywhere (root): a folder without "
                      "write permission does not stop writes");
            }
        }
        ProfilePathOverride profile(path.toStdString());
        MessageBoxCatcher catcher;
        {
            auto window = std::make_unique<MainWindow>();
            window->Engine().SetMode(CalcValueMode::Float);
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(catcher.Count(), 1);
        QCOMPARE(catcher.Text(), path + QStringLiteral(" に書き込めません"));
        QCOMPARE(catcher.Details(),
                 QStringLiteral("理由: ") + QString::fromLocal8Bit(std::strerror(error)));
    }

    // Switching a bar off writes its own keys at once; a failed write says so
    // then, and the bar still goes.
    void switchingABarOffReportsAFailedWrite_data() {
        QTest::addColumn<QString>("toggle");
        QTest::addColumn<int>("kind");
        QTest::newRow("character bar") << "actionToggleChar" << int(BarKind::Char);
        QTest::newRow("date/time bar") << "actionToggleTime" << int(BarKind::Time);
    }

    void switchingABarOffReportsAFailedWrite() {
        QFETCH(QString, toggle);
        QFETCH(int, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/pexa.ini"));
        ProfilePathOverride profile(path.toStdString());
        auto window = std::make_unique<MainWindow>();
        const Command command = *testing::CommandNamed(toggle.toStdString());
        QVERIFY(window->Execute(command));
        QVERIFY(window->Bars().Find(static_cast<BarKind>(kind)) != nullptr);
        MessageBoxCatcher catcher;
        QVERIFY(window->Execute(command));
        QCOMPARE(catcher.Count(), 1);
        QCOMPARE(catcher.Text(), path + QStringLiteral(" に書き込めません"));
        QCOMPARE(window->Bars().Find(static_cast<BarKind>(kind)), nullptr);
        window.reset();
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "test_settings_window.moc"
