#include "settings/Settings.h"

#include "settings/StoreText.h"

namespace vesperon::settings {

QString settingName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

PermissionPrompt::Answer ProgramSettings::PromptBridge::ask(const std::string &text,
                                                            const std::string &title) {
    QString shownText = fromStoreText(text);
    QString shownTitle = fromStoreText(title);
    if (messages) {
        // The text's two paragraphs are two messages: a message holds no line break.
        const QString problem = messages(QStringLiteral("MSG_PERMISSION"));
        const QString ignore = messages(QStringLiteral("MSG_PERMISSIONIGNORE"));
        const QString caption = messages(QStringLiteral("MSG_TITLEPERMISSION"));
        if (!problem.isEmpty() && !ignore.isEmpty())
            shownText = problem + QStringLiteral("\r\n\r\n") + ignore;
        if (!caption.isEmpty())
            shownTitle = caption;
    }
    switch (m_prompt.ask(shownText, shownTitle, Prompt::Buttons::AbortRetryIgnore)) {
    case Prompt::Answer::Retry:
        return Answer::Retry;
    case Prompt::Answer::Ignore:
        return Answer::Ignore;
    default:
        return Answer::Abort;
    }
}

ProgramSettings::ProgramSettings(SettingsStore &store, Prompt &prompt, const QString &programName)
    : m_bridge(prompt), m_store(store, m_bridge, toStoreText(programName)) {}

QString ProgramSettings::value(const SettingKey &key) {
    Q_ASSERT(key.store == SettingStore::Program);
    const ReadResult result = m_store.read(std::string(key.name), std::string(key.defaultValue));
    return result.failed() ? settingName(key.defaultValue) : fromStoreText(result.value);
}

void ProgramSettings::setValue(const SettingKey &key, const QString &text) {
    Q_ASSERT(key.store == SettingStore::Program);
    m_store.write(std::string(key.writeName()), toStoreText(text));
}

QString UserSettings::value(const SettingKey &key) {
    return value(key, settingName(key.defaultValue));
}

QString UserSettings::value(const SettingKey &key, const QString &defaultValue) {
    Q_ASSERT(key.store == SettingStore::User);
    const StoreRead stored = m_store.read(SettingsScope::ThisUser, std::string(key.name));
    return stored.outcome == StoreRead::Outcome::Found ? fromStoreText(stored.value) : defaultValue;
}

void UserSettings::setValue(const SettingKey &key, const QString &text) {
    Q_ASSERT(key.store == SettingStore::User);
    m_store.write(SettingsScope::ThisUser, std::string(key.writeName()), toStoreText(text));
}

} // namespace vesperon::settings
