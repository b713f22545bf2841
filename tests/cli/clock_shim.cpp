// Put before the C library with LD_PRELOAD, so that the program's clock reads what a test
// chooses: DETRON_TEST_CLOCK holds the seconds time() gives, or "fail" for a clock that cannot
// be read.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

extern "C" std::time_t time(std::time_t* out) noexcept
{
    const char* chosen = std::getenv("DETRON_TEST_CLOCK");
    std::time_t now = static_cast<std::time_t>(-1);
    if (chosen != nullptr && std::strcmp(chosen, "fail") != 0) {
        now = static_cast<std::time_t>(std::strtoll(chosen, nullptr, 10));
    } else {
        errno = EOVERFLOW;
    }
    if (out != nullptr) {
        *out = now;
    }
    return now;
}
