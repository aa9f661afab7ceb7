// The interface language: every visible text in English or in Japanese, the
// choice read from pexa.ini, and a switch while the window runs.

#include "MainWindowHarness.h"

#include "core/CalcError.h"
#include "ui/app/Language.h"
#include "ui/help/HelpWindow.h"
#include "ui/text/CalcErrorText.h"
#include "ui/window/AboutDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

using namespace pexa;
using namespace pexa::testing;

namespace {

void SwitchTo(MainWindow& window, UiLanguage language) {
    window.SetLanguage(language);
    // Qt posts the change to the other windows.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

bool HasJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Every text a widget or action shows, with where it was found.
void CollectTexts(const QObject& root, QStringList& out) {
    auto add = [&out](const QObject& o, const QString& what, const QString& text) {
        if (!text.isEmpty())
            out << o.metaObject()->className() + QStringLiteral(" ") + o.objectName() +
                       QStringLiteral(" ") + what + QStringLiteral(": ") + text;
    };
    QList<const QObject*> objects{&root};
    for (const QObject* o : root.findChildren<QObject*>())
        objects << o;
    for (const QObject* o : objects) {
        if (const auto* w = qobject_cast<const QWidget*>(o)) {
            add(*w, QStringLiteral("title"), w->windowTitle());
            add(*w, QStringLiteral("tooltip"), w->toolTip());
            add(*w, QStringLiteral("status tip"), w->statusTip());
            if (const auto* label = qobject_cast<const QLabel*>(w))
                add(*w, QStringLiteral("text"), label->text());
            if (const auto* button = qobject_cast<const QAbstractButton*>(w))
                add(*w, QStringLiteral("text"), button->text());
            if (const auto* edit = qobject_cast<const QLineEdit*>(w))
                add(*w, QStringLiteral("text"), edit->text() + edit->placeholderText());
            if (const auto* tabs = qobject_cast<const QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    add(*w, QStringLiteral("tab"), tabs->tabText(i) + tabs->tabToolTip(i));
            if (const auto* menu = qobject_cast<const QMenu*>(w))
                add(*w, QStringLiteral("menu title"), menu->title());
            for (const QAction* a : w->actions()) {
                add(*a, QStringLiteral("text"), a->text());
                add(*a, QStringLiteral("tooltip"), a->toolTip());
                add(*a, QStringLiteral("status tip"), a->statusTip());
            }
        } else if (const auto* a = qobject_cast<const QAction*>(o)) {
            add(*a, QStringLiteral("text"), a->text());
            add(*a, QStringLiteral("tooltip"), a->toolTip());
            add(*a, QStringLiteral("status tip"), a->statusTip());
        }
    }
}

// The window with every bar open and the help window shown.
void OpenEverything(MainWindow& window) {
    for (int kind = 0; kind < BarKindCount; ++kind)
        if (window.Bars().Find(static_cast<BarKind>(kind)) == nullptr)
            window.Bars().Create(static_cast<BarKind>(kind));
    window.HelpViewer()->ShowContents();
    window.Popups().FillContextMenu();
}

QStringList JapaneseTexts(const QStringList& texts, const QObject& window) {
    QStringList found;
    for (const QString& text : texts) {
        // The character bar's own content is the value, not the interface's.
        if (text.contains(QLatin1String("ValueLabel")) &&
            static_cast<const MainWindow&>(window).Bars().Find(BarKind::Char) != nullptr &&
            text.contains(static_cast<const MainWindow&>(window)
                              .Bars()
                              .Find(BarKind::Char)
                              ->Parts()
                              .ValueLabel->text()))
            continue;
        // Each language is offered under its own name.
        if (text.startsWith(QLatin1String("QAction actionLanguageJapanese ")))
            continue;
        if (HasJapanese(text))
            found << text;
    }
    return found;
}

QStringList MenuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        texts << item->text().section(QLatin1Char('\t'), 0, 0);
        if (const QMenu* submenu = item->menu())
            texts << MenuTexts(*submenu);
    }
    return texts;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void automaticFollowsTheFirstDesktopLanguage_data() {
        QTest::addColumn<QStringList>("desktop");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("ja-JP") << QStringList{"ja-JP", "en-US"} << true;
        QTest::newRow("ja") << QStringList{"ja"} << true;
        QTest::newRow("en first") << QStringList{"en-US", "ja-JP"} << false;
        QTest::newRow("jv is not ja") << QStringList{"jv-ID"} << false;
        QTest::newRow("none") << QStringList{} << false;
    }

    void automaticFollowsTheFirstDesktopLanguage() {
        QFETCH(QStringList, desktop);
        QFETCH(bool, japanese);
        QCOMPARE(ShowsJapanese(UiLanguage::Automatic, desktop), japanese);
        QVERIFY(!ShowsJapanese(UiLanguage::English, {"ja-JP"}));
        QVERIFY(ShowsJapanese(UiLanguage::Japanese, {"en-US"}));
    }

    void englishInterfaceShowsNoJapanese() {
        WindowFixture window;
        OpenEverything(*window);
        SwitchTo(*window, UiLanguage::English);
        QStringList texts;
        CollectTexts(*window, texts);
        for (int i = 0; i < window->Bars().Count(); ++i)
            texts << window->Bars().At(i)->Title();
        for (QWidget* control : window->findChildren<QWidget*>())
            texts << control->toolTip();
        for (const CalcErrorKind kind : {CalcErrorKind::DivideByZero, CalcErrorKind::Overflow,
                                         CalcErrorKind::Underflow, CalcErrorKind::InvalidOperation,
                                         CalcErrorKind::InvalidArgument, CalcErrorKind::MathError})
            texts << CalcErrorText(kind);
        window->HelpViewer()->ShowContext(999);
        texts << window->HelpViewer()->StatusText();
        AboutDialog about(&*window);
        CollectTexts(about, texts);
        QVERIFY(texts.size() > 200);
        const QStringList japanese = JapaneseTexts(texts, *window);
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join(QLatin1Char('\n'))));
        QVERIFY(window->HelpViewer()->HelpFile().endsWith(QLatin1String("/pexa_en.hlp")));
        SwitchTo(*window, UiLanguage::Japanese);
    }

    void japaneseInterfaceKeepsItsTexts() {
        WindowFixture window;
        SwitchTo(*window, UiLanguage::English);
        SwitchTo(*window, UiLanguage::Japanese);
        QStringList titles;
        for (const QAction* menu : window->MainMenuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList{"編集(&E)", "バー(&B)", "表示(&V)", "ヘルプ(&H)"}));
        QCOMPARE(MenuTexts(*window->Popups().DescriptiveOperatorMenu()),
                 (QStringList{"論理積(An&d)",
                              "論理和(&Or)",
                              "排他的論理和(&Xor)",
                              "ビット反転(&Not)",
                              "左シフト(&L)",
                              "右シフト(&H)",
                              "算術シフト",
                              "ローテート",
                              "左にnビットシフト(&<)",
                              "右にnビットシフト(&>)",
                              "シフト量",
                              "&1 ",
                              "&2 ",
                              "&4 ",
                              "&8 ",
                              "1&6 ",
                              "バイトオーダー反転(&Y)",
                              "ビット順反転(&V)",
                              "平方根(&Q)",
                              "自乗(&U)",
                              "累乗(&P)",
                              "累乗根(&R)",
                              "小数(&F)",
                              "逆数(&/)",
                              "階乗(&!)",
                              "指数(&E)",
                              "&e^x ",
                              "&2^x ",
                              "&10^x ",
                              "対数(&G)",
                              "自然対数(&Ln)",
                              "底&2の対数",
                              "常用対数(Lo&g)",
                              "任意の底の対数(&N)",
                              "整数化(&I)",
                              "切り捨て(&T)",
                              "切り上げ(&C)",
                              "四捨五入(&R)",
                              "正弦(&sin)",
                              "余弦(&cos)",
                              "正接(&tan)",
                              "逆正弦(arcsin)",
                              "逆余弦(arccos)",
                              "逆正接(arctan)",
                              "双曲線関数(Hyp)",
                              "角度単位(&A)",
                              "度(&Deg)",
                              "ラジアン(&Rad)",
                              "グラジアン(&Grad)",
                              "円周率(Pi)"}));
        QCOMPARE(CalcErrorText(CalcErrorKind::DivideByZero), "0で割ることはできません");
        QCOMPARE(window->HelpViewer()->windowTitle(), "pexa ヘルプ");
        QVERIFY(window->HelpViewer()->HelpFile().endsWith(QLatin1String("/pexa.hlp")));
        AboutDialog about(&*window);
        QCOMPARE(about.windowTitle(), "バージョン情報");
    }

    // Qt's own dialogs and buttons speak the interface's language, and switch
    // with it.
    void qtTextsFollowTheInterfaceLanguage() {
        const QString qtJapanese =
            QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
        if (!QFile::exists(qtJapanese))
            QSKIP(qPrintable(QStringLiteral("Qt's Japanese translation %1 is not installed "
                                            "(scripts/deps.sh installs qt6-translations-l10n)")
                                 .arg(qtJapanese)));
        struct Texts {
            QString FontTitle;
            QString ColorTitle;
            QString Cancel;
        };
        const auto shown = [] {
            const QFontDialog font;
            const QColorDialog color;
            const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
            return Texts{font.windowTitle(), color.windowTitle(),
                         buttons.button(QDialogButtonBox::Cancel)->text()};
        };
        WindowFixture window;
        for (int round = 0; round < 2; ++round) {
            SwitchTo(*window, UiLanguage::Japanese);
            Texts texts = shown();
            QCOMPARE(texts.FontTitle, "フォントの選択");
            QCOMPARE(texts.ColorTitle, "色を選択");
            QCOMPARE(texts.Cancel, "キャンセル");
            SwitchTo(*window, UiLanguage::English);
            texts = shown();
            QCOMPARE(texts.FontTitle, "Select Font");
            QCOMPARE(texts.ColorTitle, "Select Color");
            QCOMPARE(texts.Cancel, "Cancel");
        }
        SwitchTo(*window, UiLanguage::Japanese);
    }

    // A switch from the View menu keeps everything but the texts, and the
    // choice is kept in pexa.ini.
    void switchKeepsTheCalculation() {
        WindowFixture window;
        Run(*window, "actionModeWord");
        window->Bars().Create(BarKind::Bin);
        Keys(*window, "12 + 3");
        const QString hexBefore = ShownOf(*window, BarKind::Hex);
        const int bars = window->Bars().Count();
        QAction* english =
            window->MainMenuBar()->LanguageMenu()->findChild<QAction*>("actionLanguageEnglish");
        QVERIFY(english != nullptr);
        english->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

        QCOMPARE(window->MainMenuBar()->actions().at(0)->text(), "&Edit");
        QCOMPARE(
            window->Popups().DescriptiveOperatorMenu()->actions().at(0)->text().section('\t', 0, 0),
            "Bitwise An&d");
        QCOMPARE(window->Bars().Count(), bars);
        QCOMPARE(window->Engine().Mode(), CalcValueMode::Word);
        QCOMPARE(ShownOf(*window, BarKind::Decimal), "3");
        QCOMPARE(ShownOf(*window, BarKind::Hex), hexBefore);
        Keys(*window, "4 =");
        QCOMPARE(ShownOf(*window, BarKind::Decimal), "46");

        window->SaveSettings();
        QCOMPARE(ReadProfileString(SectionView, "Language", ""), "en");
        SwitchTo(*window, UiLanguage::Japanese);
        QCOMPARE(window->MainMenuBar()->actions().at(0)->text(), "編集(&E)");
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
