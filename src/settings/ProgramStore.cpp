#include "settings/ProgramStore.h"

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

ProgramStore::ProgramStore(SettingsStore &store, PermissionPrompt &prompt, std::string programName)
    : m_store(store), m_prompt(prompt), m_programName(std::move(programName)) {}

ReadResult ProgramStore::read(const std::string &key, const std::string &defaultValue) {
    if (trimSpaces(key).empty())
        return {{}, ErrKeyEmpty, "Key may not be empty"};
    StoreRead stored = m_store.read(SettingsScope::Program, key);
    switch (stored.outcome) {
    case StoreRead::Outcome::Found:
        return {std::move(stored.value), 0, {}};
    case StoreRead::Outcome::NotThere:
        break;
    case StoreRead::Outcome::Failed:
        return {{}, ErrStoreBase + stored.failure.code, std::move(stored.failure.message)};
    }
    return {defaultValue, 0, {}};
}

void ProgramStore::write(const std::string &key, const std::string &text) {
    while (!m_store.write(SettingsScope::Program, key, text).ok()) {
        if (giveUpAfterFailure())
            return;
    }
}

bool ProgramStore::giveUpAfterFailure() {
    const std::string ignoreKey(keys::IgnorePermissionDeniedError.name);
    if (m_ignoredThisRun || m_startedHidden)
        return true;
    const StoreRead ignore = m_store.read(SettingsScope::ThisUser, ignoreKey);
    if (ignore.outcome == StoreRead::Outcome::Found && ignore.value == "1")
        return true;
    switch (m_prompt.ask(permissionDeniedText(m_programName), PermissionDeniedTitle)) {
    case PermissionPrompt::Answer::Retry:
        return false;
    case PermissionPrompt::Answer::Ignore:
        m_ignoredThisRun = true;
        m_store.write(SettingsScope::ThisUser, ignoreKey,
                      "1"); // a flag that cannot be kept holds for this run
        return true;
    case PermissionPrompt::Answer::Abort:
        break;
    }
    return true;
}

} // namespace vesperon::settings
