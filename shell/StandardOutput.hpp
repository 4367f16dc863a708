#pragma once

// The end of a run's standard streams: what the game printed (the timedemo report, --help) must
// have reached its reader, or the run says so and fails.

// Flushes standard output and standard error. False when a write to either failed at any time in
// the run (a full disk, a closed stream, a reader gone); a failure of standard output is reported
// on standard error ("jostrela: ..."), one of standard error cannot be.
bool FinishStandardStreams();
