#pragma once

#include <string>

// The game keeps its texts as Windows-1252 bytes; they become UTF-8 only where they are shown.
// Issues no SDL calls. The five bytes that code page leaves undefined become U+FFFD.
std::string Cp1252ToUtf8(const char* text);

// text with every control byte (below 0x20, and 0x7F) written as \xNN, so that bytes quoted from a
// file or a command line cannot move the cursor, clear the screen or retitle the terminal they are
// shown on. Other bytes are kept as they are.
std::string EscapeControlBytes(const char* text);

// Like Cp1252ToUtf8, except that bytes already forming a well-formed UTF-8 sequence of two to four
// bytes are kept as they are: a name a file or a command line gave in UTF-8 (a texture, a key
// script) shows as itself beside the game's own Windows-1252 words, not as mojibake. No Spanish
// text of the game holds such a pair ("\xC3\xA9" would be the unlikely "Ã©").
std::string MessageTextToUtf8(const char* text);
