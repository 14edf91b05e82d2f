#pragma once

// The Qt face of the two settings stores, for the windows and the start-up code.
// Every read of the program store yields the key's default when the store reports an error:
// a damaged or unreadable setting never stops the program.

#include "core/Prompt.h"
#include "settings/RegistryStore.h"
#include "settings/SettingKeys.h"
#include "settings/UserStore.h"

#include <QString>

namespace vesperon::settings {

QString settingName(std::string_view name);

class ProgramSettings {
public:
    ProgramSettings(Registry &registry, UserStore &userStore, Prompt &prompt, const QString &companyName,
                    const QString &programName);

    // The stored text, or Default when it is missing or cannot be read.
    QString GetRegSetting(const QString &appName, const QString &section, const QString &key,
                          const QString &defaultValue);
    // The read with any error it met (number and message), for whoever wants to know.
    RegReadResult readChecked(const QString &appName, const QString &section, const QString &key,
                              const QString &defaultValue);
    void SaveRegSetting(const QString &appName, const QString &section, const QString &key,
                        const QString &setting);

    // By the settings table: the program's name, section "Settings", the table's default.
    QString value(const SettingKey &key);
    // Written under the name the options window uses for it.
    void setValue(const SettingKey &key, const QString &setting);

    // The program went straight to the tray: failed writes are given up without asking.
    void setStartedHidden(bool startedHidden) { m_store.setStartedHidden(startedHidden); }

private:
    class PromptBridge final : public PermissionPrompt {
    public:
        explicit PromptBridge(Prompt &prompt) : m_prompt(prompt) {}
        Answer ask(const std::string &text, const std::string &title) override;

    private:
        Prompt &m_prompt;
    };

    PromptBridge m_bridge;
    RegistryStore m_store;
    QString m_programName;
};

class UserSettings {
public:
    UserSettings(UserStore &store, const QString &programName) : m_store(store), m_programName(programName) {}

    QString GetSetting(const QString &appName, const QString &section, const QString &key,
                       const QString &defaultValue);
    void SaveSetting(const QString &appName, const QString &section, const QString &key,
                     const QString &setting);

    QString value(const SettingKey &key);
    void setValue(const SettingKey &key, const QString &setting);

private:
    UserStore &m_store;
    QString m_programName;
};

} // namespace vesperon::settings
