#include "ui/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace pexa {

HelpPage::HelpPage(QWidget* parent) : QTextBrowser(parent) {}

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
        return {};
    const QString folder = QFileInfo(searchPaths().front()).canonicalFilePath();
    const QString path = LocalPathOf(name);
    if (folder.isEmpty() || path.isEmpty())
        return {};
    // The canonical path has every link resolved, so a link cannot lead out.
    const QFileInfo info(QFileInfo(path).canonicalFilePath());
    if (!info.filePath().startsWith(folder + QLatin1Char('/')) || !info.isFile() ||
        info.size() > MaxResourceBytes)
        return {};
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The size can change after the check; the read never takes more than the limit.
    const QByteArray bytes = file.read(MaxResourceBytes + 1);
    if (bytes.size() > MaxResourceBytes || file.error() != QFileDevice::NoError)
        return {};
    return bytes;
}

} // namespace pexa
