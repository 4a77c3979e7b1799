#include "store/RegistryView.h"

#include "store/WinText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace store {

RegistryView::RegistryView(std::string root) : root_(std::move(root)) {}

std::string RegistryView::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const
{
    std::wstring path = Widen(root_);
    if (!section.empty()) {
        if (!path.empty()) path += L'\\';
        path += Widen(section);
    }
    // Read access only: opening must never create the key.
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return std::string(defaultValue);
    }
    const std::wstring name = Widen(key);
    std::vector<BYTE> data(256);
    DWORD type = REG_NONE;
    LONG status = ERROR_MORE_DATA;
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 8 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) data.resize(size + sizeof(wchar_t));
        else if (status == ERROR_SUCCESS) data.resize(size);
    }
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string(defaultValue);

    // Stored strings need not end with a NUL, and may hold one early: the text
    // ends at whichever comes first. An odd last byte is dropped.
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    const std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return Narrow(text);
}

}  // namespace store
