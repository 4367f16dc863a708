#include "platform/Platform.hpp"

#include <windows.h>

namespace platform {

void LoginName(char* out, std::size_t capacity) {
    if (capacity == 0) {
        return;
    }
    out[0] = '\0';
    DWORD size = static_cast<DWORD>(capacity);
    if (!GetUserNameA(out, &size)) {
        out[0] = '\0';
    }
}

} // namespace platform
