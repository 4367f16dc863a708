#pragma once

#include <string>

// The game keeps its texts as Windows-1252 bytes; they become UTF-8 only where they are shown.
// Issues no SDL calls. The five bytes that code page leaves undefined become U+FFFD.
std::string Cp1252ToUtf8(const char* text);
