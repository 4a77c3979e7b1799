#include "store/ServerPaths.h"

#include <climits>
#include <unistd.h>

namespace store {

std::string ExeDir()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

}  // namespace store
