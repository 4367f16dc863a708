#include "base/OptionFailure.hpp"

#include "base/Text.hpp"

#include <cstdio>

void ReportOptionFailure(const std::string& text) {
    // File names and script lines are quoted as given: their control bytes are shown, not acted on.
    std::fprintf(stderr, "jostrela: %s\n", EscapeControlBytes(text.c_str()).c_str());
}
