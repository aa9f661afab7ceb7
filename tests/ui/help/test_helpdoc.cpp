// The help documents against the program: every help context that a command carries
// opens a topic in a QTextBrowser, every link lands, the keyboard reference names every
// shortcut and typed character of the command table, and the settings table gives every
// key with the default the program uses. The English and the Japanese document are
// checked alike, and the English one has the Japanese one's anchors, so that a help
// context opens the same topic in either.

#include "settings/Profile.h"
#include "ui/commands/CommandTable.h"
#include "ui/help/HelpStyle.h"
#include "ui/text/ColorContrast.h"

#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <map>

using namespace pexa;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString Unescape(QString text) {
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
    return text.replace("&amp;", "&");
}

// The raw HTML from an anchor's heading up to the next heading of the same level.
QString Section(const QString& html, const QString& anchor) {
    const qsizetype start = html.indexOf(QString("name=\"%1\"").arg(anchor));
    if (start < 0)
        return {};
    const qsizetype end = html.indexOf("<h2", start);
    return html.mid(start, end < 0 ? -1 : end - start);
}

QSet<QString> KbdTexts(const QString& html) {
    QSet<QString> keys;
    static const QRegularExpression kbd("<kbd>(.*?)</kbd>");
    for (auto it = kbd.globalMatch(html); it.hasNext();)
        keys.insert(Unescape(it.next().captured(1)));
    return keys;
}

// The command table writes shortcuts in QKeySequence's portable form; the manual
// names the keys as printed on a keyboard.
QString ManualKeyName(const QString& shortcut) {
    static const std::map<QString, QString> names{
        {"Return", "Enter"}, {"Enter", "Enter"}, {"Down", "↓"}, {"Up", "↑"}};
    const auto it = names.find(shortcut);
    return it == names.end() ? shortcut : it->second;
}

QSet<QString> BlockAnchors(const QTextBlock& block) {
    QSet<QString> names;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        for (const QString& name : it.fragment().charFormat().anchorNames())
            names.insert(name);
    return names;
}

QSet<QString> AnchorNames(const QTextDocument& document) {
    QSet<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        names.unite(BlockAnchors(block));
    return names;
}

QStringList LinkTargets(const QTextDocument& document) {
    QStringList targets;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty())
                targets << href;
        }
    return targets;
}

QString ReadUtf8(const QString& path, bool* ok) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(ReadFile(path));
    *ok = !text.isEmpty() && !utf8.hasError();
    return text;
}

bool IsJapaneseCharacter(QChar ch) {
    const char16_t code = ch.unicode();
    return (code >= 0x3000 && code <= 0x9FFF) || (code >= 0xF900 && code <= 0xFAFF) ||
           (code >= 0xFF00 && code <= 0xFFEF);
}

// The text outside the spans marked as Japanese: a Japanese name the user has to
// recognise is written inside one.
QString OutsideJapaneseSpans(QString html) {
    static const QRegularExpression span(R"(<span lang="ja">[^<]*</span>)");
    return html.remove(span);
}

std::vector<const CommandInfo*> AllCommands() {
    std::vector<const CommandInfo*> all;
    for (const CommandInfo& command : Commands())
        all.push_back(&command);
    return all;
}

} // namespace

class TestHelpDoc : public QObject {
    Q_OBJECT

    QString japanese_;
    QString english_;

    // Each check runs on both documents.
    static void AddDocumentColumn() {
        QTest::addColumn<QString>("document");
        QTest::newRow("ja") << QStringLiteral("ja");
        QTest::newRow("en") << QStringLiteral("en");
    }

    const QString& Html(const QString& document) const {
        return document == QLatin1String("en") ? english_ : japanese_;
    }

private slots:
    void initTestCase() {
        bool ok = false;
        japanese_ = ReadUtf8(PEXA_HELP_FILE, &ok);
        QVERIFY2(ok, PEXA_HELP_FILE " is missing or not valid UTF-8");
        english_ = ReadUtf8(PEXA_HELP_FILE_EN, &ok);
        QVERIFY2(ok, PEXA_HELP_FILE_EN " is missing or not valid UTF-8");
    }

