#pragma once

#include <string>

// The subcommands of jostrela-inspect. Each reads the file named in its arguments with the game's
// own readers and appends one JSON object to out; messages the readers raise are collected with
// CollectMessages and listed under "messages" instead of being shown. Each returns the process's
// exit code: 0 when the file was read, 1 when not, 2 for arguments it does not understand (after a
// usage line on standard error).
int InspectModel(int argc, char** argv, std::string& out);
int InspectBmp(int argc, char** argv, std::string& out);
// The octree the game would build over the 3DS file's model: leaf count, root cube and the leaves
// in depth-first order.
int InspectOctree(int argc, char** argv, std::string& out);

// Starts collecting every message instead of showing it.
void CollectMessages();
// Appends "\"messages\": [{\"caption\": ..., \"text\": ...}, ...]" with what was collected so far.
void AppendMessages(std::string& out);
