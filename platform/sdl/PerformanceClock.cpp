#include "platform/Platform.hpp"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint64_t kNanosecondsPerSecond = 1000000000u;

std::uint64_t Nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * kNanosecondsPerSecond +
           static_cast<std::uint64_t>(now.tv_nsec);
}

// Field 22 of /proc/self/stat: the process's start in clock ticks since boot. The command name
// (field 2) may hold spaces and parentheses, so the fields are counted from its last ')'.
bool ProcessStartTicks(unsigned long long& ticks) {
    std::FILE* file = std::fopen("/proc/self/stat", "r");
    if (file == nullptr) {
        return false;
    }
    char text[1024];
    const std::size_t size = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[size] = '\0';
    const char* cursor = std::strrchr(text, ')');
    if (cursor == nullptr) {
        return false;
    }
    ++cursor;
    // After the name come field 3 (state) to field 22 (start time): skip 19 fields.
    for (int field = 3; field < 22; ++field) {
        cursor = std::strchr(cursor + 1, ' ');
        if (cursor == nullptr) {
            return false;
        }
    }
    return std::sscanf(cursor, " %llu", &ticks) == 1;
}

} // namespace

std::uint64_t PerformanceCounter() {
    return Nanoseconds(CLOCK_MONOTONIC);
}

std::uint64_t PerformanceFrequency() {
    return kNanosecondsPerSecond;
}

// The kernel counts a process's start on the boot-time clock, which goes on through suspend.
double SecondsSinceProcessStart() {
    unsigned long long startTicks = 0;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!ProcessStartTicks(startTicks) || ticksPerSecond <= 0) {
        return -1.0;
    }
    const double now = static_cast<double>(Nanoseconds(CLOCK_BOOTTIME)) / kNanosecondsPerSecond;
    return now - static_cast<double>(startTicks) / static_cast<double>(ticksPerSecond);
}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

} // namespace platform
