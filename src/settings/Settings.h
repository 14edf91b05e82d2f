#pragma once

// The Qt face of the two settings stores, for the windows and the start-up code. Settings are
// named by their entry in the settings table (SettingKeys.h). Every read yields the key's
// default when nothing is stored or the store reports an error: a damaged or unreadable
// setting never stops the program.

#include "core/Prompt.h"
#include "settings/ProgramStore.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

#include <QString>
#include <functional>

namespace vesperon::settings {

QString settingName(std::string_view name);

// The program scope. A write that fails asks the user through the prompt (ProgramStore).
class ProgramSettings {
public:
    ProgramSettings(SettingsStore &store, Prompt &prompt, const QString &programName);

    QString value(const SettingKey &key);
    // Written under the name the options window uses for it.
    void setValue(const SettingKey &key, const QString &text);

    // The program went straight to the tray: failed writes are given up without asking.
    void setStartedHidden(bool startedHidden) { m_store.setStartedHidden(startedHidden); }

    // Where the Permission Denied prompt finds its texts in the user's language: a message key
    // gives its text, "" when there is none (the English texts are used then).
    using MessageSource = std::function<QString(const QString &key)>;
    void setMessageSource(MessageSource source) { m_bridge.messages = std::move(source); }

private:
    class PromptBridge final : public PermissionPrompt {
    public:
        explicit PromptBridge(Prompt &prompt) : m_prompt(prompt) {}
        Answer ask(const std::string &text, const std::string &title) override;
        MessageSource messages;

    private:
        Prompt &m_prompt;
    };

    PromptBridge m_bridge;
    ProgramStore m_store;
};

// This user's scope. It never fails visibly: a write that cannot be made is dropped.
class UserSettings {
public:
    explicit UserSettings(SettingsStore &store) : m_store(store) {}

    QString value(const SettingKey &key);
    // With a default of the caller's (the first start is recognised by an empty Language).
    QString value(const SettingKey &key, const QString &defaultValue);
    void setValue(const SettingKey &key, const QString &text);

private:
    SettingsStore &m_store;
};

} // namespace vesperon::settings
