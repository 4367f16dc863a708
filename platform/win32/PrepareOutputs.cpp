#include "platform/Platform.hpp"

namespace platform {

void PrepareOutputs() {
    // Windows has no SIGPIPE: a write to a pipe whose reader went away fails as it is made, and a
    // program started without a standard stream has no descriptor there to be taken.
}

} // namespace platform
