#include "modRegSubs.h"

#include "../core/Texts.h"
#include "../core/modVarnholt.h"
#include "Handles.h"
#include "RegSzText.h"
#include "Text.h"

#include <windows.h>

#include <vector>

namespace varnholt {

namespace {

constexpr DWORD TEXT_BUFFER_SIZE = 4096;

} // namespace

void ShowRegistryFault(const std::string& description) {
    MessageBoxW(nullptr, Widen(Text(IDS_REGISTRY_FAULT, {description})).c_str(),
                Widen(TITLE_TEXT).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool GetRegValue(std::uint32_t hive, const std::string& keyPath, const std::string& valueName,
                 int typeSelector, std::string& out,
                 const std::function<void(const std::string&)>& reportFault) {
    RegistryKey key;
    // Read access is all the reader needs; a standard user may not write HKEY_LOCAL_MACHINE.
    // The predefined root keys are 32-bit values that a 64-bit build sign-extends.
    HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(hive)));
    if (RegOpenKeyExA(root, Utf8ToAnsi(keyPath).c_str(), 0, KEY_READ | KEY_WOW64_32KEY,
                      key.receive()) != ERROR_SUCCESS) {
        return false;
    }
    const std::string name = Utf8ToAnsi(valueName);
    std::vector<char> text(TEXT_BUFFER_SIZE, '\0');
    DWORD number = 0;
    DWORD storedType = REG_NONE;
    DWORD size = 0;
    LONG status = ERROR_SUCCESS;
    if (typeSelector == REG_TYPE_TEXT) {
        size = TEXT_BUFFER_SIZE;
        status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &storedType,
                                  reinterpret_cast<BYTE*>(text.data()), &size);
    } else if (typeSelector == REG_TYPE_NUMBER) {
        size = sizeof number;
        status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &storedType,
                                  reinterpret_cast<BYTE*>(&number), &size);
    }
    key.reset();
    if (status != ERROR_SUCCESS) {
        return false;
    }
    switch (storedType) {
    case REG_SZ:
        if (typeSelector == REG_TYPE_TEXT) {
            std::string ansi;
            if (!RegSzText(text.data(), size, ansi)) {
                reportFault(Text(IDS_INVALID_CALL));
                return false;
            }
            out = AnsiToUtf8(ansi);
        } else if (size == 0) {
            reportFault(Text(IDS_INVALID_CALL));
            return false;
        } else {
            out.clear(); // the text buffer was not filled by a number read
        }
        break;
    case REG_DWORD:
        out = std::to_string(static_cast<std::int32_t>(number));
        break;
    default:
        out = "1";
        break;
    }
    return true;
}

} // namespace varnholt
