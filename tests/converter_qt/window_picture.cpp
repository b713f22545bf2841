// Makes the pictures the README shows: the program started offscreen, its first passes run,
// the window grabbed as a person would see it; with a second file, the About box as well,
// opened from the menu bar. Usage: window_picture WINDOW.png [ABOUT.png]

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "converter/controller.h"
#include "converter/startup.h"
#include "converter/window_layout.h"
#include "toolkit/qt/qt_access.h"

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW.png [ABOUT.png]\n", argv[0]);
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
    if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }
    if (argc == 2) {
        return 0;
    }

    bool saved = false;
    QTimer::singleShot(0, [] {
        QMenuBar* bar = toolkit::qt_access::MenuBar(converter::ConverterMenuBar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().front()).center());
    });
    QTimer::singleShot(200, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            saved = box->grab().save(QString::fromLocal8Bit(argv[2]));
            box->button(QMessageBox::Ok)->click();
        }
    });
    for (int pass = 0; pass < 5; ++pass) {
        converter::ConversionPass(state);
    }
    return saved ? 0 : 1;
}