    void englishDocumentHasTheAnchorsOfTheJapaneseOne() {
        QTextDocument japanese;
        japanese.setHtml(japanese_);
        QTextDocument english;
        english.setHtml(english_);
        const QSet<QString> anchors = AnchorNames(japanese);
        QVERIFY(anchors.size() >= 20);
        QCOMPARE(AnchorNames(english), anchors);
    }

    void englishDocumentIsInEnglish() {
        QVERIFY(english_.contains(QLatin1String("<html lang=\"en\">")));
        QVERIFY(english_.contains(QLatin1String("<title>pexa Help</title>")));
        const QString outside = OutsideJapaneseSpans(english_);
        for (qsizetype i = 0; i < outside.size(); ++i)
            QVERIFY2(!IsJapaneseCharacter(outside[i]),
                     qPrintable(outside.mid(std::max<qsizetype>(0, i - 30), 60)));
        // The check above must be able to fail: the Japanese document fails it.
        const QString japanese = OutsideJapaneseSpans(japanese_);
        QVERIFY(std::any_of(japanese.begin(), japanese.end(), IsJapaneseCharacter));
    }

    // The English manual and the README call a command by the caption the
    // program shows, and by none of the names it once had besides.
    void englishTextsNameCommandsAsTheProgramDoes() {
        QString readmePath = QStringLiteral(PEXA_HELP_FILE_EN);
        readmePath.replace(QStringLiteral("resources/pexa_en.hlp"), QStringLiteral("README.md"));
        bool ok = false;
        const QString readme = ReadUtf8(readmePath, &ok);
        QVERIFY2(ok, qPrintable(readmePath));
        for (const Command command :
             {Command::EditCopyGrouped, Command::QuickMenu, Command::DescriptiveQuickMenu,
              Command::ChooseBodyColour, Command::ModeByteSwap, Command::OpFloor,
              Command::OpReverseBytes}) {
            QString caption = QString::fromUtf8(InfoOf(command).Caption);
            caption.remove(QLatin1Char('&')).remove(QStringLiteral("..."));
            QVERIFY2(english_.contains(caption), qPrintable(caption));
        }
        QVERIFY(english_.contains(QStringLiteral("Sexagesimal (DEG)")));
        for (const char* retired :
             {"Reverse Endian", "Copy with grouping", "operator menu", "base-60", "Base 60 (",
              "window colour", "exact binary value", "support page"}) {
            QVERIFY2(!english_.contains(QLatin1String(retired), Qt::CaseInsensitive), retired);
            QVERIFY2(!readme.contains(QLatin1String(retired), Qt::CaseInsensitive), retired);
        }
        // Keys read as the program shows them; "truncates" stays a word.
        static const QRegularExpression retiredExactly(
            QStringLiteral("\\bTrunc\\b|\\btrunc\\b|Shift\\+[a-z]\\b"));
        QVERIFY2(!retiredExactly.match(english_).hasMatch(),
                 qPrintable(retiredExactly.match(english_).captured()));
        QVERIFY2(!retiredExactly.match(readme).hasMatch(),
                 qPrintable(retiredExactly.match(readme).captured()));
        QVERIFY(!readme.contains(QStringLiteral("each key pushes")));
    }

    // Both documents style themselves the same way: the viewer's colours replace
    // what the style block leaves open.
    void bothDocumentsHaveTheSameStyleBlock() {
        static const QRegularExpression style("<style[^>]*>.*</style>",
                                              QRegularExpression::DotMatchesEverythingOption);
        const QString japanese = style.match(japanese_).captured();
        QVERIFY(!japanese.isEmpty());
        QCOMPARE(style.match(english_).captured(), japanese);
    }

