#include "shell/ScreenConfig.hpp"

#include <climits>
#include <cstring>

namespace {

// A bounded read position over the file's bytes.
struct Cursor {
    const char* text;
    std::size_t size;
    std::size_t at;

    bool AtEnd() const { return at >= size; }
    char Peek() const { return text[at]; }
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void SkipSpace(Cursor& cursor) {
    while (!cursor.AtEnd() && IsSpace(cursor.Peek())) {
        ++cursor.at;
    }
}

bool MatchLiteral(Cursor& cursor, const char* literal) {
    const std::size_t length = std::strlen(literal);
    if (cursor.size - cursor.at < length || std::memcmp(cursor.text + cursor.at, literal, length) != 0) {
        return false;
    }
    cursor.at += length;
    return true;
}

enum class NumberResult { Ok, Missing, OutOfRange };

// Like %d: leading white space, an optional sign, then at least one decimal digit.
NumberResult ReadInt(Cursor& cursor, int& value) {
    SkipSpace(cursor);
    bool negative = false;
    if (!cursor.AtEnd() && (cursor.Peek() == '+' || cursor.Peek() == '-')) {
        negative = cursor.Peek() == '-';
        ++cursor.at;
    }
    if (cursor.AtEnd() || cursor.Peek() < '0' || cursor.Peek() > '9') {
        return NumberResult::Missing;
    }
    // Accumulate the magnitude up to INT_MAX + 1, so INT_MIN still reads.
    const long long limit = static_cast<long long>(INT_MAX) + (negative ? 1 : 0);
    long long magnitude = 0;
    bool overflow = false;
    while (!cursor.AtEnd() && cursor.Peek() >= '0' && cursor.Peek() <= '9') {
        if (!overflow) {
            magnitude = magnitude * 10 + (cursor.Peek() - '0');
            overflow = magnitude > limit;
        }
        ++cursor.at;
    }
    if (overflow) {
        return NumberResult::OutOfRange;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return NumberResult::Ok;
}

// True when the entry is there but written with white space between its name and "=" ("Ancho = 800").
bool Misspaced(Cursor cursor, const char* key) {
    const std::size_t name = std::strlen(key) - 1;
    if (cursor.size - cursor.at < name || std::memcmp(cursor.text + cursor.at, key, name) != 0) {
        return false;
    }
    cursor.at += name;
    const std::size_t before = cursor.at;
    SkipSpace(cursor);
    return cursor.at > before && !cursor.AtEnd() && cursor.Peek() == '=';
}

// After a number comes white space, the end of the file or the next entry's key: anything else
// (a letter, a decimal point, a NUL) means the number is not what the entry was meant to hold.
bool NumberEndsCleanly(const Cursor& cursor, const char* nextKey) {
    if (cursor.AtEnd() || IsSpace(cursor.Peek())) {
        return true;
    }
    const std::size_t length = nextKey == nullptr ? 0 : std::strlen(nextKey);
    return length > 0 && cursor.size - cursor.at >= length &&
           std::memcmp(cursor.text + cursor.at, nextKey, length) == 0;
}

// The entry's text from start up to the next white space (at most 24 bytes), for a message; the
// message line shows any control byte in it as such.
std::string EntryText(const Cursor& cursor, std::size_t start) {
    std::size_t end = start;
    while (end < cursor.size && end - start < 24 && !IsSpace(cursor.text[end])) {
        ++end;
    }
    return std::string(cursor.text + start, end - start);
}

// One "Key=%d" entry preceded by the white space the pattern's line break allows, followed by
// nextKey (null for the last entry).
bool ReadEntry(Cursor& cursor, const char* key, const char* nextKey, bool skipSpaceFirst, int& value,
               std::string& problem) {
    if (skipSpaceFirst) {
        SkipSpace(cursor);
    }
    if (!MatchLiteral(cursor, key)) {
        if (Misspaced(cursor, key)) {
            problem = std::string("la entrada ") + key + " est\xE1 mal escrita: sin espacios antes de =";
        } else {
            problem = std::string("falta la entrada ") + key;
        }
        return false;
    }
    const std::size_t valueStart = cursor.at;
    const NumberResult result = ReadInt(cursor, value);
    if (result == NumberResult::Missing) {
        problem = std::string("la entrada ") + key + " no tiene un n\xFAmero";
        return false;
    }
    if (result == NumberResult::OutOfRange) {
        problem = std::string("el valor de ") + key + " est\xE1 fuera de rango";
        return false;
    }
    if (!NumberEndsCleanly(cursor, nextKey)) {
        std::size_t start = valueStart;
        while (start < cursor.size && IsSpace(cursor.text[start])) {
            ++start;
        }
        problem =
            std::string("el valor de ") + key + " no es un n\xFAmero entero: " + EntryText(cursor, start);
        return false;
    }
    return true;
}

} // namespace

bool ParseScreenConfig(const char* text, std::size_t size, ScreenConfig& out, std::string& problem) {
    Cursor cursor{text, text == nullptr ? 0 : size, 0};
    int width = 0;
    int height = 0;
    int colourBits = 0;
    int fullscreen = 0;
    // The pattern starts with its first key, so nothing may come before "Ancho=", but the mark
    // some editors put at the start of a UTF-8 file is no part of the text.
    MatchLiteral(cursor, "\xEF\xBB\xBF");
    if (!ReadEntry(cursor, "Ancho=", "Alto=", false, width, problem) ||
        !ReadEntry(cursor, "Alto=", "Bits=", true, height, problem) ||
        !ReadEntry(cursor, "Bits=", "Fullscreen=", true, colourBits, problem) ||
        !ReadEntry(cursor, "Fullscreen=", nullptr, true, fullscreen, problem)) {
        return false;
    }
    // A window needs at least one pixel each way.
    if (width <= 0) {
        problem = "el valor de Ancho= debe ser mayor que 0";
        return false;
    }
    if (height <= 0) {
        problem = "el valor de Alto= debe ser mayor que 0";
        return false;
    }
    // The depths a pixel format can have; the pixel format keeps the low 8 bits of any other.
    if (colourBits != 8 && colourBits != 15 && colourBits != 16 && colourBits != 24 && colourBits != 32) {
        problem = "el valor de Bits= debe ser 8, 15, 16, 24 o 32";
        return false;
    }
    if (fullscreen != 0 && fullscreen != 1) {
        problem = "el valor de Fullscreen= debe ser 0 o 1";
        return false;
    }
    out.width = width;
    out.height = height;
    out.colourBits = colourBits;
    out.fullscreen = fullscreen == 1;
    return true;
}
