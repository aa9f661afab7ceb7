// The main window's help and about commands.

#include "ui/window/MainWindow.h"

#include "ui/help/HelpWindow.h"
#include "ui/window/AboutDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

namespace pexa {

namespace {

// F1 while a menu item of the window is highlighted opens that command's
// topic instead of the contents (for a submenu header that stands for a
// command too), and closes the menus. It watches the whole
// application because an open menu takes the keyboard from the window.
class MenuHelpFilter : public QObject {
public:
    explicit MenuHelpFilter(MainWindow& window) : QObject(&window), window_(&window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        auto* menu = qobject_cast<QMenu*>(watched);
        if (menu == nullptr || !menu->isVisible() || !BelongsToWindow(*menu))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim the key so no shortcut takes it first.
            event->accept();
            return true;
        }
        const std::optional<Command> command = CommandOfMenuItem(menu->activeAction());
        const int context = command ? InfoOf(*command).HelpContext : 0;
        CloseMenus();
        if (context > 0)
            window_->HelpViewer()->ShowContext(context);
        else
            window_->HelpViewer()->ShowContents();
        return true;
    }

private:
    bool BelongsToWindow(const QMenu& menu) const {
        for (const QObject* o = &menu; o != nullptr; o = o->parent())
            if (o == window_)
                return true;
        return false;
    }

    static void CloseMenus() {
        while (QWidget* popup = QApplication::activePopupWidget())
            if (!popup->close())
                break;
    }

    QPointer<MainWindow> window_;
};

} // namespace

void MainWindow::InstallMenuHelp() {
    qApp->installEventFilter(new MenuHelpFilter(*this));
}

HelpWindow* MainWindow::HelpViewer() {
    if (helpViewer_ == nullptr)
        helpViewer_ = new HelpWindow(this);
    return helpViewer_;
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

} // namespace pexa
