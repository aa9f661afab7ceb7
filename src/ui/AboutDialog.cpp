#include "ui/AboutDialog.h"

#include "ui/HelpWindow.h"

#include <QDir>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace pexa {

namespace {

constexpr int kMargin = 8;
constexpr int kTextLeft = 52;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kAppNamePixels = 13;

const char* const kAppDescription = "Calculator for programmers";
// The licence is the LICENSE file that ships beside the program.
const char* const kCopyright = "Copyright (C) the pexa developers, MIT License";

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->adjustSize();
    label->move(x, y);
    return label;
}

// The icon the window shows (its owner's or the application's).
QIcon DialogIcon(const QWidget& dialog) {
    const QIcon icon = dialog.windowIcon();
    return icon.isNull() ? dialog.style()->standardIcon(QStyle::SP_ComputerIcon) : icon;
}

} // namespace

AboutDialog::AboutDialog(QWidget* owner) : AboutDialog(owner, QStringLiteral("/proc/self/exe")) {}

AboutDialog::AboutDialog(QWidget* owner, const QString& executable)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(tr("About pexa"));
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    std::optional<FileVersion> version;
    if (!executable.isEmpty())
        version = ReadFileVersion(executable.toStdString());
    FormCreate(version);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::CreateControls() {
    imgIcon_ = new QLabel(this);
    imgIcon_->setObjectName(QStringLiteral("ImgIcon"));
    imgIcon_->setGeometry(kMargin, kMargin, kIconSize, kIconSize);

    lblAppName_ = MakeLabel(this, "LblAppName", QStringLiteral("pexa"), kTextLeft, 8);
    QFont nameFont = lblAppName_->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(kAppNamePixels);
    lblAppName_->setFont(nameFont);
    lblAppName_->adjustSize();

    lblAppDescr_ =
        MakeLabel(this, "LblAppDescr", QString::fromLatin1(kAppDescription), kTextLeft, 30);
    lblVersion_ = MakeLabel(this, "LblVersion", QStringLiteral("Version  1.01"), kTextLeft, 52);
    lblBuild_ = MakeLabel(this, "LblBuild", QStringLiteral("(Build %d.%d.%d.%d)"),
                          lblVersion_->geometry().right() + 1 + kMargin, 52);
    lblBuild_->hide();
    lblCopyright_ = MakeLabel(this, "LblCopyright", QString::fromLatin1(kCopyright), kTextLeft, 74);
    lblSupport_ = MakeLabel(this, "LblSupport", tr("Support page:"), kTextLeft, 104);

    // The support the program has is its manual: where it is, to open or copy.
    textUrl_ = new QLineEdit(QDir::toNativeSeparators(HelpWindow::DefaultHelpFile()), this);
    textUrl_->setObjectName(QStringLiteral("TextURL"));
    textUrl_->setReadOnly(true);
    textUrl_->setFrame(false);
    // Selectable and copyable, but not a stop of the Tab key.
    textUrl_->setFocusPolicy(Qt::ClickFocus);
    QPalette urlPalette = textUrl_->palette();
    urlPalette.setColor(QPalette::Base, palette().color(QPalette::Window));
    textUrl_->setPalette(urlPalette);
    textUrl_->setCursorPosition(0);

    cmdClose_ = new QPushButton(tr("Close"), this);
    cmdClose_->setObjectName(QStringLiteral("CmdClose"));
    cmdClose_->setDefault(true);
    cmdClose_->setAutoDefault(true);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
    PlaceAnchored();
    cmdClose_->setFocus();
}

void AboutDialog::FormCreate(const std::optional<FileVersion>& version) {
    imgIcon_->setPixmap(DialogIcon(*this).pixmap(kIconSize, kIconSize));
    if (!version)
        return;
    lblBuild_->setText(FormatBuild(lblBuild_->text(), *version));
    lblBuild_->adjustSize();
    lblBuild_->show();
}

QString AboutDialog::FormatBuild(const QString& format, const FileVersion& version) {
    const int parts[4] = {version.Major, version.Minor, version.Release, version.Build};
    QString text;
    int next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (next < 4 && format[i] == QLatin1Char('%') && i + 1 < format.size() &&
            format[i + 1] == QLatin1Char('d')) {
            text += QString::number(parts[next++]);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

// The close button keeps to the right edge and the address field stretches
// with the dialog.
void AboutDialog::PlaceAnchored() {
    if (cmdClose_ == nullptr)
        return;
    cmdClose_->setGeometry(width() - kMargin - kButtonWidth, kMargin, kButtonWidth, kButtonHeight);
    const int urlTop = lblSupport_->geometry().bottom() + 1 + 2;
    textUrl_->setGeometry(kTextLeft, urlTop, std::max(0, width() - kTextLeft - kMargin),
                          textUrl_->sizeHint().height());
}

void AboutDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceAnchored();
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace pexa
