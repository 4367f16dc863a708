#include "base/Text.hpp"

#include <cstdint>

namespace {

// Code points of 0x80..0x9F; 0 marks the five bytes Windows-1252 does not define.
constexpr std::uint16_t kHighControls[32] = {
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

namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at p, or 0.
int Utf8SequenceLength(const unsigned char* p) {
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        length = 2;
    } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
        length = 3;
        low = p[0] == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = p[0] == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        length = 4;
        low = p[0] == 0xF0 ? 0x90 : 0x80;
        high = p[0] == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (p[1] < low || p[1] > high) {
        return 0;
    }
    for (int i = 2; i < length; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string MessageTextToUtf8(const char* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        const int length = Utf8SequenceLength(p);
        if (length > 0) {
            out.append(reinterpret_cast<const char*>(p), static_cast<std::size_t>(length));
            p += length;
        } else {
            const char single[2] = {static_cast<char>(*p), '\0'};
            out += Cp1252ToUtf8(single);
            ++p;
        }
    }
    return out;
}
