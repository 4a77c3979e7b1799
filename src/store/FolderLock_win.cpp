#include "store/FolderLock.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "store/Cp1251.h"

namespace store {

FolderLock::FolderLock(const std::string& folder)
{
    // The same folder under any spelling of its letters gets the same name.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : FoldedUtf8(folder)) {
        if (c == '/') c = '\\';
        hash = (hash ^ c) * 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Quorvel.setup.%016llx", static_cast<unsigned long long>(hash));
    handle_ = CreateMutexW(nullptr, FALSE, name);
    if (handle_ == nullptr) return;
    const DWORD got = WaitForSingleObject(handle_, 5000);
    held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;  // a holder that died left whole files
}

FolderLock::~FolderLock()
{
    if (handle_ == nullptr) return;
    if (held_) ReleaseMutex(handle_);
    CloseHandle(handle_);
}

}  // namespace store
