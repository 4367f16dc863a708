#include "base/StopRequest.hpp"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void NoteStopSignal(int signal) {
    stopRequested = 1;
    // Some C libraries put the default action back before calling the handler.
    std::signal(signal, NoteStopSignal);
}

} // namespace

void CatchStopSignals() {
    static bool caught = false;
    if (caught) {
        return;
    }
    caught = true;
    // A handler already in place keeps the video library from installing its own, which would
    // turn the signal into a quit event only once the window exists.
    std::signal(SIGINT, NoteStopSignal);
    std::signal(SIGTERM, NoteStopSignal);
}

bool StopRequested() {
    return stopRequested != 0;
}
