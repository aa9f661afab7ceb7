// The help window over the program's help document, and how the main window
// opens it.

#include "MainWindowHarness.h"

#include "ui/app/Language.h"
#include "ui/commands/CommandTable.h"
#include "ui/help/HelpDocumentCheck.h"
#include "ui/help/HelpPage.h"
#include "ui/help/HelpWindow.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace pexa;
using namespace pexa::testing;

namespace {

QString HelpDocument() {
    return QFINDTESTDATA("../../resources/pexa.hlp");
}

QString EnglishHelpDocument() {
    return QFINDTESTDATA("../../resources/pexa_en.hlp");
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Repeated(const QByteArray& part, int count) {
    QByteArray text;
    text.reserve(part.size() * count);
    for (int i = 0; i < count; ++i)
        text += part;
    return text;
}

// A document whose body is the same pair of tags nested depth times.
QByteArray Nested(const QByteArray& open, const QByteArray& close, int depth) {
    return "<html><body>" + Repeated(open, depth) + "x" + Repeated(close, depth) + "</body></html>";
}

QByteArray NestedTables(int depth) {
    return Nested("<table><tr><td>", "</td></tr></table>", depth);
}

// count headings, each with an anchor: html and body are two elements more.
QByteArray Headings(int count) {
    QByteArray text = "<html><body>";
    for (int i = 0; i < count; ++i)
        text += "<h2><a name=\"t" + QByteArray::number(i) + "\">Topic</a></h2>";
    return text + "</body></html>";
}

// Records the links the desktop was asked to open.
class LinkRecorder : public QObject {
    Q_OBJECT

public:
    explicit LinkRecorder(QStringList schemes) : schemes_(std::move(schemes)) {
        for (const QString& scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~LinkRecorder() override {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> Opened;

public slots:
    void open(const QUrl& url) { Opened << url; }

private:
    QStringList schemes_;
};

// Clicks the page where it shows the link to href; false when it has none.
bool ClickLink(QTextBrowser* page, const QString& href) {
    QTextDocument* document = page->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            const QPoint inside = page->cursorRect(cursor).center();
            QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, inside);
            return true;
        }
    return false;
}

// Restores the desktop's language however the test ends.
struct LanguageRestorer {
    ~LanguageRestorer() {
        ApplyLanguage(UiLanguage::Automatic);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
};

QString CursorBlockText(const HelpWindow& viewer) {
    return viewer.Page()->textCursor().block().text().trimmed();
}

int VisibleContents(const HelpWindow& viewer) {
    int count = 0;
    for (int row = 0; row < viewer.ContentsList()->count(); ++row)
        count += viewer.ContentsList()->item(row)->isHidden() ? 0 : 1;
    return count;
}

// Opens a menu of the window with one of its commands highlighted.
QMenu* OpenMenuAt(QMenu* menu, const char* actionName, MainWindow& window) {
    menu->popup(window.mapToGlobal(QPoint(10, 10)));
    if (!QTest::qWaitForWindowExposed(menu))
        return nullptr;
    if (actionName != nullptr)
        menu->setActiveAction(FindAction(window, actionName));
    return menu;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!HelpDocument().isEmpty()); }

    void opensAtContents() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        QVERIFY(viewer.IsLoaded());
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.CurrentAnchor().isEmpty());
        QVERIFY(viewer.StatusText().isEmpty());
        QCOMPARE(viewer.Page()->textCursor().position(), 0);
        QVERIFY(viewer.ContentsList()->count() >= 18);
        QCOMPARE(viewer.ContentsList()->item(0)->text(), QStringLiteral("pexa ヘルプ"));
        QCOMPARE(viewer.ContentsList()->currentRow(), 0);
    }

