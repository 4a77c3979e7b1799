#include "binder/Log.h"

#include <cstdio>
#include <ctime>

#include "store/Files.h"

namespace binder {

Log::Log(std::string path, bool echo) : path_(std::move(path)), echo_(echo) {}

void Log::Line(std::string_view utf8)
{
    const std::time_t now = std::time(nullptr);
    char stamp[32] = "";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S ", local);
    std::string line = stamp;
    line.append(utf8);
    if (echo_) {
        std::fprintf(stdout, "%s\n", line.c_str());
        std::fflush(stdout);
    }
    lines_.push_back(std::move(line));
    if (lines_.size() > kKeep) lines_.pop_front();
    if (path_.empty()) return;

    std::string bytes = "\xEF\xBB\xBF";
    for (const std::string& l : lines_) bytes.append(l).append("\r\n");
    if (!store::WriteFileAtomic(path_, bytes) && !failed_) {
        failed_ = true;
        std::fprintf(stderr, "Unable to write to %s\n", path_.c_str());
    }
}

}  // namespace binder
