#include "shell/PlayerName.hpp"

#include "platform/Platform.hpp"

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::size_t kMaxNameLetters = 16;

// A letter of Windows-1252: the ASCII ones, the accented block from 0xC0 but the multiplication
// and division signs, and the five letters (Š Œ Ž š œ ž Ÿ) among the code page's extras.
bool IsLetter(std::uint8_t byte) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
        return true;
    }
    if (byte >= 0xC0) {
        return byte != 0xD7 && byte != 0xF7;
    }
    switch (byte) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    default:
        return false;
    }
}

// The Windows-1252 bytes of text when it is UTF-8 with nothing past U+00FF; else text unchanged,
// taken as Windows-1252 already (a Windows command line, or a name with characters the code page
// lacks, which then fails the letters check).
std::string ToCp1252(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < text.size() &&
                   (static_cast<std::uint8_t>(text[i + 1]) & 0xC0) == 0x80) {
            const auto next = static_cast<std::uint8_t>(text[i + 1]);
            out += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
            ++i;
        } else {
            return text;
        }
    }
    return out;
}

} // namespace

bool ReadPlayerName(const std::string& given, std::string& name, std::string& problem) {
    const std::string text = ToCp1252(given);
    if (text.empty() || text.size() > kMaxNameLetters) {
        problem = "--name needs 1 to 16 letters";
        return false;
    }
    for (char c : text) {
        if (!IsLetter(static_cast<std::uint8_t>(c))) {
            problem = "--name takes letters only";
            return false;
        }
    }
    name = text;
    return true;
}

std::string DefaultPlayerName() {
    char login[64];
    platform::LoginName(login, sizeof login);
    std::string name;
    for (char c : ToCp1252(login)) {
        if (IsLetter(static_cast<std::uint8_t>(c)) && name.size() < kMaxNameLetters) {
            name += c;
        }
    }
    return name.empty() ? "Jugador" : name;
}
