#include "base/StopRequest.hpp"

#include <csignal>
#ifndef _WIN32
#include <signal.h>
#endif

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void NoteStopSignal(int signal) {
    stopRequested = 1;
#ifndef SA_RESTART
    // Some C libraries put the default action back before calling the handler.
    std::signal(signal, NoteStopSignal);
#else
    (void)signal;
#endif
}

void Catch(int signal) {
#ifdef SA_RESTART
    // Without SA_RESTART: a call blocked on a pipe or a terminal that nobody reads returns (EINTR)
    // when the stop comes, instead of holding the game for ever.
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(signal, &action, nullptr);
#else
    std::signal(signal, NoteStopSignal);
#endif
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
    Catch(SIGINT);
    Catch(SIGTERM);
#ifdef SIGHUP
    // The terminal closed: the player is gone, and the run ends as for any other stop.
    Catch(SIGHUP);
#endif
}

bool StopRequested() {
    return stopRequested != 0;
}
