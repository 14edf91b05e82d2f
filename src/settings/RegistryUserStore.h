#pragma once

// The per-user store on Windows: the key <application>\<section> under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings, where the platform runtime keeps
// per-user settings.

#include "settings/Registry.h"
#include "settings/UserStore.h"

namespace vesperon::settings {

class RegistryUserStore final : public UserStore {
public:
    explicit RegistryUserStore(Registry &registry) : m_registry(registry) {}

    std::string GetSetting(const std::string &appName, const std::string &section, const std::string &key,
                           const std::string &defaultValue) override;
    void SaveSetting(const std::string &appName, const std::string &section, const std::string &key,
                     const std::string &setting) override;

    static std::string keyPath(const std::string &appName, const std::string &section);

private:
    Registry &m_registry;
};

} // namespace vesperon::settings
