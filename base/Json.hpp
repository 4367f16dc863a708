#pragma once

#include <string>

// Small helpers for the JSON that the tools and the state dump print. Issue no GL or SDL calls.

// A float printed so that it reads back to the same 32-bit value ("%.9g"); non-finite values, which
// JSON cannot hold, are written as null.
void AppendJsonFloat(std::string& out, float value);

// A Windows-1252 text as a quoted UTF-8 JSON string, with quotes, backslashes and control
// characters escaped.
void AppendJsonString(std::string& out, const char* cp1252);

// "[x, y, z]" of three floats, each as AppendJsonFloat writes it.
void AppendJsonFloats(std::string& out, const float* values, int count);
