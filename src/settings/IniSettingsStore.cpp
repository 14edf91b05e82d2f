#include "settings/IniSettingsStore.h"

#include "settings/IniFile.h"
#include "settings/SettingKeys.h"
#include "settings/StoreText.h"

namespace vesperon::settings {

namespace {

// The error code a read reports for a file it cannot open: the system's "access denied".
constexpr std::uint32_t CannotRead = 5;

QString trimmed(const QString &name) {
    return fromStoreText(trimSpaces(toStoreText(name)));
}

QString section() {
    return QString::fromUtf8(SettingsSection.data(), static_cast<qsizetype>(SettingsSection.size()));
}

} // namespace

IniSettingsStore::IniSettingsStore(const QString &configDir, const QString &companyName,
                                   const QString &programName)
    : m_folder(configDir + QLatin1Char('/') + trimmed(companyName) + QLatin1Char('/') +
               trimmed(programName)) {}

QString IniSettingsStore::filePath(SettingsScope scope) const {
    return m_folder +
           (scope == SettingsScope::Program ? QStringLiteral("/program.ini") : QStringLiteral("/user.ini"));
}

StoreRead IniSettingsStore::read(SettingsScope scope, const std::string &key) {
    IniFile file(filePath(scope));
    switch (file.load()) {
    case IniFile::LoadStatus::Missing:
        return StoreRead::notThere();
    case IniFile::LoadStatus::Unreadable:
        return StoreRead::failed(CannotRead, "Could not open registry section");
    case IniFile::LoadStatus::Loaded:
        break;
    }
    const auto value = file.value(section(), fromStoreText(key));
    return value ? StoreRead::found(toStoreText(*value)) : StoreRead::notThere();
}

StoreWrite IniSettingsStore::write(SettingsScope scope, const std::string &key, const std::string &text) {
    IniFile file(filePath(scope));
    if (file.load() == IniFile::LoadStatus::Unreadable)
        return StoreWrite::accessDenied();
    file.setValue(section(), fromStoreText(key), fromStoreText(text));
    return file.save() ? StoreWrite{} : StoreWrite::accessDenied();
}

} // namespace vesperon::settings
