#include "base/Message.hpp"
#include "base/Text.hpp"
#include "platform/MessageLine.hpp"
#include "platform/Platform.hpp"

#include <SDL.h>

namespace platform {

void ShowMessageBox(const char* caption, const char* text, BoxIcon icon) {
    if (MessagesGoToStandardError()) {
        WriteMessageLine(caption, text);
        return;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if (icon == BoxIcon::Exclamation) {
        flags = SDL_MESSAGEBOX_WARNING;
    }
    // With no display to show it on, the box is still read: it goes to standard error.
    if (SDL_ShowSimpleMessageBox(flags, Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str(), nullptr) !=
        0) {
        WriteMessageLine(caption, text);
    }
}

} // namespace platform
