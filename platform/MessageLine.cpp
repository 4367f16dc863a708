#include "platform/MessageLine.hpp"

#include "base/Text.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

bool MessagesGoToStandardError() {
    const char* mode = std::getenv("JOSTRELA_MESSAGES");
    return mode != nullptr && std::strcmp(mode, "stderr") == 0;
}

void WriteMessageLine(const char* caption, const char* text) {
    std::fprintf(stderr, "%s: %s\n", Cp1252ToUtf8(caption).c_str(), Cp1252ToUtf8(text).c_str());
    std::fflush(stderr);
}

} // namespace platform
