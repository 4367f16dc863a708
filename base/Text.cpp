#include "base/Text.hpp"

#include <cstdint>

namespace {

// Code points of 0x80..0x9F; 0 marks the five bytes Windows-1252 does not define.
const std::uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendCodePoint(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string Cp1252ToUtf8(const char* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        std::uint32_t cp = *p;
        if (cp >= 0x80 && cp < 0xA0) {
            cp = kHighControls[cp - 0x80] != 0 ? kHighControls[cp - 0x80] : 0xFFFD;
        }
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string EscapeControlBytes(const char* text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += *p;
        }
    }
    return out;
}
