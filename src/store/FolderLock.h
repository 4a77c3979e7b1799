#pragma once
// Our panel and our binder both rewrite Setting.ini: each read-modify-write
// holds this lock, so neither puts back a file that lacks the other's key.
// One lock per folder, across processes: a named mutex on Windows, flock on
// the folder on Linux (no lock file joins the player's setup).

#include <string>

namespace store {

class FolderLock {
public:
    // Waits up to about five seconds. A holder that hangs longer must not
    // freeze the caller: it goes on unlocked, as before there was a lock.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return held_; }

private:
    void* handle_ = nullptr;  // the mutex (Windows)
    int fd_ = -1;             // the folder (Linux)
    bool held_ = false;
};

}  // namespace store
