#pragma once

// CPU time of the calling thread. Ratios between two pieces of work are taken in it: on a shared
// machine, time taken away by other processes does not count against whichever piece happened to
// be running, as it does with wall-clock time.

#include <cstdint>
#include <ctime>

namespace bench_time {

inline std::uint64_t ThreadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

} // namespace bench_time
