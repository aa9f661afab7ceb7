#include "ui/ApplicationSetup.h"

#include "ui/DarkPalette.h"
#include "ui/InterfaceFont.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace pexa {

void SetUpApplication() {
    // Only the name: an application display name would make the platform
    // append " — pexa" to every window title.
    QApplication::setApplicationName(QStringLiteral("pexa"));
    QApplication::setWindowIcon(ApplicationIcon());
    // Latin text in the desktop's proportional font, Japanese in a font that
    // leaves "\" and "~" as they are.
    QApplication::setFont(InterfaceFont());
    if (WantsDarkPalette(qEnvironmentVariable("PEXA_PALETTE")))
        QApplication::setPalette(DarkPalette());
}

// The picture is a resource of the executable, so that a copied pexa keeps
// its icon; each size is drawn once, not scaled from another size.
QIcon ApplicationIcon() {
    QSvgRenderer renderer(QStringLiteral(":/pexa/pexa.svg"));
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (const int size : kApplicationIconSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace pexa
