#include <sys/time.h>
#include <time.h>

#include "platform/host.h"

namespace korven::platform {

LocalTime Now() {
    timeval now{};
    gettimeofday(&now, nullptr);
    // Every trace line asks; converting takes a lock and the zone's rules,
    // so each thread converts a given second once.
    thread_local time_t convertedSecond = -1;
    thread_local tm local{};
    if (now.tv_sec != convertedSecond) {
        localtime_r(&now.tv_sec, &local);
        convertedSecond = now.tv_sec;
    }
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(now.tv_usec / 1000)};
}

}  // namespace korven::platform
