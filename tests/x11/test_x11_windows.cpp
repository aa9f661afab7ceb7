// The windows as an X11 desktop sees them: the titles and icons that the
// platform puts on the real X windows, read back through Xlib from a second
// connection, the way a task bar or window switcher reads them, and the menu
// bar under real pointer clicks and key presses (XTest). Runs under a
// private Xvfb server (ctest starts it through bench/startup/with_xvfb.sh).

#include "../ui/MainWindowHarness.h"

#include "ui/app/ApplicationSetup.h"
#include "ui/help/HelpWindow.h"
#include "ui/window/AboutDialog.h"
#include "ui/window/HistoryPane.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

using namespace pexa;
using namespace pexa::testing;

namespace {

// One connection of our own, as another program on the desktop has.
class XReader {
public:
    XReader() : display_(XOpenDisplay(nullptr)) {}
    ~XReader() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    XReader(const XReader&) = delete;
    XReader& operator=(const XReader&) = delete;

    bool IsOpen() const { return display_ != nullptr; }

    // The property's items (8- or 32-bit), or none when the window lacks it.
    template <class Item>
    std::optional<std::vector<Item>> Property(const QWidget& window, const char* name, Atom type) {
        const Atom property = XInternAtom(display_, name, False);
        std::vector<Item> items;
        long offset = 0;
        for (;;) {
            Atom actualType = 0;
            int format = 0;
            unsigned long count = 0;
            unsigned long remaining = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display_, static_cast<Window>(window.winId()), property, offset,
                                   65536, False, type, &actualType, &format, &count, &remaining,
                                   &data) != Success)
                return std::nullopt;
            if (actualType == None) {
                XFree(data);
                return std::nullopt;
            }
            // Xlib hands 32-bit items over as longs.
            for (unsigned long i = 0; i < count; ++i) {
                if (format == 32)
                    items.push_back(static_cast<Item>(reinterpret_cast<const long*>(data)[i]));
                else
                    items.push_back(static_cast<Item>(data[i]));
            }
            XFree(data);
            if (remaining == 0)
                return items;
            offset += static_cast<long>(count * static_cast<unsigned long>(format) / 32);
        }
    }

    Atom Intern(const char* name) { return XInternAtom(display_, name, False); }

    // The title as EWMH desktops show it (UTF-8).
    QString NetWmName(const QWidget& window) {
        const auto bytes = Property<char>(window, "_NET_WM_NAME", Intern("UTF8_STRING"));
        return bytes ? QString::fromUtf8(bytes->data(), static_cast<qsizetype>(bytes->size()))
                     : QStringLiteral("<none>");
    }

    // The icon images of _NET_WM_ICON by size, as 0xAARRGGBB pixels.
    std::map<int, QImage> NetWmIcons(const QWidget& window) {
        std::map<int, QImage> images;
        const auto data = Property<quint32>(window, "_NET_WM_ICON", XA_CARDINAL);
        if (!data)
            return images;
        std::size_t at = 0;
        while (at + 2 <= data->size()) {
            const auto width = static_cast<int>((*data)[at]);
            const auto height = static_cast<int>((*data)[at + 1]);
            const std::size_t pixels = static_cast<std::size_t>(width) * height;
            at += 2;
            if (width <= 0 || height <= 0 || at + pixels > data->size())
                break;
            QImage image(width, height, QImage::Format_ARGB32);
            for (int y = 0; y < height; ++y)
                std::memcpy(image.scanLine(y),
                            data->data() + at + static_cast<std::size_t>(y) * width,
                            static_cast<std::size_t>(width) * 4);
            images[width] = image;
            at += pixels;
        }
        return images;
    }

private:
    Display* display_;
};

// Real input as the X server delivers it to whatever holds the grabs: the
// pointer moved and clicked, keys pressed by evdev keycode.
class XInput {
public:
    static constexpr unsigned kEscape = 9;
    static constexpr unsigned kDigit7 = 16;
    static constexpr unsigned kF6 = 72;
    static constexpr unsigned kF9 = 75;

    XInput() : display_(XOpenDisplay(nullptr)) {}
    ~XInput() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    bool Usable() const {
        int event, error, major, minor;
        return display_ != nullptr &&
               XTestQueryExtension(display_, &event, &error, &major, &minor) != 0;
    }

    void Click(QPoint global) {
        XTestFakeMotionEvent(display_, -1, global.x(), global.y(), CurrentTime);
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        XSync(display_, False);
    }

    // A notch of the wheel, over a point: X's buttons 4 (up) and 5 (down).
    void Wheel(QPoint global, bool up) {
        XTestFakeMotionEvent(display_, -1, global.x(), global.y(), CurrentTime);
        const unsigned button = up ? 4 : 5;
        XTestFakeButtonEvent(display_, button, True, CurrentTime);
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
        XSync(display_, False);
    }

    void Press(unsigned key) {
        XTestFakeKeyEvent(display_, key, True, CurrentTime);
        XTestFakeKeyEvent(display_, key, False, CurrentTime);
        XSync(display_, False);
    }

private:
    Display* display_;
};

QPoint TitleCentre(const QMenuBar& bar, const QMenu& menu) {
    return bar.mapToGlobal(bar.actionGeometry(menu.menuAction()).center());
}

void Show(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

// Whether two renderings agree to within rounding of premultiplied alpha.
bool SamePicture(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            if (std::abs(qAlpha(p) - qAlpha(q)) > 2 || std::abs(qRed(p) - qRed(q)) > 2 ||
                std::abs(qGreen(p) - qGreen(q)) > 2 || std::abs(qBlue(p) - qBlue(q)) > 2)
                return false;
        }
    return true;
}

} // namespace

