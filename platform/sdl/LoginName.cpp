#include "platform/Platform.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {

void LoginName(char* out, std::size_t capacity) {
    if (capacity == 0) {
        return;
    }
    out[0] = '\0';
    // The account's record first: $USER is whatever the caller's environment says.
    const passwd* account = getpwuid(getuid());
    const char* name = account != nullptr ? account->pw_name : std::getenv("USER");
    if (name != nullptr) {
        std::strncpy(out, name, capacity - 1);
        out[capacity - 1] = '\0';
    }
}

} // namespace platform
