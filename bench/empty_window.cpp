// The yardstick for the converter's start-up: an empty Qt window with the converter window's
// title and client size, centred, shown at once, then waiting for events as the program does.

#include <QApplication>
#include <QScreen>
#include <QWidget>

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
    window.show();
    return QApplication::exec();
}
