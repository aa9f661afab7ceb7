#include "ui/app/ApplicationSetup.h"

#include "ui/app/DarkPalette.h"
#include "ui/app/InterfaceFont.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

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

// The program's icon while its pictures are drawn in another thread, so
// that drawing them overlaps building the first window; the first use of
// the icon (the window being made) waits for them and then it is the icon
// ApplicationIcon returns.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(std::shared_future<std::vector<QImage>> images)
        : images_(std::move(images)) {}

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
    QString key() const override { return QStringLiteral("pexa-drawn"); }
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

private:
    const QIcon& Icon() {
        if (!icon_)
            icon_ = IconOfImages(images_.get());
        return *icon_;
    }

    std::shared_future<std::vector<QImage>> images_;
    std::optional<QIcon> icon_;
};

} // namespace

void SetUpApplication() {
    // Only the name: an application display name would make the platform
    // append " — pexa" to every window title.
    QApplication::setApplicationName(QStringLiteral("pexa"));
    QApplication::setWindowIcon(
        QIcon(new DrawnIconEngine(std::async(std::launch::async, DrawIconImages).share())));
    // Latin text in the desktop's proportional font, Japanese in a font that
    // leaves "\" and "~" as they are.
    QApplication::setFont(InterfaceFont());
    // "dark" in any case, blanks around it ignored.
    if (qEnvironmentVariable("PEXA_PALETTE").trimmed().compare(u"dark", Qt::CaseInsensitive) == 0)
        QApplication::setPalette(DarkPalette());
}

} // namespace pexa
