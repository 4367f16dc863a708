#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// A file the game writes for an option (--screenshot, --stats, --trace, --dump-state): opened
// without waiting, every write and the close checked, and a regular file that could not be written
// whole removed again, so no truncated output is ever left looking like a finished one. Reports
// nothing: the caller names the option in its message.

namespace platform {

struct OutputFile {
    std::FILE* file = nullptr;
    std::string path;
    bool regular = false; // a regular file the open emptied or made
    bool failed = false;  // a write failed; the file is removed at the close
};

// Opens path as OpenOutputFile does. False when it cannot be opened (output stays closed).
bool OpenOutput(OutputFile& output, const char* path);

// Writes size bytes of data, then flushes them when flush is set (so a reader sees whole lines as
// the game runs). False, and nothing more is written, once any write has failed.
bool WriteOutput(OutputFile& output, const void* data, std::size_t size, bool flush);

// Closes the file; false when some write or the close itself failed, and the file, when regular,
// has then been removed. True for an output never opened.
bool CloseOutput(OutputFile& output);

} // namespace platform
