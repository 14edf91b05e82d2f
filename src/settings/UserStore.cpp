#include "settings/UserStore.h"

#include "settings/Registry.h"

namespace vesperon::settings {

std::string MemoryUserStore::address(const std::string &appName, const std::string &section,
                                     const std::string &key) {
    return asciiLower(appName) + '\n' + asciiLower(section) + '\n' + asciiLower(key);
}

std::string MemoryUserStore::GetSetting(const std::string &appName, const std::string &section,
                                        const std::string &key, const std::string &defaultValue) {
    const auto found = m_values.find(address(appName, section, key));
    return found == m_values.end() ? defaultValue : found->second;
}

void MemoryUserStore::SaveSetting(const std::string &appName, const std::string &section,
                                  const std::string &key, const std::string &setting) {
    if (!m_readOnly)
        m_values[address(appName, section, key)] = setting;
}

} // namespace vesperon::settings
