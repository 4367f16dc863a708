#pragma once

#include <string>

// Reports what an option could not do (a file it cannot read or write, a request the driver cannot
// serve) as one line "jostrela: text" on standard error, its control bytes written as \xNN. Every
// option reports its failures this way, before any window opens or after it has closed; the caller
// decides the exit code.
void ReportOptionFailure(const std::string& text);
