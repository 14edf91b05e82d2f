#include "settings/RegistryUserStore.h"

namespace vesperon::settings {

std::string RegistryUserStore::keyPath(const std::string &appName, const std::string &section) {
    return "Software\\VB and VBA Program Settings\\" + appName + '\\' + section;
}

std::string RegistryUserStore::GetSetting(const std::string &appName, const std::string &section,
                                          const std::string &key, const std::string &defaultValue) {
    OpenKey opened(m_registry);
    if (opened.open(RegRoot::CurrentUser, keyPath(appName, section)) != RegOk)
        return defaultValue;
    std::uint32_t type = RegNone;
    std::uint32_t size = 0;
    if (m_registry.queryValue(opened.handle(), key, type, size, nullptr) != RegOk || type != RegSz)
        return defaultValue;
    std::string data;
    if (size > 0 && m_registry.queryValue(opened.handle(), key, type, size, &data) != RegOk)
        return defaultValue;
    if (data.size() > size)
        data.resize(size);
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

void RegistryUserStore::SaveSetting(const std::string &appName, const std::string &section,
                                    const std::string &key, const std::string &setting) {
    OpenKey opened(m_registry);
    if (opened.create(RegRoot::CurrentUser, keyPath(appName, section)) == RegOk)
        m_registry.setValue(opened.handle(), key, setting);
}

} // namespace vesperon::settings
