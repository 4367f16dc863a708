#pragma once

// The non-interactive form of a message box, shared by both implementations.

namespace platform {

// True when JOSTRELA_MESSAGES=stderr is in the environment: boxes become lines, nothing waits.
bool MessagesGoToStandardError();

// Writes "caption: text" and a line break to standard error, both converted from Windows-1252 to
// UTF-8, and flushes it.
void WriteMessageLine(const char* caption, const char* text);

} // namespace platform
