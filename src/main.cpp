// The program: "pexa --eval …" answers on the command line without Qt's
// graphical side (no application object, so no platform plugin and no
// display); any other command line opens the window.

#include "cli/CommandLine.h"
#include "core/FormatSettings.h"
#include "ui/app/ApplicationSetup.h"
#include "ui/app/InterfaceFont.h"
#include "ui/app/LocaleFormat.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    if (pexa::IsCommandLineRun(argc, argv))
        return pexa::RunCommandLine(argc, argv);

    pexa::FontConfigurationReader fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    pexa::SetUpApplication();
    // The regional characters are read once; the program follows them until
    // it ends.
    pexa::CurrentFormat() = pexa::FormatFromLocale(QLocale::system());

    pexa::MainWindow window;
    window.show();
    return app.exec();
}
