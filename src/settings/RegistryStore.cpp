#include "settings/RegistryStore.h"

#include "settings/SettingKeys.h"

#include <utility>

namespace vesperon::settings {

std::string permissionDeniedText(const std::string &programName) {
    return programName +
           " requires read/write access to the system registry and hard drive in order to run properly.  "
           "This user account does not have the proper permissions set.  As a result some or all of your "
           "settings may not be properly saved.  Please contact your system administrator or change the "
           "permission settings for this account.\r\n\r\n"
           "If you would like to prevent this error message from being displayed again, please press "
           "'Ignore'.";
}

RegistryStore::RegistryStore(Registry &registry, UserStore &userStore, PermissionPrompt &prompt,
                             std::string companyName, std::string programName)
    : m_registry(registry), m_userStore(userStore), m_prompt(prompt), m_companyName(std::move(companyName)),
      m_programName(std::move(programName)) {}

std::string RegistryStore::keyPath(const std::string &appName, const std::string &section) const {
    return "SOFTWARE\\" + trimSpaces(m_companyName) + '\\' + trimSpaces(appName) + '\\' + trimSpaces(section);
}

RegReadResult RegistryStore::GetRegSetting(const std::string &appName, const std::string &section,
                                           const std::string &key, const std::string &defaultValue) {
    if (trimSpaces(appName).empty())
        return {{}, ErrAppNameEmpty, "AppName may not be empty"};
    if (trimSpaces(section).empty())
        return {{}, ErrSectionEmpty, "Section may not be empty"};
    if (trimSpaces(key).empty())
        return {{}, ErrKeyEmpty, "Key may not be empty"};

    OpenKey opened(m_registry);
    const long openResult = opened.open(RegRoot::LocalMachine, keyPath(appName, section));
    if (openResult == RegFileNotFound)
        return {defaultValue, 0, {}};
    if (openResult != RegOk)
        return {
            {}, ErrRegistryBase + static_cast<std::uint32_t>(openResult), "Could not open registry section"};

    std::uint32_t type = RegNone;
    std::uint32_t size = 0;
    if (m_registry.queryValue(opened.handle(), key, type, size, nullptr) != RegOk)
        return {defaultValue, 0, {}};
    if (type != RegSz)
        return {{}, ErrRegistryBase + type, "Registry data not a string"};
    if (size == 0)
        return {std::string(), 0, {}};

    std::string data;
    if (m_registry.queryValue(opened.handle(), key, type, size, &data) != RegOk)
        return {defaultValue, 0, {}};
    // The size counts the terminating NUL; a value stored without one keeps its last character.
    if (data.size() > size)
        data.resize(size);
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    return {data, 0, {}};
}

void RegistryStore::SaveRegSetting(const std::string &appName, const std::string &section,
                                   const std::string &key, const std::string &setting) {
    const std::string path = keyPath(appName, section);
    OpenKey opened(m_registry);
    while (opened.create(RegRoot::LocalMachine, path) != RegOk) {
        if (giveUpAfterFailure())
            return;
    }
    while (m_registry.setValue(opened.handle(), key, setting) != RegOk) {
        if (giveUpAfterFailure())
            return;
    }
}

bool RegistryStore::giveUpAfterFailure() {
    const SettingKey &ignoreKey = keys::IgnorePermissionDeniedError;
    if (m_ignoredThisRun || m_startedHidden)
        return true;
    if (m_userStore.GetSetting(m_programName, std::string(SettingsSection), std::string(ignoreKey.name),
                               std::string(ignoreKey.defaultValue)) == "1")
        return true;
    switch (m_prompt.ask(permissionDeniedText(m_programName), PermissionDeniedTitle)) {
    case PermissionPrompt::Answer::Retry:
        return false;
    case PermissionPrompt::Answer::Ignore:
        m_ignoredThisRun = true;
        m_userStore.SaveSetting(m_programName, std::string(SettingsSection), std::string(ignoreKey.name),
                                "1");
        return true;
    case PermissionPrompt::Answer::Abort:
        break;
    }
    return true;
}

} // namespace vesperon::settings
