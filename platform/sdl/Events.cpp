#include "platform/Platform.hpp"

#include "base/StopRequest.hpp"
#include "platform/sdl/PlatformState.hpp"

#include <SDL.h>

namespace platform {

namespace {

// The quit request of PostQuit; it waits behind every other event.
bool quitPosted = false;
int quitCode = 0;
// A stop signal and a lost display are each handed out once, as the close request they stand for.
bool stopDelivered = false;
bool lossDelivered = false;

Event Make(EventKind kind) {
    Event event{};
    event.kind = kind;
    return event;
}

Event Translate(const SDL_Event& sdl) {
    if (sdl.type == SDL_QUIT) {
        // Only a termination signal gets here (the last window's close does not quit by itself):
        // it ends the game the way the close box does.
        return Make(EventKind::Close);
    }
    if (sdl.type != SDL_WINDOWEVENT) {
        return Make(EventKind::Other);
    }
    if (sdl.window.event == SDL_WINDOWEVENT_CLOSE) {
        return Make(EventKind::Close);
    }
    if (sdl.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        // The size the window really has: the event of a fullscreen switch carries the display
        // mode's, which the window need not take.
        Event event = Make(EventKind::Resize);
        event.width = sdl.window.data1;
        event.height = sdl.window.data2;
        SDL_Window* window = SDL_GetWindowFromID(sdl.window.windowID);
        if (window != nullptr) {
            ClientSize(window, event.width, event.height);
        }
        return event;
    }
    return Make(EventKind::Other);
}

} // namespace

bool PeekEvent(Event& event) {
    if (StopRequested() && !stopDelivered) {
        stopDelivered = true;
        event = Make(EventKind::Close);
        return true;
    }
    if (DisplayLost() && !lossDelivered) {
        lossDelivered = true;
        event = Make(EventKind::Close);
        return true;
    }
    SDL_Event sdl;
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0 && SDL_PollEvent(&sdl) != 0) {
        event = Translate(sdl);
        return true;
    }
    if (quitPosted) {
        quitPosted = false;
        event = Make(EventKind::Quit);
        event.code = quitCode;
        return true;
    }
    return false;
}

void PostQuit(int code) {
    quitPosted = true;
    quitCode = code;
}

} // namespace platform
