#pragma once

#include <cstddef>
#include <string>

// The four values of the screen configuration file "scr.txt".
struct ScreenConfig {
    int width;       // "Ancho": the window's outer width in pixels
    int height;      // "Alto": the window's outer height in pixels
    int colourBits;  // "Bits": colour depth of the pixel format
    bool fullscreen; // "Fullscreen": 1 fullscreen, 0 windowed
};

// Reads text[0..size) with the pattern "Ancho=%d\nAlto=%d\nBits=%d\nFullscreen=%d": keys match
// literally and case-sensitively, each line break matches any run of white space (also none), each
// number may follow white space and carry a sign, and must be followed by white space, the next
// key or the end. A UTF-8 byte order mark before "Ancho=" is passed over; trailing bytes after the
// last entry's number and white space are ignored. False with problem set (Windows-1252 Spanish
// text, no file name) when an entry is missing or unreadable, a number does not fit an int or has
// other bytes glued to it (quoted in problem), Bits is not a depth a pixel format can have (8, 15,
// 16, 24, 32), or Fullscreen is neither 0 nor 1; out is written only on success. Pure: issues no
// GL or platform calls.
bool ParseScreenConfig(const char* text, std::size_t size, ScreenConfig& out, std::string& problem);
