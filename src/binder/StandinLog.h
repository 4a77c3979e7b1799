#pragma once
// One line of the stand-in's log. On Linux it goes to stdout (errors to
// stderr); on Windows, where the stand-in has no console, also to the
// debugger output.

#include <string>

void LogLine(const std::string& line, bool error = false);
