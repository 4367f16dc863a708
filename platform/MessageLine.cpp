#include "platform/MessageLine.hpp"

#include <cstdlib>
#include <cstring>

namespace platform {

bool MessagesGoToStandardError() {
    const char* mode = std::getenv("JOSTRELA_MESSAGES");
    return mode != nullptr && std::strcmp(mode, "stderr") == 0;
}

} // namespace platform
