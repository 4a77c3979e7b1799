#include "binder/StandinLog.h"

#include <cstdio>
#include <windows.h>

void LogLine(const std::string& line, bool error)
{
    // A GUI program: stdout only leads somewhere when the starter redirected it.
    std::FILE* out = error ? stderr : stdout;
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
    OutputDebugStringA((line + "\n").c_str());
}
