#include "toolkit/qt/qt_preload.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <thread>

// The resources of a static library are registered by hand, outside any namespace.
static void RegisterTranslations()
{
    Q_INIT_RESOURCE(toolkit_translations);
}

namespace toolkit::qt_preload {

namespace {

// Touched by the program's own thread only, but for the translator, which the loader fills
// before the program's thread, having joined it, puts it to use.
std::thread loader;
QTranslator* translator = nullptr;
bool translated = false;

void Load()
{
    // Fontconfig sets up its one configuration thread-safely; Qt's font database finds it in
    // place instead of reading the configuration files itself. The database is shared by all
    // threads and guarded by its own lock.
    FcInit();
    QFontDatabase::families();
    translated = translator->load(QStringLiteral(":/toolkit/translations/qtbase_he.qm"));
}

// A program that ends without having drawn text still lets the loader finish first: a thread
// left running at exit would end the process abnormally.
void JoinAtExit()
{
    if (loader.joinable()) {
        loader.join();
    }
}

}  // namespace

void Start()
{
    if (translator != nullptr) {
        return;
    }
    RegisterTranslations();
    translator = new QTranslator(QCoreApplication::instance());
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    loader = std::thread(Load);
    std::atexit(JoinAtExit);
}

void AwaitLoaded()
{
    if (loader.joinable()) {
        loader.join();
        if (translated) {
            QCoreApplication::installTranslator(translator);
        }
    }
}

}  // namespace toolkit::qt_preload
