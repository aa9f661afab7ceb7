// The help window over the program's help document, and how the main window
// opens it.

#include "MainWindowHarness.h"

#include "ui/CommandTable.h"
#include "ui/HelpPage.h"
#include "ui/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
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
        for (const auto& table : {KeyActionsTable(), MenuActionsTable(), BarActionsTable()})
            for (const CommandInfo& info : table) {
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
        QTest::newRow("search field") << "HelpSearch";
        QTest::newRow("contents") << "HelpContents";
        QTest::newRow("page") << "HelpPage";
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
        QVERIFY(Run(*window, "ActHelpIndex"));
        QVERIFY(window->HelpViewer()->isVisible());
        QVERIFY(window->HelpViewer()->IsLoaded());
        QVERIFY(window->HelpViewer()->CurrentAnchor().isEmpty());
        QCOMPARE(FindAction(*window, "ActHelpIndex")->ShortCut(), QKeyCombination(Qt::Key_F1));
    }

    void f1OnMenuItemOpensItsTopic_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("context");
        QTest::newRow("bar menu") << "PopupBar"
                                  << "ActToggleHex" << 6;
        QTest::newRow("view menu") << "PopupView"
                                   << "ActModeMenu" << 23;
        QTest::newRow("edit menu") << "MenuEdit"
                                   << "ActExit" << 20;
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
