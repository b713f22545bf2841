// The yardstick for the converter's start-up: an empty Qt window with the converter window's
// title and client size, centred, shown at once, then waiting for events as the program does.
// With --label it shows one line of Hebrew text: what drawing any text at all costs.
// With --controls it shows the converter's controls as plain Qt widgets, in the same font and
// places, each list holding only the one item it shows: what drawing this window costs at
// all, before anything fills the lists.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <cstring>

#include "converter/window_layout.h"

namespace {

void AddList(QWidget* frame, int x, int width, const char* shown)
{
    auto* list = new QComboBox(frame);
    list->addItem(QString::fromUtf8(shown));
    list->setGeometry(x, 20, width, list->sizeHint().height());
}

void AddControls(QWidget& window)
{
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), QApplication::font().pointSize()));
    auto* bar = new QMenuBar(&window);
    bar->addAction(QString::fromUtf8("אודות"));
    int top = bar->sizeHint().height();
    bar->setGeometry(0, 0, converter::ClientWidth, top);

    auto* civil = new QGroupBox(QString::fromUtf8("תאריך לועזי"), &window);
    civil->setGeometry(10, top + 10, 265, 65);
    AddList(civil, 5, 50, "8");
    AddList(civil, 65, 100, "דצמבר");
    AddList(civil, 175, 80, "2026");
    auto* hebrew = new QGroupBox(QString::fromUtf8("תאריך עברי"), &window);
    hebrew->setGeometry(10, top + 110, 260, 65);
    AddList(hebrew, 205, 50, "י״ח");
    AddList(hebrew, 100, 95, "כסלו");
    AddList(hebrew, 10, 80, "התשפ״ז");
    auto* today = new QPushButton(QString::fromUtf8("היום"), &window);
    today->setGeometry(75, top + 220, 130, 30);
    auto* close = new QPushButton(QString::fromUtf8("סגור"), &window);
    close->setGeometry(75, top + 260, 130, 30);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("דטרון גרסא ") +
                          QString::fromLatin1(DetronVersion.data(), static_cast<qsizetype>(DetronVersion.size())));
    window.resize(converter::ClientWidth, converter::ClientHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        window.move((area.width() - converter::ClientWidth) / 2, (area.height() - converter::ClientHeight) / 2);
    }
    if (argc == 2 && std::strcmp(argv[1], "--label") == 0) {
        auto* label = new QLabel(QString::fromUtf8("תאריך עברי"), &window);
        label->move(10, 10);
    }
    if (argc == 2 && std::strcmp(argv[1], "--controls") == 0) {
        AddControls(window);
    }
    window.show();
    return QApplication::exec();
}
