#pragma once
// TZ set for a test's scope and put back as it was when the scope ends, so that the tests of a
// program that read the system's zone do not depend on their order. POSIX only.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class ScopedZone {
public:
    explicit ScopedZone(const char* zone)
    {
        if (const char* saved = std::getenv("TZ")) {
            kept_ = saved;
        }
        Set(zone);
    }
    ~ScopedZone()
    {
        if (kept_) {
            setenv("TZ", kept_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedZone(const ScopedZone&) = delete;
    ScopedZone& operator=(const ScopedZone&) = delete;

    void Set(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    std::optional<std::string> kept_;
};
