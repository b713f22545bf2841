// Makes the picture of the window that the README shows: the program started offscreen, its
// first passes run, the window grabbed as a person would see it. Usage: window_picture OUT.png

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "converter/controller.h"
#include "converter/startup.h"
#include "converter/window_layout.h"
#include "toolkit/qt/qt_access.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    converter::ControllerState state;
    converter::StartUp(state);
    QWidget* window = toolkit::qt_access::Window(converter::ConverterWindow);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, window, [window] { window->update(); });
    ticker.start(10);
    for (int pass = 0; pass < 5; ++pass) {
        converter::ConversionPass(state);
    }
    return window->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