    // Every number a command hands to the help system has its topic.
    void everyCommandsContextHasATopic() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        for (const CommandInfo& info : Commands()) {
            QVERIFY2(info.HelpContext > 0, info.Name);
            viewer.ShowContext(info.HelpContext);
            QVERIFY2(viewer.CurrentAnchor() == HelpWindow::ContextAnchor(info.HelpContext),
                     info.Name);
            QVERIFY2(viewer.StatusText().isEmpty(), info.Name);
        }
    }

    void contextOpensItsTopic_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("heading");
        QTest::newRow("3") << 3 << "バーの操作";
        QTest::newRow("6") << 6 << "16進・8進・2進（HEX・OCT・BIN）";
        QTest::newRow("20") << 20 << "表示・編集・ヘルプ・終了";
        QTest::newRow("23") << 23 << "モードメニュー";
    }

    void contextOpensItsTopic() {
        QFETCH(int, context);
        QFETCH(QString, heading);
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        viewer.ShowContext(context);
        QCOMPARE(CursorBlockText(viewer), heading);
        QCOMPARE(viewer.ContentsList()->currentItem()->text().trimmed(), heading);
        // Back to the contents.
        viewer.ShowContents();
        QCOMPARE(viewer.Page()->textCursor().position(), 0);
    }

    void unknownContextShowsContents() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContext(99);
        QVERIFY(viewer.IsLoaded());
        QVERIFY(viewer.CurrentAnchor().isEmpty());
        QVERIFY(viewer.StatusText().contains(QStringLiteral("99")));
    }

    void contentsEntryOpensTopic() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        QListWidget* list = viewer.ContentsList();
        const QList<QListWidgetItem*> items =
            list->findItems(QStringLiteral("IP アドレス（IP）"), Qt::MatchContains);
        QCOMPARE(items.size(), 1);
        list->setCurrentItem(items.front());
        emit list->itemActivated(items.front());
        QCOMPARE(CursorBlockText(viewer), QStringLiteral("IP アドレス（IP）"));
        QCOMPARE(viewer.CurrentAnchor(), HelpWindow::ContextAnchor(11));
    }

    void missingFileIsReportedByTheViewer() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pexa.hlp"));
        HelpWindow viewer;
        viewer.SetHelpFile(path);
        viewer.ShowContext(20);
        QVERIFY(!viewer.IsLoaded());
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.StatusText().contains(QDir::toNativeSeparators(path)));
        QVERIFY(viewer.Page()->toPlainText().contains(QDir::toNativeSeparators(path)));
        QCOMPARE(viewer.ContentsList()->count(), 0);
        QVERIFY(!viewer.FindNext(QStringLiteral("pexa")));

        // Put in place later, it is read at the next request.
        QVERIFY(QFile::copy(HelpDocument(), path));
        viewer.ShowContext(20);
        QVERIFY(viewer.IsLoaded());
        QVERIFY(viewer.StatusText().isEmpty());
        QCOMPARE(viewer.CurrentAnchor(), HelpWindow::ContextAnchor(20));
    }

    // The document's pictures come from its own folder only: a device, a file
    // outside, a link out of the folder or an oversized file gives no data.
    void resourcesComeOnlyFromTheDocumentsFolder() {
        QTemporaryDir outside;
        QTemporaryDir dir;
        const QByteArray picture = "GIF89a picture bytes";
        const auto put = [](const QString& path, const QByteArray& bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(put(dir.filePath(QStringLiteral("pic.gif")), picture));
        QVERIFY(put(outside.filePath(QStringLiteral("secret.gif")), picture));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("secret.gif")),
                            dir.filePath(QStringLiteral("link.gif"))));
        QFile big(dir.filePath(QStringLiteral("big.gif")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(HelpPage::MaxResourceBytes + 1));
        big.close();
        const QString help = dir.filePath(QStringLiteral("pexa.hlp"));
        QVERIFY(put(help, "<html><body><h1><a name=\"ctx20\">Top</a></h1>"
                          "<img src=\"file:///dev/zero\"><img src=\"pic.gif\"></body></html>"));

        HelpWindow viewer;
        viewer.SetHelpFile(help);
        viewer.ShowContents(); // returns although the document names /dev/zero
        QVERIFY(viewer.IsLoaded());
        QTextBrowser* page = viewer.Page();
        const auto load = [page](const QUrl& url) {
            return page->loadResource(QTextDocument::ImageResource, url).toByteArray();
        };
        QCOMPARE(load(QUrl(QStringLiteral("pic.gif"))), picture);
        QCOMPARE(load(QUrl::fromLocalFile(dir.filePath(QStringLiteral("pic.gif")))), picture);
        const QUrl refused[] = {
            QUrl(QStringLiteral("file:///dev/zero")),
            QUrl(QStringLiteral("/dev/zero")),
            QUrl::fromLocalFile(outside.filePath(QStringLiteral("secret.gif"))),
            QUrl(QStringLiteral("../") + QFileInfo(outside.path()).fileName() +
                 QStringLiteral("/secret.gif")),
            QUrl(QStringLiteral("link.gif")),
            QUrl(QStringLiteral("big.gif")),
            QUrl(QStringLiteral("missing.gif")),
            QUrl(QStringLiteral(".")),
        };
        for (const QUrl& url : refused)
            QVERIFY2(load(url).isEmpty(), qPrintable(url.toString()));
    }

    // The cheap look at a document before Qt lays it out.
    void documentCheck_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<int>("verdict");
        const HelpDocumentLimits limits;
        const int fine = int(HelpDocumentVerdict::Acceptable);
        const int deep = int(HelpDocumentVerdict::NestedTooDeeply);
        const int many = int(HelpDocumentVerdict::TooManyElements);
        QTest::newRow("shipped Japanese document") << ReadAll(HelpDocument()) << fine;
        QTest::newRow("shipped English document") << ReadAll(EnglishHelpDocument()) << fine;
        QTest::newRow("tables nested to the limit") << NestedTables(limits.MaxNesting) << fine;
        QTest::newRow("one table deeper") << NestedTables(limits.MaxNesting + 1) << deep;
        QTest::newRow("5,000 nested tables") << NestedTables(5000) << deep;
        QTest::newRow("capital letters")
            << Nested("<TABLE><TR><TD>", "</TD></TR></TABLE>", limits.MaxNesting + 1) << deep;
        QTest::newRow("lists, divisions and quotations")
            << Nested("<ul><li><div><blockquote>", "</blockquote></div></li></ul>",
                      limits.MaxNesting / 3 + 1)
            << deep;
        QTest::newRow("tables one after another")
            << Repeated("<table><tr><td>x</td></tr></table>", 1000) << fine;
        QTest::newRow("nesting inside a comment")
            << "<!-- " + NestedTables(limits.MaxNesting + 1) + " -->" << fine;
        QTest::newRow("elements up to the limit")
            << Repeated("<b>x</b>", limits.MaxElements) << fine;
        QTest::newRow("one element more") << Repeated("<b>x</b>", limits.MaxElements + 1) << many;
        QTest::newRow("40,000 headings with anchors") << Headings(40000) << many;
    }

    void documentCheck() {
        QFETCH(QByteArray, html);
        QFETCH(int, verdict);
        QVERIFY(!html.isEmpty());
        QCOMPARE(int(CheckHelpDocument(html)), verdict);
    }

    // Documents that would keep the viewer busy for minutes or crash it are
    // refused with a message; the viewer then opens a good document as before.
    void hostileDocumentsAreRefused_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::newRow("20 nested tables") << NestedTables(20);
        QTest::newRow("200 nested tables") << NestedTables(200);
        QTest::newRow("5,000 nested tables") << NestedTables(5000);
        QTest::newRow("40,000 headings with anchors") << Headings(40000);
    }

    void hostileDocumentsAreRefused() {
        QFETCH(QByteArray, html);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pexa.hlp"));
        QVERIFY(WriteFile(path, html));
        HelpWindow viewer;
        viewer.SetHelpFile(path);
        viewer.ShowContext(20);
        QVERIFY(!viewer.IsLoaded());
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.StatusText().contains(QDir::toNativeSeparators(path)));
        QVERIFY(viewer.Page()->toPlainText().contains(QDir::toNativeSeparators(path)));
        QCOMPARE(viewer.ContentsList()->count(), 0);

        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContext(20);
        QVERIFY(viewer.IsLoaded());
        QVERIFY(viewer.StatusText().isEmpty());
        QCOMPARE(CursorBlockText(viewer), QStringLiteral("表示・編集・ヘルプ・終了"));
    }

    // A click on a link: in the page it moves there, web and mail links go to the
    // desktop, anything else is refused with the reason; the page stays.
    void linksByScheme_data() {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("kind");
        QTest::newRow("in the page") << "#ctx2"
                                     << "page";
        QTest::newRow("https") << "https://example.org/pexa"
                               << "desktop";
        QTest::newRow("http") << "http://example.org/"
                              << "desktop";
        QTest::newRow("mailto") << "mailto:someone@example.org"
                                << "desktop";
        QTest::newRow("javascript") << "javascript:alert(1)"
                                    << "refused";
        QTest::newRow("data") << "data:text/html,hello"
                              << "refused";
        QTest::newRow("file") << "file:///etc/passwd"
                              << "refused";
        QTest::newRow("ftp") << "ftp://example.org/"
                             << "refused";
        QTest::newRow("another document") << "other.html"
                                          << "refused";
        QTest::newRow("another document's topic") << "pexa_en.hlp#ctx2"
                                                  << "refused";
    }

    void linksByScheme() {
        QFETCH(QString, href);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pexa.hlp"));
        QVERIFY(WriteFile(path, "<html><body><h1><a name=\"ctx1\">Top</a></h1><p><a href=\"" +
                                    href.toUtf8() +
                                    "\">the link</a></p><h2><a name=\"ctx2\">Second</a></h2>"
                                    "<p>text</p></body></html>"));
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("other.html")), "<p>another page</p>"));
        QVERIFY(WriteFile(dir.filePath(QStringLiteral("pexa_en.hlp")), "<p>another page</p>"));
        LinkRecorder recorder({"http", "https", "mailto", "javascript", "data", "file", "ftp"});
        HelpWindow viewer;
        viewer.SetHelpFile(path);
        viewer.ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        const QString before = viewer.Page()->toPlainText();

        QVERIFY(ClickLink(viewer.Page(), href));

        QCOMPARE(viewer.Page()->toPlainText(), before);
        if (kind == QLatin1String("desktop"))
            QCOMPARE(recorder.Opened, QList<QUrl>{QUrl(href)});
        else
            QCOMPARE(recorder.Opened, QList<QUrl>{});
        if (kind == QLatin1String("refused"))
            QVERIFY2(viewer.StatusText().contains(href), qPrintable(viewer.StatusText()));
        else
            QVERIFY2(viewer.StatusText().isEmpty(), qPrintable(viewer.StatusText()));
        if (kind == QLatin1String("page"))
            QCOMPARE(viewer.Page()->source(), QUrl(href));
    }

    // A refused link leaves the page as it was: Back, the contents and the next
    // help request all work on it.
    void refusedLinkKeepsTheDocument() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        QTextBrowser* page = viewer.Page();
        const QString text = page->toPlainText();
        page->setSource(QUrl(QStringLiteral("#ctx3")));
        page->setSource(QUrl(QStringLiteral("#ctx6")));
        page->setSource(QUrl(QStringLiteral("javascript:alert(1)")));
        QCOMPARE(page->toPlainText(), text);
        QVERIFY(viewer.StatusText().contains(QStringLiteral("javascript:alert(1)")));

        QVERIFY(page->isBackwardAvailable());
        page->backward();
        QCOMPARE(page->source(), QUrl(QStringLiteral("#ctx3")));
        QCOMPARE(page->toPlainText(), text);

        viewer.ShowContents();
        QCOMPARE(page->textCursor().position(), 0);
        QCOMPARE(page->toPlainText(), text);
        viewer.ShowContext(20);
        QCOMPARE(viewer.CurrentAnchor(), HelpWindow::ContextAnchor(20));
        QCOMPARE(CursorBlockText(viewer), QStringLiteral("表示・編集・ヘルプ・終了"));
    }

    // The contents list shows its longest title whole, in the list's own font.
    void contentsListFitsItsLongestTitle() {
        HelpWindow viewer;
        viewer.SetHelpFile(EnglishHelpDocument());
        QFont font = viewer.ContentsList()->font();
        font.setPixelSize(18);
        viewer.ContentsList()->setFont(font);
        viewer.resize(1400, 600);
        viewer.ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        const QFontMetrics metrics(viewer.ContentsList()->font());
        int widest = 0;
        for (int row = 0; row < viewer.ContentsList()->count(); ++row)
            widest = std::max(widest,
                              metrics.horizontalAdvance(viewer.ContentsList()->item(row)->text()));
        QVERIFY(widest > 200);
        QVERIFY2(viewer.ContentsList()->viewport()->width() >= widest,
                 qPrintable(QStringLiteral("%1 < %2")
                                .arg(viewer.ContentsList()->viewport()->width())
                                .arg(widest)));
    }

    // A title of absurd length does not squeeze the page away.
    void contentsListLeavesThePageMostOfTheWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pexa.hlp"));
        QVERIFY(WriteFile(path, "<html><body><h1>" + QByteArray(400, 'W') +
                                    "</h1><p>text</p></body></html>"));
        HelpWindow viewer;
        viewer.SetHelpFile(path);
        viewer.resize(1000, 600);
        viewer.ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QVERIFY(viewer.ContentsList()->width() > 0);
        QVERIFY2(viewer.Page()->width() > viewer.width() / 2,
                 qPrintable(QString::number(viewer.Page()->width())));
    }

    // After a language switch the list is the other document's, filtered by
    // what the search field still holds.
    void languageSwitchKeepsTheFilter() {
        LanguageRestorer restorer;
        QTemporaryDir dir;
        QVERIFY(QFile::copy(HelpDocument(), dir.filePath(QStringLiteral("pexa.hlp"))));
        QVERIFY(QFile::copy(EnglishHelpDocument(), dir.filePath(QStringLiteral("pexa_en.hlp"))));
        ApplyLanguage(UiLanguage::Japanese);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        HelpWindow viewer;
        viewer.SetHelpFolder(dir.path());
        viewer.ShowContents();
        QTest::keyClicks(viewer.SearchField(), QStringLiteral("3232235521"));
        QCOMPARE(VisibleContents(viewer), 1);

        ApplyLanguage(UiLanguage::English);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

        QVERIFY(viewer.HelpFile().endsWith(QLatin1String("/pexa_en.hlp")));
        QVERIFY(viewer.IsLoaded());
        QCOMPARE(viewer.SearchField()->text(), QStringLiteral("3232235521"));
        QVERIFY(viewer.ContentsList()->count() > 1);
        QCOMPARE(VisibleContents(viewer), 1);
        for (int row = 0; row < viewer.ContentsList()->count(); ++row) {
            const QListWidgetItem* item = viewer.ContentsList()->item(row);
            if (!item->isHidden())
                QCOMPARE(item->text().trimmed(), QStringLiteral("IP address (IP)"));
        }
    }

    void searchFiltersContentsAndFindsInPage() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        const int all = viewer.ContentsList()->count();
        QTest::keyClicks(viewer.SearchField(), QStringLiteral("3232235521"));
        // Only the IP bar's topic has this example.
        QCOMPARE(VisibleContents(viewer), 1);
        for (int row = 0; row < all; ++row) {
            const QListWidgetItem* item = viewer.ContentsList()->item(row);
            if (!item->isHidden())
                QCOMPARE(item->text().trimmed(), QStringLiteral("IP アドレス（IP）"));
        }
        viewer.SearchField()->clear();
        QCOMPARE(VisibleContents(viewer), all);

        viewer.SearchField()->setText(QStringLiteral("3232235521"));
        QTest::keyClick(viewer.SearchField(), Qt::Key_Return);
        QVERIFY(viewer.Page()->textCursor().hasSelection());
        QCOMPARE(viewer.Page()->textCursor().selectedText(), QStringLiteral("3232235521"));
        const int first = viewer.Page()->textCursor().position();
        // The only occurrence: the search wraps around to it.
        QVERIFY(viewer.FindNext(QStringLiteral("3232235521")));
        QCOMPARE(viewer.Page()->textCursor().position(), first);

        QVERIFY(!viewer.FindNext(QStringLiteral("no such words")));
        QVERIFY(!viewer.StatusText().isEmpty());
        QVERIFY(!viewer.FindNext(QString()));
    }

    void searchWithoutHitsSaysSo() {
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        QTest::keyClicks(viewer.SearchField(), QStringLiteral("zzqx"));
        QCOMPARE(VisibleContents(viewer), 0);
        QCOMPARE(viewer.StatusText(), QStringLiteral("「zzqx」は見つかりません。"));
        // A hit again, or an empty field, clears the message.
        viewer.SearchField()->setText(QStringLiteral("3232235521"));
        QCOMPARE(VisibleContents(viewer), 1);
        QVERIFY(viewer.StatusText().isEmpty());
        viewer.SearchField()->setText(QStringLiteral("zzqx"));
        viewer.SearchField()->clear();
        QVERIFY(viewer.StatusText().isEmpty());
    }

    void escClosesTheWindow_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("search field") << "helpSearch";
        QTest::newRow("contents") << "helpContents";
        QTest::newRow("page") << "helpPage";
    }

    void escClosesTheWindow() {
        QFETCH(QString, control);
        HelpWindow viewer;
        viewer.SetHelpFile(HelpDocument());
        viewer.ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        auto* target = viewer.findChild<QWidget*>(control);
        QVERIFY(target != nullptr);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!viewer.isVisible());
        // It opens again on the next request.
        viewer.ShowContents();
        QVERIFY(viewer.isVisible());
    }

    void helpCommandOpensContents() {
        WindowFixture window;
        window->HelpViewer()->SetHelpFile(HelpDocument());
        QVERIFY(Run(*window, "actionHelpContents"));
        QVERIFY(window->HelpViewer()->isVisible());
        QVERIFY(window->HelpViewer()->IsLoaded());
        QVERIFY(window->HelpViewer()->CurrentAnchor().isEmpty());
        QCOMPARE(FindAction(*window, "actionHelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void f1OnMenuItemOpensItsTopic_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("context");
        QTest::newRow("bar menu") << "barMenu"
                                  << "actionToggleHex" << 6;
        QTest::newRow("view menu") << "viewMenu"
                                   << "actionModeMenu" << 23;
        QTest::newRow("edit menu") << "editMenu"
                                   << "actionExit" << 20;
    }

    void f1OnMenuItemOpensItsTopic() {
        QFETCH(QString, menu);
        QFETCH(QString, action);
        QFETCH(int, context);
        WindowFixture window;
        window->HelpViewer()->SetHelpFile(HelpDocument());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*window));
        auto* popup = window->findChild<QMenu*>(menu);
        QVERIFY(popup != nullptr);
        QVERIFY(OpenMenuAt(popup, action.toLatin1().constData(), *window) != nullptr);
        QCOMPARE(popup->activeAction(), FindAction(*window, action.toStdString()));
        QTest::keyClick(popup, Qt::Key_F1);
        QVERIFY(window->HelpViewer()->isVisible());
        QCOMPARE(window->HelpViewer()->CurrentAnchor(), HelpWindow::ContextAnchor(context));
        QTRY_VERIFY(!popup->isVisible());
    }

    // The shift-amount submenu header stands for the shift-amount command.
    void f1OnSubmenuHeaderOpensItsCommandsTopic_data() {
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<QString>("header");
        QTest::newRow("operator menu") << false << "Bits";
        QTest::newRow("Japanese operator menu") << true << "シフト量";
    }

    void f1OnSubmenuHeaderOpensItsCommandsTopic() {
        QFETCH(bool, japanese);
        QFETCH(QString, header);
        WindowFixture window;
        window->HelpViewer()->SetHelpFile(HelpDocument());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*window));
        QMenu* popup =
            japanese ? window->Popups().DescriptiveOperatorMenu() : window->Popups().OperatorMenu();
        QVERIFY(OpenMenuAt(popup, nullptr, *window) != nullptr);
        QAction* headerItem = nullptr;
        for (QAction* item : popup->actions())
            if (item->menu() != nullptr && item->text().startsWith(header))
                headerItem = item;
        QVERIFY(headerItem != nullptr);
        popup->setActiveAction(headerItem);
        QTest::keyClick(popup, Qt::Key_F1);
        QVERIFY(window->HelpViewer()->isVisible());
        QCOMPARE(window->HelpViewer()->CurrentAnchor(), HelpWindow::ContextAnchor(16));
        QTRY_VERIFY(!popup->isVisible());
    }

    void f1OnMenuWithoutItemOpensContents() {
        WindowFixture window;
        window->HelpViewer()->SetHelpFile(HelpDocument());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*window));
        QVERIFY(OpenMenuAt(window->MainMenuBar()->HelpMenu(), nullptr, *window) != nullptr);
        window->MainMenuBar()->HelpMenu()->setActiveAction(nullptr);
        QTest::keyClick(window->MainMenuBar()->HelpMenu(), Qt::Key_F1);
        QVERIFY(window->HelpViewer()->isVisible());
        QVERIFY(window->HelpViewer()->CurrentAnchor().isEmpty());
    }
};

QTEST_MAIN(TestHelp)
#include "test_help.moc"
