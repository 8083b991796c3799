#include "RegistrySettings.h"

#include "Handles.h"
#include "Text.h"

#include <windows.h>

#include <vector>

namespace varnholt {

bool RegistrySettings::GetSetting(const std::string& key, const std::string& defaultValue,
                                  std::string& out) {
    RegistryKey handle;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, Widen(keyPath_).c_str(), 0,
                                      KEY_QUERY_VALUE, handle.receive());
    if (opened == ERROR_FILE_NOT_FOUND) {
        out = defaultValue;
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring name = Widen(key);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type, nullptr, &size);
    std::vector<wchar_t> data;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        status = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_SUCCESS) {
            break;
        }
    }
    handle.reset();
    if (status == ERROR_FILE_NOT_FOUND) {
        out = defaultValue;
        return true;
    }
    if (status != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        out = defaultValue; // not a setting this program wrote: as if absent
        return true;
    }
    std::wstring value(data.data(), size / sizeof(wchar_t));
    const std::wstring::size_type nul = value.find(L'\0');
    if (nul != std::wstring::npos) {
        value.resize(nul);
    }
    out = Narrow(value);
    return true;
}

bool RegistrySettings::SaveSetting(const std::string& key, const std::string& value) {
    RegistryKey handle;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(keyPath_).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, handle.receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring data = Widen(value);
    return RegSetValueExW(handle.get(), Widen(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

} // namespace varnholt
