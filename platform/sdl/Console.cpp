#include "platform/Platform.hpp"

namespace platform {

// A Linux program's standard streams are the ones its caller gave it.
void AttachParentConsole() {}

} // namespace platform
