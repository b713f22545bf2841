#include "toolkit/qt/qt_fonts.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace toolkit::qt_fonts {

namespace {

// Touched by the program's own thread only.
std::thread loader;

}  // namespace

void StartLoading()
{
    if (!loader.joinable()) {
        // Fontconfig sets up its one configuration thread-safely; Qt's font database finds it
        // in place later instead of reading the configuration files itself.
        loader = std::thread([] { FcInit(); });
    }
}

void AwaitLoaded()
{
    if (loader.joinable()) {
        loader.join();
    }
}

}  // namespace toolkit::qt_fonts
