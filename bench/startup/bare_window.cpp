// The yardstick for pexa's start-up: the least a Qt Widgets program can do to
// show a window, built with the same compiler, flags and Qt as pexa.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(320, 240);
    window.show();
    return app.exec();
}
