#include "platform/win32/PlatformState.hpp"

#include <mmsystem.h>

#include <cstdio>
#include <io.h>

namespace platform {

std::uint32_t TickCount() {
    return GetTickCount();
}

void SleepMilliseconds(std::uint32_t milliseconds) {
    // The system's timer ticks every 15.6 ms unless asked for 1 ms, once, for the rest of the run.
    static const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    static_cast<void>(fineTimer);
    Sleep(milliseconds);
}

std::uint64_t PerformanceCounter() {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return static_cast<std::uint64_t>(count.QuadPart);
}

std::uint64_t PerformanceFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

// The process's creation time against the system clock, both in 100-nanosecond units.
double SecondsSinceProcessStart() {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) == 0) {
        return -1.0;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto value = [](const FILETIME& time) {
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(value(now) - value(created)) / 1e7;
}

bool StandardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

} // namespace platform
