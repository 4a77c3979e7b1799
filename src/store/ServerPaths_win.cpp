#include "store/ServerPaths.h"

#include "store/WinText.h"

namespace store {

std::string ExeDir()
{
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return ".\\";
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);  // a long path: try a larger buffer
    }
    const size_t cut = buf.find_last_of(L"\\/");
    return Narrow(buf.substr(0, cut + 1));
}

}  // namespace store
