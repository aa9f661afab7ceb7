#pragma once

#include <QDialog>

namespace pexa {

// The about box: the program's icon, name and description, its version and
// the build's version, the licence, and where the manual is, with a button
// that closes it. Enter, Esc and the close button all close it with the
// result Accepted: it asks nothing.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner = nullptr);

    // "(Build 1.1.0.0)": the version the build was made with.
    static QString BuildText();

public slots:
    // Esc and the title bar's close button: the same as the close button.
    void reject() override;
};

} // namespace pexa
