#pragma once

#include "base/Message.hpp"

// The game's message sink: each message in the platform's modal box (or, with
// JOSTRELA_MESSAGES=stderr, as a line on standard error). Installed by the executable before its
// first process-wide object is constructed.
void ShowInPlatformBox(const char* caption, const char* text, MessageIcon icon);
