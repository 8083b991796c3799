// Reads one named value of one registry key.
#pragma once

#include "../core/Ports.h"

#include <cstdint>
#include <functional>
#include <string>

namespace varnholt {

// Shows the reader's fault message: "Fehler bei Eintrag lesen: " and the fault's description.
void ShowRegistryFault(const std::string& description);

// Reads `valueName` of `keyPath` below the root key `hive` as text (type selector 1) or as a
// 32-bit number (4) into `out`; a number arrives as its decimal digits. True when a value was
// delivered; false leaves `out` untouched. The key is opened for reading only, through the
// 32-bit view of the registry, where the game's 32-bit installer wrote it. A text value loses
// its closing NUL and nothing else: one stored without a NUL is delivered whole. A text value
// of size 0 is a fault: `reportFault` gets its description and the result is false.
bool GetRegValue(std::uint32_t hive, const std::string& keyPath, const std::string& valueName,
                 int typeSelector, std::string& out,
                 const std::function<void(const std::string&)>& reportFault = ShowRegistryFault);

class Win32Registry : public RegistryReader {
  public:
    bool GetRegValue(std::uint32_t hive, const std::string& keyPath, const std::string& valueName,
                     int typeSelector, std::string& out) override {
        return varnholt::GetRegValue(hive, keyPath, valueName, typeSelector, out);
    }
};

} // namespace varnholt