class X11WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
                 "run on the xcb platform under an X server");
        QVERIFY(reader_.IsOpen());
        SetUpApplication();
    }

    void mainWindowTitleIsTheCaption() {
        WindowFixture window;
        Show(*window);
        QTRY_COMPARE(reader_.NetWmName(*window), QStringLiteral("pexa - Decimal"));
        Run(*window, "actionBarNext");
        QTRY_COMPARE(reader_.NetWmName(*window), QStringLiteral("pexa - Hexadecimal"));
        Run(*window, "actionBarClose");
        Run(*window, "actionBarClose");
        QTRY_COMPARE(reader_.NetWmName(*window), QStringLiteral("pexa"));
    }

    void aboutBoxAndHelpWindowTitles() {
        WindowFixture window;
        Show(*window);
        AboutDialog about(&*window);
        Show(about);
        QTRY_COMPARE(reader_.NetWmName(about), QStringLiteral("バージョン情報"));
        about.close();
        window->HelpViewer()->ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(window->HelpViewer()));
        QTRY_COMPARE(reader_.NetWmName(*window->HelpViewer()), QStringLiteral("pexa ヘルプ"));
    }

    void everyWindowCarriesTheIcon() {
        // What SetUpApplication gave every window.
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        WindowFixture window;
        Show(*window);
        AboutDialog about(&*window);
        Show(about);
        window->HelpViewer()->ShowContents();
        QVERIFY(QTest::qWaitForWindowExposed(window->HelpViewer()));
        for (const QWidget* shown : {static_cast<QWidget*>(&*window), static_cast<QWidget*>(&about),
                                     static_cast<QWidget*>(window->HelpViewer())}) {
            std::map<int, QImage> icons;
            QTRY_VERIFY((icons = reader_.NetWmIcons(*shown)).size() >= 1);
            for (const int size : kApplicationIconSizes) {
                QVERIFY2(icons.count(size) == 1, qPrintable(shown->objectName()));
                QVERIFY(SamePicture(icons[size], icon.pixmap(size).toImage()));
            }
            // A picture, not an empty square: transparent corners, an opaque body.
            const QImage& small = icons[16];
            QCOMPARE(qAlpha(small.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(small.pixel(8, 8)), 255);
        }
        // The about box shows the same icon.
        bool aboutShowsIcon = false;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            const QPixmap shownIcon = label->pixmap();
            if (!shownIcon.isNull())
                aboutShowsIcon =
                    SamePicture(shownIcon.toImage(), icon.pixmap(shownIcon.size()).toImage());
        }
        QVERIFY(aboutShowsIcon);
    }

    void menuTitleOpensItsMenuAfterEsc_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("Edit, then View") << 0 << 2;
        QTest::newRow("View, then Edit") << 2 << 0;
        QTest::newRow("Bar, then Bar again") << 1 << 1;
        QTest::newRow("Help, then Bar") << 3 << 1;
    }

    // A menu closed by Esc leaves the menu bar ready for the next click: each
    // click on a title opens that title's menu, and afterwards the keys still
    // reach the calculator.
    void menuTitleOpensItsMenuAfterEsc() {
        QFETCH(int, first);
        QFETCH(int, second);
        XInput input;
        QVERIFY2(input.Usable(), "no X server with the XTEST extension");
        WindowFixture window;
        MainWindow& form = *window;
        form.move(40, 40);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const WindowMenuBar& bar = *form.MainMenuBar();
        const QList<QMenu*> menus = {bar.EditMenu(), bar.BarMenu(), bar.ViewMenu(), bar.HelpMenu()};
        for (int round = 0; round < 3; ++round) {
            for (const int title : {first, second}) {
                QMenu* menu = menus[title];
                input.Click(TitleCentre(bar, *menu));
                QTRY_COMPARE(QApplication::activePopupWidget(), menu);
                input.Press(XInput::kEscape);
                QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
            }
        }
        input.Press(XInput::kDigit7);
        QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("7"));
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    // The history pane shown by its key leaves the keys with the calculator
    // until F6 gives it the keyboard; Esc gives it back.
    void historyPaneLeavesTheKeysWithTheCalculator() {
        XInput input;
        QVERIFY2(input.Usable(), "no X server with the XTEST extension");
        WindowFixture window;
        MainWindow& form = *window;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        input.Press(XInput::kF9);
        QTRY_VERIFY(form.View().Is(ViewOptions::Flag::HistoryPane));
        input.Press(XInput::kDigit7);
        QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("7"));
        input.Press(XInput::kF6);
        QTRY_VERIFY(form.History()->hasFocus());
        input.Press(XInput::kDigit7);
        input.Press(XInput::kEscape);
        QTRY_VERIFY(!form.History()->hasFocus());
        input.Press(XInput::kDigit7);
        QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("77"));
        // The wheel over the pane scrolls it, and beyond its ends does nothing
        // (elsewhere it steps the bars); the key after it shows it was handled.
        CalcBar* active = form.Bars().Active();
        const QWidget* lines = form.History()->viewport();
        input.Wheel(lines->mapToGlobal(lines->rect().center()), false);
        input.Wheel(lines->mapToGlobal(lines->rect().center()), true);
        input.Wheel(lines->mapToGlobal(lines->rect().center()), true);
        input.Press(XInput::kDigit7);
        QTRY_COMPARE(ShownOf(form, BarKind::Decimal), QStringLiteral("777"));
        QCOMPARE(form.Bars().Active(), active);
    }

private:
    XReader reader_;
};

QTEST_MAIN(X11WindowsTest)
#include "test_x11_windows.moc"
