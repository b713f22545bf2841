#include "toolkit/qt/qt_preload.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QTranslator>

#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

// The resources of a static library are registered by hand, outside any namespace.
static void RegisterTranslations()
{
    Q_INIT_RESOURCE(toolkit_translations);
}

namespace toolkit::qt_preload {

namespace {

// Touched by the program's own thread only, but for the translator, which the loader fills
// before the program's thread, having joined it, puts it to use, and for the hand-over below.
std::thread loader;
QTranslator* translator = nullptr;
bool translated = false;

// The loader's Qt half waits for the application to exist, or for the program to end first.
std::mutex handOver;
std::condition_variable applicationMade;
bool applicationReady = false;
bool abandoned = false;

void Load()
{
    // The window's appearance waits on the program's own thread and on the display server,
    // not on this one, which only has to be done by the first text: it gives way to them.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    // Fontconfig's set-up (reading its configuration files and font caches) needs nothing of
    // Qt, so it runs while the application connects to the display. Qt's font database then
    // finds the configuration in place instead of reading the files itself; the database is
    // shared by all threads and guarded by its own lock.
    FcInit();
    {
        std::unique_lock<std::mutex> lock(handOver);
        applicationMade.wait(lock, [] { return applicationReady || abandoned; });
        if (!applicationReady) {
            return;
        }
    }
    QFontDatabase::families();
    // The first picture the style draws (a group frame's border) has Qt load every image
    // plugin it has, to ask each whether it reads the format; asked once here, the plugins
    // are in place when the window draws.
    QBuffer nothing;
    QImageReader(&nothing, "png").canRead();
    translated = translator->load(QStringLiteral(":/toolkit/translations/qtbase_he.qm"));
}

// Lets the loader end and waits for it. What was asked for before the application existed is
// never loaded. A program that ends without having drawn text comes here at exit: a thread
// left running at exit would end the process abnormally.
void JoinLoader()
{
    if (!loader.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(handOver);
        abandoned = true;
    }
    applicationMade.notify_one();
    loader.join();
}

}  // namespace

void Begin()
{
    if (loader.joinable() || translator != nullptr) {
        return;
    }
    loader = std::thread(Load);
    std::atexit(JoinLoader);
}

void Start()
{
    if (translator != nullptr) {
        return;
    }
    Begin();
    RegisterTranslations();
    translator = new QTranslator(QCoreApplication::instance());
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    {
        std::lock_guard<std::mutex> lock(handOver);
        applicationReady = true;
    }
    applicationMade.notify_one();
}

void AwaitLoaded()
{
    if (loader.joinable()) {
        JoinLoader();
        if (translated) {
            QCoreApplication::installTranslator(translator);
        }
    }
}

}  // namespace toolkit::qt_preload
