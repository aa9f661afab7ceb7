// A second yardstick: the bare window plus one line of text in the menu's
// Japanese and in digits, so the comparison shows what loading the fonts costs
// any program that draws text, apart from what pexa itself does.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("編集(E) 表示(V) 2,482,673,275 日本"));
    window.setWindowTitle(QStringLiteral("text"));
    window.resize(320, 240);
    window.show();
    return app.exec();
}
