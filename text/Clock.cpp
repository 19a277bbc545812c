#include "Clock.h"

#include <chrono>
#include <ctime>
#include <optional>

namespace {
std::optional<TNow>& Fixed() {
    static std::optional<TNow> fixed;
    return fixed;
}
}  // namespace

TNow Now() {
    if (Fixed())
        return *Fixed();
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t tt = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &tt);
#else
    localtime_r(&tt, &local);
#endif
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
            {local.tm_hour, local.tm_min, local.tm_sec, int(ms * 10)}};
}

void FixClock(const TNow& now) {
    Fixed() = now;
}
void ResetClock() {
    Fixed().reset();
}
