#include "base/OptionFailure.hpp"

#include <cstdio>

void ReportOptionFailure(const std::string& text) {
    std::fprintf(stderr, "jostrela: %s\n", text.c_str());
}
