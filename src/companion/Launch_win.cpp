#include "companion/Launch.h"

#include <windows.h>
#include <shellapi.h>

namespace companion {
namespace {

bool Widen(const std::string& utf8, std::wstring& wide)
{
    wide.clear();
    if (utf8.empty()) return true;
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0) return false;
    wide.resize(static_cast<std::size_t>(length));
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length) == length;
}

}  // namespace

bool LaunchDetached(const std::string& file, const std::string& parameters)
{
    try {
        std::wstring wideFile;
        std::wstring wideParameters;
        if (file.empty() || !Widen(file, wideFile) || !Widen(parameters, wideParameters)) return false;
        // Wide on purpose: a Cyrillic folder must work whatever the system code page.
        const HINSTANCE result =
            ShellExecuteW(nullptr, L"open", wideFile.c_str(), wideParameters.c_str(), nullptr, SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(result) > 32;
    } catch (...) {
        return false;
    }
}

}  // namespace companion
