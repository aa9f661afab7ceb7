#pragma once

#include <QTextBrowser>

namespace pexa {

// The help window's page. The help document may name pictures and other files;
// only regular files of a limited size inside the document's own folder (the
// page's first search path) are read, so that a name such as /dev/zero or a
// link out of the folder can neither hang the window nor read another file. A
// refused name reads as an empty resource (a broken picture).
//
// A link followed inside the page ("#ctx5") moves through the document and its
// history, so that Back returns; a web or mail link goes to the desktop's
// program for it; any other (javascript:, data:, file:, another document)
// is refused and the page stays as it was: loading it would replace the
// document the contents list points into.
class HelpPage : public QTextBrowser {
    Q_OBJECT

public:
    // Larger than any picture a help document carries.
    static constexpr qint64 MaxResourceBytes = 4 * 1024 * 1024;

    explicit HelpPage(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

signals:
    // A link that was not followed, and a desktop link no program opened.
    void linkRefused(const QUrl& url);
    void linkNotOpened(const QUrl& url);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    QString LocalPathOf(const QUrl& name) const;
};

} // namespace pexa
