#include "ui/help/HelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace pexa {

namespace {

// What a refused name gives. Not a null value: on a null one the document would
// read the file by itself.
QVariant Refused() {
    return QByteArray("");
}

enum class LinkKind { InPage, Desktop, Refused };

LinkKind KindOfLink(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? LinkKind::Refused : LinkKind::Desktop;
    if (scheme == QLatin1String("mailto"))
        return LinkKind::Desktop;
    // Only a place in this document: no scheme, no host and no path of its own.
    if (scheme.isEmpty() && url.authority().isEmpty() && url.path().isEmpty() && !url.hasQuery())
        return LinkKind::InPage;
    return LinkKind::Refused;
}

} // namespace

HelpPage::HelpPage(QWidget* parent) : QTextBrowser(parent) {
    // Every link comes to doSetSource, which decides where it may go.
    setOpenExternalLinks(false);
}

void HelpPage::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    switch (KindOfLink(name)) {
    case LinkKind::InPage:
        QTextBrowser::doSetSource(name, type);
        return;
    case LinkKind::Desktop:
        if (!QDesktopServices::openUrl(name))
            emit linkNotOpened(name);
        return;
    case LinkKind::Refused:
        emit linkRefused(name);
        return;
    }
}

QString HelpPage::LocalPathOf(const QUrl& name) const {
    if (name.isLocalFile())
        return name.toLocalFile();
    // Anything with a scheme of its own (http, data, qrc) is not the folder's.
    if (!name.scheme().isEmpty() || searchPaths().isEmpty())
        return {};
    return QDir(searchPaths().front()).filePath(name.path());
}

QVariant HelpPage::loadResource(int /*type*/, const QUrl& name) {
    if (searchPaths().isEmpty())
        return Refused();
    const QString folder = QFileInfo(searchPaths().front()).canonicalFilePath();
    const QString path = LocalPathOf(name);
    if (folder.isEmpty() || path.isEmpty())
        return Refused();
    // The canonical path has every link resolved, so a link cannot lead out.
    const QFileInfo info(QFileInfo(path).canonicalFilePath());
    if (!info.filePath().startsWith(folder + QLatin1Char('/')) || !info.isFile() ||
        info.size() > MaxResourceBytes)
        return Refused();
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return Refused();
    // The size can change after the check; the read never takes more than the limit.
    const QByteArray bytes = file.read(MaxResourceBytes + 1);
    if (bytes.size() > MaxResourceBytes || file.error() != QFileDevice::NoError)
        return Refused();
    return bytes;
}

} // namespace pexa
