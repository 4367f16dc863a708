#include "platform/Platform.hpp"

#include <cerrno>
#include <ctime>

namespace platform {

// The monotonic clock counts from boot, so the title refresh sees a clock already well past one
// second at the first frame, like an uptime counter would.
std::uint32_t TickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t ms =
        static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    timespec wait{};
    wait.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    wait.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // A signal may cut the sleep short: sleep on for what is left. Any other failure ends it.
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

} // namespace platform
