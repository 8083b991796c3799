#include "RegKey.h"

#include "Text.h"

namespace varnholt {

LONG RegKey::Open(HKEY root, const std::string& path, REGSAM access) {
    return RegOpenKeyExW(root, Widen(path).c_str(), 0, access, key_.receive());
}

LONG RegKey::Create(HKEY root, const std::string& path, REGSAM access) {
    return RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, 0, access, nullptr,
                           key_.receive(), nullptr);
}

LONG RegKey::Query(const std::string& name, DWORD& type, std::vector<BYTE>& data) const {
    const std::wstring wide = Widen(name);
    DWORD size = 0;
    LONG status = RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between the two calls; then the buffer grows with it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.assign(size, 0);
        status = RegQueryValueExW(key_.get(), wide.c_str(), nullptr, &type,
                                  size != 0 ? data.data() : nullptr, &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            break;
        }
    }
    return status;
}

LONG RegKey::QueryText(const std::string& name, DWORD& type, std::wstring& units) const {
    std::vector<BYTE> data;
    const LONG status = Query(name, type, data);
    if (status == ERROR_SUCCESS) {
        units = TextUnits(data);
    }
    return status;
}

std::wstring TextUnits(const std::vector<BYTE>& data) {
    std::wstring units((data.size() + 1) / sizeof(wchar_t), L'\0');
    if (!data.empty()) {
        CopyMemory(&units[0], data.data(), data.size());
    }
    return units;
}

LONG RegKey::SetText(const std::string& name, const std::string& value) {
    const std::wstring data = Widen(value);
    return RegSetValueExW(key_.get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

LONG RegKey::DeleteValue(const std::string& name) {
    return RegDeleteValueW(key_.get(), Widen(name).c_str());
}

} // namespace varnholt
