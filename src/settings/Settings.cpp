#include "settings/Settings.h"

#include "settings/StoreText.h"

namespace vesperon::settings {

QString settingName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

PermissionPrompt::Answer ProgramSettings::PromptBridge::ask(const std::string &text,
                                                            const std::string &title) {
    switch (m_prompt.ask(fromStoreText(text), fromStoreText(title), Prompt::Buttons::AbortRetryIgnore)) {
    case Prompt::Answer::Retry:
        return Answer::Retry;
    case Prompt::Answer::Ignore:
        return Answer::Ignore;
    default:
        return Answer::Abort;
    }
}

ProgramSettings::ProgramSettings(Registry &registry, UserStore &userStore, Prompt &prompt,
                                 const QString &companyName, const QString &programName)
    : m_bridge(prompt),
      m_store(registry, userStore, m_bridge, toStoreText(companyName), toStoreText(programName)),
      m_programName(programName) {}

RegReadResult ProgramSettings::readChecked(const QString &appName, const QString &section, const QString &key,
                                           const QString &defaultValue) {
    return m_store.GetRegSetting(toStoreText(appName), toStoreText(section), toStoreText(key),
                                 toStoreText(defaultValue));
}

QString ProgramSettings::GetRegSetting(const QString &appName, const QString &section, const QString &key,
                                       const QString &defaultValue) {
    const RegReadResult result = readChecked(appName, section, key, defaultValue);
    return result.failed() ? defaultValue : fromStoreText(result.value);
}

void ProgramSettings::SaveRegSetting(const QString &appName, const QString &section, const QString &key,
                                     const QString &setting) {
    m_store.SaveRegSetting(toStoreText(appName), toStoreText(section), toStoreText(key),
                           toStoreText(setting));
}

QString ProgramSettings::value(const SettingKey &key) {
    Q_ASSERT(key.store == SettingStore::Program);
    return GetRegSetting(m_programName, settingName(SettingsSection), settingName(key.name),
                         settingName(key.defaultValue));
}

void ProgramSettings::setValue(const SettingKey &key, const QString &setting) {
    Q_ASSERT(key.store == SettingStore::Program);
    SaveRegSetting(m_programName, settingName(SettingsSection), settingName(key.writeName()), setting);
}

QString UserSettings::GetSetting(const QString &appName, const QString &section, const QString &key,
                                 const QString &defaultValue) {
    return fromStoreText(m_store.GetSetting(toStoreText(appName), toStoreText(section), toStoreText(key),
                                            toStoreText(defaultValue)));
}

void UserSettings::SaveSetting(const QString &appName, const QString &section, const QString &key,
                               const QString &setting) {
    m_store.SaveSetting(toStoreText(appName), toStoreText(section), toStoreText(key), toStoreText(setting));
}

QString UserSettings::value(const SettingKey &key) {
    Q_ASSERT(key.store == SettingStore::User);
    return GetSetting(m_programName, settingName(SettingsSection), settingName(key.name),
                      settingName(key.defaultValue));
}

void UserSettings::setValue(const SettingKey &key, const QString &setting) {
    Q_ASSERT(key.store == SettingStore::User);
    SaveSetting(m_programName, settingName(SettingsSection), settingName(key.writeName()), setting);
}

} // namespace vesperon::settings
