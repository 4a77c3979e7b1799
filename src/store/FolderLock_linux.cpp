#include "store/FolderLock.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

FolderLock::FolderLock(const std::string& folder)
{
    fd_ = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(held_ = flock(fd_, LOCK_EX | LOCK_NB) == 0)) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0) close(fd_);  // closing drops the lock
}

}  // namespace store
