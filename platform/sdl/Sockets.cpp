#include "platform/Platform.hpp"

namespace platform {

// Linux reports an unreachable port only on connected UDP sockets, which the game does not use.
void IgnoreUdpPortUnreachable(std::uintptr_t) {}

} // namespace platform