    // Every run of text against what it is drawn on (its own box, its
    // paragraph's, its table cell's, or the page), on a light and on a dark
    // desktop.
    void textIsLegibleOnLightAndDarkPalettes_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QPalette>("palette");
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(35, 35, 35));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::Link, QColor(0, 0, 255));
        for (const char* language : {"ja", "en"}) {
            QTest::addRow("%s light", language)
                << QString::fromLatin1(language) << QPalette(QColor(239, 239, 239));
            QTest::addRow("%s dark", language) << QString::fromLatin1(language) << dark;
        }
    }

    void textIsLegibleOnLightAndDarkPalettes() {
        QFETCH(QString, language);
        QFETCH(QPalette, palette);
        QTextDocument document;
        document.setDefaultStyleSheet(HelpStyleSheet(palette));
        document.setHtml(Html(language));
        const QColor page = palette.color(QPalette::Base);
        int runs = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            QColor background = page;
            const QTextCursor at(block);
            if (const QTextTable* table = at.currentTable()) {
                const QBrush cell = table->cellAt(at).format().background();
                if (cell.style() != Qt::NoBrush)
                    background = cell.color();
            }
            if (block.blockFormat().background().style() != Qt::NoBrush)
                background = block.blockFormat().background().color();
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QColor text = format.foreground().style() != Qt::NoBrush
                                        ? format.foreground().color()
                                        : palette.color(QPalette::Text);
                const QColor behind = format.background().style() != Qt::NoBrush
                                          ? format.background().color()
                                          : background;
                QVERIFY2(ContrastRatio(text, behind) >= 4.5,
                         qPrintable(
                             QString("%1 on %2: %3")
                                 .arg(text.name(), behind.name(), it.fragment().text().left(40))));
                ++runs;
            }
        }
        QVERIFY(runs > 100);
    }

    void buildFolderHasTheSameDocuments() {
        QCOMPARE(ReadFile(PEXA_BUILD_HELP_FILE), ReadFile(PEXA_HELP_FILE));
        QCOMPARE(ReadFile(PEXA_BUILD_HELP_FILE_EN), ReadFile(PEXA_HELP_FILE_EN));
    }

    void everyHelpContextOpensItsTopic_data() { AddDocumentColumn(); }

    void everyHelpContextOpensItsTopic() {
        QFETCH(QString, document);
        QTextBrowser browser;
        browser.resize(480, 320);
        browser.setHtml(Html(document));
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));

        const QSet<QString> anchors = AnchorNames(*browser.document());
        QVERIFY(anchors.contains("contents"));
        QSet<int> contexts;
        for (const CommandInfo* command : AllCommands())
            if (command->HelpContext != 0)
                contexts.insert(command->HelpContext);
        QVERIFY(contexts.size() >= 18);

        for (int context : contexts) {
            const QString anchor = QString("ctx%1").arg(context);
            QVERIFY2(anchors.contains(anchor), qPrintable(anchor));
            browser.verticalScrollBar()->setValue(0);
            browser.scrollToAnchor(anchor);
            QVERIFY2(browser.verticalScrollBar()->value() > 0, qPrintable(anchor));
            // The topic's heading is what the viewer shows at its top.
            const QTextBlock top = browser.cursorForPosition(QPoint(10, 10)).block();
            QVERIFY2(BlockAnchors(top).contains(anchor),
                     qPrintable(anchor + " shows " + top.text()));
        }
    }

    void everyLinkLandsOnAnAnchor_data() { AddDocumentColumn(); }

    void everyLinkLandsOnAnAnchor() {
        QFETCH(QString, document);
        QTextDocument text;
        text.setHtml(Html(document));
        const QSet<QString> anchors = AnchorNames(text);
        const QStringList targets = LinkTargets(text);
        QVERIFY(targets.size() > 50);
        for (const QString& target : targets) {
            QVERIFY2(target.startsWith('#'), qPrintable(target));
            QVERIFY2(anchors.contains(target.mid(1)), qPrintable(target));
        }
    }

    void keyboardReferenceNamesEveryShortcut_data() { AddDocumentColumn(); }

    void keyboardReferenceNamesEveryShortcut() {
        QFETCH(QString, document);
        const QSet<QString> keys = KbdTexts(Section(Html(document), "keys"));
        for (const CommandInfo* command : AllCommands())
            for (const char* shortcut : {command->Shortcut, command->SecondaryShortcut}) {
                if (*shortcut == '\0')
                    continue;
                const QString name = ManualKeyName(shortcut);
                QVERIFY2(keys.contains(name),
                         qPrintable(QString("%1 (%2)").arg(name, command->Name)));
            }
    }

    void keyboardReferenceNamesEveryTypedCharacter_data() {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("decimalSeparator");
        QTest::newRow("ja") << QStringLiteral("ja") << QStringLiteral("小数点記号");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("decimal separator");
    }

    void keyboardReferenceNamesEveryTypedCharacter() {
        QFETCH(QString, document);
        QFETCH(QString, decimalSeparator);
        const QString reference = Section(Html(document), "keys");
        const QSet<QString> keys = KbdTexts(reference);
        int checked = 0;
        for (const KeyCharBinding& binding : KeyCharBindings()) {
            if (binding.Char == DecimalSeparatorKey)
                continue;
            QVERIFY2(keys.contains(QString(QChar(binding.Char))),
                     qPrintable(
                         QString("'%1' (%2)").arg(binding.Char).arg(InfoOf(binding.Target).Name)));
            ++checked;
        }
        QVERIFY(checked >= 50);
        QVERIFY(reference.contains(decimalSeparator));
    }

    void settingsTableGivesEveryKeyWithItsDefault_data() { AddDocumentColumn(); }

    void settingsTableGivesEveryKeyWithItsDefault() {
        QFETCH(QString, document);
        const QString settings = Section(Html(document), "settings");
        QVERIFY(!settings.isEmpty());
        auto row = [&](std::string_view section, std::string_view key, const QString& value) {
            const QString cells =
                QString("<tr><td>%1</td><td>%2</td><td>%3</td>")
                    .arg(QString::fromUtf8(section.data(), qsizetype(section.size())),
                         QString::fromUtf8(key.data(), qsizetype(key.size())), value);
            return settings.contains(cells);
        };
        for (const ProfileIntKey* key :
             {&KeyCalcMode, &KeyAngleMode, &KeyShiftAmount, &KeyBodyColor, &KeyBarCount,
              &KeyCharEncoding, &KeyTimeEncoding, &KeyHistoryCount})
            QVERIFY2(row(key->Section, key->Key, QString::number(key->Default)), key->Key.data());
        for (const ProfileBoolKey* key :
             {&KeyDigitGrouping, &KeyShowIndicators, &KeyToolBar, &KeyMenuBar, &KeyButtonPanel,
              &KeyTopmost, &KeyHyp, &KeyRotate, &KeyArithmetic, &KeyHmsStyle, &KeyTimeDiffMode,
              &KeyHistoryKeep})
            QVERIFY2(row(key->Section, key->Key, key->Default ? "1" : "0"), key->Key.data());
        for (std::string_view key : {KeyFontCharset, KeyFontSize, KeyFontName, KeyFontBold,
                                     KeyFontItalic, KeyFontUnderline, KeyFontStrikeOut})
            QVERIFY2(settings.contains(QString::fromUtf8(key.data(), qsizetype(key.size()))),
                     key.data());
        QVERIFY(settings.contains(QString::fromStdString(CustomColorKey(0))));
        QVERIFY(settings.contains(QString::fromStdString(CustomColorKey(15))));
        QVERIFY(settings.contains(QString::fromStdString(BarKindKey(0))));
        QVERIFY(settings.contains(QString::fromStdString(BarWidthKey(0))));
        QVERIFY(settings.contains(QString::fromStdString(BarBreakKey(0))));
    }
};

QTEST_MAIN(TestHelpDoc)
#include "test_helpdoc.moc"
