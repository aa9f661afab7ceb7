#include "ui/app/WindowProgram.h"

#include "core/FormatSettings.h"
#include "ui/app/ApplicationSetup.h"
#include "ui/app/InterfaceFont.h"
#include "ui/app/LocaleFormat.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QLocale>

namespace pexa {

int RunWindowProgram(int argc, char* argv[]) {
    FontConfigurationReader fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    SetUpApplication();
    // The regional characters are read once; the program follows them until
    // it ends.
    CurrentFormat() = FormatFromLocale(QLocale::system());

    MainWindow window;
    window.show();
    return app.exec();
}

} // namespace pexa
