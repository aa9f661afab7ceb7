#include "ui/ApplicationSetup.h"

#include "ui/DarkPalette.h"
#include "ui/InterfaceFont.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <functional>
#include <future>
#include <optional>
#include <utility>
#include <vector>

namespace pexa {

namespace {

// The picture is a resource of the executable, so that a copied pexa keeps
// its icon; each size is drawn once, not scaled from another size. Images
// and painters on them work in any thread.
std::vector<QImage> DrawIconImages() {
    QSvgRenderer renderer(QStringLiteral(":/pexa/pexa.svg"));
    std::vector<QImage> images;
    if (!renderer.isValid())
        return images;
    for (const int size : kApplicationIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        images.push_back(std::move(image));
    }
    return images;
}

// Pixmaps belong to the GUI thread.
QIcon IconOfImages(const std::vector<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

// An icon whose pictures are got on its first use: the first question about
// it (its sizes, a pixmap, whether it is empty) gets the real icon and every
// answer is then that icon's.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> load) : load_(std::move(load)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("pexa-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (!icon_)
            icon_ = load_();
        return *icon_;
    }

    std::function<QIcon()> load_;
    std::optional<QIcon> icon_;
};

// The desktop's style, except that the tool bar's overflow button gets its
// picture when it is first drawn. Every tool bar makes that button at once,
// and reading its picture makes Qt load every image format plug-in there
// is; the main window is as wide as its tool bar, so the button is seldom
// shown at all.
class ApplicationStyle : public QProxyStyle {
public:
    explicit ApplicationStyle(QStyle* desktop) : QProxyStyle(desktop) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which != SP_ToolBarHorizontalExtensionButton &&
            which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        // The picture depends on the direction only (it points away from
        // the tool bar's start).
        const Qt::LayoutDirection direction =
            option != nullptr ? option->direction : QGuiApplication::layoutDirection();
        const QPointer<QStyle> base(baseStyle());
        return QIcon(new DeferredIconEngine([base, which, direction] {
            if (base.isNull())
                return QIcon();
            QStyleOption picture;
            picture.direction = direction;
            return base->standardIcon(which, &picture);
        }));
    }
};

} // namespace

void SetUpApplication() {
    // Only the name: an application display name would make the platform
    // append " — pexa" to every window title.
    QApplication::setApplicationName(QStringLiteral("pexa"));
    QApplication::setStyle(new ApplicationStyle(QApplication::style()));
    // The pictures are drawn while the first window is built; the window
    // waits for them when it is made.
    const std::shared_future<std::vector<QImage>> pictures =
        std::async(std::launch::async, DrawIconImages).share();
    QApplication::setWindowIcon(
        QIcon(new DeferredIconEngine([pictures] { return IconOfImages(pictures.get()); })));
    // Latin text in the desktop's proportional font, Japanese in a font that
    // leaves "\" and "~" as they are.
    QApplication::setFont(InterfaceFont());
    if (WantsDarkPalette(qEnvironmentVariable("PEXA_PALETTE")))
        QApplication::setPalette(DarkPalette());
}

QIcon ApplicationIcon() {
    return IconOfImages(DrawIconImages());
}

} // namespace pexa
