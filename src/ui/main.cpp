#include "core/FormatSettings.h"
#include "ui/DarkPalette.h"
#include "ui/InterfaceFont.h"
#include "ui/LocaleFormat.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pexa"));
    QApplication::setApplicationDisplayName(QStringLiteral("pexa"));
    // Latin text in the desktop's proportional font, Japanese in a font that
    // leaves "\" and "~" as they are.
    QApplication::setFont(pexa::InterfaceFont());
    if (pexa::WantsDarkPalette(qEnvironmentVariable("PEXA_PALETTE")))
        QApplication::setPalette(pexa::DarkPalette());
    // The regional characters are read once; the program follows them until
    // it ends.
    pexa::CurrentFormat() = pexa::FormatFromLocale(QLocale::system());

    pexa::TForm_Main window;
    window.show();
    return app.exec();
}
