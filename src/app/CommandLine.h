#pragma once
// The jobs the panel does without a window (and without a display):
//   QuorvelPanel --export <file.zip>
//   QuorvelPanel --import <file.zip> [--merge|--replace]

#include <optional>
#include <string>
#include <vector>

// The exit code of the job `args` (argv in UTF-8, program name first) asks
// for, or nullopt when they ask for none and the panel should start.
std::optional<int> RunCommandLine(const std::string& exeDir, const std::vector<std::string>& args);
