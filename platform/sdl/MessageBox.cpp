#include "base/Message.hpp"
#include "base/StopRequest.hpp"
#include "base/Text.hpp"
#include "platform/MessageLine.hpp"
#include "platform/Platform.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace platform {

namespace {

// SDL shows a box from a child process it waits for. A stop signal while a box is up must end the
// game as at any other point, so while the box is shown the stop signals also end that child: the
// wait returns and the game takes the stop as usual.
const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction chainedActions[3] = {};
char childrenPath[64] = {}; // the main thread's list of child processes, written before a box

// Kills every child of the main thread (the box is its only one). SIGKILL: the child inherited
// these handlers and must not take the signal as a stop of its own. Async-signal-safe: open, read,
// close and kill only.
void EndBoxProcesses() {
    const int file = open(childrenPath, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return;
    }
    char list[256];
    const ssize_t got = read(file, list, sizeof list);
    close(file);
    pid_t child = 0;
    for (ssize_t i = 0; i < got; ++i) {
        if (list[i] >= '0' && list[i] <= '9') {
            child = child * 10 + (list[i] - '0');
        } else {
            if (child > 0) {
                kill(child, SIGKILL);
            }
            child = 0;
        }
    }
}

extern "C" void StopWhileBoxIsUp(int signal, siginfo_t* info, void* context) {
    for (int i = 0; i < 3; ++i) {
        const struct sigaction& chained = chainedActions[i];
        if (kStopSignals[i] != signal) {
            continue;
        }
        if (chained.sa_flags & SA_SIGINFO) {
            chained.sa_sigaction(signal, info, context);
        } else if (chained.sa_handler == SIG_DFL) {
            // A program that never caught the signal ends by it, as without the box.
            EndBoxProcesses();
            sigaction(signal, &chained, nullptr);
            raise(signal);
            return;
        } else if (chained.sa_handler != SIG_IGN) {
            chained.sa_handler(signal);
        }
    }
    EndBoxProcesses();
}

// Shows the box owned by owner (null: none), ending it when a stop signal comes; SDL's result.
int ShowEndableBox(Uint32 flags, const char* caption, const char* text, SDL_Window* owner) {
    std::snprintf(childrenPath, sizeof childrenPath, "/proc/%d/task/%d/children", static_cast<int>(getpid()),
                  static_cast<int>(getpid()));
    for (int i = 0; i < 3; ++i) {
        struct sigaction action {};
        action.sa_sigaction = StopWhileBoxIsUp;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_SIGINFO;
        sigaction(kStopSignals[i], &action, &chainedActions[i]);
    }
    const int result = StopRequested() ? -1 : SDL_ShowSimpleMessageBox(flags, caption, text, owner);
    for (int i = 0; i < 3; ++i) {
        sigaction(kStopSignals[i], &chainedActions[i], nullptr);
    }
    return result;
}

Window* boxOwner = nullptr;
bool focusOwnsBoxes = false;

} // namespace

void SetMessageBoxOwner(Window* owner) {
    boxOwner = owner;
    focusOwnsBoxes = false;
}

void SetMessageBoxOwnerToFocus() {
    boxOwner = nullptr;
    focusOwnsBoxes = true;
}

void ShowMessageBox(const char* caption, const char* text, MessageIcon icon) {
    // Nobody is there to answer a box once a stop is asked.
    if (MessagesGoToStandardError() || StopRequested()) {
        WriteMessageLine(caption, text);
        return;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if (icon == MessageIcon::Exclamation) {
        flags = SDL_MESSAGEBOX_WARNING;
    }
    // An owned box is kept above its window (X11 makes it the window's transient).
    SDL_Window* owner = boxOwner == nullptr ? nullptr : boxOwner->sdl;
    if (focusOwnsBoxes) {
        owner = SDL_GetKeyboardFocus();
    }
    // With no display to show it on, or ended by a stop, the box is still read: it goes to
    // standard error.
    if (ShowEndableBox(flags, MessageTextToUtf8(caption).c_str(), MessageTextToUtf8(text).c_str(), owner) !=
        0) {
        WriteMessageLine(caption, text);
    }
}

} // namespace platform
