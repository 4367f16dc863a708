#include "base/Text.hpp"
#include "platform/Platform.hpp"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

bool NonInteractive() {
    const char* mode = std::getenv("JOSTRELA_MESSAGES");
    return mode != nullptr && std::strcmp(mode, "stderr") == 0;
}

void WriteLine(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

} // namespace

void ShowMessageBox(const char* caption, const char* text, BoxIcon icon) {
    const std::string utf8Caption = Cp1252ToUtf8(caption);
    const std::string utf8Text = Cp1252ToUtf8(text);
    if (NonInteractive()) {
        WriteLine(utf8Caption, utf8Text);
        return;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    if (icon == BoxIcon::Exclamation) {
        flags = SDL_MESSAGEBOX_WARNING;
    }
    if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), nullptr) != 0) {
        WriteLine(utf8Caption, utf8Text);
    }
}

} // namespace platform
