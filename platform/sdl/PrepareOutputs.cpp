#include "platform/Platform.hpp"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

void PrepareOutputs() {
    // A reader that went away makes the write fail with EPIPE; the game reports it and still
    // writes its other outputs.
    std::signal(SIGPIPE, SIG_IGN);
    // The same for a file grown past the size limit (ulimit -f): EFBIG, reported like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) >= 0) {
            continue;
        }
        // open takes the lowest free number, which is this one. Read-only, so writes to it fail.
        const int placeholder = open("/dev/null", O_RDONLY);
        if (placeholder >= 0 && placeholder != descriptor) {
            close(placeholder);
        }
    }
}

} // namespace platform
