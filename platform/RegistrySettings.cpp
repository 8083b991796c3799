#include "RegistrySettings.h"

#include "RegKey.h"
#include "Text.h"

#include <windows.h>

namespace varnholt {

bool RegistrySettings::GetSetting(const std::string& key, const std::string& defaultValue,
                                  std::string& out) {
    RegKey settings;
    const LONG opened = settings.Open(HKEY_CURRENT_USER, keyPath_, KEY_QUERY_VALUE);
    if (opened == ERROR_FILE_NOT_FOUND) {
        out = defaultValue;
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = REG_NONE;
    std::wstring value;
    const LONG status = settings.QueryText(key, type, value);
    settings.Close();
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
    const std::wstring::size_type nul = value.find(L'\0');
    if (nul != std::wstring::npos) {
        value.resize(nul);
    }
    out = Narrow(value);
    return true;
}

bool RegistrySettings::SaveSetting(const std::string& key, const std::string& value) {
    RegKey settings;
    return settings.Create(HKEY_CURRENT_USER, keyPath_, KEY_SET_VALUE) == ERROR_SUCCESS &&
           settings.SetText(key, value) == ERROR_SUCCESS;
}

} // namespace varnholt
