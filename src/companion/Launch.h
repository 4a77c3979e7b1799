#pragma once
// Starting the companion: a fire-and-forget shell "open" of a program file.

#include <string>

namespace companion {

// Starts file (a UTF-8 path) with the parameter string, detached from this
// process; the new process inherits the current working directory. The result
// only says whether the start itself worked; it never throws.
bool LaunchDetached(const std::string& file, const std::string& parameters);

}  // namespace companion
