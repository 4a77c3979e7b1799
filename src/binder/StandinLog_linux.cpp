#include "binder/StandinLog.h"

#include <cstdio>

void LogLine(const std::string& line, bool error)
{
    std::FILE* out = error ? stderr : stdout;
    std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}
