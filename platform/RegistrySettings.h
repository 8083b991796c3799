// The settings store in the per-user registry:
// HKEY_CURRENT_USER\Software\Marrik's ANNO 1503-Tools\Varnholt, one REG_SZ value per key.
#pragma once

#include "../core/Ports.h"

#include <string>

namespace varnholt {

class RegistrySettings : public SettingsStore {
  public:
    // `keyPath` below HKEY_CURRENT_USER; tests use a key of their own.
    explicit RegistrySettings(std::string keyPath = DEFAULT_KEY) : keyPath_(std::move(keyPath)) {}

    bool GetSetting(const std::string& key, const std::string& defaultValue,
                    std::string& out) override;
    bool SaveSetting(const std::string& key, const std::string& value) override;

    static inline const std::string DEFAULT_KEY = "Software\\Marrik's ANNO 1503-Tools\\Varnholt";

  private:
    std::string keyPath_;
};

} // namespace varnholt
