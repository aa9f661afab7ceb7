#pragma once

#include <QTextBrowser>

namespace pexa {

// The help window's page. The help document may name pictures and other files;
// only regular files of a limited size inside the document's own folder (the
// page's first search path) are read, so that a name such as /dev/zero or a
// link out of the folder can neither hang the window nor read another file. A
// refused name reads as an empty resource (a broken picture).
class HelpPage : public QTextBrowser {
    Q_OBJECT

public:
    // Larger than any picture a help document carries.
    static constexpr qint64 MaxResourceBytes = 4 * 1024 * 1024;

    explicit HelpPage(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString LocalPathOf(const QUrl& name) const;
};

} // namespace pexa
