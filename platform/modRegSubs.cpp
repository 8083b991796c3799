#include "modRegSubs.h"

#include "../core/RegSzText.h"
#include "../core/Texts.h"
#include "../core/modVarnholt.h"
#include "RegKey.h"
#include "Text.h"

#include <windows.h>

#include <vector>

namespace varnholt {

namespace {

// The reader's data areas: a text of 4096 characters, its closing NUL included, and a 32-bit
// number. A value that does not fit the area it is read into is not read.
constexpr std::size_t TEXT_AREA = 4096;
constexpr std::size_t NUMBER_AREA = sizeof(DWORD);

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// What a value takes of the reader's area: a text's characters for the text area, its bytes in
// the ANSI code page for the number, where the 8-bit reader always measured it; other data in
// bytes.
std::size_t AreaSize(DWORD type, const std::vector<BYTE>& data, bool textArea) {
    if (!IsText(type)) {
        return data.size();
    }
    const std::wstring units = TextUnits(data);
    return textArea ? units.size() : Utf8ToAnsi(Narrow(units)).size();
}

} // namespace

void ShowRegistryFault(const std::string& description) {
    MessageBoxW(nullptr, Widen(Text(IDS_REGISTRY_FAULT, {description})).c_str(),
                Widen(TITLE_TEXT).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool GetRegValue(std::uint32_t hive, const std::string& keyPath, const std::string& valueName,
                 int typeSelector, std::string& out,
                 const std::function<void(const std::string&)>& reportFault) {
    RegKey key;
    // Read access is all the reader needs; a standard user may not write HKEY_LOCAL_MACHINE.
    // The predefined root keys are 32-bit values that a 64-bit build sign-extends.
    HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(hive)));
    if (key.Open(root, keyPath, KEY_READ | KEY_WOW64_32KEY) != ERROR_SUCCESS) {
        return false;
    }
    if (typeSelector != REG_TYPE_TEXT && typeSelector != REG_TYPE_NUMBER) {
        out = "1"; // no query: the stored type stays REG_NONE
        return true;
    }
    DWORD storedType = REG_NONE;
    std::vector<BYTE> data;
    const LONG status = key.Query(valueName, storedType, data);
    key.Close();
    const bool textArea = typeSelector == REG_TYPE_TEXT;
    if (status != ERROR_SUCCESS ||
        AreaSize(storedType, data, textArea) > (textArea ? TEXT_AREA : NUMBER_AREA)) {
        return false;
    }
    switch (storedType) {
    case REG_SZ:
        if (data.empty()) {
            reportFault(Text(IDS_INVALID_CALL));
            return false;
        }
        if (textArea) {
            const std::wstring units = TextUnits(data);
            std::wstring text;
            RegSzText(units.data(), units.size(), text);
            out = Narrow(text);
        } else {
            out.clear(); // the text area was not filled by a number read
        }
        break;
    case REG_DWORD:
        if (textArea) {
            out = "0"; // the number was not filled by a text read
        } else {
            DWORD number = 0;
            CopyMemory(&number, data.data(),
                       data.size() < sizeof number ? data.size() : sizeof number);
            out = std::to_string(static_cast<std::int32_t>(number));
        }
        break;
    default:
        out = "1";
        break;
    }
    return true;
}

} // namespace varnholt
