#pragma once

// Everything the game needs of the machine. Only platform/ includes SDL; the game's modules see
// this header and nothing else of the platform.

#include <cstdint>

namespace platform {

enum class BoxIcon { None, Information, Exclamation };

// A modal box with an OK button; caption and text are Windows-1252. With JOSTRELA_MESSAGES=stderr in
// the environment, or when no display can show a box, writes one line "caption: text" (UTF-8) to
// standard error instead and returns at once, as if OK was pressed.
void ShowMessageBox(const char* caption, const char* text, BoxIcon icon);

// Milliseconds since an arbitrary start, wrapping at 2^32.
std::uint32_t TickCount();

} // namespace platform
