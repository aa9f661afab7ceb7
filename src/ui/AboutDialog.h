#pragma once

#include "ui/VersionInfo.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pexa {

// The about box: the program's name, description, version and build number,
// authors and licence, and where the manual is. The build number comes from the version section
// of the executable file; without one the build label stays hidden.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 368;
    static constexpr int kClientHeight = 161;

    // Reads the version of the running executable.
    explicit AboutDialog(QWidget* owner = nullptr);
    // Reads the version of another executable file (an empty path: none).
    AboutDialog(QWidget* owner, const QString& executable);
    ~AboutDialog() override;
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    // "(Build %d.%d.%d.%d)" with its four "%d" filled in order.
    static QString FormatBuild(const QString& format, const FileVersion& version);

    QLabel* ImgIcon() const { return imgIcon_; }
    QLabel* LblAppName() const { return lblAppName_; }
    QLabel* LblAppDescr() const { return lblAppDescr_; }
    QLabel* LblVersion() const { return lblVersion_; }
    QLabel* LblBuild() const { return lblBuild_; }
    QLabel* LblCopyright() const { return lblCopyright_; }
    QLabel* LblSupport() const { return lblSupport_; }
    QLineEdit* TextURL() const { return textUrl_; }
    QPushButton* CmdClose() const { return cmdClose_; }

protected:
    // Esc closes with the same result as the close button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    // The icon, and the build line when the executable carries a version.
    void ShowIconAndBuild(const std::optional<FileVersion>& version);
    void LayOut();

    QLabel* imgIcon_ = nullptr;
    QLabel* lblAppName_ = nullptr;
    QLabel* lblAppDescr_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblBuild_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    QLabel* lblSupport_ = nullptr;
    QLineEdit* textUrl_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

} // namespace pexa
