#include "diag/Trace.hpp"

#include "base/OptionFailure.hpp"

namespace {

void ReportTraceFault(const TraceFile& trace) {
    ReportOptionFailure("trace " + trace.path + ": cannot be written");
}

} // namespace

bool DumpGameState(const GameState& state, const char* path) {
    if (!WriteStateDump(path, state)) {
        ReportOptionFailure(std::string("state dump ") + path + ": cannot be written");
        return false;
    }
    return true;
}

bool StartTrace(TraceFile& trace, const char* path) {
    trace.path = path;
    trace.file = std::fopen(path, "wb");
    if (trace.file == nullptr) {
        ReportTraceFault(trace);
        return false;
    }
    trace.line.reserve(4096);
    return true;
}

void TraceFrame(TraceFile& trace, const GameState& state) {
    if (trace.file == nullptr || trace.failed) {
        return;
    }
    trace.line.clear();
    AppendStateJson(trace.line, state);
    // Flushed every frame, so a test can read the frames while the game runs.
    if (std::fwrite(trace.line.data(), 1, trace.line.size(), trace.file) != trace.line.size() ||
        std::fflush(trace.file) != 0) {
        trace.failed = true;
        ReportTraceFault(trace);
    }
}

bool EndTrace(TraceFile& trace) {
    if (trace.file == nullptr) {
        return true;
    }
    const bool closed = std::fclose(trace.file) == 0;
    trace.file = nullptr;
    if (!closed && !trace.failed) {
        trace.failed = true;
        ReportTraceFault(trace);
    }
    return !trace.failed;
}
