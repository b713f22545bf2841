// The yardstick for the converter's start-up: an empty Qt window with the converter window's
// title and client size, centred, shown at once, then waiting for events as the program does.
// With --label it shows one line of Hebrew text: what drawing any text at all costs.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cstring>

#include "converter/window_layout.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("דטרון גרסא 3.1"));
    window.resize(converter::ClientWidth, converter::ClientHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        window.move((area.width() - converter::ClientWidth) / 2, (area.height() - converter::ClientHeight) / 2);
    }
    if (argc == 2 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QString::fromUtf8("תאריך עברי"), &window);
        label->move(10, 10);
    }
    window.show();
    return QApplication::exec();
}
