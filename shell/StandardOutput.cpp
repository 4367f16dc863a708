#include "shell/StandardOutput.hpp"

#include "base/OptionFailure.hpp"

#include <cstdio>

bool FinishStandardStreams() {
    const bool outputWritten = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    if (!outputWritten) {
        ReportOptionFailure("cannot write the standard output");
    }
    const bool errorWritten = std::fflush(stderr) == 0 && std::ferror(stderr) == 0;
    return outputWritten && errorWritten;
}
