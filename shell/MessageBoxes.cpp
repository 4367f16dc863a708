#include "shell/MessageBoxes.hpp"

#include "platform/Platform.hpp"

void ShowInPlatformBox(const char* caption, const char* text, MessageIcon icon) {
    platform::ShowMessageBox(caption, text, static_cast<platform::BoxIcon>(icon));
}
