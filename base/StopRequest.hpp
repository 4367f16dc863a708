#pragma once

// A request from outside to end the game (SIGINT, SIGTERM, SIGHUP; Ctrl+C in a Windows console). Once
// caught, the signals no longer end the process: the long steps of loading look at the request
// and stop early, and the event loop takes it as a close request, so the game ends through its
// orderly close with exit code 0 at any point.

// Makes SIGINT, SIGTERM and SIGHUP (where there is one) set the request; a call blocked when one
// comes returns interrupted rather than being restarted. Called once by the game before its models are read;
// later calls do nothing. Tests and tools that never call it keep the signals' usual effect.
void CatchStopSignals();

// True once a stop signal came. Cheap enough for any loop; never allocates.
bool StopRequested();
