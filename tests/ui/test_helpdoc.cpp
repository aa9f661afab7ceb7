// The help document against the program: every help context that a command carries
// opens a topic in a QTextBrowser, every link lands, the keyboard reference names every
// shortcut and typed character of the command table, and the settings table gives every
// key with the default the program uses.

#include "settings/Profile.h"
#include "ui/CommandTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

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

std::vector<const CommandInfo*> AllCommands() {
    std::vector<const CommandInfo*> all;
    for (auto table : {KeyActionsTable(), MenuActionsTable(), BarActionsTable()})
        for (const CommandInfo& command : table)
            all.push_back(&command);
    return all;
}

} // namespace

class TestHelpDoc : public QObject {
    Q_OBJECT

    QString html_;

private slots:
    void initTestCase() {
        const QByteArray bytes = ReadFile(PEXA_HELP_FILE);
        QVERIFY2(!bytes.isEmpty(), PEXA_HELP_FILE);
        QStringDecoder utf8(QStringDecoder::Utf8);
        html_ = utf8(bytes);
        QVERIFY2(!utf8.hasError(), "pexa.hlp is not valid UTF-8");
    }

    void buildFolderHasTheSameDocument() {
        QCOMPARE(ReadFile(PEXA_BUILD_HELP_FILE), ReadFile(PEXA_HELP_FILE));
    }

    void everyHelpContextOpensItsTopic() {
        QTextBrowser browser;
        browser.resize(480, 320);
        browser.setHtml(html_);
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

    void everyLinkLandsOnAnAnchor() {
        QTextDocument document;
        document.setHtml(html_);
        const QSet<QString> anchors = AnchorNames(document);
        const QStringList targets = LinkTargets(document);
        QVERIFY(targets.size() > 50);
        for (const QString& target : targets) {
            QVERIFY2(target.startsWith('#'), qPrintable(target));
            QVERIFY2(anchors.contains(target.mid(1)), qPrintable(target));
        }
    }

    void keyboardReferenceNamesEveryShortcut() {
        const QSet<QString> keys = KbdTexts(Section(html_, "keys"));
        for (const CommandInfo* command : AllCommands())
            for (const char* shortcut : {command->ShortCut, command->SecondaryShortCut}) {
                if (*shortcut == '\0')
                    continue;
                const QString name = ManualKeyName(shortcut);
                QVERIFY2(keys.contains(name),
                         qPrintable(QString("%1 (%2)").arg(name, command->Name)));
            }
    }

    void keyboardReferenceNamesEveryTypedCharacter() {
        const QString reference = Section(html_, "keys");
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
        QVERIFY(reference.contains("小数点記号"));
    }

    void settingsTableGivesEveryKeyWithItsDefault() {
        const QString settings = Section(html_, "settings");
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
              &KeyCharEncoding, &KeyTimeEncoding})
            QVERIFY2(row(key->Section, key->Key, QString::number(key->Default)), key->Key.data());
        for (const ProfileBoolKey* key :
             {&KeySeparated, &KeyShowIndicators, &KeyToolBar, &KeyMenuBar, &KeyButtonPanel,
              &KeyTopmost, &KeyHyp, &KeyRotate, &KeyArithmetic, &KeyHmsStyle, &KeyTimeDiffMode})
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
