#pragma once

// The non-interactive form of a message box, shared by both implementations: the line itself is
// base's WriteMessageLine.

namespace platform {

// True when JOSTRELA_MESSAGES=stderr is in the environment: boxes become lines, nothing waits.
bool MessagesGoToStandardError();

} // namespace platform
