// One registry key, the only way the program reaches the registry: opened (or created) with a
// view, read and written through the wide API, closed by its scoped owner. Names and texts are
// UTF-8.
#pragma once

#include "Handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace varnholt {

class RegKey {
  public:
    // Opens `path` below `root` with `access`, a view flag (KEY_WOW64_32KEY) included where it
    // matters. The registry's status; ERROR_SUCCESS when the key is open.
    LONG Open(HKEY root, const std::string& path, REGSAM access);
    // Opens the key, creating it and its parents when they are missing.
    LONG Create(HKEY root, const std::string& path, REGSAM access);
    // Reads the value whole, the buffer growing as the value needs: its stored type and bytes.
    LONG Query(const std::string& name, DWORD& type, std::vector<BYTE>& data) const;
    // As Query, for a value that holds text: its UTF-16 units as stored, a closing NUL included
    // when one was stored.
    LONG QueryText(const std::string& name, DWORD& type, std::wstring& units) const;
    // Writes `value` as REG_SZ with its closing NUL.
    LONG SetText(const std::string& name, const std::string& value);
    LONG DeleteValue(const std::string& name);
    // Closes the key now; the owner closes it at the end of the scope anyway.
    void Close() { key_.reset(); }
    HKEY get() const { return key_.get(); }

  private:
    RegistryKey key_;
};

// The UTF-16 units of a text value's bytes, an odd last byte padded with zero.
std::wstring TextUnits(const std::vector<BYTE>& data);

} // namespace varnholt
