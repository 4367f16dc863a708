#include "diag/Trace.hpp"

#include "base/OptionFailure.hpp"

namespace {

void ReportTraceFault(const TraceFile& trace) {
    ReportOptionFailure("trace " + trace.output.path + ": cannot be written");
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
    if (!platform::OpenOutput(trace.output, path)) {
        ReportTraceFault(trace);
        return false;
    }
    trace.line.reserve(4096);
    return true;
}

void TraceFrame(TraceFile& trace, const GameState& state) {
    if (trace.output.file == nullptr || trace.output.failed) {
        return;
    }
    trace.line.clear();
    AppendStateJson(trace.line, state);
    // Flushed every frame, so a test can read the frames while the game runs.
    if (!platform::WriteOutput(trace.output, trace.line.data(), trace.line.size(), true)) {
        ReportTraceFault(trace);
    }
}

bool EndTrace(TraceFile& trace) {
    const bool failedBefore = trace.output.failed;
    const bool written = platform::CloseOutput(trace.output);
    if (!written && !failedBefore) {
        ReportTraceFault(trace);
    }
    return written;
}
