#include "base/Json.hpp"

#include "base/Text.hpp"

#include <cmath>
#include <cstdio>

void AppendJsonFloat(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    out += buffer;
}

void AppendJsonString(std::string& out, const char* cp1252) {
    out += '"';
    for (const char c : Cp1252ToUtf8(cp1252)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendJsonFloats(std::string& out, const float* values, int count) {
    out += '[';
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            out += ", ";
        }
        AppendJsonFloat(out, values[i]);
    }
    out += ']';
}
