#include "ui/AboutDialog.h"

#include "ui/HelpWindow.h"

#include <QDir>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

namespace pexa {

namespace {

constexpr int kMargin = 8;
constexpr int kTextLeft = 52;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kAppNamePixels = 13;
// The text lines start every kLinePitch pixels, the support line after a
// wider gap, and the address right below it.
constexpr int kLinePitch = 22;
constexpr int kSupportGap = 30;
constexpr int kAddressGap = 2;

const char* const kAppDescription = "Calculator for programmers";
// The licence is the LICENSE file that ships beside the program.
const char* const kCopyright = "Copyright (C) the pexa developers, MIT License";

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
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
    ShowIconAndBuild(version);
    // Placed now, so that the controls stand where they belong before the
    // dialog is first shown.
    layout()->activate();
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::CreateControls() {
    imgIcon_ = new QLabel(this);
    imgIcon_->setObjectName(QStringLiteral("ImgIcon"));
    imgIcon_->setFixedSize(kIconSize, kIconSize);

    lblAppName_ = MakeLabel(this, "LblAppName", QStringLiteral("pexa"));
    QFont nameFont = lblAppName_->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(kAppNamePixels);
    lblAppName_->setFont(nameFont);

    lblAppDescr_ = MakeLabel(this, "LblAppDescr", QString::fromLatin1(kAppDescription));
    lblVersion_ = MakeLabel(this, "LblVersion", QStringLiteral("Version  1.01"));
    lblBuild_ = MakeLabel(this, "LblBuild", QStringLiteral("(Build %d.%d.%d.%d)"));
    lblBuild_->hide();
    lblCopyright_ = MakeLabel(this, "LblCopyright", QString::fromLatin1(kCopyright));
    lblSupport_ = MakeLabel(this, "LblSupport", tr("Manual:"));

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
    cmdClose_->setFixedSize(kButtonWidth, kButtonHeight);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);
    LayOut();
    cmdClose_->setFocus();
}

// The icon in the top left corner, the close button in the top right one,
// and the text lines between and below them, each as wide as its text (a
// long line may reach under the button's column); the address takes the
// whole width to the right margin.
void AboutDialog::LayOut() {
    auto* grid = new QGridLayout(this);
    // The dialog keeps its fixed size whatever the texts ask for.
    grid->setSizeConstraint(QLayout::SetNoConstraint);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setSpacing(0);
    grid->setColumnMinimumWidth(0, kTextLeft - kMargin);
    grid->setColumnStretch(1, 1);

    const Qt::Alignment topLeft = Qt::AlignTop | Qt::AlignLeft;
    grid->addWidget(imgIcon_, 0, 0, 2, 1, topLeft);
    grid->addWidget(cmdClose_, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(lblAppName_, 0, 1, topLeft);
    grid->addWidget(lblAppDescr_, 1, 1, topLeft);
    auto* versionLine = new QHBoxLayout;
    versionLine->setSpacing(kMargin);
    versionLine->addWidget(lblVersion_, 0, topLeft);
    versionLine->addWidget(lblBuild_, 0, topLeft);
    versionLine->addStretch(1);
    grid->addLayout(versionLine, 2, 1, 1, 2);
    grid->addWidget(lblCopyright_, 3, 1, 1, 2, topLeft);
    for (const int line : {0, 1, 2})
        grid->setRowMinimumHeight(line, kLinePitch);
    grid->setRowMinimumHeight(3, kSupportGap);
    grid->addWidget(lblSupport_, 4, 1, 1, 2, topLeft);
    grid->setRowMinimumHeight(5, kAddressGap);
    grid->addWidget(textUrl_, 6, 1, 1, 2, Qt::AlignTop);
    // What the dialog has to spare goes below the address.
    grid->setRowStretch(7, 1);
}

void AboutDialog::ShowIconAndBuild(const std::optional<FileVersion>& version) {
    imgIcon_->setPixmap(DialogIcon(*this).pixmap(kIconSize, kIconSize));
    if (!version)
        return;
    lblBuild_->setText(FormatBuild(lblBuild_->text(), *version));
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

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace pexa
