#include "settings/IniUserStore.h"

#include "settings/IniFile.h"
#include "settings/Registry.h"
#include "settings/StoreText.h"

namespace vesperon::settings {

QString IniUserStore::filePath(const QString &appName) const {
    return m_configDir + QLatin1Char('/') + fromStoreText(trimSpaces(toStoreText(m_companyName))) +
           QLatin1Char('/') + appName + QStringLiteral("/user.ini");
}

std::string IniUserStore::GetSetting(const std::string &appName, const std::string &section,
                                     const std::string &key, const std::string &defaultValue) {
    IniFile file(filePath(fromStoreText(appName)));
    if (file.load() != IniFile::LoadStatus::Loaded)
        return defaultValue;
    const auto value = file.value(fromStoreText(section), fromStoreText(key));
    return value ? toStoreText(*value) : defaultValue;
}

void IniUserStore::SaveSetting(const std::string &appName, const std::string &section, const std::string &key,
                               const std::string &setting) {
    IniFile file(filePath(fromStoreText(appName)));
    if (file.load() == IniFile::LoadStatus::Unreadable)
        return;
    file.setValue(fromStoreText(section), fromStoreText(key), fromStoreText(setting));
    file.save(); // a per-user setting that cannot be kept is dropped without a word
}

} // namespace vesperon::settings
