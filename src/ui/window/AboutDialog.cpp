#include "ui/window/AboutDialog.h"

#include "ui/help/HelpWindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

// The build passes the project's version (src/CMakeLists.txt).
#ifndef PEXA_VERSION
#error "PEXA_VERSION must be defined by the build"
#endif

namespace pexa {

namespace {

const char* const kAppDescription = "Calculator for programmers";
// The program's own version line, which has read the same in every release.
const char* const kVersionLine = "Version  1.01";
// The licence is the LICENSE file that ships beside the program.
const char* const kCopyright = "Copyright (C) the pexa developers, MIT License";

QLabel* IconLabel(QDialog& dialog) {
    QIcon icon = dialog.windowIcon();
    if (icon.isNull())
        icon = dialog.style()->standardIcon(QStyle::SP_ComputerIcon);
    const int size = dialog.style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, &dialog);
    auto* label = new QLabel(&dialog);
    label->setPixmap(icon.pixmap(size, size));
    label->setAlignment(Qt::AlignTop);
    return label;
}

QLabel* NameLabel() {
    auto* label = new QLabel(QStringLiteral("pexa"));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The version and, beside it, the build's version.
QHBoxLayout* VersionLine() {
    auto* line = new QHBoxLayout;
    line->addWidget(new QLabel(QString::fromLatin1(kVersionLine)));
    line->addWidget(new QLabel(AboutDialog::BuildText()));
    line->addStretch(1);
    return line;
}

// The manual's path, to select and copy: a field that looks like the
// labels around it and is not a stop of the Tab key.
QLineEdit* ManualPathField(const QDialog& dialog) {
    auto* field = new QLineEdit(QDir::toNativeSeparators(HelpWindow::DefaultHelpFile()));
    field->setReadOnly(true);
    field->setFrame(false);
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, dialog.palette().color(QPalette::Window));
    field->setPalette(palette);
    field->setCursorPosition(0);
    // Wide enough for a usual install path; a longer one scrolls.
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 40);
    return field;
}

} // namespace

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("About pexa"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(NameLabel());
    texts->addWidget(new QLabel(QString::fromLatin1(kAppDescription)));
    texts->addLayout(VersionLine());
    texts->addWidget(new QLabel(QString::fromLatin1(kCopyright)));
    texts->addSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, this));
    texts->addWidget(new QLabel(tr("Manual:")));
    texts->addWidget(ManualPathField(*this));

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(IconLabel(*this), 0, 0);
    grid->addLayout(texts, 0, 1);
    grid->addWidget(buttons, 0, 2, Qt::AlignTop);
    // As large as its content, and no larger or smaller.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    close->setFocus();
}

QString AboutDialog::BuildText() {
    return QStringLiteral("(Build %1)").arg(QStringLiteral(PEXA_VERSION));
}

void AboutDialog::reject() {
    accept();
}

} // namespace pexa
